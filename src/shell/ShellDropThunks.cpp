#include "shell/ShellDropThunks.h"

namespace quolin {

namespace {

// A refused drop shows the no-drop cursor.
HRESULT Refused(DWORD* effect) {
  if (effect)
    *effect = DROPEFFECT_NONE;
  return E_UNEXPECTED;
}

} // namespace

HRESULT TShellDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                    DWORD* effect) {
  HRESULT result =
      Forward(E_UNEXPECTED, [&] { return handler_->DragEnter(data, keyState, point, effect); });
  return Attached() ? result : Refused(effect);
}

HRESULT TShellDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  HRESULT result =
      Forward(E_UNEXPECTED, [&] { return handler_->DragOver(keyState, point, effect); });
  return Attached() ? result : Refused(effect);
}

HRESULT TShellDropTarget::DragLeave() {
  return Forward(E_UNEXPECTED, [&] { return handler_->DragLeave(); });
}

HRESULT TShellDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  HRESULT result =
      Forward(E_UNEXPECTED, [&] { return handler_->Drop(data, keyState, point, effect); });
  return Attached() ? result : Refused(effect);
}

HRESULT TShellDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  return Forward(DRAGDROP_S_CANCEL,
                 [&] { return handler_->QueryContinueDrag(escapePressed, keyState); });
}

HRESULT TShellDropSource::GiveFeedback(DWORD effect) {
  return Forward(DRAGDROP_S_USEDEFAULTCURSORS, [&] { return handler_->GiveFeedback(effect); });
}

} // namespace quolin
