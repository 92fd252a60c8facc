#include "settings/SetFilePage.h"

#include "app/DocOps.h"
#include "app/FileState.h"
#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "common/Registry.h"
#include "common/UserDataFile.h"
#include "core/Platform.h"
#include "core/SettingsMappings.h"
#include "core/Sjis.h"
#include "ui/HourGlass.h"
#include "ui/MessageBoxes.h"

namespace quolin {

namespace {

constexpr int FilePageHelpContext = 1305;
constexpr char ProgramFileType[] = "quolin4";
// Where an associated extension's former file type is kept.
constexpr char DefExtConnectSection[] = "DefExtConnect";

constexpr TCheckField<TFileIOOption> FileChecks[] = {
    {"CK_UseEditInfo1", "編集情報を使用(&R)", &TFileIOOption::UseEditInfo},
    {"CK_FilenameFullPathView1", "ファイル名をフルパスで表示(&F)",
     &TFileIOOption::FullPathFileName},
};

// Puts "." in front of the edit's text when it lacks one.
void DotExtension(TEdit& edit) {
  std::string dotted = WithLeadingDot(edit.Text());
  if (dotted != edit.Text())
    edit.SetText(dotted);
}

} // namespace

TFrm_SetFile::TFrm_SetFile(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, FilePageHelpContext) {
  CK_Backup1 = AddCheck("CK_Backup1", "保存時にバックアップを作成(&B)");
  Label_BakExt1 = AddLabel("拡張子(&E):", "Label_BakExt1");
  Ed_BakExt1 = Add<TEdit>("Ed_BakExt1", "", 120);
  CK_BackupOrg1 = AddCheck("CK_BackupOrg1", "初回保存時にオリジナルを保存(&O)");
  Label_BakOrgExt1 = AddLabel("拡張子(&X):", "Label_BakOrgExt1");
  Ed_BakOrgExt1 = Add<TEdit>("Ed_BakOrgExt1", "", 120);
  Label_BakExt1->FocusControl = Ed_BakExt1;
  Label_BakOrgExt1->FocusControl = Ed_BakOrgExt1;
  Edit_CommandFile = AddEdit("Edit_CommandFile", "コマンド・メニュー定義ファイル(&M):");
  Button_CommandFile = AddButton("Button_CommandFile", "参照...");
  Edit_TmlFolder = AddEdit("Edit_TmlFolder", "テンプレートフォルダ(&T):");
  Button_TmlFolder = AddButton("Button_TmlFolder", "参照...");
  Edit_NormalDot = AddEdit("Edit_NormalDot", "標準テンプレートファイル(&N):");
  Button_NormalDot = AddButton("Button_NormalDot", "参照...");
  NextColumn();
  AddChecks(FileChecks);
  CK_UseEditInfo1 = &CheckBox("CK_UseEditInfo1");
  CK_FilenameFullPathView1 = &CheckBox("CK_FilenameFullPathView1");
  Button5 = AddButton("Button5", "開き直すリストのクリア...");
  Button6 = AddButton("Button6", "存在確認してリスト整理...");
  Button7 = AddButton("Button7", "クリア...");

  Panel_Association = Add<TPanel>("Panel_Association", "", ColumnWidth - 16);
  Panel_Association->SetHeight(60);
  Panel_Association->SetVisible(false);
  ComboBox1 = Create<TComboBox>(this, "ComboBox1");
  ComboBox1->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* extension : {".tex", ".bib", ".txt", ".sty"})
    ComboBox1->Items().Add(extension);
  ComboBox1->SetBounds(4, 4, 64, RowHeight);
  ComboBox1->SetParent(Panel_Association);
  Label_Association = Create<TLabel>(this, "Label_Association");
  Label_Association->SetBounds(72, 8, 160, 16);
  Label_Association->SetParent(Panel_Association);
  Button1 = Create<TButton>(this, "Button1");
  Button1->SetCaption("変更");
  Button1->SetBounds(4, 30, 64, 25);
  Button1->SetParent(Panel_Association);

  CK_Backup1->OnClick = [this](TObject*) { BackupChecksChanged(); };
  CK_BackupOrg1->OnClick = CK_Backup1->OnClick;
  Ed_BakExt1->OnExit = [this](TObject*) { DotExtension(*Ed_BakExt1); };
  Ed_BakOrgExt1->OnExit = [this](TObject*) { DotExtension(*Ed_BakOrgExt1); };
  Button_CommandFile->OnClick = [this](TObject*) { BrowseCommandFile(); };
  Button_TmlFolder->OnClick = [this](TObject*) {
    BrowseFolder(*Edit_TmlFolder, "テンプレートフォルダ指定");
  };
  Button_NormalDot->OnClick = [this](TObject*) { BrowseTemplateFile(); };
  Button5->OnClick = [this](TObject*) { ClearReopenList(); };
  Button6->OnClick = [this](TObject*) { RemoveMissingReopenFiles(); };
  Button7->OnClick = [this](TObject*) { ClearPerFileStates(); };
  ComboBox1->OnChange = [this](TObject*) { ShowAssociation(); };
  Button1->OnClick = [this](TObject*) { ToggleAssociation(); };
}

void TFrm_SetFile::BackupChecksChanged() {
  for (TControl* control : std::initializer_list<TControl*>{Label_BakExt1, Ed_BakExt1})
    control->SetEnabled(CK_Backup1->Checked());
  for (TControl* control : std::initializer_list<TControl*>{Label_BakOrgExt1, Ed_BakOrgExt1})
    control->SetEnabled(CK_BackupOrg1->Checked());
}

void TFrm_SetFile::FillControls() {
  const TFileIOOption& option = TopForm->Settings.FileIOOption;
  CK_Backup1->SetChecked(option.NorBackUp);
  Ed_BakExt1->SetText(option.NorBackUpExt);
  CK_BackupOrg1->SetChecked(option.OrgBackUp);
  Ed_BakOrgExt1->SetText(option.OrgBackUpExt);
  BackupChecksChanged();
  Edit_CommandFile->SetText(option.CommandFile);
  Edit_TmlFolder->SetText(option.TemplateFolder);
  Edit_NormalDot->SetText(option.DefaultTemplateFile);
  ShowChecks(FileChecks, option);
  ComboBox1->SetItemIndex(0);
  ShowAssociation();
}

void TFrm_SetFile::StoreControls() {
  // Enter presses OK without leaving the edit.
  DotExtension(*Ed_BakExt1);
  DotExtension(*Ed_BakOrgExt1);
  TFileIOOption& option = TopForm->Settings.FileIOOption;
  option.NorBackUp = CK_Backup1->Checked();
  option.NorBackUpExt = Ed_BakExt1->Text();
  option.OrgBackUp = CK_BackupOrg1->Checked();
  option.OrgBackUpExt = Ed_BakOrgExt1->Text();
  option.CommandFile = Edit_CommandFile->Text();
  option.TemplateFolder = Edit_TmlFolder->Text();
  option.DefaultTemplateFile = Edit_NormalDot->Text();
  ReadChecks(FileChecks, option);
  if (sjis::CompareIgnoreAsciiCase(option.CommandFile, DataFileName) != 0)
    MsgBox("\"メニューコマンド定義ファイル\" 変更は Quolin の再起動後に有効になります.", "IoB");
  SaveFileIOOption(option);
}

void TFrm_SetFile::BrowseCommandFile() {
  std::string chosen;
  if (!BrowseFile(Edit_CommandFile->Text(), "定義ファイル指定", "定義ファイル(*.dat)|*.dat", "",
                  chosen))
    return;
  if (!IsDataFile(chosen)) {
    MsgBoxFmt("\"%s\" はQuolin データファイルではありません", {chosen}, "WoB");
    return;
  }
  Edit_CommandFile->SetText(chosen);
}

void TFrm_SetFile::BrowseTemplateFile() {
  std::string chosen;
  if (BrowseFile(Edit_NormalDot->Text(), "標準テンプレートファイル指定",
                 "TeXファイル(*.tex)|*.tex|全て(*.*)|*.*", "", chosen))
    Edit_NormalDot->SetText(chosen);
}

void TFrm_SetFile::ClearReopenList() {
  if (MsgBox("開き直すリストをクリアします", "Ioc") != 'o')
    return;
  TopForm->RemainFiles.Clear();
  RefreshRemainMenus();
}

void TFrm_SetFile::RemoveMissingReopenFiles() {
  if (MsgBox("存在するファイル以外を開き直すリストからクリアします", "Ioc") != 'o')
    return;
  {
    TBusyCursor busy;
    TStringList& files = TopForm->RemainFiles;
    for (int i = files.Count() - 1; i >= 0; --i)
      if (!FileExists(files[i]))
        files.Delete(i);
  }
  RefreshRemainMenus();
}

void TFrm_SetFile::ClearPerFileStates() {
  if (MsgBox("編集環境情報(各ファイルのカーソル位置情報等)をクリアしていいですか？", "Qyn") == 'y')
    ClearFileStates();
}

void TFrm_SetFile::ShowAssociation() {
  bool associated = IsFileTypeAssociated(ProgramFileType, ComboBox1->Text());
  Label_Association->SetCaption(associated ? "の 関連づけを解除する" : "に 関連づけの設定をする");
}

void TFrm_SetFile::ToggleAssociation() {
  const std::string extension = ComboBox1->Text();
  if (IsFileTypeAssociated(ProgramFileType, extension)) {
    RegisterFileType(RegReadString(DefExtConnectSection, extension, ""), extension);
  } else {
    RegWriteString(DefExtConnectSection, extension, GetFileTypeOfExt(extension));
    RegisterFileType(ProgramFileType, extension);
  }
  ShowAssociation();
}

} // namespace quolin
