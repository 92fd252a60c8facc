// Generated component names and what the main window does with them: the shared click handler
// of menu items and buttons, the group tool windows, the checked state of a command and the
// group drop-down.
#include "MainWindowFixture.h"

#include "commands/ListWindows.h"
#include "commands/MenuBuilder.h"
#include "commands/ToolbarBuilder.h"
#include "core/IndexList.h"
#include "toolbar/TbToolWindow.h"
#include "toolbar/TbToolbar.h"
#include "ui/Buttons.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class CommandNames : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
    top->MasterList.Clear();
    top->GroupList.Clear();
    top->MasterList.Add(MasterLine(5, "\\section{$S}", "beta", 12));
    top->MasterList.Add(MasterLine(6, "\\chapter{$S}", "Alpha"));
    top->MasterList.Add(MasterLine(7, "$Sys_ViewDocExp", "gamma"));
  }

  TMenuItem* Item(TMenu* menu, const std::string& name, TMenuItem* parent = nullptr) {
    auto* item = TComponent::Create<TMenuItem>(top, name);
    item->SetCaption(name);
    item->OnClick = [this](TObject* sender) { top->mn_DefaultClick(sender); };
    (parent ? parent : menu->Items())->Add(item);
    return item;
  }
  TToolbar* Toolbar(const std::string& name) {
    auto* toolbar = TComponent::Create<TToolbar>(top, name);
    toolbar->SetParent(top->TopDock);
    return toolbar;
  }
  TToolbarButton* Button(TToolbar* toolbar, const std::string& name) {
    auto* button = TComponent::Create<TToolbarButton>(top, name);
    button->SetParent(toolbar);
    button->OnClick = [this](TObject* sender) { top->mn_DefaultClick(sender); };
    return button;
  }
};

TEST_F(CommandNames, MenuItemsAndButtonsRunTheirMaster) {
  TMenuItem* item = Item(top->MainMenu1, "mn0_0000000510001");
  item->Click();
  ASSERT_EQ(commands.calls.size(), 1u);
  EXPECT_EQ(commands.Last()->Sender, item);
  EXPECT_EQ(commands.Last()->Command, "\\section{$S}");
  EXPECT_EQ(commands.Last()->CommandId, 5);

  TToolbarButton* button = Button(Toolbar("bar_00000001"), "btn_000000060000000100000001");
  button->Click();
  ASSERT_EQ(commands.calls.size(), 2u);
  EXPECT_EQ(commands.Last()->Sender, button);
  EXPECT_EQ(commands.Last()->Command, "\\chapter{$S}");
  EXPECT_EQ(commands.Last()->CommandId, 6);

  // A pure submenu, number 0, a master that is gone, a name that is not hexadecimal.
  Item(top->MainMenu1, "mn0_0000000500001")->Click();
  Item(top->PopupMenu_Main, "mn1_0000000010002")->Click();
  Item(top->PopupMenu_Edit, "mn2_0000000810003")->Click();
  Item(top->PopupMenu_Edit, "mn2_0000000G10004")->Click();
  top->mn_DefaultClick(nullptr);
  auto* foreign = TComponent::Create<TButton>(top, "mn0_0000000510005");
  top->mn_DefaultClick(foreign);
  EXPECT_EQ(commands.calls.size(), 2u);
}

TEST_F(CommandNames, GroupItemTogglesItsToolWindow) {
  TMenuItem* item = Item(top->PopupMenu_Edit, "mn2_FFFFFFFD10001");
  item->Click();
  auto* window = dynamic_cast<TToolWindow*>(top->FindComponent("twd_FFFFFFFD"));
  ASSERT_NE(window, nullptr);
  // Visible, not shown: a floating window hides while another test's window is active.
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(window->Left(), top->Left() + top->Width() / 2);
  EXPECT_EQ(window->Top(), top->Top() + top->Height() / 2);
  EXPECT_EQ(GetWindow(window->Handle(), GW_OWNER), top->Handle()) << "floats over the window";
  auto* frame = dynamic_cast<TFrm_List*>(window->FindComponent("Frm_CmdList"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Parent(), window);
  EXPECT_EQ(frame->Align(), alClient);
  EXPECT_EQ(frame->CommandNumber(), -3);
  EXPECT_TRUE(item->Checked());
  EXPECT_TRUE(commands.calls.empty());

  item->Click();
  EXPECT_EQ(top->FindComponent("twd_FFFFFFFD"), window) << "the same window again";
  EXPECT_FALSE(window->Visible());
  EXPECT_FALSE(item->Checked());

  item->Click();
  EXPECT_TRUE(item->Checked());
  window->Close();
  EXPECT_FALSE(window->Visible());
  EXPECT_FALSE(item->Checked()) << "closing the tool window unchecks its command";

  // The checked marks follow the tool windows that exist.
  item->Click();
  UncheckCommandItems(-3);
  top->CheckToolWindowCommands();
  EXPECT_TRUE(item->Checked());
  window->Hide();
  top->CheckToolWindowCommands();
  EXPECT_FALSE(item->Checked());

  // A button of the same group does the same.
  TToolbarButton* button = Button(Toolbar("bar_00000002"), "btn_FFFFFFFD0000000200000001");
  button->Click();
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(item->Checked());
  EXPECT_TRUE(button->Down());
}

TEST_F(CommandNames, CheckedStateReachesMenuItemsAtEveryDepthAndButtons) {
  TMenuItem* level1 = Item(top->MainMenu1, "mn0_0000000000001");
  TMenuItem* level2 = Item(nullptr, "mn0_0000000000002", level1);
  TMenuItem* level3 = Item(nullptr, "mn0_0000000710003", level2);
  TMenuItem* popup = Item(top->PopupMenu_Main, "mn1_0000000710004");
  TMenuItem* other = Item(top->PopupMenu_Edit, "mn2_0000000510005");
  // Toolbar-list items carry a toolbar's index, never a command.
  TMenuItem* toolbarItem = Item(top->MainMenu1, "mnb_00000007");
  TMenuItem* group = Item(top->PopupMenu_Group, "mn1_0000000710006");
  TToolbarButton* single = Button(Toolbar("bar_00000003"), "btn_000000070000000300000001");
  TToolbar* pair = Toolbar("bar_00000004");
  TToolbarButton* first = Button(pair, "btn_000000050000000400000001");
  TToolbarButton* second = Button(pair, "btn_000000060000000400000002");

  CheckCommandItems(7);
  EXPECT_TRUE(level3->Checked());
  EXPECT_TRUE(popup->Checked());
  EXPECT_FALSE(level1->Checked());
  EXPECT_FALSE(other->Checked());
  EXPECT_FALSE(toolbarItem->Checked());
  EXPECT_FALSE(group->Checked()) << "only the three menus";
  EXPECT_TRUE(single->Down()) << "a toolbar holding a single button";
  EXPECT_EQ(single->GroupIndex(), 1);
  EXPECT_TRUE(single->AllowAllUp());
  UncheckCommandItems(7);
  EXPECT_FALSE(level3->Checked());
  EXPECT_FALSE(popup->Checked());
  EXPECT_FALSE(single->Down());
  EXPECT_EQ(single->GroupIndex(), 0);

  // Two checked buttons of one toolbar stay independent.
  CheckCommandItems(5);
  CheckCommandItems(6);
  EXPECT_TRUE(first->Down());
  EXPECT_TRUE(second->Down());
  EXPECT_EQ(first->GroupIndex(), 1);
  EXPECT_EQ(second->GroupIndex(), 2);
  UncheckCommandItems(5);
  EXPECT_FALSE(first->Down());
  EXPECT_TRUE(second->Down());
}

TEST_F(CommandNames, GroupDropdownSortsAndNamesItsMembers) {
  TIndexList members;
  for (int member : {5, 0, 8, 6, 7, -2})
    members.Add(member);
  top->GroupList.Add(MasterLine(2, "", "other"));
  top->GroupList.Add(MasterLine(3, members.Text, "group"));
  top->GroupDropdownCount = 65534;
  top->FillGroupDropdown(-3);

  TMenuItem* items = top->PopupMenu_Group->Items();
  ASSERT_EQ(items->Count(), 3) << "no separator, no missing master, no group";
  EXPECT_EQ(items->Items(0)->Caption(), "Alpha");
  EXPECT_EQ(items->Items(0)->Name(), "mn1_0000000610000") << "65535 wraps to 0";
  EXPECT_EQ(items->Items(1)->Caption(), "beta");
  EXPECT_EQ(items->Items(1)->Name(), "mn1_000000051FFFF");
  EXPECT_EQ(items->Items(1)->ImageIndex(), 12);
  EXPECT_EQ(items->Items(2)->Caption(), "gamma");
  EXPECT_EQ(items->Items(2)->Name(), "mn1_0000000710001");
  EXPECT_EQ(top->GroupDropdownCount, 1);

  items->Items(1)->Click();
  ASSERT_EQ(commands.calls.size(), 1u);
  EXPECT_EQ(commands.calls[0].CommandId, 5);

  // Filled again from scratch; a master number fills nothing.
  top->FillGroupDropdown(-3);
  EXPECT_EQ(items->Count(), 3);
  EXPECT_EQ(items->Items(0)->Name(), "mn1_0000000610003");
  top->FillGroupDropdown(5);
  EXPECT_EQ(items->Count(), 0);

  // A group button's drop-down fills the menu by the button's number.
  TToolbarButton* button = Button(Toolbar("bar_00000005"), "btn_FFFFFFFD0000000500000001");
  bool showMenu = true, removeClicks = true;
  top->tbn_DefaultDropdown(button, showMenu, removeClicks);
  EXPECT_EQ(items->Count(), 3);
}

TEST_F(CommandNames, ToolbarListItemsToggleUserToolbars) {
  TToolbar* toolbar = Toolbar("bar_00000006");
  UserToolbars().push_back(toolbar);
  auto* item = TComponent::Create<TMenuItem>(top, "mnb_00000000");
  top->mnb_DefaultClick(item);
  EXPECT_FALSE(toolbar->Visible());
  top->mnb_DefaultClick(item);
  EXPECT_TRUE(toolbar->Visible());
  auto* beyond = TComponent::Create<TMenuItem>(top, "mnb_00000001");
  top->mnb_DefaultClick(beyond);
  EXPECT_TRUE(toolbar->Visible());
  UserToolbars().clear();
}

} // namespace
