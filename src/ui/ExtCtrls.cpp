#include "ui/ExtCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace quolin {

TSplitter::TSplitter(TComponent* owner) : TCustomControl(owner) {
  clickEvents_ = false;
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

TControl* TSplitter::ResizedControl() const {
  TControl* parent = Parent();
  if (!parent)
    return nullptr;
  // The control whose edge touches the splitter's inner side.
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (control == this || control->Align() != Align() || !control->Visible())
      continue;
    bool touches = false;
    switch (Align()) {
    case alLeft:
      touches = control->Left() + control->Width() == Left();
      break;
    case alRight:
      touches = control->Left() == Left() + Width();
      break;
    case alTop:
      touches = control->Top() + control->Height() == Top();
      break;
    case alBottom:
      touches = control->Top() == Top() + Height();
      break;
    default:
      break;
    }
    if (touches)
      return control;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft)
    return;
  control_ = ResizedControl();
  if (!control_)
    return;
  FreeNotification(control_);
  downPoint_ = ClientToScreen(POINT{x, y});
  downSize_ = Vertical() ? control_->Width() : control_->Height();
  moved_ = false;
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!control_ || !(shift & ssLeft))
    return;
  // Screen coordinates: the splitter itself moves while it resizes.
  POINT point = ClientToScreen(POINT{x, y});
  int delta = Vertical() ? point.x - downPoint_.x : point.y - downPoint_.y;
  if (Align() == alRight || Align() == alBottom)
    delta = -delta;
  int size = std::max(downSize_ + delta, 0);
  bool accept = true;
  if (OnCanResize)
    OnCanResize(this, size, accept);
  else
    size = std::max(size, MinSize);
  int current = Vertical() ? control_->Width() : control_->Height();
  if (!accept || size == current)
    return;
  if (Vertical())
    control_->SetWidth(size);
  else
    control_->SetHeight(size);
  moved_ = true;
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !control_)
    return;
  RemoveFreeNotification(control_);
  control_ = nullptr;
  if (moved_ && OnMoved && EventsAllowed())
    OnMoved(this);
}

void TSplitter::WndProc(TMessage& message) {
  if (message.Msg == WM_SETCURSOR)
    SetCursor(Vertical() ? crHSplit : crVSplit);
  TCustomControl::WndProc(message);
}

void TSplitter::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == control_)
    control_ = nullptr;
}

TStatusBar::TStatusBar(TComponent* owner) : TControl(owner) {
  SetAlign(alBottom);
  SetBounds(0, 0, 200, 19);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  params.WinClassName = STATUSCLASSNAMEA;
  params.Native = true;
  // The layer's Align places it; the bar must not move itself.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
}

void TStatusBar::CreateWnd() {
  SetHeight(DefaultHeight());
  UpdateParts();
  SendMessageA(Handle(), SB_SIMPLE, simplePanel_, 0);
  for (int i = 0; i < PanelCount(); ++i)
    UpdatePanelText(i);
  SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::FontChanged() {
  TControl::FontChanged();
  if (HandleAllocated())
    SetHeight(DefaultHeight());
}

int TStatusBar::DefaultHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  return std::max(19, static_cast<int>(metrics.tmHeight) + 7);
}

TStatusPanel& TStatusBar::AddPanel(int width, TAlignment alignment) {
  panels_.push_back(std::unique_ptr<TStatusPanel>(new TStatusPanel(*this, PanelCount())));
  TStatusPanel& panel = *panels_.back();
  panel.width_ = width;
  panel.alignment_ = alignment;
  UpdateParts();
  return panel;
}

void TStatusBar::UpdateParts() {
  if (!HandleAllocated() || panels_.empty())
    return;
  std::vector<int> edges;
  int right = 0;
  for (auto& panel : panels_) {
    right += panel->width_;
    edges.push_back(right);
  }
  edges.back() = -1;
  SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < PanelCount(); ++i)
    UpdatePanelText(i);
}

std::string TStatusBar::PanelWindowText(const TStatusPanel& panel) const {
  // The native bar centres text after one tab and right-aligns it after two.
  std::string text = panel.alignment_ == TAlignment::taCenter         ? std::string("\t")
                     : panel.alignment_ == TAlignment::taRightJustify ? std::string("\t\t")
                                                                      : std::string();
  return text + panel.text_;
}

void TStatusBar::UpdatePanelText(int index) {
  if (!HandleAllocated())
    return;
  TStatusPanel& panel = Panels(index);
  // The native bar paints at once on every new text, and each message to it is a round trip:
  // a panel painted later only invalidates its place and gives the window its text when the
  // window paints or is asked for it.
  if (panel.paintLater_ && IsWindowVisible(Handle())) {
    panel.waiting_ = true;
    RECT bounds = PanelBounds(index);
    InvalidateRect(Handle(), &bounds, FALSE);
    return;
  }
  panel.waiting_ = false;
  std::string text = PanelWindowText(panel);
  SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
}

// Where the panel lies by its width, the last one to the bar's end.
RECT TStatusBar::PanelBounds(int index) {
  RECT bounds{};
  GetClientRect(Handle(), &bounds);
  int left = 0;
  for (int i = 0; i < index; ++i)
    left += Panels(i).width_;
  bounds.left = left;
  if (index + 1 < PanelCount())
    bounds.right = left + Panels(index).width_;
  return bounds;
}

void TStatusBar::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_PAINT:
  case WM_PRINT:
  case WM_PRINTCLIENT:
  case WM_GETTEXT:
  case WM_GETTEXTLENGTH:
  case SB_GETTEXTA:
  case SB_GETTEXTW:
  case SB_GETTEXTLENGTHA:
  case SB_GETTEXTLENGTHW:
    GiveWaitingTexts();
    break;
  default:
    break;
  }
  TControl::WndProc(message);
}

// With redraw off the window only takes the texts; turning redraw off validates the bar, so
// what was waiting to be painted is invalidated again with the panels.
void TStatusBar::GiveWaitingTexts() {
  std::vector<int> waiting;
  for (int i = 0; i < PanelCount(); ++i)
    if (std::exchange(Panels(i).waiting_, false))
      waiting.push_back(i);
  if (waiting.empty())
    return;
  HWND bar = Handle();
  RECT pending{};
  bool wasPending = GetUpdateRect(bar, &pending, FALSE);
  SendMessageA(bar, WM_SETREDRAW, FALSE, 0);
  for (int index : waiting) {
    std::string text = PanelWindowText(Panels(index));
    SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(bar, WM_SETREDRAW, TRUE, 0);
  if (wasPending)
    InvalidateRect(bar, &pending, FALSE);
  for (int index : waiting) {
    RECT part{};
    if (SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&part)))
      InvalidateRect(bar, &part, FALSE);
  }
}

std::string TStatusBar::WindowPanelText(int index) {
  // The length may count characters (Wine) rather than bytes: room for two bytes each.
  LRESULT length = SendMessageA(Handle(), SB_GETTEXTLENGTHA, static_cast<WPARAM>(index), 0);
  std::string text(LOWORD(length) * 2u + 1u, '\0');
  SendMessageA(Handle(), SB_GETTEXTA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

void TStatusBar::SetSimplePanel(bool simple) {
  simplePanel_ = simple;
  if (HandleAllocated())
    SendMessageA(Handle(), SB_SIMPLE, simple, 0);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  simpleText_ = text;
  if (HandleAllocated())
    SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusPanel::SetText(const std::string& text) {
  if (text == text_)
    return;
  text_ = text;
  bar_.UpdatePanelText(index_);
}

void TStatusPanel::SetWidth(int width) {
  width_ = width;
  bar_.UpdateParts();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  bar_.UpdatePanelText(index_);
}

} // namespace quolin
