#include "commands/IndexList.h"

#include "commands/CommandRecords.h"
#include "core/Format.h"

namespace quolin {

int TIndexList::GetItem(int index) const {
  return StrToIntDef(Text.substr(static_cast<size_t>(index) * EntryWidth, EntryWidth), 0);
}

void TIndexList::Add(int value) {
  Text.append("$").append(HexField(value));
}

} // namespace quolin
