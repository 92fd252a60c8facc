#include "ui/dde.h"
#include "support/DdeServerThread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace quolin;
using namespace std::chrono_literals;
using quolin::test_support::ServerThread;

namespace {

const std::string Service = "QuolinDdeTest" + std::to_string(GetCurrentProcessId());
const std::string Topic = "Topic";

DWORD ElapsedMs(DWORD start) {
  return GetTickCount() - start;
}

// Runs this thread's messages until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (ElapsedMs(start) > timeout.count())
      return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&message);
    Sleep(10);
  }
  return true;
}

TEST(Dde, ShiftJisMacroArrivesByteForByte) {
  ServerThread server(Service, Topic);
  ASSERT_TRUE(server.Registered());
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  // 表 and ソ end in 5C, ゾ in 5D; half-width kana are single bytes above 7F.
  const std::string macro = "[CmdLine(\"C:\\表示\\ソース.tex\" ゾ ｱｲｳ /l10)]";
  EXPECT_EQ(client.Execute(macro, 5000), dde::drDone);
  EXPECT_EQ(server.WaitForExecutes(1, 5s), std::vector<std::string>{macro});
  EXPECT_EQ(server.Connects(), 1);
}

TEST(Dde, ExecutesRunInOrder) {
  ServerThread server(Service, Topic);
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, "TOPIC"));
  std::vector<std::string> sent;
  for (int i = 0; i < 20; ++i) {
    sent.push_back("macro " + std::to_string(i));
    ASSERT_EQ(client.Execute(sent.back(), 5000), dde::drDone);
  }
  EXPECT_EQ(server.WaitForExecutes(sent.size(), 5s), sent);
}

TEST(Dde, AcknowledgedAtOnceWhileTheHandlerRuns) {
  ServerThread server(Service, Topic, [](dde::Server&, const std::string&) { Sleep(3000); });
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  DWORD start = GetTickCount();
  EXPECT_EQ(client.Execute("slow", 5000), dde::drDone);
  EXPECT_LT(ElapsedMs(start), 500u);
  EXPECT_TRUE(server.WaitForExecutes(0, 0ms).empty()) << "the handler is still running";
  EXPECT_EQ(server.WaitForExecutes(1, 10s), std::vector<std::string>{"slow"});
}

TEST(Dde, BusyPartnerTimesOutAndIsLeftWithoutWaiting) {
  ServerThread server(Service, Topic, [](dde::Server&, const std::string& text) {
    if (text == "block")
      Sleep(4000);
  });
  DWORD start = GetTickCount();
  {
    dde::Client client;
    ASSERT_TRUE(client.Connect(Service, Topic));
    ASSERT_EQ(client.Execute("block", 5000), dde::drDone);
    // The server thread now sleeps in the handler and answers nothing.
    Sleep(200);
    EXPECT_EQ(client.Execute("late", 1000), dde::drTimedOut);
    EXPECT_FALSE(client.Connected());
  }
  EXPECT_LT(ElapsedMs(start), 2500u) << "giving up must not wait for the partner";
}

TEST(Dde, MissingServiceOrTopicFailsFast) {
  ServerThread server(Service, Topic);
  dde::Client client;
  DWORD start = GetTickCount();
  EXPECT_FALSE(
      client.Connect("QuolinNoSuchService" + std::to_string(GetCurrentProcessId()), Topic));
  EXPECT_FALSE(client.Connect(Service, "NoSuchTopic"));
  EXPECT_LT(ElapsedMs(start), 1000u);
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(client.Execute("x", 1000), dde::drNotConnected);
}

TEST(Dde, ThrowingHandlerIsCaught) {
  ServerThread server(Service, Topic, [](dde::Server&, const std::string& text) {
    if (text == "throw")
      throw std::runtime_error("handler failed");
  });
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  EXPECT_EQ(client.Execute("throw", 5000), dde::drDone);
  EXPECT_EQ(client.Execute("after", 5000), dde::drDone);
  EXPECT_EQ(server.WaitForExecutes(1, 5s), std::vector<std::string>{"after"});
}

TEST(Dde, AdviseRoundTrip) {
  ServerThread server(Service, Topic, [](dde::Server& self, const std::string& text) {
    self.SetItemData(Topic, "Status", text == "[run]" ? "OK" : "ERROR");
  });
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  std::vector<std::string> updates;
  ASSERT_TRUE(client.StartAdvise(
      "status", [&](const std::string& data) { updates.push_back(data); }, 3000));
  ASSERT_EQ(client.Execute("[run]", 3000), dde::drDone);
  EXPECT_TRUE(PumpUntil([&] { return !updates.empty(); }, 5s));
  EXPECT_EQ(updates, std::vector<std::string>{"OK"});
  EXPECT_TRUE(client.StopAdvise(3000));
  ASSERT_EQ(client.Execute("[again]", 3000), dde::drDone);
  server.WaitForExecutes(2, 5s);
  PumpUntil([] { return false; }, 300ms);
  EXPECT_EQ(updates.size(), 1u) << "no updates after the loop stopped";
}

} // namespace
