// The record dialog of the master and group editor, shown over the real main window: how the
// fields are filled and stored, the name's copies, group mode, the short-cut, the command
// editor's keys, texts and reserved words, the page hints and the image stepper.
#include "MasterEditorFixture.h"
#include "commands/SetDataAddUnit.h"
#include "core/CommandExpander.h"
#include "core/ResConst.h"
#include "support/FormDriver.h"
#include "toolbar/TbControls.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class RecordDialog : public MasterEditorFixture {
protected:
  TOwned<TSetDataAddForm> form;
  TStringList words;

  void TearDown() override {
    form.reset();
    MasterEditorFixture::TearDown();
  }
  void Open(const TQuolin_CmdList& record, TDataAddMode mode, bool isGroup = false) {
    form.reset();
    form.reset(TComponent::Create<TSetDataAddForm>(Application, "SetDataAddForm"));
    form->SetReserveWords(&words);
    form->Fill(record, mode, isGroup);
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
  }
  TQuolin_CmdList Stored(TQuolin_CmdList record = {}) {
    form->Store(record);
    return record;
  }
  // The command as it would be stored, before its line breaks become "$Ret".
  std::string Command() {
    return DecodeCommandForEdit(Stored().Command, "\r\n");
  }
  void TypeIntoCommand(const std::string& text) {
    form->Memo_Command->SetFocus();
    for (char character : text)
      uitest::TypeChar(form->Memo_Command->Handle(), character);
  }
};

TEST_F(RecordDialog, ControlCharactersShowAndStoreAgain) {
  TQuolin_CmdList record = Record(3, "tab", "a$Tabb$Retc$_d$Rtn");
  record.ImageText = "kept";
  Open(record, TDataAddMode::dmEdit);
  EXPECT_EQ(Command(), "a\tb\r\nc$_d$Rtn");
  EXPECT_EQ(form->Caption(), "マスタ編集");
  TQuolin_CmdList stored = Stored(record);
  EXPECT_EQ(stored.Command, "a$Tabb$Retc$_d$Rtn");
  EXPECT_EQ(stored.ImageText, "kept");
  EXPECT_EQ(stored.Id, 3);
  // A command that ends in a line break keeps it.
  Open(Record(3, "ret", "x$Ret"), TDataAddMode::dmEdit);
  EXPECT_EQ(Stored().Command, "x$Ret");
  Open(Record(3, "ret", "x$Ret$Ret"), TDataAddMode::dmEdit);
  EXPECT_EQ(Stored().Command, "x$Ret$Ret");
}

TEST_F(RecordDialog, AddClearsAndShowListNeedsKeywordAndCommand) {
  TQuolin_CmdList record = Record(3, "old", "\\old");
  record.ImgIndex = 5;
  record.VisibleType = 4;
  record.ShortCut = scCtrl | 'S';
  Open(record, TDataAddMode::dmAdd);
  EXPECT_EQ(form->Caption(), "マスタ追加");
  EXPECT_EQ(form->Edit_Caption->Text(), "");
  EXPECT_EQ(Command(), "");
  EXPECT_EQ(form->ImageNumber(), -1);
  EXPECT_EQ(form->Edit_ShortCut->HotKey(), 0);
  EXPECT_EQ(form->Combo_Visible->ItemIndex(), 0);
  EXPECT_FALSE(form->Button_OK->Enabled()) << "no name";
  form->Edit_Caption->SetText("x");
  EXPECT_TRUE(form->Button_OK->Enabled());
  form->Edit_Caption->SetText("");
  EXPECT_FALSE(form->Button_OK->Enabled());

  form->Check_ShowList->SetChecked(true);
  form->Edit_Assist->SetText("sec");
  EXPECT_FALSE(Stored().ShowList) << "a keyword without command";
  form->Memo_Command->SetText("\\section{$S}");
  EXPECT_TRUE(Stored().ShowList);
  form->Edit_Assist->SetText("");
  EXPECT_FALSE(Stored().ShowList);
  form->Edit_Assist->SetText("sec");
  form->Check_ShowList->SetChecked(false);
  EXPECT_FALSE(Stored().ShowList);
  EXPECT_FALSE(form->Edit_Assist->Enabled()) << "the box enables the keyword";
  form->Check_ShowList->SetChecked(true);
  EXPECT_TRUE(form->Edit_Assist->Enabled());
}

TEST_F(RecordDialog, LeavingTheNameFillsOnlyEmptyFields) {
  Open({}, TDataAddMode::dmAdd);
  form->Edit_MenuCaption->SetText("  ");
  form->Edit_StatusHelp->SetText("own hint");
  form->Edit_Caption->SetFocus();
  form->Edit_Caption->SetText("名前");
  form->Combo_Type->SetFocus();
  uitest::Pump();
  EXPECT_EQ(form->Edit_MenuCaption->Text(), "名前") << "blank counts as empty";
  EXPECT_EQ(form->Edit_ListCaption->Text(), "名前");
  EXPECT_EQ(form->Edit_StatusHelp->Text(), "own hint");
  EXPECT_EQ(form->Button_ImagePreview->Hint(), "own hint");
}

TEST_F(RecordDialog, GroupsHideTheMasterPagesAndOpenOnTheFirstShown) {
  Open(Record(2, "grp", "$00000001"), TDataAddMode::dmImport, true);
  EXPECT_EQ(form->Caption(), "グループインポート");
  EXPECT_EQ(form->Label_Caption->Caption(), "グループ名称(&N) :");
  EXPECT_FALSE(form->TabSheet_Command->TabVisible());
  EXPECT_FALSE(form->TabSheet_Group->TabVisible());
  EXPECT_TRUE(form->TabSheet_Menu->TabVisible());
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet_Menu);
  EXPECT_EQ(form->Label_PageHint->Caption(), res::MenuPageHint);
  Open(Record(2, "m", ""), TDataAddMode::dmEdit);
  EXPECT_EQ(form->Label_Caption->Caption(), "マスタ名称(&N) :");
  EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet_Command);
  EXPECT_EQ(form->Label_PageHint->Caption(), "") << "no hint on the command page";
}

TEST_F(RecordDialog, PageHintsFollowTheChosenPage) {
  Open({}, TDataAddMode::dmAdd);
  const std::pair<TTabSheet*, std::string> pages[] = {
      {form->TabSheet_Menu, " メニューに割り付けたときの名称とショートカットキー\r\n"
                            " ホットキーは(&&X)で指定"},
      {form->TabSheet_Image, " メニュー・ツールボタン・リストに表示される画像"},
      {form->TabSheet_Help, " ツールチップ/ステータスバーの表示\r\n"
                            " 形式 : [ツールチップ]|[ステータスヘルプ]"},
      {form->TabSheet_Visible,
       " メニュー・ツールボタンの有効無効タイミングを指定\r\n"
       " (編集にストレスを与える可能性がありますので、通常は「常に表示」を選択してください)"},
      {form->TabSheet_Group, " グループに追加したとき、リストに表示される名称"},
      {form->TabSheet_Command, ""}};
  for (const auto& [sheet, hint] : pages) {
    ASSERT_TRUE(uitest::FormDriver::ChooseSheet(*sheet)) << sheet->Caption();
    uitest::Pump();
    EXPECT_EQ(form->Label_PageHint->Caption(), hint) << sheet->Caption();
  }
}

TEST_F(RecordDialog, TypedShortCutIsStoredAndShownAgain) {
  Open(Record(1, "s", ""), TDataAddMode::dmEdit);
  ASSERT_TRUE(uitest::FormDriver::ChooseSheet(*form->TabSheet_Menu));
  form->Edit_ShortCut->SetFocus();
  uitest::PressShortCut(form->Edit_ShortCut->Handle(), VK_F5, ssCtrl | ssShift);
  TQuolin_CmdList stored = Stored();
  EXPECT_EQ(stored.ShortCut, 0x6074);
  Open(stored, TDataAddMode::dmEdit);
  EXPECT_EQ(form->Edit_ShortCut->HotKey(), 0x6074);
  TQuolin_CmdList save = Record(1, "s", "");
  save.ShortCut = scCtrl | 'S';
  Open(save, TDataAddMode::dmEdit);
  EXPECT_EQ(form->Edit_ShortCut->HotKey(), 0x4053);
  EXPECT_EQ(SendMessageA(form->Edit_ShortCut->Handle(), HKM_GETHOTKEY, 0, 0), 0x0253);
}

TEST_F(RecordDialog, ReadyMadeTextGoesToTheCaret) {
  Open(Record(1, "r", "ab"), TDataAddMode::dmEdit);
  form->Memo_Command->SetSelStart(1);
  TMenuItem* fraction = form->PopupMenu_Command->Items()->Items(8);
  EXPECT_EQ(fraction->Caption(), "分数");
  fraction->Click();
  EXPECT_EQ(Command(), "a\\frac{$FlacA}{$FlacB}b");
  EXPECT_EQ(form->PopupMenu_Command->Items()->Count(), 9);
}

TEST_F(RecordDialog, EnterAfterBeginClosesTheEnvironment) {
  Open({}, TDataAddMode::dmAdd);
  TypeIntoCommand("\\begin{itemize}\r");
  EXPECT_EQ(Command(), "\\begin{itemize}\r\n\r\n\\end{itemize}");
  TypeIntoCommand("x");
  EXPECT_EQ(Command(), "\\begin{itemize}\r\nx\r\n\\end{itemize}") << "the caret on the blank line";
  // Without a complete "\begin{name}" Enter only breaks the line.
  form->Memo_Command->SetText("");
  TypeIntoCommand("\\begin{a\rb");
  EXPECT_EQ(Command(), "\\begin{a\r\nb");
}

TEST_F(RecordDialog, KeysOfTheCommandEditor) {
  Open(Record(1, "k", "abc"), TDataAddMode::dmEdit);
  TEditor& memo = *form->Memo_Command;
  memo.SetFocus();
  memo.SetSelStart(0);
  memo.SetSelLength(1);
  uitest::PressKey(memo.Handle(), 'X', ssCtrl);
  EXPECT_EQ(Command(), "bc");
  memo.SetSelStart(2);
  uitest::PressKey(memo.Handle(), 'V', ssCtrl);
  EXPECT_EQ(Command(), "bca");
  uitest::PressKey(memo.Handle(), 'Z', ssCtrl);
  EXPECT_EQ(Command(), "bc");
  uitest::PressKey(memo.Handle(), 'Z', ssCtrl | ssShift);
  EXPECT_EQ(Command(), "bca");
  // A cut without a selection leaves the clipboard alone.
  memo.SetSelLength(0);
  uitest::PressKey(memo.Handle(), 'X', ssCtrl);
  EXPECT_EQ(Command(), "bca");
  EXPECT_EQ(form->ModalResult(), mrNone);
  uitest::PressKey(memo.Handle(), VK_ESCAPE);
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(RecordDialog, HelpContextsFollowTheCommand) {
  Open({}, TDataAddMode::dmAdd);
  EXPECT_EQ(form->Memo_Command->HelpContext, 1401);
  form->Memo_Command->SetText("$sys_FileNew");
  EXPECT_EQ(form->Memo_Command->HelpContext, 1403);
  form->Memo_Command->SetText("\\x");
  EXPECT_EQ(form->Memo_Command->HelpContext, 1402);
}

TEST_F(RecordDialog, AutomaticInputChecksAndDerivesTheKeyword) {
  Open({}, TDataAddMode::dmAdd);
  form->Memo_Command->SetText("\r\n\\section{$S}\r\n");
  uitest::FormDriver::Click(*form->Button_AutoInput);
  EXPECT_TRUE(form->Check_ShowList->Checked());
  EXPECT_EQ(form->Edit_Assist->Text(), "section");
  form->Memo_Command->SetText("$Sys_FileNew");
  uitest::FormDriver::Click(*form->Button_AutoInput);
  EXPECT_FALSE(form->Check_ShowList->Checked());
  EXPECT_EQ(form->Edit_Assist->Text(), "section") << "kept when cleared";
}

TEST_F(RecordDialog, ReservedWordsAreAddedAndRemovedAtOnce) {
  Open(Record(1, "w", "\\alpha \\beta"), TDataAddMode::dmEdit);
  TEditor& memo = *form->Memo_Command;
  memo.SetSelStart(0);
  memo.SetSelLength(6);
  ASSERT_EQ(memo.SelText(), "\\alpha");
  uitest::FormDriver::Click(*form->Button_ReserveAdd);
  EXPECT_EQ(words.Text(), "\\alpha\r\n");
  EXPECT_EQ(memo.ReserveWordList().Text(), "\\alpha\r\n") << "coloured at once";
  memo.SetSelStart(7);
  memo.SetSelLength(5);
  uitest::FormDriver::Click(*form->Button_ReserveAdd);
  EXPECT_EQ(memo.ReserveWordList().Text(), "\\alpha\r\n\\beta\r\n") << "sorted";
  // Two tokens are neither added nor removed.
  memo.SetSelStart(0);
  memo.SetSelLength(12);
  uitest::FormDriver::Click(*form->Button_ReserveRemove);
  EXPECT_EQ(words.Count(), 2);
  memo.SetSelLength(6);
  uitest::FormDriver::Click(*form->Button_ReserveRemove);
  EXPECT_EQ(words.Text(), "\\beta\r\n");
  EXPECT_EQ(memo.ReserveWordList().Text(), "\\beta\r\n");
}

TEST_F(RecordDialog, ImageKindsAndTheStepperStops) {
  // A second strip of 20 images after the padding, and the blank spare.
  TBitmap strip;
  strip.SetSize(top->ImageList1->Width() * 21, top->ImageList1->Height());
  while (top->ImageList1->Count() < SecondStripImage)
    top->ImageList1->Add(strip, nullptr);
  top->ImageList1->Add(strip, nullptr);
  const int count = top->ImageList1->Count();
  ASSERT_GT(count, SecondStripImage + 1);
  Open(Record(1, "i", ""), TDataAddMode::dmEdit);
  auto choose = [&](int kind) {
    form->Combo_ImageType->SetItemIndex(kind);
    uitest::FormDriver::Notify(*form->Combo_ImageType, CBN_SELCHANGE);
  };
  auto step = [&](TToolbarButton* button, int times = 1) {
    for (int i = 0; i < times; ++i)
      button->Click();
    return form->ImageNumber();
  };
  EXPECT_EQ(step(form->Button_ImageNext), -1) << "no image does not step";
  choose(1);
  EXPECT_EQ(form->ImageNumber(), 0);
  EXPECT_EQ(step(form->Button_ImagePrev), 0);
  EXPECT_EQ(form->Button_ImagePreview->ImageIndex(), 0);
  form->SetImageNumber(116);
  EXPECT_EQ(step(form->Button_ImageNext), 1000);
  EXPECT_EQ(step(form->Button_ImagePrev), 116);
  form->SetImageNumber(count - 3);
  EXPECT_EQ(step(form->Button_ImageNext, 2), count - 2) << "the spare is never reached";
  choose(2);
  EXPECT_EQ(form->ImageNumber(), 117);
  EXPECT_EQ(form->Combo_ImageType->ItemIndex(), 2);
  EXPECT_EQ(step(form->Button_ImagePrev), 117);
  form->SetImageNumber(998);
  EXPECT_EQ(step(form->Button_ImageNext, 2), 999);
  choose(0);
  EXPECT_EQ(Stored().ImgIndex, -1);
  EXPECT_TRUE(form->Button_ImagePrev->Repeating);
}

} // namespace
