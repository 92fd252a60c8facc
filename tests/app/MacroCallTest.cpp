#include "app/ActionLog.h"
#include "app/CommandLine.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using quolin::test_support::ActionLog;

namespace {

std::vector<std::string> Handled(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  ActionLog log;
  HandleDdeMacro(lines, "C:\\Program Files\\Quolin\\Quolin.exe", log.Actions());
  return log.entries;
}

using Entries = std::vector<std::string>;

TEST(MacroCall, CmdLineSkipsTheSendersProgramPath) {
  EXPECT_EQ(Handled("CmdLine(\"C:\\other\\Quolin.exe\" a.tex /l10 b.tex)"),
            (Entries{"open a.tex line=-1", "open b.tex line=9", "front"}));
  EXPECT_EQ(Handled("[CmdLine(\"C:\\other\\Quolin.exe\")]"), (Entries{"front"}));
}

TEST(MacroCall, FileOpenNamesFilesOnly) {
  EXPECT_EQ(Handled("[FileOpen(a.tex b.tex)]"),
            (Entries{"open a.tex line=-1", "open b.tex line=-1", "front"}));
  EXPECT_EQ(Handled("FileOpen(\"表 示.tex\")"), (Entries{"open 表 示.tex line=-1", "front"}));
}

TEST(MacroCall, OtherCommandsAndOtherCaseAreIgnored) {
  EXPECT_EQ(Handled("[fileopen(x.tex)]"), Entries{});
  EXPECT_EQ(Handled("cmdline(prog x.tex)"), Entries{});
  EXPECT_EQ(Handled("[FileClose(x.tex)]"), Entries{});
  EXPECT_EQ(Handled(""), Entries{});
}

TEST(MacroCall, LinesAreJoinedWithLineBreaks) {
  // A macro that came in two lines: the break stays inside the arguments, where it separates
  // them like a blank.
  EXPECT_EQ(Handled("[FileOpen(a.tex\r\nb.tex)]"),
            (Entries{"open a.tex line=-1", "open b.tex line=-1", "front"}));
}

} // namespace
