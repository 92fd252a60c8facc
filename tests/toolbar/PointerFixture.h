// A shown form with docks (DockFixture.h) driven by the real pointer and keyboard: presses,
// drags and keys from a thread of their own while the test's thread runs the loops they start.
// The pointer goes back where it was after each test.
#pragma once

#include "DockFixture.h"

#include "support/InputDriver.h"

#include <vector>

namespace docktest {

using uitest::InputDriver;
using Steps = std::vector<InputDriver::Step>;

class PointerForm : public DockedForm {
protected:
  POINT cursor{};
  void SetUp() override {
    GetCursorPos(&cursor);
    DockedForm::SetUp();
  }
  void TearDown() override { SetCursorPos(cursor.x, cursor.y); }

  static RECT WindowRect(TControl& control) {
    RECT rect;
    GetWindowRect(control.Handle(), &rect);
    return rect;
  }
  // The middle of a docked window's drag handle: at its left on top and bottom docks, at its
  // top on side docks.
  static POINT Handle(TCustomToolWindow& window) {
    RECT rect = WindowRect(window);
    if (window.DockedTo()->Vertical())
      return {(rect.left + rect.right) / 2, rect.top + 6};
    return {rect.left + 6, (rect.top + rect.bottom) / 2};
  }
  // A point of a floating window's caption.
  static POINT Caption(TControl& window) {
    RECT rect = WindowRect(window);
    return {rect.left + 12, rect.top + GetSystemMetrics(SM_CYSIZEFRAME) + 4};
  }

  // Presses at from, runs middle while the loop holds the capture, releases at the last point
  // moved to; then no capture is left.
  void Drag(TControl& window, POINT from, Steps middle) {
    DWORD thread = GetCurrentThreadId();
    HWND handle = window.Handle();
    Steps steps{InputDriver::MoveTo(from), InputDriver::LeftDown(),
                InputDriver::WaitFor([=] { return InputDriver::CaptureOf(thread) == handle; })};
    steps.insert(steps.end(), middle.begin(), middle.end());
    steps.push_back(InputDriver::LeftUp());
    steps.push_back(
        InputDriver::WaitFor([=] { return InputDriver::CaptureOf(thread) == nullptr; }));
    InputDriver driver(std::move(steps));
    // A step that timed out leaves the rest to run: wait for them before reading which.
    EXPECT_TRUE(uitest::PumpUntil([&] { return driver.Done(); }) ||
                uitest::PumpUntil([&] { return driver.Done(); }));
    EXPECT_TRUE(driver.Succeeded()) << "step " << driver.FailedStep();
    uitest::Pump();
    EXPECT_EQ(GetCapture(), nullptr);
  }
  static Steps Moves(std::vector<POINT> points) {
    Steps steps;
    for (POINT point : points)
      steps.push_back(InputDriver::MoveTo(point));
    return steps;
  }
  static Steps Keys(WORD key) {
    return {InputDriver::Key(key, true), InputDriver::Key(key, false)};
  }
};

} // namespace docktest
