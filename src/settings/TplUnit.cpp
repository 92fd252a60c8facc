#include "settings/TplUnit.h"

#include "app/DocOps.h"
#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "common/FileHelpers.h"
#include "common/Registry.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/TemplateNames.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/ListView.h"
#include "ui/Panels.h"

#include <windows.h>

namespace quolin {

TTplForm* TplForm = nullptr;

TTemplateList::TTemplateList(TComponent* owner) : TListView(owner) {}

void TTemplateList::ItemActivate(const NMITEMACTIVATE&) {
  if (OnActivateItem)
    OnActivateItem();
}

namespace {

// A search by "*.tex" lists the files the class library's rule does: no folders, hidden or
// system files.
constexpr uint32_t LeftOutAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

} // namespace

TTplForm::TTplForm(TComponent* owner) : TForm(owner) {
  SetCaption("新規作成");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  Label1 = PlaceControl<TLabel>(this, "Label1", this, {8, 8, 150, 13}, "テンプレート(&L) :");
  ListView1 = PlaceControl<TTemplateList>(this, "ListView1", this, {8, 26, 236, 200});
  ListView1->ShowColumnHeaders = false;
  ListView1->AddColumn("", 210);
  ListView1->OnSelectItem = [this](TObject*, int, bool) { SelectionChanged(); };
  ListView1->OnActivateItem = [this] { UseSelected(); };
  Label1->FocusControl = ListView1;
  Button1 = PlaceControl<TButton>(this, "Button1", this, {252, 26, 90, 25}, "使用");
  Button1->SetDefault(true);
  Button1->OnClick = [this](TObject*) { UseSelected(); };
  Button2 = PlaceControl<TButton>(this, "Button2", this, {252, 58, 90, 25}, "キャンセル");
  Button2->ModalResult = mrCancel;
  Button2->SetCancel(true);
  Button3 = PlaceControl<TButton>(this, "Button3", this, {252, 201, 90, 25}, "標準に設定");
  Button3->OnClick = [this](TObject*) { SetStandard(); };
  SetClientSize(350, 234);
}

void TTplForm::DoShow() {
  FillList();
  TForm::DoShow();
}

void TTplForm::FillList() {
  extension_ = RegReadString(res::RegSectionFileIO, res::TemplateListFileExtName,
                             res::TemplateListFileExtDefault);
  folder_ = IncludeTrailingPathDelimiter(TopForm->Settings.FileIOOption.TemplateFolder);
  FillListViewCaptions(*ListView1,
                       TemplateNames(FindFileNamesExcept(folder_ + "*." + extension_,
                                                         LeftOutAttributes),
                                     extension_));
  SelectionChanged();
}

void TTplForm::SelectionChanged() {
  const bool selected = ListView1->SelectedCount() > 0;
  Button1->SetEnabled(selected);
  Button3->SetEnabled(selected);
}

std::string TTplForm::SelectedFile() {
  const int index = ListView1->ItemIndex();
  if (index < 0)
    return {};
  return folder_ + ListView1->Items(index)->Caption + "." + extension_;
}

void TTplForm::UseSelected() {
  const std::string file = SelectedFile();
  if (file.empty())
    return;
  // Opening a vanished file would give an empty untitled document.
  if (FileExistsNoWildcard(file) && OpenDocument(file, "", true, -1, false, false)) {
    SetModalResult(mrOk);
    return;
  }
  FillList();
}

void TTplForm::SetStandard() {
  const std::string file = SelectedFile();
  if (file.empty())
    return;
  TFileIOOption& option = TopForm->Settings.FileIOOption;
  option.DefaultTemplateFile = file;
  SaveFileIOOption(option);
}

void ShowTplForm() {
  if (!TplForm)
    TplForm = TComponent::Create<TTplForm>(Application, "TplForm");
  TplForm->ShowModal();
}

} // namespace quolin
