#include "core/Sjis.h"
#include "core/SpellCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

std::vector<std::string> Words(const TSpellWordList& list) {
  auto words = list.Words();
  return {words.begin(), words.end()};
}

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

TEST_F(SpellLookup, StemsWithoutEnglishEndings) {
  for (const char* word : {"runs", "baked", "flies", "happiest", "happier", "largest", "larger"})
    EXPECT_TRUE(Found(word)) << word;
  // The letter before "ies" rules "pony" out, and "ties" is too short for "ty".
  EXPECT_FALSE(Found("ponies"));
  EXPECT_FALSE(Found("ties"));
  EXPECT_FALSE(Found("runner"));
  EXPECT_FALSE(Found("s"));
  EXPECT_FALSE(Found(""));
}

TEST_F(SpellLookup, NoStemsWithStrippingOff) {
  check.StripSuffixes = false;
  for (const char* word : {"runs", "baked", "flies", "happiest", "largest"})
    EXPECT_FALSE(Found(word)) << word;
  EXPECT_TRUE(Found("run"));
}

TEST_F(SpellLookup, CaseIsIgnored) {
  for (const char* word : {"PARIS", "paris", "Run", "RUNS", "Quolin", "FLIES"})
    EXPECT_TRUE(Found(word)) << word;
  EXPECT_TRUE(check.LookupWord("paris"));
  EXPECT_TRUE(check.LookupWord("QUOLIN"));
}

TEST_F(SpellLookup, MainDicOnlyLooksAtTheUserDictionary) {
  check.MainDicOnly = true;
  EXPECT_TRUE(Found("Quolin"));
  EXPECT_FALSE(Found("run"));
  EXPECT_FALSE(Found("runs"));
  check.UserDic.Add("run");
  EXPECT_TRUE(Found("runs"));
}

TEST_F(SpellLookup, WordListOneOrderForSortingLookupAndDuplicates) {
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

TEST_F(SpellLookup, WordListFirstLetterRanges) {
  TSpellWordList list;
  list.AddWords({"apple", "Cat", "cow", "Crow", "dog", "ア", "アイ"});
  auto range = list.FirstLetterRange('c');
  EXPECT_EQ(std::vector<std::string>(range.begin(), range.end()),
            (std::vector<std::string>{"Cat", "cow", "Crow"}));
  EXPECT_EQ(list.FirstLetterRange('C').size(), 3u);
  EXPECT_EQ(list.FirstLetterRange(0x83).size(), 2u);
  EXPECT_TRUE(list.FirstLetterRange('b').empty());
  EXPECT_TRUE(TSpellWordList().FirstLetterRange('a').empty());
}

} // namespace
