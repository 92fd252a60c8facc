#include "app/Startup.h"
#include "support/DdeServerThread.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace quolin;
using quolin::test_support::ServerThread;

namespace {

const std::string CommandLine = "\"C:\\Quolin\\Quolin.exe\" \"C:\\文書\\表示.tex\" \"/l10\"";
const std::string Macro = "CmdLine(" + CommandLine + ")";

// The running instance: it holds the mutex and, once started, serves "Quolin".
struct RunningInstance {
  TInstanceMutex mutex;
  RunningInstance() { EXPECT_TRUE(mutex.Claim()); }
};

TEST(HandOff, RunningInstanceGetsTheCommandLine) {
  RunningInstance first;
  ServerThread server("Quolin", "Quolin");
  ASSERT_TRUE(server.Registered());
  TInstanceMutex second;
  ASSERT_FALSE(second.Claim());
  EXPECT_EQ(HandOffCommandLine(CommandLine, second), srHandedOff);
  EXPECT_FALSE(second.Held());
  EXPECT_EQ(server.WaitForExecutes(1), std::vector<std::string>{Macro});
}

TEST(HandOff, WaitsForTheRunningInstanceToServe) {
  RunningInstance first;
  std::unique_ptr<ServerThread> server;
  DWORD start = GetTickCount();
  std::thread starter([&] {
    Sleep(700);
    server = std::make_unique<ServerThread>("Quolin", "Quolin");
  });
  TInstanceMutex second;
  EXPECT_EQ(HandOffCommandLine(CommandLine, second), srHandedOff);
  EXPECT_GE(GetTickCount() - start, 600u);
  starter.join();
  EXPECT_EQ(server->WaitForExecutes(1), std::vector<std::string>{Macro});
}

TEST(HandOff, GoesOnAsFirstWhenTheRunningInstanceEnds) {
  auto first = std::make_unique<RunningInstance>();
  std::thread ending([&] {
    Sleep(500);
    first.reset();
  });
  TInstanceMutex second;
  EXPECT_EQ(HandOffCommandLine(CommandLine, second), srFirst);
  ending.join();
  EXPECT_TRUE(second.Held());
  TInstanceMutex third;
  EXPECT_FALSE(third.Claim()) << "the mutex is held again";
}

TEST(HandOff, GivesUpAfterItsPatience) {
  RunningInstance first;
  TInstanceMutex second;
  DWORD start = GetTickCount();
  EXPECT_EQ(HandOffCommandLine(CommandLine, second, 600), srGaveUp);
  EXPECT_GE(GetTickCount() - start, 600u);
  EXPECT_FALSE(second.Held());
}

TEST(HandOff, MutexIsHeldUntilItsHolderEnds) {
  {
    TInstanceMutex first;
    ASSERT_TRUE(first.Claim());
    ASSERT_TRUE(first.Claim()) << "claiming again keeps it";
    HANDLE probe = OpenMutexA(SYNCHRONIZE, FALSE, "Dravenlux_Quolin4200_MutexString");
    ASSERT_NE(probe, nullptr);
    // Not owned: anyone may wait on it at once.
    EXPECT_EQ(WaitForSingleObject(probe, 0), WAIT_OBJECT_0);
    ReleaseMutex(probe);
    CloseHandle(probe);
  }
  EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Dravenlux_Quolin4200_MutexString"), nullptr);
}

} // namespace
