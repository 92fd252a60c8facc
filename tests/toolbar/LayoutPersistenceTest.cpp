// Saving and loading where windows stand through the generic pair, over a store in memory: what
// is written in which order, which stored places a window takes and which it refuses, docks
// arranging once, and errors that leave the other windows and the docks in order.
#include "LayoutFixture.h"

#include "core/Format.h"

using namespace docktest;

namespace {

using LayoutPersistence = LayoutForm;

using Texts = std::vector<std::string>;

TEST_F(LayoutPersistence, WritesEveryValueInOrder) {
  CountingToolbar* docked = Bar("bar_1", top);
  docked->SetDockPos(30);
  CountingToolbar* floating = FloatingBar("bar_2", {250, 260});
  floating->SetFloatingRightX(40);
  TToolWindow* window = Window(50, 40, nullptr, "twd_1");
  window->SetBounds(270, 280, window->Width(), window->Height());
  window->Hide();
  MemoryStore store;
  store.Save(form.get());
  EXPECT_EQ(store.WritesOf("bar_1"),
            (Texts{"Rev=3", "Visible=1", "DockedTo=Top", "LastDock=Top", "DockRow=0", "DockPos=30",
                   "FloatLeft=0", "FloatTop=0", "FloatRightX=0"}));
  EXPECT_EQ(store.WritesOf("bar_2"),
            (Texts{"Rev=3", "Visible=1", "DockedTo=+", "LastDock=", "DockRow=0", "DockPos=-1",
                   "FloatLeft=250", "FloatTop=260", "FloatRightX=40"}));
  EXPECT_EQ(store.WritesOf("twd_1"),
            (Texts{"Rev=3", "Visible=0", "DockedTo=+", "LastDock=", "DockRow=0", "DockPos=-1",
                   "FloatLeft=270", "FloatTop=280", "ClientWidth=50", "ClientHeight=40"}));
  EXPECT_EQ(store.writes.front(), "bar_1.Rev=3") << "windows in component order";
  EXPECT_EQ(store.writes.back(), "twd_1.ClientHeight=40");
}

TEST_F(LayoutPersistence, OnlyRevisionsTwoAndThreeAreRead) {
  CountingToolbar* toolbar = Bar("bar_1", top);
  for (const char* revision : {"1", "4", ""}) {
    MemoryStore store;
    if (*revision)
      store.Set("bar_1", "Rev", revision);
    store.Set("bar_1", "Visible", "0");
    store.Set("bar_1", "DockedTo", "Left");
    store.Load(form.get());
    EXPECT_TRUE(toolbar->Visible()) << "Rev " << revision;
    EXPECT_EQ(toolbar->DockedTo(), top) << "Rev " << revision;
  }
  MemoryStore store;
  store.Set("bar_1", "Rev", "2");
  store.Set("bar_1", "Visible", "0");
  store.Set("bar_1", "DockedTo", "Left");
  store.Load(form.get());
  EXPECT_FALSE(toolbar->Visible());
  EXPECT_EQ(toolbar->DockedTo(), left);
}

TEST_F(LayoutPersistence, DocksThatDisallowDraggingKeepTheirWindows) {
  left->SetAllowDrag(false);
  CountingToolbar* toolbar = Bar("bar_1", left);
  CountingToolbar* other = Bar("bar_2", top);
  MemoryStore store;
  store.Save(form.get());
  EXPECT_EQ(store.WritesOf("bar_1")[2], "DockedTo=");
  store.Set("bar_1", "DockRow", "3");
  store.Set("bar_2", "DockedTo", "Left");
  toolbar->SetDockedTo(bottom);
  store.Load(form.get());
  EXPECT_EQ(toolbar->DockedTo(), bottom) << "an empty DockedTo applies nothing more";
  EXPECT_EQ(toolbar->DockRow(), 0);
  EXPECT_EQ(other->DockedTo(), top) << "not onto a dock that disallows dragging";
}

TEST_F(LayoutPersistence, DockNamesAreCaseSensitive) {
  EXPECT_EQ(FindDockByName(form.get(), "Top"), top);
  EXPECT_EQ(FindDockByName(form.get(), "top"), nullptr);
  EXPECT_EQ(FindDockByName(form.get(), ""), nullptr);
  CountingToolbar* toolbar = Bar("bar_1", top);
  MemoryStore store;
  store.Save(form.get());
  store.Set("bar_1", "DockedTo", "left");
  store.Load(form.get());
  EXPECT_EQ(toolbar->DockedTo(), top);
  store.Set("bar_1", "DockedTo", "Left");
  store.Load(form.get());
  EXPECT_EQ(toolbar->DockedTo(), left);
}

TEST_F(LayoutPersistence, LastDockOnlyForFloatingWindowsOfRevisionThree) {
  CountingToolbar* toolbar = FloatingBar("bar_1", {300, 300});
  MemoryStore store;
  store.Save(form.get());
  store.Set("bar_1", "LastDock", "Bottom");
  store.Set("bar_1", "Rev", "2");
  store.Load(form.get());
  EXPECT_EQ(toolbar->LastDock(), nullptr) << "Rev 2";
  store.Set("bar_1", "Rev", "3");
  store.Set("bar_1", "LastDock", "Nowhere");
  store.Load(form.get());
  EXPECT_EQ(toolbar->LastDock(), nullptr) << "no such dock";
  store.Set("bar_1", "LastDock", "Bottom");
  store.Load(form.get());
  EXPECT_EQ(toolbar->LastDock(), bottom);
  store.Set("bar_1", "DockedTo", "Right");
  store.Load(form.get());
  EXPECT_EQ(toolbar->LastDock(), right) << "docked: its dock";
}

TEST_F(LayoutPersistence, LoadingManyWindowsArrangesEachDockOnce) {
  MemoryStore store;
  std::vector<CountingToolbar*> toolbars;
  for (int i = 0; i < 3; ++i) {
    std::string name = Format("bar_%d", i);
    toolbars.push_back(FloatingBar(name.c_str(), {300, 300 + 40 * i}));
    store.Set(name, "Rev", "3");
    store.Set(name, "DockedTo", "Top");
    store.Set(name, "DockRow", std::to_string(2 - i));
    store.Set(name, "DockPos", "0");
  }
  int resizes = 0;
  top->OnResize = [&](TObject*) { ++resizes; };
  store.Load(form.get());
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(top->Height(), 3 * (22 + 4));
  EXPECT_EQ(toolbars[2]->Top(), 0);
  EXPECT_EQ(toolbars[0]->Top(), 2 * (22 + 4));
}

TEST_F(LayoutPersistence, AnErrorWhileLoadingReleasesEveryDock) {
  CountingToolbar* first = FloatingBar("bar_1", {300, 300});
  FloatingBar("bar_2", {300, 360});
  MemoryStore store;
  store.Set("bar_1", "Rev", "3");
  store.Set("bar_1", "DockedTo", "Top");
  store.failingWindow = "bar_2";
  EXPECT_THROW(store.Load(form.get()), std::runtime_error);
  EXPECT_EQ(first->DockedTo(), top);
  EXPECT_EQ(top->Height(), 26) << "arranged when released";
  for (TDock* dock : {bottom, left, right}) {
    Window(40, 30, dock);
    EXPECT_GT(dock->Vertical() ? dock->Width() : dock->Height(), 0) << dock->Name();
  }
}

TEST_F(LayoutPersistence, UnnamedWindowsAndDocksDoNotStopTheOthers) {
  Bar("bar_1", top);
  Bar("", top);
  auto* unnamedDock = TComponent::Create<TDock>(form.get());
  unnamedDock->SetPosition(dpBottom);
  unnamedDock->SetParent(form.get());
  Bar("bar_2", unnamedDock);
  CountingToolbar* last = Bar("bar_3", top);
  MemoryStore store;
  EXPECT_EQ(RaisedText([&] { store.Save(form.get()); }),
            "Cannot save tool window's position because Name property is not set");
  EXPECT_EQ(store.WritesOf("bar_1").size(), 9u);
  EXPECT_TRUE(store.WritesOf("bar_2").empty());
  EXPECT_EQ(store.WritesOf("bar_3").size(), 9u) << "written after the unnamed ones";

  MemoryStore dockOnly;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* toolbar = dynamic_cast<TToolbar*>(form->Components(i));
        toolbar && toolbar->Name().empty())
      toolbar->SetName("bar_0");
  EXPECT_EQ(RaisedText([&] { dockOnly.Save(form.get()); }),
            "Cannot save tool window's position because DockedTo's Name property not set");

  store.Set("bar_3", "DockedTo", "Left");
  auto* unnamed = TComponent::Create<CountingToolbar>(form.get());
  unnamed->SetParent(right);
  EXPECT_EQ(RaisedText([&] { store.Load(form.get()); }),
            "Cannot save tool window's position because Name property is not set");
  EXPECT_EQ(last->DockedTo(), left) << "loaded all the same";
  Window(40, 30, bottom);
  EXPECT_GT(bottom->Height(), 0) << "the docks are released";
}

TEST_F(LayoutPersistence, StoredPlacesAWindowCannotTakeAreRefused) {
  CountingToolbar* fixed = Bar("bar_1", top);
  fixed->SetDockMode(TToolWindowDockMode::dmCannotFloat);
  CountingToolbar* staying = Bar("bar_2", top);
  staying->SetDockMode(TToolWindowDockMode::dmCannotFloatOrChangeDocks);
  Bar("bar_3", top); // keeps row 0 of the top dock
  MemoryStore store;
  store.Save(form.get());
  store.Set("bar_1", "DockedTo", "+");
  store.Set("bar_2", "DockedTo", "Left");
  store.Load(form.get());
  EXPECT_EQ(fixed->DockedTo(), top);
  EXPECT_EQ(staying->DockedTo(), top);

  store.Set("bar_1", "DockedTo", "Bottom");
  store.Set("bar_2", "DockedTo", "+");
  store.Load(form.get());
  EXPECT_EQ(fixed->DockedTo(), bottom) << "it may change docks";
  EXPECT_EQ(staying->DockedTo(), top);
  store.Set("bar_2", "DockedTo", "Top");
  store.Set("bar_2", "DockRow", "1");
  store.Load(form.get());
  EXPECT_EQ(staying->DockRow(), 1) << "its own dock, another row";
}

TEST_F(LayoutPersistence, StoredNumbersOutOfRangeAreMended) {
  CountingToolbar* toolbar = Bar("bar_1", top);
  TToolWindow* window = Window(50, 40, left, "twd_1");
  MemoryStore store;
  store.Save(form.get());
  store.Set("bar_1", "DockRow", "-3");
  store.Set("twd_1", "ClientWidth", "-5");
  store.Set("twd_1", "ClientHeight", "10");
  store.Load(form.get());
  EXPECT_EQ(toolbar->DockRow(), 0);
  EXPECT_EQ(toolbar->Top(), 0);
  EXPECT_EQ(window->ClientAreaWidth(), 32);
  EXPECT_EQ(window->ClientAreaHeight(), 32);
  store.Set("twd_1", "ClientWidth", "33");
  store.Set("twd_1", "ClientHeight", "32");
  store.Load(form.get());
  EXPECT_EQ(window->ClientAreaWidth(), 33);
  EXPECT_EQ(window->ClientAreaHeight(), 32);
}

} // namespace
