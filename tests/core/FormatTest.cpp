#include "core/Format.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

TEST(Format, DirectivesConversionsAndErrors) {
  EXPECT_EQ(Format("%d items", 3), "3 items");
  EXPECT_EQ(Format("%x", 255), "FF");
  EXPECT_EQ(Format("%.8x", -1), "FFFFFFFF");
  EXPECT_EQ(Format("%.8x", 0x1A), "0000001A");
  EXPECT_EQ(Format("%2.2f", 3.14159), "3.14");
  EXPECT_EQ(Format("%f", 2.5), "2.50");
  EXPECT_EQ(Format("%1:s %0:s", "a", "b"), "b a");
  EXPECT_EQ(Format("[%5d][%-5d]", 42, 42), "[   42][42   ]");
  EXPECT_EQ(Format("[%*d]", 4, 7), "[   7]");
  EXPECT_EQ(Format("%.3d", -5), "-005");
  EXPECT_EQ(Format("%.2s", "表示テスト"), "表");
  EXPECT_EQ(Format("%.3s", "表示テスト"), "表");
  EXPECT_EQ(Format("%s%%", "100"), "100%");
  EXPECT_EQ(Format("%u", -1), "4294967295");
  EXPECT_EQ(Format("%n", 1234567.0), "1,234,567.00");
  EXPECT_EQ(Format("%s", std::string("ファイル")), "ファイル");
  const std::pair<const char*, int> numbers[] = {{"123", 123},
                                                 {"-42", -42},
                                                 {" 7", 7},
                                                 {"$FF", 255},
                                                 {"0x10", 16},
                                                 {"$FFFFFFFF", -1},
                                                 {"-2147483648", INT32_MIN}};
  for (const auto& [text, number] : numbers)
    EXPECT_EQ(StrToInt(text), number) << text;
  for (const char* text : {"2147483648", "$123456789", "12a", "", "7 "})
    EXPECT_THROW(StrToInt(text), EConvertError) << text;
  EXPECT_EQ(StrToIntDef("x", -3), -3);
  EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFF");
  EXPECT_EQ(IntToHex(10, 4), "000A");
  EXPECT_EQ(IntToStr(-9), "-9");
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s", 1), EConvertError);
  EXPECT_THROW(Format("%d %d", 1), EConvertError);
  EXPECT_THROW(Format("%f", 1), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);
  EXPECT_THROW(Format("50%"), EConvertError);
}

} // namespace
