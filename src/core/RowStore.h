// The row store: the text of an editor as screen rows, shared by every view of the text.
// Each row carries a 32-bit data word: bits 0-3 its attribute (raLineEnd, raWrapped,
// raTextEnd), bits 4-7 the tokenizer state at its start plus 2 (0 means -2, not computed).
// ReplaceRows is the one edit primitive: it records undo, rewraps, re-tokenises and fills the
// change notice. Window-free.
//
// Row bytes live in an arena of large blocks; a row is a pointer, a length and its word.
// Rows never change in place: an edit stores new bytes and the old ones become garbage, which
// is compacted away once it outweighs the live text.
#pragma once

#include "core/EditorOptions.h"
#include "core/LineWrapper.h"
#include "core/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

class EditorView;
class TEditorUndoObj;
struct RowShape;

// Holds an update of a string list open for its lifetime.
class UpdateGuard {
public:
  explicit UpdateGuard(TStrings& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateGuard() { list_.EndUpdate(); }
  UpdateGuard(const UpdateGuard&) = delete;
  UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
  TStrings& list_;
};

// Storage of row bytes in blocks; stored bytes stay put until Clear.
class TextArena {
public:
  const char* Store(std::string_view text);
  // Takes over a text that rows may point into; where its bytes now stand.
  std::string_view Adopt(std::string text);
  // The next block holds at least bytes.
  void Reserve(size_t bytes);
  size_t UsedBytes() const { return used_; }
  void Clear();

private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<std::string> adopted_;
  char* free_ = nullptr;
  size_t freeSize_ = 0;
  size_t used_ = 0;

  char* NewBlock(size_t size);
};

// A string list that keeps a data word beside each string.
class TPointerStringList : public TStrings {
public:
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  TPointerStringList() = default;
  TPointerStringList(const TPointerStringList&) = delete;
  TPointerStringList& operator=(const TPointerStringList&) = delete;

  int Count() const override { return static_cast<int>(rows_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;

  // The bytes of a row, valid until the list changes.
  std::string_view RowView(int index) const;
  uint32_t GetRowData(int index) const;
  void SetRowData(int index, uint32_t word);
  // The word with bits 4-7 cleared.
  int GetRowAttribute(int index) const;
  // Replaces bits 0-3 and keeps the rest.
  void SetRowAttribute(int index, int attribute);
  // Bits 4-7 minus 2.
  int GetRowState(int index) const;
  void SetRowState(int index, int state);

  void AddRow(std::string_view text, uint32_t word);
  // Room for rows rows of textBytes bytes in all.
  void Reserve(size_t rows, size_t textBytes);

  // The offset where row (0 to Count()) starts in the text as the editor counts it: the bytes
  // of the rows before it, with CR LF after each that ends its line.
  int RowStartOffset(int row) const;
  // The last row that starts before offset; 0 when offset is 0 or below.
  int RowStartingBefore(int offset) const;

protected:
  struct Row {
    const char* text;
    uint32_t length;
    uint32_t word;
  };

  std::vector<Row> rows_;
  TextArena arena_;
  size_t liveBytes_ = 0; // bytes of all rows
  // One row and its start offset, where the offset questions walk from, so that questions near
  // each other (a replace all going through the text) do not walk from the first row each
  // time. Invariant: anchorRow_ <= Count() and anchorOffset_ is its start offset.
  mutable int anchorRow_ = 0;
  mutable int anchorOffset_ = 0;

  void SetUpdateState(bool updating) override;
  void Changing();
  void Changed();
  void CheckIndex(int index) const;
  std::string_view RowText(const Row& row) const { return {row.text, row.length}; }
  // Rows index..index+oldCount-1 become the rows first..first+count-1 of source, words and
  // all.
  void SpliceRows(int index, int oldCount, const TPointerStringList& source, int first, int count);
  // Takes rows as the whole list (their bytes must live in the arena).
  void ReplaceAllRows(std::vector<Row> rows);
  // Told after rows start..start+oldCount-1 were replaced by newCount rows, or a row's
  // attribute changed.
  virtual void RowsReplaced(int start, int oldCount, int newCount);
  // Copies the rows into a fresh arena when garbage outweighs the live bytes.
  void CompactIfWasteful();

private:
  // The rows after row changed: an anchor past it no longer knows its offset.
  void ForgetOffsetsAfter(int row);
  // The bytes row adds to the offsets of the rows after it.
  int OffsetSpan(int row) const;
  // Moves the anchor to row.
  void WalkAnchorTo(int row) const;
};

// Rows without a store behind them: wrapped text, undo replays.
class TEditorStringList : public TPointerStringList {};

// What the last change did, for the views while they are notified.
struct TChangeNotice {
  int firstRow = 0;
  int oldRowCount = 0;
  int newRowCount = 0;
  int changedStates = 0; // following rows whose tokenizer state changed
  bool changed = false;
};

struct TRowsText {
  int lastAttribute = raNone;
  int rowCount = 0;
  std::string text;
};

class TEditorScreenStrings : public TEditorStringList {
public:
  TEditorScreenStrings();
  ~TEditorScreenStrings() override;

  // Views share a store through shared_ptr; the store lives as long as one of them.
  void AddView(EditorView& view);
  void RemoveView(EditorView& view);
  EditorView* FirstView() const;
  // The first view with the input focus, else the first view.
  EditorView* FocusedView() const;
  const std::vector<EditorView*>& Views() const { return views_; }

  TEditorUndoObj& UndoObj() { return *undo_; }
  TEditorWrapOption& WrapOption() { return wrapOption_; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  const TChangeNotice& ChangeNotice() const { return notice_; }
  void SetChangeNotice(int firstRow, int oldRowCount, int newRowCount, int changedStates);

  // Rows index..index+count-1 become text (CR LF separated); count 0 inserts before index
  // (which may be the row count), an empty text deletes.
  void ReplaceRows(int index, int count, std::string_view text);
  // Rows first..first+count-1 joined, CR LF after each row of raLineEnd; count -1 takes the
  // rows to the end of first's line.
  TRowsText GetRowsText(int first, int count) const;
  // Bytes and attribute of each row of first..first+count-1 (within the store).
  std::vector<RowShape> RowShapes(int first, int count) const;
  int LineFirstRow(int row) const;
  int LineLastRow(int row) const;
  void DeleteRows(int index, int count);
  void InsertRows(int index, const TEditorStringList& rows);
  void PutRows(int index, int oldCount, const TEditorStringList& rows);

  // The rows of text into list (an empty text gives one empty row).
  virtual void WrapText(std::string_view text, TEditorStringList& list);
  virtual int WrapRowCount(std::string_view line);
  void WrapAll();
  void UnwrapAll();

  void InitRowStates();
  int RowEndState(int row, int state);
  // Re-tokenises from row on until a stored state is already right; returns, with notify,
  // how many rows changed.
  int UpdateRowStates(int row, bool notify);
  // The row up to the start of its second token, or of its first when it begins with blanks.
  std::string RowHeadText(int row) const;

  virtual void Undo();
  virtual void Redo();

  void ClearViewSelections();
  void ClampViewRows();
  void ResetViewCols();
  void UpdateViews();

  void Clear() override;

  // Logical lines: with word wrap a kept index of each line's first row.
  int LineCount() const;
  // The first row of line (below 1 gives 0; the line count gives the row count).
  int LinesToRow(int line) const;
  // The line a row belongs to: the rows above it that end a line (a row past the end gives
  // the line count).
  int LineOfRow(int row) const;
  // Bytes of the whole text with CR LF after each row of raLineEnd.
  std::string WholeText() const;
  // Replaces all rows by the lines of text, whose bytes the rows keep, and wraps them when
  // word wrap is on. The last line gets raTextEnd when it has no line end and keepOpenEnd is
  // set, else every row gets raLineEnd. A large text is split into lines and wrapped in pieces
  // on all processors, with the same rows as a single pass.
  void LoadText(std::string text, bool keepOpenEnd);
  // How LoadText cuts: pieces of at least minBytes, at most maxPieces of them (by default
  // 256 KB and one per processor).
  void SetLoadPieces(size_t minBytes, size_t maxPieces) {
    loadPieceBytes_ = minBytes;
    loadPieces_ = maxPieces;
  }
  // Display column of byteIndex in row (TABs expanded as the row's map does).
  int ColumnOfByte(int row, size_t byteIndex) const;

  // An update that a view's Lines holds open: until it ends, the views put off their window
  // work and notifications, and do them once at its end.
  void BeginLinesUpdate();
  void EndLinesUpdate();
  bool LinesUpdating() const { return linesUpdates_ > 0; }

  // Empty when raTextEnd stands only on the last row, raWrapped never on it, and no wrapped
  // row ends on a lead byte that the next row's first byte would complete; else what is
  // wrong.
  std::string InvariantFault() const;

protected:
  void SetUpdateState(bool updating) override;
  void RowsReplaced(int start, int oldCount, int newCount) override;

private:
  std::vector<EditorView*> views_;
  std::unique_ptr<TEditorUndoObj> undo_;
  TEditorWrapOption wrapOption_;
  WrapRules appliedRules_; // the rules the rows were last wrapped with
  bool wordWrap_ = false;
  TChangeNotice notice_;
  mutable std::vector<int> lineStarts_; // first row of each line, with word wrap
  mutable bool lineIndexValid_ = false;
  int linesUpdates_ = 0;
  std::string scratch_;
  size_t loadPieceBytes_;
  size_t loadPieces_;

  void NotifyViews();
  void WrapOptionChanged();
  bool FirstViewLoading() const;
  bool HasBracketPairs() const;
  int ScreenRows() const;
  int TabWidth() const;
  LineWrapper MakeWrapper() const;
  std::string_view LineBytes(int first, int last);
  void Rewrap(bool wrap);
  void AfterWrapSwitch();
  void EnsureLineIndex() const;
  bool IsLineStart(int row) const;
  // The rows of text's lines, wrapped by wrapper when there is one.
  static std::vector<Row> RowsOfLines(std::string_view text, LineWrapper* wrapper,
                                      size_t wrapByte);
  // The last row gets raTextEnd when keepOpenEnd is set and text ends without a line end.
  static void MarkOpenEnd(std::vector<Row>& rows, std::string_view text, bool keepOpenEnd);
  // All rows become the unwrapped lines of stored text, which the arena keeps.
  void ReplaceByLines(std::string_view stored, bool keepOpenEnd);
};

} // namespace quolin
