// A group's list tool window on the real main window, dragged with the real pointer from
// floating onto the left dock and off it again.
#include "MainWindowFixture.h"

#include "support/InputDriver.h"
#include "toolbar/TbToolWindow.h"

using namespace quolin;
using namespace quolin::test_support;
using uitest::InputDriver;

namespace {

class DragMainForm : public MainWindowFixture {
protected:
  POINT cursor{};
  void SetUp() override {
    GetCursorPos(&cursor);
    ShowMainWindow();
    SetForegroundWindow(top->Handle());
    uitest::PumpUntil([&] { return GetActiveWindow() == top->Handle(); });
  }
  void TearDown() override {
    SetCursorPos(cursor.x, cursor.y);
    MainWindowFixture::TearDown();
  }

  // Presses at from, moves to to and releases there.
  static void Drag(HWND window, POINT from, POINT to) {
    DWORD thread = GetCurrentThreadId();
    InputDriver driver(
        {InputDriver::MoveTo(from), InputDriver::LeftDown(),
         InputDriver::WaitFor([=] { return InputDriver::CaptureOf(thread) == window; }),
         InputDriver::MoveTo({(from.x + to.x) / 2, (from.y + to.y) / 2}), InputDriver::MoveTo(to),
         InputDriver::LeftUp(),
         InputDriver::WaitFor([=] { return InputDriver::CaptureOf(thread) == nullptr; })});
    EXPECT_TRUE(uitest::PumpUntil([&] { return driver.Done(); }) ||
                uitest::PumpUntil([&] { return driver.Done(); }));
    EXPECT_TRUE(driver.Succeeded()) << "step " << driver.FailedStep();
    uitest::Pump();
  }
};

TEST_F(DragMainForm, GroupWindowDocksLeftAndFloatsAgain) {
  top->ToggleGroupToolWindow(-3);
  auto* window = dynamic_cast<TToolWindow*>(top->FindComponent("twd_FFFFFFFD"));
  ASSERT_NE(window, nullptr);
  uitest::Pump();
  ASSERT_FALSE(window->Docked());
  ASSERT_TRUE(IsWindowVisible(window->Handle()));
  RECT rect;
  GetWindowRect(window->Handle(), &rect);
  POINT caption{rect.left + 10, rect.top + GetSystemMetrics(SM_CYSIZEFRAME) + 3};
  RECT dock;
  GetWindowRect(top->LeftDock->Handle(), &dock);
  Drag(window->Handle(), caption, {dock.left + 1, (dock.top + dock.bottom) / 2});
  ASSERT_EQ(window->DockedTo(), top->LeftDock);

  GetWindowRect(window->Handle(), &rect);
  POINT handle{(rect.left + rect.right) / 2, rect.top + 5};
  Drag(window->Handle(), handle, {rect.right + 200, rect.top + 100});
  EXPECT_FALSE(window->Docked());
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
}

} // namespace
