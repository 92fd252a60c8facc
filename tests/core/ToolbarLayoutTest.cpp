// The line layout of toolbars: margins, groups and wraps at separators, controls wider than the
// wrap width, side docks, centring, slave pairs, the sizes a floating toolbar can take and the
// snap of the sizing outline.
#include "core/ToolbarLayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quolin {

void PrintTo(const DockRect& rect, std::ostream* out) {
  *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

} // namespace quolin

using namespace quolin;

namespace {

using enum ToolbarOrientation;

ToolbarItem Control(int width, int height) {
  ToolbarItem item;
  item.width = width;
  item.height = height;
  return item;
}

ToolbarItem Separator(int sizeHorz = 6, int sizeVert = 6) {
  ToolbarItem item;
  item.separator = true;
  item.sizeHorz = sizeHorz;
  item.sizeVert = sizeVert;
  // Its own bounds are the layout's: they count for nothing.
  item.width = 50;
  item.height = 50;
  return item;
}

DockRect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

ToolbarLayoutResult Layout(const std::vector<ToolbarItem>& items, ToolbarOrientation orientation,
                           int wrapWidth = 0) {
  return LayoutToolbar(items, orientation, wrapWidth, ToolbarRowExtent(items, orientation));
}

// Two buttons, a separator, a combo box lower than the buttons.
const std::vector<ToolbarItem> Sample{Control(23, 22), Control(23, 22), Separator(),
                                      Control(40, 15)};

TEST(ToolbarLayout, DockedInOneLineWithoutMargins) {
  ToolbarLayoutResult layout = Layout(Sample, Horizontal);
  EXPECT_EQ(layout.placements[0], At(0, 0, 23, 22));
  EXPECT_EQ(layout.placements[1], At(23, 0, 23, 22));
  EXPECT_EQ(layout.placements[2], At(46, 0, 6, 22)) << "as thick as the row";
  EXPECT_EQ(layout.placements[3], At(52, 3, 40, 15)) << "centred across the row";
  EXPECT_EQ(layout.size.cx, 92);
  EXPECT_EQ(layout.size.cy, 22);
  EXPECT_TRUE(layout.lineSeparators.empty());
  ToolbarLayoutResult wrapped = LayoutToolbar(Sample, Horizontal, 30, 22);
  EXPECT_EQ(wrapped.size.cx, 92) << "docked toolbars never wrap";
}

TEST(ToolbarLayout, FloatingMarginsAndGroups) {
  ToolbarLayoutResult layout = Layout(Sample, Floating);
  EXPECT_EQ(layout.placements[0], At(4, 2, 23, 22));
  EXPECT_EQ(layout.placements[2], At(50, 2, 6, 22));
  EXPECT_EQ(layout.placements[3], At(56, 5, 40, 15));
  EXPECT_EQ(layout.size.cx, 96 + 4);
  EXPECT_EQ(layout.size.cy, 2 + 22 + 1);
  ASSERT_EQ(layout.groups.size(), 2u);
  EXPECT_EQ(layout.groups[0].items, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(layout.groups[0].width, 46) << "the separator counts for nothing";
  EXPECT_EQ(layout.groups[0].height, 44);
  EXPECT_EQ(layout.groups[1].items, (std::vector<int>{3}));
  EXPECT_EQ(layout.groups[1].width, 40);
}

TEST(ToolbarLayout, WrapsAtASeparator) {
  // The second group needs 40 + 56 + 4 = 100.
  ToolbarLayoutResult fits = Layout(Sample, Floating, 100);
  EXPECT_EQ(fits.size.cx, 100);
  EXPECT_EQ(fits.size.cy, 25);
  EXPECT_TRUE(fits.lineSeparators.empty());

  ToolbarLayoutResult layout = Layout(Sample, Floating, 99);
  EXPECT_EQ(layout.placements[2], At(50, 2, 0, 22)) << "the separator takes no room";
  const int line = 2 + 22 + 6;
  EXPECT_EQ(layout.placements[3], At(4, line + 3, 40, 15));
  ASSERT_EQ(layout.lineSeparators.size(), 1u);
  EXPECT_EQ(layout.lineSeparators[0], (ToolbarLineSeparator{line, false}));
  EXPECT_EQ(layout.size.cx, 50 + 4) << "up to the second button";
  EXPECT_EQ(layout.size.cy, line + 22 + 1);

  std::vector<ToolbarItem> blank = Sample;
  blank[2].blank = true;
  EXPECT_EQ(Layout(blank, Floating, 99).lineSeparators[0], (ToolbarLineSeparator{line, true}));
}

TEST(ToolbarLayout, WrapsInsideAGroupWithoutASeparatorLine) {
  const std::vector<ToolbarItem> two{Control(23, 22), Control(23, 22)};
  EXPECT_EQ(Layout(two, Floating, 54).size.cy, 25) << "4 + 46 + 4 fits";
  ToolbarLayoutResult layout = Layout(two, Floating, 53);
  EXPECT_EQ(layout.placements[1], At(4, 2 + 22, 23, 22));
  EXPECT_TRUE(layout.lineSeparators.empty());
  EXPECT_EQ(layout.size.cx, 31);
  EXPECT_EQ(layout.size.cy, 2 + 44 + 1);
}

TEST(ToolbarLayout, AGroupAfterABrokenOneStartsANewLine) {
  const std::vector<ToolbarItem> items{Control(23, 22), Control(30, 22), Separator(),
                                       Control(10, 22)};
  ToolbarLayoutResult layout = Layout(items, Floating, 60);
  EXPECT_EQ(layout.placements[1], At(4, 24, 30, 22));
  EXPECT_EQ(layout.placements[2], At(34, 24, 0, 22));
  EXPECT_EQ(layout.placements[3], At(4, 24 + 22 + 6, 10, 22))
      << "it would fit after the separator, but the group before it broke";
  EXPECT_EQ(layout.lineSeparators.size(), 1u);
  EXPECT_EQ(layout.size.cx, 38);
  EXPECT_EQ(layout.size.cy, 52 + 22 + 1);
}

TEST(ToolbarLayout, AControlWiderThanTheWrapWidthHasALineOfItsOwn) {
  const std::vector<ToolbarItem> items{Control(23, 22), Control(80, 22), Control(23, 22)};
  ToolbarLayoutResult layout = Layout(items, Floating, 40);
  EXPECT_EQ(layout.placements[0], At(4, 2, 23, 22));
  EXPECT_EQ(layout.placements[1], At(4, 24, 80, 22));
  EXPECT_EQ(layout.placements[2], At(4, 46, 23, 22));
  EXPECT_EQ(layout.size.cx, 88);
  EXPECT_EQ(layout.size.cy, 46 + 22 + 1);

  // The limit is never below the widest control + 8: it fits with both margins.
  ToolbarLayoutResult alone = Layout({Control(80, 22)}, Floating, 1);
  EXPECT_EQ(alone.placements[0], At(4, 2, 80, 22));
  EXPECT_EQ(alone.size.cy, 25);
}

TEST(ToolbarLayout, SideDocksRunTopToBottomCentred) {
  const std::vector<ToolbarItem> items{Control(23, 22), Separator(6, 9), Control(40, 15)};
  EXPECT_EQ(ToolbarRowExtent(items, Vertical), 40) << "the widest";
  EXPECT_EQ(ToolbarRowExtent(items, Horizontal), 22) << "the highest";
  ToolbarLayoutResult layout = Layout(items, Vertical, 10);
  EXPECT_EQ(layout.placements[0], At(8, 0, 23, 22));
  EXPECT_EQ(layout.placements[1], At(0, 22, 40, 9)) << "SizeVert long, the column wide";
  EXPECT_EQ(layout.placements[2], At(0, 31, 40, 15));
  EXPECT_EQ(layout.size.cx, 40);
  EXPECT_EQ(layout.size.cy, 46);
}

TEST(ToolbarLayout, CentringTruncatesTowardsZero) {
  const std::vector<ToolbarItem> items{Control(10, 15)};
  EXPECT_EQ(LayoutToolbar(items, Horizontal, 0, 22).placements[0].top, 3);
  // A row thinner than the control (a stale row size) shifts it up by half, not more.
  EXPECT_EQ(LayoutToolbar(items, Horizontal, 0, 8).placements[0].top, -3);
  EXPECT_EQ(LayoutToolbar(items, Vertical, 0, 17).placements[0].left, 3);
}

TEST(ToolbarLayout, TheRowSizeGivenIsTheRowsThickness) {
  ToolbarLayoutResult layout = LayoutToolbar(Sample, Horizontal, 0, 30);
  EXPECT_EQ(layout.placements[0], At(0, 4, 23, 22));
  EXPECT_EQ(layout.placements[2], At(46, 0, 6, 30));
  EXPECT_EQ(layout.placements[3], At(52, 7, 40, 15));
  EXPECT_EQ(layout.size.cy, 30);
}

TEST(ToolbarLayout, SlaveMembersShowForTheirOrientation) {
  ToolbarItem wide = Control(50, 20);
  wide.slave = ToolbarSlaveRole::TopBottom;
  ToolbarItem tall = Control(30, 50);
  tall.slave = ToolbarSlaveRole::LeftRight;
  const std::vector<ToolbarItem> items{Control(10, 10), wide, tall};
  EXPECT_EQ(ToolbarRowExtent(items, Horizontal), 20);
  EXPECT_EQ(ToolbarRowExtent(items, Vertical), 30);
  for (ToolbarOrientation orientation : {Horizontal, Floating}) {
    ToolbarLayoutResult layout = Layout(items, orientation);
    EXPECT_TRUE(layout.placed[1]);
    EXPECT_FALSE(layout.placed[2]);
  }
  ToolbarLayoutResult side = Layout(items, Vertical);
  EXPECT_FALSE(side.placed[1]);
  EXPECT_TRUE(side.placed[2]);
  EXPECT_EQ(side.size.cy, 10 + 50);
  ToolbarItem hidden = tall;
  hidden.visible = false;
  EXPECT_FALSE(ShownIn(hidden, Vertical));
}

TEST(ToolbarLayout, HiddenControlsTakeNoRoomAndAnEmptyToolbarIsEight) {
  ToolbarItem hidden = Control(200, 100);
  hidden.visible = false;
  ToolbarLayoutResult layout = Layout({Control(10, 10), hidden, Control(10, 10)}, Horizontal);
  EXPECT_FALSE(layout.placed[1]);
  EXPECT_EQ(layout.placements[2], At(10, 0, 10, 10));
  EXPECT_EQ(layout.size.cx, 20);

  for (const std::vector<ToolbarItem>& empty :
       {std::vector<ToolbarItem>{}, std::vector<ToolbarItem>{hidden}}) {
    EXPECT_EQ(Layout(empty, Horizontal).size.cx, 8);
    EXPECT_EQ(Layout(empty, Horizontal).size.cy, 8);
    EXPECT_EQ(Layout(empty, Vertical).size.cy, 8);
    EXPECT_EQ(Layout(empty, Floating).size.cx, 8 + 4);
    EXPECT_EQ(Layout(empty, Floating).size.cy, 2 + 8 + 1);
  }
  // Small controls still make a row of 8.
  EXPECT_EQ(Layout({Control(5, 5)}, Horizontal).size.cy, 8);
}

std::vector<std::pair<int, int>> Sizes(const std::vector<ToolbarShape>& shapes) {
  std::vector<std::pair<int, int>> sizes;
  for (const ToolbarShape& shape : shapes)
    sizes.emplace_back(shape.size.cx, shape.size.cy);
  return sizes;
}

using SizeList = std::vector<std::pair<int, int>>;

TEST(ToolbarSizes, EachHeightWithItsNarrowestWidthInScanOrder) {
  const std::vector<ToolbarItem> three{Control(20, 20), Control(20, 20), Control(20, 20)};
  std::vector<ToolbarShape> shapes = AchievableSizes(three, 20);
  EXPECT_EQ(Sizes(shapes), (SizeList{{68, 23}, {48, 43}, {28, 63}}));
  EXPECT_EQ(shapes[0].wrapWidth, 68) << "the single line, found again at its own width";
  EXPECT_EQ(shapes[2].wrapWidth, 28);

  const std::vector<ToolbarItem> grouped{Control(20, 20), Separator(), Control(20, 20),
                                         Control(20, 20)};
  EXPECT_EQ(Sizes(AchievableSizes(grouped, 20)), (SizeList{{74, 23}, {48, 49}, {28, 69}}));
  EXPECT_EQ(Sizes(AchievableSizes({}, 8)), (SizeList{{12, 11}}));
}

TEST(ToolbarSizes, SortedAlongTheSizingDirection) {
  const std::vector<ToolbarItem> three{Control(20, 20), Control(20, 20), Control(20, 20)};
  ToolbarSizeSnap byWidth(AchievableSizes(three, 20), false, {68, 23});
  EXPECT_EQ(Sizes(byWidth.Shapes()), (SizeList{{28, 63}, {48, 43}, {68, 23}}));
  ToolbarSizeSnap byHeight(AchievableSizes(three, 20), true, {68, 23});
  EXPECT_EQ(Sizes(byHeight.Shapes()), (SizeList{{68, 23}, {48, 43}, {28, 63}}));
}

std::vector<ToolbarShape> Widths(std::vector<int> widths) {
  std::vector<ToolbarShape> shapes;
  for (int width : widths)
    shapes.push_back({{width, 100 - width}, width});
  return shapes;
}

TEST(ToolbarSizes, SnapKeepsTheCurrentSizeWithinTheThreshold) {
  ToolbarSizeSnap snap(Widths({28, 48, 68}), false, {68, 23});
  EXPECT_EQ(snap.Threshold(), 12);
  EXPECT_EQ(snap.Snap({56, 30}).size.cx, 68);
  EXPECT_EQ(snap.Snap({55, 30}).size.cx, 48) << "13 away: the nearest";
  EXPECT_EQ(snap.Snap({20, 30}).size.cx, 28);
  EXPECT_EQ(snap.Snap({90, 30}).size.cx, 68);
  EXPECT_EQ(snap.Snap({40, 30}).wrapWidth, 48);
}

TEST(ToolbarSizes, ThresholdShrinksNearCloseNeighboursNeverBelowZero) {
  ToolbarSizeSnap close(Widths({30, 35, 41}), false, {35, 0});
  EXPECT_EQ(close.Threshold(), 4);
  EXPECT_EQ(close.Snap({39, 0}).size.cx, 35);
  EXPECT_EQ(close.Snap({40, 0}).size.cx, 41);
  EXPECT_EQ(close.Snap({31, 0}).size.cx, 35);
  EXPECT_EQ(close.Snap({30, 0}).size.cx, 30);

  EXPECT_EQ(ToolbarSizeSnap(Widths({40, 30, 35}), false, {40, 0}).Threshold(), 4)
      << "the neighbour after sorting";
  EXPECT_EQ(ToolbarSizeSnap(Widths({30, 31}), false, {30, 0}).Threshold(), 0);
  std::vector<ToolbarShape> same = Widths({30, 30});
  same[1].size.cy = 5;
  EXPECT_EQ(ToolbarSizeSnap(same, false, {30, 0}).Threshold(), 0) << "not -1";
  EXPECT_EQ(ToolbarSizeSnap(Widths({50}), false, {50, 0}).Threshold(), 12);
}

} // namespace
