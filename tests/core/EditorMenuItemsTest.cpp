#include "core/EditorMenuItems.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

using Action = EditorMenuAction;

TEST(EditorMenuItems, EntriesInOrderWithCaptionsAndShortcuts) {
  struct Expected {
    const char* caption;
    const char* shortcut;
    Action action;
  };
  const Expected expected[] = {
      {"元に戻す(&U)", "Ctrl+Z", Action::Undo},
      {"やり直し(&R)", "Ctrl+A", Action::Redo},
      {"-", "", Action::None},
      {"切り取り(&T)", "Ctrl+X", Action::Cut},
      {"コピー(&C)", "Ctrl+C", Action::Copy},
      {"貼り付け(&P)", "Ctrl+V", Action::Paste},
      {"Box貼り付け(&B)", "Ctrl+B", Action::BoxPaste},
      {"削除(&D)", "", Action::Delete},
      {"-", "", Action::None},
      {"すべて選択(&A)", "", Action::SelectAll},
      {"-", "", Action::None},
      {"Box選択モード(&K)", "Ctrl+K", Action::BoxMode},
  };
  const auto& items = EditorMenuItems();
  ASSERT_EQ(items.size(), std::size(expected));
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_STREQ(items[i].caption, expected[i].caption) << i;
    EXPECT_STREQ(items[i].shortcut, expected[i].shortcut) << i;
    EXPECT_EQ(items[i].action, expected[i].action) << i;
    // The key letter agrees with the shortcut text.
    std::string shortcut = items[i].shortcut;
    EXPECT_EQ(items[i].shortcutKey, shortcut.empty() ? 0 : shortcut.back()) << i;
  }
  EXPECT_EQ(std::string(items[0].caption), "\x8C\xB3\x82\xC9\x96\xDF\x82\xB7(&U)"); // CP932
}

// The enabled actions of a state, in menu order.
std::string Enabled(const EditorMenuState& state) {
  std::string names;
  for (const EditorMenuItem& item : EditorMenuItems()) {
    if (EditorMenuItemEnabled(item.action, state))
      names += std::to_string(static_cast<int>(item.action)) + " ";
  }
  return names;
}

std::string Names(std::initializer_list<Action> actions) {
  std::string names;
  for (Action action : actions)
    names += std::to_string(static_cast<int>(action)) + " ";
  return names;
}

TEST(EditorMenuItems, EnableMatrix) {
  EditorMenuState nothing;
  EXPECT_EQ(Enabled(nothing), Names({Action::BoxMode}));

  EditorMenuState everything{true, true, false, true, true, false, true};
  EXPECT_EQ(Enabled(everything),
            Names({Action::Undo, Action::Redo, Action::Cut, Action::Copy, Action::Paste,
                   Action::BoxPaste, Action::Delete, Action::SelectAll, Action::BoxMode}));

  EditorMenuState readOnly = everything;
  readOnly.readOnly = true;
  EXPECT_EQ(Enabled(readOnly), Names({Action::Copy, Action::SelectAll, Action::BoxMode}));

  EditorMenuState selection;
  selection.selected = true;
  EXPECT_EQ(Enabled(selection),
            Names({Action::Cut, Action::Copy, Action::Delete, Action::BoxMode}));

  EditorMenuState clipboard;
  clipboard.clipboardHasText = true;
  EXPECT_EQ(Enabled(clipboard), Names({Action::Paste, Action::BoxPaste, Action::BoxMode}));

  EditorMenuState history;
  history.canUndo = true;
  EXPECT_EQ(Enabled(history), Names({Action::Undo, Action::BoxMode}));
  history = {};
  history.canRedo = true;
  EXPECT_EQ(Enabled(history), Names({Action::Redo, Action::BoxMode}));

  EditorMenuState text;
  text.textEmpty = false;
  EXPECT_EQ(Enabled(text), Names({Action::SelectAll, Action::BoxMode}));
}

TEST(EditorMenuItems, OnlyBoxModeIsChecked) {
  EditorMenuState box;
  box.boxMode = true;
  for (const EditorMenuItem& item : EditorMenuItems()) {
    EXPECT_EQ(EditorMenuItemChecked(item.action, box), item.action == Action::BoxMode);
    EXPECT_FALSE(EditorMenuItemChecked(item.action, EditorMenuState()));
  }
}

} // namespace
