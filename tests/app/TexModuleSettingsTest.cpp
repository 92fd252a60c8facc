#include "app/SettingsBlock.h"
#include "core/Exceptions.h"
#include "core/Module.h"
#include "support/ModuleFields.h"
#include "support/SettingsFixture.h"

#include <gtest/gtest.h>

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

TEST_F(TexModuleSettings, MissingStringsKeepTheModulesValues) {
  TModule module = Custom("tex");
  LoadTexModule("TeX", module);
  TModule expected = Custom("tex");
  expected.UseDDE = true;
  expected.DosCallBack = true;
  EXPECT_EQ(ModuleFields(module), ModuleFields(expected));
}

TEST_F(TexModuleSettings, FreshRegistryRunsEveryToolByDdeWithItsConstructionValues) {
  TModules modules = DefaultModules();
  LoadTexModules(modules);
  for (int type = mtTeX; type < ModuleCount; ++type) {
    TModule expected{static_cast<TModuleType>(type)};
    expected.UseDDE = true;
    EXPECT_EQ(ModuleFields(modules[type]), ModuleFields(expected)) << type;
  }
  EXPECT_TRUE(modules[mtTeX].DosCallBack && modules[mtMakeIndex].DosCallBack &&
              modules[mtBibTeX].DosCallBack);
  EXPECT_FALSE(modules[mtPreview].DosCallBack || modules[mtPrint].DosCallBack);
  EXPECT_EQ(modules[mtBibTeX].DDEMacro, "[JBibTeX(%longfilename)]");
}

TEST_F(TexModuleSettings, PreviewerAndPrinterAreNeverWaitedFor) {
  TModules modules = DefaultModules();
  for (TModule& module : modules)
    module.DosCallBack = true;
  SaveTexModules(modules);
  EXPECT_EQ(Stored("TexModule\\View", "ConsoleCallBack"), BoolValue(true));

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
  const std::pair<const char*, RawValue> stored[] = {
      {"ExeName", SzValue("c.exe")},         {"DDEService", SzValue("cService")},
      {"DDETopic", SzValue("cTopic")},       {"DDEMacro", SzValue("[c]")},
      {"ConsoleOption", SzValue("c %file")}, {"UseDDE", BoolValue(false)},
      {"ConsoleCallBack", BoolValue(true)},  {"DDEItem", RawValue{}}};
  for (const auto& [name, value] : stored)
    EXPECT_EQ(Stored("TexModule\\Bib", name), value) << name;
  EXPECT_EQ(Stored("TexModule\\MakeIdx", "ExeName"), SzValue("b.exe"));

  TModules loaded = DefaultModules();
  LoadTexModules(loaded);
  for (int type = mtTeX; type <= mtBibTeX; ++type) {
    // What is not stored keeps the construction values.
    const TModule construction{static_cast<TModuleType>(type)};
    TModule expected = modules[type];
    expected.DefaultExt = construction.DefaultExt;
    expected.DDEItem = construction.DDEItem;
    expected.CloseDDEMacro = construction.CloseDDEMacro;
    expected.CloseCaption = construction.CloseCaption;
    expected.CloseUseDDE = construction.CloseUseDDE;
    EXPECT_EQ(ModuleFields(loaded[type]), ModuleFields(expected)) << type;
  }
}

TEST_F(TexModuleSettings, AssignCopiesAllTwelveFields) {
  const TModule source = Custom("src");
  TModule target(mtBibTeX);
  target.Assign(source);
  EXPECT_EQ(ModuleFields(target), ModuleFields(source));

  TStringList other;
  EXPECT_THROW(target.Assign(other), EConvertError);
  EXPECT_EQ(ModuleFields(target), ModuleFields(source));
}

} // namespace
