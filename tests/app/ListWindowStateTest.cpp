// Which list windows, outline panel and status bar are shown: saved at shut-down and shown
// again by the menu editor's start-up when the data file is the same.
#include "ListWindowFixture.h"

#include "app/UserFolders.h"
#include "commands/SetMenuForm.h"
#include "commands/ToolbarBuilder.h"
#include "core/Sjis.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ListWindowState : public ListWindowFixture {
protected:
  void SetUp() override {
    MakeMainWindow();
    UseTestCommands();
  }
  static void StoreForms(const std::string& name, const std::string& text) {
    Store(res::RegSectionForms, name, SzValue(text));
  }
  static void DeleteForms(const std::string& name) {
    RegDeleteValue(HKEY_CURRENT_USER, RegFullKey(res::RegSectionForms), name);
  }
  bool Shown(int number) const { return Window(number) && Window(number)->Visible(); }
  // A menu item of the command, so that its check can be seen.
  TMenuItem* CommandItem(int number) {
    auto* item = TComponent::Create<TMenuItem>(top, "mn0_" + HexField(number) + "10001");
    top->MainMenu1->Items()->Add(item);
    return item;
  }
};

TEST_F(ListWindowState, AnotherDataFileShowsNothing) {
  StoreForms("VisibleTool", "FFFFFFFD");
  StoreForms("LastDataFile", files / "other.dat");
  MakeMenuEditor();
  EXPECT_EQ(Window(-3), nullptr);
  menuEditor->Free();
  menuEditor = nullptr;

  StoreForms("LastDataFile", "");
  MakeMenuEditor();
  EXPECT_EQ(Window(-3), nullptr) << "an empty name is no data file";
}

TEST_F(ListWindowState, TheSameDataFileInAnyCaseShowsTheWindows) {
  StoreForms("LastDataFile", sjis::UpperAscii(DataFileName));
  StoreForms("VisibleTool", "FFFFFFFD00000081");
  MakeMenuEditor();
  EXPECT_TRUE(Shown(-3));
  EXPECT_TRUE(Shown(LabelMaster));
}

TEST_F(ListWindowState, MissingVisibleToolShowsTheLabelList) {
  StoreForms("LastDataFile", DataFileName);
  DeleteForms("VisibleTool");
  MakeMenuEditor();
  EXPECT_TRUE(Shown(LabelMaster));
}

TEST_F(ListWindowState, InvalidAndRepeatedIdsAreSkipped) {
  StoreForms("LastDataFile", DataFileName);
  // None, a missing group, a master without a list, a broken group, the label list twice, the
  // group, and four characters left over.
  StoreForms("VisibleTool",
             "00000000FFFFFFF0000000050000008G0000008100000081FFFFFFFDFFFF");
  MakeMenuEditor();
  EXPECT_TRUE(Shown(LabelMaster)) << "shown once, not toggled away again";
  EXPECT_TRUE(Shown(-3));
  for (int number : {0, -16, 5})
    EXPECT_EQ(Window(number), nullptr) << number;
}

TEST_F(ListWindowState, FloatingWindowIsSavedWhileAnotherWindowIsActive) {
  ShowMainWindow();
  MakeMenuEditor();
  ShowList(-3);
  ShowList(LabelMaster);
  Window(LabelMaster)->Hide();
  {
    uitest::ForeignActiveWindow foreign;
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() != top->Handle(); }));
    SaveListWindowState();
  }
  EXPECT_EQ(StoredString(res::RegSectionForms, "VisibleTool"), "FFFFFFFD");
  EXPECT_EQ(StoredString(res::RegSectionForms, "LastDataFile"), DataFileName);
}

TEST_F(ListWindowState, OutlinePanelAndStatusBarFollowTheirNumbers) {
  ShowMainWindow();
  MakeMenuEditor();
  TMenuItem* outline = CommandItem(0x3C);
  TMenuItem* status = CommandItem(0x3A);

  Store(res::RegSectionForms, "SecPanelIndex", DwordValue(0x3C));
  Store(res::RegSectionForms, "StatusBarIndex", DwordValue(0x3A));
  top->ShowOutlinePanel(false, 0);
  top->ShowStatusBar(false, 0);
  LoadListWindowState();
  EXPECT_TRUE(top->Panel_Section->Visible());
  EXPECT_TRUE(top->StatusBar1->Visible());
  EXPECT_EQ(top->OutlineCommandId, 0x3C);
  EXPECT_EQ(top->StatusBarCommandId, 0x3A);
  EXPECT_TRUE(outline->Checked());
  EXPECT_TRUE(status->Checked());

  SaveListWindowState();
  EXPECT_EQ(Stored(res::RegSectionForms, "SecPanelIndex"), DwordValue(0x3C));
  Store(res::RegSectionForms, "SecPanelIndex", DwordValue(0));
  Store(res::RegSectionForms, "StatusBarIndex", DwordValue(0));
  LoadListWindowState();
  EXPECT_FALSE(top->Panel_Section->Visible());
  EXPECT_FALSE(top->StatusBar1->Visible());
  EXPECT_FALSE(outline->Checked());
  EXPECT_FALSE(status->Checked());
  SaveListWindowState();
  EXPECT_EQ(Stored(res::RegSectionForms, "StatusBarIndex"), DwordValue(0));

  top->ShowStatusBar(true, 0x3A);
  DeleteForms("SecPanelIndex");
  DeleteForms("StatusBarIndex");
  LoadListWindowState();
  EXPECT_FALSE(top->Panel_Section->Visible()) << "a missing value leaves it";
  EXPECT_TRUE(top->StatusBar1->Visible());
  EXPECT_TRUE(status->Checked());
}

TEST_F(ListWindowState, DockedPlaceComesBackAtTheNextStart) {
  ShowMainWindow();
  MakeMenuEditor();
  ShowList(-3);
  Window(-3)->SetDockedTo(top->LeftDock);
  uitest::Pump();
  // What closing the main window saves.
  SaveListWindowState();
  SaveToolbarLayout();
  FreeMainWindow();
  EXPECT_EQ(StoredString(res::RegSectionForms, "VisibleTool"), "00000081FFFFFFFD")
      << "the first start showed the label list";

  MakeMainWindow();
  UseTestCommands();
  MakeMenuEditor();
  ShowMainWindow();
  ASSERT_TRUE(Shown(-3));
  EXPECT_EQ(Window(-3)->DockedTo(), top->LeftDock);
}

} // namespace
