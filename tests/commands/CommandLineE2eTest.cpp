// "/m" commands handed to the running Quolin.exe by second starts: a user command into the
// document, its repetition, the save, a new untitled document and a TeX run.
#include "common/RegistryProbe.h"
#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "support/E2eSession.h"
#include "support/WaitLimit.h"
#include "texchain/FakeTools.h"

#include <gtest/gtest.h>

#include <string>

using quolin::test_support::BoolValue;
using quolin::test_support::FakeTools;
using quolin::test_support::SetRaw;
using quolin::test_support::SzValue;
using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

namespace {

class CommandLineE2E : public e2e::SessionTest {
protected:
  CommandLineE2E() : SessionTest("CommandLineE2E") {}
};

TEST_F(CommandLineE2E, UserCommandRepeatedAndSaved) {
  const std::string file = folder / "a.tex";
  TempFolder::WriteFile(file, "");
  Start("\"" + file + "\"");
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  SecondStart("\"/m:\\section{$S}\"");
  SecondStart("/m:$Sys_EditRepeat");
  SecondStart("/m:$Sys_FileSave");
  const std::string expected = "\\section{\\section{}}";
  EXPECT_TRUE(WaitUntil([&] { return TempFolder::ReadFile(file) == expected; }))
      << TempFolder::ReadFile(file);

  SecondStart("/m:$Sys_FileNew");
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 2).size(), 2u);
}

TEST_F(CommandLineE2E, TexWordRunsTheTexModuleOnce) {
  const std::string file = folder / "a.tex";
  TempFolder::WriteFile(file, "\\relax\r\n");
  FakeTools tools{folder};
  // The first start imports the defaults; the module's program is set over them.
  Start("\"" + file + "\"");
  ASSERT_TRUE(app->Close(main, WaitLimitMs));
  const std::string module = std::string(e2e::SettingsKey) + "\\TexModule\\TeX";
  SetRaw(HKEY_CURRENT_USER, module, "ExeName", SzValue(FakeTools::Program("tex")));
  SetRaw(HKEY_CURRENT_USER, module, "UseDDE", BoolValue(false));
  Start("\"" + file + "\"");
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  RunTexOnce(tools);
}

} // namespace
