// The log and processing page: which tool output files a closing document deletes, which lines
// of a TeX log are errors and warnings, and saving before a TeX run.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_SetLogDel : public TSettingsPage {
public:
  TEdit* Edit_LogExt;
  TButton* Button1;
  TButton* Button2;

protected:
  TFrm_SetLogDel(TComponent* owner, TSettingsChanges& changes);
  void FillControls() override;
  void StoreControls() override;

private:
  // The pattern lists are stored at once by their own dialog's OK.
  void EditPatterns(const std::string& caption, std::string& patterns);
};

} // namespace quolin
