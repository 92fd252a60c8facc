#include "app/SettingsBlock.h"
#include "common/TempFolder.h"
#include "core/JoinedStrings.h"
#include "support/SettingsFixture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class SettingsBlock : public SettingsFixture {};

TSettingsFolders FoldersIn(const TempFolder& root) {
  return {root / "user\\", root / "tpl\\", root / "dic\\", root / "prog\\"};
}

// Every field away from its default, so that a load must set each one.
TSettingsBlock Changed() {
  TSettingsBlock block;
  block.MarkOptions = {false, false, false};
  TEditOption& edit = block.EditOption;
  edit.IndentType = 3;
  edit.IndentList.SetText("  \r\n\t\r\n表示\r\n");
  edit.CommandIndent = false;
  edit.AutoCommand = false;
  edit.AutoKakko = false;
  edit.InsertKeyDisable = true;
  edit.AutoImeOn = true;
  edit.AutoCommandType = 1;
  block.Edit2Option = {"a$Ret", "b",   "c",   "d",   ";",     1,     false, false, true,
                       2,       false, false, false, "\\bye", false, true,  false, true};
  block.FileIOOption = {true,    true,           ".o",  ".b", "C:\\t\\n.tex",
                        "C:\\t", "C:\\u\\s.dat", false, true};
  block.GhostScript = "C:\\gs\\gswin32c.exe";
  block.LogLoadOption = {".txt", "E", "W", false, true};
  block.AutoDeleteOptions = {false, true,  false, false, false, false,
                             false, false, false, false, false, false};
  block.TexExecAutoSave = true;
  block.SpellCheckOptions = {true, false, false, false, false, false, false, false, true, 7, false};
  block.SpellCheckDics = {"C:\\d\\my.dic", "C:\\d\\"};
  block.BracketList.SetText("<<$S>\r\n");
  block.BracketOpeners = "?";
  return block;
}

void LoadAll(TSettingsBlock& block, const TSettingsFolders& folders) {
  LoadMarkOptions(block.MarkOptions);
  LoadEditOption(block.EditOption);
  LoadEdit2Option(block.Edit2Option);
  LoadFileIOOption(block.FileIOOption, folders);
  LoadGhostScriptPath(block.GhostScript);
  LoadLogLoadOption(block.LogLoadOption);
  LoadAutoDeleteOptions(block.AutoDeleteOptions);
  LoadTexExecAutoSave(block.TexExecAutoSave);
  LoadSpellCheckOptions(block.SpellCheckOptions);
  LoadSpellCheckDics(block.SpellCheckDics, folders);
  LoadAutoBracketList(block.BracketList, block.BracketOpeners);
}

void SaveAll(const TSettingsBlock& block) {
  SaveMarkOptions(block.MarkOptions);
  SaveEditOption(block.EditOption);
  SaveEdit2Option(block.Edit2Option);
  SaveFileIOOption(block.FileIOOption);
  SaveLogLoadOption(block.LogLoadOption);
  SaveAutoDeleteOptions(block.AutoDeleteOptions);
  SaveTexExecAutoSave(block.TexExecAutoSave);
  SaveSpellCheckOptions(block.SpellCheckOptions);
  SaveSpellCheckDics(block.SpellCheckDics);
  SaveAutoBracketList(block.BracketList);
}

// TEditOption has no comparison: its fields as one tuple.
auto EditFields(const TEditOption& edit) {
  return std::tuple(edit.IndentType, Joined(edit.IndentList), edit.CommandIndent, edit.AutoCommand,
                    edit.AutoKakko, edit.InsertKeyDisable, edit.AutoImeOn, edit.AutoCommandType);
}

// Every group but the bracket list, which each test reads as it is loaded.
void ExpectSameGroups(const TSettingsBlock& loaded, const TSettingsBlock& expected) {
  EXPECT_EQ(loaded.MarkOptions, expected.MarkOptions);
  EXPECT_EQ(EditFields(loaded.EditOption), EditFields(expected.EditOption));
  EXPECT_EQ(loaded.Edit2Option, expected.Edit2Option);
  EXPECT_EQ(loaded.FileIOOption, expected.FileIOOption);
  EXPECT_EQ(loaded.GhostScript, expected.GhostScript);
  EXPECT_EQ(loaded.LogLoadOption, expected.LogLoadOption);
  EXPECT_EQ(loaded.AutoDeleteOptions, expected.AutoDeleteOptions);
  EXPECT_EQ(loaded.TexExecAutoSave, expected.TexExecAutoSave);
  EXPECT_EQ(loaded.SpellCheckOptions, expected.SpellCheckOptions);
  EXPECT_EQ(loaded.SpellCheckDics, expected.SpellCheckDics);
}

TEST_F(SettingsBlock, EmptyRegistryGivesEveryDefault) {
  // Loaded over changed values: the records' own defaults, and those based on the folders.
  TempFolder root;
  TSettingsBlock block = Changed();
  LoadAll(block, FoldersIn(root));
  TSettingsBlock defaults;
  defaults.FileIOOption.DefaultTemplateFile = root / "tpl\\normal.tex";
  defaults.FileIOOption.TemplateFolder = root / "tpl";
  defaults.FileIOOption.CommandFile = root / "user\\standard.dat";
  defaults.SpellCheckDics = {root / "dic\\Custom.dic", root / "dic\\"};
  ExpectSameGroups(block, defaults);
  EXPECT_EQ(Joined(block.BracketList), "[(($S)][{{$S}][[[$S]][\"\"$S\"][``$S']");
  EXPECT_EQ(block.BracketOpeners, "({[\"`");
}

TEST_F(SettingsBlock, EveryGroupSurvivesASaveAndAReload) {
  TempFolder root;
  const TSettingsBlock saved = Changed();
  SaveAll(saved);
  Store("FileIO", "GhostScript", REG_SZ, std::string("C:\\gs\\gswin32c.exe\0", 19));

  TSettingsBlock loaded;
  LoadAll(loaded, FoldersIn(root));
  ExpectSameGroups(loaded, saved);
  EXPECT_EQ(Joined(loaded.BracketList), "[<<$S>]");
  EXPECT_EQ(loaded.BracketOpeners, "<");
}

TEST_F(SettingsBlock, ValuesAreStoredWithTheirTypesAndSections) {
  TSettingsBlock block = Changed();
  block.MarkOptions.TabMark = true;
  block.EditOption.IndentList.SetText("a\r\nb");
  SaveAll(block);
  const std::tuple<const char*, const char*, RawValue> stored[] = {
      {"Editor", "TabMark", BoolValue(true)},
      {"Editor", "SpaceMark", BoolValue(false)},
      {"Editor", "IndentType", DwordValue(3)},
      {"Editor", "IndentList", BinaryValue("\x9E\xF2\xF5\x9D\xF2\xF5")}, // "a\r\nb\r\n" inverted
      {"Editor", "AutoBracketList", SzValue("<<$S>\r\n")},
      {"System", "CommandFile", SzValue("C:\\u\\s.dat")},
      {"FileIO", "CommandFile", RawValue{}},
      {"FileIO", "TemplateFolder", SzValue("C:\\t")},
      {"Editor\\EditLogArea", "LogExt", SzValue(".txt")},
      {"LogFiles", "dvi", BoolValue(true)},
      {"LogFiles", "TexExecAutoSave", BoolValue(true)},
      {"SpellCheck", "MinWordLen", DwordValue(7)},
      {"SpellCheck", "MainDic", SzValue("C:\\d\\my.dic")},
      {"FileIO", "GhostScript", RawValue{}}, // read only
  };
  for (const auto& [section, name, value] : stored)
    EXPECT_EQ(Stored(section, name), value) << section << "\\" << name;
}

TEST_F(SettingsBlock, ValueOfTheWrongTypeGivesTheDefaultButIndentListTakesAPlainString) {
  Store("Editor", "IndentType", REG_SZ, std::string("3\0", 2));
  Store("Editor", "EnterStr", REG_DWORD, Dword(1));
  Store("Editor", "SpaceMark", REG_SZ, std::string("0\0", 2));
  Store("Editor", "IndentList", REG_DWORD, Dword(0x0A0D41));
  Store("SpellCheck", "MinWordLen", REG_BINARY, "\x07");
  TEditOption edit;
  edit.IndentType = 9;
  edit.IndentList.Add("kept?");
  LoadEditOption(edit);
  EXPECT_EQ(edit.IndentType, 2);
  EXPECT_TRUE(edit.IndentList.Empty());
  TEdit2Option edit2;
  edit2.EnterStr = "x";
  LoadEdit2Option(edit2);
  EXPECT_EQ(edit2.EnterStr, "$Ret");
  TMarkOptions mark{false, false, false};
  LoadMarkOptions(mark);
  EXPECT_TRUE(mark.SpaceMark);
  TSpellCheckOptions spell;
  spell.MinWordLen = 1;
  LoadSpellCheckOptions(spell);
  EXPECT_EQ(spell.MinWordLen, 3);

  Store("Editor", "IndentList", REG_SZ, std::string("  \r\n\t\r\n\0", 8));
  LoadEditOption(edit);
  EXPECT_EQ(Joined(edit.IndentList), "[  ][\t]");
}

TEST_F(SettingsBlock, BracketListEdgeCases) {
  TStringList brackets;
  std::string openers = "stale";

  Store("Editor", "AutoBracketList", REG_SZ, std::string("<<$S>\0", 6));
  LoadAutoBracketList(brackets, openers);
  EXPECT_EQ(Joined(brackets), "[<<$S>]");
  EXPECT_EQ(openers, "<");
  EXPECT_EQ(brackets[0].substr(1), "<$S>");

  Store("Editor", "AutoBracketList", REG_SZ, std::string("\0", 1));
  LoadAutoBracketList(brackets, openers);
  EXPECT_EQ(brackets.Count(), 0);
  EXPECT_EQ(openers, "");

  // A double-byte or empty line types nothing but keeps the later lines at their index.
  Store("Editor", "AutoBracketList", REG_SZ, std::string("「「$S」\r\n\r\n(($S)\0", 18));
  LoadAutoBracketList(brackets, openers);
  EXPECT_EQ(Joined(brackets), "[「「$S」][][(($S)]");
  EXPECT_EQ(openers, std::string("\0\0(", 3));
}

TEST_F(SettingsBlock, DefaultDataFileIsCopiedOnlyWhenTheUserHasNone) {
  TempFolder root;
  const TSettingsFolders folders = FoldersIn(root);
  CreateDirectoryA(folders.UserData.c_str(), nullptr);
  CreateDirectoryA(folders.Program.c_str(), nullptr);
  const std::string standard = folders.UserData + "standard.dat";
  const std::string shipped = folders.Program + "default.dat";
  TFileIOOption option;

  LoadFileIOOption(option, folders);
  EXPECT_EQ(GetFileAttributesA(standard.c_str()), INVALID_FILE_ATTRIBUTES);

  TempFolder::WriteFile(shipped, "shipped data");
  LoadFileIOOption(option, folders);
  EXPECT_EQ(TempFolder::ReadFile(standard), "shipped data");

  TempFolder::WriteFile(standard, "user data");
  LoadFileIOOption(option, folders);
  EXPECT_EQ(TempFolder::ReadFile(standard), "user data");
  EXPECT_EQ(TempFolder::ReadFile(shipped), "shipped data");
}

TEST_F(SettingsBlock, ColourSplitsRedFirstAndLooksUpSystemColours) {
  uint8_t red = 0, green = 0, blue = 0;
  ColorToRGBBytes(0x00336699, red, green, blue);
  EXPECT_EQ(std::tuple(red, green, blue), std::tuple(0x99, 0x66, 0x33));

  int index = COLOR_HIGHLIGHT;
  for (int i = 0; i <= COLOR_INFOBK; ++i) {
    if (GetRValue(GetSysColor(i)) != GetBValue(GetSysColor(i))) {
      index = i;
      break;
    }
  }
  const COLORREF rgb = GetSysColor(index);
  ASSERT_NE(GetRValue(rgb), GetBValue(rgb));
  ColorToRGBBytes(SystemColor(index), red, green, blue);
  EXPECT_EQ(std::tuple(red, green, blue),
            std::tuple(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
}

} // namespace
