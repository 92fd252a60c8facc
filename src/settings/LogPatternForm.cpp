#include "settings/LogPatternForm.h"

#include "settings/DialogLayout.h"
#include "settings/ListEditing.h"
#include "ui/Application.h"
#include "ui/Panels.h"

namespace quolin {

namespace {

const TListQuery PatternQuery{"追加", "編集", "文字列を入力してください"};

} // namespace

TLogFindSetForm::TLogFindSetForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, 340, 280);
  auto* label = Create<TLabel>(this, "Label1");
  label->SetCaption("検出する開始文字列(&L) :");
  label->SetBounds(8, 8, 200, 16);
  label->SetParent(this);
  ListBox1 = Create<TListBox>(this, "ListBox1");
  ListBox1->SetBounds(8, 28, 216, 200);
  ListBox1->SetParent(this);
  label->FocusControl = ListBox1;
  Button1 = AddDialogButton(*this, "Button1", "追加(&A)", 232, 28);
  Button2 = AddDialogButton(*this, "Button2", "編集(&E)", 232, 60);
  Button3 = AddDialogButton(*this, "Button3", "削除(&D)", 232, 92);
  AddOkCancel(*this, Button_OK, Button_Cancel, 136, 236);
  Button1->OnClick = [this](TObject*) { AddListItem(*ListBox1, PatternQuery); };
  Button2->OnClick = [this](TObject*) { EditListItem(*ListBox1, PatternQuery); };
  ListBox1->OnDblClick = Button2->OnClick;
  Button3->OnClick = [this](TObject*) { DeleteListItem(*ListBox1); };
}

bool EditLogPatterns(const std::string& caption, std::string& patterns) {
  TOwned<TLogFindSetForm> form(TComponent::Create<TLogFindSetForm>(Application, "LogFindSetForm"));
  form->SetCaption(caption);
  form->ListBox1->Items().SetCommaText(patterns);
  if (form->ShowModal() != mrOk)
    return false;
  patterns = form->ListBox1->Items().CommaText();
  return true;
}

} // namespace quolin
