#include "ui/dde.h"
#include "support/DdeServerThread.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quolin;
using namespace std::chrono_literals;
using quolin::test_support::ServerThread;
using quolin::test_support::WaitLimitMs;

namespace {

constexpr std::chrono::milliseconds WaitLimit(WaitLimitMs);

const std::string Service = "QuolinDdeTest" + std::to_string(GetCurrentProcessId());
const std::string Topic = "Topic";

TEST(Dde, ShiftJisMacroArrivesByteForByte) {
  ServerThread server(Service, Topic);
  ASSERT_TRUE(server.Registered());
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  // 表 and ソ end in 5C, ゾ in 5D; half-width kana are single bytes above 7F.
  const std::string macro = "[CmdLine(\"C:\\表示\\ソース.tex\" ゾ ｱｲｳ /l10)]";
  EXPECT_EQ(client.Execute(macro, WaitLimitMs), dde::drDone);
  EXPECT_EQ(server.WaitForExecutes(1), std::vector<std::string>{macro});
  EXPECT_EQ(server.Connects(), 1);
}

TEST(Dde, ExecutesRunInOrder) {
  ServerThread server(Service, Topic);
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, "TOPIC"));
  std::vector<std::string> sent;
  for (int i = 0; i < 20; ++i) {
    sent.push_back("macro " + std::to_string(i));
    ASSERT_EQ(client.Execute(sent.back(), WaitLimitMs), dde::drDone);
  }
  EXPECT_EQ(server.WaitForExecutes(sent.size()), sent);
}

TEST(Dde, AcknowledgedAtOnceWhileTheHandlerRuns) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  // The handler holds until the test lets it go: an answer that waited for it never comes.
  ServerThread server(Service, Topic, [released](dde::Server&, const std::string&) {
    released.wait_for(WaitLimit);
  });
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  EXPECT_EQ(client.Execute("slow", WaitLimitMs), dde::drDone);
  EXPECT_TRUE(server.WaitForExecutes(0, 0ms).empty()) << "the handler is still running";
  release.set_value();
  EXPECT_EQ(server.WaitForExecutes(1), std::vector<std::string>{"slow"});
}

TEST(Dde, BusyPartnerTimesOutAndIsLeftWithoutWaiting) {
  std::promise<void> entered, release;
  std::future<void> inHandler = entered.get_future();
  std::shared_future<void> released = release.get_future().share();
  bool heldToTheLimit = false;
  ServerThread server(Service, Topic, [&](dde::Server&, const std::string& text) {
    if (text != "block")
      return;
    entered.set_value();
    heldToTheLimit = released.wait_for(WaitLimit) == std::future_status::timeout;
  });
  {
    dde::Client client;
    ASSERT_TRUE(client.Connect(Service, Topic));
    ASSERT_EQ(client.Execute("block", WaitLimitMs), dde::drDone);
    ASSERT_EQ(inHandler.wait_for(WaitLimit), std::future_status::ready);
    // The server thread now holds in the handler and answers nothing.
    EXPECT_EQ(client.Execute("late", 1000), dde::drTimedOut);
    EXPECT_FALSE(client.Connected());
  }
  // Only now may the partner answer: a client that waited for it would have held the handler
  // to its limit.
  release.set_value();
  ASSERT_FALSE(server.WaitForExecutes(1).empty()) << "the handler has returned";
  EXPECT_FALSE(heldToTheLimit) << "giving up must not wait for the partner";
}

TEST(Dde, MissingServiceOrTopicIsRefused) {
  ServerThread server(Service, Topic);
  dde::Client client;
  EXPECT_FALSE(
      client.Connect("QuolinNoSuchService" + std::to_string(GetCurrentProcessId()), Topic));
  EXPECT_FALSE(client.Connect(Service, "NoSuchTopic"));
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
  EXPECT_EQ(client.Execute("throw", WaitLimitMs), dde::drDone);
  EXPECT_EQ(client.Execute("after", WaitLimitMs), dde::drDone);
  EXPECT_EQ(server.WaitForExecutes(1), std::vector<std::string>{"after"});
}

TEST(Dde, AdviseRoundTrip) {
  ServerThread server(Service, Topic, [](dde::Server& self, const std::string& text) {
    self.SetItemData(Topic, "Status", text == "[run]" ? "OK" : "ERROR");
  });
  dde::Client client;
  ASSERT_TRUE(client.Connect(Service, Topic));
  std::vector<std::string> updates;
  auto record = [&](const std::string& data) { updates.push_back(data); };
  ASSERT_TRUE(client.StartAdvise("status", record, WaitLimitMs));
  ASSERT_EQ(client.Execute("[run]", WaitLimitMs), dde::drDone);
  EXPECT_TRUE(uitest::PumpUntil([&] { return !updates.empty(); }));
  EXPECT_EQ(updates, std::vector<std::string>{"OK"});
  EXPECT_TRUE(client.StopAdvise(WaitLimitMs));
  ASSERT_EQ(client.Execute("[again]", WaitLimitMs), dde::drDone);
  // The partner answers in order: a new loop's first update comes after anything the stopped
  // one could still have sent.
  ASSERT_TRUE(client.StartAdvise("status", record, WaitLimitMs));
  ASSERT_EQ(client.Execute("[run]", WaitLimitMs), dde::drDone);
  EXPECT_TRUE(uitest::PumpUntil([&] { return updates.size() >= 2; }));
  EXPECT_EQ(updates, (std::vector<std::string>{"OK", "OK"})) << "no update after the loop stopped";
}

} // namespace
