#include "RecordingView.h"
#include "core/EditorUndo.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace quolin;

namespace {

// Fragments of edit text: double-byte characters, TABs, line ends, words, brackets, punctuation
// that the wrap rules act on, and a lone lead byte.
const std::vector<std::string> kFragments = {
    "a",  "xyz ", "word", "あ", "漢字", "\t", "\r\n", "\r\n",          "、", "。",   "（",
    "ー", "ｶﾅ",   "{",    "}",  "\\",   "ソ", ",",    Repeat("b", 25), "　", "\x83",
};

// Single bytes at the edges of the lead ranges (81-9F, E0-FC) and of the second bytes (40-FC),
// and lone line ends: a quarter of the fragments are drawn from these.
const std::vector<std::string> kEdgeBytes = {"\x80", "\x81", "\x9F", "\xA0", "\xDF", "\xE0", "\xFC",
                                             "\xFD", "\x40", "\x7E", "\x7F", "\r",   "\n"};

// The text as the store should hold it; rows are read back only to find where an edit goes.
class RandomEdits {
public:
  explicit RandomEdits(uint32_t seed) : random_(seed) {}

  int Below(int limit) {
    return limit <= 0 ? 0 : static_cast<int>(random_() % static_cast<uint32_t>(limit));
  }

  std::string Text(int maxFragments) {
    std::string text;
    for (int i = Below(maxFragments + 1); i > 0; --i)
      text += Pick(Below(4) == 0 ? kEdgeBytes : kFragments);
    return text;
  }

private:
  std::mt19937 random_;

  const std::string& Pick(const std::vector<std::string>& pool) {
    return pool[static_cast<size_t>(Below(static_cast<int>(pool.size())))];
  }
};

// text with every line end (CR LF, a lone CR, a lone LF) as CR LF, as the store gives it back.
std::string CrLfLineEnds(std::string_view text) {
  std::string result;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] != '\r' && text[pos] != '\n') {
      result += text[pos];
      continue;
    }
    result += "\r\n";
    if (text.substr(pos, 2) == "\r\n")
      ++pos;
  }
  return result;
}

// Offset of row's first byte in the text, counting CR LF after each row that ends a line.
size_t RowOffset(const TEditorScreenStrings& store, int row) {
  size_t offset = 0;
  for (int i = 0; i < row; ++i)
    offset += store.RowView(i).size() + (store.GetRowAttribute(i) == raLineEnd ? 2 : 0);
  return offset;
}

// Lines of the text as Lines should give them.
std::vector<std::string> ModelLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos)
      end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// The last row that starts before offset, 0 when none.
int RowStartingBefore(const TEditorScreenStrings& store, int offset) {
  int found = 0;
  for (int row = 0; row < store.Count(); ++row)
    if (static_cast<int>(RowOffset(store, row)) < offset)
      found = row;
  return found;
}

// The store's offsets, walked from wherever its last question left it, agree with a walk from
// the first row. The questions end in the middle, so the next edit may fall on either side.
void ExpectOffsetsHold(const TEditorScreenStrings& store, const std::string& step) {
  const int count = store.Count();
  for (int row : {count, 0, std::max(count - 1, 0), count / 3, count}) {
    ASSERT_EQ(store.RowStartOffset(row), static_cast<int>(RowOffset(store, row)))
        << step << " row " << row;
  }
  for (int row = count - 1; row >= 0; --row) {
    int start = static_cast<int>(RowOffset(store, row));
    for (int offset : {start - 1, start, start + 1})
      ASSERT_EQ(store.RowStartingBefore(offset), RowStartingBefore(store, offset))
          << step << " offset " << offset;
  }
  store.RowStartOffset(count / 2);
}

void ExpectStoreHolds(RecordingView& view, const std::string& model, const std::string& step) {
  TEditorScreenStrings& store = view.Store();
  ASSERT_EQ(store.WholeText(), model) << step;
  ASSERT_EQ(store.InvariantFault(), "") << step;
  ASSERT_EQ(LinesIndexFault(view, ModelLines(model)), "") << step;
  ExpectOffsetsHold(store, step);
}

TEST(RowStoreRandom, EditsMatchAStringModelAndUndoRedoRoundTrips) {
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 20261206u}) {
    RandomEdits random(seed);
    RecordingView view;
    TEditorScreenStrings& store = view.Store();
    std::string model;
    for (int round = 0; round < 6; ++round) {
      // Rules and width for this round; changing them clears the undo lists.
      TEditorWrapOption& options = store.WrapOption();
      options.SetWrapByte(20 + random.Below(25));
      options.SetWordBreak(random.Below(2));
      options.SetFollowPunctuation(random.Below(2));
      options.SetLeading(random.Below(2));
      options.SetFollowRetMark(random.Below(2));
      view.caret.SetTabSpaceCount(random.Below(2) ? 4 : 8);
      store.SetWordWrap(random.Below(4) != 0);
      store.UndoObj().SetUndoListMax(1000);
      std::string round_ = "seed " + std::to_string(seed) + " round " + std::to_string(round);
      ExpectStoreHolds(view, model, round_ + " rewrap");

      // The text and the rows after each edit: undo and redo give back both.
      std::vector<std::string> history = {model};
      std::vector<std::string> rowHistory = {DescribeRows(store)};
      for (int step = 0; step < 80; ++step) {
        int rows = store.Count();
        int index = random.Below(rows + 1);
        int count = random.Below(std::min(3, rows - index) + 1);
        std::string text;
        if (count == 1 && random.Below(2)) {
          // As the editor types: the row again with something inside it.
          std::string row(store.RowView(index));
          size_t at = sjis::CharStart(
              row, static_cast<size_t>(random.Below(static_cast<int>(row.size()) + 1)));
          text = row.substr(0, at) + random.Text(2) + row.substr(at);
          if (store.GetRowAttribute(index) == raLineEnd)
            text += "\r\n";
        } else {
          text = random.Text(6);
        }
        if (count == 0 && text.empty())
          continue;
        size_t first = RowOffset(store, index);
        size_t last = RowOffset(store, index + count);
        model = model.substr(0, first) + CrLfLineEnds(text) + model.substr(last);
        store.ReplaceRows(index, count, text);
        ASSERT_NO_FATAL_FAILURE(
            ExpectStoreHolds(view, model, round_ + " step " + std::to_string(step)));
        history.push_back(model);
        rowHistory.push_back(DescribeRows(store));
      }
      int records = store.UndoObj().UndoList().Count();
      ASSERT_EQ(records, static_cast<int>(history.size()) - 1);
      auto expectState = [&](int i, const std::string& step) {
        ExpectStoreHolds(view, history[static_cast<size_t>(i)], round_ + step + std::to_string(i));
        ASSERT_EQ(DescribeRows(store), rowHistory[static_cast<size_t>(i)]) << round_ << step << i;
      };
      for (int i = records - 1; i >= 0; --i) {
        store.Undo();
        ASSERT_NO_FATAL_FAILURE(expectState(i, " undo "));
      }
      for (int i = 1; i <= records; ++i) {
        store.Redo();
        ASSERT_NO_FATAL_FAILURE(expectState(i, " redo "));
      }
    }
  }
}

} // namespace
