// The items of a list as "[a][b]" for readable expectations, and repeated text.
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

inline std::string Repeat(std::string_view part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i)
    text += part;
  return text;
}

} // namespace quolin::test_support
