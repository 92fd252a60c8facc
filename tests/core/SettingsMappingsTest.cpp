#include "core/SettingsMappings.h"
#include "core/TokenScan.h"

#include <gtest/gtest.h>

namespace quolin {
namespace {

TEST(SettingsMappings, TabWidthShowsTheNearestItemAndStoresTheChosenWidth) {
  EXPECT_EQ(TabWidthIndex(2), 0);
  EXPECT_EQ(TabWidthIndex(8), 3);
  EXPECT_EQ(TabWidthIndex(3), 0); // shows "2"
  EXPECT_EQ(TabWidthIndex(4), 1);
  EXPECT_EQ(TabWidthIndex(10), 3); // shows "8"
  EXPECT_EQ(TabWidthIndex(0), 0);
  EXPECT_EQ(TabWidthIndex(-6), 0);
  for (int index = 0; index < 4; ++index)
    EXPECT_EQ(TabWidthIndex(TabWidthOfIndex(index)), index);
  EXPECT_EQ(TabWidthOfIndex(0), 2);
  EXPECT_EQ(TabWidthOfIndex(3), 8);
}

TEST(SettingsMappings, ChoiceListsClampBothEnds) {
  EXPECT_EQ(SectionViewLevelIndex(-1), 0);
  EXPECT_EQ(SectionViewLevelIndex(0), 0);
  EXPECT_EQ(SectionViewLevelIndex(7), 7);
  EXPECT_EQ(SectionViewLevelIndex(8), 7);
  EXPECT_EQ(AutoCommandTypeIndex(-1), 0);
  EXPECT_EQ(AutoCommandTypeIndex(1), 1);
  EXPECT_EQ(AutoCommandTypeIndex(2), 1);
  EXPECT_EQ(MinWordLenIndex(1), 0);
  EXPECT_EQ(MinWordLenIndex(2), 0);
  EXPECT_EQ(MinWordLenIndex(3), 1);
  EXPECT_EQ(MinWordLenIndex(8), 6);
  EXPECT_EQ(MinWordLenIndex(9), 6);
  EXPECT_EQ(MinWordLenOfIndex(0), 2);
  EXPECT_EQ(MinWordLenOfIndex(6), 8);
}

TEST(SettingsMappings, ExtensionGetsOneLeadingDot) {
  EXPECT_EQ(WithLeadingDot(""), "");
  EXPECT_EQ(WithLeadingDot("bak"), ".bak");
  EXPECT_EQ(WithLeadingDot(".bak"), ".bak");
  EXPECT_EQ(WithLeadingDot("."), ".");
  EXPECT_EQ(WithLeadingDot("tex.org"), ".tex.org");
}

TEST(SettingsMappings, BracketLineSplitsAtItsFirstWholeCharacter) {
  TBracketLineParts kagi = SplitBracketLine("「$S」");
  EXPECT_EQ(kagi.Opener, "「");
  EXPECT_EQ(kagi.Inserted, "$S」");
  TBracketLineParts paren = SplitBracketLine("($S)");
  EXPECT_EQ(paren.Opener, "(");
  EXPECT_EQ(paren.Inserted, "$S)");
  // A lone lead byte at the end is a character of its own.
  TBracketLineParts lone = SplitBracketLine("\x82");
  EXPECT_EQ(lone.Opener, "\x82");
  EXPECT_EQ(lone.Inserted, "");
  TBracketLineParts trailing = SplitBracketLine("[\x82");
  EXPECT_EQ(trailing.Opener, "[");
  EXPECT_EQ(trailing.Inserted, "\x82");
  TBracketLineParts empty = SplitBracketLine("");
  EXPECT_EQ(empty.Opener, "");
  EXPECT_EQ(empty.Inserted, "");
}

TEST(SettingsMappings, OneCharacterTest) {
  EXPECT_TRUE(IsOneCharacter("("));
  EXPECT_TRUE(IsOneCharacter("「"));
  EXPECT_TRUE(IsOneCharacter("\x82")); // a lone lead byte
  EXPECT_FALSE(IsOneCharacter(""));
  EXPECT_FALSE(IsOneCharacter("ab"));
  EXPECT_FALSE(IsOneCharacter("「a"));
  EXPECT_FALSE(IsOneCharacter("a「"));
}

TEST(SettingsMappings, BracketOpenerIsASingleByteOrZero) {
  EXPECT_EQ(BracketOpener("($S)"), '(');
  EXPECT_EQ(BracketOpener("「$S」"), '\0');
  EXPECT_EQ(BracketOpener(""), '\0');
  EXPECT_EQ(BracketOpener("\x82"), '\x82'); // alone, it is one byte
}

TEST(SettingsMappings, SampleClickCategories) {
  for (bool reserved : {false, true}) {
    EXPECT_EQ(SampleCategoryOfToken(tkEnd, reserved), 5);
    EXPECT_EQ(SampleCategoryOfToken(tkTab, reserved), 5);
    EXPECT_EQ(SampleCategoryOfToken(tkComment, reserved), 3);
    EXPECT_EQ(SampleCategoryOfToken(tkUrl, reserved), 6);
    EXPECT_EQ(SampleCategoryOfToken(tkMail, reserved), 7);
  }
  for (int kind : {1, 2, 6, 8, 11, 17, 19, 22}) {
    EXPECT_EQ(SampleCategoryOfToken(kind, false), 0) << kind;
    EXPECT_EQ(SampleCategoryOfToken(kind, true), 2) << kind;
  }
}

} // namespace
} // namespace quolin
