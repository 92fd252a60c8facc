#include "settings/ToolPages.h"

#include "app/TopUnit.h"
#include "core/ModuleEntry.h"
#include "texchain/TexCtrl.h"

namespace quolin {

namespace {

constexpr int LabelWidth = 128;
constexpr int EditWidth = 400;

template <typename T>
T* Place(TComponent& owner, TControl& parent, std::string_view name, const std::string& caption,
         int left, int top, int width, int height) {
  T* control = TComponent::Create<T>(&owner, name);
  control->SetCaption(caption);
  control->SetBounds(left, top, width, height);
  control->SetParent(&parent);
  return control;
}

// A label on the left of the edit it names.
TEdit* PlaceEdit(TComponent& owner, TControl& parent, std::string_view name,
                 const std::string& label, int top) {
  auto* caption = Place<TLabel>(owner, parent, {}, label, 12, top + 3, LabelWidth, 16);
  auto* edit = Place<TEdit>(owner, parent, name, "", 12 + LabelWidth, top, EditWidth, 21);
  caption->FocusControl = edit;
  return edit;
}

} // namespace

TFrm_Dde::TFrm_Dde(TComponent* owner) : TFrame(owner) {
  SetAlign(alClient);
  auto* label = Place<TLabel>(*this, *this, "Label1", "実行ファイル(&E) :", 8, 8, 300, 16);
  Edit_ExeName = Place<TEdit>(*this, *this, "Edit_ExeName", "", 8, 28, 440, 21);
  label->FocusControl = Edit_ExeName;
  Button1 = Place<TButton>(*this, *this, "Button1", "参照(&F)...", 456, 26, 100, 25);

  GroupBox_Call = Place<TGroupBox>(*this, *this, "GroupBox_Call", "呼び出し", 8, 64, 548, 52);
  Radio_Dde =
      Place<TRadioButton>(*this, *GroupBox_Call, "Radio_Dde", "&DDEを使用", 12, 22, 200, 20);
  Radio_Dos = Place<TRadioButton>(*this, *GroupBox_Call, "Radio_Dos", "コマンドラインを使用(&C)",
                                  240, 22, 280, 20);

  GroupBox_Dde = Place<TGroupBox>(*this, *this, "GroupBox_Dde", "DDE設定", 8, 124, 548, 118);
  Edit_DdeService = PlaceEdit(*this, *GroupBox_Dde, "Edit_DdeService", "サービス(&S) :", 22);
  Edit_DdeTopic = PlaceEdit(*this, *GroupBox_Dde, "Edit_DdeTopic", "トピック(&T) :", 52);
  Edit_DdeMacro = PlaceEdit(*this, *GroupBox_Dde, "Edit_DdeMacro", "マクロ(&M) :", 82);

  GroupBox_Dos =
      Place<TGroupBox>(*this, *this, "GroupBox_Dos", "コマンドライン設定", 8, 250, 548, 84);
  Edit_DosOption = PlaceEdit(*this, *GroupBox_Dos, "Edit_DosOption", "起動オプション(&O) :", 22);
  Check_DosEnd = Place<TCheckBox>(*this, *GroupBox_Dos, "Check_DosEnd",
                                  "コンソールプログラムの終了を検出(&Q)", 12, 54, 320, 20);
  Check_DosEnd->SetVisible(false);

  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  Radio_Dde->OnClick = [this](TObject* sender) { Radio_DdeClick(sender); };
  Radio_Dos->OnClick = [this](TObject* sender) { Radio_DosClick(sender); };
}

void TFrm_Dde::LoadModuleFields(const TModule& module) {
  Edit_ExeName->SetText(module.ExeName);
  Edit_DdeService->SetText(module.DdeService);
  Edit_DdeTopic->SetText(module.DDETopic);
  Edit_DdeMacro->SetText(module.DDEMacro);
  Edit_DosOption->SetText(module.DosOption);
  Check_DosEnd->SetChecked(module.DosCallBack);
  ShowCallKind(module.UseDDE);
}

void TFrm_Dde::SaveModuleFields(TModule& module) const {
  module.ExeName = Edit_ExeName->Text();
  module.UseDDE = Radio_Dde->Checked();
  module.DdeService = Edit_DdeService->Text();
  module.DDETopic = Edit_DdeTopic->Text();
  module.DDEMacro = Edit_DdeMacro->Text();
  module.DosOption = Edit_DosOption->Text();
  module.DosCallBack = Check_DosEnd->Checked();
}

void TFrm_Dde::EnableGroupControls(TControl& panel, bool enabled) {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(Components(i));
    if (control && control->Parent() == &panel &&
        (dynamic_cast<TEdit*>(control) || dynamic_cast<TLabel*>(control)))
      control->SetEnabled(enabled);
  }
}

void TFrm_Dde::Button1Click(TObject*) {
  std::string program;
  if (!TSettingsPage::BrowseFile(Edit_ExeName->Text(), "実行ファイル参照",
                                 "実行ファイル(*.exe)|*.exe", "", program))
    return;
  Edit_ExeName->SetText(program);
  ShowCallKind(IsKnownDdeProgram(program));
}

void TFrm_Dde::Radio_DdeClick(TObject*) {
  EnableGroupControls(*GroupBox_Dde, true);
  EnableGroupControls(*GroupBox_Dos, false);
}

void TFrm_Dde::Radio_DosClick(TObject*) {
  EnableGroupControls(*GroupBox_Dde, false);
  EnableGroupControls(*GroupBox_Dos, true);
}

// Checking a radio button that is checked already raises no click: the groups are set here.
void TFrm_Dde::ShowCallKind(bool useDde) {
  (useDde ? Radio_Dde : Radio_Dos)->SetChecked(true);
  if (useDde)
    Radio_DdeClick(this);
  else
    Radio_DosClick(this);
}

TToolPage::TToolPage(TComponent* owner, TSettingsChanges& changes, int helpContext,
                     TModuleType type)
    : TSettingsPage(owner, changes, helpContext), ModuleType(type) {
  Frm_Dde = Create<TFrm_Dde>(this, "Frm_Dde");
  Frm_Dde->SetParent(this);
}

void TToolPage::FillControls() {
  Frm_Dde->LoadModuleFields(TopForm->TexCtrl1->Module(ModuleType));
}

void TToolPage::StoreControls() {
  Changes.ModulesChanged = true;
  TModule module = TopForm->TexCtrl1->Module(ModuleType);
  Frm_Dde->SaveModuleFields(module);
  TopForm->TexCtrl1->Module(ModuleType).Assign(module);
}

} // namespace quolin
