// "%file" tokens of command texts and tool command lines: "%file", an optional extension part
// (a "." alone, or "." and an extension), optional letters after "-", then the closing "%"
// ("%file.dvi-q%"); the two parts may come in either order, and letters run from the "-" to
// the closing "%", so "%file-n.tex%" holds the letters n, t, e and x. Letters: s the short
// (8.3) form, n the name part only, q quoted when it holds a blank, e the file itself even
// when an owner is given, a "*" without an owner (the file itself with one).
#pragma once

#include <string>
#include <string_view>

namespace quolin {

// The token of the first "%file" at or after start; empty when there is none, or when it is
// unclosed or longer than 20 characters. position receives where it begins.
std::string FindFileToken(std::string_view text, size_t start, size_t& position);
// What one token stands for.
std::string ExpandFileToken(std::string_view token, const std::string& fileName,
                            const std::string& ownerName);
// Every token replaced, in at most 6 passes of one token each (an expansion may bring tokens
// of its own); a token that cannot be one ends the passes.
std::string ExpandFilePattern(std::string_view text, const std::string& fileName,
                              const std::string& ownerName);

} // namespace quolin
