// Lookups over the main window's master and group lists.
#pragma once

#include "commands/CommandRecords.h"

namespace quolin {

class TStrings;

// Binary search of a list in ascending Id order. Found: index is the line; not found: index is
// where the Id would go.
bool FindRecordById(const TStrings& list, int id, int& index);
// The master (or, with isGroup, the group) of that Id. Id 0 gives true with a cleared record;
// false when there is no such record.
bool GetCommandRecord(bool isGroup, int id, TQuolin_CmdList& record);

} // namespace quolin
