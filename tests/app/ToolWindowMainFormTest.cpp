// The main window's docks and its group tool window: empty docks take no room; the group window
// docked on the left dock stands before the outline panel and floats back to where it was.
#include "MainWindowFixture.h"

#include "toolbar/TbToolWindow.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ToolWindowMainForm : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
  }
};

TEST_F(ToolWindowMainForm, EmptyDocksTakeNoRoom) {
  EXPECT_EQ(top->TopDock->Height(), 0);
  EXPECT_EQ(top->BottomDock->Height(), 0);
  EXPECT_EQ(top->LeftDock->Width(), 0);
  EXPECT_EQ(top->RightDock->Width(), 0);
}

TEST_F(ToolWindowMainForm, GroupWindowDocksBeforeTheOutlineAndFloatsBack) {
  top->ShowOutlinePanel(true, 12);
  top->ToggleGroupToolWindow(-3);
  auto* window = dynamic_cast<TToolWindow*>(top->FindComponent("twd_FFFFFFFD"));
  ASSERT_NE(window, nullptr);
  const POINT floating{window->Left(), window->Top()};

  window->SetDockedTo(top->LeftDock);
  EXPECT_TRUE(window->ShowHint()) << "docked";
  EXPECT_EQ(top->LeftDock->Left(), 0);
  EXPECT_EQ(top->LeftDock->Width(), 160 + 4);
  EXPECT_EQ(top->Panel_Section->Left(), 164);
  EXPECT_EQ(top->Splitter1->Left(), 164 + top->Panel_Section->Width());

  window->SetDockedTo(nullptr);
  EXPECT_FALSE(window->ShowHint());
  EXPECT_EQ(window->Left(), floating.x);
  EXPECT_EQ(window->Top(), floating.y);
  EXPECT_EQ(window->ClientAreaWidth(), 160);
  EXPECT_EQ(window->ClientAreaHeight(), 200);
  EXPECT_EQ(top->LeftDock->Width(), 0);
  EXPECT_EQ(top->Panel_Section->Left(), 0);
}

} // namespace
