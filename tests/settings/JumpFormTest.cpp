// The line jump box over real documents: its activation, the jump, its keys, the command's
// check marks and its placement.
#include "common/Registry.h"
#include "core/ResConst.h"
#include "settings/InfoDialogFixture.h"
#include "ui/Buttons.h"
#include "ui/Menus.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"

#include <cstdlib>

namespace {

using namespace quolin;
using namespace quolin::test_support;

constexpr int JumpCommand = 0x2D;

class JumpFormTest : public InfoDialogFixture {
protected:
  static void Toggle() {
    ASSERT_TRUE(Run("$Sys_EditJump", JumpCommand));
    uitest::Pump();
  }
  // Shown by its word and active: another program's window may hold the foreground.
  static void Open() {
    Toggle();
    ASSERT_TRUE(JumpForm->Visible());
    Activate();
  }
  static void Activate() {
    SetActiveWindow(JumpForm->Handle());
    ASSERT_TRUE(uitest::PumpUntil([] { return JumpForm->Active(); }));
  }
  // The main window takes the activation, then the box again.
  void Reactivate() {
    SetActiveWindow(top->Handle());
    ASSERT_TRUE(uitest::PumpUntil([] { return !JumpForm->Active(); }));
    Activate();
  }
  TMenuItem* CommandItem() {
    auto* item = TComponent::Create<TMenuItem>(top, "mn0_0000002D10001");
    item->SetCaption("jump");
    top->MainMenu1->Items()->Add(item);
    return item;
  }
};

TEST_F(JumpFormTest, WordTogglesTheBoxAndTheChecks) {
  TMenuItem* item = CommandItem();
  Toggle();
  ASSERT_NE(JumpForm, nullptr);
  EXPECT_TRUE(JumpForm->Visible());
  EXPECT_EQ(JumpForm->Caption(), "行ジャンプ");
  EXPECT_TRUE(item->Checked());
  Toggle();
  EXPECT_FALSE(JumpForm->Visible());
  EXPECT_FALSE(item->Checked());
  Toggle();
  EXPECT_TRUE(item->Checked());
  // Closed by its own button.
  uitest::FormDriver::Click(*JumpForm->Button2);
  uitest::Pump();
  EXPECT_FALSE(JumpForm->Visible());
  EXPECT_FALSE(item->Checked());
}

TEST_F(JumpFormTest, ActivationTakesTheCaretLineAndLowersTooHighValues) {
  OpenLines("a.tex", 10);
  View().SetSelStart(3 * 8 + 2); // inside "line 4"
  Open();
  EXPECT_TRUE(JumpForm->SpinEdit1->Enabled() && JumpForm->Button1->Enabled() &&
              JumpForm->Label1->Enabled());
  EXPECT_EQ(JumpForm->SpinEdit1->MaxValue(), 10);
  EXPECT_EQ(JumpForm->SpinEdit1->Text(), "4") << "the empty box takes the caret's line";

  JumpForm->SpinEdit1->SetText("25");
  Reactivate();
  EXPECT_EQ(JumpForm->SpinEdit1->Text(), "10");
  JumpForm->SpinEdit1->SetText("10");
  Reactivate();
  EXPECT_EQ(JumpForm->SpinEdit1->Text(), "10") << "the last line stays";
  JumpForm->SpinEdit1->SetText("0");
  Reactivate();
  EXPECT_EQ(JumpForm->SpinEdit1->Text(), "4");
  JumpForm->SpinEdit1->SetText("1");
  Reactivate();
  EXPECT_EQ(JumpForm->SpinEdit1->Text(), "1") << "the first line stays";
}

TEST_F(JumpFormTest, ButtonMovesCentresAndTheBoxStaysOpen) {
  OpenLines("long.tex", 200);
  Open();
  JumpForm->SpinEdit1->SetText("120");
  uitest::FormDriver::Click(*JumpForm->Button1);
  uitest::Pump();
  TEditor& view = View();
  EXPECT_EQ(ActiveDoc()->CaretLine(), 119);
  // The start of "line 120": nine lines of 8 bytes, ninety of 9, twenty of 10.
  EXPECT_EQ(view.SelStart(), 9 * 8 + 90 * 9 + 20 * 10);
  EXPECT_LE(std::abs(view.TopRow() + view.VisibleRows() / 2 - view.Row()), 1);
  EXPECT_EQ(GetFocus(), view.Handle());
  EXPECT_TRUE(JumpForm->Visible());
}

TEST_F(JumpFormTest, EnterJumpsAndEscapeClosesFromTheBox) {
  OpenLines("a.tex", 10);
  Open();
  JumpForm->SpinEdit1->SetText("7");
  JumpForm->SpinEdit1->SetFocus();
  uitest::PressKey(JumpForm->SpinEdit1->Handle(), VK_RETURN);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 6);
  EXPECT_EQ(JumpForm->SpinEdit1->Text(), "7") << "the key went to the button, not the box";
  JumpForm->SpinEdit1->SetFocus();
  uitest::PressKey(JumpForm->SpinEdit1->Handle(), VK_ESCAPE);
  EXPECT_FALSE(JumpForm->Visible());
}

TEST_F(JumpFormTest, WithoutADocumentTheControlsAreOffAndNothingFails) {
  Open();
  EXPECT_FALSE(JumpForm->SpinEdit1->Enabled());
  EXPECT_FALSE(JumpForm->Button1->Enabled());
  EXPECT_FALSE(JumpForm->Label1->Enabled());
  JumpForm->Button1Click();
  EXPECT_FALSE(HasDoc());
}

TEST_F(JumpFormTest, DocumentClosedWhileTheBoxIsOpenMakesTheButtonDoNothing) {
  OpenLines("a.tex", 10);
  Open();
  ASSERT_TRUE(JumpForm->Button1->Enabled());
  ActiveDoc()->Close();
  ASSERT_TRUE(uitest::PumpUntil([] { return !HasDoc(); }));
  uitest::FormDriver::Click(*JumpForm->Button1);
  uitest::Pump();
  EXPECT_TRUE(JumpForm->Visible());
  // Activated again, it knows.
  Reactivate();
  EXPECT_FALSE(JumpForm->Button1->Enabled());
}

TEST_F(JumpFormTest, PlacementIsStoredWhenTheBoxGoes) {
  Toggle();
  JumpForm->SetBounds(40, 50, JumpForm->Width(), JumpForm->Height());
  FreeAndNil(JumpForm);
  const std::string stored = RegReadString(res::RegSectionForms, "JumpForm", "");
  EXPECT_NE(stored.find("Left=40;Top=50"), std::string::npos) << stored;
  Toggle();
  EXPECT_EQ(JumpForm->Left(), 40);
  EXPECT_EQ(JumpForm->Top(), 50);
}

} // namespace
