// Tool windows changing between docks and floating: the events and the state each handler sees,
// the last dock, frames, the floating parent, the pop-up and its owner, windows that survive the
// change, close requests, client sizes, the order on a row, refused parents and printing.
#include "DockFixture.h"

#include "core/Format.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

using namespace docktest;

namespace {

using ToolWindowDocking = DockedForm;

std::string NameOf(TComponent* component) {
  return component ? component->Name() : "-";
}

TEST_F(ToolWindowDocking, EventsRunInOrderWithTheStateTheyShow) {
  TToolWindow* window = Window(60, 20, top);
  uitest::EventLog log;
  auto record = [&](const std::string& event) {
    log.entries.push_back(event + ":" + NameOf(window->DockedTo()) + ":" +
                          (window->Docked() ? "1" : "0"));
  };
  auto notify = [&](const std::string& event) { return [&, event](TObject*) { record(event); }; };
  auto toward = [&](const std::string& event) {
    return [&, event](TObject*, TDock* dock) { record(event + ">" + NameOf(dock)); };
  };
  window->OnDockChanging = notify("changing");
  window->OnDockChangingEx = toward("changingEx");
  window->OnRecreating = notify("recreating");
  window->OnDockChangingHidden = toward("hidden");
  window->OnRecreated = notify("recreated");
  window->OnDockChanged = notify("changed");
  window->SetDockedTo(nullptr);
  EXPECT_EQ(log.Joined(), "changing:Top:1,changingEx>-:Top:1,recreating:Top:1,hidden>-:Top:1,"
                          "recreated:-:0,changed:-:0");
  log.entries.clear();
  window->SetDockedTo(left);
  EXPECT_EQ(log.Joined(), "changing:-:0,changingEx>Left:-:0,recreating:-:0,hidden>Left:-:0,"
                          "recreated:Left:1,changed:Left:1");
  window->SetParent(left);
  EXPECT_EQ(log.entries.size(), 6u) << "no change, no events";
}

TEST_F(ToolWindowDocking, LastDockRules) {
  auto listed = [](TDock* dock, TCustomToolWindow* window) {
    auto& list = dock->DockList();
    return std::find(list.begin(), list.end(), window) != list.end();
  };
  TToolWindow* window = Window(60, 20, top);
  EXPECT_EQ(window->LastDock(), top);
  window->SetDockedTo(nullptr);
  EXPECT_EQ(window->LastDock(), top);
  EXPECT_TRUE(listed(top, window)) << "remembered, not shown";
  EXPECT_EQ(top->Height(), 0);
  window->SetLastDock(left);
  EXPECT_FALSE(listed(top, window));
  EXPECT_TRUE(listed(left, window));
  window->SetDockedTo(bottom);
  EXPECT_EQ(window->LastDock(), bottom);
  EXPECT_FALSE(listed(left, window));
  window->SetLastDock(right);
  EXPECT_EQ(window->LastDock(), bottom) << "a docked window keeps its dock";
  window->SetUseLastDock(false);
  EXPECT_EQ(window->LastDock(), nullptr);
  EXPECT_TRUE(listed(bottom, window)) << "docked there";
  window->SetDockedTo(right);
  EXPECT_EQ(window->LastDock(), nullptr);
  EXPECT_FALSE(listed(bottom, window));
}

TEST_F(ToolWindowDocking, FramesByStyleAndPlace) {
  using enum TDragHandleStyle;
  const int frameX = GetSystemMetrics(SM_CXSIZEFRAME);
  const int caption = GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYSMCAPTION);
  const struct {
    TDragHandleStyle style;
    bool closeButton;
    TDock* dock;
    POINT offset;
  } cases[] = {{dhDouble, false, top, {11, 2}},
               {dhNone, false, top, {2, 2}},
               {dhSingle, false, bottom, {8, 2}},
               {dhSingle, true, top, {16, 2}},
               {dhDouble, false, left, {2, 11}},
               {dhNone, true, right, {2, 16}},
               {dhDouble, false, nullptr, {frameX, caption}}};
  TToolWindow* window = Window(60, 20, top);
  for (const auto& c : cases) {
    window->SetDragHandleStyle(c.style);
    window->SetCloseButtonWhenDocked(c.closeButton);
    window->SetDockedTo(c.dock);
    POINT offset = ClientOffset(*window);
    EXPECT_EQ(offset.x, c.offset.x) << NameOf(c.dock) << static_cast<int>(c.style);
    EXPECT_EQ(offset.y, c.offset.y) << NameOf(c.dock) << static_cast<int>(c.style);
    EXPECT_EQ(window->ClientAreaWidth(), 60);
    EXPECT_EQ(window->ClientAreaHeight(), 20);
  }
  window->SetResizable(false);
  EXPECT_EQ(ClientOffset(*window).x, GetSystemMetrics(SM_CXFIXEDFRAME));
  window->SetShowCaption(false);
  EXPECT_EQ(ClientOffset(*window).y, GetSystemMetrics(SM_CYFIXEDFRAME));
  EXPECT_EQ(window->ClientAreaHeight(), 20);
}

TEST_F(ToolWindowDocking, FloatingParentIsNamedForItselfAndFreedOnDocking) {
  TToolWindow* window = Window(60, 20, nullptr);
  auto* parent = dynamic_cast<TFloatingWindowParent*>(window->Parent());
  ASSERT_NE(parent, nullptr);
  std::string name = Format("TbFloatingWindowParent_%.8x", reinterpret_cast<uintptr_t>(parent));
  EXPECT_EQ(parent->Name(), name);
  EXPECT_EQ(parent->BorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(parent->Width() + parent->Height(), 0);
  EXPECT_TRUE(parent->ShowHint());
  EXPECT_TRUE(GetWindowLongA(parent->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(window->HostForm(), form.get());

  auto other = uitest::MakeForm();
  window->SetParent(other.get());
  EXPECT_EQ(window->FindComponent(name), nullptr) << "another form, another parent";
  EXPECT_EQ(window->HostForm(), other.get());
  name = window->Parent()->Name();
  window->SetDockedTo(top);
  EXPECT_EQ(window->FindComponent(name), nullptr);
}

TEST_F(ToolWindowDocking, FloatingWindowIsAPopupOwnedByItsForm) {
  TToolWindow* window = Window(60, 20, nullptr);
  HWND handle = window->Handle();
  LONG style = GetWindowLongA(handle, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_TRUE(GetWindowLongA(handle, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(handle, GW_OWNER), form->Handle());
  window->SetFloatingMode(TToolWindowFloatingMode::fmOnTopOfAllForms);
  EXPECT_EQ(GetWindow(handle, GW_OWNER), Application->Handle());

  auto frame = uitest::MakeForm();
  frame->SetFormStyle(TFormStyle::fsMDIForm);
  frame->Show();
  auto* child = TComponent::Create<TForm>(frame.get());
  child->SetFormStyle(TFormStyle::fsMDIChild);
  child->Show();
  auto* dock = TComponent::Create<TDock>(child);
  dock->SetParent(child);
  auto* inner = TComponent::Create<TToolWindow>(child);
  inner->SetParent(dock);
  inner->Show();
  inner->SetDockedTo(nullptr);
  EXPECT_EQ(inner->HostForm(), child);
  EXPECT_EQ(GetWindow(inner->Handle(), GW_OWNER), frame->Handle());
}

TEST_F(ToolWindowDocking, TheWindowAndItsChildrenSurviveTheChanges) {
  TToolWindow* window = Window(120, 40, top);
  auto* combo = TComponent::Create<TComboBox>(window);
  combo->SetParent(window);
  combo->SetBounds(2, 2, 100, 20);
  HWND handle = window->Handle();
  HWND comboHandle = combo->Handle();
  for (const char* item : {"one", "two"})
    SendMessageA(comboHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  window->SetDockedTo(nullptr);
  EXPECT_EQ(window->Handle(), handle);
  EXPECT_EQ(SendMessageA(comboHandle, CB_GETCOUNT, 0, 0), 2);
  window->SetDockedTo(left);
  EXPECT_EQ(window->Handle(), handle);
  EXPECT_EQ(combo->Handle(), comboHandle);
  EXPECT_EQ(GetParent(comboHandle), handle);
  EXPECT_EQ(GetParent(handle), left->Handle());
  EXPECT_EQ(SendMessageA(comboHandle, CB_GETCOUNT, 0, 0), 2);
}

TEST_F(ToolWindowDocking, CloseRequestsGoToTheForm) {
  int asked = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++asked;
    canClose = false;
  };
  for (TDock* dock : {top, static_cast<TDock*>(nullptr)}) {
    TToolWindow* window = Window(60, 20, dock);
    SendMessageA(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window->Visible());
  }
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(form->Visible());
}

TEST_F(ToolWindowDocking, ClientSizeHoldsDockedAndFloating) {
  auto* window = TComponent::Create<TToolWindow>(form.get());
  window->SetBounds(300, 200, 50, 40);
  EXPECT_EQ(window->FloatingPosition().x, 300);
  EXPECT_EQ(window->ClientAreaWidth(), 50) << "the outer size without a parent";
  window->SetParent(form.get());
  window->Show();
  EXPECT_EQ(window->Left(), 300);
  EXPECT_EQ(window->Top(), 200);
  EXPECT_EQ(window->ClientAreaWidth(), 50);
  window->SetClientSize(120, 60);
  window->SetBounds(310, 210, window->Width(), window->Height());
  window->SetDockedTo(left);
  EXPECT_EQ(left->Width(), 124) << "a left dock's row is as wide as the client";
  EXPECT_EQ(window->ClientAreaWidth(), 120);
  EXPECT_EQ(window->ClientAreaHeight(), 60);
  window->SetDockedTo(nullptr);
  EXPECT_EQ(window->Left(), 310) << "where it was moved to";
  EXPECT_EQ(window->Top(), 210);
  RECT client;
  GetClientRect(window->Handle(), &client);
  EXPECT_EQ(client.right, 120);
  EXPECT_EQ(client.bottom, 60);
  EXPECT_EQ(left->Width(), 0);
}

TEST_F(ToolWindowDocking, OfTwoDockedAtNoPlaceTheFirstMadeStandsFirst) {
  TToolWindow* first = Window(60, 20, top);
  TToolWindow* second = Window(40, 20, top);
  EXPECT_EQ(first->Left(), 0);
  EXPECT_EQ(second->Left(), first->Width());
  EXPECT_EQ(second->DockPos(), first->Width() - 1) << "pushed along by the one before it";

  // Made first, docked last: it still stands first at an equal place.
  TToolWindow* early = Window(30, 20, nullptr);
  TToolWindow* late = Window(50, 20, bottom);
  ASSERT_EQ(late->DockPos(), -1);
  early->SetParent(bottom);
  early->SetDockPos(-1);
  EXPECT_EQ(early->Left(), 0);
  EXPECT_EQ(late->Left(), early->Width());
}

TEST_F(ToolWindowDocking, OnlyDocksAndFormsTakeAToolWindow) {
  auto* panel = TComponent::Create<TPanel>(form.get());
  panel->SetParent(form.get());
  TToolWindow* window = Window(60, 20, top);
  EXPECT_EQ(ErrorOf([&] { window->SetParent(panel); }),
            "A tool window can only be placed on a TDock or directly on the form");
  TOwned<TToolWindow> orphan(TComponent::Create<TToolWindow>(nullptr, "Orphan"));
  EXPECT_EQ(ErrorOf([&] { orphan->SetDockedTo(nullptr); }),
            "Control 'Orphan' has no parent window");
  EXPECT_EQ(orphan->Version(), "Toolbar version 1.8");
}

// A form that docks one window and floats another while it is being made.
class TLoadingForm : public TForm {
public:
  TDock* dock;
  TToolWindow* docked;
  TToolWindow* floating;
  int dockChanges = 0;

protected:
  explicit TLoadingForm(TComponent* owner) : TForm(owner) {
    dock = Create<TDock>(this, "Dock");
    dock->SetParent(this);
    docked = Create<TToolWindow>(this, "Docked");
    docked->OnDockChanged = [this](TObject*) { ++dockChanges; };
    docked->SetClientSize(50, 20);
    docked->SetParent(dock);
    docked->Show();
    floating = Create<TToolWindow>(this, "Floating");
    floating->SetParent(this);
  }
};

TEST_F(ToolWindowDocking, WindowsPlacedWhileTheFormLoadsSettleOnceLoaded) {
  auto loading = uitest::MakeForm<TLoadingForm>();
  EXPECT_EQ(loading->dockChanges, 0) << "only the state changes while loading";
  EXPECT_EQ(loading->docked->DockedTo(), loading->dock);
  EXPECT_EQ(loading->dock->Height(), 24);
  EXPECT_EQ(loading->docked->ClientAreaWidth(), 50);
  EXPECT_NE(dynamic_cast<TFloatingWindowParent*>(loading->floating->Parent()), nullptr);
  EXPECT_EQ(loading->floating->HostForm(), loading.get());
}

TEST_F(ToolWindowDocking, PrintDrawsTheFrameHandleAndChildren) {
  TToolWindow* window = Window(80, 20, top);
  auto* panel = TComponent::Create<TPanel>(window);
  panel->SetParent(window);
  panel->SetBounds(40, 0, 40, 20);
  panel->SetColor(clRed);
  Printed printed(*window);
  int middle = window->Height() / 2;
  EXPECT_EQ(printed.At(0, middle), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised frame";
  EXPECT_EQ(printed.At(window->Width() - 1, middle), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed.At(3, middle), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the first handle bar";
  EXPECT_EQ(printed.At(11 + 10, middle), GetSysColor(COLOR_BTNFACE)) << "client";
  EXPECT_EQ(printed.At(11 + 50, middle), RGB(255, 0, 0)) << "child";
}

} // namespace
