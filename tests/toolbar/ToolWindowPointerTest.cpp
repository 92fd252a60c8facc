// The close buttons and the drag handle of tool windows under the real pointer: a release over
// a close button closes (unless the close query refuses), one outside does not; a double-click
// on the handle floats the window where it floated before.
#include "PointerFixture.h"

using namespace docktest;

namespace {

class ToolWindowDocking : public PointerForm {
protected:
  // The middle of the window's part that answers WM_NCHITTEST with code.
  static POINT PartOf(TControl& window, LRESULT code) {
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    long sumX = 0, sumY = 0, count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x)
        if (SendMessageA(window.Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code) {
          sumX += x;
          sumY += y;
          ++count;
        }
    return count ? POINT{sumX / count, sumY / count} : POINT{-1, -1};
  }

  // Presses the left button at press and releases it at release, with the real pointer.
  static void PressAndRelease(HWND window, POINT press, POINT release) {
    DWORD thread = GetCurrentThreadId();
    InputDriver driver(
        {InputDriver::MoveTo(press), InputDriver::LeftDown(),
         InputDriver::WaitFor([=] { return InputDriver::CaptureOf(thread) == window; }),
         InputDriver::MoveTo(release), InputDriver::LeftUp(),
         InputDriver::WaitFor([=] { return InputDriver::CaptureOf(thread) != window; })});
    ASSERT_TRUE(uitest::PumpUntil([&] { return driver.Done(); }));
    EXPECT_TRUE(driver.Succeeded()) << "step " << driver.FailedStep();
  }
};

TEST_F(ToolWindowDocking, CloseButtonsCloseWhenReleasedOverThem) {
  for (TDock* dock : {top, static_cast<TDock*>(nullptr)}) {
    TToolWindow* window = Window(100, 40, dock);
    window->SetCloseButtonWhenDocked(true);
    uitest::Pump();
    int queries = 0;
    int closes = 0;
    bool allow = false;
    window->OnCloseQuery = [&](TObject*, bool& canClose) {
      ++queries;
      canClose = allow;
    };
    window->OnClose = [&](TObject*) { ++closes; };
    POINT button = PartOf(*window, HTCLOSE);
    ASSERT_NE(button.x, -1) << (dock ? "docked" : "floating");
    HWND handle = window->Handle();

    PressAndRelease(handle, button, button);
    EXPECT_EQ(queries, 1) << "refused";
    EXPECT_TRUE(window->Visible());
    allow = true;
    PressAndRelease(handle, button, POINT{button.x + 200, button.y + 200});
    EXPECT_EQ(queries, 1) << "released outside";
    PressAndRelease(handle, button, button);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(IsWindowVisible(handle));
  }
}

TEST_F(ToolWindowDocking, HandleDoubleClickFloatsWhereTheWindowFloated) {
  auto* window = TComponent::Create<TToolWindow>(form.get());
  window->SetBounds(300, 250, 80, 30);
  window->SetParent(top);
  window->Show();
  uitest::Pump();
  RECT rect;
  GetWindowRect(window->Handle(), &rect);
  POINT handle{rect.left + 5, (rect.top + rect.bottom) / 2};
  ASSERT_EQ(SendMessageA(window->Handle(), WM_NCHITTEST, 0, MAKELPARAM(handle.x, handle.y)),
            HTBORDER);
  InputDriver driver({InputDriver::MoveTo(handle), InputDriver::LeftDown(), InputDriver::LeftUp(),
                      InputDriver::LeftDown(), InputDriver::LeftUp()});
  ASSERT_TRUE(uitest::PumpUntil([&] { return driver.Done() && !window->Docked(); }));
  EXPECT_EQ(window->Left(), 300);
  EXPECT_EQ(window->Top(), 250);
  EXPECT_EQ(window->ClientAreaWidth(), 80);
}

} // namespace
