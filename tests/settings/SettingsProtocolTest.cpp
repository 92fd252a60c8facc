#include "SettingsDialogFixture.h"

#include "app/SettingsBlock.h"
#include "editor/EditorControl.h"
#include "editor/EditorProps.h"
#include "settings/SetEditPage.h"
#include "settings/SetViewPage.h"
#include "settings/SpellCheckPage.h"
#include "settings/ToolPages.h"
#include "support/CaptionFit.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class SettingsProtocol : public SettingsDialogFixture {
protected:
  // Values of the other pages' groups, stored unlike what the main window holds, so that a
  // save of those pages would overwrite them.
  void SeedOtherGroups() {
    Store(res::RegSectionEditor, "IndentType", DwordValue(0));
    Store(res::RegSectionEditor, "EnterStr", SzValue("seeded"));
    Store(res::RegSectionFileIO, "NorBackUpExt", SzValue("seeded"));
    Store(res::RegSectionLogFiles, "dvi", BoolValue(true));
    Store(res::RegSectionSpellCheck, "MinWordLen", DwordValue(7));
    Store(std::string(res::RegSectionTexModule) + "\\TeX", "ExeName", SzValue("seeded"));
  }
  static std::vector<RawValue> OtherGroups() {
    return {Stored(res::RegSectionEditor, "IndentType"),
            Stored(res::RegSectionEditor, "EnterStr"),
            Stored(res::RegSectionFileIO, "NorBackUpExt"),
            Stored(res::RegSectionLogFiles, "dvi"),
            Stored(res::RegSectionSpellCheck, "MinWordLen"),
            Stored(std::string(res::RegSectionTexModule) + "\\TeX", "ExeName")};
  }
  static std::vector<bool> Loaded(TSetForm& form) {
    std::vector<bool> loaded;
    for (int i = 0; i < form.PageControl1->PageCount(); ++i) {
      auto* page = dynamic_cast<TSettingsPage*>(form.PageControl1->Pages(i)->Controls(0));
      loaded.push_back(page && page->PageLoaded);
    }
    return loaded;
  }
};

TEST_F(SettingsProtocol, TheDialogHasItsElevenSheetsAndShowingLoadsOnlyTheViewPage) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    EXPECT_EQ(form.Caption(), "設定");
    std::vector<std::string> captions;
    for (int i = 0; i < form.PageControl1->PageCount(); ++i)
      captions.push_back(form.PageControl1->Pages(i)->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"表示", "編集1", "編集2", "ファイル", "ログ/処理",
                                                  "スペルチェック", "TeX", "DviPreview", "DviPrint",
                                                  "MakeIndex", "BibTeX"}));
    EXPECT_EQ(form.PageControl1->ActivePageIndex(), 0);
    std::vector<bool> expected(11, false);
    expected[0] = true;
    EXPECT_EQ(Loaded(form), expected);
    EXPECT_EQ(form.HelpContext, 1304);
    PressCancel(form);
  });
}

TEST_F(SettingsProtocol, EveryCheckBoxAndRadioButtonShowsItsWholeCaption) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    for (int i = 0; i < form.PageControl1->PageCount(); ++i) {
      TTabSheet& sheet = *form.PageControl1->Pages(i);
      SCOPED_TRACE(sheet.Caption());
      Visit(form, sheet.Caption());
      EXPECT_GT(ExpectMarkedCaptionsFit(sheet.Handle()), 0);
    }
    PressCancel(form);
  });
}

TEST_F(SettingsProtocol, OkWithoutAVisitStoresOnlyTheViewPage) {
  SeedOtherGroups();
  const std::vector<RawValue> before = OtherGroups();
  RegDeleteValue(HKEY_CURRENT_USER, SettingsKeyOf(res::RegSectionEditor), "MainBGColor");
  RunDialog([&](TSetForm& form, uitest::FormDriver&) { PressOk(form); });
  EXPECT_EQ(OtherGroups(), before);
  EXPECT_EQ(Stored(res::RegSectionEditor, "MainBGColor").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Stored(std::string(res::RegSectionEditor) + "\\Property", "Property").type,
            static_cast<DWORD>(REG_BINARY));
}

TEST_F(SettingsProtocol, AVisitedTabLoadsItsPageOnceAndHelpFollowsTheSheet) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    EXPECT_TRUE(form.Frm_SetEdit->PageLoaded);
    EXPECT_EQ(form.HelpContext, 1302);
    // A second visit keeps what the user typed: the page is not filled again.
    form.Frm_SetEdit->Edit_LeftStr1->SetText("typed");
    Visit(form, "TeX");
    EXPECT_EQ(form.HelpContext, 1310);
    Visit(form, "編集1");
    EXPECT_EQ(form.Frm_SetEdit->Edit_LeftStr1->Text(), "typed");
    Visit(form, "BibTeX");
    EXPECT_EQ(form.HelpContext, 1301);
    Visit(form, "スペルチェック");
    EXPECT_EQ(form.HelpContext, 1311);
    PressCancel(form);
  });
}

TEST_F(SettingsProtocol, VisitAndCancelStoreNothingAndTheNextShowingReloads) {
  SeedOtherGroups();
  const std::vector<RawValue> before = OtherGroups();
  const RawValue property = Stored(std::string(res::RegSectionEditor) + "\\Property", "Property");
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    for (const char* caption : {"編集1", "編集2", "ファイル", "ログ/処理", "スペルチェック", "TeX"})
      Visit(form, caption);
    form.Frm_SetEdit->Edit_LeftStr1->SetText("typed");
    PressCancel(form);
  });
  EXPECT_EQ(OtherGroups(), before);
  EXPECT_EQ(Stored(std::string(res::RegSectionEditor) + "\\Property", "Property"), property);
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    EXPECT_EQ(form.Frm_SetEdit->Edit_LeftStr1->Text(), top->EditorProp1->WrapOption().FollowStr());
    PressCancel(form);
  });
}

TEST_F(SettingsProtocol, AVisitedToolPageStoresTheModulesOnOk) {
  Store(std::string(res::RegSectionTexModule) + "\\Bib", "ExeName", SzValue("seeded"));
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "BibTeX");
    PressOk(form);
  });
  EXPECT_EQ(StoredString(std::string(res::RegSectionTexModule) + "\\Bib", "ExeName"),
            top->TexCtrl1->Modules()[mtBibTeX].ExeName);
}

TEST_F(SettingsProtocol, EditPageOkStoresThePropertyAndAnOpenDocumentTakesTheTabWidth) {
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  TDocForm* doc = DocAt(0);
  doc->SetWordWrap(true);
  ASSERT_NE(top->EditorProp1->Caret().TabSpaceCount(), 6);
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    form.Frm_SetEdit->Combo_TabWidth1->SetItemIndex(2);
    PressOk(form);
  });
  EXPECT_EQ(doc->Editor1->Caret().TabSpaceCount(), 6);
  EXPECT_TRUE(doc->Editor1->WordWrap()) << "the document keeps its wrap state";
  TOwned<TEditorProp> fresh(TComponent::Create<TEditorProp>(nullptr));
  ASSERT_TRUE(ReadEditorPropFromRegistry(*fresh, res::RegSectionEditor, "Property"));
  EXPECT_EQ(fresh->Caret().TabSpaceCount(), 6);
}

TEST_F(SettingsProtocol, IndentTypeFourEnablesTheList) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    TFrm_SetEdit& page = *form.Frm_SetEdit;
    uitest::FormDriver::Click(*page.RadioButton4);
    EXPECT_TRUE(page.ListBox1->Enabled());
    uitest::FormDriver::Click(*page.RadioButton2);
    EXPECT_FALSE(page.ListBox1->Enabled());
    PressOk(form);
  });
  EXPECT_EQ(top->Settings.EditOption.IndentType, 1);
  EXPECT_EQ(Stored(res::RegSectionEditor, "IndentType"), DwordValue(1));
}

TEST_F(SettingsProtocol, StoredValuesOffTheListsShowClampedAndOkStoresTheShownChoice) {
  top->EditorProp1->Caret().SetTabSpaceCount(10);
  top->Settings.Edit2Option.SectionViewLevel = 9;
  top->Settings.SpellCheckOptions.MinWordLen = 1;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    EXPECT_EQ(form.Frm_SetEdit->Combo_TabWidth1->Text(), "8");
    Visit(form, "編集2");
    Visit(form, "スペルチェック");
    EXPECT_EQ(form.Frm_SpellCheck->Combo_MinWordCount1->Text(), "2");
    PressOk(form);
  });
  EXPECT_EQ(top->EditorProp1->Caret().TabSpaceCount(), 8);
  EXPECT_EQ(top->Settings.Edit2Option.SectionViewLevel, 7);
  EXPECT_EQ(top->Settings.SpellCheckOptions.MinWordLen, 2);
}

} // namespace

namespace {

TEST_F(SettingsProtocol, TheOutlineIconsFollowTheSettingAfterOk) {
  for (bool icons : {false, true}) {
    RunDialog([&](TSetForm& form, uitest::FormDriver& driver) {
      Visit(form, "編集2");
      auto& box = driver.Get<TCheckBox>("Frm_SetEdit2.Check_Icon");
      if (box.Checked() != icons)
        uitest::FormDriver::Click(box);
      PressOk(form);
    });
    TImageList* expected = icons ? top->ImageList2 : nullptr;
    EXPECT_EQ(top->TreeView_Section->Images(), expected) << icons;
    EXPECT_EQ(top->TreeView_Section->StateImages(), expected) << icons;
    EXPECT_EQ(top->Settings.Edit2Option.DoubleBuffer, false);
  }
}

} // namespace

namespace {

TEST_F(SettingsProtocol, TheSettingsCommandsOpenTheirDialogsThroughTheRouter) {
  bool shown = false;
  RunDialog(
      [&](TSetForm& form, uitest::FormDriver&) {
        shown = form.Visible();
        PressCancel(form);
      },
      [] { ExecuteCommand(nullptr, "$Sys_OptSetup", 0); });
  EXPECT_TRUE(shown);
  for (const char* word : {"$Sys_OptBracketSetup", "$Sys_OptDocExpSetup"}) {
    std::string opened;
    uitest::Later(top, [&] {
      for (const char* name : {"KakkoForm", "SetExpForm"})
        if (auto* form = dynamic_cast<TForm*>(Application->FindComponent(name))) {
          opened = name;
          form->SetModalResult(mrCancel);
        }
    });
    ExecuteCommand(nullptr, word, 0);
    EXPECT_EQ(opened, std::string(word) == "$Sys_OptBracketSetup" ? "KakkoForm" : "SetExpForm");
  }
  EXPECT_TRUE(dialogs.calls.empty()) << "no word says it is not there yet";
}

} // namespace
