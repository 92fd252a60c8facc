// The user data file: a compound file holding the version text and the streams of the
// masters, groups, menus, toolbars and reserved words, each the text of one string list.
// The loaders change the lists only for a valid data file; the savers tell whether every
// stream was written.
#pragma once

#include <string>

namespace quolin {

class TStrings;

inline constexpr char DataFileConfigStorage[] = "Quolin\\Config";
inline constexpr char DataFileVersionStream[] = "Version";
inline constexpr char DataFileVersionText[] = "Quolin Version4.00 DataFile";
inline constexpr char UserDataStorage[] = "Quolin\\4\\UserData";
inline constexpr char MenuStream[] = "Menu";
inline constexpr char ToolBarStream[] = "ToolBar";
inline constexpr char MasterStream[] = "Master";
inline constexpr char GroupStream[] = "Group";
inline constexpr char ReserveListStream[] = "ReserveList";

// The file exists, is a compound file and its version stream reads exactly the version text.
bool IsDataFile(const std::string& path);
// A new file with the version and five empty streams; false when the file exists or cannot
// be written whole (nothing is left behind then).
bool CreateDataFile(const std::string& path);

bool LoadMenuData(const std::string& path, TStrings& menus, TStrings& toolbars);
bool SaveMenuData(const std::string& path, const TStrings& menus, const TStrings& toolbars);
bool LoadMasterData(const std::string& path, TStrings& masters, TStrings& groups);
// The master list (masters set) or the group list.
bool SaveMasterData(const std::string& path, bool masters, const TStrings& list);
// Sorted by the user locale's case-sensitive comparison.
bool LoadReserveList(const std::string& path, TStrings& words);
bool SaveReserveList(const std::string& path, const TStrings& words);

} // namespace quolin
