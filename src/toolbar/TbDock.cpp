#include "toolbar/TbDock.h"

namespace quolin {

namespace {

constexpr TAlign DockAlign[] = {alTop, alBottom, alLeft, alRight};

} // namespace

TDock::TDock(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 0, 0);
  SetAlign(alTop);
}

void TDock::SetPosition(TDockPosition position) {
  position_ = position;
  SetAlign(DockAlign[position]);
}

} // namespace quolin
