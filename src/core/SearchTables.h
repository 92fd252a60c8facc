// Byte tables of the text matcher: case folding, word delimiters, the full-width form of each
// single-byte character and the half-width katakana with their voicing marks. Window-free.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quolin::search {

constexpr unsigned char kVoicedMark = 0xDE;     // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF; // ﾟ

// Upper-case form of every byte by the platform's ANSI upper-casing, built on first use; lead
// bytes keep themselves.
const std::array<unsigned char, 256>& UpperCaseTable();

// Full-width lower-case Latin letters (82 81-9A) fold to upper case (82 60-79) by their second
// byte; every other second byte keeps itself.
constexpr unsigned char FoldFullWidthTrail(unsigned char trail) {
  return trail >= 0x81 && trail <= 0x9A ? static_cast<unsigned char>(trail - 0x21) : trail;
}

// Bytes that end a word: controls, space, ASCII punctuation ("_" too), 7F, 80, A0-A5 and FD-FF.
// Letters, digits, lead bytes and half-width katakana belong to words.
constexpr bool IsDelimiter(unsigned char byte) {
  return byte <= 0x2F || (byte >= 0x3A && byte <= 0x40) || (byte >= 0x5B && byte <= 0x60) ||
         (byte >= 0x7B && byte <= 0x80) || (byte >= 0xA0 && byte <= 0xA5) || byte >= 0xFD;
}

constexpr uint16_t JisToShiftJis(uint16_t jis) {
  unsigned row = jis >> 8;
  unsigned cell = jis & 0xFF;
  unsigned lead = (row - 0x21) / 2 + (row <= 0x5E ? 0x81 : 0xC1);
  unsigned trail = (row & 1) ? cell + 0x1F + (cell >= 0x60 ? 1 : 0) : cell + 0x7E;
  return static_cast<uint16_t>(lead << 8 | trail);
}

namespace detail {

// JIS X 0208 codes of the half-width katakana letters A6-DD; 0 for ｰ (B0), which is no letter.
inline constexpr std::array<uint16_t, 0xDE - 0xA6> kKanaJis = {
    0x2572, 0x2521, 0x2523, 0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543, // ｦ-ｯ
    0,                                                                              // ｰ
    0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D, 0x252F, 0x2531, 0x2533, // ｱ-ｺ
    0x2535, 0x2537, 0x2539, 0x253B, 0x253D, 0x253F, 0x2541, 0x2544, 0x2546, 0x2548, // ｻ-ﾄ
    0x254A, 0x254B, 0x254C, 0x254D, 0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, // ﾅ-ﾎ
    0x255E, 0x255F, 0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569, 0x256A, // ﾏ-ﾘ
    0x256B, 0x256C, 0x256D, 0x256F, 0x2573};                                        // ﾙ-ﾝ

constexpr uint16_t kVu = 0x2574; // ヴ, ｳ with a voicing mark

// Full-width forms, in Shift-JIS, of 0x20-0x7E and of the half-width punctuation around the
// katakana letters.
inline constexpr std::string_view kFullAscii =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪＫＬＭ"
    "ＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜"
    "｝￣";
inline constexpr std::string_view kFullKanaPunctuation = "。「」、・"; // A1-A5
inline constexpr std::string_view kFullLongVowel = "ー";               // B0
inline constexpr std::string_view kFullMarks = "゛゜";                 // DE-DF
static_assert(kFullAscii.size() == 2 * 95 && kFullKanaPunctuation.size() == 2 * 5);

constexpr uint16_t CodeAt(std::string_view characters, size_t index) {
  return static_cast<uint16_t>(static_cast<unsigned char>(characters[2 * index]) << 8 |
                               static_cast<unsigned char>(characters[2 * index + 1]));
}

constexpr std::array<uint16_t, 256> BuildHalfToFull() {
  std::array<uint16_t, 256> table{};
  for (size_t byte = 0x20; byte <= 0x7E; ++byte)
    table[byte] = CodeAt(kFullAscii, byte - 0x20);
  for (size_t byte = 0xA1; byte <= 0xA5; ++byte)
    table[byte] = CodeAt(kFullKanaPunctuation, byte - 0xA1);
  for (size_t byte = 0xA6; byte <= 0xDD; ++byte)
    table[byte] = kKanaJis[byte - 0xA6] ? JisToShiftJis(kKanaJis[byte - 0xA6]) : 0;
  table[0xB0] = CodeAt(kFullLongVowel, 0);
  table[kVoicedMark] = CodeAt(kFullMarks, 0);
  table[kSemiVoicedMark] = CodeAt(kFullMarks, 1);
  return table;
}

inline constexpr std::array<uint16_t, 256> kHalfToFull = BuildHalfToFull();

} // namespace detail

// Shift-JIS code of the byte's full-width form, or 0 when the byte has none and stays.
constexpr uint16_t HalfToFull(unsigned char byte) {
  return detail::kHalfToFull[byte];
}

// JIS X 0208 code of a half-width katakana letter (A6-AF, B1-DD), else 0.
constexpr uint16_t KanaJis(unsigned char byte) {
  return byte >= 0xA6 && byte <= 0xDD ? detail::kKanaJis[byte - 0xA6] : 0;
}

// JIS code of the letter combined with the mark that follows it, or 0 when they do not
// combine: ﾞ voices ｶ-ﾄ, ﾊ-ﾎ and ｳ; ﾟ only ﾊ-ﾎ. Any other mark is a character of its own.
constexpr uint16_t CombinedKanaJis(unsigned char letter, unsigned char mark) {
  bool voicing = (letter >= 0xB6 && letter <= 0xC4) || (letter >= 0xCA && letter <= 0xCE);
  if (mark == kVoicedMark && letter == 0xB3)
    return detail::kVu;
  if (mark == kVoicedMark && voicing)
    return static_cast<uint16_t>(KanaJis(letter) + 1);
  if (mark == kSemiVoicedMark && letter >= 0xCA && letter <= 0xCE)
    return static_cast<uint16_t>(KanaJis(letter) + 2);
  return 0;
}

// The full-width form of the single-byte character at text[pos]: Shift-JIS code (a value
// above FF), or the byte itself when it has none; consumed is 2 when a following voicing mark
// was combined into it.
struct TWideForm {
  uint16_t code;
  size_t consumed;
};
TWideForm WidenSingleByte(std::string_view text, size_t pos);

} // namespace quolin::search

namespace quolin {

// The text with every single-byte character in its full-width form; double-byte characters
// (and a lone lead byte) are kept.
std::string ConvertHalfKanaToFull(std::string_view text);

} // namespace quolin
