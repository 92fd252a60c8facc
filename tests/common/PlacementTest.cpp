#include "common/Placement.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

const TPlacementValues kCurrent{10, 20, 300, 400, TWindowState::wsNormal};

TEST(Placement, BuildsFivePairsOnlyForANormalWindow) {
  EXPECT_EQ(BuildPlacementText({-4, 8, 640, 480, TWindowState::wsNormal}),
            "Left=-4;Top=8;Width=640;Height=480;WindowState=0");
  EXPECT_EQ(BuildPlacementText({1, 2, 3, 4, TWindowState::wsMinimized}), "WindowState=1");
  EXPECT_EQ(BuildPlacementText({1, 2, 3, 4, TWindowState::wsMaximized}), "WindowState=2");
}

TEST(Placement, RoundTripOfANormalWindow) {
  const TPlacementValues values{-1200, 5, 1024, 768, TWindowState::wsNormal};
  EXPECT_EQ(ParsePlacementText(BuildPlacementText(values), kCurrent), values);
}

TEST(Placement, StateOnlyTextKeepsCurrentBounds) {
  EXPECT_EQ(ParsePlacementText("WindowState=2", kCurrent),
            (TPlacementValues{10, 20, 300, 400, TWindowState::wsMaximized}));
  EXPECT_EQ(ParsePlacementText("WindowState=1", kCurrent).WindowState, TWindowState::wsMinimized);
}

TEST(Placement, MissingNonNumericAndOutOfRangeEntriesKeepCurrent) {
  TPlacementValues values =
      ParsePlacementText("Left=abc;Width=99999999999;Height=;WindowState=7", kCurrent);
  EXPECT_EQ(values, kCurrent);
  EXPECT_EQ(ParsePlacementText("", kCurrent), kCurrent);
  EXPECT_EQ(ParsePlacementText("WindowState=-1", kCurrent).WindowState, TWindowState::wsNormal);
  const TPlacementValues maximised{10, 20, 300, 400, TWindowState::wsMaximized};
  EXPECT_EQ(ParsePlacementText("Left=1", maximised).WindowState, TWindowState::wsMaximized);
}

TEST(Placement, OnlySemicolonsSplitAndNamesIgnoreCase) {
  // The blank belongs to the value, which is then no number.
  TPlacementValues values = ParsePlacementText("left=1 Top=2;TOP=3", kCurrent);
  EXPECT_EQ(values.Left, 10);
  EXPECT_EQ(values.Top, 3);
  values = ParsePlacementText("\"Left=5;x\";Width=7", kCurrent);
  EXPECT_EQ(values.Left, 10);
  EXPECT_EQ(values.Width, 7);
  EXPECT_EQ(ParsePlacementText("\"Left=5\";Top=6", kCurrent).Left, 5);
}

TEST(Placement, StateNumbers) {
  EXPECT_EQ(WindowStateToInt(TWindowState::wsNormal), 0);
  EXPECT_EQ(WindowStateToInt(TWindowState::wsMinimized), 1);
  EXPECT_EQ(WindowStateToInt(TWindowState::wsMaximized), 2);
  EXPECT_EQ(IntToWindowState(2), TWindowState::wsMaximized);
  EXPECT_EQ(IntToWindowState(3), TWindowState::wsNormal);
}

} // namespace
