#include "common/Placement.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

constexpr TWindowState kNormal = TWindowState::wsNormal, kMinimized = TWindowState::wsMinimized,
                       kMaximized = TWindowState::wsMaximized;
const TPlacementValues kCurrent{10, 20, 300, 400, kNormal};
const TPlacementValues kMaximizedCurrent{10, 20, 300, 400, kMaximized};

TEST(Placement, BuildsFivePairsOnlyForANormalWindow) {
  const TPlacementValues values{-1200, 5, 1024, 768, kNormal};
  EXPECT_EQ(BuildPlacementText(values), "Left=-1200;Top=5;Width=1024;Height=768;WindowState=0");
  EXPECT_EQ(ParsePlacementText(BuildPlacementText(values), kCurrent), values);
  EXPECT_EQ(BuildPlacementText({1, 2, 3, 4, kMinimized}), "WindowState=1");
  EXPECT_EQ(BuildPlacementText({1, 2, 3, 4, kMaximized}), "WindowState=2");
}

TEST(Placement, MissingNonNumericAndOutOfRangeEntriesKeepCurrent) {
  const struct {
    const char* text;
    const TPlacementValues& current;
    TPlacementValues expected;
  } cases[] = {
      {"WindowState=2", kCurrent, kMaximizedCurrent},
      {"WindowState=1", kCurrent, {10, 20, 300, 400, kMinimized}},
      {"Left=abc;Width=99999999999;Height=;WindowState=7", kCurrent, kCurrent},
      {"", kCurrent, kCurrent},
      {"WindowState=-1", kMaximizedCurrent, kCurrent},
      {"WindowState=3", kMaximizedCurrent, kCurrent},
      {"Left=1", kMaximizedCurrent, {1, 20, 300, 400, kMaximized}},
      // Only semicolons split: the blank belongs to the value, which is then no number.
      {"left=1 Top=2;TOP=3", kCurrent, {10, 3, 300, 400, kNormal}},
      {"\"Left=5;x\";Width=7", kCurrent, {10, 20, 7, 400, kNormal}},
      {"\"Left=5\";Top=6", kCurrent, {5, 6, 300, 400, kNormal}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParsePlacementText(c.text, c.current), c.expected) << c.text;
}

} // namespace
