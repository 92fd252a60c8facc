// Metrics, scroll ranges and the scroll-bar codes; which rows scrolls and changes draw again,
// and that the window's pixels after scrolls and edits equal a full repaint.
#include "EditorWindow.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>
#include <vector>

using namespace quolin;
using namespace editortest;

namespace {

class EditorScroll : public ShownEditor {
protected:
  SCROLLINFO BarInfo(int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(editor.Handle(), bar, &info);
    return info;
  }
  void Scroll(UINT message, WORD code, WORD position = 0) {
    Send(message, MAKEWPARAM(code, position));
  }
};

TEST(EditorMetrics, FollowTheFontTheMarginsAndTheBars) {
  for (TScrollStyle bars : {TScrollStyle::ssNone, TScrollStyle::ssBoth}) {
    EditorWindow window(333, 222, bars);
    TEditor& editor = window.Editor();
    UseGothic(editor, 15);
    editor.Margin().SetLine(2);
    editor.Margin().SetCharacter(1);
    editor.Margin().SetTop(7);
    editor.Margin().SetLeft(11);
    TEXTMETRICA metrics{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, editor.Font().Handle());
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int charHeight = metrics.tmHeight + metrics.tmExternalLeading;
    int pitch = metrics.tmAveCharWidth + 1;
    EXPECT_EQ(editor.CharHeight(), charHeight);
    EXPECT_EQ(editor.CharPitch(), pitch);
    EXPECT_EQ(editor.RowHeight(), charHeight + 2);
    bool both = bars == TScrollStyle::ssBoth;
    int height = 222 - 7 - 5 - (both ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    int width = 333 - 11 - pitch / 2 - (both ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    EXPECT_EQ(editor.VisibleRows(), height / (charHeight + 2)) << "bars " << both;
    EXPECT_EQ(editor.VisibleCols(), width / pitch) << "bars " << both;

    editor.SetBounds(0, 0, 200, 100);
    uitest::Pump();
    height = 100 - 7 - 5 - (both ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    EXPECT_EQ(editor.VisibleRows(), height / (charHeight + 2)) << "after a resize";
  }
}

TEST_F(EditorScroll, RangesFollowTheRowCountAndHoldTopRowAndTopCol) {
  editor.SetScrollBars(TScrollStyle::ssBoth);
  int rows = editor.VisibleRows();
  ASSERT_GT(rows, 3);
  SCROLLINFO vertical = BarInfo(SB_VERT);
  EXPECT_EQ(vertical.nMin, 0);
  EXPECT_EQ(vertical.nMax, rows) << "an empty text: the visible rows";
  EXPECT_EQ(static_cast<int>(vertical.nPage), rows);

  editor.Lines().SetText(Rows(100));
  EXPECT_EQ(BarInfo(SB_VERT).nMax, 100 - 1 + rows - 1);
  EXPECT_EQ(editor.MaxTopRow(), 100 - 1 + rows - 1);
  editor.SetTopRow(40);
  EXPECT_EQ(BarInfo(SB_VERT).nPos, 40);
  editor.Lines().SetText(Rows(50));
  EXPECT_EQ(BarInfo(SB_VERT).nMax, 50 - 1 + rows - 1);

  int cols = editor.VisibleCols();
  SCROLLINFO horizontal = BarInfo(SB_HORZ);
  EXPECT_EQ(horizontal.nMax, cols / 2 + 1000);
  EXPECT_EQ(static_cast<int>(horizontal.nPage), cols);
  EXPECT_EQ(horizontal.nPos, 0);

  editor.Lines().SetText(Rows(10));
  editor.SetTopRow(-4);
  EXPECT_EQ(editor.TopRow(), 0);
  editor.SetTopRow(50);
  EXPECT_EQ(editor.TopRow(), 10) << "at most the row count";
  editor.SetTopCol(5000);
  EXPECT_EQ(editor.TopCol(), 1000 - cols / 2);
  editor.SetTopCol(-1);
  EXPECT_EQ(editor.TopCol(), 0);
}

TEST_F(EditorScroll, TypingSetsABarOnlyWhenItsRangeOrPositionChanges) {
  TEditor& second = *window.AddEditor(400, 120);
  second.ShareScreenStrings(&editor);
  for (TEditor* view : {&editor, &second}) {
    UseGothic(*view, 16);
    view->SetScrollBars(TScrollStyle::ssBoth);
  }
  editor.SetWordWrap(true);
  editor.WrapOption().SetWrapByte(20);
  editor.Lines().SetText(Rows(60, 10));
  editor.SetRowCol(30, 3);
  auto sets = [&] { return std::vector<int>{editor.ScrollInfoSets(), second.ScrollInfoSets()}; };
  auto rangeShown = [&](TEditor& view) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view.Handle(), SB_VERT, &info);
    return info.nMax == view.RowCount() - 1 + view.VisibleRows() - 1 &&
           static_cast<int>(info.nPage) == view.VisibleRows() && info.nPos == view.TopRow();
  };

  std::vector<int> before = sets();
  SendChars(editor, "x");
  EXPECT_EQ(editor.Lines()[30], "eeexeeeeeee");
  EXPECT_EQ(sets(), before) << "the row count stayed: no bar was set";
  EXPECT_TRUE(rangeShown(editor));
  EXPECT_TRUE(rangeShown(second));

  // Ten more characters wrap the line onto a second row: the vertical range grows by one.
  int rows = editor.RowCount();
  SendChars(editor, "0123456789");
  ASSERT_EQ(editor.RowCount(), rows + 1);
  std::vector<int> after = sets();
  EXPECT_EQ(after[0], before[0] + 1) << "the vertical bar once in the typing view";
  EXPECT_EQ(after[1], before[1] + 1) << "and once in the other view";
  EXPECT_TRUE(rangeShown(editor));
  EXPECT_TRUE(rangeShown(second));
}

TEST_F(EditorScroll, EveryScrollBarCodeMovesByItsDelta) {
  editor.SetScrollBars(TScrollStyle::ssBoth);
  editor.Lines().SetText(Rows(100, 300));
  int rows = editor.VisibleRows();
  int cols = editor.VisibleCols();
  std::vector<int> tops, lefts;
  editor.OnTopRowChange = [&](TObject*) { tops.push_back(editor.TopRow()); };
  editor.OnTopColChange = [&](TObject*) { lefts.push_back(editor.TopCol()); };

  Scroll(WM_VSCROLL, SB_LINEUP); // nothing above the first row
  Scroll(WM_VSCROLL, SB_LINEDOWN);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  Scroll(WM_VSCROLL, SB_PAGEUP);
  Scroll(WM_VSCROLL, SB_LINEUP);
  SetScrollPos(editor.Handle(), SB_VERT, 40, FALSE);
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 7); // the 32-bit track position, not the message's
  SetScrollPos(editor.Handle(), SB_VERT, 45, FALSE);
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 7);
  Scroll(WM_VSCROLL, SB_BOTTOM); // the last row at the top
  EXPECT_EQ(BarInfo(SB_VERT).nPos, 99);
  Scroll(WM_VSCROLL, SB_PAGEDOWN); // nothing below it
  Scroll(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(tops, (std::vector<int>{1, 1 + rows, 1, 0, 40, 45, 99, 0}));

  Scroll(WM_HSCROLL, SB_LINELEFT); // nothing left of the first column
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  Scroll(WM_HSCROLL, SB_PAGERIGHT);
  Scroll(WM_HSCROLL, SB_PAGELEFT);
  Scroll(WM_HSCROLL, SB_THUMBTRACK, 250); // the message's position
  EXPECT_EQ(BarInfo(SB_HORZ).nPos, 250);
  Scroll(WM_HSCROLL, SB_RIGHT); // never past the largest TopCol
  Scroll(WM_HSCROLL, SB_LEFT);
  EXPECT_EQ(lefts, (std::vector<int>{1, 1 + cols, 1, 250, 1000 - cols / 2, 0}));
}

TEST_F(EditorScroll, LockScrollMovesTheCaretRowWithTheView) {
  editor.SetScrollBars(TScrollStyle::ssVertical);
  editor.Lines().SetText(Rows(100));
  editor.SetRow(5);
  Scroll(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(editor.Row(), 5) << "without LockScroll the caret stays";
  editor.Caret().LockScroll = true;
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(editor.TopRow(), 1 + editor.VisibleRows());
  EXPECT_EQ(editor.Row(), 5 + editor.VisibleRows());
  Scroll(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(editor.Row(), 4) << "moved by the clamped delta";
}

TEST_F(EditorScroll, CaretScrollsTheViewByAQuarter) {
  editor.Lines().SetText(std::string(1200, 'q') + "\r\n");
  window.Focus(editor);
  int cols = editor.VisibleCols();
  editor.SetCol(cols + 2);
  EXPECT_EQ(editor.TopCol(), cols / 4) << "a quarter of the width at once";
  editor.SetCol(1000);
  EXPECT_EQ(editor.TopCol(), 1000 - (cols - 1)) << "the caret in the last visible column";
  EXPECT_LE(editor.TopCol(), 1000 - cols / 2);
  int right = editor.TopCol();
  editor.SetCol(right - 1);
  EXPECT_EQ(editor.TopCol(), right - cols / 4) << "leftwards a quarter too";
  editor.SetCol(cols);
  EXPECT_EQ(editor.TopCol(), cols) << "a caret far left of the view becomes its first column";
  editor.SetCol(0);
  EXPECT_EQ(editor.TopCol(), 0);
}

std::vector<int> Range(int first, int last) {
  std::vector<int> rows(static_cast<size_t>(last - first + 1));
  std::iota(rows.begin(), rows.end(), first);
  return rows;
}

TEST_F(EditorScroll, ATopRowChangeRepaintsOnlyTheUncoveredBand) {
  editor.Lines().SetText(Rows(100));
  uitest::Pump();
  DrawnRows drawn(editor);
  editor.SetTopRow(3);
  int areaBottom = editor.ClientHeight() - editor.Margin().Top();
  int rowHeight = editor.RowHeight();
  EXPECT_EQ(drawn.rows,
            Range((areaBottom - 3 * rowHeight) / rowHeight + 3, (areaBottom - 1) / rowHeight + 3));

  drawn.Clear();
  editor.SetTopRow(1);
  EXPECT_EQ(drawn.rows, (std::vector<int>{1, 2})) << "two rows uncovered at the top";

  drawn.Clear();
  editor.SetTopRow(80);
  EXPECT_GT(drawn.rows.size(), static_cast<size_t>(editor.VisibleRows()) - 1)
      << "a jump further than the view repaints it all";
}

std::string NumberedLines(int count, const char* stem = "line") {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += std::string(stem) + " " + std::to_string(i) + " \\section{節} % 注\r\n";
  return text;
}

// A LaTeX document of count lines in Shift-JIS: sections, Japanese and ASCII text, inline
// mathematics, comments, TAB-indented items, blank lines and lines wider than the view.
std::string GeneratedTex(int count) {
  static const char* const kWords[] = {"本文",     "テキスト", "数式",   "editor", "ひらがな",
                                       "カタカナ", "漢字変換", "ＡＢＣ", "１２３", "row"};
  std::string text = "\\documentclass{jarticle}\r\n";
  uint32_t seed = 2000;
  auto next = [&seed](uint32_t range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % range;
  };
  for (int line = 1; line < count; ++line) {
    switch (next(8)) {
    case 0:
      text += "\\section{第" + std::to_string(line) + "節 見出し}";
      break;
    case 1:
      text += "\t\\item 項目 " + std::to_string(line) + "\tタブの後";
      break;
    case 2:
      text += "% コメント行 " + std::to_string(line);
      break;
    case 3:
      break;
    default:
      for (uint32_t words = 3 + next(30); words > 0; --words) {
        text += kWords[next(10)];
        text += next(4) == 0 ? " $x^{2}+1.5$ " : " ";
      }
      if (next(3) == 0)
        text += "% 注 " + std::to_string(line);
      break;
    }
    text += "\r\n";
  }
  return text;
}

// Expects the window to show exactly what a full repaint gives.
void ExpectScreenEqualsRepaint(TEditor& editor, const std::string& when) {
  RECT client = editor.ClientRect();
  Dib shown(client.right, client.bottom);
  Dib painted(client.right, client.bottom);
  CaptureClient(editor, shown);
  PaintWhole(editor, painted);
  POINT first{};
  EXPECT_EQ(shown.Differences(painted, &first), 0)
      << when << ": first difference at " << first.x << "," << first.y;
}

// Token colours, marks and a font whose cells are known.
void Style(TEditor& editor) {
  UseGothic(editor, 14);
  editor.Marks().RetMark().SetVisible(true);
  editor.Marks().EofMark().SetVisible(true);
  editor.View().SetCommenter("%");
  editor.View().Colors()[ciComment].SetColor(clGreen);
  editor.View().Colors()[ciAnk].SetColor(clNavy);
  editor.View().Colors()[ciInt].SetColor(clMaroon);
  editor.View().Colors()[ciDBCS].SetBkColor(clInfoBk);
  editor.Marks().Underline().SetColor(clRed);
  uitest::Pump();
}

// A styled editor of 360 by 200 pixels.
class EditorScreen : public ::testing::Test {
protected:
  EditorWindow window{360, 200};
  TEditor& editor = window.Editor();
  DrawnRows drawn{editor};

  void SetUp() override { Style(editor); }
  // The rows a change draws, once what came before is painted.
  std::vector<int> RowsDrawnBy(const std::function<void()>& change) {
    uitest::Pump();
    drawn.Clear();
    change();
    return drawn.rows;
  }
};

TEST_F(EditorScreen, AnEditRepaintsTheRowsTheStoreRewrote) {
  editor.Lines().SetText("first\r\nsecond\r\nlast");
  EXPECT_EQ(RowsDrawnBy([&] { editor.ScreenStrings().ReplaceRows(2, 1, "LAST"); }),
            std::vector<int>{2})
      << "an edit in the last row";
  ExpectScreenEqualsRepaint(editor, "after the edit in the last row");

  editor.Lines().SetText(NumberedLines(6));
  // The store rewrites the following line with the edited one; nothing else is drawn.
  EXPECT_EQ(RowsDrawnBy([&] { editor.Lines().Put(2, "changed"); }), (std::vector<int>{2, 3}));
  ExpectScreenEqualsRepaint(editor, "after the edit inside a row");
}

TEST_F(EditorScreen, InsertionsAndDeletionsScrollTheRowsBelowAndLargeOnesRepaintAll) {
  editor.Lines().SetText(NumberedLines(30));
  ASSERT_GT(editor.VisibleRows(), 6);
  // Rows 2 and 3 are the store's change, row 4 the band the scroll uncovered.
  EXPECT_EQ(RowsDrawnBy([&] { editor.Lines().Insert(2, "inserted"); }),
            (std::vector<int>{2, 3, 4}));
  ExpectScreenEqualsRepaint(editor, "after the insertion");

  // Only the band the rows below uncovered at the bottom is drawn.
  int bottom = editor.ClientHeight() - editor.Margin().Top();
  int rowHeight = editor.RowHeight();
  EXPECT_EQ(RowsDrawnBy([&] { editor.Lines().Delete(1); }),
            Range((bottom - rowHeight) / rowHeight, (bottom - 1) / rowHeight));
  ExpectScreenEqualsRepaint(editor, "after the deletion");

  editor.Lines().SetText(NumberedLines(5));
  std::string large = NumberedLines(editor.VisibleRows() + 2, "new");
  EXPECT_EQ(RowsDrawnBy([&] { editor.ScreenStrings().ReplaceRows(1, 0, large); }),
            Range(0, (bottom - 1) / rowHeight));
  ExpectScreenEqualsRepaint(editor, "after the large insertion");
}

TEST_F(EditorScreen, AfterScrollsAndEditsTheWindowEqualsAFullRepaintAlsoDoubleBuffered) {
  editor.SetScrollBars(TScrollStyle::ssBoth);
  editor.Marks().Underline().SetVisible(true);
  auto scroll = [&](UINT message, WPARAM code) {
    return [this, message, code] { SendMessageA(editor.Handle(), message, code, 0); };
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"a row down", scroll(WM_VSCROLL, SB_LINEDOWN)},
      {"a page down", scroll(WM_VSCROLL, SB_PAGEDOWN)},
      {"a line inserted in view",
       [&] { editor.Lines().Insert(editor.TopRow() + 2, "新しい行\tです"); }},
      {"a line deleted in view", [&] { editor.Lines().Delete(editor.TopRow() + 4); }},
      {"rows deleted above the view", [&] { editor.ScreenStrings().ReplaceRows(0, 2, ""); }},
      {"lines inserted in one update",
       [&] {
         editor.Lines().BeginUpdate();
         for (char digit = '0'; digit < '5'; ++digit)
           editor.Lines().Insert(editor.TopRow() + 1, std::string("まとめて ") + digit);
         editor.Lines().EndUpdate();
       }},
      {"a page right", scroll(WM_HSCROLL, SB_PAGERIGHT)},
      {"a column left", scroll(WM_HSCROLL, SB_LINELEFT)},
      {"the caret row moved", [&] { editor.SetRow(editor.TopRow() + 1); }},
      {"at the bottom", scroll(WM_VSCROLL, SB_BOTTOM)},
      {"after undo", [&] { editor.Undo(); }},
      {"back at the top",
       [&] {
         scroll(WM_VSCROLL, SB_TOP)();
         scroll(WM_HSCROLL, SB_LEFT)();
       }},
  };
  for (bool doubleBuffered : {false, true}) {
    editor.SetDoubleBuffered(doubleBuffered);
    std::string mode = doubleBuffered ? "double-buffered, " : "";
    editor.Lines().SetText(NumberedLines(60) + std::string(300, 'x') + "\r\n" + "\tend");
    editor.SetRow(3);
    uitest::Pump();
    ExpectScreenEqualsRepaint(editor, mode + "at first");
    for (const auto& [when, step] : steps) {
      step();
      ExpectScreenEqualsRepaint(editor, mode + when);
    }
  }
}

TEST(EditorScreenPaging, ThroughTwoThousandLinesShowsAFullRepaintAtEveryStop) {
  quolin::test_support::TempFolder folder;
  std::string path = folder / "generated.tex";
  folder.WriteFile(path, GeneratedTex(2000));
  EditorWindow window(640, 480, TScrollStyle::ssBoth);
  TEditor& editor = window.Editor();
  Style(editor);
  editor.Marks().Underline().SetVisible(true);
  editor.Lines().LoadFromFile(path);
  ASSERT_EQ(editor.RowCount(), 2000);
  uitest::Pump();

  RECT client = editor.ClientRect();
  Dib first(client.right, client.bottom);
  CaptureClient(editor, first);
  HWND handle = editor.Handle();
  int stops = 0;
  for (int previous = -1; editor.TopRow() != previous; ++stops) {
    ExpectScreenEqualsRepaint(editor, "top row " + std::to_string(editor.TopRow()));
    if (::testing::Test::HasFailure())
      return;
    previous = editor.TopRow();
    SendMessageA(handle, WM_VSCROLL, SB_PAGEDOWN, 0);
  }
  EXPECT_EQ(editor.TopRow(), 1999) << "the last row at the top";
  EXPECT_GE(stops, 2000 / editor.VisibleRows());
  SendMessageA(handle, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(editor.TopRow(), 0);
  ExpectScreenEqualsRepaint(editor, "back at the top");
  Dib again(client.right, client.bottom);
  CaptureClient(editor, again);
  EXPECT_EQ(again.Differences(first), 0) << "the first page as it was";
}

} // namespace
