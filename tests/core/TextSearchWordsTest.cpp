#include "core/TextSearch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quolin;

namespace {

// Starts of every whole-word match, walking from one end of the text to the other.
std::vector<int> Walk(std::string_view text, std::string_view pattern, int flags) {
  std::vector<int> starts;
  TSearchPos position{flags & sfForward ? 0 : static_cast<int>(text.size()), 0};
  while (FindTextMatch(text, position, pattern, flags | sfWholeWord))
    starts.push_back(position.Start);
  return starts;
}

using Starts = std::vector<int>;

TEST(TextSearchWords, WordsAtTheEndsOfTheText) {
  // The last candidate gets both tests too; the text's ends count as delimiters.
  EXPECT_EQ(Walk("xab", "ab", sfForward), Starts{});
  EXPECT_EQ(Walk("abx", "ab", 0), Starts{});
  EXPECT_EQ(Walk("x ab", "ab", sfForward), Starts{2});
  EXPECT_EQ(Walk("ab x", "ab", 0), Starts{0});
  EXPECT_EQ(Walk("ab", "ab", sfForward), Starts{0});
  EXPECT_EQ(Walk("ab", "ab", 0), Starts{0});
}

TEST(TextSearchWords, DoubleByteCharactersAreWordCharacters) {
  // あ (82 A0) and か (82 A9) alike, though A0 alone would be a delimiter byte.
  for (int flags : {sfForward, 0}) {
    EXPECT_EQ(Walk("あABC", "ABC", flags), Starts{});
    EXPECT_EQ(Walk("かABC", "ABC", flags), Starts{});
    EXPECT_EQ(Walk("ABCあ", "ABC", flags), Starts{});
    EXPECT_EQ(Walk("あ ABC", "ABC", flags), Starts{3});
    // The full-width space and "、" too.
    EXPECT_EQ(Walk("　ABC、", "ABC", flags), Starts{});
  }
}

TEST(TextSearchWords, DelimiterBytes) {
  EXPECT_EQ(Walk("a_b", "b", sfForward), Starts{2});
  EXPECT_EQ(Walk("the word. words", "word", sfForward), Starts{4});
  EXPECT_EQ(Walk("swordfish sword", "sword", sfForward), Starts{10});
  EXPECT_EQ(Walk("{ab}[ab]~ab\\ab", "AB", sfForward), (Starts{1, 5, 9, 12}));
  // A pattern that starts with a delimiter never begins a word.
  EXPECT_EQ(Walk("a .b", ".b", sfForward), Starts{});
  // Half-width katakana belong to words.
  EXPECT_EQ(Walk("ｱab abｱ ab", "ab", sfForward), Starts{8});
}

TEST(TextSearchWords, WalkOverJapaneseText) {
  // 表 is 95 5C and ソ 83 5C: their second byte is "\" but no delimiter.
  const std::string text = "ab 表ab ab\r\nソab) ab";
  EXPECT_EQ(Walk(text, "ab", 0), (Starts{18, 8, 0}));
  EXPECT_EQ(Walk(text, "ab", sfForward), (Starts{0, 8, 18}));
  EXPECT_EQ(Walk(text, "ＡＢ", sfForward | sfIgnoreWidth), (Starts{0, 8, 18}));
}

TEST(TextSearchWords, WidenedWords) {
  const std::string text = "(ｓｅｃｔｉｏｎ) ｓｅｃｔｉｏｎｓ section";
  EXPECT_EQ(Walk(text, "Section", sfForward | sfIgnoreWidth), (Starts{1, 34}));
  EXPECT_EQ(Walk(text, "Section", sfIgnoreWidth), (Starts{34, 1}));
  EXPECT_EQ(Walk(text, "Section", sfForward), Starts{34});
}

} // namespace
