#include "settings/SpellCheckPage.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "core/SettingsMappings.h"

namespace quolin {

namespace {

constexpr int SpellCheckHelpContext = 1311;

constexpr TCheckField<TSpellCheckOptions> SpellChecks[] = {
    {"Check_nfMail1", "&e-mail を無視", &TSpellCheckOptions::nfMail},
    {"Check_nfUrl1", "URLを無視(&W)", &TSpellCheckOptions::nfUrl},
    {"Check_nfAllUp1", "全て大文字の単語を無視(&M)", &TSpellCheckOptions::nfAllUpCase},
    {"Check_nfTopUp1", "先頭のみ大文字の単語を無視(&U)", &TSpellCheckOptions::nfTopUpCase},
    {"Check_nfComment1", "コメント行を無視(&T)", &TSpellCheckOptions::nfCommentLine},
    {"Check_nfNumInclude1", "数値を含む単語は無視(&B)", &TSpellCheckOptions::nfNum},
    {"Check_Near_seding1", "--s --ed --ing を分離してチェック(&V)", &TSpellCheckOptions::SEDing},
    {"Check_MainDicOnly1", "ユーザー辞書のみを使用(&J)", &TSpellCheckOptions::MainDicOnly},
    {"Check_AutoClose1", "終了時にスペルチェックウィンドウを閉じる(&C)",
     &TSpellCheckOptions::AutoClose},
};

} // namespace

TFrm_SpellCheck::TFrm_SpellCheck(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, SpellCheckHelpContext) {
  Edit_UserDic = AddEdit("Edit_UserDic", "ユーザー辞書(&D) :");
  Button_UserDic = AddButton("Button_UserDic", "参照...");
  Button_UserDic->OnClick = [this](TObject*) { BrowseDictionary(); };
  Edit_DicFolder = AddEdit("Edit_DicFolder", "辞書フォルダ(&F) :");
  Button_DicFolder = AddButton("Button_DicFolder", "参照...");
  Button_DicFolder->OnClick = [this](TObject*) {
    BrowseFolder(*Edit_DicFolder, "辞書フォルダを指定してください.");
  };
  Combo_MinWordCount1 =
      AddCombo("Combo_MinWordCount1", "最低文字数(&Z) :", {"2", "3", "4", "5", "6", "7", "8"});
  NextColumn();
  AddChecks(SpellChecks);
}

void TFrm_SpellCheck::FillControls() {
  const TSettingsBlock& settings = TopForm->Settings;
  Edit_UserDic->SetText(settings.SpellCheckDics.MainDic);
  Edit_DicFolder->SetText(settings.SpellCheckDics.DicFolder);
  ShowChecks(SpellChecks, settings.SpellCheckOptions);
  Combo_MinWordCount1->SetItemIndex(MinWordLenIndex(settings.SpellCheckOptions.MinWordLen));
}

void TFrm_SpellCheck::StoreControls() {
  TSettingsBlock& settings = TopForm->Settings;
  settings.SpellCheckDics.MainDic = Edit_UserDic->Text();
  settings.SpellCheckDics.DicFolder = Edit_DicFolder->Text();
  ReadChecks(SpellChecks, settings.SpellCheckOptions);
  settings.SpellCheckOptions.MinWordLen = MinWordLenOfIndex(Combo_MinWordCount1->ItemIndex());
  // Control sequences are always skipped.
  settings.SpellCheckOptions.nfTeX = true;
  SaveSpellCheckDics(settings.SpellCheckDics);
  SaveSpellCheckOptions(settings.SpellCheckOptions);
}

void TFrm_SpellCheck::BrowseDictionary() {
  std::string chosen;
  if (BrowseFile(Edit_UserDic->Text(), "", "辞書ファイル(*.dic)|*.dic|全て(*.*)|*.*", "dic",
                 chosen))
    Edit_UserDic->SetText(chosen);
}

} // namespace quolin
