#include "app/SettingsBlock.h"
#include "common/TempFolder.h"
#include "core/JoinedStrings.h"
#include "support/SettingsFixture.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

const std::string Backslash = "\\";

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

struct Expected {
  const char* name;
  std::string actual;
  std::string expected;
};

std::string B(bool value) {
  return value ? "true" : "false";
}
std::string I(int value) {
  return std::to_string(value);
}

TEST_F(SettingsBlock, EmptyRegistryGivesEveryDefault) {
  TempFolder root;
  const TSettingsFolders folders = FoldersIn(root);
  TSettingsBlock block = Changed();
  LoadAll(block, folders);

  const TMarkOptions& mark = block.MarkOptions;
  const TEditOption& edit = block.EditOption;
  const TEdit2Option& edit2 = block.Edit2Option;
  const TFileIOOption& file = block.FileIOOption;
  const TLogLoadOption& log = block.LogLoadOption;
  const TAutoDeleteOptions& del = block.AutoDeleteOptions;
  const TSpellCheckOptions& spell = block.SpellCheckOptions;
  const Expected table[] = {
      {"SpaceMark", B(mark.SpaceMark), "true"},
      {"DBSpaceMark", B(mark.DBSpaceMark), "true"},
      {"TabMark", B(mark.TabMark), "true"},
      {"IndentType", I(edit.IndentType), "2"},
      {"IndentList", edit.IndentList.Text(), ""},
      {"CommandIndent", B(edit.CommandIndent), "true"},
      {"AutoCommand", B(edit.AutoCommand), "true"},
      {"AutoKakko", B(edit.AutoKakko), "true"},
      {"InsertKeyDisable", B(edit.InsertKeyDisable), "false"},
      {"AutoImeOn", B(edit.AutoImeOn), "false"},
      {"AutoCommandType", I(edit.AutoCommandType), "0"},
      {"EnterStr", edit2.EnterStr, "$Ret"},
      {"EnterCtrlStr", edit2.EnterCtrlStr, Backslash + Backslash + "$Ret$SpIndent"},
      {"EnterShiftStr", edit2.EnterShiftStr, "%$Ret$SpIndent"},
      {"EnterCtrlShiftStr", edit2.EnterCtrlShiftStr, Backslash + "newpage$Ret$NoIndent"},
      {"CommentHeader", edit2.CommentHeader, "%"},
      {"MouseSubButtonType", I(edit2.MouseSubButtonType), "0"},
      {"TexExitClose", B(edit2.TexExitClose), "true"},
      {"TexNextClose", B(edit2.TexNextClose), "true"},
      {"DoubleBuffer", B(edit2.DoubleBuffer), "false"},
      {"SectionViewLevel", I(edit2.SectionViewLevel), "5"},
      {"SectionViewShowIcon", B(edit2.SectionViewShowIcon), "true"},
      {"SectionViewBibMode", B(edit2.SectionViewBibMode), "true"},
      {"SectionViewCutCopyEnableEx", B(edit2.SectionViewCutCopyEnableEx), "true"},
      {"SectionViewCutCopyEndOfDoc", edit2.SectionViewCutCopyEndOfDoc, Backslash + "end{document}"},
      {"SectionViewDragDropEdit", B(edit2.SectionViewDragDropEdit), "true"},
      {"OpenNewDocument", B(edit2.OpenNewDocument), "false"},
      {"WakeupFileOpen", B(edit2.WakeupFileOpen), "true"},
      {"CommentLineAllPaint", B(edit2.CommentLineAllPaint), "false"},
      {"OrgBackUp", B(file.OrgBackUp), "false"},
      {"NorBackUp", B(file.NorBackUp), "false"},
      {"OrgBackUpExt", file.OrgBackUpExt, ".tex.org"},
      {"NorBackUpExt", file.NorBackUpExt, ".tex.bak"},
      {"DefaultTemplateFile", file.DefaultTemplateFile, root / "tpl\\normal.tex"},
      {"TemplateFolder", file.TemplateFolder, root / "tpl"},
      {"CommandFile", file.CommandFile, root / "user\\standard.dat"},
      {"UseEditInfo", B(file.UseEditInfo), "true"},
      {"FullPathFileName", B(file.FullPathFileName), "false"},
      {"GhostScript", block.GhostScript, ""},
      {"LogExt", log.LogExt, ".log"},
      {"LogErrorStr", log.LogErrorStr, "\"! \""},
      {"LogWarningStr", log.LogWarningStr, "Label,\"Overfull \",Reference,\"Underfull \""},
      {"LogNextLineViewError", B(log.LogNextLineViewError), "true"},
      {"LogNextLineViewWarning", B(log.LogNextLineViewWarning), "false"},
      {"AutoDelete", B(del.AutoDelete), "true"},
      {"dvi", B(del.dvi), "false"},
      {"log", B(del.log), "true"},
      {"toc", B(del.toc), "true"},
      {"lof", B(del.lof), "true"},
      {"lot", B(del.lot), "true"},
      {"idx", B(del.idx), "true"},
      {"ind", B(del.ind), "true"},
      {"ilg", B(del.ilg), "true"},
      {"aux", B(del.aux), "true"},
      {"bbl", B(del.bbl), "true"},
      {"blg", B(del.blg), "true"},
      {"TexExecAutoSave", B(block.TexExecAutoSave), "false"},
      {"nfTeX", B(spell.nfTeX), "false"},
      {"nfMail", B(spell.nfMail), "true"},
      {"nfUrl", B(spell.nfUrl), "true"},
      {"nfAllUpCase", B(spell.nfAllUpCase), "true"},
      {"nfTopUpCase", B(spell.nfTopUpCase), "true"},
      {"nfCommentLine", B(spell.nfCommentLine), "true"},
      {"nfNum", B(spell.nfNum), "true"},
      {"SEDing", B(spell.SEDing), "true"},
      {"MainDicOnly", B(spell.MainDicOnly), "false"},
      {"MinWordLen", I(spell.MinWordLen), "3"},
      {"AutoClose", B(spell.AutoClose), "true"},
      {"MainDic", block.SpellCheckDics.MainDic, root / "dic\\Custom.dic"},
      {"DicFolder", block.SpellCheckDics.DicFolder, root / "dic\\"},
      {"AutoBracketList", Joined(block.BracketList), "[(($S)][{{$S}][[[$S]][\"\"$S\"][``$S']"},
      {"BracketOpeners", block.BracketOpeners, "({[\"`"},
  };
  for (const Expected& row : table)
    EXPECT_EQ(row.actual, row.expected) << row.name;
  EXPECT_EQ(log.LogErrorStr.size(), 4u);
  EXPECT_EQ(log.LogWarningStr.size(), 40u);
}

TEST_F(SettingsBlock, EveryGroupSurvivesASaveAndAReload) {
  TempFolder root;
  const TSettingsFolders folders = FoldersIn(root);
  const TSettingsBlock saved = Changed();
  SaveAll(saved);
  Store("FileIO", "GhostScript", REG_SZ, std::string("C:\\gs\\gswin32c.exe\0", 19));

  TSettingsBlock loaded;
  LoadAll(loaded, folders);
  EXPECT_EQ(loaded.MarkOptions, saved.MarkOptions);
  EXPECT_EQ(loaded.EditOption.IndentType, 3);
  EXPECT_EQ(Joined(loaded.EditOption.IndentList), "[  ][\t][表示]");
  EXPECT_FALSE(loaded.EditOption.CommandIndent);
  EXPECT_FALSE(loaded.EditOption.AutoCommand);
  EXPECT_FALSE(loaded.EditOption.AutoKakko);
  EXPECT_TRUE(loaded.EditOption.InsertKeyDisable);
  EXPECT_TRUE(loaded.EditOption.AutoImeOn);
  EXPECT_EQ(loaded.EditOption.AutoCommandType, 1);
  EXPECT_EQ(loaded.Edit2Option, saved.Edit2Option);
  EXPECT_EQ(loaded.FileIOOption, saved.FileIOOption);
  EXPECT_EQ(loaded.GhostScript, saved.GhostScript);
  EXPECT_EQ(loaded.LogLoadOption, saved.LogLoadOption);
  EXPECT_EQ(loaded.AutoDeleteOptions, saved.AutoDeleteOptions);
  EXPECT_EQ(loaded.TexExecAutoSave, saved.TexExecAutoSave);
  EXPECT_EQ(loaded.SpellCheckOptions, saved.SpellCheckOptions);
  EXPECT_EQ(loaded.SpellCheckDics, saved.SpellCheckDics);
  EXPECT_EQ(Joined(loaded.BracketList), "[<<$S>]");
  EXPECT_EQ(loaded.BracketOpeners, "<");
}

TEST_F(SettingsBlock, ValuesAreStoredWithTheirTypesAndSections) {
  TSettingsBlock block = Changed();
  block.MarkOptions.TabMark = true;
  block.EditOption.IndentList.SetText("a\r\nb");
  SaveAll(block);

  RawValue flag = Stored("Editor", "TabMark");
  EXPECT_EQ(flag.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(flag.data, std::string("\x01", 1));
  EXPECT_EQ(Stored("Editor", "SpaceMark").data, std::string("\0", 1));

  RawValue number = Stored("Editor", "IndentType");
  EXPECT_EQ(number.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number.data, Dword(3));

  RawValue lines = Stored("Editor", "IndentList");
  EXPECT_EQ(lines.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(lines.data, "\x9E\xF2\xF5\x9D\xF2\xF5"); // "a\r\nb\r\n", every byte inverted

  RawValue brackets = Stored("Editor", "AutoBracketList");
  EXPECT_EQ(brackets.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(brackets.data, std::string("<<$S>\r\n\0", 8));

  EXPECT_EQ(Stored("System", "CommandFile").data, std::string("C:\\u\\s.dat\0", 11));
  EXPECT_FALSE(Stored("FileIO", "CommandFile").found);
  EXPECT_EQ(Stored("FileIO", "TemplateFolder").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored("Editor\\EditLogArea", "LogExt").data, std::string(".txt\0", 5));
  EXPECT_EQ(Stored("LogFiles", "dvi").data, std::string("\x01", 1));
  EXPECT_EQ(Stored("LogFiles", "TexExecAutoSave").type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(Stored("SpellCheck", "MinWordLen").data, Dword(7));
  EXPECT_EQ(Stored("SpellCheck", "MainDic").data, std::string("C:\\d\\my.dic\0", 12));
  EXPECT_FALSE(Stored("FileIO", "GhostScript").found);
}

TEST_F(SettingsBlock, ValueOfTheWrongTypeGivesTheDefault) {
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
}

TEST_F(SettingsBlock, IndentListAlsoReadsAPlainString) {
  Store("Editor", "IndentList", REG_SZ, std::string("  \r\n\t\r\n\0", 8));
  TEditOption edit;
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

TEST_F(SettingsBlock, PlainColourSplitsRedFirst) {
  uint8_t red = 0, green = 0, blue = 0;
  ColorToRGBBytes(0x00336699, red, green, blue);
  EXPECT_EQ(red, 0x99);
  EXPECT_EQ(green, 0x66);
  EXPECT_EQ(blue, 0x33);
}

TEST_F(SettingsBlock, SystemColourIsLookedUpFirst) {
  int index = COLOR_HIGHLIGHT;
  for (int i = 0; i <= COLOR_INFOBK; ++i) {
    if (GetRValue(GetSysColor(i)) != GetBValue(GetSysColor(i))) {
      index = i;
      break;
    }
  }
  const COLORREF rgb = GetSysColor(index);
  ASSERT_NE(GetRValue(rgb), GetBValue(rgb));
  uint8_t red = 0, green = 0, blue = 0;
  ColorToRGBBytes(SystemColor(index), red, green, blue);
  EXPECT_EQ(red, GetRValue(rgb));
  EXPECT_EQ(green, GetGValue(rgb));
  EXPECT_EQ(blue, GetBValue(rgb));
}

} // namespace
