// Lookups over the lists of the user data: masters and groups (ascending by Id when the
// program wrote them), menu lines and toolbar lines.
#pragma once

#include "core/CommandRecords.h"

#include <string_view>

namespace quolin {

class TStrings;

// The index of the first line of that Id, by linear scan; -1 when none.
int IndexOfRecordId(const TStrings& list, int id);
// Binary search of a list in ascending Id order. Found: index is the line; not found: index is
// where the Id would go. A miss is confirmed by a linear scan, so that a hand-edited list out
// of order still finds its lines.
bool FindRecordById(const TStrings& list, int id, int& index);
// The record of that Id in the list. Id 0 gives true with a cleared record; false when there
// is no such record.
bool GetCommandRecord(const TStrings& list, int id, TQuolin_CmdList& record);
// A signed number: a master, or for a negative number the group of the negated Id.
bool GetSignedCommandRecord(const TStrings& masters, const TStrings& groups, int signedId,
                            TQuolin_CmdList& record);
// The index of the record (linear scan), parsed into record; -1 when absent.
int GetRecordByIdLinear(int id, const TStrings& list, TQuolin_CmdList& record);
// The image number of a signed command number; -1 for 0 or an absent one.
int GetCommandImage(const TStrings& masters, const TStrings& groups, int signedId);
// The Id of the first master whose command is that text, ASCII case ignored; 0 when none.
int FindMasterIdByCommand(const TStrings& masters, std::string_view command);
// Whether a master (or a group) is used: a master as a member of a group; either in a menu
// line or in a toolbar's buttons.
bool IsCommandInUse(bool isGroup, int id, const TStrings& groups, const TStrings& menus,
                    const TStrings& toolbars);
// The last line's Id plus 1, or 1 for an empty list; 0 when the ids are used up.
int NewRecordId(const TStrings& list);

} // namespace quolin
