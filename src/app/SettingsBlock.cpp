#include "app/SettingsBlock.h"

#include "common/Paths.h"
#include "common/ResConst.h"
#include "common/SettingTable.h"
#include "common/Sjis.h"

#include <windows.h>

namespace quolin {

namespace {

const TSettingField<TMarkOptions> MarkFields[] = {
    {"SpaceMark", &TMarkOptions::SpaceMark},
    {"DBSpaceMark", &TMarkOptions::DBSpaceMark},
    {"TabMark", &TMarkOptions::TabMark},
};

const TSettingField<TEditOption> EditFields[] = {
    {"IndentType", &TEditOption::IndentType},
    {"IndentList", &TEditOption::IndentList},
    {"CommandIndent", &TEditOption::CommandIndent},
    {"AutoCommand", &TEditOption::AutoCommand},
    {"AutoKakko", &TEditOption::AutoKakko},
    {"InsertKeyDisable", &TEditOption::InsertKeyDisable},
    {"AutoImeOn", &TEditOption::AutoImeOn},
    {"AutoCommandType", &TEditOption::AutoCommandType},
};

const TSettingField<TEdit2Option> Edit2Fields[] = {
    {"EnterStr", &TEdit2Option::EnterStr},
    {"EnterCtrlStr", &TEdit2Option::EnterCtrlStr},
    {"EnterShiftStr", &TEdit2Option::EnterShiftStr},
    {"EnterCtrlShiftStr", &TEdit2Option::EnterCtrlShiftStr},
    {"CommentHeader", &TEdit2Option::CommentHeader},
    {"MouseSubButtonType", &TEdit2Option::MouseSubButtonType},
    {"TexExitClose", &TEdit2Option::TexExitClose},
    {"TexNextClose", &TEdit2Option::TexNextClose},
    {"DoubleBuffer", &TEdit2Option::DoubleBuffer},
    {"SectionViewLevel", &TEdit2Option::SectionViewLevel},
    {"SectionViewShowIcon", &TEdit2Option::SectionViewShowIcon},
    {"SectionViewBibMode", &TEdit2Option::SectionViewBibMode},
    {"SectionViewCutCopyEnableEx", &TEdit2Option::SectionViewCutCopyEnableEx},
    {"SectionViewCutCopyEndOfDoc", &TEdit2Option::SectionViewCutCopyEndOfDoc},
    {"SectionViewDragDropEdit", &TEdit2Option::SectionViewDragDropEdit},
    {"OpenNewDocument", &TEdit2Option::OpenNewDocument},
    {"WakeupFileOpen", &TEdit2Option::WakeupFileOpen},
    {"CommentLineAllPaint", &TEdit2Option::CommentLineAllPaint},
};

const TSettingField<TFileIOOption> FileIOFields[] = {
    {"OrgBackUp", &TFileIOOption::OrgBackUp},
    {"NorBackUp", &TFileIOOption::NorBackUp},
    {"OrgBackUpExt", &TFileIOOption::OrgBackUpExt},
    {"NorBackUpExt", &TFileIOOption::NorBackUpExt},
    {"DefaultTemplateFile", &TFileIOOption::DefaultTemplateFile},
    {"TemplateFolder", &TFileIOOption::TemplateFolder},
    {"UseEditInfo", &TFileIOOption::UseEditInfo},
    {"FullPathFileName", &TFileIOOption::FullPathFileName},
};

// The user data file lives with the system settings.
const TSettingField<TFileIOOption> FileIOSystemFields[] = {
    {"CommandFile", &TFileIOOption::CommandFile},
};

const TSettingField<TLogLoadOption> LogLoadFields[] = {
    {"LogExt", &TLogLoadOption::LogExt},
    {"LogErrorStr", &TLogLoadOption::LogErrorStr},
    {"LogWarningStr", &TLogLoadOption::LogWarningStr},
    {"LogNextLineViewError", &TLogLoadOption::LogNextLineViewError},
    {"LogNextLineViewWarning", &TLogLoadOption::LogNextLineViewWarning},
};

const TSettingField<TAutoDeleteOptions> AutoDeleteFields[] = {
    {"AutoDelete", &TAutoDeleteOptions::AutoDelete},
    {"dvi", &TAutoDeleteOptions::dvi},
    {"log", &TAutoDeleteOptions::log},
    {"toc", &TAutoDeleteOptions::toc},
    {"lof", &TAutoDeleteOptions::lof},
    {"lot", &TAutoDeleteOptions::lot},
    {"idx", &TAutoDeleteOptions::idx},
    {"ind", &TAutoDeleteOptions::ind},
    {"ilg", &TAutoDeleteOptions::ilg},
    {"aux", &TAutoDeleteOptions::aux},
    {"bbl", &TAutoDeleteOptions::bbl},
    {"blg", &TAutoDeleteOptions::blg},
};

const TSettingField<TSpellCheckOptions> SpellCheckFields[] = {
    {"nfTeX", &TSpellCheckOptions::nfTeX},
    {"nfMail", &TSpellCheckOptions::nfMail},
    {"nfUrl", &TSpellCheckOptions::nfUrl},
    {"nfAllUpCase", &TSpellCheckOptions::nfAllUpCase},
    {"nfTopUpCase", &TSpellCheckOptions::nfTopUpCase},
    {"nfCommentLine", &TSpellCheckOptions::nfCommentLine},
    {"nfNum", &TSpellCheckOptions::nfNum},
    {"SEDing", &TSpellCheckOptions::SEDing},
    {"MainDicOnly", &TSpellCheckOptions::MainDicOnly},
    {"MinWordLen", &TSpellCheckOptions::MinWordLen},
    {"AutoClose", &TSpellCheckOptions::AutoClose},
};

const TSettingField<TSpellCheckDics> SpellDicFields[] = {
    {"MainDic", &TSpellCheckDics::MainDic},
    {"DicFolder", &TSpellCheckDics::DicFolder},
};

const TSettingField<TModule> ModuleFields[] = {
    {"ExeName", &TModule::ExeName},
    {"UseDDE", &TModule::UseDDE},
    {"DDEService", &TModule::DdeService},
    {"DDETopic", &TModule::DDETopic},
    {"DDEMacro", &TModule::DDEMacro},
    {"ConsoleOption", &TModule::DosOption},
    {"ConsoleCallBack", &TModule::DosCallBack},
};

struct TModuleKey {
  const char* Subkey;
  TModuleType Type;
};

// In the order of loading and saving.
constexpr TModuleKey ModuleKeys[] = {
    {"TeX", mtTeX}, {"Bib", mtBibTeX}, {"MakeIdx", mtMakeIndex}, {"View", mtPreview},
    {"Print", mtPrint},
};

constexpr char GhostScriptName[] = "GhostScript";
constexpr char TexExecAutoSaveName[] = "TexExecAutoSave";
constexpr char AutoBracketListName[] = "AutoBracketList";
constexpr char DefaultBrackets[] = "(($S)\r\n{{$S}\r\n[[$S]\r\n\"\"$S\"\r\n``$S'\r\n";

template <typename Record, size_t N>
void LoadRecord(const std::string& section, const TSettingField<Record> (&fields)[N],
                Record& record, const Record& defaults = Record()) {
  LoadSettingFields<Record>(section, fields, record, defaults);
}

template <typename Record, size_t N>
void SaveRecord(const std::string& section, const TSettingField<Record> (&fields)[N],
                const Record& record) {
  SaveSettingFields<Record>(section, fields, record);
}

TFileIOOption FileIODefaults(const TSettingsFolders& folders) {
  TFileIOOption defaults;
  defaults.DefaultTemplateFile = folders.Template + "normal.tex";
  defaults.TemplateFolder = ExcludeTrailingPathDelimiter(folders.Template);
  defaults.CommandFile = folders.UserData + "standard.dat";
  return defaults;
}

// The user's data file starts as a copy of the shipped one; an existing one is never replaced.
void CopyDefaultDataFile(const TSettingsFolders& folders) {
  const std::string source = folders.Program + "default.dat";
  const std::string target = folders.UserData + "standard.dat";
  CopyFileA(source.c_str(), target.c_str(), TRUE);
}

std::string ModuleSection(const std::string& subkey) {
  return std::string(res::RegSectionTexModule) + "\\" + subkey;
}

// A line's first character when it is a single byte; a double-byte one could not be matched
// by one typed byte, and would fire on any character sharing its lead byte.
char BracketOpener(const std::string& line) {
  return sjis::CharLength(line, 0) == 1 ? line[0] : '\0';
}

} // namespace

void LoadMarkOptions(TMarkOptions& options) {
  LoadRecord(res::RegSectionEditor, MarkFields, options);
}

void SaveMarkOptions(const TMarkOptions& options) {
  SaveRecord(res::RegSectionEditor, MarkFields, options);
}

void LoadEditOption(TEditOption& option) {
  LoadRecord(res::RegSectionEditor, EditFields, option);
}

void SaveEditOption(const TEditOption& option) {
  SaveRecord(res::RegSectionEditor, EditFields, option);
}

void LoadEdit2Option(TEdit2Option& option) {
  LoadRecord(res::RegSectionEditor, Edit2Fields, option);
}

void SaveEdit2Option(const TEdit2Option& option) {
  SaveRecord(res::RegSectionEditor, Edit2Fields, option);
}

void LoadFileIOOption(TFileIOOption& option, const TSettingsFolders& folders) {
  const TFileIOOption defaults = FileIODefaults(folders);
  LoadRecord(res::RegSectionFileIO, FileIOFields, option, defaults);
  LoadRecord(res::RegSectionSystem, FileIOSystemFields, option, defaults);
  CopyDefaultDataFile(folders);
}

void SaveFileIOOption(const TFileIOOption& option) {
  SaveRecord(res::RegSectionFileIO, FileIOFields, option);
  SaveRecord(res::RegSectionSystem, FileIOSystemFields, option);
}

void LoadGhostScriptPath(std::string& path) {
  path = RegReadString(res::RegSectionFileIO, GhostScriptName, "");
}

void LoadLogLoadOption(TLogLoadOption& option) {
  LoadRecord(res::RegSectionEditLogArea, LogLoadFields, option);
}

void SaveLogLoadOption(const TLogLoadOption& option) {
  SaveRecord(res::RegSectionEditLogArea, LogLoadFields, option);
}

void LoadAutoDeleteOptions(TAutoDeleteOptions& options) {
  LoadRecord(res::RegSectionLogFiles, AutoDeleteFields, options);
}

void SaveAutoDeleteOptions(const TAutoDeleteOptions& options) {
  SaveRecord(res::RegSectionLogFiles, AutoDeleteFields, options);
}

void LoadTexExecAutoSave(bool& autoSave) {
  autoSave = RegReadBool(res::RegSectionLogFiles, TexExecAutoSaveName, false);
}

void SaveTexExecAutoSave(bool autoSave) {
  RegWriteBool(res::RegSectionLogFiles, TexExecAutoSaveName, autoSave);
}

void LoadSpellCheckOptions(TSpellCheckOptions& options) {
  LoadRecord(res::RegSectionSpellCheck, SpellCheckFields, options);
}

void SaveSpellCheckOptions(const TSpellCheckOptions& options) {
  SaveRecord(res::RegSectionSpellCheck, SpellCheckFields, options);
}

void LoadSpellCheckDics(TSpellCheckDics& dics, const TSettingsFolders& folders) {
  TSpellCheckDics defaults;
  defaults.MainDic = folders.Dictionary + "Custom.dic";
  defaults.DicFolder = folders.Dictionary;
  LoadRecord(res::RegSectionSpellCheck, SpellDicFields, dics, defaults);
}

void SaveSpellCheckDics(const TSpellCheckDics& dics) {
  SaveRecord(res::RegSectionSpellCheck, SpellDicFields, dics);
}

void LoadAutoBracketList(TStringList& brackets, std::string& openers) {
  brackets.SetText(RegReadString(res::RegSectionEditor, AutoBracketListName, DefaultBrackets));
  openers.clear();
  for (int i = 0; i < brackets.Count(); ++i)
    openers += BracketOpener(brackets[i]);
}

void SaveAutoBracketList(const TStringList& brackets) {
  RegWriteString(res::RegSectionEditor, AutoBracketListName, brackets.Text());
}

void LoadTexModule(const std::string& subkey, TModule& module) {
  TModule defaults(module);
  defaults.UseDDE = true;
  defaults.DosCallBack = true;
  LoadRecord(ModuleSection(subkey), ModuleFields, module, defaults);
}

void SaveTexModule(const std::string& subkey, const TModule& module) {
  SaveRecord(ModuleSection(subkey), ModuleFields, module);
}

void LoadTexModules(TModules& modules) {
  for (const TModuleKey& key : ModuleKeys)
    LoadTexModule(key.Subkey, modules[key.Type]);
  modules[mtPreview].DosCallBack = false;
  modules[mtPrint].DosCallBack = false;
}

void SaveTexModules(const TModules& modules) {
  for (const TModuleKey& key : ModuleKeys)
    SaveTexModule(key.Subkey, modules[key.Type]);
}

void ColorToRGBBytes(TColor color, uint8_t& red, uint8_t& green, uint8_t& blue) {
  const uint32_t rgb = ColorToRGB(color);
  red = static_cast<uint8_t>(rgb & 0xFF);
  green = static_cast<uint8_t>((rgb >> 8) & 0xFF);
  blue = static_cast<uint8_t>((rgb >> 16) & 0xFF);
}

} // namespace quolin
