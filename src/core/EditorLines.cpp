#include "core/EditorLines.h"

#include "core/EditorView.h"
#include "core/Exceptions.h"
#include "core/Platform.h"
#include "core/RowStore.h"

#include <algorithm>

namespace quolin {

namespace {

// The bytes of a file up to its first Ctrl-Z.
std::string ReadTextFile(const std::string& fileName) {
  std::string bytes = ReadFileBytes(fileName);
  bytes.resize(std::min(bytes.find('\x1A'), bytes.size()));
  return bytes;
}

} // namespace

TEditorStrings::TEditorStrings(EditorView& view) : view_(view) {
}

TEditorScreenStrings& TEditorStrings::Store() const {
  return view_.ScreenStrings();
}

void TEditorStrings::CheckLine(int index) const {
  if (index < 0 || index >= Count())
    IndexError(index);
}

int TEditorStrings::Count() const {
  return Store().LineCount();
}

int TEditorStrings::LinesToRow(int index) const {
  return Store().LinesToRow(index);
}

std::string TEditorStrings::Get(int index) const {
  CheckLine(index);
  TEditorScreenStrings& store = Store();
  if (!store.WordWrap())
    return store.Get(index);
  int first = store.LinesToRow(index);
  int last = store.LineLastRow(first);
  size_t size = 0;
  for (int row = first; row <= last; ++row)
    size += store.RowView(row).size();
  std::string line;
  line.reserve(size);
  for (int row = first; row <= last; ++row)
    line += store.RowView(row);
  return line;
}

void TEditorStrings::Put(int index, const std::string& text) {
  CheckLine(index);
  view_.RemoveSelection();
  TEditorScreenStrings& store = Store();
  int first = store.LinesToRow(index);
  int last = store.LineLastRow(first);
  std::string replacement = text;
  if (store.GetRowAttribute(last) == raLineEnd)
    replacement += "\r\n";
  store.ReplaceRows(first, last - first + 1, replacement);
  PlaceCaret(first, text.size());
}

int TEditorStrings::Add(const std::string& text) {
  view_.RemoveSelection();
  TEditorScreenStrings& store = Store();
  int oldCount = Count();
  int rows = store.Count();
  if (rows > 0 && store.GetRowAttribute(rows - 1) != raLineEnd) {
    int base = store.LineFirstRow(rows - 1);
    std::string joined = store.GetRowsText(base, rows - base).text + "\r\n";
    size_t offset = joined.size() + text.size();
    store.ReplaceRows(rows - 1, 1, std::string(store.RowView(rows - 1)) + "\r\n" + text);
    PlaceCaret(base, offset);
  } else {
    store.ReplaceRows(rows, 0, text + "\r\n");
    PlaceCaret(rows, text.size());
  }
  return oldCount;
}

void TEditorStrings::Insert(int index, const std::string& text) {
  if (index < 0 || index > Count())
    IndexError(index);
  TEditorScreenStrings& store = Store();
  int row = store.LinesToRow(index);
  if (row >= store.Count()) {
    Add(text);
    return;
  }
  store.ReplaceRows(row, 0, text + "\r\n");
}

void TEditorStrings::Delete(int index) {
  CheckLine(index);
  TEditorScreenStrings& store = Store();
  int first = store.LinesToRow(index);
  store.ReplaceRows(first, store.LineLastRow(first) - first + 1, "");
  view_.SetRow(first);
}

void TEditorStrings::Clear() {
  Store().Clear();
}

void TEditorStrings::Assign(const TPersistent& source) {
  const auto* strings = dynamic_cast<const TStrings*>(&source);
  if (!strings)
    return TPersistent::Assign(source);
  SetText(strings->Text());
  view_.SetRowThenCol(Store().Count(), 0);
}

std::string TEditorStrings::Text() const {
  return Store().WholeText();
}

void TEditorStrings::SetText(std::string_view value) {
  UpdateGuard update(*this);
  TEditorScreenStrings& store = Store();
  store.Clear();
  store.LoadText(std::string(value), false);
  store.InitRowStates();
}

void TEditorStrings::LoadFromFile(const std::string& fileName) {
  LoadFromText(ReadTextFile(fileName));
}

void TEditorStrings::LoadFromText(std::string text) {
  UpdateGuard update(*this);
  TEditorScreenStrings& store = Store();
  store.Clear();
  store.LoadText(std::move(text), true);
  store.InitRowStates();
  store.UpdateViews();
}

void TEditorStrings::SetUpdateState(bool updating) {
  TEditorScreenStrings& store = Store();
  if (updating) {
    store.BeginLinesUpdate();
    view_.CaretHide();
    view_.BeginCaretMove();
    view_.SetLinesUpdating(true);
    if (view_.Showing())
      view_.SetRedraw(false);
    return;
  }
  store.EndLinesUpdate();
  view_.EndCaretMove();
  view_.CaretShow();
  view_.SetLinesUpdating(false);
  if (view_.Showing()) {
    view_.SetRedraw(true);
    store.UpdateViews();
  }
}

void TEditorStrings::PlaceCaret(int baseRow, size_t offset) {
  TEditorScreenStrings& store = Store();
  int row = baseRow;
  for (; row < store.Count(); ++row) {
    size_t length = store.RowView(row).size();
    int attribute = store.GetRowAttribute(row);
    bool wrapped = attribute == raWrapped && row < store.Count() - 1;
    if (offset < length || (offset == length && !wrapped))
      break;
    offset -= length;
    if (attribute == raLineEnd)
      offset -= std::min<size_t>(offset, 2);
  }
  view_.SetRowThenCol(row, row < store.Count() ? store.ColumnOfByte(row, offset) : 0);
}

} // namespace quolin
