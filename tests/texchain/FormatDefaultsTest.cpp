// The format numbers and names read from the KarveTeX front end's registry key and from
// "WinTex.ini" in the Windows folder.
#include "common/IniFile.h"
#include "common/RegistryProbe.h"
#include "support/ScratchCurrentUser.h"
#include "texchain/ToolPlaceholders.h"
#include "texchain/ToolUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char Ini[] = "WinTex.ini";
constexpr char KarveKey[] = "Software\\KARVE\\bwpvtex";

class FormatDefaults : public ::testing::Test {
protected:
  ScratchCurrentUser user;

  void SetUp() override { RemoveIni(); }
  void TearDown() override { RemoveIni(); }

  static void RemoveIni() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    // The platform keeps profile files cached until told to flush.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, Ini);
    DeleteFileA((std::string(windows) + "\\" + Ini).c_str());
  }
  static void SetKarve(const std::string& number, const std::string& name) {
    SetRaw(HKEY_CURRENT_USER, std::string(KarveKey) + "\\Settings", "defaultfmt",
           DwordValue(static_cast<DWORD>(std::stoi(number))));
    SetRaw(HKEY_CURRENT_USER, std::string(KarveKey) + "\\Format Files", number, SzValue(name));
  }
  static const TFormatDefaults& Loaded() {
    LoadFormatDefaults();
    return quolin::FormatDefaults();
  }
};

TEST_F(FormatDefaults, MissingKeysAndFileGiveTheDefaults) {
  const TFormatDefaults& formats = Loaded();
  EXPECT_EQ(formats.FmtNum_KarveTeX, "0");
  EXPECT_EQ(formats.FmtName_KarveTeX, "");
  EXPECT_EQ(formats.FmtNum_WinTeX, "-1");
  EXPECT_EQ(formats.FmtName_WinTeX, "");
}

TEST_F(FormatDefaults, KarveTeXNumberAndNameFromTheRegistry) {
  SetKarve("2", "pLaTeX2e (platex.fmt)");
  EXPECT_EQ(Loaded().FmtNum_KarveTeX, "2");
  EXPECT_EQ(Loaded().FmtName_KarveTeX, "platex");
  SetKarve("3", "jlatex.fmt");
  EXPECT_EQ(Loaded().FmtName_KarveTeX, "jlatex") << "without parentheses: the extension goes";
  SetRaw(HKEY_CURRENT_USER, std::string(KarveKey) + "\\Settings", "defaultfmt", DwordValue(4));
  EXPECT_EQ(Loaded().FmtNum_KarveTeX, "4");
  EXPECT_EQ(Loaded().FmtName_KarveTeX, "") << "no name for that number";
}

TEST(KarveFormatName, WhatFollowsTheLastParenthesisWithoutExtension) {
  EXPECT_EQ(KarveFormatName("a (b) (c.fmt)"), "c");
  EXPECT_EQ(KarveFormatName("(x)"), "x");
  EXPECT_EQ(KarveFormatName("()"), "()") << "two characters stay";
  EXPECT_EQ(KarveFormatName("ab("), "");
  EXPECT_EQ(KarveFormatName("plain.fmt"), "plain");
}

TEST_F(FormatDefaults, WinTeXNumberAndTheNameOfThatKey) {
  IniWriteInteger(Ini, "TeXModeDefault", "TeXModeDefault", 1);
  TIniFile ini(Ini);
  ini.WriteString("TeXMode", "first", "platex");
  ini.WriteString("TeXMode", "second", "jlatex");
  EXPECT_EQ(Loaded().FmtNum_WinTeX, "1");
  EXPECT_EQ(Loaded().FmtName_WinTeX, "jlatex");
  IniWriteInteger(Ini, "TeXModeDefault", "TeXModeDefault", 2);
  EXPECT_EQ(Loaded().FmtNum_WinTeX, "2");
  EXPECT_EQ(Loaded().FmtName_WinTeX, "") << "past the last key";
  ini.EraseSection("TeXModeDefault");
  EXPECT_EQ(Loaded().FmtNum_WinTeX, "-1");
  EXPECT_EQ(Loaded().FmtName_WinTeX, "");
}

} // namespace
