// Registry-editor export files ("REGEDIT4" and "Windows Registry Editor Version 5.00"): their
// sections and values as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// The root keys a section name may begin with, in the order they are tried.
enum TRegRoot : int {
  rrNone,
  rrCurrentUser,
  rrClassesRoot,
  rrLocalMachine,
  rrUsers,
  rrPerformanceData,
  rrCurrentConfig,
  rrDynData
};

enum TRegFileValueKind : int { rvDword, rvBinary, rvString };

struct TRegFileValue {
  std::string name;
  TRegFileValueKind kind = rvString;
  uint32_t dword = 0;
  std::string data; // the bytes of a binary value, the text of a string value
};

struct TRegFileSection {
  std::string name; // as written between the brackets
  std::vector<TRegFileValue> values;
};

// The sections of an export file's content, in file order. UTF-16LE with a byte-order mark
// is converted to the ANSI code page, anything else is taken as ANSI. Comments, deletions,
// value kinds other than dword, hex and quoted strings, and values whose number does not
// read are left out; "\\" and "\"" in quoted names and strings are unescaped.
std::vector<TRegFileSection> ReadRegFile(std::string_view content);

// The root whose prefix ("HKEY_CURRENT_USER\" and so on) begins the section name, and the
// rest of the name as path; rrNone, and an empty path, when none does.
TRegRoot ParseRegRootKey(std::string_view sectionName, std::string& path);
// Enclosing double quotes dropped from a text of at least 3 characters.
std::string UnquoteRegString(std::string_view text);
// A comma-separated list of hexadecimal bytes ("0a,ff"); false when an item is not one.
bool ParseRegHexBytes(std::string_view list, std::string& bytes);

} // namespace quolin
