// Dock panels on a real form: misuse, arranging once after an update, the shown windows, bound
// lines, the thickness of empty docks, docks that grow away from their edge, the drag handle and
// controls that are no dockable windows.
#include "DockFixture.h"

#include "ui/Panels.h"

using namespace docktest;

namespace {

using DockControl = DockedForm;

TEST_F(DockControl, MisuseRaisesItsTexts) {
  auto* panel = TComponent::Create<TPanel>(form.get());
  panel->SetParent(top);
  EXPECT_EQ(ErrorOf([&] { top->SetPosition(dpLeft); }),
            "Cannot change Position of a TDock if it already contains controls");
  TToolWindow* window = Window(60, 20, left);
  auto* inner = TComponent::Create<TDock>(form.get());
  for (TControl* parent :
       {static_cast<TControl*>(window), static_cast<TControl*>(top), static_cast<TControl*>(panel)})
    EXPECT_EQ(ErrorOf([&] { inner->SetParent(parent); }),
              "A TDock control cannot be placed inside a tool window or another TDock");
  EXPECT_EQ(inner->Version(), "Toolbar version 1.8");
}

TEST_F(DockControl, WindowsDockedDuringAnUpdateArrangeOnce) {
  int resizes = 0;
  std::string changes;
  top->OnResize = [&](TObject*) { ++resizes; };
  top->OnInsertRemoveBar = [&](TObject*, bool inserting, TCustomToolWindow* bar) {
    changes += inserting ? '+' : '-';
    changes += bar->Name();
  };
  top->BeginUpdate();
  TToolWindow* windows[3];
  for (int row = 0; row < 3; ++row) {
    const char* names[] = {"w0", "w1", "w2"};
    windows[row] = TComponent::Create<TToolWindow>(form.get(), names[row]);
    windows[row]->SetClientSize(60, 20 + 10 * row);
    windows[row]->SetDockRow(2 - row);
    windows[row]->SetParent(top);
    windows[row]->Show();
  }
  EXPECT_EQ(top->Height(), 0);
  top->EndUpdate();
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(changes, "+w0+w1+w2");
  EXPECT_EQ(top->Height(), 24 + 34 + 44);
  EXPECT_EQ(windows[0]->Top(), 34 + 44) << "row 2 comes last";

  windows[1]->Hide();
  EXPECT_EQ(changes, "+w0+w1+w2-w1");
  EXPECT_EQ(top->Height(), 24 + 44);
  EXPECT_EQ(windows[2]->DockRow(), 0);
  EXPECT_EQ(windows[0]->DockRow(), 2) << "the hidden window still holds row 1";
}

TEST_F(DockControl, BoundLinesAndFixAlign) {
  EXPECT_EQ(top->Height(), 0);
  top->SetFixAlign(true);
  EXPECT_EQ(top->Height(), 1);
  top->SetBoundLines(blTop | blBottom | blLeft);
  TToolWindow* window = Window(60, 20, top);
  EXPECT_EQ(top->Height(), 24 + 2);
  EXPECT_EQ(ClientOffset(*top).x, 1);
  EXPECT_EQ(window->Left(), 0);
  Printed printed(*top);
  int middle = top->Width() / 2;
  EXPECT_EQ(printed.At(middle, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed.At(0, 12), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed.At(middle, top->Height() - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(DockControl, BackgroundTilesBehindTheRowsAndOnTheWindows) {
  TBitmap tile; // red, with a blue top-left pixel
  tile.SetSize(4, 4, clRed);
  {
    TMemoryDC dc(tile.Handle());
    SetPixel(dc.Get(), 0, 0, RGB(0, 0, 255));
  }
  top->SetBackground(tile);
  TToolWindow* window = Window(60, 20, top);
  window->SetBorderStyle(TBorderStyle::bsNone);
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF blue = RGB(0, 0, 255);
  Printed dock(*top);
  EXPECT_EQ(dock.At(100, 4), blue);
  EXPECT_EQ(dock.At(101, 4), red);
  EXPECT_EQ(Printed(*window).At(0, 1), red) << "the window's frame shows the tiles too";
  top->SetBackgroundTransparent(true);
  Printed transparent(*top);
  EXPECT_EQ(transparent.At(100, 4), blue);
  EXPECT_EQ(transparent.At(101, 4), GetSysColor(COLOR_BTNFACE)) << "the lower-left colour";
  top->SetBackgroundOnToolbars(false);
  EXPECT_EQ(Printed(*window).At(0, 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(DockControl, BottomAndRightDocksGrowAwayFromTheirEdge) {
  Window(60, 20, bottom);
  Window(30, 50, right);
  EXPECT_EQ(bottom->Height(), 24);
  EXPECT_EQ(bottom->Top() + bottom->Height(), form->ClientHeight());
  EXPECT_EQ(right->Width(), 34);
  EXPECT_EQ(right->Left() + right->Width(), form->ClientWidth());
  EXPECT_EQ(left->Width(), 0) << "an empty dock takes no room";
}

TEST_F(DockControl, WithoutDraggingThereIsNoHandle) {
  TToolWindow* window = Window(60, 20, top);
  EXPECT_EQ(ClientOffset(*window).x, 2 + 9);
  top->SetAllowDrag(false);
  EXPECT_EQ(ClientOffset(*window).x, 2);
  EXPECT_EQ(window->ClientAreaWidth(), 60) << "the client keeps its size";
  EXPECT_EQ(window->Width(), 64);
}

TEST_F(DockControl, APlainControlOnADockIsLeftAlone) {
  auto* panel = TComponent::Create<TPanel>(form.get());
  panel->SetBounds(200, 3, 40, 10);
  panel->SetParent(top);
  Window(60, 20, top);
  EXPECT_EQ(top->Height(), 24);
  EXPECT_EQ(top->DockList().size(), 1u);
  EXPECT_EQ(panel->Left(), 200);
  EXPECT_EQ(panel->Top(), 3);
}

} // namespace
