// The menu and toolbar editor opened in the running Quolin.exe by a second start: the second
// start ends at once while the dialog is up, closing the dialog cancels and writes nothing, and
// the program takes further commands.
#include "support/E2eSession.h"
#include "support/WaitLimit.h"

#include <string>

using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

namespace {

class MenuEditorE2E : public e2e::SessionTest {
protected:
  MenuEditorE2E() : SessionTest("MenuEditorE2E") {}
};

TEST_F(MenuEditorE2E, ASecondStartOpensItAndClosingItCancels) {
  Start("");
  const std::string dataFile = e2e::UserDataFolder() + "standard.dat";
  const std::string before = TempFolder::ReadFile(dataFile);
  ASSERT_FALSE(before.empty());

  SecondStart("/m:$Sys_OptMenu");
  HWND dialog = app->WaitForWindow("", "メニュー/ツールバー設定", WaitLimitMs);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  EXPECT_EQ(TempFolder::ReadFile(dataFile), before);

  SecondStart("/m:$Sys_FileNew");
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
}

} // namespace
