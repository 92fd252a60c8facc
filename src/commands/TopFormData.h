// The user data of the main window: its five lists loaded from and saved to the data file in
// use (DataFileName), the command records over its lists, and a new data file by dialog.
#pragma once

#include "core/CommandRecords.h"

namespace quolin {

// The master (or, with isGroup, the group) of that Id in the main window's lists. Id 0 gives
// true with a cleared record.
bool GetCommandRecord(bool isGroup, int id, TQuolin_CmdList& record);

// Each leaves its lists alone when the data file is not valid.
void LoadMasterData();
void LoadMenuData();
void LoadReserveList();

// A failed save is shown; the lists stay as they are. True when every stream was written.
bool SaveMasterData(bool masters);
bool SaveMenuData();
bool SaveReserveList();

// Asks for a new file name (again while the name exists) and makes an empty data file there;
// the file in use stays. False on Cancel or failure.
bool CreateDataFileInteractive();

} // namespace quolin
