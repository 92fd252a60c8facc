// Alignment: the sides in order, the outermost of a side by its current position, the MDI
// client in what is left, and the main window's arrangement of dock, outline panel, splitter
// and status bar.
#include "FormFixture.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Panels.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

// A panel made at (position, position) before it is aligned.
TPanel* AddPanel(TForm& form, TAlign align, int size, const char* name, int position = 0) {
  auto* panel = TComponent::Create<TPanel>(&form, name);
  bool across = align == alLeft || align == alRight;
  panel->SetBounds(position, position, across ? size : 50, across ? 50 : size);
  panel->SetParent(&form);
  panel->SetAlign(align);
  return panel;
}

using uitest::Bounds;

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(UiAlign, SidesTakeTheirPartsAndClientTheRest) {
  auto form = uitest::MakeForm();
  form->SetClientSize(400, 300);
  TPanel* top = AddPanel(*form, alTop, 30, "Top");
  TPanel* bottom = AddPanel(*form, alBottom, 20, "Bottom");
  TPanel* left = AddPanel(*form, alLeft, 50, "Left");
  TPanel* right = AddPanel(*form, alRight, 40, "Right");
  TPanel* client = AddPanel(*form, alClient, 10, "Client");
  ASSERT_EQ(form->ClientWidth(), 400);
  EXPECT_EQ(Bounds(*top), "0,0 400x30");
  EXPECT_EQ(Bounds(*bottom), "0,280 400x20");
  EXPECT_EQ(Bounds(*left), "0,30 50x250");
  EXPECT_EQ(Bounds(*right), "360,30 40x250");
  EXPECT_EQ(Bounds(*client), "50,30 310x250");

  form->SetClientSize(500, 200);
  EXPECT_EQ(Bounds(*bottom), "0,180 500x20");
  EXPECT_EQ(Bounds(*client), "50,30 410x150");

  left->Hide();
  EXPECT_EQ(Bounds(*client), "0,30 460x150") << "a hidden control takes no room";
}

TEST(UiAlign, OutermostOfASideIsChosenByCurrentPosition) {
  auto form = uitest::MakeForm();
  form->SetClientSize(300, 300);
  TPanel* first = AddPanel(*form, alTop, 20, "First");
  TPanel* second = AddPanel(*form, alTop, 30, "Second", 100);
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 20);
  second->SetTop(0); // as small as the first's: the control just moved wins
  EXPECT_EQ(second->Top(), 0);
  EXPECT_EQ(first->Top(), 30);

  TPanel* lower = AddPanel(*form, alBottom, 10, "Lower", 280);
  TPanel* upper = AddPanel(*form, alBottom, 15, "Upper", 100);
  EXPECT_EQ(lower->Top(), 290);
  EXPECT_EQ(upper->Top(), 275);
  upper->SetTop(300 - 15 + 1); // the largest bottom edge: outermost
  EXPECT_EQ(upper->Top(), 285);
  EXPECT_EQ(lower->Top(), 275);
}

TEST(UiAlign, MainWindowArrangementPutsDockOutlineSplitterAndStatusBarInPlace) {
  auto form = uitest::MakeForm();
  form->SetFormStyle(TFormStyle::fsMDIForm);
  form->SetClientSize(600, 400);
  auto* status = uitest::AddTo<TStatusBar>(*form, "StatusBar1");
  TPanel* bottomDock = AddPanel(*form, alBottom, 12, "BottomDock");
  TPanel* leftDock = AddPanel(*form, alLeft, 24, "LeftDock");
  TPanel* section = AddPanel(*form, alLeft, 112, "Panel_Section");
  auto* splitter = uitest::AddTo<TSplitter>(*form, "Splitter1");
  section->Hide();
  splitter->Hide();
  bottomDock->SetTop(400); // the dock goes outermost first
  int statusHeight = status->Height();
  ASSERT_EQ(bottomDock->Top(), 400 - 12);
  ASSERT_EQ(status->Top(), 400 - 12 - statusHeight);
  status->SetTop(form->ClientHeight() - status->Height() + 1);
  EXPECT_EQ(status->Top(), 400 - statusHeight) << "the status bar is outermost at the bottom";
  EXPECT_EQ(bottomDock->Top(), 400 - statusHeight - 12);

  // ShowOutlinePanel, then ArrangePanels.
  splitter->Show();
  section->Show();
  splitter->SetLeft(section->Left() + section->Width());
  leftDock->SetLeft(0);
  EXPECT_EQ(Bounds(*leftDock), "0,0 24x" + std::to_string(400 - statusHeight - 12));
  EXPECT_EQ(section->Left(), 24);
  EXPECT_EQ(splitter->Left(), 24 + 112);
  RECT client = ChildRect(form->ClientHandle());
  EXPECT_EQ(client.left, 24 + 112 + splitter->Width()) << "the MDI client takes the rest";
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 400 - statusHeight - 12);
  EXPECT_EQ(status->Width(), 600);

  form->SetClientSize(700, 500);
  EXPECT_EQ(status->Top(), 500 - status->Height()) << "the bar keeps to the bottom by Align";
  EXPECT_EQ(status->Width(), 700);
}

} // namespace
