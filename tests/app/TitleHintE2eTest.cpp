// The real Quolin.exe's title-bar hint: the real pointer rests on the main window's caption
// while a maximised document is open, and moves onto the close button.
#include "common/TempFolder.h"
#include "support/TitleHintDriver.h"
#include "support/E2eProcess.h"

#include <gtest/gtest.h>

#include <string>

using quolin::test_support::TempFolder;

namespace {

class TitleHintE2e : public ::testing::Test {
protected:
  TempFolder folder{"HintE2E"};

  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }

  // Puts the pointer there once the window under it is main's and main answers hitTest.
  static void PointAt(HWND main, POINT point, LRESULT hitTest) {
    ASSERT_EQ(GetAncestor(WindowFromPoint(point), GA_ROOT), main);
    ASSERT_EQ(SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)), hitTest);
    SetCursorPos(point.x, point.y);
  }
};

TEST_F(TitleHintE2e, RestingOnTheCaptionShowsTheFullPathUntilThePointerMovesOn) {
  std::string path = folder / "hinted.tex";
  TempFolder::WriteFile(path, "\\documentclass{article}\r\n");
  e2e::QuolinProcess app({"\"" + path + "\"", folder.Path()});
  ASSERT_TRUE(app.Started());
  HWND main = app.WaitForWindow("TTopForm", "");
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  HWND doc = e2e::FindChild(main, "TDocForm");
  ASSERT_NE(doc, nullptr);
  HWND client = GetParent(doc);
  SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(doc), 0);
  SetForegroundWindow(main);
  ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == main; }));

  RECT clientRect;
  GetWindowRect(client, &clientRect);
  PointAt(main, {clientRect.left + 50, clientRect.top + 50}, HTCLIENT);
  PointAt(main, uitest::CaptionPoint(main), HTCAPTION);
  HWND hint = app.WaitForWindow("TTBHintForm", "");
  ASSERT_NE(hint, nullptr) << "no hint";
  EXPECT_EQ(e2e::WindowText(hint), path);

  PointAt(main, uitest::CaptionPoint(main, true), HTCLOSE);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(hint); }));
  EXPECT_TRUE(app.Close(main));
}

} // namespace
