// The main window in the test process with user data of its own and the menu and toolbar
// editor made as at start-up; the editor is shown for real, driven from a timer while its modal
// loop runs, and its nested dialogs, input boxes and questions are answered by hooks.
#pragma once

#include "MasterEditorFixture.h"
#include "commands/MenuTreeView.h"
#include "commands/SetMenuAddUnit.h"
#include "commands/SetMenuForm.h"
#include "commands/TopFormData.h"
#include "common/UserDataFile.h"
#include "core/IndexList.h"
#include "core/MenuTree.h"
#include "ui/Menus.h"

#include <initializer_list>

namespace quolin::test_support {

inline constexpr int OtherCategory = 12;
inline constexpr int FormattingCategory = 5;
inline constexpr int SeparatorMaster = 92;

class MenuEditorFixture : public MasterEditorFixture {
protected:
  // Masters 1 新規 (image 4), 2 開く (image 3), 3 太字 (formatting, image 7) and 92 区切り; the
  // group 1 見出し (image 5) of 1 and 2. Main menu ファイル(新規 開く), main pop-up 太字, no
  // editor pop-up; toolbar 1 標準 of 1 and 2.
  void SetUp() override {
    MainWindowFixture::SetUp();
    TQuolin_CmdList group = Record(1, "見出し", Members({1, 2}));
    group.ImgIndex = 5;
    TMenuTree tree;
    TMenuNode* file = tree.Root(mkMainMenu).AddChild({.Caption = "ファイル(&F)"});
    file->AddChild({.Caption = "新規(&N)", .CommandId = 1});
    file->AddChild({.Caption = "開く(&O)", .CommandId = 2});
    tree.Root(mkMainPopup).AddChild({.Caption = "太字", .CommandId = 3});
    StartWith({Master(1, "新規(&N)", "$Sys_FileNew", 0, 4),
               Master(2, "開く(&O)", "$Sys_FileOpen", 0, 3),
               Master(3, "太字", "{\\bf $S}", FormattingCategory, 7),
               Master(SeparatorMaster, "-", "", OtherCategory, NoImage)},
              {group}, tree, {{1, "標準", Members({1, 2})}});
  }

  static TQuolin_CmdList Master(int id, const std::string& menuCaption,
                                const std::string& command, int category, int image) {
    TQuolin_CmdList master =
        Record(id, id == SeparatorMaster ? "区切り" : menuCaption, command, category);
    master.MenuCaption = menuCaption;
    master.ImgIndex = image;
    return master;
  }
  static std::string Members(std::initializer_list<int> numbers) {
    TIndexList list;
    for (int number : numbers)
      list.Add(number);
    return list.Text;
  }

  // Shows the editor as the router does, on page; act drives it.
  void RunEditor(const std::function<void(TSetMenuForm&)>& act, int page = 0) {
    RunForm<TSetMenuForm>("SetMenuForm", act, [page] { SysOptMenu(page); });
  }
  static void PressOk(TSetMenuForm& form) { uitest::FormDriver::Click(*form.Button_OK); }
  static void PressCancel(TSetMenuForm& form) { uitest::FormDriver::Click(*form.Button_Cancel); }

  // A master of the category, or a group, chosen on the source side.
  static void ChooseMaster(TSetMenuForm& form, const std::string& name, int category = 0) {
    ASSERT_TRUE(uitest::FormDriver::ChooseSheet(*form.TabSheet_Master));
    Choose(*form.ComboBox_Category, category);
    Select(*form.ListView_Master, name);
  }
  static void ChooseGroup(TSetMenuForm& form, const std::string& name) {
    ASSERT_TRUE(uitest::FormDriver::ChooseSheet(*form.TabSheet_Group));
    Select(*form.ListView_Group, name);
  }
  static TTreeNode* SelectNode(TSetMenuForm& form, int level, const std::string& caption) {
    TTreeNode* node = FindMenuNode(*form.TreeView_Menu, level, caption);
    EXPECT_NE(node, nullptr) << caption;
    form.TreeView_Menu->SetSelected(node);
    return node;
  }
  // The tree of the view, through its menu lines.
  static TMenuTree ViewTree(TSetMenuForm& form) {
    TStringList lines;
    WriteMenuTreeView(*form.TreeView_Menu, lines);
    TMenuTree tree;
    tree.LoadLines(lines);
    return tree;
  }
  // The captions of a tree's nodes, depth first, a child's list in parentheses.
  static std::string Outline(const TMenuNode& node) {
    std::string text = node.Record.Caption;
    if (node.Children.empty())
      return text;
    text += "(";
    for (const auto& child : node.Children)
      text += Outline(*child) + " ";
    text.back() = ')';
    return text;
  }
  // The Menu and ToolBar streams of the data file.
  static void DataFileLists(TStringList& menus, TStringList& toolbars) {
    LoadMenuData(DataFileName, menus, toolbars);
  }
};

} // namespace quolin::test_support
