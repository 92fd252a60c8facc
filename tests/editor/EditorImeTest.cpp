// The input method as Wine delivers it: a result string set through ImmSetCompositionStringW
// and completed arrives as WM_IME_COMPOSITION, followed by the character messages the system
// makes of it. Candidate notices are sent by hand (Wine has no candidate window).
#include "EditorWindow.h"

#include "core/Format.h"

#include <imm.h>

#include <gtest/gtest.h>

#include <utility>

using namespace quolin;
using namespace editortest;

namespace {

class EditorIme : public FocusedEditor {
protected:
  HIMC context = nullptr;

  void SetUp() override {
    FocusedEditor::SetUp();
    context = ImmGetContext(editor.Handle());
    ASSERT_NE(context, nullptr);
    ImmSetOpenStatus(context, TRUE);
  }
  void TearDown() override {
    if (context) {
      ImmSetOpenStatus(context, FALSE);
      ImmReleaseContext(editor.Handle(), context);
    }
  }
  // Completes a composition of text and hands the editor the input method's messages; the
  // result's character messages wait in the queue.
  void Compose(const wchar_t* text) {
    ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(text),
                             static_cast<DWORD>(wcslen(text) * sizeof(wchar_t)), nullptr, 0);
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
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
    COMPOSITIONFORM form{};
    ImmGetCompositionWindow(context, &form);
    EXPECT_EQ(form.dwStyle, static_cast<DWORD>(CFS_POINT));
    return form.ptCurrentPos;
  }
  POINT CellTopLeft() {
    return POINT{editor.Margin().Left() + (editor.Col() - editor.TopCol()) * editor.CharPitch(),
                 editor.Margin().Top() + (editor.Row() - editor.TopRow()) * editor.RowHeight()};
  }
};

TEST_F(EditorIme, AResultOfFourCharactersInsertsEightBytesOnce) {
  editor.Lines().SetText("ab");
  editor.SetCol(1);
  Compose(L"日本語あ");
  uitest::Pump();
  EXPECT_EQ(Text(), "a日本語あb\r\n");
  EXPECT_EQ(editor.Col(), 9);
  // Later typing goes in as usual: the count of swallowed characters was used up.
  SendChars(editor, "x");
  EXPECT_EQ(Text(), "a日本語あxb\r\n");
}

TEST_F(EditorIme, ReadOnlyIgnoresTheResult) {
  editor.Lines().SetText("ab");
  editor.SetReadOnly(true);
  Compose(L"日本");
  uitest::Pump();
  EXPECT_EQ(Text(), "ab\r\n");
}

TEST_F(EditorIme, AStaleCountIsDroppedAtTheNextKey) {
  Compose(L"漢字");
  EXPECT_EQ(TakeWaitingChars(), 4) << "the characters that would have been swallowed";
  EXPECT_EQ(Text(), "漢字");
  // While the input method handles keys the count stays.
  SendMessageA(editor.Handle(), WM_KEYDOWN, VK_PROCESSKEY, 1);
  SendChars(editor, "y");
  EXPECT_EQ(Text(), "漢字") << "still swallowed";
  // Any other key drops it.
  SendKey(editor, 'X');
  SendChars(editor, "x");
  EXPECT_EQ(Text(), "漢字x");
}

TEST_F(EditorIme, TheCompositionWindowFollowsTheCaretAndWaitsForTheKeyUpOfARepeat) {
  std::string text;
  for (int line = 0; line < 40; ++line)
    text += Format("line %d\r\n", line);
  editor.Lines().SetText(text);
  editor.SetRowCol(2, 3);
  POINT point = CompositionPoint();
  EXPECT_EQ(point.x, CellTopLeft().x);
  EXPECT_EQ(point.y, CellTopLeft().y);

  // Scrolling moves the caret's cell on the screen.
  editor.SetTopRow(1);
  point = CompositionPoint();
  EXPECT_EQ(point.y, CellTopLeft().y);
  EXPECT_EQ(point.y, editor.Margin().Top() + editor.RowHeight());

  // A repeating key moves the window only at its key-up.
  SendMessageA(editor.Handle(), WM_KEYDOWN, VK_DOWN, 1 | (1 << 30));
  EXPECT_EQ(editor.Row(), 3);
  EXPECT_EQ(CompositionPoint().y, point.y) << "not yet";
  SendMessageA(editor.Handle(), WM_KEYUP, VK_DOWN, static_cast<LPARAM>(1 | (3u << 30)));
  EXPECT_EQ(CompositionPoint().y, CellTopLeft().y);
}

TEST_F(EditorIme, TheCandidateWindowHidesTheCaret) {
  editor.Lines().SetText("abc");
  ASSERT_TRUE(editor.CaretVisible());
  SendMessageA(editor.Handle(), WM_IME_NOTIFY, IMN_OPENCANDIDATE, 1);
  EXPECT_FALSE(editor.CaretVisible());
  editor.SetCol(2);
  EXPECT_FALSE(editor.CaretVisible()) << "caret moves keep it hidden";
  SendMessageA(editor.Handle(), WM_IME_NOTIFY, IMN_CLOSECANDIDATE, 1);
  EXPECT_TRUE(editor.CaretVisible());
}

} // namespace
