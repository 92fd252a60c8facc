#include "core/Sjis.h"

namespace quolin::sjis {

namespace {

char FoldUpper(char ch) {
  return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

char FoldLower(char ch) {
  return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

template <typename Fold> std::string FoldSingleBytes(std::string_view text, Fold fold) {
  std::string result(text);
  for (size_t pos = 0; pos < result.size();) {
    size_t length = CharLength(result, pos);
    if (length == 1)
      result[pos] = fold(result[pos]);
    pos += length;
  }
  return result;
}

} // namespace

size_t ByteOfCharIndex(std::string_view text, size_t charIndex) {
  size_t pos = 0;
  for (; charIndex > 0 && pos < text.size(); --charIndex)
    pos += CharLength(text, pos);
  return pos;
}

size_t CharIndexOfByte(std::string_view text, size_t pos) {
  size_t count = 0;
  for (size_t at = 0; at < pos && at < text.size(); at += CharLength(text, at))
    ++count;
  return count;
}

bool IsTrailByteAt(std::string_view text, size_t pos) {
  return CharStart(text, pos) != pos;
}

// A byte outside the lead range is a character or ends one, so a character starts right after
// it; the lead-range bytes from there to pos pair up, and a last one left over takes the byte
// at pos unless that byte ends a character.
size_t CharStart(std::string_view text, size_t pos) {
  if (pos >= text.size())
    return pos;
  size_t runStart = pos;
  while (runStart > 0 && IsLeadByte(static_cast<unsigned char>(text[runStart - 1])))
    --runStart;
  bool leadBefore = (pos - runStart) % 2 == 1;
  return leadBefore && !EndsCharacter(static_cast<unsigned char>(text[pos])) ? pos - 1 : pos;
}

size_t FindChar(std::string_view text, char ch, size_t start) {
  for (size_t pos = CharStart(text, start); pos < text.size(); pos += CharLength(text, pos)) {
    if (pos >= start && text[pos] == ch && CharLength(text, pos) == 1)
      return pos;
  }
  return std::string_view::npos;
}

size_t FindLastChar(std::string_view text, char ch) {
  size_t found = std::string_view::npos;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (text[pos] == ch && CharLength(text, pos) == 1)
      found = pos;
  }
  return found;
}

size_t FindText(std::string_view text, std::string_view needle, size_t start) {
  if (needle.empty())
    return start <= text.size() ? start : std::string_view::npos;
  for (size_t pos = CharStart(text, start); pos + needle.size() <= text.size();
       pos += CharLength(text, pos)) {
    if (pos < start)
      continue;
    if (text.compare(pos, needle.size(), needle) != 0)
      continue;
    // The match must not end inside a double-byte character of the text.
    size_t end = pos + needle.size();
    if (end == text.size() || CharStart(text.substr(pos), needle.size()) == needle.size())
      return pos;
  }
  return std::string_view::npos;
}

std::string UpperAscii(std::string_view text) {
  return FoldSingleBytes(text, FoldUpper);
}

std::string LowerAscii(std::string_view text) {
  return FoldSingleBytes(text, FoldLower);
}

int CompareIgnoreAsciiCase(std::string_view a, std::string_view b) {
  std::string left = UpperAscii(a);
  std::string right = UpperAscii(b);
  return left.compare(right) < 0 ? -1 : (left == right ? 0 : 1);
}

bool EqualIgnoreAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoreAsciiCase(a, b) == 0;
}

} // namespace quolin::sjis
