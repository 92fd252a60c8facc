#include "SpellFixture.h"

#include "common/Registry.h"
#include "core/ResConst.h"

#include <algorithm>

using namespace quolin;
using namespace quolin::test_support;

namespace {

using SpellDialog = SpellFixture;

const std::string Finished = "スペルチェックが終了しました.";

bool Contains(const std::vector<std::string>& items, const std::string& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

TEST_F(SpellDialog, EngineSettingsFromTheSettingsBlock) {
  TSettingsBlock settings;
  TSpellCheckOptions& options = settings.SpellCheckOptions;
  // Every switch the other way round from the engine's defaults.
  options.nfMail = false;
  options.nfUrl = false;
  options.nfAllUpCase = false;
  options.nfTopUpCase = false;
  options.nfNum = true;
  options.SEDing = true;
  options.MainDicOnly = true;
  options.MinWordLen = 7;
  settings.SpellCheckDics = {"C:\\d\\user.dic", "C:\\d\\"};
  TSpellEngineSettings engine = EngineSettingsFrom(settings, "%");
  EXPECT_EQ(engine.MainDic, "C:\\d\\user.dic");
  EXPECT_EQ(engine.DicFolder, "C:\\d\\");
  EXPECT_FALSE(engine.SkipMail || engine.SkipUrl || engine.SkipAllUpper || engine.SkipCapitalized);
  EXPECT_TRUE(engine.SkipWithDigits && engine.StripSuffixes && engine.MainDicOnly);
  EXPECT_EQ(engine.MinWordLen, 7);
  options.nfCommentLine = true;
  for (bool tex : {false, true}) {
    options.nfTeX = tex;
    EXPECT_EQ(EngineSettingsFrom(settings, "%").Commenter, "%");
  }
  options.nfCommentLine = false;
  for (bool tex : {false, true}) {
    options.nfTeX = tex;
    EXPECT_EQ(EngineSettingsFrom(settings, "%").Commenter, "");
  }
  options = {};
  engine = EngineSettingsFrom(settings, "//");
  EXPECT_TRUE(engine.SkipMail && engine.SkipUrl && engine.SkipAllUpper && engine.SkipCapitalized &&
              engine.SkipWithDigits && engine.StripSuffixes);
  EXPECT_FALSE(engine.MainDicOnly);
  EXPECT_EQ(engine.MinWordLen, 3);
  EXPECT_EQ(engine.Commenter, "//");
}

TEST_F(SpellDialog, TheWordSelectsAndCentresEachMisspellingThenGoesOn) {
  std::vector<std::string> lines(200, "the good word");
  lines[0] = "\\documentclass{article}";
  lines[120] = "We recieve teh letter.";
  lines[150] = "% a wrod in a comment";
  Open(lines);
  ASSERT_TRUE(ExecuteCommand(nullptr, "$Sys_OptSpellCheck", 0));
  ASSERT_NE(SpellForm, nullptr);
  EXPECT_TRUE(Form().Visible());
  EXPECT_EQ(View().SelText(), "recieve");
  EXPECT_EQ(CaretLine(), 120);
  EXPECT_EQ(View().RowColToLineOffset(View().Row(), View().Col()), 3 + 7);
  EXPECT_GT(View().TopRow(), 0);
  EXPECT_EQ(View().Row() - View().TopRow(), View().ClientHeight() / View().RowHeight() / 2);
  EXPECT_EQ(EditText(), "recieve");
  EXPECT_TRUE(Contains(Suggestions(), "receive"));
  EXPECT_TRUE(Form().Button3->Enabled());
  EXPECT_EQ(Form().ListBox1->ItemIndex(), 0);
  EXPECT_EQ(GetFocus(), Form().ListBox1->Handle());
  EXPECT_EQ(StatusMessage(), "");
  EXPECT_EQ(dialogs.beeps, 0);

  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "teh");
  EXPECT_EQ(CaretLine(), 120);
  EXPECT_TRUE(Contains(Suggestions(), "the"));
  // The comment is skipped: the walk ends with the finished message and a beep.
  Click(Form().Button1);
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_EQ(EditText(), "");
  EXPECT_TRUE(Suggestions().empty());
  EXPECT_FALSE(Form().Button3->Enabled());
  EXPECT_NE(StatusMessage().find(Finished), std::string::npos);
  EXPECT_FALSE(Form().Visible()); // AutoClose is on by default
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SpellDialog, FromTheCaretOrAfterTheSelectedWord) {
  Open({"recieve teh wrod"});
  // Nothing selected, the caret inside the first word: the rest of the line from there.
  View().SetSelStart(3);
  ShowSpellForm();
  EXPECT_EQ(View().SelText(), "teh");
  // The caret just before a word checks it.
  View().SetSelStart(8);
  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "teh");
  // A selected word is passed.
  View().SetSelStart(0);
  View().SetSelLength(7);
  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "teh");
  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "wrod");
  EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(SpellDialog, AWordOnALaterRowOfAWrappedLineIsSelectedWhole) {
  std::string line;
  while (line.size() < 400)
    line += "the good word ";
  Open({"see", line + "recieve teh"});
  ActiveDoc()->SetWordWrap(true);
  uitest::Pump();
  ShowSpellForm();
  EXPECT_EQ(View().SelText(), "recieve");
  EXPECT_EQ(CaretLine(), 1);
  EXPECT_GT(View().Row(), View().Lines().LinesToRow(1)); // a later row of the line
  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "teh");
}

TEST_F(SpellDialog, TheEndClosesAVisibleDialogOnlyWithAutoClose) {
  Open({"recieve the letter"});
  Options().AutoClose = false;
  ShowSpellForm();
  ASSERT_TRUE(Form().Visible());
  Click(Form().Button1);
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_NE(StatusMessage().find(Finished), std::string::npos);
  EXPECT_TRUE(Form().Visible());

  Options().AutoClose = true;
  View().SetSelStart(0);
  Click(Form().Button1);
  ASSERT_TRUE(Form().Visible());
  Click(Form().Button1);
  EXPECT_EQ(dialogs.beeps, 2);
  EXPECT_FALSE(Form().Visible());
  // Without a word to show, a hidden dialog stays hidden.
  View().SetSelStart(0);
  ShowSpellForm();
  ASSERT_TRUE(Form().Visible());
  Form().Close();
  View().SetSelStart(View().TextLength());
  ShowSpellForm();
  EXPECT_EQ(dialogs.beeps, 3);
  EXPECT_FALSE(Form().Visible());
}

TEST_F(SpellDialog, RecieveCorrectedToReceiveByEnterInTheListAndByDoubleClick) {
  Options().nfTopUpCase = false;
  Open({"Recieve teh letter."});
  ShowSpellForm();
  ASSERT_EQ(View().SelText(), "Recieve");
  ASSERT_TRUE(Choose("receive"));
  // The list has the focus, which makes Enter correct.
  EXPECT_TRUE(Form().Button3->Default());
  EXPECT_FALSE(Form().Button1->Default());
  uitest::PressKey(Form().ListBox1->Handle(), VK_RETURN);
  EXPECT_EQ(Line(0), "Receive teh letter.");
  // The check went on.
  EXPECT_EQ(View().SelText(), "teh");
  ASSERT_TRUE(Choose("the"));
  uitest::FormDriver::Notify(*Form().ListBox1, LBN_DBLCLK);
  uitest::Pump();
  EXPECT_EQ(Line(0), "Receive the letter.");
  EXPECT_EQ(dialogs.beeps, 1); // the end
}

TEST_F(SpellDialog, CorrectNeedsTheSelectionToBeTheWordAndASuggestion) {
  Open({"recieve teh"});
  ShowSpellForm();
  // The selection no longer the word (case aside): nothing happens.
  View().SetSelStart(8);
  View().SetSelLength(3);
  Click(Form().Button3);
  EXPECT_EQ(Line(0), "recieve teh");
  EXPECT_EQ(View().SelText(), "teh");
  // The word again, in other capitals: corrected.
  View().SetSelStart(0);
  View().SetSelLength(7);
  Form().Edit_NotFoundText1->SetText("RECIEVE");
  ASSERT_TRUE(Choose("receive"));
  Click(Form().Button3);
  EXPECT_EQ(Line(0), "RECEIVE teh");
  // No suggestion selected: nothing happens.
  Form().ListBox1->SetItemIndex(-1);
  Form().Edit_NotFoundText1->SetText("teh");
  Click(Form().Button3);
  EXPECT_EQ(Line(0), "RECEIVE teh");
  EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(SpellDialog, TypingChangesTheDocumentPerKeystrokeAndASuggestionThenReplacesIt) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  ASSERT_EQ(View().SelText(), "recieve");
  TEdit& edit = *Form().Edit_NotFoundText1;
  edit.SetFocus();
  edit.SelectAll();
  const std::string typed = "receive";
  for (size_t count = 1; count <= typed.size(); ++count) {
    uitest::TypeChar(edit.Handle(), typed[count - 1]);
    EXPECT_EQ(Line(0), "We " + typed.substr(0, count) + " teh letter.");
    EXPECT_EQ(View().SelText(), typed.substr(0, count));
  }
  EXPECT_FALSE(Form().Typing);
  EXPECT_TRUE(Form().Button2->Enabled());
  ASSERT_TRUE(Choose("relieve"));
  Click(Form().Button3);
  EXPECT_EQ(Line(0), "We relieve teh letter.");
  EXPECT_EQ(View().SelText(), "teh");
}

TEST_F(SpellDialog, AfterDeleteTheEditDiffersAndCorrectDoesNothing) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  TEdit& edit = *Form().Edit_NotFoundText1;
  edit.SetFocus();
  edit.SetSelStart(0);
  uitest::PressKey(edit.Handle(), VK_DELETE);
  EXPECT_EQ(EditText(), "ecieve");
  EXPECT_EQ(Line(0), "We recieve teh letter.");
  EXPECT_FALSE(Form().Typing);
  ASSERT_TRUE(Choose("receive"));
  Click(Form().Button3);
  EXPECT_EQ(Line(0), "We recieve teh letter.");
  EXPECT_EQ(View().SelText(), "recieve");
  // An emptied edit box cannot be added.
  edit.SetText("");
  EXPECT_FALSE(Form().Button2->Enabled());
}

TEST_F(SpellDialog, AddSavesTheWordAndGoesOn) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  ASSERT_EQ(EditText(), "recieve");
  Click(Form().Button2);
  EXPECT_EQ(TempFolder::ReadFile(userDic), "quolin\r\nrecieve\r\n");
  EXPECT_EQ(View().SelText(), "teh");
  View().SetSelStart(0);
  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "teh");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SpellDialog, RebuildRereadsTheDictionaryFiles) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  ASSERT_EQ(View().SelText(), "recieve");
  TempFolder::WriteFile(userDic, "recieve\r\nteh\r\n");
  View().SetSelStart(0);
  Click(Form().Button1);
  EXPECT_EQ(View().SelText(), "recieve"); // the lists stay until rebuilt
  Click(Form().Button4);
  EXPECT_EQ(StatusMessage(), "");
  View().SetSelStart(0);
  Click(Form().Button1);
  EXPECT_EQ(EditText(), "");
  EXPECT_EQ(dialogs.beeps, 1);
}

class SpellAddAll : public SpellFixture {
protected:
  const std::string before = "quolin\r\n";

  void SetUp() override {
    SpellFixture::SetUp();
    Open({"We recieve teh letter.", "wrod \\relax"});
    ShowSpellForm();
    ASSERT_EQ(View().SelText(), "recieve");
  }
  // The two questions, the second with the count: recieve, teh, letter and wrod.
  void ExpectQuestions() {
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].text,
              "現在の設定でチェックされる単語を, 全てユーザー辞書に追加していいですか？");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtConfirmation));
    EXPECT_EQ(dialogs.calls[0].buttons, mbYes | mbCancel);
    EXPECT_EQ(dialogs.calls[1].text,
              "のべ 4 単語が確認されました. ユーザー辞書に追加していいですか？");
    EXPECT_EQ(dialogs.calls[1].buttons, mbOK | mbCancel);
  }
  void ExpectDropped() {
    ExpectQuestions();
    EXPECT_EQ(TempFolder::ReadFile(userDic), before);
    EXPECT_FALSE(Form().SpellCheck->LookupWord("recieve"));
    EXPECT_TRUE(Form().SpellCheck->LookupWord("quolin"));
    View().SetSelStart(0);
    Click(Form().Button1);
    EXPECT_EQ(View().SelText(), "recieve");
  }
};

TEST_F(SpellAddAll, YesThenOkSaves) {
  AnswerInTurn({mrYes, mrOk});
  Click(Form().Button6);
  ExpectQuestions();
  EXPECT_EQ(TempFolder::ReadFile(userDic), "letter\r\nquolin\r\nrecieve\r\nteh\r\nwrod\r\n");
  View().SetSelStart(0);
  Click(Form().Button1);
  EXPECT_EQ(EditText(), "");
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(SpellAddAll, YesThenCancelLeavesTheFile) {
  AnswerInTurn({mrYes, mrCancel});
  Click(Form().Button6);
  ExpectDropped();
}

TEST_F(SpellAddAll, YesThenTheCloseButtonLeavesTheFile) {
  AnswerInTurn({mrYes, mrNone});
  Click(Form().Button6);
  ExpectDropped();
}

TEST_F(SpellAddAll, CancelAsksNoMore) {
  AnswerInTurn({mrCancel});
  Click(Form().Button6);
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(TempFolder::ReadFile(userDic), before);
  EXPECT_FALSE(Form().SpellCheck->UserDic.Find("recieve"));
}

TEST_F(SpellDialog, ALockedUserDictionaryIsWarnedAboutAndKept) {
  const std::string bytes = "quolin\r\nzzyzx\r\n";
  TempFolder::WriteFile(userDic, bytes);
  Open({"We recieve teh letter."});
  const std::string warning = "スペルチェック辞書の保存に失敗しました.";
  {
    spell_test::HeldFile held(userDic);
    ASSERT_TRUE(held.Held());
    ShowSpellForm();
    ASSERT_EQ(View().SelText(), "recieve");
    Click(Form().Button2);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, warning);
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
    EXPECT_EQ(dialogs.calls[0].buttons, mbOK);
    EXPECT_EQ(dialogs.beeps, 1); // the warning's own
    EXPECT_EQ(View().SelText(), "teh");

    dialogs.calls.clear();
    AnswerInTurn({mrYes, mrOk});
    Click(Form().Button6);
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[2].text, warning);
  }
  EXPECT_EQ(TempFolder::ReadFile(userDic), bytes);
}

TEST_F(SpellDialog, WithoutADocumentEachActionBeeps) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  ASSERT_TRUE(Form().Visible());
  ActiveDoc()->Close();
  ASSERT_TRUE(uitest::PumpUntil([] { return !HasDoc(); }));
  int beeps = dialogs.beeps;
  for (TButton* button : {Form().Button1, Form().Button3, Form().Button6}) {
    Click(button);
    EXPECT_EQ(dialogs.beeps, ++beeps) << button->Name();
  }
  uitest::FormDriver::Notify(*Form().ListBox1, LBN_DBLCLK);
  uitest::Pump();
  EXPECT_EQ(dialogs.beeps, ++beeps);
  // Adding needs no document; the check after it does.
  Click(Form().Button2);
  EXPECT_EQ(dialogs.beeps, ++beeps);
  EXPECT_EQ(TempFolder::ReadFile(userDic), "quolin\r\nrecieve\r\n");
  ShowSpellForm();
  EXPECT_EQ(dialogs.beeps, ++beeps);
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SpellDialog, TheFormItsGroupAndItsPlacement) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  TSpellForm* form = SpellForm;
  EXPECT_EQ(form->Caption(), "スペルチェック");
  EXPECT_EQ(form->HelpContext, 1215);
  EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsDialog);
  EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), top->Handle());
  EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  ShowSpellForm();
  EXPECT_EQ(SpellForm, form); // made once

  EXPECT_LE(form->Button1->Left() + form->Button1->Width(), form->ClientWidth());
  EXPECT_LE(form->GroupBox1->Left() + form->GroupBox1->Width(), form->ClientWidth());
  EXPECT_EQ(form->Button5->Caption(), "その他(&O) >>");
  EXPECT_FALSE(form->GroupBox1->Visible());
  const int listTop = form->ListBox1->Top();
  EXPECT_EQ(form->ClientHeight(), form->Button5->Top() + form->Button5->Height() + listTop);
  const int shortHeight = form->Height();
  Click(form->Button5);
  EXPECT_EQ(form->Button5->Caption(), "その他(&O) <<");
  EXPECT_TRUE(form->GroupBox1->Visible());
  EXPECT_EQ(form->ClientHeight(), form->GroupBox1->Top() + form->GroupBox1->Height() + listTop);
  EXPECT_GT(form->Height(), shortHeight);

  // Escape and the close button hide it.
  uitest::PressKey(form->Edit_NotFoundText1->Handle(), VK_ESCAPE);
  EXPECT_FALSE(form->Visible());
  View().SetSelStart(0);
  ShowSpellForm();
  ASSERT_TRUE(form->Visible());
  Click(form->Button7);
  EXPECT_FALSE(form->Visible());

  // Freed with the group shown: the spell settings and the short form are stored.
  ASSERT_TRUE(form->GroupBox1->Visible());
  form->SetBounds(form->Left() + 24, form->Top() + 16, form->Width(), form->Height());
  const int left = form->Left();
  const int top = form->Top();
  Options().MinWordLen = 6;
  form->Free();
  EXPECT_EQ(SpellForm, nullptr);
  const std::string placement = RegReadString(res::RegSectionForms, "SpellForm", "");
  EXPECT_NE(placement.find("Height=" + std::to_string(shortHeight)), std::string::npos)
      << placement;
  TSpellCheckOptions stored;
  LoadSpellCheckOptions(stored);
  EXPECT_EQ(stored.MinWordLen, 6);
  // The next window comes where this one was.
  View().SetSelStart(0);
  ShowSpellForm();
  ASSERT_NE(SpellForm, nullptr);
  EXPECT_EQ(SpellForm->Left(), left);
  EXPECT_EQ(SpellForm->Top(), top);
}

TEST_F(SpellDialog, ADocumentClosedByAPendingMessageEndsTheCheckWithABeep) {
  Open({"We recieve teh letter."});
  ShowSpellForm();
  ASSERT_EQ(View().SelText(), "recieve");
  // The close waits in the queue until the check handles pending messages before its walk.
  PostMessageA(ActiveDoc()->Handle(), WM_CLOSE, 0, 0);
  Form().Button1Click(nullptr);
  EXPECT_FALSE(HasDoc());
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_EQ(StatusMessage(), "");
  EXPECT_EQ(EditText(), "recieve");
}

} // namespace
