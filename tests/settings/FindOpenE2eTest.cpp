// The real Quolin.exe: second starts carrying the browser's command show and hide it.
#include "support/E2eProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using quolin::test_support::WaitUntil;

namespace {

constexpr char BrowserCaption[] = "表示して開く - Quolin";

class FindOpenE2E : public ::testing::Test {
protected:
  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }

  static void HandOver() {
    e2e::QuolinProcess second({"/m:$Sys_FileFindOpen", ""});
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit());
  }
};

TEST_F(FindOpenE2E, SecondStartsShowAndHideTheBrowser) {
  e2e::QuolinProcess quolin;
  ASSERT_TRUE(quolin.Started());
  HWND main = quolin.WaitForWindow("TTopForm", "Quolin");
  ASSERT_NE(main, nullptr);

  HandOver();
  HWND browser = quolin.WaitForWindow("", BrowserCaption);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(GetParent(browser), nullptr);
  EXPECT_TRUE(GetWindowLongA(browser, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "own taskbar button";

  HandOver();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(browser); }));
  EXPECT_TRUE(IsWindow(browser)) << "hidden, not freed";
  EXPECT_TRUE(quolin.Close(main));
  EXPECT_EQ(quolin.ExitCode(), 0u);
}

} // namespace
