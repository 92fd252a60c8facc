// The items of a list as "[a][b]" for readable expectations, a list of given items, and
// repeated text.
#pragma once

#include "core/StringList.h"

#include <string>

namespace quolin::test_support {

inline std::string Joined(const TStrings& list) {
  std::string result;
  for (int i = 0; i < list.Count(); ++i)
    result.append("[").append(list[i]).append("]");
  return result;
}

inline TStringList ListOf(std::initializer_list<std::string> items) {
  TStringList list;
  for (const std::string& item : items)
    list.Add(item);
  return list;
}

inline std::string Repeat(std::string_view part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i)
    text += part;
  return text;
}

} // namespace quolin::test_support
