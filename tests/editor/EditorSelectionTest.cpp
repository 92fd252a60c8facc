// The selection and the text operations on it, without a window: offsets with line ends as 2,
// wrapped rows, box columns over double-byte characters and TABs, column-block inserts and the
// row operations; the maps between rows, lines, cells and offsets, and the tokens at a point
// (cells of 8 by 16 pixels from the margins).
#include "EditorDriver.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace editortest;

namespace {

TEST(EditorSelection, SelectAllAndSelLengthCountEachLineEndAsTwo) {
  auto editor = NewEditor("abcdef\r\nghij");
  editor->SelectAll();
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->SelStart(), 0);
  EXPECT_EQ(editor->SelLength(), 12);
  EXPECT_EQ(editor->SelText(), "abcdef\r\nghij");
  EXPECT_EQ(editor->TextLength(), 14) << "the final line end is text, but never selected";

  Select(*editor, 2, 6);
  EXPECT_EQ(editor->SelText(), "cdef\r\n");
  // A second length counts from the selection's start again.
  editor->SetSelLength(3);
  EXPECT_EQ(editor->SelText(), "cde");
  editor->SetSelLength(0);
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(CaretAt(*editor), std::pair(0, 2));
  EXPECT_EQ(editor->Text(), "abcdef\r\nghij\r\n") << "no byte removed";
}

TEST(EditorSelection, AWrappedLineSelectsWithoutABreakInside) {
  std::string line;
  for (int index = 0; index < 100; ++index)
    line += static_cast<char>('a' + index % 26);
  auto editor = NewWrappedEditor(60, line + "\r\nnext");
  ASSERT_EQ(editor->RowCount(), 3);
  Select(*editor, 0, 100);
  EXPECT_EQ(editor->SelLength(), 100);
  EXPECT_EQ(editor->SelText(), line);
  EXPECT_EQ(editor->Selection().endRow, 1);

  // Offsets into a wrapped line: the end of a wrapped row is the next row's start.
  editor->SetSelStart(60);
  EXPECT_EQ(CaretAt(*editor), std::pair(1, 0));
  editor->SetSelStart(70);
  EXPECT_EQ(CaretAt(*editor), std::pair(1, 10));
  EXPECT_EQ(editor->SelStart(), 70);
  editor->SetSelStart(103);
  EXPECT_EQ(CaretAt(*editor), std::pair(2, 1));
}

TEST(EditorSelection, SelStartWalksLineEndsAndStopsAtTheEnd) {
  auto editor = NewOpenEndedEditor("ab\r\ncd\r\nef");
  ASSERT_EQ(editor->RowAttribute(2), raTextEnd);
  struct Case {
    int offset, row, col;
  } cases[] = {{-5, 0, 0}, {0, 0, 0}, {2, 0, 2},  {3, 0, 2},  {4, 1, 0},
               {5, 1, 1},  {9, 2, 1}, {10, 2, 2}, {11, 2, 2}, {500, 2, 2}};
  for (const Case& c : cases) {
    editor->SetSelStart(c.offset);
    EXPECT_EQ(CaretAt(*editor), std::pair(c.row, c.col)) << c.offset;
  }
  // A text that ends with a line end: past the end is the end of its last row.
  auto closed = NewEditor("ab\r\ncd");
  closed->SetSelStart(100);
  EXPECT_EQ(CaretAt(*closed), std::pair(1, 2));
}

TEST(EditorSelection, BoxEdgesLeaveCutCharactersAndTabsOutOnTheLeftAndTakeThemOnTheRight) {
  // ASCII over double-byte characters over a TAB.
  auto editor = NewEditor("0123456789\r\nあいうえお\r\na\tbcdefgh");
  editor->SetSelectionMode(1);
  // Anchor at column 3 of the first row; the caret on the second row can only stand on a
  // character's first byte.
  editor->SetCol(3);
  editor->Press(VK_DOWN, ssShift);
  editor->Press(VK_RIGHT, ssShift, 2);
  ASSERT_EQ(editor->Col(), 6);
  EXPECT_EQ(editor->Selection().startCol, 3);
  EXPECT_EQ(editor->Selection().endCol, 6);
  EXPECT_EQ(editor->SelText(), "345\r\nう") << "い is cut by the left edge and left out";
  EXPECT_EQ(editor->SelLength(), 3 + 2 + 2 + 2);

  editor->RemoveSelection();
  editor->SetRowCol(1, 0);
  editor->Press(VK_UP, ssShift);
  editor->Press(VK_RIGHT, ssShift, 3);
  EXPECT_EQ(editor->SelText(), "012\r\nあい") << "い is cut by the right edge and taken whole";

  // From column 3 to 9: on the last row column 3 lies in the TAB's fill cells.
  editor->RemoveSelection();
  editor->SetRowCol(0, 3);
  editor->Press(VK_DOWN, ssShift, 2);
  ASSERT_EQ(editor->Col(), 1) << "the caret stands on the TAB, not in its fill cells";
  editor->Press(VK_RIGHT, ssShift, 2);
  ASSERT_EQ(editor->Selection().startCol, 3);
  ASSERT_EQ(editor->Selection().endCol, 9);
  EXPECT_EQ(editor->SelText(), "345678\r\nうえお\r\nb") << "the TAB cut on the left is left out";

  // From column 0 to 4: the right edge in the fill cells takes the TAB.
  editor->RemoveSelection();
  editor->SetRowCol(2, 0);
  editor->Press(VK_UP, ssShift, 2);
  editor->Press(VK_RIGHT, ssShift, 4);
  EXPECT_EQ(editor->SelText(), "0123\r\nあい\r\na\t");
}

TEST(EditorSelection, ABoxBlockPadsShortRowsAndAddsMissingOnesInOneStepUpToColumn1000) {
  auto editor = NewEditor("abcd\r\nxy");
  editor->SetCol(10);
  ASSERT_EQ(editor->Col(), 10) << "a free caret";
  editor->SetBoxSelTextBuf("12\r\n34\r\n56");
  EXPECT_EQ(editor->Text(), "abcd      12\r\nxy        34\r\n          56\r\n");
  EXPECT_EQ(CaretAt(*editor), std::pair(2, 12));
  editor->Undo();
  EXPECT_EQ(editor->Text(), "abcd\r\nxy\r\n");
  EXPECT_FALSE(editor->CanUndo()) << "one undo record";

  // A text without a final line end keeps having none.
  auto open = NewOpenEndedEditor("abcd");
  open->SetCol(2);
  open->SetBoxSelTextBuf("1\r\n2");
  EXPECT_EQ(open->Text(), "ab1cd\r\n  2");

  // The caret and blocks stop at column 1000.
  editor = NewEditor("ab");
  editor->SetCol(5000);
  EXPECT_EQ(editor->Col(), 1000);
  editor->SetBoxSelTextBuf("x\r\ny");
  EXPECT_EQ(editor->GetRowText(0), "ab" + std::string(998, ' ') + "x");
  EXPECT_EQ(editor->GetRowText(1), std::string(1000, ' ') + "y");
  editor->Press(VK_RIGHT, ssShift, 3);
  EXPECT_EQ(editor->Col(), 1000);
}

TEST(EditorSelection, ABoxBlockReplacesTheBoxSelectionAndDeletionTakesEachRowsSlice) {
  auto editor = NewEditor("abcd\r\nwxyz\r\nlast");
  editor->SetSelectionMode(1);
  editor->SetCol(1);
  editor->Press(VK_DOWN, ssShift);
  editor->Press(VK_RIGHT, ssShift, 2);
  ASSERT_EQ(editor->SelText(), "bc\r\nxy");
  editor->SetBoxSelTextBuf("12\r\n34\r\n56");
  EXPECT_EQ(editor->Text(), "a12d\r\nw34z\r\nl56ast\r\n");
  EXPECT_FALSE(editor->Selected());

  // A box reaching onto the empty row after the text adds no row there.
  auto shortText = NewEditor("abc");
  shortText->SetSelectionMode(1);
  shortText->Press(VK_DOWN, ssShift);
  shortText->Press(VK_RIGHT, ssShift, 2);
  ASSERT_EQ(shortText->SelText(), "ab\r\n");
  shortText->SetBoxSelTextBuf("XY");
  EXPECT_EQ(shortText->Text(), "XYc\r\n");

  editor = NewEditor("abcd\r\nあいう\r\nxy");
  editor->SetSelectionMode(1);
  editor->SetCol(1);
  editor->Press(VK_DOWN, ssShift, 2);
  editor->Press(VK_RIGHT, ssShift, 3);
  ASSERT_EQ(editor->Col(), 3);
  editor->ClearSelection();
  EXPECT_EQ(editor->Text(), "ad\r\nあう\r\nx\r\n")
      << "い (cells 2-3) is inside, あ cut on the left stays";
  EXPECT_EQ(CaretAt(*editor), std::pair(0, 1));
}

TEST(EditorSelection, TextReplacesTheSelectionInOneStep) {
  auto editor = NewEditor("one two\r\nthree");
  Select(*editor, 4, 6);
  ASSERT_EQ(editor->SelText(), "two\r\nt");
  editor->SetSelTextBuf("2 ");
  EXPECT_EQ(editor->Text(), "one 2 hree\r\n");
  EXPECT_EQ(editor->Col(), 6);
  editor->Undo();
  EXPECT_EQ(editor->Text(), "one two\r\nthree\r\n");

  // An empty text deletes the selection; the caret goes to its start.
  Select(*editor, 1, 3);
  editor->SetSelTextBuf("");
  EXPECT_EQ(editor->Text(), "otwo\r\nthree\r\n");
  EXPECT_EQ(editor->Col(), 1);

  // Without a selection past the row's end the row is padded up to the caret.
  editor->SetRowCol(1, 8);
  editor->SetSelTextBuf("!");
  EXPECT_EQ(editor->Text(), "otwo\r\nthree   !\r\n");
}

TEST(EditorSelection, DeleteRowAndClear) {
  auto editor = NewOpenEndedEditor("ab\r\ncd\r\nef");
  editor->DeleteRow(1);
  EXPECT_EQ(editor->Text(), "ab\r\nef");
  EXPECT_EQ(CaretAt(*editor), std::pair(1, 0));
  editor->DeleteRow(5);
  EXPECT_EQ(editor->Text(), "ab\r\nef") << "a row outside the store";

  // A row of a wrapped line: only its bytes go, the line stays one line.
  auto wrapped = NewWrappedEditor(20, std::string(20, 'a') + std::string(5, 'b') + "\r\nz");
  ASSERT_EQ(wrapped->RowCount(), 3);
  wrapped->DeleteRow(1);
  EXPECT_EQ(wrapped->Text(), std::string(20, 'a') + "z\r\n") << "the row goes with its line end";

  editor->Clear();
  EXPECT_EQ(editor->RowCount(), 0);
  EXPECT_EQ(editor->Row(), 0);
}

TEST(EditorSelection, ReadOnlyChangesNoTextAndADragBlocksModeAndReadOnlyChanges) {
  auto editor = NewEditor("abc\r\ndef");
  editor->SelectAll();
  editor->SetReadOnly(true);
  editor->SetSelTextBuf("x");
  editor->SetBoxSelTextBuf("x");
  editor->ClearSelection();
  editor->DeleteRow(0);
  editor->Clear();
  editor->Type("x\r\t\b");
  editor->Press(VK_DELETE);
  EXPECT_EQ(editor->Text(), "abc\r\ndef\r\n");
  EXPECT_TRUE(editor->Selected());

  // No mode or read-only change while a drag runs.
  editor = NewEditor("abc");
  Select(*editor, 0, 2);
  int modeChanges = 0;
  editor->OnSelectionModeChange = [&](TObject*) { ++modeChanges; };
  editor->EditSelection().dragState = 2;
  editor->SetSelectionMode(1);
  editor->SetReadOnly(true);
  EXPECT_EQ(editor->SelectionMode(), 0);
  EXPECT_FALSE(editor->ReadOnly());
  EXPECT_EQ(modeChanges, 0);
  editor->EditSelection().dragState = 0;
  editor->SetSelectionMode(1);
  EXPECT_EQ(editor->SelectionMode(), 1);
  EXPECT_EQ(modeChanges, 1);
  EXPECT_EQ(editor->Selection().endCol, 2) << "recomputed as a box";
}

TEST(EditorSelection, UndoAndRedoRemoveTheSelectionFirst) {
  auto editor = NewEditor("abc");
  editor->SetCol(3);
  editor->Type("d");
  Select(*editor, 0, 2);
  editor->Undo();
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(editor->Text(), "abc\r\n");
  editor->SelectAll();
  editor->Redo();
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(editor->Text(), "abcd\r\n");
}

TEST(EditorSelection, DraggingMovesOrCopiesTheSelectedText) {
  auto editor = NewEditor("hello world\r\nnext");
  Select(*editor, 0, 6);
  ASSERT_TRUE(editor->CanSelDrag());
  // The drop cell is the caret; behind "next", past the row's end.
  editor->SetRowCol(1, 6);
  editor->DropSelection();
  EXPECT_EQ(editor->Text(), "hello world\r\nnext  hello \r\n");
  EXPECT_EQ(editor->Col(), 12);

  // A drop inside the selection only removes it.
  Select(*editor, 0, 5);
  editor->SetRowCol(0, 2);
  editor->DropSelection();
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(editor->Text(), "hello world\r\nnext  hello \r\n");

  // Box selections are not dragged.
  editor->SetSelectionMode(1);
  EXPECT_FALSE(editor->CanSelDrag());
}

// The client point inside a cell.
POINT CellPoint(TEditor& editor, int row, int col) {
  return POINT{editor.Margin().Left() + col * editor.CharPitch() + 1,
               editor.Margin().Top() + row * editor.RowHeight() + 1};
}

TEST(EditorMaps, RowColToLineOffsetTakesCharactersWholeAndRowsMapToLines) {
  auto editor = NewEditor("aあb\tc\r\nx");
  EXPECT_EQ(editor->RowColToLineOffset(0, 0), 0);
  EXPECT_EQ(editor->RowColToLineOffset(0, 1), 1);
  EXPECT_EQ(editor->RowColToLineOffset(0, 2), 1) << "a second byte counts as the first";
  EXPECT_EQ(editor->RowColToLineOffset(0, 3), 3);
  EXPECT_EQ(editor->RowColToLineOffset(0, 6), 4) << "a TAB's fill cell counts as the TAB";
  EXPECT_EQ(editor->RowColToLineOffset(0, 8), 5);
  EXPECT_EQ(editor->RowColToLineOffset(0, 40), 6) << "past the end: the row's length";
  EXPECT_EQ(editor->RowColToLineOffset(1, 0), 0);
  EXPECT_EQ(editor->RowColToLineOffset(2, 0), -1) << "outside the store";
  EXPECT_EQ(editor->RowColToLineOffset(-1, 0), -1);

  auto wrapped = NewWrappedEditor(20, std::string(45, 'w') + "\r\nnext\r\n" + std::string(25, 'v'));
  ASSERT_EQ(wrapped->RowCount(), 6);
  EXPECT_EQ(wrapped->RowColToLineOffset(2, 3), 43) << "the wrapped rows above count";
  EXPECT_EQ(wrapped->RowColToLineOffset(3, 2), 2);
  int lines[] = {0, 0, 0, 1, 2, 2, 3};
  for (int row = 0; row <= 6; ++row)
    EXPECT_EQ(wrapped->RowToLines(row), lines[row]) << row;
  EXPECT_EQ(wrapped->TextLength(), 45 + 2 + 4 + 2 + 25 + 2);
  EXPECT_EQ(editor->RowToLines(1), 1) << "unwrapped";
}

TEST(EditorMaps, AUrlWrappedOverTwoRowsIsOneToken) {
  auto editor = NewWrappedEditor(20, "see http://example.com/abcdef/ghi end");
  editor->View().SetUrl(true);
  ASSERT_GE(editor->RowCount(), 2);
  ASSERT_EQ(editor->RowAttribute(0), raWrapped);
  const std::string url = "http://example.com/abcdef/ghi";
  for (POINT point : {CellPoint(*editor, 0, 6), CellPoint(*editor, 1, 2)}) {
    TEditorToken token = editor->TokenFromPos(point);
    EXPECT_EQ(token.kind, 20);
    EXPECT_EQ(token.text, url);
    EXPECT_EQ(token.lineFirstRow, 0);
    EXPECT_EQ(token.offset, 4);
  }
  // Without the option the same bytes are no URL.
  editor->View().SetUrl(false);
  EXPECT_NE(editor->TokenFromPos(CellPoint(*editor, 0, 6)).kind, 20);
}

TEST(EditorMaps, MailAddressesAndTheTokenAtTheCaret) {
  auto editor = NewEditor("write to someone@example.jp soon");
  editor->View().SetMail(true);
  editor->SetCol(12);
  EXPECT_EQ(editor->GetTokenKindFromCaret(), 21);
  EXPECT_EQ(editor->GetTokenFromCaret(), "someone@example.jp");
  ASSERT_TRUE(editor->SelectTokenFromCaret());
  EXPECT_EQ(editor->SelText(), "someone@example.jp");
  EXPECT_EQ(editor->SelStart(), 9);

  // Between tokens and past the row's end there is none.
  editor->RemoveSelection();
  editor->SetCol(5);
  EXPECT_EQ(editor->GetTokenKindFromCaret(), 0);
  EXPECT_FALSE(editor->SelectTokenFromPos(CellPoint(*editor, 0, 50)));
  EXPECT_EQ(editor->TokenFromPos(CellPoint(*editor, 3, 0)).kind, 0) << "a row outside the store";
}

} // namespace
