#include "SettingsDialogFixture.h"

#include "app/SettingsBlock.h"
#include "app/UserFolders.h"
#include "core/SettingsMappings.h"
#include "editor/EditorControl.h"
#include "editor/EditorProps.h"
#include "settings/SetViewPage.h"
#include "ui/CommonDialogs.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class SettingsViewPage : public SettingsDialogFixture {
protected:
  TColor pick = clRed;
  int colorCalls = 0;

  void SetUp() override {
    SettingsDialogFixture::SetUp();
    SetColorDialogHook([this](TColor& color) {
      ++colorCalls;
      color = pick;
      return true;
    });
  }
  void TearDown() override {
    SetColorDialogHook({});
    SetFontDialogHook({});
    SettingsDialogFixture::TearDown();
  }
  // Chooses a category as the list's click does, then the colour button.
  static void Color(TFrm_SetView& page, int category, bool background = false) {
    page.List_Marks1->SetItemIndex(category);
    page.List_Marks1->OnClick(page.List_Marks1);
    uitest::FormDriver::Click(background ? *page.Button_BGColor1 : *page.Button_FGColor1);
  }
  // The sample's caret at pos, then the click's handler.
  static void ClickSample(TFrm_SetView& page, int pos) {
    page.Editor1->SetSelStart(pos);
    page.Editor1->SetSelLength(0);
    page.Editor1->OnMouseUp(page.Editor1, TMouseButton::mbLeft, 0, 0, 0);
  }
};

TEST_F(SettingsViewPage, EveryCategoryReachesItsTargetAfterOk) {
  const TColor colors[12] = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066,
                             0x000077, 0x000088, 0x000099, 0x0000AA, 0x0000BB, 0x0000CC};
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    for (int category = 0; category < 12; ++category) {
      pick = colors[category];
      Color(*form.Frm_SetView, category);
    }
    PressOk(form);
  });
  EXPECT_EQ(colorCalls, 12);
  const TEditorProp& prop = *top->EditorProp1;
  const TEditorColors& editor = prop.View().Colors();
  for (TEditorColorIndex index : {ciAnk, ciInt, ciSymbol, ciDBCS, ciStr})
    EXPECT_EQ(editor[index].Color(), colors[0]) << EditorColorName(index);
  EXPECT_EQ(editor[ciSelect].Color(), colors[1]);
  EXPECT_EQ(editor[ciReserve].Color(), colors[2]);
  EXPECT_EQ(editor[ciComment].Color(), colors[3]);
  EXPECT_EQ(prop.Marks().Underline().Color(), colors[4]);
  EXPECT_EQ(prop.Marks().EofMark().Color(), colors[5]);
  EXPECT_EQ(prop.Marks().RetMark().Color(), colors[5]);
  EXPECT_EQ(editor[ciUrl].Color(), colors[6]);
  EXPECT_EQ(editor[ciMail].Color(), colors[7]);
  EXPECT_EQ(prop.Color(), colors[8]);
  EXPECT_EQ(top->Color(), colors[9]);
  EXPECT_EQ(Stored(res::RegSectionEditor, "MainBGColor"), DwordValue(colors[9]));
  EXPECT_EQ(Stored(res::RegSectionEditor, "MainDocExpColor"),
            DwordValue(static_cast<uint32_t>(top->TreeView_Section->Color())));
  EXPECT_EQ(top->TreeView_Section->Font().Color(), colors[10]) << "no document: at once";
  EXPECT_EQ(top->LogFont.Color, colors[11]);
}

TEST_F(SettingsViewPage, ForegroundOnlyCategoriesDisableBackgroundAndStyles) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetView& page = *form.Frm_SetView;
    for (int category = 0; category < 12; ++category) {
      page.SelectCategory(category);
      bool foregroundOnly = category == 4 || category == 5 || category == 8 || category == 9;
      EXPECT_EQ(page.Button_BGColor1->Enabled(), !foregroundOnly) << category;
      EXPECT_EQ(page.Button_ColorOr1->Enabled(), !foregroundOnly) << category;
      EXPECT_EQ(page.CB_Bold1->Enabled(), !foregroundOnly) << category;
      if (foregroundOnly) {
        EXPECT_EQ(page.Panel_BGColor1->Color(), clBtnFace) << category;
      }
    }
    PressCancel(form);
  });
}

TEST_F(SettingsViewPage, SwapAndStyleBits) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetView& page = *form.Frm_SetView;
    pick = 0x123456;
    Color(page, 3);
    pick = 0x654321;
    Color(page, 3, true);
    uitest::FormDriver::Click(*page.Button_ColorOr1);
    const TEditorColor& comment = page.Editor1->View().Colors()[ciComment];
    EXPECT_EQ(comment.Color(), 0x654321);
    EXPECT_EQ(comment.BkColor(), 0x123456);
    page.CB_Italic1->SetFocus();
    uitest::FormDriver::Click(*page.CB_Italic1);
    EXPECT_EQ(comment.Style(), fsItalic);
    page.CB_UnderLine1->SetFocus();
    uitest::FormDriver::Click(*page.CB_UnderLine1);
    EXPECT_EQ(comment.Style(), fsItalic | fsUnderline);
    // A foreground-only category swaps nothing.
    page.SelectCategory(8);
    TColor back = page.Editor1->Color();
    uitest::FormDriver::Click(*page.Button_ColorOr1);
    EXPECT_EQ(page.Editor1->Color(), back);
    PressCancel(form);
  });
}

TEST_F(SettingsViewPage, ListClicksSelectTheSampleAndSampleClicksChooseCategories) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetView& page = *form.Frm_SetView;
    page.List_Marks1->SetItemIndex(1);
    page.List_Marks1->OnClick(page.List_Marks1);
    EXPECT_EQ(page.Editor1->SelStart(), 12);
    EXPECT_EQ(page.Editor1->SelLength(), 15);
    page.Editor1->OnMouseUp(page.Editor1, TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 1) << "a selection";
    page.List_Marks1->SetItemIndex(2);
    page.List_Marks1->OnClick(page.List_Marks1);
    EXPECT_EQ(page.Editor1->SelLength(), 0);
    const std::string text = page.Editor1->Text();
    ClickSample(page, 0);
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 3) << "comment";
    ClickSample(page, static_cast<int>(text.find("www")));
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 6) << "URL";
    ClickSample(page, static_cast<int>(text.find("user@")));
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 7) << "mail";
    ClickSample(page, static_cast<int>(text.find('\t')));
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 5) << "tab";
    ClickSample(page, static_cast<int>(text.find("and")));
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 0) << "plain word";
    page.Editor1->ReserveWordList().Add("and");
    ClickSample(page, static_cast<int>(text.find("and")));
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 2) << "reserved word";
    EXPECT_EQ(page.Editor1->Cursor(), crHandPoint);
    page.TreeView1->OnClick(page.TreeView1);
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 10);
    page.ListBox1->OnClick(page.ListBox1);
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 11);
    page.Panel_MainColor1->OnClick(page.Panel_MainColor1);
    EXPECT_EQ(page.List_Marks1->ItemIndex(), 9);
    PressCancel(form);
  });
}

TEST_F(SettingsViewPage, FontDialogAndLabels) {
  TFont asked;
  SetFontDialogHook([&](TFont& font) {
    asked = font;
    EXPECT_EQ(font.Size, top->EditorProp1->Font().Size) << "opened on the sample's font";
    font.Name = "ＭＳ ゴシック";
    font.Size = 14;
    return true;
  });
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetView& page = *form.Frm_SetView;
    EXPECT_EQ(page.Label_Font1->Caption(), top->EditorProp1->Font().Name + " / " +
                                               std::to_string(top->EditorProp1->Font().Size) +
                                               " pt");
    EXPECT_FALSE(page.Label_Size1->Visible());
    uitest::FormDriver::Click(*page.Button_Font1);
    EXPECT_EQ(page.Label_Font1->Caption(), "ＭＳ ゴシック / 14 pt");
    EXPECT_EQ(page.Label_Size1->Caption(), "14 ポイント");
    PressOk(form);
  });
  EXPECT_EQ(top->EditorProp1->Font().Name, "ＭＳ ゴシック");
  EXPECT_EQ(top->EditorProp1->Font().Size, 14);
}

TEST_F(SettingsViewPage, WithADocumentOpenTheTreeWaitsForRestart) {
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  const TColor treeColor = top->TreeView_Section->Color();
  pick = 0x00AA00;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Color(*form.Frm_SetView, 10, true);
    PressOk(form);
  });
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text,
            "ドキュメントエクスプローラの表示設定は, 再起動後有効になります.");
  EXPECT_EQ(top->TreeView_Section->Color(), treeColor);
  EXPECT_EQ(Stored(res::RegSectionEditor, "MainDocExpColor"), DwordValue(0x00AA00));
}

TEST_F(SettingsViewPage, AFontNameAloneNeitherAsksNorChangesTheTree) {
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  const std::string name = top->TreeView_Section->Font().Name();
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    form.Frm_SetView->TreeView1->Font().SetName("ＭＳ 明朝");
    PressOk(form);
  });
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(top->TreeView_Section->Font().Name(), name);
}

TEST_F(SettingsViewPage, RedEditorBackgroundRepaintsOpenDocuments) {
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  TEditor& view = *DocAt(0)->Editor1;
  pick = clRed;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Color(*form.Frm_SetView, 8);
    PressOk(form);
  });
  view.Update();
  uitest::Pump();
  RECT client{};
  GetClientRect(view.Handle(), &client);
  HDC dc = GetDC(view.Handle());
  COLORREF pixel = GetPixel(dc, client.right - 30, client.bottom - 10);
  ReleaseDC(view.Handle(), dc);
  EXPECT_EQ(pixel, RGB(255, 0, 0));
  TOwned<TEditorProp> fresh(TComponent::Create<TEditorProp>(nullptr));
  ASSERT_TRUE(ReadEditorPropFromRegistry(*fresh, res::RegSectionEditor, "Property"));
  EXPECT_EQ(fresh->Color(), clRed);
}

} // namespace

namespace {

TEST_F(SettingsViewPage, MarksReachTheSampleOnlyFromTheFocusedControl) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetView& page = *form.Frm_SetView;
    const bool eof = page.Editor1->Marks().EofMark().Visible();
    page.CB_MarkEof1->SetChecked(!eof); // as loading does: not focused
    EXPECT_EQ(page.Editor1->Marks().EofMark().Visible(), eof);
    page.CB_MarkEof1->SetFocus();
    uitest::FormDriver::Click(*page.CB_MarkEof1);
    EXPECT_EQ(page.Editor1->Marks().EofMark().Visible(), page.CB_MarkEof1->Checked());
    page.SpinEdit_Line1->SetValue(5);
    EXPECT_NE(page.Editor1->Margin().Line(), 5);
    page.SpinEdit_Line1->SetFocus();
    page.SpinEdit_Line1->SetValue(4);
    EXPECT_EQ(page.Editor1->Margin().Line(), 4);
    PressCancel(form);
  });
}

} // namespace
