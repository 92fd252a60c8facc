#include "common/StringHelpers.h"

#include "core/Format.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <windows.h>

namespace quolin {

bool IsSameText(std::string_view left, std::string_view right) {
  return CompareLocale(left, right, false) == 0;
}

bool IsSameString(std::string_view left, std::string_view right, bool caseSensitive) {
  return CompareLocale(left, right, caseSensitive) == 0;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size())
    return false;
  if (prefix.size() < text.size() && sjis::CharStart(text, prefix.size()) != prefix.size())
    return false;
  return IsSameText(text.substr(0, prefix.size()), prefix);
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool caseSensitive) {
  if (oldText.empty())
    return std::string(text);
  // Folding ASCII letters keeps every character boundary, so positions carry over.
  const std::string haystack = caseSensitive ? std::string(text) : sjis::UpperAscii(text);
  const std::string needle = caseSensitive ? std::string(oldText) : sjis::UpperAscii(oldText);
  std::string result;
  size_t start = 0;
  for (size_t found = sjis::FindText(haystack, needle); found != std::string::npos;
       found = sjis::FindText(haystack, needle, start)) {
    result.append(text.substr(start, found - start));
    result.append(newText);
    start = found + needle.size();
  }
  result.append(text.substr(start));
  return result;
}

std::wstring WideCopy(std::wstring_view text, int index, int count) {
  if (text.empty() || index < 1 || static_cast<size_t>(index) > text.size() || count < 1)
    return {};
  return std::wstring(text.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count)));
}

int ClampInt(int value, int minimum, int maximum) {
  if (value > maximum)
    return maximum;
  return value < minimum ? minimum : value;
}

bool FindSorted(const TStrings& list, std::string_view key, int& index) {
  int low = 0, high = list.Count();
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (CompareLocale(list.Get(middle), key, true) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  index = low;
  return low < list.Count() && CompareLocale(list.Get(low), key, true) == 0;
}

void MruInsert(TStrings& list, const std::string& text, bool exact) {
  if (text.empty())
    return;
  int index = -1;
  if (exact) {
    for (int i = 0; i < list.Count() && index < 0; ++i) {
      if (CompareLocale(list.Get(i), text, true) == 0)
        index = i;
    }
  } else {
    index = list.IndexOf(text);
  }
  if (index < 0)
    list.Insert(0, text);
  else if (index > 0)
    list.Move(index, 0);
}

int LimitStringsCount(TStrings& list, int maxCount) {
  if (maxCount <= 0) {
    list.Clear();
    return 0;
  }
  int deleted = 0;
  list.BeginUpdate();
  while (list.Count() > maxCount) {
    list.Delete(list.Count() - 1);
    ++deleted;
  }
  list.EndUpdate();
  return deleted;
}

TStringList& EnsureStringList(std::unique_ptr<TStringList>& list) {
  if (!list)
    list = std::make_unique<TStringList>();
  return *list;
}

int HexIdFromName(std::string_view name) {
  if (name.size() <= 4)
    return 0;
  std::string_view digits = name.substr(4, 8);
  for (char ch : digits) {
    bool hex = (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    if (!hex)
      return 0;
  }
  std::string hex = "$";
  hex.append(digits);
  return StrToIntDef(hex, 0);
}

} // namespace quolin
