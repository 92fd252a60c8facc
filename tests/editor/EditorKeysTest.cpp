// Keys and typed characters sent to a focused view as window messages: caret moves with Shift
// and Ctrl, repeats at the view's edges, pages, word moves, and the editing keys.
#include "EditorWindow.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace editortest;

namespace {

class EditorKeys : public FocusedEditor {
protected:
  void Load(const std::string& text, int row = 0, int col = 0) {
    editor.Lines().SetText(text);
    editor.SetRowCol(row, col);
  }
  void ExpectCaret(int row, int col, const std::string& what) {
    EXPECT_EQ(CaretAt(editor), std::pair(row, col)) << what;
  }
  // Sends the characters; the text after them.
  std::string Typed(const std::string& characters) {
    SendChars(editor, characters);
    return Text();
  }
  std::string AfterDelete() {
    SendKey(editor, VK_DELETE);
    return Text();
  }
  // Sends the key; the caret after it.
  std::pair<int, int> Press(WORD key, TShiftState shift = 0) {
    SendKey(editor, key, shift);
    return CaretAt(editor);
  }
};

TEST_F(EditorKeys, TheCursorKeysWithShiftAndCtrl) {
  Load("abc\r\ndefgh\r\nij", 1, 2);
  EXPECT_EQ(Press(VK_END), std::pair(1, 5)) << "End";
  EXPECT_EQ(Press(VK_HOME), std::pair(1, 0)) << "Home";
  EXPECT_EQ(Press(VK_END, ssCtrl), std::pair(3, 0)) << "Ctrl+End: the row after the final line end";
  EXPECT_EQ(Press(VK_HOME, ssCtrl), std::pair(0, 0)) << "Ctrl+Home";
  SendKey(editor, VK_DOWN);
  EXPECT_EQ(Press(VK_RIGHT), std::pair(1, 1)) << "Down, Right";
  SendKey(editor, VK_UP);
  EXPECT_EQ(Press(VK_LEFT), std::pair(0, 0)) << "Up, Left";

  // Left at column 0 stays without NextLine, and goes up with it.
  editor.SetRow(1);
  EXPECT_EQ(Press(VK_LEFT), std::pair(1, 0)) << "Left at column 0";
  editor.Caret().NextLine = true;
  EXPECT_EQ(Press(VK_LEFT), std::pair(0, 3)) << "Left with NextLine";
  // Right at a row's end goes down only when the caret cannot pass the end.
  editor.Caret().FreeCaret = false;
  EXPECT_EQ(Press(VK_RIGHT), std::pair(1, 0)) << "Right with NextLine at the end";
  editor.Caret().NextLine = false;
  SendKey(editor, VK_END);
  EXPECT_EQ(Press(VK_RIGHT), std::pair(1, 5)) << "Right at the end without NextLine";

  // Shift extends from an anchor; a plain move only removes the selection.
  SendKey(editor, VK_HOME);
  SendKey(editor, VK_RIGHT, ssShift);
  SendKey(editor, VK_DOWN, ssShift);
  EXPECT_EQ(editor.SelText(), "defgh\r\ni") << "from the anchor at column 0";
  SendKey(editor, VK_HOME, ssShift | ssCtrl);
  EXPECT_EQ(editor.SelText(), "abc\r\n") << "back above the anchor: from the caret to the anchor";
  SendKey(editor, VK_DOWN);
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(Text(), "abc\r\ndefgh\r\nij\r\n");
}

TEST_F(EditorKeys, ARepeatingKeyMovesTwoRowsAtTheViewsEdges) {
  Load(Rows(40));
  int rows = editor.VisibleRows();
  ASSERT_GT(rows, 3);
  editor.SetRow(rows - 1);
  SendKey(editor, VK_DOWN, 0, true);
  EXPECT_EQ(editor.Row(), rows + 1) << "from the last visible row";
  EXPECT_EQ(editor.TopRow(), 2);
  SendKey(editor, VK_DOWN, 0, false);
  EXPECT_EQ(editor.Row(), rows + 2) << "without a repeat one row";
  editor.SetRow(editor.TopRow() + 1);
  SendKey(editor, VK_UP, 0, true);
  EXPECT_EQ(editor.Row(), editor.TopRow()) << "a repeat inside the view: one row";
  int top = editor.TopRow();
  SendKey(editor, VK_UP, 0, true);
  EXPECT_EQ(editor.Row(), top - 2) << "from the first visible row";
  EXPECT_EQ(editor.TopRow(), top - 2);

  // Ctrl scrolls and moves the caret only when the view would lose it.
  editor.SetRow(editor.TopRow() + 3);
  top = editor.TopRow();
  SendKey(editor, VK_DOWN, ssCtrl);
  EXPECT_EQ(editor.TopRow(), top + 1);
  EXPECT_EQ(editor.Row(), top + 3);
}

TEST_F(EditorKeys, PagesMoveByTheVisibleRowsLessOne) {
  Load(Rows(60), 2, 0);
  int page = editor.VisibleRows() - 1;
  SendKey(editor, VK_NEXT);
  EXPECT_EQ(editor.TopRow(), page);
  EXPECT_EQ(editor.Row(), page + 2) << "the caret keeps its place in the view";
  SendKey(editor, VK_PRIOR);
  EXPECT_EQ(editor.TopRow(), 0);
  EXPECT_EQ(editor.Row(), 2);
  SendKey(editor, VK_PRIOR);
  EXPECT_EQ(editor.Row(), 0) << "at the top the caret goes to row 0";

  SetOpenText(editor, "a\r\nb\r\nlast");
  editor.SetTopRow(2);
  editor.SetRow(2);
  SendKey(editor, VK_NEXT);
  EXPECT_EQ(editor.TopRow(), 2) << "the first visible row is the last row without line end";
  EXPECT_EQ(editor.Row(), 2);
}

TEST_F(EditorKeys, WordMovesStopAtWordsAndDoubleByteRuns) {
  Load("abc あいう, def\r\n漢字かな x");
  int stops[] = {4, 12, 15};
  for (int stop : stops)
    EXPECT_EQ(Press(VK_RIGHT, ssCtrl), std::pair(0, stop)) << "Ctrl+Right";
  EXPECT_EQ(Press(VK_RIGHT, ssCtrl), std::pair(1, 0)) << "on to the next row";
  EXPECT_EQ(Press(VK_RIGHT, ssCtrl), std::pair(1, 4)) << "kanji and hiragana are separate runs";
  EXPECT_EQ(Press(VK_LEFT, ssCtrl), std::pair(1, 0)) << "Ctrl+Left";
  EXPECT_EQ(Press(VK_LEFT, ssCtrl), std::pair(0, 15))
      << "at column 0 to the end of the previous line, and stop";
  EXPECT_EQ(Press(VK_LEFT, ssCtrl), std::pair(0, 12)) << "Ctrl+Left";
  SendKeys(editor, VK_LEFT, ssCtrl, 3);
  ExpectCaret(0, 0, "at the start nothing moves");
}

TEST_F(EditorKeys, DeleteAndBackspaceTakeWholeCharactersAndJoinLines) {
  Load("aあb\r\ncd", 0, 1);
  EXPECT_EQ(AfterDelete(), "ab\r\ncd\r\n") << "both bytes of あ";
  editor.SetCol(5);
  EXPECT_EQ(AfterDelete(), "ab   cd\r\n") << "padded up to the caret, then joined";
  ExpectCaret(0, 5, "the caret keeps its offset");

  // A lead byte without its second byte is one byte.
  SetOpenText(editor, "x\x88");
  editor.SetCol(1);
  EXPECT_EQ(AfterDelete(), "x");
  EXPECT_EQ(AfterDelete(), "x") << "at the end of a last row without line end nothing happens";

  // Backspace takes the character before the caret.
  Load("aあ\r\ncd", 0, 3);
  EXPECT_EQ(Typed("\b"), "a\r\ncd\r\n");
  editor.SetRowCol(1, 0);
  EXPECT_EQ(Typed("\b"), "acd\r\n") << "the line end goes";
  ExpectCaret(0, 1, "at the join");
  editor.SetCol(6);
  SendChars(editor, "\b");
  ExpectCaret(0, 5, "past the end the caret only moves");
  EXPECT_EQ(Text(), "acd\r\n");

  // At column 0 of a continuation row the row above loses its last character only.
  editor.WrapOption().SetWrapByte(20);
  editor.SetWordWrap(true);
  Load(std::string(20, 'a') + "bcd\r\nz", 1, 0);
  ASSERT_EQ(editor.RowAttribute(0), raWrapped);
  EXPECT_EQ(Typed("\b"), std::string(19, 'a') + "bcd\r\nz\r\n");
}

TEST_F(EditorKeys, EnterSplitsTheRowWithTheIndent) {
  editor.Caret().AutoIndent = false;
  Load("abcd", 0, 2);
  EXPECT_EQ(Typed("\r"), "ab\r\ncd\r\n");
  ExpectCaret(1, 0, "at the text after the caret");

  editor.Caret().AutoIndent = true;
  Load("  ab", 0, 4);
  EXPECT_EQ(Typed("\r"), "  ab\r\n  \r\n");
  ExpectCaret(1, 2, "behind the indent");
  Load("    ab", 0, 2);
  EXPECT_EQ(Typed("\r"), "  \r\n    ab\r\n") << "no wider than the caret column";

  editor.Caret().TabIndent = true;
  Load("\t  x\r\n", 0, 11);
  EXPECT_EQ(Typed("\r"), "\t  x\r\n\t  \r\n") << "8 + 2 cells as a TAB and two blanks";
  editor.Caret().TabIndent = false;

  editor.Caret().PrevSpaceIndent = true;
  Load("   x\r\n\r\n", 1, 0);
  EXPECT_EQ(Typed("\r"), "   x\r\n\r\n   \r\n") << "the indent of the line above";
  editor.Caret().PrevSpaceIndent = false;

  Load("ab\r\n", 1, 0);
  EXPECT_EQ(Typed("\r"), "ab\r\n\r\n") << "on the row after the last";
  ExpectCaret(2, 0, "behind the new line end");

  editor.SetOverWrite(true);
  Load("ab\r\ncd", 0, 1);
  EXPECT_EQ(Typed("\r"), "ab\r\ncd\r\n") << "OverWrite only moves";
  ExpectCaret(1, 0, "to the next row");
}

TEST_F(EditorKeys, TabWidthAndOverwrite) {
  editor.SetWordWrap(true);
  editor.WrapOption().SetWrapByte(80);
  editor.Caret().SoftTab = true;
  Load(std::string(78, 'x'), 0, 78);
  EXPECT_EQ(Typed("\t"), std::string(78, 'x') + "  \r\n") << "up to the wrap column, not 2 + 8";
  editor.WrapOption().SetWrapByte(78);
  Load(std::string(76, 'x'), 0, 76);
  EXPECT_EQ(Typed("\t"), std::string(76, 'x') + "  \r\n")
      << "2 to the wrap column, not 4 to the stop";
  editor.SetWordWrap(false);

  editor.Caret().SoftTab = false;
  Load("ab", 0, 1);
  EXPECT_EQ(Typed("\t"), "a\tb\r\n");
  {
    HeldKeys shift(ssShift);
    SendChars(editor, "\t");
  }
  EXPECT_EQ(Text(), "a\tb\r\n") << "Shift+Tab inserts nothing";

  editor.SetOverWrite(true);
  Load("aあb", 0, 0);
  SendChars(editor, "\t");
  ExpectCaret(0, 8, "OverWrite moves by the TAB's width");
  editor.SetCol(1);
  EXPECT_EQ(Typed("xy"), "axyb\r\n");
  Load("aあb", 0, 1);
  EXPECT_EQ(Typed("x"), "ax b\r\n") << "half a double-byte character leaves a space";
  Load("ab\r\ncd", 0, 1);
  EXPECT_EQ(Typed("XYZ"), "aXYZ\r\ncd\r\n") << "the line end is never overwritten";
}

TEST_F(EditorKeys, TypedBytesReadOnlyAndKeysZeroedByTheEvents) {
  Load("", 0, 0);
  EXPECT_EQ(Typed(std::string("a~\x7F\x01\xA1\xDF\xE0\x88", 8)), "a~\xA1\xDF")
      << "32-126 and 161-223 only";
  editor.SetReadOnly(true);
  SendChars(editor, "xyz\r\t\b");
  SendKey(editor, VK_DELETE);
  SendKey(editor, VK_LEFT);
  EXPECT_EQ(Text(), "a~\xA1\xDF");
  EXPECT_EQ(editor.Col(), 3) << "caret moves still work";

  // A key zeroed by the events goes no further.
  editor.SetReadOnly(false);
  Load("abc", 0, 1);
  editor.OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    if (key == VK_DELETE || key == VK_RIGHT)
      key = 0;
  };
  editor.OnKeyPress = [](TObject*, char& key) {
    if (key == 'x')
      key = 0;
  };
  SendKey(editor, VK_DELETE);
  SendKey(editor, VK_RIGHT);
  EXPECT_EQ(Typed("xy"), "aybc\r\n");
  EXPECT_EQ(editor.Col(), 2);
}

} // namespace
