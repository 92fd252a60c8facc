// The editor's context menu: its items, their state at each opening, and the actions.
#include "editor/EditorPopupMenu.h"
#include "EditorWindow.h"
#include "ui/Clipboard.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace editortest;

namespace {

class EditorPopupMenu : public ShownEditor {
protected:
  TEditorPopupMenu& menu = *dynamic_cast<TEditorPopupMenu*>(editor.PopupMenu());

  TMenuItem& Item(EditorMenuAction action) { return *menu.ItemFor(action); }
  // Clicks the item as a click in the open menu would: after the menu's update.
  void Choose(EditorMenuAction action) {
    menu.UpdateItems();
    Item(action).Click();
  }
  // The actions enabled by the menu's update, in their order.
  std::vector<EditorMenuAction> EnabledActions() {
    menu.UpdateItems();
    std::vector<EditorMenuAction> enabled;
    for (int action = 1; action <= 9; ++action)
      if (Item(static_cast<EditorMenuAction>(action)).Enabled())
        enabled.push_back(static_cast<EditorMenuAction>(action));
    return enabled;
  }
  // The open menu's window: this thread's own, whatever menus other programs show.
  static HWND OpenMenuWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static BOOL CALLBACK KeepMenuWindow(HWND candidate, LPARAM found) {
    char name[8] = {};
    GetClassNameA(candidate, name, sizeof name);
    if (std::string(name) != "#32768")
      return TRUE;
    *reinterpret_cast<HWND*>(found) = candidate;
    return FALSE;
  }
  // Right-clicks the editor; while the menu is open, the keys are pressed in it. The menu opens
  // where the pointer may rest and mark the item under it: the keys start with Home or End.
  void RightClickAndPress(std::vector<WORD> keys) {
    auto* presser = TComponent::Create<TTimer>(&window.Form());
    presser->SetInterval(100);
    presser->OnTimer = [presser, keys](TObject*) {
      presser->SetEnabled(false);
      HWND menuWindow = OpenMenuWindow();
      for (WORD key : keys) {
        PostMessageA(menuWindow, WM_KEYDOWN, key, 1);
        PostMessageA(menuWindow, WM_KEYUP, key, 1 | (3u << 30));
      }
    };
    HWND handle = editor.Handle();
    SendMessageA(handle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 10));
    SendMessageA(handle, WM_RBUTTONUP, 0, MAKELPARAM(40, 10));
    presser->Free();
  }
};

TEST_F(EditorPopupMenu, ItemsComeFromTheTableAllDisabled) {
  ASSERT_EQ(menu.Items()->Count(), kEditorMenuItemCount);
  const auto& table = EditorMenuItems();
  for (int index = 0; index < kEditorMenuItemCount; ++index) {
    TMenuItem* item = menu.Items()->Items(index);
    EXPECT_EQ(item, menu.MenuItem(index));
    EXPECT_EQ(item->Caption(), table[static_cast<size_t>(index)].caption);
    EXPECT_EQ(ShortCutToText(item->ShortCut()), table[static_cast<size_t>(index)].shortcut);
    EXPECT_FALSE(item->Enabled()) << "until the menu opens: " << index;
  }
  EXPECT_EQ(Item(EditorMenuAction::Redo).ShortCut(), ShortCut('A', ssCtrl));
}

TEST_F(EditorPopupMenu, UpdateItemsFollowsTheViewsState) {
  using enum EditorMenuAction;
  using Actions = std::vector<EditorMenuAction>;
  ASSERT_TRUE(uitest::EmptyTheClipboard());
  EXPECT_EQ(EnabledActions(), Actions{BoxMode}) << "an empty text, an empty clipboard";
  editor.Lines().Add("typed");
  ASSERT_TRUE(SetClipboardText("clip"));
  EXPECT_EQ(EnabledActions(), (Actions{Undo, Paste, BoxPaste, SelectAll, BoxMode}))
      << "nothing selected";
  editor.Undo();
  EXPECT_EQ(EnabledActions(), (Actions{Redo, Paste, BoxPaste, BoxMode})) << "the text empty again";
  editor.SetReadOnly(true);
  EXPECT_EQ(EnabledActions(), Actions{BoxMode}) << "read-only";
  uitest::EmptyTheClipboard();
}

TEST_F(EditorPopupMenu, BoxModeItemTogglesItsCheckAndTheSelectionMode) {
  int changes = 0;
  editor.OnSelectionModeChange = [&](TObject*) { ++changes; };
  TMenuItem& box = Item(EditorMenuAction::BoxMode);
  Choose(EditorMenuAction::BoxMode);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(editor.SelectionMode(), 1);
  Choose(EditorMenuAction::BoxMode);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(editor.SelectionMode(), 0);
  EXPECT_EQ(changes, 2);
  editor.SetSelectionMode(1);
  menu.UpdateItems();
  EXPECT_TRUE(box.Checked()) << "the check follows the view at the next opening";
}

TEST_F(EditorPopupMenu, RightClickOpensTheMenuAndItsItemsWork) {
  editor.Lines().SetText("one\r\n");
  editor.Lines().Add("two");
  RightClickAndPress({VK_HOME, VK_RETURN});
  EXPECT_TRUE(editor.Focused()) << "the press took the focus";
  EXPECT_EQ(editor.Lines().Text(), "one\r\n") << "the first item undid the edit";
  RightClickAndPress({VK_HOME, VK_DOWN, VK_RETURN});
  EXPECT_EQ(editor.Lines().Text(), "one\r\ntwo\r\n") << "the second redid it";
  RightClickAndPress({VK_END, VK_RETURN});
  EXPECT_EQ(editor.SelectionMode(), 1) << "the last item switched box mode on";
}

} // namespace
