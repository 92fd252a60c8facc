// Detecting and converting a text in pieces on several threads answers as one pass does,
// refusals included; the pieces are forced small so that every test text is cut.
#include "core/DocumentText.h"
#include "core/Exceptions.h"
#include "core/ParallelPieces.h"
#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace quolin;

namespace {

TPieceLimits OnePass(std::string_view bytes) {
  return {bytes.size() + 1, 1};
}

TPieceLimits RandomSmallPieces(std::mt19937& random) {
  return {4 + random() % 40, 2 + random() % 8};
}

// Bytes every step of the Japanese walk acts on: escapes, controls, the lead bytes of each
// code with second bytes on both sides of its ranges, a line feed where a second byte or an
// escape's byte goes, and long neutral runs so that the walk crosses many pieces.
const std::vector<std::string> kDetectionPieces = {
    "plain text ", "\\section{x}", "\n",           "\r\n",     "\x1B$B",   "\x1B$@",
    "\x1B(B",      "\x1B\n",       "\x1B$\n",      "\x01",     "\xFF",     "\x80",
    "\xA0",        "\x82\xA0",     "\xA4\xA2",     "\xB1",     "\xB1\xF0", "\x8E\xB1",
    "\x8E\x41",    "\x8E\n",       "\xE0\xA1",     "\xE0\x41", "\xE0\xFD", "\xE0\n",
    "\xA1\xE0xyz", "\xA1\xE0\x90", "\xA1\xE0\xFD", "\xA1\n",   "\xF0",     "\xFD\xFE",
    "\xE3\x81\x82"};

std::string RandomDetectionText(std::mt19937& random) {
  std::string text;
  for (size_t n = random() % 60; n > 0; --n) {
    // Mostly neutral text: a decisive byte early would end every walk in the first piece.
    bool neutral = random() % 4 != 0;
    text += neutral ? kDetectionPieces[random() % 4]
                    : kDetectionPieces[random() % kDetectionPieces.size()];
  }
  return text;
}

TEST(DecodeInPieces, DetectionInPiecesAnswersAsOneWalk) {
  std::mt19937 random(20261207);
  std::set<TextEncodingCode> seen;
  int cut = 0;
  for (int round = 0; round < 2500; ++round) {
    std::string text = RandomDetectionText(random);
    TPieceLimits limits = RandomSmallPieces(random);
    TextEncodingCode whole = DetectTextEncoding(text, OnePass(text));
    ASSERT_EQ(DetectTextEncoding(text, limits), whole)
        << testing::PrintToString(text) << " in pieces of " << limits.MinBytes;
    seen.insert(whole);
    cut += text.size() >= 3 * limits.MinBytes;
  }
  EXPECT_GE(seen.size(), 7u) << "the texts reach most answers";
  EXPECT_GT(cut, 1250) << "most texts are walked in several pieces";
}

// The first piece ends where no line feed is: a pair across its end makes the walk enter the
// next piece one byte late. Walked from that piece's own start, the FD would be a step of its
// own (EUC-JP); as the pair's second byte it decides nothing.
TEST(DecodeInPieces, AWalkEnteringAPieceLateIsFollowed) {
  const TPieceLimits limits{8, 4};
  const std::string late =
      std::string(7, 'a') + "\x8E\xFD" + std::string(20, 'b') + "\n" + std::string(20, 'c');
  ASSERT_EQ(CutAfterLineFeeds(std::string_view(late).substr(8), 4, 8).size(), 2u);
  EXPECT_EQ(DetectTextEncoding(late, OnePass(late)), tcAscii);
  EXPECT_EQ(DetectTextEncoding(late, limits), tcAscii);
  EXPECT_EQ(DetectTextEncoding(late + "\x81.", limits), tcShiftJis);
  EXPECT_EQ(DetectTextEncoding("\xB1\xB1" + late.substr(2), limits), tcEucOrShiftJis);
}

// UTF-16 units of every kind: ASCII, line ends, units holding a 0A or 00 byte, surrogate
// pairs, and now and then a lone surrogate.
std::u16string RandomUnits(std::mt19937& random) {
  static const std::vector<std::u16string> units = {
      u"a",      u"\\section{x} ", u"\n",           u"\r\n",       u"\u4E0A",
      u"\u0A0A", u"\u0A41\u4100",  u"\u6F22\u5B57", u"\U0001F600", u"\u3042"};
  std::u16string text;
  for (size_t n = random() % 50; n > 0; --n) {
    if (random() % 60 == 0)
      text += static_cast<char16_t>(random() % 2 ? 0xD83D : 0xDE00);
    else
      text += units[random() % units.size()];
  }
  return text;
}

std::string Utf16Bytes(const std::u16string& units, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : units) {
    char high = static_cast<char>(static_cast<uint16_t>(unit) >> 8);
    char low = static_cast<char>(static_cast<uint16_t>(unit) & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// The decoded text, or the refusal's message.
std::string Decoded(const std::string& bytes, bool forceUtf8, const TPieceLimits& limits) {
  try {
    TDocumentText text = DecodeDocumentBytes(bytes, forceUtf8, limits);
    return std::to_string(text.Code) + ":" + text.Text;
  } catch (const EEncodingError& error) {
    return "refused: " + error.Message();
  }
}

TEST(DecodeInPieces, Utf16InPiecesGivesTheTextOfOnePass) {
  std::mt19937 random(7);
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string bytes = Utf16Bytes(RandomUnits(random), round % 2);
    if (random() % 20 == 0)
      bytes += 'x'; // an odd byte count
    std::string whole = Decoded(bytes, false, OnePass(bytes));
    ASSERT_EQ(Decoded(bytes, false, RandomSmallPieces(random)), whole)
        << testing::PrintToString(bytes);
    refused += whole.starts_with("refused");
  }
  EXPECT_GT(refused, 50);
  EXPECT_LT(refused, 1000);
}

TEST(DecodeInPieces, Utf8InPiecesGivesTheTextOfOnePass) {
  const std::vector<std::string> pieces = {
      "a",        "\\section{x} ", "\n", "\r\n", "\xE6\xBC\xA2", "\xE3\x81\x82", "\xF0\x9F\x98\x80",
      "\xC3\xA9", "\xEF\xBB\xBF"};
  std::mt19937 random(11);
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string bytes = round % 3 == 0 ? "\xEF\xBB\xBF" : "";
    for (size_t n = random() % 50; n > 0; --n)
      bytes += random() % 80 == 0 ? "\xE6\xBC" : pieces[random() % pieces.size()];
    bool forceUtf8 = random() % 4 == 0;
    std::string whole = Decoded(bytes, forceUtf8, OnePass(bytes));
    ASSERT_EQ(Decoded(bytes, forceUtf8, RandomSmallPieces(random)), whole)
        << testing::PrintToString(bytes);
    refused += whole.starts_with("refused");
  }
  EXPECT_GT(refused, 50);
}

TEST(DecodeInPieces, AFaultInTheLastPieceRefusesTheWholeText) {
  const TPieceLimits limits{16, 4};
  std::u16string lines;
  for (int i = 0; i < 20; ++i)
    lines += u"\u6F22\u5B57 line\r\n";
  const std::string refusal = "refused: UTF8の文字列変換に失敗しました.";
  for (bool bigEndian : {false, true}) {
    std::string good = Utf16Bytes(lines, bigEndian);
    ASSERT_GT(CutAfterUtf16LineFeeds(std::string_view(good).substr(2), bigEndian, 4, 16).size(),
              2u);
    EXPECT_EQ(Decoded(good, false, limits), Decoded(good, false, OnePass(good)));
    EXPECT_NE(Decoded(good, false, limits), refusal);
    EXPECT_EQ(Decoded(Utf16Bytes(lines + u"end\xD83D", bigEndian), false, limits), refusal)
        << "a lone surrogate at the end";
    EXPECT_EQ(Decoded(good + "x", false, limits), refusal) << "an odd byte count";
  }
  std::string utf8;
  for (int i = 0; i < 20; ++i)
    utf8 += "\xE6\xBC\xA2\xE5\xAD\x97 line\r\n";
  EXPECT_EQ(Decoded(utf8 + "end\xE6\xBC", false, limits), refusal);
}

// Every piece but the last ends with a line feed unit at an even offset, and the pieces join
// back to the text.
TEST(DecodeInPieces, Utf16CutsFollowLineFeedUnits) {
  // 0A 00 (or 00 0A) also stands at odd offsets, across two units.
  std::u16string units;
  for (int i = 0; i < 10; ++i)
    units += u"\u0A41\u4100\u0A0A\u0A00zz\n";
  for (bool bigEndian : {false, true}) {
    std::string utf16 = Utf16Bytes(units, bigEndian).substr(2);
    std::vector<std::string_view> pieces = CutAfterUtf16LineFeeds(utf16, bigEndian, 8, 2);
    ASSERT_GT(pieces.size(), 2u);
    std::string joined;
    const std::string lineFeed = bigEndian ? std::string("\0\n", 2) : std::string("\n\0", 2);
    for (size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_EQ(joined.size() % 2, 0u);
      joined += pieces[i];
      if (i + 1 < pieces.size()) {
        EXPECT_EQ(std::string(pieces[i].substr(pieces[i].size() - 2)), lineFeed) << i;
      }
    }
    EXPECT_EQ(joined, utf16);
    EXPECT_EQ(CutAfterUtf16LineFeeds(utf16, bigEndian, 8, utf16.size()).size(), 1u);
  }
}

} // namespace
