// The core's kana rows and width tables against the platform's own mapping (LCMapStringA in
// the Japanese locale), the oracle of the conversions: Windows only.
#include "core/KanaRows.h"
#include "core/Platform.h"
#include "core/SearchTables.h"
#include "core/TextOracle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>

using namespace quolin;
using quolin::texttest::CodeText;
using quolin::texttest::Hex;
using quolin::texttest::Single;

namespace {

std::string MapByLocale(std::string_view text, DWORD flags) {
  const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
  int size = static_cast<int>(text.size());
  int length = LCMapStringA(japanese, flags, text.data(), size, nullptr, 0);
  std::string mapped(static_cast<size_t>(length), '\0');
  LCMapStringA(japanese, flags, text.data(), size, mapped.data(), length);
  return mapped;
}

bool IsKanaLetter(unsigned byte) {
  return (byte >= 0xA6 && byte <= 0xAF) || (byte >= 0xB1 && byte <= 0xDD);
}

// Maps each character of from on its own and expects the character of to at its place; the
// voiced pairs of a half-width row are two characters that map as one.
void ExpectMapsCharacterwise(std::u16string_view from, std::u16string_view to, DWORD flags,
                             size_t fromStep = 1, size_t toStep = 1) {
  ASSERT_EQ(from.size() / fromStep, to.size() / toStep);
  for (size_t index = 0; index < from.size() / fromStep; ++index) {
    std::string source = Utf16ToAnsi(from.substr(index * fromStep, fromStep));
    std::string expected = Utf16ToAnsi(to.substr(index * toStep, toStep));
    EXPECT_EQ(MapByLocale(source, flags), expected)
        << "character " << index << ": " << Hex(source) << "-> " << Hex(expected);
  }
}

TEST(KanaRows, KatakanaWidthsMapAsThePlatformDoes) {
  ExpectMapsCharacterwise(kana::kHalfKatakana, kana::kFullKatakana, LCMAP_FULLWIDTH);
  ExpectMapsCharacterwise(kana::kFullKatakana, kana::kHalfKatakana, LCMAP_HALFWIDTH);
}

TEST(KanaRows, VoicedPairsMapAsThePlatformDoes) {
  ExpectMapsCharacterwise(kana::kHalfVoicedPairsWide, kana::kFullVoicedKatakanaWide,
                          LCMAP_FULLWIDTH, 2, 1);
  ExpectMapsCharacterwise(kana::kFullVoicedKatakanaWide, kana::kHalfVoicedPairsWide,
                          LCMAP_HALFWIDTH, 1, 2);
}

TEST(KanaRows, KatakanaAndHiraganaMapAsThePlatformDoes) {
  ExpectMapsCharacterwise(kana::kFullKatakana, kana::kHiragana, LCMAP_HIRAGANA);
  ExpectMapsCharacterwise(kana::kHiragana, kana::kFullKatakana, LCMAP_KATAKANA);
  // ヴ has no hiragana: the platform keeps it, and so does the voiced hiragana row.
  ExpectMapsCharacterwise(kana::kFullVoicedKatakanaWide, kana::kVoicedHiraganaWide, LCMAP_HIRAGANA);
  ExpectMapsCharacterwise(kana::kVoicedHiraganaWide, kana::kFullVoicedKatakanaWide, LCMAP_KATAKANA);
}

TEST(KanaRows, LettersAndDigitsMapAsThePlatformDoes) {
  ExpectMapsCharacterwise(kana::kHalfLetters, kana::kFullLetters, LCMAP_FULLWIDTH);
  ExpectMapsCharacterwise(kana::kFullLetters, kana::kHalfLetters, LCMAP_HALFWIDTH);
  ExpectMapsCharacterwise(kana::kHalfDigits, kana::kFullDigits, LCMAP_FULLWIDTH);
  ExpectMapsCharacterwise(kana::kFullDigits, kana::kHalfDigits, LCMAP_HALFWIDTH);
}

TEST(HalfToFull, TableAgreesWithThePlatformButForItsOwnChoices) {
  // Where the table keeps its own forms: ” ’ ￥ ￣ instead of the platform's, and the marks
  // ゛ ゜, which the platform gives as "?" when they stand alone.
  const std::map<unsigned, std::string> own = {{0x22, "\x81\x68"}, {0x27, "\x81\x66"},
                                               {0x5C, "\x81\x8F"}, {0x7E, "\x81\x50"},
                                               {0xDE, "\x81\x4A"}, {0xDF, "\x81\x4B"}};
  for (unsigned byte = 0x20; byte <= 0xDF; ++byte) {
    if (byte > 0x7E && byte < 0xA1)
      continue;
    auto found = own.find(byte);
    std::string expected =
        found != own.end() ? found->second : MapByLocale(Single(byte), LCMAP_FULLWIDTH);
    ASSERT_EQ(expected.size(), 2u) << "byte " << Hex(Single(byte));
    EXPECT_EQ(CodeText(search::HalfToFull(static_cast<unsigned char>(byte))), expected)
        << "byte " << Hex(Single(byte));
    EXPECT_EQ(ConvertHalfKanaToFull(Single(byte)), expected) << "byte " << Hex(Single(byte));
  }
  // The middle dot widens to the middle dot, not to a full stop.
  EXPECT_EQ(ConvertHalfKanaToFull("･"), "・");
}

TEST(HalfToFull, VoicingMarksCombineWhereThePlatformComposes) {
  for (unsigned letter = 0xA6; letter <= 0xDD; ++letter) {
    if (!IsKanaLetter(letter))
      continue;
    for (unsigned mark : {0xDE, 0xDF}) {
      std::string pair = Single(letter) + Single(mark);
      std::string oracle = MapByLocale(pair, LCMAP_FULLWIDTH);
      bool composes = oracle.size() == 2 && oracle.find('?') == std::string::npos;
      std::string expected =
          composes ? oracle : ConvertHalfKanaToFull(Single(letter)) + (mark == 0xDE ? "゛" : "゜");
      EXPECT_EQ(ConvertHalfKanaToFull(pair), expected) << Hex(pair) << "-> " << Hex(oracle);
    }
  }
}

} // namespace
