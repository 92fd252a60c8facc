#include "core/TemplateMatch.h"
#include "JoinedStrings.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::Joined;

namespace {

std::string Collect(const std::string& templateText, const std::string& stopMark,
                    std::initializer_list<std::string> lines, int* count = nullptr) {
  TStringList result;
  int found = CollectTemplateMatches(templateText, stopMark, test_support::ListOf(lines), result);
  EXPECT_EQ(found, result.Count());
  if (count)
    *count = found;
  return Joined(result);
}

TEST(TemplateMatch, SplitAndFindBetweenMarks) {
  std::string before = "x";
  std::string after = "y";
  EXPECT_TRUE(SplitTemplateAtMark("\\label{$S}", before, after));
  EXPECT_EQ(before + " " + after, "\\label{ }");
  EXPECT_TRUE(SplitTemplateAtMark("「$S」", before, after));
  EXPECT_EQ(before + " " + after, "「 」");
  for (const char* text : {"$S}", "\\ref{$S", "$S", "\\ref{}"})
    EXPECT_FALSE(SplitTemplateAtMark(text, before, after)) << text;
  std::string found;
  size_t next = 0;
  const std::string text = "ab[cd]ef[g]";
  ASSERT_TRUE(FindBetweenMarks(text, 0, "%", "[", "]", found, next));
  EXPECT_EQ(found, "cd");
  EXPECT_EQ(next, 6u);
  ASSERT_TRUE(FindBetweenMarks(text, next, "%", "[", "]", found, next));
  EXPECT_EQ(found, "g");
  EXPECT_EQ(next, text.size());
  EXPECT_FALSE(FindBetweenMarks(text, next, "%", "[", "]", found, next));
  EXPECT_FALSE(FindBetweenMarks("a%[b]", 0, "%", "[", "]", found, next));
}

TEST(TemplateMatch, CollectsTextsBeforeTheStopMark) {
  EXPECT_EQ(Collect("\\ref{$S}", "%", {"see \\ref{a} and \\ref{b} % \\ref{c}"}), "[a][b]");
  EXPECT_EQ(Collect("\\ref{$S}", "%", {"% \\ref{c}", "\\ref{d}"}), "[d]");
  EXPECT_EQ(Collect("\\ref{$S}", "%", {"\\ref{a%b} \\ref{c}"}), "");
  int count = 0;
  EXPECT_EQ(
      Collect("\\label{$S}", "%", {"\\label{x}\\label{y}", "", "\\label{}z\\label{w}"}, &count),
      "[x][y][][w]");
  EXPECT_EQ(count, 4);
  EXPECT_EQ(Collect("\\label{$S}", "%", {"\\label{open", "\\label{a} \\label{b"}), "[a]");
  EXPECT_EQ(Collect("\\cite{$S}", "", {"\\cite{a} % \\cite{b}"}), "[a][b]");
  // マ is 83 7D: its second byte is "}", which must not end the text.
  EXPECT_EQ(Collect("\\label{$S}", "%", {"\\label{マ}"}), "[マ]");
  // ポ is 83 7C and ソ 83 5C: neither holds a stop mark "|" or a start mark "\".
  EXPECT_EQ(Collect("\\ref{$S}", "|", {"ポ\\ref{a}ソref{b}"}), "[a]");
  // A mark at the start or the end finds nothing.
  count = -1;
  EXPECT_EQ(Collect("$S}", "%", {"a} b}"}, &count), "");
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Collect("\\label{$S", "%", {"\\label{a"}, &count), "");
  EXPECT_EQ(count, 0);
}

} // namespace
