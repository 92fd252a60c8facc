// The dockable toolbar.
//
// Stand-in until the toolbar library exists: a plain panel that holds the buttons put on it
// where they were placed.
#pragma once

#include "ui/Control.h"

namespace quolin {

class TToolbar : public TCustomControl {
protected:
  explicit TToolbar(TComponent* owner);
};

} // namespace quolin
