#include "settings/TabUnit.h"

#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/CheckListBox.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"
#include "ui/TabControls.h"

#include <initializer_list>
#include <iterator>
#include <vector>

namespace quolin {

namespace {

TSpinEdit* PlaceSpin(TForm* form, const char* name, TControl* parent, int top, int value) {
  auto* spin = PlaceControl<TSpinEdit>(form, name, parent, {76, top, 56, 21});
  spin->SetMinValue(1);
  spin->SetMaxValue(99);
  spin->SetValue(value);
  return spin;
}

} // namespace

TTabForm::TTabForm(TComponent* owner) : TForm(owner) {
  SetCaption("表/行列");
  HelpContext = 1201;
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  if (TForm* active = Screen->ActiveForm(); active && active->Visible())
    SetPopupParent(active);
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", this, {8, 8, 320, 200});
  TabSheet1 = PlaceControl<TTabSheet>(this, "TabSheet1", PageControl1, {0, 0, 0, 0}, "Tabular/Array");
  TabSheet2 = PlaceControl<TTabSheet>(this, "TabSheet2", PageControl1, {0, 0, 0, 0}, "Table/Figure");
  BuildShapePage();
  BuildPlacementPage();
  BuildButtons();
  SetClientSize(336, 250);
}

void TTabForm::BuildShapePage() {
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", TabSheet1, {8, 8, 144, 80}, "行列");
  Label1 = PlaceControl<TLabel>(this, "Label1", GroupBox1, {10, 24, 60, 13}, "行数(&N) :");
  SpinEdit1 = PlaceSpin(this, "SpinEdit1", GroupBox1, 20, 3);
  Label2 = PlaceControl<TLabel>(this, "Label2", GroupBox1, {10, 52, 60, 13}, "列数(&C) :");
  SpinEdit2 = PlaceSpin(this, "SpinEdit2", GroupBox1, 48, 4);
  Label1->FocusControl = SpinEdit1;
  Label2->FocusControl = SpinEdit2;
  for (TSpinEdit* spin : {SpinEdit1, SpinEdit2})
    spin->OnKeyPress = [this](TObject*, char& key) { SpinKeyPress(key); };

  GroupBox4 = PlaceControl<TGroupBox>(this, "GroupBox4", TabSheet1, {8, 8, 144, 80}, "区切り");
  RadioButton4 = PlaceControl<TRadioButton>(this, "RadioButton4", GroupBox4, {10, 18, 120, 18}, "タブ(&T)");
  RadioButton5 = PlaceControl<TRadioButton>(this, "RadioButton5", GroupBox4, {10, 37, 120, 18}, "カンマ(&C)");
  RadioButton6 = PlaceControl<TRadioButton>(this, "RadioButton6", GroupBox4, {10, 56, 120, 18}, "スペース(&S)");

  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", TabSheet1, {160, 8, 144, 80}, "罫線");
  CheckBox1 = PlaceControl<TCheckBox>(this, "CheckBox1", GroupBox2, {10, 22, 120, 18}, "行(&H)");
  CheckBox2 = PlaceControl<TCheckBox>(this, "CheckBox2", GroupBox2, {10, 48, 120, 18}, "列(&V)");

  GroupBox3 = PlaceControl<TGroupBox>(this, "GroupBox3", TabSheet1, {8, 96, 296, 52}, "書式");
  RadioButton1 = PlaceControl<TRadioButton>(this, "RadioButton1", GroupBox3, {10, 22, 84, 18}, "左(&L)");
  RadioButton2 = PlaceControl<TRadioButton>(this, "RadioButton2", GroupBox3, {104, 22, 84, 18}, "中央(&M)");
  RadioButton3 = PlaceControl<TRadioButton>(this, "RadioButton3", GroupBox3, {198, 22, 84, 18}, "右(&R)");
}

void TTabForm::BuildPlacementPage() {
  CheckBox3 = PlaceControl<TCheckBox>(this, "CheckBox3", TabSheet2, {8, 8, 260, 18},
                               "配置オプションを使用する(&O)");
  CheckBox3->OnClick = [this](TObject*) { PlacementChecked(); };
  Label3 = PlaceControl<TLabel>(this, "Label3", TabSheet2, {8, 36, 160, 13}, "配置と優先順位(&A) :");
  CheckListBox1 = PlaceControl<TCheckListBox>(this, "CheckListBox1", TabSheet2, {8, 54, 180, 92});
  Label3->FocusControl = CheckListBox1;
  Button3 = PlaceControl<TButton>(this, "Button3", TabSheet2, {196, 54, 40, 25}, "↑");
  Button3->SetHint("優先順位を上げる");
  Button3->OnClick = [this](TObject*) { MoveSelected(-1); };
  Button4 = PlaceControl<TButton>(this, "Button4", TabSheet2, {196, 86, 40, 25}, "↓");
  Button4->SetHint("優先順位を下げる");
  Button4->OnClick = [this](TObject*) { MoveSelected(1); };
  for (TButton* button : {Button3, Button4})
    button->SetShowHint(true);
}

void TTabForm::BuildButtons() {
  Button1 = PlaceControl<TButton>(this, "Button1", this, {168, 216, 75, 25}, "OK");
  Button1->ModalResult = mrOk;
  Button1->SetDefault(true);
  Button2 = PlaceControl<TButton>(this, "Button2", this, {253, 216, 75, 25}, "キャンセル");
  Button2->ModalResult = mrCancel;
  Button2->SetCancel(true);
}

void TTabForm::EnableGroup(TGroupBox* group, bool enabled) {
  group->SetEnabled(enabled);
  for (int index = 0; index < group->ControlCount(); ++index)
    group->Controls(index)->SetEnabled(enabled);
}

void TTabForm::LoadParams(const TTabParams& params, bool newShape) {
  SpinEdit1->SetValue(params.Rows);
  SpinEdit2->SetValue(params.Columns);
  CheckBox1->SetChecked(true);
  CheckBox2->SetChecked(true);
  RadioButton1->SetChecked(true);
  CheckBox1->SetChecked(params.RowRules);
  CheckBox2->SetChecked(params.ColumnRules);
  TRadioButton* alignments[] = {RadioButton1, RadioButton3, RadioButton2};
  if (params.Alignment < std::size(alignments))
    alignments[params.Alignment]->SetChecked(true);
  GroupBox1->SetVisible(newShape);
  GroupBox4->SetVisible(!newShape);
  if (!newShape) {
    TRadioButton* separators[] = {RadioButton4, RadioButton5, RadioButton6};
    separators[params.Separator < std::size(separators) ? params.Separator : 0]->SetChecked(true);
  }
  for (TGroupBox* group : {GroupBox1, GroupBox2, GroupBox4})
    EnableGroup(group, params.UseShape);
  EnableGroup(GroupBox3, params.UseAlignment);
  TabSheet1->SetTabVisible(params.UseShape || params.UseAlignment);
  TabSheet2->SetTabVisible(params.UsePlacement);
  CheckBox3->SetChecked(params.UsePlacement);
  PlacementChecked();
  if (params.UsePlacement)
    LoadPlacement(params.Placement);
  PageControl1->SetActivePage(TabSheet1->TabVisible() ? TabSheet1 : TabSheet2);
}

void TTabForm::LoadPlacement(const std::string& placement) {
  std::vector<TPlacementItem> items = DefaultPlacementItems();
  ApplyPlacementText(items, placement);
  TStrings& list = CheckListBox1->Items();
  list.Clear();
  for (size_t index = 0; index < items.size(); ++index) {
    list.Add(items[index].Name);
    CheckListBox1->SetChecked(static_cast<int>(index), items[index].Checked);
  }
}

void TTabForm::PlacementChecked() {
  const bool enabled = CheckBox3->Checked();
  for (TControl* control : std::initializer_list<TControl*>{Label3, CheckListBox1, Button3, Button4})
    control->SetEnabled(enabled);
}

void TTabForm::MoveSelected(int step) {
  const int index = CheckListBox1->ItemIndex();
  const int target = index + step;
  if (index < 0 || target < 0 || target >= CheckListBox1->Items().Count())
    return;
  CheckListBox1->Items().Move(index, target);
  CheckListBox1->SetItemIndex(target);
}

void TTabForm::SpinKeyPress(char& key) {
  if (key == '\r')
    SetModalResult(mrOk);
  else if (key == '\x1b')
    SetModalResult(mrCancel);
  else
    return;
  key = 0;
}

void TTabForm::AfterShow() {
  if (GroupBox1->Visible() && TabSheet1->TabVisible() && SpinEdit1->Enabled())
    SpinEdit1->SetFocus();
  else
    Button1->SetFocus();
}

void TTabForm::SaveParams(TTabParams& params) const {
  params.Rows = SpinEdit1->Value();
  params.Columns = SpinEdit2->Value();
  params.RowRules = CheckBox1->Checked();
  params.ColumnRules = CheckBox2->Checked();
  params.Separator = RadioButton5->Checked() ? csComma : RadioButton6->Checked() ? csBlank : csTab;
  params.Alignment = RadioButton1->Checked() ? caLeft : RadioButton2->Checked() ? caCentre : caRight;
  std::vector<TPlacementItem> items;
  for (int index = 0; index < CheckListBox1->Items().Count(); ++index)
    items.push_back({CheckListBox1->Items()[index], CheckListBox1->Checked(index)});
  params.Placement = CheckBox3->Checked() ? PlacementText(items) : "";
}

bool ShowTabForm(TTabParams& params, bool newShape) {
  TOwned<TTabForm> form(TComponent::Create<TTabForm>(nullptr, "TabForm"));
  form->LoadParams(params, newShape);
  if (form->ShowModal() != mrOk)
    return false;
  form->SaveParams(params);
  return true;
}

} // namespace quolin
