// Splitting command lines into arguments and DDE macros into command and arguments.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quolin {

// Longest argument kept; bytes past it are dropped.
inline constexpr size_t MaxCmdLineArg = 4096;

// The argument that begins at or after pos, and the position after it. Blanks and control
// bytes separate arguments; a double quote opens a stretch taken as it stands up to the next
// one; "" where an argument begins is skipped. Empty at the end of the line, which a NUL at or
// after pos ends too.
size_t NextCmdLineArg(std::string_view line, size_t pos, std::string& argument);
// Arguments after the program, up to the first empty one.
int CountCmdLineArgs(std::string_view line);
// "[Command(arguments)]" split into its command word and its arguments; a final CR LF and
// the square brackets are optional. Characters, not bytes, are tested.
void ParseMacroCall(std::string_view macro, std::string& command, std::string& arguments);

} // namespace quolin
