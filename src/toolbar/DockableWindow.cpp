// TCustomToolWindow and its floating parent: the docked and floating states, the change
// between them, the frames and the close buttons.
#include "toolbar/TbDock.h"

#include "toolbar/ToolWindowParts.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "ui/Application.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace quolin {

namespace {

// Releases the mouse capture of window on every way out.
class TCaptureHold {
public:
  explicit TCaptureHold(HWND window) : window_(window) { SetCapture(window); }
  ~TCaptureHold() {
    if (GetCapture() == window_)
      ReleaseCapture();
  }
  TCaptureHold(const TCaptureHold&) = delete;
  TCaptureHold& operator=(const TCaptureHold&) = delete;

private:
  HWND window_;
};

} // namespace

TCustomToolWindow::TCustomToolWindow(TComponent* owner) : TCustomControl(owner) {
  static unsigned made = 0;
  creation_ = ++made;
  InstallHookProc(HookProc, HookKinds({hkActivateApp, hkWindowPosChanged, hkDestroyWindow}));
  hooked_ = true;
}

void TCustomToolWindow::BeforeDestruction() {
  if (std::exchange(hooked_, false))
    UninstallHookProc(HookProc);
  auto& floating = FloatingWindows();
  floating.erase(std::remove(floating.begin(), floating.end(), this), floating.end());
  if (floatParent_) {
    // Out of the floating parent first: freeing it would free its children.
    TCustomControl::SetParent(nullptr);
    FreeAndNil(floatParent_);
  }
  TCustomControl::BeforeDestruction();
}

void TCustomToolWindow::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove)
    return;
  if (component == dockedTo_) {
    dockedTo_ = nullptr;
    docked_ = false;
  }
  if (component == lastDock_)
    lastDock_ = nullptr;
  if (component == defaultDock_)
    defaultDock_ = nullptr;
  if (component == pendingForm_)
    pendingForm_ = nullptr;
}

TForm* TCustomToolWindow::HostForm() const {
  TForm* form = ParentForm();
  if (auto* floating = dynamic_cast<TFloatingWindowParent*>(form))
    return floating->FloatingForm();
  return form;
}

TForm* TCustomToolWindow::OwnerForm() const {
  TForm* form = HostForm();
  if (form && form->MDIParent())
    return form->MDIParent();
  return form;
}

HWND TCustomToolWindow::OwnerWindow() const {
  if (floatingMode_ == TToolWindowFloatingMode::fmOnTopOfAllForms)
    return Application->Handle();
  TForm* form = OwnerForm();
  return form ? form->Handle() : nullptr;
}

bool TCustomToolWindow::Floating() const {
  return floatParent_ && Parent() == floatParent_;
}

void TCustomToolWindow::SetParent(TControl* parent) {
  if (Destroying()) {
    TCustomControl::SetParent(parent);
    return;
  }
  auto* dock = dynamic_cast<TDock*>(parent);
  auto* form = dynamic_cast<TForm*>(parent);
  if (auto* floating = dynamic_cast<TFloatingWindowParent*>(parent))
    form = floating->FloatingForm();
  if (parent && !dock && !form)
    throw EInvalidOperation("A tool window can only be placed on a TDock or directly on the form");
  if (Loading()) {
    SetParentWhileLoading(dock, form);
    return;
  }
  bool same = form ? Floating() && floatParent_->FloatingForm() == form : parent == Parent();
  if (!same)
    ChangeParent(dock, form);
}

void TCustomToolWindow::SetDockedTo(TDock* dock) {
  if (dock) {
    SetParent(dock);
    return;
  }
  TForm* form = HostForm();
  if (!form)
    throw ParentRequiredError(*this);
  SetParent(form);
}

// While the owner loads, only the state changes; a window for a form floats once loaded.
void TCustomToolWindow::SetParentWhileLoading(TDock* dock, TForm* form) {
  pendingForm_ = form;
  if (form) {
    FreeNotification(form);
    return;
  }
  TDock* old = dockedTo_;
  TCustomControl::SetParent(dock);
  EnterState(old, dock);
}

void TCustomToolWindow::Loaded() {
  TCustomControl::Loaded();
  if (TForm* form = std::exchange(pendingForm_, nullptr)) {
    SetParent(form);
    return;
  }
  Arrange();
  if (docked_)
    dockedTo_->ArrangeToolbars(false);
}

void TCustomToolWindow::ChangeParent(TDock* dock, TForm* form) {
  Notify(OnDockChanging);
  NotifyDock(OnDockChangingEx, dock);
  Notify(OnRecreating);
  TDock* oldDock = dockedTo_;
  TArrangeHold hold(oldDock, dock);
  {
    TCounted placing(placing_);
    bool wasVisible = Visible();
    if (wasVisible)
      TCustomControl::SetVisible(false);
    NotifyDock(OnDockChangingHidden, dock);
    TFloatingWindowParent* oldFloat = floatParent_;
    floatParent_ = form ? MakeFloatingParent(form) : nullptr;
    TCustomControl::SetParent(floatParent_ ? static_cast<TControl*>(floatParent_) : dock);
    if (oldFloat)
      oldFloat->Free();
    EnterState(oldDock, dock);
    Arrange();
    if (wasVisible) {
      TCustomControl::SetVisible(true);
      if (dock)
        dock->ToolbarVisibilityChanged(this);
    }
    UpdateFloatingVisibility();
  }
  hold.Release();
  Notify(OnRecreated);
  Notify(OnDockChanged);
}

void TCustomToolWindow::EnterState(TDock* oldDock, TDock* dock) {
  dockedTo_ = dock;
  docked_ = dock != nullptr;
  if (dock) {
    FreeNotification(dock);
    if (useLastDock_)
      SetLastDock(dock);
  }
  LeaveDock(oldDock);
  if (dock)
    dock->ChangeDockList(true, this);
  auto& floating = FloatingWindows();
  floating.erase(std::remove(floating.begin(), floating.end(), this), floating.end());
  if (Floating())
    floating.push_back(this);
}

// A dock the window still remembers keeps it on its list, not shown.
void TCustomToolWindow::LeaveDock(TDock* dock) {
  if (!dock || dock == dockedTo_)
    return;
  if (dock == lastDock_)
    dock->ToolbarVisibilityChanged(this);
  else
    dock->ChangeDockList(false, this);
}

TFloatingWindowParent* TCustomToolWindow::MakeFloatingParent(TForm* form) {
  TForm* ownerForm = form->MDIParent() ? form->MDIParent() : form;
  auto* parent = Create<TFloatingWindowParent>(this, {}, form, ownerForm);
  parent->SetName(Format("TbFloatingWindowParent_%.8x", reinterpret_cast<uintptr_t>(parent)));
  return parent;
}

// The window keeps its handle: its styles are swapped in the order SetParent asks for. A child
// window's id goes first, as a pop-up's would be taken for its menu.
void TCustomToolWindow::PlaceWindowOnParent() {
  TControl* parent = Parent();
  if (!parent || !parent->HandleAllocated()) {
    TCustomControl::PlaceWindowOnParent();
    return;
  }
  HWND window = WindowHandle();
  LONG style = GetWindowLongA(window, GWL_STYLE);
  LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  if (Floating()) {
    if (style & WS_CHILD)
      SetWindowLongPtrA(window, GWLP_ID, 0);
    ::SetParent(window, nullptr);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_CHILD) | WS_POPUP);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(OwnerWindow()));
  } else {
    if (style & WS_POPUP)
      SetWindowLongPtrA(window, GWLP_HWNDPARENT, 0);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle & ~WS_EX_TOOLWINDOW);
    ::SetParent(window, parent->Handle());
  }
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomToolWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  // Sizing repaints only what changed: the frame asks for its own redraw.
  params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
  if (!Floating())
    return;
  params.Style = (params.Style & ~WS_CHILD) | WS_POPUP;
  params.ExStyle |= WS_EX_TOOLWINDOW;
  params.WndParent = OwnerWindow();
}

void TCustomToolWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateFloatingVisibility();
}

void TCustomToolWindow::SetVisible(bool visible) {
  if (visible == Visible())
    return;
  TCustomControl::SetVisible(visible);
  if (docked_)
    dockedTo_->ToolbarVisibilityChanged(this);
  UpdateFloatingVisibility();
  Notify(OnVisibleChanged);
}

void TCustomToolWindow::SizeChanging(int, int) {
}

void TCustomToolWindow::WritePositionData(TPositionWriteIntProc, TPositionWriteStringProc, void*) {
}

void TCustomToolWindow::ReadPositionData(TPositionReadIntProc, TPositionReadStringProc, void*) {
}

void TCustomToolWindow::DoneReadingPositionData(TPositionReadIntProc, TPositionReadStringProc,
                                                void*) {
}

void TCustomToolWindow::SetBounds(int left, int top, int width, int height) {
  if (placing_ > 0) {
    TCustomControl::SetBounds(left, top, width, height);
    return;
  }
  bool sized = width != Width() || height != Height();
  if (sized)
    SizeChanging(width, height);
  if (!Parent() || Floating())
    floatingPosition_ = {left, top};
  TCustomControl::SetBounds(left, top, width, height);
  if (sized && docked_)
    dockedTo_->ArrangeToolbars(false);
}

void TCustomToolWindow::Arrange() {
  if (updateCount_ > 0 || !Parent())
    return;
  SIZE content = GetSizeForDock(dockedTo_, true);
  DockInsets insets = FrameInsets();
  POINT at = Floating() ? floatingPosition_ : POINT{Left(), Top()};
  TCounted placing(placing_);
  TCustomControl::SetBounds(at.x, at.y, content.cx + insets.Horizontal(),
                            content.cy + insets.Vertical());
}

void TCustomToolWindow::PlaceByDock(const DockRect& bounds) {
  TCounted placing(placing_);
  TCustomControl::SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
}

void TCustomToolWindow::PositionChanged(POINT before) {
  if (placing_ > 0 || (before.x == Left() && before.y == Top()))
    return;
  if (Floating())
    floatingPosition_ = {Left(), Top()};
  Notify(OnMove);
}

void TCustomToolWindow::BeginUpdate() {
  ++updateCount_;
}

void TCustomToolWindow::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0)
    return;
  Arrange();
  if (docked_)
    dockedTo_->ArrangeToolbars(false);
}

// The frame is computed anew and the window sized to keep its content.
void TCustomToolWindow::Reframe() {
  if (HandleAllocated())
    SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Arrange();
  if (docked_)
    dockedTo_->ArrangeToolbars(false);
}

void TCustomToolWindow::SetBorderStyle(TBorderStyle style) {
  if (std::exchange(borderStyle_, style) != style && docked_)
    RedrawFrame();
}

void TCustomToolWindow::SetCloseButton(bool on) {
  if (std::exchange(closeButton_, on) != on)
    RedrawCaptionLater(cpCaption | cpCloseButton);
}

void TCustomToolWindow::SetCloseButtonWhenDocked(bool on) {
  if (std::exchange(closeButtonWhenDocked_, on) != on && docked_)
    Reframe();
}

void TCustomToolWindow::SetDragHandleStyle(TDragHandleStyle style) {
  if (std::exchange(dragHandleStyle_, style) != style && docked_)
    Reframe();
}

void TCustomToolWindow::SetShowCaption(bool show) {
  if (std::exchange(showCaption_, show) != show && Floating())
    Reframe();
}

void TCustomToolWindow::SetResizable(bool resizable) {
  if (std::exchange(resizable_, resizable) != resizable && Floating())
    Reframe();
}

void TCustomToolWindow::SetFloatingMode(TToolWindowFloatingMode mode) {
  if (std::exchange(floatingMode_, mode) == mode || !Floating() || !HandleAllocated())
    return;
  SetWindowLongPtrA(WindowHandle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(OwnerWindow()));
  UpdateTopmost();
  UpdateFloatingVisibility();
}

void TCustomToolWindow::SetFullSize(bool fullSize) {
  if (std::exchange(fullSize_, fullSize) != fullSize && docked_)
    dockedTo_->ArrangeToolbars(false);
}

void TCustomToolWindow::SetDockPos(int position) {
  dockPos_ = position;
  if (docked_)
    dockedTo_->ArrangeToolbars(false);
}

void TCustomToolWindow::SetDockRow(int row) {
  dockRow_ = row;
  if (docked_)
    dockedTo_->ArrangeToolbars(false);
}

void TCustomToolWindow::SetDefaultDock(TDock* dock) {
  defaultDock_ = dock;
  if (dock)
    FreeNotification(dock);
}

void TCustomToolWindow::SetLastDock(TDock* dock) {
  if (useLastDock_ && docked_)
    dock = dockedTo_;
  if (dock == lastDock_)
    return;
  TDock* old = std::exchange(lastDock_, dock);
  if (old && old != Parent())
    old->ChangeDockList(false, this);
  if (dock) {
    FreeNotification(dock);
    dock->ChangeDockList(true, this);
  }
}

void TCustomToolWindow::SetUseLastDock(bool use) {
  useLastDock_ = use;
  SetLastDock(use ? dockedTo_ : nullptr);
}

void TCustomToolWindow::MoveOnScreen(bool onlyIfFullyOff) {
  if (!Floating())
    return;
  DockRect bounds = ToDockRect(BoundsRect());
  DockRect moved =
      ::quolin::MoveOnScreen(bounds, ToDockRect(Screen->WorkAreaOf(BoundsRect())), onlyIfFullyOff);
  if (!(moved == bounds))
    SetBounds(moved.left, moved.top, Width(), Height());
}

void TCustomToolWindow::Close() {
  bool canClose = true;
  if (OnCloseQuery && EventsAllowed())
    OnCloseQuery(this, canClose);
  if (!canClose)
    return;
  Hide();
  Notify(OnClose);
}

int TCustomToolWindow::HandleSize() const {
  auto* dock = dynamic_cast<TDock*>(Parent());
  return dock && dock->AllowDrag() ? DragHandleSize(dragHandleStyle_, closeButtonWhenDocked_) : 0;
}

DockRect TCustomToolWindow::HandleRect() const {
  auto* dock = dynamic_cast<TDock*>(Parent());
  if (!dock)
    return {};
  return DragHandleRect(Width(), Height(), dock->Vertical(), HandleSize());
}

DockInsets TCustomToolWindow::FrameInsets() const {
  if (auto* dock = dynamic_cast<TDock*>(Parent()))
    return DockedInsets(dock->Vertical(), HandleSize());
  return Floating() ? FloatingFrame() : DockInsets{};
}

DockRect TCustomToolWindow::CloseButtonRect() const {
  if (dynamic_cast<TDock*>(Parent()))
    return closeButtonWhenDocked_ && HandleSize() > 0 ? DockedCloseButtonRect(HandleRect())
                                                      : DockRect{};
  if (!closeButton_)
    return {};
  DockRect caption = CaptionRect();
  return caption.Height() > 0 ? CaptionCloseButtonRect(caption) : DockRect{};
}

LRESULT TCustomToolWindow::HitTest(POINT screen) const {
  DockPoint point = InWindow(WindowHandle(), screen);
  DockInsets insets = FrameInsets();
  DockRect client{insets.left, insets.top, Width() - insets.right, Height() - insets.bottom};
  if (client.Contains(point))
    return HTCLIENT;
  if (Floating())
    return FloatingHitTest(point);
  return CloseButtonRect().Contains(point) ? HTCLOSE : HTBORDER;
}

void TCustomToolWindow::FillWithBackground(HDC dc, const RECT& rect, POINT dockOrigin) {
  if (docked_ && dockedTo_->ToolbarsShowBackground())
    dockedTo_->DrawBackground(dc, rect, dockOrigin);
  else
    FillRect(dc, &rect, Brush());
}

void TCustomToolWindow::PaintFrame(HDC dc) {
  DockInsets insets = FrameInsets();
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, insets.left, insets.top, Width() - insets.right, Height() - insets.bottom);
  if (auto* dock = dynamic_cast<TDock*>(Parent()))
    PaintDockedFrame(dc, *dock);
  else if (Floating())
    PaintFloatingFrame(dc);
  PaintCloseButton(dc);
  RestoreDC(dc, saved);
}

void TCustomToolWindow::PaintDockedFrame(HDC dc, const TDock& dock) {
  RECT whole{0, 0, Width(), Height()};
  FillWithBackground(dc, whole, POINT{-Left(), -Top()});
  if (borderStyle_ == TBorderStyle::bsSingle)
    DrawEdge(dc, &whole, BDR_RAISEDINNER, BF_RECT);
  if (HandleSize() == 0)
    return;
  for (const DockRect& bar :
       DragHandleBars(HandleRect(), dock.Vertical(), dragHandleStyle_, closeButtonWhenDocked_)) {
    RECT rect = ToRect(bar);
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
  }
}

void TCustomToolWindow::PaintCloseButton(HDC dc) {
  DockRect button = CloseButtonRect();
  if (button.Width() <= 0)
    return;
  RECT rect = ToRect(button);
  DrawFrameControl(dc, &rect, DFC_CAPTION,
                   DFCS_CAPTIONCLOSE | (closeButtonDown_ ? DFCS_PUSHED : 0));
}

void TCustomToolWindow::RedrawFrame() {
  if (HandleAllocated())
    RedrawWindow(WindowHandle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// The button looks pushed while the pointer is over it; releasing it there closes the window.
void TCustomToolWindow::TrackCloseButton() {
  HWND window = WindowHandle();
  auto over = [this, window](POINT screen) {
    return CloseButtonRect().Contains(InWindow(window, screen));
  };
  bool released = false;
  {
    TCaptureHold capture(window);
    closeButtonDown_ = true;
    RedrawFrame();
    MSG message;
    while (GetCapture() == window) {
      if (!GetMessageA(&message, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (message.message == WM_LBUTTONUP) {
        released = over(message.pt);
        break;
      }
      if (message.message == WM_MOUSEMOVE) {
        if (over(message.pt) != closeButtonDown_) {
          closeButtonDown_ = !closeButtonDown_;
          RedrawFrame();
        }
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  closeButtonDown_ = false;
  RedrawFrame();
  if (released)
    Close();
}

// Presses on the frame: the close buttons track, sizing borders size, the drag handle drags.
void TCustomToolWindow::HandleNCPress(TMessage& message) {
  const POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  const bool doubleClick = message.Msg == WM_NCLBUTTONDBLCLK;
  message.Result = 0;
  // A quick second press on the close button is a press all the same.
  if (message.WParam == HTCLOSE) {
    TrackCloseButton();
    return;
  }
  if (SizingEdges edges = EdgesOfBorderCode(message.WParam)) {
    if (!doubleClick)
      RunSizingLoop(edges);
    return;
  }
  if (!HandleRect().Contains(InWindow(WindowHandle(), screen))) {
    DefaultHandler(message);
    return;
  }
  if (doubleClick)
    HandleDoubleClick(screen);
  else
    BeginMoving(ScreenToClient(screen));
}

void TCustomToolWindow::HandleDoubleClick(POINT screen) {
  DockPoint point = InWindow(WindowHandle(), screen);
  if (!docked_ || dockMode_ != TToolWindowDockMode::dmCanFloat || !HandleRect().Contains(point) ||
      CloseButtonRect().Contains(point))
    return;
  SetDockedTo(nullptr);
  MoveOnScreen(true);
}

void TCustomToolWindow::WndProc(TMessage& message) {
  const POINT messagePoint{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  switch (message.Msg) {
  case WM_NCCALCSIZE:
    ApplyNCInsets(message.LParam, FrameInsets());
    message.Result = 0;
    return;
  case WM_NCPAINT:
    PaintNonClient(WindowHandle(), reinterpret_cast<HRGN>(message.WParam),
                   [this](HDC dc) { PaintFrame(dc); });
    message.Result = 0;
    return;
  case WM_NCACTIVATE:
    // The system's caption would cover the frame.
    RedrawFrame();
    message.Result = TRUE;
    return;
  case WM_NCHITTEST:
    message.Result = HitTest(messagePoint);
    return;
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONDBLCLK:
    HandleNCPress(message);
    return;
  case WM_CLOSE:
    if (TForm* form = HostForm())
      form->Perform(WM_CLOSE);
    message.Result = 0;
    return;
  case WM_PRINT:
    PrintWindowWithNC(WindowHandle(), reinterpret_cast<HDC>(message.WParam), message.LParam,
                      [this](HDC dc) { PaintFrame(dc); });
    message.Result = 0;
    return;
  case WM_ERASEBKGND:
    if (!docked_ || !dockedTo_->ToolbarsShowBackground())
      break;
    {
      DockInsets insets = FrameInsets();
      RECT client = ClientRect();
      FillWithBackground(reinterpret_cast<HDC>(message.WParam), client,
                         POINT{-(Left() + insets.left), -(Top() + insets.top)});
    }
    message.Result = 1;
    return;
  case WM_WINDOWPOSCHANGED: {
    POINT before{Left(), Top()};
    TCustomControl::WndProc(message);
    PositionChanged(before);
    return;
  }
  default:
    if (FloatingMessage(message))
      return;
    break;
  }
  TCustomControl::WndProc(message);
}

void TCustomToolWindow::Notify(const TNotifyEvent& event) {
  if (event && EventsAllowed())
    event(this);
}

void TCustomToolWindow::NotifyDock(const TDockChangingExEvent& event, TDock* dock) {
  if (event && EventsAllowed())
    event(this, dock);
}

} // namespace quolin
