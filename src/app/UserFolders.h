// The folders of the program and of the user, the "System" settings read at start-up and the
// one-time import of the default settings.
#pragma once

#include <string>

namespace quolin {

// Kept for the whole run.
extern std::string DataFileName;  // full path of the user data file in use
extern std::string DefaultFilter; // the open/save dialog filter
// The binary-file extensions with a "." appended, so that each stands between two points.
extern std::string DefaultBinFile;
// The settings root without its leading "\", for opening registry paths directly.
extern std::string RegKeyPath;

// The path of a shell special folder (a CSIDL number); empty when there is none.
std::string GetSpecialFolder(int csidl);
// The local application-data folder's "Quolin4.2" and its subfolders.
std::string GetUserDataFolder(bool withSeparator);
std::string GetTemplateFolder(bool withSeparator);
std::string GetDicFolder(bool withSeparator);
std::string GetPlugInFolder(bool withSeparator);
// The folder of the program file, with separator.
std::string GetProgramFolder();

// Every setting from now on lives under HKEY_CURRENT_USER "\Software\Dravenlux\Quolin\4.2".
void SetSettingsRoot();
// Creates the user data folder and its "Template", "Dic" and "PlugIn" folders where missing.
// A new template folder gets the program folder's template files, a new dictionary folder
// its ".dic" files; a folder that exists is never refilled.
void FillUserFolders(const std::string& programFolder, const std::string& userDataFolder);
void SetupUserFolders();
// Writes "SetupFolder" and reads DefaultFilter and DefaultBinFile (section "System").
void LoadSystemSettings();
// Imports the program folder's "default.reg" and points "LastDataFile" and "CommandFile" at
// "standard.dat" in the user data folder.
void ImportDefaultSettings();
// ImportDefaultSettings once per user: while "RegSetup" of "System" is not set.
void ImportDefaultSettingsOnce();

} // namespace quolin
