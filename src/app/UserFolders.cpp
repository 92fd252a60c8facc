#include "app/UserFolders.h"

#include "app/CommandLine.h"
#include "app/RegFile.h"
#include "common/Registry.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"

#include <windows.h>

#include <shlobj.h>

namespace quolin {

std::string DataFileName;
std::string DefaultFilter;
std::string DefaultBinFile;
std::string RegKeyPath;

namespace {

constexpr char UserFolderName[] = "Quolin4.2";
constexpr char TemplateFolderName[] = "Template";
constexpr char DicFolderName[] = "Dic";
constexpr char PlugInFolderName[] = "PlugIn";
constexpr char DefaultRegFile[] = "default.reg";
constexpr char StandardDataFile[] = "standard.dat";
constexpr char DefaultBinFileList[] = ".exe.com.dll.ocx.zip.lzh.cab.mdb.xle.ppt.vbx.wav.dvi.chm."
                                      "jpg.jpeg.gif.png.bmp.dcu.ojt.jtd.ttf";

std::string WithSeparator(const std::string& folder, bool withSeparator) {
  return withSeparator ? IncludeTrailingPathDelimiter(folder) : folder;
}

std::string UserSubfolder(const char* name, bool withSeparator) {
  return WithSeparator(GetUserDataFolder(true) + name, withSeparator);
}

// Copies the files of source (no subfolders) whose extension is extension, or all of them
// when it is empty, into target; files there already stay as they are.
void CopyFolderFiles(const std::string& source, const std::string& target,
                     const std::string& extension) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((source + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return;
  do {
    std::string name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      continue;
    if (!extension.empty() && !sjis::EqualIgnoreAsciiCase(ExtractFileExt(name), extension))
      continue;
    CopyFileA((source + name).c_str(), (target + name).c_str(), TRUE);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// Creates the folder when missing and fills it from the program folder's folder of the same
// name; an existing folder is left alone.
void CreateFilledFolder(const std::string& programFolder, const std::string& folder,
                        const char* name, const std::string& extension) {
  std::string target = IncludeTrailingPathDelimiter(folder) + name;
  if (DirectoryExists(target) || !CreateDirectoryA(target.c_str(), nullptr))
    return;
  std::string source = programFolder + name;
  if (DirectoryExists(source))
    CopyFolderFiles(IncludeTrailingPathDelimiter(source), IncludeTrailingPathDelimiter(target),
                    extension);
}

} // namespace

std::string GetSpecialFolder(int csidl) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
    return "";
  char path[MAX_PATH + 1] = {};
  BOOL found = SHGetPathFromIDListA(items, path);
  CoTaskMemFree(items);
  return found ? path : "";
}

std::string GetUserDataFolder(bool withSeparator) {
  return WithSeparator(IncludeTrailingPathDelimiter(GetSpecialFolder(CSIDL_LOCAL_APPDATA)) +
                           UserFolderName,
                       withSeparator);
}

std::string GetTemplateFolder(bool withSeparator) {
  return UserSubfolder(TemplateFolderName, withSeparator);
}

std::string GetDicFolder(bool withSeparator) {
  return UserSubfolder(DicFolderName, withSeparator);
}

std::string GetPlugInFolder(bool withSeparator) {
  return UserSubfolder(PlugInFolderName, withSeparator);
}

std::string GetProgramFolder() {
  return ExtractFilePath(GetCmdLineArg("", 0));
}

void SetSettingsRoot() {
  RegSetBase(HKEY_CURRENT_USER, res::RegBasePathQuolin);
  RegKeyPath = PlatformKeyPath(res::RegBasePathQuolin);
}

void FillUserFolders(const std::string& programFolder, const std::string& userDataFolder) {
  std::string program = IncludeTrailingPathDelimiter(programFolder);
  ForceDirectories(userDataFolder);
  CreateFilledFolder(program, userDataFolder, TemplateFolderName, "");
  CreateFilledFolder(program, userDataFolder, DicFolderName, ".dic");
  std::string plugIn = IncludeTrailingPathDelimiter(userDataFolder) + PlugInFolderName;
  if (!DirectoryExists(plugIn))
    CreateDirectoryA(plugIn.c_str(), nullptr);
}

void SetupUserFolders() {
  FillUserFolders(GetProgramFolder(), GetUserDataFolder(false));
}

void LoadSystemSettings() {
  RegWriteString(res::RegSectionSystem, "SetupFolder",
                 ExcludeTrailingPathDelimiter(GetProgramFolder()));
  DefaultFilter = RegReadString(res::RegSectionSystem, "DefaultFilter", res::DefaultFileFilter);
  DefaultBinFile = RegReadString(res::RegSectionSystem, "DefaultBinFile", DefaultBinFileList) + ".";
}

void ImportDefaultSettings() {
  ImportRegFile(GetProgramFolder() + DefaultRegFile);
  std::string standard = GetUserDataFolder(true) + StandardDataFile;
  RegWriteString(res::RegSectionForms, "LastDataFile", standard);
  RegWriteString(res::RegSectionSystem, "CommandFile", standard);
}

void ImportDefaultSettingsOnce() {
  if (RegReadBool(res::RegSectionSystem, "RegSetup", false))
    return;
  ImportDefaultSettings();
  RegWriteBool(res::RegSectionSystem, "RegSetup", true);
}

} // namespace quolin
