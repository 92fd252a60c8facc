#include "core/KanaConvert.h"
#include "TextOracle.h"
#include "core/KanaRows.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace quolin;
using quolin::texttest::Hex;

namespace {

std::u16string Widths(std::u16string_view text, int letterMode, int digitMode, int kanaMode) {
  return ConvertWidth(text, letterMode, digitMode, kanaMode, u"", u"");
}

TEST(KanaConvert, PairSearchAndMapping) {
  const std::string row = "ガギ"; // 83 4B 83 4D
  EXPECT_EQ(FindDbcsPair(row, '\x83', '\x4B'), 1);
  EXPECT_EQ(FindDbcsPair(row, '\x83', '\x4D'), 3);
  EXPECT_EQ(FindDbcsPair(row, '\x4B', '\x83'), 0); // bytes 2 and 3
  EXPECT_EQ(FindDbcsPair(row, '\x83', '\x4C'), 0);
  // ャK is 83 83 4B; its last two bytes are ガ's, but they belong to two characters.
  EXPECT_EQ(MapDbcsChars("ャK", kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi), "ャK");
  EXPECT_EQ(MapDbcsChars("aガbヴ", kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi),
            "aｶﾞbｳﾞ");
  EXPECT_EQ(MapDbcsChars("ﾊﾟﾊﾞﾊ", kana::kHalfVoicedPairsAnsi, kana::kFullVoicedKatakanaAnsi),
            "パバﾊ");
  EXPECT_EQ(MapWideChars(u"abc", u"aba", u"xyz"), u"zyc");
  EXPECT_EQ(MapWideChars(u"", u"a", u"b"), u"");
  EXPECT_EQ(MapWideChars(u"ab", u"ab", u"x"), u"xb");
  EXPECT_EQ(MapDbcsChars("ガギ", "ガギ", "ｶﾞ"), "ｶﾞギ");
}

TEST(KanaConvert, WidthModes) {
  EXPECT_EQ(Widths(u"ｶﾞｷﾞABC", cwFullWidth, 0, cwFullWidth), u"ガギＡＢＣ");
  EXPECT_EQ(Widths(u"ヴァ", 0, 0, cwHalfWidth), u"ｳﾞｧ");
  EXPECT_EQ(Widths(u"ガギＡＢＣ", cwHalfWidth, 0, cwHalfWidth), u"ｶﾞｷﾞABC");
  EXPECT_EQ(Widths(u"ﾊﾟｰﾃｨｰ 09", 0, cwFullWidth, cwFullWidth), u"パーティー ０９");
  const std::u16string text = u"ＡｂC１2ｱイ";
  for (int mode : {0, 3, -1}) {
    EXPECT_EQ(Widths(text, mode, mode, mode), text) << "mode " << mode;
    EXPECT_EQ(Widths(text, cwHalfWidth, mode, mode), u"AbC１2ｱイ") << "mode " << mode;
    EXPECT_EQ(Widths(text, mode, cwFullWidth, mode), u"ＡｂC１２ｱイ") << "mode " << mode;
    EXPECT_EQ(Widths(text, mode, mode, cwFullWidth), u"ＡｂC１2アイ") << "mode " << mode;
  }
  // To before from: "A" becomes "★", not the class row's "Ａ"; swapped arguments would
  // turn "★" into "A" instead.
  EXPECT_EQ(ConvertWidth(u"AB★", cwFullWidth, 0, 0, u"★", u"A"), u"★Ｂ★");
  EXPECT_EQ(ConvertWidth(u"A-", 0, 0, 0, u"－", u"-"), u"A－");
  // Unequal or empty extra rows are ignored.
  EXPECT_EQ(ConvertWidth(u"A-", 0, 0, 0, u"－x", u"-"), u"A-");
  EXPECT_EQ(ConvertWidth(u"A-", 0, 0, 0, u"", u"-"), u"A-");
  // e with an acute accent and a snowman cannot pass through code page 932; the voiced step
  // must leave them alone.
  EXPECT_EQ(Widths(u"\u00E9\u2603ガ", 0, 0, cwHalfWidth), u"\u00E9\u2603ｶﾞ");
  EXPECT_EQ(Widths(u"ｶﾞ\u00E9\u2603", 0, 0, cwFullWidth), u"ガ\u00E9\u2603");
  EXPECT_EQ(Widths(u"ー", 0, 0, cwHalfWidth), u"ｰ");
  // No half-width forms: kept.
  EXPECT_EQ(Widths(u"ヮヵ", 0, 0, cwHalfWidth), u"ヮヵ");
  // A voicing mark that combines with nothing stays a character of its own.
  EXPECT_EQ(Widths(u"ｱﾞ", 0, 0, cwFullWidth), u"アﾞ");
}

TEST(KanaConvert, KatakanaSurviveHalfWidthAndBack) {
  // Every full-width katakana with a half-width form: the plain row but for ー, the voiced ones.
  std::u16string alphabet = std::u16string(kana::kFullKatakana) + u"ガギグパプヴ";
  std::mt19937 random(1206);
  for (int round = 0; round < 200; ++round) {
    std::u16string text;
    for (int length = static_cast<int>(random() % 12); length > 0; --length)
      text += alphabet[random() % alphabet.size()];
    std::u16string half = Widths(text, 0, 0, cwHalfWidth);
    for (char16_t character : half)
      EXPECT_TRUE(character >= 0xFF61 && character <= 0xFF9F) << "round " << round;
    EXPECT_EQ(Widths(half, 0, 0, cwFullWidth), text) << "round " << round;
  }
}

// The conversion rows: every row is code page 932 text, and the rows line up with each other
// (tests/platform/LocaleMapTest.cpp checks them against the platform's own mapping).

// The characters of a Shift-JIS text, each as its own string.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> characters;
  for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos))
    characters.emplace_back(text.substr(pos, sjis::CharLength(text, pos)));
  return characters;
}

TEST(KanaRows, RowsAreCodePage932TextAndLineUp) {
  for (std::u16string_view row :
       {kana::kHalfKatakana, kana::kFullKatakana, kana::kHiragana, kana::kHiraganaVowels,
        kana::kSmallKana, kana::kSmallKanaNormal, kana::kFullLetters, kana::kHalfLetters,
        kana::kFullDigits, kana::kHalfDigits, kana::kHalfVoicedPairsWide,
        kana::kFullVoicedKatakanaWide, kana::kVoicedHiraganaWide, kana::kUnvoicedHiraganaWide}) {
    std::string ansi = Utf16ToAnsi(row);
    EXPECT_EQ(ansi.find('?'), std::string::npos) << Hex(ansi);
    EXPECT_EQ(AnsiToUtf16(ansi), row) << Hex(ansi);
  }
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

TEST(Readings, HalfWidthKanaNormalisedReadingsAndSortKeys) {
  EXPECT_EQ(ExtractHalfWidthKana("かな漢字"), "ｶﾅ");
  EXPECT_EQ(ExtractHalfWidthKana("ガッコウ"), "ｶﾞｯｺｳ");
  EXPECT_EQ(ExtractHalfWidthKana("ぱーてぃー"), "ﾊﾟｰﾃｨｰ");
  EXPECT_EQ(ExtractHalfWidthKana("ヴぃ"), "ｳﾞｨ");
  // Half-width punctuation (｡｢｣､･), letters and digits are dropped.
  EXPECT_EQ(ExtractHalfWidthKana("｢ｱ｣､ｲ･ｳ｡A1"), "ｱｲｳ");
  EXPECT_EQ(NormalizeReading("ｶﾞｷﾞﾊﾟ"), "がぎぱ");
  EXPECT_EQ(NormalizeReading("テスト"), "てすと");
  EXPECT_EQ(NormalizeReading("ﾃｽﾄ"), "てすと");
  EXPECT_EQ(NormalizeReading("ガッコウ・ｺｰﾄﾞ"), "がっこう・こーど");
  EXPECT_EQ(NormalizeReading("ｳﾞｧ"), "ヴぁ");
  EXPECT_EQ(NormalizeReading("漢字abc"), "漢字abc");
  EXPECT_EQ(ReadingSortKey("ぱーてぃー"), "はあていい");
  EXPECT_EQ(ReadingSortKeyNoLong("ぱーてぃー"), "はてい");
  EXPECT_EQ(ReadingSortKey("ゃ"), "や");
  EXPECT_EQ(ReadingSortKey("ぶ"), "ふ");
  EXPECT_EQ(ReadingSortKey("きゃっと"), "きやつと");
  // Backwards: the first mark becomes a vowel, the second follows a mark and stays one.
  EXPECT_EQ(ReadingSortKey("かーー"), "かあー");
  EXPECT_EQ(ReadingSortKeyNoLong("かーー"), "か");
  // A leading mark has nothing before it; after a non-kana it stays too.
  EXPECT_EQ(ReadingSortKey("ーか"), "ーか");
  EXPECT_EQ(ReadingSortKey("漢ー"), "漢ー");
  EXPECT_EQ(ReadingSortKey("んー"), "んん");
  EXPECT_EQ(ReadingSortKey(NormalizeReading("ヴー")), "うう");
  EXPECT_EQ(ReadingSortKey(NormalizeReading("ﾊﾟｰﾃｨｰ")), "はあていい");
  EXPECT_EQ(ReadingSortKeyNoLong(NormalizeReading("ﾊﾟｰﾃｨｰ")), "はてい");
}

} // namespace
