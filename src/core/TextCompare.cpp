#include "core/TextCompare.h"

#include "core/Sjis.h"

namespace quolin {

namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

} // namespace

int CompareStrByFlag(std::string_view left, std::string_view right, bool caseSensitive) {
  return Sign(caseSensitive ? left.compare(right) : sjis::CompareIgnoreAsciiCase(left, right));
}

int ComparePrefix(std::string_view text, std::string_view prefix, bool caseSensitive) {
  return CompareStrByFlag(text.substr(0, prefix.size()), prefix, caseSensitive);
}

} // namespace quolin
