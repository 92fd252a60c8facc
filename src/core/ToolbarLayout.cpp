#include "core/ToolbarLayout.h"

#include <algorithm>
#include <cstdlib>

namespace quolin {

namespace {

constexpr int MinRowExtent = 8;
constexpr int EmptyLength = 8;
// The room a separator line takes between two lines.
constexpr int SeparatorLineGap = 6;
// A control as wide as the widest one fits a line with both floating margins.
constexpr int WidestControlRoom = 8;

struct Margins {
  int before = 0;
  int after = 0;
  int top = 0;
  int bottom = 0;
};

Margins MarginsOf(ToolbarOrientation orientation) {
  if (orientation == ToolbarOrientation::Floating)
    return {4, 4, 2, 1};
  return {};
}

int AlongLength(const ToolbarItem& item, bool vertical) {
  if (item.separator)
    return vertical ? item.sizeVert : item.sizeHorz;
  return vertical ? item.height : item.width;
}

int AcrossLength(const ToolbarItem& item, bool vertical) {
  return vertical ? item.width : item.height;
}

std::vector<ToolbarGroup> GroupsOf(const std::vector<ToolbarItem>& items,
                                   ToolbarOrientation orientation) {
  std::vector<ToolbarGroup> groups;
  ToolbarGroup group;
  for (size_t i = 0; i < items.size(); ++i) {
    const ToolbarItem& item = items[i];
    if (!ShownIn(item, orientation))
      continue;
    group.items.push_back(static_cast<int>(i));
    if (item.separator) {
      groups.push_back(std::move(group));
      group = {};
      continue;
    }
    group.width += item.width;
    group.height += item.height;
  }
  if (!group.items.empty())
    groups.push_back(std::move(group));
  return groups;
}

// Places rectangles given along and across a line; side docks swap the axes.
DockRect Oriented(bool vertical, int along, int across, int length, int thickness) {
  if (vertical)
    return {across, along, across + thickness, along + length};
  return {along, across, along + length, across + thickness};
}

} // namespace

bool ShownIn(const ToolbarItem& item, ToolbarOrientation orientation) {
  if (!item.visible)
    return false;
  switch (item.slave) {
  case ToolbarSlaveRole::TopBottom:
    return orientation != ToolbarOrientation::Vertical;
  case ToolbarSlaveRole::LeftRight:
    return orientation == ToolbarOrientation::Vertical;
  default:
    return true;
  }
}

int ToolbarRowExtent(const std::vector<ToolbarItem>& items, ToolbarOrientation orientation) {
  const bool vertical = orientation == ToolbarOrientation::Vertical;
  int extent = MinRowExtent;
  for (const ToolbarItem& item : items)
    if (!item.separator && ShownIn(item, orientation))
      extent = std::max(extent, AcrossLength(item, vertical));
  return extent;
}

ToolbarLayoutResult LayoutToolbar(const std::vector<ToolbarItem>& items,
                                  ToolbarOrientation orientation, int wrapWidth, int rowExtent) {
  const bool vertical = orientation == ToolbarOrientation::Vertical;
  const Margins margins = MarginsOf(orientation);
  ToolbarLayoutResult result;
  result.placements.resize(items.size());
  result.placed.resize(items.size(), false);
  result.groups = GroupsOf(items, orientation);

  int widest = 0;
  for (const ToolbarGroup& group : result.groups)
    for (int index : group.items)
      if (!items[static_cast<size_t>(index)].separator)
        widest = std::max(widest, items[static_cast<size_t>(index)].width);
  const bool wrapping = orientation == ToolbarOrientation::Floating && wrapWidth != 0;
  const int limit = std::max(wrapWidth, widest + WidestControlRoom);

  int along = margins.before;
  int across = margins.top;
  bool previousBroken = false;
  int previousSeparator = -1;
  for (const ToolbarGroup& group : result.groups) {
    if (wrapping && (previousBroken || group.width + along + margins.after > limit)) {
      along = margins.before;
      if (previousSeparator >= 0) {
        across += rowExtent + SeparatorLineGap;
        DockRect& separator = result.placements[static_cast<size_t>(previousSeparator)];
        separator.right = separator.left;
        result.lineSeparators.push_back(
            {across, items[static_cast<size_t>(previousSeparator)].blank});
      }
    }
    bool broken = false;
    for (int index : group.items) {
      const ToolbarItem& item = items[static_cast<size_t>(index)];
      if (!item.separator && wrapping && along + item.width + margins.after > limit) {
        along = margins.before;
        across += rowExtent;
        broken = true;
      }
      const int length = AlongLength(item, vertical);
      DockRect& placement = result.placements[static_cast<size_t>(index)];
      if (item.separator) {
        placement = Oriented(vertical, along, across, length, rowExtent);
      } else {
        const int thickness = AcrossLength(item, vertical);
        // Truncated towards zero, as the row centring has always been.
        placement =
            Oriented(vertical, along, across + (rowExtent - thickness) / 2, length, thickness);
      }
      result.placed[static_cast<size_t>(index)] = true;
      along += length;
    }
    previousBroken = broken;
    const int last = group.items.back();
    previousSeparator = items[static_cast<size_t>(last)].separator ? last : -1;
  }

  int largest = 0;
  bool any = false;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!result.placed[i])
      continue;
    any = true;
    largest =
        std::max(largest, vertical ? result.placements[i].bottom : result.placements[i].right);
  }
  if (!any)
    largest = EmptyLength;
  const int alongSize = largest + margins.after;
  const int acrossSize = across + rowExtent + margins.bottom;
  result.size = vertical ? DockSize{acrossSize, alongSize} : DockSize{alongSize, acrossSize};
  return result;
}

std::vector<ToolbarShape> AchievableSizes(const std::vector<ToolbarItem>& items, int rowExtent) {
  auto sizeFor = [&](int wrapWidth) {
    return LayoutToolbar(items, ToolbarOrientation::Floating, wrapWidth, rowExtent).size;
  };
  std::vector<ToolbarShape> shapes{{sizeFor(0), 0}};
  int width = shapes.front().size.cx;
  while (width >= EmptyLength) {
    const DockSize size = sizeFor(width);
    if (size.cx > width)
      break;
    if (size.cx < width) {
      width = size.cx;
      continue;
    }
    // Each height keeps its narrowest width.
    if (shapes.back().size.cy == size.cy)
      shapes.back() = {size, width};
    else
      shapes.push_back({size, width});
    --width;
  }
  return shapes;
}

ToolbarSizeSnap::ToolbarSizeSnap(std::vector<ToolbarShape> shapes, bool byHeight, DockSize current)
    : shapes_(std::move(shapes)), byHeight_(byHeight) {
  std::stable_sort(shapes_.begin(), shapes_.end(), [this](const auto& a, const auto& b) {
    return Measure(a.size) < Measure(b.size);
  });
  const int at = Measure(current);
  for (size_t i = 1; i < shapes_.size(); ++i)
    if (std::abs(Measure(shapes_[i].size) - at) < std::abs(Measure(shapes_[current_].size) - at))
      current_ = i;
  const int here = Measure(shapes_[current_].size);
  auto closer = [&](size_t neighbour) {
    threshold_ = std::min(threshold_, std::abs(Measure(shapes_[neighbour].size) - here) - 1);
  };
  if (current_ > 0)
    closer(current_ - 1);
  if (current_ + 1 < shapes_.size())
    closer(current_ + 1);
  threshold_ = std::max(threshold_, 0);
}

const ToolbarShape& ToolbarSizeSnap::Snap(DockSize outline) const {
  const int at = Measure(outline);
  if (std::abs(at - Measure(shapes_[current_].size)) <= threshold_)
    return shapes_[current_];
  size_t nearest = 0;
  for (size_t i = 1; i < shapes_.size(); ++i)
    if (std::abs(Measure(shapes_[i].size) - at) < std::abs(Measure(shapes_[nearest].size) - at))
      nearest = i;
  return shapes_[nearest];
}

} // namespace quolin
