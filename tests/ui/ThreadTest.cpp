// Threads hand work to the user-interface thread; every callback is an exception barrier that
// reports what it catches once and lets the program go on.
#include "ui/Thread.h"
#include "FormFixture.h"
#include "core/Exceptions.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace quolin;

namespace {

// Runs work on its thread.
class TWorker : public TThread {
public:
  std::function<void(TWorker&)> Work;
  using TThread::Synchronize;

protected:
  void Execute() override { Work(*this); }
};

TEST(UiThread, SynchronizeAndSendMessageRunOnTheInterfaceThreadWhileItWaitsFor) {
  DWORD mainThread = GetCurrentThreadId();
  DWORD ranOn = 0;
  int steps = 0;
  TWorker worker;
  worker.Work = [&](TWorker& self) {
    for (int i = 0; i < 3; ++i)
      self.Synchronize([&] {
        ranOn = GetCurrentThreadId();
        ++steps;
      });
  };
  worker.Start();
  worker.WaitFor();
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(ranOn, mainThread);
  EXPECT_TRUE(worker.Finished());

  // WaitFor answers a worker blocked in SendMessage.
  auto form = uitest::MakeForm();
  HWND window = form->Handle();
  TWorker sender;
  sender.Work = [&](TWorker&) { SetWindowTextA(window, "from the worker"); };
  sender.Start();
  sender.WaitFor();
  EXPECT_EQ(form->Caption(), "from the worker");
}

TEST(UiThread, ExceptionInASynchronizedCallIsRaisedInTheWorker) {
  std::string caught;
  TWorker worker;
  worker.Work = [&](TWorker& self) {
    try {
      self.Synchronize([] { throw EConvertError("bad value"); });
    } catch (const Exception& error) {
      caught = error.Message();
    }
  };
  uitest::DialogRecorder hook;
  worker.Start();
  worker.WaitFor();
  EXPECT_EQ(caught, "bad value");
  uitest::Pump();
  EXPECT_TRUE(hook.calls.empty()) << "the worker handled it: nothing to report";
  EXPECT_EQ(worker.FatalException(), nullptr);
}

TEST(UiThread, OnTerminateRunsOnTheInterfaceThreadAndFreeOnTerminateFrees) {
  DWORD terminatedOn = 0;
  std::atomic<bool> destroyed{false};
  struct TCounted : TWorker {
    std::atomic<bool>* destroyed;
    ~TCounted() override { *destroyed = true; }
  };
  auto* worker = new TCounted;
  worker->destroyed = &destroyed;
  worker->Work = [](TWorker&) {};
  worker->OnTerminate = [&](TObject*) { terminatedOn = GetCurrentThreadId(); };
  worker->FreeOnTerminate = true;
  worker->Start();
  EXPECT_TRUE(uitest::PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(terminatedOn, GetCurrentThreadId());
}

TEST(UiThread, DestroyingARunningThreadAsksItToStopAndWaits) {
  std::atomic<bool> running{false};
  std::atomic<bool> ended{false};
  {
    TWorker worker;
    worker.Work = [&](TWorker& self) {
      running = true;
      while (!self.Terminated())
        Sleep(1);
      ended = true;
    };
    worker.Start();
    ASSERT_TRUE(uitest::PumpUntil([&] { return running.load(); }));
  }
  EXPECT_TRUE(ended) << "the worker has ended before its object";
}

TEST(UiBarrier, ExceptionInOnClickIsReportedOnceAndTheProgramGoesOn) {
  uitest::DialogRecorder hook;
  auto form = uitest::MakeForm();
  form->Show();
  auto* button = uitest::AddTo<TButton>(*form, "Button");
  button->OnClick = [](TObject*) { throw EFileError("ファイルを開けません"); };
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(hook.calls.size(), 1u);
  EXPECT_EQ(hook.calls[0].text, "ファイルを開けません");
  EXPECT_EQ(hook.calls[0].type, static_cast<int>(TMsgDlgType::mtError));
  EXPECT_EQ(hook.calls[0].buttons, static_cast<unsigned>(mbOK));
  button->OnClick = [](TObject*) { throw 42; };
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(hook.calls.size(), 2u);
  EXPECT_EQ(hook.calls[1].text, "不明なエラーが発生しました.");
  EXPECT_TRUE(IsWindow(button->Handle()));
}

TEST(UiBarrier, ExceptionInOnTimerIsReportedOnce) {
  uitest::DialogRecorder hook;
  auto form = uitest::MakeForm();
  auto* timer = TComponent::Create<TTimer>(form.get());
  timer->SetInterval(10);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) {
    if (++ticks == 1)
      throw std::runtime_error("tick failed");
  };
  ASSERT_TRUE(uitest::PumpUntil([&] { return ticks >= 3; }));
  ASSERT_EQ(hook.calls.size(), 1u);
  EXPECT_EQ(hook.calls[0].text, "tick failed");
}

// A restart enables a timer that was off, and one that runs starts its interval again: the
// next tick comes a whole interval after the restart.
TEST(UiTimer, RestartEnablesAndStartsTheIntervalAgain) {
  auto form = uitest::MakeForm();
  auto* timer = TComponent::Create<TTimer>(form.get());
  timer->SetEnabled(false);
  timer->SetInterval(300);
  int ticks = 0;
  DWORD tickedAt = 0;
  timer->OnTimer = [&](TObject*) {
    ++ticks;
    tickedAt = GetTickCount();
  };
  timer->Restart();
  EXPECT_TRUE(timer->Enabled());
  // No message is handled meanwhile: the tick that was due waits in no queue.
  Sleep(250);
  timer->Restart();
  DWORD restartedAt = GetTickCount();
  ASSERT_TRUE(uitest::PumpUntil([&] { return ticks > 0; }));
  EXPECT_EQ(ticks, 1);
  EXPECT_GE(tickedAt - restartedAt, 280u) << "a whole interval after the restart";
}

TEST(UiBarrier, ExceptionInPaintIsReportedOnceAndThePaintEnds) {
  uitest::DialogRecorder hook;
  auto form = uitest::MakeForm();
  int paints = 0;
  form->OnPaint = [&](TObject*, HDC) {
    ++paints;
    throw EInvalidOperation("cannot paint");
  };
  form->Show();
  form->Invalidate();
  ASSERT_TRUE(uitest::PumpUntil([&] { return paints > 0; }));
  EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE))
      << "the window is validated although painting raised";
  EXPECT_EQ(paints, 1);
  ASSERT_EQ(hook.calls.size(), 1u);
  EXPECT_EQ(hook.calls[0].text, "cannot paint");
}

TEST(UiBarrier, ExceptionInAThreadIsKeptAndReportedOnce) {
  uitest::DialogRecorder hook;
  TWorker worker;
  worker.Work = [](TWorker&) { throw EEncodingError("worker failed"); };
  worker.Start();
  worker.WaitFor();
  ASSERT_NE(worker.FatalException(), nullptr);
  EXPECT_EQ(ExceptionMessage(worker.FatalException()), "worker failed");
  ASSERT_TRUE(uitest::PumpUntil([&] { return !hook.calls.empty(); }));
  ASSERT_EQ(hook.calls.size(), 1u);
  EXPECT_EQ(hook.calls[0].text, "worker failed");
}

TEST(UiBarrier, ExceptionWhileTheReportIsUpGoesToTheDebugOutputOnly) {
  int shown = 0;
  SetDialogHook({[&](const std::string&, TMsgDlgType, TMsgDlgButtons) {
                   ++shown;
                   // A handler that raises while the box is up.
                   Guard(nullptr, [] { throw EConvertError("second"); });
                   return mrOk;
                 },
                 {}});
  Guard(nullptr, [] { throw EConvertError("first"); });
  SetDialogHook({});
  EXPECT_EQ(shown, 1);
}

TEST(UiBarrier, OnExceptionTakesTheReportInsteadOfTheBox) {
  uitest::DialogRecorder hook;
  auto form = uitest::MakeForm();
  auto* events = TComponent::Create<TApplicationEvents>(form.get(), "Events");
  std::string reported;
  TObject* reportedSender = nullptr;
  events->OnException = [&](TObject* sender, std::exception_ptr error) {
    reportedSender = sender;
    reported = ExceptionMessage(error);
  };
  form->OnResize = [](TObject*) { throw EStringListError("list index out of bounds"); };
  form->SetBounds(0, 0, 321, 123);
  EXPECT_EQ(reported, "list index out of bounds");
  EXPECT_EQ(reportedSender, form.get());
  EXPECT_TRUE(hook.calls.empty());
}

TEST(UiBarrier, HandleExceptionShowsAnErrorBoxWithOk) {
  uitest::BoxView seen;
  {
    uitest::BoxDriver driver([](const uitest::BoxView& box) { box.Press("OK"); });
    Guard(nullptr, [] { throw EFileError("保存できません"); });
    seen = driver.Seen();
  }
  EXPECT_EQ(seen.title, "エラー");
  EXPECT_EQ(seen.text, "保存できません");
  EXPECT_EQ(seen.icon, LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ERROR)));
  EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
}

} // namespace
