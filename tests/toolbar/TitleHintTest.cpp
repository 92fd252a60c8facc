// The title-bar hint: its window-free geometry, then on a real form whose hit tests and
// activation are sent to it, with the clock and the pointer in the test's hands and the
// timer's tick called directly.
#include "support/TitleHintDriver.h"
#include "support/UiTest.h"
#include "support/WindowSearch.h"
#include "toolbar/HintGeometry.h"
#include "toolbar/TBHints.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

TEST(HintGeometry, BandStylesClampAndElapsedTime) {
  // A 400 x 300 window with a 4-pixel frame; caption 19, border 1, caption buttons 18 wide.
  DockRect band = CaptionBand({100, 50, 500, 350}, 392, {19, 1, 18});
  EXPECT_EQ(band, (DockRect{100 + 4 + 18, 54, 500 - 4 - 3 * 18, 54 + 18}));

  DockRect screen{0, 0, 1280, 1024};
  EXPECT_EQ(HintBounds(tsMousePos, band, {200, 60}, 80, 20, screen), (DockRect{200, 80, 280, 100}));
  EXPECT_EQ(HintBounds(tsBottom, band, {200, 60}, 80, 20, screen), (DockRect{122, 76, 202, 96}));
  EXPECT_EQ(HintBounds(tsTop, band, {200, 60}, 80, 20, screen), (DockRect{122, 30, 202, 50}));
  EXPECT_EQ(HintBounds(tsMousePos, band, {1250, 1000}, 80, 20, screen),
            (DockRect{1200, 1004, 1280, 1024}))
      << "kept on the screen at its right and bottom";

  EXPECT_EQ(ElapsedTicks(5, 0xFFFFFFF0u), 21u) << "across the wrap of the tick count";
  EXPECT_EQ(ElapsedTicks(600, 100), 500u);
}

class TitleHint : public ::testing::Test {
protected:
  TOwned<TForm> form = uitest::MakeForm();
  TTBHint* hint = TComponent::Create<TTBHint>(form.get(), "TBHint1");
  uitest::TitleHintDriver drive{*form, *hint};
  int asked = 0;
  std::string text = "C:\\doc\\a.tex";

  void SetUp() override {
    form->SetPosition(TPosition::poDesigned);
    form->SetBounds(100, 100, 400, 200);
    form->Show();
    uitest::Pump();
    hint->OnHint = [this](TObject* sender, bool&) {
      EXPECT_EQ(sender, hint);
      ++asked;
      hint->HintString = text;
    };
  }
};

TEST_F(TitleHint, ShowsAfterWaitTimeAndGoesAfterShowTimeUntilThePointerComesBack) {
  drive.EnterCaption();
  EXPECT_TRUE(hint->Tracking());
  EXPECT_TRUE(hint->Polling());
  drive.TickAt(500);
  EXPECT_FALSE(drive.Shown()) << "not before more than WaitTime";
  drive.TickAt(501);
  ASSERT_TRUE(drive.Shown());
  EXPECT_EQ(asked, 1);
  drive.TickAt(7500);
  EXPECT_TRUE(drive.Shown());
  drive.TickAt(7501);
  EXPECT_FALSE(drive.Shown());
  EXPECT_FALSE(hint->Polling());

  ASSERT_EQ(drive.MoveTo(drive.Caption()), HTCAPTION);
  drive.TickAt(9000);
  EXPECT_FALSE(drive.Shown()) << "not again while the pointer stays";
  drive.EnterCaption();
  drive.TickAt(501);
  EXPECT_TRUE(drive.Shown()) << "again after leaving and coming back";
  EXPECT_EQ(asked, 2);
}

TEST_F(TitleHint, LeavingTheBandOrTheCaptionHidesIt) {
  POINT close = uitest::CaptionPoint(form->Handle(), true);
  ASSERT_EQ(drive.MoveTo(close), HTCLOSE);
  EXPECT_FALSE(hint->Band().Contains({close.x, close.y})) << "the close button is outside";

  ASSERT_EQ(drive.Rest(), text);
  drive.pointer = close;
  drive.TickAt(502);
  EXPECT_FALSE(drive.Shown()) << "the pointer left the band";
  EXPECT_FALSE(hint->Tracking());

  ASSERT_EQ(drive.Rest(), text);
  drive.MoveTo(drive.Client());
  EXPECT_FALSE(drive.Shown()) << "the form answered another place";
  EXPECT_FALSE(hint->Tracking());
}

TEST_F(TitleHint, NothingShowsForAnInactiveFormARefusalOrAnEmptyText) {
  SendMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(drive.Rest(), "");
  EXPECT_EQ(asked, 0) << "an inactive form is not asked";
  EXPECT_FALSE(hint->Polling());

  SendMessageA(form->Handle(), WM_NCACTIVATE, TRUE, 0);
  hint->OnHint = [this](TObject*, bool& canShow) {
    ++asked;
    canShow = false;
  };
  EXPECT_EQ(drive.Rest(), "");
  EXPECT_FALSE(hint->Polling()) << "a refusal stops polling";
  ASSERT_EQ(drive.MoveTo(drive.Caption()), HTCAPTION);
  EXPECT_FALSE(hint->Polling()) << "until the caption is entered again";
  drive.EnterCaption();
  EXPECT_TRUE(hint->Polling());

  hint->OnHint = nullptr;
  hint->HintString.clear();
  EXPECT_EQ(drive.Rest(), "");
  EXPECT_FALSE(hint->HintWindow()) << "no empty box";
  EXPECT_FALSE(hint->Polling());
}

TEST_F(TitleHint, HintWindowIsTopmostInactiveOwnedByTheApplicationAndPainted) {
  hint->FrameColor = clRed;
  hint->FrameShadowColor = clBlue;
  hint->Color = clLime;
  ASSERT_EQ(drive.Rest(), text);
  HWND window = hint->HintWindow();
  EXPECT_EQ(test_support::ClassNameOf(window), "TTBHintForm");
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(window, GW_OWNER), Application->Handle());
  EXPECT_NE(GetActiveWindow(), window);

  RECT bounds;
  GetWindowRect(window, &bounds);
  int height = bounds.bottom - bounds.top;
  SIZE extent = TextExtent(hint->Font().Handle(), text);
  EXPECT_EQ(bounds.right - bounds.left, extent.cx + 6);
  EXPECT_EQ(height, extent.cy + 6);
  EXPECT_EQ(bounds.left, drive.pointer.x);
  EXPECT_EQ(bounds.top, drive.pointer.y + height) << "one hint height below the pointer";

  UpdateWindow(window);
  HDC dc = GetDC(window);
  int right = bounds.right - bounds.left - 1;
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, height - 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, right, height - 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, height - 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
  ReleaseDC(window, dc);
}

TEST_F(TitleHint, FreeingTheHintLeavesLaterObserversOfTheForm) {
  std::vector<LRESULT> seen;
  form->AddAfterMessageObserver([&](TMessage& message) {
    if (message.Msg == WM_NCHITTEST)
      seen.push_back(message.Result);
  });
  ASSERT_EQ(drive.Rest(), text);
  hint->Free();
  EXPECT_EQ(drive.MoveTo(drive.Caption()), HTCAPTION);
  EXPECT_EQ(seen, (std::vector<LRESULT>{HTCLIENT, HTCAPTION, HTCAPTION}))
      << "the later observer sees each answer";
}

} // namespace
