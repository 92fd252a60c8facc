#include "core/EditorMenuItems.h"

namespace quolin {

const std::array<EditorMenuItem, kEditorMenuItemCount>& EditorMenuItems() {
  static const std::array<EditorMenuItem, kEditorMenuItemCount> kItems = {{
      {"元に戻す(&U)", "Ctrl+Z", 'Z', EditorMenuAction::Undo},
      {"やり直し(&R)", "Ctrl+A", 'A', EditorMenuAction::Redo},
      {"-", "", 0, EditorMenuAction::None},
      {"切り取り(&T)", "Ctrl+X", 'X', EditorMenuAction::Cut},
      {"コピー(&C)", "Ctrl+C", 'C', EditorMenuAction::Copy},
      {"貼り付け(&P)", "Ctrl+V", 'V', EditorMenuAction::Paste},
      {"Box貼り付け(&B)", "Ctrl+B", 'B', EditorMenuAction::BoxPaste},
      {"削除(&D)", "", 0, EditorMenuAction::Delete},
      {"-", "", 0, EditorMenuAction::None},
      {"すべて選択(&A)", "", 0, EditorMenuAction::SelectAll},
      {"-", "", 0, EditorMenuAction::None},
      {"Box選択モード(&K)", "Ctrl+K", 'K', EditorMenuAction::BoxMode},
  }};
  return kItems;
}

bool EditorMenuItemEnabled(EditorMenuAction action, const EditorMenuState& state) {
  bool writable = !state.readOnly;
  switch (action) {
  case EditorMenuAction::None:
    return false;
  case EditorMenuAction::Undo:
    return state.canUndo && writable;
  case EditorMenuAction::Redo:
    return state.canRedo && writable;
  case EditorMenuAction::Cut:
  case EditorMenuAction::Delete:
    return state.selected && writable;
  case EditorMenuAction::Copy:
    return state.selected;
  case EditorMenuAction::Paste:
  case EditorMenuAction::BoxPaste:
    return state.clipboardHasText && writable;
  case EditorMenuAction::SelectAll:
    return !state.textEmpty;
  case EditorMenuAction::BoxMode:
    return true;
  }
  return false;
}

bool EditorMenuItemChecked(EditorMenuAction action, const EditorMenuState& state) {
  return action == EditorMenuAction::BoxMode && state.boxMode;
}

} // namespace quolin
