#include "core/GeneratedNames.h"

#include <gtest/gtest.h>

using namespace quolin;

TEST(GeneratedNames, MenuItemNames) {
  EXPECT_EQ(MenuItemName(2, 0x1F, true, 0x2A), "mn2_0000001F1002A");
  EXPECT_EQ(MenuItemName(2, 0x1F, false, 0x2A), "mn2_0000001F0002A");
  EXPECT_EQ(MenuItemName(0, 1, true, 0xFFFF), "mn0_000000011FFFF");
  // The count keeps growing past four digits; names stay unique.
  EXPECT_EQ(MenuItemName(1, 1, true, 0x10000), "mn1_00000001110000");
  EXPECT_EQ(MenuItemName(1, -3, true, 1), "mn1_FFFFFFFD10001");
}

TEST(GeneratedNames, ToolbarAndButtonNames) {
  EXPECT_EQ(ToolbarName(2), "bar_00000002");
  EXPECT_EQ(ButtonName(-3, 2, 1), "btn_FFFFFFFD0000000200000001");
  EXPECT_EQ(ButtonName(0x1A, 0x10, 0x11), "btn_0000001A0000001000000011");
  EXPECT_EQ(ToolbarListItemName(0), "mnb_00000000");
  EXPECT_EQ(ToolbarListItemName(10), "mnb_0000000A");
}

TEST(GeneratedNames, ToolbarListCaption) {
  EXPECT_EQ(ToolbarListCaption("TeX", 0), "TeX(&0)");
  EXPECT_EQ(ToolbarListCaption("数式", 10), "数式(&A)");
  EXPECT_EQ(ToolbarListCaption("100%s%d", 1), "100%s%d(&1)");
}

TEST(GeneratedNames, FlagRewrite) {
  EXPECT_EQ(WithMenuFlag("mn0_0000001F1002A", false), "mn0_0000001F0002A");
  EXPECT_EQ(WithMenuFlag("mn0_0000001F0002A", true), "mn0_0000001F1002A");
  // 13 characters carry a flag, 12 do not.
  EXPECT_EQ(WithMenuFlag("mn0_000000011", false), "mn0_000000010");
  EXPECT_EQ(WithMenuFlag("mn_Option0", false), "mn_Option0");
  EXPECT_EQ(WithMenuFlag("mn0_00000001", true), "mn0_00000001");
}

TEST(GeneratedNames, OnlyGeneratedMenuNamesQualify) {
  EXPECT_TRUE(IsGeneratedMenuItemName("mn0_0000001F1002A"));
  EXPECT_TRUE(IsGeneratedMenuItemName("mn2_0000001F1002A"));
  EXPECT_TRUE(IsGeneratedMenuItemName("mn1_00000001110000"));
  EXPECT_FALSE(IsGeneratedMenuItemName("mn1_0000001F1002"));
  EXPECT_FALSE(IsGeneratedMenuItemName("mn3_0000001F1002A"));
  EXPECT_FALSE(IsGeneratedMenuItemName("mnb_000000011002A"));
  EXPECT_FALSE(IsGeneratedMenuItemName("mn_Option0"));
}
