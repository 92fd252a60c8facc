#include "core/EditorUndo.h"

#include "core/EditorView.h"
#include "core/RowStore.h"

#include <algorithm>

namespace quolin {

// TUndoDataList

TUndoData& TUndoDataList::Add(TUndoData record) {
  records_.push_back(std::move(record));
  return records_.back();
}

void TUndoDataList::Delete(int index) {
  Items(index); // range check
  records_.erase(records_.begin() + index);
}

size_t TUndoDataList::MemoryBytes() const {
  size_t bytes = records_.size() * sizeof(TUndoData);
  for (const TUndoData& record : records_) {
    bytes += record.rows.capacity() * sizeof(RowShape);
    // Short texts live inside the string object itself.
    const char* data = record.text.data();
    const char* self = reinterpret_cast<const char*>(&record.text);
    if (data < self || data >= self + sizeof(std::string))
      bytes += record.text.capacity() + 1;
  }
  return bytes;
}

// TEditorUndoObj

TEditorUndoObj::TEditorUndoObj(TEditorScreenStrings& store) : store_(store) {
}

TUndoData& TEditorUndoObj::NewUndoRecord() {
  TUndoData record;
  if (EditorView* view = store_.FocusedView()) {
    record.caretRow = view->Row();
    record.caretCol = view->Col();
  }
  undoList_.Add(std::move(record));
  if (undoList_.Count() > undoListMax_)
    undoList_.Delete(0);
  if (!replaying_)
    redoList_.Clear();
  return undoList_.Last();
}

void TEditorUndoObj::AddRedoRecord(const TUndoData& record) {
  TUndoData copy;
  if (EditorView* view = store_.FocusedView()) {
    copy.caretRow = view->Row();
    copy.caretCol = view->Col();
  }
  copy.firstRow = record.firstRow;
  copy.rowCount = record.rowCount;
  copy.kind = record.kind;
  copy.text = record.text;
  copy.rows = record.rows;
  redoList_.Add(std::move(copy));
}

void TEditorUndoObj::Clear() {
  undoList_.Clear();
  redoList_.Clear();
}

void TEditorUndoObj::SetUndoListMax(int value) {
  undoListMax_ = std::max(kMinUndoListMax, value);
}

// The record's old rows as they stood; a record without shapes is wrapped afresh.
void TEditorUndoObj::RecordedRows(const TUndoData& record, TEditorStringList& rows) {
  std::string_view text = record.text;
  size_t pos = 0;
  rows.Reserve(record.rows.size(), text.size());
  for (RowShape shape : record.rows) {
    rows.AddRow(text.substr(std::min(pos, text.size()), shape.length), shape.attribute);
    pos += shape.length + (shape.attribute == raLineEnd ? 2 : 0);
  }
  if (!record.rows.empty() && pos == text.size())
    return;
  store_.WrapText(text, rows);
  if (record.kind == raWrapped && rows.RowView(rows.Count() - 1).empty())
    rows.Delete(rows.Count() - 1);
  if (rows.Count() > 0)
    rows.SetRowAttribute(rows.Count() - 1, record.kind);
}

TEditorUndoObj::Replayed TEditorUndoObj::Replay(const TUndoData& record) {
  Replayed result{raNone, 0, 0, {}, {}};
  if (record.rowCount > 0) {
    TRowsText taken = store_.GetRowsText(record.firstRow, record.rowCount);
    result.takenAttribute = taken.lastAttribute;
    result.takenCount = taken.rowCount;
    result.takenText = std::move(taken.text);
    result.takenRows = store_.RowShapes(record.firstRow, taken.rowCount);
  }
  TEditorStringList rows;
  if (record.kind != raNone)
    RecordedRows(record, rows);
  // The rows taken out and the old rows put back in one move.
  store_.PutRows(record.firstRow, result.takenCount, rows);
  result.insertedCount = rows.Count();
  store_.SetChangeNotice(record.firstRow, result.takenCount, result.insertedCount,
                         store_.UpdateRowStates(record.firstRow, true));
  return result;
}

template <typename AddInverse>
void TEditorUndoObj::ReplayNewest(TUndoDataList& list, AddInverse addInverse) {
  if (list.Count() == 0)
    return;
  TUndoData& record = list.Last();
  EditorView* view = store_.FocusedView();
  if (view)
    view->CaretHide();
  {
    UpdateGuard update(store_);
    addInverse(record, Replay(record));
  }
  if (view) {
    view->SetRowThenCol(record.caretRow, record.caretCol);
    view->CaretShow();
  }
  list.Delete(list.Count() - 1);
}

void TEditorUndoObj::Undo() {
  ReplayNewest(undoList_, [this](TUndoData& record, Replayed replayed) {
    record.rowCount = replayed.insertedCount;
    record.kind = static_cast<uint8_t>(replayed.takenAttribute);
    record.text = std::move(replayed.takenText);
    record.rows = std::move(replayed.takenRows);
    AddRedoRecord(record);
  });
}

void TEditorUndoObj::Redo() {
  ReplayNewest(redoList_, [this](TUndoData& record, Replayed replayed) {
    replaying_ = true;
    TUndoData& inverse = NewUndoRecord();
    replaying_ = false;
    inverse.firstRow = record.firstRow;
    inverse.rowCount = replayed.insertedCount;
    inverse.kind = static_cast<uint8_t>(replayed.takenAttribute);
    inverse.text = std::move(replayed.takenText);
    inverse.rows = std::move(replayed.takenRows);
  });
}

} // namespace quolin
