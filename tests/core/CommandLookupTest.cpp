#include "core/CommandLookup.h"
#include "JoinedStrings.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "core/SysWords.h"

#include <gtest/gtest.h>

#include <climits>

using namespace quolin;
using quolin::test_support::ListOf;

namespace {

std::string Master(int id, const std::string& command, int image = -1) {
  TQuolin_CmdList record;
  record.Id = id;
  record.Command = command;
  record.ImgIndex = image;
  return BuildMasterRecord(record);
}

TEST(CommandLookup, FindRecordById) {
  const TStringList ordered = ListOf({Master(2, "a"), Master(5, "b"), Master(INT_MAX, "c")});
  const TStringList negative = ListOf({Master(INT_MIN, "n"), Master(-1, "m")});
  const TStringList unordered = ListOf({Master(9, "a"), Master(3, "b"), Master(7, "c")});
  const TStringList empty;
  struct Case {
    const TStringList& list;
    int id;
    bool found;
    int index;
  } cases[] = {
      {ordered, 3, false, 1},      {ordered, 5, true, 1},        {ordered, 1, false, 0},
      {ordered, INT_MAX, true, 2}, {ordered, INT_MIN, false, 0}, {negative, INT_MIN, true, 0},
      {negative, -1, true, 1},     {empty, 4, false, 0},         {unordered, 9, true, 0},
      {unordered, 3, true, 1},     {unordered, 7, true, 2},      {unordered, 8, false, 3},
  };
  for (const Case& c : cases) {
    int index = -5;
    EXPECT_EQ(FindRecordById(c.list, c.id, index), c.found) << c.id;
    EXPECT_EQ(index, c.index) << c.id;
  }
  EXPECT_EQ(IndexOfRecordId(unordered, 7), 2);
  EXPECT_EQ(IndexOfRecordId(unordered, 8), -1);
}

TEST(CommandLookup, RecordsByNumber) {
  const TStringList masters = ListOf({Master(1, "$Sys_FileSave", 4), Master(3, "\\ref{$S}")});
  const TStringList groups = ListOf({Master(2, "$00000001", 1002)});
  TQuolin_CmdList record;
  record.Name = "old";
  EXPECT_TRUE(GetCommandRecord(masters, 0, record));
  EXPECT_EQ(record, TQuolin_CmdList()) << "number 0 is the cleared record";
  EXPECT_TRUE(GetCommandRecord(masters, 3, record));
  EXPECT_EQ(record.Command, "\\ref{$S}");
  EXPECT_FALSE(GetCommandRecord(masters, 2, record));
  EXPECT_TRUE(GetSignedCommandRecord(masters, groups, -2, record));
  EXPECT_EQ(record.Command, "$00000001");
  EXPECT_FALSE(GetSignedCommandRecord(masters, groups, INT_MIN, record));
  EXPECT_EQ(GetRecordByIdLinear(3, masters, record), 1);
  EXPECT_EQ(GetRecordByIdLinear(4, masters, record), -1);
  EXPECT_EQ(GetCommandImage(masters, groups, 1), 4);
  EXPECT_EQ(GetCommandImage(masters, groups, -2), 1002);
  EXPECT_EQ(GetCommandImage(masters, groups, 0), -1);
  EXPECT_EQ(GetCommandImage(masters, groups, 7), -1);
  EXPECT_EQ(FindMasterIdByCommand(masters, "$sys_filesave"), 1);
  EXPECT_EQ(FindMasterIdByCommand(masters, "$Sys_FileSaveAs"), 0);
}

TEST(CommandLookup, IsCommandInUse) {
  const TStringList groups = ListOf({Master(1, "$00000004$00000000")});
  const TStringList menus = ListOf({BuildMenuLine({"g", 0, 1, mkMainMenu, -2, 0}),
                                    BuildMenuLine({"m", 1, 2, mkMainMenu, 5, 0})});
  TQuolin_ButtonList toolbar{6, "t", "$00000006$FFFFFFFD"};
  const TStringList toolbars = ListOf({BuildToolbarLine(toolbar)});
  struct Case {
    bool isGroup;
    int id;
    bool inUse;
  } cases[] = {
      {false, 4, true}, // a group member only
      {false, 5, true}, // a menu item
      {false, 6, true}, // a toolbar button
      {true, 2, true},  // a group in a menu
      {true, 3, true},  // a group on a toolbar
      {true, 6, false}, // the toolbar's own Id is no button
      {true, 4, false}, // group members are masters
      {false, 1, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsCommandInUse(c.isGroup, c.id, groups, menus, toolbars), c.inUse)
        << c.isGroup << " " << c.id;
}

TEST(CommandLookup, NewRecordId) {
  EXPECT_EQ(NewRecordId(TStringList()), 1);
  EXPECT_EQ(NewRecordId(ListOf({Master(1, ""), Master(0x7F, "")})), 0x80) << "last plus 1";
  EXPECT_EQ(NewRecordId(ListOf({Master(9, ""), Master(4, "")})), 5) << "not the maximum";
  EXPECT_EQ(NewRecordId(ListOf({Master(INT_MAX, "")})), 0) << "ids used up";
  EXPECT_EQ(NewRecordId(ListOf({Master(-3, "")})), 0);
}

TEST(SysWords, NumbersFromOneToTheLastWordCaseIgnored) {
  EXPECT_EQ(SysWordNumber("$Sys_FileNew"), 1);
  EXPECT_EQ(SysWordNumber("$Sys_FileOpen("), 3);
  EXPECT_EQ(SysWordNumber("$Sys_FileOpen"), 4);
  EXPECT_EQ(SysWordNumber(SysWords.back().Word), SysWordCount);
  // ASCII case is ignored, as the router ignores it; no word stands twice, which would leave
  // the later one unreachable.
  EXPECT_EQ(SysWordNumber("$sys_filenew"), 1);
  for (int number = 1; number <= SysWordCount; ++number)
    EXPECT_EQ(SysWordNumber(sjis::UpperAscii(SysWords[number - 1].Word)), number);
  for (const char* unknown : {"", "$Sys_", "$Sys_FileNe", "$Sys_FileNewX", "$Sys_Unknown"})
    EXPECT_EQ(SysWordNumber(unknown), 0) << unknown;
}

} // namespace
