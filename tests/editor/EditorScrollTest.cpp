// Metrics, scroll ranges, the scroll-bar codes and what a scroll repaints.
#include "EditorWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace editortest;

namespace {

TEXTMETRICA FontMetrics(TEditor& editor) {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, editor.Font().Handle());
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics;
}

std::string Rows(int count, int width = 10) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += std::string(static_cast<size_t>(width), static_cast<char>('a' + i % 26)) + "\r\n";
  return text;
}

SCROLLINFO BarInfo(TEditor& editor, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(editor.Handle(), bar, &info);
  return info;
}

void Scroll(TEditor& editor, UINT message, WORD code, WORD position = 0) {
  SendMessageA(editor.Handle(), message, MAKEWPARAM(code, position), 0);
}

TEST(EditorScroll, MetricsFollowTheFontTheMarginsAndTheBars) {
  for (TScrollStyle bars : {TScrollStyle::ssNone, TScrollStyle::ssBoth}) {
    EditorWindow window(333, 222, bars);
    TEditor& editor = window.Editor();
    UseGothic(editor, 15);
    editor.Margin().SetLine(2);
    editor.Margin().SetCharacter(1);
    editor.Margin().SetTop(7);
    editor.Margin().SetLeft(11);
    TEXTMETRICA metrics = FontMetrics(editor);
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

TEST(EditorScroll, ScrollInfoFollowsTheRowCount) {
  EditorWindow window(300, 200, TScrollStyle::ssBoth);
  TEditor& editor = window.Editor();
  UseGothic(editor, 16);
  int rows = editor.VisibleRows();
  ASSERT_GT(rows, 3);
  SCROLLINFO vertical = BarInfo(editor, SB_VERT);
  EXPECT_EQ(vertical.nMin, 0);
  EXPECT_EQ(vertical.nMax, rows) << "an empty text: the visible rows";
  EXPECT_EQ(static_cast<int>(vertical.nPage), rows);

  editor.Lines().SetText(Rows(100));
  vertical = BarInfo(editor, SB_VERT);
  EXPECT_EQ(vertical.nMax, 100 - 1 + rows - 1);
  EXPECT_EQ(editor.MaxTopRow(), 100 - 1 + rows - 1);
  editor.SetTopRow(40);
  EXPECT_EQ(BarInfo(editor, SB_VERT).nPos, 40);
  editor.Lines().SetText(Rows(50));
  EXPECT_EQ(BarInfo(editor, SB_VERT).nMax, 50 - 1 + rows - 1);

  int cols = editor.VisibleCols();
  SCROLLINFO horizontal = BarInfo(editor, SB_HORZ);
  EXPECT_EQ(horizontal.nMax, cols / 2 + 1000);
  EXPECT_EQ(static_cast<int>(horizontal.nPage), cols);
  EXPECT_EQ(horizontal.nPos, 0);
}

TEST(EditorScroll, EveryScrollBarCodeMovesByItsDelta) {
  EditorWindow window(300, 200, TScrollStyle::ssBoth);
  TEditor& editor = window.Editor();
  UseGothic(editor, 16);
  editor.Lines().SetText(Rows(100, 300));
  int rows = editor.VisibleRows();
  int cols = editor.VisibleCols();
  std::vector<int> tops;
  editor.OnTopRowChange = [&](TObject*) { tops.push_back(editor.TopRow()); };

  Scroll(editor, WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(editor.TopRow(), 0) << "nothing above the first row";
  EXPECT_TRUE(tops.empty());
  Scroll(editor, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(editor.TopRow(), 1);
  Scroll(editor, WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(editor.TopRow(), 1 + rows);
  Scroll(editor, WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(editor.TopRow(), 1);
  Scroll(editor, WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(editor.TopRow(), 0);
  SetScrollPos(editor.Handle(), SB_VERT, 40, FALSE);
  Scroll(editor, WM_VSCROLL, SB_THUMBTRACK, 7);
  EXPECT_EQ(editor.TopRow(), 40) << "the 32-bit track position, not the message's";
  SetScrollPos(editor.Handle(), SB_VERT, 45, FALSE);
  Scroll(editor, WM_VSCROLL, SB_THUMBPOSITION, 7);
  EXPECT_EQ(editor.TopRow(), 45);
  Scroll(editor, WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(editor.TopRow(), 99) << "the last row at the top";
  EXPECT_EQ(BarInfo(editor, SB_VERT).nPos, 99);
  Scroll(editor, WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(editor.TopRow(), 99);
  Scroll(editor, WM_VSCROLL, SB_TOP);
  EXPECT_EQ(editor.TopRow(), 0);
  EXPECT_EQ(tops, (std::vector<int>{1, 1 + rows, 1, 0, 40, 45, 99, 0}));

  Scroll(editor, WM_HSCROLL, SB_LINELEFT);
  EXPECT_EQ(editor.TopCol(), 0);
  Scroll(editor, WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(editor.TopCol(), 1);
  Scroll(editor, WM_HSCROLL, SB_PAGERIGHT);
  EXPECT_EQ(editor.TopCol(), 1 + cols);
  Scroll(editor, WM_HSCROLL, SB_PAGELEFT);
  EXPECT_EQ(editor.TopCol(), 1);
  Scroll(editor, WM_HSCROLL, SB_THUMBTRACK, 250);
  EXPECT_EQ(editor.TopCol(), 250) << "the message's position";
  EXPECT_EQ(BarInfo(editor, SB_HORZ).nPos, 250);
  Scroll(editor, WM_HSCROLL, SB_RIGHT);
  EXPECT_EQ(editor.TopCol(), 1000 - cols / 2) << "never past the largest TopCol";
  Scroll(editor, WM_HSCROLL, SB_LEFT);
  EXPECT_EQ(editor.TopCol(), 0);
}

TEST(EditorScroll, LockScrollMovesTheCaretRowWithTheView) {
  EditorWindow window(300, 200, TScrollStyle::ssVertical);
  TEditor& editor = window.Editor();
  editor.Lines().SetText(Rows(100));
  editor.SetRow(5);
  Scroll(editor, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(editor.Row(), 5) << "without LockScroll the caret stays";
  editor.Caret().LockScroll = true;
  Scroll(editor, WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(editor.TopRow(), 1 + editor.VisibleRows());
  EXPECT_EQ(editor.Row(), 5 + editor.VisibleRows());
  Scroll(editor, WM_VSCROLL, SB_TOP);
  EXPECT_EQ(editor.Row(), 4) << "moved by the clamped delta";
}

TEST(EditorScroll, TopRowAndTopColStayInTheirRanges) {
  EditorWindow window(300, 200);
  TEditor& editor = window.Editor();
  editor.Lines().SetText(Rows(10));
  editor.SetTopRow(-4);
  EXPECT_EQ(editor.TopRow(), 0);
  editor.SetTopRow(50);
  EXPECT_EQ(editor.TopRow(), 10) << "at most the row count";
  editor.SetTopCol(5000);
  EXPECT_EQ(editor.TopCol(), 1000 - editor.VisibleCols() / 2);
  editor.SetTopCol(-1);
  EXPECT_EQ(editor.TopCol(), 0);
}

TEST(EditorScroll, CaretScrollsTheViewByAQuarter) {
  EditorWindow window(300, 200);
  TEditor& editor = window.Editor();
  UseGothic(editor, 16);
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

TEST(EditorScroll, ATopRowChangeRepaintsOnlyTheUncoveredBand) {
  EditorWindow window(300, 200);
  TEditor& editor = window.Editor();
  UseGothic(editor, 16);
  editor.Lines().SetText(Rows(100));
  uitest::Pump();
  DrawnRows drawn(editor);
  editor.SetTopRow(3);
  int areaBottom = editor.ClientHeight() - editor.Margin().Top();
  int rowHeight = editor.RowHeight();
  int bandTop = areaBottom - 3 * rowHeight;
  std::vector<int> expected;
  for (int row = bandTop / rowHeight; row * rowHeight < areaBottom; ++row)
    expected.push_back(row + 3);
  EXPECT_EQ(drawn.rows, expected);

  drawn.Clear();
  editor.SetTopRow(1);
  EXPECT_EQ(drawn.rows, (std::vector<int>{1, 2})) << "two rows uncovered at the top";

  drawn.Clear();
  editor.SetTopRow(80);
  EXPECT_GT(drawn.rows.size(), static_cast<size_t>(editor.VisibleRows()) - 1)
      << "a jump further than the view repaints it all";
}

} // namespace
