// The DDE conversation components: the server conversation answers under the program's
// service with its name as topic; the client conversation connects, executes and closes.
#include "support/DdeServerThread.h"
#include "support/UiTest.h"
#include "ui/Application.h"
#include "ui/DdeConv.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace quolin;
using quolin::test_support::WaitLimitMs;

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TStrings& strings) {
  Lines lines;
  for (int i = 0; i < strings.Count(); ++i)
    lines.push_back(strings[i]);
  return lines;
}

// Another program's client: connects to this program's service on a thread of its own and
// sends the macros, each acknowledged or not.
class OutsideClient {
public:
  OutsideClient(const std::string& topic, Lines macros)
      : thread_([this, topic, macros] {
          dde::Client client;
          connected_ = client.Connect(TDdeServerConv::ServiceName(), topic);
          for (const std::string& macro : macros)
            results_.push_back(client.Execute(macro, WaitLimitMs));
          done_ = true;
        }) {}
  ~OutsideClient() { thread_.join(); }

  // Pumps this thread's messages until the client is done.
  bool Finish() {
    return uitest::PumpUntil([this] { return done_.load(); });
  }
  bool Connected() const { return connected_; }
  const std::vector<dde::TDdeResult>& Results() const { return results_; }

private:
  std::atomic<bool> done_ = false;
  bool connected_ = false;
  std::vector<dde::TDdeResult> results_;
  std::thread thread_;
};

TEST(Dde, ServiceIsTheProgramNameAndTopicTheComponentName) {
  EXPECT_EQ(TDdeServerConv::ServiceName(), "dde_tests");
  TOwned<TDdeServerConv> conv(TComponent::Create<TDdeServerConv>(nullptr, "Quolin"));
  EXPECT_TRUE(conv->Registered());
  std::vector<Lines> macros;
  int opened = 0, closed = 0;
  conv->OnExecuteMacro = [&](TObject* sender, TStrings& lines) {
    EXPECT_EQ(sender, conv.get());
    macros.push_back(LinesOf(lines));
  };
  conv->OnOpen = [&](TObject*) { ++opened; };
  conv->OnClose = [&](TObject*) { ++closed; };

  {
    OutsideClient client("quolin", {"[FileOpen(表示.tex)]", "[A]\r\n[B]\r\n"});
    ASSERT_TRUE(client.Finish());
    EXPECT_TRUE(client.Connected());
    EXPECT_EQ(client.Results(), (std::vector<dde::TDdeResult>{dde::drDone, dde::drDone}));
  }
  EXPECT_TRUE(uitest::PumpUntil([&] { return closed == 1; }));
  EXPECT_EQ(macros, (std::vector<Lines>{{"[FileOpen(表示.tex)]"}, {"[A]", "[B]"}}));
  EXPECT_EQ(opened, 1);

  OutsideClient other("Other", {});
  ASSERT_TRUE(other.Finish());
  EXPECT_FALSE(other.Connected()) << "only the component's name is a topic";
}

TEST(Dde, ServerConversationsShareTheServiceAndEndWithTheirComponent) {
  auto* first = TComponent::Create<TDdeServerConv>(nullptr, "First");
  TOwned<TDdeServerConv> second(TComponent::Create<TDdeServerConv>(nullptr, "Second"));
  int seen = 0;
  second->OnExecuteMacro = [&](TObject*, TStrings&) { ++seen; };
  first->Free();

  OutsideClient gone("First", {});
  ASSERT_TRUE(gone.Finish());
  EXPECT_FALSE(gone.Connected());
  OutsideClient kept("Second", {"x"});
  ASSERT_TRUE(kept.Finish());
  EXPECT_TRUE(kept.Connected());
  EXPECT_TRUE(uitest::PumpUntil([&] { return seen == 1; }));
}

TEST(Dde, ThrowingMacroHandlerIsReportedAndServingGoesOn) {
  uitest::DialogRecorder boxes;
  TOwned<TDdeServerConv> conv(TComponent::Create<TDdeServerConv>(nullptr, "Quolin"));
  Lines handled;
  conv->OnExecuteMacro = [&](TObject*, TStrings& lines) {
    if (lines[0] == "throw")
      throw std::runtime_error("壊れたマクロ");
    handled.push_back(lines[0]);
  };
  OutsideClient client("Quolin", {"throw", "after"});
  ASSERT_TRUE(client.Finish());
  EXPECT_TRUE(uitest::PumpUntil([&] { return handled.size() == 1; }));
  EXPECT_EQ(handled, Lines{"after"});
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "壊れたマクロ");
}

TEST(Dde, ClientConversationLinksManuallyOrAtOnce) {
  test_support::ServerThread server("QuolinConvTest", "Topic");
  TOwned<TDdeClientConv> conv(TComponent::Create<TDdeClientConv>(nullptr));
  conv->ConnectMode = TDdeConnectMode::ddeManual;
  EXPECT_TRUE(conv->SetLink("QuolinConvTest", "Topic"));
  EXPECT_FALSE(conv->Connected()) << "manual: nothing yet";
  EXPECT_FALSE(conv->ExecuteMacro("early"));
  EXPECT_EQ(conv->LastResult(), dde::drNotConnected);
  ASSERT_TRUE(conv->OpenLink());
  EXPECT_TRUE(conv->ExecuteMacro("[FileOpen(ゾ.tex)]"));
  EXPECT_EQ(conv->LastResult(), dde::drDone);
  conv->CloseLink();
  EXPECT_FALSE(conv->Connected());

  conv->ConnectMode = TDdeConnectMode::ddeAutomatic;
  EXPECT_TRUE(conv->SetLink("QuolinConvTest", "Topic"));
  EXPECT_TRUE(conv->Connected());
  EXPECT_TRUE(conv->ExecuteMacro("second"));
  EXPECT_FALSE(conv->SetLink("QuolinConvTest", "NoTopic"));
  EXPECT_EQ(server.WaitForExecutes(2), (Lines{"[FileOpen(ゾ.tex)]", "second"}));
}

} // namespace
