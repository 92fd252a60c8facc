// The spell-check page: the dictionaries and what the check skips. Hosted by the settings
// dialog and by the spell-check window's settings form.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_SpellCheck : public TSettingsPage {
public:
  TEdit* Edit_UserDic;
  TButton* Button_UserDic;
  TEdit* Edit_DicFolder;
  TButton* Button_DicFolder;
  TComboBox* Combo_MinWordCount1;

protected:
  TFrm_SpellCheck(TComponent* owner, TSettingsChanges& changes);
  void FillControls() override;
  void StoreControls() override;

private:
  void BrowseDictionary();
};

} // namespace quolin
