// The file page: backups, the user data file, templates, the reopen list, per-file state and
// (hidden) the association of document extensions with the program.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_SetFile : public TSettingsPage {
public:
  TCheckBox* CK_Backup1;
  TLabel* Label_BakExt1;
  TEdit* Ed_BakExt1;
  TCheckBox* CK_BackupOrg1;
  TLabel* Label_BakOrgExt1;
  TEdit* Ed_BakOrgExt1;
  TEdit* Edit_CommandFile;
  TButton* Button_CommandFile;
  TEdit* Edit_TmlFolder;
  TButton* Button_TmlFolder;
  TEdit* Edit_NormalDot;
  TButton* Button_NormalDot;
  TCheckBox* CK_UseEditInfo1;
  TCheckBox* CK_FilenameFullPathView1;
  TButton* Button5;
  TButton* Button6;
  TButton* Button7;
  TPanel* Panel_Association;
  TComboBox* ComboBox1;
  TLabel* Label_Association;
  TButton* Button1;

protected:
  TFrm_SetFile(TComponent* owner, TSettingsChanges& changes);
  void FillControls() override;
  void StoreControls() override;

private:
  void BackupChecksChanged();
  void BrowseCommandFile();
  void BrowseTemplateFile();
  void ClearReopenList();
  void RemoveMissingReopenFiles();
  void ClearPerFileStates();
  void ShowAssociation();
  void ToggleAssociation();
};

} // namespace quolin
