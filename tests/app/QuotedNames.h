// Names as a command line and "WakeupOpenFiles" hold them: each in double quotes, separated
// by blanks.
#pragma once

#include <initializer_list>
#include <string>

namespace quolin::test_support {

inline std::string QuotedNames(std::initializer_list<std::string> names) {
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty())
      text += ' ';
    text.append("\"").append(name).append("\"");
  }
  return text;
}

} // namespace quolin::test_support
