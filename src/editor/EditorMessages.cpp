// The edit-control messages. Character indices count every row's bytes with CR LF as 2 after
// a row that ends a line; a wrapped row counts its bytes only. "Line" means screen row.
#include "editor/EditorControl.h"

#include "core/EditorUndo.h"
#include "ui/Clipboard.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quolin {

namespace {

// Bytes a row adds to the character index walks beyond its own: CR LF after a line end,
// 1 after a last row without one.
int RowEndBytes(int attribute) {
  if (attribute == raLineEnd)
    return 2;
  return attribute == raTextEnd ? 1 : 0;
}

LRESULT PackWords(int low, int high) {
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)));
}

} // namespace

bool TEditor::EditMessage(TMessage& message) {
  WPARAM wParam = message.WParam;
  LPARAM lParam = message.LParam;
  LRESULT& result = message.Result;
  switch (message.Msg) {
  case EM_GETLINECOUNT:
    result = RowCount();
    return true;
  case EM_GETFIRSTVISIBLELINE:
    result = topRow_;
    return true;
  case EM_GETLINE:
    result = LineText(static_cast<int>(wParam), reinterpret_cast<char*>(lParam));
    return true;
  case EM_LINEINDEX: {
    int row = static_cast<int>(wParam) == -1 ? row_ : static_cast<int>(wParam);
    result = row < 0 || row > LastCaretRow() ? -1 : CharIndexOfRow(row);
    return true;
  }
  case EM_LINELENGTH: {
    LRESULT rowStart = 0;
    if (static_cast<int>(wParam) == -1 && Selected()) {
      // The unselected bytes of the selection's first and last rows.
      result = static_cast<LRESULT>(GetRowText(selection_.endRow).size()) + selection_.startIndex -
               selection_.endIndex - 1;
      return true;
    }
    int row = static_cast<int>(wParam) == -1
                  ? row_
                  : RowOfCharIndex(static_cast<LRESULT>(wParam), rowStart);
    result = static_cast<LRESULT>(GetRowText(row).size());
    return true;
  }
  case EM_LINEFROMCHAR: {
    LRESULT rowStart = 0;
    if (static_cast<int>(wParam) == -1)
      result = Selected() ? selection_.startRow : row_;
    else
      result = RowOfCharIndex(static_cast<LRESULT>(wParam), rowStart);
    return true;
  }
  case EM_GETSEL: {
    int start = SelStart();
    int end = start + SelLength();
    if (wParam)
      *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
    if (lParam)
      *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
    result = PackWords(start, end);
    return true;
  }
  case EM_SETSEL:
    SetSelection(static_cast<int>(wParam), static_cast<int>(lParam));
    result = 0;
    return true;
  case EM_REPLACESEL:
    if (!readOnly_)
      SetSelTextBuf(reinterpret_cast<const char*>(lParam));
    result = 0;
    return true;
  case WM_COPY:
    if (Selected())
      CopyToClipboard();
    else
      PutClipboardText("");
    result = 0;
    return true;
  case WM_CUT:
    if (!readOnly_ && Selected())
      CutToClipboard();
    else
      PutClipboardText("");
    result = 0;
    return true;
  case WM_PASTE:
    PasteFromClipboard();
    result = 0;
    return true;
  case WM_CLEAR:
    ClearSelection();
    result = 0;
    return true;
  case EM_CHARFROMPOS:
    result = CharFromPos(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return true;
  case EM_POSFROMCHAR:
    result = PosFromChar(static_cast<LRESULT>(wParam));
    return true;
  case EM_SCROLLCARET:
    if (row_ < topRow_ || row_ >= topRow_ + visibleRows_)
      SetTopRow(row_ - visibleRows_ / 3);
    if (col_ < topCol_ || col_ >= topCol_ + visibleCols_)
      SetTopCol(col_ - visibleCols_ / 3);
    result = TRUE;
    return true;
  case EM_CANUNDO:
    result = !readOnly_ && CanUndo();
    return true;
  case EM_UNDO:
    result = !readOnly_ && CanUndo();
    if (result)
      Undo();
    return true;
  case EM_EMPTYUNDOBUFFER:
    if (!readOnly_)
      store_->UndoObj().Clear();
    result = 0;
    return true;
  case EM_GETMODIFY:
    result = modified_;
    return true;
  case EM_SETMODIFY:
    if (!readOnly_)
      modified_ = wParam != 0;
    result = 0;
    return true;
  case EM_SETREADONLY:
    SetReadOnly(wParam != 0);
    result = TRUE;
    return true;
  case WM_GETTEXT:
    result = WholeTextInto(wParam, reinterpret_cast<char*>(lParam));
    return true;
  case WM_GETTEXTLENGTH:
    result = TextLength();
    return true;
  case WM_SETTEXT:
    result = !readOnly_;
    if (!readOnly_)
      lines_->SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
    return true;
  case WM_GETDLGCODE:
    result = DialogCode(message);
    return true;
  default:
    return false;
  }
}

void TEditor::SetSelection(int start, int end) {
  if (start == 0 && end == -1) {
    SelectAll();
    return;
  }
  if (start == -1) {
    RemoveSelection();
    return;
  }
  SetSelStart(std::min(start, end));
  SetSelLength(std::abs(end - start));
}

LRESULT TEditor::CharIndexOfRow(int row) const {
  LRESULT index = 0;
  row = std::min(row, RowCount());
  for (int before = 0; before < row; ++before)
    index += static_cast<LRESULT>(store_->RowView(before).size()) +
             RowEndBytes(store_->GetRowAttribute(before));
  return index;
}

int TEditor::RowOfCharIndex(LRESULT index, LRESULT& rowStart) const {
  rowStart = 0;
  int rows = RowCount();
  for (int row = 0; row < rows; ++row) {
    LRESULT span = static_cast<LRESULT>(store_->RowView(row).size()) +
                   RowEndBytes(store_->GetRowAttribute(row));
    bool lastWithoutLineEnd = row == rows - 1 && LastCaretRow() == row;
    if (index < rowStart + span || lastWithoutLineEnd)
      return row;
    rowStart += span;
  }
  return LastCaretRow();
}

LRESULT TEditor::LineText(int row, char* buffer) const {
  if (!buffer || row < 0 || row >= RowCount())
    return 0;
  WORD room = 0;
  std::memcpy(&room, buffer, sizeof room);
  std::string_view text = store_->RowView(row);
  size_t count = std::min<size_t>(room, text.size());
  std::memcpy(buffer, text.data(), count);
  return static_cast<LRESULT>(count);
}

LRESULT TEditor::WholeTextInto(size_t size, char* buffer) const {
  if (!buffer || size == 0)
    return 0;
  std::string text = lines_->Text();
  size_t count = std::min(size - 1, text.size());
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT TEditor::CharFromPos(int x, int y) {
  RECT client = ClientRect();
  if (!PtInRect(&client, POINT{x, y}))
    return -1;
  POINT cell = PointToCell(x, y, false);
  int row = std::clamp(static_cast<int>(cell.y), 0, LastCaretRow());
  std::string map = RowLayout(row).map;
  int col = std::min(static_cast<int>(cell.x), static_cast<int>(map.size()));
  if (col < static_cast<int>(map.size()) && map[static_cast<size_t>(col)] == kMapTrail)
    --col;
  int byte = col - CountByteKind(map, kMapFill, col);
  return PackWords(static_cast<int>(CharIndexOfRow(row)) + byte, row);
}

LRESULT TEditor::PosFromChar(LRESULT index) const {
  LRESULT rowStart = 0;
  int row = RowOfCharIndex(index, rowStart);
  int column = 0;
  if (row < RowCount()) {
    size_t offset = static_cast<size_t>(std::max<LRESULT>(0, index - rowStart));
    column = ColumnOfByte(row, offset);
  }
  int x = (column - topCol_) * pitch_ + margin_.Left();
  int y = margin_.Top() + (row - topRow_) * rowHeight_;
  return PackWords(x, y);
}

LRESULT TEditor::DialogCode(TMessage& message) {
  DefaultHandler(message);
  LRESULT code = message.Result | DLGC_WANTARROWS | DLGC_WANTCHARS;
  code = wantTabs_ ? code | DLGC_WANTTAB : code & ~DLGC_WANTTAB;
  return wantReturns_ ? code | DLGC_WANTALLKEYS : code & ~DLGC_WANTALLKEYS;
}

} // namespace quolin
