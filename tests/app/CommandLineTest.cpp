#include "app/CommandLine.h"
#include "app/ActionLog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace quolin;
using quolin::test_support::ActionLog;

namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, GetSkipsTheProgram) {
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

// The temporary folder is the current one while this lives.
class CurrentFolder {
public:
  CurrentFolder() : saved_(Current()) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
  }
  ~CurrentFolder() { SetCurrentDirectoryA(saved_.c_str()); }

  // The current folder as GetCurrentDirectoryA spells it, with a trailing separator.
  static std::string Current() {
    char here[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, here);
    std::string folder = here;
    return folder.ends_with('\\') ? folder : folder + "\\";
  }

private:
  std::string saved_;
};

TEST(CommandLine, AbsoluteCommandLineQuotesAndResolvesFiles) {
  CurrentFolder current;
  std::string folder = CurrentFolder::Current();

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
    CurrentFolder current;
    folder = CurrentFolder::Current();
    absolute = AbsoluteCommandLine("prog a.tex /l10 /t \"b c.tex\" \"/m x\" /j3 表.tex");
  }
  ActionLog log;
  ProcessCommandLine(absolute, log.Actions());
  EXPECT_EQ(log.entries,
            (Args{"open " + folder + "a.tex line=-1", "open " + folder + "b c.tex line=9 template",
                  "command x", "open " + folder + "表.tex line=3", "front"}));
}

} // namespace
