// "/m" commands handed to the running Quolin.exe by second starts: a user command into the
// document, its repetition, the save, a new untitled document, a TeX run and an index entry.
#include "common/RegistryProbe.h"
#include "support/E2eProcess.h"
#include "support/E2eSession.h"
#include "support/WaitLimit.h"
#include "support/WindowSearch.h"
#include "texchain/FakeTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using quolin::test_support::BoolValue;
using quolin::test_support::ClassNameOf;
using quolin::test_support::FakeTools;
using quolin::test_support::SetRaw;
using quolin::test_support::SzValue;
using quolin::test_support::VisitWindows;
using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

namespace {

// The descendants of parent of a class, top to bottom on the screen.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  std::vector<HWND> found;
  VisitWindows(parent, [&](HWND child) {
    if (lstrcmpiA(ClassNameOf(child).c_str(), className) == 0)
      found.push_back(child);
    return true;
  });
  std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
    RECT first, second;
    GetWindowRect(a, &first);
    GetWindowRect(b, &second);
    return first.top < second.top;
  });
  return found;
}

HWND ButtonOf(HWND dialog, const std::string& caption) {
  for (HWND button : ChildrenOfClass(dialog, "Button"))
    if (e2e::WindowText(button) == caption)
      return button;
  return nullptr;
}

class CommandLineE2E : public e2e::SessionTest {
protected:
  CommandLineE2E() : SessionTest("CommandLineE2E") {}
};

TEST_F(CommandLineE2E, UserCommandRepeatedAndSaved) {
  ASSERT_NO_FATAL_FAILURE(StartWithDocument(""));
  SecondStart("\"/m:\\section{$S}\"");
  SecondStart("/m:$Sys_EditRepeat");
  SecondStart("/m:$Sys_FileSave");
  ExpectDocumentFile("\\section{\\section{}}");

  SecondStart("/m:$Sys_FileNew");
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 2).size(), 2u);
}

TEST_F(CommandLineE2E, TexWordRunsTheTexModuleOnce) {
  FakeTools tools{folder};
  // The first start imports the defaults; the module's program is set over them.
  ASSERT_NO_FATAL_FAILURE(StartWithDocument("\\relax\r\n"));
  ASSERT_TRUE(app->Close(main, WaitLimitMs));
  const std::string module = std::string(e2e::SettingsKey) + "\\TexModule\\TeX";
  SetRaw(HKEY_CURRENT_USER, module, "ExeName", SzValue(FakeTools::Program("tex")));
  SetRaw(HKEY_CURRENT_USER, module, "UseDDE", BoolValue(false));
  Start("\"" + document + "\"");
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  RunTexOnce(tools);
}

TEST_F(CommandLineE2E, IndexDialogInsertsAnEntry) {
  ASSERT_NO_FATAL_FAILURE(StartWithDocument(""));
  SecondStart("/m:$Sys_EditIndexDialog");
  HWND dialog = app->WaitForWindow("", "インデックス挿入/参照", WaitLimitMs);
  ASSERT_NE(dialog, nullptr) << "the dialog did not show";
  std::vector<HWND> edits = ChildrenOfClass(dialog, "Edit");
  ASSERT_GE(edits.size(), 2u);
  // The reading's edit stands above the word's.
  SendMessageA(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("てすと"));
  SendMessageA(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("テスト"));
  HWND insert = ButtonOf(dialog, "挿入(&A)");
  ASSERT_NE(insert, nullptr);
  SendMessageA(insert, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return e2e::WindowText(edits[0]).empty(); }))
      << "the edits are cleared after the insert";
  SecondStart("/m:$Sys_FileSave");
  ExpectDocumentFile("\\index{てすと@テスト}");
}

} // namespace
