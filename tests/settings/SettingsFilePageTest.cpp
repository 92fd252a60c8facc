#include "SettingsDialogFixture.h"

#include "app/FileState.h"
#include "app/UserFolders.h"
#include "common/Registry.h"
#include "settings/SetFilePage.h"
#include "support/FileDialogAnswers.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class SettingsFilePage : public SettingsDialogFixture {
protected:
  FileDialogAnswers fileDialogs;

  static TFrm_SetFile& Page(TSetForm& form) {
    Visit(form, "ファイル");
    return *form.Frm_SetFile;
  }
};

TEST_F(SettingsFilePage, ExtensionsGetTheirDotOnExitAndOnSave) {
  top->Settings.FileIOOption.NorBackUp = false;
  top->Settings.FileIOOption.OrgBackUp = false;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetFile& page = Page(form);
    EXPECT_FALSE(page.Ed_BakExt1->Enabled());
    EXPECT_FALSE(page.Label_BakExt1->Enabled());
    uitest::FormDriver::Click(*page.CK_Backup1);
    EXPECT_TRUE(page.Ed_BakExt1->Enabled());
    EXPECT_TRUE(page.Label_BakExt1->Enabled());
    EXPECT_FALSE(page.Ed_BakOrgExt1->Enabled());
    uitest::FormDriver::Click(*page.CK_BackupOrg1);
    EXPECT_TRUE(page.Ed_BakOrgExt1->Enabled());
    page.Ed_BakExt1->SetText("bak");
    page.Ed_BakExt1->OnExit(page.Ed_BakExt1);
    EXPECT_EQ(page.Ed_BakExt1->Text(), ".bak");
    page.Ed_BakOrgExt1->SetText("org"); // Enter presses OK without leaving the edit
    PressOk(form);
  });
  EXPECT_TRUE(top->Settings.FileIOOption.NorBackUp);
  EXPECT_EQ(top->Settings.FileIOOption.NorBackUpExt, ".bak");
  EXPECT_EQ(top->Settings.FileIOOption.OrgBackUpExt, ".org");
  EXPECT_EQ(StoredString(res::RegSectionFileIO, "OrgBackUpExt"), ".org");
}

TEST_F(SettingsFilePage, ARefusedDataFileLeavesTheEdit) {
  fileDialogs.chosenFile = files / "notdata.dat";
  TempFolder::WriteFile(fileDialogs.chosenFile, "plain text");
  std::string before;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetFile& page = Page(form);
    before = page.Edit_CommandFile->Text();
    uitest::FormDriver::Click(*page.Button_CommandFile);
    EXPECT_EQ(page.Edit_CommandFile->Text(), before);
    PressCancel(form);
  });
  ASSERT_EQ(fileDialogs.shown.size(), 1u);
  EXPECT_EQ(fileDialogs.shown[0].Title, "定義ファイル指定");
  EXPECT_EQ(fileDialogs.shown[0].Filter, "定義ファイル(*.dat)|*.dat");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text,
            "\"" + fileDialogs.chosenFile + "\" はQuolin データファイルではありません");
  EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
}

TEST_F(SettingsFilePage, TheRestartNoticeComesOnlyForAnotherDataFile) {
  const std::string notice =
      "\"メニューコマンド定義ファイル\" 変更は Quolin の再起動後に有効になります.";
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Page(form).Edit_CommandFile->SetText(DataFileName);
    PressOk(form);
  });
  EXPECT_TRUE(dialogs.calls.empty());
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    std::string upper = DataFileName;
    for (char& c : upper)
      c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    Page(form).Edit_CommandFile->SetText(upper);
    PressOk(form);
  });
  EXPECT_TRUE(dialogs.calls.empty()) << "case is ignored";
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Page(form).Edit_CommandFile->SetText(files / "other.dat");
    PressOk(form);
  });
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, notice);
  EXPECT_EQ(top->Settings.FileIOOption.CommandFile, files / "other.dat");
}

TEST_F(SettingsFilePage, ReopenListClearAndCleanUpSurviveCancel) {
  const std::string kept = File("kept.tex");
  top->RemainFiles.SetText(files / "gone1.tex" + "\r\n" + kept + "\r\n" + files / "gone2.tex");
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    uitest::FormDriver::Click(*Page(form).Button6);
    PressCancel(form);
  });
  ASSERT_EQ(top->RemainFiles.Count(), 1);
  EXPECT_EQ(top->RemainFiles[0], kept);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "存在するファイル以外を開き直すリストからクリアします");
  dialogs.answer = mrCancel;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    uitest::FormDriver::Click(*Page(form).Button5);
    PressCancel(form);
  });
  EXPECT_EQ(top->RemainFiles.Count(), 1) << "cancelled";
  dialogs.answer = mrOk;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    uitest::FormDriver::Click(*Page(form).Button5);
    PressCancel(form);
  });
  EXPECT_EQ(top->RemainFiles.Count(), 0);
  EXPECT_EQ(dialogs.calls.back().text, "開き直すリストをクリアします");
}

TEST_F(SettingsFilePage, PerFileStatesClearOnYes) {
  const std::string path = File("state.tex");
  SaveFileState(path, TFileState{}, "");
  auto HasFileState = [](const std::string& name) {
    return !Stored("FileInit", name).data.empty();
  };
  ASSERT_TRUE(HasFileState(path));
  dialogs.answer = mrNo;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    uitest::FormDriver::Click(*Page(form).Button7);
    PressCancel(form);
  });
  EXPECT_TRUE(HasFileState(path));
  dialogs.answer = mrYes;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    uitest::FormDriver::Click(*Page(form).Button7);
    PressCancel(form);
  });
  EXPECT_FALSE(HasFileState(path));
  EXPECT_EQ(dialogs.calls.back().text,
            "編集環境情報(各ファイルのカーソル位置情報等)をクリアしていいですか？");
}

} // namespace

namespace {

// HKEY_CLASSES_ROOT of this process redirected to a key of the scratch user while it lives.
class ScratchClasses {
public:
  ScratchClasses() {
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "ScratchClasses", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &handle_, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, handle_), ERROR_SUCCESS);
  }
  ~ScratchClasses() {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(handle_);
  }
  ScratchClasses(const ScratchClasses&) = delete;
  ScratchClasses& operator=(const ScratchClasses&) = delete;

  HKEY Handle() const { return handle_; }

private:
  HKEY handle_ = nullptr;
};

TEST_F(SettingsFilePage, AssociationIsSetAndUndoneWithTheRememberedType) {
  ScratchClasses classes;
  SetRaw(classes.Handle(), ".bib", "", SzValue("OtherEditor.bib"));
  std::vector<std::string> captions;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_SetFile& page = Page(form);
    EXPECT_FALSE(page.Panel_Association->Visible());
    page.ComboBox1->SetItemIndex(1);
    page.ComboBox1->OnChange(page.ComboBox1);
    captions.push_back(page.Label_Association->Caption());
    page.Button1->Click();
    captions.push_back(page.Label_Association->Caption());
    EXPECT_EQ(GetFileTypeOfExt(".bib"), "quolin4");
    EXPECT_EQ(StoredString("DefExtConnect", ".bib"), "OtherEditor.bib");
    page.Button1->Click();
    captions.push_back(page.Label_Association->Caption());
    PressCancel(form);
  });
  EXPECT_EQ(captions, (std::vector<std::string>{"に 関連づけの設定をする", "の 関連づけを解除する",
                                                "に 関連づけの設定をする"}));
  EXPECT_EQ(GetFileTypeOfExt(".bib"), "OtherEditor.bib");
  EXPECT_EQ(QueryRaw(classes.Handle(), ".bib", "").data.substr(0, 15), "OtherEditor.bib");
}

} // namespace
