// The second editor page: the Enter key texts, comments, the right button, the tool windows
// and the outline.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_SetEdit2 : public TSettingsPage {
public:
  TEdit* Edit_Enter;
  TEdit* Edit_SEnter;
  TEdit* Edit_CEnter;
  TEdit* Edit_CSEnter;
  TEdit* Edit_Commenter;
  TRadioButton* RadioButton1;
  TRadioButton* RadioButton2;
  TRadioButton* RadioButton3;
  TComboBox* Combo_SectionView;
  TButton* Button1;

protected:
  TFrm_SetEdit2(TComponent* owner, TSettingsChanges& changes);
  void FillControls() override;
  void StoreControls() override;

private:
  TRadioButton* MouseButton(int type) const;
};

} // namespace quolin
