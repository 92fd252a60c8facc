// A view without a window for the editor core: it keeps a caret and a top row the way the
// editor control clamps them, and records what the store and Lines ask of it. Used by the
// tests and the editor_core benchmark.
#pragma once

#include "JoinedStrings.h"
#include "core/EditorLines.h"
#include "core/EditorOptions.h"
#include "core/EditorUndo.h"
#include "core/EditorView.h"
#include "core/RowStore.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

class RecordingView : public EditorView {
public:
  static constexpr int kMaxCol = 1000;

  explicit RecordingView(
      std::shared_ptr<TEditorScreenStrings> store = std::make_shared<TEditorScreenStrings>())
      : store_(std::move(store)), lines_(*this) {
    store_->AddView(*this);
  }
  ~RecordingView() override { store_->RemoveView(*this); }
  RecordingView(const RecordingView&) = delete;
  RecordingView& operator=(const RecordingView&) = delete;

  // Options and geometry the test sets.
  TEditorViewInfo viewInfo;
  TEditorCaret caret;
  ByteSet delimiters = StandardDelimiters();
  bool loading = false, focused = true, showing = true, selected = false;
  int topRow = 0, rowHeight = 16, screenHeight = 768;
  int row = 0, col = 0;

  // What was asked of the view.
  std::vector<TChangeNotice> notices; // one per DoChange
  std::vector<int> repaintedRows;
  int updates = 0, caretHides = 0, caretShows = 0, selectionClears = 0;
  int caretMoves = 0, linesUpdateEnds = 0, storeUpdateEnds = 0;
  std::vector<bool> redraws;

  // The caret as "row,col".
  std::string CaretAt() const { return std::to_string(row) + "," + std::to_string(col); }
  TEditorScreenStrings& Store() { return *store_; }
  std::shared_ptr<TEditorScreenStrings> SharedStore() const { return store_; }
  TEditorStrings& Lines() { return lines_; }

  TEditorScreenStrings& ScreenStrings() override { return *store_; }
  const TEditorViewInfo& View() const override { return viewInfo; }
  const TEditorCaret& Caret() const override { return caret; }
  const ByteSet& Delimiters() const override { return delimiters; }
  bool Loading() const override { return loading; }
  bool Focused() const override { return focused; }
  bool Showing() const override { return showing; }
  int TopRow() const override { return topRow; }
  void SetTopRow(int value) override { topRow = std::clamp(value, 0, store_->Count()); }
  int RowHeight() const override { return rowHeight; }
  int ScreenHeight() const override { return screenHeight; }
  int Row() const override { return row; }
  int Col() const override { return col; }
  // As the control clamps: 0..row count, one less when the text ends without line end.
  void SetRow(int value) override {
    int last = store_->Count();
    if (last > 0 && store_->GetRowAttribute(last - 1) == raTextEnd)
      --last;
    row = std::clamp(value, 0, last);
  }
  void SetCol(int value) override { col = std::clamp(value, 0, kMaxCol); }
  void CaretHide() override { ++caretHides; }
  void CaretShow() override { ++caretShows; }
  void BeginCaretMove() override { ++caretMoves; }
  void EndCaretMove() override { --caretMoves; }
  bool Selected() const override { return selected; }
  void RemoveSelection() override {
    ++selectionClears;
    selected = false;
  }
  void DoChange() override { notices.push_back(store_->ChangeNotice()); }
  void RepaintRow(int value) override { repaintedRows.push_back(value); }
  void UpdateView() override { ++updates; }
  void SetRedraw(bool on) override { redraws.push_back(on); }
  void SetLinesUpdating(bool updating) override {
    if (!updating)
      ++linesUpdateEnds;
  }
  void StoreUpdateEnded() override { ++storeUpdateEnds; }

private:
  std::shared_ptr<TEditorScreenStrings> store_;
  TEditorStrings lines_;
};

// One row as "[text]attribute", for compact expectations.
inline std::string Row(std::string_view text, int attribute) {
  std::string result(1, '[');
  result += text;
  result += ']';
  result += static_cast<char>('0' + attribute);
  return result;
}

inline std::string DescribeRows(const TPointerStringList& rows) {
  std::string result;
  for (int i = 0; i < rows.Count(); ++i)
    result += Row(rows.RowView(i), rows.GetRowAttribute(i));
  return result;
}

// A change notice as "first old>new", an undo record as "first+count kind [text]".
inline std::string Describe(const TChangeNotice& notice) {
  return std::to_string(notice.firstRow) + " " + std::to_string(notice.oldRowCount) + ">" +
         std::to_string(notice.newRowCount);
}

inline std::string Describe(const TUndoData& record) {
  return std::to_string(record.firstRow) + "+" + std::to_string(record.rowCount) + " " +
         std::to_string(record.kind) + " [" + record.text + "]";
}

// Empty when Lines holds exactly lines, each from the row after the previous line's last row;
// else where they first differ.
inline std::string LinesIndexFault(RecordingView& view, const std::vector<std::string>& lines) {
  TEditorStrings& index = view.Lines();
  if (index.Count() != static_cast<int>(lines.size()))
    return "count " + std::to_string(index.Count()) + " for " + std::to_string(lines.size());
  for (int i = 0, row = 0; i < index.Count(); ++i, row = view.Store().LineLastRow(row) + 1) {
    if (index.LinesToRow(i) != row || index.Get(i) != lines[static_cast<size_t>(i)])
      return "line " + std::to_string(i);
  }
  return index.LinesToRow(index.Count()) == view.Store().Count() ? "" : "row after the end";
}

using test_support::Repeat;

} // namespace quolin
