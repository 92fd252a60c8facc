#include "common/UserDataFile.h"
#include "TempFolder.h"
#include "common/IniFile.h"
#include "common/MasterIni.h"
#include "common/SrgFile.h"
#include "core/JoinedStrings.h"
#include "core/Paths.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::Joined;
using quolin::test_support::ListOf;
using quolin::test_support::TempFolder;

namespace {

class DataFile : public ::testing::Test {
protected:
  TempFolder folder{"data"};
  const std::string file = folder / "ソフト\\表.dat";

  void SetUp() override { ASSERT_TRUE(CreateDirectoryA((folder / "ソフト").c_str(), nullptr)); }

  void WriteVersion(const std::string& version) const {
    ASSERT_TRUE(WriteStreamString(file, DataFileConfigStorage, DataFileVersionStream, version));
  }
};

TEST_F(DataFile, CreateOnANewPathOnly) {
  ASSERT_TRUE(CreateDataFile(file));
  EXPECT_TRUE(IsDataFile(file));
  for (const char* stream :
       {MenuStream, ToolBarStream, MasterStream, GroupStream, ReserveListStream})
    EXPECT_EQ(ReadStreamString(file, UserDataStorage, stream, "missing"), "") << stream;
  ASSERT_TRUE(SaveReserveList(file, ListOf({"\\a"})));
  const std::string bytes = TempFolder::ReadFile(file);
  EXPECT_FALSE(CreateDataFile(file));
  EXPECT_EQ(TempFolder::ReadFile(file), bytes);
  EXPECT_FALSE(CreateDataFile(folder / "missing\\new.dat"));
  EXPECT_FALSE(FileExists(folder / "missing\\new.dat"));
}

TEST_F(DataFile, OnlyTheExactVersionIsADataFile) {
  TempFolder::WriteFile(file, "Quolin Version4.00 DataFile");
  EXPECT_FALSE(IsDataFile(file)) << "a text file";
  DeleteFileA(file.c_str());
  WriteVersion("quolin version4.00 datafile");
  EXPECT_FALSE(IsDataFile(file));
  WriteVersion(std::string(DataFileVersionText) + "\r\n");
  EXPECT_FALSE(IsDataFile(file));
  EXPECT_FALSE(IsDataFile(folder / "none.dat"));
}

TEST_F(DataFile, EveryListRoundTripsAndLoadersSkipAnInvalidFile) {
  ASSERT_TRUE(CreateDataFile(file));
  const TStringList masters = ListOf({"0000000100000002000000030000000400000005t表\t\t", "m2"});
  const TStringList groups = ListOf({"g1"}), menus = ListOf({"n1", "n2", ""}),
                    toolbars = ListOf({"00000001ソフト\t$00000001"});
  EXPECT_TRUE(SaveMasterData(file, true, masters));
  EXPECT_TRUE(SaveMasterData(file, false, groups));
  EXPECT_TRUE(SaveMenuData(file, menus, toolbars));
  TStringList m, g, n, t;
  ASSERT_TRUE(LoadMasterData(file, m, g));
  ASSERT_TRUE(LoadMenuData(file, n, t));
  EXPECT_EQ(m.Text(), masters.Text());
  EXPECT_EQ(g.Text(), groups.Text());
  EXPECT_EQ(n.Text(), menus.Text());
  EXPECT_EQ(t.Text(), toolbars.Text());

  WriteVersion("other");
  TStringList kept = ListOf({"kept"});
  EXPECT_FALSE(LoadMasterData(file, kept, kept));
  EXPECT_FALSE(LoadMenuData(file, kept, kept));
  EXPECT_FALSE(LoadReserveList(file, kept));
  EXPECT_EQ(Joined(kept), "[kept]");
}

TEST_F(DataFile, ReservedWordsLoadInCaseSensitiveOrder) {
  ASSERT_TRUE(CreateDataFile(file));
  ASSERT_TRUE(SaveReserveList(file, ListOf({"\\delta", "\\beta", "\\Delta", "\\alpha"})));
  TStringList words;
  ASSERT_TRUE(LoadReserveList(file, words));
  EXPECT_EQ(Joined(words), "[\\alpha][\\beta][\\delta][\\Delta]");
}

TEST_F(DataFile, ASaveIntoADeletedFileMakesAValidOne) {
  ASSERT_TRUE(CreateDataFile(file));
  ASSERT_TRUE(DeleteFileA(file.c_str()));
  EXPECT_TRUE(SaveMenuData(file, ListOf({"n"}), ListOf({"t"})));
  EXPECT_TRUE(IsDataFile(file));
  TStringList menus, toolbars;
  ASSERT_TRUE(LoadMenuData(file, menus, toolbars));
  EXPECT_EQ(Joined(menus) + Joined(toolbars), "[n][t]");
}

TEST_F(DataFile, ASaveIntoAFileHeldOpenFailsAndKeepsIt) {
  ASSERT_TRUE(CreateDataFile(file));
  const std::string bytes = TempFolder::ReadFile(file);
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveMasterData(file, true, ListOf({"m"})));
  EXPECT_FALSE(SaveReserveList(file, ListOf({"\\x"})));
  CloseHandle(held);
  EXPECT_EQ(TempFolder::ReadFile(file), bytes);
}

class MasterIni : public ::testing::Test {
protected:
  TempFolder folder{"ini"};
  const std::string file = folder / "マスタ表.ini";
};

TEST_F(MasterIni, ARecordRoundTripsExceptIdAndImageText) {
  const TQuolin_CmdList record{.Id = 7,
                               .Name = " \\item ",
                               .MenuCaption = "\"quoted\"",
                               .ListCaption = "表示",
                               .AssistCaption = "ソフト",
                               .Command = std::string(5000, 'c'),
                               .ImgIndex = -1,
                               .ImageText = "img",
                               .Hint = "tip|status",
                               .CommandType = 3,
                               .VisibleType = 9,
                               .ShowList = false,
                               .ShortCut = 0xC053};
  ASSERT_TRUE(ExportMasterToIni(file, record));
  TQuolin_CmdList read{.Id = 2, .ImageText = "mine"};
  ASSERT_TRUE(ImportMasterFromIni(file, read));
  TQuolin_CmdList expected = record;
  expected.Id = 2;
  expected.ImageText = "mine";
  EXPECT_EQ(read, expected);
  EXPECT_EQ(TIniFile(file).ReadString(MasterIniSection, "ShowList", ""), "0");
  EXPECT_FALSE(TIniFile(file).ValueExists(MasterIniSection, "Id"));
}

TEST_F(MasterIni, APartialFileKeepsTheOtherFields) {
  TIniFile(file).WriteString(MasterIniSection, "Command", "\\ref{$S}");
  TQuolin_CmdList record{.Name = "name  ", .ImgIndex = 4, .Hint = " h ", .ShortCut = 0x2072};
  TQuolin_CmdList expected = record;
  expected.Command = "\\ref{$S}";
  ASSERT_TRUE(ImportMasterFromIni(file, record));
  EXPECT_EQ(record, expected);
}

TEST_F(MasterIni, AMissingFileOrARefusedWrite) {
  TQuolin_CmdList record{.Name = "n"};
  EXPECT_FALSE(ImportMasterFromIni(folder / "none.ini", record));
  EXPECT_EQ(record, (TQuolin_CmdList{.Name = "n"}));
  EXPECT_FALSE(ExportMasterToIni(folder / "missing\\x.ini", record));
}

} // namespace
