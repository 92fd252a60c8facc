// Painting into a memory bitmap: backgrounds, marks, lines and the selection at their cells,
// never glyph shapes, and repaints of only what a selection change touched. The cell size
// comes from the font.
#include "EditorWindow.h"
#include "core/ReserveWordList.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace quolin;
using namespace editortest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kAqua = RGB(0, 255, 255);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
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
  // Paints over a bitmap filled with the sentinel instead of the editor's colour.
  void PaintOverSentinel() {
    dib.Fill(kSentinel);
    editor.PaintTo(dib.Dc(), RECT{0, 0, dib.Width(), dib.Height()});
    GdiFlush();
  }
  // The top pixel row of a cell: cells keep their background there.
  COLORREF CellTop(int viewRow, int col) {
    RECT cell = CellRect(editor, viewRow, col, col + 1);
    return dib.At(cell.left + editor.CharPitch() / 2, cell.top);
  }
  // Expects the top of cells [first, end) of a row in one colour.
  void ExpectCellTops(int viewRow, int first, int end, COLORREF color, const char* what = "") {
    for (int col = first; col < end; ++col)
      EXPECT_EQ(CellTop(viewRow, col), color) << what << " row " << viewRow << ", cell " << col;
  }
  int Red(int viewRow, int first, int end) {
    return dib.CountIn(CellRect(editor, viewRow, first, end), kRed);
  }
  void ShowMarks() {
    editor.Marks().EofMark().SetVisible(true);
    editor.Marks().RetMark().SetVisible(true);
  }
  void YellowComments() {
    editor.View().SetCommenter("%");
    editor.View().Colors()[ciComment].SetBkColor(clYellow);
  }
};

TEST_F(EditorPaint, EofMarkAfterTheTextAndLineEndMarkAtItsPixels) {
  editor.Marks().EofMark().SetVisible(true);
  Paint();
  EXPECT_GT(Red(0, 0, 5), 10) << "an empty text: on the first row";
  EXPECT_EQ(Red(0, 5, 40), 0);
  EXPECT_EQ(Red(1, 0, 40), 0);
  editor.Marks().EofMark().SetVisible(false);
  Paint();
  EXPECT_EQ(Red(0, 0, 5), 0);

  ShowMarks();
  SetOpenText(editor, "abc");
  ASSERT_EQ(editor.RowAttribute(0), raTextEnd);
  Paint();
  EXPECT_EQ(Red(0, 0, 3), 0);
  EXPECT_GT(Red(0, 3, 8), 10) << "right after a last line without line end";
  EXPECT_EQ(dib.CountIn(CellRect(editor, 0, 0, 40), kBlue), 0) << "no line-end mark";
  EXPECT_EQ(Red(1, 0, 40), 0) << "nothing on the next row";

  editor.Lines().SetText("abc\r\n");
  Paint();
  int pitch = editor.CharPitch();
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
  EXPECT_GT(Red(1, 0, 5), 10) << "[EOF] on the next row";
  EXPECT_EQ(Red(0, 0, 40), 0);
}

TEST_F(EditorPaint, CommentAndBracketBackgroundsCoverTheirCellsAlsoInItalic) {
  YellowComments();
  TEditorBracketItem& pair = editor.View().Brackets().Add();
  pair.SetLeftBracket("{");
  pair.SetRightBracket("}");
  pair.ItemColor().SetBkColor(clAqua);
  editor.Lines().SetText("ab % cd\r\nx{ab\r\ncd}y\r\n");
  Paint();
  ExpectCellTops(0, 0, 3, kWhite);
  ExpectCellTops(0, 3, 7, kYellow);
  ExpectCellTops(0, 7, 8, kWhite);
  ExpectCellTops(1, 0, 1, kWhite);
  ExpectCellTops(1, 1, 4, kAqua);
  ExpectCellTops(2, 0, 3, kAqua, "carried to the next row");
  ExpectCellTops(2, 3, 4, kWhite);

  editor.View().Colors()[ciComment].SetStyle(fsItalic);
  PaintOverSentinel();
  ExpectCellTops(0, 0, 3, kWhite, "italic: the row is filled before the tokens");
  ExpectCellTops(0, 3, 7, kYellow, "italic");
  ExpectCellTops(0, 7, 8, kWhite, "italic");
}

TEST_F(EditorPaint, ReservedWordsTakeTheReserveColour) {
  editor.View().Colors()[ciReserve].SetBkColor(clLime);
  TStringList words;
  words.SetText("\\section\r\n本文\r\n\\delta\r\n\\Delta\r\n");
  // The view looks words up by binary search in the order its owner sorted them.
  SortReserveList(words);
  editor.SetReserveWordList(words);
  editor.Lines().SetText("\\section{x} \\sectionx 本文 本文章\r\n\\Delta \\delta \\DELTA\r\n");
  Paint();
  ExpectCellTops(0, 0, 8, kLime);
  ExpectCellTops(0, 8, 21, kWhite);
  ExpectCellTops(0, 22, 26, kLime, "double-byte word");
  ExpectCellTops(0, 27, 33, kWhite, "a longer run is another word");
  // Letter case tells words apart: both case variants are kept, a third is none.
  ExpectCellTops(1, 0, 6, kLime, "\\Delta");
  ExpectCellTops(1, 7, 13, kLime, "\\delta");
  ExpectCellTops(1, 14, 20, kWhite, "\\DELTA");

  // A word added to the list in place is reserved at the next paint.
  editor.ReserveWordList().Add("\\DELTA");
  SortReserveList(editor.ReserveWordList());
  Paint();
  ExpectCellTops(1, 14, 20, kLime, "\\DELTA added");
  editor.ReserveWordList().Clear();
  editor.ReserveWordList().Add("\\sectionx");
  Paint();
  ExpectCellTops(0, 0, 8, kWhite, "\\section no longer reserved");
  ExpectCellTops(0, 12, 21, kLime, "\\sectionx");
}

TEST_F(EditorPaint, TabCellsAreBlankAndNothingIsPaintedIntoTheMargins) {
  editor.View().Colors()[ciAnk].SetBkColor(clYellow);
  editor.Lines().SetText("a\tb\r\n");
  Paint();
  EXPECT_EQ(CellTop(0, 0), kYellow);
  EXPECT_EQ(dib.OtherThanIn(CellRect(editor, 0, 1, 8), kWhite), 0) << "nothing in the TAB";
  EXPECT_EQ(CellTop(0, 8), kYellow);
  EXPECT_EQ(dib.OtherThanIn(CellRect(editor, 0, 9, 40), kWhite), 0);

  editor.Margin().SetLeft(12);
  editor.Margin().SetTop(9);
  ShowMarks();
  editor.Marks().Underline().SetVisible(true);
  editor.Lines().SetText(std::string(200, 'w') + "\r\n\tx\r\n");
  editor.SetTopCol(3);
  PaintOverSentinel();
  EXPECT_EQ(dib.OtherThanIn(RECT{0, 0, 12, dib.Height()}, kSentinel), 0);
  EXPECT_EQ(dib.OtherThanIn(RECT{0, 0, dib.Width(), 9}, kSentinel), 0);
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
  editor.Lines().SetText(Rows(1, 3000));
  editor.SetTopCol(100000);
  EXPECT_EQ(editor.TopCol(), TEditor::kMaxCol - editor.VisibleCols() / 2);
  Paint();
  ExpectCellTops(0, 0, editor.VisibleCols(), kYellow);
}

TEST_F(EditorPaint, WrappedCommentRowsFollowCommentLineAllPaint) {
  YellowComments();
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

// The Select colours over exact cells in both modes, and the selected line-end mark.
class EditorSelPaint : public PaintedEditor {
protected:
  void SetUp() override {
    PaintedEditor::SetUp();
    editor.Lines().SetText("abcdef\r\nghijkl\r\nmnop\r\nqrst");
    uitest::Pump();
  }
  // Pixels in the cells that are neither the selection's background nor its text colour.
  int UnselectedPixels(int row, int first, int end) {
    RECT cells = CellRect(editor, row, first, end);
    return dib.OtherThanIn(cells, kNavy) - dib.CountIn(cells, kWhite);
  }
  int NavyPixels(int row, int first, int end) {
    return dib.CountIn(CellRect(editor, row, first, end), kNavy);
  }
  // The rows drawn since the last call.
  std::set<int> Drawn(DrawnRows& drawn) {
    std::set<int> rows(drawn.rows.begin(), drawn.rows.end());
    drawn.Clear();
    return rows;
  }
  // Expects the screen to show what a whole paint gives.
  void ExpectScreenEqualsPaint() {
    Dib screen(editor.ClientWidth(), editor.ClientHeight());
    CaptureClient(editor, screen);
    Paint();
    POINT first{};
    EXPECT_EQ(screen.Differences(dib, &first), 0) << first.x << "," << first.y;
  }
};

TEST_F(EditorSelPaint, NormalModeCoversTheSelectedCellsAndTheSelectedLineEnd) {
  Select(editor, 2, 4 + 2 + 3);
  ASSERT_EQ(editor.SelText(), "cdef\r\nghi");
  Paint();
  EXPECT_EQ(NavyPixels(0, 0, 2), 0);
  EXPECT_EQ(UnselectedPixels(0, 2, 7), 0) << "four characters and the line end's cell";
  EXPECT_GT(NavyPixels(0, 2, 7), 5 * editor.CharHeight());
  EXPECT_EQ(NavyPixels(0, 7, 40), 0);
  EXPECT_EQ(UnselectedPixels(1, 0, 3), 0);
  EXPECT_EQ(NavyPixels(1, 3, 40), 0) << "the last row ends at the caret";
  EXPECT_EQ(NavyPixels(2, 0, 40), 0);
}

TEST_F(EditorSelPaint, BoxModeCoversTheBoxOnEveryRow) {
  SelectBox(editor, 0, 1, 3, 5);
  ASSERT_EQ(editor.SelText(), "bcdef\r\nhijkl\r\nnop\r\nrst");
  Paint();
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(NavyPixels(row, 0, 1), 0) << row;
    EXPECT_EQ(UnselectedPixels(row, 1, 6), 0) << row << ": past a short row's end too";
    EXPECT_EQ(NavyPixels(row, 6, 40), 0) << row;
  }
  EXPECT_EQ(NavyPixels(4, 0, 40), 0);
}

// The pixels of a cell that differ from a background, as a set of offsets.
std::set<std::pair<int, int>> Shape(const Dib& dib, const RECT& cell, COLORREF background) {
  std::set<std::pair<int, int>> shape;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x)
      if (dib.At(x, y) != background)
        shape.insert({x - cell.left, y - cell.top});
  return shape;
}

TEST_F(EditorSelPaint, TheSelectedLineEndMarkIsTheMarkInTheSelectColour) {
  editor.Marks().RetMark().SetVisible(true);
  editor.Marks().RetMark().SetColor(clBlue);
  Select(editor, 0, 8);
  Paint();
  RECT selectedMark = CellRect(editor, 0, 6, 7);
  RECT plainMark = CellRect(editor, 1, 6, 7);
  EXPECT_EQ(dib.CountIn(selectedMark, kBlue), 0);
  EXPECT_GT(dib.CountIn(selectedMark, kWhite), 3);
  EXPECT_GT(dib.CountIn(plainMark, kBlue), 3);
  EXPECT_EQ(Shape(dib, selectedMark, kNavy), Shape(dib, plainMark, kWhite)) << "the same arrow";
}

// The rows whose colouring a typed bracket changes are painted with its row, in the
// keystroke's one paint; the undo takes them back the same way.
TEST_F(EditorSelPaint, ATypedBracketPaintsTheRowsItColoursWithItsOwn) {
  TEditorBracketItem& pair = editor.View().Brackets().Add();
  pair.SetLeftBracket("{");
  pair.SetRightBracket("}");
  pair.ItemColor().SetBkColor(clAqua);
  editor.Lines().SetText("ab\r\ncd\r\nef}\r\ngh\r\n");
  editor.SetCol(1);
  uitest::Pump();
  DrawnRows drawn(editor);
  SendChars(editor, "{");
  EXPECT_EQ(Drawn(drawn), (std::set<int>{0, 1, 2})) << "painted before the keystroke returned";
  ExpectScreenEqualsPaint();
  EXPECT_GT(dib.CountIn(CellRect(editor, 1, 0, 2), kAqua), 0) << "coloured inside";
  drawn.Clear();
  editor.Undo();
  EXPECT_EQ(Drawn(drawn), (std::set<int>{0, 1, 2}));
  ExpectScreenEqualsPaint();
  EXPECT_EQ(dib.CountIn(CellRect(editor, 1, 0, 2), kAqua), 0);
}

TEST_F(EditorSelPaint, ChangesRepaintOnlyTheRowsThatChanged) {
  DrawnRows drawn(editor);
  editor.SetCol(2);
  SendKey(editor, VK_DOWN, ssShift);
  ASSERT_EQ(editor.SelText(), "cdef\r\ngh");
  drawn.Clear();
  SendKey(editor, VK_DOWN, ssShift);
  EXPECT_EQ(Drawn(drawn), (std::set<int>{1, 2})) << "the old last row and the new one";
  SendKey(editor, VK_RIGHT, ssShift);
  EXPECT_EQ(Drawn(drawn), std::set<int>{2});
  ExpectScreenEqualsPaint();

  drawn.Clear();
  SendKey(editor, VK_LEFT);
  EXPECT_EQ(Drawn(drawn), (std::set<int>{0, 1, 2})) << "the selection's rows and the one above";
  ExpectScreenEqualsPaint();
  EXPECT_EQ(dib.CountIn(RECT{0, 0, dib.Width(), dib.Height()}, kNavy), 0);
}

} // namespace
