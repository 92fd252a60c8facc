#include "core/ModuleEntry.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace quolin;

namespace {

// An entry's values as the INI reader would give them.
using Entry = std::map<std::string, std::string>;

TEntryLookup LookupOf(const Entry& entry) {
  return [&entry](const std::string& key) -> std::optional<std::string> {
    auto found = entry.find(key);
    return found == entry.end() ? std::nullopt : std::optional<std::string>(found->second);
  };
}

// What the finder was asked, and its answer: the folder joined with the first candidate.
struct FinderCalls {
  std::vector<std::string> tools;
  std::vector<bool> quiet;
  std::set<std::string> missing;

  TProgramFinder Finder() {
    return [this](const TModuleEntryPrefix& tool, const std::vector<std::string>& candidates,
                  bool isQuiet) {
      tools.push_back(tool.Prefix);
      quiet.push_back(isQuiet);
      return missing.count(tool.Prefix) ? std::string() : "C:\\TeX\\" + candidates.front();
    };
  }
};

TModules Marked() {
  TModules modules = DefaultModules();
  for (TModule& module : modules) {
    module.ExeName = "old.exe";
    module.DefaultExt = ".old";
    module.DDEItem = "old item";
    module.DosCallBack = true;
  }
  return modules;
}

TEST(ModuleEntryRules, KnownDdeProgramsByNameWithoutFolderIgnoringCase) {
  for (const char* name :
       {"bwpvtex.exe", "wpvtex.exe", "wbibtex.exe", "wdvip32.exe", "wdvipro.exe", "windvi.exe",
        "windvi32.exe", "winmkidx.exe", "bwpitex.exe", "wpitex.exe", "dviout.exe"})
    EXPECT_TRUE(IsKnownDdeProgram(std::string("C:\\w32tex\\bin\\") + name)) << name;
  EXPECT_TRUE(IsKnownDdeProgram("WINDVI32.EXE"));
  EXPECT_TRUE(IsKnownDdeProgram("C:\\表\\WinDvi32.Exe"));
  EXPECT_FALSE(IsKnownDdeProgram("C:\\bin\\windvi32.exe.bak"));
  EXPECT_FALSE(IsKnownDdeProgram("C:\\bin\\windvi32.ex"));
  EXPECT_FALSE(IsKnownDdeProgram("C:\\bin\\xwindvi32.exe"));
  EXPECT_FALSE(IsKnownDdeProgram("C:\\bin\\platex.exe"));
  EXPECT_FALSE(IsKnownDdeProgram(""));
  // The second byte of 表 is "\": taken byte by byte the name would be "dviout.exe".
  EXPECT_FALSE(IsKnownDdeProgram("C:\\bin\\表dviout.exe"));
  EXPECT_TRUE(IsKnownDdeProgram("C:\\bin\\表\\dviout.exe"));
}

TEST(ModuleEntryRules, ToolsInTheEntrysOrderWithTheirLabels) {
  std::vector<std::string> prefixes, labels;
  std::vector<TModuleType> types;
  for (const TModuleEntryPrefix& tool : ModuleEntryPrefixes) {
    prefixes.push_back(tool.Prefix);
    labels.push_back(tool.Label);
    types.push_back(tool.Type);
  }
  EXPECT_EQ(prefixes, (std::vector<std::string>{"Tex", "Bib", "MkIdx", "View", "Print"}));
  EXPECT_EQ(labels, (std::vector<std::string>{"TeX ", "BibTeX ", "MakeIndex ", "DviPreview ",
                                              "DviPrint "}));
  EXPECT_EQ(types, (std::vector<TModuleType>{mtTeX, mtBibTeX, mtMakeIndex, mtPreview, mtPrint}));
}

TEST(ModuleEntryRules, EachToolTakesItsDefaultsWhenTheEntryNamesOnlyItsProgram) {
  const Entry entry = {{"TexExeName", "bin\\PLaTeX.EXE"},
                       {"BibExeName", "bin\\jbibtex.exe"},
                       {"MkIdxExeName", "bin\\mendex.exe"},
                       {"ViewExeName", "dviout\\dviout.exe"},
                       {"PrintExeName", "dviout\\dviout.exe"}};
  TModules modules = Marked();
  FinderCalls finder;
  EXPECT_EQ(SetUpModules(LookupOf(entry), true, finder.Finder(), modules),
            "TeX BibTeX MakeIndex DviPreview DviPrint ");

  const TModule& tex = modules[mtTeX];
  EXPECT_EQ(tex.ExeName, "C:\\TeX\\bin\\PLaTeX.EXE");
  EXPECT_FALSE(tex.UseDDE);
  EXPECT_EQ(tex.DdeService, "platex");
  EXPECT_EQ(tex.DDETopic, "platex");
  EXPECT_EQ(tex.CloseCaption, "platex");
  EXPECT_EQ(tex.DDEItem, "Advise");
  EXPECT_EQ(tex.DDEMacro, "[virtex(%filename, %FmtNum_WinTeX)]");
  EXPECT_FALSE(tex.CloseUseDDE);
  EXPECT_EQ(tex.CloseDDEMacro, "");
  EXPECT_EQ(tex.DosOption, "%filename");
  EXPECT_EQ(tex.DefaultExt, ".old") << "the TeX module keeps its extension";
  EXPECT_TRUE(tex.DosCallBack) << "no entry key sets it";

  const TModule& bib = modules[mtBibTeX];
  EXPECT_FALSE(bib.UseDDE);
  EXPECT_EQ(bib.DdeService, "JBibTeX");
  EXPECT_EQ(bib.DDETopic, "JBibTeX");
  EXPECT_EQ(bib.CloseCaption, "JBibTeX");
  EXPECT_EQ(bib.DDEItem, "Status");
  EXPECT_EQ(bib.DDEMacro, "[JBibTeX(%filename)]");
  EXPECT_FALSE(bib.CloseUseDDE);
  EXPECT_EQ(bib.CloseDDEMacro, "[FileExit]");
  EXPECT_EQ(bib.DefaultExt, ".aux");

  const TModule& index = modules[mtMakeIndex];
  EXPECT_FALSE(index.UseDDE);
  EXPECT_EQ(index.DdeService, "winmkidx");
  EXPECT_EQ(index.DDEItem, "Advise");
  EXPECT_EQ(index.DDEMacro, "[winmkidx(%filename)]");
  EXPECT_EQ(index.CloseDDEMacro, "");
  EXPECT_EQ(index.DefaultExt, ".idx");

  for (TModuleType type : {mtPreview, mtPrint}) {
    const TModule& dvi = modules[type];
    EXPECT_TRUE(dvi.UseDDE) << type;
    EXPECT_EQ(dvi.DdeService, "WinDvi");
    EXPECT_EQ(dvi.DDETopic, "WinDvi");
    EXPECT_EQ(dvi.CloseCaption, "WinDvi");
    EXPECT_EQ(dvi.DDEItem, "");
    EXPECT_TRUE(dvi.CloseUseDDE);
    EXPECT_EQ(dvi.CloseDDEMacro, "[FileExit]");
    EXPECT_EQ(dvi.DosOption, "%filename");
    EXPECT_EQ(dvi.DefaultExt, ".dvi");
  }
  EXPECT_EQ(modules[mtPreview].DDEMacro, "[FileOpen(%filename)]");
  EXPECT_EQ(modules[mtPrint].DDEMacro, "[FileOpen(%longfilename)][FilePrint][FileExit]");
}

TEST(ModuleEntryRules, TheProgramsPathDecidesDdeForTexBibAndMakeIndex) {
  struct Case {
    const char* tex;
    const char* bib;
    const char* index;
    bool dde;
  };
  for (const Case& c : {Case{"w\\BWPVTEX.exe", "w\\wbibtex.exe", "w\\WinMkIdx.exe", true},
                        Case{"wpvtex\\x.exe", "wbibtex\\x.exe", "winmkidx\\x.exe", true},
                        Case{"w\\wpvte.exe", "w\\wbibte.exe", "w\\winmkid.exe", false}}) {
    const Entry entry = {{"TexExeName", c.tex}, {"BibExeName", c.bib}, {"MkIdxExeName", c.index}};
    TModules modules = Marked();
    FinderCalls finder;
    SetUpModules(LookupOf(entry), true, finder.Finder(), modules);
    EXPECT_EQ(modules[mtTeX].UseDDE, c.dde) << c.tex;
    EXPECT_EQ(modules[mtBibTeX].UseDDE, c.dde) << c.bib;
    EXPECT_EQ(modules[mtMakeIndex].UseDDE, c.dde) << c.index;
  }
}

TEST(ModuleEntryRules, EntryValuesReplaceTheDefaultsEvenWhenEmpty) {
  const Entry entry = {{"TexExeName", "bwpvtex.exe"},
                       {"TexUseDDE", "0"},
                       {"TexDDEService", "svc"},
                       {"TexDDETopic", "topic"},
                       {"TexDDEItem", ""},
                       {"TexDDEMacro", "[m]"},
                       {"TexCloseDDE", "1"},
                       {"TexDDECloseMacro", "[close]"},
                       {"TexCaption", "cap"},
                       {"TexDosOption", "-x %filename"},
                       {"ViewExeName", "v.exe"},
                       {"ViewUseDDE", "no number"},
                       {"ViewCloseDDE", "0"}};
  TModules modules = Marked();
  FinderCalls finder;
  SetUpModules(LookupOf(entry), true, finder.Finder(), modules);
  const TModule& tex = modules[mtTeX];
  EXPECT_FALSE(tex.UseDDE);
  EXPECT_EQ(tex.DdeService, "svc");
  EXPECT_EQ(tex.DDETopic, "topic");
  EXPECT_EQ(tex.DDEItem, "");
  EXPECT_EQ(tex.DDEMacro, "[m]");
  EXPECT_TRUE(tex.CloseUseDDE);
  EXPECT_EQ(tex.CloseDDEMacro, "[close]");
  EXPECT_EQ(tex.CloseCaption, "cap");
  EXPECT_EQ(tex.DosOption, "-x %filename");
  EXPECT_TRUE(modules[mtPreview].UseDDE) << "no number: the default";
  EXPECT_FALSE(modules[mtPreview].CloseUseDDE);
}

TEST(ModuleEntryRules, BooleansAreIntegersOtherThanZero) {
  EXPECT_TRUE(EntryBool("1", false));
  EXPECT_TRUE(EntryBool("-1", false));
  EXPECT_TRUE(EntryBool("2", false));
  EXPECT_TRUE(EntryBool("$10", false));
  EXPECT_FALSE(EntryBool("0", true));
  EXPECT_TRUE(EntryBool("true", true));
  EXPECT_FALSE(EntryBool("true", false));
  EXPECT_TRUE(EntryBool("", true));
  EXPECT_FALSE(EntryBool("", false));
  EXPECT_TRUE(EntryBool(std::nullopt, true));
  EXPECT_FALSE(EntryBool(std::nullopt, false));
}

TEST(ModuleEntryRules, WhoMayBeAskedForAProgram) {
  const Entry entry = {{"TexExeName", "a.exe"},   {"BibExeName", "b.exe"},
                       {"MkIdxExeName", "c.exe"}, {"ViewExeName", "d.exe"},
                       {"PrintExeName", "e.exe"}, {"MkIdxNotUserFind", "1"},
                       {"ViewNotUserFind", "x"},  {"PrintNotUserFind", "0"}};
  TModules modules = Marked();
  FinderCalls asked;
  SetUpModules(LookupOf(entry), true, asked.Finder(), modules);
  EXPECT_EQ(asked.tools, (std::vector<std::string>{"Tex", "Bib", "MkIdx", "View", "Print"}));
  EXPECT_EQ(asked.quiet, (std::vector<bool>{false, true, true, false, false}));

  Entry bibAsked = entry;
  bibAsked["BibNotUserFind"] = "0";
  FinderCalls quiet;
  SetUpModules(LookupOf(bibAsked), false, quiet.Finder(), modules);
  EXPECT_EQ(quiet.quiet, std::vector<bool>(5, true)) << "without an installation folder";
  FinderCalls bib;
  SetUpModules(LookupOf(bibAsked), true, bib.Finder(), modules);
  EXPECT_FALSE(bib.quiet[1]);
}

TEST(ModuleEntryRules, AToolNotFoundLosesOnlyItsProgram) {
  const Entry entry = {{"TexExeName", "a.exe"}, {"BibExeName", ""}, {"ViewExeName", "d.exe"}};
  TModules modules = Marked();
  const TModules before = modules;
  FinderCalls finder;
  finder.missing = {"View"};
  EXPECT_EQ(SetUpModules(LookupOf(entry), true, finder.Finder(), modules), "TeX ");
  EXPECT_EQ(finder.tools, (std::vector<std::string>{"Tex", "View"}))
      << "a tool without candidates is not looked for";
  for (TModuleType type : {mtBibTeX, mtMakeIndex, mtPreview, mtPrint}) {
    TModule expected = before[type];
    expected.ExeName.clear();
    TModule& module = modules[type];
    EXPECT_EQ(module.ExeName, "") << type;
    EXPECT_EQ(module.DDEItem, expected.DDEItem) << type;
    EXPECT_EQ(module.DefaultExt, expected.DefaultExt) << type;
    EXPECT_EQ(module.DDEMacro, expected.DDEMacro) << type;
    EXPECT_EQ(module.UseDDE, expected.UseDDE) << type;
  }

  FinderCalls none;
  none.missing = {"Tex", "View"};
  EXPECT_EQ(SetUpModules(LookupOf(entry), true, none.Finder(), modules), "");
}

TEST(ModuleEntryRules, CandidatesInOrderUnderTheFolder) {
  const Entry entry = {{"TexExeName", "\"bin\\pla tex.exe\", bin\\b.exe,,c.exe"}};
  const std::vector<std::string> candidates =
      EntryCandidates(LookupOf(entry), ModuleEntryPrefixes[0]);
  EXPECT_EQ(candidates, (std::vector<std::string>{"bin\\pla tex.exe", "bin\\b.exe", "", "c.exe"}));
  EXPECT_TRUE(EntryCandidates(LookupOf(entry), ModuleEntryPrefixes[1]).empty());

  std::set<std::string> files = {"C:\\T\\bin\\pla tex.exe", "C:\\T\\bin\\b.exe"};
  std::vector<std::string> looked;
  TExistingFile existing = [&](const std::string& path) -> std::optional<std::string> {
    looked.push_back(path);
    return files.count(path) ? std::optional<std::string>("long:" + path) : std::nullopt;
  };
  EXPECT_EQ(FindCandidate("C:\\T", candidates, existing), "long:C:\\T\\bin\\pla tex.exe");
  EXPECT_EQ(looked, (std::vector<std::string>{"C:\\T\\bin\\pla tex.exe"}));
  files.erase("C:\\T\\bin\\pla tex.exe");
  EXPECT_EQ(FindCandidate("C:\\T\\", candidates, existing), "long:C:\\T\\bin\\b.exe");
  files.clear();
  looked.clear();
  EXPECT_EQ(FindCandidate("C:\\T", candidates, existing), std::nullopt);
  EXPECT_EQ(looked.size(), 4u);

  EXPECT_EQ(CandidateFolder(""), "");
  EXPECT_EQ(CandidateFolder("C:\\"), "C:\\");
  EXPECT_EQ(CandidateFolder("C:\\表"), "C:\\表\\");
  files = {"c.exe"};
  EXPECT_EQ(FindCandidate("", {"c.exe"}, existing), "long:c.exe");
}

TEST(ModuleEntryRules, EntryTextsWithTheirDefaultsAndLineBreaks) {
  const Entry none;
  const TEntryTexts defaults = ReadEntryTexts(LookupOf(none));
  EXPECT_EQ(defaults.RootDir, "");
  EXPECT_EQ(defaults.FolderMsg, "インストールフォルダを指定してください");
  EXPECT_EQ(defaults.EndMsg, "");

  const Entry entry = {
      {"RootDir", "C:\\w32tex"}, {"FolderMsg", ""}, {"EndMsg", "一行目\\n二行目\\n\\表n\\"}};
  const TEntryTexts texts = ReadEntryTexts(LookupOf(entry));
  EXPECT_EQ(texts.RootDir, "C:\\w32tex");
  EXPECT_EQ(texts.FolderMsg, "");
  // 表 is 95 5C: its second byte and the "n" after it are no line break.
  EXPECT_EQ(texts.EndMsg, "一行目\r\n二行目\r\n\\表n\\");
}

TEST(ModuleEntryRules, ProgramPathsSurviveTheCommaSplit) {
  for (const std::string path :
       {"C:\\bin\\platex.exe", "C:\\Program Files\\w32tex\\platex.exe", "C:\\a,b\\x.exe",
        "C:\\say \"hi\"\\x.exe", "C:\\表\\ソフト\\platex.exe", " lead.exe", "\"quoted\""}) {
    const std::string encoded = EncodeEntryProgram(path);
    EXPECT_EQ(CommaTextItems(encoded), std::vector<std::string>{path}) << encoded;
  }
  EXPECT_EQ(EncodeEntryProgram("C:\\bin\\platex.exe"), "C:\\bin\\platex.exe");
  EXPECT_EQ(EncodeEntryProgram("C:\\P F\\x.exe"), "\"C:\\P F\\x.exe\"");
  EXPECT_EQ(EncodeEntryProgram(""), "");
}

TEST(ModuleEntryRules, TheModulesAsAnEntryAndBack) {
  TModules modules = DefaultModules();
  modules[mtTeX].ExeName = "C:\\P F\\bwpvtex.exe";
  modules[mtTeX].UseDDE = false;
  modules[mtTeX].DdeService = "svc";
  modules[mtTeX].DosOption = "-opt";
  modules[mtPreview].ExeName = "C:\\v\\dviout.exe";
  modules[mtPreview].UseDDE = true;
  const auto values = ModuleEntryValues(modules);
  ASSERT_EQ(values.size(), 30u);
  std::vector<std::string> keys;
  for (size_t i = 0; i < 6; ++i)
    keys.push_back(values[i].first);
  EXPECT_EQ(keys, (std::vector<std::string>{"TexExeName", "TexUseDDE", "TexDDEService",
                                            "TexDDETopic", "TexDDEMacro", "TexDosOption"}));
  EXPECT_EQ(values[0].second, "\"C:\\P F\\bwpvtex.exe\"");
  EXPECT_EQ(values[1].second, "0");
  EXPECT_EQ(values[6].first, "BibExeName");
  EXPECT_EQ(values[6].second, "");
  EXPECT_EQ(values[18].first, "ViewExeName");
  EXPECT_EQ(values[19].second, "1");
  EXPECT_EQ(values[29].first, "PrintDosOption");

  const Entry entry(values.begin(), values.end());
  TModules read = Marked();
  const TProgramFinder asGiven = [](const TModuleEntryPrefix&,
                                    const std::vector<std::string>& candidates,
                                    bool) { return candidates.front(); };
  EXPECT_EQ(SetUpModules(LookupOf(entry), false, asGiven, read), "TeX DviPreview ");
  for (TModuleType type : {mtTeX, mtPreview}) {
    EXPECT_EQ(read[type].ExeName, modules[type].ExeName);
    EXPECT_EQ(read[type].UseDDE, modules[type].UseDDE);
    EXPECT_EQ(read[type].DdeService, modules[type].DdeService);
    EXPECT_EQ(read[type].DDETopic, modules[type].DDETopic);
    EXPECT_EQ(read[type].DDEMacro, modules[type].DDEMacro);
    EXPECT_EQ(read[type].DosOption, modules[type].DosOption);
  }
  EXPECT_EQ(read[mtTeX].DDEItem, "Advise");
  EXPECT_EQ(read[mtTeX].CloseCaption, "bwpvtex");
  EXPECT_EQ(read[mtPreview].CloseDDEMacro, "[FileExit]");
  EXPECT_EQ(read[mtBibTeX].ExeName, "");
}

} // namespace
