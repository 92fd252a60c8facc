// The OLE drag-and-drop objects of the shell controls: reference-counted COM objects that
// forward each call to the control's handler. OLE may hold one after its control has gone, so
// the control detaches it then; a detached one answers E_UNEXPECTED or cancels the drag. So
// does one whose handler raised: the exception is reported once and the handler is never
// called again (an exception leaving a COM call ends the process).
#pragma once

#include "common/ComPtr.h"
#include "core/Persistent.h"
#include "shell/ShellDataItem.h"
#include "ui/Application.h"
#include "ui/Control.h"

#include <functional>
#include <memory>

#include <windows.h>

#include <oleidl.h>

namespace quolin {

// What the tree, the list and the combo box do as drop targets.
class TShellDropTargetHandler {
public:
  virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) = 0;
  virtual HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) = 0;

protected:
  ~TShellDropTargetHandler() = default;
};

// What they do as drag sources.
class TShellDropSourceHandler {
public:
  virtual HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) = 0;
  virtual HRESULT GiveFeedback(DWORD effect) = 0;

protected:
  ~TShellDropSourceHandler() = default;
};

// The reference counting and interface lookup of one interface; made with one reference.
template <typename Interface> class TShellThunk : public Interface {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object)
      return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    // A COM object ends with its last reference, whoever holds it.
    if (left == 0)
      delete this;
    return static_cast<ULONG>(left);
  }
  // The handler is never called again.
  void Detach() { sender_ = nullptr; }
  bool Attached() const { return sender_ != nullptr; }

protected:
  explicit TShellThunk(TObject* sender) : sender_(sender) {}
  virtual ~TShellThunk() = default;
  // Runs call behind the exception barrier; a raising call detaches the thunk.
  template <typename Call> HRESULT Forward(HRESULT detached, Call&& call);

private:
  LONG references_ = 1;
  TObject* sender_;
};

template <typename Interface>
template <typename Call>
HRESULT TShellThunk<Interface>::Forward(HRESULT detached, Call&& call) {
  HRESULT result = detached;
  if (sender_ && !Guard(sender_, [&] { result = call(); })) {
    Detach();
    result = detached;
  }
  return result;
}

class TShellDropTarget final : public TShellThunk<IDropTarget> {
public:
  // sender is the control (for the report of an exception); it owns handler.
  static TComPtr<TShellDropTarget> Create(TObject* sender, TShellDropTargetHandler* handler) {
    TComPtr<TShellDropTarget> thunk;
    *thunk.Out() = new TShellDropTarget(sender, handler);
    return thunk;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                 DWORD* effect) override;

private:
  TShellDropTarget(TObject* sender, TShellDropTargetHandler* handler)
      : TShellThunk(sender), handler_(handler) {}
  TShellDropTargetHandler* handler_;
};

// What the controls share in drags: whether data offers files or shell items, the drop
// source's answer, whether the button that began a press is still down (with swapped buttons
// the other one), and one line of scrolling towards an edge the point is within a font height
// of (beside a shown scroll bar).
bool OffersShellData(IDataObject* data);
HRESULT ShellQueryContinueDrag(BOOL escapePressed, DWORD keyState);
bool MouseButtonDown(bool left);
void ShellAutoScroll(TControl& control, POINT client);
// The object of an entering drag of files or shell items, once accept (the control's
// OnShDragEnter) took it; nil, and the effect none, otherwise.
std::unique_ptr<TShellDragObject> EnterShellDrag(
    IDataObject* data, DWORD keyState, POINTL point, DWORD* effect,
    const std::function<void(const TShellDragObject& drag, TShiftState shift, POINT point,
                             bool& accept)>& accept);
// The effect a shell folder's drop target would give, asked without dropping.
DWORD ProbeDropEffect(IDropTarget* target, IDataObject* data, DWORD keyState, POINTL point,
                      DWORD allowed);
// Drops on a shell folder's target as a drag over it would.
void DropOnTarget(IDropTarget* target, IDataObject* data, DWORD keys, POINTL point,
                  DWORD* effect);

// A drop on the list or the combo box: event (the control's OnShDragDrop, nil while its events
// are not allowed) may take away the default action, which drops on target, when there is one,
// with the button that began the drag; else the effect is none.
template <typename Item, typename Event>
void DropShellDrag(TControl& control, const TShellDragObject& drag, Item* item, IDropTarget* target,
                   DWORD keyState, POINTL point, bool rightDrag, DWORD* effect,
                   const Event* event) {
  bool defaultAction = true;
  if (event && *event) {
    const POINT client = control.ScreenToClient(POINT{point.x, point.y});
    (*event)(&control, drag, item, KeyStateToShift(keyState), client.x, client.y, defaultAction);
  }
  if (defaultAction && target)
    DropOnTarget(target, drag.DataObject(), keyState | (rightDrag ? MK_RBUTTON : MK_LBUTTON), point,
                 effect);
  else
    *effect = DROPEFFECT_NONE;
}

class TShellDropSource final : public TShellThunk<IDropSource> {
public:
  static TComPtr<TShellDropSource> Create(TObject* sender, TShellDropSourceHandler* handler) {
    TComPtr<TShellDropSource> thunk;
    *thunk.Out() = new TShellDropSource(sender, handler);
    return thunk;
  }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
  TShellDropSource(TObject* sender, TShellDropSourceHandler* handler)
      : TShellThunk(sender), handler_(handler) {}
  TShellDropSourceHandler* handler_;
};

} // namespace quolin
