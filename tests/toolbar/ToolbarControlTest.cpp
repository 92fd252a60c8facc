// Toolbars on a real form: a layout per change of a child and one for a whole update, slave
// pairs swapping on a side dock, separators only on toolbars, a floating toolbar repainted when
// sized, and the lines a floating toolbar and its separators draw.
#include "DockFixture.h"
#include "ToolbarFixture.h"

#include "ui/Edits.h"
#include "ui/Panels.h"

using namespace docktest;

namespace {

using ToolbarControl = DockedForm;

TEST_F(ToolbarControl, FillingDuringAnUpdateLaysOutOnce) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), top);
  toolbar->layouts = 0;
  toolbar->BeginUpdate();
  TToolbarButton* first = AddButton(toolbar);
  TToolbarButton* second = AddButton(toolbar);
  TToolbarSep* separator = AddSeparator(toolbar);
  auto* combo = TComponent::Create<TComboBox>(form.get());
  combo->SetBounds(0, 0, 60, 20);
  combo->SetParent(toolbar);
  EXPECT_EQ(toolbar->layouts, 0);
  toolbar->EndUpdate();
  EXPECT_EQ(toolbar->layouts, 1);
  EXPECT_EQ(second->Left(), 23);
  EXPECT_EQ(separator->Left(), 46);
  EXPECT_EQ(separator->Width(), 6);
  EXPECT_EQ(separator->Height(), 22);
  EXPECT_EQ(combo->Left(), 52);
  EXPECT_EQ(combo->Top(), (22 - combo->Height()) / 2) << "centred across the row";
  EXPECT_EQ(toolbar->ClientWidth(), 112);
  EXPECT_EQ(toolbar->ClientHeight(), 22);

  // Each change afterwards lays out once: the layout's own moves start none.
  toolbar->layouts = 0;
  TToolbarButton* third = AddButton(toolbar);
  EXPECT_EQ(toolbar->layouts, 1);
  EXPECT_EQ(third->Left(), 112) << "appended";
  second->Hide();
  EXPECT_EQ(toolbar->layouts, 2);
  EXPECT_EQ(separator->Left(), 23);
  EXPECT_EQ(third->Left(), 89);
  first->SetWidth(40);
  EXPECT_EQ(toolbar->layouts, 3);
  EXPECT_EQ(separator->Left(), 40);
  third->Free();
  EXPECT_EQ(toolbar->layouts, 4);
  EXPECT_EQ(toolbar->ClientWidth(), 106);
  second->Show();
  EXPECT_EQ(toolbar->layouts, 5);
  EXPECT_EQ(second->Left(), 40) << "back in its place in the order";
}

TEST_F(ToolbarControl, ASlavePairSwapsOnASideDock) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), top);
  AddButton(toolbar);
  TToolbarButton* wide = AddButton(toolbar, 60, 22);
  TToolbarButton* tall = AddButton(toolbar, 30, 50);
  toolbar->SetSlaveControl(wide, tall);
  EXPECT_TRUE(wide->Visible());
  EXPECT_FALSE(tall->Visible());
  EXPECT_EQ(toolbar->ClientWidth(), 23 + 60);
  EXPECT_EQ(toolbar->ClientHeight(), 22);

  toolbar->SetDockedTo(left);
  EXPECT_FALSE(wide->Visible());
  EXPECT_TRUE(tall->Visible());
  EXPECT_EQ(toolbar->ClientWidth(), 30) << "the column is as wide as the shown member";
  EXPECT_EQ(toolbar->ClientHeight(), 22 + 50);
  EXPECT_EQ(tall->Top(), 22);

  toolbar->SetDockedTo(nullptr);
  EXPECT_TRUE(wide->Visible());
  EXPECT_FALSE(tall->Visible());
}

TEST_F(ToolbarControl, SeparatorsOnlyOnToolbars) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), top);
  auto* separator = TComponent::Create<TToolbarSep>(form.get());
  auto* panel = TComponent::Create<TPanel>(form.get());
  panel->SetParent(form.get());
  for (TControl* parent : {static_cast<TControl*>(form.get()), static_cast<TControl*>(panel),
                           static_cast<TControl*>(top)})
    EXPECT_EQ(ErrorOf([&] { separator->SetParent(parent); }),
              "TToolbarSep can only be placed on a TToolbar");
  EXPECT_EQ(separator->Parent(), nullptr);
  separator->SetParent(toolbar);
  EXPECT_EQ(separator->Parent(), toolbar);
  EXPECT_EQ(separator->SizeHorz(), 6);
  EXPECT_EQ(separator->SizeVert(), 6);
  EXPECT_FALSE(separator->Blank());
  toolbar->layouts = 0;
  separator->SetSizeHorz(10);
  EXPECT_EQ(toolbar->layouts, 1);
  EXPECT_EQ(separator->Width(), 10);
}

TEST_F(ToolbarControl, AFloatingToolbarRepaintsWhenSized) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), nullptr);
  toolbar->SetBounds(300, 300, 10, 10);
  AddButton(toolbar, 40, 22);
  uitest::Pump();
  HWND handle = toolbar->Handle();
  ASSERT_TRUE(IsWindowVisible(handle));
  ValidateRect(handle, nullptr);
  RECT rect;
  GetWindowRect(handle, &rect);
  // Narrower: nothing new shows, and the class does not redraw on sizing by itself.
  SetWindowPos(handle, nullptr, 0, 0, rect.right - rect.left - 5, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(handle, &update, FALSE));
  EXPECT_EQ(update.top, 0);
  EXPECT_EQ(update.right, toolbar->ClientWidth());
}

TEST_F(ToolbarControl, SeparatorsAndSeparatorLinesAreDrawn) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), nullptr);
  toolbar->SetBounds(300, 300, 10, 10);
  AddButton(toolbar, 40, 22);
  TToolbarSep* separator = AddSeparator(toolbar);
  AddButton(toolbar, 40, 22);
  toolbar->SetFloatingRightX(60);
  uitest::Pump();
  ASSERT_EQ(toolbar->LineSeparators().size(), 1u);
  const int line = toolbar->LineSeparators()[0].offset;
  EXPECT_EQ(line, 2 + 22 + 6);
  EXPECT_EQ(separator->Width(), 0);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  {
    Printed printed(*toolbar);
    POINT client = ClientOffset(*toolbar);
    const int width = toolbar->ClientWidth();
    EXPECT_EQ(printed.At(client.x + 1, client.y + line - 4), shadow);
    EXPECT_EQ(printed.At(client.x + width - 2, client.y + line - 3), highlight);
    EXPECT_EQ(printed.At(client.x + width - 1, client.y + line - 4), face) << "ends 1 short";
    EXPECT_EQ(printed.At(client.x + 1, client.y + line - 5), face);
    EXPECT_EQ(printed.At(client.x + 1, client.y + line - 2), face);
  }
  separator->SetBlank(true);
  {
    Printed printed(*toolbar);
    POINT client = ClientOffset(*toolbar);
    EXPECT_EQ(printed.At(client.x + 1, client.y + line - 4), face) << "blank";
  }

  // On a horizontal toolbar the etched line runs down the middle, on a side dock across it.
  separator->SetBlank(false);
  const struct {
    TDock* dock;
    POINT shadow, highlight, face;
  } etched[] = {{top, {2, 5}, {3, 5}, {1, 5}}, {left, {5, 2}, {5, 3}, {5, 4}}};
  for (const auto& expected : etched) {
    toolbar->SetDockedTo(expected.dock);
    ASSERT_EQ(expected.dock->Vertical() ? separator->Height() : separator->Width(), 6);
    Printed printed(*separator);
    EXPECT_EQ(printed.At(expected.shadow.x, expected.shadow.y), shadow) << expected.dock->Name();
    EXPECT_EQ(printed.At(expected.highlight.x, expected.highlight.y), highlight);
    EXPECT_EQ(printed.At(expected.face.x, expected.face.y), face);
  }
}

} // namespace
