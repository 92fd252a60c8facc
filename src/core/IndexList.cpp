#include "core/IndexList.h"

#include "core/CommandRecords.h"
#include "core/Format.h"

#include <algorithm>

namespace quolin {

std::string TIndexList::Entry(int value) {
  std::string entry(1, '$');
  return entry.append(HexField(value));
}

int TIndexList::GetItem(int index) const {
  return StrToIntDef(Text.substr(static_cast<size_t>(index) * EntryWidth, EntryWidth), 0);
}

void TIndexList::Add(int value) {
  Text.append(Entry(value));
}

void TIndexList::Insert(int index, int value) {
  if (index < 0 || index > GetCount())
    return;
  Text.insert(static_cast<size_t>(index) * EntryWidth, Entry(value));
}

void TIndexList::Delete(int index) {
  if (Contains(index))
    Text.erase(static_cast<size_t>(index) * EntryWidth, EntryWidth);
}

int TIndexList::IndexOf(int value) const {
  // Entry by entry, so that a hand-edited text cannot match across an entry boundary.
  const std::string entry = Entry(value);
  for (int i = 0; i < GetCount(); ++i)
    if (Text.compare(static_cast<size_t>(i) * EntryWidth, EntryWidth, entry) == 0)
      return i;
  return -1;
}

bool TIndexList::Move(int index, int delta) {
  const int other = index + delta;
  if (!Contains(index) || !Contains(other))
    return false;
  const size_t a = static_cast<size_t>(index) * EntryWidth;
  const size_t b = static_cast<size_t>(other) * EntryWidth;
  std::swap_ranges(Text.begin() + a, Text.begin() + a + EntryWidth, Text.begin() + b);
  return true;
}

std::string DeleteIndexEntry(const std::string& text, int index) {
  TIndexList list(text);
  list.Delete(index);
  return list.Text;
}

std::string RemoveIndexValue(const std::string& text, int value) {
  TIndexList list(text);
  list.Delete(list.IndexOf(value));
  return list.Text;
}

std::string AddIndexValueOnce(const std::string& text, int value) {
  TIndexList list(text);
  if (value == 0 || list.IndexOf(value) < 0)
    list.Add(value);
  return list.Text;
}

std::string MoveIndexEntry(const std::string& text, int index, int delta) {
  TIndexList list(text);
  list.Move(index, delta);
  return list.Text;
}

} // namespace quolin
