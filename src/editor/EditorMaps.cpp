// Maps between screen rows, logical lines, cells and byte offsets, and the tokens at a point.
#include "editor/EditorControl.h"

#include <algorithm>

namespace quolin {

namespace {

// The byte a cell belongs to: a second byte counts as its character's first, a TAB's fill
// cells as the TAB; past the map, the row's length.
int ByteUnderCell(const std::string& map, int col) {
  int cell = std::clamp(col, 0, static_cast<int>(map.size()));
  auto kind = [&](int at) {
    return at < static_cast<int>(map.size()) ? map[static_cast<size_t>(at)] : kMapEnd;
  };
  if (kind(cell) == kMapTrail)
    --cell;
  while (cell > 0 && kind(cell) == kMapFill)
    --cell;
  return cell - CountByteKind(map, kMapFill, cell);
}

} // namespace

int TEditor::RowToLines(int row) const {
  return WordWrap() ? store_->LineOfRow(row) : row;
}

int TEditor::RowColToLineOffset(int row, int col) const {
  if (row < 0 || row >= RowCount())
    return -1;
  int offset = ByteUnderCell(RowLayout(row).map, col);
  for (int above = store_->LineFirstRow(row); above < row; ++above)
    offset += static_cast<int>(store_->RowView(above).size());
  return offset;
}

int TEditor::TextLength() const {
  return OffsetFrom(0, RowCount(), 0);
}

TEditorToken TEditor::TokenAt(int row, int col, bool useStoredState) {
  TEditorToken token;
  if (row < 0 || row >= RowCount())
    return token;
  int first = store_->LineFirstRow(row);
  int last = store_->LineLastRow(row);
  std::string line;
  for (int part = first; part <= last; ++part)
    line += store_->RowView(part);
  int offset = RowColToLineOffset(row, col);
  int state = TEditorParser::kNotComputed;
  if (useStoredState) {
    if (store_->GetRowState(first) == TEditorParser::kNotComputed)
      store_->UpdateRowStates(first, false);
    state = store_->GetRowState(first);
  }
  std::unique_ptr<TEditorParser> parser = parserClass_(*this, line, state);
  for (; parser->TokenKind() != tkEnd; parser->NextToken()) {
    if (parser->SourcePos() <= offset && offset < parser->TokenEnd()) {
      token.text = std::string(parser->TokenString());
      token.kind = parser->TokenKind();
      token.lineFirstRow = first;
      token.offset = parser->SourcePos();
      break;
    }
  }
  return token;
}

TEditorToken TEditor::TokenFromPos(POINT pos, bool useStoredState) {
  POINT cell = PointToCell(pos.x, pos.y, false);
  return TokenAt(cell.y, cell.x, useStoredState);
}

bool TEditor::SelectTokenFromPos(POINT pos) {
  TEditorToken token = TokenFromPos(pos, true);
  if (token.kind == 0)
    return false;
  RemoveSelection();
  POINT start = PositionAt(token.lineFirstRow, token.offset, false);
  PlaceCaret(start.y, start.x);
  SetSelLength(static_cast<int>(token.text.size()));
  return true;
}

bool TEditor::SelectTokenFromCaret() {
  return SelectTokenFromPos(GetCaretPixelPos());
}

int TEditor::GetTokenKindFromCaret() {
  return TokenFromPos(GetCaretPixelPos(), true).kind;
}

std::string TEditor::GetTokenFromCaret() {
  return TokenFromPos(GetCaretPixelPos(), true).text;
}

} // namespace quolin
