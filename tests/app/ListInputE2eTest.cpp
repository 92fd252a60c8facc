// The real Quolin.exe on a fresh user: the first start shows the label list window over the main
// window, closing saves it as shown, and the next start shows it again.
#include "common/RegistryProbe.h"
#include "support/E2eProcess.h"
#include "support/UiTest.h"
#include "support/WindowSearch.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

using quolin::test_support::CaptionOf;
using quolin::test_support::QueryRaw;
using quolin::test_support::VisitWindows;
using quolin::test_support::WaitUntil;

namespace {

constexpr char LabelListCaption[] = "ラベル参照";

std::string Setting(const std::string& section, const std::string& name) {
  std::string data =
      QueryRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\" + section, name).data;
  return data.substr(0, data.find('\0'));
}

// A visible window of the process, or a visible window inside one, with that text.
HWND VisibleWindowWithText(const e2e::QuolinProcess& process, const std::string& text) {
  HWND found = nullptr;
  auto check = [&](HWND window) {
    if (IsWindowVisible(window) && CaptionOf(window) == text)
      found = window;
    return found == nullptr;
  };
  for (HWND window : process.Windows()) {
    if (!check(window))
      break;
    VisitWindows(window, check);
    if (found)
      break;
  }
  return found;
}

// Whether the screen shows the list's own background at its middle, not a window over it.
bool ListShowsOnScreen(HWND list) {
  auto background = static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
  return uitest::ScreenPixel(uitest::ScreenCentre(list)) == background;
}

class ListInputE2E : public ::testing::Test {
protected:
  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }
};

TEST_F(ListInputE2E, LabelListShownAtTheFirstStartComesBackAtTheNext) {
  for (int start = 1; start <= 2; ++start) {
    e2e::QuolinProcess quolin;
    ASSERT_TRUE(quolin.Started());
    HWND main = quolin.WaitForWindow("TTopForm", "Quolin");
    ASSERT_NE(main, nullptr) << "start " << start;
    // A floating tool window shows only while its program is active.
    HWND label = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      SetForegroundWindow(main);
      label = VisibleWindowWithText(quolin, LabelListCaption);
      return label != nullptr;
    })) << "start " << start;
    // The list is empty: its background shows unless the main window covers it.
    HWND list = label ? e2e::FindChild(label, "SysListView32") : nullptr;
    ASSERT_NE(list, nullptr) << "start " << start;
    EXPECT_TRUE(WaitUntil([&] { return ListShowsOnScreen(list); })) << "start " << start;
    ASSERT_TRUE(quolin.Close(main));
    EXPECT_EQ(Setting("Forms", "VisibleTool"), "00000081") << "start " << start;
    EXPECT_EQ(Setting("Forms", "LastDataFile"), e2e::UserDataFolder() + "standard.dat");
  }
}

} // namespace
