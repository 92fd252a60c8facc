// What the file list sorts a file-system folder's items by, for the columns whose order the
// shell does not give (Wine's shell compares names whatever the column): size, type name,
// last-write time and attribute letters. Names, the last tie-break, stay the shell's.
#pragma once

#include <cstdint>
#include <string>

namespace quolin {

// The file list's columns, in their order.
enum TShellColumn : int { scName, scSize, scType, scModified, scAttributes, ShellColumnCount };

struct TShellSortKey {
  bool folder = false;
  uint64_t size = 0;
  std::string typeName;
  // The FILETIME as one number: later is greater.
  uint64_t modified = 0;
  // "R", "H", "S", "A" in that order, for the attributes held.
  std::string attributes;
};

// Folders before files, then the column's value, ascending: below 0 when a goes first, 0 when
// the column cannot tell them apart. The name column always answers 0 after the folder test.
int CompareShellSortKeys(TShellColumn column, const TShellSortKey& a, const TShellSortKey& b);

// The letters of a file's attribute bits (READONLY 1, HIDDEN 2, SYSTEM 4, ARCHIVE 32).
std::string AttributeLetters(uint32_t attributes);

} // namespace quolin
