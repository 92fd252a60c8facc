#include "core/CommandLookup.h"

#include "core/IndexList.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <climits>

namespace quolin {

int IndexOfRecordId(const TStrings& list, int id) {
  for (int i = 0; i < list.Count(); ++i)
    if (RecordIdOfLine(list[i]) == id)
      return i;
  return -1;
}

bool FindRecordById(const TStrings& list, int id, int& index) {
  int low = 0;
  int high = list.Count() - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int64_t difference = static_cast<int64_t>(RecordIdOfLine(list[middle])) - id;
    if (difference >= 0) {
      high = middle - 1;
      if (difference == 0) {
        index = middle;
        return true;
      }
    } else {
      low = middle + 1;
    }
  }
  if (int found = IndexOfRecordId(list, id); found >= 0) {
    index = found;
    return true;
  }
  index = low;
  return false;
}

bool GetCommandRecord(const TStrings& list, int id, TQuolin_CmdList& record) {
  ClearMasterRecord(record);
  if (id == 0)
    return true;
  int index = 0;
  if (!FindRecordById(list, id, index))
    return false;
  ParseMasterRecord(list[index], record);
  return true;
}

bool GetSignedCommandRecord(const TStrings& masters, const TStrings& groups, int signedId,
                            TQuolin_CmdList& record) {
  if (signedId < 0)
    return signedId != INT_MIN && GetCommandRecord(groups, -signedId, record);
  return GetCommandRecord(masters, signedId, record);
}

int GetRecordByIdLinear(int id, const TStrings& list, TQuolin_CmdList& record) {
  int index = IndexOfRecordId(list, id);
  if (index >= 0)
    ParseMasterRecord(list[index], record);
  return index;
}

int GetCommandImage(const TStrings& masters, const TStrings& groups, int signedId) {
  if (signedId == 0 || signedId == INT_MIN)
    return NoImage;
  const TStrings& list = signedId < 0 ? groups : masters;
  int index = IndexOfRecordId(list, signedId < 0 ? -signedId : signedId);
  return index < 0 ? NoImage : ImageIndexOfLine(list[index]);
}

int FindMasterIdByCommand(const TStrings& masters, std::string_view command) {
  TQuolin_CmdList record;
  for (int i = 0; i < masters.Count(); ++i) {
    ParseMasterRecord(masters[i], record);
    if (sjis::EqualIgnoreAsciiCase(record.Command, command))
      return record.Id;
  }
  return 0;
}

namespace {

bool IsMemberOfAnyGroup(int masterId, const TStrings& groups) {
  TQuolin_CmdList group;
  for (int i = 0; i < groups.Count(); ++i) {
    ParseMasterRecord(groups[i], group);
    if (TIndexList(group.Command).IndexOf(masterId) >= 0)
      return true;
  }
  return false;
}

bool IsInAnyMenu(int signedId, const TStrings& menus) {
  TQuolin_MenuList node;
  for (int i = 0; i < menus.Count(); ++i) {
    ParseMenuLine(menus[i], node);
    if (node.CommandId == signedId)
      return true;
  }
  return false;
}

bool IsOnAnyToolbar(int signedId, const TStrings& toolbars) {
  TQuolin_ButtonList toolbar;
  for (int i = 0; i < toolbars.Count(); ++i) {
    ParseToolbarLine(toolbars[i], toolbar);
    if (TIndexList(toolbar.Buttons).IndexOf(signedId) >= 0)
      return true;
  }
  return false;
}

} // namespace

bool IsCommandInUse(bool isGroup, int id, const TStrings& groups, const TStrings& menus,
                    const TStrings& toolbars) {
  if (!isGroup && IsMemberOfAnyGroup(id, groups))
    return true;
  const int signedId = isGroup ? -id : id;
  return IsInAnyMenu(signedId, menus) || IsOnAnyToolbar(signedId, toolbars);
}

int NewRecordId(const TStrings& list) {
  if (list.Empty())
    return 1;
  const int last = RecordIdOfLine(list[list.Count() - 1]);
  // A negative last Id would make the new one a group's number.
  return last >= 0 && last < INT_MAX ? last + 1 : 0;
}

} // namespace quolin
