#include "commands/TopFormData.h"

#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "common/FileDialogs.h"
#include "common/UserDataFile.h"
#include "core/CommandLookup.h"
#include "core/Platform.h"
#include "core/ResConst.h"
#include "ui/MessageBoxes.h"

namespace quolin {

namespace {

bool Saved(bool written) {
  if (!written)
    MsgBoxFmt(res::DataFileSaveFailed, {DataFileName}, "WoB");
  return written;
}

} // namespace

bool GetCommandRecord(bool isGroup, int id, TQuolin_CmdList& record) {
  ClearMasterRecord(record);
  if (!TopForm)
    return id == 0;
  return GetCommandRecord(isGroup ? TopForm->GroupList : TopForm->MasterList, id, record);
}

void LoadMasterData() {
  LoadMasterData(DataFileName, TopForm->MasterList, TopForm->GroupList);
}

void LoadMenuData() {
  LoadMenuData(DataFileName, TopForm->MenuList, TopForm->ToolBarList);
}

void LoadReserveList() {
  LoadReserveList(DataFileName, TopForm->ReserveList);
}

bool SaveMasterData(bool masters) {
  return Saved(
      SaveMasterData(DataFileName, masters, masters ? TopForm->MasterList : TopForm->GroupList));
}

bool SaveMenuData() {
  return Saved(SaveMenuData(DataFileName, TopForm->MenuList, TopForm->ToolBarList));
}

bool SaveReserveList() {
  return Saved(SaveReserveList(DataFileName, TopForm->ReserveList));
}

bool CreateDataFileInteractive() {
  TFileDialogParams params;
  params.Title = res::DataFileCreateTitle;
  params.Filter = res::DataFileFilter;
  params.DefaultExt = ".dat";
  params.HistoryKey = res::DataFileCreateHistory;
  std::string fileName;
  bool readOnly = false;
  for (;;) {
    if (!ShowSaveDialog(params, fileName, readOnly))
      return false;
    if (!FileExists(fileName))
      break;
    MsgBoxFmt(res::DataFileExists, {fileName}, "IoB");
    params.FileName = fileName;
  }
  const bool created = CreateDataFile(fileName);
  MsgBox(created ? res::DataFileCreated : res::DataFileCreateFailed, created ? "IoB" : "WoB");
  return created;
}

} // namespace quolin
