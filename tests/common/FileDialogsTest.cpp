#include "common/FileDialogs.h"
#include "common/ComPtr.h"
#include "common/TempFolder.h"
#include "core/JoinedStrings.h"
#include "core/Paths.h"
#include "core/StringList.h"
#include "support/DialogDriver.h"
#include "support/SettingsFixture.h"

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

// The bytes of a literal with its inner NULs.
template <size_t N> std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

class FileDialogs : public SettingsFixture {
protected:
  TComInit com;
  TempFolder root{"ダイアログ"};
  // Two folders of the real dialog tests, with a trailing "\\".
  std::string first = root / "ソース\\";
  std::string second = root / "表示\\";

  void SetUp() override {
    SettingsFixture::SetUp();
    CreateDirectoryA(first.c_str(), nullptr);
    CreateDirectoryA(second.c_str(), nullptr);
    TempFolder::WriteFile(first + "a.tex", "a");
    TempFolder::WriteFile(second + "文書.tex", "b");
    TempFolder::WriteFile(second + "b.tex", "c");
  }

  void TearDown() override {
    SetFileDialogHook(nullptr);
    SettingsFixture::TearDown();
  }

  static void Remember(const std::string& key, const std::string& folder, int index) {
    Store("FileDialogs", key, REG_SZ, folder + std::string(1, '\0'));
    Store("FileDialogs", key + "_FilterIndex", REG_DWORD, Dword(index));
  }
  // "Tex" holds the folder, "Tex_FilterIndex" the filter.
  static RawValue Remembered(const std::string& name) { return Stored("FileDialogs", name); }
};

// Window-free steps

TEST_F(FileDialogs, FilterPairsBecomeNulSeparated) {
  // ポ is 83 7C: its second byte is "|" but separates nothing.
  EXPECT_EQ(ConvertDialogFilter("スポーツ(*.tex)|*.tex"), Bytes("スポーツ(*.tex)\0*.tex\0\0"));
  EXPECT_EQ(ConvertDialogFilter("TeX|*.tex;*.sty|All|*.*"),
            Bytes("TeX\0*.tex;*.sty\0All\0*.*\0\0"));
  EXPECT_EQ(ConvertDialogFilter(""), "");
}

TEST_F(FileDialogs, SeveralFilesComeBackAsFullPaths) {
  EXPECT_EQ(ParseSelectedFiles(Bytes("C:\\表\0a.tex\0ソ.tex\0\0junk")),
            (std::vector<std::string>{"C:\\表\\a.tex", "C:\\表\\ソ.tex"}));
  EXPECT_EQ(ParseSelectedFiles(Bytes("C:\\\0a.tex\0b.tex\0\0")),
            (std::vector<std::string>{"C:\\a.tex", "C:\\b.tex"}));
  EXPECT_EQ(ParseSelectedFiles(Bytes("C:\\d\\one.tex\0\0")),
            (std::vector<std::string>{"C:\\d\\one.tex"}));
  EXPECT_TRUE(ParseSelectedFiles(Bytes("\0\0")).empty());
}

TEST_F(FileDialogs, OpenDialogStartsWhereTheHistoryKeyLeftOff) {
  Remember("Tex", "D:\\最後\\", 3);
  struct Case {
    const char* historyKey;
    int filterIndex;
    const char* startsIn;
    int startsWithFilter;
  };
  const Case cases[] = {{"Tex", -1, "D:\\最後\\", 3},
                        {"Tex", 2, "D:\\最後\\", 2},
                        {"Tex", 0, "D:\\最後\\", 0},
                        {"Bib", -1, "C:\\init", 0},
                        {"", -1, "C:\\init", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.historyKey) + " " + std::to_string(c.filterIndex));
    TFileDialogParams params{
        .InitialDir = "C:\\init", .FilterIndex = c.filterIndex, .HistoryKey = c.historyKey};
    TFileDialogFields fields = PrepareOpenDialog(params, false);
    EXPECT_EQ(fields.InitialDir, c.startsIn);
    EXPECT_EQ(fields.FilterIndex, c.startsWithFilter);
  }
}

TEST_F(FileDialogs, ReadOnlyBoxOnlyForOneFile) {
  struct Case {
    bool allowMultiSelect, showReadOnly, filesGiven;
    bool multiSelect, readOnlyBox, readOnly; // what the dialog gets
  };
  const Case cases[] = {{false, true, true, false, true, true},
                        {true, true, false, false, true, true},
                        {true, true, true, true, false, false},
                        {false, false, true, false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.allowMultiSelect << c.showReadOnly << c.filesGiven);
    TFileDialogParams params{
        .ShowReadOnly = c.showReadOnly, .ReadOnly = true, .AllowMultiSelect = c.allowMultiSelect};
    TFileDialogFields fields = PrepareOpenDialog(params, c.filesGiven);
    EXPECT_EQ(fields.AllowMultiSelect, c.multiSelect);
    EXPECT_EQ(fields.ShowReadOnly, c.readOnlyBox);
    EXPECT_EQ(fields.ReadOnly, c.readOnly);
  }
}

TEST_F(FileDialogs, SaveDialogStartsInTheFolderOfTheRecordsFile) {
  Remember("Tex", "D:\\最後\\", 3);
  TFileDialogParams params{.FileName = "C:\\文書\\表.tex",
                           .InitialDir = "C:\\init",
                           .FilterIndex = 2,
                           .ShowReadOnly = true,
                           .AllowMultiSelect = true,
                           .HistoryKey = "Tex"};
  TFileDialogFields fields = PrepareSaveDialog(params);
  EXPECT_EQ(fields.Kind, TFileDialogKind::fdSave);
  EXPECT_FALSE(fields.AllowMultiSelect);
  EXPECT_TRUE(fields.ShowReadOnly);
  EXPECT_EQ(fields.FileName, "表.tex");
  EXPECT_EQ(fields.InitialDir, "C:\\文書\\");
  EXPECT_EQ(fields.FilterIndex, 2);

  params.FileName = "無題.tex";
  params.FilterIndex = -1;
  fields = PrepareSaveDialog(params);
  EXPECT_EQ(fields.FileName, "無題.tex");
  EXPECT_EQ(fields.InitialDir, "D:\\最後\\");
  EXPECT_EQ(fields.FilterIndex, 1);

  params.HistoryKey = "";
  EXPECT_EQ(PrepareSaveDialog(params).InitialDir, "C:\\init");
}

TEST_F(FileDialogs, TestHookGetsTheFieldsAndItsAnswerWritesTheHistory) {
  TFileDialogFields seen;
  SetFileDialogHook([&](const TFileDialogFields& fields) {
    seen = fields;
    return TFileDialogAnswer{true, {"C:\\表\\a.tex", "C:\\表\\b.tex"}, true, 2};
  });
  TFileDialogParams params{.Title = "開く",
                           .Filter = "TeX|*.tex|Bib|*.bib",
                           .DefaultExt = "tex",
                           .InitialDir = "C:\\init",
                           .FilterIndex = -1,
                           .ShowReadOnly = true,
                           .AllowMultiSelect = true,
                           .HistoryKey = "Tex"};
  TStringList files;
  std::string fileName;
  bool readOnly = true;
  ASSERT_TRUE(ShowOpenDialog(params, &files, fileName, readOnly));

  // The parameters, with the first filter and no read-only box beside several files.
  TFileDialogFields expected{params};
  expected.FilterIndex = 0;
  expected.ShowReadOnly = false;
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(fileName, "C:\\表\\a.tex");
  EXPECT_EQ(Joined(files), "[C:\\表\\a.tex][C:\\表\\b.tex]");
  EXPECT_FALSE(readOnly); // the box was not shown
  EXPECT_EQ(Remembered("Tex"), SzValue("C:\\表\\"));
  EXPECT_EQ(Remembered("Tex_FilterIndex"), DwordValue(2));

  SetFileDialogHook([](const TFileDialogFields&) {
    return TFileDialogAnswer{true, {"D:\\x.tex"}, true, 1};
  });
  params.AllowMultiSelect = false;
  ASSERT_TRUE(ShowOpenDialog(params, nullptr, fileName, readOnly));
  EXPECT_TRUE(readOnly);
  EXPECT_EQ(Remembered("Tex"), SzValue("D:\\"));
  EXPECT_EQ(Remembered("Tex_FilterIndex"), DwordValue(1));

  ASSERT_TRUE(ShowSaveDialog(params, fileName, readOnly));
  EXPECT_EQ(Remembered("Tex"), SzValue("D:\\"));

  // A cancelled dialog changes nothing.
  SetFileDialogHook([](const TFileDialogFields&) { return TFileDialogAnswer{}; });
  params.AllowMultiSelect = true;
  EXPECT_FALSE(ShowOpenDialog(params, &files, fileName, readOnly));
  EXPECT_FALSE(ShowSaveDialog(params, fileName, readOnly));
  EXPECT_EQ(fileName, "D:\\x.tex");
  EXPECT_TRUE(readOnly);
  EXPECT_EQ(Joined(files), "[C:\\表\\a.tex][C:\\表\\b.tex]");
  EXPECT_EQ(Remembered("Tex"), SzValue("D:\\"));
  EXPECT_EQ(Remembered("Tex_FilterIndex"), DwordValue(1));
}

// Real dialogs, driven from a second thread.

struct DialogView {
  std::string folder;
  std::string shownName;
  int filter = -1;
  bool readOnlyBox = false;
};

std::string DialogString(HWND dialog, UINT message) {
  char text[MAX_PATH * 2] = {};
  SendMessageA(dialog, message, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool FileDialogReady(HWND dialog) {
  return GetDlgItem(dialog, cmb1) != nullptr && !DialogString(dialog, CDM_GETFOLDERPATH).empty();
}

DialogView Read(HWND dialog) {
  DialogView view;
  view.folder = DialogString(dialog, CDM_GETFOLDERPATH);
  view.shownName = DialogString(dialog, CDM_GETSPEC);
  view.filter = static_cast<int>(SendDlgItemMessageA(dialog, cmb1, CB_GETCURSEL, 0, 0));
  HWND box = GetDlgItem(dialog, chx1);
  view.readOnlyBox = box && IsWindowVisible(box);
  return view;
}

// Reads the dialog, types name into its file name box and presses OK; an empty name cancels.
DialogDriver::Action ReadAndAnswer(DialogView& view, const std::string& name,
                                   int filterToChoose = -1) {
  return [&view, name, filterToChoose](HWND dialog) {
    view = Read(dialog);
    if (filterToChoose >= 0) {
      HWND combo = GetDlgItem(dialog, cmb1);
      SendMessageA(combo, CB_SETCURSEL, filterToChoose, 0);
      // What a choice from the drop-down list reports.
      for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, notification),
                     reinterpret_cast<LPARAM>(combo));
    }
    if (name.empty()) {
      DialogDriver::Press(dialog, IDCANCEL);
      return;
    }
    SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
    DialogDriver::Press(dialog, IDOK);
  };
}

TFileDialogParams TexParams(const std::string& initialDir) {
  return {.Title = "ファイルを開く",
          .Filter = "TeX 文書 (*.tex)|*.tex|BibTeX (*.bib)|*.bib|すべて (*.*)|*.*",
          .InitialDir = initialDir,
          .FilterIndex = -1,
          .HistoryKey = "Tex"};
}

// What a real dialog showed and what its call gave back.
struct Outcome {
  bool confirmed = false;
  DialogView view;
  std::string fileName = "before";
  bool readOnly = true;
  TStringList files;
};

// Shows the open (or save) dialog, which the driver reads and answers; the list of files is
// given when the parameters allow several.
Outcome Show(bool save, const TFileDialogParams& params, const std::string& answer,
             int filterToChoose = -1) {
  Outcome out;
  {
    DialogDriver driver(ReadAndAnswer(out.view, answer, filterToChoose), FileDialogReady);
    out.confirmed = save ? ShowSaveDialog(params, out.fileName, out.readOnly)
                         : ShowOpenDialog(params, params.AllowMultiSelect ? &out.files : nullptr,
                                          out.fileName, out.readOnly);
  }
  EXPECT_FALSE(out.view.folder.empty()) << "the dialog was not driven";
  return out;
}

TEST_F(FileDialogs, HistoryKeyReopensInTheFolderOfTheLastFileAndCancelKeepsIt) {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  Outcome opened = Show(false, TexParams(first), second + "文書.tex");
  ASSERT_TRUE(opened.confirmed);
  EXPECT_TRUE(DialogDriver::IsSameFolder(opened.view.folder, first));
  EXPECT_EQ(opened.fileName, second + "文書.tex");
  EXPECT_EQ(Remembered("Tex"), SzValue(second));
  char after[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(after, current); // the process's current folder stays

  const RawValue index = Remembered("Tex_FilterIndex");
  for (bool save : {false, true}) {
    Outcome cancelled = Show(save, TexParams(first), "");
    EXPECT_FALSE(cancelled.confirmed) << save;
    EXPECT_TRUE(DialogDriver::IsSameFolder(cancelled.view.folder, second)) << cancelled.view.folder;
    EXPECT_EQ(cancelled.fileName, "before");
    EXPECT_TRUE(cancelled.readOnly);
  }
  EXPECT_EQ(Remembered("Tex"), SzValue(second));
  EXPECT_EQ(Remembered("Tex_FilterIndex"), index);
}

TEST_F(FileDialogs, RememberedFilterIndexIsUsedAndStored) {
  Remember("Tex", first, 2);
  Outcome opened = Show(false, TexParams(second), "a.tex", 2);
  ASSERT_TRUE(opened.confirmed);
  EXPECT_EQ(opened.view.filter, 1); // the second filter
  EXPECT_TRUE(DialogDriver::IsSameFolder(opened.view.folder, first)) << opened.view.folder;
  EXPECT_EQ(opened.fileName, first + "a.tex");
  EXPECT_EQ(Remembered("Tex_FilterIndex"), DwordValue(3));
}

TEST_F(FileDialogs, SeveralFilesComeBackWithTheFirstAsFileName) {
  TFileDialogParams params = TexParams(second);
  params.AllowMultiSelect = true;
  params.ShowReadOnly = true;
  params.ReadOnly = true;
  Outcome opened = Show(false, params, "\"b.tex\" \"文書.tex\"");
  ASSERT_TRUE(opened.confirmed);
  EXPECT_FALSE(opened.view.readOnlyBox);
  EXPECT_FALSE(opened.readOnly);
  ASSERT_EQ(opened.files.Count(), 2);
  EXPECT_EQ(opened.fileName, opened.files[0]);
  opened.files.Sort();
  EXPECT_EQ(Joined(opened.files), "[" + second + "b.tex][" + second + "文書.tex]");
  EXPECT_EQ(Remembered("Tex"), SzValue(second));

  // One file of several is a whole path, although the initial name was longer and its end
  // stays in the buffer.
  params.FileName = "a_long_initial_name_that_fills_more_of_the_buffer_than_the_answer.tex";
  opened = Show(false, params, first + "a.tex");
  ASSERT_TRUE(opened.confirmed);
  EXPECT_EQ(opened.view.shownName, params.FileName);
  EXPECT_EQ(opened.fileName, first + "a.tex");
  EXPECT_EQ(Joined(opened.files), "[" + first + "a.tex]");
}

TEST_F(FileDialogs, SaveDialogShowsTheNameInTheFilesFolderAndStoresNoIndex) {
  Remember("Tex", first, 3);
  TFileDialogParams params = TexParams(first);
  params.FileName = second + "新しい.tex";
  params.FilterIndex = 2;
  Outcome saved = Show(true, params, "新しい.tex");
  ASSERT_TRUE(saved.confirmed);
  EXPECT_TRUE(DialogDriver::IsSameFolder(saved.view.folder, second)) << saved.view.folder;
  EXPECT_EQ(saved.view.shownName, "新しい.tex");
  EXPECT_EQ(saved.view.filter, 1);
  EXPECT_EQ(saved.fileName, second + "新しい.tex");
  EXPECT_FALSE(saved.readOnly);
  EXPECT_EQ(Remembered("Tex"), SzValue(second));
  EXPECT_EQ(Remembered("Tex_FilterIndex"), DwordValue(3));
}

} // namespace
