// The section outline of the main window: the heading patterns, and the handlers of its tree.
//
// Stand-ins until the outline exists: no patterns are read, documents are not scanned, and the
// tree takes no part in dragging.
#pragma once

#include "ui/Types.h"

namespace quolin {

class TObject;
class TTreeNode;

void CreateSectionLists();
// Reads the heading patterns of section "Section".
void LoadSectionSettings();
void FreeSectionLists();
// Lets every document rebuild its branch (the outline panel was shown).
void RestartOutlineRescans();

// The outline tree's selection changed.
void OutlineSelectionChanged(TTreeNode* node);
// The order of two outline nodes; negative when node1 comes first.
int CompareOutlineNodes(TTreeNode* node1, TTreeNode* node2);
void OutlineStartDrag();
void OutlineDragOver(TObject* source, int x, int y, TDragState state, bool& accept);
void OutlineEndDrag(TObject* target, int x, int y);

} // namespace quolin
