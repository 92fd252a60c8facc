// Maps between rows, lines, cells and offsets, and the tokens at a point, without a window
// (cells of 8 by 16 pixels from the margins).
#include "EditorDriver.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace editortest;

namespace {

// The client point inside a cell.
POINT CellPoint(TEditor& editor, int row, int col) {
  return POINT{editor.Margin().Left() + col * editor.CharPitch() + 1,
               editor.Margin().Top() + row * editor.RowHeight() + 1};
}

TEST(EditorMaps, RowColToLineOffsetTakesCharactersWhole) {
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

  auto wrapped = NewWrappedEditor(20, std::string(45, 'w') + "\r\nnext");
  ASSERT_EQ(wrapped->RowCount(), 4);
  EXPECT_EQ(wrapped->RowColToLineOffset(2, 3), 43) << "the wrapped rows above count";
  EXPECT_EQ(wrapped->RowColToLineOffset(3, 2), 2);
}

TEST(EditorMaps, RowsToLines) {
  auto plain = NewEditor("a\r\nb\r\nc");
  EXPECT_EQ(plain->RowToLines(2), 2);
  auto wrapped = NewWrappedEditor(20, std::string(45, 'w') + "\r\nnext\r\n" + std::string(25, 'v'));
  ASSERT_EQ(wrapped->RowCount(), 6);
  int expected[] = {0, 0, 0, 1, 2, 2, 3};
  for (int row = 0; row <= 6; ++row)
    EXPECT_EQ(wrapped->RowToLines(row), expected[row]) << row;
  EXPECT_EQ(wrapped->TextLength(), 45 + 2 + 4 + 2 + 25 + 2);
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
