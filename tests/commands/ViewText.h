// The text of a document's view as the tests compare it.
#pragma once

#include <string>

namespace quolin::test_support {

// A document's last line gets a line end once it is not empty: the text without it.
inline std::string WithoutFinalLineEnd(const std::string& text) {
  return text.ends_with("\r\n") ? text.substr(0, text.size() - 2) : text;
}

} // namespace quolin::test_support
