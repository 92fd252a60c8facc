#include "core/Sjis.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

TEST(Paths, CharactersStepOverTrailBytes) {
  const std::string text = "表\\ソa"; // 95 5C, 5C, 83 5C, 61
  EXPECT_EQ(sjis::CharLength(text, 0), 2u);
  EXPECT_TRUE(sjis::IsTrailByteAt(text, 1));
  EXPECT_EQ(sjis::FindChar(text, '\\'), 2u);
  EXPECT_EQ(sjis::FindLastChar(text, '\\'), 2u);
  EXPECT_EQ(sjis::FindChar("ソ", '\\'), std::string::npos);
  EXPECT_EQ(sjis::CharStart(text, 4), 3u);
}

TEST(Paths, LoneLeadByteIsOneCharacter) {
  EXPECT_EQ(sjis::CharLength("\x82", 0), 1u);
  EXPECT_EQ(sjis::CharLength("\x82\r\n", 0), 1u);
  EXPECT_EQ(sjis::CharLength(std::string("\x82\0", 2), 0), 1u);
  EXPECT_EQ(sjis::CharLength("\x82\xA0", 0), 2u);
}

TEST(Paths, AsciiCaseFoldingLeavesSecondBytesAlone) {
  EXPECT_EQ(sjis::UpperAscii("aア"), "Aア"); // ア is 83 41
  EXPECT_EQ(sjis::LowerAscii("ッAア"), "ッaア");
  EXPECT_TRUE(sjis::EqualIgnoreAsciiCase("abcア", "ABCア"));
  EXPECT_FALSE(sjis::EqualIgnoreAsciiCase("ア", "ァ"));
  EXPECT_EQ(sjis::FindText("アA", "A"), 2u);
  EXPECT_EQ(sjis::FindText("ア", "A"), std::string::npos);
}

} // namespace
