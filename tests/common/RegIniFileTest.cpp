#include "common/RegIniFile.h"
#include "RegistryProbe.h"
#include "core/JoinedStrings.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class RegIniFile : public ::testing::Test {
protected:
  TestKey testKey;
  const std::string toolbar = testKey.Path() + "\\Toolbar";
};

TEST_F(RegIniFile, OpeningCreatesTheKeyPath) {
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, toolbar));
  TRegIniFile ini("\\" + toolbar);
  EXPECT_TRUE(ini.IsOpen());
  EXPECT_EQ(ini.CurrentPath(), toolbar);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, toolbar));

  TRegIniFile other;
  EXPECT_FALSE(other.OpenKey(toolbar + "\\Missing", false));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, toolbar + "\\Missing"));
  EXPECT_FALSE(other.WriteInteger("bar_00000001", "Rev", 3));
  EXPECT_EQ(other.ReadInteger("bar_00000001", "Rev", 9), 9);
}

TEST_F(RegIniFile, IntegersAreStoredAsText) {
  TRegIniFile ini;
  ini.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(ini.OpenKey(toolbar, true));
  EXPECT_TRUE(ini.WriteInteger("bar_00000001", "DockRow", -3));
  EXPECT_TRUE(ini.WriteBool("bar_00000001", "Visible", true));
  EXPECT_TRUE(ini.WriteString("bar_00000001", "DockedTo", "表Dock"));
  RawValue row = QueryRaw(HKEY_CURRENT_USER, toolbar + "\\bar_00000001", "DockRow");
  EXPECT_EQ(row.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(row.data, std::string("-3\0", 3));
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, toolbar + "\\bar_00000001", "Visible").data,
            std::string("1\0", 2));
  EXPECT_EQ(ini.ReadInteger("bar_00000001", "DockRow", 0), -3);
  EXPECT_TRUE(ini.ReadBool("bar_00000001", "Visible", false));
  EXPECT_EQ(ini.ReadString("bar_00000001", "DockedTo", ""), "表Dock");
}

TEST_F(RegIniFile, NonNumbersAndMissingValuesGiveTheDefault) {
  SetRaw(HKEY_CURRENT_USER, toolbar + "\\w", "Text", REG_SZ, std::string("12a\0", 4));
  SetRaw(HKEY_CURRENT_USER, toolbar + "\\w", "Binary", REG_BINARY, "\x01");
  SetRaw(HKEY_CURRENT_USER, toolbar + "\\w", "Dword", REG_DWORD, Dword(17));
  TRegIniFile ini(toolbar);
  EXPECT_EQ(ini.ReadInteger("w", "Text", 5), 5);
  EXPECT_EQ(ini.ReadInteger("w", "Binary", 5), 5);
  EXPECT_EQ(ini.ReadInteger("w", "Dword", 5), 17);
  EXPECT_EQ(ini.ReadInteger("w", "Missing", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Missing", "Rev", 0), 0);
  EXPECT_EQ(ini.ReadString("w", "Dword", "d"), "d");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, toolbar + "\\Missing"));
}

TEST_F(RegIniFile, SectionsAreSubkeys) {
  TRegIniFile ini(toolbar);
  ini.WriteInteger("bar_1", "Rev", 3);
  ini.WriteInteger("bar_1", "DockPos", 40);
  ini.WriteString("twd_2", "DockedTo", "+");
  ini.WriteString("", "Top", "value of the key itself");
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, toolbar, "Top").data,
            std::string("value of the key itself\0", 24));

  TStringList list;
  ini.ReadSections(list);
  list.Sort();
  EXPECT_EQ(Joined(list), "[bar_1][twd_2]");
  ini.ReadSection("bar_1", list);
  list.Sort();
  EXPECT_EQ(Joined(list), "[DockPos][Rev]");
  ini.ReadSectionValues("twd_2", list);
  EXPECT_EQ(Joined(list), "[DockedTo=+]");

  EXPECT_TRUE(ini.DeleteKey("bar_1", "Rev"));
  EXPECT_FALSE(ini.DeleteKey("bar_1", "Rev"));
  EXPECT_EQ(ini.ReadInteger("bar_1", "Rev", 0), 0);
  EXPECT_TRUE(ini.EraseSection("bar_1"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, toolbar + "\\bar_1"));
  EXPECT_FALSE(ini.EraseSection(""));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, toolbar));
}

} // namespace
