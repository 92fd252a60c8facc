// The main window's status bar and panels: the message panel against hints, the outline panel
// and the order of the panels along the window's edges; empty docks take no room, and the group
// tool window docked on the left dock stands before the outline panel and floats back.
#include "MainWindowFixture.h"

#include "toolbar/TbToolWindow.h"

#include <commctrl.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class StatusBar : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
  }
  std::string Message() { return top->StatusBar1->WindowPanelText(spMessage); }
  TMenuItem* CommandItem(const std::string& name) {
    auto* item = TComponent::Create<TMenuItem>(top, name);
    item->SetCaption(name);
    top->MainMenu1->Items()->Add(item);
    return item;
  }
  // A shown tool window of that client size on dock: its row is 4 pixels thicker.
  void DockToolWindow(TDock* dock, int clientWidth, int clientHeight) {
    auto* window = TComponent::Create<TToolWindow>(top);
    window->SetClientSize(clientWidth, clientHeight);
    window->SetParent(dock);
    window->Show();
  }
  // A left-button drag on the splitter by dx pixels.
  void DragSplitter(int dx) {
    HWND splitter = top->Splitter1->Handle();
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<short>(1 + dx), 10));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(1 + dx), 10));
  }
};

TEST_F(StatusBar, FixedPanelsShowTheirWidestTextsCentredAndTheLastTakesTheRest) {
  HWND bar = top->StatusBar1->Handle();
  int edges[StatusPanelCount] = {};
  ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, StatusPanelCount, reinterpret_cast<LPARAM>(edges)),
            StatusPanelCount);
  EXPECT_EQ(edges[spMessage], -1);
  HDC dc = GetDC(bar);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(bar, WM_GETFONT, 0, 0)));
  const char* widest[] = {"9999 : 999", "変更", "書込禁止", "UTF8B"};
  for (int i = 0; i < spMessage; ++i) {
    SIZE text{};
    GetTextExtentPoint32A(dc, widest[i], lstrlenA(widest[i]), &text);
    EXPECT_LT(text.cx, edges[i] - (i == 0 ? 0 : edges[i - 1])) << widest[i];
    EXPECT_EQ(top->StatusBar1->Panels(i).Alignment(), TAlignment::taCenter) << i;
  }
  SelectObject(dc, font);
  ReleaseDC(bar, dc);
}

TEST_F(StatusBar, TimedMessageHoldsAgainstHintsUntilTheTimerAndPanelsClear) {
  ShowTimedStatusMessage("保存しました");
  EXPECT_EQ(Message(), " 保存しました");
  EXPECT_TRUE(top->Timer1->Enabled());
  Application->SetHint("a hint");
  EXPECT_EQ(Message(), " 保存しました") << "a hint does not overwrite a timed message";

  top->Timer1->SetInterval(50);
  ASSERT_TRUE(uitest::PumpUntil([&] { return Message().empty(); }));
  EXPECT_FALSE(top->Timer1->Enabled());

  Application->SetHint("short|Repeat: $Sys_EditRepeat, again $Sys_EditRepeat");
  EXPECT_EQ(Message(), " Repeat: 現在、繰り返すコマンドがありません, again "
                       "現在、繰り返すコマンドがありません");

  // Plain messages and the clearing of every panel.
  for (int i = 0; i < StatusPanelCount; ++i)
    top->StatusBar1->Panels(i).SetText("x");
  SetStatusMessage("開いています...");
  EXPECT_EQ(Message(), "開いています...");
  ClearStatusMessage();
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(top->StatusBar1->Panels(spCaret).Text(), "x");
  ClearStatusPanels();
  for (int i = 0; i < StatusPanelCount; ++i)
    EXPECT_EQ(top->StatusBar1->Panels(i).Text(), "") << i;
  EXPECT_EQ(Message(), "");
}

TEST_F(StatusBar, OutlinePanelFollowsItsCommandAndKeepsThirtyPixels) {
  TMenuItem* item = CommandItem("mn0_0000000C10001");
  DockToolWindow(top->LeftDock, 21, 40);
  top->ShowOutlinePanel(true, 12);
  EXPECT_TRUE(top->Panel_Section->Visible());
  EXPECT_TRUE(top->Splitter1->Visible());
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(top->OutlineCommandId, 12);
  // Left dock, then the panel, then its splitter.
  EXPECT_EQ(top->LeftDock->Left(), 0);
  EXPECT_EQ(top->Panel_Section->Left(), 25);
  EXPECT_EQ(top->Splitter1->Left(), 25 + top->Panel_Section->Width());

  top->ToolbarButton1->Click();
  EXPECT_FALSE(top->Panel_Section->Visible());
  EXPECT_FALSE(top->Splitter1->Visible());
  EXPECT_FALSE(item->Checked());

  // Shown again after the dock has moved in between: the order is put right.
  top->ShowOutlinePanel(true, 12);
  EXPECT_EQ(top->LeftDock->Left(), 0);
  EXPECT_EQ(top->Splitter1->Left(), top->Panel_Section->Left() + top->Panel_Section->Width());

  // The splitter refuses a panel below thirty.
  int width = top->Panel_Section->Width();
  DragSplitter(29 - width);
  EXPECT_EQ(top->Panel_Section->Width(), width) << "29 is refused";
  DragSplitter(30 - width);
  EXPECT_EQ(top->Panel_Section->Width(), 30);
  EXPECT_EQ(top->Splitter1->Left(), top->Panel_Section->Left() + 30);
  DragSplitter(70);
  EXPECT_EQ(top->Panel_Section->Width(), 100);
}

TEST_F(StatusBar, StatusBarStaysBelowTheBottomDock) {
  TMenuItem* item = CommandItem("mn0_0000002010001");
  // A dock that grows below the status bar.
  DockToolWindow(top->BottomDock, 60, 26);
  top->ArrangePanels();
  EXPECT_EQ(top->StatusBar1->Top() + top->StatusBar1->Height(), top->ClientHeight());
  EXPECT_EQ(top->BottomDock->Top() + 30, top->StatusBar1->Top());

  top->ShowStatusBar(false, 0x20);
  EXPECT_FALSE(top->StatusBar1->Visible());
  EXPECT_FALSE(item->Checked());
  EXPECT_EQ(top->BottomDock->Top() + 30, top->ClientHeight());

  top->ShowStatusBar(true, 0x20);
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(top->StatusBarCommandId, 0x20);
  EXPECT_EQ(top->StatusBar1->Top() + top->StatusBar1->Height(), top->ClientHeight());
  EXPECT_EQ(top->BottomDock->Top() + 30, top->StatusBar1->Top());
}

// The main window's docks and its group tool window, on the same shown main window.
using ToolWindowMainForm = StatusBar;

TEST_F(ToolWindowMainForm, GroupWindowDocksBeforeTheOutlineAndFloatsBack) {
  EXPECT_EQ(top->TopDock->Height() + top->BottomDock->Height(), 0) << "empty docks";
  EXPECT_EQ(top->LeftDock->Width() + top->RightDock->Width(), 0);
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
