// The user data file: a compound file holding the version text and the streams of the
// masters, groups, menus, toolbars and reserved words.
#pragma once

#include <string>

namespace quolin {

inline constexpr char DataFileVersionText[] = "Quolin Version4.00 DataFile";

// The file exists, is a compound file and its version stream reads exactly the version text.
bool IsDataFile(const std::string& path);

// Stand-ins until the user data can be read: these leave the main window's lists as they are.
// The masters and groups.
void LoadMasterData();
// The menus and toolbars.
void LoadMenuData();
// The reserved words, added to the main window's list.
void LoadReserveList();

} // namespace quolin
