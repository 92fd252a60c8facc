// The items of a list as "[a][b]" for readable expectations.
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

} // namespace quolin::test_support
