#include "core/KanaConvert.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

TEST(Readings, HalfWidthKanaOfAReading) {
  EXPECT_EQ(ExtractHalfWidthKana("かな漢字"), "ｶﾅ");
  EXPECT_EQ(ExtractHalfWidthKana("ガッコウ"), "ｶﾞｯｺｳ");
  EXPECT_EQ(ExtractHalfWidthKana("ぱーてぃー"), "ﾊﾟｰﾃｨｰ");
  EXPECT_EQ(ExtractHalfWidthKana("ヴぃ"), "ｳﾞｨ");
  // Half-width punctuation (｡｢｣､･), letters and digits are dropped.
  EXPECT_EQ(ExtractHalfWidthKana("｢ｱ｣､ｲ･ｳ｡A1"), "ｱｲｳ");
}

TEST(Readings, ReadingsBecomeHiragana) {
  EXPECT_EQ(NormalizeReading("ｶﾞｷﾞﾊﾟ"), "がぎぱ");
  EXPECT_EQ(NormalizeReading("テスト"), "てすと");
  EXPECT_EQ(NormalizeReading("ﾃｽﾄ"), "てすと");
  EXPECT_EQ(NormalizeReading("ガッコウ・ｺｰﾄﾞ"), "がっこう・こーど");
  EXPECT_EQ(NormalizeReading("ｳﾞｧ"), "ヴぁ");
  EXPECT_EQ(NormalizeReading("漢字abc"), "漢字abc");
}

TEST(Readings, SortKeys) {
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
}

TEST(Readings, NormalisedThenSortKey) {
  EXPECT_EQ(ReadingSortKey(NormalizeReading("ヴー")), "うう");
  EXPECT_EQ(ReadingSortKey(NormalizeReading("ﾊﾟｰﾃｨｰ")), "はあていい");
  EXPECT_EQ(ReadingSortKeyNoLong(NormalizeReading("ﾊﾟｰﾃｨｰ")), "はてい");
}

} // namespace
