// The module setup wizard in the real program: an entry of the definition file beside
// Quolin.exe names the fake TeX tool; set up through the wizard, the TeX command runs it.
#include "common/RegistryProbe.h"
#include "settings/WizUnit.h"
#include "support/E2eProcess.h"
#include "support/E2eSession.h"
#include "support/UiTest.h"
#include "support/WindowSearch.h"
#include "texchain/FakeTools.h"

#include <gtest/gtest.h>

#include <string>

using quolin::test_support::CaptionOf;
using quolin::test_support::FakeTools;
using quolin::test_support::FirstWindow;
using quolin::test_support::QueryRaw;
using quolin::test_support::SzValue;
using quolin::test_support::WaitLimitMs;

namespace {

class ModuleWizardE2E : public e2e::SessionTest {
protected:
  // Only this test reads the definition file beside the program.
  const std::string definition = e2e::ExecutableFolder() + "Quolin.twz";

  ModuleWizardE2E() : SessionTest("ModuleWizardE2E") {}
  void TearDown() override {
    SessionTest::TearDown();
    DeleteFileA(definition.c_str());
  }
};

TEST_F(ModuleWizardE2E, AnEntryNamingTheFakeTexSetsUpTheModuleThatTheTexCommandRuns) {
  quolin::TModules modules = quolin::DefaultModules();
  modules[quolin::mtTeX].ExeName = FakeTools::Program("tex");
  quolin::WriteModuleEntry(definition, "Fake TeX", modules);
  FakeTools tools{folder};
  ASSERT_NO_FATAL_FAILURE(StartWithDocument("\\relax\r\n"));
  SecondStart("/m:$Sys_OptTexModuleWiz");
  HWND wizard = app->WaitForWindow("", "モジュール自動設定", WaitLimitMs);
  ASSERT_NE(wizard, nullptr) << "no wizard";
  HWND list = FirstWindow(wizard, [](HWND child) {
    return _stricmp(quolin::test_support::ClassNameOf(child).c_str(), "ListBox") == 0;
  });
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  HWND setUp = FirstWindow(wizard, [](HWND child) { return CaptionOf(child) == "設定(&S)"; });
  ASSERT_NE(setUp, nullptr);
  {
    uitest::BoxDriver box([](const uitest::BoxView& view) { view.Press("OK"); }, app->Id());
    // Posted: a sent click would wait for the box that it opens.
    PostMessageA(setUp, BM_CLICK, 0, 0);
    EXPECT_EQ(box.Seen().text, "TeX  モジュールの設定が完了しました.");
  }
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(wizard); })) << "the wizard closes";
  const std::string module = std::string(e2e::SettingsKey) + "\\TexModule\\TeX";
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, module, "ExeName"), SzValue(FakeTools::Program("tex")));

  RunTexOnce(tools);
}

} // namespace
