#include "app/Outline.h"

namespace quolin {

void CreateSectionLists() {
}

void LoadSectionSettings() {
}

void FreeSectionLists() {
}

void RestartOutlineRescans() {
}

void OutlineSelectionChanged(TTreeNode*) {
}

int CompareOutlineNodes(TTreeNode*, TTreeNode*) {
  return 0;
}

void OutlineStartDrag() {
}

void OutlineDragOver(TObject*, int, int, TDragState, bool& accept) {
  accept = false;
}

void OutlineEndDrag(TObject*, int, int) {
}

} // namespace quolin
