// The conversion rows: every row is code page 932 text, and the rows line up with each other
// (tests/platform/LocaleMapTest.cpp checks them against the platform's own mapping).
#include "core/KanaRows.h"
#include "TextOracle.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quolin;
using quolin::texttest::Hex;

namespace {

// The characters of a Shift-JIS text, each as its own string.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> characters;
  for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos))
    characters.emplace_back(text.substr(pos, sjis::CharLength(text, pos)));
  return characters;
}

TEST(KanaRows, EveryRowIsCodePage932Text) {
  for (std::u16string_view row :
       {kana::kHalfKatakana, kana::kFullKatakana, kana::kHiragana, kana::kHiraganaVowels,
        kana::kSmallKana, kana::kSmallKanaNormal, kana::kFullLetters, kana::kHalfLetters,
        kana::kFullDigits, kana::kHalfDigits, kana::kHalfVoicedPairsWide,
        kana::kFullVoicedKatakanaWide, kana::kVoicedHiraganaWide, kana::kUnvoicedHiraganaWide}) {
    std::string ansi = Utf16ToAnsi(row);
    EXPECT_EQ(ansi.find('?'), std::string::npos) << Hex(ansi);
    EXPECT_EQ(AnsiToUtf16(ansi), row) << Hex(ansi);
  }
}

TEST(KanaRows, AnsiAndWideFormsOfTheVoicedRowsAgree) {
  EXPECT_EQ(AnsiToUtf16(kana::kHalfVoicedPairsAnsi), kana::kHalfVoicedPairsWide);
  EXPECT_EQ(AnsiToUtf16(kana::kFullVoicedKatakanaAnsi), kana::kFullVoicedKatakanaWide);
  EXPECT_EQ(AnsiToUtf16(kana::kVoicedHiraganaAnsi), kana::kVoicedHiraganaWide);
  EXPECT_EQ(AnsiToUtf16(kana::kUnvoicedHiraganaAnsi), kana::kUnvoicedHiraganaWide);
  // Half-width pairs are two single bytes; the others one double-byte character each.
  for (const std::string& character : Characters(kana::kHalfVoicedPairsAnsi))
    EXPECT_EQ(character.size(), 1u);
  EXPECT_EQ(Characters(kana::kFullVoicedKatakanaAnsi).size(), 26u);
  EXPECT_EQ(Characters(kana::kVoicedHiraganaAnsi).size(), 26u);
  EXPECT_EQ(Characters(kana::kUnvoicedHiraganaAnsi).size(), 26u);
}

TEST(KanaRows, VoicedAndSmallKanaSitBesideTheirPlainForms) {
  // In UTF-16 a voiced hiragana follows its plain one (a semi-voiced one by two), and a small
  // kana precedes its normal form; ヴ stands for う.
  for (size_t index = 0; index < kana::kVoicedHiraganaWide.size(); ++index) {
    char16_t voiced = kana::kVoicedHiraganaWide[index];
    char16_t plain = kana::kUnvoicedHiraganaWide[index];
    if (voiced == u'ヴ') {
      EXPECT_EQ(plain, u'う');
      continue;
    }
    int distance = voiced - plain;
    EXPECT_TRUE(distance == 1 || distance == 2) << "index " << index;
  }
  for (size_t index = 0; index < kana::kSmallKana.size(); ++index)
    EXPECT_EQ(kana::kSmallKana[index] + 1, kana::kSmallKanaNormal[index]) << "index " << index;
}

} // namespace
