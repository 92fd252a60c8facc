// The colour and font dialogs: their test hooks, the real platform dialogs pressed from a
// second thread, and the font's LOGFONT record both ways.
#include "common/LogFont.h"
#include "support/DialogDriver.h"
#include "support/UiTest.h"
#include "ui/CommonDialogs.h"
#include "ui/Forms.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class UiColorFontDialogs : public ::testing::Test {
protected:
  TOwned<TForm> form = uitest::MakeForm();
  TColorDialog* colorDialog = TComponent::Create<TColorDialog>(form.get(), "ColorDialog1");
  TFontDialog* fontDialog = TComponent::Create<TFontDialog>(form.get(), "FontDialog1");

  void SetUp() override { form->Show(); }
  void TearDown() override {
    SetColorDialogHook(nullptr);
    SetFontDialogHook(nullptr);
  }

  TFont SampleFont() const {
    TFont font;
    font.Name = "ＭＳ ゴシック";
    font.Size = 9;
    font.Style = fsBold | fsItalic | fsUnderline;
    font.Color = clRed;
    return font;
  }
};

// Presses button on the dialog once it is up, noting the window that owns it.
DialogDriver::Action PressNoting(int button, HWND& owner) {
  return [button, &owner](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    DialogDriver::Press(dialog, button);
  };
}

bool HasOkButton(HWND dialog) {
  return GetDlgItem(dialog, IDOK) != nullptr;
}

TEST_F(UiColorFontDialogs, HooksGetTheInitialValueAndOnlyAConfirmedAnswerChangesIt) {
  TColor seen = clNone;
  bool confirm = false;
  SetColorDialogHook([&](TColor& color) {
    seen = color;
    color = clRed;
    return confirm;
  });
  colorDialog->Color = clBtnFace;
  EXPECT_FALSE(colorDialog->Execute());
  EXPECT_EQ(seen, clBtnFace);
  EXPECT_EQ(colorDialog->Color, clBtnFace);
  confirm = true;
  EXPECT_TRUE(colorDialog->Execute());
  EXPECT_EQ(colorDialog->Color, clRed);

  TFont seenFont;
  SetFontDialogHook([&](TFont& font) {
    seenFont = font;
    font.Size = 20;
    return confirm;
  });
  fontDialog->Font = SampleFont();
  confirm = false;
  EXPECT_FALSE(fontDialog->Execute());
  EXPECT_EQ(seenFont, SampleFont());
  EXPECT_EQ(fontDialog->Font, SampleFont());
  confirm = true;
  EXPECT_TRUE(fontDialog->Execute());
  EXPECT_EQ(fontDialog->Font.Size, 20);
}

TEST_F(UiColorFontDialogs, TheRealColourDialogGivesBackTheInitialColourOnOkAndKeepsItOnCancel) {
  colorDialog->Color = clBtnFace;
  HWND owner = nullptr;
  {
    DialogDriver driver(PressNoting(IDOK, owner), HasOkButton);
    EXPECT_TRUE(colorDialog->Execute());
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(colorDialog->Color, static_cast<TColor>(ColorToRGB(clBtnFace))) << "as its RGB value";
  EXPECT_EQ(owner, form->Handle());
  colorDialog->Color = clNavy;
  {
    DialogDriver driver(PressNoting(IDCANCEL, owner), HasOkButton);
    EXPECT_FALSE(colorDialog->Execute());
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(colorDialog->Color, clNavy);
}

TEST_F(UiColorFontDialogs, TheRealFontDialogReturnsOnOkAndKeepsTheFontOnCancel) {
  fontDialog->Font = SampleFont();
  HWND owner = nullptr;
  {
    DialogDriver driver(PressNoting(IDOK, owner), HasOkButton);
    fontDialog->Execute(); // the dialog does not keep the initial face reliably here
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(owner, form->Handle());
  fontDialog->Font = SampleFont();
  {
    DialogDriver driver(PressNoting(IDCANCEL, owner), HasOkButton);
    EXPECT_FALSE(fontDialog->Execute());
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(fontDialog->Font, SampleFont());
}

TEST_F(UiColorFontDialogs, TheLogFontRecordCarriesTheFontBothWays) {
  TFont font = SampleFont();
  LOGFONTA record = LogFontOf(font);
  EXPECT_STREQ(record.lfFaceName, "ＭＳ ゴシック");
  EXPECT_EQ(record.lfHeight, font.PixelHeight());
  EXPECT_EQ(record.lfWeight, 700);
  EXPECT_TRUE(record.lfItalic);
  EXPECT_TRUE(record.lfUnderline);
  EXPECT_FALSE(record.lfStrikeOut);
  EXPECT_EQ(record.lfCharSet, SHIFTJIS_CHARSET_VALUE);
  EXPECT_EQ(FontOfLogFont(record, font), font);
  EXPECT_EQ(FontOfLogFont(record).Color, TFont{}.Color) << "a record has no colour";
  font.Style = 0;
  EXPECT_EQ(LogFontOf(font).lfWeight, 400);
  record.lfWeight = 699;
  EXPECT_FALSE(FontOfLogFont(record).Style & fsBold);
  record.lfWeight = 700;
  EXPECT_TRUE(FontOfLogFont(record).Style & fsBold);
}

TEST_F(UiColorFontDialogs, ALongJapaneseFaceIsCutBetweenCharacters) {
  TFont font;
  font.Name.clear();
  for (int i = 0; i < 20; ++i)
    font.Name += "字"; // two bytes each: 40 bytes
  EXPECT_EQ(std::strlen(LogFontOf(font).lfFaceName), 30u) << "byte 31 would split a character";
  font.Name = "A" + font.Name;
  EXPECT_EQ(std::strlen(LogFontOf(font).lfFaceName), 31u);
  EXPECT_EQ(std::string(LogFontOf(font).lfFaceName), font.Name.substr(0, 31));
}

} // namespace
