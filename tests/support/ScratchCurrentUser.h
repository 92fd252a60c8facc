// HKEY_CURRENT_USER of this process redirected to a key of the test's own, so that the code
// under test reads and writes its real settings paths; the redirection ends and the key is
// removed with the object. Tests that use it hold the "quolin_registry" lock.
#pragma once

#include "common/RegistryProbe.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quolin::test_support {

class ScratchCurrentUser {
public:
  ScratchCurrentUser() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, testKey_.Path().c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  // The key itself goes with testKey_, after the redirection has ended.
  ~ScratchCurrentUser() { RegOverridePredefKey(HKEY_CURRENT_USER, nullptr); }
  ScratchCurrentUser(const ScratchCurrentUser&) = delete;
  ScratchCurrentUser& operator=(const ScratchCurrentUser&) = delete;

private:
  TestKey testKey_;
};

} // namespace quolin::test_support
