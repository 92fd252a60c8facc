// The input-assistance panel in a document window: opened by the backslash key and the
// built-in word, placed at the caret, the input method closed while it is open, and masters
// added from it with Ctrl+Enter.
#include "ListWindowFixture.h"

#include "app/CommandHelper.h"
#include "app/UserFolders.h"
#include "common/UserDataFile.h"

#include <imm.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr WORD BackslashKey = 220;

class InputAssist : public ListWindowFixture {
protected:
  TPanel* panel = nullptr;
  TEdit* entry = nullptr;
  TStringGrid* grid = nullptr;

  void SetUp() override {
    ShowMainWindow();
    panel = top->Panel_ExHelper1;
    entry = top->Edit_ExCmd1;
    grid = top->StringGrid_Cmd1;
    top->MasterList.Clear();
    Offered(1, "\\section", "\\section{$S}");
    Offered(2, "\\subsection", "\\subsection{$S}");
    CommandHelperDirty = true;
  }
  void Offered(int id, const std::string& keyword, const std::string& command) {
    TQuolin_CmdList master;
    master.Id = id;
    master.AssistCaption = keyword;
    master.Command = command;
    top->MasterList.Add(BuildMasterRecord(master));
  }
  static bool ImeOpen(TEditor& view) {
    HIMC context = ImmGetContext(view.Handle());
    bool open = ImmGetOpenStatus(context);
    ImmReleaseContext(view.Handle(), context);
    return open;
  }
  static void SetIme(TEditor& view, bool open) {
    HIMC context = ImmGetContext(view.Handle());
    ImmSetOpenStatus(context, open);
    ImmReleaseContext(view.Handle(), context);
  }
  std::vector<std::string> Keywords() const {
    std::vector<std::string> names;
    for (int row = 0; row < grid->RowCount(); ++row)
      names.push_back(grid->Cells(0, row));
    return names;
  }
  // The caret's top left in the document window's client area.
  static POINT CaretInWindow(TDocForm& doc) {
    POINT caret = doc.CaretPixelPos();
    ClientToScreen(doc.ActiveEditor->Handle(), &caret);
    ScreenToClient(doc.Handle(), &caret);
    return caret;
  }
};

TEST_F(InputAssist, OpensOnlyWithADocumentAndRebuildsAnOutdatedList) {
  ShowCommandHelper();
  EXPECT_FALSE(panel->Visible());
  EXPECT_TRUE(CommandHelperDirty) << "nothing built without a document";

  TDocForm* doc = OpenWithText("a.tex", "");
  ShowCommandHelper();
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->Parent(), doc);
  EXPECT_TRUE(doc->AssistShown);
  EXPECT_FALSE(CommandHelperDirty);
  EXPECT_EQ(Keywords(), (std::vector<std::string>{"\\section", "\\subsection", ""}));
  HideCommandHelper();
  EXPECT_FALSE(doc->AssistShown);
  EXPECT_EQ(panel->Parent(), top) << "back under the main window";

  // Two rows and not marked: kept; fewer than two rows: rebuilt.
  Offered(3, "\\t3", "x");
  ShowCommandHelper();
  EXPECT_EQ(grid->RowCount(), 3);
  HideCommandHelper();
  top->MasterList.Clear();
  BuildCommandHelperList();
  EXPECT_EQ(grid->RowCount(), 1);
  Offered(4, "\\t4", "y");
  ShowCommandHelper();
  EXPECT_EQ(Keywords(), (std::vector<std::string>{"\\t4", ""}));
}

TEST_F(InputAssist, BackslashKeyAndBuiltInWordOpenIt) {
  OpenWithText("a.tex", "");
  entry->SetText("");
  uitest::PressKey(View().Handle(), BackslashKey);
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(GetFocus(), entry->Handle());
  EXPECT_EQ(entry->Text(), "\\");
  EXPECT_EQ(Body(), "") << "the key is swallowed";
  uitest::PressKey(entry->Handle(), VK_ESCAPE);
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(GetFocus(), View().Handle());

  ASSERT_TRUE(ExecuteCommand(nullptr, "$Sys_EditCommandHelper", 0));
  EXPECT_TRUE(panel->Visible());
}

TEST_F(InputAssist, EntryTextOnOpening) {
  OpenWithText("a.tex", "");
  struct Case {
    const char* text;
    int selStart, selLength;
    const char* shown;
  };
  for (const Case& c : {Case{"", 1, 0, "\\"}, Case{"\\sec", 1, 3, "\\sec"},
                        Case{"abc", 0, 3, "abc"}}) {
    entry->SetText(c.text);
    ShowCommandHelper();
    EXPECT_EQ(entry->Text(), c.shown) << c.text;
    EXPECT_EQ(entry->SelStart(), c.selStart) << c.text;
    EXPECT_EQ(entry->SelLength(), c.selLength) << c.text;
    HideCommandHelper();
  }
}

TEST_F(InputAssist, PlacedAboveAndLeftNearTheBottomRightCorner) {
  std::string text;
  for (int line = 0; line < 200; ++line)
    text += std::string(300, 'x') + "\r\n";
  TDocForm* doc = OpenWithText("big.tex", text);
  doc->SetWindowState(TWindowState::wsMaximized);
  uitest::Pump();
  TEditor& view = View();
  view.SetWordWrap(false);
  view.SetTopRow(0);
  const int rows = view.ClientHeight() / view.RowHeight();
  const int columns = (view.ClientWidth() - view.Margin().Left()) / doc->CharWidth;
  view.SetRowCol(rows - 1, columns - 1);
  view.SetTopRow(0);
  ASSERT_EQ(view.TopRow(), 0);
  const POINT caret = CaretInWindow(*doc);
  ASSERT_GT(caret.y + view.RowHeight() + panel->Height(), doc->ClientHeight());

  ShowCommandHelper();
  EXPECT_EQ(panel->Top() + panel->Height(), caret.y) << "above the caret row";
  EXPECT_EQ(panel->Left() + panel->Width(), doc->ClientWidth()) << "moved left by the overlap";
  EXPECT_GT(entry->Top(), grid->Top()) << "the entry below the grid";

  HideCommandHelper();
  view.SetRowCol(0, 0);
  ShowCommandHelper();
  const POINT top = CaretInWindow(*doc);
  EXPECT_EQ(panel->Left(), std::max<int>(top.x - 1, 0));
  EXPECT_EQ(panel->Top(), top.y + view.RowHeight());
  EXPECT_LT(entry->Top(), grid->Top()) << "the entry above the grid";
}

TEST_F(InputAssist, InputMethodIsClosedWhileOpenAndRestored) {
  OpenWithText("a.tex", "");
  SetIme(View(), true);
  ASSERT_TRUE(ImeOpen(View()));
  ShowCommandHelper();
  EXPECT_FALSE(ImeOpen(View()));
  HideCommandHelper();
  EXPECT_TRUE(ImeOpen(View()));

  SetIme(View(), false);
  ShowCommandHelper();
  HideCommandHelper();
  EXPECT_FALSE(ImeOpen(View())) << "a closed one stays closed";
}

TEST_F(InputAssist, CtrlEnterAddsThreeCharactersAsAMaster) {
  OpenWithText("a.tex", "");
  ShowCommandHelper();
  entry->SetText("\\a");
  uitest::PressKey(grid->Handle(), VK_RETURN, ssCtrl);
  EXPECT_EQ(top->MasterList.Count(), 2) << "two characters add nothing";
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "\\a");

  ShowCommandHelper();
  entry->SetText("\\ab");
  uitest::PressKey(grid->Handle(), VK_RETURN, ssCtrl);
  ASSERT_EQ(top->MasterList.Count(), 3);
  EXPECT_EQ(commands.Last()->Command, "\\ab");
  EXPECT_EQ(Body(), "\\a\\ab");
  TQuolin_CmdList added;
  ParseMasterRecord(top->MasterList[2], added);
  EXPECT_EQ(added.Id, 3);
  EXPECT_EQ(added.Name, "+支援から追加(3)");
  EXPECT_EQ(added.AssistCaption, "ab");
  EXPECT_EQ(added.Command, "\\ab");
  EXPECT_EQ(added.CommandType, 13);

  ShowCommandHelper();
  EXPECT_EQ(Keywords(), (std::vector<std::string>{"ab", "\\section", "\\subsection", ""}));
  HideCommandHelper();
  TStringList masters, groups;
  ASSERT_TRUE(LoadMasterData(DataFileName, masters, groups));
  EXPECT_EQ(masters.IndexOf(top->MasterList[2]), masters.Count() - 1) << "saved to the file";
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(InputAssist, FailedSaveKeepsTheNewMaster) {
  OpenWithText("a.tex", "");
  const std::string dataFile = DataFileName;
  DataFileName = files / "missing\\user.dat";
  ShowCommandHelper();
  entry->SetText("\\abc");
  uitest::PressKey(grid->Handle(), VK_RETURN, ssCtrl);
  DataFileName = dataFile;
  EXPECT_EQ(top->MasterList.Count(), 3);
  EXPECT_EQ(dialogs.calls.size(), 1u) << "the failure is shown";
  EXPECT_EQ(grid->Cells(0, 0), "abc") << "the list rebuilt with it";
}

TEST_F(InputAssist, OpensInAnotherDocumentAfterTheOneThatShowedItCloses) {
  TDocForm* a = OpenWithText("a.tex", "");
  TDocForm* b = OpenWithText("b.tex", "");
  ASSERT_EQ(ActiveDoc(), b);
  ShowCommandHelper();
  ASSERT_EQ(panel->Parent(), b);
  CloseDoc(b);
  EXPECT_EQ(panel->Parent(), top);
  EXPECT_FALSE(panel->Visible());
  ASSERT_EQ(ActiveDoc(), a);
  ShowCommandHelper();
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->Parent(), a);
}

TEST_F(InputAssist, TypedKeywordAndEnterInsertTheMastersText) {
  OpenWithText("a.tex", "");
  entry->SetText("");
  uitest::PressKey(View().Handle(), BackslashKey);
  ASSERT_TRUE(panel->Visible());
  for (char ch : std::string("sec"))
    uitest::TypeChar(entry->Handle(), ch);
  EXPECT_EQ(entry->Text(), "\\sec");
  EXPECT_EQ(grid->Cells(0, grid->Row()), "\\section");
  uitest::PressKey(entry->Handle(), VK_RETURN);
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(Body(), "\\section{}");
}

} // namespace
