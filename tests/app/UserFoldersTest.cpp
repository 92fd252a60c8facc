#include "app/UserFolders.h"
#include "app/RegFile.h"
#include "common/Registry.h"
#include "core/ResConst.h"
#include "support/ScratchCurrentUser.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class UserFolders : public ::testing::Test {
protected:
  ScratchCurrentUser user;
  const TempFolder& appData = user.appData;

  void SetUp() override { SetSettingsRoot(); }
  void TearDown() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault); }

  std::string StandardDat() const { return appData.Path() + "Quolin4.2\\standard.dat"; }
};

TEST_F(UserFolders, FoldersFollowTheLocalAppDataFolder) {
  std::string user = appData.Path() + "Quolin4.2";
  EXPECT_EQ(GetSpecialFolder(CSIDL_LOCAL_APPDATA) + "\\", appData.Path());
  EXPECT_EQ(GetUserDataFolder(false), user);
  EXPECT_EQ(GetUserDataFolder(true), user + "\\");
  EXPECT_EQ(GetTemplateFolder(false), user + "\\Template");
  EXPECT_EQ(GetDicFolder(true), user + "\\Dic\\");
  EXPECT_EQ(GetPlugInFolder(false), user + "\\PlugIn");
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string program = module;
  EXPECT_EQ(GetProgramFolder(), program.substr(0, program.rfind('\\') + 1));
  EXPECT_EQ(RegKeyPath + "\\", SettingsKeyOf(""));
}

TEST_F(UserFolders, NewFoldersAreFilledFromTheProgramFolder) {
  TempFolder program{"プログラム"};
  CreateDirectoryA((program / "Template").c_str(), nullptr);
  CreateDirectoryA((program / "Template\\sub").c_str(), nullptr);
  CreateDirectoryA((program / "Dic").c_str(), nullptr);
  TempFolder::WriteFile(program / "Template\\normal.tex", "\\documentclass{jsarticle}");
  TempFolder::WriteFile(program / "Template\\表紙.tex", "hidden", FILE_ATTRIBUTE_HIDDEN);
  TempFolder::WriteFile(program / "Template\\readonly", "ro", FILE_ATTRIBUTE_READONLY);
  TempFolder::WriteFile(program / "Template\\system.sty", "sys", FILE_ATTRIBUTE_SYSTEM);
  TempFolder::WriteFile(program / "Template\\sub\\deep.tex", "no");
  TempFolder::WriteFile(program / "Dic\\Custom.dic", "TeX\r\n");
  TempFolder::WriteFile(program / "Dic\\辞書.DIC", "語\r\n", FILE_ATTRIBUTE_READONLY);
  TempFolder::WriteFile(program / "Dic\\readme.txt", "no");
  TempFolder::WriteFile(program / "Dic\\old.dicx", "no");

  std::string user = appData / "deeper\\Quolin4.2\\";
  FillUserFolders(program.Path(), user);

  EXPECT_EQ(TempFolder::Names(user), (std::vector<std::string>{"Dic", "PlugIn", "Template"}));
  EXPECT_EQ(TempFolder::Names(user + "Template\\"),
            (std::vector<std::string>{"normal.tex", "readonly", "system.sty", "表紙.tex"}));
  EXPECT_EQ(TempFolder::ReadFile(user + "Template\\表紙.tex"), "hidden");
  EXPECT_EQ(TempFolder::Names(user + "Dic\\"),
            (std::vector<std::string>{"Custom.dic", "辞書.DIC"}));
  EXPECT_TRUE(TempFolder::Names(user + "PlugIn\\").empty());
}

TEST_F(UserFolders, ExistingFoldersAreNeverRefilled) {
  TempFolder program{"Program"};
  CreateDirectoryA((program / "Template").c_str(), nullptr);
  CreateDirectoryA((program / "Dic").c_str(), nullptr);
  TempFolder::WriteFile(program / "Template\\normal.tex", "new");
  TempFolder::WriteFile(program / "Dic\\Custom.dic", "new");
  std::string user = appData / "Quolin4.2\\";
  CreateDirectoryA(user.c_str(), nullptr);
  CreateDirectoryA((user + "Template").c_str(), nullptr);
  CreateDirectoryA((user + "Dic").c_str(), nullptr);
  TempFolder::WriteFile(user + "Dic\\Custom.dic", "mine");

  SetupUserFolders(); // the real program folder has a template and a dictionary too
  FillUserFolders(program.Path(), user);

  EXPECT_TRUE(TempFolder::Names(user + "Template\\").empty());
  EXPECT_EQ(TempFolder::Names(user + "Dic\\"), std::vector<std::string>{"Custom.dic"});
  EXPECT_EQ(TempFolder::ReadFile(user + "Dic\\Custom.dic"), "mine");
  EXPECT_TRUE(IsFolder(user + "PlugIn"));
  EXPECT_FALSE(IsFolder(user + "img"));
}

TEST_F(UserFolders, MissingProgramFoldersLeaveNewFoldersEmpty) {
  TempFolder program{"Bare"};
  std::string user = appData / "Quolin4.2\\";
  FillUserFolders(program.Path(), user);
  EXPECT_EQ(TempFolder::Names(user), (std::vector<std::string>{"Dic", "PlugIn", "Template"}));
  EXPECT_TRUE(TempFolder::Names(user + "Template\\").empty());
  EXPECT_TRUE(TempFolder::Names(user + "Dic\\").empty());
}

TEST_F(UserFolders, SystemSettingsWithAndWithoutStoredValues) {
  LoadSystemSettings();
  EXPECT_EQ(StoredString("System", "SetupFolder") + "\\", GetProgramFolder());
  EXPECT_EQ(DefaultFilter, res::DefaultFileFilter);
  EXPECT_TRUE(DefaultBinFile.starts_with(".exe.com.dll.")) << DefaultBinFile;

  ASSERT_TRUE(RegWriteString("System", "DefaultFilter", "X(*.x)|*.x"));
  ASSERT_TRUE(RegWriteString("System", "DefaultBinFile", ".abc.表"));
  ASSERT_TRUE(RegWriteString("System", "SetupFolder", "C:\\elsewhere"));
  LoadSystemSettings();
  EXPECT_EQ(DefaultFilter, "X(*.x)|*.x");
  EXPECT_EQ(DefaultBinFile, ".abc.表.");
  EXPECT_EQ(StoredString("System", "SetupFolder") + "\\", GetProgramFolder());
}

TEST_F(UserFolders, DefaultsAreImportedOncePerUser) {
  const std::string main = "Left=40;Top=40;Width=800;Height=600;WindowState=0";
  auto formsMain = [] { return RegReadString("Forms", "Main", ""); };

  // "RegSetup" missing: the import runs and marks itself done.
  ImportDefaultSettingsOnce();
  EXPECT_EQ(formsMain(), main);
  EXPECT_EQ(RegReadString("Forms", "LastDataFile", ""), StandardDat());
  EXPECT_EQ(StoredString("System", "CommandFile"), StandardDat());
  EXPECT_EQ(Stored("System", "RegSetup"), BoolValue(true));

  // Set: no second import.
  ASSERT_TRUE(RegWriteString("Forms", "Main", "WindowState=2"));
  ImportDefaultSettingsOnce();
  EXPECT_EQ(formsMain(), "WindowState=2");

  // Stored as false: imported again.
  ASSERT_TRUE(RegWriteBool("System", "RegSetup", false));
  ImportDefaultSettingsOnce();
  EXPECT_EQ(formsMain(), main);
  EXPECT_TRUE(RegReadBool("System", "RegSetup", false));
}

TEST_F(UserFolders, DefaultRegHoldsNoValueReadBeforeTheImport) {
  std::string content = TempFolder::ReadFile(GetProgramFolder() + "default.reg");
  ASSERT_TRUE(content.starts_with("REGEDIT4\r\n"));
  std::vector<TRegFileSection> sections = ReadRegFile(content);
  ASSERT_FALSE(sections.empty());
  for (const TRegFileSection& section : sections) {
    EXPECT_TRUE(section.name.starts_with("HKEY_CURRENT_USER\\" + SettingsKeyOf("")))
        << section.name;
    EXPECT_FALSE(section.name.ends_with("\\System")) << section.name;
    for (const TRegFileValue& value : section.values)
      for (const char* name : {"RegSetup", "LastDataFile", "CommandFile"})
        EXPECT_NE(value.name, name) << section.name;
  }
}

} // namespace
