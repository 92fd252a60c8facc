// The first editor page: tabs, indentation, line-break rules, wrapping and input helpers.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_SetEdit : public TSettingsPage {
public:
  TCheckBox* CB_SoftTab1;
  TComboBox* Combo_TabWidth1;
  TRadioButton* RadioButton1;
  TRadioButton* RadioButton2;
  TRadioButton* RadioButton3;
  TRadioButton* RadioButton4;
  TListBox* ListBox1;
  TButton* Button1;
  TButton* Button3;
  TButton* Button2;
  TCheckBox* CB_Kinsoku1;
  TEdit* Edit_LeftStr1;
  TEdit* Edit_RightStr1;
  TCheckBox* CB_WordWrap1;
  TCheckBox* CB_WrapStr1;
  TComboBox* Combo_AutoCmdType1;
  TCheckBox* CB_FreeCursor1;
  TButton* Button4;

protected:
  TFrm_SetEdit(TComponent* owner, TSettingsChanges& changes);
  void FillControls() override;
  void StoreControls() override;

private:
  TRadioButton* IndentButton(int type) const;
  void IndentTypeChanged();
};

} // namespace quolin
