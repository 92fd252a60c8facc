#include "app/ActionLog.h"
#include "app/CommandLine.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using quolin::test_support::ActionLog;

namespace {

using Entries = std::vector<std::string>;

TEST(MacroCall, MacrosAskForTheirActions) {
  const std::pair<const char*, Entries> cases[] = {
      // CmdLine skips the sender's program path.
      {"CmdLine(\"C:\\other\\Quolin.exe\" a.tex /l10 b.tex)",
       {"open a.tex line=-1", "open b.tex line=9", "front"}},
      {"[CmdLine(\"C:\\other\\Quolin.exe\")]", {"front"}},
      // FileOpen names files only.
      {"[FileOpen(a.tex b.tex)]", {"open a.tex line=-1", "open b.tex line=-1", "front"}},
      {"FileOpen(\"表 示.tex\")", {"open 表 示.tex line=-1", "front"}},
      // Other commands and another case are ignored.
      {"[fileopen(x.tex)]", {}},
      {"cmdline(prog x.tex)", {}},
      {"[FileClose(x.tex)]", {}},
      {"", {}},
      // A macro that came in two lines: the break stays inside the arguments, where it
      // separates them like a blank.
      {"[FileOpen(a.tex\r\nb.tex)]", {"open a.tex line=-1", "open b.tex line=-1", "front"}},
  };
  for (const auto& [text, expected] : cases) {
    TStringList lines;
    lines.SetText(text);
    ActionLog log;
    HandleDdeMacro(lines, "C:\\Program Files\\Quolin\\Quolin.exe", log.Actions());
    EXPECT_EQ(log.entries, expected) << text;
  }
}

} // namespace
