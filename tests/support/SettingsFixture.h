// Settings tests run under the program's real settings root, in a redirected
// HKEY_CURRENT_USER that starts empty.
#pragma once

#include "common/Registry.h"
#include "support/ScratchCurrentUser.h"

#include <gtest/gtest.h>

namespace quolin::test_support {

class SettingsFixture : public ::testing::Test {
protected:
  ScratchCurrentUser scratch;

  void SetUp() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathQuolin); }
  void TearDown() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault); }
};

} // namespace quolin::test_support
