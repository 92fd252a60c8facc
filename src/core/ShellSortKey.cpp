#include "core/ShellSortKey.h"

#include "core/Platform.h"

#include <utility>

namespace quolin {

namespace {

template <typename T> int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int CompareShellSortKeys(TShellColumn column, const TShellSortKey& a, const TShellSortKey& b) {
  if (a.folder != b.folder)
    return a.folder ? -1 : 1;
  switch (column) {
  case scSize:
    return Order(a.size, b.size);
  case scType:
    return CompareLocale(a.typeName, b.typeName, false);
  case scModified:
    return Order(a.modified, b.modified);
  case scAttributes:
    return a.attributes.compare(b.attributes);
  default:
    return 0;
  }
}

std::string AttributeLetters(uint32_t attributes) {
  constexpr std::pair<uint32_t, char> kLetters[] = {{1, 'R'}, {2, 'H'}, {4, 'S'}, {32, 'A'}};
  std::string letters;
  for (auto [bit, letter] : kLetters) {
    if (attributes & bit)
      letters += letter;
  }
  return letters;
}

} // namespace quolin
