// The generated menus and toolbars built by the menu editor's start-up from the main window's
// lists, their state groups and the copies under the reopen and toolbar-list items.
#include "MainWindowFixture.h"

#include "commands/MenuBuilder.h"
#include "commands/ToolbarBuilder.h"
#include "core/GeneratedNames.h"
#include "core/IndexList.h"
#include "core/MenuTree.h"
#include "toolbar/TbControls.h"
#include "toolbar/TbToolbar.h"
#include "ui/Menus.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr uint16_t CtrlN = scCtrl | 'N';

class GeneratedUi : public MainWindowFixture {
protected:
  TMenuTree tree;

  void SetUp() override {
    MainWindowFixture::SetUp();
    MakeEmptyMainWindow();
  }
  void MakeEmptyMainWindow() {
    MakeMainWindow();
    top->MasterList.Clear();
    top->GroupList.Clear();
    top->MenuList.Clear();
    top->ToolBarList.Clear();
  }

  // Masters are added in ascending Id order.
  void Master(int id, const std::string& command, int visibleType = 0, int image = -1,
              const std::string& hint = "") {
    TQuolin_CmdList master;
    master.Id = id;
    master.Command = command;
    master.VisibleType = visibleType;
    master.ImgIndex = image;
    master.Hint = hint;
    top->MasterList.Add(BuildMasterRecord(master));
  }
  void Group(int id, const std::vector<int>& members) {
    TQuolin_CmdList group;
    group.Id = id;
    TIndexList list;
    for (int member : members)
      list.Add(member);
    group.Command = list.Text;
    top->GroupList.Add(BuildMasterRecord(group));
  }
  TMenuNode* Node(TMenuNode& parent, const std::string& caption, int commandId,
                  uint16_t shortCut = 0) {
    return parent.AddChild({.Caption = caption, .CommandId = commandId, .ShortCut = shortCut});
  }
  void Toolbar(int id, const std::string& name, const std::vector<int>& buttons) {
    TIndexList list;
    for (int button : buttons)
      list.Add(button);
    top->ToolBarList.Add(BuildToolbarLine({id, name, list.Text}));
  }
  // The lists as set, then the menu editor as at start-up.
  void Start() {
    tree.WriteLines(top->MenuList);
    MakeMenuEditor();
  }

  static TMenuItem* At(TMenu* menu, std::initializer_list<int> path) {
    TMenuItem* item = menu->Items();
    for (int index : path)
      item = item->Items(index);
    return item;
  }
  TToolbar* UserToolbar(int id) {
    return dynamic_cast<TToolbar*>(top->FindComponent(ToolbarName(id)));
  }
  static std::vector<TControl*> ControlsOf(TToolbar* toolbar) {
    std::vector<TControl*> controls;
    for (int i = 0; i < toolbar->ControlCount(); ++i)
      controls.push_back(toolbar->Controls(i));
    return controls;
  }
  TToolbarButton* ButtonOf(int commandId, int toolbarId, int count) {
    return dynamic_cast<TToolbarButton*>(
        top->FindComponent(ButtonName(commandId, toolbarId, count)));
  }
};

// One main-menu item and one button per rule 1-9 (masters 1-9).
class VisiSets : public GeneratedUi {
protected:
  void SetUp() override {
    GeneratedUi::SetUp();
    std::vector<int> buttons;
    for (int rule = 1; rule <= 9; ++rule) {
      Master(rule, "cmd" + std::to_string(rule), rule, rule);
      Node(tree.Root(mkMainMenu), "item" + std::to_string(rule), rule);
      buttons.push_back(rule);
    }
    Toolbar(1, "rules", buttons);
    Start();
  }
  TMenuItem* ItemOf(int rule) { return At(top->MainMenu1, {rule - 1}); }
  TToolbarButton* ButtonOfRule(int rule) { return ButtonOf(rule, 1, rule); }
};

TEST_F(VisiSets, DocumentRules) {
  // Start-up is the no-document state.
  EXPECT_FALSE(ItemOf(1)->Enabled());
  EXPECT_FALSE(ItemOf(2)->Visible());
  EXPECT_TRUE(ItemOf(2)->Enabled());
  EXPECT_TRUE(ItemOf(3)->Enabled());
  EXPECT_TRUE(ItemOf(4)->Visible());
  EXPECT_FALSE(ButtonOfRule(1)->Enabled());
  EXPECT_FALSE(ButtonOfRule(2)->Enabled());
  EXPECT_TRUE(ButtonOfRule(2)->Visible());
  EXPECT_TRUE(ButtonOfRule(3)->Enabled());

  UpdateDocumentMenuState(true);
  EXPECT_TRUE(ItemOf(1)->Enabled());
  EXPECT_TRUE(ItemOf(2)->Visible());
  EXPECT_FALSE(ItemOf(3)->Enabled());
  EXPECT_FALSE(ItemOf(4)->Visible());
  EXPECT_TRUE(ItemOf(4)->Enabled());
  EXPECT_TRUE(ButtonOfRule(1)->Enabled());
  EXPECT_TRUE(ButtonOfRule(2)->Enabled());
  EXPECT_FALSE(ButtonOfRule(3)->Enabled());
  EXPECT_FALSE(ButtonOfRule(4)->Enabled());
  EXPECT_TRUE(ButtonOfRule(4)->Visible());
}

TEST_F(VisiSets, SelectionRules) {
  auto enabled = [&](int rule) { return ItemOf(rule)->Enabled() && ButtonOfRule(rule)->Enabled(); };
  auto disabled = [&](int rule) {
    return !ItemOf(rule)->Enabled() && !ButtonOfRule(rule)->Enabled();
  };
  UpdateSelectionMenuState(false, false);
  EXPECT_TRUE(disabled(5) && enabled(6) && disabled(7) && disabled(8));
  UpdateSelectionMenuState(true, true);
  EXPECT_TRUE(enabled(5) && disabled(6) && enabled(7) && disabled(8));
  UpdateSelectionMenuState(true, false);
  EXPECT_TRUE(enabled(5) && disabled(6) && disabled(7) && enabled(8));
}

TEST_F(VisiSets, RuleNineHidesItemsOnly) {
  for (bool open : {false, true}) {
    UpdateDocumentMenuState(open);
    EXPECT_FALSE(ItemOf(9)->Visible());
    EXPECT_TRUE(ButtonOfRule(9)->Enabled());
  }
}

TEST_F(VisiSets, OnlyGroupsOneToNineTakeMembers) {
  size_t before = MenuGroup(1).Items.size();
  AddMenuToGroup(0, ItemOf(1));
  AddMenuToGroup(10, ItemOf(1));
  AddButtonToGroup(0, ButtonOfRule(1));
  AddButtonToGroup(10, ButtonOfRule(1));
  EXPECT_EQ(MenuGroup(1).Items.size(), before);
  AddMenuToGroup(9, ItemOf(1));
  EXPECT_EQ(MenuGroup(9).Items.size(), 2u);
  AddButtonToGroup(1, ButtonOfRule(9));
  EXPECT_EQ(ButtonGroup(1).Buttons.size(), 2u);
}

TEST_F(VisiSets, MasterMovedToAnotherGroupFollowsWithoutRebuild) {
  // A second item of master 1, whose first item is already in the state group 3 gives.
  Node(tree.Root(mkMainPopup), "again", 1);
  tree.WriteLines(top->MenuList);
  menuEditor->MenuTree.LoadLines(top->MenuList);
  RebuildMenus(true);
  UpdateDocumentMenuState(true);
  TMenuItem* first = ItemOf(1);
  TMenuItem* second = At(top->PopupMenu_Main, {0});
  first->SetEnabled(false);
  ASSERT_TRUE(second->Enabled());
  top->MasterList.Clear();
  Master(1, "cmd1", 3);
  RebuildMenus(false);
  RefreshUserToolbarButtons();
  UpdateDocumentMenuState(true);
  EXPECT_FALSE(first->Enabled());
  EXPECT_FALSE(second->Enabled());
  EXPECT_FALSE(ButtonOfRule(1)->Enabled());
}

class MenuBuild : public GeneratedUi {};

TEST_F(MenuBuild, ThreeTreesBecomeTheThreeMenus) {
  Master(1, "$Sys_FileNew", 0, 4, "new|A new document");
  Master(2, "");
  Group(3, {1});
  TMenuNode* file = Node(tree.Root(mkMainMenu), "&File", 0);
  Node(*file, "&New", 1, CtrlN);
  Node(*file, "-", 0);
  Node(*file, "empty", 2);
  Node(tree.Root(mkMainPopup), "popup new", 1, CtrlN);
  Node(tree.Root(mkMainPopup), "group", -3);
  Node(tree.Root(mkEditorPopup), "editor new", 1, CtrlN);
  Start();

  EXPECT_EQ(top->mn_Option0, nullptr);
  ASSERT_EQ(top->MainMenu1->Items()->Count(), 1);
  TMenuItem* fileItem = At(top->MainMenu1, {0});
  EXPECT_EQ(fileItem->Caption(), "&File");
  ASSERT_EQ(fileItem->Count(), 3);
  TMenuItem* newItem = fileItem->Items(0);
  EXPECT_EQ(newItem->ShortCut(), CtrlN);
  EXPECT_EQ(newItem->ImageIndex(), 4);
  EXPECT_EQ(newItem->Hint, "new|A new document");
  EXPECT_TRUE(fileItem->Items(1)->IsLine());
  EXPECT_EQ(fileItem->Items(1)->ShortCut(), 0);
  // Flag digits: a submenu, a master with and one without command.
  EXPECT_EQ(fileItem->Name().substr(0, 13), "mn0_000000000");
  EXPECT_EQ(newItem->Name().substr(0, 13), "mn0_000000011");
  EXPECT_EQ(fileItem->Items(2)->Name().substr(0, 13), "mn0_000000020");
  EXPECT_EQ(At(top->PopupMenu_Main, {1})->Name().substr(0, 13), "mn1_FFFFFFFD1");
  EXPECT_EQ(At(top->PopupMenu_Main, {0})->ShortCut(), 0);
  EXPECT_EQ(At(top->PopupMenu_Edit, {0})->ShortCut(), 0);
  EXPECT_EQ(At(top->PopupMenu_Edit, {0})->Name().substr(0, 4), "mn2_");

  char text[64] = {};
  GetMenuStringA(fileItem->Handle(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&New\tCtrl+N");
  // The long hint shows when the item is selected.
  SendMessageA(top->Handle(), WM_MENUSELECT, MAKEWPARAM(newItem->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(fileItem->Handle()));
  EXPECT_EQ(Application->Hint(), "A new document");
}

TEST_F(MenuBuild, EmptyMainRootKeepsTheSettingsMenu) {
  Master(1, "$Sys_FileNew");
  Node(tree.Root(mkMainPopup), "new", 1);
  Start();
  ASSERT_NE(top->mn_Option0, nullptr);
  EXPECT_EQ(At(top->MainMenu1, {0}), top->mn_Option0);
  EXPECT_EQ(top->PopupMenu_Main->Items()->Count(), 1);
}

TEST_F(MenuBuild, RebuildsGiveUniqueNames) {
  Master(1, "$Sys_FileNew");
  Node(tree.Root(mkMainMenu), "new", 1);
  Start();
  std::string first = At(top->MainMenu1, {0})->Name();
  RebuildMenus(true);
  std::string second = At(top->MainMenu1, {0})->Name();
  EXPECT_NE(first, second);
  EXPECT_EQ(first.substr(0, 13), second.substr(0, 13));
}

TEST_F(MenuBuild, ReopenAndToolbarListCopies) {
  Master(1, "$Sys_FileRemain");
  Master(2, "$sys_viewtoolbarlist");
  Node(tree.Root(mkMainMenu), "reopen", 1);
  Node(tree.Root(mkMainMenu), "reopen again", 1);
  Node(tree.Root(mkMainMenu), "toolbars", 2);
  Toolbar(1, "TeX", {});
  top->RemainFiles.Add("c:\\a.tex");
  Start();
  TMenuItem* reopen = At(top->MainMenu1, {0});
  ASSERT_EQ(reopen->Count(), 1);
  EXPECT_EQ(reopen->Items(0)->Caption(), top->PopupMenu_RemainOpen->Items()->Items(0)->Caption());
  // The first item in display order takes the copies.
  EXPECT_EQ(At(top->MainMenu1, {1})->Count(), 0);
  TMenuItem* toolbars = At(top->MainMenu1, {2});
  ASSERT_EQ(toolbars->Count(), 3);
  EXPECT_EQ(toolbars->Items(0)->Caption(), "TeX(&0)");
  EXPECT_EQ(toolbars->Items(0)->Name().substr(0, 12), "mnb_00000000");
  EXPECT_EQ(toolbars->Items(0)->Name().size(), 15u);
  EXPECT_TRUE(toolbars->Items(1)->IsLine());
  EXPECT_EQ(toolbars->Items(2)->Name(), "");

  // Copies are made again, old ones freed; a refresh leaves the items and copies' names.
  std::string copyName = toolbars->Items(0)->Name();
  RebuildMenus(false);
  ASSERT_EQ(At(top->MainMenu1, {2}), toolbars);
  EXPECT_EQ(toolbars->Count(), 3);
  EXPECT_NE(toolbars->Items(0)->Name(), copyName);

  toolbars->Items(0)->Click();
  EXPECT_FALSE(UserToolbar(1)->Visible());
  // Opening the submenu runs its master, which checks the copies.
  toolbars->Items(0)->SetChecked(true);
  SendMessageA(top->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(toolbars->Handle()), 2);
  EXPECT_FALSE(toolbars->Items(0)->Checked());
}

TEST_F(MenuBuild, RefreshKeepsTheSettingsItems) {
  Master(1, "$Sys_FileNew");
  Node(tree.Root(mkMainPopup), "new", 1);
  Start();
  TMenuItem* settings = top->mn_Option0;
  RebuildMenus(false);
  EXPECT_EQ(top->mn_Option0, settings);
  EXPECT_EQ(settings->Name(), "mn_Option0");
  EXPECT_TRUE(settings->Visible());
}

TEST_F(MenuBuild, MainMenuShortCutRunsItsMaster) {
  Master(1, "$Sys_FileNew");
  Node(tree.Root(mkMainMenu), "new", 1, CtrlN);
  Start();
  EXPECT_TRUE(top->MainMenu1->IsShortCut(CtrlN));
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "$Sys_FileNew");
  EXPECT_EQ(commands.Last()->CommandId, 1);
}

TEST_F(MenuBuild, GroupDropdownItemsClashWithNoPopupItem) {
  Master(1, "$Sys_FileNew");
  Group(2, {1});
  Node(tree.Root(mkMainPopup), "new", 1);
  Start();
  // The pop-up item's count and master, reached by the group drop-down's own count.
  const std::string& popupName = At(top->PopupMenu_Main, {0})->Name();
  top->GroupDropdownCount = std::stoi(popupName.substr(MenuFlagPos + 1), nullptr, 16) - 1;
  top->FillGroupDropdown(-2);
  ASSERT_EQ(top->PopupMenu_Group->Items()->Count(), 1);
  EXPECT_EQ(top->PopupMenu_Group->Items()->Items(0)->Name(), popupName);
}

class UserToolbars : public GeneratedUi {};

TEST_F(UserToolbars, ButtonsSeparatorsAndDropdowns) {
  Master(1, "$Sys_FileOpen", 0, 3, "open|Open a file");
  Master(2, "", 0, -1);
  Master(3, "$Sys_FileNew", 0, 5);
  Group(3, {3});
  Toolbar(2, "Standard", {1, 0, 2, -3, 3});
  Start();
  TToolbar* toolbar = UserToolbar(2);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->Caption(), "Standard");
  EXPECT_EQ(toolbar->DockedTo(), top->TopDock);
  std::vector<TControl*> controls = ControlsOf(toolbar);
  ASSERT_EQ(controls.size(), 5u);
  EXPECT_NE(dynamic_cast<TToolbarSep*>(controls[1]), nullptr);
  EXPECT_NE(dynamic_cast<TToolbarSep*>(controls[2]), nullptr);
  EXPECT_EQ(controls[0]->Name(), "btn_000000010000000200000001");
  EXPECT_EQ(controls[3]->Name(), "btn_FFFFFFFD0000000200000002");
  EXPECT_EQ(controls[4]->Name(), "btn_000000030000000200000003");

  auto* open = dynamic_cast<TToolbarButton*>(controls[0]);
  EXPECT_EQ(open->ImageIndex(), 3);
  EXPECT_EQ(open->Hint(), "open|Open a file");
  EXPECT_TRUE(open->ShowHint());
  EXPECT_EQ(open->DropdownMenu(), top->PopupMenu_RemainOpen);
  EXPECT_TRUE(open->DropdownCombo());
  auto* group = dynamic_cast<TToolbarButton*>(controls[3]);
  EXPECT_EQ(group->DropdownMenu(), top->PopupMenu_Group);
  bool show = true, remove = true;
  group->OnDropdown(group, show, remove);
  EXPECT_EQ(top->PopupMenu_Group->Items()->Count(), 1);
  auto* plain = dynamic_cast<TToolbarButton*>(controls[4]);
  EXPECT_EQ(plain->DropdownMenu(), nullptr);
  EXPECT_FALSE(plain->ShowHint());
  plain->Click();
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "$Sys_FileNew");
}

TEST_F(UserToolbars, OneToolbarPerIdAndNoneBeyondTheList) {
  Master(1, "$Sys_FileNew", 0, 1);
  Toolbar(4, "first", {1});
  Toolbar(4, "second", {1});
  Start();
  ASSERT_EQ(quolin::UserToolbars().size(), 1u);
  EXPECT_EQ(UserToolbar(4)->Caption(), "first");
  EXPECT_EQ(CreateUserToolbar(2), nullptr);
  EXPECT_EQ(CreateUserToolbar(-1), nullptr);
  // The toolbar list: one toolbar, a separator and the settings item.
  EXPECT_EQ(top->PopupMenu_ToolBar->Items()->Count(), 3);
}

TEST_F(UserToolbars, AFirstStartDocksThemInTheOrderOfTheList) {
  Master(1, "$Sys_FileNew", 0, 1);
  Toolbar(3, "standard", {1});
  Toolbar(1, "tex", {1, 1});
  Toolbar(2, "math", {1, 1, 1});
  // As the program starts: the toolbars are made before the main window shows.
  Start();
  ShowMainWindow();
  std::vector<std::pair<int, std::string>> placed;
  for (TToolbar* toolbar : quolin::UserToolbars()) {
    EXPECT_EQ(toolbar->Top(), 0) << toolbar->Caption();
    placed.emplace_back(toolbar->Left(), toolbar->Caption());
  }
  std::sort(placed.begin(), placed.end());
  std::vector<std::string> order;
  for (const auto& [left, caption] : placed)
    order.push_back(caption);
  EXPECT_EQ(order, (std::vector<std::string>{"standard", "tex", "math"}));
}

TEST_F(UserToolbars, NoToolbarsLeaveOnlyTheSettingsItem) {
  Start();
  ASSERT_EQ(top->PopupMenu_ToolBar->Items()->Count(), 1);
  EXPECT_EQ(top->PopupMenu_ToolBar->Items()->Items(0)->Caption(), "ツールバーの設定(&T)");
}

TEST_F(UserToolbars, RebuildKeepsPlaceAndVisibility) {
  Master(1, "$Sys_FileNew", 0, 1);
  Toolbar(1, "one", {1});
  Toolbar(2, "two", {1});
  ShowMainWindow();
  Start();
  UserToolbar(2)->SetDockPos(40);
  UserToolbar(2)->SetDockRow(1);
  UserToolbar(1)->SetVisible(false);
  uitest::Pump();
  int pos = UserToolbar(2)->DockPos();
  int row = UserToolbar(2)->DockRow();
  ASSERT_NE(pos, 0);
  RebuildUserToolbars();
  EXPECT_EQ(UserToolbar(2)->DockedTo(), top->TopDock);
  EXPECT_EQ(UserToolbar(2)->DockPos(), pos);
  EXPECT_EQ(UserToolbar(2)->DockRow(), row);
  EXPECT_FALSE(UserToolbar(1)->Visible());
  EXPECT_FALSE(top->PopupMenu_ToolBar->Items()->Items(0)->Checked());
  EXPECT_TRUE(top->PopupMenu_ToolBar->Items()->Items(1)->Checked());
}

TEST_F(UserToolbars, HiddenToolbarStaysHiddenAfterARestart) {
  Master(1, "$Sys_FileNew", 0, 1);
  Toolbar(1, "one", {1});
  Toolbar(2, "two", {1});
  ShowMainWindow();
  Start();
  UserToolbar(1)->SetVisible(false);
  SaveToolbarLayout();
  FreeMainWindow();

  MakeEmptyMainWindow();
  Master(1, "$Sys_FileNew", 0, 1);
  Toolbar(1, "one", {1});
  Toolbar(2, "two", {1});
  Start();
  ShowMainWindow();
  EXPECT_FALSE(UserToolbar(1)->Visible());
  EXPECT_TRUE(UserToolbar(2)->Visible());
}

TEST_F(MenuBuild, MaximisedDocumentStaysMaximised) {
  Master(1, "$Sys_FileNew");
  Node(tree.Root(mkMainMenu), "new", 1);
  ShowMainWindow();
  Start();
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, 0, false, true));
  uitest::Pump();
  DocAt(0)->SetWindowState(TWindowState::wsMaximized);
  RebuildMenus(true);
  EXPECT_EQ(DocAt(0)->WindowState(), TWindowState::wsMaximized);
  EXPECT_EQ(top->MainMenu1->Items()->Count(), 1);
}

class MenuState : public GeneratedUi {};

TEST_F(MenuState, DocumentsSwitchTheGroupsAndTheLastCloseSwitchesBack) {
  Master(1, "$Sys_FileSave", 1, 1);
  Node(tree.Root(mkMainMenu), "save", 1);
  Toolbar(1, "one", {1});
  ShowMainWindow();
  Start();
  TMenuItem* save = At(top->MainMenu1, {0});
  TToolbarButton* button = ButtonOf(1, 1, 1);
  EXPECT_FALSE(save->Enabled());
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, 0, false, true));
  ASSERT_TRUE(OpenDocument(File("b.tex"), "", false, 0, false, true));
  uitest::Pump();
  EXPECT_TRUE(save->Enabled());
  EXPECT_TRUE(button->Enabled());
  DocAt(0)->Close();
  uitest::Pump();
  EXPECT_TRUE(save->Enabled());
  DocAt(0)->Close();
  uitest::Pump();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_FALSE(save->Enabled());
  EXPECT_FALSE(button->Enabled());
}

// One main-menu item and one button of each selection rule (masters 5-8).
TEST_F(MenuState, SelectionsSwitchTheirGroupsOnTheDocumentsTick) {
  std::vector<int> buttons;
  for (int rule = 5; rule <= 8; ++rule) {
    Master(rule, "cmd" + std::to_string(rule), rule, rule);
    Node(tree.Root(mkMainMenu), "item" + std::to_string(rule), rule);
    buttons.push_back(rule);
  }
  Toolbar(1, "selection", buttons);
  ShowMainWindow();
  Start();
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, 0, false, true));
  uitest::Pump();
  TDocForm* doc = DocAt(0);
  TEditor* view = doc->ActiveEditor;
  auto enabled = [&](int rule) {
    bool item = At(top->MainMenu1, {rule - 5})->Enabled();
    EXPECT_EQ(item, ButtonOf(rule, 1, rule - 4)->Enabled()) << rule;
    return item;
  };
  auto tick = [&](int start, int length) {
    view->SetSelStart(start);
    view->SetSelLength(length);
    doc->Timer_SelectedTimer(doc->Timer_Selected);
  };
  // "\documentclass{article}" is 23 bytes; its CR LF follows.
  tick(0, 23);
  EXPECT_TRUE(enabled(5));
  EXPECT_FALSE(enabled(6));
  EXPECT_FALSE(enabled(7));
  EXPECT_TRUE(enabled(8));
  tick(0, 25);
  EXPECT_TRUE(enabled(5));
  EXPECT_TRUE(enabled(7));
  EXPECT_FALSE(enabled(8));
  tick(5, 0);
  EXPECT_FALSE(enabled(5));
  EXPECT_TRUE(enabled(6));
  EXPECT_FALSE(enabled(7));
  EXPECT_FALSE(enabled(8));
  EXPECT_FALSE(doc->Timer_Selected->Enabled());
}

TEST_F(MenuState, TwoCheckedButtonsOfOneToolbarStayDown) {
  Master(1, "$Sys_ViewOutline", 0, 1);
  Master(2, "$Sys_ViewStatusBar", 0, 2);
  Master(3, "$Sys_FileNew", 0, 3);
  Toolbar(7, "view", {1, 2, 3});
  Toolbar(8, "single", {1});
  ShowMainWindow();
  Start();
  TToolbarButton* outline = ButtonOf(1, 7, 1);
  TToolbarButton* statusBar = ButtonOf(2, 7, 2);
  TToolbarButton* alone = ButtonOf(1, 8, 1);
  top->SetCommandChecked(1, true);
  top->SetCommandChecked(2, true);
  EXPECT_TRUE(outline->Down());
  EXPECT_TRUE(statusBar->Down());
  EXPECT_TRUE(alone->Down());
  EXPECT_FALSE(ButtonOf(3, 7, 3)->Down());
  top->SetCommandChecked(1, false);
  EXPECT_FALSE(outline->Down());
  EXPECT_FALSE(alone->Down());
  EXPECT_TRUE(statusBar->Down());
}

} // namespace
