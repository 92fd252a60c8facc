// The entries of the editor view's context menu, in order, and when each is enabled. The menu
// class builds its items from this table. Window-free.
#pragma once

#include <array>

namespace quolin {

enum class EditorMenuAction {
  None, // a separator
  Undo,
  Redo,
  Cut,
  Copy,
  Paste,
  BoxPaste, // the clipboard text inserted as a column block
  Delete,
  SelectAll,
  BoxMode, // toggles the box selection mode; checked while it is on
};

struct EditorMenuItem {
  const char* caption;  // "-" for a separator
  const char* shortcut; // "Ctrl+Z", or empty
  char shortcutKey;     // the letter pressed with Ctrl, or 0
  EditorMenuAction action;
};

// What the enable rules look at when the menu opens.
struct EditorMenuState {
  bool canUndo = false;
  bool canRedo = false;
  bool readOnly = false;
  bool selected = false;
  bool clipboardHasText = false; // CF_TEXT is on the clipboard
  bool textEmpty = true;
  bool boxMode = false;
};

// Nine commands and three separators.
inline constexpr int kEditorMenuItemCount = 12;
const std::array<EditorMenuItem, kEditorMenuItemCount>& EditorMenuItems();

bool EditorMenuItemEnabled(EditorMenuAction action, const EditorMenuState& state);
bool EditorMenuItemChecked(EditorMenuAction action, const EditorMenuState& state);

} // namespace quolin
