#include "settings/SetViewPage.h"

namespace quolin {

TFrm_SetView::TFrm_SetView(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, 1304) {
}

} // namespace quolin
