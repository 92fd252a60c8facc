// The search words through the router and find and replace on the views of real documents.
#include "app/MainWindowFixture.h"
#include "commands/ViewText.h"
#include "common/Registry.h"
#include "core/TextSearch.h"
#include "settings/EditorTarget.h"
#include "settings/FindUnit.h"

#include <string>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class FindCommands : public MainWindowFixture {
protected:
  void SetUp() override { ShowMainWindow(); }

  void OpenWith(const std::string& text) {
    ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
    View().SetText(text);
  }
  static TEditor& View() { return *ActiveDoc()->ActiveEditor; }
  static void Caret(int offset) { View().SetSelStart(offset); }
  static bool Run(const std::string& command) { return ExecuteCommand(nullptr, command, 0); }
};

TEST_F(FindCommands, FindStrTakesItsDirectionAndFlags) {
  OpenWith("x ab X ab x");
  Caret(5);
  ASSERT_TRUE(Run("$Sys_EditFindStr(x,False)"));
  EXPECT_EQ(View().SelStart(), 0) << "upward from the caret, case ignored";
  EXPECT_EQ(View().SelLength(), 1);
  Caret(6);
  ASSERT_TRUE(Run("$Sys_EditFindStr(x)"));
  EXPECT_EQ(View().SelStart(), 10);
  Caret(0);
  ASSERT_TRUE(Run("$Sys_EditFindStr(X,True,True)"));
  EXPECT_EQ(View().SelStart(), 5);
  Caret(0);
  ASSERT_TRUE(Run("$Sys_EditFindStr(a,True,False,True)"));
  EXPECT_EQ(View().SelStart(), 0) << "no whole word \"a\": the caret stays";
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(FindCommands, ActiveDocSearchBeepsWithoutDocumentOrPattern) {
  EXPECT_FALSE(FindTextInActiveDoc("x", true, false, false));
  EXPECT_EQ(dialogs.beeps, 1);
  ASSERT_TRUE(Run("$Sys_EditFindStr(x)"));
  EXPECT_EQ(dialogs.beeps, 1) << "the router needs a document first and stops silently";
  OpenWith("x");
  Caret(0);
  EXPECT_FALSE(FindTextInActiveDoc("", true, false, false));
  EXPECT_EQ(dialogs.beeps, 2);
  EXPECT_TRUE(FindTextInActiveDoc("x", true, false, false));
  EXPECT_EQ(dialogs.beeps, 2);
}

TEST_F(FindCommands, SelectionSearchFindsTheNextOccurrence) {
  OpenWith("word, Word; word");
  View().SetSelStart(0);
  View().SetSelLength(4);
  ASSERT_TRUE(Run("$Sys_EditSelFind"));
  EXPECT_EQ(RegReadString("FindReplaceForm", "SelFindText", ""), "word");
  EXPECT_EQ(View().SelStart(), 6);
  EXPECT_EQ(View().SelLength(), 4);
  ASSERT_TRUE(Run("$Sys_EditSelFind(True,True)"));
  EXPECT_EQ(RegReadString("FindReplaceForm", "SelFindText", ""), "Word");
  EXPECT_EQ(View().SelStart(), 6) << "no other \"Word\" with case matched";
  EXPECT_EQ(dialogs.beeps, 1);
  Caret(16);
  ASSERT_TRUE(Run("$Sys_EditSelFind(False)"));
  EXPECT_EQ(View().SelStart(), 12) << "without a selection the stored pattern, upward";
  EXPECT_EQ(View().SelLength(), 4);
}

TEST_F(FindCommands, ReplaceAllOnAView) {
  OpenWith("ab\r\nab ab\r\n");
  Caret(0);
  TEditorTarget target(View());
  EXPECT_EQ(TFindSession(target).ReplaceAll("ab", "x\r\ny", sfForward), 3);
  EXPECT_EQ(WithoutFinalLineEnd(View().Text()), "x\r\ny\r\nx\r\ny x\r\ny");
  View().SetReadOnly(true);
  Caret(0);
  EXPECT_EQ(TFindSession(target).ReplaceAll("x", "z", sfForward), 0);
  EXPECT_EQ(WithoutFinalLineEnd(View().Text()), "x\r\ny\r\nx\r\ny x\r\ny");
}

} // namespace
