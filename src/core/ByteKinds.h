// Byte classes of Shift-JIS text as the editor lays it out: the lead-byte table, the delimiter
// set, the byte-kind map (one character per display column) and the small routines shared by
// the row store, the tokenizer and the view. Window-free.
//
// Map characters: '1' a single-byte character that is no delimiter, '2' a delimiter byte (TAB
// and blank among them), '4' and '5' the lead and trail byte of a double-byte character, '3'
// a fill column after a TAB (no text byte belongs to it). A lead byte that is last, or is
// followed by 0, CR or LF, is a single-byte character of its own.
#pragma once

#include "core/Sjis.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quolin {

class TStrings;

using ByteSet = std::bitset<256>;

inline constexpr char kMapSingle = '1';
inline constexpr char kMapDelimiter = '2';
inline constexpr char kMapFill = '3';
inline constexpr char kMapLead = '4';
inline constexpr char kMapTrail = '5';
inline constexpr char kMapEnd = '0'; // the sentinel of TEditorAttributeArray

// True for the lead bytes of code page 932, by byte value.
inline constexpr std::array<bool, 256> kLeadBytes = [] {
  std::array<bool, 256> table{};
  for (int byte = 0; byte < 256; ++byte)
    table[static_cast<size_t>(byte)] = sjis::IsLeadByte(static_cast<unsigned char>(byte));
  return table;
}();

inline bool IsLead(char byte) {
  return kLeadBytes[static_cast<unsigned char>(byte)];
}

// Bytes of the character at pos of text (1 or 2; 0 at the end). Hot-path twin of
// sjis::CharLength.
inline size_t CharBytes(std::string_view text, size_t pos) {
  if (pos >= text.size())
    return 0;
  if (!IsLead(text[pos]) || pos + 1 >= text.size() ||
      sjis::EndsCharacter(static_cast<unsigned char>(text[pos + 1])))
    return 1;
  return 2;
}

// The standard word delimiters: 0x00-0x2F, 0x3A-0x40, 0x5B-0x5E, 0x60, 0x7B-0x80, 0xA0-0xA5
// and 0xFD-0xFF (75 bytes; "_" is a word character).
const ByteSet& StandardDelimiters();

// Builds byte-kind maps for one set of delimiters, one TAB width and, when wrapByte is above
// 0, one wrap column (a TAB never fills past it).
class ByteKindMapper {
public:
  ByteKindMapper(const ByteSet& delimiters, int tabSpaceCount, int wrapByte = 0);

  // The map of text, into map (its old contents are replaced).
  void Build(std::string_view text, std::string& map) const;
  std::string Map(std::string_view text) const;
  // The length of the map of text, without building it.
  size_t Width(std::string_view text) const;

private:
  std::array<char, 256> kinds_;
  int tabSpaceCount_;
  int wrapByte_;

  size_t FillAfterTab(size_t mapLength) const;
};

// A cursor over a text and its map, with positions from 1. The text position always names
// the byte that the current column belongs to (for a '3' column, its TAB).
class TEditorAttributeArray {
public:
  TEditorAttributeArray(std::string_view text, std::string_view map);

  void Next();
  void Prev();
  void MoveTo(int pos);
  int Count() const { return static_cast<int>(map_.size()) - 1; }
  char Kind() const { return map_[static_cast<size_t>(mapPos_ - 1)]; }
  int Position() const { return mapPos_; }
  int TextPosition() const { return textPos_; }
  // The whole character at the position (empty on the sentinel).
  std::string CurrentChar() const;
  // The character at the next position; the cursor stays where it is.
  std::string NextChar() const;

private:
  std::string text_;
  std::string map_; // with the '0' sentinel
  int mapPos_ = 1;
  int textPos_ = 1;
};

// How many of the first min(n, length) characters of map equal kind.
int CountByteKind(std::string_view map, char kind, int n);
// True when byte n (from 1) of s is the trail byte of a double-byte character.
bool IsDbcsTrailAt(std::string_view s, int n);
// Byte n (from 1) of s, or 0 outside.
unsigned char ByteAt(std::string_view s, int n);
// True when the one- or two-byte character ch occurs in set at a character boundary.
bool ContainsChar(std::string_view ch, std::string_view set);
// Calls line(text of the line) for every line of text: CR LF, a lone CR and a lone LF each end a
// line, and a final line end adds no empty line.
template <typename Line> void ForEachLine(std::string_view text, Line line) {
  const char* data = text.data();
  size_t size = text.size();
  size_t pos = 0;
  while (pos < size) {
    const void* lineFeed = std::memchr(data + pos, '\n', size - pos);
    size_t lineEnd =
        lineFeed ? static_cast<size_t>(static_cast<const char*>(lineFeed) - data) : size;
    while (const void* found = std::memchr(data + pos, '\r', lineEnd - pos)) {
      size_t at = static_cast<size_t>(static_cast<const char*>(found) - data);
      if (lineFeed && at + 1 == lineEnd)
        break; // CR LF
      line(text.substr(pos, at - pos));
      pos = at + 1;
    }
    if (pos == lineEnd && !lineFeed)
      return; // the text ended with a lone CR
    size_t contentEnd = lineEnd > pos && data[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd;
    line(text.substr(pos, contentEnd - pos));
    pos = lineEnd + 1;
  }
}

// Lines of text into list: CR LF, a lone CR and a lone LF each end a line; a final line end
// adds no empty line, but an empty text gives one empty line.
void SetStringsFromText(std::string_view text, TStrings& list);
// Byte width of the leading blanks (blank 1, full-width blank 2); -1 for an empty string.
int LeadingBlankWidth(std::string_view s);

} // namespace quolin
