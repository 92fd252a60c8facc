#include "RecordingView.h"
#include "core/EditorUndo.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

class RowStoreEdit : public ::testing::Test {
protected:
  RecordingView view;
  TEditorScreenStrings& store = view.Store();

  void Wrapped(std::string_view text) {
    store.WrapOption().SetWrapByte(20);
    store.SetWordWrap(true);
    view.Lines().SetText(text);
    view.notices.clear();
  }
  const TUndoData& LastRecord() {
    return store.UndoObj().UndoList().Items(store.UndoObj().UndoList().Count() - 1);
  }
};

TEST_F(RowStoreEdit, ReplacingInsideAWrappedLineRewrapsFromTheRowBefore) {
  Wrapped(Repeat("a", 50) + "\r\nnext");
  ASSERT_EQ(DescribeRows(store), Row(Repeat("a", 20), 1) + Row(Repeat("a", 20), 1) +
                                     Row(Repeat("a", 10), 0) + Row("next", 0));
  store.ReplaceRows(1, 1, "X" + Repeat("a", 20));
  EXPECT_EQ(DescribeRows(store), Row(Repeat("a", 20), 1) + Row("X" + Repeat("a", 19), 1) +
                                     Row(Repeat("a", 11), 0) + Row("next", 0));
  ASSERT_EQ(view.notices.size(), 1u);
  const TChangeNotice& notice = view.notices[0];
  EXPECT_TRUE(notice.changed);
  EXPECT_EQ(notice.firstRow, 0);
  EXPECT_EQ(notice.oldRowCount, 3);
  EXPECT_EQ(notice.newRowCount, 3);
  EXPECT_FALSE(store.ChangeNotice().changed); // cleared after the views were told
  EXPECT_EQ(LastRecord().firstRow, 0);
  EXPECT_EQ(LastRecord().rowCount, 3);
  EXPECT_EQ(LastRecord().kind, raLineEnd);
  EXPECT_EQ(LastRecord().text, Repeat("a", 50) + "\r\n");
}

TEST_F(RowStoreEdit, TextWithoutLineBreakJoinsTheFollowingLine) {
  view.Lines().SetText("ab\r\ncd\r\nef");
  store.ReplaceRows(0, 1, "x");
  EXPECT_EQ(DescribeRows(store), Row("xcd", 0) + Row("ef", 0));
  EXPECT_EQ(LastRecord().text, "ab\r\ncd\r\n");
  EXPECT_EQ(LastRecord().rowCount, 1);
  store.ReplaceRows(0, 0, "1\r\n2\r\n");
  EXPECT_EQ(DescribeRows(store), Row("1", 0) + Row("2", 0) + Row("xcd", 0) + Row("ef", 0));
}

TEST_F(RowStoreEdit, WholeLineDeletionRecordsNoRows) {
  view.Lines().SetText("a\r\nb\r\nc");
  view.notices.clear();
  store.ReplaceRows(1, 1, "");
  EXPECT_EQ(DescribeRows(store), Row("a", 0) + Row("c", 0));
  EXPECT_EQ(LastRecord().firstRow, 1);
  EXPECT_EQ(LastRecord().rowCount, 0);
  EXPECT_EQ(LastRecord().kind, raLineEnd);
  EXPECT_EQ(LastRecord().text, "b\r\n");
  ASSERT_EQ(view.notices.size(), 1u);
  EXPECT_EQ(view.notices[0].firstRow, 1);
  EXPECT_EQ(view.notices[0].oldRowCount, 1);
  EXPECT_EQ(view.notices[0].newRowCount, 0);

  Wrapped(Repeat("a", 50) + "\r\nnext");
  store.ReplaceRows(0, 3, "");
  EXPECT_EQ(DescribeRows(store), Row("next", 0));
  EXPECT_EQ(LastRecord().rowCount, 0);
  EXPECT_EQ(LastRecord().text, Repeat("a", 50) + "\r\n");
}

TEST_F(RowStoreEdit, InsertingAtTheRowCount) {
  store.ReplaceRows(0, 0, "abc");
  ASSERT_EQ(DescribeRows(store), Row("abc", 2));
  // Behind a last line without line end the text continues that line.
  store.ReplaceRows(1, 0, "def\r\nghi");
  EXPECT_EQ(DescribeRows(store), Row("abcdef", 0) + Row("ghi", 2));
  EXPECT_EQ(store.InvariantFault(), "");
  store.ReplaceRows(2, 0, "\r\n");
  EXPECT_EQ(DescribeRows(store), Row("abcdef", 0) + Row("ghi", 0));
  store.ReplaceRows(2, 0, "jkl");
  EXPECT_EQ(DescribeRows(store), Row("abcdef", 0) + Row("ghi", 0) + Row("jkl", 2));

  Wrapped("");
  store.ReplaceRows(0, 0, Repeat("a", 45));
  store.ReplaceRows(3, 0, "b\r\n");
  EXPECT_EQ(DescribeRows(store),
            Row(Repeat("a", 20), 1) + Row(Repeat("a", 20), 1) + Row("aaaaab", 0));
  EXPECT_EQ(store.InvariantFault(), "");
}

TEST_F(RowStoreEdit, AnEmptyLastLineWithoutLineEndIsNoLine) {
  Wrapped("abc\r\n" + Repeat("x", 20));
  ASSERT_EQ(DescribeRows(store), Row("abc", 0) + Row(Repeat("x", 20), 1) + Row("", 0));
  store.ReplaceRows(2, 1, ""); // the row behind a line exactly W wide
  ASSERT_EQ(DescribeRows(store), Row("abc", 0) + Row(Repeat("x", 20), 1) + Row("", 2));
  store.ReplaceRows(1, 1, "");
  EXPECT_EQ(DescribeRows(store), Row("abc", 0));
  EXPECT_EQ(view.Lines().Count(), 1);
  store.ReplaceRows(0, 1, "");
  EXPECT_EQ(store.Count(), 0);
  store.Undo();
  store.Undo();
  EXPECT_EQ(DescribeRows(store), Row("abc", 0) + Row(Repeat("x", 20), 1) + Row("", 2));
}

TEST_F(RowStoreEdit, OutOfRangeArgumentsChangeNothing) {
  view.Lines().SetText("a\r\nb");
  view.notices.clear();
  store.ReplaceRows(-1, 1, "x");
  store.ReplaceRows(1, 2, "x");
  store.ReplaceRows(3, 0, "x");
  store.ReplaceRows(0, 0, "");
  store.ReplaceRows(0, -1, "x");
  EXPECT_EQ(DescribeRows(store), Row("a", 0) + Row("b", 0));
  EXPECT_FALSE(store.UndoObj().CanUndo());
  EXPECT_TRUE(view.notices.empty());
  store.DeleteRows(5, 1);
  store.DeleteRows(0, 0);
  EXPECT_EQ(store.Count(), 2);
}

TEST_F(RowStoreEdit, OneNotificationPerOutermostUpdate) {
  view.Lines().BeginUpdate();
  view.Lines().Add("a");
  store.BeginUpdate();
  view.Lines().Add("b");
  store.ReplaceRows(0, 1, "c\r\n");
  store.EndUpdate();
  EXPECT_TRUE(view.notices.empty());
  view.Lines().EndUpdate();
  ASSERT_EQ(view.notices.size(), 1u);
  EXPECT_EQ(view.notices[0].firstRow, 0); // the last change
  EXPECT_EQ(DescribeRows(store), Row("c", 0) + Row("b", 0));
}

TEST_F(RowStoreEdit, RowStatesAreWalkedWithALimitAndANotComputedTail) {
  TEditorBracketItem& braces = view.viewInfo.Brackets().Add();
  braces.SetLeftBracket("{");
  braces.SetRightBracket("}");
  view.screenHeight = 64; // 4 rows of 16 pixels: walks reach 8 rows on
  std::string text;
  for (int i = 0; i < 30; ++i)
    text += "x\r\n";
  view.Lines().SetText(text);
  auto states = [&](int first, int last) {
    std::string result;
    for (int row = first; row <= last; ++row)
      result += std::to_string(store.GetRowState(row)) + " ";
    return result;
  };
  EXPECT_EQ(states(7, 10), "-1 -1 -2 -2 ");

  view.repaintedRows.clear();
  store.ReplaceRows(0, 1, "x{\r\n");
  EXPECT_EQ(states(0, 10), "-1 0 0 0 0 0 0 0 0 -2 -2 ");
  EXPECT_EQ(view.notices.back().changedStates, 9);
  EXPECT_EQ(view.repaintedRows.size(), 9u);
  EXPECT_EQ(store.GetRowState(29), -2);

  // Painting further down starts from the nearest computed row above.
  EXPECT_EQ(store.UpdateRowStates(25, false), 0);
  EXPECT_EQ(states(24, 29), "0 0 0 0 0 0 ");

  // Closing the bracket walks to the limit again and forgets the rows after it.
  store.ReplaceRows(0, 1, "x{}\r\n");
  EXPECT_EQ(states(0, 10), "-1 -1 -1 -1 -1 -1 -1 -1 -1 -2 -2 ");
  EXPECT_EQ(store.GetRowState(25), -2);

  // An edit that changes no bracket stops at the first row whose state is already right:
  // after the two new rows (the following line joined the rewrap).
  view.repaintedRows.clear();
  store.ReplaceRows(5, 1, "y\r\n");
  EXPECT_EQ(view.notices.back().changedStates, 2);
  EXPECT_EQ(view.repaintedRows, (std::vector<int>{5, 6}));
  EXPECT_EQ(store.UpdateRowStates(40, true), 0);
}

TEST_F(RowStoreEdit, InitialStatesReachTwoScreensBelowTheTopRow) {
  TEditorBracketItem& braces = view.viewInfo.Brackets().Add();
  braces.SetLeftBracket("{");
  braces.SetRightBracket("}");
  view.screenHeight = 64;
  view.topRow = 5;
  view.Lines().SetText(Repeat("x\r\n", 40));
  EXPECT_EQ(store.GetRowState(13), -1); // rows 0 to 2 x (64 div 16) + 5
  EXPECT_EQ(store.GetRowState(14), -2);
  view.rowHeight = 0; // counts as 1: 64 rows a screen
  store.InitRowStates();
  EXPECT_EQ(store.GetRowState(39), -1);
}

TEST_F(RowStoreEdit, WithoutBracketPairsEveryRowIsOutsideBrackets) {
  view.Lines().SetText("{\r\na\r\n");
  EXPECT_EQ(store.GetRowState(0), -1);
  EXPECT_EQ(store.GetRowState(1), -1);
  EXPECT_EQ(store.RowEndState(0, -1), -1);
  EXPECT_EQ(store.RowEndState(0, -2), -2);
}

TEST_F(RowStoreEdit, RowHeadTextCompletesASplitToken) {
  Wrapped("ab  cd");
  EXPECT_EQ(store.RowHeadText(0), "ab  ");
  view.Lines().SetText("  cd ef");
  EXPECT_EQ(store.RowHeadText(0), "  ");
  view.Lines().SetText("ab");
  EXPECT_EQ(store.RowHeadText(0), "ab");
}

TEST_F(RowStoreEdit, RowsTextAndLineBounds) {
  Wrapped(Repeat("a", 50) + "\r\nnext");
  TRowsText line = store.GetRowsText(1, -1);
  EXPECT_EQ(line.text, Repeat("a", 30) + "\r\n");
  EXPECT_EQ(line.rowCount, 2);
  EXPECT_EQ(line.lastAttribute, raLineEnd);
  TRowsText clipped = store.GetRowsText(2, 10);
  EXPECT_EQ(clipped.text, Repeat("a", 10) + "\r\nnext\r\n");
  EXPECT_EQ(clipped.rowCount, 2);
  for (int outside : {-1, 4, 99}) {
    TRowsText none = store.GetRowsText(outside, 1);
    EXPECT_EQ(none.lastAttribute, raNone);
    EXPECT_EQ(none.rowCount, 0);
    EXPECT_EQ(none.text, "");
  }
  EXPECT_EQ(store.LineFirstRow(2), 0);
  EXPECT_EQ(store.LineFirstRow(3), 3);
  EXPECT_EQ(store.LineLastRow(0), 2);
  EXPECT_EQ(store.LineLastRow(3), 3);
  EXPECT_EQ(store.LineLastRow(-3), -3);
  EXPECT_EQ(store.LinesToRow(-5), 0);
  EXPECT_EQ(store.LinesToRow(1), 3);
  EXPECT_EQ(store.LinesToRow(2), 4);
}

TEST_F(RowStoreEdit, RowWordsKeepTheirOtherBits) {
  view.Lines().SetText("a\r\nb");
  store.SetRowState(0, 5);
  store.SetRowAttribute(0, raWrapped);
  EXPECT_EQ(store.GetRowState(0), 5);
  EXPECT_EQ(store.GetRowAttribute(0), raWrapped);
  EXPECT_EQ(store.GetRowData(0), 0x71u);
  store.SetRowState(0, -2);
  EXPECT_EQ(store.GetRowData(0), 0x01u);
  store.SetRowData(1, 0x200u | 0x30u);
  EXPECT_EQ(store.GetRowAttribute(1), 0x200);
  EXPECT_EQ(store.GetRowState(1), 1);
  EXPECT_THROW(store.GetRowData(2), EStringListError);
}

TEST_F(RowStoreEdit, ClearAndClampedCarets) {
  view.Lines().SetText("a\r\nb\r\nc\r\nd");
  view.row = 3;
  view.topRow = 3;
  store.ReplaceRows(1, 3, "");
  EXPECT_EQ(view.row, 1);
  EXPECT_EQ(view.topRow, 1);
  store.ReplaceRows(0, 1, "x");
  EXPECT_EQ(DescribeRows(store), Row("x", 2));
  EXPECT_EQ(view.row, 0); // the last row has no line end: its row is the limit

  view.col = 5;
  view.notices.clear();
  ASSERT_TRUE(store.UndoObj().CanUndo());
  store.Clear();
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(view.col, 0);
  EXPECT_FALSE(store.UndoObj().CanUndo());
  ASSERT_EQ(view.notices.size(), 1u);
  EXPECT_EQ(view.notices[0].oldRowCount, 1);
  EXPECT_EQ(view.notices[0].newRowCount, 0);
}

TEST_F(RowStoreEdit, ViewsShareOneStore) {
  view.Lines().SetText("one");
  auto second = std::make_unique<RecordingView>(view.SharedStore());
  EXPECT_EQ(store.FirstView(), &view);
  view.focused = false;
  EXPECT_EQ(store.FocusedView(), second.get());
  view.focused = true;
  EXPECT_EQ(store.FocusedView(), &view);

  view.notices.clear();
  second->Lines().Add("two");
  EXPECT_EQ(view.notices.size(), 1u);
  EXPECT_EQ(second->notices.size(), 1u);
  EXPECT_EQ(view.Lines().Text(), "one\r\ntwo\r\n");

  std::weak_ptr<TEditorScreenStrings> shared = view.SharedStore();
  second.reset();
  EXPECT_EQ(store.Views().size(), 1u);
  EXPECT_FALSE(shared.expired());
}

} // namespace
