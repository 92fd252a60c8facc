#include "shell/ShellDropThunks.h"

#include "shell/ShellDataItem.h"

#include <cstdlib>

namespace quolin {

namespace {

// A refused drop shows the no-drop cursor.
HRESULT Refused(DWORD* effect) {
  if (effect)
    *effect = DROPEFFECT_NONE;
  return E_UNEXPECTED;
}

bool Offers(IDataObject* data, TShellClipFormat format) {
  FORMATETC etc = ShellFormatEtc(format);
  return data->QueryGetData(&etc) == S_OK;
}

} // namespace

bool OffersShellData(IDataObject* data) {
  return Offers(data, TShellClipFormat::HDrop) || Offers(data, TShellClipFormat::IDListArray);
}

HRESULT ShellQueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  const DWORD buttons = keyState & (MK_LBUTTON | MK_RBUTTON);
  if (escapePressed || buttons == (MK_LBUTTON | MK_RBUTTON))
    return DRAGDROP_S_CANCEL;
  return buttons == 0 ? DRAGDROP_S_DROP : S_OK;
}

bool MouseButtonDown(bool left) {
  if (GetSystemMetrics(SM_SWAPBUTTON))
    left = !left;
  return GetAsyncKeyState(left ? VK_LBUTTON : VK_RBUTTON) < 0;
}

std::unique_ptr<TShellDragObject> EnterShellDrag(
    IDataObject* data, DWORD keyState, POINTL point, DWORD* effect,
    const std::function<void(const TShellDragObject& drag, TShiftState shift, POINT point,
                             bool& accept)>& accept) {
  std::unique_ptr<TShellDragObject> drag;
  if (OffersShellData(data)) {
    drag = std::make_unique<TShellDragObject>(data);
    bool accepted = true;
    accept(*drag, KeyStateToShift(keyState), POINT{point.x, point.y}, accepted);
    if (!accepted)
      drag.reset();
  }
  if (!drag)
    *effect = DROPEFFECT_NONE;
  return drag;
}

DWORD ProbeDropEffect(IDropTarget* target, IDataObject* data, DWORD keyState, POINTL point,
                      DWORD allowed) {
  DWORD asked = allowed;
  target->DragEnter(data, keyState, point, &asked);
  asked = allowed;
  target->DragOver(keyState, point, &asked);
  target->DragLeave();
  return asked;
}

void DropOnTarget(IDropTarget* target, IDataObject* data, DWORD keys, POINTL point,
                  DWORD* effect) {
  const DWORD allowed = *effect;
  target->DragEnter(data, keys, point, effect);
  *effect = allowed;
  target->DragOver(keys, point, effect);
  target->Drop(data, keys, point, effect);
}

void ShellAutoScroll(TControl& control, POINT client) {
  LOGFONTA font{};
  GetObjectA(control.Font().Handle(), sizeof font, &font);
  const int margin = std::abs(font.lfHeight);
  const RECT rect = control.ClientRect();
  const LONG style = GetWindowLongA(control.Handle(), GWL_STYLE);
  if (style & WS_VSCROLL) {
    if (client.y < rect.top + margin)
      control.Perform(WM_VSCROLL, SB_LINEUP, 0);
    else if (client.y >= rect.bottom - margin)
      control.Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  }
  if (style & WS_HSCROLL) {
    if (client.x < rect.left + margin)
      control.Perform(WM_HSCROLL, SB_LINEUP, 0);
    else if (client.x >= rect.right - margin)
      control.Perform(WM_HSCROLL, SB_LINEDOWN, 0);
  }
}

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
