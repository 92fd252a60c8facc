// The outline panel's close button under the real pointer.
#include "MainWindowFixture.h"

#include "support/InputDriver.h"

namespace {

using namespace quolin;
using uitest::InputDriver;

class MainWindowPointer : public test_support::MainWindowFixture {};

TEST_F(MainWindowPointer, AClickOnTheOutlineCloseButtonHidesThePanel) {
  POINT cursor;
  GetCursorPos(&cursor);
  ShowMainWindow();
  top->ShowOutlinePanel(true, 12);
  ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == top->Handle(); }));
  uitest::Pump();
  EXPECT_FALSE(top->ToolbarButton1->Glyph().Empty());
  EXPECT_EQ(top->ToolbarButton1->Caption(), "");
  POINT centre = uitest::ScreenCentre(top->ToolbarButton1->Handle());
  InputDriver driver({InputDriver::MoveTo(centre), InputDriver::LeftDown(), InputDriver::LeftUp()});
  EXPECT_TRUE(uitest::PumpUntil([&] { return driver.Done() && !top->Panel_Section->Visible(); }));
  EXPECT_TRUE(driver.Succeeded());
  SetCursorPos(cursor.x, cursor.y);
}

} // namespace
