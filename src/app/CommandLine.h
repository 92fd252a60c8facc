// Command lines: of this process, of a second start handed over by DDE, of a DDE client's
// macro and of the list of documents to reopen.
#pragma once

#include "core/CommandLineSplit.h"

#include <functional>
#include <string>
#include <string_view>

namespace quolin {

class TStrings;

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

// The command line with every argument quoted and every file argument made a full path
// by the current folder, so that another process reads the same files.
std::string AbsoluteCommandLine(std::string_view commandLine);
// A DDE execute macro: "CmdLine(<command line>)" is processed as it stands, "FileOpen(<files>)"
// as the files after the program path. Other commands are ignored.
void HandleDdeMacro(const TStrings& lines, const std::string& programPath,
                    const CommandLineActions& actions);

} // namespace quolin
