// The matcher's tables: full-width forms of single bytes, the widening of half-width katakana
// with voicing marks, upper-casing and the delimiter set (tests/platform/LocaleMapTest.cpp
// checks the widening against the platform's own).
#include "TextOracle.h"
#include "core/SearchTables.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::texttest::CodeText;
using quolin::texttest::Hex;
using quolin::texttest::Single;

namespace {

TEST(HalfToFull, TablesOverEveryByte) {
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    bool stays = byte < 0x20 || byte == 0x7F || byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
    bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    if (!stays && !lead)
      continue;
    EXPECT_EQ(search::HalfToFull(static_cast<unsigned char>(byte)), 0) << Hex(Single(byte));
    EXPECT_EQ(ConvertHalfKanaToFull(Single(byte)), Single(byte)) << Hex(Single(byte));
  }
  const auto& upper = search::UpperCaseTable();
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    unsigned expected = byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte;
    EXPECT_EQ(upper[byte], expected) << Hex(Single(byte));
  }
  std::string delimiters;
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    if (search::IsDelimiter(static_cast<unsigned char>(byte)))
      delimiters += static_cast<char>(byte);
  }
  EXPECT_EQ(delimiters.size(), 76u);
  for (char byte : std::string_view("_ .,\t\\{}~@[`\x7F\x80\xA0\xA5\xFD\xFF"))
    EXPECT_NE(delimiters.find(byte), std::string::npos)
        << Hex(Single(static_cast<unsigned char>(byte)));
  for (char byte : std::string_view("09AZaz\x81\x9F\xE0\xFC\xA6\xDF"))
    EXPECT_EQ(delimiters.find(byte), std::string::npos)
        << Hex(Single(static_cast<unsigned char>(byte)));
}

TEST(HalfToFull, VoicedPairsDoubleBytesAndLoneLeadBytes) {
  EXPECT_EQ(ConvertHalfKanaToFull("ｳﾞｶﾞﾊﾟｶﾟﾞ"), "ヴガパカ゜゛");
  // ム (JIS 0x2560) lands on the second byte 80, stepping over 7F.
  EXPECT_EQ(ConvertHalfKanaToFull("ﾑ"), "ム");
  EXPECT_EQ(CodeText(search::JisToShiftJis(0x2560)), "\x83\x80");
  EXPECT_EQ(ConvertHalfKanaToFull("表a漢ｶﾞ"), "表ａ漢ガ");
  // A lead byte at the end, or before CR, is a character of its own and has no wider form.
  EXPECT_EQ(ConvertHalfKanaToFull("a\x82"), "ａ\x82");
  EXPECT_EQ(ConvertHalfKanaToFull("\x82\r\na"), "\x82\r\nａ");
  EXPECT_EQ(ConvertHalfKanaToFull(std::string("\x82\0a", 3)), std::string("\x82\0ａ", 4));
  EXPECT_EQ(ConvertHalfKanaToFull(""), "");
}

} // namespace
