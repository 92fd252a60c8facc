#include "commands/SetReservUnit.h"

#include "app/TopUnit.h"
#include "commands/ReservedWords.h"
#include "common/FileDialogs.h"
#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/ReserveWordList.h"
#include "core/ResConst.h"
#include "settings/DialogLayout.h"
#include "ui/Dialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/Panels.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr char FormName[] = "SetReservForm";
constexpr char ListExtension[] = "lst";

} // namespace

TSetReservForm::TSetReservForm(TComponent* owner) : TForm(owner) {
  SetCaption("予約語設定");
  SetUpDialog(*this, 330, 360);
  auto* label = Create<TLabel>(this, "Label1");
  label->SetCaption("指定文字へ移動(&M) :");
  label->SetBounds(8, 8, 200, 16);
  label->SetParent(this);
  Edit1 = Create<TEdit>(this, "Edit1");
  Edit1->SetBounds(8, 26, 208, 21);
  Edit1->SetParent(this);
  label->FocusControl = Edit1;
  ListBox1 = Create<TListBox>(this, "ListBox1");
  ListBox1->SetBounds(8, 54, 208, 230);
  ListBox1->SetParent(this);
  Button_Add = AddDialogButton(*this, "Button_Add", "追加(&A)", 226, 54);
  Button_Edit = AddDialogButton(*this, "Button_Edit", "編集(&E)", 226, 86);
  Button_Delete = AddDialogButton(*this, "Button_Delete", "削除(&D)", 226, 118);
  Button_Import = AddDialogButton(*this, "Button_Import", "インポート", 226, 166);
  Button_Export = AddDialogButton(*this, "Button_Export", "エクスポート", 226, 198);
  AddOkCancel(*this, Button_OK, Button_Cancel, 130, 296);
  Button_Add->OnClick = [this](TObject*) { AddWord(); };
  Button_Edit->OnClick = [this](TObject*) { EditWord(); };
  ListBox1->OnDblClick = Button_Edit->OnClick;
  Button_Delete->OnClick = [this](TObject*) { DeleteWord(); };
  Button_Import->OnClick = [this](TObject*) { ImportWords(); };
  Button_Export->OnClick = [this](TObject*) { ExportWords(); };
  Edit1->OnChange = [this](TObject*) { MoveToText(); };
}

void TSetReservForm::AddWord() {
  std::string answer = Edit1->Text();
  if (!InputQuery("追加", "追加する予約語を入力してください", answer))
    return;
  answer = Trim(answer);
  if (answer.empty() || IsListedWord(ListBox1->Items(), answer)) {
    Beep();
    return;
  }
  ListBox1->SetItemIndex(ListBox1->Items().Add(answer));
}

void TSetReservForm::EditWord() {
  int index = ListBox1->ItemIndex();
  if (index < 0)
    return;
  std::string answer = ListBox1->Items()[index];
  if (!InputQuery("編集", "予約語を入力してください", answer))
    return;
  answer = Trim(answer);
  if (answer.empty() || IsListedWord(ListBox1->Items(), answer))
    return;
  ListBox1->Items().Put(index, answer);
  ListBox1->SetItemIndex(index);
}

void TSetReservForm::DeleteWord() {
  int index = ListBox1->ItemIndex();
  if (index < 0)
    return;
  TStrings& items = ListBox1->Items();
  items.Delete(index);
  ListBox1->SetItemIndex(std::min(index, items.Count() - 1));
}

void TSetReservForm::MoveToText() {
  int index = MoveToIndex(ListBox1->Items(), Edit1->Text());
  if (index >= 0)
    ListBox1->SetItemIndex(index);
}

void TSetReservForm::ImportWords() {
  if (MsgBox(res::ReserveImportQuestion, "Iyn") != 'y')
    return;
  TFileDialogParams params;
  params.Filter = res::ReserveListFilter;
  std::string fileName;
  bool readOnly = false;
  if (!ShowOpenDialog(params, nullptr, fileName, readOnly))
    return;
  try {
    std::vector<std::string> words = ReadReserveWordFile(fileName);
    TStrings& items = ListBox1->Items();
    items.BeginUpdate();
    items.Clear();
    for (const std::string& word : words)
      items.Add(word);
    items.EndUpdate();
  } catch (const EFileError& error) {
    MsgBox(error.what(), "WoB");
  }
}

void TSetReservForm::ExportWords() {
  TFileDialogParams params;
  params.Filter = res::ReserveListFilter;
  params.DefaultExt = ListExtension;
  std::string fileName;
  bool readOnly = false;
  if (!ShowSaveDialog(params, fileName, readOnly))
    return;
  if (!WriteReserveWordFile(fileName, ListBox1->Items()))
    MsgBoxFmt(res::SaveFailed, {fileName}, "WoB");
}

void ShowSetReservForm() {
  auto* form = dynamic_cast<TSetReservForm*>(TopForm->FindComponent(FormName));
  if (!form)
    form = TComponent::Create<TSetReservForm>(TopForm, FormName);
  form->ListBox1->Items().Assign(TopForm->ReserveList);
  if (form->ShowModal() == mrOk)
    ApplyReserveList(form->ListBox1->Items());
}

} // namespace quolin
