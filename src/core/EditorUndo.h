// Undo and redo of a row store. Every ReplaceRows call records the run of rows it replaced:
// where, how many rows now stand there, and their old text. Replaying a record puts the old
// text back and turns the record into its inverse on the other list. Window-free.
#pragma once

#include "core/Persistent.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace quolin {

class TEditorScreenStrings;
class TEditorStringList;

// Bytes and attribute of one row of a recorded run.
struct RowShape {
  uint32_t length : 30;
  uint32_t attribute : 2;
};

struct TUndoData {
  int32_t caretRow = 0; // of the focused view when the record was made
  int32_t caretCol = 0;
  int32_t firstRow = -1; // first row of the changed run
  int32_t rowCount = 0;  // rows the change put in place (removed on replay)
  uint8_t kind = 3;      // attribute of the old text's last row; 3 when there is none
  std::string text;      // the old rows joined, CR LF after each row that ends a line
  // The old rows' shapes. A replay puts back exactly the rows that stood there: rewrapping
  // the text could split it otherwise (rows before an edit are not rewrapped), and then the
  // older records would meet other rows than they recorded.
  std::vector<RowShape> rows;
};

// Owns its records; the oldest is at index 0.
class TUndoDataList {
public:
  int Count() const { return static_cast<int>(records_.size()); }
  TUndoData& Items(int index) { return records_.at(static_cast<size_t>(index)); }
  const TUndoData& Items(int index) const { return records_.at(static_cast<size_t>(index)); }
  TUndoData& Last() { return records_.back(); }
  TUndoData& Add(TUndoData record);
  void Delete(int index);
  void Clear() { records_.clear(); }
  // Bytes of the records and their texts.
  size_t MemoryBytes() const;

private:
  std::deque<TUndoData> records_;
};

class TEditorUndoObj : public TObject {
public:
  static constexpr int kMinUndoListMax = 64;

  explicit TEditorUndoObj(TEditorScreenStrings& store);

  // A new record on the undo list for the caller to fill, with the focused view's caret.
  virtual TUndoData& NewUndoRecord();
  virtual bool CanRedo() const { return redoList_.Count() > 0; }
  virtual bool CanUndo() const { return undoList_.Count() > 0; }
  virtual void Redo();
  virtual void Undo();
  // A copy of record's change on the redo list, with the focused view's current caret.
  virtual void AddRedoRecord(const TUndoData& record);
  virtual void Clear();

  int UndoListMax() const { return undoListMax_; }
  // Never below kMinUndoListMax; a lowered maximum drops one old record per new one.
  void SetUndoListMax(int value);

  const TUndoDataList& UndoList() const { return undoList_; }
  const TUndoDataList& RedoList() const { return redoList_; }

private:
  struct Replayed {
    int takenAttribute; // of the rows taken out; 3 when none
    int takenCount;
    int insertedCount;
    std::string takenText;
    std::vector<RowShape> takenRows;
  };

  TEditorScreenStrings& store_;
  int undoListMax_ = kMinUndoListMax;
  bool replaying_ = false;
  TUndoDataList redoList_;
  TUndoDataList undoList_;

  Replayed Replay(const TUndoData& record);
  void RecordedRows(const TUndoData& record, TEditorStringList& rows);
  // Replays the newest record of list; then records its inverse with addInverse.
  template <typename AddInverse> void ReplayNewest(TUndoDataList& list, AddInverse addInverse);
};

} // namespace quolin
