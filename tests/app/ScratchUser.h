// A user of the test's own: HKEY_CURRENT_USER of this process is a scratch key, and its local
// application-data folder a temporary folder, both removed with the object. The key's name
// holds the process id and has no shared parent, so such tests run in parallel.
#pragma once

#include "common/RegistryProbe.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <shlwapi.h>
#include <windows.h>

#include <string>

namespace quolin::test_support {

class ScratchUser {
public:
  explicit ScratchUser(const std::string& tag)
      : key_("Software\\Quolin" + tag + std::to_string(GetCurrentProcessId())) {
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &handle_, nullptr),
              ERROR_SUCCESS);
    SetRaw(handle_, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
           "Local AppData", SzValue(appData.Path()));
    EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, handle_), ERROR_SUCCESS);
  }
  ~ScratchUser() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(handle_);
    SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  }
  ScratchUser(const ScratchUser&) = delete;
  ScratchUser& operator=(const ScratchUser&) = delete;

  TempFolder appData{"AppData"};

private:
  const std::string key_;
  HKEY handle_ = nullptr;
};

} // namespace quolin::test_support
