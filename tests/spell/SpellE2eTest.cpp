// "$Sys_OptSpellCheck" handed to the running program by a second start: the spell-check
// window comes up on the document's first unknown word, with the American word list in the
// user's dictionary folder.
#include "SpellTestFiles.h"
#include "common/TempFolder.h"
#include "support/E2eProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;

namespace {

class SpellCheckE2E : public ::testing::Test {
protected:
  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }
};

TEST_F(SpellCheckE2E, SecondStartShowsTheFirstUnknownWord) {
  quolin::spell_test::DebianDictionaries debian;
  ASSERT_EQ(debian.Error(), "");
  TempFolder folder{"SpellCheckE2E"};
  const std::string file = folder / "a.tex";
  TempFolder::WriteFile(file, "This is a mispeled word.\r\n");

  e2e::QuolinProcess app({"\"" + file + "\"", folder.Path()});
  ASSERT_TRUE(app.Started());
  HWND main = app.WaitForWindow("TTopForm", "Quolin", WaitLimitMs);
  ASSERT_NE(main, nullptr) << "no main window";
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  // The first start made the user's dictionary folder; the dictionaries are read at the
  // first check.
  ASSERT_TRUE(CopyFileA(debian.American().c_str(),
                        (e2e::UserDataFolder() + "Dic\\american.dic").c_str(), FALSE));
  {
    e2e::QuolinProcess second({"/m:$Sys_OptSpellCheck", folder.Path()});
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(WaitLimitMs));
  }
  HWND spell = app.WaitForWindow("", "スペルチェック", WaitLimitMs);
  ASSERT_NE(spell, nullptr) << "no spell-check window";
  EXPECT_EQ(e2e::WaitForChildText(spell, "Edit",
                                  [](const std::string& text) { return text == "mispeled"; }),
            "mispeled");
  EXPECT_TRUE(app.Close(main, WaitLimitMs));
}

} // namespace
