// An entry of the module definition file: one section of an INI file that names each tool's
// candidate programs, relative to an installation folder, and its DDE and command-line
// settings. Reading sets up the five modules from an entry; writing turns the modules back
// into one. Window-free: the INI file is reached through a lookup of its values, and the file
// system through the callback that looks for a tool's program.
#pragma once

#include "core/Module.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quolin {

// One tool's keys in an entry: each key is the prefix followed by the value's name.
struct TModuleEntryPrefix {
  const char* Prefix;
  // Listed in the message of a successful set-up; ends with a blank.
  const char* Label;
  TModuleType Type;
};

// In the order of the entry's keys, which is not TModuleType's.
extern const std::array<TModuleEntryPrefix, ModuleCount> ModuleEntryPrefixes;

// A program of the Windows TeX distributions that is called by DDE: the name without folder,
// ASCII lower-cased, is one of a fixed list.
bool IsKnownDdeProgram(std::string_view fileName);

// A value of the entry as the INI reader gives it, or none when the key is missing.
using TEntryLookup = std::function<std::optional<std::string>(const std::string& key)>;

// The entry's own texts.
struct TEntryTexts {
  // Empty: no folder question and nobody is asked for a program.
  std::string RootDir;
  std::string FolderMsg;
  // "\n" already turned into line breaks.
  std::string EndMsg;
};
TEntryTexts ReadEntryTexts(const TEntryLookup& lookup);

// Looks for a tool's program under the installation folder: given the tool, its candidates in
// order and whether the user may not be asked, the program's path, or empty when none is
// chosen. Called only for a tool that has candidates.
using TProgramFinder = std::function<std::string(
    const TModuleEntryPrefix& tool, const std::vector<std::string>& candidates, bool quiet)>;

// Sets up every module from the entry: a tool whose program is found takes it and the entry's
// settings (or their defaults); any other keeps its settings but loses its program. The
// labels of the tools found, joined as they stand; empty when none was found.
std::string SetUpModules(const TEntryLookup& lookup, bool askUser, const TProgramFinder& find,
                         TModules& modules);
// The candidates of one tool: its "ExeName" value split as comma text.
std::vector<std::string> EntryCandidates(const TEntryLookup& lookup,
                                         const TModuleEntryPrefix& tool);

// The long name of an existing file for a path, or none.
using TExistingFile = std::function<std::optional<std::string>(const std::string& path)>;
// The folder as candidates are appended to it: with a final "\" unless it is empty.
std::string CandidateFolder(std::string_view folder);
// The first candidate under the folder that exists, as existing names it; none when none does.
std::optional<std::string> FindCandidate(const std::string& folder,
                                         const std::vector<std::string>& candidates,
                                         const TExistingFile& existing);

// What a tool takes from an entry when the entry leaves a value out.
struct TEntryDefaults {
  std::string DdeService;
  std::string DDETopic;
  std::string DDEItem;
  std::string DDEMacro;
  std::string CloseDDEMacro;
  std::string CloseCaption;
  std::string DosOption;
  // None: the module keeps its own.
  std::optional<std::string> DefaultExt;
  bool UseDDE = false;
  bool CloseUseDDE = false;
};
// For the tool whose program is program.
TEntryDefaults EntryDefaults(const TModuleEntryPrefix& tool, const std::string& program);

// An entry's boolean: an integer other than 0; a value that is no number gives the default.
bool EntryBool(const std::optional<std::string>& value, bool defaultValue);

// A program path as an entry stores it: one item of comma text, so that a blank, a comma or a
// quote in it survives the split on reading. Empty for an empty path.
std::string EncodeEntryProgram(const std::string& path);

// The keys and values that store the modules as an entry, in the order they are written: per
// tool "ExeName", "UseDDE" ("1"/"0"), "DDEService", "DDETopic", "DDEMacro" and "DosOption".
std::vector<std::pair<std::string, std::string>> ModuleEntryValues(const TModules& modules);

} // namespace quolin
