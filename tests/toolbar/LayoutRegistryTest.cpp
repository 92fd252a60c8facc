// Saving and loading where windows stand in the registry of a user of the test's own: a round
// trip over every dock, floating and hidden, the stored types, a REG_DWORD, the leading "\",
// windows brought back onto the screen, fixed-size tool windows and wrapped floating toolbars.
#include "LayoutFixture.h"

#include "support/ScratchCurrentUser.h"
#include "ui/Forms.h"

using namespace docktest;
using namespace quolin::test_support;

namespace {

constexpr char KeyPath[] = "\\Software\\Dravenlux\\Quolin\\4.2\\Toolbar";

class LayoutRegistry : public LayoutForm {
protected:
  ScratchCurrentUser user;

  void Save() { SaveToolWindowLayoutToRegistry(form.get(), nullptr, KeyPath); }
  void Load() { LoadToolWindowLayoutFromRegistry(form.get(), nullptr, KeyPath); }
  static std::string KeyOf(const std::string& window) {
    return std::string(KeyPath + 1) + "\\" + window;
  }
  static RawValue Value(const std::string& window, const std::string& name) {
    return QueryRaw(HKEY_CURRENT_USER, KeyOf(window), name);
  }
  static void Put(const std::string& window, const std::string& name, const std::string& text) {
    SetRaw(HKEY_CURRENT_USER, KeyOf(window), name, SzValue(text));
  }
};

struct Place {
  TDock* dock;
  int row;
  int position;
  bool visible;
  POINT floating;
};

Place PlaceOf(const TCustomToolWindow& window) {
  return {window.DockedTo(), window.DockRow(), window.DockPos(), window.Visible(),
          window.FloatingPosition()};
}

void ExpectSamePlace(const Place& expected, const TCustomToolWindow& window) {
  Place actual = PlaceOf(window);
  EXPECT_EQ(actual.dock, expected.dock) << window.Name();
  EXPECT_EQ(actual.visible, expected.visible) << window.Name();
  EXPECT_EQ(actual.floating.x, expected.floating.x) << window.Name();
  EXPECT_EQ(actual.floating.y, expected.floating.y) << window.Name();
  if (!expected.dock)
    return;
  EXPECT_EQ(actual.row, expected.row) << window.Name();
  EXPECT_EQ(actual.position, expected.position) << window.Name();
}

TEST_F(LayoutRegistry, RoundTripOnEveryDockFloatingAndHidden) {
  std::vector<TCustomToolWindow*> windows;
  const char* names[] = {"bar_00000001", "bar_00000002", "bar_00000003", "bar_00000004"};
  TDock* docks[] = {top, bottom, left, right};
  for (int i = 0; i < 4; ++i) {
    windows.push_back(Bar(names[i], docks[i]));
    windows.back()->SetDockPos(10 * i);
  }
  windows.push_back(Bar("bar_00000005", top));
  windows.back()->SetDockRow(1);
  windows.push_back(FloatingBar("bar_00000006", {320, 330}));
  windows.push_back(Window(60, 50, left, "twd_00000001"));
  windows.push_back(Window(70, 40, nullptr, "twd_00000002"));
  windows.back()->SetBounds(340, 350, windows.back()->Width(), windows.back()->Height());
  windows.push_back(Window(40, 40, right, "twd_00000003"));
  windows.back()->Hide();
  std::vector<Place> saved;
  for (TCustomToolWindow* window : windows)
    saved.push_back(PlaceOf(*window));
  Save();

  for (TCustomToolWindow* window : windows) {
    window->SetDockedTo(window->Docked() ? nullptr : bottom);
    window->Show();
  }
  Load();
  for (size_t i = 0; i < windows.size(); ++i)
    ExpectSamePlace(saved[i], *windows[i]);
  EXPECT_EQ(windows[6]->Width(), 60 + 4) << "the tool window's client on the left dock";

  for (const char* name : {"Rev", "Visible", "DockRow", "DockPos", "FloatLeft", "FloatTop",
                           "FloatRightX", "DockedTo", "LastDock"})
    EXPECT_EQ(Value("bar_00000001", name).type, static_cast<DWORD>(REG_SZ)) << name;
  EXPECT_EQ(Value("bar_00000001", "Rev"), SzValue("3"));
  EXPECT_EQ(Value("bar_00000001", "DockedTo"), SzValue("Top"));
  EXPECT_EQ(Value("twd_00000002", "ClientWidth"), SzValue("70"));
  EXPECT_EQ(Value("twd_00000003", "Visible"), SzValue("0"));
}

TEST_F(LayoutRegistry, ADwordValueIsReadAsItStands) {
  CountingToolbar* toolbar = Bar("bar_00000001", top);
  Bar("bar_00000002", top);
  Save();
  SetRaw(HKEY_CURRENT_USER, KeyOf("bar_00000001"), "DockRow", DwordValue(1));
  Put("bar_00000001", "DockPos", "not a number");
  toolbar->SetDockPos(200);
  ASSERT_EQ(toolbar->DockPos(), 200);
  Load();
  EXPECT_EQ(toolbar->DockRow(), 1);
  EXPECT_EQ(toolbar->DockPos(), 200) << "text that is no number: the current position";
}

TEST_F(LayoutRegistry, FloatingWindowsComeBackOntoTheScreenOnlyWhenWhollyOff) {
  CountingToolbar* gone = FloatingBar("bar_00000001", {300, 300});
  CountingToolbar* partly = FloatingBar("bar_00000002", {300, 340});
  Save();
  const RECT work = Screen->WorkAreaOf(gone->BoundsRect());
  Put("bar_00000001", "FloatLeft", "-20000");
  Put("bar_00000001", "FloatTop", "-20000");
  const int partlyLeft = work.right - 10;
  Put("bar_00000002", "FloatLeft", std::to_string(partlyLeft));
  Load();
  EXPECT_EQ(gone->Left(), work.left);
  EXPECT_EQ(gone->Top(), work.top);
  EXPECT_EQ(partly->Left(), partlyLeft);
  EXPECT_EQ(partly->Top(), 340);
}

TEST_F(LayoutRegistry, AToolWindowThatIsNotResizableKeepsItsClientSize) {
  TToolWindow* fixed = Window(50, 40, top, "twd_00000001");
  TToolWindow* sizable = Window(50, 40, top, "twd_00000002");
  fixed->SetResizable(false);
  Save();
  for (const char* name : {"twd_00000001", "twd_00000002"}) {
    Put(name, "ClientWidth", "90");
    Put(name, "ClientHeight", "70");
  }
  Load();
  EXPECT_EQ(fixed->ClientAreaWidth(), 50);
  EXPECT_EQ(sizable->ClientAreaWidth(), 90);
  EXPECT_EQ(sizable->ClientAreaHeight(), 70);
}

TEST_F(LayoutRegistry, AWrappedFloatingToolbarComesBackWrapped) {
  CountingToolbar* toolbar = MakeToolbar(form.get(), nullptr, "bar_00000001");
  for (int i = 0; i < 3; ++i)
    AddButton(toolbar, 20, 20);
  toolbar->SetFloatingRightX(48);
  ASSERT_EQ(toolbar->ClientHeight(), 43);
  Save();
  EXPECT_EQ(Value("bar_00000001", "FloatRightX"), SzValue("48"));
  toolbar->SetFloatingRightX(0);
  ASSERT_EQ(toolbar->ClientHeight(), 23);
  Load();
  EXPECT_EQ(toolbar->FloatingRightX(), 48);
  EXPECT_EQ(toolbar->ClientWidth(), 48);
  EXPECT_EQ(toolbar->ClientHeight(), 43);
}

} // namespace
