// The window-free layout of a toolbar: its controls in one line along a dock, or wrapped into
// lines while floating, and the sizes a floating toolbar can take.
//
// Controls come in the toolbar's order. A separator ends a group; a floating toolbar with a wrap
// width starts a new line before a group that would pass it, and when the group before ends in
// a separator, that separator takes no room and a separator line 6 pixels high is drawn between
// the lines instead. On side docks the axes swap: controls run top to bottom, centred across.
//
// A floating toolbar keeps margins of 4 pixels before and after each line, 2 above the first
// line and 1 below the last; a docked one none.
#pragma once

#include "core/DockGeometry.h"

#include <vector>

namespace quolin {

enum class ToolbarOrientation { Horizontal, Vertical, Floating };

// Which orientations show a member of a pair of alternative controls.
enum class ToolbarSlaveRole { None, TopBottom, LeftRight };

struct ToolbarItem {
  int width = 0;
  int height = 0;
  bool separator = false;
  // A separator's length along a horizontal and along a vertical toolbar.
  int sizeHorz = 6;
  int sizeVert = 6;
  // A separator that draws no line.
  bool blank = false;
  bool visible = true;
  ToolbarSlaveRole slave = ToolbarSlaveRole::None;
};

// Whether the layout takes the item in that orientation: visible, and for a slave member the
// orientation it is meant for (floating counts as top and bottom).
bool ShownIn(const ToolbarItem& item, ToolbarOrientation orientation);

// The thickness across the row: the largest height (width on side docks) of the shown
// non-separator items, at least 8.
int ToolbarRowExtent(const std::vector<ToolbarItem>& items, ToolbarOrientation orientation);

// A line started at a separator: the across offset of the new line and the separator's Blank.
struct ToolbarLineSeparator {
  int offset = 0;
  bool blank = false;
  bool operator==(const ToolbarLineSeparator&) const = default;
};

struct ToolbarGroup {
  // Sums over the group's non-separator items.
  int width = 0;
  int height = 0;
  // Indexes into the items, in order; a separator last when the group ends at one.
  std::vector<int> items;
};

struct ToolbarLayoutResult {
  // One per item, in the toolbar's client coordinates; placed false for items not shown.
  std::vector<DockRect> placements;
  std::vector<bool> placed;
  std::vector<ToolbarLineSeparator> lineSeparators;
  std::vector<ToolbarGroup> groups;
  DockSize size;
};

// wrapWidth 0: one line. rowExtent: the thickness of the row (ToolbarRowExtent, or the dock's
// size of the toolbar's row).
ToolbarLayoutResult LayoutToolbar(const std::vector<ToolbarItem>& items,
                                  ToolbarOrientation orientation, int wrapWidth, int rowExtent);

// A size a floating toolbar can take and the wrap width that gives it.
struct ToolbarShape {
  DockSize size;
  int wrapWidth = 0;
};

// The floating sizes: the single line first, then for each height its narrowest width, found
// by trying wrap widths from the single line's width down to 8.
std::vector<ToolbarShape> AchievableSizes(const std::vector<ToolbarItem>& items, int rowExtent);

// The achievable sizes of a floating toolbar the user sizes, ordered along the sizing direction:
// the pointer's outline snaps to the nearest of them.
class ToolbarSizeSnap {
public:
  static constexpr int MaxThreshold = 12;

  // byHeight: sizing from the top or bottom edge. current: the size at the start (the nearest
  // shape counts as current).
  ToolbarSizeSnap(std::vector<ToolbarShape> shapes, bool byHeight, DockSize current);

  const std::vector<ToolbarShape>& Shapes() const { return shapes_; }
  // How far the outline may go from the current size before it leaves it: 12, or 1 less than
  // the distance to a neighbouring size when that is closer, never below 0.
  int Threshold() const { return threshold_; }
  // The shape for an outline of that size.
  const ToolbarShape& Snap(DockSize outline) const;

private:
  std::vector<ToolbarShape> shapes_;
  bool byHeight_;
  size_t current_ = 0;
  int threshold_ = MaxThreshold;

  int Measure(DockSize size) const { return byHeight_ ? size.cy : size.cx; }
};

} // namespace quolin
