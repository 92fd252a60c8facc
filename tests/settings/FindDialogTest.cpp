// The find and replace dialog over a real document, driven as a user drives it: buttons
// clicked, tabs chosen, keys pressed in the combo box's edit; the incremental timer's tick is
// called directly.
#include "FindFixture.h"
#include "common/Registry.h"
#include "core/StringList.h"
#include "support/FormDriver.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"
#include "ui/TabControls.h"
#include "ui/Timer.h"

#include <string>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class FindDialog : public FindFixture {
protected:
  TFindForm& Shown() {
    ToggleFindForm(0);
    EXPECT_TRUE(uitest::PumpUntil([] { return Screen->ActiveForm() == FindForm; }));
    return *FindForm;
  }
  static void Click(TControl& button) { uitest::FormDriver::Click(button); }
  static void Search(const std::string& text) { FindForm->FindComboBox->SetText(text); }
  static void ReplaceWith(const std::string& text) { FindForm->ReplaceComboBox->SetText(text); }
  static bool ChooseTab(int index) {
    return uitest::FormDriver::ChooseTab(*FindForm->TabControl1, index);
  }
  static std::vector<std::string> Items(TComboBox& box) {
    std::vector<std::string> items;
    for (int i = 0; i < box.Items().Count(); ++i)
      items.push_back(box.Items()[i]);
    return items;
  }
  static bool ReplaceControlsEnabled(bool enabled) {
    TFindForm& form = *FindForm;
    return form.ReplaceComboBox->Enabled() == enabled && form.Button2->Enabled() == enabled &&
           form.Button3->Enabled() == enabled && form.Label2->Enabled() == enabled;
  }
};

TEST_F(FindDialog, FindClosesOnTheFindTabUnlessPinned) {
  OpenWith("ab x ab x ab");
  Caret(1);
  TFindForm& form = Shown();
  EXPECT_EQ(form.Caption(), "検索と置換");
  EXPECT_EQ(form.HelpContext, 1203);
  Search("ab");
  Click(*form.Button1);
  EXPECT_EQ(View().SelStart(), 5);
  EXPECT_EQ(View().SelLength(), 2);
  EXPECT_FALSE(form.Visible()) << "found on the find tab";

  Shown();
  form.FindCloseButton->SetDown(true);
  Click(*form.Button1);
  EXPECT_EQ(View().SelStart(), 10);
  EXPECT_TRUE(form.Visible()) << "the pin keeps it open";
  Click(*form.Button1);
  EXPECT_EQ(View().SelStart(), 10);
  EXPECT_EQ(dialogs.beeps, 1);

  form.FindCloseButton->SetDown(false);
  ASSERT_TRUE(ChooseTab(1));
  form.UpSearchRadio->SetChecked(true);
  Click(*form.Button1);
  EXPECT_EQ(View().SelStart(), 5);
  EXPECT_TRUE(form.Visible()) << "the replace tab never closes";
  Click(*form.Button2);
  EXPECT_EQ(View().SelStart(), 0) << "replace with an empty box: the match deleted, then up";
  EXPECT_EQ(Body(), "ab x  x ab");
  EXPECT_TRUE(form.Visible());
}

TEST_F(FindDialog, CtrlTabTogglesTheTabsAndButtonOneFollowsTheText) {
  OpenWith("text");
  TFindForm& form = Shown();
  EXPECT_EQ(form.TabControl1->TabIndex(), 0);
  EXPECT_EQ(form.TabControl1->Tabs()[0], "検索");
  EXPECT_EQ(form.TabControl1->Tabs()[1], "置換");
  EXPECT_EQ(form.TabControl1->TabWidth(), 100);
  EXPECT_TRUE(ReplaceControlsEnabled(false));
  EXPECT_FALSE(form.Button1->Enabled()) << "no text yet";

  HWND edit = form.FindComboBox->EditHandle();
  uitest::PressKey(edit, VK_TAB, ssCtrl);
  EXPECT_EQ(form.TabControl1->TabIndex(), 1);
  EXPECT_TRUE(ReplaceControlsEnabled(true));
  EXPECT_TRUE(form.FindComboBox->Focused()) << "the key went to the tabs, not the focus";
  uitest::PressKey(edit, VK_TAB, ssCtrl);
  EXPECT_EQ(form.TabControl1->TabIndex(), 0);
  EXPECT_TRUE(ReplaceControlsEnabled(false));

  uitest::TypeChar(edit, 'x');
  EXPECT_EQ(form.FindComboBox->Text(), "x");
  EXPECT_TRUE(form.Button1->Enabled());
  uitest::PressKey(edit, VK_BACK);
  EXPECT_EQ(form.FindComboBox->Text(), "");
  EXPECT_FALSE(form.Button1->Enabled());
}

TEST_F(FindDialog, TypingRestartsTheIncrementalSearch) {
  OpenWith("alpha beta gamma");
  Select(6, 4);
  TFindForm& form = Shown();
  HWND edit = form.FindComboBox->EditHandle();
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 300u);
  uitest::TypeChar(edit, 'g');
  EXPECT_FALSE(form.Timer1->Enabled()) << "incremental search is off";

  form.IncCheck->SetChecked(true);
  uitest::TypeChar(edit, 'a');
  EXPECT_TRUE(form.Timer1->Enabled());
  form.Timer1Timer();
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(View().SelStart(), 11);
  EXPECT_EQ(View().SelLength(), 2);

  uitest::TypeChar(edit, 'z');
  EXPECT_TRUE(form.Timer1->Enabled());
  form.Timer1Timer();
  EXPECT_EQ(View().SelStart(), 6) << "the selection of the activation comes back";
  EXPECT_EQ(View().SelLength(), 4);
  EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(FindDialog, EditCommandsActOnTheFocusedCombo) {
  OpenWith("text");
  TFindForm& form = Shown();
  ASSERT_TRUE(uitest::EmptyTheClipboard());
  TComboBox& find = *form.FindComboBox;
  find.SetText("hello world");
  form.EditCommand(4);
  EXPECT_EQ(find.SelLength(), 11);
  SendMessageA(find.EditHandle(), EM_SETSEL, 6, 11);
  form.EditCommand(2);
  EXPECT_EQ(uitest::ClipboardText(), "world");
  form.EditCommand(1);
  EXPECT_EQ(find.Text(), "hello ");
  form.EditCommand(0);
  EXPECT_EQ(find.Text(), "hello world");
  form.EditCommand(5);
  EXPECT_EQ(find.Text(), "hello world") << "no such command";

  TComboBox& replace = *form.ReplaceComboBox;
  ASSERT_TRUE(ChooseTab(1));
  replace.SetFocus();
  ASSERT_TRUE(replace.Focused());
  form.EditCommand(3);
  EXPECT_EQ(replace.Text(), "world");
  EXPECT_EQ(find.Text(), "hello world");
  ASSERT_TRUE(uitest::EmptyTheClipboard());
  form.EditCommand(3);
  EXPECT_EQ(replace.Text(), "world") << "nothing to paste";
  replace.SetText("");
  form.EditCommand(2);
  EXPECT_EQ(uitest::ClipboardText(), std::nullopt) << "an empty box copies nothing";

  form.CaseCheck->SetFocus();
  find.SetText("keep");
  form.EditCommand(4);
  form.EditCommand(1);
  EXPECT_EQ(find.Text(), "keep") << "no combo box has the focus";
}

TEST_F(FindDialog, ReplaceAllWithAnEmptyReplacementKeepsItsBoxEmpty) {
  OpenWith("xaxAx");
  Caret(0);
  TFindForm& form = Shown();
  ASSERT_TRUE(ChooseTab(1));
  ReplaceWith("previous");
  Search("zz");
  Click(*form.Button3);
  EXPECT_EQ(Body(), "xaxAx");
  EXPECT_EQ(StatusMessage(), " 0 箇所を置換しました.");
  EXPECT_EQ(dialogs.beeps, 1) << "the search that ends it";
  ASSERT_EQ(Items(*form.ReplaceComboBox), std::vector<std::string>{"previous"});

  ReplaceWith("");
  Search("a");
  Click(*form.Button3);
  EXPECT_EQ(Body(), "xxx") << "case ignored, the matches deleted";
  EXPECT_EQ(StatusMessage(), " 2 箇所を置換しました.");
  EXPECT_EQ(form.ReplaceComboBox->Text(), "");
  EXPECT_EQ(form.ReplaceComboBox->ItemIndex(), -1);
  EXPECT_EQ(Items(*form.ReplaceComboBox), std::vector<std::string>{"previous"});
  EXPECT_EQ(Items(*form.FindComboBox), (std::vector<std::string>{"a", "zz"}));

  View().SetText("aa");
  View().SetReadOnly(true);
  Caret(0);
  ReplaceWith("b");
  Click(*form.Button3);
  EXPECT_EQ(Body(), "aa");
  EXPECT_EQ(StatusMessage(), " 0 箇所を置換しました.") << "a read-only view changes nothing";
}

TEST_F(FindDialog, ReplaceOnlyReplacesAMatchingSelection) {
  OpenWith("ｶﾞ-ガ-ガ");
  TFindForm& form = Shown();
  ASSERT_TRUE(ChooseTab(1));
  Search("ガ");
  ReplaceWith("k");
  Select(0, 2);
  Click(*form.Button2);
  EXPECT_EQ(Body(), "ｶﾞ-ガ-ガ") << "half-width differs without the width option";
  EXPECT_EQ(View().SelStart(), 3);
  EXPECT_EQ(View().SelLength(), 2);
  form.NoZenCheck->SetChecked(true);
  Select(0, 2);
  Click(*form.Button2);
  EXPECT_EQ(Body(), "k-ガ-ガ");
  EXPECT_EQ(View().SelStart(), 2);
  EXPECT_EQ(View().SelLength(), 2);
  EXPECT_EQ(Items(*form.ReplaceComboBox), std::vector<std::string>{"k"});
}

TEST_F(FindDialog, HistoriesAndOptionsSurviveTheForm) {
  OpenWith("a b c");
  TFindForm& form = Shown();
  for (const char* text : {"a", "b", "a"}) {
    Caret(0);
    Search(text);
    form.Button1Click();
  }
  EXPECT_FALSE(form.Visible()) << "the first find closed it";
  EXPECT_EQ(Items(*form.FindComboBox), (std::vector<std::string>{"a", "b"}))
      << "most recent first, once each";
  for (int i = 0; i < 20; ++i)
    form.FindComboBox->Items().Add("old" + std::to_string(i));
  form.ReplaceComboBox->Items().Add("r");
  form.CaseCheck->SetChecked(true);
  form.NoZenCheck->SetChecked(true);
  form.UpSearchRadio->SetChecked(true);
  form.FindCloseButton->SetDown(true);
  form.TabControl1->SetTabIndex(1);
  Search("typed");
  form.Free();
  ASSERT_EQ(FindForm, nullptr);

  TStringList stored;
  ASSERT_TRUE(RegReadStrings(res::RegSectionFindReplace, "FindComboBox_List", stored));
  EXPECT_EQ(stored.Count(), 16);
  EXPECT_EQ(stored[0], "a");
  EXPECT_EQ(RegReadInteger(res::RegSectionFindReplace, "Page", 0), 1);
  EXPECT_NE(RegReadString(res::RegSectionFindReplace, "FindForm", ""), "");

  TFindForm& again = EnsureFindForm();
  EXPECT_EQ(again.TabControl1->TabIndex(), 1);
  EXPECT_EQ(again.FindComboBox->Items().Count(), 16);
  EXPECT_EQ(again.FindComboBox->Text(), "typed");
  EXPECT_EQ(Items(*again.ReplaceComboBox), std::vector<std::string>{"r"});
  EXPECT_TRUE(again.CaseCheck->Checked());
  EXPECT_FALSE(again.WordCheck->Checked());
  EXPECT_TRUE(again.NoZenCheck->Checked());
  EXPECT_FALSE(again.IncCheck->Checked());
  EXPECT_TRUE(again.UpSearchRadio->Checked());
  EXPECT_FALSE(again.DownSearchRadio->Checked());
  EXPECT_TRUE(again.FindCloseButton->Down());
  EXPECT_EQ(again.FindCloseButton->Hint(), "検索後ウィンドウを閉じない|");
}

} // namespace
