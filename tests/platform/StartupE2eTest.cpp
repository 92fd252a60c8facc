// The real program starts, shows its main window and ends cleanly when asked to close.
#include "support/E2eProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupE2e, MainWindowAppearsAndClosesWithExitCodeZero) {
  e2e::QuolinProcess quolin;
  ASSERT_TRUE(quolin.Started()) << "error " << GetLastError();
  HWND main = quolin.WaitForWindow("", "Quolin");
  ASSERT_NE(main, nullptr) << "no window titled Quolin";
  EXPECT_EQ(quolin.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
  ASSERT_TRUE(quolin.Close(main));
  EXPECT_EQ(quolin.ExitCode(), 0u);
}

} // namespace
