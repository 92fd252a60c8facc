// "/m" commands handed to the running Quolin.exe by second starts: a user command into the
// document, its repetition, the save, and a new untitled document.
#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

namespace {

class CommandLineE2E : public ::testing::Test {
protected:
  TempFolder folder{"CommandLineE2E"};
  std::unique_ptr<e2e::QuolinProcess> app;
  HWND main = nullptr;

  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override {
    if (app && main)
      app->Close(main, WaitLimitMs);
    e2e::ResetUserState();
  }

  void Start(const std::string& arguments) {
    app = std::make_unique<e2e::QuolinProcess>(e2e::StartOptions{arguments, folder.Path()});
    ASSERT_TRUE(app->Started());
    main = app->WaitForWindow("TTopForm", "Quolin", WaitLimitMs);
    ASSERT_NE(main, nullptr) << "no main window";
  }
  // A second start that hands its command line over and ends.
  void SecondStart(const std::string& arguments) {
    e2e::QuolinProcess second({arguments, folder.Path()});
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(WaitLimitMs)) << arguments;
  }
};

TEST_F(CommandLineE2E, UserCommandRepeatedAndSaved) {
  const std::string file = folder / "a.tex";
  TempFolder::WriteFile(file, "");
  Start("\"" + file + "\"");
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  SecondStart("\"/m:\\section{$S}\"");
  SecondStart("/m:$Sys_EditRepeat");
  SecondStart("/m:$Sys_FileSave");
  const std::string expected = "\\section{\\section{}}";
  EXPECT_TRUE(WaitUntil([&] { return TempFolder::ReadFile(file) == expected; }))
      << TempFolder::ReadFile(file);

  SecondStart("/m:$Sys_FileNew");
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 2).size(), 2u);
}

} // namespace
