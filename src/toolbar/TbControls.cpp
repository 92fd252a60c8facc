#include "toolbar/TbControls.h"

namespace quolin {

TToolbarButton::TToolbarButton(TComponent* owner) : TSpeedButton(owner) {
  Flat = true;
  SetBounds(0, 0, 22, 23);
}

} // namespace quolin
