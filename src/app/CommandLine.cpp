#include "app/CommandLine.h"

#include "common/StringHelpers.h"
#include "core/Format.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <windows.h>

namespace quolin {

namespace {

constexpr char StartOption[] = "/start";
constexpr char StartupFile[] = "Startup.tex";

bool IsFileArgument(const std::string& argument) {
  return !argument.empty() && argument[0] != '/';
}

std::string Quoted(const std::string& argument) {
  return "\"" + argument + "\"";
}

std::string FullPath(const std::string& fileName) {
  char buffer[MAX_PATH * 2];
  DWORD length = GetFullPathNameA(fileName.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer)
    return fileName;
  return std::string(buffer, length);
}

} // namespace

std::string GetCmdLineArg(std::string_view line, int n) {
  if (n == 0) {
    char path[1025] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
  }
  std::string argument;
  size_t pos = NextCmdLineArg(line, 0, argument);
  for (int i = 1; i <= n; ++i) {
    pos = NextCmdLineArg(line, pos, argument);
    if (argument.empty())
      break;
  }
  return argument;
}

int OptionDigitsValue(std::string_view argument, int defaultValue) {
  std::string digits;
  for (char byte : argument)
    if (byte >= '0' && byte <= '9')
      digits += byte;
  if (digits.empty())
    return defaultValue;
  int value = 0;
  return TryStrToInt(digits, value) ? value : defaultValue;
}

bool ParseCmdLineOption(const std::string& argument, bool& asTemplate, int& line,
                        const CommandLineActions& actions) {
  if (IsFileArgument(argument))
    return true;
  std::string option = sjis::LowerAscii(std::string_view(argument).substr(0, 2));
  asTemplate = option == "/t";
  if (option == "/j") {
    line = OptionDigitsValue(argument, line);
  } else if (option == "/l") {
    line = OptionDigitsValue(argument, line) - 1;
  } else if (option == "/m" && argument.size() > 3 && actions.runCommand) {
    actions.runCommand(argument.substr(3));
  }
  return false;
}

void ProcessCommandLine(std::string_view commandLine, const CommandLineActions& actions) {
  std::string argument;
  size_t pos = NextCmdLineArg(commandLine, 0, argument);
  pos = NextCmdLineArg(commandLine, pos, argument);
  if (argument.starts_with(StartOption)) {
    int line = StrToIntDef(std::string_view(argument).substr(sizeof StartOption - 1), 0);
    if (actions.openFile)
      actions.openFile(actions.programFolder + StartupFile, false, line);
  } else {
    bool asTemplate = false;
    int line = -1;
    for (; !argument.empty(); pos = NextCmdLineArg(commandLine, pos, argument)) {
      if (!ParseCmdLineOption(argument, asTemplate, line, actions))
        continue;
      if (actions.openFile)
        actions.openFile(argument, asTemplate, line);
      asTemplate = false;
      line = -1;
    }
  }
  if (actions.bringToFront)
    actions.bringToFront();
}

std::string AbsoluteCommandLine(std::string_view commandLine) {
  std::string argument;
  size_t pos = NextCmdLineArg(commandLine, 0, argument);
  std::string result = Quoted(argument);
  for (pos = NextCmdLineArg(commandLine, pos, argument); !argument.empty();
       pos = NextCmdLineArg(commandLine, pos, argument))
    result.append(" ").append(Quoted(IsFileArgument(argument) ? FullPath(argument) : argument));
  return result;
}

void HandleDdeMacro(const TStrings& lines, const std::string& programPath,
                    const CommandLineActions& actions) {
  std::string command, arguments;
  ParseMacroCall(lines.Text(), command, arguments);
  if (command == "CmdLine")
    ProcessCommandLine(arguments, actions);
  else if (command == "FileOpen")
    ProcessCommandLine(Quoted(ReplaceAll(programPath, "\"", "\"\"", true)) + " " + arguments,
                       actions);
}

} // namespace quolin
