#include "commands/SetDataUnit.h"

#include "app/CommandHelper.h"
#include "app/DocOps.h"
#include "app/TopUnit.h"
#include "commands/MenuBuilder.h"
#include "commands/RecordViews.h"
#include "commands/ReservedWords.h"
#include "commands/SetDataAddUnit.h"
#include "commands/ToolbarBuilder.h"
#include "commands/TopFormData.h"
#include "common/FileDialogs.h"
#include "common/MasterIni.h"
#include "common/Registry.h"
#include "core/CommandLookup.h"
#include "core/IndexList.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/ReserveWordList.h"
#include "settings/DialogLayout.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"

#include <iterator>

namespace quolin {

namespace {

constexpr char FormName[] = "SetDataForm";
constexpr char IniExtension[] = "ini";
constexpr int ListWidth = 220;

TListView* AddRecordView(TComponent* form, const char* name, RECT bounds) {
  auto* view = PlaceControl<TListView>(form, name, static_cast<TControl*>(form), bounds);
  SetUpRecordView(*view, TopForm->ImageList1, bounds.right - 24);
  return view;
}

TQuolin_CmdList RecordAt(const TStrings& list, int index) {
  TQuolin_CmdList record;
  ParseMasterRecord(list[index], record);
  return record;
}

// The dialog for an INI file in the folder remembered under folderName.
TFileDialogParams IniDialog(const char* folderName) {
  TFileDialogParams params;
  params.Filter = res::MasterIniFilter;
  params.DefaultExt = IniExtension;
  params.InitialDir = RegReadString(res::RegSectionFileIO, folderName, "");
  return params;
}

void RememberFolder(const char* folderName, const std::string& fileName) {
  RegWriteString(res::RegSectionFileIO, folderName, ExtractFilePath(fileName));
}

} // namespace

TSetDataForm::TSetDataForm(TComponent* owner) : TForm(owner) {
  SetCaption("マスタ/グループ編集");
  SetUpDialog(*this, 720, 480);
  InitReserveWordList(ReserveWords);
  ComboBox_Category = PlaceControl<TComboBox>(this, "ComboBox_Category", this, {8, 8, ListWidth, 21});
  ComboBox_Category->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* category : res::CommandCategories)
    ComboBox_Category->Items().Add(category);
  ComboBox_Category->OnSelect = [this](TObject*) { ShowMasters(0); };
  ListView_Master = AddRecordView(this, "ListView_Master", {8, 36, ListWidth, 320});
  Button_MasterAdd = AddDialogButton(*this, "Button_MasterAdd", "追加(&A)", 8, 364);
  Button_MasterEdit = AddDialogButton(*this, "Button_MasterEdit", "編集(&E)", 104, 364);
  Button_MasterDelete = AddDialogButton(*this, "Button_MasterDelete", "削除(&D)", 8, 396);
  Button_Export = AddDialogButton(*this, "Button_Export", "エクスポート", 104, 396);
  Button_Import = AddDialogButton(*this, "Button_Import", "インポート", 8, 428);
  Button_MemberAdd = AddDialogButton(*this, "Button_MemberAdd", "マスタから追加", 240, 150);
  Button_MemberRemove = AddDialogButton(*this, "Button_MemberRemove", "解除", 240, 182);
  ListView_Group = AddRecordView(this, "ListView_Group", {340, 8, ListWidth, 150});
  Button_GroupAdd = AddDialogButton(*this, "Button_GroupAdd", "追加", 572, 8);
  Button_GroupEdit = AddDialogButton(*this, "Button_GroupEdit", "編集", 572, 40);
  Button_GroupDelete = AddDialogButton(*this, "Button_GroupDelete", "削除", 572, 72);
  ListView_Member = AddRecordView(this, "ListView_Member", {340, 166, ListWidth, 190});
  AddOkCancel(*this, Button_OK, Button_Cancel, 524, 428);

  Button_MasterAdd->OnClick = [this](TObject*) { AddRecord(false); };
  Button_MasterEdit->OnClick = [this](TObject*) { EditRecord(false); };
  ListView_Master->OnDblClick = Button_MasterEdit->OnClick;
  Button_MasterDelete->OnClick = [this](TObject*) { DeleteRecord(false); };
  Button_GroupAdd->OnClick = [this](TObject*) { AddRecord(true); };
  Button_GroupEdit->OnClick = [this](TObject*) { EditRecord(true); };
  ListView_Group->OnDblClick = Button_GroupEdit->OnClick;
  Button_GroupDelete->OnClick = [this](TObject*) { DeleteRecord(true); };
  ListView_Group->OnSelectItem = [this](TObject*, int, bool) { ShowMembers(); };
  Button_MemberAdd->OnClick = [this](TObject*) { AddMember(); };
  Button_MemberRemove->OnClick = [this](TObject*) { RemoveMember(); };
  Button_Export->OnClick = [this](TObject*) { ExportMaster(); };
  Button_Import->OnClick = [this](TObject*) { ImportMaster(); };
}

void TSetDataForm::Load(int selectMaster) {
  Masters.Assign(TopForm->MasterList);
  Groups.Assign(TopForm->GroupList);
  ReserveWords.Assign(TopForm->ReserveList);
  MastersChanged = GroupsChanged = false;
  TQuolin_CmdList selected;
  GetCommandRecord(Masters, selectMaster, selected);
  ComboBox_Category->SetItemIndex(selected.CommandType);
  ShowMasters(selectMaster);
  ShowGroups(0);
}

void TSetDataForm::ShowMasters(int selectId) {
  const int category = ComboBox_Category->ItemIndex();
  ListView_Master->BeginUpdate();
  ListView_Master->ClearItems();
  for (int i = 0; i < Masters.Count(); ++i)
    if (TQuolin_CmdList record = RecordAt(Masters, i); record.CommandType == category)
      AddRecordItem(*ListView_Master, record);
  ListView_Master->EndUpdate();
  ListView_Master->SetItemIndex(IndexOfRecordItem(*ListView_Master, selectId));
}

void TSetDataForm::ShowGroups(int selectId) {
  ListView_Group->BeginUpdate();
  ListView_Group->ClearItems();
  for (int i = 0; i < Groups.Count(); ++i)
    AddRecordItem(*ListView_Group, RecordAt(Groups, i));
  ListView_Group->EndUpdate();
  ListView_Group->SetItemIndex(IndexOfRecordItem(*ListView_Group, selectId));
  ShowMembers();
}

void TSetDataForm::ShowMembers() {
  ListView_Member->BeginUpdate();
  ListView_Member->ClearItems();
  TQuolin_CmdList group;
  int index = 0;
  if (SelectedGroup(group, index)) {
    TIndexList members(group.Command);
    for (int i = 0; i < members.GetCount(); ++i) {
      TQuolin_CmdList member;
      GetSignedCommandRecord(Masters, Groups, members.GetItem(i), member);
      member.Id = members.GetItem(i);
      AddRecordItem(*ListView_Member, member, TRecordCaption::rcListCaption);
    }
  }
  ListView_Member->EndUpdate();
}

bool TSetDataForm::SelectedGroup(TQuolin_CmdList& group, int& index) {
  index = IndexOfRecordId(Groups, SelectedRecordId(*ListView_Group));
  if (index < 0)
    return false;
  ParseMasterRecord(Groups[index], group);
  return true;
}

void TSetDataForm::MarkChanged(bool isGroup) {
  (isGroup ? GroupsChanged : MastersChanged) = true;
}

int TSetDataForm::AppendRecord(TStringList& list, TQuolin_CmdList& record) {
  record.Id = NewRecordId(list);
  if (record.Id == 0) {
    MsgBox(res::RecordIdsExhausted, "WoB");
    return 0;
  }
  list.Add(BuildMasterRecord(record));
  MarkChanged(&list == &Groups);
  return record.Id;
}

void TSetDataForm::AddRecord(bool isGroup) {
  TQuolin_CmdList record;
  if (!ShowSetDataAddForm(record, TDataAddMode::dmAdd, isGroup, &ReserveWords))
    return;
  if (!AppendRecord(isGroup ? Groups : Masters, record))
    return;
  if (isGroup) {
    ShowGroups(record.Id);
    return;
  }
  ComboBox_Category->SetItemIndex(record.CommandType);
  ShowMasters(record.Id);
}

void TSetDataForm::EditMaster() {
  EditRecord(false);
}

void TSetDataForm::EditRecord(bool isGroup) {
  TStringList& list = isGroup ? Groups : Masters;
  const int id = SelectedRecordId(isGroup ? *ListView_Group : *ListView_Master);
  const int index = IndexOfRecordId(list, id);
  if (id == 0 || index < 0)
    return;
  TQuolin_CmdList record = RecordAt(list, index);
  if (!ShowSetDataAddForm(record, TDataAddMode::dmEdit, isGroup, &ReserveWords))
    return;
  const std::string line = BuildMasterRecord(record);
  if (line == list[index])
    return;
  list.Put(index, line);
  MarkChanged(isGroup);
  if (isGroup) {
    ShowGroups(id);
    return;
  }
  ComboBox_Category->SetItemIndex(record.CommandType);
  ShowMasters(id);
  ShowMembers();
}

void TSetDataForm::DeleteRecord(bool isGroup) {
  TStringList& list = isGroup ? Groups : Masters;
  const int id = SelectedRecordId(isGroup ? *ListView_Group : *ListView_Master);
  const int index = IndexOfRecordId(list, id);
  if (id == 0 || index < 0)
    return;
  // The groups as edited here: a master linked since the dialog opened is in use too.
  if (IsCommandInUse(isGroup, id, Groups, TopForm->MenuList, TopForm->ToolBarList)) {
    MsgBox(isGroup ? res::GroupInUse : res::MasterInUse, "IoB");
    return;
  }
  list.Delete(index);
  MarkChanged(isGroup);
  if (isGroup)
    ShowGroups(0);
  else
    ShowMasters(0);
}

void TSetDataForm::AddMember() {
  TQuolin_CmdList group;
  int index = 0;
  const int master = SelectedRecordId(*ListView_Master);
  if (master == 0 || !SelectedGroup(group, index))
    return;
  std::string members = AddIndexValueOnce(group.Command, master);
  if (members == group.Command)
    return;
  group.Command = members;
  Groups.Put(index, BuildMasterRecord(group));
  GroupsChanged = true;
  ShowMembers();
  ListView_Member->SetItemIndex(TIndexList(members).IndexOf(master));
}

void TSetDataForm::RemoveMember() {
  TQuolin_CmdList group;
  int index = 0;
  const int member = ListView_Member->ItemIndex();
  if (member < 0 || !SelectedGroup(group, index))
    return;
  group.Command = DeleteIndexEntry(group.Command, member);
  Groups.Put(index, BuildMasterRecord(group));
  GroupsChanged = true;
  ShowMembers();
}

void TSetDataForm::ExportMaster() {
  const int index = IndexOfRecordId(Masters, SelectedRecordId(*ListView_Master));
  if (index < 0)
    return;
  std::string fileName;
  bool readOnly = false;
  if (!ShowSaveDialog(IniDialog(res::MasterExportFolderName), fileName, readOnly))
    return;
  RememberFolder(res::MasterExportFolderName, fileName);
  if (!ExportMasterToIni(fileName, RecordAt(Masters, index)))
    MsgBoxFmt(res::SaveFailed, {fileName}, "WoB");
}

void TSetDataForm::ImportMaster() {
  std::string fileName;
  bool readOnly = false;
  if (!ShowOpenDialog(IniDialog(res::MasterImportFolderName), nullptr, fileName, readOnly))
    return;
  RememberFolder(res::MasterImportFolderName, fileName);
  // A fresh record: texts empty, numbers 0.
  TQuolin_CmdList record;
  record.ImgIndex = 0;
  record.ShowList = false;
  if (!ImportMasterFromIni(fileName, record) ||
      !ShowSetDataAddForm(record, TDataAddMode::dmImport, false, &ReserveWords) ||
      !AppendRecord(Masters, record))
    return;
  ComboBox_Category->SetItemIndex(record.CommandType);
  ShowMasters(record.Id);
}

void TSetDataForm::Apply() {
  bool saved = true;
  if (MastersChanged) {
    TopForm->MasterList.Assign(Masters);
    saved = SaveMasterData(true);
  }
  if (GroupsChanged) {
    TopForm->GroupList.Assign(Groups);
    saved = SaveMasterData(false) && saved;
  }
  RefreshUserToolbarButtons();
  TopForm->RefreshToolWindowLists();
  RebuildMenus(false);
  UpdateDocumentMenuState(HasDoc());
  // A failed save keeps the edits in use rather than the file's older lists.
  if (saved)
    LoadMasterData();
  CommandHelperDirty = true;
  if (ReserveWords.Text() != TopForm->ReserveList.Text())
    ApplyReserveList(ReserveWords);
}

void ShowSetDataForm(int command, bool editNow) {
  TOwned<TSetDataForm> form(TComponent::Create<TSetDataForm>(Application, FormName));
  form->Load(command);
  if (editNow)
    form->OnShow = [&form](TObject*) { form->EditMaster(); };
  if (form->ShowModal() == mrOk)
    form->Apply();
}

} // namespace quolin
