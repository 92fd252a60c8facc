// The master and reserved-word editors opened in the running Quolin.exe by second starts: each
// second start ends at once while the dialog is up, and closing the dialogs writes nothing.
#include "support/E2eSession.h"
#include "support/WaitLimit.h"

#include <string>

using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

namespace {

class MasterEditorE2E : public e2e::SessionTest {
protected:
  MasterEditorE2E() : SessionTest("MasterEditorE2E") {}

  // The dialog of that caption in the running program, closed by its close box's message.
  void CloseDialog(const std::string& caption) {
    HWND dialog = app->WaitForWindow("", caption, WaitLimitMs);
    ASSERT_NE(dialog, nullptr) << caption;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); })) << caption;
  }
};

TEST_F(MasterEditorE2E, SecondStartsOpenTheEditorsAndClosingThemWritesNothing) {
  Start("");
  const std::string dataFile = e2e::UserDataFolder() + "standard.dat";
  const std::string before = TempFolder::ReadFile(dataFile);
  ASSERT_FALSE(before.empty());

  SecondStart("/m:$Sys_OptMaster");
  CloseDialog("マスタ/グループ編集");
  SecondStart("/m:$Sys_OptReserve");
  CloseDialog("予約語設定");
  EXPECT_EQ(TempFolder::ReadFile(dataFile), before);
}

} // namespace
