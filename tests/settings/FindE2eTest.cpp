// The find dialog in the real program: a stored pattern found by a second start's search
// word, and the history saved when the program ends.
#include "common/Registry.h"
#include "core/ResConst.h"
#include "core/StringList.h"
#include "support/E2eProcess.h"
#include "support/E2eSession.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;
using quolin::test_support::WaitLimitMs;

namespace {

class FindE2E : public e2e::SessionTest {
protected:
  FindE2E() : SessionTest("FindE2E") {}
  void SetUp() override {
    SessionTest::SetUp();
    RegSetBase(HKEY_CURRENT_USER, res::RegBasePathQuolin);
  }
  void TearDown() override {
    SessionTest::TearDown();
    RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault);
  }
};

TEST_F(FindE2E, StoredPatternIsFoundAndTheHistoryOutlivesTheProgram) {
  TStringList history;
  for (int i = 0; i < 20; ++i)
    history.Add("other" + std::to_string(i));
  ASSERT_TRUE(RegWriteStrings(res::RegSectionFindReplace, "FindComboBox_List", history));
  ASSERT_TRUE(RegWriteText(res::RegSectionFindReplace, "FindComboBox_Text", "needle"));
  ASSERT_NO_FATAL_FAILURE(StartWithDocument("hay needle hay"));

  SecondStart("/m:$Sys_EditFindDialogNext");
  SecondStart("\"/m:<$S>\"");
  SecondStart("/m:$Sys_FileSave");
  ExpectDocumentFile("hay <needle> hay");

  ASSERT_TRUE(app->Close(main, WaitLimitMs));
  main = nullptr;
  TStringList stored;
  ASSERT_TRUE(RegReadStrings(res::RegSectionFindReplace, "FindComboBox_List", stored));
  ASSERT_EQ(stored.Count(), 16);
  EXPECT_EQ(stored[0], "needle");
  EXPECT_EQ(stored[1], "other0");
  EXPECT_EQ(stored[15], "other14");
}

} // namespace
