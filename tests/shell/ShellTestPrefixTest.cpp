// The test prefix is a clean shell namespace: the user folders are folders of their own, not
// links to the Linux home; the Unix root is no item of the desktop (the desktop's items are
// listed by the shell item tests); the recycle bin lies in a folder of this run.
#include "shell/FakeShellFolder.h"

#include <algorithm>
#include <string>
#include <tuple>

using namespace quolin;

namespace {

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  return length < MAX_PATH ? std::string(value, length) : std::string();
}

// The Linux home as Wine names it for its own processes ("\??\Z:\root").
std::string LinuxHome() {
  std::string home = Environment("WINEHOMEDIR");
  return home.rfind("\\??\\", 0) == 0 ? home.substr(4) : home;
}

// Volume and file number: equal for two names of one folder (a link and its target).
std::tuple<DWORD, DWORD, DWORD> Identity(const std::string& folder) {
  HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  BY_HANDLE_FILE_INFORMATION info = {};
  EXPECT_TRUE(GetFileInformationByHandle(handle, &info)) << folder;
  CloseHandle(handle);
  return {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::string SpecialFolderPath(int index) {
  std::string path;
  EXPECT_TRUE(IDListToPath(test_support::SpecialFolder(index).Get(), path));
  return path;
}

TEST(ShellTestPrefix, UserFoldersAreFoldersOfTheirOwn) {
  constexpr int kDocuments = 5;
  std::string desktop = SpecialFolderPath(sfDesktopDirectory);
  ASSERT_NE(LinuxHome(), "") << "WINEHOMEDIR is not set";
  EXPECT_NE(Identity(desktop), Identity(LinuxHome())) << desktop << " is the Linux home";
  EXPECT_NE(Identity(desktop), Identity(SpecialFolderPath(kDocuments)));
}

TEST(ShellTestPrefix, UnixRootIsNoItemOfTheDesktop) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\"
                          "Namespace\\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}",
                          0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
}

TEST(ShellTestPrefix, RecycleBinLiesInAFolderOfTheRun) {
  std::string data = Environment("XDG_DATA_HOME");
  ASSERT_NE(data, "") << "XDG_DATA_HOME is not set";
  std::replace(data.begin(), data.end(), '/', '\\');
  std::string folder = "Z:" + data; // the drive that maps "/"
  EXPECT_NE(folder.rfind(LinuxHome() + "\\", 0), 0u) << folder << " is in the home";
  DWORD attributes = GetFileAttributesA(folder.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      << folder;
}

} // namespace
