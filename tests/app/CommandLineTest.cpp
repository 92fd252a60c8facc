#include "app/CommandLine.h"
#include "app/ActionLog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace quolin;
using quolin::test_support::ActionLog;

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

TEST(CommandLine, NextCmdLineArgSplitsAsDocumented) {
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
}

TEST(CommandLine, NextCmdLineArgReturnsThePositionAfterTheArgument) {
  std::string argument;
  EXPECT_EQ(NextCmdLineArg("  ab cd", 0, argument), 4u);
  EXPECT_EQ(argument, "ab");
  EXPECT_EQ(NextCmdLineArg("\"a b\"c d", 0, argument), 6u);
  EXPECT_EQ(argument, "a bc");
  EXPECT_EQ(NextCmdLineArg("ab", 2, argument), 2u);
  EXPECT_EQ(argument, "");
}

TEST(CommandLine, CountAndGetSkipTheProgram) {
  EXPECT_EQ(CountCmdLineArgs("prog"), 0);
  EXPECT_EQ(CountCmdLineArgs(""), 0);
  EXPECT_EQ(CountCmdLineArgs("\"C:\\my prog\\Quolin.exe\" a.tex \"\" /l3 b"), 3);
  EXPECT_EQ(GetCmdLineArg("prog a.tex \"b c.tex\"", 2), "b c.tex");
  EXPECT_EQ(GetCmdLineArg("prog a.tex", 1), "a.tex");
  EXPECT_EQ(GetCmdLineArg("prog a.tex", 2), "");
  EXPECT_EQ(GetCmdLineArg("prog a.tex", 7), "");

  char module[1025] = {};
  GetModuleFileNameA(nullptr, module, sizeof module);
  EXPECT_EQ(GetCmdLineArg("something-else a.tex", 0), module);
}

TEST(CommandLine, OptionDigitsValueJoinsEveryDigit) {
  EXPECT_EQ(OptionDigitsValue("/j5", -1), 5);
  EXPECT_EQ(OptionDigitsValue("/j1a2", -1), 12);
  EXPECT_EQ(OptionDigitsValue("/j-7", -1), 7);
  EXPECT_EQ(OptionDigitsValue("/j", 4), 4);
  EXPECT_EQ(OptionDigitsValue("/j2147483647", 4), 2147483647);
  EXPECT_EQ(OptionDigitsValue("/j2147483648", 4), 4);
  EXPECT_EQ(OptionDigitsValue("/j99999999999999999999", 4), 4);
}

struct ProcessCase {
  std::string line;
  Args expected;
};

TEST(CommandLine, ProcessCommandLineActsInOrder) {
  const ProcessCase cases[] = {
      {"prog a.tex /l10 /t b.tex c.tex",
       {"open a.tex line=-1", "open b.tex line=9 template", "open c.tex line=-1", "front"}},
      {"prog /j5 /t x.tex", {"open x.tex line=5 template", "front"}},
      {"prog /t /j5 x.tex", {"open x.tex line=5", "front"}},
      {"prog /t a.tex b.tex", {"open a.tex line=-1 template", "open b.tex line=-1", "front"}},
      {"prog /T a.tex", {"open a.tex line=-1 template", "front"}},
      {"prog /l x.tex", {"open x.tex line=-2", "front"}},
      {"prog /j5 /l x.tex", {"open x.tex line=4", "front"}},
      {"prog /J5 x.tex", {"open x.tex line=5", "front"}},
      {"prog /j1a2 x.tex", {"open x.tex line=12", "front"}},
      {"prog /j12345678901 x.tex", {"open x.tex line=-1", "front"}},
      {"prog /x /q x.tex /l3", {"open x.tex line=-1", "front"}},
      {"prog /start12 a.tex", {"open P:\\prog\\Startup.tex line=12", "front"}},
      {"prog /start", {"open P:\\prog\\Startup.tex line=0", "front"}},
      {"prog /startx a.tex", {"open P:\\prog\\Startup.tex line=0", "front"}},
      {"prog /START12 a.tex", {"open a.tex line=-1", "front"}},
      {"prog a.tex /start12", {"open a.tex line=-1", "front"}},
      {"prog", {"front"}},
      {"prog \"/m $Sys_FileNew\" /t \"/m:$Sys_EditUndo\" a.tex",
       {"command $Sys_FileNew", "command $Sys_EditUndo", "open a.tex line=-1", "front"}},
      {"prog /m /m: b.tex", {"open b.tex line=-1", "front"}},
      {"prog \"表示 テスト.tex\"", {"open 表示 テスト.tex line=-1", "front"}},
  };
  for (const ProcessCase& test : cases) {
    ActionLog log;
    ProcessCommandLine(test.line, log.Actions());
    EXPECT_EQ(log.entries, test.expected) << "line: " << test.line;
  }
}

class CurrentFolder {
public:
  explicit CurrentFolder(const std::string& folder) {
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    saved_ = saved;
    SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentFolder() { SetCurrentDirectoryA(saved_.c_str()); }

private:
  std::string saved_;
};

std::string TempFolderPath() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

// The current folder as GetCurrentDirectoryA spells it, with a trailing separator.
std::string CurrentFolderPath() {
  char here[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, here);
  std::string folder = here;
  return folder.ends_with('\\') ? folder : folder + "\\";
}

TEST(CommandLine, AbsoluteCommandLineQuotesAndResolvesFiles) {
  CurrentFolder current(TempFolderPath());
  std::string folder = CurrentFolderPath();

  EXPECT_EQ(AbsoluteCommandLine("prog a.tex"), "\"prog\" \"" + folder + "a.tex\"");
  EXPECT_EQ(AbsoluteCommandLine("\"C:\\my prog\\q.exe\" C:\\x\\y.tex \\\\server\\share\\z.tex"),
            "\"C:\\my prog\\q.exe\" \"C:\\x\\y.tex\" \"\\\\server\\share\\z.tex\"");
  EXPECT_EQ(AbsoluteCommandLine("prog sub/a.tex \"my file.tex\" 表示.tex"),
            "\"prog\" \"" + folder + "sub\\a.tex\" \"" + folder + "my file.tex\" \"" + folder +
                "表示.tex\"");
  EXPECT_EQ(AbsoluteCommandLine("prog /start12 a.tex"),
            "\"prog\" \"/start12\" \"" + folder + "a.tex\"");
  EXPECT_EQ(AbsoluteCommandLine("prog /l10 /t \"/m $Sys_FileNew\""),
            "\"prog\" \"/l10\" \"/t\" \"/m $Sys_FileNew\"");
  EXPECT_EQ(AbsoluteCommandLine("prog"), "\"prog\"");
}

TEST(CommandLine, AbsoluteCommandLineKeepsItsMeaningInAnotherFolder) {
  std::string absolute, folder;
  {
    CurrentFolder current(TempFolderPath());
    folder = CurrentFolderPath();
    absolute = AbsoluteCommandLine("prog a.tex /l10 /t \"b c.tex\" \"/m x\" /j3 表.tex");
  }
  ActionLog log;
  ProcessCommandLine(absolute, log.Actions());
  EXPECT_EQ(log.entries,
            (Args{"open " + folder + "a.tex line=-1", "open " + folder + "b c.tex line=9 template",
                  "command x", "open " + folder + "表.tex line=3", "front"}));
}

} // namespace
