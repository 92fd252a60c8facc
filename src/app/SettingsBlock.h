// The settings block of the main window: one record per group of settings, each loaded from
// the registry at start-up (every value with its default) and saved by the settings pages.
// Sections are subkeys of the caller's settings root (RegSetBase). A record's member
// initialisers are the defaults of its values; the folder-based ones come from
// TSettingsFolders when the record is loaded. Window-free header.
#pragma once

#include "core/Font.h"
#include "core/Module.h"
#include "core/StringList.h"

#include <cstdint>
#include <string>

namespace quolin {

// The folders that folder-based defaults stand on; each ends with "\".
struct TSettingsFolders {
  std::string UserData;
  std::string Template;
  std::string Dictionary;
  std::string Program;
};

struct TMarkOptions {
  bool SpaceMark = true;
  bool DBSpaceMark = true;
  bool TabMark = true;

  bool operator==(const TMarkOptions&) const = default;
};

struct TEditOption {
  int IndentType = 2;
  // Indentation strings of indentation kind 3.
  TStringList IndentList;
  bool CommandIndent = true;
  bool AutoCommand = true;
  bool AutoKakko = true;
  bool InsertKeyDisable = false;
  bool AutoImeOn = false;
  int AutoCommandType = 0;
};

struct TEdit2Option {
  std::string EnterStr = "$Ret";
  std::string EnterCtrlStr = "\\\\$Ret$SpIndent";
  std::string EnterShiftStr = "%$Ret$SpIndent";
  std::string EnterCtrlShiftStr = "\\newpage$Ret$NoIndent";
  std::string CommentHeader = "%";
  int MouseSubButtonType = 0;
  bool TexExitClose = true;
  bool TexNextClose = true;
  bool DoubleBuffer = false;
  int SectionViewLevel = 5;
  bool SectionViewShowIcon = true;
  bool SectionViewBibMode = true;
  bool SectionViewCutCopyEnableEx = true;
  std::string SectionViewCutCopyEndOfDoc = "\\end{document}";
  bool SectionViewDragDropEdit = true;
  bool OpenNewDocument = false;
  bool WakeupFileOpen = true;
  bool CommentLineAllPaint = false;

  bool operator==(const TEdit2Option&) const = default;
};

struct TFileIOOption {
  bool OrgBackUp = false;
  bool NorBackUp = false;
  std::string OrgBackUpExt = ".tex.org";
  std::string NorBackUpExt = ".tex.bak";
  // Default: the template folder's "normal.tex".
  std::string DefaultTemplateFile;
  // Default: the template folder, without a trailing "\".
  std::string TemplateFolder;
  // The user data file; default: the user data folder's "standard.dat".
  std::string CommandFile;
  bool UseEditInfo = true;
  bool FullPathFileName = false;

  bool operator==(const TFileIOOption&) const = default;
};

struct TLogLoadOption {
  std::string LogExt = ".log";
  // Comma lists of quoted or plain line beginnings.
  std::string LogErrorStr = "\"! \"";
  std::string LogWarningStr = "Label,\"Overfull \",Reference,\"Underfull \"";
  bool LogNextLineViewError = true;
  bool LogNextLineViewWarning = false;

  bool operator==(const TLogLoadOption&) const = default;
};

// Deletion of a document's tool output files, switched per extension.
struct TAutoDeleteOptions {
  bool AutoDelete = true;
  bool dvi = false;
  bool log = true;
  bool toc = true;
  bool lof = true;
  bool lot = true;
  bool idx = true;
  bool ind = true;
  bool ilg = true;
  bool aux = true;
  bool bbl = true;
  bool blg = true;

  bool operator==(const TAutoDeleteOptions&) const = default;
};

struct TSpellCheckOptions {
  bool nfTeX = false;
  bool nfMail = true;
  bool nfUrl = true;
  bool nfAllUpCase = true;
  bool nfTopUpCase = true;
  bool nfCommentLine = true;
  bool nfNum = true;
  bool SEDing = true;
  bool MainDicOnly = false;
  int MinWordLen = 3;
  bool AutoClose = true;

  bool operator==(const TSpellCheckOptions&) const = default;
};

struct TSpellCheckDics {
  // Default: the dictionary folder's "Custom.dic".
  std::string MainDic;
  // Default: the dictionary folder, with its trailing "\".
  std::string DicFolder;

  bool operator==(const TSpellCheckDics&) const = default;
};

struct TSettingsBlock {
  TMarkOptions MarkOptions;
  TEditOption EditOption;
  TEdit2Option Edit2Option;
  TFileIOOption FileIOOption;
  std::string GhostScript;
  TLogLoadOption LogLoadOption;
  TAutoDeleteOptions AutoDeleteOptions;
  bool TexExecAutoSave = false;
  TSpellCheckOptions SpellCheckOptions;
  TSpellCheckDics SpellCheckDics;
  // Automatic bracket pairs: each line is the typed opening character, then the text inserted
  // for it with "$S" at the caret place.
  TStringList BracketList;
  // The opening character of every line of BracketList, in order; 0 for an empty line or one
  // that starts with a double-byte character.
  std::string BracketOpeners;
};

void LoadMarkOptions(TMarkOptions& options);
void SaveMarkOptions(const TMarkOptions& options);
void LoadEditOption(TEditOption& option);
void SaveEditOption(const TEditOption& option);
void LoadEdit2Option(TEdit2Option& option);
void SaveEdit2Option(const TEdit2Option& option);
// Also copies the program folder's "default.dat" to the user data folder's "standard.dat"
// when that is missing.
void LoadFileIOOption(TFileIOOption& option, const TSettingsFolders& folders);
void SaveFileIOOption(const TFileIOOption& option);
void LoadGhostScriptPath(std::string& path);
void LoadLogLoadOption(TLogLoadOption& option);
void SaveLogLoadOption(const TLogLoadOption& option);
void LoadAutoDeleteOptions(TAutoDeleteOptions& options);
void SaveAutoDeleteOptions(const TAutoDeleteOptions& options);
void LoadTexExecAutoSave(bool& autoSave);
void SaveTexExecAutoSave(bool autoSave);
void LoadSpellCheckOptions(TSpellCheckOptions& options);
void SaveSpellCheckOptions(const TSpellCheckOptions& options);
void LoadSpellCheckDics(TSpellCheckDics& dics, const TSettingsFolders& folders);
void SaveSpellCheckDics(const TSpellCheckDics& dics);
void LoadAutoBracketList(TStringList& brackets, std::string& openers);
void SaveAutoBracketList(const TStringList& brackets);

// One module from its subkey of "TexModule"; values that are not stored keep the module's.
void LoadTexModule(const std::string& subkey, TModule& module);
void SaveTexModule(const std::string& subkey, const TModule& module);
// "TeX", "Bib", "MakeIdx", "View", "Print", in that order. The previewer and the printer are
// never waited for.
void LoadTexModules(TModules& modules);
void SaveTexModules(const TModules& modules);

// Red is the low byte of the RGB value; system colours are looked up first.
void ColorToRGBBytes(TColor color, uint8_t& red, uint8_t& green, uint8_t& blue);

} // namespace quolin
