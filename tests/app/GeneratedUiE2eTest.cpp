// The real Quolin.exe's generated toolbars on a first start: the shipped data's three
// toolbars, their document-only buttons disabled until a second start's command opens a
// document; a screenshot of the main window is saved for review.
#include "support/E2eProcess.h"
#include "support/WindowSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using e2e::WaitUntil;
using quolin::test_support::CaptionOf;
using quolin::test_support::ClassNameOf;
using quolin::test_support::FirstWindow;

// Buttons of the TeX toolbar that run words 18-25 (typesetting to printing), all enabled only
// while a document is open.
constexpr size_t DocumentOnlyButtons = 8;
// Separators are narrower than any button with its 16-pixel image.
constexpr int MinButtonWidth = 16;

// The visible toolbar of that caption under the main window.
HWND FindToolbar(HWND main, const std::string& caption) {
  return FirstWindow(main, [&](HWND window) {
    return ClassNameOf(window) == "TToolbar" && CaptionOf(window) == caption &&
           IsWindowVisible(window);
  });
}

// The toolbar's buttons from left to right (separators left out).
std::vector<HWND> ButtonsOf(HWND toolbar) {
  std::vector<std::pair<int, HWND>> placed;
  for (HWND child = GetWindow(toolbar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    if (rect.right - rect.left >= MinButtonWidth)
      placed.emplace_back(rect.left, child);
  }
  std::sort(placed.begin(), placed.end());
  std::vector<HWND> buttons;
  for (const auto& [left, button] : placed)
    buttons.push_back(button);
  return buttons;
}

size_t EnabledCount(const std::vector<HWND>& buttons) {
  return std::count_if(buttons.begin(), buttons.begin() + DocumentOnlyButtons,
                       [](HWND button) { return IsWindowEnabled(button) != FALSE; });
}

// The main window as the screen shows it, through ImageMagick on the host.
bool SaveScreenshot(HWND main, const std::string& path) {
  RECT rect;
  GetWindowRect(main, &rect);
  rect.left = std::max(0L, rect.left);
  rect.top = std::max(0L, rect.top);
  const std::string crop = std::to_string(rect.right - rect.left) + "x" +
                           std::to_string(rect.bottom - rect.top) + "+" +
                           std::to_string(rect.left) + "+" + std::to_string(rect.top);
  DeleteFileA(path.c_str());
  e2e::QuolinProcess import({"import -window root -crop " + crop + " +repage " + path, "",
                             e2e::ExecutableFolder() + "hostrun.exe"});
  return import.Started() && import.WaitForExit() && import.ExitCode() == 0 &&
         GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class GeneratedUiE2E : public ::testing::Test {
protected:
  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }
};

TEST_F(GeneratedUiE2E, FirstStartShowsTheToolbarsAndADocumentEnablesTheTexButtons) {
  auto program = std::make_unique<e2e::QuolinProcess>();
  ASSERT_TRUE(program->Started());
  HWND main = program->WaitForWindow("TTopForm", "Quolin");
  ASSERT_NE(main, nullptr);
  HWND tex = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tex = FindToolbar(main, "TeX")) != nullptr; }));
  EXPECT_NE(FindToolbar(main, "標準"), nullptr);
  EXPECT_NE(FindToolbar(main, "数式"), nullptr);
  const std::vector<HWND> buttons = ButtonsOf(tex);
  ASSERT_GT(buttons.size(), DocumentOnlyButtons);
  EXPECT_EQ(e2e::DocumentCaptions(main).size(), 0u);
  EXPECT_EQ(EnabledCount(buttons), 0u);
  EXPECT_TRUE(IsWindowEnabled(ButtonsOf(FindToolbar(main, "標準"))[0])) << "$Sys_FileNew";

  e2e::QuolinProcess second({"/m:$Sys_FileNew"});
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return EnabledCount(buttons) == DocumentOnlyButtons; }))
      << EnabledCount(buttons) << " enabled";
  EXPECT_TRUE(SaveScreenshot(main, QUOLIN_E2E_SCREENSHOT));

  ASSERT_TRUE(program->Close(main));
  EXPECT_EQ(program->ExitCode(), 0u);
}

} // namespace
