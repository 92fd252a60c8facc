// Painting into a memory bitmap: backgrounds, marks and lines at their cells, never glyph
// shapes. The cell size comes from the font.
#include "EditorWindow.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;
using namespace editortest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kAqua = RGB(0, 255, 255);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSentinel = RGB(1, 2, 3);

class EditorPaint : public PaintedEditor {
protected:
  void SetUp() override {
    PaintedEditor::SetUp();
    editor.Marks().EofMark().SetColor(clRed);
    editor.Marks().RetMark().SetColor(clBlue);
    uitest::Pump();
  }

  // The top pixel row of a cell: cells keep their background there.
  COLORREF CellTop(int viewRow, int col) {
    RECT cell = CellRect(editor, viewRow, col, col + 1);
    return dib.At(cell.left + editor.CharPitch() / 2, cell.top);
  }
  int Pitch() { return editor.CharPitch(); }
};

TEST_F(EditorPaint, EofMarkOnTheFirstRowOfAnEmptyText) {
  editor.Marks().EofMark().SetVisible(true);
  Paint();
  RECT eof = CellRect(editor, 0, 0, 5);
  EXPECT_GT(dib.CountIn(eof, kRed), 10);
  RECT after = CellRect(editor, 0, 5, 40);
  EXPECT_EQ(dib.CountIn(after, kRed), 0);
  EXPECT_EQ(dib.CountIn(CellRect(editor, 1, 0, 40), kRed), 0);

  editor.Marks().EofMark().SetVisible(false);
  Paint();
  EXPECT_EQ(dib.CountIn(eof, kRed), 0);
}

TEST_F(EditorPaint, EofMarkRightAfterALastLineWithoutLineEnd) {
  editor.Marks().EofMark().SetVisible(true);
  editor.Marks().RetMark().SetVisible(true);
  editor.ScreenStrings().ReplaceRows(0, 0, "abc");
  ASSERT_EQ(editor.RowAttribute(0), raTextEnd);
  Paint();
  EXPECT_EQ(dib.CountIn(CellRect(editor, 0, 0, 3), kRed), 0);
  EXPECT_GT(dib.CountIn(CellRect(editor, 0, 3, 8), kRed), 10);
  EXPECT_EQ(dib.CountIn(CellRect(editor, 0, 0, 40), kBlue), 0) << "no line-end mark";
  EXPECT_EQ(dib.CountIn(CellRect(editor, 1, 0, 40), kRed), 0) << "nothing on the next row";
}

TEST_F(EditorPaint, LineEndMarkAtItsPixelsAndEofOnTheNextRow) {
  editor.Marks().EofMark().SetVisible(true);
  editor.Marks().RetMark().SetVisible(true);
  editor.Lines().SetText("abc\r\n");
  Paint();
  int pitch = Pitch();
  int x = editor.Margin().Left() + 3 * pitch;
  int y = editor.Margin().Top();
  int bottom = editor.CharHeight() / 3 * 2 + y + 1;
  for (int down = y + 3; down < bottom; ++down)
    EXPECT_EQ(dib.At(x + pitch - 1, down), kBlue) << "down stroke at " << down;
  for (int across = x + 2; across < x + pitch; ++across)
    EXPECT_EQ(dib.At(across, bottom), kBlue) << "left stroke at " << across;
  EXPECT_EQ(dib.At(x + pitch / 2 - 1, bottom - 1), kBlue) << "inside the arrow head";
  EXPECT_EQ(dib.At(x + pitch - 1, y + 2), kWhite) << "the stroke starts 3 pixels down";
  EXPECT_EQ(dib.At(x + pitch, bottom), kWhite);
  RECT cell = CellRect(editor, 0, 3, 4);
  EXPECT_EQ(dib.CountIn(CellRect(editor, 0, 0, 40), kBlue), dib.CountIn(cell, kBlue))
      << "the mark stays in its cell";
  EXPECT_GT(dib.CountIn(CellRect(editor, 1, 0, 5), kRed), 10) << "[EOF] on the next row";
  EXPECT_EQ(dib.CountIn(CellRect(editor, 0, 0, 40), kRed), 0);
}

TEST_F(EditorPaint, CommentAndBracketBackgroundsCoverTheirCells) {
  editor.View().SetCommenter("%");
  editor.View().Colors()[ciComment].SetBkColor(clYellow);
  TEditorBracketItem& pair = editor.View().Brackets().Add();
  pair.SetLeftBracket("{");
  pair.SetRightBracket("}");
  pair.ItemColor().SetBkColor(clAqua);
  editor.Lines().SetText("ab % cd\r\nx{ab\r\ncd}y\r\n");
  Paint();
  for (int col = 0; col < 3; ++col)
    EXPECT_EQ(CellTop(0, col), kWhite) << col;
  for (int col = 3; col < 7; ++col)
    EXPECT_EQ(CellTop(0, col), kYellow) << col;
  EXPECT_EQ(CellTop(0, 7), kWhite);
  EXPECT_EQ(CellTop(1, 0), kWhite);
  for (int col = 1; col < 4; ++col)
    EXPECT_EQ(CellTop(1, col), kAqua) << col;
  for (int col = 0; col < 3; ++col)
    EXPECT_EQ(CellTop(2, col), kAqua) << "carried to the next row, cell " << col;
  EXPECT_EQ(CellTop(2, 3), kWhite);
}

TEST_F(EditorPaint, ReservedWordsTakeTheReserveColour) {
  editor.View().Colors()[ciReserve].SetBkColor(clLime);
  TStringList words;
  words.Add("\\section");
  words.Add("本文");
  words.Add("\\delta");
  words.Add("\\Delta");
  editor.SetReserveWordList(words);
  editor.Lines().SetText("\\section{x} \\sectionx 本文 本文章\r\n\\Delta \\delta \\DELTA\r\n");
  Paint();
  for (int col = 0; col < 8; ++col)
    EXPECT_EQ(CellTop(0, col), kLime) << col;
  for (int col = 8; col < 21; ++col)
    EXPECT_EQ(CellTop(0, col), kWhite) << col;
  for (int col = 22; col < 26; ++col)
    EXPECT_EQ(CellTop(0, col), kLime) << "double-byte word, cell " << col;
  for (int col = 27; col < 33; ++col)
    EXPECT_EQ(CellTop(0, col), kWhite) << "a longer run is another word, cell " << col;
  // Letter case tells words apart: both case variants are kept, a third is none.
  for (int col = 0; col < 20; ++col)
    EXPECT_EQ(CellTop(1, col), col < 13 && col != 6 ? kLime : kWhite) << "second row, cell " << col;
}

TEST_F(EditorPaint, TabCellsAreBlank) {
  editor.View().Colors()[ciAnk].SetBkColor(clYellow);
  editor.Lines().SetText("a\tb\r\n");
  Paint();
  EXPECT_EQ(CellTop(0, 0), kYellow);
  EXPECT_EQ(dib.OtherThanIn(CellRect(editor, 0, 1, 8), kWhite), 0) << "nothing in the TAB";
  EXPECT_EQ(CellTop(0, 8), kYellow);
  EXPECT_EQ(dib.OtherThanIn(CellRect(editor, 0, 9, 40), kWhite), 0);
}

TEST_F(EditorPaint, NothingIsPaintedIntoTheMargins) {
  editor.Margin().SetLeft(12);
  editor.Margin().SetTop(9);
  editor.Marks().EofMark().SetVisible(true);
  editor.Marks().RetMark().SetVisible(true);
  editor.Marks().Underline().SetVisible(true);
  editor.View().Colors()[ciAnk].SetBkColor(clYellow);
  editor.Lines().SetText(std::string(200, 'w') + "\r\n\tx\r\n");
  editor.SetTopCol(3);
  dib.Fill(kSentinel);
  editor.PaintTo(dib.Dc(), RECT{0, 0, dib.Width(), dib.Height()});
  GdiFlush();
  RECT left{0, 0, 12, dib.Height()};
  RECT top{0, 0, dib.Width(), 9};
  EXPECT_EQ(dib.OtherThanIn(left, kSentinel), 0);
  EXPECT_EQ(dib.OtherThanIn(top, kSentinel), 0);
  EXPECT_EQ(dib.At(12, 9), kYellow) << "the text starts at the margins";
}

TEST_F(EditorPaint, UnderlineFollowsTheCaretRow) {
  editor.Marks().Underline().SetVisible(true);
  editor.Marks().Underline().SetColor(clRed);
  editor.Lines().SetText("one\r\ntwo\r\nthree\r\n");
  Paint();
  int y0 = editor.Margin().Top() + editor.CharHeight();
  RECT line0{editor.Margin().Left(), y0, dib.Width(), y0 + 1};
  EXPECT_EQ(dib.OtherThanIn(line0, kRed), 0) << "a line from the left margin to the edge";
  EXPECT_EQ(dib.At(editor.Margin().Left() - 1, y0), kWhite);
  editor.SetRow(2);
  Paint();
  EXPECT_EQ(dib.CountIn(line0, kRed), 0);
  RECT line2 = line0;
  OffsetRect(&line2, 0, 2 * editor.RowHeight());
  EXPECT_EQ(dib.OtherThanIn(line2, kRed), 0);
}

TEST_F(EditorPaint, LongRowAtTheLargestTopCol) {
  editor.View().Colors()[ciAnk].SetBkColor(clYellow);
  std::string row;
  for (int i = 0; i < 3000; ++i)
    row += static_cast<char>('a' + i % 26);
  editor.Lines().SetText(row + "\r\n");
  editor.SetTopCol(100000);
  EXPECT_EQ(editor.TopCol(), TEditor::kMaxCol - editor.VisibleCols() / 2);
  Paint();
  for (int col = 0; col < editor.VisibleCols(); ++col)
    EXPECT_EQ(CellTop(0, col), kYellow) << "view cell " << col;
}

TEST_F(EditorPaint, WrappedCommentRowsFollowCommentLineAllPaint) {
  editor.View().SetCommenter("%");
  editor.View().Colors()[ciComment].SetBkColor(clYellow);
  editor.WrapOption().SetWrapByte(20);
  editor.SetWordWrap(true);
  editor.Lines().SetText("ab % " + std::string(50, 'x') + "\r\n");
  ASSERT_EQ(editor.RowCount(), 3);
  Paint();
  EXPECT_EQ(CellTop(0, 1), kWhite);
  EXPECT_EQ(CellTop(0, 3), kYellow);
  EXPECT_EQ(CellTop(1, 0), kYellow) << "the row before is tokenized with it";
  EXPECT_EQ(CellTop(1, 19), kYellow);
  EXPECT_EQ(CellTop(2, 0), kWhite) << "only one row is put in front";

  editor.SetCommentLineAllPaint(true);
  Paint();
  EXPECT_EQ(CellTop(1, 0), kYellow);
  EXPECT_EQ(CellTop(2, 0), kYellow) << "the whole line is put in front";
  EXPECT_EQ(CellTop(2, 14), kYellow);
  EXPECT_EQ(CellTop(2, 15), kWhite);
}

TEST_F(EditorPaint, ItalicColoursKeepTheirBackgrounds) {
  editor.View().SetCommenter("%");
  editor.View().Colors()[ciComment].SetBkColor(clYellow);
  editor.View().Colors()[ciComment].SetStyle(fsItalic);
  editor.Lines().SetText("ab % cd\r\n");
  dib.Fill(kSentinel);
  editor.PaintTo(dib.Dc(), RECT{0, 0, dib.Width(), dib.Height()});
  GdiFlush();
  EXPECT_EQ(CellTop(0, 0), kWhite) << "the row is filled before the tokens";
  EXPECT_EQ(CellTop(0, 2), kWhite);
  for (int col = 3; col < 7; ++col)
    EXPECT_EQ(CellTop(0, col), kYellow) << col;
  EXPECT_EQ(CellTop(0, 7), kWhite);
}

} // namespace
