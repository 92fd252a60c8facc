#include "core/EditorUndo.h"
#include "RecordingView.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace quolin;

namespace {

class EditorUndo : public ::testing::Test {
protected:
  RecordingView view;
  TEditorScreenStrings& store = view.Store();
  TEditorUndoObj& undo = store.UndoObj();

  int UndoCount() { return undo.UndoList().Count(); }
  int RedoCount() { return undo.RedoList().Count(); }
  std::string Text() { return store.WholeText(); }
  void WrapWords() {
    store.WrapOption().SetWrapByte(20);
    store.WrapOption().SetWordBreak(true);
    store.SetWordWrap(true);
  }
};

TEST_F(EditorUndo, KeepsTheNewestRecords) {
  for (int i = 0; i < 65; ++i)
    view.Lines().Add(std::to_string(i));
  EXPECT_EQ(UndoCount(), 64);
  for (int i = 0; i < 64; ++i)
    store.Undo();
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_EQ(Text(), "0\r\n"); // the first change fell off the list
  store.Undo();
  EXPECT_EQ(Text(), "0\r\n");
  EXPECT_EQ(RedoCount(), 64);
}

TEST_F(EditorUndo, RedoListAndDeletedLines) {
  view.Lines().Add("a");
  view.Lines().Add("b");
  view.Lines().Add("c");
  store.Undo();
  store.Undo();
  EXPECT_EQ(Text(), "a\r\n");
  EXPECT_TRUE(undo.CanRedo());
  store.Redo();
  EXPECT_EQ(Text(), "a\r\nb\r\n");
  EXPECT_EQ(RedoCount(), 1);
  EXPECT_EQ(UndoCount(), 2);
  view.Lines().Add("d");
  EXPECT_FALSE(undo.CanRedo());
  store.Redo();
  EXPECT_EQ(Text(), "a\r\nb\r\nd\r\n");
  view.Lines().SetText("a\r\nb\r\nc");
  view.Lines().Delete(1);
  EXPECT_EQ(Text(), "a\r\nc\r\n");
  store.Undo();
  EXPECT_EQ(DescribeRows(store), "[a]0[b]0[c]0");
  store.Redo();
  EXPECT_EQ(DescribeRows(store), "[a]0[c]0");

  store.ReplaceRows(1, 1, "");
  store.ReplaceRows(0, 1, "");
  EXPECT_EQ(store.Count(), 0);
  store.Undo();
  store.Undo();
  EXPECT_EQ(DescribeRows(store), "[a]0[c]0");
}

TEST_F(EditorUndo, UndoAndRedoRestoreTextRowsAndCaret) {
  store.ReplaceRows(0, 0, "abc\r\ndef");
  EXPECT_EQ(undo.UndoList().Items(0).kind, raNone);
  store.Undo();
  EXPECT_EQ(store.Count(), 0);
  ASSERT_EQ(view.notices.size(), 2u);
  EXPECT_EQ(Describe(view.notices[1]), "0 2>0");
  store.Redo();
  EXPECT_EQ(DescribeRows(store), "[abc]0[def]2");
  view.Lines().SetText("hello\r\nworld");
  view.row = 1;
  view.col = 2;
  store.ReplaceRows(1, 1, "woXrld\r\n");
  view.col = 3; // the editor moves the caret behind the typed X
  std::string edited = Text();
  store.Undo();
  EXPECT_EQ(Text(), "hello\r\nworld\r\n");
  EXPECT_EQ(view.CaretAt(), "1,2");
  EXPECT_EQ(view.caretHides, view.caretShows);
  view.row = 0;
  view.col = 0;
  store.Redo();
  EXPECT_EQ(Text(), edited);
  EXPECT_EQ(view.CaretAt(), "1,3"); // where the caret stood when the undo was done
  store.Undo();
  EXPECT_EQ(view.CaretAt(), "0,0"); // the redo recorded the caret of its own time
}

TEST_F(EditorUndo, WrappedRowsComeBackExactly) {
  WrapWords();
  view.Lines().SetText("short\r\n" + Repeat("a", 30) + " " + Repeat("b", 30) + "\r\nend");
  std::string before = DescribeRows(store);
  std::string typed(1, 'X');
  typed += store.RowView(2);
  store.ReplaceRows(2, 1, typed);
  store.ReplaceRows(1, 2, "");
  EXPECT_NE(DescribeRows(store), before);
  store.Undo();
  store.Undo();
  EXPECT_EQ(DescribeRows(store), before);
  store.Redo();
  store.Redo();
  store.Undo();
  store.Undo();
  EXPECT_EQ(DescribeRows(store), before);
  EXPECT_EQ(store.InvariantFault(), "");
  view.Lines().SetText(Repeat("a", 30)); // no delimiter: rows of W div 3 columns
  ASSERT_EQ(DescribeRows(store), Row("aaaaaa", 1) + Row("aaaaaa", 1) + Row(Repeat("a", 18), 0));
  // A line break before row 2 rewraps from row 1 on; row 0 keeps its early break.
  store.ReplaceRows(2, 0, "\r\n");
  std::string split = DescribeRows(store);
  ASSERT_EQ(split, Row("aaaaaa", 1) + Row("aaaaaa", 0) + Row(Repeat("a", 18), 0));
  // Rewrapping that line whole would make one row of it.
  typed = Repeat("a", 6).insert(0, 1, 'b');
  store.ReplaceRows(0, 1, typed);
  std::string joined = typed + Repeat("a", 6);
  ASSERT_EQ(DescribeRows(store), Row(joined, 0) + Row(Repeat("a", 18), 0));
  store.Undo();
  EXPECT_EQ(DescribeRows(store), split);
  store.Undo();
  EXPECT_EQ(store.WholeText(), Repeat("a", 30) + "\r\n");
  store.Redo();
  store.Redo();
  EXPECT_EQ(store.WholeText(), joined + "\r\n" + Repeat("a", 18) + "\r\n");
}

TEST_F(EditorUndo, TheMaximumHasAFloorAndFallsOneRecordAtATime) {
  undo.SetUndoListMax(10);
  EXPECT_EQ(undo.UndoListMax(), 64);
  undo.SetUndoListMax(100);
  for (int i = 0; i < 100; ++i)
    view.Lines().Add("x");
  EXPECT_EQ(UndoCount(), 100);
  undo.SetUndoListMax(64);
  EXPECT_EQ(UndoCount(), 100);
  view.Lines().Add("y");
  EXPECT_EQ(UndoCount(), 100);
  view.Lines().Add("z");
  EXPECT_EQ(UndoCount(), 100);
}

TEST_F(EditorUndo, WrapChangesClearBothListsEqualValuesDoNot) {
  auto edits = [&] {
    view.Lines().Add("a");
    view.Lines().Add("b");
    store.Undo();
    ASSERT_TRUE(undo.CanUndo());
    ASSERT_TRUE(undo.CanRedo());
  };
  edits();
  store.SetWordWrap(false); // the current value
  store.WrapOption().SetWrapByte(store.WrapOption().WrapByte());
  TEditorWrapOption same;
  store.WrapOption().Assign(same);
  EXPECT_TRUE(undo.CanUndo());
  EXPECT_TRUE(undo.CanRedo());

  store.SetWordWrap(true);
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());

  // Each change clears both; the follow-ret-mark rule even without word wrap.
  for (auto change : std::initializer_list<std::function<void()>>{
           [&] { store.WrapOption().SetWrapByte(40); }, [&] { store.SetWordWrap(false); },
           [&] { store.WrapOption().SetFollowRetMark(true); }}) {
    edits();
    change();
    EXPECT_FALSE(undo.CanUndo() || undo.CanRedo());
  }
}

TEST_F(EditorUndo, MemoryAndANewRecord) {
  EXPECT_EQ(undo.UndoList().MemoryBytes(), 0u);
  view.Lines().Add(std::string(1000, 'x'));
  view.Lines().Put(0, "y");
  EXPECT_GE(undo.UndoList().MemoryBytes(), 1000u + 2 * sizeof(TUndoData));
  RecordingView other(view.SharedStore());
  other.row = 7;
  other.col = 3;
  view.focused = false; // the focused view's caret is taken
  TUndoData& record = undo.NewUndoRecord();
  EXPECT_EQ(std::to_string(record.caretRow) + "," + std::to_string(record.caretCol), "7,3");
  EXPECT_EQ(Describe(record), "-1+0 3 []"); // kind raNone
}

} // namespace
