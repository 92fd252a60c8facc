// Painting the selection into memory bitmaps and on the window: the Select colours over exact
// cells in both modes, the selected line-end mark, and repaints of only what changed.
#include "EditorWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace quolin;
using namespace editortest;

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

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
};

TEST_F(EditorSelPaint, NormalModeCoversTheSelectedCellsAndTheSelectedLineEnd) {
  editor.SetSelStart(2);
  editor.SetSelLength(4 + 2 + 3);
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
  editor.SetSelectionMode(1);
  editor.SetCol(1);
  SendKeys(editor, VK_DOWN, ssShift, 3);
  SendKeys(editor, VK_RIGHT, ssShift, 5);
  ASSERT_EQ(editor.SelText(), "bcdef\r\nhijkl\r\nnop\r\nrst");
  Paint();
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(NavyPixels(row, 0, 1), 0) << row;
    EXPECT_EQ(UnselectedPixels(row, 1, 6), 0) << row << ": past a short row's end too";
    EXPECT_EQ(NavyPixels(row, 6, 40), 0) << row;
  }
  EXPECT_EQ(NavyPixels(4, 0, 40), 0);
  editor.SetSelectionMode(0);
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
  editor.SetSelStart(0);
  editor.SetSelLength(8);
  Paint();
  RECT selectedMark = CellRect(editor, 0, 6, 7);
  RECT plainMark = CellRect(editor, 1, 6, 7);
  EXPECT_EQ(dib.CountIn(selectedMark, kBlue), 0);
  EXPECT_GT(dib.CountIn(selectedMark, kWhite), 3);
  EXPECT_GT(dib.CountIn(plainMark, kBlue), 3);
  std::set<std::pair<int, int>> selectedShape = Shape(dib, selectedMark, kNavy);
  EXPECT_EQ(selectedShape, Shape(dib, plainMark, kWhite)) << "the same arrow";
}

TEST_F(EditorSelPaint, ChangesRepaintOnlyTheRowsThatChanged) {
  DrawnRows drawn(editor);
  editor.SetCol(2);
  SendKey(editor, VK_DOWN, ssShift);
  ASSERT_EQ(editor.SelText(), "cdef\r\ngh");
  drawn.Clear();
  SendKey(editor, VK_DOWN, ssShift);
  std::set<int> rows(drawn.rows.begin(), drawn.rows.end());
  EXPECT_EQ(rows, (std::set<int>{1, 2})) << "the old last row and the new one";
  drawn.Clear();
  SendKey(editor, VK_RIGHT, ssShift);
  rows = std::set<int>(drawn.rows.begin(), drawn.rows.end());
  EXPECT_EQ(rows, std::set<int>{2});

  // What the partial repaints left on the screen is what a whole paint gives.
  Dib screen(editor.ClientWidth(), editor.ClientHeight());
  CaptureClient(editor, screen);
  Paint();
  POINT first{};
  EXPECT_EQ(screen.Differences(dib, &first), 0) << first.x << "," << first.y;

  // Removing the selection repaints its rows and the one above.
  drawn.Clear();
  SendKey(editor, VK_LEFT);
  rows = std::set<int>(drawn.rows.begin(), drawn.rows.end());
  EXPECT_EQ(rows, (std::set<int>{0, 1, 2}));
  CaptureClient(editor, screen);
  Paint();
  EXPECT_EQ(screen.Differences(dib), 0);
  EXPECT_EQ(dib.CountIn(RECT{0, 0, dib.Width(), dib.Height()}, kNavy), 0);
}

} // namespace
