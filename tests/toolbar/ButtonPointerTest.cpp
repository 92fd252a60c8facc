// Toolbar buttons under the real pointer: which button lights, when it goes out, and the click
// that closes a button's own drop-down menu.
#include "ButtonFixture.h"

#include "support/InputDriver.h"
#include "toolbar/TbCommon.h"
#include "ui/FormFixture.h"
#include "ui/Menus.h"

using namespace buttontest;
using uitest::InputDriver;

namespace {

class PointerButtons : public ButtonForm {
protected:
  POINT cursor{};
  void SetUp() override {
    GetCursorPos(&cursor);
    ButtonForm::SetUp();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
  }
  void TearDown() override { SetCursorPos(cursor.x, cursor.y); }

  static POINT Centre(TControl& control) { return uitest::ScreenCentre(control.Handle()); }
  static InputDriver::Step Lit(TToolbarButton* button) {
    return InputDriver::WaitFor([button] { return TToolbarButton::MouseInButton() == button; });
  }
  static void Run(std::vector<InputDriver::Step> steps) {
    InputDriver driver(std::move(steps));
    ASSERT_TRUE(uitest::PumpUntil([&] { return driver.Done(); }));
    EXPECT_TRUE(driver.Succeeded()) << "step " << driver.FailedStep();
  }
  // The visible pop-up menu of this process, or nullptr.
  static HWND OpenMenu() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
  }
};

class ButtonMouse : public PointerButtons {};
class ButtonDropdown : public PointerButtons {};

TEST_F(ButtonMouse, OneButtonLightsAtATimeAndGoesOutWhenLeftOrInactive) {
  TToolbarButton* a = Add(10);
  TToolbarButton* b = Add(40);
  Run({InputDriver::MoveTo(Centre(*a)), Lit(a), InputDriver::MoveTo(Centre(*b)), Lit(b)});
  EXPECT_EQ(a->State(), bsUp);
  EXPECT_EQ(b->State(), bsMouseIn);
  EXPECT_TRUE(TToolbarButton::MouseInTimer()->Enabled());

  // The cursor leaves without a message to the form: the next tick puts the button out.
  SetCursorPos(cursor.x > 700 ? 5 : 1000, 900);
  FireTimer(TToolbarButton::MouseInTimer());
  EXPECT_EQ(TToolbarButton::MouseInButton(), nullptr);
  EXPECT_EQ(b->State(), bsUp);
  EXPECT_FALSE(TToolbarButton::MouseInTimer()->Enabled());

  for (bool showInactive : {false, true}) {
    b->ShowBorderWhenInactive = showInactive;
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
    Run({InputDriver::MoveTo(Centre(*a)), Lit(a), InputDriver::MoveTo(Centre(*b)), Lit(b)});
    {
      uitest::ForeignActiveWindow other;
      ASSERT_TRUE(uitest::PumpUntil([] { return !ApplicationIsActive(); }));
      uitest::Pump();
      EXPECT_EQ(b->State(), showInactive ? bsMouseIn : bsUp) << showInactive;
    }
  }
}

TEST_F(ButtonDropdown, TheClickThatClosesTheMenuDoesNotReopenIt) {
  TToolbarButton* button = Add(10);
  TToolbarButton* target = Add(80);
  auto* menu = TComponent::Create<TPopupMenu>(form.get());
  auto* item = TComponent::Create<TMenuItem>(form.get());
  item->SetCaption("Item");
  menu->Items()->Add(item);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  button->SetDropdownMenu(menu);
  bool removeClicks = true;
  button->OnDropdown = [&](TObject*, bool&, bool& remove) { remove = removeClicks; };
  auto menuOpen = InputDriver::WaitFor([] { return OpenMenu() != nullptr; });
  auto menuClosed = InputDriver::WaitFor([] { return OpenMenu() == nullptr; });
  // A click on the button opens the menu, a second click at second closes it.
  auto steps = [&](POINT second) {
    using D = InputDriver;
    return std::vector<D::Step>{D::MoveTo(Centre(*button)), D::LeftDown(), D::LeftUp(), menuOpen,
                                D::MoveTo(second),          D::LeftDown(), D::LeftUp(), menuClosed};
  };

  Run(steps(Centre(*button)));
  uitest::Pump();
  EXPECT_EQ(popups, 1) << "not opened again";
  EXPECT_EQ(clicks[button], 1);

  Run(steps(Centre(*target)));
  ASSERT_TRUE(uitest::PumpUntil([&] { return clicks[target] == 1; })) << "the click goes on";
  EXPECT_EQ(popups, 2);

  // Left in the queue, the click that closed the menu opens it again; Escape closes that one.
  removeClicks = false;
  const POINT on = Centre(*button);
  SetCursorPos(on.x, on.y);
  menu->OnPopup = [&](TObject*) {
    HWND handle = button->Handle();
    if (++popups == 3) {
      PostMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    } else {
      PostMessageA(handle, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  };
  // Ends a menu that nothing closes, so that a failure does not hang.
  uitest::Later(form.get(), [] { EndMenu(); }, quolin::test_support::WaitLimitMs);
  button->Click();
  uitest::Pump();
  EXPECT_EQ(popups, 4);
}

} // namespace
