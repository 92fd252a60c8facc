#include "common/UserDataFile.h"
#include "core/CommandLookup.h"
#include "core/IndexList.h"
#include "core/MenuTree.h"
#include "core/StringList.h"
#include "core/SysWords.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>

using namespace quolin;

namespace {

// The program folder's default.dat, beside the test.
std::string ShippedDataFile() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + "default.dat";
}

class ShippedData : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(IsDataFile(ShippedDataFile()));
    ASSERT_TRUE(LoadMasterData(ShippedDataFile(), masters, groups));
    ASSERT_TRUE(LoadMenuData(ShippedDataFile(), menus, toolbars));
    reserved.SetCaseSensitive(true);
    ASSERT_TRUE(LoadReserveList(ShippedDataFile(), reserved));
  }

  static TQuolin_CmdList Master(int id) {
    TQuolin_CmdList record;
    EXPECT_TRUE(GetCommandRecord(masters, id, record)) << id;
    return record;
  }

  static void ForEachRecord(const TStrings& list,
                            const std::function<void(const TQuolin_CmdList&)>& visit) {
    TQuolin_CmdList record;
    for (int i = 0; i < list.Count(); ++i) {
      ParseMasterRecord(list[i], record);
      visit(record);
    }
  }

  static inline TStringList masters, groups, menus, toolbars, reserved;
};

TEST_F(ShippedData, EveryBuiltInWordIsTheMasterOfItsNumber) {
  for (int number = 1; number <= SysWordCount; ++number) {
    const TSysWord& word = SysWords[number - 1];
    const TQuolin_CmdList master = Master(number);
    if (word.Match == swPrefix)
      EXPECT_TRUE(master.Command.starts_with(word.Word)) << word.Word;
    else
      EXPECT_EQ(master.Command, word.Word);
    const bool texRun = number >= 18 && number <= 25;
    const int visible = (number == 33 || number == 34 || number == 81) ? 5
                        : (word.NeedsDocument || texRun)               ? 1
                                                                       : 0;
    EXPECT_EQ(master.VisibleType, visible) << word.Word;
    EXPECT_FALSE(master.MenuCaption.empty()) << word.Word;
    EXPECT_NE(master.Hint.find('|'), std::string::npos) << word.Word;
  }
  EXPECT_EQ(Master(SysWordNumber("$Sys_ViewStatusBar")).Id, 0x3A);
  EXPECT_EQ(Master(SysWordNumber("$Sys_ViewDocExp")).Id, 0x3C);
}

TEST_F(ShippedData, ShortCutsOnTheirWords) {
  const std::pair<const char*, int> shortCuts[] = {
      {"$Sys_FileNew", 0x404E},          {"$Sys_FileOpen", 0x404F},
      {"$Sys_FileSave", 0x4053},         {"$Sys_EditUndo", 0x405A},
      {"$Sys_EditRedo", 0x4059},         {"$Sys_EditCut", 0x4058},
      {"$Sys_EditCopy", 0x4043},         {"$Sys_EditPaste", 0x4056},
      {"$Sys_EditSelectAll", 0x4041},    {"$Sys_EditFindDialog", 0x4046},
      {"$Sys_EditFindDialogNext", 0x72}, {"$Sys_EditFindDialogPrev", 0x2072}};
  for (const auto& [word, shortCut] : shortCuts)
    EXPECT_EQ(Master(SysWordNumber(word)).ShortCut, shortCut) << word;
}

TEST_F(ShippedData, ListMasterAndSeparatorMaster) {
  const TQuolin_CmdList list = Master(0x81);
  EXPECT_TRUE(list.Command.starts_with("$List(") && list.Command.ends_with(")")) << list.Command;
  for (const char* part : {"\\label{$S}", "\\ref{$Label}", "\\pageref{$Label}"})
    EXPECT_NE(list.Command.find(part), std::string::npos) << part;
  int separators = 0;
  ForEachRecord(masters, [&](const TQuolin_CmdList& master) {
    separators += master.Name == "区切り" && master.Command.empty() && master.ImgIndex == NoImage &&
                  master.MenuCaption == "-";
  });
  EXPECT_EQ(separators, 1);
}

TEST_F(ShippedData, IdsAscendAndImagesAreBuiltIn) {
  for (const TStrings* list : {&masters, &groups}) {
    int last = 0;
    ForEachRecord(*list, [&](const TQuolin_CmdList& record) {
      EXPECT_GT(record.Id, last);
      last = record.Id;
      const int image = record.ImgIndex;
      EXPECT_TRUE(image == NoImage || (image >= 0 && image < FirstUserImage) ||
                  image >= SecondStripImage)
          << record.Id << " " << image;
    });
  }
  EXPECT_GE(groups.Count(), 3);
  ForEachRecord(groups, [&](const TQuolin_CmdList& group) {
    TIndexList members(group.Command);
    EXPECT_GT(members.GetCount(), 0) << group.Name;
    for (int i = 0; i < members.GetCount(); ++i)
      EXPECT_FALSE(Master(members.GetItem(i)).ListCaption.empty()) << group.Name;
  });
}

TEST_F(ShippedData, MenusAndToolbarsReferToRecordsThatExist) {
  TQuolin_CmdList record;
  TQuolin_MenuList node;
  std::set<int> mainShortCuts;
  std::set<std::string> mainCommands;
  for (int i = 0; i < menus.Count(); ++i) {
    ParseMenuLine(menus[i], node);
    ASSERT_TRUE(GetSignedCommandRecord(masters, groups, node.CommandId, record)) << menus[i];
    if (node.MenuKind != mkMainMenu)
      continue;
    mainCommands.insert(record.Command);
    if (node.ShortCut != 0) {
      EXPECT_TRUE(mainShortCuts.insert(node.ShortCut).second) << menus[i];
    }
  }
  for (const char* word :
       {"$Sys_FileRemain", "$Sys_ViewToolBarList", "$Sys_ViewWordWrap", "$Sys_ViewStatusBar",
        "$Sys_ViewDocExp", "$Sys_OptSetup", "$Sys_OptMenu", "$Sys_OptMaster"})
    EXPECT_TRUE(mainCommands.contains(word)) << word;

  TMenuTree tree;
  tree.LoadLines(menus);
  const char* mainTitles[] = {"ファイル", "編集",       "表示",   "挿入",  "書式",
                              "数式",     "ウィンドウ", "ツール", "ヘルプ"};
  ASSERT_EQ(tree.Root(mkMainMenu).Children.size(), std::size(mainTitles));
  for (size_t i = 0; i < std::size(mainTitles); ++i)
    EXPECT_TRUE(tree.Root(mkMainMenu).Children[i]->Record.Caption.starts_with(mainTitles[i]));
  EXPECT_FALSE(tree.Root(mkMainPopup).Children.empty());
  EXPECT_FALSE(tree.Root(mkEditorPopup).Children.empty());

  ASSERT_EQ(toolbars.Count(), 3);
  TQuolin_ButtonList toolbar;
  for (int i = 0; i < toolbars.Count(); ++i) {
    ParseToolbarLine(toolbars[i], toolbar);
    TIndexList buttons(toolbar.Buttons);
    for (int b = 0; b < buttons.GetCount(); ++b)
      EXPECT_TRUE(GetSignedCommandRecord(masters, groups, buttons.GetItem(b), record))
          << toolbar.Name;
  }
  ParseToolbarLine(toolbars[1], toolbar);
  for (int word = 18; word <= 26; ++word)
    EXPECT_GE(TIndexList(toolbar.Buttons).IndexOf(word), 0) << word;
}

TEST_F(ShippedData, ReservedWordsAreBackslashAndLetters) {
  EXPECT_GE(reserved.Count(), 100);
  for (int i = 0; i < reserved.Count(); ++i) {
    const std::string word = reserved[i];
    EXPECT_TRUE(word.size() > 1 && word[0] == '\\' &&
                std::all_of(word.begin() + 1, word.end(),
                            [](unsigned char ch) { return std::isalpha(ch) != 0; }))
        << word;
  }
  EXPECT_GE(reserved.IndexOf("\\Delta"), 0);
  EXPECT_GE(reserved.IndexOf("\\delta"), 0);
}

} // namespace
