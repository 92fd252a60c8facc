// Comparisons for the callers of the message boxes: whole strings or a prefix, with or without
// letter case. Without case only ASCII letters of single-byte characters fold, never a second
// byte (ア 83 41 differs from ッ 83 61). Window-free.
#pragma once

#include <string_view>

namespace quolin {

// 0 when the first (length of prefix) bytes of text equal prefix, else the sign (-1 or 1) of
// comparing them.
int ComparePrefix(std::string_view text, std::string_view prefix, bool caseSensitive);
// 0 when equal, else the sign (-1 or 1) of the comparison.
int CompareStrByFlag(std::string_view left, std::string_view right, bool caseSensitive);

} // namespace quolin
