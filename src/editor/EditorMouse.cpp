// The left button: placing the caret, selecting by dragging, whole rows in the left margin,
// and dragging the selection to move or copy it; the pointer shapes that go with it.
#include "editor/EditorControl.h"

#include "ui/Application.h"

#include <cstdlib>

namespace quolin {

namespace {

bool IsCharacterMessage(UINT message) {
  return message >= WM_CHAR && message <= WM_SYSDEADCHAR;
}

bool IsOtherMouseMessage(UINT message) {
  return message >= WM_LBUTTONDBLCLK && message <= WM_MOUSEWHEEL;
}

} // namespace

bool TEditor::FilterDuringDrag(TMessage& message) {
  bool dragging = selection_.dragState == 2;
  if (!dragging && selection_.dragState == 0 && !leftHeld_)
    return false;
  auto key = static_cast<WORD>(message.WParam);
  switch (message.Msg) {
  case WM_KEYDOWN:
    if (!dragging)
      return true;
    if (key == VK_CONTROL)
      SetPointerState(4);
    else if (key == VK_ESCAPE)
      CancelDrag();
    return false;
  case WM_KEYUP:
    if (dragging && key == VK_CONTROL) {
      SetPointerState(3);
      return false;
    }
    return true;
  default:
    return IsCharacterMessage(message.Msg) || IsOtherMouseMessage(message.Msg);
  }
}

void TEditor::SetPointerState(int state) {
  pointerState_ = state;
  if (!caret_.AutoCursor)
    return;
  const TEditorCursors& cursors = caret_.Cursors();
  static constexpr TCursor TEditorCursors::*kByState[] = {
      &TEditorCursors::DefaultCursor, &TEditorCursors::LeftMarginCursor,
      &TEditorCursors::InSelCursor, &TEditorCursors::DragSelCursor,
      &TEditorCursors::DragSelCopyCursor};
  TCursor cursor = cursors.*kByState[std::clamp(state, 0, 4)];
  SetCursor(cursor);
  if (state >= 3 && HandleAllocated())
    ::SetCursor(Screen->CursorHandle(cursor));
}

void TEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft)
    return;
  leftHeld_ = true;
  pressMoved_ = false;
  pressPoint_ = POINT{x, y};
  if (shift & ssShift) {
    if (selection_.state == 0)
      AnchorSelection();
    POINT cell = PointToCell(x, y, true);
    SetRowCol(cell.y, cell.x);
    ExtendSelection();
    pressMoved_ = true; // the selection follows the pointer from now on
    return;
  }
  POINT cell = PointToCell(x, y, false);
  if (x >= margin_.Left() && CanSelDrag() && InSelection(cell.y, cell.x)) {
    SetRowCol(cell.y, cell.x);
    if (caret_.SelDragMode == TDragMode::dmAutomatic)
      selection_.dragState = 1;
    return;
  }
  if (x < margin_.Left() && caret_.RowSelect) {
    StartRowSelection(y);
    return;
  }
  RemoveSelection();
  cell = PointToCell(x, y, true);
  SetRowCol(cell.y, cell.x);
  AnchorSelection();
}

void TEditor::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  int half = std::max(1, pitch_ / 2);
  bool moved = std::abs(x - pressPoint_.x) >= half || std::abs(y - pressPoint_.y) >= half;
  // Above the text the target is one row higher, so the view scrolls up.
  int above = y < margin_.Top() ? 1 : 0;
  if (selection_.dragState == 1) {
    if (leftHeld_ && moved) {
      selection_.dragState = 2;
      SetPointerState((shift & ssCtrl) ? 4 : 3);
    }
    return;
  }
  if (selection_.dragState == 2) {
    POINT cell = PointToCell(x, y, false);
    SetRowCol(cell.y - above, cell.x);
    return;
  }
  if (leftHeld_) {
    FollowPointer(x, y);
    return;
  }
  POINT cell = PointToCell(x, y, false);
  if (x < margin_.Left())
    SetPointerState(1);
  else if (CanSelDrag() && InSelection(cell.y, cell.x))
    SetPointerState(2);
  else
    SetPointerState(0);
}

void TEditor::FollowPointer(int x, int y) {
  POINT cell = PointToCell(x, y, true);
  if (y < margin_.Top())
    --cell.y;
  if (selection_.rowSelecting) {
    SelectRows(cell.y, true);
    return;
  }
  SetRowCol(cell.y, cell.x);
  int half = std::max(1, pitch_ / 2);
  if (std::abs(x - pressPoint_.x) >= half || std::abs(y - pressPoint_.y) >= half)
    pressMoved_ = true;
  if (pressMoved_)
    ExtendSelection();
}

void TEditor::ReleaseLeft(int x, int y, TShiftState shift) {
  leftHeld_ = false;
  if (selection_.dragState == 2)
    Drop(x, y, (shift & ssCtrl) != 0);
  else if (selection_.dragState == 1)
    CancelDrag();
  selection_.rowSelecting = false;
}

void TEditor::StartRowSelection(int y) {
  RemoveSelection();
  int row = std::clamp(static_cast<int>(PointToCell(0, y, false).y), 0, LastCaretRow());
  selection_.rowSelecting = true;
  selection_.rowAnchor = row;
  SelectRows(row, false);
}

void TEditor::SelectRows(int row, bool extend) {
  TEditorSelection& s = selection_;
  row = std::clamp(row, 0, LastCaretRow());
  if (extend && row == s.rowEnd && s.state == 2)
    return;
  s.rowEnd = row;
  int low = std::min(s.rowAnchor, row);
  int high = std::max(s.rowAnchor, row);
  // A row is taken with its line end: to column 0 of the next row. A last row without line
  // end has none; it is taken to its end.
  s.lastRowOpenEnd = high < RowCount() && RowAttribute(high) == raTextEnd;
  POINT start{0, low};
  POINT end = s.lastRowOpenEnd ? POINT{RowEndColumn(high), high} : POINT{0, high + 1};
  bool forward = row > s.rowAnchor || (row == s.rowAnchor && !s.lastRowOpenEnd);
  POINT anchor = forward ? start : end;
  POINT caret = forward ? end : start;
  CaretHide();
  if (s.state == 0) {
    PlaceCaret(anchor.y, anchor.x);
    AnchorSelection();
    s.rowSelecting = true;
  } else {
    s.anchorRow = anchor.y;
    s.anchorIndex = ByteIndexAt(anchor.y, anchor.x);
    s.anchorCol = anchor.x;
  }
  PlaceCaret(caret.y, caret.x);
  ExtendSelection();
  CaretShow();
}

void TEditor::Drop(int x, int y, bool copy) {
  selection_.dragState = 0;
  SetPointerState(0);
  RECT client = ClientRect();
  if (!PtInRect(&client, POINT{x, y}) || InSelection(row_, col_)) {
    RemoveSelection();
    return;
  }
  if (copy)
    DropSelection();
  else
    MoveSelection();
}

void TEditor::CancelDrag() {
  selection_.dragState = 0;
  SetPointerState(0);
  RemoveSelection();
}

} // namespace quolin
