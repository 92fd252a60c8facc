// The arithmetic of the drag and sizing loops, without windows: the platform's MulDiv, where an
// outline goes, which dock takes it, how it stays on screen, the drop row, the sizing edges and
// the caption text that fits.
#include "core/DockGeometry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using namespace quolin;

TEST(DragGeometry, MulDivRoundsAsThePlatform) {
  const int values[] = {-2147483647, -65536, -33, -7, -3, -2, -1, 0, 1, 2, 3, 5, 7, 32, 99, 65536};
  for (int a : values)
    for (int b : values)
      for (int c : values)
        ASSERT_EQ(quolin::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " * " << b << " / " << c;
  EXPECT_EQ(quolin::MulDiv(1, 1, 2), 1) << "a half goes away from zero";
  EXPECT_EQ(quolin::MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(quolin::MulDiv(5, 5, 0), -1);
}

TEST(DragGeometry, PlacesAndAcceptsWithinTheTolerances) {
  // Held at the middle of a 101 x 41 window: the outline keeps that grip at any size.
  const DragGrip grip = GripOf({50, 20}, 101, 41);
  EXPECT_EQ(PlaceDragRect({300, 200}, {101, 41}, grip), (DockRect{250, 180, 351, 221}));
  EXPECT_EQ(PlaceDragRect({300, 200}, {51, 21}, grip), (DockRect{275, 190, 326, 211}));

  // sh = 16, sv = 10: x from left - 16 to right - 1 + 16, y from top - 10 to bottom - 1 + 10.
  const DockRect top{100, 100, 500, 130};
  const DockSize size{101, 41};
  EXPECT_TRUE(DockAcceptsDrop(top, false, {84, 115}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(top, false, {83, 115}, size, grip));
  EXPECT_TRUE(DockAcceptsDrop(top, false, {515, 115}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(top, false, {516, 115}, size, grip));
  EXPECT_TRUE(DockAcceptsDrop(top, false, {300, 90}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(top, false, {300, 89}, size, grip));
  EXPECT_TRUE(DockAcceptsDrop(top, false, {300, 139}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(top, false, {300, 140}, size, grip));
  // Side docks take only pointers level with them.
  const DockRect left{0, 100, 30, 400};
  EXPECT_TRUE(DockAcceptsDrop(left, true, {10, 100}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(left, true, {10, 99}, size, grip));
  EXPECT_TRUE(DockAcceptsDrop(left, true, {10, 399}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(left, true, {10, 400}, size, grip));
  // An empty dock counts a pixel wider across its length.
  const DockRect emptyLeft{0, 100, 0, 400};
  EXPECT_TRUE(DockAcceptsDrop(emptyLeft, true, {16, 200}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(emptyLeft, true, {17, 200}, size, grip));
  const DockRect emptyTop{100, 100, 500, 100};
  EXPECT_TRUE(DockAcceptsDrop(emptyTop, false, {300, 110}, size, grip));
  EXPECT_FALSE(DockAcceptsDrop(emptyTop, false, {300, 111}, size, grip));
}

TEST(DragGeometry, FloatingOutlinesStayOnScreen) {
  const DockRect work{0, 0, 800, 600};
  // Frame 3, caption 16: 7 pixels stay on each side; the client top 4 below the area's top.
  auto keep = [&](DockRect rect) { return KeepFloatingOnScreen(rect, work, 3, 3, 16); };
  EXPECT_EQ(keep({-200, 100, -100, 150}), (DockRect{-93, 100, 7, 150}));
  EXPECT_EQ(keep({900, 100, 1000, 150}), (DockRect{793, 100, 893, 150}));
  EXPECT_EQ(keep({100, 700, 200, 750}), (DockRect{100, 593, 200, 643}));
  EXPECT_EQ(keep({100, -100, 200, -50}), (DockRect{100, -15, 200, 35}));
  EXPECT_EQ(keep({100, -10, 200, 40}), (DockRect{100, -10, 200, 40}));
  EXPECT_EQ(keep({100, -20, 200, 40}), (DockRect{100, -15, 200, 45})) << "the caption shows";
  EXPECT_EQ(keep({100, 100, 200, 150}), (DockRect{100, 100, 200, 150}));
  EXPECT_EQ(ClampIntoArea({-5, 900}, work), (DockPoint{0, 599}));
}

TEST(DragGeometry, DropRowsAndSizingEdges) {
  EXPECT_EQ(DropRowPosition({0, -7, 50, 0}, false), -3) << "halved towards zero";
  EXPECT_EQ(DropRowPosition({-9, 0, 0, 50}, true), -4);
  EXPECT_EQ(DropRowPosition({0, 10, 50, 41}, false), 25);

  // A 100 x 80 window, frame 4, corners reaching 20 pixels along each edge.
  auto edges = [](int x, int y) { return BorderEdgesAt({x, y}, 100, 80, 4, 4, 20); };
  EXPECT_EQ(edges(50, 40), 0);
  EXPECT_EQ(edges(1, 40), seLeft);
  EXPECT_EQ(edges(98, 40), seRight);
  EXPECT_EQ(edges(50, 2), seTop);
  EXPECT_EQ(edges(50, 78), seBottom);
  EXPECT_EQ(edges(19, 1), seLeft | seTop);
  EXPECT_EQ(edges(20, 1), seTop);
  EXPECT_EQ(edges(98, 60), seRight | seBottom);
  EXPECT_EQ(edges(98, 59), seRight);

  const DockRect start{100, 100, 200, 180};
  const DockSize minimum{40, 30};
  EXPECT_EQ(SizeByTravel(start, seRight, {40, 9}, minimum), (DockRect{100, 100, 240, 180}));
  EXPECT_EQ(SizeByTravel(start, seRight, {-90, 0}, minimum), (DockRect{100, 100, 140, 180}));
  EXPECT_EQ(SizeByTravel(start, seLeft | seTop, {70, 70}, minimum), (DockRect{160, 150, 200, 180}));
  EXPECT_EQ(SizeByTravel(start, seBottom, {5, -10}, minimum), (DockRect{100, 100, 200, 170}));
}

TEST(DragGeometry, CaptionTextLosesWholeCharacters) {
  auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 5; };
  EXPECT_EQ(FitCaptionText("Tools", 25, width), "Tools");
  EXPECT_EQ(FitCaptionText("Commands", 35, width), "Comm...");
  // Two-byte characters go whole: the text never ends on a lead byte.
  const std::string japanese = "表示用の窓です";
  for (int limit = 0; limit < 70; ++limit) {
    std::string shown = FitCaptionText(japanese, limit, width);
    std::string kept = shown.substr(0, shown.size() - 3);
    EXPECT_EQ(kept.size() % 2, 0u) << limit;
    EXPECT_EQ(japanese.compare(0, kept.size(), kept), 0) << limit;
    EXPECT_GE(kept.size(), 8u) << "stops under 5 characters: " << limit;
  }
  EXPECT_EQ(FitCaptionText(japanese, 65, width), "表示用の窓...");
  EXPECT_EQ(FitCaptionText(japanese, 55, width), "表示用の...");
}

} // namespace
