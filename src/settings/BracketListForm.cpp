#include "settings/BracketListForm.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "core/SettingsMappings.h"
#include "settings/DialogLayout.h"
#include "ui/Application.h"
#include "ui/Panels.h"

namespace quolin {

namespace {

TEdit* AddLabelledEdit(TForm& form, const char* name, const char* label, int top) {
  auto* caption = TComponent::Create<TLabel>(&form, std::string("Label_") + name);
  caption->SetCaption(label);
  caption->SetBounds(8, top + 3, 72, 16);
  caption->SetParent(&form);
  auto* edit = TComponent::Create<TEdit>(&form, name);
  edit->SetBounds(84, top, 200, 21);
  edit->SetParent(&form);
  caption->FocusControl = edit;
  return edit;
}

} // namespace

TKakkoAddForm::TKakkoAddForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, 300, 140);
  Edit1 = AddLabelledEdit(*this, "Edit1", "文字(&C):", 8);
  Edit2 = AddLabelledEdit(*this, "Edit2", "入力(&T):", 36);
  AddOkCancel(*this, Button_OK, Button_Cancel, 96, 72);
  Edit1->OnChange = [this](TObject*) { EditsChanged(); };
  Edit2->OnChange = [this](TObject*) { EditsChanged(); };
  EditsChanged();
}

void TKakkoAddForm::EditsChanged() {
  Button_OK->SetEnabled(IsOneCharacter(Edit1->Text()) && !Edit2->Text().empty());
}

bool ShowKakkoAddForm(const std::string& caption, std::string& line) {
  TOwned<TKakkoAddForm> form(TComponent::Create<TKakkoAddForm>(Application, "KakkoAddForm"));
  form->SetCaption(caption);
  TBracketLineParts parts = SplitBracketLine(line);
  form->Edit1->SetText(parts.Opener);
  form->Edit2->SetText(parts.Inserted);
  if (form->ShowModal() != mrOk)
    return false;
  line = form->Edit1->Text() + form->Edit2->Text();
  return true;
}

TKakkoForm::TKakkoForm(TComponent* owner) : TForm(owner) {
  SetCaption("自動括弧");
  SetUpDialog(*this, 400, 300);
  ListView1 = Create<TListView>(this, "ListView1");
  ListView1->SetViewStyle(TViewStyle::vsReport);
  ListView1->AddColumn("文字", 60);
  ListView1->AddColumn("入力", 200);
  ListView1->SetBounds(8, 8, 280, 220);
  ListView1->SetParent(this);
  Button1 = AddDialogButton(*this, "Button1", "追加(&A)", 296, 8);
  Button2 = AddDialogButton(*this, "Button2", "編集(&E)", 296, 40);
  Button3 = AddDialogButton(*this, "Button3", "削除(&D)", 296, 72);
  AddOkCancel(*this, Button_OK, Button_Cancel, 200, 236);
  Button1->OnClick = [this](TObject*) { AddLine(); };
  Button2->OnClick = [this](TObject*) { EditLine(); };
  ListView1->OnDblClick = Button2->OnClick;
  Button3->OnClick = [this](TObject*) { DeleteLine(); };
}

void TKakkoForm::ShowLines() {
  ListView1->BeginUpdate();
  ListView1->ClearItems();
  for (const std::string& line : Lines) {
    TBracketLineParts parts = SplitBracketLine(line);
    TListItem* item = ListView1->AddItem();
    item->Caption = parts.Opener;
    item->SubItems.Add(parts.Inserted);
  }
  ListView1->EndUpdate();
}

void TKakkoForm::AddLine() {
  std::string line;
  if (!ShowKakkoAddForm("追加 - 自動括弧", line))
    return;
  Lines.push_back(line);
  ShowLines();
  ListView1->SetItemIndex(static_cast<int>(Lines.size()) - 1);
}

void TKakkoForm::EditLine() {
  int index = ListView1->ItemIndex();
  if (index < 0)
    return;
  if (!ShowKakkoAddForm("編集 - 自動括弧", Lines.at(static_cast<size_t>(index))))
    return;
  ShowLines();
  ListView1->SetItemIndex(index);
}

void TKakkoForm::DeleteLine() {
  int index = ListView1->ItemIndex();
  if (index < 0)
    return;
  Lines.erase(Lines.begin() + index);
  ShowLines();
}

void ShowKakkoForm() {
  TOwned<TKakkoForm> form(TComponent::Create<TKakkoForm>(Application, "KakkoForm"));
  TSettingsBlock& settings = TopForm->Settings;
  for (int i = 0; i < settings.BracketList.Count(); ++i)
    form->Lines.push_back(settings.BracketList[i]);
  form->ShowLines();
  if (form->ShowModal() != mrOk)
    return;
  settings.BracketList.Clear();
  settings.BracketOpeners.clear();
  for (const std::string& line : form->Lines) {
    settings.BracketList.Add(line);
    settings.BracketOpeners += BracketOpener(line);
  }
  SaveAutoBracketList(settings.BracketList);
}

} // namespace quolin
