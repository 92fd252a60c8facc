// The way of a key: MDI system keys, menu shortcuts, the form's dialog keys, KeyPreview and the
// control's own key events, and unclaimed characters as mnemonics.
#include "FormFixture.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Panels.h"

#include <gtest/gtest.h>

using namespace quolin;
using uitest::PressKey;
using uitest::TypeChar;

namespace {

// A control that claims the keys its dialog code names.
class TKeyTaker : public TCustomControl {
public:
  LRESULT DialogCode = 0;

protected:
  explicit TKeyTaker(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_GETDLGCODE) {
      message.Result = DialogCode;
      return;
    }
    TCustomControl::WndProc(message);
  }
};

// A form that keeps Tab for itself.
class TTabKeeper : public TForm {
public:
  int tabs = 0;

protected:
  using TForm::TForm;
  bool DialogKey(WORD key, TShiftState shift) override {
    if (key == VK_TAB) {
      ++tabs;
      return true;
    }
    return TForm::DialogKey(key, shift);
  }
};

// Presses the key in the focused window; the window with the focus after it.
HWND FocusAfter(WORD key, TShiftState shift = 0) {
  PressKey(GetFocus(), key, shift);
  return GetFocus();
}

template <typename T> T* Add(TForm& form, TControl* parent, const char* name, int top) {
  T* control = uitest::AddTo<T>(form, name, parent);
  control->SetTop(top);
  return control;
}

TMenuItem* AddItem(TMenu& menu, const char* name, TShortCut shortCut, int& clicks) {
  auto* item = TComponent::Create<TMenuItem>(menu.Owner(), name);
  item->SetCaption(name);
  item->SetShortCut(shortCut);
  item->OnClick = [&clicks](TObject*) { ++clicks; };
  menu.Items()->Add(item);
  return item;
}

// A shown form with two edits, a disabled edit and default, cancel and plain buttons.
struct DialogForm {
  TOwned<TForm> form = uitest::MakeForm();
  TEdit* first = Add<TEdit>(*form, nullptr, "First", 0);
  TEdit* second = Add<TEdit>(*form, nullptr, "Second", 30);
  TEdit* disabled = Add<TEdit>(*form, nullptr, "Disabled", 60);
  TButton* ok = Add<TButton>(*form, nullptr, "OK", 90);
  TButton* cancel = Add<TButton>(*form, nullptr, "Cancel", 120);
  TButton* other = Add<TButton>(*form, nullptr, "Other", 150);
  int okClicks = 0;
  int cancelClicks = 0;
  int otherClicks = 0;

  DialogForm() {
    disabled->SetEnabled(false);
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    other->SetCaption("O&ther");
    ok->OnClick = [this](TObject*) { ++okClicks; };
    cancel->OnClick = [this](TObject*) { ++cancelClicks; };
    other->OnClick = [this](TObject*) { ++otherClicks; };
    form->Show();
    first->SetFocus();
    uitest::Pump();
  }
};

TEST(UiKeys, PopupShortcutComesBeforeOnKeyDown) {
  DialogForm dialog;
  TForm& form = *dialog.form;
  auto* popup = TComponent::Create<TPopupMenu>(&form, "EditPopup");
  int cuts = 0;
  TMenuItem* cut = AddItem(*popup, "Cut", ShortCut('X', ssCtrl), cuts);
  TObject* sender = nullptr;
  cut->OnClick = [&](TObject* item) {
    sender = item;
    ++cuts;
  };
  dialog.first->SetPopupMenu(popup);
  int keyDowns = 0;
  dialog.first->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };

  PressKey(dialog.first->Handle(), 'X', ssCtrl);
  EXPECT_EQ(cuts, 1);
  EXPECT_EQ(sender, cut);
  EXPECT_EQ(keyDowns, 0);
  PressKey(dialog.first->Handle(), 'Y', ssCtrl);
  EXPECT_EQ(keyDowns, 1) << "a key without a shortcut reaches the control";
  cut->SetEnabled(false);
  PressKey(dialog.first->Handle(), 'X', ssCtrl);
  EXPECT_EQ(cuts, 1);
  EXPECT_EQ(keyDowns, 2) << "a disabled item does not take its key";
}

TEST(UiKeys, ShortcutsOfParentsPopupsAndOfTheFormsMenu) {
  auto form = uitest::MakeForm();
  auto* panel = Add<TPanel>(*form, nullptr, "Panel", 0);
  auto* edit = Add<TEdit>(*form, panel, "Edit", 0);
  auto* popup = TComponent::Create<TPopupMenu>(form.get(), "PanelPopup");
  int panelClicks = 0;
  AddItem(*popup, "PanelCommand", ShortCut('P', ssCtrl), panelClicks);
  panel->SetPopupMenu(popup);
  auto* menu = TComponent::Create<TMainMenu>(form.get(), "MainMenu1");
  auto* file = TComponent::Create<TMenuItem>(form.get(), "File");
  file->SetCaption("&File");
  menu->Items()->Add(file);
  int findClicks = 0;
  auto* find = TComponent::Create<TMenuItem>(form.get(), "FindNext");
  find->SetShortCut(ShortCut(VK_F3, 0));
  find->OnClick = [&](TObject*) { ++findClicks; };
  file->Add(find);
  find->SetVisible(false); // hidden items keep their shortcuts
  form->SetMenu(menu);
  form->Show();
  edit->SetFocus();
  uitest::Pump();

  PressKey(edit->Handle(), 'P', ssCtrl);
  EXPECT_EQ(panelClicks, 1);
  PressKey(edit->Handle(), VK_F3);
  EXPECT_EQ(findClicks, 1);
}

TEST(UiKeys, MdiChildUsesItsFramesMenuShortcuts) {
  auto frame = uitest::MakeForm();
  frame->SetFormStyle(TFormStyle::fsMDIForm);
  auto* menu = TComponent::Create<TMainMenu>(frame.get(), "MainMenu1");
  int news = 0;
  AddItem(*menu, "New", ShortCut('N', ssCtrl), news);
  frame->SetMenu(menu);
  frame->Show();
  TForm* child = TComponent::Create<TForm>(frame.get(), "Child");
  child->SetFormStyle(TFormStyle::fsMDIChild);
  child->Show();
  auto* edit = Add<TEdit>(*child, nullptr, "Edit", 0);
  edit->SetFocus();
  uitest::Pump();
  PressKey(edit->Handle(), 'N', ssCtrl);
  EXPECT_EQ(news, 1);
}

TEST(UiKeys, EnterClicksDefaultOrFocusedButtonAndEscapeTheCancelButton) {
  DialogForm dialog;
  PressKey(dialog.first->Handle(), VK_RETURN);
  EXPECT_EQ(dialog.okClicks, 1);
  PressKey(dialog.first->Handle(), VK_ESCAPE);
  EXPECT_EQ(dialog.cancelClicks, 1);
  dialog.other->SetFocus();
  PressKey(dialog.other->Handle(), VK_RETURN);
  EXPECT_EQ(dialog.otherClicks, 1);
  EXPECT_EQ(dialog.okClicks, 1);

  auto* taker = Add<TKeyTaker>(*dialog.form, nullptr, "Taker", 180);
  taker->DialogCode = DLGC_WANTALLKEYS;
  WORD seen = 0;
  taker->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen = key; };
  taker->SetFocus();
  PressKey(taker->Handle(), VK_RETURN);
  EXPECT_EQ(seen, VK_RETURN) << "a control that claims Enter gets it";
  EXPECT_EQ(dialog.okClicks, 1);
}

TEST(UiKeys, TabMovesTheFocusInTabOrderSkippingWhatCannotHaveIt) {
  DialogForm dialog;
  EXPECT_EQ(FocusAfter(VK_TAB), dialog.second->Handle());
  EXPECT_EQ(FocusAfter(VK_TAB), dialog.ok->Handle()) << "the disabled edit is skipped";
  EXPECT_EQ(FocusAfter(VK_TAB, ssShift), dialog.second->Handle());
  dialog.other->SetTabOrder(0);
  dialog.other->SetFocus();
  EXPECT_EQ(FocusAfter(VK_TAB, ssShift), dialog.cancel->Handle()) << "wraps around to the last";
  dialog.ok->SetTabStop(false);
  dialog.second->SetFocus();
  EXPECT_EQ(FocusAfter(VK_TAB), dialog.cancel->Handle());
}

TEST(UiKeys, ControlOrFormWantingTabKeepsItAndArrowsMoveAmongSiblings) {
  DialogForm dialog;
  auto* taker = Add<TKeyTaker>(*dialog.form, nullptr, "Taker", 180);
  taker->DialogCode = DLGC_WANTTAB;
  int tabs = 0;
  taker->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { tabs += key == VK_TAB; };
  taker->SetFocus();
  EXPECT_EQ(FocusAfter(VK_TAB), taker->Handle());
  EXPECT_EQ(tabs, 1);

  auto* group = Add<TPanel>(*dialog.form, nullptr, "Group", 210);
  auto* radio1 = Add<TRadioButton>(*dialog.form, group, "Radio1", 0);
  auto* radio2 = Add<TRadioButton>(*dialog.form, group, "Radio2", 20);
  radio1->SetChecked(true);
  radio1->SetFocus();
  EXPECT_EQ(FocusAfter(VK_DOWN), radio2->Handle());
  EXPECT_TRUE(radio2->Checked());
  EXPECT_FALSE(radio1->Checked());
  EXPECT_EQ(FocusAfter(VK_DOWN), radio1->Handle()) << "arrows go round within the parent";

  // A form whose DialogKey takes Tab keeps it.
  auto keeper = uitest::MakeForm<TTabKeeper>();
  auto* first = Add<TEdit>(*keeper, nullptr, "First", 0);
  Add<TEdit>(*keeper, nullptr, "Second", 30);
  keeper->Show();
  first->SetFocus();
  EXPECT_EQ(FocusAfter(VK_TAB), first->Handle());
  EXPECT_EQ(keeper->tabs, 1);
}

TEST(UiKeys, MnemonicsGoToDialogCharUnlessTheControlWantsCharacters) {
  DialogForm dialog;
  auto* check = Add<TCheckBox>(*dialog.form, nullptr, "Check", 180);
  check->SetCaption("&Check");
  TypeChar(dialog.first->Handle(), 'c', true);
  EXPECT_TRUE(check->Checked()) << "Alt+C";
  TypeChar(dialog.first->Handle(), 't');
  EXPECT_EQ(dialog.otherClicks, 0) << "an edit wants its characters";
  EXPECT_EQ(dialog.first->Text(), "t");
  dialog.cancel->SetFocus();
  TypeChar(dialog.cancel->Handle(), 'T');
  EXPECT_EQ(dialog.otherClicks, 1) << "a button does not want characters";
  TypeChar(dialog.cancel->Handle(), 'o');
  EXPECT_EQ(dialog.okClicks, 1);
}

TEST(UiKeys, KeyPreviewSeesKeysFirstAndAZeroedKeyIsSwallowed) {
  DialogForm dialog;
  std::vector<std::string> order;
  dialog.form->KeyPreview = true;
  dialog.form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    order.push_back("form");
    if (key == 'A')
      key = 0;
  };
  dialog.first->OnKeyDown = [&](TObject*, WORD&, TShiftState) { order.push_back("edit"); };
  dialog.first->OnKeyPress = [&](TObject*, char& key) {
    if (key == 'b')
      key = 0;
  };
  PressKey(dialog.first->Handle(), 'A');
  PressKey(dialog.first->Handle(), 'B');
  EXPECT_EQ(order, (std::vector<std::string>{"form", "form", "edit"}));
  dialog.first->SetText("");
  TypeChar(dialog.first->Handle(), 'b');
  TypeChar(dialog.first->Handle(), 'c');
  EXPECT_EQ(dialog.first->Text(), "c");
}

TEST(UiKeys, F1AsksForTheHelpContextOfTheNearestControl) {
  DialogForm dialog;
  dialog.form->HelpContext = 1210;
  auto* events = TComponent::Create<TApplicationEvents>(dialog.form.get(), "Events");
  int context = 0;
  events->OnHelp = [&](int command, int data, bool& callHelp) {
    EXPECT_EQ(command, HELP_CONTEXT);
    context = data;
    callHelp = false;
    return true;
  };
  PressKey(dialog.first->Handle(), VK_F1);
  EXPECT_EQ(context, 1210);
  dialog.first->HelpContext = 1214;
  PressKey(dialog.first->Handle(), VK_F1);
  EXPECT_EQ(context, 1214);
}

} // namespace
