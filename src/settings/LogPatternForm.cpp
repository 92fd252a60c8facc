#include "settings/LogPatternForm.h"

#include "settings/ListEditing.h"
#include "ui/Application.h"
#include "ui/Panels.h"

namespace quolin {

namespace {

const TListQuery PatternQuery{"追加", "編集", "文字列を入力してください"};

TButton* AddButton(TForm& form, const char* name, const char* caption, int top) {
  auto* button = TComponent::Create<TButton>(&form, name);
  button->SetCaption(caption);
  button->SetBounds(232, top, 88, 25);
  button->SetParent(&form);
  return button;
}

} // namespace

TLogFindSetForm::TLogFindSetForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poMainFormCenter);
  SetBounds(0, 0, 340, 280);
  auto* label = Create<TLabel>(this, "Label1");
  label->SetCaption("検出する開始文字列(&L) :");
  label->SetBounds(8, 8, 200, 16);
  label->SetParent(this);
  ListBox1 = Create<TListBox>(this, "ListBox1");
  ListBox1->SetBounds(8, 28, 216, 200);
  ListBox1->SetParent(this);
  label->FocusControl = ListBox1;
  Button1 = AddButton(*this, "Button1", "追加(&A)", 28);
  Button2 = AddButton(*this, "Button2", "編集(&E)", 60);
  Button3 = AddButton(*this, "Button3", "削除(&D)", 92);
  Button_OK = AddButton(*this, "Button_OK", "OK", 172);
  Button_OK->ModalResult = mrOk;
  Button_OK->SetDefault(true);
  Button_Cancel = AddButton(*this, "Button_Cancel", "キャンセル", 204);
  Button_Cancel->ModalResult = mrCancel;
  Button_Cancel->SetCancel(true);
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
