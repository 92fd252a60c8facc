#include "core/DockGeometry.h"

#include "core/Sjis.h"

#include <algorithm>
#include <cstdint>
#include <limits>

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

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0)
    return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  // Truncation after adding half the divisor away from zero rounds halves away from zero.
  int64_t half = divisor / 2;
  int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  if (result > std::numeric_limits<int>::max() || result <= std::numeric_limits<int>::min())
    return -1;
  return static_cast<int>(result);
}

DragGrip GripOf(DockPoint pressInWindow, int outerWidth, int outerHeight) {
  return {pressInWindow, {outerWidth - 1, outerHeight - 1}};
}

DockRect PlaceDragRect(DockPoint cursor, DockSize size, const DragGrip& grip) {
  int left = cursor.x - MulDiv(size.cx - 1, grip.offset.x, grip.reference.cx);
  int top = cursor.y - MulDiv(size.cy - 1, grip.offset.y, grip.reference.cy);
  return {left, top, left + size.cx, top + size.cy};
}

bool DockAcceptsDrop(const DockRect& dock, bool verticalDock, DockPoint cursor, DockSize size,
                     const DragGrip& grip) {
  DockRect area = dock;
  if (area.Width() == 0 || area.Height() == 0) {
    if (verticalDock) {
      --area.left;
      ++area.right;
    } else {
      --area.top;
      ++area.bottom;
    }
  }
  const int sh = MulDiv(32, grip.offset.x, grip.reference.cx);
  if (cursor.x < area.left - (32 - sh) || cursor.x > area.right - 1 + sh)
    return false;
  if (verticalDock && (cursor.y < area.top || cursor.y > area.bottom - 1))
    return false;
  const int sv = MulDiv(20, grip.offset.y, grip.reference.cy);
  if (cursor.y < area.top - (20 - sv) || cursor.y > area.bottom - 1 + sv)
    return false;
  return Intersects(PlaceDragRect(cursor, size, grip), area);
}

DockPoint ClampIntoArea(DockPoint point, const DockRect& area) {
  return {std::clamp(point.x, area.left, std::max(area.left, area.right - 1)),
          std::clamp(point.y, area.top, std::max(area.top, area.bottom - 1))};
}

DockRect KeepFloatingOnScreen(const DockRect& rect, const DockRect& workArea, int frameX,
                              int frameY, int caption) {
  const DockRect inner{workArea.left + frameX + 4, workArea.top + frameY + 4,
                       workArea.right - frameX - 4, workArea.bottom - frameY - 4};
  int dx = 0;
  int dy = 0;
  if (rect.bottom < inner.top)
    dy = inner.top - rect.bottom;
  else if (rect.top > inner.bottom)
    dy = inner.bottom - rect.top;
  if (rect.right < inner.left)
    dx = inner.left - rect.right;
  else if (rect.left > inner.right)
    dx = inner.right - rect.left;
  const int clientTop = rect.top + dy + frameY + caption;
  if (clientTop < workArea.top + 4)
    dy += workArea.top + 4 - clientTop;
  return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

int DropRowPosition(const DockRect& rect, bool verticalDock) {
  return verticalDock ? (rect.left + rect.right) / 2 : (rect.top + rect.bottom) / 2;
}

SizingEdges BorderEdgesAt(DockPoint point, int width, int height, int frameX, int frameY,
                          int cornerReach) {
  const DockRect inside{frameX, frameY, width - frameX, height - frameY};
  const DockRect whole{0, 0, width, height};
  if (!whole.Contains(point) || inside.Contains(point))
    return 0;
  SizingEdges edges = 0;
  if (point.x < cornerReach)
    edges |= seLeft;
  else if (point.x >= width - cornerReach)
    edges |= seRight;
  if (point.y < cornerReach)
    edges |= seTop;
  else if (point.y >= height - cornerReach)
    edges |= seBottom;
  return edges;
}

DockRect SizeByTravel(const DockRect& start, SizingEdges edges, DockPoint travel,
                      DockSize minimum) {
  DockRect rect = start;
  if (edges & seLeft)
    rect.left = std::min(start.left + travel.x, start.right - minimum.cx);
  if (edges & seRight)
    rect.right = std::max(start.right + travel.x, start.left + minimum.cx);
  if (edges & seTop)
    rect.top = std::min(start.top + travel.y, start.bottom - minimum.cy);
  if (edges & seBottom)
    rect.bottom = std::max(start.bottom + travel.y, start.top + minimum.cy);
  return rect;
}

std::string FitCaptionText(std::string_view text, int maxWidth,
                           const std::function<int(std::string_view)>& widthOf) {
  if (widthOf(text) <= maxWidth)
    return std::string(text);
  std::string kept(text);
  for (;;) {
    std::string shown = kept + "...";
    size_t characters = 0;
    for (size_t pos = 0; pos < kept.size(); pos += sjis::CharLength(kept, pos))
      ++characters;
    if (characters < 5 || widthOf(shown) <= maxWidth)
      return shown;
    kept.resize(sjis::CharStart(kept, kept.size() - 1));
  }
}

} // namespace quolin
