// The reserved-word list: its order, one-token words, moving to a word and "*.lst" files.
#include "CoreTempFolder.h"
#include "core/Exceptions.h"
#include "core/ReserveWordList.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

TStringList Words(std::initializer_list<const char*> words) {
  TStringList list;
  InitReserveWordList(list);
  for (const char* word : words)
    list.Add(word);
  return list;
}

TEST(ReserveWordList, SortedCaseSensitivelyWithVariantsKept) {
  TStringList list = Words({"\\beta", "\\Alpha", "\\alpha", "\\alpha"});
  EXPECT_FALSE(list.Sorted());
  SortReserveList(list);
  ASSERT_EQ(list.Count(), 4) << "duplicates and case variants stay";
  for (int i = 1; i < list.Count(); ++i)
    EXPECT_LE(CompareLocale(list[i - 1], list[i], true), 0) << list[i];
#ifdef _WIN32
  EXPECT_EQ(list.Text(), "\\alpha\r\n\\alpha\r\n\\Alpha\r\n\\beta\r\n");
#endif
  // Adding does not sort by itself.
  list.Add("\\a");
  EXPECT_EQ(list[4], "\\a");
}

TEST(ReserveWordList, ListedWordsMatchLetterCase) {
  TStringList list = Words({"\\alpha", "表示"});
  EXPECT_TRUE(IsListedWord(list, "\\alpha"));
  EXPECT_TRUE(IsListedWord(list, "表示"));
  EXPECT_FALSE(IsListedWord(list, "\\Alpha"));
  EXPECT_FALSE(IsListedWord(list, "\\alph"));
}

TEST(ReserveWordList, SingleTokens) {
  EXPECT_TRUE(IsSingleToken("\\alpha"));
  EXPECT_TRUE(IsSingleToken("表"));
  EXPECT_TRUE(IsSingleToken("word"));
  EXPECT_FALSE(IsSingleToken("a b"));
  EXPECT_FALSE(IsSingleToken("\\alpha{"));
  EXPECT_FALSE(IsSingleToken(" a"));
  EXPECT_FALSE(IsSingleToken(""));
}

TEST(ReserveWordList, MoveToTheFirstWordNotLessIgnoringCase) {
  TStringList list = Words({"\\alpha", "\\beta", "\\gamma"});
  EXPECT_EQ(MoveToIndex(list, "\\BETA"), 1) << "equal ignoring case";
  EXPECT_EQ(MoveToIndex(list, "\\b"), 1);
  EXPECT_EQ(MoveToIndex(list, "\\betb"), 2);
  EXPECT_EQ(MoveToIndex(list, "\\"), 0);
  EXPECT_EQ(MoveToIndex(list, "\\z"), -1) << "every word is less";
  EXPECT_EQ(MoveToIndex(list, "  "), -1) << "blank";
  EXPECT_EQ(MoveToIndex(list, ""), -1);
}

TEST(ReserveWordList, ListFilesReadTrimmedNonEmptyLines) {
  core_test::TempFolder folder;
  std::string crlf = folder.Write("crlf.lst", "\\alpha\r\n  表示 \r\n\r\n\t\r\n\\beta");
  std::string lf = folder.Write("lf.lst", "\n\\alpha\n\n  表示\n\\beta\n");
  const std::vector<std::string> expected = {"\\alpha", "表示", "\\beta"};
  EXPECT_EQ(ReadReserveWordFile(crlf), expected);
  EXPECT_EQ(ReadReserveWordFile(lf), expected);
  EXPECT_TRUE(ReadReserveWordFile(folder.Write("empty.lst", "")).empty());
  EXPECT_THROW(ReadReserveWordFile(folder / "missing.lst"), EFileError);

  TStringList words = Words({"\\alpha", "表示"});
  std::string written = folder / "out.lst";
  ASSERT_TRUE(WriteReserveWordFile(written, words));
  EXPECT_EQ(core_test::TempFolder::ReadFile(written), "\\alpha\r\n表示\r\n");
  EXPECT_FALSE(WriteReserveWordFile(folder / "no folder\\out.lst", words));
}

} // namespace
