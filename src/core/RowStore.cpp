#include "core/RowStore.h"

#include "core/EditorParser.h"
#include "core/EditorUndo.h"
#include "core/EditorView.h"
#include "core/ParallelPieces.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace quolin {

namespace {

constexpr size_t kBlockSize = 64 * 1024;
// Garbage below this much is never worth a compaction.
constexpr size_t kMinWaste = 1024 * 1024;
constexpr uint32_t kAttributeBits = 0x0F;
constexpr uint32_t kStateBits = 0xF0;

// Detaches a list's OnChange for a bulk rebuild that notifies nobody.
class DetachedOnChange {
public:
  explicit DetachedOnChange(TNotifyEvent& event) : event_(event), saved_(std::move(event)) {
    event_ = nullptr;
  }
  ~DetachedOnChange() { event_ = std::move(saved_); }
  DetachedOnChange(const DetachedOnChange&) = delete;
  DetachedOnChange& operator=(const DetachedOnChange&) = delete;

private:
  TNotifyEvent& event_;
  TNotifyEvent saved_;
};

} // namespace

// TextArena

char* TextArena::NewBlock(size_t size) {
  blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
  return blocks_.back().get();
}

const char* TextArena::Store(std::string_view text) {
  size_t size = text.size();
  if (size == 0)
    return "";
  used_ += size;
  if (size > freeSize_) {
    if (size >= kBlockSize / 4) {
      char* block = NewBlock(size);
      std::memcpy(block, text.data(), size);
      return block;
    }
    free_ = NewBlock(kBlockSize);
    freeSize_ = kBlockSize;
  }
  char* stored = free_;
  std::memcpy(stored, text.data(), size);
  free_ += size;
  freeSize_ -= size;
  return stored;
}

std::string_view TextArena::Adopt(std::string text) {
  // A short string keeps its bytes inside itself, where they would move with the list; a
  // long one's buffer goes along with it.
  if (text.size() < kBlockSize / 4)
    return {Store(text), text.size()};
  used_ += text.size();
  adopted_.push_back(std::move(text));
  return adopted_.back();
}

void TextArena::Reserve(size_t bytes) {
  if (bytes <= freeSize_)
    return;
  free_ = NewBlock(bytes);
  freeSize_ = bytes;
}

void TextArena::Clear() {
  blocks_.clear();
  adopted_.clear();
  free_ = nullptr;
  freeSize_ = 0;
  used_ = 0;
}

// TPointerStringList

void TPointerStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    IndexError(index);
}

std::string TPointerStringList::Get(int index) const {
  return std::string(RowView(index));
}

std::string_view TPointerStringList::RowView(int index) const {
  CheckIndex(index);
  return RowText(rows_[static_cast<size_t>(index)]);
}

void TPointerStringList::Put(int index, const std::string& text) {
  CheckIndex(index);
  Changing();
  Row& row = rows_[static_cast<size_t>(index)];
  liveBytes_ = liveBytes_ - row.length + text.size();
  row.text = arena_.Store(text);
  row.length = static_cast<uint32_t>(text.size());
  ForgetOffsetsAfter(index);
  Changed();
  CompactIfWasteful();
}

void TPointerStringList::Insert(int index, const std::string& text) {
  if (index < 0 || index > Count())
    IndexError(index);
  Changing();
  rows_.insert(rows_.begin() + index,
               Row{arena_.Store(text), static_cast<uint32_t>(text.size()), 0});
  liveBytes_ += text.size();
  ForgetOffsetsAfter(index);
  RowsReplaced(index, 0, 1);
  Changed();
}

void TPointerStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  liveBytes_ -= rows_[static_cast<size_t>(index)].length;
  rows_.erase(rows_.begin() + index);
  ForgetOffsetsAfter(index);
  RowsReplaced(index, 1, 0);
  Changed();
  CompactIfWasteful();
}

void TPointerStringList::Clear() {
  if (rows_.empty()) {
    arena_.Clear(); // garbage of rows deleted one by one
    return;
  }
  Changing();
  int oldCount = Count();
  rows_.clear();
  arena_.Clear();
  liveBytes_ = 0;
  ForgetOffsetsAfter(0);
  RowsReplaced(0, oldCount, 0);
  Changed();
}

uint32_t TPointerStringList::GetRowData(int index) const {
  CheckIndex(index);
  return rows_[static_cast<size_t>(index)].word;
}

void TPointerStringList::SetRowData(int index, uint32_t word) {
  CheckIndex(index);
  uint32_t& stored = rows_[static_cast<size_t>(index)].word;
  bool attributeChanged = ((stored ^ word) & kAttributeBits) != 0;
  stored = word;
  if (!attributeChanged)
    return;
  ForgetOffsetsAfter(index);
  RowsReplaced(index, 1, 1);
}

int TPointerStringList::GetRowAttribute(int index) const {
  return static_cast<int>(GetRowData(index) & ~kStateBits);
}

void TPointerStringList::SetRowAttribute(int index, int attribute) {
  SetRowData(index, (GetRowData(index) & ~kAttributeBits) |
                        (static_cast<uint32_t>(attribute) & kAttributeBits));
}

int TPointerStringList::GetRowState(int index) const {
  return static_cast<int>((GetRowData(index) & kStateBits) >> 4) - 2;
}

void TPointerStringList::SetRowState(int index, int state) {
  SetRowData(index, (GetRowData(index) & ~kStateBits) |
                        ((static_cast<uint32_t>(state + 2) << 4) & kStateBits));
}

void TPointerStringList::AddRow(std::string_view text, uint32_t word) {
  Changing();
  rows_.push_back(Row{arena_.Store(text), static_cast<uint32_t>(text.size()), word});
  liveBytes_ += text.size();
  ForgetOffsetsAfter(Count() - 1);
  RowsReplaced(Count() - 1, 0, 1);
  Changed();
}

void TPointerStringList::Reserve(size_t rows, size_t textBytes) {
  rows_.reserve(rows);
  arena_.Reserve(textBytes);
}

void TPointerStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

void TPointerStringList::Changing() {
  if (!Updating() && OnChanging)
    OnChanging(this);
}

void TPointerStringList::Changed() {
  if (!Updating() && OnChange)
    OnChange(this);
}

void TPointerStringList::SpliceRows(int index, int oldCount, const TPointerStringList& source,
                                    int first, int count) {
  assert(&source != this);
  if (index < 0 || oldCount < 0 || index + oldCount > Count())
    IndexError(index);
  Changing();
  auto at = rows_.begin() + index;
  for (auto row = at; row != at + oldCount; ++row)
    liveBytes_ -= row->length;
  if (count > oldCount)
    rows_.insert(at + oldCount, static_cast<size_t>(count - oldCount), Row{"", 0, 0});
  else if (count < oldCount)
    rows_.erase(at + count, at + oldCount);
  for (int i = 0; i < count; ++i) {
    const Row& from = source.rows_[static_cast<size_t>(first + i)];
    rows_[static_cast<size_t>(index + i)] =
        Row{arena_.Store(RowText(from)), from.length, from.word};
    liveBytes_ += from.length;
  }
  ForgetOffsetsAfter(index);
  RowsReplaced(index, oldCount, count);
  Changed();
  CompactIfWasteful();
}

void TPointerStringList::ReplaceAllRows(std::vector<Row> rows) {
  Changing();
  int oldCount = Count();
  if (rows.capacity() > rows.size() + rows.size() / 4)
    rows.shrink_to_fit();
  rows_ = std::move(rows);
  liveBytes_ = 0;
  for (const Row& row : rows_)
    liveBytes_ += row.length;
  ForgetOffsetsAfter(0);
  RowsReplaced(0, oldCount, Count());
  Changed();
  CompactIfWasteful();
}

void TPointerStringList::RowsReplaced(int, int, int) {
}

void TPointerStringList::ForgetOffsetsAfter(int row) {
  if (anchorRow_ > row) {
    anchorRow_ = 0;
    anchorOffset_ = 0;
  }
}

int TPointerStringList::OffsetSpan(int row) const {
  const Row& stored = rows_[static_cast<size_t>(row)];
  return static_cast<int>(stored.length) +
         (static_cast<int>(stored.word & ~kStateBits) == raLineEnd ? 2 : 0);
}

void TPointerStringList::WalkAnchorTo(int row) const {
  while (anchorRow_ < row)
    anchorOffset_ += OffsetSpan(anchorRow_++);
  while (anchorRow_ > row)
    anchorOffset_ -= OffsetSpan(--anchorRow_);
}

int TPointerStringList::RowStartOffset(int row) const {
  WalkAnchorTo(std::clamp(row, 0, Count()));
  return anchorOffset_;
}

int TPointerStringList::RowStartingBefore(int offset) const {
  if (offset <= 0 || rows_.empty())
    return 0;
  while (anchorRow_ > 0 && anchorOffset_ >= offset)
    WalkAnchorTo(anchorRow_ - 1);
  while (anchorRow_ + 1 < Count() && anchorOffset_ + OffsetSpan(anchorRow_) < offset)
    WalkAnchorTo(anchorRow_ + 1);
  return anchorRow_;
}

namespace {

// Copies a row's few bytes without a call: rows are short, and a find session reads the whole
// text row by row. Every load stays inside the row.
inline void CopyRowBytes(char* out, const char* text, size_t length) {
  if (length >= 8) {
    size_t at = 0;
    for (; at + 8 <= length; at += 8)
      std::memcpy(out + at, text + at, 8);
    if (at < length)
      std::memcpy(out + length - 8, text + length - 8, 8);
    return;
  }
  for (size_t at = 0; at < length; ++at)
    out[at] = text[at];
}

} // namespace

size_t TPointerStringList::CopyText(int offset, size_t length, char* out) const {
  if (offset < 0 || rows_.empty())
    return 0;
  int row = RowStartingBefore(offset + 1);
  auto skip = static_cast<size_t>(offset - RowStartOffset(row));
  size_t copied = 0;
  for (; row < Count() && copied < length; ++row) {
    const Row& stored = rows_[static_cast<size_t>(row)];
    auto span = static_cast<size_t>(OffsetSpan(row));
    if (skip >= span) {
      skip -= span;
      continue;
    }
    // Most rows go whole; the first and the last may be cut.
    if (skip == 0 && span <= length - copied) {
      CopyRowBytes(out + copied, stored.text, stored.length);
      if (span > stored.length) {
        out[copied + stored.length] = '\r';
        out[copied + stored.length + 1] = '\n';
      }
      copied += span;
      continue;
    }
    for (size_t end = std::min(span, skip + length - copied); skip < end; ++skip)
      out[copied++] = skip < stored.length ? stored.text[skip] : "\r\n"[skip - stored.length];
    skip = 0;
  }
  return copied;
}

void TPointerStringList::CompactIfWasteful() {
  if (arena_.UsedBytes() - liveBytes_ <= std::max(liveBytes_, kMinWaste))
    return;
  TextArena fresh;
  fresh.Reserve(liveBytes_);
  for (Row& row : rows_)
    row.text = fresh.Store(RowText(row));
  arena_ = std::move(fresh);
}

// TEditorScreenStrings

namespace {

int AttributeOf(uint32_t word) {
  return static_cast<int>(word & kAttributeBits);
}

int StateOf(uint32_t word) {
  return static_cast<int>((word & kStateBits) >> 4) - 2;
}

uint32_t WithState(uint32_t word, int state) {
  return (word & ~kStateBits) | ((static_cast<uint32_t>(state + 2) << 4) & kStateBits);
}

size_t CountLineFeeds(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); ++count, ++pos) {
    const void* found = std::memchr(text.data() + pos, '\n', text.size() - pos);
    if (!found)
      break;
    pos = static_cast<size_t>(static_cast<const char*>(found) - text.data());
  }
  return count;
}

} // namespace

TEditorScreenStrings::TEditorScreenStrings()
    : undo_(std::make_unique<TEditorUndoObj>(*this)), appliedRules_(wrapOption_.Rules()),
      loadPieceBytes_(kDefaultPieceBytes), loadPieces_(ProcessorCount()) {
  wrapOption_.OnChange = [this](TObject*) { WrapOptionChanged(); };
  OnChange = [this](TObject*) { NotifyViews(); };
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

void TEditorScreenStrings::AddView(EditorView& view) {
  if (std::find(views_.begin(), views_.end(), &view) == views_.end())
    views_.push_back(&view);
}

void TEditorScreenStrings::RemoveView(EditorView& view) {
  std::erase(views_, &view);
}

EditorView* TEditorScreenStrings::FirstView() const {
  return views_.empty() ? nullptr : views_.front();
}

EditorView* TEditorScreenStrings::FocusedView() const {
  for (EditorView* view : views_) {
    if (view->Focused())
      return view;
  }
  return FirstView();
}

bool TEditorScreenStrings::FirstViewLoading() const {
  return FirstView() && FirstView()->Loading();
}

bool TEditorScreenStrings::HasBracketPairs() const {
  return FirstView() && FirstView()->View().Brackets().Count() > 0;
}

int TEditorScreenStrings::ScreenRows() const {
  EditorView* view = FocusedView();
  return view ? view->ScreenHeight() / std::max(view->RowHeight(), 1) : 0;
}

int TEditorScreenStrings::TabWidth() const {
  return FirstView() ? FirstView()->Caret().TabSpaceCount() : 8;
}

LineWrapper TEditorScreenStrings::MakeWrapper() const {
  return LineWrapper(wrapOption_.Rules(),
                     FirstView() ? FirstView()->Delimiters() : StandardDelimiters(), TabWidth());
}

void TEditorScreenStrings::NotifyViews() {
  for (EditorView* view : std::vector<EditorView*>(views_))
    view->DoChange();
}

void TEditorScreenStrings::SetChangeNotice(int firstRow, int oldRowCount, int newRowCount,
                                           int changedStates) {
  notice_ = TChangeNotice{firstRow, oldRowCount, newRowCount, changedStates, true};
}

void TEditorScreenStrings::BeginLinesUpdate() {
  ++linesUpdates_;
  BeginUpdate();
}

void TEditorScreenStrings::EndLinesUpdate() {
  --linesUpdates_;
  EndUpdate();
}

void TEditorScreenStrings::SetUpdateState(bool updating) {
  TEditorStringList::SetUpdateState(updating);
  if (updating)
    return;
  notice_ = TChangeNotice();
  ClampViewRows();
  for (EditorView* view : std::vector<EditorView*>(views_))
    view->StoreUpdateEnded();
}

int TEditorScreenStrings::LineFirstRow(int row) const {
  while (row > 0 && row <= Count() &&
         AttributeOf(rows_[static_cast<size_t>(row - 1)].word) == raWrapped)
    --row;
  return row;
}

int TEditorScreenStrings::LineLastRow(int row) const {
  if (row < 0)
    return row;
  while (row < Count() - 1 && AttributeOf(rows_[static_cast<size_t>(row)].word) == raWrapped)
    ++row;
  return row;
}

TRowsText TEditorScreenStrings::GetRowsText(int first, int count) const {
  TRowsText result;
  if (first < 0 || first >= Count())
    return result;
  int last = count < 0 ? LineLastRow(first) : std::min(first + count, Count()) - 1;
  if (last < first)
    return result;
  size_t size = 0;
  for (int row = first; row <= last; ++row)
    size += rows_[static_cast<size_t>(row)].length + 2;
  result.text.reserve(size);
  for (int row = first; row <= last; ++row) {
    const Row& stored = rows_[static_cast<size_t>(row)];
    result.text += RowText(stored);
    if (AttributeOf(stored.word) == raLineEnd)
      result.text += "\r\n";
  }
  result.lastAttribute = AttributeOf(rows_[static_cast<size_t>(last)].word);
  result.rowCount = last - first + 1;
  return result;
}

std::vector<RowShape> TEditorScreenStrings::RowShapes(int first, int count) const {
  std::vector<RowShape> shapes;
  for (int row = std::max(first, 0); row < std::min(first + count, Count()); ++row) {
    const Row& stored = rows_[static_cast<size_t>(row)];
    shapes.push_back(RowShape{stored.length, static_cast<uint32_t>(AttributeOf(stored.word))});
  }
  return shapes;
}

void TEditorScreenStrings::DeleteRows(int index, int count) {
  if (index < 0 || index >= Count() || count <= 0)
    return;
  SpliceRows(index, std::min(count, Count() - index), TEditorStringList(), 0, 0);
}

void TEditorScreenStrings::InsertRows(int index, const TEditorStringList& rows) {
  SpliceRows(index, 0, rows, 0, rows.Count());
}

void TEditorScreenStrings::PutRows(int index, int oldCount, const TEditorStringList& rows) {
  SpliceRows(index, oldCount, rows, 0, rows.Count());
}

void TEditorScreenStrings::ReplaceRows(int index, int count, std::string_view text) {
  if (index < 0 || count < 0 || index + count > Count() || (count == 0 && text.empty()))
    return;
  int rowCount = Count();
  UpdateGuard update(*this);
  int last = index + count - 1;
  int start = std::max(LineFirstRow(index), index - 1);
  // Text added behind a last line without line end continues that line.
  if (index == rowCount && rowCount > 0 && AttributeOf(rows_.back().word) == raTextEnd)
    start = LineFirstRow(rowCount - 1);
  int end = LineLastRow(last);

  if (index == start && end == last && text.empty()) {
    TRowsText old = GetRowsText(index, count);
    TUndoData& record = undo_->NewUndoRecord();
    record.firstRow = index;
    record.rowCount = 0;
    record.kind = static_cast<uint8_t>(old.lastAttribute);
    record.text = std::move(old.text);
    record.rows = RowShapes(index, old.rowCount);
    DeleteRows(index, count);
    SetChangeNotice(index, old.rowCount, 0, UpdateRowStates(index, true));
    return;
  }

  int finalAttribute;
  if (end > last) {
    finalAttribute = AttributeOf(rows_[static_cast<size_t>(end)].word);
  } else if (end == rowCount - 1) {
    bool endsLine = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    finalAttribute = endsLine ? raLineEnd : raTextEnd;
  } else {
    // The following line joins the rewrap, since text may not end with a line break.
    end = LineLastRow(end + 1);
    finalAttribute = AttributeOf(rows_[static_cast<size_t>(end)].word);
  }
  int oldRowCount = std::max(end - start + 1, 0);
  TRowsText old = GetRowsText(start, oldRowCount);
  TUndoData& record = undo_->NewUndoRecord();
  record.firstRow = start;
  record.kind = static_cast<uint8_t>(old.lastAttribute);
  record.rows = RowShapes(start, oldRowCount);

  std::string joined = GetRowsText(start, index - start).text;
  joined += text;
  joined += GetRowsText(last + 1, end - last).text;
  // A line break at the end closes the last line, also when the rows after the replaced ones
  // added nothing to it (the empty row behind a wrapped row that ends the text).
  if (finalAttribute == raTextEnd && !joined.empty() &&
      (joined.back() == '\n' || joined.back() == '\r'))
    finalAttribute = raLineEnd;
  record.text = std::move(old.text);
  TEditorStringList rows;
  WrapText(joined, rows);
  int lastNew = rows.Count() - 1;
  rows.SetRowAttribute(lastNew, finalAttribute);
  // An empty last line without line end is no line at all: the text ends with the line end
  // before it. (An empty row that ends a wrapped line stays.)
  bool continuesLine =
      lastNew > 0
          ? rows.GetRowAttribute(lastNew - 1) == raWrapped
          : start > 0 && AttributeOf(rows_[static_cast<size_t>(start - 1)].word) == raWrapped;
  if (finalAttribute == raTextEnd && rows.RowView(lastNew).empty() && !continuesLine)
    rows.Delete(lastNew);
  record.rowCount = rows.Count();
  PutRows(start, oldRowCount, rows);
  SetChangeNotice(start, oldRowCount, rows.Count(), UpdateRowStates(start, true));
  assert(InvariantFault().empty());
}

void TEditorScreenStrings::WrapText(std::string_view text, TEditorStringList& list) {
  list.Clear();
  list.Reserve(0, text.size());
  if (!wordWrap_) {
    ForEachLine(text, [&](std::string_view line) { list.AddRow(line, raLineEnd); });
  } else {
    LineWrapper wrapper = MakeWrapper();
    std::vector<RowSpan> spans;
    ForEachLine(text, [&](std::string_view line) {
      spans.clear();
      wrapper.Wrap(line, spans);
      for (const RowSpan& span : spans)
        list.AddRow(line.substr(span.offset, span.length), static_cast<uint32_t>(span.attribute));
    });
  }
  if (list.Count() == 0)
    list.AddRow("", raLineEnd);
}

int TEditorScreenStrings::WrapRowCount(std::string_view line) {
  if (!wordWrap_)
    return 1;
  std::vector<RowSpan> spans;
  MakeWrapper().Wrap(line, spans);
  return static_cast<int>(spans.size());
}

std::string_view TEditorScreenStrings::LineBytes(int first, int last) {
  const char* begin = nullptr;
  size_t total = 0;
  bool contiguous = true;
  for (int row = first; row <= last; ++row) {
    const Row& stored = rows_[static_cast<size_t>(row)];
    if (stored.length == 0)
      continue;
    if (!begin)
      begin = stored.text;
    else if (stored.text != begin + total)
      contiguous = false;
    total += stored.length;
  }
  if (!begin)
    return {};
  if (contiguous)
    return {begin, total};
  scratch_.clear();
  for (int row = first; row <= last; ++row)
    scratch_ += RowText(rows_[static_cast<size_t>(row)]);
  return {arena_.Store(scratch_), total};
}

void TEditorScreenStrings::Rewrap(bool wrap) {
  if (rows_.empty() || FirstViewLoading())
    return;
  ClearViewSelections();
  DetachedOnChange detached(OnChange);
  UpdateGuard update(*this);
  int lastAttribute = AttributeOf(rows_.back().word);
  std::vector<Row> rewrapped;
  std::vector<RowSpan> spans;
  LineWrapper wrapper = MakeWrapper();
  if (wrap)
    rewrapped.reserve(rows_.size() + liveBytes_ / static_cast<size_t>(wrapOption_.WrapByte()));
  else
    rewrapped.reserve(static_cast<size_t>(LineCount()));
  for (int first = 0; first < Count();) {
    int last = LineLastRow(first);
    std::string_view line = LineBytes(first, last);
    if (wrap) {
      spans.clear();
      wrapper.Wrap(line, spans);
      for (const RowSpan& span : spans)
        rewrapped.push_back(
            Row{line.data() + span.offset, span.length, static_cast<uint32_t>(span.attribute)});
    } else {
      rewrapped.push_back(Row{line.data(), static_cast<uint32_t>(line.size()), raLineEnd});
    }
    first = last + 1;
  }
  if (!wrap && lastAttribute == raWrapped)
    lastAttribute = raTextEnd;
  rewrapped.back().word = static_cast<uint32_t>(lastAttribute);
  ReplaceAllRows(std::move(rewrapped));
}

void TEditorScreenStrings::WrapAll() {
  Rewrap(true);
}

void TEditorScreenStrings::UnwrapAll() {
  Rewrap(false);
}

void TEditorScreenStrings::AfterWrapSwitch() {
  InitRowStates();
  UpdateViews();
  ClampViewRows();
  ResetViewCols();
}

void TEditorScreenStrings::SetWordWrap(bool value) {
  if (wordWrap_ == value)
    return;
  wordWrap_ = value;
  lineIndexValid_ = false;
  if (FirstViewLoading())
    return;
  undo_->Clear();
  Rewrap(value);
  AfterWrapSwitch();
}

void TEditorScreenStrings::WrapOptionChanged() {
  if (wrapOption_.Rules() == appliedRules_)
    return;
  appliedRules_ = wrapOption_.Rules();
  if (FirstViewLoading())
    return;
  // The recorded row numbers no longer match the rows.
  undo_->Clear();
  if (!wordWrap_)
    return;
  WrapAll();
  AfterWrapSwitch();
}

void TEditorScreenStrings::InitRowStates() {
  if (FirstViewLoading())
    return;
  if (!HasBracketPairs()) {
    for (Row& row : rows_)
      row.word = WithState(row.word, TEditorParser::kNoBracket);
    return;
  }
  for (Row& row : rows_)
    row.word = WithState(row.word, TEditorParser::kNotComputed);
  int limit = std::min(Count() - 1, 2 * ScreenRows() + FocusedView()->TopRow());
  int state = TEditorParser::kNoBracket;
  for (int row = 0; row <= limit; ++row) {
    rows_[static_cast<size_t>(row)].word = WithState(rows_[static_cast<size_t>(row)].word, state);
    state = RowEndState(row, state);
  }
}

int TEditorScreenStrings::RowEndState(int row, int state) {
  if (!HasBracketPairs())
    return state == TEditorParser::kNotComputed ? state : TEditorParser::kNoBracket;
  std::string_view text = RowView(row);
  if (wordWrap_ && row < Count() - 1 &&
      AttributeOf(rows_[static_cast<size_t>(row)].word) == raWrapped) {
    scratch_.assign(text);
    scratch_ += RowHeadText(row + 1);
    text = scratch_;
  }
  TEditorParser parser(*FirstView(), text, state);
  while (parser.TokenKind() != tkEnd)
    parser.NextToken();
  return parser.State();
}

int TEditorScreenStrings::UpdateRowStates(int row, bool notify) {
  if (row < 0 || row >= Count())
    return 0;
  int from = row - 1;
  while (from >= 0 && StateOf(rows_[static_cast<size_t>(from)].word) == TEditorParser::kNotComputed)
    --from;
  int state = TEditorParser::kNoBracket;
  if (from >= 0)
    state = RowEndState(from, StateOf(rows_[static_cast<size_t>(from)].word));
  ++from;
  int limit = std::min(row + 2 * ScreenRows(), Count() - 1);
  int changed = 0;
  int current = from;
  for (; current <= limit; ++current) {
    uint32_t& word = rows_[static_cast<size_t>(current)].word;
    if (StateOf(word) == state)
      return notify ? changed : 0;
    word = WithState(word, state);
    ++changed;
    if (notify) {
      for (EditorView* view : views_)
        view->RepaintRow(current);
    }
    state = RowEndState(current, state);
  }
  for (; current < Count(); ++current) {
    uint32_t& word = rows_[static_cast<size_t>(current)].word;
    word = WithState(word, TEditorParser::kNotComputed);
  }
  return notify ? changed : 0;
}

std::string TEditorScreenStrings::RowHeadText(int row) const {
  std::string_view text = RowView(row);
  EditorView* view = FirstView();
  TEditorParser parser =
      view ? TEditorParser(*view, text, TEditorParser::kNoBracket) : TEditorParser(text);
  if (parser.SourcePos() == 0)
    parser.NextToken();
  return std::string(text.substr(0, static_cast<size_t>(parser.SourcePos())));
}

void TEditorScreenStrings::Undo() {
  undo_->Undo();
}

void TEditorScreenStrings::Redo() {
  undo_->Redo();
}

void TEditorScreenStrings::ClearViewSelections() {
  for (EditorView* view : views_) {
    if (view->Selected())
      view->RemoveSelection();
  }
}

void TEditorScreenStrings::ClampViewRows() {
  int limit = Count();
  if (limit > 0 && AttributeOf(rows_.back().word) == raTextEnd)
    --limit;
  for (EditorView* view : views_) {
    if (view->Row() > limit)
      view->SetRow(limit);
    if (view->TopRow() > limit)
      view->SetTopRow(limit);
  }
}

void TEditorScreenStrings::ResetViewCols() {
  for (EditorView* view : views_)
    view->SetCol(0);
}

void TEditorScreenStrings::UpdateViews() {
  for (EditorView* view : views_)
    view->UpdateView();
}

void TEditorScreenStrings::Clear() {
  ClearViewSelections();
  undo_->Clear();
  UpdateGuard update(*this);
  SetChangeNotice(0, Count(), 0, 0);
  TEditorStringList::Clear();
  for (EditorView* view : views_) {
    view->SetRow(0);
    view->SetCol(0);
  }
}

bool TEditorScreenStrings::IsLineStart(int row) const {
  return row == 0 || AttributeOf(rows_[static_cast<size_t>(row - 1)].word) != raWrapped;
}

void TEditorScreenStrings::EnsureLineIndex() const {
  if (lineIndexValid_)
    return;
  lineStarts_.clear();
  for (int row = 0; row < Count(); ++row) {
    if (IsLineStart(row))
      lineStarts_.push_back(row);
  }
  lineIndexValid_ = true;
}

void TEditorScreenStrings::RowsReplaced(int start, int oldCount, int newCount) {
  if (!lineIndexValid_)
    return;
  if (!wordWrap_ || (start == 0 && newCount == Count())) {
    lineIndexValid_ = false;
    return;
  }
  // Entries before the change stay; entries of the changed rows and of the row after them
  // are made afresh; later ones shift.
  auto low = std::lower_bound(lineStarts_.begin(), lineStarts_.end(), start);
  auto high = std::upper_bound(low, lineStarts_.end(), start + oldCount);
  size_t at = static_cast<size_t>(low - lineStarts_.begin());
  std::vector<int> fresh;
  for (int row = start; row <= std::min(start + newCount, Count() - 1); ++row) {
    if (IsLineStart(row))
      fresh.push_back(row);
  }
  if (fresh.size() == static_cast<size_t>(high - low)) {
    std::copy(fresh.begin(), fresh.end(), low);
  } else {
    lineStarts_.erase(low, high);
    lineStarts_.insert(lineStarts_.begin() + static_cast<ptrdiff_t>(at), fresh.begin(),
                       fresh.end());
  }
  int shift = newCount - oldCount;
  if (shift == 0)
    return;
  for (size_t i = at + fresh.size(); i < lineStarts_.size(); ++i)
    lineStarts_[i] += shift;
}

int TEditorScreenStrings::LineCount() const {
  if (!wordWrap_)
    return Count();
  EnsureLineIndex();
  return static_cast<int>(lineStarts_.size());
}

int TEditorScreenStrings::LinesToRow(int line) const {
  if (line < 1)
    return 0;
  if (!wordWrap_)
    return line;
  EnsureLineIndex();
  return line >= static_cast<int>(lineStarts_.size()) ? Count()
                                                      : lineStarts_[static_cast<size_t>(line)];
}

int TEditorScreenStrings::LineOfRow(int row) const {
  if (row <= 0)
    return 0;
  if (row >= Count())
    return LineCount();
  if (!wordWrap_)
    return row;
  EnsureLineIndex();
  auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), row);
  return static_cast<int>(after - lineStarts_.begin()) - 1;
}

std::string TEditorScreenStrings::WholeText() const {
  // Sized first and filled by plain copies: find and replace reads the whole text of a large
  // document, and appending row by row took several times as long as a copy.
  size_t size = 0;
  for (const Row& row : rows_)
    size += row.length + (AttributeOf(row.word) == raLineEnd ? 2 : 0);
  std::string text(size, '\0');
  char* out = text.data();
  for (const Row& row : rows_) {
    if (row.length > 0)
      std::memcpy(out, row.text, row.length);
    out += row.length;
    if (AttributeOf(row.word) == raLineEnd) {
      *out++ = '\r';
      *out++ = '\n';
    }
  }
  return text;
}

void TEditorScreenStrings::ReplaceByLines(std::string_view stored, bool keepOpenEnd) {
  std::vector<Row> rows = RowsOfLines(stored, nullptr, 1);
  MarkOpenEnd(rows, stored, keepOpenEnd);
  ReplaceAllRows(std::move(rows));
}

void TEditorScreenStrings::MarkOpenEnd(std::vector<Row>& rows, std::string_view text,
                                       bool keepOpenEnd) {
  if (keepOpenEnd && !rows.empty() && text.back() != '\n' && text.back() != '\r')
    rows.back().word = raTextEnd;
}

std::vector<TPointerStringList::Row>
TEditorScreenStrings::RowsOfLines(std::string_view text, LineWrapper* wrapper, size_t wrapByte) {
  std::vector<Row> rows;
  rows.reserve(CountLineFeeds(text) + 1 + (wrapper ? text.size() / wrapByte : 0));
  std::vector<RowSpan> spans;
  ForEachLine(text, [&](std::string_view line) {
    if (!wrapper) {
      rows.push_back(Row{line.data(), static_cast<uint32_t>(line.size()), raLineEnd});
      return;
    }
    spans.clear();
    wrapper->Wrap(line, spans);
    for (const RowSpan& span : spans)
      rows.push_back(
          Row{line.data() + span.offset, span.length, static_cast<uint32_t>(span.attribute)});
  });
  return rows;
}

void TEditorScreenStrings::LoadText(std::string whole, bool keepOpenEnd) {
  bool wrap = wordWrap_ && !FirstViewLoading();
  // Rows point into the text where the arena keeps it, which a short one is copied to.
  std::string_view text = arena_.Adopt(std::move(whole));
  std::vector<std::string_view> pieces = CutAfterLineFeeds(text, loadPieces_, loadPieceBytes_);
  if (pieces.size() == 1) {
    ReplaceByLines(text, keepOpenEnd);
    if (wrap)
      WrapAll();
    return;
  }
  if (wrap)
    ClearViewSelections();
  // Each thread wraps with a wrapper of its own, made here from the views' options.
  std::vector<LineWrapper> wrappers;
  wrappers.reserve(wrap ? pieces.size() : 0);
  while (wrap && wrappers.size() < pieces.size())
    wrappers.push_back(MakeWrapper());
  auto wrapByte = static_cast<size_t>(std::max(wrapOption_.WrapByte(), 1));
  std::vector<std::vector<Row>> pieceRows(pieces.size());
  RunInParallel(pieces.size(), [&](size_t index) {
    pieceRows[index] = RowsOfLines(pieces[index], wrap ? &wrappers[index] : nullptr, wrapByte);
  });
  size_t total = 0;
  for (const std::vector<Row>& rows : pieceRows)
    total += rows.size();
  std::vector<Row> rows;
  rows.reserve(total);
  for (const std::vector<Row>& piece : pieceRows)
    rows.insert(rows.end(), piece.begin(), piece.end());
  // Only the last piece can end without a line end: every cut follows a line feed.
  MarkOpenEnd(rows, text, keepOpenEnd);
  ReplaceAllRows(std::move(rows));
}

int TEditorScreenStrings::ColumnOfByte(int row, size_t byteIndex) const {
  std::string_view text = RowView(row);
  EditorView* view = FirstView();
  ByteKindMapper mapper(view ? view->Delimiters() : StandardDelimiters(),
                        view ? view->Caret().TabSpaceCount() : 8,
                        wordWrap_ ? wrapOption_.WrapByte() : 0);
  return static_cast<int>(mapper.Width(text.substr(0, std::min(byteIndex, text.size()))));
}

std::string TEditorScreenStrings::InvariantFault() const {
  for (int row = 0; row < Count(); ++row) {
    const Row& stored = rows_[static_cast<size_t>(row)];
    int attribute = AttributeOf(stored.word);
    bool lastRow = row == Count() - 1;
    if (attribute > raTextEnd || (attribute == raTextEnd && !lastRow) ||
        (attribute == raWrapped && lastRow))
      return "row " + std::to_string(row) + " has attribute " + std::to_string(attribute);
    if (attribute != raWrapped || rows_[static_cast<size_t>(row) + 1].length == 0)
      continue;
    // A lead byte at the end of a wrapped row would pair with the next row's first byte.
    std::string_view text = RowText(stored);
    size_t lastChar = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharBytes(text, pos))
      lastChar = pos;
    auto nextFirst = static_cast<unsigned char>(RowText(rows_[static_cast<size_t>(row) + 1])[0]);
    if (!text.empty() && lastChar == text.size() - 1 && IsLead(text.back()) &&
        !sjis::EndsCharacter(nextFirst))
      return "wrapped row " + std::to_string(row) + " ends on a lead byte";
  }
  return {};
}

} // namespace quolin
