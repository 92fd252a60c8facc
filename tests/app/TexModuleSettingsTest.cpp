#include "app/SettingsBlock.h"
#include "core/Exceptions.h"
#include "support/SettingsFixture.h"
#include "texchain/Module.h"

#include <gtest/gtest.h>

#include <array>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class TexModuleSettings : public SettingsFixture {};

// Every field away from both the construction and the loading defaults.
TModule Custom(const std::string& tag) {
  TModule module;
  module.ExeName = tag + ".exe";
  module.DefaultExt = "." + tag;
  module.UseDDE = false;
  module.DosOption = tag + " %file";
  module.DosCallBack = false;
  module.DdeService = tag + "Service";
  module.DDETopic = tag + "Topic";
  module.DDEItem = tag + "Item";
  module.DDEMacro = "[" + tag + "]";
  module.CloseDDEMacro = "[Exit" + tag + "]";
  module.CloseCaption = tag + " window";
  module.CloseUseDDE = true;
  return module;
}

void ExpectSame(const TModule& actual, const TModule& expected) {
  EXPECT_EQ(actual.ExeName, expected.ExeName);
  EXPECT_EQ(actual.DefaultExt, expected.DefaultExt);
  EXPECT_EQ(actual.UseDDE, expected.UseDDE);
  EXPECT_EQ(actual.DosOption, expected.DosOption);
  EXPECT_EQ(actual.DosCallBack, expected.DosCallBack);
  EXPECT_EQ(actual.DdeService, expected.DdeService);
  EXPECT_EQ(actual.DDETopic, expected.DDETopic);
  EXPECT_EQ(actual.DDEItem, expected.DDEItem);
  EXPECT_EQ(actual.DDEMacro, expected.DDEMacro);
  EXPECT_EQ(actual.CloseDDEMacro, expected.CloseDDEMacro);
  EXPECT_EQ(actual.CloseCaption, expected.CloseCaption);
  EXPECT_EQ(actual.CloseUseDDE, expected.CloseUseDDE);
}

TEST_F(TexModuleSettings, MissingStringsKeepTheModulesValues) {
  TModule module = Custom("tex");
  LoadTexModule("TeX", module);
  TModule expected = Custom("tex");
  expected.UseDDE = true;
  expected.DosCallBack = true;
  ExpectSame(module, expected);
}

TEST_F(TexModuleSettings, FreshRegistryRunsEveryToolByDde) {
  TModules modules = DefaultModules();
  LoadTexModules(modules);
  for (const TModule& module : modules)
    EXPECT_TRUE(module.UseDDE);
  EXPECT_TRUE(modules[mtTeX].DosCallBack);
  EXPECT_TRUE(modules[mtMakeIndex].DosCallBack);
  EXPECT_TRUE(modules[mtBibTeX].DosCallBack);
  EXPECT_FALSE(modules[mtPreview].DosCallBack);
  EXPECT_FALSE(modules[mtPrint].DosCallBack);
  EXPECT_EQ(modules[mtBibTeX].DDEMacro, "[JBibTeX(%longfilename)]");
}

TEST_F(TexModuleSettings, PreviewerAndPrinterAreNeverWaitedFor) {
  TModules modules = DefaultModules();
  for (TModule& module : modules)
    module.DosCallBack = true;
  SaveTexModules(modules);
  EXPECT_EQ(Stored("TexModule\\View", "ConsoleCallBack").data, std::string("\x01", 1));

  TModules loaded = DefaultModules();
  LoadTexModules(loaded);
  EXPECT_TRUE(loaded[mtTeX].DosCallBack);
  EXPECT_FALSE(loaded[mtPreview].DosCallBack);
  EXPECT_FALSE(loaded[mtPrint].DosCallBack);
  // Only the whole set forces it; one module reads what is stored.
  TModule view(mtPreview);
  LoadTexModule("View", view);
  EXPECT_TRUE(view.DosCallBack);
}

TEST_F(TexModuleSettings, SubkeysReachTheirModules) {
  Store("TexModule\\Bib", "ExeName", REG_SZ, std::string("pbibtex.exe\0", 12));
  Store("TexModule\\MakeIdx", "ExeName", REG_SZ, std::string("mendex.exe\0", 11));
  Store("TexModule\\Print", "DDEService", REG_SZ, std::string("dviprt\0", 7));
  TModules modules = DefaultModules();
  LoadTexModules(modules);
  EXPECT_EQ(modules[mtBibTeX].ExeName, "pbibtex.exe");
  EXPECT_EQ(modules[mtMakeIndex].ExeName, "mendex.exe");
  EXPECT_EQ(modules[mtPrint].DdeService, "dviprt");
  EXPECT_EQ(modules[mtTeX].ExeName, "");
  EXPECT_EQ(modules[mtPreview].DdeService, "WinDvi");
}

TEST_F(TexModuleSettings, SavedValuesUseTheStoredNamesAndComeBack) {
  TModules modules = {Custom("a"), Custom("b"), Custom("c"), Custom("d"), Custom("e")};
  modules[mtBibTeX].DosCallBack = true;
  SaveTexModules(modules);

  const std::string bib = "TexModule\\Bib";
  EXPECT_EQ(Stored(bib, "ExeName").data, std::string("c.exe\0", 6));
  EXPECT_EQ(Stored(bib, "DDEService").data, std::string("cService\0", 9));
  EXPECT_EQ(Stored(bib, "DDETopic").data, std::string("cTopic\0", 7));
  EXPECT_EQ(Stored(bib, "DDEMacro").data, std::string("[c]\0", 4));
  EXPECT_EQ(Stored(bib, "ConsoleOption").data, std::string("c %file\0", 8));
  EXPECT_EQ(Stored(bib, "UseDDE").data, std::string("\0", 1));
  EXPECT_EQ(Stored(bib, "ConsoleCallBack").data, std::string("\x01", 1));
  EXPECT_FALSE(Stored(bib, "DDEItem").found);
  EXPECT_EQ(Stored("TexModule\\MakeIdx", "ExeName").data, std::string("b.exe\0", 6));

  TModules loaded = DefaultModules();
  LoadTexModules(loaded);
  for (int type = mtTeX; type <= mtBibTeX; ++type) {
    const TModule& module = loaded[type];
    EXPECT_EQ(module.ExeName, modules[type].ExeName);
    EXPECT_EQ(module.UseDDE, false);
    EXPECT_EQ(module.DdeService, modules[type].DdeService);
    EXPECT_EQ(module.DDETopic, modules[type].DDETopic);
    EXPECT_EQ(module.DDEMacro, modules[type].DDEMacro);
    EXPECT_EQ(module.DosOption, modules[type].DosOption);
    EXPECT_EQ(module.DosCallBack, modules[type].DosCallBack);
    // Not stored: the construction values stay.
    EXPECT_EQ(module.DDEItem, TModule(static_cast<TModuleType>(type)).DDEItem);
  }
}

TEST_F(TexModuleSettings, ConstructionDefaults) {
  struct Row {
    TModuleType type;
    const char *ext, *service, *topic, *item, *macro, *caption, *closeMacro;
    bool closeUseDde, callBack;
  };
  const Row rows[] = {
      {mtTeX, "", "bwpvtex", "bwpvtex", "Advise", "[virtex(%longfilename, %FmtNum_WinTeX)]",
       "bwpvtex", "", false, true},
      {mtMakeIndex, ".idx", "winmkidx", "winmkidx", "Advise", "[winmkidx(%longfilename)]",
       "winmkidx", "", false, true},
      {mtBibTeX, ".aux", "JBibTeX", "JBibTeX", "Status", "[JBibTeX(%longfilename)]", "wbibtex",
       "[FileExit]", false, true},
      {mtPreview, ".dvi", "WinDvi", "%longfilename", "", "[FileOpen(%longfilename)][WinNormal]",
       "dviout", "[FileExit]", true, false},
      {mtPrint, ".dvi", "WinDvi", "%longfilename", "",
       "[FileOpen(%longfilename)][WinNormal][FilePrint]", "dviout", "[FileExit]", true, false},
  };
  // ExeName empty, UseDDE false and DosOption "%longfilename" for every tool.
  const TModule plain;
  EXPECT_EQ(plain.ExeName, "");
  EXPECT_FALSE(plain.UseDDE);
  EXPECT_EQ(plain.DosOption, "%longfilename");
  const TModules modules = DefaultModules();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    TModule expected;
    expected.DefaultExt = row.ext;
    expected.DosCallBack = row.callBack;
    expected.DdeService = row.service;
    expected.DDETopic = row.topic;
    expected.DDEItem = row.item;
    expected.DDEMacro = row.macro;
    expected.CloseDDEMacro = row.closeMacro;
    expected.CloseCaption = row.caption;
    expected.CloseUseDDE = row.closeUseDde;
    ExpectSame(modules[row.type], expected);
  }
}

TEST_F(TexModuleSettings, AssignCopiesAllTwelveFields) {
  const TModule source = Custom("src");
  TModule target(mtBibTeX);
  target.Assign(source);
  ExpectSame(target, source);

  TStringList other;
  EXPECT_THROW(target.Assign(other), EConvertError);
  ExpectSame(target, source);
}

} // namespace
