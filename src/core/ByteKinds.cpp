#include "core/ByteKinds.h"

#include "core/StringList.h"

#include <algorithm>
#include <cstring>

namespace quolin {

const ByteSet& StandardDelimiters() {
  static const ByteSet delimiters = [] {
    ByteSet set;
    auto range = [&set](int first, int last) {
      for (int byte = first; byte <= last; ++byte)
        set.set(static_cast<size_t>(byte));
    };
    range(0x00, 0x2F);
    range(0x3A, 0x40);
    range(0x5B, 0x5E);
    range(0x60, 0x60);
    range(0x7B, 0x80);
    range(0xA0, 0xA5);
    range(0xFD, 0xFF);
    return set;
  }();
  return delimiters;
}

// ByteKindMapper

ByteKindMapper::ByteKindMapper(const ByteSet& delimiters, int tabSpaceCount, int wrapByte)
    : tabSpaceCount_(std::max(tabSpaceCount, 1)), wrapByte_(wrapByte) {
  for (size_t byte = 0; byte < kinds_.size(); ++byte)
    kinds_[byte] = delimiters.test(byte) ? kMapDelimiter : kMapSingle;
}

size_t ByteKindMapper::FillAfterTab(size_t mapLength) const {
  size_t tab = static_cast<size_t>(tabSpaceCount_);
  size_t fill = tab - ((mapLength - 1) % tab + 1);
  if (wrapByte_ > 0) {
    size_t wrap = static_cast<size_t>(wrapByte_);
    fill = std::min(fill, wrap - ((mapLength - 1) % wrap + 1));
  }
  return fill;
}

void ByteKindMapper::Build(std::string_view text, std::string& map) const {
  map.clear();
  map.reserve(text.size() + 16);
  for (size_t pos = 0; pos < text.size();) {
    char byte = text[pos];
    if (IsLead(byte) && CharBytes(text, pos) == 2) {
      map += kMapLead;
      map += kMapTrail;
      pos += 2;
      continue;
    }
    map += kinds_[static_cast<unsigned char>(byte)];
    ++pos;
    if (byte == '\t')
      map.append(FillAfterTab(map.size()), kMapFill);
  }
}

std::string ByteKindMapper::Map(std::string_view text) const {
  std::string map;
  Build(text, map);
  return map;
}

size_t ByteKindMapper::Width(std::string_view text) const {
  // find, not memchr: an empty row's view may hold no pointer at all.
  if (text.find('\t') == std::string_view::npos)
    return text.size();
  size_t width = 0;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = CharBytes(text, pos);
    width += length;
    if (length == 1 && text[pos] == '\t')
      width += FillAfterTab(width);
    pos += length;
  }
  return width;
}

// TEditorAttributeArray

TEditorAttributeArray::TEditorAttributeArray(std::string_view text, std::string_view map)
    : text_(text), map_(map) {
  map_ += kMapEnd;
}

void TEditorAttributeArray::Next() {
  if (Kind() == kMapEnd)
    return;
  ++mapPos_;
  if (Kind() != kMapFill)
    ++textPos_;
}

void TEditorAttributeArray::Prev() {
  if (mapPos_ <= 1)
    return;
  char oldKind = Kind();
  --mapPos_;
  if (oldKind != kMapFill)
    --textPos_;
}

void TEditorAttributeArray::MoveTo(int pos) {
  while (mapPos_ < pos && Kind() != kMapEnd)
    Next();
  while (mapPos_ > pos && mapPos_ > 1)
    Prev();
}

std::string TEditorAttributeArray::CurrentChar() const {
  size_t at = static_cast<size_t>(textPos_ - 1);
  switch (Kind()) {
  case kMapEnd:
    return {};
  case kMapLead:
    return text_.substr(at, 2);
  case kMapTrail:
    return at == 0 ? text_.substr(at, 1) : text_.substr(at - 1, 2);
  default:
    return at < text_.size() ? text_.substr(at, 1) : std::string();
  }
}

std::string TEditorAttributeArray::NextChar() const {
  TEditorAttributeArray next = *this;
  if (Kind() == kMapEnd)
    return {};
  next.Next();
  return next.CurrentChar();
}

// Shared routines

int CountByteKind(std::string_view map, char kind, int n) {
  size_t count = std::min(map.size(), static_cast<size_t>(std::max(n, 0)));
  return static_cast<int>(
      std::count(map.begin(), map.begin() + static_cast<ptrdiff_t>(count), kind));
}

bool IsDbcsTrailAt(std::string_view s, int n) {
  if (n < 1 || static_cast<size_t>(n) > s.size())
    return false;
  return sjis::IsTrailByteAt(s, static_cast<size_t>(n - 1));
}

unsigned char ByteAt(std::string_view s, int n) {
  if (n < 1 || static_cast<size_t>(n) > s.size())
    return 0;
  return static_cast<unsigned char>(s[static_cast<size_t>(n - 1)]);
}

bool ContainsChar(std::string_view ch, std::string_view set) {
  if (ch.empty())
    return false;
  for (size_t pos = 0; pos < set.size();) {
    size_t length = CharBytes(set, pos);
    if (set.substr(pos, length) == ch)
      return true;
    pos += length;
  }
  return false;
}

void SetStringsFromText(std::string_view text, TStrings& list) {
  size_t lineFeeds = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  size_t slots = lineFeeds + (text.empty() || text.back() != '\n' ? 1 : 0);
  list.BeginUpdate();
  try {
    list.Clear();
    for (size_t i = 0; i < slots; ++i)
      list.Add(std::string());
    int line = 0;
    ForEachLine(text, [&](std::string_view lineText) {
      if (line < list.Count())
        list.Put(line, std::string(lineText));
      else
        list.Add(std::string(lineText));
      ++line;
    });
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

int LeadingBlankWidth(std::string_view s) {
  if (s.empty())
    return -1;
  size_t pos = 0;
  for (;;) {
    if (pos < s.size() && s[pos] == ' ')
      pos += 1;
    else if (s.substr(pos, 2) == "\x81\x40")
      pos += 2;
    else
      return static_cast<int>(pos);
  }
}

} // namespace quolin
