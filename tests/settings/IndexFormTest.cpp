// The index entry dialog over the main window with real documents, opened and driven through
// the command router. Readings are injected: Wine's input method delivers none.
#include "app/MainWindowFixture.h"
#include "common/Registry.h"
#include "core/ResConst.h"
#include "settings/IndexUnit.h"
#include "support/FormDriver.h"
#include "ui/Buttons.h"
#include "ui/Clipboard.h"
#include "ui/Edits.h"
#include "ui/SKJSyllabary.h"

#include <imm.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;
using uitest::FormDriver;
using uitest::PressKey;

constexpr char IndexWord[] = "$Sys_EditIndexDialog";

class IndexForm : public MainWindowFixture {
protected:
  void SetUp() override { ShowMainWindow(); }

  TDocForm* Open(const std::string& name, const std::string& text) {
    std::string path = files / name;
    TempFolder::WriteFile(path, text);
    EXPECT_TRUE(OpenDocument(path, "", false, -1, false, true));
    return FindDocByFileName(path);
  }
  static TIndexForm& Toggle(int id = 0) {
    ExecuteCommand(nullptr, IndexWord, id);
    uitest::Pump();
    return *quolin::IndexForm;
  }
  // The dialog shown and active, mode and type chosen.
  TIndexForm& Shown(int mode = 0) {
    TIndexForm& form = Toggle();
    form.Combo_KanaAuto->SetItemIndex(mode);
    FormDriver::Notify(*form.Combo_KanaAuto, CBN_SELCHANGE);
    EXPECT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form.Handle(); }));
    return form;
  }
  static std::vector<std::string> Entries(TIndexForm& form) {
    std::vector<std::string> entries;
    for (int i = 0; i < form.ListBox1->Items().Count(); ++i)
      entries.push_back(form.ListBox1->Items()[i]);
    return entries;
  }
  static bool HasFocus(TControl& control) { return GetFocus() == control.Handle(); }
  static std::string DocText(TDocForm* doc) { return doc->Editor1->Lines().Text(); }
};

TEST_F(IndexForm, WordTogglesTheDialogAndItsCheck) {
  top->MasterList.Clear();
  top->MasterList.Add(MasterLine(9, std::string(IndexWord) + "(\\see{$S},\\see{$S})"));
  auto* item = TComponent::Create<TMenuItem>(top, "mn0_0000000910001");
  item->OnClick = [this](TObject* sender) { top->mn_DefaultClick(sender); };
  top->MainMenu1->Items()->Add(item);
  item->Click();
  uitest::Pump();
  ASSERT_NE(quolin::IndexForm, nullptr);
  EXPECT_TRUE(quolin::IndexForm->Visible());
  EXPECT_EQ(quolin::IndexForm->Caption(), "インデックス挿入/参照");
  EXPECT_EQ(quolin::IndexForm->HelpContext, 1206);
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(quolin::IndexForm->Syntax.InsertTemplate, "\\see{$S}");
  item->Click();
  uitest::Pump();
  EXPECT_FALSE(quolin::IndexForm->Visible());
  EXPECT_FALSE(item->Checked());
  Toggle(9);
  EXPECT_TRUE(quolin::IndexForm->Visible()) << "made once, shown again";
  EXPECT_TRUE(item->Checked());
  FormDriver::Click(*quolin::IndexForm->Button2);
  uitest::Pump();
  EXPECT_FALSE(quolin::IndexForm->Visible());
  EXPECT_FALSE(item->Checked());
}

TEST_F(IndexForm, MasterOfTheIdGivesTheSyntax) {
  top->MasterList.Clear();
  top->MasterList.Add(MasterLine(12, "$sys_editindexdialog(\"\\idx{$S}\",\"\\idx[$S]\",#)"));
  TIndexForm& form = Toggle(-12);
  EXPECT_EQ(form.Syntax.ScanTemplate, "\\idx{$S}") << "a negative id finds its master";
  EXPECT_EQ(form.Syntax.InsertTemplate, "\\idx[$S]");
  EXPECT_EQ(form.Syntax.ReadingMark, "#");
  EXPECT_EQ(form.Syntax.SubEntryMark, "!");
  Toggle();
  Toggle(0);
  EXPECT_EQ(form.Syntax.InsertTemplate, "\\idx[$S]") << "id 0 keeps the syntax";
  Toggle();
  Toggle(77);
  EXPECT_EQ(form.Syntax.InsertTemplate, "\\idx[$S]") << "a missing master keeps it";
  Toggle();
  Toggle(12);
  EXPECT_EQ(form.Syntax.ReadingMark, "#");
}

TEST_F(IndexForm, ListFollowsTheChosenDocumentAndOpenAndClose) {
  TDocForm* first = Open("a.tex", "\\index{あ}\r\n% \\index{comment}\r\n\\index{b}x\\index{あ}\r\n"
                                  "y % \\index{late}\r\n\\index{マ}\r\n");
  TIndexForm& form = Toggle();
  EXPECT_EQ(form.Combo_Doc->Text(), files / "a.tex");
  EXPECT_EQ(Entries(form), (std::vector<std::string>{"あ", "b", "あ", "マ"}));
  TDocForm* second = Open("b.tex", "\\index{z}\r\n");
  EXPECT_EQ(form.Combo_Doc->Items().Count(), 2) << "refreshed on open";
  EXPECT_EQ(form.Combo_Doc->Text(), files / "a.tex") << "the chosen document kept";
  form.Combo_Doc->SetItemIndex(form.Combo_Doc->Items().IndexOf(files / "b.tex"));
  FormDriver::Notify(*form.Combo_Doc, CBN_SELCHANGE);
  EXPECT_EQ(Entries(form), std::vector<std::string>{"z"});
  second->Editor1->Lines().Add("\\index{w}");
  EXPECT_EQ(Entries(form).size(), 1u);
  FormDriver::Click(*form.Button3);
  EXPECT_EQ(Entries(form), (std::vector<std::string>{"z", "w"}));
  second->Close();
  uitest::Pump();
  EXPECT_EQ(form.Combo_Doc->Items().Count(), 1) << "refreshed on close, without the closed one";
  EXPECT_EQ(Entries(form), (std::vector<std::string>{"あ", "b", "あ", "マ"}));
  first->Close();
  uitest::Pump();
  EXPECT_EQ(form.Combo_Doc->Items().Count(), 0);
  EXPECT_TRUE(Entries(form).empty());
}

TEST_F(IndexForm, InsertGoesThroughTheRouter) {
  TDocForm* doc = Open("a.tex", "");
  TIndexForm& form = Toggle();
  form.Edit_Yomi->SetText("てすと");
  form.Edit_Name->SetText("テスト");
  FormDriver::Click(*form.Button1);
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "\\index{てすと@テスト}");
  EXPECT_EQ(DocText(doc), "\\index{てすと@テスト}");
  EXPECT_EQ(form.Edit_Yomi->Text(), "");
  EXPECT_EQ(form.Edit_Name->Text(), "");
  EXPECT_EQ(Entries(form), std::vector<std::string>{"てすと@テスト"}) << "the list refreshed";

  // A sub-entry of the selected entry, with "$" kept literally.
  form.Radio_Add->SetChecked(true);
  form.ListBox1->SetItemIndex(0);
  form.Edit_Name->SetText("$_i$");
  FormDriver::Click(*form.Button1);
  EXPECT_EQ(DocText(doc), "\\index{てすと@テスト}\\index{てすと@テスト!---$_i$}");
  // A reference without a selection and an empty entry insert nothing.
  form.Radio_Ref->SetChecked(true);
  form.Edit_Name->SetText("x");
  size_t calls = commands.calls.size();
  FormDriver::Click(*form.Button1);
  form.Radio_New->SetChecked(true);
  form.Edit_Name->SetText("");
  FormDriver::Click(*form.Button1);
  EXPECT_EQ(commands.calls.size(), calls);
  EXPECT_EQ(form.Edit_Name->Text(), "");
}

TEST_F(IndexForm, CorrectedReadingShowsInTheEdit) {
  TDocForm* doc = Open("a.tex", "");
  TIndexForm& form = Toggle();
  form.Combo_TyouConv->SetItemIndex(1);
  form.Edit_Yomi->SetText("ﾊﾟｰﾃｨｰ");
  form.Radio_Ref->SetChecked(true); // nothing selected: nothing inserted
  FormDriver::Click(*form.Button1);
  EXPECT_EQ(form.Edit_Yomi->Text(), "はあていい");
  form.Combo_TyouConv->SetItemIndex(2);
  form.Edit_Yomi->SetText("パーティー");
  form.Radio_New->SetChecked(true);
  FormDriver::Click(*form.Button1);
  EXPECT_EQ(DocText(doc), "\\index{はてい}");
}

TEST_F(IndexForm, InsertWithoutDocumentDoesNothing) {
  TIndexForm& form = Toggle();
  form.Edit_Name->SetText("x");
  size_t calls = commands.calls.size();
  FormDriver::Click(*form.Button1);
  EXPECT_EQ(commands.calls.size(), calls);
  EXPECT_EQ(form.Edit_Name->Text(), "x");
}

TEST_F(IndexForm, EnterMovesOnByMode) {
  TIndexForm& form = Shown(0);
  form.Edit_Yomi->SetText("よ");
  form.Edit_Name->SetText("n");
  form.Edit_Yomi->SetFocus();
  PressKey(form.Edit_Yomi->Handle(), VK_RETURN);
  EXPECT_TRUE(HasFocus(*form.Button1)) << "mode 0 from the reading";
  form.Edit_Name->SetFocus();
  PressKey(form.Edit_Name->Handle(), VK_RETURN);
  EXPECT_TRUE(HasFocus(*form.Button1)) << "mode 0 from the word";
  EXPECT_EQ(commands.calls.size(), 1u) << "Enter never clicked the insert button";

  form.Combo_KanaAuto->SetItemIndex(1);
  form.Edit_Yomi->SetFocus();
  PressKey(form.Edit_Yomi->Handle(), VK_RETURN);
  EXPECT_TRUE(HasFocus(*form.Edit_Name)) << "mode 1: to the word";
  PressKey(form.Edit_Name->Handle(), VK_RETURN);
  EXPECT_TRUE(HasFocus(*form.Button1));

  form.Combo_KanaAuto->SetItemIndex(2);
  form.Edit_Name->SetFocus();
  PressKey(form.Edit_Name->Handle(), VK_RETURN);
  EXPECT_TRUE(HasFocus(*form.Edit_Yomi)) << "mode 2: to the reading";
  PressKey(form.Edit_Yomi->Handle(), VK_RETURN);
  EXPECT_TRUE(HasFocus(*form.Button1));
  EXPECT_EQ(form.Edit_Yomi->Text(), "よ");
  EXPECT_EQ(form.Edit_Name->Text(), "n");
}

TEST_F(IndexForm, BackspaceInAnEmptyEditClearsTheOther) {
  TIndexForm& form = Shown(0);
  auto backspace = [](TEdit& edit) {
    edit.SetFocus();
    PressKey(edit.Handle(), VK_END);
    PressKey(edit.Handle(), VK_BACK);
  };
  form.Edit_Yomi->SetText("よみ");
  form.Edit_Name->SetText("n");
  backspace(*form.Edit_Yomi);
  EXPECT_EQ(form.Edit_Yomi->Text(), "よ") << "not empty: an ordinary Backspace";
  EXPECT_EQ(form.Edit_Name->Text(), "n");
  form.Edit_Yomi->SetText("");
  backspace(*form.Edit_Yomi);
  EXPECT_EQ(form.Edit_Name->Text(), "");
  EXPECT_TRUE(HasFocus(*form.Edit_Yomi)) << "mode 0 keeps the focus";

  form.Edit_Yomi->SetText("y");
  backspace(*form.Edit_Name);
  EXPECT_EQ(form.Edit_Yomi->Text(), "");
  EXPECT_TRUE(HasFocus(*form.Edit_Name));

  form.Combo_KanaAuto->SetItemIndex(1);
  form.Edit_Yomi->SetText("y");
  backspace(*form.Edit_Name);
  EXPECT_EQ(form.Edit_Yomi->Text(), "");
  EXPECT_TRUE(HasFocus(*form.Edit_Yomi)) << "mode 1: the reading takes the focus";

  form.Combo_KanaAuto->SetItemIndex(2);
  form.Edit_Name->SetText("n");
  backspace(*form.Edit_Yomi);
  EXPECT_EQ(form.Edit_Name->Text(), "");
  EXPECT_TRUE(HasFocus(*form.Edit_Name)) << "mode 2: the word takes the focus";
  EXPECT_EQ(form.Edit_Yomi->Text(), "") << "the Backspace character reached neither edit";
}

TEST_F(IndexForm, ModeSetsTheTabOrder) {
  TIndexForm& form = Shown(2);
  EXPECT_EQ(form.Edit_Name->TabOrder(), 0);
  EXPECT_TRUE(HasFocus(*form.Edit_Name));
  form.Combo_KanaAuto->SetItemIndex(1);
  FormDriver::Notify(*form.Combo_KanaAuto, CBN_SELCHANGE);
  EXPECT_EQ(form.Edit_Yomi->TabOrder(), 0);
  EXPECT_EQ(form.Edit_Name->TabOrder(), 1);
  EXPECT_TRUE(HasFocus(*form.Edit_Yomi));
  PressKey(form.Edit_Yomi->Handle(), VK_TAB);
  EXPECT_TRUE(HasFocus(*form.Edit_Name));
  Toggle();
  form.Combo_KanaAuto->SetItemIndex(2);
  Toggle();
  EXPECT_EQ(form.Edit_Name->TabOrder(), 0) << "showing applies the mode";
}

class InjectedReading {
public:
  explicit InjectedReading(std::string reading)
      : previous_(SetResultReadingReader([reading](HWND) { return reading; })) {}
  ~InjectedReading() { SetResultReadingReader(previous_); }

private:
  TResultReadingReader previous_;
};

TEST_F(IndexForm, ReadingOfTheWordReplacesTheReadingSelection) {
  TIndexForm& form = Shown(2);
  form.Edit_Yomi->SetText("表示あう");
  // The selection made by keys: the edit's own positions count characters under Wine.
  form.Edit_Yomi->SetFocus();
  PressKey(form.Edit_Yomi->Handle(), VK_END);
  PressKey(form.Edit_Yomi->Handle(), VK_LEFT);
  PressKey(form.Edit_Yomi->Handle(), VK_LEFT, ssShift);
  auto compose = [&] {
    SendMessageA(form.Edit_Name->Handle(), WM_IME_COMPOSITION, 0,
                 GCS_RESULTSTR | GCS_RESULTREADSTR);
  };
  {
    InjectedReading reading("ﾃｽﾄ");
    compose();
  }
  EXPECT_EQ(form.Edit_Yomi->Text(), "表示てすとう");
  {
    InjectedReading reading("");
    compose();
  }
  EXPECT_EQ(form.Edit_Yomi->Text(), "表示てすとう") << "an empty reading changes nothing";
  form.Edit_Yomi->SelectAll();
  {
    InjectedReading reading("");
    compose();
  }
  EXPECT_EQ(form.Edit_Yomi->Text(), "表示てすとう") << "not even a selection";
  form.Combo_KanaAuto->SetItemIndex(0);
  {
    InjectedReading reading("か");
    compose();
  }
  EXPECT_EQ(form.Edit_Yomi->Text(), "表示てすとう") << "other modes ignore readings";
}

TEST_F(IndexForm, ReadingBecomesTheWordsComposition) {
  TIndexForm& form = Shown(1);
  auto composition = [&] {
    HIMC context = ImmGetContext(form.Edit_Name->Handle());
    char buffer[64] = {};
    LONG size = ImmGetCompositionStringA(context, GCS_COMPSTR, buffer, sizeof buffer);
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(form.Edit_Name->Handle(), context);
    return std::string(buffer, static_cast<size_t>(std::max<LONG>(size, 0)));
  };
  form.Edit_Yomi->SetText(" てすとヴ ");
  form.Edit_Yomi->SetFocus();
  form.Edit_Name->SetFocus();
  EXPECT_EQ(composition(), "ﾃｽﾄｳﾞ");
  form.Edit_Name->SetText("w");
  form.Edit_Yomi->SetFocus();
  form.Edit_Name->SetFocus();
  EXPECT_EQ(composition(), "") << "the word is not empty";
  form.Edit_Name->SetText("");
  form.Edit_Yomi->SetText("  ");
  form.Edit_Yomi->SetFocus();
  form.Edit_Name->SetFocus();
  EXPECT_EQ(composition(), "") << "a blank reading";
}

TEST_F(IndexForm, EditCommandsReachTheFocusedEdit) {
  TIndexForm& form = Shown(0);
  ASSERT_EQ(Screen->ActiveForm(), &form);
  form.Edit_Yomi->SetText("abc");
  form.Edit_Yomi->SetFocus();
  auto run = [](const char* word) { ExecuteCommand(nullptr, word, 0); };
  run("$Sys_EditSelectAll");
  EXPECT_EQ(form.Edit_Yomi->SelLength(), 3);
  run("$Sys_EditCopy");
  EXPECT_EQ(GetClipboardText(), "abc");
  run("$Sys_EditCut");
  EXPECT_EQ(form.Edit_Yomi->Text(), "");
  form.Edit_Name->SetFocus();
  run("$Sys_EditPaste");
  EXPECT_EQ(form.Edit_Name->Text(), "abc");
  run("$Sys_EditUndo");
  EXPECT_EQ(form.Edit_Name->Text(), "");
  EXPECT_EQ(form.Edit_Yomi->Text(), "") << "only the focused edit";
  form.Edit_Name->SetText("xy");
  form.EditCommand(5);
  form.EditCommand(-1);
  EXPECT_EQ(form.Edit_Name->SelLength(), 0) << "other numbers do nothing";
  form.Edit_Name->SelectAll();
  form.Button1->SetFocus();
  EXPECT_FALSE(form.RunEditCommand(ecCut)) << "no edit has the focus";
  EXPECT_EQ(form.Edit_Name->Text(), "xy");
}

TEST_F(IndexForm, StoredStates) {
  RegWriteInteger(res::RegSectionIndexForm, "InsertType", 2);
  RegWriteInteger(res::RegSectionIndexForm, "KanaAuto", 3);
  RegWriteInteger(res::RegSectionIndexForm, "LongConv", 3);
  TIndexForm& form = Toggle();
  EXPECT_TRUE(form.Radio_Add->Checked());
  EXPECT_EQ(form.Combo_KanaAuto->ItemIndex(), 0) << "outside 0-2";
  EXPECT_EQ(form.Combo_TyouConv->ItemIndex(), 3);
  form.Combo_KanaAuto->SetItemIndex(2);
  form.Radio_Ref->SetChecked(true);
  form.Free();
  EXPECT_EQ(quolin::IndexForm, nullptr);
  EXPECT_EQ(RegReadInteger(res::RegSectionIndexForm, "InsertType", -1), 1);
  EXPECT_EQ(RegReadInteger(res::RegSectionIndexForm, "KanaAuto", -1), 2);
  EXPECT_EQ(RegReadInteger(res::RegSectionIndexForm, "LongConv", -1), 3);
  EXPECT_NE(RegReadString(res::RegSectionIndexForm, "IndexForm", ""), "");

  RegWriteInteger(res::RegSectionIndexForm, "InsertType", 7);
  RegWriteInteger(res::RegSectionIndexForm, "LongConv", 4);
  TIndexForm& again = Toggle();
  EXPECT_TRUE(again.Radio_New->Checked());
  EXPECT_EQ(again.Combo_TyouConv->ItemIndex(), 0) << "outside 0-3";
  EXPECT_EQ(again.Combo_KanaAuto->ItemIndex(), 2);
}

} // namespace
