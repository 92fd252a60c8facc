// Dock panels on the edges of a form.
//
// Stand-in until the toolbar library exists: a dock only takes its edge and is empty, 0 pixels
// thick; windows put on it keep their own bounds.
#pragma once

#include "ui/Control.h"

namespace quolin {

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

class TDock : public TCustomControl {
public:
  TDockPosition Position() const { return position_; }
  // Aligns the dock to that edge.
  void SetPosition(TDockPosition position);

protected:
  explicit TDock(TComponent* owner);

private:
  TDockPosition position_ = dpTop;
};

} // namespace quolin
