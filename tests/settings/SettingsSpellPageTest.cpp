#include "SettingsDialogFixture.h"

#include "app/SettingsBlock.h"
#include "common/FileDialogs.h"
#include "settings/SpellCheckPage.h"
#include "ui/FolderDlg.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

// A form of the test's own hosting the page, as the spell-check window's settings form does.
class BareHost : public TForm {
public:
  TSettingsChanges Changes;
  TFrm_SpellCheck* Page;

protected:
  explicit BareHost(TComponent* owner) : TForm(owner) {
    SetBounds(0, 0, 600, 500);
    Page = Create<TFrm_SpellCheck>(this, "Frm_SpellCheck", Changes);
    Page->SetParent(this);
  }
};

using SettingsSpellPage = SettingsDialogFixture;

TEST_F(SettingsSpellPage, HostedInABareFormTheMappingAndTheForcedTeXFilterHold) {
  top->Settings.SpellCheckOptions.MinWordLen = 5;
  top->Settings.SpellCheckOptions.nfTeX = false;
  top->Settings.SpellCheckOptions.nfMail = true;
  TOwned<BareHost> host(TComponent::Create<BareHost>(Application, "BareHost"));
  host->Show();
  uitest::FormDriver driver(*host);
  TFrm_SpellCheck& page = *host->Page;
  page.LoadSettings();
  EXPECT_EQ(page.Combo_MinWordCount1->ItemIndex(), 3);
  EXPECT_TRUE(driver.Get<TCheckBox>("Frm_SpellCheck.Check_nfMail1").Checked());
  page.Combo_MinWordCount1->SetItemIndex(0);
  driver.Get<TCheckBox>("Frm_SpellCheck.Check_nfMail1").SetChecked(false);
  page.SaveSettings();
  EXPECT_FALSE(page.PageLoaded);
  const TSpellCheckOptions& options = top->Settings.SpellCheckOptions;
  EXPECT_EQ(options.MinWordLen, 2);
  EXPECT_FALSE(options.nfMail);
  EXPECT_TRUE(options.nfTeX);
  EXPECT_FALSE(host->Changes.EditorChanged);
  EXPECT_FALSE(host->Changes.ModulesChanged);
  EXPECT_EQ(Stored(res::RegSectionSpellCheck, "MinWordLen"), DwordValue(2));
  EXPECT_EQ(Stored(res::RegSectionSpellCheck, "nfTeX"), BoolValue(true));
  // Saved once per visit: a second save without a load stores nothing.
  top->Settings.SpellCheckOptions.MinWordLen = 6;
  page.SaveSettings();
  EXPECT_EQ(Stored(res::RegSectionSpellCheck, "MinWordLen"), DwordValue(2));
}

TEST_F(SettingsSpellPage, BrowseButtonsOpenTheirDialogs) {
  std::vector<TFileDialogFields> shown;
  SetFileDialogHook([&](const TFileDialogFields& fields) {
    shown.push_back(fields);
    TFileDialogAnswer answer;
    answer.Confirmed = true;
    answer.FileNames = {files / "user.dic"};
    return answer;
  });
  std::vector<std::string> titles;
  SetFolderDialogHook([&](const std::string& title, std::string& folder) {
    titles.push_back(title);
    folder = files.Path();
    return true;
  });
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "スペルチェック");
    TFrm_SpellCheck& page = *form.Frm_SpellCheck;
    page.Edit_UserDic->SetText(files / "old.dic");
    uitest::FormDriver::Click(*page.Button_UserDic);
    EXPECT_EQ(page.Edit_UserDic->Text(), files / "user.dic");
    uitest::FormDriver::Click(*page.Button_DicFolder);
    EXPECT_EQ(page.Edit_DicFolder->Text(), files.Path());
    PressCancel(form);
  });
  SetFileDialogHook({});
  SetFolderDialogHook({});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].DefaultExt, "dic");
  EXPECT_EQ(shown[0].Filter, "辞書ファイル(*.dic)|*.dic|全て(*.*)|*.*");
  EXPECT_EQ(shown[0].FileName, "old.dic");
  EXPECT_EQ(titles, std::vector<std::string>{"辞書フォルダを指定してください."});
}

} // namespace
