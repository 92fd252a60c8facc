// The built-in command words, in the order the router tests them: each matched whole or as a
// prefix (ASCII case ignored), and whether it needs an open document. A word's number is its
// position counted from 1.
#pragma once

#include <array>
#include <string>
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

struct TFoundSysWord {
  // From 1; 0 when the text is no built-in word.
  int Number = 0;
  // The word as the text spells it, a prefix word without its final "(": the name its
  // arguments follow.
  std::string Spelled;
};
// The first word of the table that the command text matches, in the table's order: a whole
// word equal to the text, a prefix word beginning it, both with ASCII case ignored (the words
// are ASCII, so this is the locale's comparison too).
TFoundSysWord FindSysWord(std::string_view text);

} // namespace quolin
