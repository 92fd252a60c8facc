// The selection and the text operations on it. Every edit goes through ReplaceRowRange: one
// ReplaceRows call (one undo record), then the caret is put back by its byte offset from the
// row before the edit, which the store's rewrap leaves where it was.
#include "editor/EditorControl.h"

#include <algorithm>

namespace quolin {

namespace {

// Bytes a row adds behind its own in byte offsets: CR LF after a line end, 1 after a last
// row without one.
int LineEndBytes(int attribute) {
  if (attribute == raLineEnd)
    return 2;
  return attribute == raTextEnd ? 1 : 0;
}

int CellKind(const std::string& map, int cell) {
  return cell >= 0 && cell < static_cast<int>(map.size()) ? map[static_cast<size_t>(cell)]
                                                          : kMapEnd;
}

// The cell where a text block starts at col: past a double-byte character that col cuts and
// past the fill cells of a TAB.
int LeftEdgeCell(const std::string& map, int col) {
  int cell = std::min(col, static_cast<int>(map.size()));
  if (CellKind(map, cell) == kMapTrail)
    ++cell;
  while (CellKind(map, cell) == kMapFill)
    ++cell;
  return cell;
}

int ByteOfCell(const std::string& map, int cell) {
  return cell - CountByteKind(map, kMapFill, cell);
}

} // namespace

// Bookkeeping

int TEditor::ByteIndexAt(int row, int col) const {
  if (row < 0 || row >= RowCount())
    return 0;
  std::string map = RowLayout(row).map;
  int cells = std::clamp(col, 0, static_cast<int>(map.size()));
  int length = static_cast<int>(store_->RowView(row).size());
  return std::min(cells - CountByteKind(map, kMapFill, cells), length);
}

void TEditor::AnchorSelection() {
  RemoveSelection();
  selection_.state = 1;
  selection_.anchorRow = row_;
  selection_.anchorIndex = CaretIndex();
  selection_.anchorCol = selection_.mode == 0 ? std::min(col_, RowEndColumn(row_)) : col_;
  selection_.startRow = selection_.endRow = row_;
  selection_.startCol = selection_.endCol = selection_.anchorCol;
  selection_.startIndex = selection_.anchorIndex;
  selection_.endIndex = selection_.anchorIndex - 1;
}

void TEditor::ExtendSelection() {
  if (selection_.state == 0)
    return;
  if (selection_.state == 1) {
    BeginCaretMove(); // ended by RemoveSelection
    selection_.state = 2;
  }
  UpdateSelection();
}

void TEditor::ComputeSelection() {
  TEditorSelection& s = selection_;
  int anchor = s.anchorRow;
  int row = row_;
  int caretIndex = CaretIndex();
  s.startRow = std::min(anchor, row);
  s.endRow = std::max(anchor, row);
  if (anchor < row) {
    s.startIndex = s.anchorIndex;
    s.endIndex = caretIndex - 1;
  } else if (anchor > row) {
    s.startIndex = caretIndex;
    s.endIndex = s.anchorIndex - 1;
  } else {
    s.startIndex = std::min(s.anchorIndex, caretIndex);
    s.endIndex = std::max(s.anchorIndex, caretIndex) - 1;
  }
  if (s.mode == 1) {
    s.startCol = std::min(s.anchorCol, col_);
    s.endCol = std::max(s.anchorCol, col_);
    return;
  }
  int anchorCol = std::min(s.anchorCol, RowEndColumn(anchor));
  int caretCol = std::min(col_, RowEndColumn(row));
  if (anchor == row) {
    s.startCol = std::min(anchorCol, caretCol);
    s.endCol = std::max(anchorCol, caretCol);
  } else {
    s.startCol = anchor < row ? anchorCol : caretCol;
    s.endCol = anchor < row ? caretCol : anchorCol;
  }
}

void TEditor::UpdateSelection() {
  TEditorSelection old = selection_;
  ComputeSelection();
  RepaintSelectionChange(old);
  DoSelectionChange(true);
}

void TEditor::RemoveSelection() {
  selection_.rowSelecting = false;
  if (selection_.state != 2) {
    selection_.state = 0; // an anchor shows nothing yet
    return;
  }
  selection_.state = 0;
  if (selection_.startRow != selection_.endRow || selection_.startCol != selection_.endCol) {
    selection_.removing = true;
    InvalidateRows(selection_.startRow - 1, selection_.endRow);
    selection_.removing = false;
  }
  EndCaretMove();
  rememberedValid_ = false;
  DoSelectionChange(false);
}

void TEditor::SetSelectionMode(int mode) {
  if (selection_.dragState == 2 || mode == selection_.mode)
    return;
  TEditorSelection old = selection_;
  selection_.mode = mode;
  if (Selected()) {
    if (mode == 1)
      SetPointerState(0);
    ComputeSelection();
    RepaintSelectionChange(old);
  }
  DoSelectionModeChange();
}

void TEditor::DoSelectionChange(bool selected) {
  if (Deferring()) {
    deferred_.selection = true;
    return;
  }
  if (OnSelectionChange && EventsAllowed())
    OnSelectionChange(this, selected);
}

void TEditor::DoSelectionModeChange() {
  if (OnSelectionModeChange && EventsAllowed())
    OnSelectionModeChange(this);
}

TEditor::ByteSpan TEditor::BoxSlice(int row) const {
  if (row < 0 || row >= RowCount())
    return {};
  std::string map = RowLayout(row).map;
  // A character cut by the left edge is left out, one cut by the right edge taken whole.
  int first = LeftEdgeCell(map, selection_.startCol);
  int last = std::min(selection_.endCol, static_cast<int>(map.size())) - 1;
  if (CellKind(map, last) == kMapLead)
    ++last;
  while (CellKind(map, last) == kMapFill)
    --last;
  ByteSpan span;
  span.first = ByteOfCell(map, first);
  span.end = std::max(span.first, ByteOfCell(map, last + 1));
  return span;
}

bool TEditor::InSelection(int row, int col) const {
  const TEditorSelection& s = selection_;
  if (!Selected() || row < s.startRow || row > s.endRow)
    return false;
  int index = ByteIndexAt(row, col);
  if (s.mode == 1) {
    ByteSpan slice = BoxSlice(row);
    return index >= slice.first && index < slice.end;
  }
  if (row == s.startRow && index < s.startIndex)
    return false;
  return row != s.endRow || index < s.endIndex + 1;
}

// Offsets

int TEditor::OffsetFrom(int baseRow, int row, int index) const {
  // From the first row the store answers, walking from where it last stood.
  if (baseRow <= 0)
    return index + store_->RowStartOffset(std::min(row, RowCount()));
  int offset = index;
  for (int above = std::max(baseRow, 0); above < std::min(row, RowCount()); ++above) {
    int attribute = store_->GetRowAttribute(above);
    offset += static_cast<int>(store_->RowView(above).size()) + (attribute == raLineEnd ? 2 : 0);
  }
  return offset;
}

POINT TEditor::PositionAt(int baseRow, int offset, bool pastLastRow) const {
  int rows = RowCount();
  // From the first row: a row before the last one that starts below offset ends at or before
  // that start, so it cannot hold offset, and the search starts there.
  if (baseRow <= 0) {
    baseRow = store_->RowStartingBefore(offset);
    offset -= store_->RowStartOffset(baseRow);
  }
  for (int row = std::max(baseRow, 0); row < rows; ++row) {
    int length = static_cast<int>(store_->RowView(row).size());
    int attribute = store_->GetRowAttribute(row);
    bool last = row == rows - 1;
    // The end of a wrapped row is the start of the next one.
    bool endsHere = attribute != raWrapped || last;
    int span = length + LineEndBytes(attribute);
    bool stays = offset < length || (offset == length && endsHere) ||
                 (offset < span && attribute == raLineEnd) ||
                 (last && !(pastLastRow && attribute == raLineEnd));
    if (stays)
      return POINT{ColumnOfByte(row, static_cast<size_t>(std::clamp(offset, 0, length))), row};
    offset -= span;
  }
  return POINT{0, rows};
}

void TEditor::PlaceCaret(int row, int col) {
  BeginCaretMove();
  caretBatch_ = true;
  SetRow(row);
  SetCol(col);
  caretBatch_ = false;
  UpdateCaret(true);
  EndCaretMove();
}

// Editing

std::string TEditor::RowWithLineEnd(int row) const {
  if (row < 0 || row >= RowCount())
    return {};
  std::string text(store_->RowView(row));
  if (store_->GetRowAttribute(row) == raLineEnd)
    text += "\r\n";
  return text;
}

void TEditor::ReplaceRowRange(int first, int count, const std::string& text, int caretOffset) {
  int base = std::max(0, first - 1);
  int before = OffsetFrom(base, first, 0);
  // The caret-row underline is taken away once before the change and drawn once where the
  // caret ends, not again around the repaint and the caret's placing.
  BeginCaretMove();
  store_->ClearViewSelections();
  store_->ReplaceRows(first, count, text);
  POINT cell = PositionAt(base, before + caretOffset, true);
  PlaceCaret(cell.y, cell.x);
  EndCaretMove();
}

void TEditor::ReplaceSelection(std::string_view text) {
  const TEditorSelection s = selection_;
  int rows = RowCount();
  int count = std::max(0, std::min(s.endRow, rows - 1) - s.startRow + 1);
  std::string joined;
  int caret = 0;
  for (int row = s.startRow; row < s.startRow + count; ++row) {
    std::string bytes = RowWithLineEnd(row);
    bool first = row == s.startRow;
    bool last = row == s.endRow;
    ByteSpan removed; // the selected bytes of this row
    if (s.mode == 1) {
      removed = BoxSlice(row);
    } else {
      removed.first = first ? s.startIndex : 0;
      removed.end = last ? s.endIndex + 1 : static_cast<int>(bytes.size());
    }
    joined.append(bytes, 0, static_cast<size_t>(removed.first));
    if (first) {
      joined += text;
      caret = static_cast<int>(joined.size());
    }
    joined.append(bytes,
                  static_cast<size_t>(std::min<int>(removed.end, static_cast<int>(bytes.size()))));
  }
  if (count == 0) {
    joined = std::string(text);
    caret = static_cast<int>(joined.size());
  }
  ReplaceRowRange(s.startRow, count, joined, caret);
}

void TEditor::SetSelTextBuf(const char* text) {
  if (readOnly_)
    return;
  std::string_view inserted = text ? text : "";
  if (Selected()) {
    ReplaceSelection(inserted);
    return;
  }
  if (inserted.empty())
    return;
  int index = CaretIndex();
  int padding = std::max(0, col_ - RowEndColumn(row_));
  ReplaceBytes(row_, index, index,
               std::string(static_cast<size_t>(padding), ' ') + std::string(inserted));
}

void TEditor::ReplaceBytes(int row, int first, int end, const std::string& text, int kept) {
  std::string block = RowWithLineEnd(row);
  int last = row;
  while (end > static_cast<int>(block.size()) && last + 1 < RowCount())
    block += RowWithLineEnd(++last);
  end = std::min(end, static_cast<int>(block.size()));
  std::string replaced =
      block.substr(0, static_cast<size_t>(first)) + text + block.substr(static_cast<size_t>(end));
  int count = row < RowCount() ? last - row + 1 : 0;
  int caret = first + static_cast<int>(text.size()) - kept;
  ReplaceRowRange(std::min(row, RowCount()), count, replaced, caret);
}

void TEditor::InsertTyped(std::string_view text) {
  if (readOnly_ || text.empty())
    return;
  if (Selected()) {
    ReplaceSelection(text);
    return;
  }
  int index = CaretIndex();
  int padding = std::max(0, col_ - RowEndColumn(row_));
  if (padding > 0 || !overWrite_) {
    ReplaceBytes(row_, index, index,
                 std::string(static_cast<size_t>(padding), ' ') + std::string(text));
    return;
  }
  // Overwriting runs on into the wrapped rows of the line, never over its line end; a
  // double-byte character cut at the end leaves a space.
  std::string line;
  for (int row = row_; row < RowCount(); ++row) {
    line += store_->RowView(row);
    if (store_->GetRowAttribute(row) != raWrapped)
      break;
  }
  int wanted = index + static_cast<int>(text.size());
  int end = index;
  while (end < wanted && end < static_cast<int>(line.size()))
    end += static_cast<int>(CharBytes(line, static_cast<size_t>(end)));
  std::string replacement(text);
  int spaces = end > wanted ? 1 : 0;
  replacement.append(static_cast<size_t>(spaces), ' ');
  ReplaceBytes(row_, index, end, replacement, spaces);
}

void TEditor::ClearSelection() {
  if (!readOnly_ && Selected())
    ReplaceSelection("");
}

void TEditor::SetBoxSelTextBuf(const char* text) {
  if (readOnly_)
    return;
  std::string_view block = text ? text : "";
  if (block.empty()) {
    ClearSelection();
    return;
  }
  if (Selected() && selection_.mode == 0)
    ReplaceSelection("");
  std::vector<std::string_view> lines;
  ForEachLine(block, [&](std::string_view line) { lines.push_back(line); });
  bool box = Selected();
  int firstRow = box ? selection_.startRow : row_;
  int column = box ? selection_.startCol : col_;
  int lastBoxRow = box ? selection_.endRow : firstRow - 1;
  int rows = RowCount();
  // Rows behind the text are added for lines only.
  int lastRow =
      std::max(firstRow + static_cast<int>(lines.size()) - 1, std::min(lastBoxRow, rows - 1));
  bool textEndsOpen = rows > 0 && store_->GetRowAttribute(rows - 1) == raTextEnd;

  std::string joined;
  int caret = 0;
  for (int row = firstRow; row <= lastRow; ++row) {
    // Rows added behind the text keep its last line end, or its lack of one.
    bool added = row >= rows;
    if (added && row == rows && textEndsOpen)
      joined += "\r\n";
    std::string bytes = GetRowText(row);
    if (!added && row <= lastBoxRow) {
      ByteSpan slice = BoxSlice(row);
      bytes.erase(static_cast<size_t>(slice.first), static_cast<size_t>(slice.end - slice.first));
    }
    size_t line = static_cast<size_t>(row - firstRow);
    int insertEnd = line < lines.size() ? InsertAtColumn(bytes, lines[line], column) : 0;
    if (line + 1 == lines.size())
      caret = static_cast<int>(joined.size()) + insertEnd;
    joined += bytes;
    bool lineEnd = added ? row < lastRow || !textEndsOpen : RowAttribute(row) == raLineEnd;
    if (lineEnd)
      joined += "\r\n";
  }
  ReplaceRowRange(std::min(firstRow, rows), std::max(0, std::min(lastRow, rows - 1) - firstRow + 1),
                  joined, caret);
}

int TEditor::InsertAtColumn(std::string& bytes, std::string_view text, int column) const {
  std::string map = TextMap(bytes);
  int at = ByteOfCell(map, LeftEdgeCell(map, column));
  std::string inserted(static_cast<size_t>(std::max(0, column - static_cast<int>(map.size()))),
                       ' ');
  inserted += text;
  bytes.insert(static_cast<size_t>(at), inserted);
  return at + static_cast<int>(inserted.size());
}

void TEditor::Clear() {
  if (!readOnly_)
    lines_->Clear();
}

void TEditor::DeleteRow(int row) {
  if (readOnly_ || row < 0 || row >= RowCount())
    return;
  store_->ClearViewSelections();
  store_->ReplaceRows(row, 1, "");
  if (row > LastCaretRow())
    PlaceCaret(row - 1, RowEndColumn(row - 1));
  else
    PlaceCaret(row, 0);
}

void TEditor::SelectAll() {
  CaretHide();
  SetSelStart(0);
  SetSelLength(TextLength());
  CaretShow();
}

void TEditor::MoveSelection() {
  const TEditorSelection s = selection_;
  if (!CanSelDrag() || InSelection(row_, col_)) {
    RemoveSelection();
    return;
  }
  int rows = RowCount();
  int first = std::min(s.startRow, row_);
  int last = std::min(std::max(s.endRow, row_), rows - 1);
  std::string block;
  for (int row = first; row <= last; ++row)
    block += RowWithLineEnd(row);
  int start = OffsetFrom(first, s.startRow, s.startIndex);
  int end = std::min(OffsetFrom(first, s.endRow, s.endIndex + 1), static_cast<int>(block.size()));
  int drop = row_ < rows ? OffsetFrom(first, row_, CaretIndex()) : static_cast<int>(block.size());
  std::string moved = block.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  moved.insert(0, static_cast<size_t>(std::max(0, col_ - RowEndColumn(row_))), ' ');
  std::string rebuilt;
  int caret = 0;
  if (drop < start) {
    rebuilt = block.substr(0, static_cast<size_t>(drop)) + moved;
    caret = static_cast<int>(rebuilt.size());
    rebuilt += block.substr(static_cast<size_t>(drop), static_cast<size_t>(start - drop)) +
               block.substr(static_cast<size_t>(end));
  } else {
    rebuilt = block.substr(0, static_cast<size_t>(start)) +
              block.substr(static_cast<size_t>(end), static_cast<size_t>(drop - end)) + moved;
    caret = static_cast<int>(rebuilt.size());
    rebuilt += block.substr(static_cast<size_t>(drop));
  }
  RemoveSelection();
  ReplaceRowRange(first, std::max(0, last - first + 1), rebuilt, caret);
}

bool TEditor::CanSelDrag() const {
  return !readOnly_ && Selected() && selection_.mode == 0 && caret_.SelMove;
}

void TEditor::DropSelection() {
  if (!CanSelDrag() || InSelection(row_, col_)) {
    RemoveSelection();
    return;
  }
  std::string text = SelText();
  RemoveSelection();
  SetSelTextBuf(text.c_str());
}

// Selection as offsets

int TEditor::SelStart() const {
  if (Selected())
    return OffsetFrom(0, selection_.startRow, selection_.startIndex);
  return OffsetFrom(0, row_, CaretIndex());
}

void TEditor::SetSelStart(int value) {
  RemoveSelection();
  POINT cell = value < 1 ? POINT{0, 0} : PositionAt(0, value, false);
  PlaceCaret(cell.y, cell.x);
}

int TEditor::SelLength() const {
  const TEditorSelection& s = selection_;
  if (!Selected())
    return 0;
  int length = 0;
  if (s.mode == 1) {
    for (int row = s.startRow; row <= s.endRow; ++row) {
      ByteSpan slice = BoxSlice(row);
      length += slice.end - slice.first + 2;
    }
    return length;
  }
  if (s.startRow == s.endRow)
    return s.endIndex - s.startIndex + 1;
  return OffsetFrom(s.startRow, s.endRow, s.endIndex + 1) - s.startIndex;
}

void TEditor::SetSelLength(int value) {
  SetSelectionMode(0);
  if (Selected()) {
    int row = selection_.startRow;
    int index = selection_.startIndex;
    RemoveSelection();
    PlaceCaret(row, ColumnOfByte(row, static_cast<size_t>(index)));
  }
  if (value < 1)
    return;
  AnchorSelection();
  POINT end = PositionAt(row_, CaretIndex() + value, false);
  PlaceCaret(end.y, end.x);
  ExtendSelection();
}

std::string TEditor::SelText() const {
  const TEditorSelection& s = selection_;
  std::string text;
  if (!Selected())
    return text;
  // A box takes a slice of every row, the empty row after a final line end too.
  for (int row = s.startRow; row <= s.endRow; ++row) {
    std::string bytes = GetRowText(row);
    if (s.mode == 1) {
      ByteSpan slice = BoxSlice(row);
      if (row > s.startRow)
        text += "\r\n";
      text.append(bytes, static_cast<size_t>(slice.first),
                  static_cast<size_t>(slice.end - slice.first));
      continue;
    }
    size_t first = row == s.startRow ? static_cast<size_t>(s.startIndex) : 0;
    size_t end = row == s.endRow ? static_cast<size_t>(s.endIndex + 1) : bytes.size();
    if (first < end)
      text.append(bytes, first, end - first);
    if (row < s.endRow && RowAttribute(row) == raLineEnd)
      text += "\r\n";
  }
  return text;
}

} // namespace quolin
