// Real pointer input for the windowed tests: SendInput from a thread of its own, so that the
// test's thread can run the loops (capture loops, modal loops) the input drives. The steps run
// in order; a wait that times out marks the run failed and the rest still runs, so that a
// pressed button is always released. Tests that use it move the pointer: they run alone.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace uitest {

class InputDriver {
public:
  // False when the step did not reach what it waited for.
  using Step = std::function<bool()>;

  explicit InputDriver(std::vector<Step> steps);
  ~InputDriver();
  InputDriver(const InputDriver&) = delete;
  InputDriver& operator=(const InputDriver&) = delete;

  bool Done() const { return done_; }
  // Every step reached its end.
  bool Succeeded() const { return done_ && failedStep_ < 0; }
  // The index of the first step that did not, or -1.
  int FailedStep() const { return failedStep_; }

  // Moves the pointer to a screen point (absolute, normalised) and waits until it is there.
  static Step MoveTo(POINT screen);
  // The buttons go down and up where the last MoveTo of this driver put the pointer.
  static Step LeftDown();
  static Step LeftUp();
  static Step RightDown();
  static Step RightUp();
  // A key of the keyboard going down or up.
  static Step Key(WORD virtualKey, bool down);
  // Waits (up to the shared wait limit) until condition, which runs on the driver's thread.
  static Step WaitFor(std::function<bool()> condition);

  // The window that holds the mouse capture of a thread.
  static HWND CaptureOf(DWORD threadId);

private:
  std::atomic<bool> done_{false};
  std::atomic<int> failedStep_{-1};
  std::thread thread_;
};

} // namespace uitest
