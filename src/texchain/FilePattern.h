// "%file" tokens of command texts: "%file", an optional extension part beginning with ".",
// optional modifiers after "-", then the closing "%" ("%file.dvi-q%"). Modifiers: s the short
// (8.3) form, n the name part only, q quoted when it holds a blank, e the file itself even
// when an owner is given, a "*" without an owner (the file itself with one).
#pragma once

#include <string>
#include <string_view>

namespace quolin {

// The first token at or after start, at most 20 characters long; empty when there is none.
// position receives where it begins.
std::string FindFileToken(std::string_view text, size_t start, size_t& position);
// What one token stands for.
std::string ExpandFileToken(std::string_view token, const std::string& fileName,
                            const std::string& ownerName);
// Every token replaced, in at most 6 passes of one token each (an expansion may bring tokens
// of its own).
std::string ExpandFilePattern(std::string_view text, const std::string& fileName,
                              const std::string& ownerName);

} // namespace quolin
