#include "ui/HotKey.h"

#include "core/HotKeyCodes.h"

#include <commctrl.h>

namespace quolin {

THotKey::THotKey(TComponent* owner) : TControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 19);
}

void THotKey::CreateParams(TCreateParams& params) {
  params.WinClassName = HOTKEY_CLASSA;
  params.Native = true;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void THotKey::CreateWnd() {
  SendMessageA(Handle(), HKM_SETHOTKEY, HotKeyFromShortCut(hotKey_), 0);
}

void THotKey::DestroyWnd() {
  hotKey_ = HotKey();
}

TShortCut THotKey::HotKey() const {
  HWND window = WindowHandle();
  if (!window)
    return hotKey_;
  return ShortCutFromHotKey(static_cast<uint16_t>(SendMessageA(window, HKM_GETHOTKEY, 0, 0)));
}

void THotKey::SetHotKey(TShortCut shortCut) {
  hotKey_ = shortCut;
  if (HandleAllocated())
    SendMessageA(Handle(), HKM_SETHOTKEY, HotKeyFromShortCut(shortCut), 0);
}

void THotKey::WndProc(TMessage& message) {
  // An Alt+letter typed here is the short-cut being entered, never a mnemonic of the form.
  if (message.Msg == WM_SYSCHAR) {
    message.Result = 0;
    return;
  }
  TControl::WndProc(message);
}

} // namespace quolin
