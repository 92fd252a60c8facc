#include "settings/JumpUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "editor/EditorControl.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/FormPlacement.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"

#include <initializer_list>

namespace quolin {

TJumpForm* JumpForm = nullptr;

namespace {

constexpr char PlacementName[] = "JumpForm";

} // namespace

TJumpForm::TJumpForm(TComponent* owner) : TForm(owner) {
  SetCaption("行ジャンプ");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  // Where the user left it last time.
  SetPosition(TPosition::poDesigned);
  Label1 = PlaceControl<TLabel>(this, "Label1", this, {8, 14, 80, 13}, "移動先(&L) :");
  SpinEdit1 = PlaceControl<TSpinEdit>(this, "SpinEdit1", this, {90, 10, 90, 21});
  SpinEdit1->SetMinValue(1);
  // Empty until the first activation puts the caret's line there.
  SpinEdit1->SetText("");
  Label1->FocusControl = SpinEdit1;
  Button1 = PlaceControl<TButton>(this, "Button1", this, {8, 42, 84, 25}, "移動(&J)");
  Button1->SetDefault(true);
  Button1->OnClick = [this](TObject*) { Button1Click(); };
  Button2 = PlaceControl<TButton>(this, "Button2", this, {100, 42, 80, 25}, "閉じる");
  Button2->SetCancel(true);
  Button2->OnClick = [this](TObject*) { Close(); };
  SetClientSize(188, 75);
  if (TopForm)
    SetPopupParent(TopForm);
  LoadFormPlacement(res::RegSectionForms, PlacementName, *this);
}

void TJumpForm::BeforeDestruction() {
  SaveFormPlacement(res::RegSectionForms, PlacementName, *this);
  TForm::BeforeDestruction();
}

void TJumpForm::DoShow() {
  CheckCommandItems(CommandId);
  TForm::DoShow();
}

void TJumpForm::DoClose(TCloseAction& action) {
  UncheckCommandItems(CommandId);
  TForm::DoClose(action);
}

void TJumpForm::Activate() {
  const bool hasDoc = HasDoc();
  for (TControl* control : std::initializer_list<TControl*>{Label1, SpinEdit1, Button1})
    control->SetEnabled(hasDoc);
  if (hasDoc) {
    TDocForm& doc = *ActiveDoc();
    const int lineCount = doc.ActiveEditor->Lines().Count();
    SpinEdit1->SetMaxValue(lineCount);
    // An empty box counts as 0; Value() would read it as the minimum.
    const int value = StrToIntDef(SpinEdit1->Text(), 0);
    if (value > lineCount)
      SpinEdit1->SetValue(lineCount);
    else if (value == 0)
      SpinEdit1->SetValue(doc.CaretLine() + 1);
  }
  TForm::Activate();
}

void TJumpForm::Button1Click() {
  // The document may have closed while the box stayed open.
  if (!HasDoc())
    return;
  GoToActiveDocLine(SpinEdit1->Value() - 1);
}

void ToggleJumpForm(int commandId) {
  if (!JumpForm)
    JumpForm = TComponent::Create<TJumpForm>(Application, "JumpForm");
  if (JumpForm->Visible()) {
    JumpForm->Close();
    return;
  }
  JumpForm->CommandId = commandId;
  JumpForm->Show();
}

} // namespace quolin
