// The modal loops that move a dockable window between docks and to a floating place, and size a
// floating one. Both capture the mouse and read the thread's messages themselves, drawing an
// inverted outline on the locked desktop; everything they take is given back on every way out.
#include "toolbar/TbDock.h"

#include "toolbar/ToolWindowParts.h"
#include "ui/Application.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace quolin {

namespace {

TGdiObject<HRGN> FrameRegion(const RECT& rect, SIZE thickness) {
  TGdiObject<HRGN> frame(CreateRectRgn(0, 0, 0, 0));
  if (IsRectEmpty(&rect))
    return frame;
  TGdiObject<HRGN> outer(CreateRectRgnIndirect(&rect));
  TGdiObject<HRGN> inner(
      CreateRectRgn(rect.left + thickness.cx, rect.top + thickness.cy,
                    std::max(rect.left + thickness.cx, rect.right - thickness.cx),
                    std::max(rect.top + thickness.cy, rect.bottom - thickness.cy)));
  CombineRgn(frame.get(), outer.get(), inner.get(), RGN_DIFF);
  return frame;
}

// What a capture loop holds: the desktop's update lock, its DC, the outline drawn there, the
// mouse capture and the cursor clip, given back in reverse order, also when an exception passes.
class TLoopHold {
public:
  // clip: the area the cursor stays in (nullptr: none).
  TLoopHold(HWND window, const RECT* clip)
      : window_(window), desktop_(GetDesktopWindow()), locked_(LockWindowUpdate(desktop_) != FALSE),
        dc_(GetDCEx(desktop_, nullptr, DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW)) {
    static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    pattern_.reset(CreateBitmap(8, 8, 1, 1, rows));
    brush_.reset(CreatePatternBrush(pattern_.get()));
    SetCapture(window);
    if (!clip)
      return;
    GetClipCursor(&oldClip_);
    clipped_ = ClipCursor(clip) != FALSE;
  }
  ~TLoopHold() {
    if (clipped_)
      ClipCursor(&oldClip_);
    if (GetCapture() == window_)
      ReleaseCapture();
    DrawOutline(RECT{}, SIZE{});
    ReleaseDC(desktop_, dc_);
    if (locked_)
      LockWindowUpdate(nullptr);
  }
  TLoopHold(const TLoopHold&) = delete;
  TLoopHold& operator=(const TLoopHold&) = delete;

  // Inverts the old and the new outline as one region, so that their shared parts stay put.
  void DrawOutline(const RECT& rect, SIZE thickness) {
    TGdiObject<HRGN> change = FrameRegion(outline_, thickness_);
    TGdiObject<HRGN> next = FrameRegion(rect, thickness);
    CombineRgn(change.get(), change.get(), next.get(), RGN_XOR);
    outline_ = rect;
    thickness_ = thickness;
    RECT box;
    if (GetRgnBox(change.get(), &box) == NULLREGION)
      return;
    SelectClipRgn(dc_, change.get());
    HGDIOBJ old = SelectObject(dc_, brush_.get());
    PatBlt(dc_, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    SelectObject(dc_, old);
    SelectClipRgn(dc_, nullptr);
  }

private:
  HWND window_;
  HWND desktop_;
  bool locked_;
  HDC dc_;
  TGdiObject<HBITMAP> pattern_;
  TGdiObject<HBRUSH> brush_;
  RECT outline_{};
  SIZE thickness_{};
  bool clipped_ = false;
  RECT oldClip_{};
};

bool IsRepeat(const MSG& message) {
  return message.message == WM_KEYDOWN && (message.lParam & (1 << 30));
}

// Reads the thread's messages while window holds the capture; changed runs on every move, when
// Control goes down or up (ctrl toggled) and at the release, with the pointer's place when the
// message was made: a loop running behind the pointer still ends where the button went up.
// True when the left button was released, false when the loop was cancelled or lost the
// capture.
bool RunCaptureLoop(HWND window, bool& ctrl, const std::function<void(DockPoint)>& changed) {
  MSG message;
  while (GetCapture() == window) {
    if (!GetMessageA(&message, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    const DockPoint at{message.pt.x, message.pt.y};
    switch (message.message) {
    case WM_LBUTTONUP:
      changed(at);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return false;
    case WM_MOUSEMOVE:
      changed(at);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (message.wParam == VK_ESCAPE && message.message == WM_KEYDOWN)
        return false;
      if (message.wParam == VK_CONTROL && !IsRepeat(message)) {
        ctrl = !ctrl;
        changed(at);
      }
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      break;
    default:
      TranslateMessage(&message);
      DispatchMessageA(&message);
      break;
    }
  }
  return false;
}

BOOL CALLBACK PaintNow(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

// The thread's windows paint what they owe before the desktop is locked.
void PaintPending() {
  EnumThreadWindows(GetCurrentThreadId(), PaintNow, 0);
}

DockPoint CursorPoint() {
  POINT at;
  GetCursorPos(&at);
  return {at.x, at.y};
}

DockRect WorkAreaAt(DockPoint point) {
  return ToDockRect(Screen->WorkAreaOf(RECT{point.x, point.y, point.x + 1, point.y + 1}));
}

} // namespace

// One drag of a window: its candidate docks with the size it takes on each, and the outline
// the pointer makes.
class TToolWindowDrag {
public:
  TToolWindowDrag(TCustomToolWindow& window, POINT press);
  void Run();

private:
  struct Candidate {
    TDock* dock;
    DockSize size;
  };
  TCustomToolWindow& window_;
  HWND handle_;
  DragGrip grip_;
  DockSize floatingSize_;
  std::vector<Candidate> candidates_;
  bool ctrl_;
  HCURSOR savedCursor_;
  TDock* target_ = nullptr;
  DockRect rect_{};

  void Collect(const TControl& container);
  void Add(TDock* dock);
  void Recompute(TLoopHold& hold, DockPoint cursor);
  bool FindTarget(DockPoint cursor);
  void Drop();
  void DropOnDock(TDock* dock);
};

TToolWindowDrag::TToolWindowDrag(TCustomToolWindow& window, POINT press)
    : window_(window), handle_(window.Handle()), ctrl_(GetKeyState(VK_CONTROL) < 0),
      savedCursor_(GetCursor()) {
  POINT screen = window.ClientToScreen(press);
  grip_ = GripOf(InWindow(handle_, screen), window.Width(), window.Height());
  SIZE floating = window.GetSizeForDock(nullptr, false);
  DockInsets frame = window.FloatingFrame();
  floatingSize_ = {floating.cx + frame.Horizontal(), floating.cy + frame.Vertical()};
  if (window.dockMode_ == TToolWindowDockMode::dmCannotFloatOrChangeDocks) {
    if (window.docked_)
      Add(window.dockedTo_);
  } else if (TForm* form = window.HostForm()) {
    Collect(*form);
  }
}

// Depth first; inside each container its docks by position first, then the other children.
void TToolWindowDrag::Collect(const TControl& container) {
  auto usable = [this](TControl* control) { return control != &window_ && control->Showing(); };
  for (TDockPosition position : {dpTop, dpBottom, dpLeft, dpRight})
    for (int i = 0; i < container.ControlCount(); ++i) {
      auto* dock = dynamic_cast<TDock*>(container.Controls(i));
      if (dock && dock->Position() == position && usable(dock) && dock->AllowDrag() &&
          (window_.dockableTo_ & (1u << position)))
        Add(dock);
    }
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* child = container.Controls(i);
    if (!dynamic_cast<TDock*>(child) && usable(child))
      Collect(*child);
  }
}

void TToolWindowDrag::Add(TDock* dock) {
  if (dock == window_.dockedTo_) {
    candidates_.push_back({dock, {window_.Width(), window_.Height()}});
    return;
  }
  SIZE content = window_.GetSizeForDock(dock, false);
  int handle = dock->AllowDrag()
                   ? DragHandleSize(window_.dragHandleStyle_, window_.closeButtonWhenDocked_)
                   : 0;
  DockInsets frame = DockedInsets(dock->Vertical(), handle);
  candidates_.push_back({dock, {content.cx + frame.Horizontal(), content.cy + frame.Vertical()}});
}

void TToolWindowDrag::Run() {
  PaintPending();
  bool accepted = false;
  {
    TLoopHold hold(handle_, nullptr);
    Recompute(hold, CursorPoint());
    accepted = RunCaptureLoop(handle_, ctrl_, [&](DockPoint at) { Recompute(hold, at); });
    SetCursor(savedCursor_);
  }
  if (accepted && rect_.Width() > 0)
    Drop();
}

bool TToolWindowDrag::FindTarget(DockPoint cursor) {
  target_ = nullptr;
  if (ctrl_)
    return false;
  for (const Candidate& candidate : candidates_) {
    TDock* dock = candidate.dock;
    RECT bounds;
    GetWindowRect(dock->Handle(), &bounds);
    if (!DockAcceptsDrop(ToDockRect(bounds), dock->Vertical(), cursor, candidate.size, grip_))
      continue;
    bool accept = true;
    if (dock->OnRequestDock)
      dock->OnRequestDock(dock, &window_, accept);
    if (accept) {
      target_ = dock;
      rect_ = PlaceDragRect(cursor, candidate.size, grip_);
      return true;
    }
  }
  return false;
}

void TToolWindowDrag::Recompute(TLoopHold& hold, DockPoint cursor) {
  if (FindTarget(cursor)) {
    SetCursor(savedCursor_);
    hold.DrawOutline(ToRect(rect_), SIZE{1, 1});
    return;
  }
  DockRect work = WorkAreaAt(cursor);
  DockInsets frame = window_.FloatingFrame();
  rect_ = KeepFloatingOnScreen(PlaceDragRect(ClampIntoArea(cursor, work), floatingSize_, grip_),
                               work, frame.left, frame.bottom, frame.top - frame.bottom);
  if (window_.dockMode_ != TToolWindowDockMode::dmCanFloat)
    rect_ = {};
  SetCursor(rect_.Width() > 0 ? savedCursor_ : LoadCursor(nullptr, IDC_NO));
  hold.DrawOutline(ToRect(rect_), window_.FloatingFrameThickness());
}

void TToolWindowDrag::Drop() {
  if (target_) {
    DropOnDock(target_);
  } else {
    window_.floatingPosition_ = {rect_.left, rect_.top};
    if (window_.Floating())
      window_.SetBounds(rect_.left, rect_.top, window_.Width(), window_.Height());
    else
      window_.SetDockedTo(nullptr);
  }
  window_.MoveOnScreen(true);
}

// The row comes from the outline's centre across the rows: a new row in front of the one it
// names, or after it for a full-size window joining others.
void TToolWindowDrag::DropOnDock(TDock* dock) {
  RECT bounds = ToRect(rect_);
  MapWindowPoints(nullptr, dock->Handle(), reinterpret_cast<POINT*>(&bounds), 2);
  DockRect local = ToDockRect(bounds);
  TArrangeHold hold(dock, nullptr);
  DockRowHit hit = dock->GetRowOf(DropRowPosition(local, dock->Vertical()));
  int row = hit.row;
  if (hit.before)
    dock->InsertRowBefore(row);
  else if (window_.fullSize_ && dock->GetNumberOfToolbarsOnRow(row, &window_) > 0)
    dock->InsertRowBefore(++row);
  window_.dockRow_ = row;
  window_.dockPos_ = dock->Vertical() ? local.top : local.left;
  if (window_.dockedTo_ == dock)
    dock->ArrangeToolbars(false);
  else
    window_.SetDockedTo(dock);
}

void TCustomToolWindow::BeginMoving(POINT press) {
  TToolWindowDrag(*this, press).Run();
  // Ends the press the control layer tracks since the button went down.
  Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
}

void TCustomToolWindow::BeginSizing(SizingEdges) {
}

void TCustomToolWindow::AdjustSizingRect(SizingEdges, DockRect&) {
}

void TCustomToolWindow::EndSizing(bool) {
}

// The moving edges follow the pointer's travel down to the minimum outer size; on a single
// monitor the pointer stays on the work area meanwhile.
void TCustomToolWindow::RunSizingLoop(SizingEdges edges) {
  HWND window = WindowHandle();
  RECT start;
  GetWindowRect(window, &start);
  const DockPoint press = CursorPoint();
  const SIZE minimumClient = GetMinimumClientSize();
  const DockInsets frame = FrameInsets();
  const DockSize minimum{minimumClient.cx + frame.Horizontal(),
                         minimumClient.cy + frame.Vertical()};
  const SIZE thickness = FloatingFrameThickness();
  const RECT work = Screen->WorkAreaOf(start);
  BeginSizing(edges);
  DockRect rect = ToDockRect(start);
  bool accepted = false;
  {
    TLoopHold hold(window, GetSystemMetrics(SM_CMONITORS) == 1 ? &work : nullptr);
    hold.DrawOutline(start, thickness);
    bool ctrl = false;
    accepted = RunCaptureLoop(window, ctrl, [&](DockPoint at) {
      rect = SizeByTravel(ToDockRect(start), edges, {at.x - press.x, at.y - press.y}, minimum);
      AdjustSizingRect(edges, rect);
      hold.DrawOutline(ToRect(rect), thickness);
    });
  }
  if (accepted)
    SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
  EndSizing(accepted);
}

} // namespace quolin
