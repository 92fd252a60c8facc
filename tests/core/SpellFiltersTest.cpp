#include "SpellTestFiles.h"
#include "core/SpellCheck.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace quolin::spell_test;

namespace {

// Every misspelled word of text, walked as the dialog walks a line: from 0, then after each
// hit, until -1.
std::string Misspelled(TQuolinSpellCheck& check, std::string_view text) {
  std::string result;
  std::string word;
  for (int start = 0;;) {
    int found = check.FindMisspelledWord(text, start, nullptr, word);
    if (found < 0)
      return result;
    if (!result.empty())
      result += ' ';
    result += word;
    start = found + static_cast<int>(word.size());
  }
}

// A small dictionary and the engine's own defaults.
class SpellFilters : public ::testing::Test {
protected:
  TQuolinSpellCheck check;

  void SetUp() override { check.OtherDic.AddWords({"see", "and", "the", "word", "good"}); }
};

TEST_F(SpellFilters, DefaultsAndWordCase) {
  TQuolinSpellCheck fresh;
  EXPECT_EQ(fresh.MinWordLen, 3);
  EXPECT_TRUE(fresh.SkipAllUpper && fresh.SkipTeX && fresh.SkipMail && fresh.SkipUrl &&
              fresh.SkipCapitalized);
  EXPECT_FALSE(fresh.SkipWords || fresh.StripSuffixes || fresh.SkipWithDigits || fresh.MainDicOnly);
  EXPECT_TRUE(fresh.MainDic.empty() && fresh.DicFolder.empty() && fresh.Commenter.empty());
  using Match = decltype(&TQuolinSpellCheck::MatchWordCase);
  Match match = TQuolinSpellCheck::MatchWordCase;
  EXPECT_EQ(match("", "receive"), "");
  EXPECT_EQ(match("recieve", "Receive"), "receive");
  EXPECT_EQ(match("RECIEVE", "receive"), "RECEIVE");
  EXPECT_EQ(match("ReCieve", "receive"), "ReCeive");
  EXPECT_EQ(match("Colour", "color"), "Color");
  EXPECT_EQ(match("Colour", "cOLOR"), "Color");
  EXPECT_EQ(match("CoLour", "coLor"), "coLor"); // none of the rules: unchanged
  // Second bytes are never changed: "ア" is 83 41, "ヂ" 83 61.
  EXPECT_EQ(match("XaA", "xヂ"), "Xヂ");
  EXPECT_EQ(match("Abcde", "アBC"), "アbc");
}

TEST_F(SpellFilters, CapitalsDigitsAndLength) {
  const std::string text = "Colour ColouR Ab CoLour COLOUR ab colour9 colour";
  // A capital only first (the last letter is not examined) and capitals only are skipped.
  EXPECT_EQ(Misspelled(check, text), "CoLour colour9 colour");
  check.SkipCapitalized = false;
  EXPECT_EQ(Misspelled(check, text), "Colour ColouR CoLour colour9 colour");
  check.SkipAllUpper = false;
  EXPECT_EQ(Misspelled(check, text), "Colour ColouR CoLour COLOUR colour9 colour");
  check.SkipWithDigits = true;
  EXPECT_EQ(Misspelled(check, text), "Colour ColouR CoLour COLOUR colour");
  check.MinWordLen = 2;
  EXPECT_EQ(Misspelled(check, text), "Colour ColouR Ab CoLour COLOUR ab colour");
  check.SkipWords = true;
  EXPECT_EQ(Misspelled(check, text), "");
}

TEST_F(SpellFilters, UrlsMailAndControlSequences) {
  const std::string text = "see http://www.example.org and me@example.org \\foo{word}";
  EXPECT_EQ(Misspelled(check, text), "");
  check.SkipUrl = false;
  EXPECT_EQ(Misspelled(check, text), "http://www.example.org");
  check.SkipUrl = true;
  check.SkipMail = false;
  EXPECT_EQ(Misspelled(check, text), "me@example.org");
  // Capitals only are not skipped outside words.
  EXPECT_EQ(Misspelled(check, "ME@EXAMPLE.ORG"), "ME@EXAMPLE.ORG");
  check.SkipMail = true;
  check.SkipTeX = false;
  EXPECT_EQ(Misspelled(check, text), "\\foo");
}

TEST_F(SpellFilters, Comments) {
  check.Commenter = "%";
  EXPECT_EQ(Misspelled(check, "good % badd wurds"), "");
  EXPECT_EQ(Misspelled(check, "good\\\\% badd"), "");
  EXPECT_EQ(Misspelled(check, "表% badd"), "");
  EXPECT_EQ(Misspelled(check, "50\\% badd"), "badd");
  check.Commenter = "";
  EXPECT_EQ(Misspelled(check, "good % badd wurds"), "badd wurds");
}

TEST_F(SpellFilters, StartOffsetAndTheEnd) {
  std::string word;
  TStringList suggestions;
  check.OtherDic.AddWords({"bad"});
  EXPECT_EQ(check.FindMisspelledWord("badd good wurd", 0, &suggestions, word), 0);
  EXPECT_EQ(word, "badd");
  EXPECT_NE(suggestions.IndexOf("bad"), -1);
  // Tokens before the offset are not checked, one starting at it is.
  EXPECT_EQ(check.FindMisspelledWord("badd good wurd", 1, &suggestions, word), 10);
  EXPECT_EQ(word, "wurd");
  EXPECT_NE(suggestions.IndexOf("word"), -1);
  EXPECT_EQ(check.FindMisspelledWord("badd good wurd", 10, &suggestions, word), 10);
  EXPECT_EQ(check.FindMisspelledWord("badd good wurd", 11, &suggestions, word), -1);
  EXPECT_EQ(word, "");
  EXPECT_EQ(suggestions.Count(), 0);
  EXPECT_EQ(check.FindMisspelledWord("", 0, nullptr, word), -1);
}

TEST_F(SpellFilters, LatexParagraphWithRealLists) {
  DebianDictionaries lists;
  ASSERT_EQ(lists.Error(), "");
  TQuolinSpellCheck real;
  real.DicFolder = lists.AmericanFolder();
  real.LoadDictionaries();
  // The dialog's defaults.
  real.StripSuffixes = real.SkipWithDigits = true;
  real.Commenter = "%";
  const char* const lines[] = {
      "\\section{Introduction}\\label{sec:intro}",
      "The \\emph{quick} brown fox jumps over the lazy dog, see \\cite{knuth1984} and",
      "http://www.example.org/tex or mail me@example.org. % a commnet with erors",
      "Japanese 日本語のテキスト and ｶﾀｶﾅ, numbers 3.14, １２３ and 42\\% of NASA.",
      "We recieve teh mesage here.\\\\% nott an error",
      "表% nott an error either",
  };
  std::string found;
  for (const char* line : lines) {
    std::string words = Misspelled(real, line);
    if (!words.empty())
      found += (found.empty() ? "" : " ") + words;
  }
  EXPECT_EQ(found, "recieve teh mesage");
}

TEST_F(SpellFilters, AddedWordsAreCounted) {
  const std::string text = "The URL http://x.org, NASA and ab abc \\foo me@x.org Colour9";
  EXPECT_EQ(check.AddWordsToUserDictionary(text, false), 4); // The and abc Colour9
  EXPECT_EQ(check.UserDic.Count(), 4);
  EXPECT_TRUE(check.UserDic.Find("colour9"));
  // Words already there count again.
  EXPECT_EQ(check.AddWordsToUserDictionary(text, false), 4);
  EXPECT_EQ(check.UserDic.Count(), 4);
  check.SkipAllUpper = false;
  check.SkipUrl = false;
  check.SkipMail = false;
  check.SkipTeX = false;
  EXPECT_EQ(check.AddWordsToUserDictionary(text, false), 9);
  EXPECT_TRUE(check.UserDic.Find("http://x.org"));
  EXPECT_TRUE(check.UserDic.Find("\\foo"));
  check.MinWordLen = 2;
  check.SkipWords = true;
  EXPECT_EQ(check.AddWordsToUserDictionary(text, false), 3);
}

} // namespace
