// Floating tool windows on real windows: the hit codes of their frame, the caption's
// double-click, when they show (activation, minimising), whom the activation goes to, the
// owner and topmost state of fmOnTopOfAllForms, Escape, and deferred redraws.
#include "DockFixture.h"

#include "support/InputDriver.h"
#include "support/UiTest.h"
#include "toolbar/ToolWindowParts.h"

using namespace docktest;
using uitest::InputDriver;

namespace {

// Reaches the deferred redraws.
class RedrawProbe : public TToolWindow {
public:
  using TCustomToolWindow::RedrawCaptionLater;
  using TToolWindow::TToolWindow;
};

class FloatingWindow : public DockedForm {
protected:
  POINT cursor{};
  void SetUp() override {
    GetCursorPos(&cursor);
    DockedForm::SetUp();
    SetForegroundWindow(form->Handle());
    uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); });
  }
  void TearDown() override { SetCursorPos(cursor.x, cursor.y); }

  static LRESULT HitAt(TControl& window, int x, int y) {
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    return SendMessageA(window.Handle(), WM_NCHITTEST, 0, MAKELPARAM(rect.left + x, rect.top + y));
  }
  static bool Shown(TControl& window) { return IsWindowVisible(window.Handle()) != FALSE; }
};

using FloatingFrame = FloatingWindow;
using FloatingVisibility = FloatingWindow;

TEST_F(FloatingFrame, HitCodesFollowResizableAndCloseButton) {
  TToolWindow* window = Window(120, 60, nullptr);
  uitest::Pump();
  const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  const int caption = GetSystemMetrics(SM_CYSMCAPTION);
  const int reach = caption - 1 + frame;
  const int width = window->Width();
  const int height = window->Height();
  EXPECT_EQ(HitAt(*window, 0, height / 2), HTLEFT);
  EXPECT_EQ(HitAt(*window, width - 1, height / 2), HTRIGHT);
  EXPECT_EQ(HitAt(*window, width / 2, height - 1), HTBOTTOM);
  EXPECT_EQ(HitAt(*window, reach - 1, 0), HTTOPLEFT);
  EXPECT_EQ(HitAt(*window, reach, 0), HTTOP);
  EXPECT_EQ(HitAt(*window, width - 1, height - reach), HTBOTTOMRIGHT);
  EXPECT_EQ(HitAt(*window, width - 1, height - reach - 1), HTRIGHT);
  EXPECT_EQ(HitAt(*window, 20, frame + caption / 2), HTCLIENT) << "the caption";
  DockRect button = CaptionCloseButtonRect(CaptionBarRect(width, frame, frame, caption));
  POINT close{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  EXPECT_EQ(HitAt(*window, close.x, close.y), HTCLOSE);
  window->SetCloseButton(false);
  EXPECT_EQ(HitAt(*window, close.x, close.y), HTCLIENT);
  window->SetResizable(false);
  EXPECT_EQ(HitAt(*window, 0, window->Height() / 2), HTBORDER);
}

TEST_F(FloatingFrame, CaptionDoubleClickDocks) {
  TToolWindow* window = Window(120, 30, left);
  TToolWindow* first = Window(60, 30, top);
  window->SetDockedTo(nullptr);
  auto doubleClick = [&] {
    POINT caption = window->ScreenToClient(
        POINT{window->Left() + 20, window->Top() + GetSystemMetrics(SM_CYSIZEFRAME) + 3});
    window->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(caption.x, caption.y));
    window->Perform(WM_LBUTTONUP, 0, MAKELPARAM(caption.x, caption.y));
  };
  doubleClick();
  EXPECT_EQ(window->DockedTo(), left) << "its last dock";
  window->SetUseLastDock(false);
  window->SetDefaultDock(top);
  window->SetDockedTo(nullptr);
  doubleClick();
  ASSERT_EQ(window->DockedTo(), top);
  EXPECT_EQ(window->DockRow(), 0);
  EXPECT_EQ(window->Left(), 0) << "at the start of row 0";
  EXPECT_GT(first->Left(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FloatingVisibility, HiddenWhileTheApplicationIsInactiveOrMinimised) {
  TToolWindow* hiding = Window(80, 30, nullptr);
  TToolWindow* staying = Window(80, 30, nullptr);
  staying->SetHideWhenInactive(false);
  uitest::Pump();
  ASSERT_TRUE(Shown(*hiding));
  {
    uitest::ForeignActiveWindow foreign;
    EXPECT_TRUE(uitest::PumpUntil([&] { return !Shown(*hiding); }));
    EXPECT_TRUE(Shown(*staying));
  }
  SetForegroundWindow(form->Handle());
  EXPECT_TRUE(uitest::PumpUntil([&] { return Shown(*hiding); }));

  ShowWindow(form->Handle(), SW_MINIMIZE);
  uitest::Pump();
  EXPECT_FALSE(Shown(*staying)) << "its form minimised";
  ShowWindow(form->Handle(), SW_RESTORE);
  uitest::Pump();
  EXPECT_TRUE(Shown(*staying));
  Application->Minimize();
  uitest::Pump();
  EXPECT_FALSE(Shown(*staying)) << "the application minimised";
  Application->Restore();
  uitest::Pump();
  EXPECT_TRUE(Shown(*staying));
}

// The screen, not only the z-order: Wine can raise the activated form over its owned windows.
TEST_F(FloatingVisibility, ShowsOverItsFormWhenTheApplicationComesBack) {
  const COLORREF formColour = RGB(0, 200, 0), windowColour = RGB(200, 0, 0);
  form->SetColor(static_cast<TColor>(formColour));
  TToolWindow* window = Window(100, 50, nullptr);
  window->SetColor(static_cast<TColor>(windowColour));
  window->SetBounds(form->Left() + 150, form->Top() + 150, window->Width(), window->Height());
  uitest::Pump();
  POINT centre = uitest::ScreenCentre(window->Handle());
  ASSERT_EQ(uitest::ScreenPixel(centre), windowColour);
  {
    uitest::ForeignActiveWindow foreign;
    ASSERT_TRUE(uitest::PumpUntil([&] { return !Shown(*window); }));
  }
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
  ASSERT_TRUE(uitest::PumpUntil([&] { return Shown(*window); }));
  uitest::Pump();
  EXPECT_EQ(uitest::ScreenPixel(centre), windowColour);
  EXPECT_FALSE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(FloatingVisibility, TheFormKeepsTheActivation) {
  TToolWindow* window = Window(100, 50, nullptr);
  uitest::Pump();
  HWND formWindow = form->Handle();
  RECT rect;
  GetWindowRect(window->Handle(), &rect);
  POINT inside{(rect.left + rect.right) / 2, rect.bottom - 10};
  InputDriver click({InputDriver::MoveTo(inside), InputDriver::LeftDown(), InputDriver::LeftUp()});
  ASSERT_TRUE(uitest::PumpUntil([&] { return click.Done(); }));
  uitest::Pump();
  EXPECT_EQ(GetActiveWindow(), formWindow) << "a click in the floating window";

  SetActiveWindow(window->Handle());
  uitest::Pump();
  EXPECT_EQ(GetActiveWindow(), formWindow) << "handed back";
  window->Hide();
  uitest::Pump();
  EXPECT_EQ(GetActiveWindow(), formWindow);

  // Escape in a floating window focuses the form.
  window->Show();
  uitest::Pump();
  uitest::PressKey(window->Handle(), VK_ESCAPE);
  EXPECT_EQ(GetFocus(), formWindow);
}

TEST_F(FloatingVisibility, OnTopOfAllFormsAndDeferredRedraws) {
  TToolWindow* window = Window(100, 50, nullptr);
  window->SetFloatingMode(TToolWindowFloatingMode::fmOnTopOfAllForms);
  uitest::Pump();
  EXPECT_EQ(GetWindow(window->Handle(), GW_OWNER), Application->Handle());
  EXPECT_TRUE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  window->SetFloatingMode(TToolWindowFloatingMode::fmOnTopOfParentForm);
  EXPECT_EQ(GetWindow(window->Handle(), GW_OWNER), form->Handle());
  EXPECT_FALSE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  auto* probe = TComponent::Create<RedrawProbe>(form.get());
  probe->SetParent(form.get());
  probe->Show();
  uitest::Pump();
  probe->RedrawCaptionLater(cpCaption);
  probe->RedrawCaptionLater(cpCloseButton);
  MSG posted;
  ASSERT_TRUE(PeekMessageA(&posted, probe->Handle(), 0x17B0, 0x17B0, PM_REMOVE));
  EXPECT_EQ(posted.wParam, static_cast<WPARAM>(cpCaption | cpCloseButton));
  EXPECT_FALSE(PeekMessageA(&posted, probe->Handle(), 0x17B0, 0x17B0, PM_REMOVE));
}

} // namespace
