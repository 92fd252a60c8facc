// The format dialog on the front ends' own settings: the KarveTeX key of the scratch
// HKEY_CURRENT_USER and "WinTex.ini" of the prefix's Windows folder.
#include "common/RegistryProbe.h"
#include "settings/InfoDialogFixture.h"
#include "texchain/ToolPlaceholders.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"

#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

using Names = std::vector<std::string>;

struct Seen {
  std::string caption;
  Names items;
  int index = -2;
};

class FmtDialog : public InfoDialogFixture {
protected:
  void SetUp() override {
    InfoDialogFixture::SetUp();
    RemoveIni();
  }
  void TearDown() override {
    RemoveIni();
    InfoDialogFixture::TearDown();
  }

  static std::string IniPath() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\" + WinTeXIni;
  }
  // The platform keeps profile files cached until told to flush.
  static void FlushIni() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, WinTeXIni); }
  static void RemoveIni() {
    FlushIni();
    DeleteFileA(IniPath().c_str());
  }
  static void WriteIni(const std::string& text) {
    FlushIni();
    TempFolder::WriteFile(IniPath(), text);
  }
  static void SetFormats(std::initializer_list<int> numbers) {
    for (int number : numbers)
      SetRaw(HKEY_CURRENT_USER, KarveFormatsKey, std::to_string(number),
             SzValue("format " + std::to_string(number)));
  }
  static RawValue StoredDefault() {
    return QueryRaw(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue);
  }

  // Runs the word; act chooses (index -2 leaves the selection) and presses OK or Cancel.
  Seen Show(const std::string& word, int choose, bool ok) {
    Seen seen;
    bool reached = false;
    WhenUp<TFmtForm>(
        "FmtForm",
        [&](TFmtForm& form) {
          seen.caption = form.Caption();
          for (int i = 0; i < form.ComboBox1->Items().Count(); ++i)
            seen.items.push_back(form.ComboBox1->Items()[i]);
          seen.index = form.ComboBox1->ItemIndex();
          if (choose != -2)
            form.ComboBox1->SetItemIndex(choose);
          uitest::FormDriver::Click(ok ? *form.Button1 : *form.Button2);
        },
        &reached);
    EXPECT_TRUE(Run(word));
    EXPECT_TRUE(reached);
    return seen;
  }
  Seen ShowRegistry(int choose, bool ok) {
    return Show("$Sys_OptSelectFmt_pLaTeX2eWin", choose, ok);
  }
  Seen ShowIni(int choose, bool ok) { return Show("$Sys_OptSelectFmt_WinTeX", choose, ok); }
};

TEST_F(FmtDialog, RegistryListStopsAtTheFirstGapAndAnUnlistedDefaultSelectsNothing) {
  SetFormats({0, 1, 3});
  SetRaw(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue, DwordValue(5));
  Seen seen = ShowRegistry(-2, true);
  EXPECT_EQ(seen.caption, "フォーマット選択(pLaTeX2e for Win)");
  EXPECT_EQ(seen.items, (Names{"format 0", "format 1"}));
  EXPECT_EQ(seen.index, -1);
  EXPECT_EQ(StoredDefault(), DwordValue(5)) << "OK without a choice writes nothing";

  SetRaw(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue, DwordValue(2));
  EXPECT_EQ(ShowRegistry(-2, false).index, -1) << "2 is the count: not listed";
  SetRaw(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue, DwordValue(1));
  EXPECT_EQ(ShowRegistry(-2, false).index, 1);
}

TEST_F(FmtDialog, RegistryListTakesTenAtMostAndAnEmptyValueEndsIt) {
  SetFormats({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  EXPECT_EQ(ShowRegistry(-2, false).items.size(), 10u);
  SetRaw(HKEY_CURRENT_USER, KarveFormatsKey, "2", SzValue(""));
  EXPECT_EQ(ShowRegistry(-2, false).items.size(), 2u);
}

TEST_F(FmtDialog, OkWritesADwordAndCreatesTheKeyCancelWritesNothing) {
  SetFormats({0, 1, 2});
  Seen seen = ShowRegistry(2, false);
  EXPECT_EQ(seen.index, 0) << "no stored default: the first";
  EXPECT_FALSE(StoredDefault().found);
  ShowRegistry(2, true);
  EXPECT_EQ(StoredDefault(), DwordValue(2));
}

TEST_F(FmtDialog, TextDefaultReadsAsZero) {
  SetFormats({0, 1});
  SetRaw(HKEY_CURRENT_USER, KarveSettingsKey, KarveFormatValue, SzValue("1"));
  EXPECT_EQ(ShowRegistry(-2, false).index, 0);
}

TEST_F(FmtDialog, IniKeysInFileOrderAndTheDefaultWrittenBack) {
  std::string text = "; comment\r\n[TeXModeDefault]\r\nTeXModeDefault=1\r\n\r\n[TeXMode]\r\n"
                     "plain=tex.fmt\r\n\r\n; a comment\r\nno equals sign\r\nlatex=latex.fmt\r\n";
  for (int key = 0; key < 400; ++key)
    text.append("k").append(std::to_string(key)).append("=x\r\n");
  WriteIni(text);
  Seen seen = ShowIni(-2, false);
  EXPECT_EQ(seen.caption, "フォーマット選択(TeX for Win)");
  // Comments and the line without "=" are no keys to the platform.
  ASSERT_EQ(seen.items.size(), 402u);
  EXPECT_EQ(Names(seen.items.begin(), seen.items.begin() + 3), (Names{"plain", "latex", "k0"}));
  EXPECT_EQ(seen.items.back(), "k399");
  EXPECT_EQ(seen.index, 1);

  ShowIni(2, true);
  FlushIni();
  EXPECT_EQ(GetPrivateProfileIntA("TeXModeDefault", "TeXModeDefault", -5, WinTeXIni), 2);
  LoadFormatDefaults();
  EXPECT_EQ(FormatDefaults().FmtNum_WinTeX, "2");
  EXPECT_EQ(FormatDefaults().FmtName_WinTeX, "x");
}

TEST_F(FmtDialog, MissingIniGivesAnEmptyListAndCancelWritesNothing) {
  Seen seen = ShowIni(-2, false);
  EXPECT_TRUE(seen.items.empty());
  EXPECT_EQ(seen.index, -1);
  FlushIni();
  EXPECT_EQ(GetFileAttributesA(IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
  ShowIni(-2, true);
  FlushIni();
  EXPECT_EQ(GetFileAttributesA(IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
