// The window-free geometry of dock panels and dockable windows, with points and rectangles of
// its own: the drag handle and frame sizes of a docked window, the parts of a floating window's
// caption, the shift that brings a floating window back onto its work area, and the arithmetic
// of the drag and sizing loops.
//
// A docked window's frame is 2 pixels on each side; its drag handle lies inside that frame, at
// the left end on top and bottom docks and at the top end on left and right docks.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

struct DockPoint {
  int x = 0;
  int y = 0;
  bool operator==(const DockPoint&) const = default;
};

// Right and bottom are outside the rectangle.
struct DockRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(DockPoint point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  bool operator==(const DockRect&) const = default;
};

// True when the two share at least one pixel.
bool Intersects(const DockRect& a, const DockRect& b);

// Widths of the non-client area on each side.
struct DockInsets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Horizontal() const { return left + right; }
  int Vertical() const { return top + bottom; }
  bool operator==(const DockInsets&) const = default;
};

// The order is the one stored settings use: 2 is dhSingle.
enum class TDragHandleStyle { dhDouble, dhNone, dhSingle };

inline constexpr int DockedFrameSize = 2;

// 9, 0 or 6 pixels by style; 14 for every style when a close button sits beside the handle.
int DragHandleSize(TDragHandleStyle style, bool closeButtonWhenDocked);
// The docked frame with a handle of that size; vertical for left and right docks.
DockInsets DockedInsets(bool verticalDock, int handleSize);
// The handle inside a docked window of that outer size (window coordinates).
DockRect DragHandleRect(int width, int height, bool verticalDock, int handleSize);
// The docked close button: a square 2 pixels in from the start of the handle (its top on a
// horizontal dock, its left on a vertical one), 4 pixels narrower than the handle.
DockRect DockedCloseButtonRect(const DockRect& handle);
// The raised bars of the handle, 3 pixels wide each, centred across it, 2 pixels in from its
// ends along it (after the close button when there is one).
std::vector<DockRect> DragHandleBars(const DockRect& handle, bool verticalDock,
                                     TDragHandleStyle style, bool closeButtonWhenDocked);

// A floating window's frame; caption 0 when it shows none.
DockInsets FloatingInsets(int frameX, int frameY, int caption);
// The caption bar inside the frame: the caption height less the 1-pixel line below it.
DockRect CaptionBarRect(int width, int frameX, int frameY, int caption);
// The caption's close button: a square 4 pixels shorter than the bar, 2 pixels in from its
// right and top.
DockRect CaptionCloseButtonRect(const DockRect& captionBar);

// Where a floating window goes to be on its work area. With onlyIfFullyOff, a window that
// already shows a pixel there stays. Otherwise it moves left by its overhang on the right, up
// by its overhang at the bottom, then right by its overhang on the left and down by its
// overhang at the top, so that its top-left corner shows when it is larger than the area.
DockRect MoveOnScreen(const DockRect& window, const DockRect& workArea, bool onlyIfFullyOff);

// The platform's MulDiv: number * numerator / denominator in 64 bits, rounded to the nearest,
// halves away from zero; -1 for a zero denominator or a result outside the 32-bit range.
int MulDiv(int number, int numerator, int denominator);

struct DockSize {
  int cx = 0;
  int cy = 0;
};

// Where the pointer holds a dragged window: the press point from the outer top-left, and the
// outer size less one. Every outline the drag shows keeps the same proportional grip.
struct DragGrip {
  DockPoint offset;
  DockSize reference;
};
DragGrip GripOf(DockPoint pressInWindow, int outerWidth, int outerHeight);

// The outline of that outer size for the pointer at cursor.
DockRect PlaceDragRect(DockPoint cursor, DockSize size, const DragGrip& grip);

// Whether a dock (screen rectangle; vertical for left and right docks) takes the dragged window
// of that outer size with the pointer at cursor: within 32 pixels along x and 20 along y of the
// dock (split by the grip), inside the dock's height on side docks, and the outline meeting the
// dock. A dock without width or height counts 1 pixel wider on each side across its length.
bool DockAcceptsDrop(const DockRect& dock, bool verticalDock, DockPoint cursor, DockSize size,
                     const DragGrip& grip);

// The pointer clamped into the work area.
DockPoint ClampIntoArea(DockPoint point, const DockRect& area);

// A floating outline kept on screen: frame + 4 pixels of it stay inside the work area on each
// side, and its client top (top + frameY + caption) at least 4 pixels below the area's top.
DockRect KeepFloatingOnScreen(const DockRect& rect, const DockRect& workArea, int frameX,
                              int frameY, int caption);

// The position across the rows of a drop (the outline in the dock's client coordinates): its
// vertical centre on top and bottom docks, its horizontal one on side docks, halved towards zero.
int DropRowPosition(const DockRect& rect, bool verticalDock);

// The edges a sizing border moves.
enum SizingEdge : unsigned char { seLeft = 1, seTop = 2, seRight = 4, seBottom = 8 };
using SizingEdges = unsigned char;

// The edges of the border under a point of a window (window coordinates), 0 inside the frame.
// Corner zones reach cornerReach pixels along each edge.
SizingEdges BorderEdgesAt(DockPoint point, int width, int height, int frameX, int frameY,
                          int cornerReach);

// The outline after the pointer travelled by travel: the edges move with it, and a moving edge
// stops where the outline would get smaller than minimum.
DockRect SizeByTravel(const DockRect& start, SizingEdges edges, DockPoint travel, DockSize minimum);

// A caption that fits maxWidth as widthOf measures it: the text itself, or whole characters
// (Shift-JIS) taken from its end with "..." behind them until it fits or fewer than 5 are left.
std::string FitCaptionText(std::string_view text, int maxWidth,
                           const std::function<int(std::string_view)>& widthOf);

} // namespace quolin
