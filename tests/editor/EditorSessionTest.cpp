// One editing session driven only by window messages through the message loop, as a user's
// input arrives: typing with characters and the input method, a row selection dragged
// elsewhere, a box copied and pasted with the menu's shortcut keys before the menu ever
// opened, and everything undone.
#include "EditorWindow.h"

#include "editor/EditorStartup.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace editortest;

namespace {

class EditorSession : public FocusedEditor {
protected:
  HWND Window() { return editor.Handle(); }
  void Type(const std::string& text) {
    for (char character : text)
      uitest::TypeChar(Window(), character);
  }
  void Key(WORD key, TShiftState shift = 0, int times = 1) {
    for (int time = 0; time < times; ++time)
      uitest::PressKey(Window(), key, shift);
  }
  POINT Cell(int row, int col) { return CellBoundary(editor, row, col); }
  void Mouse(UINT message, POINT point, WPARAM keys) {
    PostMessageA(Window(), message, keys, MAKELPARAM(point.x, point.y));
    uitest::Pump();
  }
};

TEST_F(EditorSession, TypeDragBoxCopyPasteAndUndoEverything) {
  // 1. Characters, the input method, Enter and more characters.
  Type("\\section{");
  CompleteComposition(editor, L"見出し");
  uitest::Pump();
  Type("}");
  Key(VK_RETURN);
  Type("ab");
  const std::string typed = "\\section{見出し}\r\nab";
  ASSERT_EQ(Text(), typed);

  // 2. The first row selected in the left margin, then dragged behind "ab".
  POINT margin{2, Cell(0, 0).y};
  Mouse(WM_LBUTTONDOWN, margin, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, margin, 0);
  ASSERT_EQ(editor.SelText(), "\\section{見出し}\r\n");
  ASSERT_EQ(Text(), typed);
  POINT inside = Cell(0, 3);
  Mouse(WM_LBUTTONDOWN, inside, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, POINT{inside.x + editor.CharPitch(), inside.y}, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, Cell(1, 2), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, Cell(1, 2), 0);
  const std::string moved = "ab\\section{見出し}\r\n";
  ASSERT_EQ(Text(), moved);

  // 3. Box mode, 2 rows by 3 cells copied, pasted at column 10 of the shorter row below.
  Key('K', ssCtrl);
  ASSERT_EQ(editor.SelectionMode(), 1);
  Key(VK_HOME, ssCtrl);
  Key(VK_RIGHT, ssShift, 3);
  Key(VK_DOWN, ssShift);
  ASSERT_EQ(editor.SelText(), "ab\\\r\n");
  Key('C', ssCtrl);
  ASSERT_TRUE(IsClipboardFormatAvailable(BoxClipboardFormat()));
  ASSERT_EQ(Text(), moved);
  Key(VK_RIGHT, 0, 7);
  ASSERT_EQ(editor.Row(), 1);
  ASSERT_EQ(editor.Col(), 10);
  Key('V', ssCtrl);
  const std::string pasted = moved + "          ab\\\r\n";
  ASSERT_EQ(Text(), pasted);

  // 4. Ctrl+Z back through every step to the empty text.
  Key('Z', ssCtrl);
  EXPECT_EQ(Text(), moved);
  Key('Z', ssCtrl);
  EXPECT_EQ(Text(), typed);
  int undos = 0;
  while (editor.CanUndo() && undos < 100) {
    Key('Z', ssCtrl);
    ++undos;
  }
  EXPECT_EQ(undos, 14) << "one record per character typed, one for the input method's result";
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(editor.RowCount(), 0);
  Key('A', ssCtrl);
  EXPECT_EQ(Text(), "\\") << "Ctrl+A is the menu's redo";
}

} // namespace
