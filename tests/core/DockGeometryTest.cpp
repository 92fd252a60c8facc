// Frame parts of dockable windows and the move that brings a floating window onto its work
// area.
#include "core/DockGeometry.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

TEST(DockGeometry, HandleAndFrameSizes) {
  using enum TDragHandleStyle;
  EXPECT_EQ(DragHandleSize(dhDouble, false), 9);
  EXPECT_EQ(DragHandleSize(dhNone, false), 0);
  EXPECT_EQ(DragHandleSize(dhSingle, false), 6);
  for (TDragHandleStyle style : {dhDouble, dhNone, dhSingle})
    EXPECT_EQ(DragHandleSize(style, true), 14);
  EXPECT_EQ(DockedInsets(false, 9), (DockInsets{11, 2, 2, 2}));
  EXPECT_EQ(DockedInsets(true, 6), (DockInsets{2, 8, 2, 2}));
  DockRect handle = DragHandleRect(100, 30, false, 14);
  EXPECT_EQ(handle, (DockRect{2, 2, 16, 28}));
  EXPECT_EQ(DockedCloseButtonRect(handle), (DockRect{4, 4, 14, 14}));
  EXPECT_EQ(DragHandleBars(handle, false, dhDouble, true).size(), 2u);
  EXPECT_EQ(DragHandleBars(handle, false, dhSingle, true).front(), (DockRect{7, 16, 10, 26}));
  EXPECT_EQ(DragHandleBars(DragHandleRect(30, 100, true, 9), true, dhDouble, false).back(),
            (DockRect{4, 6, 26, 9}));
  DockRect bar = CaptionBarRect(120, 3, 3, 16);
  EXPECT_EQ(bar, (DockRect{3, 3, 117, 18}));
  EXPECT_EQ(CaptionCloseButtonRect(bar), (DockRect{104, 5, 115, 16}));
}

TEST(DockGeometry, MoveOnScreenTakesEachOverhangInTurn) {
  const DockRect work{0, 0, 800, 600};
  const struct {
    DockRect window;
    bool onlyIfFullyOff;
    DockRect expected;
  } cases[] = {
      {{750, 100, 850, 200}, false, {700, 100, 800, 200}}, // right
      {{100, 550, 200, 650}, false, {100, 500, 200, 600}}, // bottom
      {{-50, 100, 50, 200}, false, {0, 100, 100, 200}},    // left
      {{100, -50, 200, 50}, false, {100, 0, 200, 100}},    // top
      {{700, 500, 1700, 1300}, false, {0, 0, 1000, 800}},  // larger: the top-left shows
      {{750, 100, 850, 200}, true, {750, 100, 850, 200}},  // partly visible stays
      {{900, 700, 1000, 800}, true, {700, 500, 800, 600}}, // fully off comes back
      {{800, 100, 900, 200}, true, {700, 100, 800, 200}},  // touching the edge is off
  };
  for (const auto& c : cases)
    EXPECT_EQ(MoveOnScreen(c.window, work, c.onlyIfFullyOff), c.expected)
        << c.window.left << "," << c.window.top;
}

} // namespace
