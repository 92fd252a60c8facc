// Small string routines shared by every subsystem. Comparisons use the user's locale
// (CompareStringA with LOCALE_USER_DEFAULT); text is Shift-JIS and searches step over
// double-byte characters.
#pragma once

#include "core/Platform.h"

#include <memory>
#include <string>
#include <string_view>

namespace quolin {

class TStrings;
class TStringList;

inline bool IsStrNotEmpty(std::string_view text) {
  return !text.empty();
}
inline bool IsStrEmpty(std::string_view text) {
  return text.empty();
}

bool IsSameText(std::string_view left, std::string_view right);
bool IsSameString(std::string_view left, std::string_view right, bool caseSensitive);
// The text begins with prefix, ignoring case; a prefix that would end inside a double-byte
// character of the text does not match.
bool StartsWithText(std::string_view text, std::string_view prefix);

// Every occurrence of oldText replaced; without caseSensitive ASCII letters match either case.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool caseSensitive);

// Count characters from index (counted from 1); empty when out of range.
std::wstring WideCopy(std::wstring_view text, int index, int count);

// The maximum when value exceeds it, otherwise value raised to the minimum.
int ClampInt(int value, int minimum, int maximum);

// Case-sensitive locale search in a sorted list: index is the first match, or the insertion
// place when key is not there.
bool FindSorted(const TStrings& list, std::string_view key, int& index);

// Moves text to the front of a most-recently-used list, or inserts it there. exact: match by a
// case-sensitive locale comparison, otherwise by the list's own IndexOf.
void MruInsert(TStrings& list, const std::string& text, bool exact);

// Deletes items from the end until at most maxCount remain; gives the number deleted.
// maxCount <= 0 clears the list and gives 0.
int LimitStringsCount(TStrings& list, int maxCount);

TStringList& EnsureStringList(std::unique_ptr<TStringList>& list);

// Characters 5 to 12 of a generated component name read as hexadecimal ("mn0_0000001A…" is
// 26, "FFFFFFFF" is -1); 0 when they are not hexadecimal.
int HexIdFromName(std::string_view name);

} // namespace quolin
