#include "MainWindowFixture.h"

#include "app/UserFolders.h"
#include "commands/TopFormData.h"
#include "common/FileDialogs.h"
#include "common/UserDataFile.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

// The save dialog answered by a script of file names ("" cancels), each call recorded.
class DataFileDialog : public MainWindowFixture {
protected:
  std::vector<std::string> answers;
  std::vector<TFileDialogFields> shown;
  const std::string inUse = files / "inuse.dat";

  void SetUp() override {
    MainWindowFixture::SetUp();
    DataFileName = inUse;
    SetFileDialogHook([this](const TFileDialogFields& fields) {
      shown.push_back(fields);
      TFileDialogAnswer answer;
      const std::string name = shown.size() <= answers.size() ? answers[shown.size() - 1] : "";
      answer.Confirmed = !name.empty();
      if (answer.Confirmed)
        answer.FileNames = {name};
      return answer;
    });
  }
  void TearDown() override {
    SetFileDialogHook({});
    MainWindowFixture::TearDown();
  }

  void ExpectMessage(size_t index, const std::string& text, TMsgDlgType type) {
    ASSERT_LT(index, dialogs.calls.size());
    EXPECT_EQ(dialogs.calls[index].text, text);
    EXPECT_EQ(dialogs.calls[index].type, static_cast<int>(type));
  }
};

TEST_F(DataFileDialog, CancelMakesNothing) {
  EXPECT_FALSE(CreateDataFileInteractive());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Kind, TFileDialogKind::fdSave);
  EXPECT_EQ(shown[0].Title, "Quolin データファイル生成");
  EXPECT_EQ(shown[0].Filter, "Quolin Data File(*.dat)|*.dat");
  EXPECT_EQ(shown[0].DefaultExt, ".dat");
  EXPECT_EQ(shown[0].HistoryKey, "QuolinDataFileCreate");
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(TempFolder::Names(files.Path()).empty());
}

TEST_F(DataFileDialog, AnExistingNameAsksAgainThenTheNewFileIsMade) {
  const std::string existing = files / "表.dat", fresh = files / "ソフト.dat";
  TempFolder::WriteFile(existing, "kept");
  answers = {existing, fresh};
  EXPECT_TRUE(CreateDataFileInteractive());
  EXPECT_EQ(shown.size(), 2u);
  ASSERT_EQ(dialogs.calls.size(), 2u);
  ExpectMessage(0, "ファイル \"" + existing + "\" は既に存在します", TMsgDlgType::mtInformation);
  ExpectMessage(1, "データファイルを生成しました", TMsgDlgType::mtInformation);
  EXPECT_EQ(TempFolder::ReadFile(existing), "kept");
  EXPECT_TRUE(IsDataFile(fresh));
  EXPECT_EQ(DataFileName, inUse) << "the new file is not taken into use";
}

TEST_F(DataFileDialog, AMissingFolderFails) {
  const std::string nowhere = files / "missing\\new.dat";
  answers = {nowhere};
  EXPECT_FALSE(CreateDataFileInteractive());
  ASSERT_EQ(dialogs.calls.size(), 1u);
  ExpectMessage(0, "データファイルの生成に失敗しました", TMsgDlgType::mtWarning);
  EXPECT_FALSE(FileExists(nowhere));
}

} // namespace
