#include "core/ModuleEntry.h"

#include "core/Format.h"
#include "core/Paths.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <algorithm>

namespace quolin {

const std::array<TModuleEntryPrefix, ModuleCount> ModuleEntryPrefixes = {{
    {"Tex", "TeX ", mtTeX},
    {"Bib", "BibTeX ", mtBibTeX},
    {"MkIdx", "MakeIndex ", mtMakeIndex},
    {"View", "DviPreview ", mtPreview},
    {"Print", "DviPrint ", mtPrint},
}};

namespace {

constexpr const char* KnownDdePrograms[] = {
    "bwpvtex.exe",  "wpvtex.exe",   "wbibtex.exe", "wdvip32.exe", "wdvipro.exe", "windvi.exe",
    "windvi32.exe", "winmkidx.exe", "bwpitex.exe", "wpitex.exe",  "dviout.exe",
};

// Indexed by TModuleType.
struct TToolDefaults {
  // Null: the found program's name without folder and extension, lower-cased.
  const char* ModuleName;
  const char* DDEItem;
  const char* DDEMacro;
  const char* CloseDDEMacro;
  // Null: the module keeps its own.
  const char* DefaultExt;
  // The program is called by DDE when its lower-cased path holds this; null: always.
  const char* DdeProgramPart;
  bool CloseUseDDE;
  bool NotUserFind;
};

constexpr TToolDefaults ToolDefaults[ModuleCount] = {
    {nullptr, "Advise", "[virtex(%filename, %FmtNum_WinTeX)]", "", nullptr, "wpvtex", false, false},
    {"winmkidx", "Advise", "[winmkidx(%filename)]", "", ".idx", "winmkidx", false, false},
    {"JBibTeX", "Status", "[JBibTeX(%filename)]", "[FileExit]", ".aux", "wbibtex", false, true},
    {"WinDvi", "", "[FileOpen(%filename)]", "[FileExit]", ".dvi", nullptr, true, false},
    {"WinDvi", "", "[FileOpen(%longfilename)][FilePrint][FileExit]", "[FileExit]", ".dvi", nullptr,
     true, false},
};

constexpr const char* DefaultFolderMsg = "インストールフォルダを指定してください";

std::string ProgramModuleName(const std::string& program) {
  return sjis::LowerAscii(ChangeFileExt(ExtractFileName(program), ""));
}

bool Holds(const std::string& text, std::string_view part) {
  return sjis::FindText(text, part) != std::string_view::npos;
}

// The two characters "\n" become CR LF. Stepping by characters, the second byte of a
// double-byte character (表 is 95 5C) is never taken for the "\".
std::string ExpandLineBreaks(std::string_view text) {
  std::string result;
  for (size_t pos = 0; pos < text.size();) {
    if (text.substr(pos, 2) == "\\n") {
      result += "\r\n";
      pos += 2;
      continue;
    }
    size_t length = sjis::CharLength(text, pos);
    result.append(text.substr(pos, length));
    pos += length;
  }
  return result;
}

class TEntryReader {
public:
  TEntryReader(const TEntryLookup& lookup, const TModuleEntryPrefix& tool)
      : lookup_(lookup), tool_(tool) {}

  std::optional<std::string> Value(const char* name) const {
    return lookup_(std::string(tool_.Prefix) + name);
  }
  std::string String(const char* name, const std::string& defaultValue) const {
    return Value(name).value_or(defaultValue);
  }
  bool Bool(const char* name, bool defaultValue) const {
    return EntryBool(Value(name), defaultValue);
  }

  void ReadInto(const std::string& program, TModule& module) const {
    const TEntryDefaults defaults = EntryDefaults(tool_, program);
    module.ExeName = program;
    module.UseDDE = Bool("UseDDE", defaults.UseDDE);
    module.DdeService = String("DDEService", defaults.DdeService);
    module.DDETopic = String("DDETopic", defaults.DDETopic);
    module.DDEItem = String("DDEItem", defaults.DDEItem);
    module.DDEMacro = String("DDEMacro", defaults.DDEMacro);
    module.CloseUseDDE = Bool("CloseDDE", defaults.CloseUseDDE);
    module.CloseDDEMacro = String("DDECloseMacro", defaults.CloseDDEMacro);
    module.CloseCaption = String("Caption", defaults.CloseCaption);
    module.DosOption = String("DosOption", defaults.DosOption);
    if (defaults.DefaultExt)
      module.DefaultExt = *defaults.DefaultExt;
  }

private:
  const TEntryLookup& lookup_;
  const TModuleEntryPrefix& tool_;
};

} // namespace

bool IsKnownDdeProgram(std::string_view fileName) {
  const std::string name = sjis::LowerAscii(ExtractFileName(fileName));
  return std::any_of(std::begin(KnownDdePrograms), std::end(KnownDdePrograms),
                     [&](const char* known) { return name == known; });
}

TEntryTexts ReadEntryTexts(const TEntryLookup& lookup) {
  TEntryTexts texts;
  texts.RootDir = lookup("RootDir").value_or("");
  texts.FolderMsg = lookup("FolderMsg").value_or(DefaultFolderMsg);
  texts.EndMsg = ExpandLineBreaks(lookup("EndMsg").value_or(""));
  return texts;
}

bool EntryBool(const std::optional<std::string>& value, bool defaultValue) {
  if (!value)
    return defaultValue;
  return StrToIntDef(*value, defaultValue ? 1 : 0) != 0;
}

TEntryDefaults EntryDefaults(const TModuleEntryPrefix& tool, const std::string& program) {
  const TToolDefaults& table = ToolDefaults[tool.Type];
  const std::string name = table.ModuleName ? table.ModuleName : ProgramModuleName(program);
  TEntryDefaults defaults;
  defaults.DdeService = name;
  defaults.DDETopic = name;
  defaults.DDEItem = table.DDEItem;
  defaults.DDEMacro = table.DDEMacro;
  defaults.CloseDDEMacro = table.CloseDDEMacro;
  defaults.CloseCaption = name;
  defaults.DosOption = "%filename";
  if (table.DefaultExt)
    defaults.DefaultExt = table.DefaultExt;
  defaults.UseDDE = !table.DdeProgramPart || Holds(sjis::LowerAscii(program), table.DdeProgramPart);
  defaults.CloseUseDDE = table.CloseUseDDE;
  return defaults;
}

std::vector<std::string> EntryCandidates(const TEntryLookup& lookup,
                                         const TModuleEntryPrefix& tool) {
  return CommaTextItems(TEntryReader(lookup, tool).String("ExeName", ""));
}

std::string SetUpModules(const TEntryLookup& lookup, bool askUser, const TProgramFinder& find,
                         TModules& modules) {
  std::string labels;
  for (const TModuleEntryPrefix& tool : ModuleEntryPrefixes) {
    const TEntryReader reader(lookup, tool);
    const bool quiet = !askUser || reader.Bool("NotUserFind", ToolDefaults[tool.Type].NotUserFind);
    const std::vector<std::string> candidates = EntryCandidates(lookup, tool);
    const std::string program = candidates.empty() ? std::string() : find(tool, candidates, quiet);
    TModule& module = modules[tool.Type];
    if (program.empty()) {
      module.ExeName.clear();
      continue;
    }
    labels += tool.Label;
    reader.ReadInto(program, module);
  }
  return labels;
}

std::string CandidateFolder(std::string_view folder) {
  return folder.empty() ? std::string() : IncludeTrailingPathDelimiter(folder);
}

std::optional<std::string> FindCandidate(const std::string& folder,
                                         const std::vector<std::string>& candidates,
                                         const TExistingFile& existing) {
  const std::string base = CandidateFolder(folder);
  for (const std::string& candidate : candidates)
    if (std::optional<std::string> found = existing(base + candidate))
      return found;
  return std::nullopt;
}

std::string EncodeEntryProgram(const std::string& path) {
  if (path.empty())
    return {};
  TStringList items;
  items.Add(path);
  return items.CommaText();
}

std::vector<std::pair<std::string, std::string>> ModuleEntryValues(const TModules& modules) {
  std::vector<std::pair<std::string, std::string>> values;
  for (const TModuleEntryPrefix& tool : ModuleEntryPrefixes) {
    const TModule& module = modules[tool.Type];
    const std::string prefix = tool.Prefix;
    values.emplace_back(prefix + "ExeName", EncodeEntryProgram(module.ExeName));
    values.emplace_back(prefix + "UseDDE", module.UseDDE ? "1" : "0");
    values.emplace_back(prefix + "DDEService", module.DdeService);
    values.emplace_back(prefix + "DDETopic", module.DDETopic);
    values.emplace_back(prefix + "DDEMacro", module.DDEMacro);
    values.emplace_back(prefix + "DosOption", module.DosOption);
  }
  return values;
}

} // namespace quolin
