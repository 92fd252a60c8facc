#include "commands/SetMenuAddUnit.h"

#include "settings/DialogLayout.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Panels.h"

namespace quolin {

namespace {

constexpr char FormName[] = "SetMenuAddForm";
constexpr int FieldLeft = 140;
constexpr int FieldWidth = 200;

template <typename T>
T* AddField(TForm& form, const char* name, int top, const char* caption) {
  auto* label = PlaceControl<TLabel>(&form, (std::string("Label_") + name).c_str(), &form,
                                     {8, top + 3, FieldLeft - 12, 16});
  label->SetCaption(caption);
  T* field = PlaceControl<T>(&form, name, &form, {FieldLeft, top, FieldWidth, 21});
  label->FocusControl = field;
  return field;
}

} // namespace

TSetMenuAddForm::TSetMenuAddForm(TComponent* owner) : TForm(owner) {
  SetCaption("プロパティ - メニュー");
  SetUpDialog(*this, 360, 140);
  Edit_Caption = AddField<TEdit>(*this, "Edit_Caption", 8, "表題(&C) :");
  HotKey_ShortCut = AddField<THotKey>(*this, "HotKey_ShortCut", 36, "ショートカットキー(&K) :");
  AddOkCancel(*this, Button_OK, Button_Cancel, 160, 72);
}

bool ShowSetMenuAddForm(TQuolin_MenuList& record) {
  TOwned<TSetMenuAddForm> form(TComponent::Create<TSetMenuAddForm>(Application, FormName));
  form->Edit_Caption->SetText(record.Caption);
  form->HotKey_ShortCut->SetHotKey(record.ShortCut);
  if (form->ShowModal() != mrOk)
    return false;
  record.Caption = form->Edit_Caption->Text();
  record.ShortCut = form->HotKey_ShortCut->HotKey();
  return true;
}

} // namespace quolin
