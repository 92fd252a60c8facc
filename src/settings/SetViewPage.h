// The view page: colours, styles, fonts and marks, previewed live in a sample editor, an
// outline tree and a log list.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_SetView : public TSettingsPage {
protected:
  TFrm_SetView(TComponent* owner, TSettingsChanges& changes);
};

} // namespace quolin
