// The floating half of TCustomToolWindow: its frame and caption, the hit codes of its borders,
// when it shows, whom it belongs to and where it stands in the z-order, and how it hands the
// activation to its form.
//
// A floating window never keeps the activation: a click answers MA_NOACTIVATE (the form is
// activated instead), an activation that comes anyway goes on to the form, and a window hidden
// while active passes it to the thread's next window.
#include "toolbar/TbDock.h"

#include "toolbar/ToolWindowParts.h"
#include "ui/Application.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace quolin {

namespace {

// The deferred redraws a window posts itself: the frame, and caption parts (wParam bits).
constexpr UINT TW_REDRAWFRAME = 0x17AF;
constexpr UINT TW_REDRAWCAPTION = 0x17B0;

constexpr struct {
  SizingEdges edges;
  LRESULT code;
} BorderCodes[] = {
    {seLeft, HTLEFT},
    {seRight, HTRIGHT},
    {seTop, HTTOP},
    {seBottom, HTBOTTOM},
    {seLeft | seTop, HTTOPLEFT},
    {seRight | seTop, HTTOPRIGHT},
    {seLeft | seBottom, HTBOTTOMLEFT},
    {seRight | seBottom, HTBOTTOMRIGHT},
};

bool ShowsAndNotIconic(HWND window) {
  return IsWindowVisible(window) && !IsIconic(window);
}

// Posts kind to window with the part bits of the posts it replaces.
void PostRedraw(HWND window, UINT kind, WPARAM parts) {
  MSG pending;
  while (PeekMessageA(&pending, window, kind, kind, PM_REMOVE))
    parts |= pending.wParam;
  PostMessageA(window, kind, parts, 0);
}

// The small-caption font in the Japanese character set; the classic face when the metrics
// cannot be read.
TGdiObject<HFONT> CaptionFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA font{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfSmCaptionFont;
  } else {
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
  }
  font.lfCharSet = SHIFTJIS_CHARSET;
  return TGdiObject<HFONT>(CreateFontIndirectA(&font));
}

// DrawCaption's look, drawn by hand: DrawCaption under Wine draws no text with some fonts.
void FillCaption(HDC dc, const RECT& rect, bool active) {
  BOOL gradient = FALSE;
  SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  if (!gradient) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(from));
    FillRect(dc, &rect, brush.get());
    return;
  }
  COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
  auto vertex = [](LONG x, LONG y, COLORREF color) {
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(color) << 8),
                     static_cast<COLOR16>(GetGValue(color) << 8),
                     static_cast<COLOR16>(GetBValue(color) << 8),
                     0};
  };
  TRIVERTEX vertices[] = {vertex(rect.left, rect.top, from), vertex(rect.right, rect.bottom, to)};
  GRADIENT_RECT span{0, 1};
  GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_H);
}

int TextWidth(HDC dc, std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

struct NextWindowSearch {
  HWND leaving;
  HWND application;
  HWND firstPlain = nullptr;
  HWND firstTopmost = nullptr;
};

BOOL CALLBACK FindNextWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<NextWindowSearch*>(context);
  if (window == search->leaving || window == search->application || !IsWindowVisible(window) ||
      !IsWindowEnabled(window))
    return TRUE;
  if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    search->firstPlain = window;
    return FALSE;
  }
  if (!search->firstTopmost)
    search->firstTopmost = window;
  return TRUE;
}

// The window of this thread that takes the activation from leaving: the first top-level one in
// enumeration order that is visible, enabled and not topmost, else the first topmost one.
HWND NextWindowToActivate(HWND leaving) {
  NextWindowSearch search{leaving, Application->Handle()};
  EnumThreadWindows(GetCurrentThreadId(), FindNextWindow, reinterpret_cast<LPARAM>(&search));
  return search.firstPlain ? search.firstPlain : search.firstTopmost;
}

} // namespace

std::vector<TCustomToolWindow*>& FloatingWindows() {
  static std::vector<TCustomToolWindow*> list;
  return list;
}

bool IsFloating(TCustomToolWindow* window) {
  auto& list = FloatingWindows();
  return std::find(list.begin(), list.end(), window) != list.end();
}

SizingEdges EdgesOfBorderCode(WPARAM code) {
  for (const auto& border : BorderCodes)
    if (static_cast<WPARAM>(border.code) == code)
      return border.edges;
  return 0;
}

LRESULT BorderCodeOf(SizingEdges edges) {
  for (const auto& border : BorderCodes)
    if (border.edges == edges)
      return border.code;
  return HTBORDER;
}

TFloatingWindowParent::TFloatingWindowParent(TComponent* owner, TForm* form, TForm* ownerForm)
    : TForm(owner), form_(form) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetPosition(TPosition::poDesigned);
  SetBounds(0, 0, 0, 0);
  SetShowHint(true);
  SetPopupParent(ownerForm);
  FreeNotification(form);
}

void TFloatingWindowParent::SetVisible(bool visible) {
  TControl::SetVisible(visible);
}

bool TFloatingWindowParent::DialogKey(WORD key, TShiftState shift) {
  if (key != VK_ESCAPE || shift != 0 || !form_ || !form_->HandleAllocated())
    return TForm::DialogKey(key, shift);
  ::SetFocus(form_->Handle());
  return true;
}

void TFloatingWindowParent::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TFloatingWindowParent::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == form_)
    form_ = nullptr;
}

void TCustomToolWindow::HookProc(THookKind kind, HWND window, WPARAM wParam, LPARAM) {
  if (kind == hkDestroyWindow) {
    ReownFrom(window);
    return;
  }
  for (TCustomToolWindow* floating : std::vector<TCustomToolWindow*>(FloatingWindows())) {
    if (!IsFloating(floating))
      continue;
    if (kind == hkActivateApp) {
      // Sent before the application's state changes: wParam tells the new one.
      floating->UpdateFloatingVisibility(wParam != 0);
      floating->RedrawCaptionLater(cpCaption);
      continue;
    }
    TForm* form = floating->HostForm();
    if (form && form->HandleAllocated() && form->Handle() == window)
      floating->UpdateFloatingVisibility();
  }
}

// Windows destroys the windows a window owns with it: the floating windows move to their
// floating parents first, and back to the form when they show again.
void TCustomToolWindow::ReownFrom(HWND destroyed) {
  for (TCustomToolWindow* floating : FloatingWindows()) {
    if (!floating->HandleAllocated() || GetWindow(floating->WindowHandle(), GW_OWNER) != destroyed)
      continue;
    TFloatingWindowParent* parent = floating->floatParent_;
    HWND owner = parent && parent->HandleAllocated() && parent->Handle() != destroyed
                     ? parent->Handle()
                     : nullptr;
    SetWindowLongPtrA(floating->WindowHandle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  }
}

bool TCustomToolWindow::FloatingShows(bool appActive) const {
  TForm* form = HostForm();
  if (!Visible() || !form || !form->HandleAllocated() || Application->Minimized())
    return false;
  if (hideWhenInactive_ && !appActive)
    return false;
  HWND formWindow = form->Handle();
  HWND owner = GetWindow(formWindow, GW_OWNER);
  return ShowsAndNotIconic(formWindow) && (!owner || ShowsAndNotIconic(owner));
}

// The floating parent follows Visible; the window itself the visibility rule.
void TCustomToolWindow::UpdateFloatingVisibility(bool appActive) {
  if (!Floating() || !HandleAllocated())
    return;
  floatParent_->SetVisible(Visible());
  bool show = FloatingShows(appActive);
  bool shown = IsWindowVisible(WindowHandle()) != FALSE;
  if (show && !shown)
    ShowFloating();
  else if (!show && shown)
    HideFloating();
  else if (shown)
    UpdateTopmost();
}

void TCustomToolWindow::ShowFloating() {
  HWND window = WindowHandle();
  HWND owner = OwnerWindow();
  if (GetWindow(window, GW_OWNER) != owner)
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  UpdateTopmost();
  PlaceAboveOwnedWindows();
  ShowWindow(window, SW_SHOWNA);
}

void TCustomToolWindow::HideFloating() {
  HWND window = WindowHandle();
  bool wasActive = GetActiveWindow() == window;
  ShowWindow(window, SW_HIDE);
  if (!wasActive)
    return;
  if (HWND next = NextWindowToActivate(window))
    SetActiveWindow(next);
}

// On top of all forms while enabled, else exactly when the owner is.
void TCustomToolWindow::UpdateTopmost() {
  HWND window = WindowHandle();
  bool topmost =
      floatingMode_ == TToolWindowFloatingMode::fmOnTopOfAllForms
          ? IsWindowEnabled(window) != FALSE
          : (GetWindowLongA(GetWindow(window, GW_OWNER), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  bool isTopmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topmost != isTopmost)
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Just above the highest of the windows the owner owns (or the owner itself), so that the
// window shows over its form's other pop-ups without rising over foreign windows.
void TCustomToolWindow::PlaceAboveOwnedWindows() {
  HWND window = WindowHandle();
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner || (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
    return;
  for (HWND walk = GetTopWindow(nullptr); walk; walk = GetWindow(walk, GW_HWNDNEXT)) {
    if (walk == window)
      return; // already above them
    if (walk != owner && (GetWindow(walk, GW_OWNER) != owner || !IsWindowVisible(walk)))
      continue;
    HWND above = GetWindow(walk, GW_HWNDPREV);
    bool aboveTopmost = above && (GetWindowLongA(above, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(window, above && !aboveTopmost ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
}

DockInsets TCustomToolWindow::FloatingFrame() const {
  SIZE frame = FloatingFrameThickness();
  return FloatingInsets(frame.cx, frame.cy, showCaption_ ? GetSystemMetrics(SM_CYSMCAPTION) : 0);
}

SIZE TCustomToolWindow::FloatingFrameThickness() const {
  return {GetSystemMetrics(resizable_ ? SM_CXSIZEFRAME : SM_CXFIXEDFRAME),
          GetSystemMetrics(resizable_ ? SM_CYSIZEFRAME : SM_CYFIXEDFRAME)};
}

DockRect TCustomToolWindow::CaptionRect() const {
  if (!Floating() || !showCaption_)
    return {};
  DockInsets insets = FrameInsets();
  return CaptionBarRect(Width(), insets.left, insets.bottom, insets.top - insets.bottom);
}

// Outside the client area: the close button, the sizing borders of a resizable window, the
// caption (client, so that a press there starts the drag loop), the rest of the frame.
LRESULT TCustomToolWindow::FloatingHitTest(DockPoint point) const {
  if (CloseButtonRect().Contains(point))
    return HTCLOSE;
  if (resizable_) {
    SIZE frame = FloatingFrameThickness();
    int reach = GetSystemMetrics(SM_CYSMCAPTION) - 1 + frame.cy;
    if (SizingEdges edges = BorderEdgesAt(point, Width(), Height(), frame.cx, frame.cy, reach))
      return BorderCodeOf(edges);
  }
  return CaptionRect().Contains(point) ? HTCLIENT : HTBORDER;
}

void TCustomToolWindow::PaintFloatingFrame(HDC dc) {
  RECT whole{0, 0, Width(), Height()};
  FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
  PaintCaption(dc, cpCaption);
}

void TCustomToolWindow::PaintCaption(HDC dc, unsigned parts) {
  DockRect caption = CaptionRect();
  if (caption.Height() <= 0)
    return;
  if (parts & cpCaption) {
    bool active = ApplicationIsActive();
    RECT bar = ToRect(caption);
    FillCaption(dc, bar, active);
    DockRect button = CloseButtonRect();
    RECT text{bar.left + 2, bar.top, (button.Width() > 0 ? button.left : bar.right) - 2,
              bar.bottom};
    TGdiObject<HFONT> font = CaptionFont();
    HGDIOBJ old = SelectObject(dc, font.get());
    std::string shown = FitCaptionText(Caption(), text.right - text.left,
                                       [dc](std::string_view part) { return TextWidth(dc, part); });
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawTextA(dc, shown.data(), static_cast<int>(shown.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  PaintCloseButton(dc);
}

void TCustomToolWindow::RedrawFrameLater() {
  if (HandleAllocated() && IsWindowVisible(WindowHandle()))
    PostRedraw(WindowHandle(), TW_REDRAWFRAME, 0);
}

void TCustomToolWindow::RedrawCaptionLater(unsigned parts) {
  if (HandleAllocated() && IsWindowVisible(WindowHandle()))
    PostRedraw(WindowHandle(), TW_REDRAWCAPTION, parts);
}

void TCustomToolWindow::HandleCaptionDoubleClick() {
  if (lastDock_) {
    SetDockedTo(lastDock_);
    return;
  }
  if (!defaultDock_)
    return;
  dockRow_ = 0;
  dockPos_ = -8;
  SetDockedTo(defaultDock_);
}

// A press on the floating caption drags; a double-click there docks.
void TCustomToolWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Floating())
    return;
  if (!CaptionRect().Contains(InWindow(WindowHandle(), ClientToScreen(POINT{x, y}))))
    return;
  if (shift & ssDouble)
    HandleCaptionDoubleClick();
  else
    BeginMoving(POINT{x, y});
}

void TCustomToolWindow::HandleMouseActivate(TMessage& message) {
  message.Result = MA_NOACTIVATE;
  SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!activateParent_ || floatingMode_ != TToolWindowFloatingMode::fmOnTopOfParentForm)
    return;
  TForm* owner = OwnerForm();
  if (!owner || !owner->HandleAllocated())
    return;
  SetActiveWindow(owner->Handle());
  if (TForm* form = HostForm(); form != owner && form->HandleAllocated())
    form->BringToFront();
}

// Activated all the same (by code): the form keeps its active caption and takes the activation.
void TCustomToolWindow::HandleActivate(TMessage& message) {
  TCustomControl::WndProc(message);
  TForm* form = OwnerForm();
  if (LOWORD(message.WParam) == WA_INACTIVE || !form || !form->HandleAllocated())
    return;
  HWND formWindow = form->Handle();
  if (!IsWindowVisible(formWindow) || !IsWindowEnabled(formWindow))
    return;
  SendMessageA(formWindow, WM_NCACTIVATE, TRUE, 0);
  SetActiveWindow(formWindow);
}

bool TCustomToolWindow::FloatingMessage(TMessage& message) {
  switch (message.Msg) {
  case TW_REDRAWFRAME:
    RedrawFrame();
    return true;
  case TW_REDRAWCAPTION:
    if (Floating())
      PaintNonClient(WindowHandle(), nullptr,
                     [this, &message](HDC dc) { PaintCaption(dc, message.WParam); });
    return true;
  case WM_SETTEXT:
    TCustomControl::WndProc(message);
    RedrawCaptionLater(cpCaption);
    return true;
  case WM_GETMINMAXINFO: {
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    info->ptMinTrackSize = {1, 1};
    info->ptMaxTrackSize = {32767, 32767};
    message.Result = 0;
    return true;
  }
  case WM_ENABLE:
    TCustomControl::WndProc(message);
    if (Floating())
      UpdateTopmost();
    return true;
  default:
    break;
  }
  if (Floating() && message.Msg == WM_MOUSEACTIVATE) {
    HandleMouseActivate(message);
    return true;
  }
  if (Floating() && message.Msg == WM_ACTIVATE) {
    HandleActivate(message);
    return true;
  }
  return false;
}

} // namespace quolin
