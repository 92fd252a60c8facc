#include "ui/Timer.h"

#include "ui/Application.h"

#include <windows.h>

#include <set>

namespace quolin {

// The utility window that receives every timer's WM_TIMER; the timer's address is its number.
struct TTimerWindow {
  static std::set<TTimer*>& Live() {
    static std::set<TTimer*> live;
    return live;
  }

  static HWND Handle() {
    static HWND window = [] {
      WNDCLASSEXA windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = Procedure;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = "TQuolinTimerWindow";
      RegisterClassExA(&windowClass);
      return CreateWindowExA(0, "TQuolinTimerWindow", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    }();
    return window;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER)
      return DefWindowProcA(window, message, wParam, lParam);
    auto* timer = reinterpret_cast<TTimer*>(wParam);
    // A message may still wait in the queue for a timer that has gone.
    if (Live().count(timer))
      Guard(timer, [timer] { timer->Tick(); });
    return 0;
  }
};

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  UpdateTimer();
}

void TTimer::BeforeDestruction() {
  enabled_ = false;
  UpdateTimer();
  TComponent::BeforeDestruction();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == interval_)
    return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::Restart() {
  enabled_ = true;
  if (interval_ != 0)
    Start();
}

void TTimer::UpdateTimer() {
  if (running_) {
    KillTimer(TTimerWindow::Handle(), reinterpret_cast<UINT_PTR>(this));
    TTimerWindow::Live().erase(this);
    running_ = false;
  }
  if (enabled_ && interval_ != 0)
    Start();
}

void TTimer::Start() {
  if (SetTimer(TTimerWindow::Handle(), reinterpret_cast<UINT_PTR>(this), interval_, nullptr)) {
    TTimerWindow::Live().insert(this);
    running_ = true;
  }
}

void TTimer::Tick() {
  if (OnTimer && !Destroying())
    OnTimer(this);
}

} // namespace quolin
