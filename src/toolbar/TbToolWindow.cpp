#include "toolbar/TbToolWindow.h"

#include "toolbar/TbDock.h"
#include "ui/Forms.h"

namespace quolin {

TToolWindow::TToolWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetBounds(0, 0, 32, 32);
}

bool TToolWindow::Docked() const {
  return dynamic_cast<TDock*>(Parent()) != nullptr;
}

void TToolWindow::SetParent(TControl* parent) {
  if (parent == Parent())
    return;
  bool hadWindow = HandleAllocated();
  TCustomControl::SetParent(parent);
  // Floating and docked windows differ in style: the window is made again on a new parent.
  if (hadWindow && parent && HandleAllocated())
    RecreateWnd();
  if (OnDockChanged && EventsAllowed())
    OnDockChanged(this);
}

int TToolWindow::ClientAreaWidth() {
  return ClientWidth();
}

int TToolWindow::ClientAreaHeight() {
  return ClientHeight();
}

void TToolWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WinClassName = "TToolWindow";
  if (!dynamic_cast<TForm*>(Parent()))
    return;
  // Owned by the form's window, over it, but not inside it.
  params.Style &= ~WS_CHILD;
  params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TToolWindow::WndProc(TMessage& message) {
  if (message.Msg == WM_CLOSE) {
    Hide();
    if (OnClose && EventsAllowed())
      OnClose(this);
    message.Result = 0;
    return;
  }
  TCustomControl::WndProc(message);
}

} // namespace quolin
