#include "CoreTempFolder.h"
#include "RecordingView.h"
#include "core/EditorUndo.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

class EditorLines : public ::testing::Test {
protected:
  RecordingView view;
  TEditorScreenStrings& store = view.Store();
  TEditorStrings& lines = view.Lines();
  core_test::TempFolder folder;

  void WrapAt20() {
    store.WrapOption().SetWrapByte(20);
    store.SetWordWrap(true);
  }

  // The lines by walking every row, without the store's index.
  std::vector<std::string> NaiveLines() {
    std::vector<std::string> result;
    bool open = false;
    for (int row = 0; row < store.Count(); ++row) {
      if (!open)
        result.emplace_back();
      result.back() += store.RowView(row);
      open = store.GetRowAttribute(row) == raWrapped;
    }
    return result;
  }
};

TEST_F(EditorLines, ListOperationsAndTheCaret) {
  EXPECT_EQ(lines.Add("one"), 0);
  EXPECT_EQ(lines.Add("three"), 1);
  lines.Insert(1, "two");
  lines.Insert(3, "four"); // at the end: added
  EXPECT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  lines.Put(2, "3");
  EXPECT_EQ(lines[2], "3");
  EXPECT_EQ(view.CaretAt(), "2,1");
  lines.Delete(0);
  EXPECT_EQ(lines.CommaText(), "two,3,four");
  EXPECT_EQ(view.row, 0);
  EXPECT_EQ(lines.IndexOf("FOUR"), 2);
  EXPECT_THROW(lines.Get(3), EStringListError);
  EXPECT_THROW(lines.Delete(-1), EStringListError);
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
  EXPECT_EQ(store.Count(), 0);
  store.ReplaceRows(0, 0, "abc");
  EXPECT_EQ(lines.Add("de\tf"), 1);
  EXPECT_EQ(DescribeRows(store), Row("abc", 0) + Row("de\tf", 2));
  EXPECT_EQ(view.CaretAt(), "1,9"); // behind the TAB's fill columns
  lines.Add("g");
  EXPECT_EQ(lines.Text(), "abc\r\nde\tf\r\ng");

  WrapAt20();
  lines.Add(Repeat("h", 30));
  EXPECT_EQ(view.row, store.Count() - 1);
  EXPECT_EQ(view.col, 10);
  // A last row that continues a line still counts as a line.
  int count = lines.Count();
  store.SetRowAttribute(store.Count() - 1, raWrapped);
  EXPECT_EQ(lines.Count(), count);
  WrapAt20();
  lines.SetText("first\r\nsecond\r\nthird");
  lines.Put(1, Repeat("x", 20) + "\tyz");
  EXPECT_EQ(view.CaretAt(), "2,10"); // the row after the full 20 columns
  lines.Put(0, Repeat("x", 20));
  EXPECT_EQ(view.CaretAt(), "1,0"); // a line exactly 20 wide: the empty row behind it
  EXPECT_EQ(lines.Count(), 3);
}

TEST_F(EditorLines, ListOperationsWithWrapMatchANaiveWalk) {
  WrapAt20();
  for (int i = 0; i < 12; ++i)
    lines.Add(Repeat("w", i * 7) + "|" + std::to_string(i));
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  lines.Put(3, Repeat("long ", 12));
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  lines.Insert(5, Repeat("あ", 25));
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  lines.Delete(8);
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  lines.Put(0, "");
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  store.ReplaceRows(store.Count() - 1, 1, ""); // part of the last line
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  store.WrapOption().SetWrapByte(27);
  EXPECT_EQ(LinesIndexFault(view, NaiveLines()), "");
  EXPECT_EQ(lines[4], Repeat("w", 28) + "|4");
}

TEST_F(EditorLines, TextAndAssign) {
  lines.SetText("abc");
  EXPECT_EQ(DescribeRows(store), Row("abc", 0));
  lines.SetText("a\rb\nc\r\n");
  EXPECT_EQ(DescribeRows(store), Row("a", 0) + Row("b", 0) + Row("c", 0));
  TStringList source;
  source.Add("x");
  source.Add("y");
  lines.Assign(source);
  EXPECT_EQ(lines.Text(), "x\r\ny\r\n");
  EXPECT_EQ(view.CaretAt(), "2,0");
  TEditorMargin margin;
  EXPECT_THROW(lines.Assign(margin), EConvertError);
  // Through the base class the editor's own text setter runs.
  TStrings& base = lines;
  base.SetText("p\r\nq");
  EXPECT_EQ(DescribeRows(store), Row("p", 0) + Row("q", 0));
}

TEST_F(EditorLines, UpdatesHideTheCaretAndHoldRedrawing) {
  int updates = view.updates;
  lines.BeginUpdate();
  lines.BeginUpdate();
  lines.Add("a");
  EXPECT_EQ(view.caretHides, 1);
  EXPECT_EQ(view.caretMoves, 1);
  EXPECT_EQ(view.redraws, std::vector<bool>{false});
  lines.EndUpdate();
  EXPECT_EQ(view.caretShows, 0);
  lines.EndUpdate();
  EXPECT_EQ(view.caretShows, 1);
  EXPECT_EQ(view.caretMoves, 0);
  EXPECT_EQ(view.redraws, (std::vector<bool>{false, true}));
  EXPECT_EQ(view.linesUpdateEnds, 1);
  EXPECT_GT(view.updates, updates);
  view.showing = false;
  lines.BeginUpdate();
  lines.EndUpdate();
  EXPECT_EQ(view.redraws.size(), 2u);
}

TEST_F(EditorLines, LoadFromFile) {
  // Text after a Ctrl-Z is not read; a lone CR or LF last, CR and LF in the order that makes no
  // pair, lone lead bytes before line ends; CR LF split between the bytes 8191 and 8192, and an
  // LF at offset 8192 of a file with LF line ends.
  const std::pair<std::string, std::string> ends[] = {
      {"abc", Row("abc", 2)},
      {"abc\r\n", Row("abc", 0)},
      {"a\rb\nc\r\n\r\nd", Row("a", 0) + Row("b", 0) + Row("c", 0) + Row("", 0) + Row("d", 2)},
      {"ab\r\ncd\x1A"
       "ef\r\n",
       Row("ab", 0) + Row("cd", 2)},
      {"ab\r\n\x1A"
       "cd",
       Row("ab", 0)},
      {"", ""},
      {"ab\r", Row("ab", 0)},
      {"\r", Row("", 0)},
      {"a\r\r", Row("a", 0) + Row("", 0)},
      {"a\n\r", Row("a", 0) + Row("", 0)},
      {"a\r\n\r", Row("a", 0) + Row("", 0)},
      {"\x83\r\x9F\n\xE0", Row("\x83", 0) + Row("\x9F", 0) + Row("\xE0", 2)},
      {Repeat("a", 8191) + "\r\nb", Row(Repeat("a", 8191), 0) + Row("b", 2)},
      {Repeat("a", 8192) + "\nb\n", Row(Repeat("a", 8192), 0) + Row("b", 0)},
      {Repeat("a", 8191) + "\n\nb", Row(Repeat("a", 8191), 0) + Row("", 0) + Row("b", 2)},
  };
  for (const auto& [bytes, rows] : ends) {
    lines.LoadFromFile(folder.Write("ends.tex", bytes));
    EXPECT_EQ(DescribeRows(store), rows) << testing::PrintToString(bytes.substr(0, 20));
  }
  std::string longLine = Repeat("長い行", 3414); // 20484 bytes
  lines.LoadFromFile(folder.Write("long.tex", "x\r\n" + longLine + "\r\ny"));
  ASSERT_EQ(store.Count(), 3);
  EXPECT_EQ(lines[1], longLine);
  WrapAt20();
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(store.Count(), 1 + 20484 / 20 + 1 + 1);
  WrapAt20();
  std::string text = "\\documentclass{jarticle}\r\n" + Repeat("日本語", 10) + "\r\n";
  lines.LoadFromFile(folder.Write("日本語の文書.tex", text));
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(store.Count(), 6); // 20 + 4 columns; 3 x 20 columns and the empty row behind them
  EXPECT_EQ(lines.Text(), text);
  EXPECT_EQ(store.InvariantFault(), "");
}

TEST_F(EditorLines, LoadingClearsUndoAMissingFileKeepsTheText) {
  lines.Add("a");
  ASSERT_TRUE(store.UndoObj().CanUndo());
  lines.LoadFromFile(folder.Write("undo.tex", "b"));
  EXPECT_FALSE(store.UndoObj().CanUndo());
  lines.SetText("kept");
  view.notices.clear();
  EXPECT_THROW(lines.LoadFromFile(folder / "missing.tex"), EFileError);
  EXPECT_EQ(lines.Text(), "kept\r\n");
  EXPECT_TRUE(view.notices.empty());
}

} // namespace
