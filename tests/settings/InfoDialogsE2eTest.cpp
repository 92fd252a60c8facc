// The line jump box and the about box of the real Quolin.exe, opened by "/m" words of second
// starts and driven through their windows.
#include "support/E2eSession.h"
#include "support/WaitLimit.h"
#include "support/WindowSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using quolin::test_support::ClassNameOf;
using quolin::test_support::FirstWindow;
using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

namespace {

// The first child window whose text is text, or nullptr.
HWND ChildWithText(HWND parent, const std::string& text) {
  return FirstWindow(parent, [&](HWND window) { return e2e::WindowText(window) == text; });
}

void PressKeyIn(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
}

class InfoDialogsE2E : public e2e::SessionTest {
protected:
  InfoDialogsE2E() : SessionTest("InfoDialogsE2E") {}
};

TEST_F(InfoDialogsE2E, JumpBoxMovesToTheThirdLineForTheNextCommand) {
  ASSERT_NO_FATAL_FAILURE(StartWithDocument("one\r\ntwo\r\nthree\r\nfour\r\nfive"));
  SecondStart("/m:$Sys_EditJump");
  HWND jump = app->WaitForWindow("", "行ジャンプ", WaitLimitMs);
  ASSERT_NE(jump, nullptr);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    box = FirstWindow(
        jump, [](HWND window) { return _stricmp(ClassNameOf(window).c_str(), "Edit") == 0; });
    return box != nullptr;
  }));
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3"));
  PressKeyIn(box, VK_RETURN);
  SecondStart("\"/m:\\section{$S}\"");
  SecondStart("/m:$Sys_FileSave");
  ExpectDocumentFile("one\r\ntwo\r\n\\section{}three\r\nfour\r\nfive");
}

TEST_F(InfoDialogsE2E, AboutBoxShowsTheVersionAndEscapeClosesIt) {
  Start("");
  // Its end may wait for the modal box it opened.
  e2e::QuolinProcess second({"/m:$Sys_OptVersion", folder.Path()});
  ASSERT_TRUE(second.Started());
  HWND about = app->WaitForWindow("", "バージョン情報", WaitLimitMs);
  ASSERT_NE(about, nullptr);
  EXPECT_NE(ChildWithText(about, "Version 4.2.2.0"), nullptr);
  HWND close = ChildWithText(about, "閉じる");
  ASSERT_NE(close, nullptr);
  PressKeyIn(close, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about) || !IsWindowVisible(about); }));
  EXPECT_TRUE(second.WaitForExit(WaitLimitMs));
}

} // namespace
