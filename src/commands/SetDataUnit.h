// The master and group editor: the masters of a category, the groups and the members of the
// selected group, each added, edited and deleted on copies of the main window's lists; masters
// are linked into groups and exchanged as INI files. OK puts the copies into use.
#pragma once

#include "core/StringList.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/ListView.h"

namespace quolin {

struct TQuolin_CmdList;

class TSetDataForm : public TForm {
public:
  TComboBox* ComboBox_Category;
  TListView* ListView_Master;
  TListView* ListView_Group;
  TListView* ListView_Member;
  TButton* Button_MasterAdd;
  TButton* Button_MasterEdit;
  TButton* Button_MasterDelete;
  TButton* Button_Export;
  TButton* Button_Import;
  TButton* Button_GroupAdd;
  TButton* Button_GroupEdit;
  TButton* Button_GroupDelete;
  TButton* Button_MemberAdd;
  TButton* Button_MemberRemove;
  TButton* Button_OK;
  TButton* Button_Cancel;

  // The copies the dialog edits, and whether each changed.
  TStringList Masters;
  TStringList Groups;
  TStringList ReserveWords;
  bool MastersChanged = false;
  bool GroupsChanged = false;

  // Takes copies of the main window's lists and shows the category of the master selected.
  void Load(int selectMaster);
  void EditMaster();
  // OK's work: the copies into the main window's lists, saved and shown everywhere.
  void Apply();

protected:
  explicit TSetDataForm(TComponent* owner);

private:
  void ShowMasters(int selectId);
  void ShowGroups(int selectId);
  void ShowMembers();
  void AddRecord(bool isGroup);
  void EditRecord(bool isGroup);
  void DeleteRecord(bool isGroup);
  int AppendRecord(TStringList& list, TQuolin_CmdList& record);
  void AddMember();
  void RemoveMember();
  void ExportMaster();
  void ImportMaster();
  bool SelectedGroup(TQuolin_CmdList& group, int& index);
  void MarkChanged(bool isGroup);
};

// Shows the editor with master command selected (0: none); with editNow the record dialog
// opens on it at once.
void ShowSetDataForm(int command, bool editNow);

} // namespace quolin
