#include "common/KanaConvert.h"
#include "common/KanaRows.h"

#include <gtest/gtest.h>

#include <random>

using namespace quolin;

namespace {

std::wstring Widths(std::wstring_view text, int letterMode, int digitMode, int kanaMode) {
  return ConvertWidth(text, letterMode, digitMode, kanaMode, L"", L"");
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
  EXPECT_EQ(MapWideChars(L"abc", L"aba", L"xyz"), L"zyc");
  EXPECT_EQ(MapWideChars(L"", L"a", L"b"), L"");
}

TEST(KanaConvert, PlacesBeyondAShorterToRowMapNothing) {
  EXPECT_EQ(MapWideChars(L"ab", L"ab", L"x"), L"xb");
  EXPECT_EQ(MapDbcsChars("ガギ", "ガギ", "ｶﾞ"), "ｶﾞギ");
}

TEST(KanaConvert, ConvertsVoicedKanaAndLettersTogether) {
  EXPECT_EQ(Widths(L"ｶﾞｷﾞABC", cwFullWidth, 0, cwFullWidth), L"ガギＡＢＣ");
  EXPECT_EQ(Widths(L"ヴァ", 0, 0, cwHalfWidth), L"ｳﾞｧ");
  EXPECT_EQ(Widths(L"ガギＡＢＣ", cwHalfWidth, 0, cwHalfWidth), L"ｶﾞｷﾞABC");
  EXPECT_EQ(Widths(L"ﾊﾟｰﾃｨｰ 09", 0, cwFullWidth, cwFullWidth), L"パーティー ０９");
}

TEST(KanaConvert, OtherModesLeaveTheirClassAlone) {
  const std::wstring text = L"ＡｂC１2ｱイ";
  for (int mode : {0, 3, -1}) {
    EXPECT_EQ(Widths(text, mode, mode, mode), text) << "mode " << mode;
    EXPECT_EQ(Widths(text, cwHalfWidth, mode, mode), L"AbC１2ｱイ") << "mode " << mode;
    EXPECT_EQ(Widths(text, mode, cwFullWidth, mode), L"ＡｂC１２ｱイ") << "mode " << mode;
    EXPECT_EQ(Widths(text, mode, mode, cwFullWidth), L"ＡｂC１2アイ") << "mode " << mode;
  }
}

TEST(KanaConvert, ExtraRowsOfEqualLengthWinOverTheClassRows) {
  // To before from: "A" becomes "★", not the class row's "Ａ"; swapped arguments would
  // turn "★" into "A" instead.
  EXPECT_EQ(ConvertWidth(L"AB★", cwFullWidth, 0, 0, L"★", L"A"), L"★Ｂ★");
  EXPECT_EQ(ConvertWidth(L"A-", 0, 0, 0, L"－", L"-"), L"A－");
  // Unequal or empty extra rows are ignored.
  EXPECT_EQ(ConvertWidth(L"A-", 0, 0, 0, L"－x", L"-"), L"A-");
  EXPECT_EQ(ConvertWidth(L"A-", 0, 0, 0, L"", L"-"), L"A-");
}

TEST(KanaConvert, KeepsCharactersOutsideCodePage932) {
  // e with an acute accent and a snowman cannot pass through code page 932; the voiced step
  // must leave them alone.
  EXPECT_EQ(Widths(L"\u00E9\u2603ガ", 0, 0, cwHalfWidth), L"\u00E9\u2603ｶﾞ");
  EXPECT_EQ(Widths(L"ｶﾞ\u00E9\u2603", 0, 0, cwFullWidth), L"ガ\u00E9\u2603");
}

TEST(KanaConvert, KatakanaSurviveHalfWidthAndBack) {
  // Every full-width katakana with a half-width form: the plain row but for ー, the voiced ones.
  std::wstring alphabet = std::wstring(kana::kFullKatakana) + L"ガギグパプヴ";
  std::mt19937 random(1206);
  for (int round = 0; round < 200; ++round) {
    std::wstring text;
    for (int length = static_cast<int>(random() % 12); length > 0; --length)
      text += alphabet[random() % alphabet.size()];
    std::wstring half = Widths(text, 0, 0, cwHalfWidth);
    for (wchar_t character : half)
      EXPECT_TRUE(character >= 0xFF61 && character <= 0xFF9F) << "round " << round;
    EXPECT_EQ(Widths(half, 0, 0, cwFullWidth), text) << "round " << round;
  }
}

TEST(KanaConvert, SpecialKatakana) {
  EXPECT_EQ(Widths(L"ヴ", 0, 0, cwHalfWidth), L"ｳﾞ");
  EXPECT_EQ(Widths(L"ｳﾞ", 0, 0, cwFullWidth), L"ヴ");
  EXPECT_EQ(Widths(L"ｰ", 0, 0, cwFullWidth), L"ー");
  EXPECT_EQ(Widths(L"ー", 0, 0, cwHalfWidth), L"ｰ");
  // No half-width forms: kept.
  EXPECT_EQ(Widths(L"ヮヵ", 0, 0, cwHalfWidth), L"ヮヵ");
  // A voicing mark that combines with nothing stays a character of its own.
  EXPECT_EQ(Widths(L"ｱﾞ", 0, 0, cwFullWidth), L"アﾞ");
}

} // namespace
