// The command entry of the main window: the entry box above the grid of offered commands,
// keys passed from the entry to the grid, and Enter and Escape on the grid.
#include "MainWindowFixture.h"

#include "app/CommandHelper.h"

#include <commctrl.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class CommandEntry : public MainWindowFixture {
protected:
  TEdit* entry = nullptr;
  TStringGrid* grid = nullptr;

  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
    entry = top->Edit_ExCmd1;
    grid = top->StringGrid_Cmd1;
    top->MasterList.Clear();
    top->MasterList.Add(Master(1, "\\section", "\\section{$S}"));
    top->MasterList.Add(Master(2, "\\Sec", "\\Sec"));
    top->MasterList.Add(Master(3, "\\subsection", "\\subsection{$S}"));
    top->MasterList.Add(Master(4, "\\hidden", "\\hidden", false));
    top->MasterList.Add(Master(5, "\\nothing", ""));
    top->MasterList.Add(Master(6, "alpha", "\\alpha"));
    BuildCommandHelperList();
    top->Panel_ExHelper1->Show();
    entry->SetFocus();
  }
  static std::string Master(int id, const std::string& assist, const std::string& command,
                            bool offered = true) {
    TQuolin_CmdList master;
    master.Id = id;
    master.AssistCaption = assist;
    master.Command = command;
    master.ShowList = offered;
    return BuildMasterRecord(master);
  }
  std::string SelectedName() { return grid->Row() < 0 ? "" : grid->Cells(0, grid->Row()); }
  void Type(const std::string& text) { entry->SetText(text); }
  void Press(HWND window, WORD key, TShiftState shift = 0) { uitest::PressKey(window, key, shift); }
};

TEST_F(CommandEntry, GridHoldsTheOfferedCommandsSortedAndAnEmptyRow) {
  ASSERT_EQ(grid->RowCount(), 5);
  const char* names[] = {"alpha", "\\Sec", "\\section", "\\subsection", ""}; // "\\" ignored
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(grid->Cells(0, row), names[row]) << row;
  EXPECT_EQ(grid->Cells(1, 2), "\\section{$S}");
  EXPECT_FALSE(CommandHelperDirty);
}

TEST_F(CommandEntry, TypingSelectsTheFirstMatchingRowOfTheSameCaseFirst) {
  Type("\\sec");
  EXPECT_EQ(SelectedName(), "\\section");
  EXPECT_EQ(entry->Text(), "\\sec") << "the typed text stays";
  Type("\\SE");
  EXPECT_EQ(SelectedName(), "\\Sec") << "no row of the same case: any case";
  Type("\\s");
  EXPECT_EQ(SelectedName(), "\\section");
  Type("\\zzz");
  EXPECT_EQ(SelectedName(), "\\section") << "no match keeps the selection";
  Type("al");
  EXPECT_EQ(SelectedName(), "alpha");

  // A row the user selects in the grid puts its command in the entry.
  Type("\\sec");
  Press(grid->Handle(), VK_DOWN);
  EXPECT_EQ(SelectedName(), "\\subsection");
  EXPECT_EQ(entry->Text(), "\\subsection{$S}");
}

TEST_F(CommandEntry, MovingKeysGoToTheGridAndTheEntryShowsTheRowName) {
  Type("\\sec");
  Press(entry->Handle(), VK_DOWN);
  EXPECT_EQ(SelectedName(), "\\subsection");
  EXPECT_EQ(entry->Text(), "subsection") << "without the leading backslash";
  EXPECT_EQ(entry->SelStart(), 10);
  Press(entry->Handle(), VK_UP);
  Press(entry->Handle(), VK_UP);
  EXPECT_EQ(SelectedName(), "\\Sec");
  EXPECT_EQ(entry->Text(), "Sec");
  Press(entry->Handle(), VK_HOME, ssCtrl);
  EXPECT_EQ(SelectedName(), "alpha");
  EXPECT_EQ(entry->Text(), "alpha");
  // Home without Ctrl stays in the entry.
  Press(entry->Handle(), VK_END);
  Press(entry->Handle(), VK_HOME);
  EXPECT_EQ(SelectedName(), "alpha");
  EXPECT_EQ(entry->SelStart(), 0);
  EXPECT_TRUE(commands.calls.empty());
}

TEST_F(CommandEntry, EnterRunsTheRowOrTheTypedTextByModifier) {
  Type("\\sec");
  Press(entry->Handle(), VK_RETURN);
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "\\section{$S}");
  EXPECT_EQ(commands.Last()->Sender, grid);
  EXPECT_EQ(commands.Last()->CommandId, 0);
  EXPECT_FALSE(top->Panel_ExHelper1->Visible());

  struct Case {
    TShiftState shift;
    const char* typed;
    const char* runs;
  };
  const Case cases[] = {
      {0, "  \\SUBSEC ", "\\subsection{$S}"}, // trimmed, case ignored
      {0, "\\foo", "\\foo"},                  // not the start of the row
      {ssShift, "\\sec", "\\sec"},
      {ssCtrl, "\\sec", "\\sec"},
      {ssCtrl | ssShift, "\\sec", "\\sec"},
  };
  for (const Case& c : cases) {
    top->Panel_ExHelper1->Show();
    Type(c.typed);
    Press(grid->Handle(), VK_RETURN, c.shift);
    ASSERT_NE(commands.Last(), nullptr);
    EXPECT_EQ(commands.Last()->Command, c.runs) << c.typed << " shift " << int(c.shift);
    EXPECT_FALSE(top->Panel_ExHelper1->Visible());
  }
  EXPECT_EQ(commands.calls.size(), 6u);
  ASSERT_EQ(top->MasterList.Count(), 7) << "Ctrl alone adds the typed text, once";
  TQuolin_CmdList added;
  ParseMasterRecord(top->MasterList[6], added);
  EXPECT_EQ(added.Command, "\\sec");
}

TEST_F(CommandEntry, EscapeHidesWithoutRunningAndEnterTypedAsACharacterIsSwallowed) {
  Type("\\sec");
  Press(entry->Handle(), VK_ESCAPE);
  EXPECT_FALSE(top->Panel_ExHelper1->Visible());
  EXPECT_TRUE(commands.calls.empty());
  char key = '\r';
  top->Edit_ExCmd1KeyPress(entry, key);
  EXPECT_EQ(key, 0);
  key = 'x';
  top->Edit_ExCmd1KeyPress(entry, key);
  EXPECT_EQ(key, 'x');
}

TEST_F(CommandEntry, WithoutOfferedCommandsEnterRunsTheTypedText) {
  top->MasterList.Clear();
  BuildCommandHelperList();
  EXPECT_EQ(grid->RowCount(), 1);
  top->Panel_ExHelper1->Show();
  Type("\\emph");
  Press(entry->Handle(), VK_RETURN);
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "\\emph");
}

TEST_F(CommandEntry, EntryAndGridTakeTheEditorColoursAndStackInThePanel) {
  TFont font = top->EditorProp1->Font();
  font.Name = "Courier New";
  font.Size = 14;
  font.Color = clMaroon;
  top->EditorProp1->SetFont(font);
  top->EditorProp1->SetColor(0xE0F0FF);
  top->ApplyCommandEntryColors();
  for (TControl* control : std::initializer_list<TControl*>{entry, grid}) {
    EXPECT_EQ(control->Color(), 0xE0F0FF) << control->Name();
    EXPECT_EQ(control->Font().Name(), "Courier New") << control->Name();
    EXPECT_EQ(control->Font().Size(), 14) << control->Name();
    EXPECT_EQ(control->Font().Color(), clMaroon) << control->Name();
  }
  EXPECT_EQ(SendMessageA(grid->Handle(), LVM_GETBKCOLOR, 0, 0), 0xE0F0FF);
  EXPECT_EQ(SendMessageA(grid->Handle(), LVM_GETTEXTCOLOR, 0, 0), clMaroon);
  EXPECT_EQ(top->Panel_ExHelper1->Height(), entry->Height() + grid->Height());
  EXPECT_EQ(entry->Top(), 0);
  EXPECT_EQ(grid->Top(), entry->Height());
}

} // namespace
