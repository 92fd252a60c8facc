// Any bytes as an entry of the module definition file ("key=value" lines), set up with a fake
// file system: the set-up ends, every field of a tool found is its entry value or its default,
// a tool not found keeps all but its program, and a chosen program is one of its candidates
// (or the one the user gave). The same bytes as a program path, encoded as an entry stores it,
// split back to that path.
#include "core/ModuleEntry.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>

using namespace quolin;

namespace {

constexpr char AskedProgram[] = "C:\\ASKED\\TOOL.EXE";

// A file exists when its name's bytes add up to the chosen remainder; its long name is its
// upper-case spelling.
struct FakeFiles {
  unsigned remainder;
  std::optional<std::string> Existing(const std::string& path) const {
    unsigned sum = 0;
    for (unsigned char byte : path)
      sum += byte;
    if (sum % 3 != remainder)
      return std::nullopt;
    return sjis::UpperAscii(path);
  }
};

bool IsCandidate(const std::string& program, const std::string& folder,
                 const std::vector<std::string>& candidates, const FakeFiles& files) {
  return std::any_of(candidates.begin(), candidates.end(), [&](const std::string& candidate) {
    return files.Existing(CandidateFolder(folder) + candidate) == program;
  });
}

void CheckTool(const TEntryLookup& lookup, const TModuleEntryPrefix& tool, const TModule& before,
               const TModule& after, const std::string& folder, const FakeFiles& files) {
  const std::vector<std::string> candidates = EntryCandidates(lookup, tool);
  if (after.ExeName.empty()) {
    TModule kept = before;
    kept.ExeName.clear();
    FUZZ_CHECK(after.UseDDE == kept.UseDDE && after.DdeService == kept.DdeService &&
               after.DDEMacro == kept.DDEMacro && after.DefaultExt == kept.DefaultExt &&
               after.CloseCaption == kept.CloseCaption);
    return;
  }
  FUZZ_CHECK(!candidates.empty());
  FUZZ_CHECK(after.ExeName == AskedProgram ||
             IsCandidate(after.ExeName, folder, candidates, files));
  const TEntryDefaults defaults = EntryDefaults(tool, after.ExeName);
  auto value = [&](const char* name, const std::string& fallback) {
    return lookup(std::string(tool.Prefix) + name).value_or(fallback);
  };
  auto flag = [&](const char* name, bool fallback) {
    return EntryBool(lookup(std::string(tool.Prefix) + name), fallback);
  };
  FUZZ_CHECK(after.UseDDE == flag("UseDDE", defaults.UseDDE));
  FUZZ_CHECK(after.DdeService == value("DDEService", defaults.DdeService));
  FUZZ_CHECK(after.DDETopic == value("DDETopic", defaults.DDETopic));
  FUZZ_CHECK(after.DDEItem == value("DDEItem", defaults.DDEItem));
  FUZZ_CHECK(after.DDEMacro == value("DDEMacro", defaults.DDEMacro));
  FUZZ_CHECK(after.CloseUseDDE == flag("CloseDDE", defaults.CloseUseDDE));
  FUZZ_CHECK(after.CloseDDEMacro == value("DDECloseMacro", defaults.CloseDDEMacro));
  FUZZ_CHECK(after.CloseCaption == value("Caption", defaults.CloseCaption));
  FUZZ_CHECK(after.DosOption == value("DosOption", defaults.DosOption));
  FUZZ_CHECK(after.DefaultExt == defaults.DefaultExt.value_or(before.DefaultExt));
  FUZZ_CHECK(after.DosCallBack == before.DosCallBack);
}

void SetUp(const std::string& text, uint8_t choices) {
  TStringList lines;
  lines.SetText(text);
  const TEntryLookup lookup = [&lines](const std::string& key) -> std::optional<std::string> {
    const int index = lines.IndexOfName(key);
    return index < 0 ? std::nullopt : std::optional<std::string>(lines.ValueFromIndex(index));
  };
  const TEntryTexts texts = ReadEntryTexts(lookup);
  const FakeFiles files{choices % 3u};
  const bool userAnswers = choices & 4;
  const TProgramFinder find = [&](const TModuleEntryPrefix&,
                                  const std::vector<std::string>& candidates, bool quiet) {
    FUZZ_CHECK(!candidates.empty());
    FUZZ_CHECK(quiet || !texts.RootDir.empty());
    auto found = FindCandidate(texts.RootDir, candidates,
                               [&](const std::string& path) { return files.Existing(path); });
    if (found)
      return *found;
    return !quiet && userAnswers ? std::string(AskedProgram) : std::string();
  };
  const TModules before = DefaultModules();
  TModules after = before;
  const std::string labels = SetUpModules(lookup, !texts.RootDir.empty(), find, after);
  std::string expected;
  for (const TModuleEntryPrefix& tool : ModuleEntryPrefixes) {
    CheckTool(lookup, tool, before[tool.Type], after[tool.Type], texts.RootDir, files);
    if (!after[tool.Type].ExeName.empty())
      expected += tool.Label;
  }
  FUZZ_CHECK(labels == expected);
}

// A lead byte closing a quoted item would take the closing quote as its second byte: such a
// cut character is no file name, and the split cannot give it back.
bool EndsInCutCharacter(std::string_view path) {
  if (path.empty())
    return false;
  const size_t last = sjis::CharStart(path, path.size() - 1);
  return last == path.size() - 1 && sjis::IsLeadByte(static_cast<unsigned char>(path.back()));
}

void EncodePath(const std::string& bytes) {
  std::string path;
  std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(path),
               [](char byte) { return byte != '\0' && byte != '\r' && byte != '\n'; });
  const std::string encoded = EncodeEntryProgram(path);
  if (path.empty()) {
    FUZZ_CHECK(encoded.empty());
    return;
  }
  if (encoded.front() == '"' && EndsInCutCharacter(path))
    return;
  FUZZ_CHECK(CommaTextItems(encoded) == std::vector<std::string>{path});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const uint8_t choices = input.Byte();
  const std::string rest = input.Rest();
  SetUp(rest, choices);
  EncodePath(rest);
  return 0;
}
