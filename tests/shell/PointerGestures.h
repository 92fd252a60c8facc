// Real pointer gestures on a control of a shown form, for the tests that run alone. Under Wine
// a capture takes the pointer only while its thread is in front: when another window comes to
// the front during a gesture (a message box or a late window of another program), the release
// goes to the window under the pointer and the control stays pressed, so a wait for what the
// release does would wait in vain, and a native control's own tracking loop would never end.
// The form's deactivation voids such an attempt: its waits end at once, and the pointer clicks
// the form beside the control, which ends a tracking loop and keeps the next attempt's press
// from making a double click with this one's (on a list that opens the file, behind a message
// box no one answers). The gesture runs again once the void attempt's input has all arrived
// (its press and release may still come, late, on a loaded machine) and its press has ended.
#pragma once

#include "support/InputDriver.h"
#include "support/UiTest.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

namespace quolin::test_support {

class PointerGestures {
public:
  using Steps = std::vector<uitest::InputDriver::Step>;

  // idle tells whether the control's press has ended. The form stays above the other
  // programs' windows, which would otherwise take the presses.
  PointerGestures(TForm& form, TControl& control, std::function<bool()> idle)
      : form_(form), control_(control), idle_(std::move(idle)) {
    form_.OnDeactivate = [this](TObject*) { void_ = true; };
    SetWindowPos(form_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  ~PointerGestures() {
    UnhookWindowsHookEx(releaseHook_);
    form_.OnDeactivate = nullptr;
  }
  PointerGestures(const PointerGestures&) = delete;
  PointerGestures& operator=(const PointerGestures&) = delete;

  // A step that waits until condition holds, or no longer once the attempt is void.
  uitest::InputDriver::Step Until(std::function<bool()> condition) {
    return uitest::InputDriver::WaitFor(
        [this, condition = std::move(condition)] { return void_ || condition(); });
  }

  // Runs the steps of gesture with the form in front and the control focused; while an attempt
  // is void, again after reset, a few times at most. Whether an attempt ran to its end.
  bool Run(const std::function<Steps()>& gesture, const std::function<void()>& reset) {
    for (int attempt = 0; attempt < Attempts; ++attempt) {
      if (attempt > 0)
        EndPress(reset);
      if (!ComeToFront())
        continue;
      Steps steps = gesture();
      steps.push_back(Settle());
      uitest::InputDriver driver(steps);
      // Each step ends by itself, a wait at its limit at the latest.
      EXPECT_TRUE(uitest::PumpUntil([&] { return driver.Done(); },
                                    WaitLimitMs * static_cast<DWORD>(steps.size())));
      if (!settledVoid_) {
        EXPECT_LT(driver.FailedStep(), 0);
        return driver.Succeeded();
      }
    }
    ADD_FAILURE() << "another window came to the front in each of " << Attempts << " attempts";
    return false;
  }

private:
  static constexpr int Attempts = 20;

  bool InFront() const { return GetForegroundWindow() == form_.Handle(); }
  // Asked again until it holds: another window may come to the front meanwhile. A deactivation
  // still queued voids the attempt when it is handled.
  bool ComeToFront() {
    if (!uitest::PumpUntil([this] {
          SetForegroundWindow(form_.Handle());
          return InFront();
        }))
      return false;
    control_.SetFocus();
    uitest::Pump();
    void_ = false;
    settledVoid_ = false;
    return InFront();
  }
  // An attempt's last step judges it once: one whose waits all held before another window came
  // to the front stands. A void one ends with the click; input reaches a thread in the order it
  // was sent, so once this thread took the click's release, the attempt's input has all come.
  uitest::InputDriver::Step Settle() {
    const RECT client = form_.ClientRect();
    const POINT park = form_.ClientToScreen(POINT{client.right - 5, client.bottom - 5});
    const uitest::InputDriver::Step move = uitest::InputDriver::MoveTo(park);
    return [this, move] {
      settledVoid_ = void_.load();
      if (!settledVoid_)
        return true;
      const int released = RightReleases();
      return move() && uitest::InputDriver::RightDown()() && uitest::InputDriver::RightUp()() &&
             uitest::InputDriver::WaitFor([released] { return RightReleases() > released; })();
    };
  }
  // A press of the void attempt may hold the capture still.
  void EndPress(const std::function<void()>& reset) {
    if (GetCapture() == control_.Handle())
      ReleaseCapture();
    EXPECT_TRUE(uitest::PumpUntil(idle_));
    reset();
  }

  // The right button's releases this thread took from its queue.
  static std::atomic<int>& RightReleases() {
    static std::atomic<int> count{0};
    return count;
  }
  static LRESULT CALLBACK TakeMessage(int code, WPARAM removal, LPARAM message) {
    if (code == HC_ACTION && removal == PM_REMOVE &&
        reinterpret_cast<const MSG*>(message)->message == WM_RBUTTONUP)
      ++RightReleases();
    return CallNextHookEx(nullptr, code, removal, message);
  }

  TForm& form_;
  TControl& control_;
  std::function<bool()> idle_;
  // Another window came to the front during the current attempt.
  std::atomic<bool> void_{false};
  // What the last step of the current attempt judged.
  std::atomic<bool> settledVoid_{false};
  HHOOK releaseHook_ = SetWindowsHookExA(WH_GETMESSAGE, TakeMessage, nullptr, GetCurrentThreadId());
};

} // namespace quolin::test_support
