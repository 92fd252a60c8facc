// The edit-control messages, sent to the window as outside code would.
#include "EditorWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace quolin;
using namespace editortest;

namespace {

class EditorMessages : public ShownEditor {
protected:
  LPARAM Point(POINT point) { return MAKELPARAM(point.x, point.y); }
  POINT PosFromChar(int index) {
    LRESULT packed = Send(EM_POSFROMCHAR, static_cast<WPARAM>(index));
    return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
  }
  LRESULT SendText(UINT message, WPARAM wParam, const char* text) {
    return Send(message, wParam, reinterpret_cast<LPARAM>(text));
  }
};

TEST_F(EditorMessages, GetTextFillsAtMostTheBufferLessOne) {
  SetOpenText(editor, "ab");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(Send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], 'x') << "a buffer of size 0 is not written";
  EXPECT_EQ(Send(WM_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'x');
  EXPECT_EQ(Send(WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), 2);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(Send(WM_GETTEXTLENGTH), 2);

  editor.Lines().SetText("ab\r\ncd\r\n");
  EXPECT_EQ(Send(WM_GETTEXTLENGTH), 8) << "CR LF counts 2";
  EXPECT_EQ(Send(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 7);
  EXPECT_STREQ(buffer, "ab\r\ncd\r");
}

TEST_F(EditorMessages, GetLineCopiesAtMostTheCountWithoutAZero) {
  editor.Lines().SetText("hello\r\nworld\r\n");
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  WORD count = 0;
  std::memcpy(buffer, &count, sizeof count);
  EXPECT_EQ(Send(EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[2], 'x') << "a count of 0 writes nothing";

  count = 3;
  std::memcpy(buffer, &count, sizeof count);
  EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_EQ(std::string(buffer, 4), "worx") << "no terminating zero";

  count = 15;
  std::memcpy(buffer, &count, sizeof count);
  EXPECT_EQ(Send(EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 5);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  EXPECT_EQ(Send(EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 0) << "past the last row";
}

TEST_F(EditorMessages, LineIndexAndLineFromCharCountLineEndsButNoWrapBetweenRows) {
  editor.WrapOption().SetWrapByte(20);
  editor.SetWordWrap(true);
  editor.Lines().SetText("ab\r\n" + std::string(30, 'w') + "\r\nz\r\n");
  ASSERT_EQ(editor.RowCount(), 4);
  EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
  EXPECT_EQ(Send(EM_LINEINDEX, 0), 0);
  EXPECT_EQ(Send(EM_LINEINDEX, 1), 4);
  EXPECT_EQ(Send(EM_LINEINDEX, 2), 24) << "a wrapped row counts its bytes only";
  EXPECT_EQ(Send(EM_LINEINDEX, 3), 36);
  EXPECT_EQ(Send(EM_LINEINDEX, 4), 39) << "the empty row after the last line end";
  EXPECT_EQ(Send(EM_LINEINDEX, 5), -1);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 1), 0);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 2), 0) << "the CR belongs to its row";
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 3), 0) << "and so does the LF";
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 4), 1);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 23), 1);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 24), 2) << "no line end between the rows of a wrapped line";
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 36), 3);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 1000), 4) << "past the text: the row after the last";
  EXPECT_EQ(Send(EM_LINELENGTH, 25), 10) << "the second row of the wrapped line";
  editor.SetRow(2);
  EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 24) << "the caret row";
  editor.SetRow(3);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 3);
  EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 1);

  SetOpenText(editor, "ab\r\ncd");
  EXPECT_EQ(Send(EM_LINEINDEX, 1), 4);
  EXPECT_EQ(Send(EM_LINEINDEX, 2), -1) << "no row after a last line without line end";
}

TEST_F(EditorMessages, PositionAndCharacterRoundTripOverDoubleByteAndTab) {
  editor.Lines().SetText("x\r\na漢\tb\r\n");
  // Row 1: "a" cell 0, "漢" cells 1-2, TAB cell 3 with fill to 7, "b" cell 8.
  int left = editor.Margin().Left();
  int top = editor.Margin().Top() + editor.RowHeight();
  int pitch = editor.CharPitch();
  struct Case {
    int index;
    int column;
  };
  for (Case c : {Case{3, 0}, Case{4, 1}, Case{6, 3}, Case{7, 8}, Case{8, 9}}) {
    POINT point = PosFromChar(c.index);
    EXPECT_EQ(point.x, left + c.column * pitch) << "index " << c.index;
    EXPECT_EQ(point.y, top) << "index " << c.index;
    LRESULT back = Send(EM_CHARFROMPOS, 0, Point(point));
    EXPECT_EQ(LOWORD(back), c.index) << "index " << c.index;
    EXPECT_EQ(HIWORD(back), 1);
  }
  POINT trail = PosFromChar(5);
  EXPECT_EQ(trail.x, left + 2 * pitch) << "the second byte of 漢";
  EXPECT_EQ(LOWORD(Send(EM_CHARFROMPOS, 0, Point(trail))), 4) << "moves to the first byte";
  for (int column = 4; column < 8; ++column) {
    POINT fill{left + column * pitch + 1, top + 1};
    EXPECT_EQ(LOWORD(Send(EM_CHARFROMPOS, 0, Point(fill))), 7)
        << "fill cell " << column << " counts no byte";
  }
  EXPECT_EQ(Send(EM_CHARFROMPOS, 0, MAKELPARAM(2000, 5)), -1) << "outside the client";
}

TEST_F(EditorMessages, ReadOnlyBlocksTextChangesAndUndo) {
  SendText(WM_SETTEXT, 0, "first");
  EXPECT_EQ(editor.Lines().Text(), "first\r\n");
  editor.Lines().Add("second");
  EXPECT_EQ(Send(EM_CANUNDO), 1);
  Send(EM_SETREADONLY, TRUE);
  EXPECT_TRUE(editor.ReadOnly());
  EXPECT_EQ(Send(EM_CANUNDO), 0);
  EXPECT_EQ(Send(EM_UNDO), 0);
  EXPECT_EQ(SendText(WM_SETTEXT, 0, "other"), FALSE);
  Send(EM_SETMODIFY, FALSE);
  Send(EM_EMPTYUNDOBUFFER);
  EXPECT_EQ(editor.Lines().Text(), "first\r\nsecond\r\n");
  EXPECT_EQ(Send(EM_GETMODIFY), 1);
  EXPECT_TRUE(editor.CanUndo());

  Send(EM_SETREADONLY, FALSE);
  EXPECT_EQ(Send(EM_UNDO), 1);
  EXPECT_EQ(editor.Lines().Text(), "first\r\n");
  Send(EM_SETMODIFY, FALSE);
  EXPECT_EQ(Send(EM_GETMODIFY), 0);
  Send(EM_EMPTYUNDOBUFFER);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.CanRedo());
}

TEST_F(EditorMessages, DialogCodeClaimsEnterOnlyWithWantReturns) {
  LRESULT code = Send(WM_GETDLGCODE);
  EXPECT_TRUE(code & DLGC_WANTARROWS);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  EXPECT_TRUE(code & DLGC_WANTTAB);
  EXPECT_TRUE(code & DLGC_WANTALLKEYS);
  editor.SetWantReturns(false);
  editor.SetWantTabs(false);
  code = Send(WM_GETDLGCODE);
  EXPECT_FALSE(code & DLGC_WANTALLKEYS) << "Enter goes to the dialog's default button";
  EXPECT_FALSE(code & DLGC_WANTTAB);
  EXPECT_TRUE(code & DLGC_WANTARROWS);
}

TEST_F(EditorMessages, ScrollCaretPutsTheCaretRowAThirdDown) {
  editor.Lines().SetText(Rows(100, 200));
  editor.SetRow(60);
  editor.SetCol(150);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0) << "without the focus the view stays";
  Send(EM_SCROLLCARET);
  EXPECT_EQ(editor.TopRow(), 60 - editor.VisibleRows() / 3);
  EXPECT_EQ(editor.TopCol(), 150 - editor.VisibleCols() / 3);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), editor.TopRow());
  int top = editor.TopRow();
  Send(EM_SCROLLCARET);
  EXPECT_EQ(editor.TopRow(), top) << "a caret in view scrolls nothing";
}

TEST_F(EditorMessages, SelectionMessagesCountLineEndsAsTwo) {
  editor.Lines().SetText("abc\r\ndefg");
  Send(EM_SETSEL, 6, 1);
  EXPECT_EQ(editor.SelText(), "bc\r\nd") << "from the smaller, the difference long";
  DWORD start = 0, end = 0;
  LRESULT packed =
      Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 6u);
  EXPECT_EQ(packed, MAKELONG(1, 6));
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0) << "the selection's first row";
  EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 4) << "a and efg are not selected";

  SendText(EM_REPLACESEL, 0, "X");
  EXPECT_EQ(editor.Lines().Text(), "aXefg\r\n");
  EXPECT_EQ(Send(EM_GETSEL), MAKELONG(2, 2)) << "the caret behind the new text";

  Send(EM_SETSEL, 0, static_cast<LPARAM>(-1));
  EXPECT_EQ(Send(EM_GETSEL), MAKELONG(0, 5));
  Send(WM_CLEAR);
  EXPECT_EQ(editor.Lines().Text(), "\r\n");
  Send(EM_SETSEL, 0, static_cast<LPARAM>(-1));
  Send(EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_FALSE(editor.Selected());

  // A box counts each slice plus 2, not the text's bytes.
  editor.Lines().SetText("abcd\r\nefgh\r\n");
  SelectBox(editor, 0, 1, 1, 2);
  ASSERT_EQ(editor.SelText(), "bc\r\nfg");
  LRESULT box = Send(EM_GETSEL);
  EXPECT_EQ(HIWORD(box) - LOWORD(box), 8);
  editor.SetSelectionMode(0);

  editor.Lines().SetText("abc");
  Send(EM_SETSEL, 0, 2);
  editor.SetReadOnly(true);
  SendText(EM_REPLACESEL, 0, "X");
  Send(WM_CLEAR);
  EXPECT_EQ(editor.Lines().Text(), "abc\r\n");
}

} // namespace
