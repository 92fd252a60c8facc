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
  std::string LastRecord() {
    return Describe(store.UndoObj().UndoList().Items(store.UndoObj().UndoList().Count() - 1));
  }
};

TEST_F(RowStoreEdit, ReplacingRewrapsJoinsAndDeletes) {
  Wrapped(Repeat("a", 50) + "\r\nnext");
  ASSERT_EQ(DescribeRows(store), Row(Repeat("a", 20), 1) + Row(Repeat("a", 20), 1) +
                                     Row(Repeat("a", 10), 0) + Row("next", 0));
  store.ReplaceRows(1, 1, "X" + Repeat("a", 20));
  EXPECT_EQ(DescribeRows(store), Row(Repeat("a", 20), 1) + Row("X" + Repeat("a", 19), 1) +
                                     Row(Repeat("a", 11), 0) + Row("next", 0));
  ASSERT_EQ(view.notices.size(), 1u);
  EXPECT_TRUE(view.notices[0].changed);
  EXPECT_EQ(Describe(view.notices[0]), "0 3>3");
  EXPECT_FALSE(store.ChangeNotice().changed); // cleared after the views were told
  EXPECT_EQ(LastRecord(), "0+3 0 [" + Repeat("a", 50) + "\r\n]");
  view.Lines().SetText("ab\r\ncd\r\nef");
  store.ReplaceRows(0, 1, "x");
  EXPECT_EQ(DescribeRows(store), Row("xcd", 0) + Row("ef", 0));
  EXPECT_EQ(LastRecord(), "0+1 0 [ab\r\ncd\r\n]");
  store.ReplaceRows(0, 0, "1\r\n2\r\n");
  EXPECT_EQ(DescribeRows(store), Row("1", 0) + Row("2", 0) + Row("xcd", 0) + Row("ef", 0));
  view.Lines().SetText("a\r\nb\r\nc");
  view.notices.clear();
  store.ReplaceRows(1, 1, "");
  EXPECT_EQ(DescribeRows(store), Row("a", 0) + Row("c", 0));
  EXPECT_EQ(LastRecord(), "1+0 0 [b\r\n]");
  ASSERT_EQ(view.notices.size(), 1u);
  EXPECT_EQ(Describe(view.notices[0]), "1 1>0");

  Wrapped(Repeat("a", 50) + "\r\nnext");
  store.ReplaceRows(0, 3, "");
  EXPECT_EQ(DescribeRows(store), Row("next", 0));
  EXPECT_EQ(LastRecord(), "0+0 0 [" + Repeat("a", 50) + "\r\n]");
}

TEST_F(RowStoreEdit, InsertingAtTheRowCountAndAnEmptyLastLine) {
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

TEST_F(RowStoreEdit, InitialStates) {
  view.Lines().SetText("{\r\na\r\n");
  EXPECT_EQ(store.GetRowState(0), -1);
  EXPECT_EQ(store.GetRowState(1), -1);
  EXPECT_EQ(store.RowEndState(0, -1), -1);
  EXPECT_EQ(store.RowEndState(0, -2), -2);
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

TEST_F(RowStoreEdit, RowReaders) {
  Wrapped("ab  cd");
  EXPECT_EQ(store.RowHeadText(0), "ab  ");
  view.Lines().SetText("  cd ef");
  EXPECT_EQ(store.RowHeadText(0), "  ");
  view.Lines().SetText("ab");
  EXPECT_EQ(store.RowHeadText(0), "ab");
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

TEST_F(RowStoreEdit, ClearClampedCaretsAndSharedStores) {
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
  EXPECT_EQ(Describe(view.notices[0]), "0 1>0");
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

// Word wrap at 20 columns; each test switches the rules it is about.
class RowStoreWrap : public ::testing::Test {
protected:
  RecordingView view;
  TEditorScreenStrings& store = view.Store();
  TEditorWrapOption& options = store.WrapOption();

  void SetUp() override {
    options.SetWrapByte(20);
    store.SetWordWrap(true);
  }

  std::string Wrap(std::string_view text) {
    TEditorStringList rows;
    store.WrapText(text, rows);
    return DescribeRows(rows);
  }
};

TEST_F(RowStoreWrap, LineExactlyAsWideAsTheWrapColumn) {
  std::string line = Repeat("a", 20);
  EXPECT_EQ(Wrap(line), Row(line, 1) + Row("", 0));
  options.SetFollowRetMark(true);
  EXPECT_EQ(Wrap(line), Row(line, 0));
  EXPECT_EQ(Wrap(line + "b"), Row(line, 1) + Row("b", 0));
}

TEST_F(RowStoreWrap, ShortLinesDoubleBytesAndTabs) {
  EXPECT_EQ(Wrap(Repeat("a", 19) + "あい"), Row(Repeat("a", 19), 1) + Row("あい", 0));
  EXPECT_EQ(Wrap(Repeat("あ", 15)), Row(Repeat("あ", 10), 1) + Row(Repeat("あ", 5), 0));
  EXPECT_EQ(Wrap(Repeat("a", 18) + "\tbbb"), Row(Repeat("a", 18) + "\t", 1) + Row("bbb", 0));
  // A TAB that fills past W without wrap still wraps at W.
  EXPECT_EQ(Wrap("\t\t\tabcdef"), Row("\t\t\t", 1) + Row("abcdef", 0));
  EXPECT_EQ(Wrap("abc"), Row("abc", 0));
  EXPECT_EQ(Wrap(""), Row("", 0));
  EXPECT_EQ(Wrap("a\r\nb\rc\n"), Row("a", 0) + Row("b", 0) + Row("c", 0));
  EXPECT_EQ(Wrap(Repeat("a", 19)), Row(Repeat("a", 19), 0));
  EXPECT_EQ(store.WrapRowCount(Repeat("a", 45)), 3);
  store.SetWordWrap(false);
  EXPECT_EQ(Wrap(Repeat("a", 45)), Row(Repeat("a", 45), 0));
  EXPECT_EQ(store.WrapRowCount(Repeat("a", 45)), 1);
}

TEST_F(RowStoreWrap, WordBreak) {
  options.SetWordBreak(true);
  // The word moves whole when a delimiter stands after the first W div 3 columns.
  EXPECT_EQ(Wrap("aaaaaaaa " + Repeat("b", 15)), Row("aaaaaaaa ", 1) + Row(Repeat("b", 15), 0));
  // A word ending exactly at column W moves too.
  EXPECT_EQ(Wrap("aaaaaaaa bbbbbbbbbbb ccc"), Row("aaaaaaaa ", 1) + Row("bbbbbbbbbbb ccc", 0));
  // Without such a delimiter the row ends after exactly W div 3 columns.
  EXPECT_EQ(Wrap(Repeat("a", 30)), Row("aaaaaa", 1) + Row("aaaaaa", 1) + Row(Repeat("a", 18), 0));
  // The end of a double-byte character is a place to break; nothing backs off from it.
  EXPECT_EQ(Wrap("aaaaaaaaa,あいうえおか"), Row("aaaaaaaaa,あいうえお", 1) + Row("か", 0));
  // When no more than W columns remain, nothing backs off.
  EXPECT_EQ(Wrap("aa " + Repeat("b", 17)), Row("aa " + Repeat("b", 17), 1) + Row("", 0));
}

TEST_F(RowStoreWrap, HangingPunctuation) {
  options.SetFollowPunctuation(true);
  std::string full = Repeat("あ", 10);
  EXPECT_EQ(Wrap(full + "、、x"), Row(full + "、", 1) + Row("、x", 0));
  EXPECT_EQ(Wrap(Repeat("a", 20) + ".,;"), Row(Repeat("a", 20) + ".,", 1) + Row(";", 0));
  // The rule is "while e - s + 1 < W + 2": a row that ended at W - 1 takes two characters.
  EXPECT_EQ(Wrap(Repeat("a", 19) + "、、、b"), Row(Repeat("a", 19) + "、、", 1) + Row("、b", 0));
}

TEST_F(RowStoreWrap, LeadingAndFollowingCharacters) {
  options.SetLeading(true);
  // "（" may not end a row.
  EXPECT_EQ(Wrap(Repeat("a", 18) + "（bc）"), Row(Repeat("a", 18), 1) + Row("（bc）", 0));
  // "。" may not begin one: the break moves back.
  EXPECT_EQ(Wrap(Repeat("a", 20) + "。"), Row(Repeat("a", 19), 1) + Row("a。", 0));
  // ...but never below (W div 5) x 4 = 16 columns.
  EXPECT_EQ(Wrap(Repeat("a", 16) + "ーーーーx"), Row(Repeat("a", 16), 1) + Row("ーーーーx", 0));
  // The main window's extra lead character "\\" is matched as a whole character only.
  options.SetLeadStr(options.LeadStr() + "\\");
  EXPECT_EQ(Wrap(Repeat("a", 19) + "\\b"), Row(Repeat("a", 19), 1) + Row("\\b", 0));
  EXPECT_EQ(Wrap(Repeat("a", 18) + "ソb"), Row(Repeat("a", 18) + "ソ", 1) + Row("b", 0));
}

TEST_F(RowStoreWrap, WrapAllThenUnwrapAllGivesBackTheText) {
  store.SetWordWrap(false);
  options.SetWordBreak(true);
  options.SetFollowPunctuation(true);
  options.SetLeading(true);
  std::string text = "\\section{見出し}\r\n" + Repeat("日本語の文書、", 9) + "\r\n\r\n\t" +
                     Repeat("word ", 12) + "\r\n" + Repeat("x", 20) + "\r\n" + Repeat("ｶﾀｶﾅ", 7);
  view.Lines().SetText(text);
  int lines = store.Count();
  std::string expected = text + "\r\n";
  store.SetWordWrap(true);
  EXPECT_GT(store.Count(), lines);
  EXPECT_EQ(store.WholeText(), expected);
  EXPECT_EQ(store.InvariantFault(), "");
  EXPECT_EQ(view.Lines().Count(), lines);
  options.SetWrapByte(33); // rewraps
  EXPECT_EQ(store.WholeText(), expected);
  store.SetWordWrap(false);
  EXPECT_EQ(store.Count(), lines);
  EXPECT_EQ(store.WholeText(), expected);
  EXPECT_EQ(view.Lines().Get(1), Repeat("日本語の文書、", 9));
}

TEST_F(RowStoreWrap, LastLineWithoutLineEndKeepsNone) {
  store.SetWordWrap(false);
  store.ReplaceRows(0, 0, Repeat("a", 45));
  ASSERT_EQ(DescribeRows(store), Row(Repeat("a", 45), 2));
  store.SetWordWrap(true);
  EXPECT_EQ(DescribeRows(store),
            Row(Repeat("a", 20), 1) + Row(Repeat("a", 20), 1) + Row(Repeat("a", 5), 2));
  store.SetWordWrap(false);
  EXPECT_EQ(DescribeRows(store), Row(Repeat("a", 45), 2));
  // A last line exactly W wide ends in an empty row that carries the open end.
  store.ReplaceRows(0, 1, Repeat("b", 20));
  store.SetWordWrap(true);
  EXPECT_EQ(DescribeRows(store), Row(Repeat("b", 20), 1) + Row("", 2));
  EXPECT_EQ(store.WholeText(), Repeat("b", 20));
  // A line break that replaces the row before that empty row closes the text's last line.
  store.ReplaceRows(0, 1, "c\r\n");
  EXPECT_EQ(DescribeRows(store), Row("c", 0));
  store.Undo();
  EXPECT_EQ(DescribeRows(store), Row(Repeat("b", 20), 1) + Row("", 2));
}

TEST_F(RowStoreWrap, SwitchingResetsTheViews) {
  view.Lines().SetText(Repeat("a", 50));
  view.row = 2;
  view.col = 7;
  view.selected = true;
  int updates = view.updates;
  store.SetWordWrap(false);
  EXPECT_EQ(view.CaretAt(), "1,0"); // clamped to the row count
  EXPECT_FALSE(view.selected);
  EXPECT_GT(view.updates, updates);
  // A loading view holds the switch back.
  view.loading = true;
  store.SetWordWrap(true);
  EXPECT_EQ(store.Count(), 1);
  EXPECT_TRUE(store.WordWrap());
}

} // namespace
