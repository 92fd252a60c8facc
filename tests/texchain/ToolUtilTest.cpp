// The wait that keeps the windows live.
#include "texchain/ToolUtil.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace quolin;

namespace {

TEST(ToolUtil, WaitWithMessagesHandlesMessagesAndEndsOnQuit) {
  bool ran = false;
  Application->Queue([&] { ran = true; });
  EXPECT_TRUE(WaitWithMessages(0));
  EXPECT_FALSE(ran) << "no wait, no messages";
  EXPECT_TRUE(WaitWithMessages(50));
  EXPECT_TRUE(ran);

  PostQuitMessage(0);
  EXPECT_FALSE(WaitWithMessages(INFINITE));
  // The message loop takes a quit of its own and starts afresh.
  PostQuitMessage(0);
  Application->Run();
  EXPECT_FALSE(Application->Terminated());
}

} // namespace
