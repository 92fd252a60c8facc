#include "RecordingView.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

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

TEST_F(RowStoreWrap, ShortLinesAndLineEnds) {
  EXPECT_EQ(Wrap("abc"), Row("abc", 0));
  EXPECT_EQ(Wrap(""), Row("", 0));
  EXPECT_EQ(Wrap("a\r\nb\rc\n"), Row("a", 0) + Row("b", 0) + Row("c", 0));
  EXPECT_EQ(Wrap(Repeat("a", 19)), Row(Repeat("a", 19), 0));
  EXPECT_EQ(store.WrapRowCount(Repeat("a", 45)), 3);
  store.SetWordWrap(false);
  EXPECT_EQ(Wrap(Repeat("a", 45)), Row(Repeat("a", 45), 0));
  EXPECT_EQ(store.WrapRowCount(Repeat("a", 45)), 1);
}

TEST_F(RowStoreWrap, LineExactlyAsWideAsTheWrapColumn) {
  std::string line = Repeat("a", 20);
  EXPECT_EQ(Wrap(line), Row(line, 1) + Row("", 0));
  options.SetFollowRetMark(true);
  EXPECT_EQ(Wrap(line), Row(line, 0));
  EXPECT_EQ(Wrap(line + "b"), Row(line, 1) + Row("b", 0));
}

TEST_F(RowStoreWrap, DoubleByteCharacterAtTheWrapColumnMovesWhole) {
  std::string text = Repeat("a", 19) + "あい";
  EXPECT_EQ(Wrap(text), Row(Repeat("a", 19), 1) + Row("あい", 0));
  EXPECT_EQ(Wrap(Repeat("あ", 15)), Row(Repeat("あ", 10), 1) + Row(Repeat("あ", 5), 0));
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

TEST_F(RowStoreWrap, TabFillStopsAtTheWrapColumn) {
  std::string text = Repeat("a", 18) + "\tbbb";
  EXPECT_EQ(Wrap(text), Row(Repeat("a", 18) + "\t", 1) + Row("bbb", 0));
  // A TAB that fills past W without wrap still wraps at W.
  EXPECT_EQ(Wrap("\t\t\tabcdef"), Row("\t\t\t", 1) + Row("abcdef", 0));
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
  EXPECT_EQ(view.row, 1); // clamped to the row count
  EXPECT_EQ(view.col, 0);
  EXPECT_FALSE(view.selected);
  EXPECT_GT(view.updates, updates);
  // A loading view holds the switch back.
  view.loading = true;
  store.SetWordWrap(true);
  EXPECT_EQ(store.Count(), 1);
  EXPECT_TRUE(store.WordWrap());
}

} // namespace
