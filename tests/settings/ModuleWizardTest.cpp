// The module setup wizard's steps on real definition files in temporary folders, with the
// boxes, the folder browser, the open dialog and the input query answered by their hooks, and
// the registry of a scratch user: setting up from an entry, and adding, replacing and deleting
// entries through the (unshown) wizard form.
#include "common/FileHelpers.h"
#include "common/TempFolder.h"
#include "core/ModuleEntry.h"
#include "core/Paths.h"
#include "settings/WizUnit.h"
#include "support/FileDialogAnswers.h"
#include "support/ModuleFields.h"
#include "support/SettingsFixture.h"
#include "support/UiTest.h"
#include "texchain/TexCtrl.h"
#include "ui/Dialogs.h"
#include "ui/FolderDlg.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

using namespace quolin;
using namespace quolin::test_support;

namespace {

auto AllFields(const TModules& modules) {
  std::vector<decltype(ModuleFields(modules[0]))> fields;
  for (const TModule& module : modules)
    fields.push_back(ModuleFields(module));
  return fields;
}

// The boxes of a test: answered in turn from the queue (then OK), each recorded.
struct Boxes {
  struct Box {
    std::string text;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
  };
  std::vector<Box> shown;
  std::deque<TModalResult> answers;
  int beeps = 0;

  Boxes() {
    SetDialogHook({[this](const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
                     shown.push_back({text, type, buttons});
                     if (answers.empty())
                       return mrOk;
                     TModalResult answer = answers.front();
                     answers.pop_front();
                     return answer;
                   },
                   [this] { ++beeps; }});
  }
  ~Boxes() { SetDialogHook({}); }
  Boxes(const Boxes&) = delete;
  Boxes& operator=(const Boxes&) = delete;

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Box& box : shown)
      texts.push_back(box.text);
    return texts;
  }
};

class WizardFixture : public SettingsFixture {
protected:
  TempFolder folder{"Wizard"};
  const std::string definition = folder / "定義.twz";
  TOwned<TTexCtrl> texCtrl{TComponent::Create<TTexCtrl>(nullptr)};
  Boxes boxes;
  std::vector<std::pair<std::string, std::string>> folderAsks;
  bool folderAnswer = true;
  std::string chosenFolder;
  FileDialogAnswers fileDialogs;

  void SetUp() override {
    SettingsFixture::SetUp();
    SetFolderDialogHook([this](const std::string& title, std::string& start) {
      folderAsks.emplace_back(title, start);
      if (folderAnswer && !chosenFolder.empty())
        start = chosenFolder;
      return folderAnswer;
    });
    for (int type = 0; type < ModuleCount; ++type) {
      TModule& module = texCtrl->Module(static_cast<TModuleType>(type));
      const std::string number = std::to_string(type);
      module.ExeName = "C:\\before\\tool" + number + ".exe";
      module.DDEItem = "item " + number;
    }
  }
  void TearDown() override {
    SetFolderDialogHook({});
    SettingsFixture::TearDown();
  }

  // An existing file of the test, with its folders.
  std::string Program(const std::string& relative) const {
    std::string path = folder / relative;
    for (size_t pos = folder.Path().size(); (pos = path.find('\\', pos)) != std::string::npos;
         ++pos)
      CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
    TempFolder::WriteFile(path, "MZ");
    return path;
  }
  void WriteEntry(const std::string& section, const std::string& lines) const {
    std::string text = TempFolder::ReadFile(definition);
    TempFolder::WriteFile(definition, text + "[" + section + "]\r\n" + lines);
  }
  bool SetUpFrom(const std::string& entry, TModules& modules) const {
    return RunModuleSetup(definition, entry, modules);
  }
  // The wizard on the test's tool component and definition file, its list read, not shown.
  TOwned<TWizForm> Form() const {
    TOwned<TWizForm> form(TComponent::Create<TWizForm>(nullptr, "WizForm", *texCtrl));
    form->DefinitionFile = definition;
    form->FormShow(form.get());
    return form;
  }
  static std::vector<std::string> Items(TWizForm& form) {
    std::vector<std::string> items;
    for (int i = 0; i < form.ListBox1->Items().Count(); ++i)
      items.push_back(form.ListBox1->Items()[i]);
    return items;
  }
  static std::string ModuleKey(const std::string& subkey) {
    return std::string(res::RegSectionTexModule) + "\\" + subkey;
  }
  // The lines of one section of the definition file as it is on disk.
  std::vector<std::string> SectionLines(const std::string& section) const {
    std::vector<std::string> lines;
    std::istringstream text(TempFolder::ReadFile(definition));
    bool inside = false;
    for (std::string line; std::getline(text, line);) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      if (!line.empty() && line.front() == '[') {
        inside = line == "[" + section + "]";
        continue;
      }
      if (inside && !line.empty())
        lines.push_back(line);
    }
    return lines;
  }
};

constexpr char DoneSuffix[] = " モジュールの設定が完了しました.";

class ModuleSetup : public WizardFixture {};

TEST_F(ModuleSetup, AMissingDefinitionFileIsReported) {
  TModules modules = texCtrl->Modules();
  EXPECT_FALSE(SetUpFrom("any", modules));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "モジュール定義ファイルが見つかりませんでした.");
  EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtWarning);
  EXPECT_EQ(boxes.shown[0].buttons, mbOK);
  EXPECT_EQ(boxes.beeps, 1);
  EXPECT_EQ(AllFields(modules), AllFields(texCtrl->Modules()));
}

TEST_F(ModuleSetup, WithoutRootDirNobodyIsAskedAndCandidatesStandAsGiven) {
  const std::string tex = Program("bin\\platex.exe");
  WriteEntry("Entry", "TexExeName=" + tex + "\r\nBibExeName=" + (folder / "none.exe") +
                          "\r\nBibNotUserFind=0\r\nViewExeName=" + (folder / "none.exe") + "\r\n");
  TModules modules = texCtrl->Modules();
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  EXPECT_TRUE(folderAsks.empty());
  EXPECT_TRUE(fileDialogs.shown.empty());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{std::string("TeX ") + DoneSuffix});
  EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtInformation);
  EXPECT_EQ(boxes.shown[0].buttons, mbOK);
  EXPECT_EQ(modules[mtTeX].ExeName, tex);
  EXPECT_EQ(modules[mtTeX].DdeService, "platex");
  EXPECT_EQ(modules[mtBibTeX].ExeName, "");
  EXPECT_EQ(modules[mtPreview].ExeName, "");
  EXPECT_EQ(modules[mtPreview].DDEItem, "item 3") << "a module not found keeps its settings";
  EXPECT_EQ(modules[mtMakeIndex].ExeName, "") << "no candidates: no program";
}

TEST_F(ModuleSetup, RootDirAsksForTheFolderWhereTheCandidatesAre) {
  const std::string chosen = folder / "選んだ";
  CreateDirectoryA(chosen.c_str(), nullptr);
  const std::string second = Program("選んだ\\bin\\b.exe");
  WriteEntry("Entry", "RootDir=C:\\w32tex\r\nFolderMsg=フォルダを選んでください\r\n"
                      "TexExeName=bin\\a.exe,bin\\b.exe\r\nTexNotUserFind=1\r\n");
  WriteEntry("Plain", "RootDir=C:\\w32tex\r\nTexExeName=bin\\a.exe\r\n");
  chosenFolder = chosen;
  TModules modules = texCtrl->Modules();
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  ASSERT_EQ(folderAsks.size(), 1u);
  EXPECT_EQ(folderAsks[0].first, "フォルダを選んでください");
  EXPECT_EQ(folderAsks[0].second, "C:\\w32tex");
  EXPECT_EQ(modules[mtTeX].ExeName, second) << "the second candidate, as the first is missing";

  const std::string first = Program("選んだ\\bin\\a.exe");
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  EXPECT_EQ(modules[mtTeX].ExeName, first) << "both exist: the first";

  EXPECT_TRUE(SetUpFrom("Plain", modules));
  EXPECT_EQ(folderAsks[2].first, "インストールフォルダを指定してください");
}

TEST_F(ModuleSetup, CancellingTheFolderQuestionChangesNothing) {
  Program("bin\\a.exe");
  WriteEntry("Entry", "RootDir=" + folder.Path() + "\r\nTexExeName=bin\\a.exe\r\n");
  folderAnswer = false;
  TModules modules = texCtrl->Modules();
  EXPECT_FALSE(SetUpFrom("Entry", modules));
  EXPECT_EQ(folderAsks.size(), 1u);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(AllFields(modules), AllFields(texCtrl->Modules()));
}

TEST_F(ModuleSetup, AShortCandidateIsStoredLongAndAWildcardNeverMatches) {
  const std::string program = Program("bin\\longprogramname.exe");
  const std::string shortPath = GetShortPath(program);
  ASSERT_FALSE(shortPath.empty());
  ASSERT_NE(ExtractFileName(shortPath), "longprogramname.exe");
  WriteEntry("Entry", "TexExeName=" + folder.Path() + "bin\\" + ExtractFileName(shortPath) +
                          "\r\nViewExeName=" + folder.Path() + "bin\\*.exe\r\n");
  TModules modules = texCtrl->Modules();
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  EXPECT_EQ(modules[mtTeX].ExeName, program);
  EXPECT_EQ(modules[mtPreview].ExeName, "");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{std::string("TeX ") + DoneSuffix});
}

TEST_F(ModuleSetup, AMissingProgramIsAskedForAndChosenByTheOpenDialog) {
  WriteEntry("Entry", "RootDir=" + folder.Path() +
                          "\r\nTexExeName=bin\\a.exe,bin\\b.exe\r\n"
                          "BibExeName=bin\\jbibtex.exe\r\n");
  chosenFolder = folder / "表";
  CreateDirectoryA(chosenFolder.c_str(), nullptr);
  fileDialogs.chosenFile = "C:\\elsewhere\\platex.exe";
  boxes.answers = {mrYes};
  TModules modules = texCtrl->Modules();
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  ASSERT_EQ(boxes.shown.size(), 2u) << "BibTeX is not asked for unless its entry says so";
  EXPECT_EQ(boxes.shown[0].text, "ファイル \"" + chosenFolder +
                                     "\\bin\\b.exe\" が見つかりませんでした.\r\n"
                                     "このファイルを直接指定しますか？");
  EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtInformation);
  EXPECT_EQ(boxes.shown[0].buttons, mbYes | mbNo);
  ASSERT_EQ(fileDialogs.shown.size(), 1u);
  EXPECT_EQ(fileDialogs.shown[0].Filter, "実行ファイル(*.exe)|*.exe|全て(*.*)|*.*");
  EXPECT_EQ(fileDialogs.shown[0].InitialDir, chosenFolder);
  EXPECT_EQ(fileDialogs.shown[0].HistoryKey, "");
  EXPECT_EQ(modules[mtTeX].ExeName, fileDialogs.chosenFile);

  boxes.shown.clear();
  boxes.answers = {mrNo};
  modules = texCtrl->Modules();
  EXPECT_FALSE(SetUpFrom("Entry", modules));
  EXPECT_EQ(fileDialogs.shown.size(), 1u) << "No opens no dialog";
  EXPECT_EQ(AllFields(modules), AllFields(texCtrl->Modules()));
}

TEST_F(ModuleSetup, TheFinalMessageListsTheModulesAndTheEndMessage) {
  const std::string tex = Program("platex.exe");
  const std::string viewer = Program("dviout.exe");
  WriteEntry("Entry", "EndMsg=一行目\\n二行目\r\nTexExeName=" + tex + "\r\nPrintExeName=" + viewer +
                          "\r\nViewExeName=" + viewer + "\r\n");
  TModules modules = texCtrl->Modules();
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{std::string("TeX DviPreview DviPrint ") +
                                                    DoneSuffix + "\r\n\r\n一行目\r\n二行目"});
  EXPECT_EQ(boxes.beeps, 0);
}

TEST_F(ModuleSetup, NothingFoundLeavesEveryModuleAndWarns) {
  WriteEntry("Entry", "TexExeName=" + (folder / "missing.exe") + "\r\n");
  TModules modules = texCtrl->Modules();
  EXPECT_FALSE(SetUpFrom("Entry", modules));
  EXPECT_EQ(AllFields(modules), AllFields(texCtrl->Modules()));
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{
                "実行ファイルが一つも見つからなかったため, モジュールの設定は変更していません."});
  EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtWarning);
  EXPECT_EQ(boxes.beeps, 1);

  boxes.shown.clear();
  EXPECT_FALSE(SetUpFrom("No such entry", modules));
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ModuleSetup, TheFormAppliesAndStoresTheModulesOnlyWhenAProgramWasFound) {
  const std::string tex = Program("platex.exe");
  WriteEntry("Found", "TexExeName=" + tex + "\r\n");
  WriteEntry("Missing", "TexExeName=" + (folder / "missing.exe") + "\r\n");
  TOwned<TWizForm> form = Form();
  form->ListBox1->SetItemIndex(1);
  form->Button1Click(nullptr);
  EXPECT_EQ(form->ModalResult(), mrNone);
  EXPECT_FALSE(Stored(ModuleKey("TeX"), "ExeName").found);
  EXPECT_EQ(texCtrl->Module(mtTeX).ExeName, "C:\\before\\tool0.exe");

  form->ListBox1->SetItemIndex(0);
  form->Button1Click(nullptr);
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_EQ(texCtrl->Module(mtTeX).ExeName, tex);
  EXPECT_EQ(texCtrl->Module(mtTeX).DDEItem, "Advise");
  EXPECT_EQ(texCtrl->Module(mtBibTeX).ExeName, "");
  EXPECT_EQ(StoredString(ModuleKey("TeX"), "ExeName"), tex);
  EXPECT_EQ(StoredString(ModuleKey("TeX"), "DDEService"), "platex");
  EXPECT_EQ(StoredString(ModuleKey("Bib"), "ExeName"), "");
}

class ModuleEntry : public WizardFixture {
protected:
  uitest::InputRecorder input;
};

TEST_F(ModuleEntry, WritingReplacesTheSectionWithTheSixValuesOfEachTool) {
  WriteEntry("Entry", "RootDir=C:\\x\r\nOld=1\r\n");
  WriteEntry("Other", "Kept=1\r\n");
  texCtrl->Module(mtTeX).ExeName = "C:\\P F\\表\\platex.exe";
  texCtrl->Module(mtTeX).UseDDE = true;
  texCtrl->Module(mtBibTeX).UseDDE = false;
  WriteModuleEntry(definition, "Entry", texCtrl->Modules());
  const std::vector<std::string> lines = SectionLines("Entry");
  ASSERT_EQ(lines.size(), 30u);
  std::vector<std::string> expected;
  for (const auto& [key, value] : ModuleEntryValues(texCtrl->Modules()))
    expected.push_back(key + "=" + value);
  // The outer pair is added by the INI file's writer and stripped again on reading.
  expected[0] = "TexExeName=\"\"C:\\P F\\表\\platex.exe\"\"";
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(lines[1], "TexUseDDE=1");
  EXPECT_EQ(lines[7], "BibUseDDE=0");
  EXPECT_EQ(lines[6], "BibExeName=C:\\before\\tool2.exe");
  EXPECT_EQ(SectionLines("Other"), std::vector<std::string>{"Kept=1"});
}

TEST_F(ModuleEntry, AnEntryWrittenWithABlankInThePathFindsItsProgramAgain) {
  const std::string program = Program("P F\\platex.exe");
  texCtrl->Module(mtTeX).ExeName = program;
  texCtrl->Module(mtTeX).DdeService = "svc";
  texCtrl->Module(mtTeX).DosOption = "-kanji=sjis %filename";
  WriteModuleEntry(definition, "Entry", texCtrl->Modules());
  TModules modules = DefaultModules();
  EXPECT_TRUE(SetUpFrom("Entry", modules));
  EXPECT_EQ(modules[mtTeX].ExeName, program);
  EXPECT_EQ(modules[mtTeX].DdeService, "svc");
  EXPECT_EQ(modules[mtTeX].DosOption, "-kanji=sjis %filename");
  EXPECT_EQ(modules[mtTeX].DDEItem, "Advise");
  EXPECT_EQ(modules[mtBibTeX].ExeName, "") << "its program does not exist";
}

TEST_F(ModuleEntry, AddAsksForANameAndWritesTheCurrentModules) {
  TOwned<TWizForm> form = Form();
  boxes.answers = {mrCancel};
  form->Button4Click(nullptr);
  EXPECT_TRUE(input.calls.empty()) << "cancelled before the name";

  input.Cancel();
  form->Button4Click(nullptr);
  input.Answer("");
  form->Button4Click(nullptr);
  EXPECT_FALSE(FileExists(definition));

  input.Answer("新しい設定");
  form->Button4Click(nullptr);
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>(4, "現在のモジュール設定を自動設定リストに追加します."));
  EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtInformation);
  EXPECT_EQ(boxes.shown[0].buttons, mbOK | mbCancel);
  ASSERT_EQ(input.calls.size(), 3u);
  EXPECT_EQ(input.calls[0].caption, "追加 - 自動設定");
  EXPECT_EQ(input.calls[0].prompt, "名称を入力してください.");
  EXPECT_EQ(input.calls[0].value, "");
  EXPECT_EQ(Items(*form), std::vector<std::string>{"新しい設定"});
  EXPECT_EQ(SectionLines("新しい設定").size(), 30u);
}

TEST_F(ModuleEntry, AddingOverAnExistingNameAsksFirst) {
  WriteEntry("Entry", "RootDir=C:\\x\r\n");
  const std::string before = TempFolder::ReadFile(definition);
  TOwned<TWizForm> form = Form();
  input.Answer("ENTRY");
  boxes.answers = {mrOk, mrNo};
  form->Button4Click(nullptr);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, "現在のモジュール設定で、選択された項目を置き換えていいですか？");
  EXPECT_EQ(boxes.shown[1].type, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(boxes.shown[1].buttons, mbYes | mbNo);
  EXPECT_EQ(TempFolder::ReadFile(definition), before);

  input.Answer("ENTRY");
  boxes.answers = {mrOk, mrYes};
  form->Button4Click(nullptr);
  EXPECT_EQ(SectionLines("ENTRY").size(), 30u) << "the entry takes the name as typed";
  EXPECT_EQ(Items(*form), std::vector<std::string>{"ENTRY"});
}

TEST_F(ModuleEntry, ReplaceAndDeleteWorkOnTheSelectedEntryWhenConfirmed) {
  WriteEntry("First", "RootDir=C:\\x\r\n");
  WriteEntry("Second", "RootDir=C:\\y\r\n");
  TOwned<TWizForm> form = Form();
  form->Button5Click(nullptr);
  form->Button6Click(nullptr);
  EXPECT_TRUE(boxes.shown.empty()) << "nothing selected: nothing asked";

  form->ListBox1->SetItemIndex(1);
  boxes.answers = {mrNo};
  form->Button5Click(nullptr);
  EXPECT_EQ(SectionLines("Second"), std::vector<std::string>{"RootDir=C:\\y"});
  boxes.answers = {mrYes};
  form->Button5Click(nullptr);
  EXPECT_EQ(SectionLines("Second").size(), 30u);
  EXPECT_EQ(boxes.shown[0].text, "現在のモジュール設定で、選択された項目を置き換えていいですか？");

  boxes.shown.clear();
  boxes.beeps = 0;
  form->ListBox1->SetItemIndex(0);
  boxes.answers = {mrNo};
  form->Button6Click(nullptr);
  EXPECT_EQ(Items(*form), (std::vector<std::string>{"First", "Second"}));
  form->ListBox1->SetItemIndex(0);
  boxes.answers = {mrYes};
  form->Button6Click(nullptr);
  EXPECT_EQ(Items(*form), std::vector<std::string>{"Second"});
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "選択された項目を削除していいですか？");
  EXPECT_EQ(boxes.shown[0].buttons, mbYes | mbNo);
  EXPECT_EQ(boxes.beeps, 2);
}

TEST_F(ModuleEntry, AFileThatCannotBeWrittenIsReportedAndTheListStays) {
  WriteEntry("First", "RootDir=C:\\x\r\n");
  TOwned<TWizForm> form = Form();
  form->ListBox1->SetItemIndex(0);
  const std::string before = TempFolder::ReadFile(definition);
  HANDLE held = CreateFileA(definition.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  boxes.answers = {mrYes};
  form->Button5Click(nullptr);
  boxes.answers = {mrYes};
  form->Button6Click(nullptr);
  input.Answer("Third");
  form->Button4Click(nullptr);
  CloseHandle(held);
  const std::string failed =
      "定義ファイルの書き換えに失敗しました.\r\nファイルのアクセス権を確認してください.";
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{boxes.shown[0].text, failed, boxes.shown[2].text, failed,
                                      boxes.shown[4].text, failed}));
  EXPECT_EQ(boxes.shown[1].type, TMsgDlgType::mtWarning);
  EXPECT_EQ(Items(*form), std::vector<std::string>{"First"});
  EXPECT_EQ(TempFolder::ReadFile(definition), before);
}

} // namespace
