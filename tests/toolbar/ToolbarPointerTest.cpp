// Toolbars under the real pointer: dragged by a separator and by their empty space, not by a
// button nor on a dock that disallows dragging, and a floating toolbar sized by its border to
// the shapes its buttons allow.
#include "PointerFixture.h"
#include "ToolbarFixture.h"

using namespace docktest;

namespace {

using ToolbarControl = PointerForm;

TEST_F(ToolbarControl, DraggedBySeparatorsAndEmptySpaceNotByButtons) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), top);
  TToolbarButton* button = AddButton(toolbar);
  AddButton(toolbar, 10, 10);
  TToolbarSep* separator = AddSeparator(toolbar);
  AddButton(toolbar);
  uitest::Pump();
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };

  const RECT before = WindowRect(*toolbar);
  const POINT middle{(WindowRect(*button).left + WindowRect(*button).right) / 2,
                     (WindowRect(*button).top + WindowRect(*button).bottom) / 2};
  InputDriver press({InputDriver::MoveTo(middle), InputDriver::LeftDown(), InputDriver::LeftUp()});
  ASSERT_TRUE(uitest::PumpUntil([&] { return press.Done() && clicks == 1; }));
  EXPECT_EQ(toolbar->DockedTo(), top);
  const RECT after = WindowRect(*toolbar);
  EXPECT_TRUE(EqualRect(&before, &after)) << "a button's press is its own";

  const RECT leftDock = WindowRect(*left);
  const RECT sep = WindowRect(*separator);
  Drag(*toolbar, {(sep.left + sep.right) / 2, (sep.top + sep.bottom) / 2},
       Moves({{leftDock.left + 4, leftDock.top + 40}, {leftDock.left + 4, leftDock.top + 60}}));
  EXPECT_EQ(toolbar->DockedTo(), left);

  toolbar->SetDockedTo(nullptr);
  toolbar->SetBounds(300, 300, toolbar->Width(), toolbar->Height());
  uitest::Pump();
  ASSERT_FALSE(toolbar->Docked());
  const POINT margin = toolbar->ClientToScreen(POINT{1, 1});
  ASSERT_EQ(SendMessageA(toolbar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(margin.x, margin.y)),
            HTCLIENT);
  const RECT topDock = WindowRect(*top);
  Drag(*toolbar, margin,
       Moves({{topDock.left + 100, topDock.top + 20}, {topDock.left + 100, topDock.top + 2}}));
  EXPECT_EQ(toolbar->DockedTo(), top);

  // Not on a dock that disallows dragging: the separator keeps its press.
  top->SetAllowDrag(false);
  uitest::Pump();
  const RECT space = WindowRect(*separator);
  Drag(*separator, {(space.left + space.right) / 2, (space.top + space.bottom) / 2},
       Moves({{leftDock.left + 4, leftDock.top + 40}, {leftDock.left + 4, leftDock.top + 60}}));
  EXPECT_EQ(toolbar->DockedTo(), top);
}

TEST_F(ToolbarControl, SizingSnapsToAchievableShapes) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), nullptr);
  toolbar->SetBounds(300, 300, 10, 10);
  TToolbarButton* buttons[3];
  for (TToolbarButton*& button : buttons)
    button = AddButton(toolbar, 20, 20);
  uitest::Pump();
  ASSERT_EQ(toolbar->ClientWidth(), 68);
  RECT rect = WindowRect(*toolbar);
  POINT border{rect.right - 1, (rect.top + rect.bottom) / 2};
  ASSERT_EQ(SendMessageA(toolbar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)),
            HTRIGHT);
  // 25 pixels in: past the threshold of 12, nearest to the two-line shape 48 wide.
  Drag(*toolbar, border, Moves({{border.x - 10, border.y}, {border.x - 25, border.y}}));
  EXPECT_EQ(toolbar->FloatingRightX(), 48);
  EXPECT_EQ(toolbar->ClientWidth(), 48);
  EXPECT_EQ(toolbar->ClientHeight(), 2 + 40 + 1);
  EXPECT_EQ(buttons[2]->Left(), 4);
  EXPECT_EQ(buttons[2]->Top(), 22);
  EXPECT_EQ(toolbar->Left(), 300) << "the left edge stays";

  // Escape: the wrap width the toolbar had.
  rect = WindowRect(*toolbar);
  border = {rect.right - 1, (rect.top + rect.bottom) / 2};
  Steps escape = Moves({{border.x - 30, border.y}});
  Steps keys = Keys(VK_ESCAPE);
  escape.insert(escape.end(), keys.begin(), keys.end());
  Drag(*toolbar, border, escape);
  EXPECT_EQ(toolbar->FloatingRightX(), 48);
  EXPECT_EQ(toolbar->ClientWidth(), 48);
  EXPECT_EQ(buttons[2]->Top(), 22);
}

} // namespace
