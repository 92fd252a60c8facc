#include "common/ComPtr.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/DialogDriver.h"
#include "support/ScratchCurrentUser.h"
#include "support/UiTest.h"
#include "ui/FolderDlg.h"
#include "ui/Forms.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

std::string ProfileFolder() {
  char folder[MAX_PATH] = {};
  GetEnvironmentVariableA("USERPROFILE", folder, MAX_PATH);
  return IncludeTrailingPathDelimiter(folder);
}

// The browser walks its tree down to the start folder, matching each level by the items the
// shell gave it, times included. A folder that changes meanwhile is no longer matched: the
// shared temporary folder, where parallel tests come and go, can leave the start unreachable.
// So the start lies below the user's profile, which nothing else changes. The drive that maps
// the Linux root is hidden (in this process's own HKEY_CURRENT_USER): the browser lists the
// drives when it opens My Computer, and reading that one's volume is slow.
class FolderDialog : public ::testing::Test {
protected:
  ScratchCurrentUser scratch;
  TComInit com;
  TempFolder root{"フォルダー", ProfileFolder()};
  std::string start = root / "ソース";

  void SetUp() override {
    CreateDirectoryA(start.c_str(), nullptr);
    constexpr DWORD DriveZ = 1u << ('Z' - 'A');
    SetRaw(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
           "NoDrives", REG_DWORD, Dword(DriveZ));
  }
  void TearDown() override { SetFolderDialogHook(nullptr); }
};

bool BrowserReady(HWND dialog) {
  return FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) != nullptr &&
         IsWindowEnabled(GetDlgItem(dialog, IDOK));
}

// The browser's texts: the title above the tree and the status text below it.
struct BrowserView {
  std::string title;
  std::string status;
};

constexpr int TitleLabel = 0x3742;
constexpr int StatusLabel = 0x3743;

DialogDriver::Action PressAndRead(int button, BrowserView& view) {
  return [button, &view](HWND dialog) {
    view.title = DialogDriver::WindowText(GetDlgItem(dialog, TitleLabel));
    view.status = DialogDriver::WindowText(GetDlgItem(dialog, StatusLabel));
    DialogDriver::Press(dialog, button);
  };
}

// Ready once the browser has come to folder: the status text shows it.
DialogDriver::Ready BrowserShows(const std::string& folder) {
  return [folder](HWND dialog) {
    return BrowserReady(dialog) &&
           DialogDriver::IsSameFolder(DialogDriver::WindowText(GetDlgItem(dialog, StatusLabel)),
                                      folder);
  };
}

// OK returns the start folder; Cancel leaves Folder and the variable as they were.
TEST_F(FolderDialog, OkReturnsTheStartFolderAndCancelLeavesIt) {
  for (int button : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
    auto expectStart = [&](const std::string& folder) {
      if (button == IDOK)
        EXPECT_TRUE(DialogDriver::IsSameFolder(folder, start)) << folder;
      else
        EXPECT_EQ(folder, start);
    };
    TOwned<TFolderDlg> dialog(TComponent::Create<TFolderDlg>(nullptr));
    EXPECT_EQ(dialog->Title, "フォルダーの選択");
    dialog->Folder = start;
    BrowserView view;
    {
      DialogDriver driver(PressAndRead(button, view), BrowserShows(start));
      EXPECT_EQ(dialog->Execute(), button == IDOK);
      ASSERT_TRUE(driver.Acted()) << "the browser did not come to the start folder";
    }
    EXPECT_EQ(view.title, "フォルダーの選択");
    expectStart(dialog->Folder);

    std::string folder = start;
    {
      DialogDriver driver(PressAndRead(button, view), BrowserShows(start));
      EXPECT_EQ(SelectFolderDialog("出力先", nullptr, folder), button == IDOK);
      ASSERT_TRUE(driver.Acted()) << "the browser did not come to the start folder";
    }
    EXPECT_EQ(view.title, "出力先");
    expectStart(folder);
  }
}

TEST_F(FolderDialog, MissingStartFolderOpensAtTheDefaultPlace) {
  const std::string missing = root / "ありません";
  std::string folder = missing;
  BrowserView view;
  bool chosen = false;
  {
    DialogDriver driver(PressAndRead(IDOK, view), BrowserReady);
    chosen = SelectFolderDialog("出力先", nullptr, folder);
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(view.status, "");
  if (chosen)
    EXPECT_TRUE(DirectoryExists(folder)) << folder;
  else
    EXPECT_EQ(folder, missing);
  EXPECT_FALSE(DialogDriver::IsSameFolder(folder, start));
}

TEST_F(FolderDialog, BrowserIsOwnedByTheOwnersForm) {
  auto form = uitest::MakeForm();
  form->Show();
  TFolderDlg* dialog = TComponent::Create<TFolderDlg>(form.get());
  HWND owner = nullptr;
  {
    DialogDriver driver(
        [&owner](HWND browser) {
          owner = GetWindow(browser, GW_OWNER);
          DialogDriver::Press(browser, IDCANCEL);
        },
        BrowserReady);
    EXPECT_FALSE(dialog->Execute());
  }
  EXPECT_EQ(owner, form->Handle());
}

TEST_F(FolderDialog, HookGetsTitleAndStartFolder) {
  std::string seenTitle;
  std::string seenFolder;
  SetFolderDialogHook([&](const std::string& title, std::string& folder) {
    seenTitle = title;
    seenFolder = folder;
    folder = "C:\\changed";
    return false;
  });
  std::string folder = start;
  EXPECT_FALSE(SelectFolderDialog("出力先", nullptr, folder));
  EXPECT_EQ(seenTitle, "出力先");
  EXPECT_EQ(seenFolder, start);
  EXPECT_EQ(folder, start);

  SetFolderDialogHook([&](const std::string& title, std::string& folder) {
    seenTitle = title;
    folder = "C:\\chosen";
    return true;
  });
  EXPECT_TRUE(SelectFolderDialog("出力先", nullptr, folder));
  EXPECT_EQ(folder, "C:\\chosen");

  TOwned<TFolderDlg> dialog(TComponent::Create<TFolderDlg>(nullptr));
  dialog->Title = "辞書の場所";
  dialog->Folder = start;
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(seenTitle, "辞書の場所");
  EXPECT_EQ(dialog->Folder, "C:\\chosen");
}

} // namespace
