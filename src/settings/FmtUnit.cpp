#include "settings/FmtUnit.h"

#include "common/Registry.h"
#include "core/StringList.h"
#include "settings/FormLayout.h"
#include "texchain/ToolPlaceholders.h"
#include "texchain/ToolUtil.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

#include <windows.h>

namespace quolin {

TFmtForm* FmtForm = nullptr;

namespace {

constexpr int MaxRegistryFormats = 10;

// "0", "1"... up to the first missing or empty value.
void ReadRegistryFormats(TStrings& formats) {
  for (int number = 0; number < MaxRegistryFormats; ++number) {
    std::string format =
        RegReadStringRoot(HKEY_CURRENT_USER, KarveFormatsKey, std::to_string(number), "");
    if (format.empty())
      return;
    formats.Add(format);
  }
}

} // namespace

TFmtForm::TFmtForm(TComponent* owner) : TForm(owner) {
  HelpContext = 1204;
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  Label1 = PlaceControl<TLabel>(this, "Label1", this, {8, 12, 170, 13}, "フォーマットファイル(&F) :");
  ComboBox1 = PlaceControl<TComboBox>(this, "ComboBox1", this, {8, 30, 276, 21});
  ComboBox1->SetStyle(TComboBoxStyle::csDropDownList);
  Label1->FocusControl = ComboBox1;
  Button1 = PlaceControl<TButton>(this, "Button1", this, {128, 64, 75, 25}, "OK");
  Button1->ModalResult = mrOk;
  Button1->SetDefault(true);
  Button2 = PlaceControl<TButton>(this, "Button2", this, {209, 64, 75, 25}, "キャンセル");
  Button2->ModalResult = mrCancel;
  Button2->SetCancel(true);
  SetClientSize(292, 97);
}

void TFmtForm::Prepare(bool registryMode) {
  registryMode_ = registryMode;
  SetCaption(registryMode ? "フォーマット選択(pLaTeX2e for Win)" : "フォーマット選択(TeX for Win)");
  TStrings& items = ComboBox1->Items();
  items.Clear();
  int stored = 0;
  if (registryMode) {
    ReadRegistryFormats(items);
    stored = RegReadDwordRoot(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue, 0);
  } else {
    IniReadSection(WinTeXIni, WinTeXModeSection, items);
    stored = IniReadInteger(WinTeXIni, WinTeXDefaultSection, WinTeXDefaultSection, 0);
  }
  ComboBox1->SetItemIndex(stored >= 0 && stored < items.Count() ? stored : -1);
}

void TFmtForm::WriteChoice() {
  // Nothing chosen: -1 would leave the front end without a usable default.
  const int index = ComboBox1->ItemIndex();
  if (index < 0)
    return;
  if (registryMode_)
    RegWriteIntegerRoot(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue, index);
  else
    IniWriteInteger(WinTeXIni, WinTeXDefaultSection, WinTeXDefaultSection, index);
}

void ShowFmtForm(bool registryMode) {
  if (!FmtForm)
    FmtForm = TComponent::Create<TFmtForm>(Application, "FmtForm");
  FmtForm->Prepare(registryMode);
  if (FmtForm->ShowModal() == mrOk)
    FmtForm->WriteChoice();
}

} // namespace quolin
