#include "core/DockGeometry.h"

#include <algorithm>

namespace quolin {

bool Intersects(const DockRect& a, const DockRect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

int DragHandleSize(TDragHandleStyle style, bool closeButtonWhenDocked) {
  if (closeButtonWhenDocked)
    return 14;
  constexpr int sizes[] = {9, 0, 6};
  return sizes[static_cast<int>(style)];
}

DockInsets DockedInsets(bool verticalDock, int handleSize) {
  DockInsets insets{DockedFrameSize, DockedFrameSize, DockedFrameSize, DockedFrameSize};
  (verticalDock ? insets.top : insets.left) += handleSize;
  return insets;
}

DockRect DragHandleRect(int width, int height, bool verticalDock, int handleSize) {
  const int frame = DockedFrameSize;
  if (verticalDock)
    return {frame, frame, width - frame, frame + handleSize};
  return {frame, frame, frame + handleSize, height - frame};
}

DockRect DockedCloseButtonRect(const DockRect& handle) {
  int side = std::min(handle.Width(), handle.Height()) - 4;
  return {handle.left + 2, handle.top + 2, handle.left + 2 + side, handle.top + 2 + side};
}

std::vector<DockRect> DragHandleBars(const DockRect& handle, bool verticalDock,
                                     TDragHandleStyle style, bool closeButtonWhenDocked) {
  constexpr int BarWidth = 3;
  const int count = style == TDragHandleStyle::dhDouble   ? 2
                    : style == TDragHandleStyle::dhSingle ? 1
                                                          : 0;
  const int across = verticalDock ? handle.Height() : handle.Width();
  const int acrossStart =
      (verticalDock ? handle.top : handle.left) + (across - count * BarWidth - 1) / 2;
  int alongStart = (verticalDock ? handle.left : handle.top) + 2;
  if (closeButtonWhenDocked)
    alongStart += DockedCloseButtonRect(handle).Width() + 2;
  const int alongEnd = (verticalDock ? handle.right : handle.bottom) - 2;
  std::vector<DockRect> bars;
  for (int i = 0; i < count; ++i) {
    int from = acrossStart + i * BarWidth;
    bars.push_back(verticalDock ? DockRect{alongStart, from, alongEnd, from + BarWidth}
                                : DockRect{from, alongStart, from + BarWidth, alongEnd});
  }
  return bars;
}

DockInsets FloatingInsets(int frameX, int frameY, int caption) {
  return {frameX, frameY + caption, frameX, frameY};
}

DockRect CaptionBarRect(int width, int frameX, int frameY, int caption) {
  return {frameX, frameY, width - frameX, frameY + caption - 1};
}

DockRect CaptionCloseButtonRect(const DockRect& captionBar) {
  int side = captionBar.Height() - 4;
  return {captionBar.right - 2 - side, captionBar.top + 2, captionBar.right - 2,
          captionBar.top + 2 + side};
}

DockRect MoveOnScreen(const DockRect& window, const DockRect& workArea, bool onlyIfFullyOff) {
  if (onlyIfFullyOff && Intersects(window, workArea))
    return window;
  int dx = 0;
  int dy = 0;
  if (window.right > workArea.right)
    dx -= window.right - workArea.right;
  if (window.bottom > workArea.bottom)
    dy -= window.bottom - workArea.bottom;
  if (window.left + dx < workArea.left)
    dx += workArea.left - (window.left + dx);
  if (window.top + dy < workArea.top)
    dy += workArea.top - (window.top + dy);
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

} // namespace quolin
