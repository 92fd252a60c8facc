#include "settings/OutlineDetailForm.h"

#include "app/Outline.h"
#include "core/SectionScan.h"
#include "settings/DialogLayout.h"
#include "settings/ListEditing.h"
#include "ui/Application.h"
#include "ui/Panels.h"

#include <string>

namespace quolin {

namespace {

constexpr int OutlineDetailHelpContext = 1213;

const TListQuery CategoryQuery{"追加", "編集", "Bibカテゴリを入力してください.", true};

constexpr const char* EditLabels[] = {
    "&Part :",          "&Chapter :",   "&Section :",      "S&ubSection :",
    "Su&bsubSection :", "Pa&ragraph :", "SubPara&graph :", "グループ表示(&V) :"};
// The eighth edit holds the grouping field.
constexpr TSectionValue GroupValue = svBibGroup;

} // namespace

TSetExpForm::TSetExpForm(TComponent* owner) : TForm(owner) {
  SetCaption("詳細設定 - ドキュメントエクスプローラ");
  HelpContext = OutlineDetailHelpContext;
  SetUpDialog(*this, 560, 330);
  auto* group = Create<TLabel>(this, "Label_Group");
  group->SetCaption("セクション参照関数");
  group->SetBounds(8, 4, 200, 16);
  group->SetParent(this);
  for (size_t i = 0; i < Edits.size(); ++i) {
    int top = 24 + static_cast<int>(i) * 28;
    std::string number = std::to_string(i + 1);
    auto* label = Create<TLabel>(this, "Label" + number);
    label->SetCaption(EditLabels[i]);
    label->SetBounds(8, top + 3, 110, 16);
    label->SetParent(this);
    Edits[i] = Create<TEdit>(this, "Edit" + number);
    Edits[i]->SetBounds(120, top, 180, 21);
    Edits[i]->SetParent(this);
    label->FocusControl = Edits[i];
    Edits[i]->OnChange = [this](TObject*) { SectionEditsChanged(); };
  }
  auto* listLabel = Create<TLabel>(this, "Label_List");
  listLabel->SetCaption("参照カテゴリ(&L) :");
  listLabel->SetBounds(312, 4, 200, 16);
  listLabel->SetParent(this);
  ListBox1 = Create<TListBox>(this, "ListBox1");
  ListBox1->SetBounds(312, 24, 140, 200);
  ListBox1->SetParent(this);
  listLabel->FocusControl = ListBox1;
  Button1 = AddDialogButton(*this, "Button1", "追加", 460, 24);
  Button2 = AddDialogButton(*this, "Button2", "編集", 460, 56);
  Button3 = AddDialogButton(*this, "Button3", "削除", 460, 88);
  AddOkCancel(*this, Button_OK, Button_Cancel, 364, 264);
  Button1->OnClick = [this](TObject*) { AddListItem(*ListBox1, CategoryQuery); };
  Button2->OnClick = [this](TObject*) { EditListItem(*ListBox1, CategoryQuery); };
  ListBox1->OnDblClick = Button2->OnClick;
  Button3->OnClick = [this](TObject*) { DeleteListItem(*ListBox1); };
}

void TSetExpForm::SectionEditsChanged() {
  bool filled = true;
  for (int level = 0; level < SectionLevels; ++level)
    filled = filled && !Edits[static_cast<size_t>(level)]->Text().empty();
  Button_OK->SetEnabled(filled);
}

void ShowSetExpForm() {
  TOwned<TSetExpForm> form(TComponent::Create<TSetExpForm>(Application, "SetExpForm"));
  TSectionValues& values = SectionSettingValues();
  for (int level = 0; level < SectionLevels; ++level)
    form->Edits[static_cast<size_t>(level)]->SetText(values[static_cast<size_t>(level)]);
  form->Edits[SectionLevels]->SetText(values[GroupValue]);
  form->ListBox1->Items().SetCommaText(values[svBibSections]);
  form->SectionEditsChanged();
  if (form->ShowModal() != mrOk)
    return;
  for (int level = 0; level < SectionLevels; ++level)
    values[static_cast<size_t>(level)] = form->Edits[static_cast<size_t>(level)]->Text();
  values[GroupValue] = form->Edits[SectionLevels]->Text();
  values[svBibSections] = form->ListBox1->Items().CommaText();
  SaveSectionSettings();
  RestartOutlineRescans();
}

} // namespace quolin
