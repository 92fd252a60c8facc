// Drives a modal dialog of the test's thread from a second thread: waits for a dialog window
// ("#32770") of the thread, runs an action on it, and cancels whatever dialog of the thread is
// still open when the wait limit is up, so that a test never hangs in a dialog.
#pragma once

#include "core/Paths.h"
#include "support/WaitLimit.h"
#include "support/WindowSearch.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace quolin::test_support {

class DialogDriver {
public:
  // ready tells whether a found dialog can be driven yet (for example: a control exists).
  using Ready = std::function<bool(HWND dialog)>;
  using Action = std::function<void(HWND dialog)>;

  explicit DialogDriver(Action action, Ready ready = nullptr) : thread_(GetCurrentThreadId()) {
    worker_ = std::thread(
        [this, action = std::move(action), ready = std::move(ready)] { Run(action, ready); });
  }
  ~DialogDriver() {
    done_ = true;
    worker_.join();
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Whether the action ran.
  bool Acted() const { return acted_; }

  // A visible dialog window of the thread (the first one the platform lists).
  static HWND FindDialog(DWORD thread) {
    HWND found = nullptr;
    VisitThreadWindows(thread, [&](HWND window) {
      found = ClassNameOf(window) == "#32770" && IsWindowVisible(window) ? window : nullptr;
      return !found;
    });
    return found;
  }

  static std::string WindowText(HWND window) { return CaptionOf(window); }

  // Folders as dialogs show them: with or without a final "\\", in any letter case.
  static bool IsSameFolder(const std::string& shown, const std::string& folder) {
    return lstrcmpiA(ExcludeTrailingPathDelimiter(shown).c_str(),
                     ExcludeTrailingPathDelimiter(folder).c_str()) == 0;
  }

  static void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }

private:
  DWORD thread_;
  std::thread worker_;
  std::atomic<bool> done_ = false;
  std::atomic<bool> acted_ = false;

  void Run(const Action& action, const Ready& ready) {
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    auto found = [&] {
      dialog = FindDialog(thread_);
      return dialog && (!ready || ready(dialog));
    };
    if (WaitUntil([&] { return done_ || found(); }) && !done_) {
      action(dialog);
      acted_ = true;
    }
    // Whatever is still open when the time is up is cancelled.
    WaitUntil([&] { return done_ || GetTickCount() - start >= WaitLimitMs; });
    while (!done_) {
      if (HWND open = FindDialog(thread_))
        Press(open, IDCANCEL);
      Sleep(20);
    }
  }
};

} // namespace quolin::test_support
