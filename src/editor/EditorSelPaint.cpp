// Painting the selection: the selection row painter cuts a row into its unselected and
// selected pieces, and a change of the selection repaints only the cells that changed.
#include "editor/EditorControl.h"

#include <algorithm>

namespace quolin {

namespace {

// Keeps what is drawn inside a rectangle of the DC for its lifetime.
class ClipScope {
public:
  ClipScope(HDC dc, const RECT& rect) : dc_(dc), saved_(SaveDC(dc)) {
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  ~ClipScope() { RestoreDC(dc_, saved_); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

private:
  HDC dc_;
  int saved_;
};

} // namespace

bool TEditor::SelectedCells(const TEditorSelection& selection, int row, int& first,
                            int& end) const {
  if (selection.state != 2 || row < selection.startRow || row > selection.endRow ||
      row >= RowCount())
    return false;
  if (selection.mode == 1) {
    first = selection.startCol;
    end = selection.endCol;
    return true;
  }
  first = row == selection.startRow ? selection.startCol : 0;
  if (row == selection.endRow) {
    end = selection.endCol;
  } else {
    // A selected line end shows on the cell of its mark.
    end = RowEndColumn(row) + (RowAttribute(row) == raLineEnd ? 1 : 0);
  }
  return true;
}

void TEditor::PaintSelectedRow(HDC dc, int row, int x0, int y, const RECT& rect) {
  int first = 0;
  int end = 0;
  SelectedCells(selection_, row, first, end);
  int selectedLeft =
      std::clamp(x0 + first * pitch_, static_cast<int>(rect.left), static_cast<int>(rect.right));
  int selectedRight = std::clamp(x0 + end * pitch_, selectedLeft, static_cast<int>(rect.right));
  const RECT pieces[3] = {{rect.left, rect.top, selectedLeft, rect.bottom},
                          {selectedLeft, rect.top, selectedRight, rect.bottom},
                          {selectedRight, rect.top, rect.right, rect.bottom}};
  for (int piece = 0; piece < 3; ++piece) {
    if (IsRectEmpty(&pieces[piece]))
      continue;
    ClipScope clip(dc, pieces[piece]);
    PaintRowText(dc, row, x0, y, pieces[piece], piece == 1);
  }
  DoDrawLine(GetRowText(row), x0, y, row, rect, true);
}

void TEditor::InvalidateCells(int row, int first, int end) {
  if (!HandleAllocated() || first >= end || row < topRow_ || row > topRow_ + visibleRows_)
    return;
  RECT area = TextArea();
  int top = margin_.Top() + (row - topRow_) * rowHeight_;
  int x0 = margin_.Left() - topCol_ * pitch_;
  RECT cells{x0 + first * pitch_, top, x0 + end * pitch_, top + rowHeight_};
  if (!IntersectRect(&cells, &cells, &area))
    return;
  InvalidateRect(WindowHandle(), &cells, FALSE);
  UpdateWindow(WindowHandle());
}

void TEditor::RepaintSelectionChange(const TEditorSelection& old) {
  if (!HandleAllocated())
    return;
  int firstRow = selection_.startRow;
  int lastRow = selection_.endRow;
  if (old.state == 2) {
    firstRow = std::min(firstRow, old.startRow);
    lastRow = std::max(lastRow, old.endRow);
  }
  firstRow = std::max(firstRow, topRow_);
  lastRow = std::min(lastRow, topRow_ + visibleRows_);
  for (int row = firstRow; row <= lastRow; ++row) {
    int oldFirst = 0, oldEnd = 0, newFirst = 0, newEnd = 0;
    if (!SelectedCells(old, row, oldFirst, oldEnd))
      oldFirst = oldEnd = 0;
    if (!SelectedCells(selection_, row, newFirst, newEnd))
      newFirst = newEnd = 0;
    bool oldEmpty = oldFirst >= oldEnd;
    bool newEmpty = newFirst >= newEnd;
    if (oldEmpty && newEmpty)
      continue;
    if (oldEmpty || newEmpty) {
      InvalidateCells(row, oldEmpty ? newFirst : oldFirst, oldEmpty ? newEnd : oldEnd);
      continue;
    }
    // The cells between the moved edges; an edge that stayed adds nothing.
    int low = INT_MAX;
    int high = INT_MIN;
    for (auto [before, after] : {std::pair{oldFirst, newFirst}, std::pair{oldEnd, newEnd}}) {
      if (before == after)
        continue;
      low = std::min({low, before, after});
      high = std::max({high, before, after});
    }
    if (low < high)
      InvalidateCells(row, low, high);
  }
}

} // namespace quolin
