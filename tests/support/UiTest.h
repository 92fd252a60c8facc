// Helpers for the windowed tests of the component layer: message pumping, keys posted with a
// keyboard state, and forms freed at the end of a test.
#pragma once

#include "support/WaitLimit.h"
#include "ui/Application.h"
#include "ui/Component.h"
#include "ui/Forms.h"
#include "ui/Types.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace uitest {

// Handles the waiting messages.
void Pump();
// Pumps until done() or the timeout; true when done() became true.
bool PumpUntil(const std::function<bool()>& done,
               DWORD timeoutMs = quolin::test_support::WaitLimitMs);

// Holds Shift, Ctrl and Alt as given in this thread's keyboard state while it lives.
class HeldKeys {
public:
  explicit HeldKeys(quolin::TShiftState shift);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  BYTE saved_[256];
};

// Posts WM_KEYDOWN and WM_KEYUP for key to window with Shift, Ctrl and Alt as given held in
// this thread's keyboard state, and handles the messages.
void PressKey(HWND window, WORD key, quolin::TShiftState shift = 0);
// Types a key combination as a keyboard does: the modifier keys go down first and up last,
// each message with its scan code, and the keyboard state holds them meanwhile. For controls
// that follow the modifier keys themselves (the hot-key control).
void PressShortCut(HWND window, WORD key, quolin::TShiftState shift);
// Posts WM_CHAR (WM_SYSCHAR with Alt) and handles it.
void TypeChar(HWND window, char character, bool alt = false);

// A form without owner, freed with the test.
template <typename T = quolin::TForm, typename... Args>
quolin::TOwned<T> MakeForm(Args&&... args) {
  return quolin::TOwned<T>(
      quolin::TComponent::Create<T>(nullptr, {}, std::forward<Args>(args)...));
}

// Collects the text of each call, for order tests.
struct EventLog {
  std::vector<std::string> entries;
  std::function<void(quolin::TObject*)> Notify(const std::string& name) {
    return [this, name](quolin::TObject*) { entries.push_back(name); };
  }
  std::string Joined() const;
};

// The dialog hook for a test: answers with result and records what was asked.
struct DialogRecorder {
  struct Call {
    std::string text;
    int type;
    unsigned buttons;
  };
  std::vector<Call> calls;
  int beeps = 0;
  quolin::TModalResult answer = quolin::mrOk;
  DialogRecorder();
  ~DialogRecorder();
};

// The input-query hook for a test: gives the queued answers in order (a text is OK with it,
// nothing is Cancel; Cancel once none is left) and records what was asked.
struct InputRecorder {
  struct Call {
    std::string caption;
    std::string prompt;
    std::string value; // the value the query was to show
  };
  std::vector<Call> calls;
  std::deque<std::optional<std::string>> answers;
  void Answer(const std::string& text) { answers.emplace_back(text); }
  void Cancel() { answers.emplace_back(std::nullopt); }
  InputRecorder();
  ~InputRecorder();
};

// A message box as another thread sees it.
struct BoxView {
  HWND window = nullptr;
  std::string title;
  std::string text;
  std::vector<std::string> buttons; // captions, left to right
  std::vector<HWND> buttonWindows;
  HWND defaultButton = nullptr;     // the one with the default style
  HICON icon = nullptr;
  // Posts a click to the button with that caption; false when there is none.
  bool Press(const std::string& caption) const;
  // Asks the box to close by its close button.
  void CloseByButton() const;
};

// On a thread of its own: waits for a visible message box of this process (or of the process
// with that id) with its buttons, shows it to act (which looks and presses), and keeps what it
// saw. A box still up long after act is closed, so that its test fails instead of hanging.
class BoxDriver {
public:
  explicit BoxDriver(std::function<void(const BoxView&)> act,
                     DWORD processId = GetCurrentProcessId());
  ~BoxDriver();
  BoxDriver(const BoxDriver&) = delete;
  BoxDriver& operator=(const BoxDriver&) = delete;
  // Waits for the thread; the box it saw (window nullptr when none came).
  const BoxView& Seen();

private:
  BoxView seen_;
  std::thread thread_;
};

// The bytes of a clipboard format as stored (the block's whole size), or nothing when it is
// not there. The clipboard is shared: another process may hold it for a moment.
std::optional<std::string> ClipboardBytes(UINT format);
// The text format up to its first zero.
std::optional<std::string> ClipboardText();
// Empties the clipboard; false when it could not be opened.
bool EmptyTheClipboard();

// A window of a thread of its own that takes the activation from this application while it
// lives.
class ForeignActiveWindow {
public:
  ForeignActiveWindow();
  ~ForeignActiveWindow();
  ForeignActiveWindow(const ForeignActiveWindow&) = delete;
  ForeignActiveWindow& operator=(const ForeignActiveWindow&) = delete;

private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The middle of a window on the screen.
POINT ScreenCentre(HWND window);

// The colour the display shows at a point: what is drawn on top there, whatever the z-order of
// the windows says.
COLORREF ScreenPixel(POINT at);

} // namespace uitest
