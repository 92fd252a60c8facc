// A user of the test's own: HKEY_CURRENT_USER of this process redirected to a scratch key, and
// its local application-data folder a temporary folder, so that the code under test reads and
// writes its real settings paths and user folders; both go with the object. The key's name
// holds the process id and has no shared parent, so such tests run in parallel.
#pragma once

#include "common/RegistryProbe.h"
#include "common/TempFolder.h"
#include "core/ResConst.h"

#include <gtest/gtest.h>

#include <shlwapi.h>
#include <windows.h>

#include <string>

namespace quolin::test_support {

class ScratchCurrentUser {
public:
  ScratchCurrentUser() {
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &handle_, nullptr),
              ERROR_SUCCESS);
    SetRaw(handle_, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
           "Local AppData", SzValue(appData.Path()));
    EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, handle_), ERROR_SUCCESS);
  }
  ~ScratchCurrentUser() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(handle_);
    SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  }
  ScratchCurrentUser(const ScratchCurrentUser&) = delete;
  ScratchCurrentUser& operator=(const ScratchCurrentUser&) = delete;

  TempFolder appData{"AppData"};

private:
  const std::string key_ = "Software\\QuolinScratch" + std::to_string(GetCurrentProcessId());
  HKEY handle_ = nullptr;
};

// The program's settings under HKEY_CURRENT_USER: the key of a section, its values.
inline std::string SettingsKeyOf(const std::string& section) {
  return std::string(res::RegBasePathQuolin).substr(1) + "\\" + section;
}
inline RawValue Stored(const std::string& section, const std::string& name) {
  return QueryRaw(HKEY_CURRENT_USER, SettingsKeyOf(section), name);
}
// A string value without its terminating zero.
inline std::string StoredString(const std::string& section, const std::string& name) {
  std::string data = Stored(section, name).data;
  return data.substr(0, data.find('\0'));
}
inline void Store(const std::string& section, const std::string& name, const RawValue& value) {
  SetRaw(HKEY_CURRENT_USER, SettingsKeyOf(section), name, value);
}
inline void Store(const std::string& section, const std::string& name, DWORD type,
                  const std::string& data) {
  SetRaw(HKEY_CURRENT_USER, SettingsKeyOf(section), name, type, data);
}

} // namespace quolin::test_support
