#include "support/InputDriver.h"

#include "support/WaitLimit.h"

#include <optional>

namespace uitest {

namespace {

bool Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  return SendInput(1, &input, sizeof input) == 1;
}

// The normalised coordinate that the system maps back to exactly this pixel.
LONG Normalised(LONG pixel, int screenSize) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

bool SendAt(DWORD flags, POINT screen) {
  return Send(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN)),
              Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN)));
}

// Where this driver's thread last put the pointer. Wine turns the display's motion events of
// each move into input of its own, late on a loaded machine: an older place can come back
// after the pointer reached the new one. A button therefore goes down or up at this place.
thread_local std::optional<POINT> placed;

bool SendButton(DWORD flags) {
  return placed ? SendAt(flags, *placed) : Send(flags);
}

bool Poll(const std::function<bool()>& condition) {
  return quolin::test_support::WaitUntil(condition, quolin::test_support::WaitLimitMs, 5);
}

} // namespace

InputDriver::InputDriver(std::vector<Step> steps)
    : thread_([this, steps = std::move(steps)] {
        for (size_t i = 0; i < steps.size(); ++i)
          if (!steps[i]() && failedStep_ < 0)
            failedStep_ = static_cast<int>(i);
        done_ = true;
      }) {
}

InputDriver::~InputDriver() {
  thread_.join();
}

InputDriver::Step InputDriver::MoveTo(POINT screen) {
  return [screen] {
    placed = screen;
    SendAt(0, screen);
    return Poll([screen] {
      POINT at;
      return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
    });
  };
}

InputDriver::Step InputDriver::LeftDown() {
  return [] { return SendButton(MOUSEEVENTF_LEFTDOWN); };
}

InputDriver::Step InputDriver::LeftUp() {
  return [] { return SendButton(MOUSEEVENTF_LEFTUP); };
}

InputDriver::Step InputDriver::RightDown() {
  return [] { return SendButton(MOUSEEVENTF_RIGHTDOWN); };
}

InputDriver::Step InputDriver::RightUp() {
  return [] { return SendButton(MOUSEEVENTF_RIGHTUP); };
}

InputDriver::Step InputDriver::Key(WORD virtualKey, bool down) {
  return [virtualKey, down] {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return SendInput(1, &input, sizeof input) == 1;
  };
}

InputDriver::Step InputDriver::WaitFor(std::function<bool()> condition) {
  return [condition = std::move(condition)] { return Poll(condition); };
}

HWND InputDriver::CaptureOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndCapture : nullptr;
}

} // namespace uitest
