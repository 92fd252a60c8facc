// A running Quolin.exe of a fresh user, and second starts that hand their command lines to it
// and end.
#pragma once

#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quolin::test_support {

class SecondStartFixture : public ::testing::Test {
protected:
  explicit SecondStartFixture(const std::string& folderTag) : folder(folderTag) {}

  TempFolder folder;
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

} // namespace quolin::test_support
