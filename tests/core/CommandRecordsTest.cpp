#include "core/CommandRecords.h"
#include "core/IndexList.h"

#include <gtest/gtest.h>

#include <climits>

using namespace quolin;

namespace {

constexpr char SectionLine[] = "0000000AFFFFFFFF000000020000000500000000t"
                               "sec\tSection\t&Section\t\t\\section{$S}\t\th\t";

TQuolin_CmdList SectionMaster() {
  return {.Id = 10,
          .Name = "Section",
          .MenuCaption = "&Section",
          .AssistCaption = "sec",
          .Command = "\\section{$S}",
          .Hint = "h",
          .CommandType = 2,
          .VisibleType = 5};
}

TEST(CommandRecords, MasterLineBothWays) {
  EXPECT_EQ(BuildMasterRecord(SectionMaster()), SectionLine);
  TQuolin_CmdList parsed;
  ParseMasterRecord(SectionLine, parsed);
  EXPECT_EQ(parsed, SectionMaster());
  EXPECT_EQ(RecordIdOfLine(SectionLine), 10);
  EXPECT_EQ(ImageIndexOfLine(SectionLine), -1);
}

TEST(CommandRecords, MasterLineEdges) {
  struct Case {
    std::string line;
    int id, image;
    bool showList;
    std::string assist, hint;
  } cases[] = {
      // Exactly 41 characters: numbers and ShowList, no texts.
      {"0000000100000002000000030000000400000005t", 1, 2, true, "", ""},
      {"0000000100000002000000030000000400000005T", 1, 2, false, "", ""},
      // Text after the seventh TAB is ignored; missing texts stay empty.
      {"7FFFFFFFFFFFFFFF000000000000000000000000ta\t\t\t\t\t\th\tmore\t", INT_MAX, -1, true, "a",
       "h"},
      {"0000000a0000000G000000000000000000000000fx", 10, 0, false, "x", ""},
      {"12", 0x12, 0, false, "", ""},
  };
  for (const Case& c : cases) {
    TQuolin_CmdList record;
    ParseMasterRecord(c.line, record);
    EXPECT_EQ(record.Id, c.id) << c.line;
    EXPECT_EQ(record.ImgIndex, c.image) << c.line;
    EXPECT_EQ(record.ShowList, c.showList) << c.line;
    EXPECT_EQ(record.AssistCaption, c.assist) << c.line;
    EXPECT_EQ(record.Hint, c.hint) << c.line;
    EXPECT_TRUE(record.Name.empty() && record.Command.empty()) << c.line;
  }
}

TEST(CommandRecords, JapaneseTextWithBackslashTrailByteRoundTrips) {
  TQuolin_CmdList record;
  record.Id = -1;
  record.ShortCut = 0xC053;
  record.Name = "表示ソフト";
  record.Command = "\\ref{表}";
  TQuolin_CmdList parsed;
  ParseMasterRecord(BuildMasterRecord(record), parsed);
  EXPECT_EQ(parsed, record);
  EXPECT_EQ(BuildMasterRecord(record).substr(0, 8), "FFFFFFFF");
  EXPECT_EQ(BuildMasterRecord(record).substr(32, 8), "0000C053");
}

TEST(CommandRecords, MenuLines) {
  TQuolin_MenuList node{"ファイル(&F)", 3, 2, mkEditorPopup, -7, 0x4053};
  const std::string line = BuildMenuLine(node);
  EXPECT_EQ(line, "FFFFFFF900004053000000030000000200000002ファイル(&F)");
  TQuolin_MenuList parsed;
  ParseMenuLine(line, parsed);
  EXPECT_EQ(parsed, node);
  ParseMenuLine("00000001", parsed);
  EXPECT_EQ(parsed, (TQuolin_MenuList{"", 0, 0, 0, 1, 0}));
  ParseMenuLine(std::string(40, '0') + "a\tb", parsed);
  EXPECT_EQ(parsed.Caption, "a\tb") << "the caption runs to the end of the line";
}

TEST(CommandRecords, ToolbarLines) {
  struct Case {
    std::string line;
    TQuolin_ButtonList record;
  } cases[] = {
      {"00000002標準\t$00000001$FFFFFFFE", {2, "標準", "$00000001$FFFFFFFE"}},
      {"00000003", {3, "", ""}},
      {"0000000", {0, "", ""}},
      {"00000004bar", {4, "bar", ""}},
      {"00000005bar\t$00000001\trest", {5, "bar", "$00000001"}},
  };
  for (const Case& c : cases) {
    TQuolin_ButtonList parsed;
    ParseToolbarLine(c.line, parsed);
    EXPECT_EQ(parsed, c.record) << c.line;
  }
  EXPECT_EQ(BuildToolbarLine(cases[0].record), cases[0].line);
  EXPECT_EQ(BuildToolbarLine(cases[1].record), "00000003\t") << "the TAB stays, no trailing TAB";
}

TEST(IndexList, EditsAndLookups) {
  TIndexList list;
  list.Add(1);
  list.Add(-2);
  list.Insert(list.GetCount(), 0);
  list.Insert(0, 5);
  EXPECT_EQ(list.Text, "$00000005$00000001$FFFFFFFE$00000000");
  EXPECT_EQ(list.IndexOf(-2), 2);
  EXPECT_EQ(list.IndexOf(0), 3);
  EXPECT_EQ(list.IndexOf(7), -1);
  EXPECT_EQ(list.GetItem(2), -2);
  list.Delete(0);
  list.Delete(9);
  EXPECT_EQ(list.Text, "$00000001$FFFFFFFE$00000000");
  EXPECT_TRUE(list.Move(2, -2));
  EXPECT_EQ(list.Text, "$00000000$FFFFFFFE$00000001");
  for (auto [index, delta] : {std::pair{0, -1}, {2, 1}, {1, 5}, {-1, 1}}) {
    EXPECT_FALSE(list.Move(index, delta)) << index << " " << delta;
    EXPECT_EQ(list.Text, "$00000000$FFFFFFFE$00000001");
  }
}

TEST(IndexList, TextLevelChanges) {
  const std::string text = "$00000001$00000000$00000002";
  EXPECT_EQ(AddIndexValueOnce(text, 2), text);
  EXPECT_EQ(AddIndexValueOnce(text, 0), text + "$00000000") << "separators repeat";
  EXPECT_EQ(AddIndexValueOnce(text, -3), text + "$FFFFFFFD");
  EXPECT_EQ(RemoveIndexValue(text + "$00000001", 1), "$00000000$00000002$00000001");
  EXPECT_EQ(RemoveIndexValue(text, 9), text);
  EXPECT_EQ(DeleteIndexEntry(text, 1), "$00000001$00000002");
  EXPECT_EQ(MoveIndexEntry(text, 0, 1), "$00000000$00000001$00000002");
  EXPECT_EQ(MoveIndexEntry(text, 2, 1), text);
  // A hand-edited text is matched entry by entry only.
  EXPECT_EQ(TIndexList("x$00000001$00000002").IndexOf(1), -1);
}

} // namespace
