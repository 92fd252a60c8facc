#include "editor/EditorControl.h"

namespace quolin {

void TEditor::RemoveSelection() {
  if (selection_.state != 2) {
    selection_.state = 0; // an anchor shows nothing yet
    return;
  }
  selection_.state = 0;
  if (selection_.startRow != selection_.endRow || selection_.startCol != selection_.endCol) {
    selection_.removing = true;
    InvalidateRows(selection_.startRow - 1, selection_.endRow);
    selection_.removing = false;
  }
  EndCaretMove();
  rememberedValid_ = false;
  DoSelectionChange(false);
}

void TEditor::SetSelectionMode(int mode) {
  if (selection_.dragState == 2 || mode == selection_.mode)
    return;
  selection_.mode = mode;
  DoSelectionModeChange();
}

void TEditor::DoSelectionChange(bool selected) {
  if (OnSelectionChange && EventsAllowed())
    OnSelectionChange(this, selected);
}

void TEditor::DoSelectionModeChange() {
  if (OnSelectionModeChange && EventsAllowed())
    OnSelectionModeChange(this);
}

void TEditor::CopyToClipboard() {
}

void TEditor::CutToClipboard() {
}

void TEditor::PasteFromClipboard() {
}

void TEditor::ClearSelection() {
}

void TEditor::SelectAll() {
}

void TEditor::SetBoxSelTextBuf(const char*) {
}

} // namespace quolin
