#include "core/TextEncoding.h"
#include "JoinedStrings.h"
#include "core/Exceptions.h"
#include "core/ResConst.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

using namespace quolin;
using quolin::test_support::Repeat;

namespace {

const std::string kHiraganaA = "\xE3\x81\x82"; // あ in UTF-8

TEST(TextEncoding, Detection) {
  const std::pair<std::string, TextEncodingCode> cases[] = {
      // Byte order marks decide first; the UTF-8 one needs at least four bytes.
      {"", tcBinary},
      {"\xFF\xFE", tcUtf16Le},
      {"\xFE\xFF\x00\x41", tcUtf16Be},
      {"\xEF\xBB\xBF\x07", tcUtf8Bom},
      {"plain ASCII text\r\n", tcAscii},
      // UTF-8 needs three-byte sequences; E0 must be followed by A0-BF; shorter than 6 bytes
      // is never UTF-8; a sequence seen, then a control byte: still UTF-8.
      {"ABCDEF" + kHiraganaA + "GHIJKL", tcUtf8},
      {"ABCDEF\xE0\xA0\x80GHIJKL", tcUtf8},
      {kHiraganaA + "ABC", tcUtf8},
      {"ABCDEF" + kHiraganaA + "\x07XYZ", tcUtf8},
      // Only the first 512 bytes are judged for UTF-8.
      {Repeat("a", 512) + kHiraganaA + Repeat("b", 85), tcShiftJis},
      // Binary bytes: beyond 512 bytes the walk still finds them while undecided, but not
      // after a decision.
      {"abc\x07xyz", tcBinary},
      {"abc\xFFxyz", tcBinary},
      {Repeat("a", 600) + "\x07z", tcBinary},
      {Repeat("a", 520) + "\x82\xA0" + Repeat("a", 10) + "\x07z", tcShiftJis}};
  for (const auto& [text, code] : cases)
    EXPECT_EQ(DetectTextEncoding(text), code) << testing::PrintToString(text.substr(0, 24));
  EXPECT_NE(DetectTextEncoding("\xEF\xBB\xBF"), tcUtf8Bom);
  for (std::string notUtf8 :
       {"ABCDEF\xC3\xA9" + kHiraganaA + "GHIJKL", kHiraganaA + "AB",
        std::string("ABCDEF\xF0\x9F\x98\x80GHIJKL"), std::string("ABCDEF\xE0\x81\x82GHIJKL")})
    EXPECT_NE(DetectTextEncoding(notUtf8), tcUtf8) << testing::PrintToString(notUtf8);
  const std::pair<std::string, TextEncodingCode> japanese[] = {
      {"x\x82\xA0y", tcShiftJis},      {"x\xA4\xA2\xF0y", tcEucJp},
      {"x\xA4\xA2y", tcEucOrShiftJis}, {"ab\x1B$Bcd", tcJis},
      {"ab\x1B$@cd", tcJisOld},        {"x\x8E\xA1y", tcEucOrShiftJis},
      {"x\x8E\x40y", tcShiftJis},      {"x\xB1\xE0\x41\x88y", tcShiftJis},
      {"x\xB1\xE0\x41\xFDy", tcEucJp}, {"x\xE0\xA1y", tcEucOrShiftJis},
      {"x\xE0\x41y", tcShiftJis},      {"x\xF5y", tcEucJp}};
  for (const auto& [text, code] : japanese)
    EXPECT_EQ(DetectJapaneseEncoding(text), code) << testing::PrintToString(text);
  const std::string buffer = "AB\x1B\x24\x42";
  EXPECT_EQ(DetectJapaneseEncoding(std::string_view(buffer.data(), 4)), tcAscii);
  EXPECT_EQ(DetectJapaneseEncoding(buffer), tcJis);
  const std::string cut = "x\xB1\xE0\x41";
  EXPECT_EQ(DetectJapaneseEncoding(cut), tcEucOrShiftJis);
}

TEST(TextEncoding, RangeEdges) {
  // First and last byte of each range and the bytes just outside it, as a first byte and as the
  // byte after 8E, A1-DF and E0-EF; "x" and "y" keep them off the text's ends.
  const std::pair<TextEncodingCode, std::vector<std::string>> groups[] = {
      {tcBinary, {"\x07", "\xFF"}},
      {tcAscii,
       {"\x08", "\x80", "\xA0", "\x8E\x7F", "\x8E\xFD", "\xA1\xA0", "\xE0\x7F", "\x1B$A",
        "\x1B(B"}},
      {tcShiftJis,
       {"\x81\xA1", "\x8D\xA1", "\x8F\xA1", "\x9F\xA1", "\x8E\x40", "\x8E\x7E", "\x8E\x80",
        "\x8E\xA0", "\x8E\xE0", "\x8E\xFC", "\xDF\x9F", "\xE0\x40", "\xEF\x7E", "\xE0\x80",
        "\xEF\xA0", "\xA1\xE0\x81", "\xA1\xEF\x8D", "\xA1\xE0\x8F\x9C", "\xA1\xE0\x3F\x81"}},
      {tcEucJp,
       {"\xF0", "\xFE", "\xA1\xF0", "\xDF\xFE", "\xE0\xFD", "\xEF\xFE", "\xA1\xE0\xFD",
        "\xA1\xE0\xFE"}},
      {tcEucOrShiftJis,
       {"\x8E\xDF", "\xA1\xA1", "\xDF\xDF", "\xE0\xA1", "\xEF\xFC", "\xA1\xE0\x8E\x9D\x40"}},
  };
  for (const auto& [code, samples] : groups) {
    for (const std::string& sample : samples)
      EXPECT_EQ(DetectTextEncoding("x" + sample + "y"), code) << testing::PrintToString(sample);
  }
  // The last byte is left out of both walks.
  for (std::string last : {"abc\x07", "abc\xFF", "abc\x9F", "\x07"})
    EXPECT_EQ(DetectTextEncoding(last), tcAscii) << testing::PrintToString(last);
  EXPECT_EQ(DetectTextEncoding("ab\x07"
                               "c"),
            tcBinary);
  // A three-byte sequence between six ASCII bytes on each side.
  const std::pair<std::string, bool> cases[] = {
      {"\xE1\x80\x80", true},  {"\xEF\xBF\xBF", true},  {"\xE0\xBF\xBF", true},
      {"\xE0\x9F\x80", false}, {"\xE1\x7F\x80", false}, {"\xE1\xC0\x80", false},
      {"\xE1\x80\x7F", false}, {"\xE1\x80\xC0", false}, {"\xDF\xBF\x41", false},
      {"\xF0\x90\x80", false},
  };
  for (const auto& [sequence, utf8] : cases)
    EXPECT_EQ(DetectTextEncoding("ABCDEF" + sequence + "GHIJKL") == tcUtf8, utf8)
        << testing::PrintToString(sequence);
}

TEST(TextEncoding, Utf8ConvertsBothWays) {
  const std::string ansi = "表示\\テスト ｱｲｳ abc";
  const std::string utf8 = ConvertAnsiToUtf8(ansi);
  EXPECT_EQ(utf8.substr(0, 6), "\xE8\xA1\xA8\xE7\xA4\xBA");
  EXPECT_EQ(ConvertUtf8ToAnsi(utf8), ansi);
  EXPECT_EQ(ConvertAnsiToUtf8Bom(ansi), "\xEF\xBB\xBF" + utf8);
  EXPECT_EQ(ConvertUtf8BomToAnsi("\xEF\xBB\xBF" + utf8), ansi);
  EXPECT_EQ(ConvertAnsiToUtf8Bom(""), "\xEF\xBB\xBF");
  EXPECT_EQ(ConvertUtf8ToAnsi(""), "");
  EXPECT_EQ(ConvertUtf8BomToAnsi("\xEF\xBB"), "");
  EXPECT_EQ(ConvertAnsiToUtf8(Repeat("ｱ", 100)).size(), 300u); // half-width kana: 3 bytes each
  // NUL characters are kept.
  const std::string nul("a\0表\0", 5);
  EXPECT_EQ(ConvertAnsiToUtf8(nul), std::string("a\0\xE8\xA1\xA8\0", 6));
  EXPECT_EQ(ConvertUtf8ToAnsi(ConvertAnsiToUtf8(nul)), nul);
  EXPECT_EQ(ConvertUtf16BomToAnsi(ConvertAnsiToUtf16Bom(nul, false)), nul);
  // Five characters take their Windows form: U+301C, U+2016, U+2212, U+2014, U+203E.
  EXPECT_EQ(ConvertUtf8ToAnsi("\xE3\x80\x9C\xE2\x80\x96\xE2\x88\x92\xE2\x80\x94\xE2\x80\xBE"),
            "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x50");
  const std::string utf16 = "\xFF\xFE\x1C\x30\x16\x20\x12\x22\x14\x20\x3E\x20";
  EXPECT_EQ(ConvertUtf16BomToAnsi(utf16), "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x50");
}

// A text of code points in UTF-8 and in UTF-16 (little-endian, no byte-order mark), written
// here apart from the conversions under test.
struct TwoForms {
  std::string utf8, utf16;

  void Add(uint32_t codePoint) {
    if (codePoint < 0x80) {
      utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
      utf8 += static_cast<char>(0xC0 | codePoint >> 6);
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
      utf8 += static_cast<char>(0xE0 | codePoint >> 12);
      utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | codePoint >> 18);
      utf8 += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    if (codePoint >= 0x10000) {
      AddUnit(0xD800 + ((codePoint - 0x10000) >> 10));
      AddUnit(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    } else {
      AddUnit(codePoint);
    }
  }
  void AddUnit(uint32_t unit) {
    utf16 += static_cast<char>(unit & 0xFF);
    utf16 += static_cast<char>(unit >> 8);
  }
};

TEST(TextEncoding, Utf8ConvertsAsItsUtf16FormDoes) {
  // Every character of the basic plane in one text: ASCII, mapped, best-fit and unmapped ones.
  TwoForms plane;
  for (uint32_t ch = 0; ch < 0x10000; ++ch) {
    if (ch < 0xD800 || ch > 0xDFFF)
      plane.Add(ch);
  }
  EXPECT_EQ(ConvertUtf8ToAnsi(plane.utf8), ConvertUtf16ToAnsi(plane.utf16, false));
  // Random texts, some with characters beyond the basic plane among the rest.
  const std::vector<std::pair<uint32_t, uint32_t>> ranges = {
      {0x00, 0x7F},       {0x80, 0x7FF},     {0x3000, 0x30FF}, {0x4E00, 0x9FFF},
      {0xE000, 0xF8FF},   {0xFF00, 0xFFFF},  {0x2010, 0x2212}, {0x10000, 0x1F9FF}};
  std::mt19937 random(48u);
  for (int round = 0; round < 200; ++round) {
    TwoForms text;
    size_t rangeCount = round % 3 == 0 ? ranges.size() : ranges.size() - 1;
    for (int i = 0; i < 300; ++i) {
      auto [low, high] = ranges[random() % rangeCount];
      uint32_t ch = low + random() % (high - low + 1);
      if (ch < 0xD800 || ch > 0xDFFF)
        text.Add(ch);
    }
    ASSERT_EQ(ConvertUtf8ToAnsi(text.utf8), ConvertUtf16ToAnsi(text.utf16, false))
        << "round " << round;
  }
}

TEST(TextEncoding, InvalidTextIsRefused) {
  for (const std::string& bad : {std::string("ok\x80"), std::string("ok\xE3\x81"),
                                 std::string("\xC0\xAF"), std::string("\xED\xA0\x80"),
                                 std::string("\xF4\x90\x80\x80"), std::string("\xE3\x41\x82")}) {
    try {
      ConvertUtf8ToAnsi(bad);
      ADD_FAILURE() << "accepted " << testing::PrintToString(bad);
    } catch (const EEncodingError& error) {
      EXPECT_EQ(error.Message(), "UTF8の文字列変換に失敗しました.");
    }
  }
  EXPECT_EQ(ConvertUtf8ToAnsi("\xF0\x9F\x98\x80").empty(), false);
  // Also after a character beyond the basic plane, and after ASCII at the very end.
  EXPECT_THROW(ConvertUtf8ToAnsi("\xF0\x9F\x98\x80 ok \xE3\x81"), EEncodingError);
  EXPECT_THROW(ConvertUtf8ToAnsi(Repeat("a", 40) + "\xC3"), EEncodingError);
  EXPECT_THROW(ConvertUtf16BomToAnsi("\xFF\xFE\x41"), EEncodingError);
  EXPECT_THROW(ConvertUtf16BomToAnsi(std::string("\xFF\xFE\x00\xD8\x41\x00", 6)), EEncodingError);
  EXPECT_THROW(ConvertUtf16BomToAnsi(std::string("\xFE\xFF\xDC\x00", 4)), EEncodingError);
  EXPECT_THROW(ConvertUtf16BomToAnsi(std::string("\xFF\xFE\x00\xD8", 4)), EEncodingError);
  EXPECT_THROW(ConvertUtf16BomToAnsi(std::string("A\0", 2)), EEncodingError);
  // A surrogate pair is valid.
  EXPECT_NO_THROW(ConvertUtf16BomToAnsi(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)));
}

TEST(TextEncoding, Utf16RoundTripsInBothByteOrders) {
  const std::string ansi = "表示A\r\n";
  const std::string little = ConvertAnsiToUtf16Bom(ansi, false);
  const std::string big = ConvertAnsiToUtf16Bom(ansi, true);
  EXPECT_EQ(little, std::string("\xFF\xFE\x68\x88\x3A\x79\x41\x00\x0D\x00\x0A\x00", 12));
  EXPECT_EQ(big, std::string("\xFE\xFF\x88\x68\x79\x3A\x00\x41\x00\x0D\x00\x0A", 12));
  EXPECT_EQ(DetectTextEncoding(little), tcUtf16Le);
  EXPECT_EQ(DetectTextEncoding(big), tcUtf16Be);
  EXPECT_EQ(ConvertUtf16BomToAnsi(little), ansi);
  EXPECT_EQ(ConvertUtf16BomToAnsi(big), ansi);
  EXPECT_EQ(ConvertAnsiToUtf16Bom("", true), "\xFE\xFF");
}

} // namespace
