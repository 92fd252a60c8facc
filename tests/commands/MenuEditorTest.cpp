// The menu page of the menu and toolbar editor over the real main window: the tree view's
// loading and writing of menu lines, adding, editing, removing and dragging nodes, and what OK
// and Cancel leave in the menus, the lists and the data file.
#include "MenuEditorFixture.h"

#include "commands/MenuBuilder.h"
#include "commands/ToolbarBuilder.h"
#include "core/CommandLookup.h"

#include <cstring>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr TShortCut CtrlShiftF5 = scCtrl | scShift | VK_F5;

TMenuItem* At(TMenu* menu, std::initializer_list<int> path) {
  TMenuItem* item = menu->Items();
  for (int index : path)
    item = item->Items(index);
  return item;
}

std::vector<std::string> ItemCaptions(TMenuItem* item) {
  std::vector<std::string> captions;
  for (int i = 0; i < item->Count(); ++i)
    captions.push_back(item->Items(i)->Caption());
  return captions;
}

std::string Line(const char* caption, int parent, int level, int kind, int id = 0) {
  return BuildMenuLine({caption, parent, level, kind, id, 0});
}

class MenuTreeView : public MenuEditorFixture {
protected:
  // Lines through the view and back.
  std::string RoundTrip(const TStringList& lines) {
    TMenuTree tree;
    tree.LoadLines(lines);
    LoadMenuTreeView(*menuEditor->TreeView_Menu, menuEditor->MenuRecords, tree);
    TStringList written;
    WriteMenuTreeView(*menuEditor->TreeView_Menu, written);
    return written.Text();
  }
  static TStringList Lines(std::initializer_list<std::string> lines) {
    TStringList list;
    for (const std::string& line : lines)
      list.Add(line);
    return list;
  }
};

TEST_F(MenuTreeView, LinesComeBackByteForByte) {
  // Japanese captions and a short-cut, group items and separators, depth 3 in each root.
  TMenuTree trees[3];
  TMenuNode* file = trees[0].Root(mkMainMenu).AddChild({.Caption = "ファイル(&F)"});
  file->AddChild({.Caption = "新規(&N)", .CommandId = 1, .ShortCut = CtrlShiftF5});
  file->AddChild({.Caption = "-", .CommandId = SeparatorMaster});
  file->AddChild({.Caption = "最近"})->AddChild({.Caption = "見出し", .CommandId = -1});
  trees[0].Root(mkMainMenu).AddChild({.Caption = "表示"});
  TMenuNode* insert = trees[1].Root(mkMainPopup).AddChild({.Caption = "挿入"});
  insert->AddChild({.Caption = "-", .CommandId = SeparatorMaster});
  insert->AddChild({.Caption = "奥"})->AddChild({.Caption = "太字", .CommandId = 3});
  trees[1].Root(mkEditorPopup).AddChild({.Caption = "見出し", .CommandId = -1});
  for (int kind = 0; kind < MenuKindCount; ++kind)
    trees[2].Root(kind).AddChild({.Caption = "段"})->AddChild({.Caption = "二"})->AddChild(
        {.Caption = "三", .CommandId = kind + 1});
  for (const TMenuTree& tree : trees) {
    TStringList lines;
    tree.WriteLines(lines);
    EXPECT_EQ(RoundTrip(lines), lines.Text());
    EXPECT_EQ(menuEditor->TreeView_Menu->Items().Count(), 3 + lines.Count());
  }
}

TEST_F(MenuTreeView, RootsImagesAndACorruptParent) {
  const std::string written =
      RoundTrip(Lines({Line("new", 0, 1, 0, 1), Line("lost", 40, 1, 2, -1), Line("bold", 6, 1, 1, 3),
                       Line("none", 0, 1, 0, 99)}));
  TTreeView& tree = *menuEditor->TreeView_Menu;
  std::vector<std::string> roots;
  for (TTreeNode* root = tree.Items().GetFirstNode(); root; root = root->GetNextSibling()) {
    roots.push_back(root->Text());
    EXPECT_EQ(root->ImageIndex(), -1);
    EXPECT_EQ(MenuRecordOf(root), nullptr);
  }
  EXPECT_EQ(roots, (std::vector<std::string>{"メイン", "メインポップアップ", "編集ポップアップ"}));
  TTreeNode* lost = FindMenuNode(tree, 1, "lost");
  ASSERT_NE(lost, nullptr);
  EXPECT_EQ(lost->Parent()->Text(), "編集ポップアップ") << "a parent index beyond the tree";
  EXPECT_EQ(written, Line("new", 0, 1, 0, 1) + "\r\n" + Line("none", 0, 1, 0, 99) + "\r\n" +
                         Line("bold", 3, 1, 1, 3) + "\r\n" + Line("lost", 5, 1, 2, -1) + "\r\n");
  const struct {
    const char* caption;
    int image;
  } images[] = {{"new", 4}, {"lost", 5}, {"bold", 7}, {"none", -1}};
  for (const auto& expected : images) {
    TTreeNode* node = FindMenuNode(tree, 1, expected.caption);
    EXPECT_EQ(node->ImageIndex(), expected.image) << expected.caption;
    EXPECT_EQ(node->SelectedIndex(), expected.image) << expected.caption;
  }
}

TEST_F(MenuTreeView, RecordsGoWithTheirSubtree) {
  RoundTrip(Lines({Line("a", 0, 1, 0), Line("a1", 1, 2, 0), Line("a11", 2, 3, 0),
                   Line("b", 0, 1, 0), Line("p", 5, 1, 1)}));
  TTreeView& tree = *menuEditor->TreeView_Menu;
  EXPECT_EQ(menuEditor->MenuRecords.Count(), 5);
  DeleteMenuNode(FindMenuNode(tree, 1, "a"), menuEditor->MenuRecords);
  EXPECT_EQ(menuEditor->MenuRecords.Count(), 2);
  EXPECT_EQ(tree.Items().Count(), 5);
  DeleteMenuNode(tree.Items().GetFirstNode(), menuEditor->MenuRecords);
  EXPECT_EQ(tree.Items().Count(), 5) << "a root stays";
  TStringList written;
  WriteMenuTreeView(tree, written);
  EXPECT_EQ(written.Text(), Line("b", 0, 1, 0) + "\r\n" + Line("p", 2, 1, 1) + "\r\n");
}

class MenuEditor : public MenuEditorFixture {};

TEST_F(MenuEditor, AddsBeforeANodeUnderARootAndAsAChild) {
  RunEditor([&](TSetMenuForm& form) {
    EXPECT_EQ(form.Caption(), "メニュー/ツールバー設定");
    EXPECT_EQ(form.PageControl_Target->ActivePage(), form.TabSheet_Menu);
    EXPECT_EQ(form.ComboBox_Category->Items().Count(), 14);
    SelectNode(form, 2, "開く(&O)");
    uitest::FormDriver::Click(*form.Button_Add);
    EXPECT_FALSE(form.MenusChanged) << "no source chosen";
    ChooseMaster(form, "太字", FormattingCategory);
    uitest::FormDriver::Click(*form.Button_Add);
    EXPECT_EQ(form.TreeView_Menu->Selected()->Text(), "太字");
    EXPECT_EQ(form.TreeView_Menu->Selected()->ImageIndex(), 7);
    ChooseGroup(form, "見出し");
    SelectNode(form, 0, "メインポップアップ");
    uitest::FormDriver::Click(*form.Button_Add);
    ChooseMaster(form, "新規(&N)");
    SelectNode(form, 1, "ファイル(&F)");
    uitest::FormDriver::Click(*form.Button_ChildAdd);
    EXPECT_TRUE(form.MenusChanged);
    TMenuTree tree = ViewTree(form);
    EXPECT_EQ(Outline(tree.Root(mkMainMenu)), "メイン(ファイル(&F)(新規(&N) 太字 開く(&O) 新規(&N)))");
    EXPECT_EQ(Outline(tree.Root(mkMainPopup)), "メインポップアップ(太字 見出し)");
    EXPECT_EQ(tree.Root(mkMainPopup).Children[1]->Record.CommandId, -1);
    PressOk(form);
  });
  TMenuItem* file = At(top->MainMenu1, {0});
  EXPECT_EQ(ItemCaptions(file), (std::vector<std::string>{"新規(&N)", "太字", "開く(&O)", "新規(&N)"}));
  EXPECT_EQ(file->Items(1)->ImageIndex(), 7);
  EXPECT_EQ(At(top->PopupMenu_Main, {1})->Caption(), "見出し");
  TStringList menus, toolbars;
  DataFileLists(menus, toolbars);
  EXPECT_EQ(menus.Text(), top->MenuList.Text());
  TMenuTree saved;
  saved.LoadLines(menus);
  EXPECT_TRUE(saved == menuEditor->MenuTree);
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(MenuEditor, EditsCaptionAndShortCut) {
  RunEditor([&](TSetMenuForm& form) {
    SelectNode(form, 0, "メイン");
    uitest::FormDriver::Click(*form.Button_MenuEdit);
    EXPECT_FALSE(form.MenusChanged) << "a root has no properties";
    SelectNode(form, 2, "新規(&N)");
    OpenNested(*form.Button_MenuEdit, "SetMenuAddForm", [](TForm& nested, uitest::FormDriver&) {
      auto& edit = static_cast<TSetMenuAddForm&>(nested);
      EXPECT_EQ(edit.Caption(), "プロパティ - メニュー");
      EXPECT_EQ(edit.Edit_Caption->Text(), "新規(&N)");
      edit.Edit_Caption->SetText("作成(&M)");
      uitest::PressShortCut(edit.HotKey_ShortCut->Handle(), VK_F5, ssCtrl | ssShift);
      EXPECT_EQ(edit.HotKey_ShortCut->HotKey(), CtrlShiftF5);
      uitest::FormDriver::Click(*edit.Button_OK);
    });
    EXPECT_EQ(form.TreeView_Menu->Selected()->Text(), "作成(&M)");
    EXPECT_EQ(MenuRecordOf(form.TreeView_Menu->Selected())->ShortCut, CtrlShiftF5);
    PressOk(form);
  });
  TMenuItem* item = At(top->MainMenu1, {0, 0});
  EXPECT_EQ(item->Caption(), "作成(&M)");
  EXPECT_EQ(item->ShortCut(), CtrlShiftF5);
  EXPECT_TRUE(top->MainMenu1->IsShortCut(CtrlShiftF5));
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "$Sys_FileNew");
}

TEST_F(MenuEditor, RemovesASubtreeAndAnEmptyMainRootKeepsTheSettingsMenu) {
  RunEditor([&](TSetMenuForm& form) {
    EXPECT_EQ(form.MenuRecords.Count(), 4);
    SelectNode(form, 0, "メイン");
    uitest::FormDriver::Click(*form.Button_Remove);
    EXPECT_FALSE(form.MenusChanged) << "a root stays";
    SelectNode(form, 1, "ファイル(&F)");
    uitest::FormDriver::Click(*form.Button_Remove);
    EXPECT_TRUE(form.MenusChanged);
    EXPECT_EQ(form.MenuRecords.Count(), 1);
    EXPECT_EQ(form.TreeView_Menu->Items().Count(), 4);
    PressOk(form);
  });
  EXPECT_EQ(top->MenuList.Text(), Line("太字", 1, 1, 1, 3) + "\r\n");
  // Restarted from the data file: the main menu of the static items.
  FreeMainWindow();
  MakeMenuEditor();
  ASSERT_NE(top->mn_Option0, nullptr);
  EXPECT_EQ(At(top->MainMenu1, {0}), top->mn_Option0);
  EXPECT_EQ(At(top->PopupMenu_Main, {0})->Caption(), "太字");
}

TEST_F(MenuEditor, DragsMoveNodesByTheRule) {
  RunEditor([&](TSetMenuForm& form) {
    TTreeView& tree = *form.TreeView_Menu;
    TTreeNode* file = FindMenuNode(tree, 1, "ファイル(&F)");
    TTreeNode* open = FindMenuNode(tree, 2, "開く(&O)");
    TTreeNode* bold = FindMenuNode(tree, 1, "太字");
    EXPECT_FALSE(form.MoveMenuNode(file, file));
    EXPECT_FALSE(form.MoveMenuNode(file, open)) << "into its own subtree";
    EXPECT_FALSE(form.MoveMenuNode(file, tree.Items().GetFirstNode())) << "onto a root";
    EXPECT_FALSE(form.MoveMenuNode(tree.Items().GetFirstNode(), bold)) << "a root";
    EXPECT_FALSE(form.MenusChanged);
    EXPECT_TRUE(form.MoveMenuNode(bold, open));
    EXPECT_TRUE(form.MenusChanged);

    // The mouse: open dragged by the tree's own notification onto 新規.
    tree.Items().GetFirstNode()->Expand(true);
    TTreeNode* fresh = FindMenuNode(tree, 2, "新規(&N)");
    NMTREEVIEWA begin{};
    begin.hdr = {tree.Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(tree.Handle())),
                 static_cast<UINT>(TVN_BEGINDRAGA)};
    begin.itemNew.hItem = open->ItemId();
    begin.itemNew.lParam = reinterpret_cast<LPARAM>(open);
    SendMessageA(GetParent(tree.Handle()), WM_NOTIFY, begin.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&begin));
    ASSERT_TRUE(tree.Dragging());
    // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
    RECT rect{};
    HTREEITEM item = fresh->ItemId();
    std::memcpy(&rect, &item, sizeof item);
    ASSERT_TRUE(SendMessageA(tree.Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(tree.Handle(), WM_MOUSEMOVE, 0, point);
    EXPECT_EQ(tree.DropTarget(), fresh);
    SendMessageA(tree.Handle(), WM_LBUTTONUP, 0, point);
    EXPECT_FALSE(tree.Dragging());
    EXPECT_EQ(Outline(ViewTree(form).Root(mkMainMenu)),
              "メイン(ファイル(&F)(開く(&O) 新規(&N) 太字))");
    PressOk(form);
  });
  EXPECT_EQ(ItemCaptions(At(top->MainMenu1, {0})),
            (std::vector<std::string>{"開く(&O)", "新規(&N)", "太字"}));
  EXPECT_EQ(top->PopupMenu_Main->Items()->Count(), 0);
}

TEST_F(MenuEditor, RootsAreNotDragged) {
  RunEditor([&](TSetMenuForm& form) {
    TTreeView& tree = *form.TreeView_Menu;
    form.TreeView_Menu->SetSelected(tree.Items().GetFirstNode());
    tree.BeginDrag();
    EXPECT_FALSE(tree.Dragging());
    SelectNode(form, 1, "太字");
    tree.BeginDrag();
    EXPECT_TRUE(tree.Dragging());
    tree.EndDrag(false);
  });
}

TEST_F(MenuEditor, CancelPutsTheListsBackEvenWithTheDataFileUnreadable) {
  const std::string menus = top->MenuList.Text(), toolbars = top->ToolBarList.Text();
  {
    HeldFile held(DataFileName);
    ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
    dialogs.answer = mrYes;
    RunEditor([&](TSetMenuForm& form) {
      SelectNode(form, 1, "ファイル(&F)");
      uitest::FormDriver::Click(*form.Button_Remove);
      ASSERT_TRUE(uitest::FormDriver::ChooseSheet(*form.TabSheet_ToolBar));
      uitest::FormDriver::Click(*form.Button_ToolBarDelete);
      EXPECT_EQ(top->ToolBarList.Count(), 0);
      PressCancel(form);
    });
  }
  EXPECT_EQ(top->MenuList.Text(), menus);
  EXPECT_EQ(top->ToolBarList.Text(), toolbars);
  RunEditor([&](TSetMenuForm& form) {
    EXPECT_EQ(Outline(ViewTree(form).Root(mkMainMenu)), "メイン(ファイル(&F)(新規(&N) 開く(&O)))");
    EXPECT_EQ(form.Combo_ToolBar->Items().Count(), 1);
    EXPECT_FALSE(form.MenusChanged);
    EXPECT_FALSE(form.ToolbarsChanged);
    PressCancel(form);
  });
  // A later rebuild shows none of the cancelled edits.
  RebuildUserToolbars();
  RebuildMenus(true);
  EXPECT_EQ(ItemCaptions(At(top->MainMenu1, {0})), (std::vector<std::string>{"新規(&N)", "開く(&O)"}));
}

TEST_F(MenuEditor, AFailedSaveIsReportedAndTheMenusStay) {
  TStringList fileMenus, fileToolbars;
  DataFileLists(fileMenus, fileToolbars);
  {
    HeldFile held(DataFileName);
    ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
    RunEditor([&](TSetMenuForm& form) {
      ChooseMaster(form, "太字", FormattingCategory);
      SelectNode(form, 1, "ファイル(&F)");
      uitest::FormDriver::Click(*form.Button_Add);
      PressOk(form);
    });
  }
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "データファイル \"" + DataFileName + "\" の保存に失敗しました.");
  EXPECT_EQ(At(top->MainMenu1, {0})->Caption(), "太字");
  EXPECT_EQ(top->MainMenu1->Items()->Count(), 2);
  TStringList menus, toolbars;
  DataFileLists(menus, toolbars);
  EXPECT_EQ(menus.Text(), fileMenus.Text());
  EXPECT_NE(top->MenuList.Text(), fileMenus.Text()) << "the lists as edited";
}

TEST_F(MenuEditor, WordSeventySevenOpensTheMenuPage) {
  RunEditor(
      [&](TSetMenuForm& form) {
        EXPECT_EQ(form.PageControl_Target->ActivePage(), form.TabSheet_Menu);
        PressCancel(form);
      },
      0);
  RunForm<TSetMenuForm>(
      "SetMenuForm",
      [](TSetMenuForm& form) {
        EXPECT_EQ(form.PageControl_Target->ActivePage(), form.TabSheet_Menu);
        PressCancel(form);
      },
      [] { ExecuteCommand(nullptr, "$Sys_OptMenu", 0); });
  EXPECT_EQ(top->StatusBar1->Panels(spMessage).Text().find("$Sys_OptMenu"), std::string::npos)
      << "no waiting message";
}

} // namespace
