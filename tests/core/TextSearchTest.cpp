#include "core/TextSearch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quolin;

namespace quolin {

void PrintTo(const TSearchPos& position, std::ostream* out) {
  *out << "{" << position.Start << ", " << position.Length << "}";
}

} // namespace quolin

namespace {

constexpr TSearchPos kNotFound = {-1, -1};

// The match of a search from the selection {start, length}, or kNotFound.
TSearchPos Find(std::string_view text, int start, int length, std::string_view pattern, int flags) {
  TSearchPos position{start, length};
  if (!FindTextMatch(text, position, pattern, flags))
    return kNotFound;
  return position;
}

TEST(TextSearch, CaseAndWidthFolding) {
  const std::string text = "xx section ＳＥＣＴＩＯＮ ｓｅｃｔｉｏｎ";
  EXPECT_EQ(Find(text, 0, 0, "SECTION", sfForward), (TSearchPos{3, 7}));
  EXPECT_EQ(Find(text, 3, 7, "SECTION", sfForward), kNotFound);
  EXPECT_EQ(Find(text, 3, 7, "SECTION", sfForward | sfIgnoreWidth), (TSearchPos{11, 14}));
  EXPECT_EQ(Find(text, 11, 14, "SECTION", sfForward | sfIgnoreWidth), (TSearchPos{26, 14}));
  EXPECT_EQ(Find(text, 0, 0, "SECTION", sfForward | sfMatchCase), kNotFound);
  EXPECT_EQ(Find(text, 0, 0, "SECTION", sfForward | sfMatchCase | sfIgnoreWidth),
            (TSearchPos{11, 14}));
  EXPECT_EQ(Find(text, 11, 14, "SECTION", sfForward | sfMatchCase | sfIgnoreWidth), kNotFound);
  // Backward from the end, case ignored: the full-width lower case first.
  EXPECT_EQ(Find(text, 40, 0, "section", sfIgnoreWidth), (TSearchPos{26, 14}));
  // Without widening "A" and "ａ" stay apart, but full-width letters fold among themselves.
  EXPECT_EQ(Find("ａ", 0, 0, "A", sfForward), kNotFound);
  EXPECT_EQ(Find("ａ", 0, 0, "ａ", sfForward), (TSearchPos{0, 2}));
  EXPECT_EQ(Find("ａ", 0, 0, "Ａ", sfForward), (TSearchPos{0, 2}));
  EXPECT_EQ(Find("Ａ", 0, 0, "ａ", sfForward), (TSearchPos{0, 2}));
  EXPECT_EQ(Find("ｚＺ", 2, 0, "ｚ", sfForward | sfMatchCase), kNotFound);
  // Greek has no folding here: "α" finds itself and not "Α".
  EXPECT_EQ(Find("Αα", 0, 0, "α", sfForward), (TSearchPos{2, 2}));
  EXPECT_EQ(Find("aA", 0, 0, "A", sfForward | sfMatchCase), (TSearchPos{1, 1}));
  EXPECT_EQ(Find("aｶﾞb", 0, 0, "ガ", sfForward | sfIgnoreWidth), (TSearchPos{1, 2}));
  EXPECT_EQ(Find("aガb", 0, 0, "ｶﾞ", sfForward | sfIgnoreWidth), (TSearchPos{1, 2}));
  EXPECT_EQ(Find("aｶﾞb", 0, 0, "ガ", sfForward), kNotFound);
  EXPECT_EQ(Find("ﾊﾟｰﾃｨｰ", 0, 0, "パーティー", sfForward | sfIgnoreWidth), (TSearchPos{0, 6}));
  // ﾟ does not combine with ｶ: "ｶﾟ" is カ and ゜, never キ.
  EXPECT_EQ(Find("ｶﾟ", 0, 0, "キ", sfForward | sfIgnoreWidth), kNotFound);
  EXPECT_EQ(Find("ｶﾟ", 0, 0, "カ゜", sfForward | sfIgnoreWidth), (TSearchPos{0, 2}));
  // The "ｶ" of a pair is no match for カ: the pair reads as ガ.
  EXPECT_EQ(Find("ｶﾞ", 0, 0, "カ", sfForward | sfIgnoreWidth), kNotFound);
}

TEST(TextSearch, CandidatesAndSkippedBreaksAndBlanks) {
  EXPECT_EQ(Find("abc\r\ndef", 0, 0, "abcdef", sfForward | sfSkipLineBreaks), (TSearchPos{0, 8}));
  EXPECT_EQ(Find("abc\r\ndef", 0, 0, "abcdef", sfForward), kNotFound);
  EXPECT_EQ(Find("abc\r\ndef", 0, 0, "abcdef", sfForward | sfSkipBlanks), kNotFound);
  EXPECT_EQ(Find("ab\tcd", 0, 0, "abcd", sfForward | sfSkipBlanks), (TSearchPos{0, 5}));
  EXPECT_EQ(Find("ab　cd", 0, 0, "abcd", sfForward | sfSkipBlanks), (TSearchPos{0, 6}));
  EXPECT_EQ(Find("ab\tcd", 0, 0, "abcd", sfForward | sfSkipLineBreaks), kNotFound);
  EXPECT_EQ(Find("a \t　\r\nb", 0, 0, "ab", sfForward | sfSkipLineBreaks | sfSkipBlanks),
            (TSearchPos{0, 8}));
  // A blank of the pattern matches first; a second one in the text is stepped over.
  EXPECT_EQ(Find("a  b", 0, 0, "a b", sfForward | sfSkipBlanks), (TSearchPos{0, 4}));
  // Only after a matched character: a leading break is no part of the match, and neither are
  // blanks after the last character.
  EXPECT_EQ(Find("\r\nab \r\n", 0, 0, "ab", sfForward | sfSkipLineBreaks | sfSkipBlanks),
            (TSearchPos{2, 2}));
  EXPECT_EQ(Find("x\r\nab", 0, 0, "\nab", sfForward | sfSkipLineBreaks), (TSearchPos{2, 3}));
  // Every break inside, whatever the pattern character after it.
  EXPECT_EQ(Find("ab\r\nc\r\n\r\nd", 0, 0, "abcd", sfForward | sfSkipLineBreaks),
            (TSearchPos{0, 10}));
  // From the selection's end to the last place the pattern fits.
  EXPECT_EQ(Find("abab", 0, 2, "ab", sfForward), (TSearchPos{2, 2}));
  EXPECT_EQ(Find("abab", 0, 3, "ab", sfForward), kNotFound);
  EXPECT_EQ(Find("abab", 1, 0, "ab", sfForward), (TSearchPos{2, 2}));
  EXPECT_EQ(Find("abc", 3, 0, "a", sfForward), kNotFound);
  EXPECT_EQ(Find("abc", 0, 3, "c", sfForward), kNotFound);
  // A selection ending inside a double-byte character: the search goes on after it.
  EXPECT_EQ(Find("アA", 0, 1, "A", sfForward), (TSearchPos{2, 1}));
  EXPECT_EQ(Find("アA", 1, 0, "A", sfForward), (TSearchPos{2, 1}));
  // With widening the pattern counts by characters: "ab" fits the two bytes "ab".
  EXPECT_EQ(Find("xab", 0, 1, "ａｂ", sfForward | sfIgnoreWidth), (TSearchPos{1, 2}));
  EXPECT_EQ(Find("xab", 0, 1, "ａｂ", sfForward), kNotFound);
  EXPECT_EQ(Find("ab ab ab", 8, 0, "ab", 0), (TSearchPos{6, 2}));
  EXPECT_EQ(Find("ab ab ab", 6, 2, "ab", 0), (TSearchPos{3, 2}));
  EXPECT_EQ(Find("ab ab ab", 3, 2, "ab", 0), (TSearchPos{0, 2}));
  EXPECT_EQ(Find("ab ab ab", 0, 2, "ab", 0), kNotFound);
  // A match must end by the selection's start.
  EXPECT_EQ(Find("aab", 3, 0, "ab", 0), (TSearchPos{1, 2}));
  EXPECT_EQ(Find("aab", 2, 1, "ab", 0), kNotFound);
  EXPECT_EQ(Find("ab", 1, 0, "ab", 0), kNotFound);
  // One byte back when the first candidate is a second byte.
  EXPECT_EQ(Find("アア", 3, 0, "ア", 0), (TSearchPos{0, 2}));
  // With widening, characters back, a voiced pair counting as one: the lone mark of the
  // pair is out of reach, though a forward search reads it as a character of its own.
  EXPECT_EQ(Find("aｶﾞ", 3, 0, "aガ", sfIgnoreWidth), (TSearchPos{0, 3}));
  EXPECT_EQ(Find("ｶﾞ", 2, 0, "゛", sfIgnoreWidth), kNotFound);
  EXPECT_EQ(Find("ｶﾞ", 0, 0, "゛", sfForward | sfIgnoreWidth), (TSearchPos{1, 1}));
  EXPECT_EQ(Find("ab", 2, 0, "ａｂ", sfIgnoreWidth), (TSearchPos{0, 2}));
  EXPECT_EQ(Find("ab", 1, 0, "ａｂ", sfIgnoreWidth), kNotFound);
}

TEST(TextSearch, RecordsOutsideTheTextFindNothingAndStayUnchanged) {
  for (TSearchPos record :
       {TSearchPos{-1, 0}, TSearchPos{4, 0}, TSearchPos{0, -1}, TSearchPos{-5, 9}}) {
    for (int flags : {0, sfForward}) {
      TSearchPos position = record;
      EXPECT_FALSE(FindTextMatch("abc", position, "a", flags));
      EXPECT_EQ(position, record);
      EXPECT_EQ(MatchPattern("abc", position, "a", flags), nullptr);
    }
  }
  // Forward, a selection reaching past the end.
  EXPECT_EQ(Find("abc", 2, 2, "a", sfForward), kNotFound);
  TSearchPos position{0, 0};
  EXPECT_FALSE(FindTextMatch("", position, "a", sfForward));
  EXPECT_FALSE(FindTextMatch("abc", position, "", sfForward));
  EXPECT_EQ(MatchPattern("abc", position, "", sfForward), nullptr);
  EXPECT_EQ(position, (TSearchPos{0, 0}));
  // MatchPattern points into the text.
  const std::string text = "one two";
  EXPECT_EQ(MatchPattern(text, position, "TWO", sfForward), text.data() + 4);
  EXPECT_EQ(position, (TSearchPos{4, 3}));
}

TEST(TextSearch, CharacterBoundariesAndNul) {
  // ア is 83 41, 表 95 5C, ソ 83 5C.
  for (int flags : {0, sfForward, sfMatchCase, sfForward | sfIgnoreWidth, sfSkipBlanks}) {
    EXPECT_EQ(Find("ア", flags & sfForward ? 0 : 2, 0, "A", flags), kNotFound) << flags;
    EXPECT_EQ(Find("表ソ", flags & sfForward ? 0 : 4, 0, "\\", flags), kNotFound) << flags;
    EXPECT_EQ(Find("表\\", flags & sfForward ? 0 : 3, 0, "\\", flags), (TSearchPos{2, 1})) << flags;
  }
  // Nor end inside one: "\x83" alone is no match for the first byte of ア.
  EXPECT_EQ(Find("アx", 0, 0, "\x83", sfForward), kNotFound);
  // A lead byte before CR or at the end is a character of its own.
  EXPECT_EQ(Find("a\x83\r\n", 0, 0, "\x83", sfForward), (TSearchPos{1, 1}));
  EXPECT_EQ(Find("a\x83", 0, 0, "\x83", sfForward), (TSearchPos{1, 1}));
  // NUL is an ordinary character, and a delimiter.
  const std::string nul("ab\0cd ab", 8);
  EXPECT_EQ(Find(nul, 0, 0, "cd", sfForward), (TSearchPos{3, 2}));
  EXPECT_EQ(Find(nul, 0, 0, std::string("b\0c", 3), sfForward), (TSearchPos{1, 3}));
  EXPECT_EQ(Find(nul, 8, 0, "ab", 0), (TSearchPos{6, 2}));
  EXPECT_EQ(Find(nul, 0, 0, "cd", sfForward | sfWholeWord), (TSearchPos{3, 2}));
  // ぇ is 82 9F: every byte of the text lies in the lead range, so second bytes can only be
  // told apart by counting from the start of the run.
  std::string text;
  for (int count = 0; count < 20000; ++count)
    text += "ぇ";
  const std::string pattern = "\x9F\x82"; // the bytes across two characters
  EXPECT_EQ(Find(text, 0, 0, pattern, sfForward), kNotFound);
  EXPECT_EQ(Find(text, static_cast<int>(text.size()), 0, pattern, 0), kNotFound);
  EXPECT_EQ(Find(text + "x", 0, 0, "ぇx", sfForward),
            (TSearchPos{static_cast<int>(text.size()) - 2, 3}));
  EXPECT_EQ(Find("x" + text, static_cast<int>(text.size()) + 1, 0, "xぇ", 0), (TSearchPos{0, 3}));
}

TEST(TextSearch, MatchLengthAtAgreesWithTheSearch) {
  struct Case {
    std::string text, pattern;
    int flags;
  };
  const Case cases[] = {
      {"xx ＳＥＣＴＩＯＮ", "section", sfForward | sfIgnoreWidth},
      {"xx ｓｅｃｔｉｏｎ", "ＳＥＣＴＩＯＮ", sfForward},
      {"--ｶﾞｲﾄﾞ", "ガイド", sfForward | sfIgnoreWidth},
      {"abc\r\n def", "abcdef", sfForward | sfSkipLineBreaks | sfSkipBlanks},
      {"ab ab", "AB", 0},
  };
  for (const Case& test : cases) {
    TSearchPos position{test.flags & sfForward ? 0 : static_cast<int>(test.text.size()), 0};
    ASSERT_TRUE(FindTextMatch(test.text, position, test.pattern, test.flags)) << test.text;
    EXPECT_EQ(MatchLengthAt(test.text, position.Start, test.pattern, test.flags), position.Length)
        << test.text;
    EXPECT_EQ(MatchLengthAt(test.text, position.Start + 1, test.pattern, test.flags), -1)
        << test.text;
  }
  // The whole-word flag plays no part; second bytes and places outside the text never match.
  EXPECT_EQ(MatchLengthAt("xab", 1, "ab", sfWholeWord), 2);
  // Stepping over begins after the first matched character.
  EXPECT_EQ(MatchLengthAt("\r\nab", 0, "ab", sfSkipLineBreaks), -1);
  EXPECT_EQ(MatchLengthAt(" ab", 0, "ab", sfSkipBlanks), -1);
  EXPECT_EQ(MatchLengthAt("アA", 1, "A", 0), -1);
  EXPECT_EQ(MatchLengthAt("ab", -1, "ab", 0), -1);
  EXPECT_EQ(MatchLengthAt("ab", 2, "", 0), -1);
  EXPECT_EQ(MatchLengthAt("ab", 0, "", 0), -1);
  EXPECT_EQ(MatchLengthAt("ab", 0, "abc", 0), -1);
}

// Starts of every whole-word match, walking from one end of the text to the other.
std::vector<int> Walk(std::string_view text, std::string_view pattern, int flags) {
  std::vector<int> starts;
  TSearchPos position{flags & sfForward ? 0 : static_cast<int>(text.size()), 0};
  while (FindTextMatch(text, position, pattern, flags | sfWholeWord))
    starts.push_back(position.Start);
  return starts;
}

using Starts = std::vector<int>;

TEST(TextSearchWords, WordBoundaries) {
  // The last candidate gets both tests too; the text's ends count as delimiters.
  EXPECT_EQ(Walk("xab", "ab", sfForward), Starts{});
  EXPECT_EQ(Walk("abx", "ab", 0), Starts{});
  EXPECT_EQ(Walk("x ab", "ab", sfForward), Starts{2});
  EXPECT_EQ(Walk("ab x", "ab", 0), Starts{0});
  EXPECT_EQ(Walk("ab", "ab", sfForward), Starts{0});
  EXPECT_EQ(Walk("ab", "ab", 0), Starts{0});
  // あ (82 A0) and か (82 A9) alike, though A0 alone would be a delimiter byte.
  for (int flags : {sfForward, 0}) {
    EXPECT_EQ(Walk("あABC", "ABC", flags), Starts{});
    EXPECT_EQ(Walk("かABC", "ABC", flags), Starts{});
    EXPECT_EQ(Walk("ABCあ", "ABC", flags), Starts{});
    EXPECT_EQ(Walk("あ ABC", "ABC", flags), Starts{3});
    // The full-width space and "、" too.
    EXPECT_EQ(Walk("　ABC、", "ABC", flags), Starts{});
  }
  EXPECT_EQ(Walk("a_b", "b", sfForward), Starts{2});
  EXPECT_EQ(Walk("the word. words", "word", sfForward), Starts{4});
  EXPECT_EQ(Walk("swordfish sword", "sword", sfForward), Starts{10});
  EXPECT_EQ(Walk("{ab}[ab]~ab\\ab", "AB", sfForward), (Starts{1, 5, 9, 12}));
  // A pattern that starts with a delimiter never begins a word.
  EXPECT_EQ(Walk("a .b", ".b", sfForward), Starts{});
  // Half-width katakana belong to words.
  EXPECT_EQ(Walk("ｱab abｱ ab", "ab", sfForward), Starts{8});
  // 表 is 95 5C and ソ 83 5C: their second byte is "\" but no delimiter.
  const std::string text = "ab 表ab ab\r\nソab) ab";
  EXPECT_EQ(Walk(text, "ab", 0), (Starts{18, 8, 0}));
  EXPECT_EQ(Walk(text, "ab", sfForward), (Starts{0, 8, 18}));
  EXPECT_EQ(Walk(text, "ＡＢ", sfForward | sfIgnoreWidth), (Starts{0, 8, 18}));
  const std::string widened = "(ｓｅｃｔｉｏｎ) ｓｅｃｔｉｏｎｓ section";
  EXPECT_EQ(Walk(widened, "Section", sfForward | sfIgnoreWidth), (Starts{1, 34}));
  EXPECT_EQ(Walk(widened, "Section", sfIgnoreWidth), (Starts{34, 1}));
  EXPECT_EQ(Walk(widened, "Section", sfForward), Starts{34});
}

} // namespace
