#include "SpellTestFiles.h"
#include "core/Sjis.h"
#include "core/SpellCheck.h"
#include "core/StringList.h"
#include "core/spell_support/SpellInputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quolin;
using namespace quolin::spell_test;

namespace {

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i)
    items.push_back(list[i]);
  return items;
}

// The American list as the other dictionaries; no user dictionary.
class SpellSuggest : public ::testing::Test {
protected:
  DebianDictionaries lists;
  TQuolinSpellCheck check;

  void SetUp() override {
    ASSERT_EQ(lists.Error(), "");
    check.DicFolder = lists.AmericanFolder();
    check.MainDic = lists.AmericanFolder() + "\\user.dic";
    check.LoadDictionaries();
    ASSERT_GT(check.OtherDic.Count(), 50000);
  }

  // The suggestions for a word CheckWord does not find.
  std::vector<std::string> Suggestions(const std::string& word) {
    TStringList list;
    EXPECT_FALSE(check.CheckWord(word, &list)) << word;
    return Items(list);
  }
};

bool Contains(const std::vector<std::string>& items, const std::string& word) {
  return std::find(items.begin(), items.end(), word) != items.end();
}

TEST_F(SpellSuggest, RealMisspellings) {
  EXPECT_TRUE(Contains(Suggestions("colour"), "color"));    // similar letters
  EXPECT_TRUE(Contains(Suggestions("recieve"), "receive")); // similar letters
  EXPECT_TRUE(Contains(Suggestions("foto"), "photo"));      // f to ph
  EXPECT_TRUE(Contains(Suggestions("kat"), "cat"));         // k to c
  EXPECT_TRUE(Contains(Suggestions("brite"), "bright"));    // te to ght
  EXPECT_FALSE(Contains(Suggestions("colour"), "colour"));

  // With the British list, colour is a word.
  ASSERT_TRUE(lists.CopyBritishBesideAmerican());
  check.LoadDictionaries();
  EXPECT_TRUE(check.CheckWord("colour", nullptr));
}

TEST_F(SpellSuggest, UserDictionaryWordsAreSuggestedToo) {
  check.UserDic.Add("quolinish");
  EXPECT_TRUE(Contains(Suggestions("quolinsh"), "quolinish"));
  check.MainDicOnly = true;
  std::vector<std::string> only = Suggestions("recieve");
  EXPECT_FALSE(Contains(only, "receive"));
  EXPECT_TRUE(Contains(Suggestions("quolinsh"), "quolinish"));
}

TEST_F(SpellSuggest, GeneratedMisspellings) {
  std::vector<std::string> words = spell_support::ReadWords(lists.American());
  auto missed = [this](const std::string& word) { return !check.CheckWord(word, nullptr); };
  std::vector<spell_support::Misspelling> misspellings =
      spell_support::MakeMisspellings(words, 200, 7, missed);
  ASSERT_EQ(misspellings.size(), 200u);
  for (const spell_support::Misspelling& misspelling : misspellings) {
    TStringList list; // not sorted: the order is the engine's
    ASSERT_FALSE(check.CheckWord(misspelling.word, &list)) << misspelling.word;
    EXPECT_GE(list.IndexOf(misspelling.source), 0) << misspelling.word << " " << misspelling.source;
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_TRUE(check.CheckWord(list[i], nullptr)) << list[i];
      if (i > 0) {
        EXPECT_LT(sjis::CompareIgnoreAsciiCase(list[i - 1], list[i]), 0)
            << list[i - 1] << " " << list[i];
      }
    }
  }
}

TEST(SpellSuggestRules, ReplacementVariantsAndSimilarWords) {
  TSpellSuggestions variants;
  TQuolinSpellCheck::AddReplacements("cacacacacaca", "c", "k", variants); // 6 of "c"
  EXPECT_EQ(variants.size(), 63u);                                        // 2^6 - 1 combinations
  EXPECT_EQ(variants.count("kakakakakaka"), 1u);
  EXPECT_EQ(variants.count("cacakacacaca"), 1u);
  variants.clear();
  TQuolinSpellCheck::AddReplacements("cacacacacacac", "c", "k", variants); // 7 of "c"
  EXPECT_TRUE(variants.empty());
  TQuolinSpellCheck::AddReplacements(std::string(13, 'l'), "ll", "l", variants); // 6 of "ll"
  EXPECT_FALSE(variants.empty());
  EXPECT_EQ(variants.count(std::string(12, 'l')), 1u);
  EXPECT_EQ(variants.count(std::string(7, 'l')), 1u);
  variants.clear();
  TQuolinSpellCheck::AddReplacements(std::string(14, 'l'), "ll", "l", variants); // 7 of "ll"
  EXPECT_TRUE(variants.empty());
  TQuolinSpellCheck::AddReplacements("lol", "l", "ll", variants);
  EXPECT_EQ(std::vector<std::string>(variants.begin(), variants.end()),
            (std::vector<std::string>{"llol", "loll"}));
  variants.clear();
  TQuolinSpellCheck::AddPhoneticVariants("foto", variants);
  EXPECT_EQ(variants.count("photo"), 1u);
  EXPECT_EQ(variants.count("fotto"), 1u);
  // Groups are matched as whole characters: the second byte 0x74 of \x88t is no "t".
  variants.clear();
  TQuolinSpellCheck::AddReplacements("\x88t", "t", "d", variants);
  EXPECT_TRUE(variants.empty());
  // Length 3: no length tolerance, 2 bins may differ; length 4: one letter more or less;
  // length 8: 2 bins, 3 fail; length 9: two letters more or less, 3 bins. Case is ignored,
  // digits count, characters outside "0"-"Z" do not.
  const std::tuple<const char*, const char*, bool> pairs[] = {
      {"cat", "cut", true},           {"cat", "cats", false},
      {"cat", "dog", false},          {"abcd", "abc", true},
      {"abcd", "abcde", true},        {"abcd", "abce", true},
      {"abcd", "ab", false},          {"abcd", "abcdef", false},
      {"abcd", "abxy", false},        {"abcdefgh", "abcdefgx", true},
      {"abcdefgh", "abcdefg", true},  {"abcdefgh", "abcdefgxy", false},
      {"abcdefgh", "abcdef", false},  {"abcdefghi", "abcdefghxy", true},
      {"abcdefghi", "abcdefg", true}, {"abcdefghi", "abcdefgxy", false},
      {"abcdefghi", "abcdef", false}, {"Ab1", "aB1", true},
      {"ab12", "ab34", false},        {"ab-c", "ab_c", true},
      {"colour", "color", true}};
  for (const auto& [word, other, similar] : pairs)
    EXPECT_EQ(TQuolinSpellCheck::IsSimilarWord(word, other), similar) << word << " " << other;
}

} // namespace
