// Settings tests run under the program's real settings root, in a redirected
// HKEY_CURRENT_USER that starts empty.
#pragma once

#include "common/Registry.h"
#include "common/RegistryProbe.h"
#include "core/ResConst.h"
#include "support/ScratchCurrentUser.h"

#include <gtest/gtest.h>

#include <string>

namespace quolin::test_support {

class SettingsFixture : public ::testing::Test {
protected:
  ScratchCurrentUser scratch;

  void SetUp() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathQuolin); }
  void TearDown() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault); }

  static std::string FullKey(const std::string& section) {
    return std::string(res::RegBasePathQuolin).substr(1) + "\\" + section;
  }
  static RawValue Stored(const std::string& section, const std::string& name) {
    return QueryRaw(HKEY_CURRENT_USER, FullKey(section), name);
  }
  static void Store(const std::string& section, const std::string& name, DWORD type,
                    const std::string& data) {
    SetRaw(HKEY_CURRENT_USER, FullKey(section), name, type, data);
  }
};

} // namespace quolin::test_support
