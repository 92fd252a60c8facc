// The built-in command words, in the order the router tests them: each matched whole or as a
// prefix (ASCII case ignored), and whether it needs an open document. A word's number is its
// position counted from 1.
#pragma once

#include <array>
#include <string_view>

namespace quolin {

enum TSysWordMatch { swWhole, swPrefix };

struct TSysWord {
  const char* Word;
  TSysWordMatch Match;
  bool NeedsDocument;
};

inline constexpr int SysWordCount = 91;

extern const std::array<TSysWord, SysWordCount> SysWords;

// The number (from 1) of a word of the table, compared whole with ASCII case ignored as the
// router compares; 0 when it is none.
int SysWordNumber(std::string_view word);

} // namespace quolin
