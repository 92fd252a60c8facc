// The text matcher of find and replace: finds a pattern in Shift-JIS text forward or backward
// from a selection, with or without case, for whole words, with half-width and full-width
// forms alike, optionally stepping over line breaks and blanks inside a match. It works on
// bytes with explicit lengths (a NUL is an ordinary single-byte character) and never starts or
// ends a match inside a double-byte character. Window-free.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace quolin {

// A selection on entry, the match on success: byte offset from the text's start and length.
struct TSearchPos {
  int Start = 0;
  int Length = 0;

  bool operator==(const TSearchPos&) const = default;
};

// Search flags; other bits are ignored. Forward searches from the end of the selection on,
// backward (the flag clear) from its start down. Stepping over line breaks (CR, LF) or blanks
// (TAB, space, the full-width space) happens inside a match only, after its first character.
inline constexpr int sfForward = 0x1;
inline constexpr int sfMatchCase = 0x2;
inline constexpr int sfWholeWord = 0x4;
inline constexpr int sfIgnoreWidth = 0x8; // half-width and full-width forms alike
inline constexpr int sfSkipLineBreaks = 0x80;
inline constexpr int sfSkipBlanks = 0x100;

// Start of the first match in the search direction, or null; on success position holds the
// match, on failure it is left as it was. Fails for an empty pattern and for a record outside
// the text (start below 0 or beyond its end, negative length).
const char* MatchPattern(std::string_view text, TSearchPos& position, std::string_view pattern,
                         int flags);

// True when MatchPattern finds a match; false at once for an empty text or pattern.
bool FindTextMatch(std::string_view text, TSearchPos& position, std::string_view pattern,
                   int flags);

// Bytes a match beginning exactly at position consumes (stepped-over bytes included), or -1.
// Folds case and width as the search does; the whole-word flag plays no part.
int MatchLengthAt(std::string_view text, int position, std::string_view pattern, int flags);

namespace search {
class TMatcher;
}

// A pattern compiled once for many searches with the same flags: replace all searches again
// after every replacement, and compiling costs more than a search between two near matches.
class TPreparedSearch {
public:
  TPreparedSearch(std::string_view pattern, int flags);
  ~TPreparedSearch();
  TPreparedSearch(const TPreparedSearch&) = delete;
  TPreparedSearch& operator=(const TPreparedSearch&) = delete;

  // FindTextMatch and MatchLengthAt with this pattern and these flags.
  bool Find(std::string_view text, TSearchPos& position);
  int LengthAt(std::string_view text, int position);

private:
  int flags_;
  std::unique_ptr<search::TMatcher> matcher_; // none for an empty pattern
};

// How much of the text beside the part it searches a search reads, for callers that keep or read
// the text in pieces: a search handed only those bytes and the part it searches answers as on
// the whole text. A forward search starting at the end of before reads only the last
// ForwardSearchLookBehind bytes of before; a backward search starting at the start of after
// (with this pattern and these flags) reads only the first BackwardSearchLookAhead bytes of after.
// A forward search over a text cut short judges every candidate before its last
// ForwardSearchLookAhead bytes as on the whole text (all of them when it is too short).
size_t ForwardSearchLookBehind(std::string_view before);
size_t BackwardSearchLookAhead(std::string_view after, std::string_view pattern, int flags);
size_t ForwardSearchLookAhead(std::string_view text, std::string_view pattern, int flags);

} // namespace quolin
