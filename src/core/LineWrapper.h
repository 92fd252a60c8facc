// Splits one logical line into screen rows by the word-wrap rules: the wrap column, word
// breaks, hanging punctuation and the characters that may not begin or end a row.
// Window-free.
#pragma once

#include "core/ByteKinds.h"
#include "core/EditorOptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// Row attributes: the low bits of a row's data word.
inline constexpr int raLineEnd = 0; // the row ends its line; CR LF follows it
inline constexpr int raWrapped = 1; // the line continues on the next row
inline constexpr int raTextEnd = 2; // the last row of a text without a final line break
inline constexpr int raNone = 3;    // no row (an empty range, or a row outside the store)

// A row of a line: its bytes and attribute.
struct RowSpan {
  uint32_t offset;
  uint32_t length;
  int attribute;
};

class LineWrapper {
public:
  // Columns are laid out with delimiters and tabSpaceCount; TABs stop at the wrap column.
  LineWrapper(const WrapRules& rules, const ByteSet& delimiters, int tabSpaceCount);

  // Appends the rows of line to rows; the last gets raLineEnd.
  void Wrap(std::string_view line, std::vector<RowSpan>& rows);

private:
  const WrapRules& rules_;
  ByteKindMapper mapper_;
  size_t wrap_;
  std::string_view line_;
  std::string map_;
  std::vector<uint32_t> byteOfColumn_; // filled only for maps with fill columns

  void BuildMap(std::string_view line);
  size_t ByteOf(size_t column) const;
  std::string_view CharAt(size_t column) const;
  bool CharIn(size_t column, const std::string& set) const;
  void StepBack(size_t& end) const;
  size_t RowEnd(size_t start, size_t end) const;
};

} // namespace quolin
