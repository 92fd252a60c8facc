#include "app/SettingsBlock.h"

#include "common/SettingTable.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/SettingsMappings.h"

#include <windows.h>

namespace quolin {

namespace {

const TSettingField<TMarkOptions> MarkFields[] = {
    SettingField<&TMarkOptions::SpaceMark>("SpaceMark"),
    SettingField<&TMarkOptions::DBSpaceMark>("DBSpaceMark"),
    SettingField<&TMarkOptions::TabMark>("TabMark"),
};

const TSettingField<TEditOption> EditFields[] = {
    SettingField<&TEditOption::IndentType>("IndentType"),
    SettingField<&TEditOption::IndentList>("IndentList"),
    SettingField<&TEditOption::CommandIndent>("CommandIndent"),
    SettingField<&TEditOption::AutoCommand>("AutoCommand"),
    SettingField<&TEditOption::AutoKakko>("AutoKakko"),
    SettingField<&TEditOption::InsertKeyDisable>("InsertKeyDisable"),
    SettingField<&TEditOption::AutoImeOn>("AutoImeOn"),
    SettingField<&TEditOption::AutoCommandType>("AutoCommandType"),
};

const TSettingField<TEdit2Option> Edit2Fields[] = {
    SettingField<&TEdit2Option::EnterStr>("EnterStr"),
    SettingField<&TEdit2Option::EnterCtrlStr>("EnterCtrlStr"),
    SettingField<&TEdit2Option::EnterShiftStr>("EnterShiftStr"),
    SettingField<&TEdit2Option::EnterCtrlShiftStr>("EnterCtrlShiftStr"),
    SettingField<&TEdit2Option::CommentHeader>("CommentHeader"),
    SettingField<&TEdit2Option::MouseSubButtonType>("MouseSubButtonType"),
    SettingField<&TEdit2Option::TexExitClose>("TexExitClose"),
    SettingField<&TEdit2Option::TexNextClose>("TexNextClose"),
    SettingField<&TEdit2Option::DoubleBuffer>("DoubleBuffer"),
    SettingField<&TEdit2Option::SectionViewLevel>("SectionViewLevel"),
    SettingField<&TEdit2Option::SectionViewShowIcon>("SectionViewShowIcon"),
    SettingField<&TEdit2Option::SectionViewBibMode>("SectionViewBibMode"),
    SettingField<&TEdit2Option::SectionViewCutCopyEnableEx>("SectionViewCutCopyEnableEx"),
    SettingField<&TEdit2Option::SectionViewCutCopyEndOfDoc>("SectionViewCutCopyEndOfDoc"),
    SettingField<&TEdit2Option::SectionViewDragDropEdit>("SectionViewDragDropEdit"),
    SettingField<&TEdit2Option::OpenNewDocument>("OpenNewDocument"),
    SettingField<&TEdit2Option::WakeupFileOpen>("WakeupFileOpen"),
    SettingField<&TEdit2Option::CommentLineAllPaint>("CommentLineAllPaint"),
};

const TSettingField<TFileIOOption> FileIOFields[] = {
    SettingField<&TFileIOOption::OrgBackUp>("OrgBackUp"),
    SettingField<&TFileIOOption::NorBackUp>("NorBackUp"),
    SettingField<&TFileIOOption::OrgBackUpExt>("OrgBackUpExt"),
    SettingField<&TFileIOOption::NorBackUpExt>("NorBackUpExt"),
    SettingField<&TFileIOOption::DefaultTemplateFile>("DefaultTemplateFile"),
    SettingField<&TFileIOOption::TemplateFolder>("TemplateFolder"),
    SettingField<&TFileIOOption::UseEditInfo>("UseEditInfo"),
    SettingField<&TFileIOOption::FullPathFileName>("FullPathFileName"),
};

// The user data file lives with the system settings.
const TSettingField<TFileIOOption> FileIOSystemFields[] = {
    SettingField<&TFileIOOption::CommandFile>("CommandFile"),
};

const TSettingField<TLogLoadOption> LogLoadFields[] = {
    SettingField<&TLogLoadOption::LogExt>("LogExt"),
    SettingField<&TLogLoadOption::LogErrorStr>("LogErrorStr"),
    SettingField<&TLogLoadOption::LogWarningStr>("LogWarningStr"),
    SettingField<&TLogLoadOption::LogNextLineViewError>("LogNextLineViewError"),
    SettingField<&TLogLoadOption::LogNextLineViewWarning>("LogNextLineViewWarning"),
};

const TSettingField<TAutoDeleteOptions> AutoDeleteFields[] = {
    SettingField<&TAutoDeleteOptions::AutoDelete>("AutoDelete"),
    SettingField<&TAutoDeleteOptions::dvi>("dvi"),
    SettingField<&TAutoDeleteOptions::log>("log"),
    SettingField<&TAutoDeleteOptions::toc>("toc"),
    SettingField<&TAutoDeleteOptions::lof>("lof"),
    SettingField<&TAutoDeleteOptions::lot>("lot"),
    SettingField<&TAutoDeleteOptions::idx>("idx"),
    SettingField<&TAutoDeleteOptions::ind>("ind"),
    SettingField<&TAutoDeleteOptions::ilg>("ilg"),
    SettingField<&TAutoDeleteOptions::aux>("aux"),
    SettingField<&TAutoDeleteOptions::bbl>("bbl"),
    SettingField<&TAutoDeleteOptions::blg>("blg"),
};

const TSettingField<TSpellCheckOptions> SpellCheckFields[] = {
    SettingField<&TSpellCheckOptions::nfTeX>("nfTeX"),
    SettingField<&TSpellCheckOptions::nfMail>("nfMail"),
    SettingField<&TSpellCheckOptions::nfUrl>("nfUrl"),
    SettingField<&TSpellCheckOptions::nfAllUpCase>("nfAllUpCase"),
    SettingField<&TSpellCheckOptions::nfTopUpCase>("nfTopUpCase"),
    SettingField<&TSpellCheckOptions::nfCommentLine>("nfCommentLine"),
    SettingField<&TSpellCheckOptions::nfNum>("nfNum"),
    SettingField<&TSpellCheckOptions::SEDing>("SEDing"),
    SettingField<&TSpellCheckOptions::MainDicOnly>("MainDicOnly"),
    SettingField<&TSpellCheckOptions::MinWordLen>("MinWordLen"),
    SettingField<&TSpellCheckOptions::AutoClose>("AutoClose"),
};

const TSettingField<TSpellCheckDics> SpellDicFields[] = {
    SettingField<&TSpellCheckDics::MainDic>("MainDic"),
    SettingField<&TSpellCheckDics::DicFolder>("DicFolder"),
};

const TSettingField<TModule> ModuleFields[] = {
    SettingField<&TModule::ExeName>("ExeName"),
    SettingField<&TModule::UseDDE>("UseDDE"),
    SettingField<&TModule::DdeService>("DDEService"),
    SettingField<&TModule::DDETopic>("DDETopic"),
    SettingField<&TModule::DDEMacro>("DDEMacro"),
    SettingField<&TModule::DosOption>("ConsoleOption"),
    SettingField<&TModule::DosCallBack>("ConsoleCallBack"),
};

struct TModuleKey {
  const char* Subkey;
  TModuleType Type;
};

// In the order of loading and saving.
constexpr TModuleKey ModuleKeys[] = {
    {"TeX", mtTeX},      {"Bib", mtBibTeX},  {"MakeIdx", mtMakeIndex},
    {"View", mtPreview}, {"Print", mtPrint},
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
