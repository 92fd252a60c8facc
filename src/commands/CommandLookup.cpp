#include "commands/CommandLookup.h"

#include "app/TopUnit.h"
#include "core/StringList.h"

namespace quolin {

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
  index = low;
  return false;
}

bool GetCommandRecord(bool isGroup, int id, TQuolin_CmdList& record) {
  ClearMasterRecord(record);
  if (id == 0)
    return true;
  if (!TopForm)
    return false;
  const TStrings& list = isGroup ? TopForm->GroupList : TopForm->MasterList;
  int index = 0;
  if (!FindRecordById(list, id, index))
    return false;
  ParseMasterRecord(list[index], record);
  return true;
}

} // namespace quolin
