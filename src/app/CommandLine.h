// Command lines: of this process, of a second start handed over by DDE, of a DDE client's
// macro and of the list of documents to reopen. Window-free.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quolin {

class TStrings;

// Longest argument kept; bytes past it are dropped.
inline constexpr size_t MaxCmdLineArg = 4096;

// What a command line asks for. Opening is always quiet: a file that cannot be opened is
// skipped without a message.
struct CommandLineActions {
  // line counts from 0; negative means no line (the remembered caret position).
  std::function<void(const std::string& fileName, bool asTemplate, int line)> openFile;
  // A command text for the command router, as master 0.
  std::function<void(const std::string& command)> runCommand;
  std::function<void()> bringToFront;
  // With separator: "/start" opens its "Startup.tex".
  std::string programFolder;
};

// The argument that begins at or after pos, and the position after it. Blanks and control
// bytes separate arguments; a double quote opens a stretch taken as it stands up to the next
// one; "" where an argument begins is skipped. Empty at the end of the line.
size_t NextCmdLineArg(std::string_view line, size_t pos, std::string& argument);
// Arguments after the program, up to the first empty one.
int CountCmdLineArgs(std::string_view line);
// 0: the program's own module path; n: the n-th argument after the program, or empty.
std::string GetCmdLineArg(std::string_view line, int n);

// True when the argument is a file name. An option sets asTemplate to whether it is "/t";
// "/j" sets the line (from 0), "/l" the line from 1, "/m" runs the text from its fourth byte.
bool ParseCmdLineOption(const std::string& argument, bool& asTemplate, int& line,
                        const CommandLineActions& actions);
// All decimal digits of the argument joined and read as an integer; defaultValue when there
// are none or they do not fit.
int OptionDigitsValue(std::string_view argument, int defaultValue);
// Opens what the command line names (options apply to the next file only), or with a first
// argument "/start<n>" the program folder's Startup.tex at line n; then brings the program to
// the front.
void ProcessCommandLine(std::string_view commandLine, const CommandLineActions& actions);

// "[Command(arguments)]" split into its command word and its arguments; a final CR LF and
// the square brackets are optional. Characters, not bytes, are tested.
void ParseMacroCall(std::string_view macro, std::string& command, std::string& arguments);
// The command line with every argument quoted and every file argument made a full path
// by the current folder, so that another process reads the same files.
std::string AbsoluteCommandLine(std::string_view commandLine);
// A DDE execute macro: "CmdLine(<command line>)" is processed as it stands, "FileOpen(<files>)"
// as the files after the program path. Other commands are ignored.
void HandleDdeMacro(const TStrings& lines, const std::string& programPath,
                    const CommandLineActions& actions);

} // namespace quolin
