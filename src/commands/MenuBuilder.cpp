#include "commands/MenuBuilder.h"

namespace quolin {

void UpdateDocumentMenuState(bool) {
}

void UpdateSelectionMenuState(bool, bool) {
}

void CreateVisiSets() {
}

void FreeVisiSets() {
}

void SaveToolbarLayout() {
}

void LoadToolbarLayout() {
}

std::vector<TToolbar*>& UserToolbars() {
  static std::vector<TToolbar*> toolbars;
  return toolbars;
}

void CopyRemainMenuIntoGeneratedMenus(TPopupMenu&) {
}

} // namespace quolin
