#include "settings/SetLogPage.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "settings/LogPatternForm.h"

namespace quolin {

namespace {

constexpr int LogPageHelpContext = 1306;

using TDel = TAutoDeleteOptions;
constexpr TCheckField<TDel> DeleteChecks[] = {
    {"Check_AutoDel", "文章を閉じるときログファイルを削除する(&E)", &TDel::AutoDelete},
    {"Check_dvi", "d&vi", &TDel::dvi},
    {"Check_log", "l&og", &TDel::log},
    {"Check_toc", "to&c", &TDel::toc},
    {"Check_lof", "lo&f", &TDel::lof},
    {"Check_lot", "lo&t", &TDel::lot},
    {"Check_idx", "id&x", &TDel::idx},
    {"Check_ind", "in&d", &TDel::ind},
    {"Check_ilg", "il&g", &TDel::ilg},
    {"Check_aux", "&aux", &TDel::aux},
    {"Check_bbl", "bb&l", &TDel::bbl},
    {"Check_blg", "&blg", &TDel::blg},
};

constexpr TCheckField<TLogLoadOption> LogChecks[] = {
    {"Check_LogNextViewError", "次行も表示(&N)", &TLogLoadOption::LogNextLineViewError},
    {"Check_LogNextViewWarning", "次行も表示(&M)", &TLogLoadOption::LogNextLineViewWarning},
};

} // namespace

TFrm_SetLogDel::TFrm_SetLogDel(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, LogPageHelpContext) {
  AddChecks(DeleteChecks);
  NextColumn();
  Edit_LogExt = AddEdit("Edit_LogExt", "ビューワに表示するファイルの拡張子(&I) :");
  AddLabel("エラー行の開始文字列 :");
  Button1 = AddButton("Button1", "設定(&R)...");
  AddLabel("警告行の開始文字列 :");
  Button2 = AddButton("Button2", "設定(&W)...");
  AddChecks(LogChecks);
  AddCheck("Check_AutoSave1", "TeX処理時、全てのファイルを上書き保存する(&P)");
  Button1->OnClick = [this](TObject*) {
    EditPatterns("編集 - ログエラー文字", TopForm->Settings.LogLoadOption.LogErrorStr);
  };
  Button2->OnClick = [this](TObject*) {
    EditPatterns("編集 - ログ警告文字", TopForm->Settings.LogLoadOption.LogWarningStr);
  };
}

void TFrm_SetLogDel::FillControls() {
  const TSettingsBlock& settings = TopForm->Settings;
  ShowChecks(DeleteChecks, settings.AutoDeleteOptions);
  ShowChecks(LogChecks, settings.LogLoadOption);
  Edit_LogExt->SetText(settings.LogLoadOption.LogExt);
  CheckBox("Check_AutoSave1").SetChecked(settings.TexExecAutoSave);
}

void TFrm_SetLogDel::StoreControls() {
  TSettingsBlock& settings = TopForm->Settings;
  ReadChecks(DeleteChecks, settings.AutoDeleteOptions);
  ReadChecks(LogChecks, settings.LogLoadOption);
  settings.LogLoadOption.LogExt = Edit_LogExt->Text();
  settings.TexExecAutoSave = CheckBox("Check_AutoSave1").Checked();
  SaveAutoDeleteOptions(settings.AutoDeleteOptions);
  SaveTexExecAutoSave(settings.TexExecAutoSave);
  SaveLogLoadOption(settings.LogLoadOption);
}

void TFrm_SetLogDel::EditPatterns(const std::string& caption, std::string& patterns) {
  if (EditLogPatterns(caption, patterns))
    SaveLogLoadOption(TopForm->Settings.LogLoadOption);
}

} // namespace quolin
