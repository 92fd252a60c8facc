#include "common/StringHelpers.h"
#include "core/JoinedStrings.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::Joined;

namespace {

TEST(StringHelpers, ComparisonsByLocale) {
  EXPECT_TRUE(IsStrEmpty(""));
  EXPECT_TRUE(IsStrNotEmpty(" "));
  EXPECT_TRUE(IsSameText("Editor", "EDITOR"));
  EXPECT_FALSE(IsSameText("Editor", "Edit"));
  EXPECT_TRUE(IsSameString("abc", "ABC", false));
  EXPECT_FALSE(IsSameString("abc", "ABC", true));
  EXPECT_TRUE(IsSameString("表示", "表示", true));
  EXPECT_TRUE(StartsWithText("$Sys_FileOpen(x)", "$sys_fileopen("));
  EXPECT_FALSE(StartsWithText("$Sys", "$Sys_"));
  EXPECT_TRUE(StartsWithText("abc", ""));
  // 表 is 95 5C: its first byte alone is no prefix.
  EXPECT_FALSE(StartsWithText("表示", "\x95"));
}

TEST(StringHelpers, ReplaceAllStepsOverDoubleByteCharacters) {
  // 表 (95 5C) and ソ (83 5C) end in the byte of "\", ア (83 41) in that of "A".
  EXPECT_EQ(ReplaceAll("表\\ソ\\x", "\\", "/", true), "表/ソ/x");
  EXPECT_EQ(ReplaceAll("アAa", "a", "x", false), "アxx");
  EXPECT_EQ(ReplaceAll("アAa", "a", "x", true), "アAx");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b", true), "ba");
  EXPECT_EQ(ReplaceAll("abc", "", "x", true), "abc");
  EXPECT_EQ(ReplaceAll("$S and $s", "$S", "選択", false), "選択 and 選択");
}

TEST(StringHelpers, WideCopyLimitsItsRangeAndClampIntPrefersTheMaximum) {
  const struct {
    const wchar_t* text;
    int index, count;
    const wchar_t* copy;
  } copies[] = {{L"abcde", 3, 10, L"cde"}, {L"abcde", 1, 2, L"ab"}, {L"abcde", 0, 2, L""},
                {L"abcde", 6, 1, L""},     {L"abcde", 2, 0, L""},   {L"", 1, 1, L""}};
  for (const auto& c : copies)
    EXPECT_EQ(WideCopy(c.text, c.index, c.count), c.copy) << c.index << " " << c.count;
  const int clamps[][4] = {{5, 1, 3, 3}, {0, 1, 3, 1}, {2, 1, 3, 2}, {5, 10, 3, 3}, {2, 10, 3, 10}};
  for (const auto& [value, low, high, clamped] : clamps)
    EXPECT_EQ(ClampInt(value, low, high), clamped) << value << " " << low << " " << high;
}

TEST(StringHelpers, FindSortedGivesFirstMatchOrInsertionPlace) {
  TStringList list;
  for (const char* item : {"a", "b", "b", "c"})
    list.Add(item);
  int index = -1;
  EXPECT_TRUE(FindSorted(list, "b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(FindSorted(list, "bb", index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(FindSorted(list, "d", index));
  EXPECT_EQ(index, 4);
  TStringList empty;
  EXPECT_FALSE(FindSorted(empty, "a", index));
  EXPECT_EQ(index, 0);

  // In the locale's order.
  list.Clear();
  for (const char* item : {"b", "A", "c", "a"})
    list.Add(item);
  list.CustomSort(
      [](const TStringList& l, int x, int y) { return CompareLocale(l[x], l[y], true); });
  ASSERT_EQ(Joined(list), "[a][A][b][c]");
  EXPECT_TRUE(FindSorted(list, "A", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(FindSorted(list, "B", index));
  EXPECT_EQ(index, 3);
}

TEST(StringHelpers, MruInsertMovesOrInserts) {
  TStringList list;
  MruInsert(list, "one", false);
  MruInsert(list, "two", false);
  MruInsert(list, "", false);
  EXPECT_EQ(Joined(list), "[two][one]");
  MruInsert(list, "one", false);
  EXPECT_EQ(Joined(list), "[one][two]");
  MruInsert(list, "TWO", false);
  EXPECT_EQ(Joined(list), "[two][one]");
  MruInsert(list, "ONE", true);
  EXPECT_EQ(Joined(list), "[ONE][two][one]");
  MruInsert(list, "one", true);
  EXPECT_EQ(Joined(list), "[one][ONE][two]");
}

TEST(StringHelpers, LimitStringsCountCutsFromTheEnd) {
  TStringList list;
  for (int i = 0; i < 10; ++i)
    list.Add(std::to_string(i));
  EXPECT_EQ(LimitStringsCount(list, 12), 0);
  EXPECT_EQ(LimitStringsCount(list, 4), 6);
  EXPECT_EQ(Joined(list), "[0][1][2][3]");
  EXPECT_EQ(LimitStringsCount(list, 0), 0);
  EXPECT_EQ(list.Count(), 0);
  list.Add("x");
  EXPECT_EQ(LimitStringsCount(list, -3), 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringHelpers, EnsureStringListCreatesOnce) {
  std::unique_ptr<TStringList> variable;
  TStringList& first = EnsureStringList(variable);
  first.Add("kept");
  TStringList& second = EnsureStringList(variable);
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(second[0], "kept");
}

TEST(StringHelpers, HexIdFromNameReadsCharactersFiveToTwelve) {
  const std::pair<const char*, int> names[] = {
      {"mn0_0000001A10001", 26}, {"bar_FFFFFFFF", -1}, {"twd_0000ff10", 0xFF10},
      {"btn_0000G001", 0},       {"btn_", 0},          {"mnb_1A", 26}};
  for (const auto& [name, id] : names)
    EXPECT_EQ(HexIdFromName(name), id) << name;
}

} // namespace
