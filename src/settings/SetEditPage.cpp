#include "settings/SetEditPage.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "core/SettingsMappings.h"
#include "settings/BracketListForm.h"
#include "settings/ListEditing.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr int EditPageHelpContext = 1302;
// The indentation kind whose indent characters the list holds.
constexpr int IndentWithList = 3;

const TListQuery IndentQuery{"インデント文字追加", "インデント文字編集",
                             "指定文字を入力してください"};

constexpr TCheckField<TEditOption> EditChecks[] = {
    {"Check_CommandIndent", "コマンドの改行にインデント処理をする(&R)",
     &TEditOption::CommandIndent},
    {"CB_AutoCommand1", "\"\\\"キーで(&Y)", &TEditOption::AutoCommand},
    {"CB_AutoKakko1", "自動括弧入力(&J)", &TEditOption::AutoKakko},
    {"CB_InsertOff1", "挿入/上書を抑制(&E)", &TEditOption::InsertKeyDisable},
    {"CB_AutoIME1", "編集時 &IMEをオン", &TEditOption::AutoImeOn},
};

} // namespace

TFrm_SetEdit::TFrm_SetEdit(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, EditPageHelpContext) {
  CB_SoftTab1 = AddCheck("CB_SoftTab1", "ソフトタブ(&P)");
  Combo_TabWidth1 = AddCombo("Combo_TabWidth1", "タブ幅(&T):", {"2", "4", "6", "8"});
  RadioButton1 = AddRadio("RadioButton1", "しない(&N)");
  RadioButton2 = AddRadio("RadioButton2", "タブ・スペースのみ(&M)");
  RadioButton3 = AddRadio("RadioButton3", "連続する行頭文字(&D)");
  RadioButton4 = AddRadio("RadioButton4", "タブ・スペースと指定文字(&S)");
  AddLabel("指定文字(&C):");
  ListBox1 = Create<TListBox>(this, "ListBox1");
  Place(*ListBox1, 160, 80);
  Button1 = AddButton("Button1", "追加");
  Button3 = AddButton("Button3", "編集");
  Button2 = AddButton("Button2", "削除");
  NextColumn();
  CB_Kinsoku1 = AddCheck("CB_Kinsoku1", "折り返し時に禁則表示を行う(&K)");
  Edit_LeftStr1 = AddEdit("Edit_LeftStr1", "行頭禁則(&A):");
  Edit_RightStr1 = AddEdit("Edit_RightStr1", "行末禁則(&O):");
  CB_WordWrap1 = AddCheck("CB_WordWrap1", "新規文章を折り返して開く(&W)");
  CB_WrapStr1 = AddCheck("CB_WrapStr1", "単語単位で折り返す(&H)");
  AddChecks(EditChecks);
  Combo_AutoCmdType1 =
      AddCombo("Combo_AutoCmdType1", "を起動(&Z)", {"コマンド支援", "ポップアップメニュー"});
  CB_FreeCursor1 = AddCheck("CB_FreeCursor1", "フリーカーソル(&F)");
  Button4 = AddButton("Button4", "詳細設定(&B)");

  for (int type = 0; type < 4; ++type)
    IndentButton(type)->OnClick = [this](TObject*) { IndentTypeChanged(); };
  Button1->OnClick = [this](TObject*) { AddListItem(*ListBox1, IndentQuery); };
  Button3->OnClick = [this](TObject*) { EditListItem(*ListBox1, IndentQuery); };
  ListBox1->OnDblClick = Button3->OnClick;
  Button2->OnClick = [this](TObject*) { DeleteListItem(*ListBox1); };
  Button4->OnClick = [](TObject*) { ShowKakkoForm(); };
}

TRadioButton* TFrm_SetEdit::IndentButton(int type) const {
  TRadioButton* const buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
  return buttons[type];
}

void TFrm_SetEdit::IndentTypeChanged() {
  bool listed = RadioButton4->Checked();
  for (TControl* control : std::initializer_list<TControl*>{ListBox1, Button1, Button2, Button3})
    control->SetEnabled(listed);
}

void TFrm_SetEdit::FillControls() {
  const TEditorProp& prop = *TopForm->EditorProp1;
  const TEditOption& option = TopForm->Settings.EditOption;
  CB_SoftTab1->SetChecked(prop.Caret().SoftTab);
  Combo_TabWidth1->SetItemIndex(TabWidthIndex(prop.Caret().TabSpaceCount()));
  IndentButton(std::clamp(option.IndentType, 0, IndentWithList))->SetChecked(true);
  IndentTypeChanged();
  ListBox1->Items().Assign(option.IndentList);
  ShowChecks(EditChecks, option);
  Combo_AutoCmdType1->SetItemIndex(AutoCommandTypeIndex(option.AutoCommandType));
  CB_Kinsoku1->SetChecked(prop.WrapOption().Leading());
  // Crossed as the labels read: a line may not begin with what follows a break.
  Edit_LeftStr1->SetText(prop.WrapOption().FollowStr());
  Edit_RightStr1->SetText(prop.WrapOption().LeadStr());
  CB_WordWrap1->SetChecked(prop.WordWrap());
  CB_WrapStr1->SetChecked(prop.WrapOption().WordBreak());
  CB_FreeCursor1->SetChecked(prop.Caret().FreeCaret);
}

void TFrm_SetEdit::StoreControls() {
  TEditorProp& prop = *TopForm->EditorProp1;
  TEditOption& option = TopForm->Settings.EditOption;
  prop.Caret().SoftTab = CB_SoftTab1->Checked();
  prop.Caret().SetTabSpaceCount(TabWidthOfIndex(Combo_TabWidth1->ItemIndex()));
  prop.Caret().FreeCaret = CB_FreeCursor1->Checked();
  for (int type = 0; type <= IndentWithList; ++type)
    if (IndentButton(type)->Checked())
      option.IndentType = type;
  option.IndentList.Assign(ListBox1->Items());
  ReadChecks(EditChecks, option);
  option.AutoCommandType = Combo_AutoCmdType1->ItemIndex();
  prop.WrapOption().SetLeading(CB_Kinsoku1->Checked());
  prop.WrapOption().SetFollowStr(Edit_LeftStr1->Text());
  prop.WrapOption().SetLeadStr(Edit_RightStr1->Text());
  prop.SetWordWrap(CB_WordWrap1->Checked());
  prop.WrapOption().SetWordBreak(CB_WrapStr1->Checked());
  Changes.EditorChanged = true;
  SaveEditOption(option);
}

} // namespace quolin
