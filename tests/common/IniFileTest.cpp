#include "common/IniFile.h"
#include "TempFolder.h"
#include "core/Exceptions.h"
#include "core/JoinedStrings.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::Joined;
using quolin::test_support::TempFolder;

namespace {

class IniFile : public ::testing::Test {
protected:
  TempFolder folder{"ini"};
  TIniFile ini{folder / "設定表.ini"};
};

TEST_F(IniFile, ValuesThatReadingWouldChangeAndLongValuesRoundTrip) {
  std::string longValue;
  for (int i = 0; longValue.size() < 3000; ++i)
    longValue += "表示" + std::to_string(i) + " ";
  longValue.pop_back();
  const std::string values[] = {" \\item ", "\"$S\"", "'quoted'", "\tTab",  "a \"b\" c",
                                "\"open",   "表\\ソ", "",         longValue};
  for (const std::string& value : values) {
    ini.WriteString("Master", "Value", value);
    EXPECT_EQ(ini.ReadString("Master", "Value", "x"), value);
  }
  ini.WriteString("Master", "Plain", "plain");
  EXPECT_EQ(TempFolder::ReadFile(ini.FileName()).find("\"plain\""), std::string::npos);
}

TEST_F(IniFile, MissingValuesGiveTheDefaultUntrimmed) {
  EXPECT_EQ(ini.ReadString("S", "Missing", " keep "), " keep ");
  ini.WriteString("S", "Empty", "");
  EXPECT_EQ(ini.ReadString("S", "Empty", "default"), "");
  EXPECT_TRUE(ini.ValueExists("S", "Empty"));
  EXPECT_FALSE(ini.ValueExists("S", "Missing"));
}

TEST_F(IniFile, NumbersAndBooleans) {
  ini.WriteInteger("N", "Count", -42);
  ini.WriteBool("N", "On", true);
  ini.WriteBool("N", "Off", false);
  ini.WriteString("N", "Hex", "0x1F");
  ini.WriteString("N", "Text", "abc");
  EXPECT_EQ(ini.ReadString("N", "Count", ""), "-42");
  EXPECT_EQ(ini.ReadInteger("N", "Count", 0), -42);
  EXPECT_EQ(ini.ReadInteger("N", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "Text", 7), 7);
  EXPECT_EQ(ini.ReadInteger("N", "Missing", 8), 8);
  EXPECT_EQ(ini.ReadString("N", "On", ""), "1");
  EXPECT_TRUE(ini.ReadBool("N", "On", false));
  EXPECT_FALSE(ini.ReadBool("N", "Off", true));
  EXPECT_TRUE(ini.ReadBool("N", "Missing", true));
}

TEST_F(IniFile, SectionsListsAndDeletion) {
  ini.WriteString("TeX Live", "Path", "C:\\texlive");
  ini.WriteString("TeX Live", "Dde", "1");
  ini.WriteString("W32TeX", "Path", "C:\\w32tex");
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(Joined(list), "[TeX Live][W32TeX]");
  ini.ReadSection("TeX Live", list);
  EXPECT_EQ(Joined(list), "[Path][Dde]");
  ini.ReadSectionValues("TeX Live", list);
  EXPECT_EQ(Joined(list), "[Path=C:\\texlive][Dde=1]");

  ini.DeleteKey("TeX Live", "Dde");
  EXPECT_FALSE(ini.ValueExists("TeX Live", "Dde"));
  ini.EraseSection("TeX Live");
  EXPECT_FALSE(ini.SectionExists("TeX Live"));
  EXPECT_TRUE(ini.SectionExists("W32TeX"));
  ini.UpdateFile();
  EXPECT_EQ(TIniFile(ini.FileName()).ReadString("W32TeX", "Path", ""), "C:\\w32tex");
}

TEST_F(IniFile, ARefusedWriteRaises) {
  TIniFile nowhere(folder / "missing folder\\x.ini");
  try {
    nowhere.WriteString("S", "V", "x");
    ADD_FAILURE() << "the write was not refused";
  } catch (const EIniFileException& error) {
    EXPECT_NE(error.Message().find(nowhere.FileName()), std::string::npos);
  }
  EXPECT_THROW(nowhere.WriteInteger("S", "V", 1), EIniFileException);
  EXPECT_EQ(nowhere.ReadString("S", "V", "d"), "d");
}

} // namespace
