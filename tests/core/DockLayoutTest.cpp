// The rows of a dock panel: finding a row from a position, row sizes, and arranging windows
// into rows with overflow, clipping, full-size rows, blank rows and the dock's thickness.
#include "core/DockLayout.h"
#include "core/DockGeometry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace quolin;

namespace {

struct Bar {
  int row;
  int position;
  int width;
  int height;
  bool fullSize = false;
  bool shown = true;
};

// The entries as given (id = index, made in that order unless creation says otherwise), laid
// out over the row sizes.
class Dock {
public:
  Dock(std::vector<Bar> bars, std::vector<int> rowSizes = {},
       std::vector<unsigned> creation = {}) {
    // A horizontal dock's rows are as high as the windows.
    for (const Bar& b : bars)
      entries_.push_back({b.row, b.position, b.width, b.height, b.height, b.fullSize, b.shown});
    std::vector<DockEntry*> pointers;
    for (DockEntry& entry : entries_) {
      const size_t index = pointers.size();
      entry.id = static_cast<int>(index);
      entry.creation = index < creation.size() ? creation[index] : static_cast<unsigned>(index);
      pointers.push_back(&entry);
    }
    layout_ = std::make_unique<DockLayout>(pointers, rowSizes);
  }
  DockLayout& Layout() { return *layout_; }
  int Arrange(int width, bool clip = false) {
    return layout_->ArrangeToolbars({.outerWidth = width, .outerHeight = 100, .clip = clip});
  }
  // "row:position" of each entry in the given order.
  std::string Rows() const {
    return Join([](const DockEntry& e) {
      return std::to_string(e.row) + ":" + std::to_string(e.position);
    });
  }
  // "left,top,width x height" of each entry in the given order.
  std::string Placements() const {
    return Join([](const DockEntry& e) {
      const DockRect& r = e.placement;
      return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
             std::to_string(r.Width()) + "x" + std::to_string(r.Height());
    });
  }
  // The ids in the layout's order.
  std::string Order() const {
    std::string text;
    for (const DockEntry* entry : layout_->Entries())
      text += std::to_string(entry->id);
    return text;
  }
  DockEntry& Entry(int id) { return entries_[static_cast<size_t>(id)]; }

private:
  std::vector<DockEntry> entries_;

  template <typename Describe> std::string Join(Describe describe) const {
    std::string text;
    for (const DockEntry& entry : entries_) {
      if (!text.empty())
        text += ' ';
      text += describe(entry);
    }
    return text;
  }
  std::unique_ptr<DockLayout> layout_;
};

TEST(DockLayout, RowOfAPositionAcrossTheRows) {
  // Rows 0 and 2 hold windows (20 and 30 high), row 1 is empty: row 0 spans 0..24, row 2 24..58.
  Dock dock({{0, 0, 10, 20}, {1, 0, 10, 8, false, false}, {2, 0, 10, 30}}, {20, 0, 30});
  const struct {
    int position;
    DockRowHit hit;
  } cases[] = {{-3, {0, true}},  {4, {0, true}},   {5, {0, false}},  {18, {0, false}},
               {19, {2, true}},  {28, {2, true}},  {29, {2, false}}, {52, {2, false}},
               {53, {3, false}}, {500, {3, false}}};
  for (const auto& c : cases)
    EXPECT_EQ(dock.Layout().GetRowOf(c.position), c.hit) << c.position;
  EXPECT_EQ(Dock({}).Layout().GetRowOf(10), (DockRowHit{0, false}));
}

TEST(DockLayout, RowSizesAndRowServices) {
  Dock dock({{0, 0, 10, 20}, {2, 0, 10, 3}, {2, 20, 10, 5, false, false}}, {});
  EXPECT_EQ(dock.Layout().GetHighestRow(), 2);
  EXPECT_EQ(Dock({}).Layout().GetHighestRow(), -1);
  EXPECT_EQ(dock.Layout().GetNumberOfToolbarsOnRow(2, &dock.Entry(1)), 1);
  EXPECT_EQ(dock.Arrange(200), 24 + 12) << "a blank row taken out, tiny windows make 8 + 4";
  EXPECT_EQ(dock.Rows(), "0:0 1:0 1:20");
  EXPECT_EQ(dock.Layout().RowSizes(), (std::vector<int>{20, 8}));
  EXPECT_EQ(dock.Layout().GetRowSize(1, 99), 8);
  EXPECT_EQ(dock.Layout().GetRowSize(2, 99), 99) << "beyond the list: the window's extent";
  EXPECT_EQ(dock.Layout().GetRowSize(-1), 0);
  dock.Layout().InsertRowBefore(1);
  EXPECT_EQ(dock.Rows(), "0:0 2:0 2:20");
}

TEST(DockLayout, ThicknessOfEmptyDocksLinesAndOneRow) {
  Dock hidden({{0, 0, 10, 20, false, false}}, {20});
  DockArrangeParams params;
  EXPECT_EQ(hidden.Layout().ArrangeToolbars(params), 0);
  EXPECT_TRUE(hidden.Layout().RowSizes().empty());
  params.fixAlign = true;
  EXPECT_EQ(hidden.Layout().ArrangeToolbars(params), 1);

  Dock lined({{0, 0, 10, 20}, {3, 0, 10, 30}});
  params = {};
  params.outerWidth = 100;
  params.linesVertical = 2;
  params.linesHorizontal = 1;
  EXPECT_EQ(lined.Layout().ArrangeToolbars(params), 2 + 24 + 34);
  EXPECT_EQ(lined.Placements(), "0,0,10x24 0,24,10x34");
  params.limitToOneRow = true;
  EXPECT_EQ(lined.Layout().ArrangeToolbars(params), 2 + 34);
  EXPECT_EQ(lined.Rows(), "0:0 0:10") << "equal places: the one made first goes first";
}

TEST(DockLayout, TiesInRowAndPositionGoByCreationNotByTheListsOrder) {
  // Listed as a dock list stands after earlier arrangements: the latest made first.
  Dock tied({{0, 0, 10, 20}, {0, 0, 20, 20}, {0, 0, 30, 20}}, {}, {3, 1, 2});
  tied.Arrange(200);
  EXPECT_EQ(tied.Order(), "120");
  EXPECT_EQ(tied.Placements(), "50,0,10x24 0,0,20x24 20,0,30x24");
  // A smaller position or row still goes first, whenever it was made.
  Dock placed({{0, 1, 10, 20}, {0, 0, 20, 20}, {1, 0, 30, 20}, {0, 1, 40, 20}}, {}, {1, 4, 2, 3});
  placed.Arrange(200);
  EXPECT_EQ(placed.Order(), "1032");
}

TEST(DockLayout, OverlapsMoveAlongAndOverflowPastTheEndOnly) {
  const struct {
    bool clip;
    std::vector<Bar> bars;
    const char* rows;
    const char* placements;
  } cases[] = {
      {false,
       {{0, 0, 40, 20}, {0, 10, 40, 20}, {0, 90, 40, 20}},
       "0:0 0:40 0:90",
       "0,0,40x24 40,0,40x24 80,0,40x24"},
      {true,
       {{0, 0, 40, 20}, {0, 10, 40, 20}, {0, 90, 40, 20}},
       "0:0 0:40 0:80",
       "0,0,40x24 40,0,40x24 80,0,40x24"},
      {true, {{0, -30, 40, 20}, {0, 70, 40, 20}}, "0:0 0:60", "0,0,40x24 60,0,40x24"},
      {false, {{0, 5, 40, 20}, {0, 30, 40, 20}}, "0:5 0:45", "5,0,40x24 45,0,40x24"},
  };
  for (const auto& c : cases) {
    Dock dock(c.bars);
    dock.Arrange(100, c.clip);
    EXPECT_EQ(dock.Rows(), c.rows) << c.placements;
    EXPECT_EQ(dock.Placements(), c.placements);
  }
}

TEST(DockLayout, FullSizeRowsEqualPositionsAndVerticalDocks) {
  // A full-size window takes a row of its own.
  Dock full({{0, 0, 30, 20}, {0, 50, 30, 10, true}, {1, 0, 30, 20}});
  EXPECT_EQ(full.Arrange(200), 14 + 24 + 24);
  EXPECT_EQ(full.Rows(), "1:0 0:0 2:0") << "its row mate and the rows after move down";
  EXPECT_EQ(full.Placements(), "0,14,30x24 0,0,200x14 0,38,30x24");
  // Equal positions keep the order of creation.
  Dock equal({{0, -1, 30, 20}, {0, -1, 50, 20}});
  equal.Arrange(200);
  EXPECT_EQ(equal.Order(), "01");
  EXPECT_EQ(equal.Placements(), "0,0,30x24 30,0,50x24");
  // Vertical docks place along their height.
  std::vector<DockEntry> entries = {{0, 0, 40, 30, 60, false, true},
                                    {0, 20, 40, 30, 40, false, true}};
  DockLayout layout({&entries[0], &entries[1]}, {});
  EXPECT_EQ(layout.ArrangeToolbars({.vertical = true, .outerWidth = 0, .outerHeight = 300}), 64);
  EXPECT_EQ(entries[0].placement, (DockRect{0, 0, 64, 30}));
  EXPECT_EQ(entries[1].placement, (DockRect{0, 30, 64, 60}));
}

// Frame parts of dockable windows and the move that brings a floating window onto its work
// area.
TEST(DockGeometry, HandlesFramesAndMovesOnScreen) {
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

// The platform's rounding, in the native build too (the Wine build also compares with the
// platform's own MulDiv).
TEST(DockGeometry, MulDivRoundsHalvesAwayFromZero) {
  const struct {
    int number, numerator, denominator, result;
  } cases[] = {
      {3, 1, 2, 2},
      {-3, 1, 2, -2},
      {3, -1, 2, -2},
      {-3, 1, -2, 2},
      {-5, 1, 10, -1},
      {-4, 1, 10, 0},
      {4, 1, 10, 0},
      {5, 1, 10, 1},
      {-6, 1, 10, -1},
      {7, 3, 1, 21},
      {1, 1, 0, -1},
      {0, 0, 0, -1},
      {65536, 65536, 2, -1},
      {-65536, 65536, 2, -1},
      {65536, 32768, 1, -1},
      {-65536, 32768, 1, -1},
      {65535, 32768, 1, 2147450880},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}

// Each corner zone of a sizing border begins exactly cornerReach pixels from its corner along
// both edges that meet there.
TEST(DockGeometry, SizingCornersBeginAtTheirReach) {
  // A 200 x 100 window, frame 4, corners reaching 16 pixels.
  auto edges = [](int x, int y) { return BorderEdgesAt({x, y}, 200, 100, 4, 4, 16); };
  const struct {
    DockPoint inCorner, onEdge;
    SizingEdges corner, edge;
  } cases[] = {
      {{15, 0}, {16, 0}, seLeft | seTop, seTop},
      {{0, 15}, {0, 16}, seLeft | seTop, seLeft},
      {{184, 0}, {183, 0}, seRight | seTop, seTop},
      {{199, 15}, {199, 16}, seRight | seTop, seRight},
      {{15, 99}, {16, 99}, seLeft | seBottom, seBottom},
      {{0, 84}, {0, 83}, seLeft | seBottom, seLeft},
      {{184, 99}, {183, 99}, seRight | seBottom, seBottom},
      {{199, 84}, {199, 83}, seRight | seBottom, seRight},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(edges(c.inCorner.x, c.inCorner.y), c.corner) << c.inCorner.x << "," << c.inCorner.y;
    EXPECT_EQ(edges(c.onEdge.x, c.onEdge.y), c.edge) << c.onEdge.x << "," << c.onEdge.y;
  }
  // The frame's inner edge: 4 pixels of border on each side, none inside.
  EXPECT_EQ(edges(3, 50), seLeft);
  EXPECT_EQ(edges(4, 50), 0);
  EXPECT_EQ(edges(196, 50), seRight);
  EXPECT_EQ(edges(195, 50), 0);
  EXPECT_EQ(edges(100, 3), seTop);
  EXPECT_EQ(edges(100, 4), 0);
  EXPECT_EQ(edges(100, 96), seBottom);
  EXPECT_EQ(edges(100, 95), 0);
  EXPECT_EQ(edges(200, 50), 0) << "outside the window";
  EXPECT_EQ(edges(-1, 50), 0);
}

} // namespace
