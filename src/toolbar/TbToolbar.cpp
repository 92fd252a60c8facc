#include "toolbar/TbToolbar.h"

namespace quolin {

TToolbar::TToolbar(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 100, 26);
}

} // namespace quolin
