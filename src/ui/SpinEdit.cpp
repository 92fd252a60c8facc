#include "ui/SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quolin {

namespace {

constexpr DWORD kArrowStyle = UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS;

// The number of a text of digits with an optional leading minus, or false.
bool ParseNumber(const std::string& text, long long& number) {
  size_t pos = text.size() > 1 && text[0] == '-' ? 1 : 0;
  if (pos == text.size())
    return false;
  constexpr long long kSaturation = 1LL << 40; // far beyond any int limit
  number = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9')
      return false;
    number = std::min(number * 10 + (text[pos] - '0'), kSaturation);
  }
  if (text[0] == '-')
    number = -number;
  return true;
}

} // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) {
  SetText("0");
}

void TSpinEdit::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  // The edit draws its text straight to the screen: never over the arrows.
  params.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
  TEdit::CreateWnd();
  HWND edit = Handle();
  upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, nullptr,
                            WS_CHILD | WS_VISIBLE | kArrowStyle | (Enabled() ? 0 : WS_DISABLED), 0,
                            0, 0, 0, edit, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  ApplyRange();
  PlaceArrows();
}

void TSpinEdit::DestroyWnd() {
  TEdit::DestroyWnd();
  upDown_ = nullptr; // a child of the edit: it goes with it
}

HWND TSpinEdit::UpDownHandle() {
  HandleNeeded();
  return upDown_;
}

void TSpinEdit::PlaceArrows() {
  if (!upDown_)
    return;
  RECT client = ClientRect();
  int width = GetSystemMetrics(SM_CXVSCROLL);
  MoveWindow(upDown_, client.right - width, 0, width, client.bottom, TRUE);
  SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TSpinEdit::ApplyRange() {
  if (!upDown_)
    return;
  SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(minValue_),
               static_cast<LPARAM>(maxValue_));
}

void TSpinEdit::SetMinValue(int value) {
  minValue_ = value;
  maxValue_ = std::max(maxValue_, value);
  ApplyRange();
}

void TSpinEdit::SetMaxValue(int value) {
  maxValue_ = value;
  minValue_ = std::min(minValue_, value);
  ApplyRange();
}

int TSpinEdit::Value() const {
  long long number = 0;
  if (!ParseNumber(Text(), number))
    return minValue_;
  return static_cast<int>(std::clamp<long long>(number, minValue_, maxValue_));
}

void TSpinEdit::SetValue(int value) {
  value = std::clamp(value, minValue_, maxValue_);
  std::string text = std::to_string(value);
  if (Text() != text)
    SetText(text);
  if (upDown_) {
    // With the buddy style the arrows may write the same text again: no change of the user's.
    writing_ = true;
    SendMessageA(upDown_, UDM_SETPOS32, 0, value);
    writing_ = false;
  }
}

void TSpinEdit::Step(int delta) {
  int value = Value();
  int next = std::clamp(value + delta, minValue_, maxValue_);
  if (next != value) // at a limit an arrow does nothing
    SetValue(next);
}

void TSpinEdit::SetEnabled(bool enabled) {
  TEdit::SetEnabled(enabled);
  if (upDown_)
    EnableWindow(upDown_, enabled);
}

void TSpinEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
  case CN_COMMAND:
    if (HIWORD(message.WParam) == EN_CHANGE && writing_)
      return;
    break;
  case WM_NOTIFY: {
    // The arrows ask before they step: the step is this control's own, from the value the
    // text holds, so that a typed number steps on from itself.
    auto* change = reinterpret_cast<NMUPDOWN*>(message.LParam);
    if (change->hdr.hwndFrom == upDown_ && change->hdr.code == static_cast<UINT>(UDN_DELTAPOS)) {
      if (Enabled() && !ReadOnly())
        Step(change->iDelta > 0 ? 1 : change->iDelta < 0 ? -1 : 0);
      message.Result = TRUE;
      return;
    }
    break;
  }
  case WM_VSCROLL:
    if (reinterpret_cast<HWND>(message.LParam) == upDown_) {
      message.Result = 0;
      return;
    }
    break;
  case WM_SIZE:
    TEdit::WndProc(message);
    PlaceArrows();
    return;
  default:
    break;
  }
  TEdit::WndProc(message);
}

void TSpinEdit::KeyPress(char& key) {
  auto byte = static_cast<unsigned char>(key);
  if (byte >= 0x20 && (byte < '0' || byte > '9')) {
    key = 0;
    return;
  }
  TEdit::KeyPress(key);
}

void TSpinEdit::DoExit() {
  SetValue(Value());
  TEdit::DoExit();
}

void TSpinEdit::FontChanged() {
  TEdit::FontChanged();
  PlaceArrows(); // a new font resets the edit's margins
}

} // namespace quolin
