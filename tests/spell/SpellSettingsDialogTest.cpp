#include "SpellFixture.h"

#include "settings/SpellCheckPage.h"
#include "support/CaptionFit.h"

#include <functional>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class SpellSettingsDialog : public SpellFixture {
protected:
  // Runs the settings form's action from a timer of owner while its modal loop runs; the
  // form is cancelled when the action leaves it open.
  static void Later(TComponent* owner, const std::function<void(TSpellSetForm&)>& act) {
    uitest::Later(owner, [act] {
      ASSERT_NE(SpellSetForm, nullptr);
      act(*SpellSetForm);
      if (SpellSetForm->ModalResult() == mrNone)
        SpellSetForm->SetModalResult(mrCancel);
    });
  }
};

TEST_F(SpellSettingsDialog, ThePageHostedOkStoresCancelDoesNot) {
  Options().MinWordLen = 4;
  Options().nfMail = true;
  bool acted = false;
  Later(top, [&](TSpellSetForm& form) {
    acted = true;
    EXPECT_EQ(form.Caption(), "設定 - スペルチェック");
    EXPECT_EQ(form.Button_OK->Caption(), "OK");
    EXPECT_EQ(form.Button_OK->ModalResult, 1);
    EXPECT_EQ(form.Button_Cancel->Caption(), "キャンセル");
    EXPECT_EQ(form.Button_Cancel->ModalResult, 2);
    // The buttons lie inside the client area.
    for (TButton* button : {form.Button_OK, form.Button_Cancel})
      EXPECT_LE(button->Top() + button->Height(), form.ClientHeight()) << button->Name();
    EXPECT_EQ(ExpectMarkedCaptionsFit(form.Handle()), 9);
    TFrm_SpellCheck& page = *form.Frm_SpellCheck;
    EXPECT_TRUE(page.Showing());
    EXPECT_EQ(page.Combo_MinWordCount1->ItemIndex(), 2);
    EXPECT_EQ(page.Edit_UserDic->Text(), userDic);
    page.Combo_MinWordCount1->SetItemIndex(0);
    uitest::FormDriver(form).Get<TCheckBox>("Frm_SpellCheck.Check_nfMail1").SetChecked(false);
    uitest::FormDriver::Click(*form.Button_OK);
  });
  EXPECT_TRUE(ShowSpellSetForm());
  EXPECT_TRUE(acted);
  EXPECT_EQ(Options().MinWordLen, 2);
  EXPECT_FALSE(Options().nfMail);
  TSpellCheckOptions stored;
  LoadSpellCheckOptions(stored);
  EXPECT_EQ(stored.MinWordLen, 2);
  EXPECT_FALSE(stored.nfMail);

  // Made once; the page shows the settings anew and Cancel keeps them.
  TSpellSetForm* made = SpellSetForm;
  Later(top, [&](TSpellSetForm& form) {
    TFrm_SpellCheck& page = *form.Frm_SpellCheck;
    EXPECT_EQ(page.Combo_MinWordCount1->ItemIndex(), 0);
    page.Combo_MinWordCount1->SetItemIndex(5);
    page.Edit_UserDic->SetText(files / "other.dic");
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  EXPECT_FALSE(ShowSpellSetForm());
  EXPECT_EQ(SpellSetForm, made);
  EXPECT_EQ(Options().MinWordLen, 2);
  EXPECT_EQ(top->Settings.SpellCheckDics.MainDic, userDic);
  LoadSpellCheckOptions(stored);
  EXPECT_EQ(stored.MinWordLen, 2);
}

TEST_F(SpellSettingsDialog, AfterOkANewDictionaryFolderMakesItsWordsKnown) {
  TempFolder first{"first"};
  TempFolder second{"second"};
  TempFolder::WriteFile(first / "a.dic", "the\r\n");
  TempFolder::WriteFile(second / "b.dic", "the\r\nzorgle\r\n");
  UseDictionaries(userDic, first.Path());
  Open({"the zorgle"});
  ShowSpellForm();
  ASSERT_EQ(View().SelText(), "zorgle");

  Later(SpellForm, [&](TSpellSetForm& form) {
    form.Frm_SpellCheck->Edit_DicFolder->SetText(second.Path());
    uitest::FormDriver::Click(*form.Button_OK);
  });
  Click(Form().Button8);
  EXPECT_EQ(Form().SpellCheck->DicFolder, second.Path());
  EXPECT_TRUE(Form().SpellCheck->LookupWord("zorgle"));
  View().SetSelStart(0);
  Click(Form().Button1);
  EXPECT_EQ(EditText(), "");
  EXPECT_EQ(dialogs.beeps, 1);

  // Cancel takes nothing over.
  Later(SpellForm, [&](TSpellSetForm& form) {
    form.Frm_SpellCheck->Edit_DicFolder->SetText(first.Path());
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  Click(Form().Button8);
  EXPECT_EQ(Form().SpellCheck->DicFolder, second.Path());
  EXPECT_TRUE(Form().SpellCheck->LookupWord("zorgle"));
}

} // namespace
