// The search words through the router and find and replace on the views of real documents.
#include "FindFixture.h"
#include "common/Registry.h"
#include "core/GeneratedNames.h"
#include "core/TextSearch.h"
#include "settings/EditorTarget.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Menus.h"

#include <string>

namespace {

using namespace quolin;
using namespace quolin::test_support;

using FindCommands = FindFixture;

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

TEST_F(FindCommands, AgainSearchesWithTheStoredPatternOfANeverShownDialog) {
  RegWriteText(res::RegSectionFindReplace, "FindComboBox_Text", "ab");
  OpenWith("ab x ab x ab");
  Caret(3);
  ASSERT_EQ(FindForm, nullptr);
  ASSERT_TRUE(Run("$Sys_EditFindDialogNext"));
  ASSERT_NE(FindForm, nullptr);
  EXPECT_FALSE(FindForm->Visible()) << "made, not shown";
  EXPECT_EQ(View().SelStart(), 5);
  EXPECT_EQ(View().SelLength(), 2);
  EXPECT_TRUE(FindForm->DownSearchRadio->Checked());
  ASSERT_TRUE(Run("$Sys_EditFindDialogPrev"));
  EXPECT_EQ(View().SelStart(), 0);
  EXPECT_TRUE(FindForm->UpSearchRadio->Checked());
  EXPECT_FALSE(FindForm->DownSearchRadio->Checked());
  ASSERT_TRUE(Run("$Sys_EditFindDialogPrev"));
  EXPECT_EQ(View().SelStart(), 0);
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_FALSE(FindForm->Visible());
}

TEST_F(FindCommands, EditWordsReachTheFocusedComboWhileTheDialogIsActive) {
  OpenWith("document");
  Select(0, 3);
  ASSERT_TRUE(Run("$Sys_EditFindDialog"));
  ASSERT_TRUE(uitest::PumpUntil([] { return Screen->ActiveForm() == FindForm; }));
  TComboBox& box = *FindForm->FindComboBox;
  ASSERT_TRUE(box.Focused());
  box.SetText("needle");
  ASSERT_TRUE(Run("$Sys_EditSelectAll"));
  EXPECT_EQ(box.SelLength(), 6);
  EXPECT_EQ(View().SelLength(), 3) << "the document keeps its selection";
  box.SetSelText("pin");
  ASSERT_TRUE(Run("$Sys_EditUndo"));
  EXPECT_EQ(box.Text(), "needle");
  EXPECT_EQ(Body(), "document");

  ASSERT_TRUE(Run("$Sys_EditFindDialog"));
  EXPECT_FALSE(FindForm->Visible());
  ActiveDoc()->Show();
  ASSERT_TRUE(uitest::PumpUntil([] { return Screen->ActiveForm() != FindForm; }));
  View().SetFocus();
  ASSERT_TRUE(Run("$Sys_EditSelectAll"));
  EXPECT_EQ(View().SelLength(), 8);
  View().SetSelText("x");
  ASSERT_TRUE(Run("$Sys_EditUndo"));
  EXPECT_EQ(Body(), "document");
}

TEST_F(FindCommands, OpeningCommandIsCheckedWhileTheDialogShows) {
  constexpr int commandId = 9;
  auto* item = TComponent::Create<TMenuItem>(top, MenuItemName(0, commandId, true, 1));
  top->MainMenu1->Items()->Add(item);
  ASSERT_TRUE(Run("$Sys_EditFindDialog", commandId));
  ASSERT_TRUE(FindForm && FindForm->Visible());
  EXPECT_EQ(FindForm->CommandId, commandId);
  EXPECT_TRUE(item->Checked());
  ASSERT_TRUE(Run("$Sys_EditFindDialog", commandId));
  EXPECT_FALSE(FindForm->Visible());
  EXPECT_FALSE(item->Checked());
  ASSERT_TRUE(Run("$Sys_EditFindDialog", commandId));
  EXPECT_TRUE(item->Checked());
  FindForm->Button4Click();
  EXPECT_FALSE(FindForm->Visible());
  EXPECT_FALSE(item->Checked()) << "the close button unchecks it too";
}

} // namespace
