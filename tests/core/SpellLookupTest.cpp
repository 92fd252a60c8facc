#include "SpellTestFiles.h"
#include "TokenList.h"
#include "core/Sjis.h"
#include "core/SpellCheck.h"
#include "core/SpellParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace quolin;
using quolin::spell_test::Words;

namespace {

// Hand-made dictionaries: stems in the other dictionaries, a few words in the user's.
class SpellLookup : public ::testing::Test {
protected:
  TQuolinSpellCheck check;

  void SetUp() override {
    check.OtherDic.AddWords({"run", "bake", "fly", "happy", "large", "pony", "ty", "Paris"});
    check.UserDic.AddWords({"quolin"});
    check.StripSuffixes = true;
  }

  bool Found(const std::string& word) const { return check.CheckWord(word, nullptr); }
};

TEST_F(SpellLookup, StemsCaseAndTheUserDictionary) {
  for (const char* word : {"runs", "baked", "flies", "happiest", "happier", "largest", "larger"})
    EXPECT_TRUE(Found(word)) << word;
  // The letter before "ies" rules "pony" out, and "ties" is too short for "ty".
  EXPECT_FALSE(Found("ponies"));
  EXPECT_FALSE(Found("ties"));
  EXPECT_FALSE(Found("runner"));
  EXPECT_FALSE(Found("s"));
  EXPECT_FALSE(Found(""));
  for (const char* word : {"PARIS", "paris", "Run", "RUNS", "Quolin", "FLIES"})
    EXPECT_TRUE(Found(word)) << word;
  EXPECT_TRUE(check.LookupWord("paris"));
  EXPECT_TRUE(check.LookupWord("QUOLIN"));
  check.StripSuffixes = false;
  for (const char* word : {"runs", "baked", "flies", "happiest", "largest"})
    EXPECT_FALSE(Found(word)) << word;
  EXPECT_TRUE(Found("run"));
  check.StripSuffixes = true;
  check.MainDicOnly = true;
  EXPECT_TRUE(Found("Quolin"));
  EXPECT_FALSE(Found("run"));
  EXPECT_FALSE(Found("runs"));
  check.UserDic.Add("run");
  EXPECT_TRUE(Found("runs"));
}

TEST_F(SpellLookup, WordListOrderLookupDuplicatesAndRanges) {
  TSpellWordList list;
  list.AddWords({"color", "Zebra", "_under", "Color", "apple", "ア", "ヂ", "COLOR", "b"});
  // "a"-"z" read as capitals, so "_" (5F) comes after every letter; the first of equal words
  // stays; the second bytes 41 and 61 of ア and ヂ are not folded.
  EXPECT_EQ(Words(list),
            (std::vector<std::string>{"apple", "b", "color", "Zebra", "_under", "ア", "ヂ"}));
  EXPECT_FALSE(list.Add("CoLoR"));
  EXPECT_TRUE(list.Find("APPLE"));
  EXPECT_FALSE(list.Find("appl"));
  EXPECT_TRUE(list.Add("Banana"));
  list.AddWords({"BANANA", "cherry"});
  EXPECT_EQ(Words(list), (std::vector<std::string>{"apple", "b", "Banana", "cherry", "color",
                                                   "Zebra", "_under", "ア", "ヂ"}));
  EXPECT_LT(CompareSpellWords("ab", "abc"), 0);
  EXPECT_EQ(CompareSpellWords("表x", "表X"), 0);
  EXPECT_GT(CompareSpellWords("ヂ", "ア"), 0);
  TSpellWordList ranges;
  ranges.AddWords({"apple", "Cat", "cow", "Crow", "dog", "ア", "アイ"});
  auto range = ranges.FirstLetterRange('c');
  EXPECT_EQ(std::vector<std::string>(range.begin(), range.end()),
            (std::vector<std::string>{"Cat", "cow", "Crow"}));
  EXPECT_EQ(ranges.FirstLetterRange('C').size(), 3u);
  EXPECT_EQ(ranges.FirstLetterRange(0x83).size(), 2u);
  EXPECT_TRUE(ranges.FirstLetterRange('b').empty());
  EXPECT_TRUE(TSpellWordList().FirstLetterRange('a').empty());
}

TEST_F(SpellLookup, WordOrderFoldsLettersAfterADoubleByteCharacterButNeverATrailByte) {
  // ａ is 82 81, a trail byte that is a lead byte too: the letter after it is a letter again.
  const std::string wide = "ａ";
  EXPECT_EQ(CompareSpellWords(wide + "a", wide + "A"), 0);
  EXPECT_EQ(CompareSpellWords("a", "A"), 0);
  // The trail bytes of 82 61 and 82 41 only look like letters.
  EXPECT_GT(CompareSpellWords("\x82\x61", "\x82\x41"), 0);
  EXPECT_LT(CompareSpellWords("\x82\x41", "\x82\x61"), 0);
  TSpellWordList list;
  list.AddWords({wide + "a", wide + "B", wide + "A", "\x82\x61", "\x82\x41"});
  EXPECT_EQ(Words(list),
            (std::vector<std::string>{"\x82\x41", "\x82\x61", wide + "a", wide + "B"}));
  EXPECT_TRUE(list.Find(wide + "A"));
  EXPECT_FALSE(list.Add(wide + "b"));
}

TEST_F(SpellLookup, WordListWordsAddedOneByOneStaySortedAndFindable) {
  TSpellWordList list;
  std::vector<std::string> added;
  for (int i = 0; i < 3000; ++i) {
    // A scrambled order, two cases of each word.
    std::string word = "w";
    word += std::to_string((i * 7919) % 3000);
    EXPECT_TRUE(list.Add(i % 2 ? word : sjis::UpperAscii(word)));
    EXPECT_FALSE(list.Add(word));
    added.push_back(word);
  }
  EXPECT_EQ(list.Count(), 3000);
  for (const std::string& word : added)
    ASSERT_TRUE(list.Find(word)) << word;
  auto words = list.Words();
  for (size_t i = 1; i < words.size(); ++i)
    ASSERT_LT(sjis::CompareIgnoreAsciiCase(words[i - 1], words[i]), 0) << i;
}

// With URL and mail recognition, as the engine runs it.
std::string Tokens(std::string_view text, const std::string& commenter = "%") {
  TSpellParser parser(text, true, true, commenter);
  return test_support::TokenList(parser);
}

TEST(SpellParser, TokenKinds) {
  EXPECT_EQ(Tokens("\\section{Intro} 表示する テスト ｶﾅ｡ ＡＢ １２，３ 3.14 42 x_1"),
            "\\section:22 {:1 Intro:8 }:1 表示:17 する:15 テスト:16 ｶﾅ:19 ｡:18 ＡＢ:14 "
            "１２，３:12 3.14:4 42:3 x:8 _:1 1:3");
  EXPECT_EQ(Tokens("see https://example.org/a+b and (me@example.org) then www.x.jp."),
            "see:8 https://example.org/a:20 +:1 b:8 and:8 (:1 me@example.org:21 ):1 then:8 "
            "www.x.jp.:20");
  EXPECT_EQ(Tokens("α\tβγ、ⅠⅡ"), "α:11 \t:9 βγ:11 、:11 ⅠⅡ:11");
  EXPECT_EQ(Tokens("\\@startsection{x}"), "\\@startsection:22 {:1 x:8 }:1");
  // "\%" is a control symbol: no comment begins.
  EXPECT_EQ(Tokens("50\\% of it"), "50:3 \\%:22 of:8 it:8");
  EXPECT_EQ(Tokens("\\日本語 \\ x"), "\\日本語:22 \\:22 x:8");
  EXPECT_EQ(Tokens("#12"), "#:1 12:3");
  // After "\\" (a line break) and after 表 (95 5C) a comment begins.
  EXPECT_EQ(Tokens("a\\\\% x y"), "a:8 \\\\:22 % x y:7");
  EXPECT_EQ(Tokens("表% x"), "表:17 % x:7");
  EXPECT_EQ(Tokens("a %b\r\nnext"), "a:8 %b:7 next:8");
  // Without an opener "%" is a symbol; the mail scan does not take it alone.
  EXPECT_EQ(Tokens("a % b", ""), "a:8 %:1 b:8");
  // Right after a lone "\" the opener belongs to TeX's control symbol.
  EXPECT_EQ(Tokens("\\;x", ";"), "\\:22 ;:1 x:8");
  EXPECT_EQ(Tokens("\\ ;x", ";"), "\\:22 ;x:7");
  EXPECT_EQ(Tokens("http://a.jp/c++"), "http://a.jp/c:20 +:1 +:1");
  EXPECT_EQ(Tokens("ftp://x/~y#z%20"), "ftp://x/~y#z%20:20");
  // Case-sensitive prefixes, and only with their check on.
  EXPECT_EQ(Tokens("HTTP://x"), "HTTP:8 ::1 /:1 /:1 x:8");
  TSpellParser off("http://x.jp a@b.c", false, false, "");
  EXPECT_EQ(test_support::TokenList(off), "http:8 ::1 /:1 /:1 x:8 .:1 jp:8 a:8 @:1 b:8 .:1 c:8");
  // Unassigned codes of 0x82 and 0x83 are one character of kind 11, never split.
  EXPECT_EQ(Tokens("a\x82\xF5z \x83\x97q"), "a:8 \x82\xF5:11 z:8 \x83\x97:11 q:8");
  // A lone lead byte at the end is one byte of kind 1.
  EXPECT_EQ(Tokens("ab \x88"), "ab:8 \x88:1");
  EXPECT_EQ(Tokens("\x88\r\nx"), "\x88:1 x:8");
}

TEST(SpellParser, EndsAndLineBreaks) {
  EXPECT_EQ(Tokens(std::string("ab\0cd", 5)), "ab:8");
  EXPECT_EQ(Tokens("one\r\ntwo\rthree\nfour"), "one:8 two:8 three:8 four:8");
  TSpellParser parser("x", true, true, "%");
  parser.NextToken();
  EXPECT_EQ(parser.TokenKind(), tkEnd);
  EXPECT_EQ(parser.SourcePos(), 1);
  parser.NextToken();
  EXPECT_EQ(parser.TokenKind(), tkEnd);
  EXPECT_EQ(parser.SourcePos(), 1);
  EXPECT_EQ(Tokens(""), "");
}

TEST(SpellParser, OffsetsAndItsOwnCopy) {
  auto text = std::make_unique<std::string>("  word \\cmd");
  TSpellParser parser(*text, true, true, "%");
  text->assign(text->size(), 'z');
  text.reset();
  EXPECT_EQ(parser.TokenString(), "word");
  EXPECT_EQ(parser.SourcePos(), 2);
  parser.NextToken();
  EXPECT_EQ(parser.TokenString(), "\\cmd");
  EXPECT_EQ(parser.SourcePos(), 7);
}

} // namespace
