#include "commands/ListWindows.h"

namespace quolin {

TFrm_List::TFrm_List(TComponent* owner) : TPanel(owner) {
  SetBevelOuter(TBevelCut::bvNone);
}

void TFrm_List::SetGroup(int commandNumber) {
  commandNumber_ = commandNumber;
  RefreshContent();
}

void TFrm_List::RefreshContent() {
}

void SaveListWindowState() {
}

void LoadListWindowState() {
}

void RefreshListWindows(const std::string&) {
}

} // namespace quolin
