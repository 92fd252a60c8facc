// The left button as window messages: clicks, Shift+click, selecting by dragging and by rows
// in the left margin, dragging the selection to move or copy it, Esc, and what happens to
// keys and pointer shapes meanwhile.
#include "EditorWindow.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace editortest;

namespace {

class EditorMouse : public FocusedEditor {
protected:
  void SetUp() override {
    FocusedEditor::SetUp();
    editor.Lines().SetText("abcdef\r\nghijkl\r\nmnop");
  }
  int Pitch() { return editor.CharPitch(); }
  POINT At(int row, int col, int dx = 0) { return CellBoundary(editor, row, col, dx); }
  void SendAt(UINT message, POINT point, WPARAM keys) {
    Send(message, keys, MAKELPARAM(point.x, point.y));
  }
  void Press(POINT point, WPARAM keys = 0) { SendAt(WM_LBUTTONDOWN, point, MK_LBUTTON | keys); }
  void Move(POINT point, WPARAM keys = MK_LBUTTON) { SendAt(WM_MOUSEMOVE, point, keys); }
  void Release(POINT point, WPARAM keys = 0) { SendAt(WM_LBUTTONUP, point, keys); }
  void Click(POINT point, WPARAM keys = 0) {
    Press(point, keys);
    Release(point, keys);
  }
  // Presses inside the selection and drags to a boundary, the drag starting on the way.
  void DragTo(POINT from, POINT to, WPARAM keys = 0) {
    Press(from, keys);
    Move(POINT{from.x + Pitch(), from.y}, MK_LBUTTON | keys);
    Move(to, MK_LBUTTON | keys);
  }
};

TEST_F(EditorMouse, AClickPutsTheCaretOnTheNearestBoundaryAndShiftClickSelects) {
  int half = Pitch() / 2;
  Click(At(1, 2, half + 1));
  EXPECT_EQ(CaretAt(editor), std::pair(1, 3));
  Click(At(0, 2, half - 2));
  EXPECT_EQ(CaretAt(editor), std::pair(0, 2));
  Click(At(6, 1));
  EXPECT_EQ(editor.Row(), 3) << "below the text: the row after the final line end";
  EXPECT_FALSE(editor.Selected()) << "a click shows no selection";

  Click(At(0, 1));
  Click(At(1, 3), MK_SHIFT);
  EXPECT_EQ(editor.SelText(), "bcdef\r\nghi") << "from the caret";
  Click(At(0, 3), MK_SHIFT);
  EXPECT_EQ(editor.SelText(), "bc") << "the anchor stays";
}

TEST_F(EditorMouse, DraggingSelectsOnceThePointerMovedHalfAPitch) {
  Press(At(0, 1));
  Move(At(0, 1, 1));
  EXPECT_FALSE(editor.Selected());
  Move(At(0, 4));
  EXPECT_EQ(editor.SelText(), "bcd");
  Move(At(1, 2));
  EXPECT_EQ(editor.SelText(), "bcdef\r\ngh");
  Release(At(1, 2));
  EXPECT_EQ(editor.SelText(), "bcdef\r\ngh");
  EXPECT_EQ(Text(), "abcdef\r\nghijkl\r\nmnop\r\n");
}

TEST_F(EditorMouse, RowsSelectInTheLeftMargin) {
  POINT margin{2, At(1, 0).y};
  Press(margin);
  EXPECT_EQ(editor.SelText(), "ghijkl\r\n") << "the row with its line end";
  Move(POINT{2, At(2, 0).y});
  EXPECT_EQ(editor.SelText(), "ghijkl\r\nmnop\r\n");
  Move(POINT{2, At(0, 0).y});
  EXPECT_EQ(editor.SelText(), "abcdef\r\nghijkl\r\n") << "the anchor row stays selected";
  Release(POINT{2, At(0, 0).y});
  EXPECT_EQ(editor.Row(), 0);

  // A last row without line end is taken from its end back to column 0; a press below it
  // takes it too.
  SetOpenText(editor, "ab\r\ncd");
  Click(POINT{2, At(5, 0).y});
  EXPECT_EQ(editor.SelText(), "cd");
  EXPECT_EQ(CaretAt(editor), std::pair(1, 0));
}

TEST_F(EditorMouse, DraggingTheSelectionMovesItAndCtrlCopiesIt) {
  editor.Lines().SetText("hello world");
  Select(editor, 0, 6);
  DragTo(At(0, 2), At(0, 11));
  EXPECT_EQ(editor.Cursor(), editor.Caret().Cursors().DragSelCursor);
  Release(At(0, 11));
  EXPECT_EQ(Text(), "worldhello \r\n");
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(editor.Col(), 11) << "behind the moved text";
  editor.Undo();
  EXPECT_EQ(Text(), "hello world\r\n") << "one undo record";

  Select(editor, 0, 5);
  DragTo(At(0, 1), At(0, 11), MK_CONTROL);
  EXPECT_EQ(editor.Cursor(), editor.Caret().Cursors().DragSelCopyCursor);
  Release(At(0, 11), MK_CONTROL);
  EXPECT_EQ(Text(), "hello worldhello\r\n") << "the dragged text stays where it was";
}

TEST_F(EditorMouse, ADropInsideTheSelectionOrEscOnlyRemovesIt) {
  Select(editor, 0, 5);
  DragTo(At(0, 1), At(0, 3, 2));
  Release(At(0, 3, 2));
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(Text(), "abcdef\r\nghijkl\r\nmnop\r\n");

  // A press inside the selection that never moves is a click there.
  Select(editor, 0, 5);
  Click(At(0, 2, 2));
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(editor.Col(), 2);

  // Esc cancels the drag.
  Select(editor, 0, 5);
  DragTo(At(0, 1), At(1, 4));
  Send(WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(editor.Cursor(), editor.Caret().Cursors().DefaultCursor);
  Release(At(1, 4));
  EXPECT_EQ(Text(), "abcdef\r\nghijkl\r\nmnop\r\n");
}

TEST_F(EditorMouse, KeysAndCharactersWaitWhileTheButtonIsHeld) {
  Press(At(0, 1));
  SendChars(editor, "x");
  SendKey(editor, VK_RIGHT);
  Send(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(30, 10));
  Move(At(0, 4));
  ASSERT_EQ(editor.SelText(), "bcd");
  uitest::PressKey(editor.Handle(), 'X', ssCtrl);
  EXPECT_EQ(Text(), "abcdef\r\nghijkl\r\nmnop\r\n") << "no character, key or shortcut";
  EXPECT_EQ(editor.Col(), 4);
  Release(At(0, 4));
  SendKey(editor, VK_HOME);
  SendKey(editor, VK_RIGHT);
  SendChars(editor, "x");
  EXPECT_EQ(Text(), "axbcdef\r\nghijkl\r\nmnop\r\n");
}

TEST_F(EditorMouse, ThePointerShowsWhereItIs) {
  const TEditorCursors& cursors = editor.Caret().Cursors();
  Move(POINT{2, At(0, 0).y}, 0);
  EXPECT_EQ(editor.Cursor(), cursors.LeftMarginCursor);
  Select(editor, 0, 3);
  Move(At(0, 1, 2), 0);
  EXPECT_EQ(editor.Cursor(), cursors.InSelCursor);
  Move(At(1, 1, 2), 0);
  EXPECT_EQ(editor.Cursor(), cursors.DefaultCursor);
  editor.Caret().AutoCursor = false;
  Move(POINT{2, At(0, 0).y}, 0);
  EXPECT_EQ(editor.Cursor(), cursors.DefaultCursor) << "without AutoCursor the pointer stays";
}

} // namespace
