#include "app/SpUnit.h"
#include "support/UiTest.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace quolin;

namespace {

bool IsTopmost(HWND window) {
  return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Whether upper comes before lower in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
  for (HWND window = GetWindow(upper, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
    if (window == lower)
      return true;
  return false;
}

TEST(Splash, GeometryStylesAndLabel) {
  auto splash = uitest::MakeForm<TSpForm>();
  splash->Show();
  splash->Update();
  HWND window = splash->Handle();

  RECT bounds{};
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 421);
  EXPECT_EQ(bounds.bottom - bounds.top, 231);
  RECT area = Screen->WorkAreaRect();
  EXPECT_NEAR(bounds.left - area.left, area.right - bounds.right, 1);
  EXPECT_NEAR(bounds.top - area.top, area.bottom - bounds.bottom, 1);

  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), WS_DLGFRAME);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(IsTopmost(window));
  EXPECT_EQ(splash->Color(), clWhite);

  EXPECT_EQ(splash->Label1->Caption(), "4.2.2.0");
  EXPECT_EQ(splash->Label1->Font().Color(), clOlive);
  EXPECT_TRUE(splash->Label1->Showing());
  EXPECT_FALSE(splash->Timer1->Enabled());
  EXPECT_EQ(splash->Timer1->Interval(), 256u);

  // The picture: the dark band at its left edge.
  HDC dc = GetDC(window);
  EXPECT_EQ(GetPixel(dc, 4, 100), RGB(0x1d, 0x5c, 0x63));
  EXPECT_EQ(GetPixel(dc, 200, 215), RGB(0xff, 0xff, 0xff));
  ReleaseDC(window, dc);
}

TEST(Splash, StaysAboveFormsShownAfterIt) {
  auto splash = uitest::MakeForm<TSpForm>();
  splash->Show();
  auto main = uitest::MakeForm();
  main->SetBounds(0, 0, 1000, 800);
  main->Show();
  uitest::Pump();
  EXPECT_TRUE(IsAbove(splash->Handle(), main->Handle()));
  EXPECT_FALSE(IsAbove(main->Handle(), splash->Handle()));
}

TEST(Splash, ClosesAndFreesItselfOnItsFirstTick) {
  auto* splash = TComponent::Create<TSpForm>(Application, "SpForm");
  splash->Show();
  uitest::Pump();
  HWND window = splash->Handle();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(splash->Timer1->Enabled()) << "nothing closes it before its timer runs";

  DWORD start = GetTickCount();
  splash->Timer1->SetEnabled(true);
  EXPECT_TRUE(uitest::PumpUntil([&] { return Application->FindComponent("SpForm") == nullptr; }));
  EXPECT_GE(GetTickCount() - start, 200u);
  EXPECT_FALSE(IsWindow(window));
}

// Shows a box while the splash is up, the main window too when mainShown; whether the box
// stood above the splash.
bool BoxStandsAboveSplash(bool mainShown) {
  auto splash = uitest::MakeForm<TSpForm>();
  splash->Show();
  auto main = uitest::MakeForm();
  if (mainShown) {
    main->SetBounds(0, 0, 1000, 800);
    main->Show();
  }
  TForm* active = mainShown ? main.get() : splash.get();
  EXPECT_TRUE(uitest::PumpUntil([&] { return Screen->ActiveForm() == active; }));
  HWND window = splash->Handle();
  bool boxAbove = false;
  uitest::BoxDriver driver([&](const uitest::BoxView& box) {
    boxAbove = IsAbove(box.window, window);
    box.Press(box.buttons.front());
  });
  MsgBox("データファイルが有効でありません.", "WoB");
  EXPECT_NE(driver.Seen().window, nullptr) << "no box appeared";
  EXPECT_TRUE(IsTopmost(window)) << "on top again after the box";
  return boxAbove;
}

TEST(Splash, MessageBoxShowsAboveIt) {
  EXPECT_TRUE(BoxStandsAboveSplash(false)) << "at start-up, the splash being the active form";
  EXPECT_TRUE(BoxStandsAboveSplash(true)) << "with the main window up and active";
}

} // namespace
