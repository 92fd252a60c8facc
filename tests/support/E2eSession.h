// The fixture of end-to-end tests that drive one running Quolin.exe: a reset user, a folder of
// the test's own as the current folder with a document file in it, the first start with its
// main window, and second starts that hand their command lines over and end, among them the TeX
// command with the fake TeX tool. The program is closed and the user reset at the end.
#pragma once

#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "texchain/FakeTools.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace e2e {

class SessionTest : public ::testing::Test {
protected:
  quolin::test_support::TempFolder folder;
  std::unique_ptr<QuolinProcess> app;
  HWND main = nullptr;
  const std::string document = folder / "a.tex";

  explicit SessionTest(const std::string& tag) : folder(tag) {}
  void SetUp() override { ResetUserState(); }
  void TearDown() override {
    if (app && main)
      app->Close(main, WaitLimitMs);
    ResetUserState();
  }

  void Start(const std::string& arguments) {
    app = std::make_unique<QuolinProcess>(StartOptions{arguments, folder.Path()});
    ASSERT_TRUE(app->Started());
    main = app->WaitForWindow("TTopForm", "Quolin", WaitLimitMs);
    ASSERT_NE(main, nullptr) << "no main window";
  }
  // The first start with the document holding text, once its window is open.
  void StartWithDocument(const std::string& text) {
    quolin::test_support::TempFolder::WriteFile(document, text);
    Start("\"" + document + "\"");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(WaitForDocumentCount(main, 1).size(), 1u);
  }
  // Waits for a save, which a second start's command makes later, to leave text in the file.
  void ExpectDocumentFile(const std::string& text) {
    using quolin::test_support::TempFolder;
    EXPECT_TRUE(WaitUntil([&] { return TempFolder::ReadFile(document) == text; }))
        << TempFolder::ReadFile(document);
  }
  // A second start that hands its command line over and ends.
  void SecondStart(const std::string& arguments) {
    QuolinProcess second({arguments, folder.Path()});
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(WaitLimitMs)) << arguments;
  }
  // "$Sys_FileTex" by a second start runs the fake TeX once, in the test's folder; the
  // program is closed to read the journal.
  void RunTexOnce(const quolin::test_support::FakeTools& tools) {
    SecondStart("/m:$Sys_FileTex");
    ASSERT_TRUE(tools.WaitForRuns(1));
    ASSERT_TRUE(app->Close(main, WaitLimitMs));
    main = nullptr;
    const auto runs = tools.Journal();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].role, "tex");
    EXPECT_EQ(runs[0].folder + "\\", folder.Path());
  }
};

} // namespace e2e
