// Keys and typed characters: caret moves with and without Shift, word moves, pages, Delete,
// and the characters of WM_CHAR (printable bytes, Enter, Tab, Backspace). Each runs after
// the inherited events; a key they set to 0 goes no further.
#include "editor/EditorControl.h"

#include <algorithm>

namespace quolin {

namespace {

bool IsCursorKey(WORD key) {
  switch (key) {
  case VK_PRIOR:
  case VK_NEXT:
  case VK_END:
  case VK_HOME:
  case VK_LEFT:
  case VK_UP:
  case VK_RIGHT:
  case VK_DOWN:
    return true;
  default:
    return false;
  }
}

bool IsTypedByte(unsigned char byte) {
  return (byte >= 32 && byte <= 126) || (byte >= 161 && byte <= 223);
}

// Cells where words, numbers, strings and double-byte runs begin (symbols do not count).
std::vector<int> WordStarts(const std::string& expanded) {
  std::vector<int> starts;
  for (TEditorParser parser(expanded); parser.TokenKind() != tkEnd; parser.NextToken()) {
    if (parser.TokenKind() != tkSymbol)
      starts.push_back(parser.SourcePos());
  }
  return starts;
}

// Cells of leading blanks: a space 1, the double-byte space 2, a TAB its cells.
int LeadingBlankCells(const TRowLayout& layout) {
  int cells = 0;
  int size = static_cast<int>(layout.map.size());
  while (cells < size) {
    char kind = layout.map[static_cast<size_t>(cells)];
    if (layout.text[static_cast<size_t>(cells)] == ' ' && kind != kMapLead) {
      ++cells;
    } else if (kind == kMapLead &&
               layout.text.compare(static_cast<size_t>(cells), 2, "\x81\x40") == 0) {
      cells += 2;
    } else {
      break;
    }
  }
  return cells;
}

} // namespace

void TEditor::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0)
    return;
  if (CursorKey(key, shift)) {
    key = 0;
  } else if (key == VK_DELETE) {
    DeleteKey();
    key = 0;
  }
}

bool TEditor::CursorKey(WORD key, TShiftState shift) {
  if (!IsCursorKey(key))
    return false;
  bool extend = (shift & ssShift) != 0;
  if (extend && selection_.state == 0)
    AnchorSelection();
  else if (!extend && selection_.state != 0)
    RemoveSelection();
  MoveByKey(key, (shift & ssCtrl) != 0);
  if (extend)
    ExtendSelection();
  return true;
}

void TEditor::MoveByKey(WORD key, bool ctrl) {
  int page = std::max(1, visibleRows_ - 1);
  switch (key) {
  case VK_PRIOR:
    PageMove(-page);
    return;
  case VK_NEXT:
    if (RowAttribute(topRow_) == raTextEnd && topRow_ == RowCount() - 1)
      return;
    PageMove(page);
    return;
  case VK_HOME:
    if (ctrl)
      PlaceCaret(0, 0);
    else
      SetCol(0);
    return;
  case VK_END:
    if (ctrl)
      PlaceCaret(LastCaretRow(), RowEndColumn(LastCaretRow()));
    else
      SetCol(RowEndColumn(row_));
    return;
  case VK_LEFT:
    if (ctrl) {
      WordLeft();
    } else if (col_ == 0 && row_ > 0 && (caret_.NextLine || RowAttribute(row_ - 1) == raWrapped)) {
      CaretHide();
      PlaceCaret(row_ - 1, RowEndColumn(row_ - 1));
      CaretShow();
    } else {
      SetCol(col_ - 1);
    }
    return;
  case VK_RIGHT: {
    if (ctrl) {
      WordRight();
      return;
    }
    int before = col_;
    SetCol(col_ + 1);
    bool atRowEnd = col_ == before && row_ + 1 <= LastCaretRow() && RowAttribute(row_) != raTextEnd;
    if (atRowEnd && (caret_.NextLine || RowAttribute(row_) == raWrapped)) {
      CaretHide();
      PlaceCaret(row_ + 1, 0);
      CaretShow();
    }
    return;
  }
  case VK_UP: {
    // A repeating key on the view's edge moves two rows, so the view keeps up.
    int step = autoRepeat_ && row_ == topRow_ ? 2 : 1;
    if (!ctrl) {
      SetRow(row_ - step);
      return;
    }
    SetTopRow(topRow_ - step);
    if (row_ > topRow_ + visibleRows_ - 1)
      SetRow(row_ - step);
    return;
  }
  case VK_DOWN: {
    int step = autoRepeat_ && row_ == topRow_ + visibleRows_ - 1 ? 2 : 1;
    if (!ctrl) {
      SetRow(row_ + step);
      return;
    }
    SetTopRow(topRow_ + step);
    if (row_ < topRow_)
      SetRow(row_ + step);
    return;
  }
  default:
    return;
  }
}

void TEditor::PageMove(int delta) {
  if (delta < 0 && topRow_ == 0) {
    SetRow(0);
    return;
  }
  int inView = row_ - topRow_;
  CaretHide();
  SetTopRow(topRow_ + delta);
  SetRow(topRow_ + inView);
  CaretShow();
}

void TEditor::WordLeft() {
  int row = row_;
  int col = col_;
  if (col == 0) {
    if (row == 0)
      return;
    --row;
    col = RowEndColumn(row);
    if (RowAttribute(row) != raWrapped) {
      PlaceCaret(row, col);
      return;
    }
  }
  std::vector<int> starts = WordStarts(RowLayout(row).text);
  auto atOrAfter = std::lower_bound(starts.begin(), starts.end(), col);
  if (atOrAfter != starts.begin()) {
    col = *std::prev(atOrAfter);
  } else if (row > 0) {
    --row;
    col = RowEndColumn(row);
  } else {
    col = 0;
  }
  if (row != row_ || col != col_)
    PlaceCaret(row, col);
}

void TEditor::WordRight() {
  int row = row_;
  int col = col_;
  if (col >= RowEndColumn(row)) {
    if (row + 1 > LastCaretRow())
      return;
    ++row;
    col = -1;
  }
  std::vector<int> starts = WordStarts(RowLayout(row).text);
  auto after = std::upper_bound(starts.begin(), starts.end(), col);
  if (after != starts.end()) {
    col = *after;
  } else if (RowAttribute(row) == raWrapped && row + 1 <= LastCaretRow()) {
    ++row;
    col = 0;
  } else {
    col = RowEndColumn(row);
  }
  if (row != row_ || col != col_)
    PlaceCaret(row, col);
}

void TEditor::DeleteKey() {
  if (readOnly_)
    return;
  if (Selected()) {
    ReplaceSelection("");
    return;
  }
  if (row_ >= RowCount())
    return;
  std::string_view bytes = store_->RowView(row_);
  int length = static_cast<int>(bytes.size());
  int end = RowEndColumn(row_);
  if (col_ < end) {
    int index = CaretIndex();
    ReplaceBytes(row_, index,
                 index + static_cast<int>(CharBytes(bytes, static_cast<size_t>(index))), "");
    return;
  }
  int attribute = RowAttribute(row_);
  if (attribute == raTextEnd)
    return;
  // Past the row's end the row is padded up to the caret and the next row joins it.
  std::string padding(static_cast<size_t>(col_ - end), ' ');
  if (attribute == raLineEnd) {
    ReplaceBytes(row_, length, length + 2, padding);
    return;
  }
  std::string_view next = store_->RowView(row_ + 1);
  ReplaceBytes(row_, length, length + static_cast<int>(CharBytes(next, 0)), padding);
}

void TEditor::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key == 0 || readOnly_)
    return;
  TypeChar(key);
}

void TEditor::TypeChar(char key) {
  auto byte = static_cast<unsigned char>(key);
  if (IsTypedByte(byte))
    InsertTyped(std::string(1, key));
  else if (byte == '\r')
    TypeEnter();
  else if (byte == '\t')
    TypeTab();
  else if (byte == '\b')
    TypeBackspace();
}

void TEditor::TypeEnter() {
  if (Selected())
    ReplaceSelection("");
  if (overWrite_) {
    PlaceCaret(std::min(row_ + 1, LastCaretRow()), 0);
    return;
  }
  if (row_ >= RowCount()) {
    ReplaceBytes(row_, 0, 0, "\r\n");
    return;
  }
  int index = CaretIndex();
  ReplaceBytes(row_, index, index, "\r\n" + IndentFor(row_, col_));
}

std::string TEditor::IndentFor(int row, int col) const {
  if (!caret_.AutoIndent || row >= RowCount())
    return {};
  int first = store_->LineFirstRow(row);
  int width = LeadingBlankCells(RowLayout(first));
  if (row == first)
    width = std::min(width, col);
  if (width == 0 && caret_.PrevSpaceIndent && row == first && store_->RowView(first).empty()) {
    for (int above = first; above > 0;) {
      above = store_->LineFirstRow(above - 1);
      if (!store_->RowView(above).empty()) {
        width = LeadingBlankCells(RowLayout(above));
        break;
      }
    }
  }
  int tab = caret_.TabSpaceCount();
  if (!caret_.TabIndent)
    return std::string(static_cast<size_t>(width), ' ');
  return std::string(static_cast<size_t>(width / tab), '\t') +
         std::string(static_cast<size_t>(width % tab), ' ');
}

void TEditor::TypeTab() {
  if (!wantTabs_ || (KeyboardShiftState() & (ssShift | ssCtrl)))
    return;
  int tab = caret_.TabSpaceCount();
  int width = tab - col_ % tab;
  if (WordWrap()) {
    int wrap = store_->WrapOption().WrapByte();
    width = std::min(width, wrap - col_ % wrap);
  }
  if (overWrite_)
    SetCol(col_ + width);
  else
    InsertTyped(caret_.SoftTab ? std::string(static_cast<size_t>(width), ' ') : "\t");
}

void TEditor::TypeBackspace() {
  if (Selected()) {
    ReplaceSelection("");
    return;
  }
  int end = RowEndColumn(row_);
  if (col_ > end) {
    SetCol(col_ - 1);
    return;
  }
  if (col_ > 0) {
    std::string_view bytes = store_->RowView(row_);
    int index = CaretIndex();
    int start = 0;
    for (int next = 0; next < index;
         next += static_cast<int>(CharBytes(bytes, static_cast<size_t>(next))))
      start = next;
    ReplaceBytes(row_, start, index, "");
    return;
  }
  if (row_ == 0)
    return;
  int above = row_ - 1;
  std::string_view bytes = store_->RowView(above);
  int length = static_cast<int>(bytes.size());
  if (RowAttribute(above) != raWrapped) {
    ReplaceBytes(above, length, length + 2, ""); // the line end goes, the lines join
    return;
  }
  int start = 0;
  for (int next = 0; next < length;
       next += static_cast<int>(CharBytes(bytes, static_cast<size_t>(next))))
    start = next;
  ReplaceBytes(above, start, length, "");
}

} // namespace quolin
