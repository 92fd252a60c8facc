// The caret: its place after moves and column adjustments, and the system caret's shape,
// existence and visibility as the window system reports them.
#include "EditorWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace editortest;

namespace {

class EditorCaret : public ShownEditor {
protected:
  int Cell() { return editor.CharPitch() - editor.Margin().Character(); }
  // The column the caret takes when sent to col, or to row.
  int ColAfterSetCol(int col) {
    editor.SetCol(col);
    return editor.Col();
  }
  int ColAfterSetRow(int row) {
    editor.SetRow(row);
    return editor.Col();
  }
  // The thread's caret as the window system has it. Whether it shows is the editor's own
  // record: Wine reports every existing caret as blinking.
  static GUITHREADINFO SystemCaret() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info;
  }
  // Expects the system caret where the editor means it for the cell it stands on.
  void ExpectCaret(int width, int height, const char* what, int down = 0) {
    POINT at{editor.Margin().Left() + (editor.Col() - editor.TopCol()) * editor.CharPitch(),
             editor.Margin().Top() + (editor.Row() - editor.TopRow()) * editor.RowHeight() + down};
    RECT rect = SystemCaret().rcCaret;
    EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}),
              (std::vector<LONG>{at.x, at.y, at.x + width, at.y + height}))
        << what;
  }
};

TEST_F(EditorCaret, ShapesAndTheirDoublingOnALeadByte) {
  editor.Lines().SetText("ab漢字\r\n");
  window.Focus(editor);
  editor.SetCol(1);
  int height = editor.CharHeight();
  EXPECT_EQ(SystemCaret().hwndCaret, editor.Handle());
  ExpectCaret(2, height, "a bar");
  editor.SetCol(2);
  ExpectCaret(2, height, "a bar on a lead byte too");

  editor.Caret().SetStyle(TEditorCaretStyle::csBrief);
  ExpectCaret(2 * Cell(), 2, "brief, doubled", height - 2);
  editor.SetCol(1);
  ExpectCaret(Cell(), 2, "brief", height - 2);

  editor.SetOverWrite(true);
  ExpectCaret(Cell(), height, "a block");
  editor.SetCol(4);
  ExpectCaret(2 * Cell(), height, "a block, doubled");
  editor.Margin().SetCharacter(3);
  editor.SetCol(2);
  ExpectCaret(2 * Cell(), height, "the cell leaves out the spacing");
}

TEST_F(EditorCaret, ExistsOnlyWithTheFocusShowsOnlyInTheViewAndHidingNests) {
  editor.Lines().SetText(Rows(100));
  EXPECT_NE(SystemCaret().hwndCaret, editor.Handle());
  window.Focus(editor);
  EXPECT_EQ(SystemCaret().hwndCaret, editor.Handle());
  EXPECT_TRUE(editor.CaretVisible());
  editor.SetTopRow(50);
  EXPECT_FALSE(editor.CaretVisible()) << "the caret row is out of the view";
  editor.SetTopRow(0);
  EXPECT_TRUE(editor.CaretVisible());

  editor.CaretHide();
  editor.CaretHide();
  EXPECT_FALSE(editor.CaretVisible());
  editor.CaretShow();
  EXPECT_FALSE(editor.CaretVisible()) << "one show for two hides";
  editor.SetCol(2);
  EXPECT_FALSE(editor.CaretVisible()) << "a move does not show a hidden caret";
  editor.CaretShow();
  EXPECT_TRUE(editor.CaretVisible());
  ExpectCaret(2, editor.CharHeight(), "shown at the new place");
  editor.CaretShow();
  editor.CaretHide();
  EXPECT_FALSE(editor.CaretVisible()) << "a surplus show is not counted";
  editor.CaretShow();

  window.Unfocus();
  EXPECT_NE(SystemCaret().hwndCaret, editor.Handle()) << "destroyed with the focus";
  EXPECT_FALSE(editor.CaretVisible());
  int moved = 0;
  editor.OnCaretMoved = [&](TObject*) { ++moved; };
  editor.SetRow(80);
  EXPECT_EQ(editor.TopRow(), 0) << "a view without the focus does not follow its caret";
  EXPECT_EQ(moved, 0);
  window.Focus(editor);
  EXPECT_GT(moved, 0);
  EXPECT_EQ(editor.TopRow(), 80 - (editor.VisibleRows() - 1)) << "the focus brings it in";
}

// The editor keeps its own record of the focus; it must agree with the system's through
// moves between views, a window made again, and another top-level window taking it.
TEST_F(EditorCaret, FocusedAgreesWithTheSystemsFocus) {
  TEditor& other = *window.AddEditor(200, 40);
  auto focusOf = [&](TEditor& view) { return GetFocus() == view.Handle(); };
  auto expectAgreement = [&](const char* when) {
    EXPECT_EQ(editor.Focused(), focusOf(editor)) << when;
    EXPECT_EQ(other.Focused(), focusOf(other)) << when;
  };
  expectAgreement("before any focus");
  window.Focus(editor);
  EXPECT_TRUE(editor.Focused());
  expectAgreement("the first view focused");
  window.Focus(other);
  EXPECT_TRUE(other.Focused());
  expectAgreement("the second view focused");
  other.RecreateWnd();
  uitest::Pump();
  EXPECT_TRUE(other.Focused()) << "the focus comes back to a window made again";
  expectAgreement("the focused view made again");
  DestroyWindow(other.Handle());
  ASSERT_FALSE(other.HandleAllocated());
  other.HandleNeeded();
  uitest::Pump();
  EXPECT_FALSE(other.Focused()) << "a window destroyed from outside, then made again";
  expectAgreement("after a window destroyed from outside");
  window.Focus(editor);
  auto second = uitest::MakeForm();
  second->SetBounds(500, 300, 200, 100);
  second->Show();
  SetForegroundWindow(second->Handle());
  SetFocus(second->Handle());
  uitest::Pump();
  EXPECT_FALSE(editor.Focused());
  expectAgreement("another form focused");
}

// An undo puts the caret back in one move, reported once, with the view scrolled as a move to
// its row and then to its column scrolls it.
TEST_F(EditorCaret, UndoPlacesTheCaretOnceAndScrollsAsTwoMoves) {
  window.Focus(editor);
  editor.Lines().SetText("short\r\n" + std::string(300, 'a') + "\r\n");
  editor.SetRow(1);
  editor.SetCol(200);
  SendMessageA(editor.Handle(), WM_CHAR, 'x', 0);
  editor.SetRow(0);
  editor.SetCol(0);
  ASSERT_EQ(editor.TopCol(), 0);
  int moved = 0;
  editor.OnCaretMoved = [&](TObject*) { ++moved; };
  editor.Undo();
  EXPECT_EQ(moved, 1);
  const std::vector<int> undone = {editor.Row(), editor.Col(), editor.TopRow(), editor.TopCol()};
  EXPECT_EQ(undone[1], 200);
  EXPECT_GT(undone[3], 0) << "scrolled to the column";
  ExpectCaret(2, editor.CharHeight(), "the system caret at the undone place");
  editor.SetRow(0);
  editor.SetCol(0);
  editor.SetRow(undone[0]);
  editor.SetCol(undone[1]);
  EXPECT_EQ((std::vector<int>{editor.Row(), editor.Col(), editor.TopRow(), editor.TopCol()}),
            undone);
}

// A typed character and its undo hide the caret for the whole edit and show it once where it
// ends, with the underline under its row; a scroll on the way moves the system's caret too.
TEST_F(EditorCaret, TypingAndUndoShowTheCaretWhereTheyEnd) {
  editor.Marks().Underline().SetVisible(true);
  editor.Lines().SetText(Rows(40));
  window.Focus(editor);
  editor.SetCol(1);
  SendChars(editor, "x");
  EXPECT_TRUE(editor.CaretVisible());
  ExpectCaret(2, editor.CharHeight(), "after the typed x");
  editor.Undo();
  EXPECT_TRUE(editor.CaretVisible());
  ExpectCaret(2, editor.CharHeight(), "back where the x was typed");

  int last = editor.VisibleRows() - 1;
  editor.SetRow(last);
  editor.SetCol(0);
  SendChars(editor, "\r");
  ASSERT_EQ(editor.TopRow(), 1) << "the new row scrolled the view";
  EXPECT_TRUE(editor.CaretVisible());
  ExpectCaret(2, editor.CharHeight(), "on the new row after the scroll");
  editor.Undo();
  ExpectCaret(2, editor.CharHeight(), "the undo's place");
  editor.SetTopRow(0);
  ExpectCaret(2, editor.CharHeight(), "scrolled back without a move of the caret");
}

TEST_F(EditorCaret, KeepCaretRestoresTheWantedColumn) {
  editor.Caret().FreeCaret = false;
  editor.Caret().KeepCaret = true;
  editor.Lines().SetText(std::string(35, 'a') + "\r\nfive5\r\n" + std::string(40, 'b') + "\r\n");
  editor.SetCol(30);
  EXPECT_EQ(ColAfterSetRow(1), 5) << "cut to the short row's end";
  EXPECT_EQ(ColAfterSetRow(2), 30) << "back at the wanted column";
  editor.SetCol(31);
  editor.SetRow(1);
  editor.SetCol(2);
  EXPECT_EQ(ColAfterSetRow(2), 2) << "a sideways move forgets the wanted column";

  editor.Caret().KeepCaret = false;
  editor.SetCol(30);
  editor.SetRow(1);
  EXPECT_EQ(ColAfterSetRow(2), 5);
}

TEST_F(EditorCaret, ColumnsLeaveSecondBytesAndFillCellsInTheirDirection) {
  editor.Lines().SetText("a漢\tb\r\n");
  // "a" 0, "漢" 1-2, TAB 3 with fill 4-7, "b" 8.
  EXPECT_EQ(ColAfterSetCol(2), 3) << "rightwards off the second byte";
  EXPECT_EQ(ColAfterSetCol(2), 1) << "leftwards to the first byte";
  EXPECT_EQ(ColAfterSetCol(5), 8) << "rightwards past the fill cells";
  EXPECT_EQ(ColAfterSetCol(6), 3) << "leftwards onto the TAB";
  editor.Caret().InTab = true;
  EXPECT_EQ(ColAfterSetCol(6), 6) << "InTab lets the caret stand in the fill";
  editor.Caret().InTab = false;
  editor.SetRowCol(0, 7);
  EXPECT_EQ(editor.Col(), 3) << "row and column together go left to the TAB";
  editor.SetRowCol(0, 2);
  EXPECT_EQ(editor.Col(), 1) << "row and column together go left off the second byte";
  editor.SetRowCol(0, 8);
  editor.SetRowCol(0, 1);
  EXPECT_EQ(editor.Col(), 1) << "a first byte stays";
  editor.Caret().InTab = true;
  editor.SetRowCol(0, 2);
  EXPECT_EQ(editor.Col(), 1) << "InTab still never stands on a second byte";
  editor.SetRowCol(0, 6);
  EXPECT_EQ(editor.Col(), 6) << "InTab stands in the fill";
  editor.Caret().InTab = false;
  EXPECT_EQ(ColAfterSetCol(20), 20) << "a free caret stands past the row's end";
  EXPECT_EQ(ColAfterSetCol(5000), 1000);
  editor.SetRow(-3);
  EXPECT_EQ(editor.Row(), 0);

  // The column limit stops on a character's first cell.
  editor.Caret().SetTabSpaceCount(6);
  editor.Lines().SetText(std::string(999, 'a') + "漢\r\n" + std::string(997, 'a') + "\tz\r\n");
  editor.SetRowCol(0, 0);
  EXPECT_EQ(ColAfterSetCol(1000), 999) << "the double-byte character cut by the limit";
  editor.SetRowCol(1, 0);
  EXPECT_EQ(ColAfterSetCol(999), 997) << "the TAB whose fill reaches past the limit";
}

TEST_F(EditorCaret, WrappedRowsKeepTheCaretInsideTheWrapColumn) {
  editor.WrapOption().SetWrapByte(20);
  editor.SetWordWrap(true);
  editor.Lines().SetText(std::string(30, 'w') + "\r\nshort\r\n");
  ASSERT_EQ(editor.RowAttribute(0), raWrapped);
  EXPECT_EQ(ColAfterSetCol(25), 19) << "a wrapped row: its last byte";
  editor.SetRow(1);
  EXPECT_EQ(ColAfterSetCol(30), 19) << "the line's last row: before the wrap column";
  EXPECT_EQ(ColAfterSetCol(15), 15) << "a free caret inside the wrap column";
  editor.SetRowCol(2, 8);
  EXPECT_EQ(editor.Col(), 8);
}

} // namespace
