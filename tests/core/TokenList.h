// The tokens of a tokenizer as "text:kind" separated by blanks, up to the end token; shared by
// the editor's and the spell checker's tokenizer tests.
#pragma once

#include "core/TokenScan.h"

#include <string>

namespace quolin::test_support {

template <typename Parser> std::string TokenList(Parser& parser) {
  std::string result;
  for (; parser.TokenKind() != tkEnd; parser.NextToken()) {
    if (!result.empty())
      result += ' ';
    result += std::string(parser.TokenString()) + ":" + std::to_string(parser.TokenKind());
  }
  return result;
}

} // namespace quolin::test_support
