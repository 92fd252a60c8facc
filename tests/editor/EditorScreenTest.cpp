// Repainting after changes: which rows a change draws again, and that the window's pixels
// after scrolls and edits equal a full repaint.
#include "EditorWindow.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

using namespace quolin;
using namespace editortest;

namespace {

std::string NumberedLines(int count, const char* stem = "line") {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += std::string(stem) + " " + std::to_string(i) + " \\section{節} % 注\r\n";
  return text;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> rows(static_cast<size_t>(last - first + 1));
  std::iota(rows.begin(), rows.end(), first);
  return rows;
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
void ExpectScreenEqualsRepaint(TEditor& editor, const char* when) {
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
  uitest::Pump();
}

// A styled editor of 360 by 200 pixels.
struct StyledWindow {
  EditorWindow window{360, 200};
  TEditor& editor = window.Editor();
  StyledWindow() { Style(editor); }
};

TEST(EditorScreen, AnEditInTheLastRowRepaintsThatRow) {
  StyledWindow styled;
  TEditor& editor = styled.editor;
  editor.Lines().SetText("first\r\nsecond\r\nlast");
  uitest::Pump();
  DrawnRows drawn(editor);
  editor.ScreenStrings().ReplaceRows(2, 1, "LAST");
  EXPECT_EQ(drawn.rows, std::vector<int>{2});
  ExpectScreenEqualsRepaint(editor, "after the edit");
}

TEST(EditorScreen, AnEditInsideARowRepaintsTheRowsTheStoreRewrote) {
  StyledWindow styled;
  TEditor& editor = styled.editor;
  editor.Lines().SetText(NumberedLines(6));
  uitest::Pump();
  DrawnRows drawn(editor);
  editor.Lines().Put(2, "changed");
  // The store rewrites the following line with the edited one; nothing else is drawn.
  EXPECT_EQ(drawn.rows, (std::vector<int>{2, 3}));
  ExpectScreenEqualsRepaint(editor, "after the edit");
}

TEST(EditorScreen, AnInsertedLineScrollsTheRowsBelow) {
  StyledWindow styled;
  TEditor& editor = styled.editor;
  editor.Lines().SetText(NumberedLines(30));
  uitest::Pump();
  ASSERT_GT(editor.VisibleRows(), 6);
  DrawnRows drawn(editor);
  editor.Lines().Insert(2, "inserted");
  // Rows 2 and 3 are the store's change, row 4 the band the scroll uncovered.
  EXPECT_EQ(drawn.rows, (std::vector<int>{2, 3, 4}));
  ExpectScreenEqualsRepaint(editor, "after the insertion");

  drawn.Clear();
  editor.Lines().Delete(1);
  // Only the band the rows below uncovered at the bottom is drawn.
  int bottom = editor.ClientHeight() - editor.Margin().Top();
  int rowHeight = editor.RowHeight();
  EXPECT_EQ(drawn.rows, Range((bottom - rowHeight) / rowHeight, (bottom - 1) / rowHeight));
  ExpectScreenEqualsRepaint(editor, "after the deletion");
}

TEST(EditorScreen, AChangeLargerThanTheViewRepaintsEverything) {
  StyledWindow styled;
  TEditor& editor = styled.editor;
  editor.Lines().SetText(NumberedLines(5));
  uitest::Pump();
  DrawnRows drawn(editor);
  editor.ScreenStrings().ReplaceRows(1, 0, NumberedLines(editor.VisibleRows() + 2, "new"));
  int lastVisible = (editor.ClientHeight() - editor.Margin().Top() - 1) / editor.RowHeight();
  EXPECT_EQ(drawn.rows, Range(0, lastVisible));
  ExpectScreenEqualsRepaint(editor, "after the large insertion");
}

// Scrolls and edits of every kind, each followed by a comparison with a full repaint.
void ScrollAndEdit(TEditor& editor) {
  editor.SetScrollBars(TScrollStyle::ssBoth);
  editor.Marks().Underline().SetVisible(true);
  editor.Marks().Underline().SetColor(clRed);
  editor.Lines().SetText(NumberedLines(60) + std::string(300, 'x') + "\r\n" + "\tend");
  editor.SetRow(3);
  uitest::Pump();
  ExpectScreenEqualsRepaint(editor, "at first");
  HWND window = editor.Handle();
  SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
  ExpectScreenEqualsRepaint(editor, "a row down");
  SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
  ExpectScreenEqualsRepaint(editor, "a page down");
  editor.Lines().Insert(editor.TopRow() + 2, "新しい行\tです");
  ExpectScreenEqualsRepaint(editor, "a line inserted in view");
  editor.Lines().Delete(editor.TopRow() + 4);
  ExpectScreenEqualsRepaint(editor, "a line deleted in view");
  editor.ScreenStrings().ReplaceRows(0, 2, "");
  ExpectScreenEqualsRepaint(editor, "rows deleted above the view");
  editor.Lines().BeginUpdate();
  for (char digit = '0'; digit < '5'; ++digit)
    editor.Lines().Insert(editor.TopRow() + 1, std::string("まとめて ") + digit);
  editor.Lines().EndUpdate();
  ExpectScreenEqualsRepaint(editor, "lines inserted in one update");
  SendMessageA(window, WM_HSCROLL, SB_PAGERIGHT, 0);
  ExpectScreenEqualsRepaint(editor, "a page right");
  SendMessageA(window, WM_HSCROLL, SB_LINELEFT, 0);
  ExpectScreenEqualsRepaint(editor, "a column left");
  editor.SetRow(editor.TopRow() + 1);
  ExpectScreenEqualsRepaint(editor, "the caret row moved");
  SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
  ExpectScreenEqualsRepaint(editor, "at the bottom");
  editor.Undo();
  ExpectScreenEqualsRepaint(editor, "after undo");
  SendMessageA(window, WM_VSCROLL, SB_TOP, 0);
  SendMessageA(window, WM_HSCROLL, SB_LEFT, 0);
  ExpectScreenEqualsRepaint(editor, "back at the top");
}

TEST(EditorScreen, AfterScrollsAndEditsTheWindowEqualsAFullRepaint) {
  StyledWindow styled;
  ScrollAndEdit(styled.editor);
}

TEST(EditorScreen, DoubleBufferedPaintingShowsTheSame) {
  StyledWindow styled;
  styled.editor.SetDoubleBuffered(true);
  ScrollAndEdit(styled.editor);
}

TEST(EditorScreen, PagingThroughTwoThousandLinesShowsAFullRepaintAtEveryStop) {
  quolin::test_support::TempFolder folder;
  std::string path = folder / "generated.tex";
  folder.WriteFile(path, GeneratedTex(2000));
  EditorWindow window(640, 480, TScrollStyle::ssBoth);
  TEditor& editor = window.Editor();
  Style(editor);
  editor.Marks().Underline().SetVisible(true);
  editor.Marks().Underline().SetColor(clRed);
  editor.Lines().LoadFromFile(path);
  ASSERT_EQ(editor.RowCount(), 2000);
  uitest::Pump();

  RECT client = editor.ClientRect();
  Dib first(client.right, client.bottom);
  CaptureClient(editor, first);
  CreateDirectoryA("test-output", nullptr);
  EXPECT_TRUE(first.SaveBmp("test-output\\EditorScreen-first-page.bmp"));

  HWND handle = editor.Handle();
  int stops = 0;
  for (int previous = -1; editor.TopRow() != previous; ++stops) {
    ExpectScreenEqualsRepaint(editor, ("top row " + std::to_string(editor.TopRow())).c_str());
    if (HasFailure())
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
