// The about box: the key sequence through real key messages, the credits driven by the box's
// timer, its links through the replaceable opener, and the modal word.
#include "settings/InfoDialogFixture.h"
#include "settings/VerUnit.h"
#include "ui/Buttons.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class AboutBox : public ::testing::Test {
protected:
  uitest::DialogRecorder dialogs;
  std::vector<std::string> opened;
  TOpenAddressHook previous =
      SetOpenAddressHook([this](const std::string& address) { opened.push_back(address); });
  TOwned<TVerForm> form{TComponent::Create<TVerForm>(nullptr, "VerForm")};

  void SetUp() override {
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return form->Active(); }));
    form->Button1->SetFocus();
  }
  void TearDown() override { SetOpenAddressHook(std::move(previous)); }

  void Press(WORD key, TShiftState shift = ssCtrl) {
    uitest::PressKey(form->Button1->Handle(), key, shift);
  }
  bool TextLabelsShown() const {
    for (TLabel* label : {form->Label1, form->Label2, form->Label4, form->Label6})
      if (!label->Visible())
        return false;
    return true;
  }
};

TEST_F(AboutBox, ShowsTheVersionAndHidesTheCredits) {
  EXPECT_EQ(form->Caption(), "バージョン情報");
  EXPECT_EQ(form->Label1->Text(), "Version 4.2.2.0");
  EXPECT_EQ(form->Button1->Text(), "閉じる");
  EXPECT_EQ(form->Button1->ModalResult, 1) << "closes with result 1";
  EXPECT_TRUE(form->Button1->Cancel());
  EXPECT_TRUE(TextLabelsShown());
  EXPECT_FALSE(form->Image2->Visible() || form->Label3->Visible() || form->Label5->Visible());
  EXPECT_EQ(form->Image2->Top(), 312);
  EXPECT_EQ(form->SequenceIndex(), 0);
  EXPECT_EQ(form->Label6->Cursor(), crHandPoint);
}

TEST_F(AboutBox, KeySequenceThroughKeyMessagesPlaysTheCreditsOnce) {
  for (char letter : std::string("VRIM"))
    Press(static_cast<WORD>(letter), 0);
  EXPECT_EQ(dialogs.beeps, 4) << "without Ctrl only beeps";
  EXPECT_EQ(form->SequenceIndex(), 0);
  Press(VK_CONTROL);
  EXPECT_EQ(dialogs.beeps, 4) << "Ctrl alone is quiet";
  Press('V');
  Press('R');
  Press('X');
  EXPECT_EQ(dialogs.beeps, 5);
  EXPECT_EQ(form->SequenceIndex(), 2) << "a wrong letter does not reset";
  Press('I', ssCtrl | ssShift);
  EXPECT_EQ(dialogs.beeps, 6);
  Press('I');
  EXPECT_TRUE(TextLabelsShown());
  Press('M');
  EXPECT_EQ(dialogs.beeps, 6);
  EXPECT_EQ(form->SequenceIndex(), 4);
  EXPECT_FALSE(TextLabelsShown());
  EXPECT_TRUE(form->Image2->Visible());
  EXPECT_TRUE(form->Timer1->Enabled());

  ASSERT_TRUE(uitest::PumpUntil([&] { return form->SequenceIndex() == -1; }));
  EXPECT_EQ(form->Image2->Top(), 180);
  EXPECT_TRUE(form->Label3->Visible());
  EXPECT_NE(form->Label3->Text().find("Independent JPEG Group"), std::string::npos);
  EXPECT_FALSE(form->Timer1->Enabled());

  Press('V');
  EXPECT_EQ(dialogs.beeps, 7) << "played once per showing";
  EXPECT_EQ(form->SequenceIndex(), -1);
  form->Close();
  form->Show();
  EXPECT_EQ(form->SequenceIndex(), 0);
  EXPECT_FALSE(form->Image2->Visible());
  EXPECT_EQ(form->Image2->Top(), 312);
}

TEST_F(AboutBox, CharactersAreDiscardedOnceTheSequenceBegan) {
  std::string typed;
  form->Button1->OnKeyPress = [&](TObject*, char& key) { typed += key; };
  uitest::TypeChar(form->Button1->Handle(), 'a');
  Press('V');
  uitest::TypeChar(form->Button1->Handle(), 'b');
  EXPECT_EQ(typed, "a");
}

TEST_F(AboutBox, ClosingMidAnimationStopsTheTimer) {
  for (char letter : std::string("VRIM"))
    Press(static_cast<WORD>(letter));
  ASSERT_TRUE(uitest::PumpUntil([&] { return form->Image2->Top() < 300; }));
  form->Close();
  EXPECT_FALSE(form->Timer1->Enabled());
  const int top = form->Image2->Top();
  // A later timer of the test's own: the box's steps would have come before it.
  bool later = false;
  uitest::Later(form.get(), [&] { later = true; }, 200);
  ASSERT_TRUE(uitest::PumpUntil([&] { return later; }));
  EXPECT_EQ(form->Image2->Top(), top);
}

TEST_F(AboutBox, LinksReachTheOpenerAndTheCheckCarriesTheVersion) {
  EXPECT_NE(VersionCheckAddress().find("4220"), std::string::npos);
  uitest::FormDriver::ClickAt(form->Label6->Handle(), {2, 2});
  uitest::FormDriver::ClickAt(form->Label2->Handle(), {2, 2});
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], VersionCheckAddress());
  EXPECT_NE(opened[1], opened[0]);
}

class AboutWord : public InfoDialogFixture {};

TEST_F(AboutWord, ShowsTheBoxModallyAndEscapeClosesIt) {
  std::string version;
  WhenUp<TVerForm>("VerForm", [&](TVerForm& box) {
    version = box.Label1->Text();
    uitest::PressKey(box.Button1->Handle(), VK_ESCAPE);
  });
  EXPECT_TRUE(Run("$Sys_OptVersion"));
  EXPECT_EQ(version, "Version 4.2.2.0");
  EXPECT_EQ(uitest::VisibleForm("VerForm"), nullptr);
}

} // namespace
