#include "editor/EditorControl.h"

#include <algorithm>
#include <utility>

namespace quolin {

bool TEditor::HasBar(int bar) const {
  if (scrollBars_ == TScrollStyle::ssBoth)
    return true;
  return bar == SB_HORZ ? scrollBars_ == TScrollStyle::ssHorizontal
                        : scrollBars_ == TScrollStyle::ssVertical;
}

void TEditor::UpdateMetrics() {
  ClearStyleFonts();
  spacing_.clear();
  italic_ = ComputeItalic();
  if (!HandleAllocated())
    return;
  HWND window = WindowHandle();
  TEXTMETRICA metrics{};
  HDC dc = GetDC(window);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, oldFont);
  ReleaseDC(window, dc);
  charHeight_ = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
  pitch_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth) + margin_.Character());
  rowHeight_ = std::max(1, charHeight_ + margin_.Line() + underlineExtra_);
  int height = Height() - margin_.Top() - 5;
  if (HasBar(SB_HORZ))
    height -= GetSystemMetrics(SM_CYHSCROLL);
  visibleRows_ = std::max(0, height / rowHeight_);
  int width = Width() - margin_.Left() - pitch_ / 2;
  if (HasBar(SB_VERT))
    width -= GetSystemMetrics(SM_CXVSCROLL);
  visibleCols_ = std::max(0, width / pitch_);
}

int TEditor::LastScrollTopRow() const {
  // What the vertical bar reaches: its maximum less its page plus one.
  return std::max(0, std::max(visibleRows_, maxTopRow_) - std::max(visibleRows_ - 1, 0));
}

void TEditor::UpdateScrollBars() {
  maxTopRow_ = std::max(0, RowCount() - 1 + visibleRows_ - 1);
  if (!HandleAllocated())
    return;
  if (Deferring()) {
    deferred_.bars = true;
    return;
  }
  if (topRow_ > maxTopRow_ || topCol_ > MaxTopCol()) {
    topRow_ = std::min(topRow_, maxTopRow_);
    topCol_ = std::clamp(topCol_, 0, std::max(0, MaxTopCol()));
    InvalidateTextArea();
  }
  if (HasBar(SB_VERT))
    SetBar(SB_VERT, std::max(visibleRows_, maxTopRow_), visibleRows_, topRow_);
  if (HasBar(SB_HORZ))
    SetBar(SB_HORZ, visibleCols_ / 2 + kMaxCol, visibleCols_, topCol_);
}

// The platform redraws a bar on every SetScrollInfo, even one that changes nothing.
void TEditor::SetBar(int bar, int max, int page, int pos) {
  BarSetting setting{max, page, pos};
  if (barSettings_[static_cast<size_t>(bar)] == setting)
    return;
  barSettings_[static_cast<size_t>(bar)] = setting;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = max;
  info.nPage = static_cast<UINT>(page);
  info.nPos = pos;
  ++scrollInfoSets_;
  SetScrollInfo(WindowHandle(), bar, &info, BarRedraw());
}

// A window not yet shown gets its bars drawn when it shows; drawing them now is wasted.
BOOL TEditor::BarRedraw() const {
  return IsWindowVisible(WindowHandle());
}

void TEditor::SetBarPos(int bar, int pos) {
  int& stored = barSettings_[static_cast<size_t>(bar)].pos;
  if (stored == pos)
    return;
  stored = pos;
  ++scrollInfoSets_;
  SetScrollPos(WindowHandle(), bar, pos, BarRedraw());
}

void TEditor::HandleScroll(int bar, WPARAM wParam) {
  bool vertical = bar == SB_VERT;
  int top = vertical ? topRow_ : topCol_;
  int page = vertical ? visibleRows_ : visibleCols_;
  int delta = 0;
  switch (LOWORD(wParam)) {
  case SB_LINEUP:
    delta = -1;
    break;
  case SB_LINEDOWN:
    delta = 1;
    break;
  case SB_PAGEUP:
    delta = std::min(-1, -page);
    break;
  case SB_PAGEDOWN:
    delta = std::max(1, page);
    break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK:
    if (vertical) {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(WindowHandle(), SB_VERT, &info);
      delta = info.nTrackPos - top;
    } else {
      delta = HIWORD(wParam) - top;
    }
    break;
  case SB_TOP:
    delta = -top;
    break;
  case SB_BOTTOM:
    delta = vertical ? maxTopRow_ - top : visibleCols_ / 2 + kMaxCol - top;
    break;
  default:
    return;
  }
  int last = vertical ? std::min(LastScrollTopRow(), RowCount()) : MaxTopCol();
  delta = std::clamp(top + delta, 0, std::max(0, last)) - top;
  if (delta == 0)
    return;
  if (!vertical) {
    SetTopCol(top + delta);
    return;
  }
  SetTopRow(top + delta);
  if (caret_.LockScroll)
    SetRow(row_ + delta);
}

void TEditor::SetTopRow(int row) {
  row = std::clamp(row, 0, RowCount());
  if (row == topRow_)
    return;
  CaretHide();
  BeginCaretMove();
  // What is pending is painted with the rows it was invalidated for.
  if (HandleAllocated())
    UpdateWindow(WindowHandle());
  int rows = std::clamp(topRow_ - row, -(visibleRows_ + 1), visibleRows_ + 1);
  topRow_ = row;
  ScrollClient(0, rows * rowHeight_, TextArea(), false);
  if (HandleAllocated() && HasBar(SB_VERT))
    SetBarPos(SB_VERT, topRow_);
  UpdateImeWindow();
  EndCaretMove();
  CaretShow();
  DoTopRowChange();
}

void TEditor::SetTopCol(int col) {
  col = std::clamp(col, 0, std::max(0, MaxTopCol()));
  if (col == topCol_)
    return;
  CaretHide();
  BeginCaretMove();
  if (HandleAllocated())
    UpdateWindow(WindowHandle());
  int columns = topCol_ - col;
  topCol_ = col;
  ScrollClient(columns * pitch_, 0, TextArea(), false);
  if (HandleAllocated() && HasBar(SB_HORZ))
    SetBarPos(SB_HORZ, topCol_);
  UpdateImeWindow();
  EndCaretMove();
  CaretShow();
  DoTopColChange();
}

void TEditor::ScrollClient(int dx, int dy, const RECT& clip, bool update) {
  if (!HandleAllocated() || IsRectEmpty(&clip))
    return;
  HWND window = WindowHandle();
  // Rows waiting to be painted are invalidated where they stand before the pixels move.
  InvalidatePendingRows();
  if (update)
    UpdateWindow(window);
  // The system moves a caret that lies in the scrolled area.
  caretPosValid_ = false;
  RECT uncovered{};
  ScrollWindowEx(window, dx, dy, &clip, &clip, nullptr, &uncovered, SW_INVALIDATE);
  InvalidateRect(window, &uncovered, FALSE);
  UpdateWindow(window);
}

RECT TEditor::TextArea() {
  RECT client = ClientRect();
  RECT area{margin_.Left(), margin_.Top(), client.right, client.bottom};
  if (area.right < area.left)
    area.right = area.left;
  if (area.bottom < area.top)
    area.bottom = area.top;
  return area;
}

RECT TEditor::RowsRect(int first, int last) {
  RECT area = TextArea();
  first = std::max(first, topRow_);
  int lastInView = topRow_ + (area.bottom - area.top - 1) / rowHeight_;
  last = std::min(last, lastInView);
  RECT rows{};
  if (first > last)
    return rows;
  rows = RECT{area.left, margin_.Top() + (first - topRow_) * rowHeight_, area.right,
              margin_.Top() + (last - topRow_ + 1) * rowHeight_};
  IntersectRect(&rows, &rows, &area);
  return rows;
}

bool TEditor::RepaintsNow() {
  if (!HandleAllocated())
    return false;
  if (Deferring()) {
    deferred_.repaint = true;
    return false;
  }
  return true;
}

void TEditor::RepaintRow(int row) {
  if (!RepaintsNow())
    return;
  RECT rows = RowsRect(row, row);
  UnionRect(&pendingRows_, &pendingRows_, &rows);
}

void TEditor::InvalidatePendingRows() {
  RECT rows = std::exchange(pendingRows_, RECT{});
  if (HandleAllocated() && !IsRectEmpty(&rows))
    InvalidateRect(WindowHandle(), &rows, FALSE);
}

void TEditor::InvalidateRows(int first, int last, bool paintNow) {
  if (!RepaintsNow())
    return;
  // One invalidation for these rows and those gathered before: each is a round trip.
  RECT rows = RowsRect(first, last);
  UnionRect(&rows, &rows, &pendingRows_);
  pendingRows_ = RECT{};
  if (IsRectEmpty(&rows))
    return;
  InvalidateRect(WindowHandle(), &rows, FALSE);
  if (paintNow)
    UpdateWindow(WindowHandle());
}

void TEditor::InvalidateRow(int row) {
  InvalidateRows(row, row);
}

void TEditor::InvalidateTextArea() {
  if (!RepaintsNow())
    return;
  RECT area = TextArea();
  pendingRows_ = RECT{};
  InvalidateRect(WindowHandle(), &area, FALSE);
  UpdateWindow(WindowHandle());
}

void TEditor::ScrollRows(int row, int delta) {
  if (delta == 0 || !RepaintsNow())
    return;
  RECT area = TextArea();
  area.top = std::max(area.top, static_cast<LONG>(margin_.Top() + (row - topRow_) * rowHeight_));
  if (area.top < area.bottom)
    ScrollClient(0, delta * rowHeight_, area, true);
}

POINT TEditor::PointToCell(int x, int y, bool rounded) const {
  int offset = rounded ? x + pitch_ / 2 - 1 - margin_.Left() : x - margin_.Left();
  return POINT{std::max(0, offset / pitch_ + topCol_), (y - margin_.Top()) / rowHeight_ + topRow_};
}

void TEditor::Resize() {
  UpdateMetrics();
  UpdateScrollBars();
  Invalidate();
  TCustomControl::Resize();
}

void TEditor::FontChanged() {
  TCustomControl::FontChanged();
  if (!store_)
    return;
  if (topCol_ > 0)
    SetCol(0);
  UpdateMetrics();
  UpdateScrollBars();
  UpdateCaret(true);
}

} // namespace quolin
