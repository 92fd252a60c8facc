// A test of the real Quolin.exe in a folder of its own: started with its arguments, handed
// further command lines by second starts, closed at the end, with the per-user state reset
// around it.
#pragma once

#include "common/TempFolder.h"
#include "support/E2eProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace e2e {

class QuolinE2eTest : public ::testing::Test {
protected:
  quolin::test_support::TempFolder folder;
  std::unique_ptr<QuolinProcess> app;
  HWND main = nullptr;

  explicit QuolinE2eTest(const std::string& folderName) : folder(folderName) {}

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
  // A second start that hands its command line over; its end is the caller's to wait for.
  std::unique_ptr<QuolinProcess> StartSecond(const std::string& arguments) {
    auto second = std::make_unique<QuolinProcess>(StartOptions{arguments, folder.Path()});
    EXPECT_TRUE(second->Started()) << arguments;
    return second;
  }
  // A second start that hands its command line over and ends.
  void SecondStart(const std::string& arguments) {
    EXPECT_TRUE(StartSecond(arguments)->WaitForExit(WaitLimitMs)) << arguments;
  }
};

} // namespace e2e
