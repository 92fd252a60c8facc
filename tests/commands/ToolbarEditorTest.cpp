// The toolbar page of the menu and toolbar editor over the real main window: toolbars added,
// renamed and deleted through input boxes and questions, their entries added, removed and
// moved, and the toolbars, the toolbar-list menu and the data file after OK and Cancel.
#include "MenuEditorFixture.h"

#include "commands/ToolbarBuilder.h"
#include "core/GeneratedNames.h"
#include "toolbar/TbControls.h"
#include "toolbar/TbToolbar.h"

#include <climits>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr int ToolbarPage = 1;

class ToolbarEditor : public MenuEditorFixture {
protected:
  TToolbar* UserToolbar(int id) {
    return dynamic_cast<TToolbar*>(top->FindComponent(ToolbarName(id)));
  }
  static TQuolin_ButtonList ToolbarLine(int index) {
    TQuolin_ButtonList toolbar;
    ParseToolbarLine(TopForm->ToolBarList[index], toolbar);
    return toolbar;
  }
  static std::vector<int> Entries(int index) {
    TIndexList list(ToolbarLine(index).Buttons);
    std::vector<int> entries;
    for (int i = 0; i < list.GetCount(); ++i)
      entries.push_back(list.GetItem(i));
    return entries;
  }
  std::vector<std::string> ToolbarListCaptions() {
    std::vector<std::string> captions;
    TMenuItem* items = top->PopupMenu_ToolBar->Items();
    for (int i = 0; i < items->Count(); ++i)
      captions.push_back(items->Items(i)->Caption());
    return captions;
  }
  static void Click(TControl& button) { uitest::FormDriver::Click(button); }
};

TEST_F(ToolbarEditor, NewToolbarsTakeTheNextIdOrOne) {
  dialogs.answer = mrYes;
  input.Answer("追加A");
  input.Answer("");
  input.Cancel();
  input.Answer("B");
  RunEditor(
      [&](TSetMenuForm& form) {
        EXPECT_EQ(form.PageControl_Target->ActivePage(), form.TabSheet_ToolBar);
        Click(*form.Button_ToolBarAdd);
        ASSERT_EQ(top->ToolBarList.Count(), 2);
        EXPECT_EQ(ToolbarLine(1), (TQuolin_ButtonList{2, "追加A", ""}));
        EXPECT_EQ(form.Combo_ToolBar->ItemIndex(), 1);
        EXPECT_EQ(form.ListView_ToolBar->ItemCount(), 0);
        EXPECT_TRUE(form.ToolbarsChanged && form.MenusChanged);
        Click(*form.Button_ToolBarAdd);
        Click(*form.Button_ToolBarAdd);
        EXPECT_EQ(top->ToolBarList.Count(), 2) << "an empty answer and Cancel add nothing";
        Click(*form.Button_ToolBarDelete);
        EXPECT_EQ(form.Combo_ToolBar->ItemIndex(), 0) << "the previous one";
        Click(*form.Button_ToolBarDelete);
        EXPECT_EQ(top->ToolBarList.Count(), 0);
        Click(*form.Button_ToolBarAdd);
        ASSERT_EQ(top->ToolBarList.Count(), 1);
        EXPECT_EQ(ToolbarLine(0).Id, 1);
        PressCancel(form);
      },
      ToolbarPage);
  ASSERT_EQ(input.calls.size(), 4u);
  EXPECT_EQ(input.calls[0].caption, "ツールバー");
  EXPECT_EQ(input.calls[0].prompt, "追加するツールバー名称を入力してください");
  EXPECT_EQ(input.calls[0].value, "");
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_EQ(dialogs.calls[0].text, "指定されたツールバーを削除していいですか?");
}

TEST_F(ToolbarEditor, NoToolbarIsAddedOnceTheIdsRunOut) {
  top->ToolBarList.Put(0, BuildToolbarLine({INT_MAX, "標準", Members({1, 2})}));
  input.Answer("もう一つ");
  RunEditor(
      [&](TSetMenuForm& form) {
        Click(*form.Button_ToolBarAdd);
        EXPECT_EQ(top->ToolBarList.Count(), 1);
        EXPECT_FALSE(form.ToolbarsChanged || form.MenusChanged);
        PressCancel(form);
      },
      ToolbarPage);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "識別番号が上限に達したため、これ以上追加できません");
}

TEST_F(ToolbarEditor, RenamesOnlyToANewNameWithTabsAsBlanksKeepingThePlace) {
  ASSERT_NE(UserToolbar(1), nullptr);
  UserToolbar(1)->SetDockPos(40);
  UserToolbar(1)->SetDockRow(1);
  uitest::Pump();
  const int position = UserToolbar(1)->DockPos();
  const int row = UserToolbar(1)->DockRow();
  ASSERT_NE(position, 0);
  input.Answer("標準");
  input.Answer("");
  input.Answer("名\t前$00000003");
  RunEditor(
      [&](TSetMenuForm& form) {
        Click(*form.Button_ToolBarEdit);
        Click(*form.Button_ToolBarEdit);
        EXPECT_FALSE(form.ToolbarsChanged || form.MenusChanged) << "the same name, or none";
        Click(*form.Button_ToolBarEdit);
        EXPECT_TRUE(form.ToolbarsChanged && form.MenusChanged);
        EXPECT_EQ(ToolbarLine(0), (TQuolin_ButtonList{1, "名 前$00000003", Members({1, 2})}));
        EXPECT_EQ(form.Combo_ToolBar->Items()[0], "名 前$00000003");
        PressOk(form);
      },
      ToolbarPage);
  ASSERT_EQ(input.calls.size(), 3u);
  EXPECT_EQ(input.calls[0].prompt, "ツールバー名称を入力してください");
  EXPECT_EQ(input.calls[0].value, "標準");
  ASSERT_NE(UserToolbar(1), nullptr);
  EXPECT_EQ(UserToolbar(1)->Caption(), "名 前$00000003");
  EXPECT_EQ(UserToolbar(1)->ControlCount(), 2);
  EXPECT_EQ(UserToolbar(1)->DockPos(), position) << "kept its place over OK";
  EXPECT_EQ(UserToolbar(1)->DockRow(), row);
}

TEST_F(ToolbarEditor, DeletedThenCancelledComesBack) {
  dialogs.answer = mrNo;
  RunEditor(
      [&](TSetMenuForm& form) {
        Click(*form.Button_ToolBarDelete);
        EXPECT_EQ(top->ToolBarList.Count(), 1) << "answered No";
        dialogs.answer = mrYes;
        Click(*form.Button_ToolBarDelete);
        EXPECT_EQ(top->ToolBarList.Count(), 0);
        EXPECT_EQ(form.Combo_ToolBar->ItemIndex(), -1);
        PressCancel(form);
      },
      ToolbarPage);
  ASSERT_EQ(top->ToolBarList.Count(), 1);
  EXPECT_EQ(ToolbarLine(0), (TQuolin_ButtonList{1, "標準", Members({1, 2})}));
  ASSERT_NE(UserToolbar(1), nullptr);
  EXPECT_EQ(ToolbarListCaptions().front().find("標準") != std::string::npos, true);
}

TEST_F(ToolbarEditor, EntriesMoveInsideTheListOnly) {
  RunEditor(
      [&](TSetMenuForm& form) {
        EXPECT_EQ(Captions(*form.ListView_ToolBar), (std::vector<std::string>{"新規(&N)", "開く(&O)"}));
        EXPECT_EQ(form.ListView_ToolBar->Items(0)->ImageIndex, 4);
        Click(*form.Button_Up);
        EXPECT_FALSE(form.ToolbarsChanged) << "none selected";
        form.ListView_ToolBar->SetItemIndex(0);
        Click(*form.Button_Up);
        form.ListView_ToolBar->SetItemIndex(1);
        Click(*form.Button_Down);
        EXPECT_FALSE(form.ToolbarsChanged) << "the first up and the last down";
        EXPECT_EQ(Entries(0), (std::vector<int>{1, 2}));
        Click(*form.Button_Up);
        EXPECT_EQ(Entries(0), (std::vector<int>{2, 1}));
        EXPECT_EQ(form.ListView_ToolBar->ItemIndex(), 0);
        Click(*form.Button_Down);
        EXPECT_EQ(Entries(0), (std::vector<int>{1, 2}));
        EXPECT_EQ(form.ListView_ToolBar->ItemIndex(), 1);
        EXPECT_TRUE(form.ToolbarsChanged);
        EXPECT_FALSE(form.MenusChanged);
        PressCancel(form);
      },
      ToolbarPage);
}

TEST_F(ToolbarEditor, InsertsBeforeTheSelectedEntryAppendsAndRemoves) {
  top->ToolBarList.Put(0, BuildToolbarLine({1, "標準", Members({1, 0, 2})}));
  RunEditor(
      [&](TSetMenuForm& form) {
        EXPECT_EQ(Captions(*form.ListView_ToolBar),
                  (std::vector<std::string>{"新規(&N)", "-", "開く(&O)"}));
        form.ListView_ToolBar->SetItemIndex(2);
        Click(*form.Button_Add);
        EXPECT_FALSE(form.ToolbarsChanged) << "no source chosen";
        ChooseMaster(form, "太字", FormattingCategory);
        form.ListView_ToolBar->SetItemIndex(2);
        Click(*form.Button_Add);
        EXPECT_EQ(Entries(0), (std::vector<int>{1, 0, 3, 2}));
        EXPECT_EQ(form.ListView_ToolBar->ItemIndex(), 2);
        ChooseGroup(form, "見出し");
        form.ListView_ToolBar->SetItemIndex(-1);
        Click(*form.Button_Add);
        EXPECT_EQ(Entries(0), (std::vector<int>{1, 0, 3, 2, -1}));
        EXPECT_EQ(form.ListView_ToolBar->Items(4)->ImageIndex, 5);
        Click(*form.Button_ChildAdd);
        EXPECT_EQ(Entries(0).size(), 5u) << "no child on a toolbar";
        form.ListView_ToolBar->SetItemIndex(1);
        Click(*form.Button_Remove);
        EXPECT_EQ(Entries(0), (std::vector<int>{1, 3, 2, -1}));
        form.ListView_ToolBar->SetItemIndex(3);
        Click(*form.Button_Remove);
        EXPECT_EQ(Entries(0), (std::vector<int>{1, 3, 2}));
        EXPECT_EQ(form.ListView_ToolBar->ItemIndex(), 2) << "the last one left";
        Click(*form.Button_Remove);
        Click(*form.Button_Remove);
        Click(*form.Button_Remove);
        EXPECT_TRUE(Entries(0).empty());
        Click(*form.Button_Remove);
        ChooseGroup(form, "見出し");
        Click(*form.Button_Add);
        EXPECT_EQ(Entries(0), std::vector<int>{-1});
        PressOk(form);
      },
      ToolbarPage);
  auto* group = dynamic_cast<TToolbarButton*>(top->FindComponent(ButtonName(-1, 1, 1)));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->DropdownMenu(), top->PopupMenu_Group);
}

TEST_F(ToolbarEditor, ANewToolbarWithASeparatorIsBuiltListedAndSaved) {
  input.Answer("新しいバー");
  RunEditor(
      [&](TSetMenuForm& form) {
        Click(*form.Button_ToolBarAdd);
        ChooseMaster(form, "新規(&N)");
        Click(*form.Button_Add);
        ChooseMaster(form, "区切り", OtherCategory);
        form.ListView_ToolBar->SetItemIndex(-1);
        Click(*form.Button_Add);
        ChooseMaster(form, "開く(&O)");
        form.ListView_ToolBar->SetItemIndex(-1);
        Click(*form.Button_Add);
        EXPECT_EQ(Entries(1), (std::vector<int>{1, SeparatorMaster, 2}));
        PressOk(form);
      },
      ToolbarPage);
  auto expectBuilt = [&] {
    TToolbar* added = UserToolbar(2);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Caption(), "新しいバー");
    EXPECT_EQ(added->DockedTo(), top->TopDock);
    ASSERT_EQ(added->ControlCount(), 3);
    EXPECT_NE(dynamic_cast<TToolbarButton*>(added->Controls(0)), nullptr);
    EXPECT_NE(dynamic_cast<TToolbarSep*>(added->Controls(1)), nullptr);
    EXPECT_NE(dynamic_cast<TToolbarButton*>(added->Controls(2)), nullptr);
    const std::vector<std::string> listed = ToolbarListCaptions();
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_NE(listed[1].find("新しいバー"), std::string::npos);
    EXPECT_EQ(listed[3], "ツールバーの設定(&T)");
  };
  expectBuilt();
  EXPECT_TRUE(dialogs.calls.empty());
  // A new main window builds it from the data file.
  FreeMainWindow();
  MakeMenuEditor();
  ShowMainWindow();
  expectBuilt();
}

TEST_F(ToolbarEditor, TheToolbarListsSettingsItemOpensTheToolbarPage) {
  TMenuItem* items = top->PopupMenu_ToolBar->Items();
  TMenuItem* settings = items->Items(items->Count() - 1);
  ASSERT_EQ(settings->Caption(), "ツールバーの設定(&T)");
  RunForm<TSetMenuForm>(
      "SetMenuForm",
      [](TSetMenuForm& form) {
        EXPECT_EQ(form.PageControl_Target->ActivePage(), form.TabSheet_ToolBar);
        EXPECT_EQ(form.Combo_ToolBar->ItemIndex(), 0);
        PressCancel(form);
      },
      [settings] { settings->Click(); });
  EXPECT_EQ(top->StatusBar1->Panels(spMessage).Text().find("$Sys_OptMenu"), std::string::npos);
}

} // namespace
