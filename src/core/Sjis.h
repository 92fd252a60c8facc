// Shift-JIS (code page 932) character boundaries and ASCII-only case folding. Text is bytes;
// a position is a byte offset. Window-free.
//
// A lead byte (81-9F, E0-FC) starts a double-byte character, except when it is the last byte
// or is followed by 0, CR or LF: then it is a single-byte character of its own, so that broken
// text never makes a character swallow a line end or read past the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quolin::sjis {

constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool EndsCharacter(unsigned char byte) {
  return byte == 0 || byte == '\r' || byte == '\n';
}

// Bytes of the character that starts at pos (1 or 2; 0 at or past the end).
constexpr size_t CharLength(std::string_view text, size_t pos) {
  if (pos >= text.size())
    return 0;
  if (!IsLeadByte(static_cast<unsigned char>(text[pos])) || pos + 1 >= text.size() ||
      EndsCharacter(static_cast<unsigned char>(text[pos + 1])))
    return 1;
  return 2;
}

// Positions counted in characters (as an edit control that keeps Unicode counts them) and in
// bytes. ByteOfCharIndex: where the character of that index starts, the text's size past the
// last. CharIndexOfByte: how many characters start before pos, so a position inside a
// double-byte character counts it.
size_t ByteOfCharIndex(std::string_view text, size_t charIndex);
size_t CharIndexOfByte(std::string_view text, size_t pos);

// True when pos is the second byte of a double-byte character.
bool IsTrailByteAt(std::string_view text, size_t pos);

// Start of the character that holds pos (pos itself, or pos - 1 on a second byte). Looks back
// over the lead-range bytes before pos only, not from the start of the text.
size_t CharStart(std::string_view text, size_t pos);

// Position of the first character equal to the single byte ch at or after start, stepping
// over double-byte characters; npos when none.
size_t FindChar(std::string_view text, char ch, size_t start = 0);
// Position of the last such character; npos when none.
size_t FindLastChar(std::string_view text, char ch);
// First occurrence of a whole-character match of needle, stepping by characters.
size_t FindText(std::string_view text, std::string_view needle, size_t start = 0);

// ASCII letters of single-byte characters only; second bytes are never touched.
std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);
// Compares ignoring ASCII case (single-byte characters only): <0, 0, >0 by bytes.
int CompareIgnoreAsciiCase(std::string_view a, std::string_view b);
bool EqualIgnoreAsciiCase(std::string_view a, std::string_view b);

} // namespace quolin::sjis
