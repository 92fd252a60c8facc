#include "texchain/TexCtrl.h"

namespace quolin {

TTexCtrl::TTexCtrl(TComponent* owner) : TComponent(owner), modules_(DefaultModules()) {
}

void TTexCtrl::DisconnectDde() {
  calls_.push_back("disconnect");
}

void TTexCtrl::CloseModules(int kind) {
  calls_.push_back("close " + std::to_string(kind));
}

} // namespace quolin
