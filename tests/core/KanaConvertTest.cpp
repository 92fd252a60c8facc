#include "core/KanaConvert.h"
#include "core/KanaRows.h"

#include <gtest/gtest.h>

#include <random>

using namespace quolin;

namespace {

std::u16string Widths(std::u16string_view text, int letterMode, int digitMode, int kanaMode) {
  return ConvertWidth(text, letterMode, digitMode, kanaMode, u"", u"");
}

TEST(KanaConvert, PairsAreFoundAtOddPositionsOnly) {
  const std::string row = "ガギ"; // 83 4B 83 4D
  EXPECT_EQ(FindDbcsPair(row, '\x83', '\x4B'), 1);
  EXPECT_EQ(FindDbcsPair(row, '\x83', '\x4D'), 3);
  EXPECT_EQ(FindDbcsPair(row, '\x4B', '\x83'), 0); // bytes 2 and 3
  EXPECT_EQ(FindDbcsPair(row, '\x83', '\x4C'), 0);
}

TEST(KanaConvert, PairMappingStepsOverDoubleByteCharacters) {
  // ャK is 83 83 4B; its last two bytes are ガ's, but they belong to two characters.
  EXPECT_EQ(MapDbcsChars("ャK", kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi), "ャK");
  EXPECT_EQ(MapDbcsChars("aガbヴ", kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi),
            "aｶﾞbｳﾞ");
  EXPECT_EQ(MapDbcsChars("ﾊﾟﾊﾞﾊ", kana::kHalfVoicedPairsAnsi, kana::kFullVoicedKatakanaAnsi),
            "パバﾊ");
}

TEST(KanaConvert, WideMappingLetsTheLastOccurrenceWin) {
  EXPECT_EQ(MapWideChars(u"abc", u"aba", u"xyz"), u"zyc");
  EXPECT_EQ(MapWideChars(u"", u"a", u"b"), u"");
}

TEST(KanaConvert, PlacesBeyondAShorterToRowMapNothing) {
  EXPECT_EQ(MapWideChars(u"ab", u"ab", u"x"), u"xb");
  EXPECT_EQ(MapDbcsChars("ガギ", "ガギ", "ｶﾞ"), "ｶﾞギ");
}

TEST(KanaConvert, ConvertsVoicedKanaAndLettersTogether) {
  EXPECT_EQ(Widths(u"ｶﾞｷﾞABC", cwFullWidth, 0, cwFullWidth), u"ガギＡＢＣ");
  EXPECT_EQ(Widths(u"ヴァ", 0, 0, cwHalfWidth), u"ｳﾞｧ");
  EXPECT_EQ(Widths(u"ガギＡＢＣ", cwHalfWidth, 0, cwHalfWidth), u"ｶﾞｷﾞABC");
  EXPECT_EQ(Widths(u"ﾊﾟｰﾃｨｰ 09", 0, cwFullWidth, cwFullWidth), u"パーティー ０９");
}

TEST(KanaConvert, OtherModesLeaveTheirClassAlone) {
  const std::u16string text = u"ＡｂC１2ｱイ";
  for (int mode : {0, 3, -1}) {
    EXPECT_EQ(Widths(text, mode, mode, mode), text) << "mode " << mode;
    EXPECT_EQ(Widths(text, cwHalfWidth, mode, mode), u"AbC１2ｱイ") << "mode " << mode;
    EXPECT_EQ(Widths(text, mode, cwFullWidth, mode), u"ＡｂC１２ｱイ") << "mode " << mode;
    EXPECT_EQ(Widths(text, mode, mode, cwFullWidth), u"ＡｂC１2アイ") << "mode " << mode;
  }
}

TEST(KanaConvert, ExtraRowsOfEqualLengthWinOverTheClassRows) {
  // To before from: "A" becomes "★", not the class row's "Ａ"; swapped arguments would
  // turn "★" into "A" instead.
  EXPECT_EQ(ConvertWidth(u"AB★", cwFullWidth, 0, 0, u"★", u"A"), u"★Ｂ★");
  EXPECT_EQ(ConvertWidth(u"A-", 0, 0, 0, u"－", u"-"), u"A－");
  // Unequal or empty extra rows are ignored.
  EXPECT_EQ(ConvertWidth(u"A-", 0, 0, 0, u"－x", u"-"), u"A-");
  EXPECT_EQ(ConvertWidth(u"A-", 0, 0, 0, u"", u"-"), u"A-");
}

TEST(KanaConvert, KeepsCharactersOutsideCodePage932) {
  // e with an acute accent and a snowman cannot pass through code page 932; the voiced step
  // must leave them alone.
  EXPECT_EQ(Widths(u"\u00E9\u2603ガ", 0, 0, cwHalfWidth), u"\u00E9\u2603ｶﾞ");
  EXPECT_EQ(Widths(u"ｶﾞ\u00E9\u2603", 0, 0, cwFullWidth), u"ガ\u00E9\u2603");
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

TEST(KanaConvert, SpecialKatakana) {
  EXPECT_EQ(Widths(u"ヴ", 0, 0, cwHalfWidth), u"ｳﾞ");
  EXPECT_EQ(Widths(u"ｳﾞ", 0, 0, cwFullWidth), u"ヴ");
  EXPECT_EQ(Widths(u"ｰ", 0, 0, cwFullWidth), u"ー");
  EXPECT_EQ(Widths(u"ー", 0, 0, cwHalfWidth), u"ｰ");
  // No half-width forms: kept.
  EXPECT_EQ(Widths(u"ヮヵ", 0, 0, cwHalfWidth), u"ヮヵ");
  // A voicing mark that combines with nothing stays a character of its own.
  EXPECT_EQ(Widths(u"ｱﾞ", 0, 0, cwFullWidth), u"アﾞ");
}

} // namespace
