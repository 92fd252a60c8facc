// Splitting command lines into arguments and DDE macros into command and arguments.
#include "core/CommandLineSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

std::vector<std::string> AllArguments(std::string_view line) {
  std::vector<std::string> arguments;
  std::string argument;
  for (size_t pos = NextCmdLineArg(line, 0, argument); !argument.empty();
       pos = NextCmdLineArg(line, pos, argument))
    arguments.push_back(argument);
  return arguments;
}

using Args = std::vector<std::string>;

struct SplitCase {
  std::string line;
  Args expected;
};

TEST(CommandLineSplit, NextCmdLineArgAndCount) {
  const std::string long4096(4096, 'a');
  const SplitCase cases[] = {
      {"a b\tc\x01"
       "d\x1f"
       "e",
       {"a", "b", "c", "d", "e"}},
      {"  \r\n a  ", {"a"}},
      {"\"\" a \"\"\"\"b", {"a", "b"}},
      {"\"my file.tex\" b", {"my file.tex", "b"}},
      {"ab\"c d\"e f", {"abc de", "f"}},
      {"a\"\"b", {"ab"}},
      {"\"unclosed rest of\tline", {"unclosed rest of\tline"}},
      {"\"\"", {}},
      {"", {}},
      {"a\x7f\xff", {"a\x7f\xff"}},
      // 表 and ソ end in 5C, ゾ in 5D: they stay whole.
      {"表示.tex \"C:\\ソフト\\ゾ.tex\"", {"表示.tex", "C:\\ソフト\\ゾ.tex"}},
      {long4096 + " b", {long4096, "b"}},
      // Bytes past the limit are dropped, never a new argument.
      {std::string(5000, 'a') + " b", {long4096, "b"}},
      {"\"" + std::string(5000, 'a') + " x\" b", {long4096, "b"}},
      {std::string("a\0b", 3), {"a"}},
  };
  for (const SplitCase& test : cases)
    EXPECT_EQ(AllArguments(test.line), test.expected) << "line: " << test.line.substr(0, 40);
  std::string argument;
  EXPECT_EQ(NextCmdLineArg("  ab cd", 0, argument), 4u);
  EXPECT_EQ(argument, "ab");
  EXPECT_EQ(NextCmdLineArg("\"a b\"c d", 0, argument), 6u);
  EXPECT_EQ(argument, "a bc");
  EXPECT_EQ(NextCmdLineArg("ab", 2, argument), 2u);
  EXPECT_EQ(argument, "");
  EXPECT_EQ(CountCmdLineArgs("prog"), 0);
  EXPECT_EQ(CountCmdLineArgs(""), 0);
  EXPECT_EQ(CountCmdLineArgs("\"C:\\my prog\\Quolin.exe\" a.tex \"\" /l3 b"), 3);
}

TEST(CommandLineSplit, EveryByteFromTheExclamationMarkBelongsToAnArgument) {
  EXPECT_EQ(AllArguments("a!b c"), (Args{"a!b", "c"}));
  for (int byte = 0x21; byte <= 0xFF; ++byte) {
    if (byte == '"')
      continue;
    const std::string line = std::string("a") + static_cast<char>(byte) + "b c";
    EXPECT_EQ(AllArguments(line), (Args{line.substr(0, 3), "c"})) << byte;
  }
  for (int byte = 0x01; byte <= 0x20; ++byte)
    EXPECT_EQ(AllArguments(std::string("a") + static_cast<char>(byte) + "b"), (Args{"a", "b"}))
        << byte;
}

struct MacroCase {
  std::string macro;
  std::string command;
  std::string arguments;
};

TEST(MacroCall, SplitsCommandAndArguments) {
  const MacroCase cases[] = {
      {"CmdLine(a b)\r\n", "CmdLine", "a b"},
      {"CmdLine(a b)", "CmdLine", "a b"},
      {"[CmdLine(a b)]\r\n", "CmdLine", "a b"},
      {"[CmdLine(a b)]", "CmdLine", "a b"},
      {"CmdLine(a)\r\n\r\n", "CmdLine", "a"},
      {"CmdLine(f(1).tex)", "CmdLine", "f(1).tex"},
      {"FileOpen()", "FileOpen", ""},
      // The command word alone, or a "(" as last character, gives no command.
      {"CmdLine", "", ""},
      {"[CmdLine]", "", ""},
      {"CmdLine(", "", ""},
      {"CmdLine(a", "CmdLine", ""},
      {"a)b(c", "a)b", ""},
      {"(a)", "", "a"},
      {"", "", ""},
      {"\r\n", "", ""},
      {"[]", "", ""},
      // ゾ is 83 5D: its second byte is no closing bracket.
      {"[FileOpen(x)ゾ", "[FileOpen", "x"},
      {"[FileOpen(ゾ)]", "FileOpen", "ゾ"},
      {"CmdLine(\"C:\\表示\\テスト.tex\" /l3)\r\n", "CmdLine", "\"C:\\表示\\テスト.tex\" /l3"},
      {"表示(ソ)", "表示", "ソ"},
  };
  for (const MacroCase& test : cases) {
    std::string command = "old", arguments = "old";
    ParseMacroCall(test.macro, command, arguments);
    EXPECT_EQ(command, test.command) << "macro: " << test.macro;
    EXPECT_EQ(arguments, test.arguments) << "macro: " << test.macro;
  }
}

} // namespace
