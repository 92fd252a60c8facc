// The input method as Wine delivers it: a result string set through ImmSetCompositionStringW
// and completed arrives as WM_IME_COMPOSITION, followed by the character messages the system
// makes of it. Candidate notices are sent by hand (Wine has no candidate window).
#include "EditorWindow.h"

#include <imm.h>

#include <gtest/gtest.h>

#include <utility>

using namespace quolin;
using namespace editortest;

namespace {

class EditorIme : public FocusedEditor {
protected:
  // Completes a composition of text and hands the editor the input method's messages; the
  // result's character messages wait in the queue.
  void Compose(const wchar_t* text) {
    CompleteComposition(editor, text);
    MSG message;
    for (auto [first, last] : {std::pair<UINT, UINT>{WM_IME_STARTCOMPOSITION, WM_IME_KEYLAST},
                               std::pair<UINT, UINT>{WM_IME_SETCONTEXT, WM_IME_KEYUP}}) {
      while (PeekMessageA(&message, editor.Handle(), first, last, PM_REMOVE))
        DispatchMessageA(&message);
    }
  }
  // The character messages waiting for the editor, taken from the queue.
  int TakeWaitingChars() {
    int count = 0;
    MSG message;
    while (PeekMessageA(&message, editor.Handle(), WM_CHAR, WM_CHAR, PM_REMOVE))
      ++count;
    return count;
  }
  POINT CompositionPoint() {
    HIMC context = ImmGetContext(editor.Handle());
    COMPOSITIONFORM form{};
    EXPECT_TRUE(ImmGetCompositionWindow(context, &form));
    ImmReleaseContext(editor.Handle(), context);
    EXPECT_EQ(form.dwStyle, static_cast<DWORD>(CFS_POINT));
    return form.ptCurrentPos;
  }
  POINT CaretCell() {
    RECT cell = CellRect(editor, editor.Row() - editor.TopRow(), editor.Col() - editor.TopCol(), 0);
    return POINT{cell.left, cell.top};
  }
};

TEST_F(EditorIme, AResultOfFourCharactersInsertsEightBytesOnceAndReadOnlyIgnoresIt) {
  editor.Lines().SetText("ab");
  editor.SetCol(1);
  Compose(L"日本語あ");
  uitest::Pump();
  EXPECT_EQ(Text(), "a日本語あb\r\n");
  EXPECT_EQ(editor.Col(), 9);
  // Later typing goes in as usual: the count of swallowed characters was used up.
  SendChars(editor, "x");
  EXPECT_EQ(Text(), "a日本語あxb\r\n");

  editor.SetReadOnly(true);
  Compose(L"日本");
  uitest::Pump();
  EXPECT_EQ(Text(), "a日本語あxb\r\n");
}

TEST_F(EditorIme, AStaleCountIsDroppedAtTheNextKey) {
  Compose(L"漢字");
  EXPECT_EQ(TakeWaitingChars(), 4) << "the characters that would have been swallowed";
  EXPECT_EQ(Text(), "漢字");
  // While the input method handles keys the count stays.
  Send(WM_KEYDOWN, VK_PROCESSKEY, 1);
  SendChars(editor, "y");
  EXPECT_EQ(Text(), "漢字") << "still swallowed";
  // Any other key drops it.
  SendKey(editor, 'X');
  SendChars(editor, "x");
  EXPECT_EQ(Text(), "漢字x");
}

TEST_F(EditorIme, TheCompositionWindowFollowsTheCaretAndWaitsForTheKeyUpOfARepeat) {
  editor.Lines().SetText(Rows(40));
  editor.SetRowCol(2, 3);
  POINT point = CompositionPoint();
  EXPECT_EQ(point.x, CaretCell().x);
  EXPECT_EQ(point.y, CaretCell().y);
  HIMC context = ImmGetContext(editor.Handle());
  LOGFONTW font{};
  ASSERT_TRUE(ImmGetCompositionFontW(context, &font));
  EXPECT_EQ(font.lfHeight, -16) << "the editor's font";
  // The context is shared: a font another window left there gives way at the next move.
  LOGFONTW other = font;
  other.lfHeight = -30;
  ASSERT_TRUE(ImmSetCompositionFontW(context, &other));
  editor.SetRowCol(2, 4);
  ASSERT_TRUE(ImmGetCompositionFontW(context, &font));
  EXPECT_EQ(font.lfHeight, -16);
  ImmReleaseContext(editor.Handle(), context);
  editor.SetRowCol(2, 3);

  editor.SetTopRow(1);
  point = CompositionPoint();
  EXPECT_EQ(point.y, editor.Margin().Top() + editor.RowHeight()) << "scrolled with the view";

  // A repeating key moves the window only at its key-up.
  Send(WM_KEYDOWN, VK_DOWN, 1 | (1 << 30));
  EXPECT_EQ(editor.Row(), 3);
  EXPECT_EQ(CompositionPoint().y, point.y) << "not yet";
  Send(WM_KEYUP, VK_DOWN, static_cast<LPARAM>(1 | (3u << 30)));
  EXPECT_EQ(CompositionPoint().y, CaretCell().y);
}

TEST_F(EditorIme, TheCandidateWindowHidesTheCaret) {
  editor.Lines().SetText("abc");
  ASSERT_TRUE(editor.CaretVisible());
  Send(WM_IME_NOTIFY, IMN_OPENCANDIDATE, 1);
  EXPECT_FALSE(editor.CaretVisible());
  editor.SetCol(2);
  EXPECT_FALSE(editor.CaretVisible()) << "caret moves keep it hidden";
  Send(WM_IME_NOTIFY, IMN_CLOSECANDIDATE, 1);
  EXPECT_TRUE(editor.CaretVisible());
}

} // namespace
