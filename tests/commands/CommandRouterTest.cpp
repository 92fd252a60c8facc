// The command router in the real main window: built-in words with their arguments, the
// clipboard words, the selection search, the toolbar list, the words that wait for their
// dialogs, and what is no built-in word.
#include "ViewText.h"
#include "app/MainWindowFixture.h"
#include "commands/MenuBuilder.h"
#include "commands/ToolbarBuilder.h"
#include "common/FileDialogs.h"
#include "core/CommandExpander.h"
#include "core/Sjis.h"
#include "core/SysWords.h"
#include "texchain/FakeTools.h"
#include "toolbar/TbToolbar.h"
#include "ui/Clipboard.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class CommandRouter : public MainWindowFixture {
protected:
  void SetUp() override { ShowMainWindow(); }
  void TearDown() override {
    SetFileDialogHook(nullptr);
    MainWindowFixture::TearDown();
  }

  TDocForm* Open(const std::string& name) {
    EXPECT_TRUE(OpenDocument(File(name), "", false, -1, false, true));
    return ActiveDoc();
  }
  static TEditor& View() { return *ActiveDoc()->ActiveEditor; }
  static std::string Body() { return WithoutFinalLineEnd(View().Text()); }
  static void Select(const std::string& text) {
    View().SetText(text);
    View().SelectAll();
  }
  std::string StatusMessage() const { return top->StatusBar1->Panels(spMessage).Text(); }
  static bool Run(const std::string& command, int id = 0) {
    return ExecuteCommand(nullptr, command, id);
  }
  static void EmptyTheClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
  }
  // The files as Explorer puts them on the clipboard after a copy.
  static void PutDroppedFiles(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
      list.append(name).push_back('\0');
    list.push_back('\0');
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = DROPFILES{sizeof(DROPFILES), {0, 0}, FALSE, FALSE};
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, memory);
    CloseClipboard();
  }
};

TEST_F(CommandRouter, FileOpenTakesItsArguments) {
  const std::string main = File("main.tex"), part = File("part.tex");
  ASSERT_TRUE(Run("$Sys_FileOpen(" + part + "," + main + ",False,True,True)"));
  ASSERT_EQ(DocCount(), 1);
  EXPECT_EQ(ActiveDoc()->FileName, part);
  EXPECT_EQ(ActiveDoc()->OwnerFile, main);
  EXPECT_TRUE(ActiveDoc()->Editor1->ReadOnly());
  EXPECT_TRUE(ActiveDoc()->Editor2->ReadOnly());
  // Quiet by default: a missing file shows nothing; not quiet, it is shown.
  ASSERT_TRUE(Run("$Sys_FileOpen(" + (files / "missing.tex") + ")"));
  EXPECT_TRUE(dialogs.calls.empty());
  ASSERT_TRUE(Run("$Sys_FileOpen(" + (files / "missing.tex") + ",,,False)"));
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(DocCount(), 1);
}

TEST_F(CommandRouter, MixedCaseWordsReadTheirArguments) {
  const std::string main = File("main.tex");
  ASSERT_TRUE(Run("$sys_FILEOPEN(" + main + ")"));
  ASSERT_EQ(Documents(), std::vector<std::string>{main});
  EXPECT_FALSE(ActiveDoc()->Editor1->ReadOnly());
  ASSERT_TRUE(Run("$SYS_EDITJUMP(4)"));
  EXPECT_EQ(ActiveDoc()->CaretLine(), 4);
}

TEST_F(CommandRouter, MoveLineAndJumpCountFromOneAndZero) {
  Open("a.tex");
  ASSERT_TRUE(Run("$Sys_EditMoveLine(10)"));
  EXPECT_EQ(ActiveDoc()->CaretLine(), 9);
  ASSERT_TRUE(Run("$Sys_EditJump(0)"));
  EXPECT_EQ(ActiveDoc()->CaretLine(), 0);
  ASSERT_TRUE(Run("$Sys_EditJump(9)"));
  EXPECT_EQ(ActiveDoc()->CaretLine(), 9);
  ASSERT_TRUE(Run("$Sys_EditMoveLine(x)"));
  EXPECT_EQ(ActiveDoc()->CaretLine(), 0);
  ASSERT_TRUE(Run("$Sys_EditJump(6)"));
  ASSERT_TRUE(Run("$Sys_EditJump(x)"));
  EXPECT_EQ(ActiveDoc()->CaretLine(), 0);
}

TEST_F(CommandRouter, AddCopyAndAddCutJoinWithoutSeparator) {
  Open("a.tex");
  EmptyTheClipboard();
  Select("abc");
  ASSERT_TRUE(Run("$Sys_EditAddCopy"));
  EXPECT_EQ(GetClipboardText(), "abc");
  Select("def");
  ASSERT_TRUE(Run("$Sys_EditAddCopy"));
  EXPECT_EQ(GetClipboardText(), "abcdef");
  Select("ghi");
  ASSERT_TRUE(Run("$Sys_EditAddCut"));
  EXPECT_EQ(GetClipboardText(), "abcdefghi");
  EXPECT_EQ(Body(), "");
  EmptyTheClipboard();
  Select("jkl");
  ASSERT_TRUE(Run("$Sys_EditAddCut"));
  EXPECT_EQ(GetClipboardText(), "jkl");
  EXPECT_EQ(Body(), "");
}

TEST_F(CommandRouter, PastedFileListOpensTheFilesEachTime) {
  const std::string first = File("one.tex"), second = File("表.tex");
  PutDroppedFiles({first, second});
  ASSERT_TRUE(Run("$Sys_EditPaste"));
  EXPECT_EQ(DocCount(), 2);
  const std::vector<std::string> opened = Documents();
  EXPECT_EQ(std::set<std::string>(opened.begin(), opened.end()),
            (std::set<std::string>{first, second}));
  for (int i = DocCount() - 1; i >= 0; --i)
    DocAt(i)->Close();
  ASSERT_TRUE(uitest::PumpUntil([] { return DocCount() == 0; }));
  ASSERT_TRUE(Run("$Sys_EditPaste"));
  EXPECT_EQ(DocCount(), 2) << "the clipboard's list stays intact";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_HDROP));
}

TEST_F(CommandRouter, SelectionSearchStoresItsPattern) {
  Open("a.tex");
  Select("pattern");
  ASSERT_TRUE(Run("$Sys_EditSelFind"));
  EXPECT_EQ(RegReadString("FindReplaceForm", "SelFindText", ""), "pattern");
  View().SetSelStart(0);
  ASSERT_TRUE(Run("$Sys_EditSelFind(F)"));
  EXPECT_EQ(RegReadString("FindReplaceForm", "SelFindText", ""), "pattern");
}

TEST_F(CommandRouter, ReadOnlyTogglesBothViews) {
  TDocForm* doc = Open("a.tex");
  ASSERT_TRUE(Run("$Sys_FileReadOnly"));
  EXPECT_TRUE(doc->Editor1->ReadOnly());
  EXPECT_TRUE(doc->Editor2->ReadOnly());
  EXPECT_EQ(top->StatusBar1->Panels(spEditMode).Text(), "書込禁止");
  ASSERT_TRUE(Run("$Sys_FileReadOnly"));
  EXPECT_FALSE(doc->Editor1->ReadOnly());
  EXPECT_FALSE(doc->Editor2->ReadOnly());
  EXPECT_NE(top->StatusBar1->Panels(spEditMode).Text(), "書込禁止");
}

TEST_F(CommandRouter, EmptyCommandKeepsTheSelection) {
  Open("a.tex");
  Select("keep");
  top->MasterList.Clear();
  top->MasterList.Add(MasterLine(5, ""));
  auto* item = TComponent::Create<TMenuItem>(top, "mn0_0000000510001");
  item->OnClick = [this](TObject* sender) { top->mn_DefaultClick(sender); };
  top->MainMenu1->Items()->Add(item);
  item->Click();
  ASSERT_EQ(commands.calls.size(), 1u);
  EXPECT_EQ(Body(), "keep");
  EXPECT_EQ(View().SelLength(), 4);
  EXPECT_FALSE(Run(""));
  EXPECT_EQ(View().SelText(), "keep");
}

TEST_F(CommandRouter, ListWordsAndUserCommands) {
  Open("a.tex");
  View().SetText("");
  EXPECT_TRUE(Run("$fONT(x)", -3));
  EXPECT_NE(top->FindComponent("twd_FFFFFFFD"), nullptr);
  // Four letters of it are a user command, inserted as text.
  EXPECT_TRUE(Run("$Lis"));
  EXPECT_EQ(Body(), "$Lis");
  EXPECT_FALSE(Run("$Sys_Foo"));
  EXPECT_FALSE(ExecuteSysCommand(nullptr, "$Sys_FileSaveX", 0));
  EXPECT_EQ(Body(), "$Lis");
}

TEST_F(CommandRouter, DocumentWordsNeedADocument) {
  EXPECT_TRUE(Run("$Sys_FileSave"));
  EXPECT_TRUE(Run("$Sys_EditCharConv"));
  EXPECT_TRUE(Run("$Sys_FileInsert"));
  EXPECT_FALSE(Run("\\section{$S}"));
  EXPECT_EQ(StatusMessage(), "");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(CommandRouter, ToolbarListChecksThePopupItems) {
  std::vector<TToolbar*>& toolbars = UserToolbars();
  struct Restore {
    std::vector<TToolbar*>& list;
    ~Restore() { list.clear(); }
  } restore{toolbars};
  for (bool visible : {true, false}) {
    auto* toolbar = TComponent::Create<TToolbar>(top, "");
    toolbar->SetParent(top->TopDock);
    toolbar->SetVisible(visible);
    toolbars.push_back(toolbar);
  }
  std::vector<TMenuItem*> items;
  for (int i = 0; i < 3; ++i) {
    items.push_back(TComponent::Create<TMenuItem>(top, ""));
    items.back()->SetChecked(i != 0);
    top->PopupMenu_ToolBar->Items()->Add(items.back());
  }
  top->PopupMenu_ToolBarPopup(top->PopupMenu_ToolBar);
  EXPECT_TRUE(items[0]->Checked());
  EXPECT_FALSE(items[1]->Checked());
  EXPECT_TRUE(items[2]->Checked()) << "an item without a toolbar stays as it was";

  // More toolbars than items: nothing is checked.
  top->PopupMenu_ToolBar->Items()->Remove(items[2]);
  top->PopupMenu_ToolBar->Items()->Remove(items[1]);
  items[0]->SetChecked(false);
  top->PopupMenu_ToolBarPopup(top->PopupMenu_ToolBar);
  EXPECT_FALSE(items[0]->Checked());
}

// A form with edit boxes of its own, as the find and index dialogs are.
class EditBoxForm : public TForm, public TEditCommandTarget {
public:
  std::vector<TEditCommand> received;
  bool offers = true;
  bool RunEditCommand(TEditCommand command) override {
    received.push_back(command);
    return offers;
  }

protected:
  using TForm::TForm;
};

TEST_F(CommandRouter, EditCommandsGoToTheActiveFormThatOffersThem) {
  Open("a.tex");
  Select("abc");
  auto form = uitest::MakeForm<EditBoxForm>();
  form->Show();
  ASSERT_TRUE(uitest::PumpUntil([&] { return Screen->ActiveForm() == form.get(); }));
  for (const char* word :
       {"$Sys_EditUndo", "$Sys_EditCut", "$Sys_EditCopy", "$Sys_EditPaste", "$Sys_EditSelectAll"})
    ASSERT_TRUE(Run(word));
  EXPECT_EQ(form->received,
            (std::vector<TEditCommand>{ecUndo, ecCut, ecCopy, ecPaste, ecSelectAll}));
  EXPECT_EQ(Body(), "abc");

  // A form that does not take them leaves them to the document.
  form->offers = false;
  ASSERT_TRUE(Run("$Sys_EditUndo"));
  EXPECT_EQ(form->received.size(), 6u);
}

TEST_F(CommandRouter, NewDataFileWordAsksForAName) {
  std::vector<TFileDialogFields> asked;
  SetFileDialogHook([&](const TFileDialogFields& fields) {
    asked.push_back(fields);
    return TFileDialogAnswer{};
  });
  ASSERT_TRUE(Run("$Sys_OptCreateNewDataFile"));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Title, "Quolin データファイル生成");
}

TEST_F(CommandRouter, RepeatWithoutACommandSaysSo) {
  if (!RepeatableCommand().empty())
    GTEST_SKIP() << "an earlier test of this process ran a command; ctest runs each alone";
  Open("a.tex");
  Select("keep");
  ASSERT_TRUE(Run("$Sys_EditRepeat"));
  EXPECT_EQ(StatusMessage(), " 現在、繰り返すコマンドがありません");
  EXPECT_EQ(Body(), "keep");
  EXPECT_EQ(LastCommandText(), "現在、繰り返すコマンドがありません");
}

TEST_F(CommandRouter, RepeatRunsTheLastUserCommand) {
  Open("a.tex");
  Select("x");
  ASSERT_TRUE(Run("[$S]"));
  Select("y");
  ASSERT_TRUE(Run("$Sys_EditRepeat"));
  EXPECT_EQ(Body(), "[y]");
  Select("z");
  ASSERT_TRUE(Run("$NoRepeat<$S>"));
  Select("w");
  ASSERT_TRUE(Run("$sys_editrepeat"));
  EXPECT_EQ(Body(), "[w]");
}

TEST_F(CommandRouter, TexRunWhileBusySavesNothingAndKeepsItsOutput) {
  FakeTools tools{files};
  top->TexCtrl1->Module(mtTeX).ExeName = FakeTools::Program("tex");
  top->TexCtrl1->Module(mtTeX).UseDDE = false;
  top->Settings.TexExecAutoSave = true;
  TDocForm* doc = Open("a.tex");
  const std::string log = ChangeFileExt(doc->FileName, ".log");
  TempFolder::WriteFile(log, "old log");
  const std::string before = TempFolder::ReadFile(doc->FileName);
  tools.Script("tex 1 wait .release\n");
  bool busy = false;
  std::string savedWhileBusy;
  Application->Queue([&] {
    busy = top->TexCtrl1->Activ();
    View().SetText("changed");
    View().SetModified(true);
    Run("$Sys_FileTex");
    savedWhileBusy = TempFolder::ReadFile(doc->FileName);
    DeleteTexOutputFiles(sjis::UpperAscii(doc->FileName));
    TempFolder::WriteFile(ChangeFileExt(doc->FileName, ".release"), "");
  });
  ASSERT_TRUE(Run("$Sys_FileTex"));
  EXPECT_TRUE(busy);
  EXPECT_EQ(savedWhileBusy, before) << "a refused run saves nothing";
  EXPECT_TRUE(doc->Editor1->Modified());
  ASSERT_EQ(tools.Journal().size(), 1u);
  EXPECT_TRUE(FileExists(log)) << "the running target's files stay";
  EXPECT_EQ(top->TexCtrl1->EditRowNum, 1);
  DeleteTexOutputFiles(doc->FileName);
  EXPECT_FALSE(FileExists(log));
  DeleteTexOutputFiles("");
}

TEST_F(CommandRouter, TexRunNeedsANamedTarget) {
  FakeTools tools{files};
  top->TexCtrl1->Module(mtTeX).ExeName = FakeTools::Program("tex");
  top->TexCtrl1->Module(mtTeX).UseDDE = false;
  ASSERT_TRUE(Run("$Sys_FileTex"));
  SysFileNew();
  ASSERT_TRUE(HasDoc());
  ASSERT_TRUE(Run("$Sys_FileBibTeX"));
  EXPECT_EQ(dialogs.beeps, 1) << "an untitled document has nothing to run on";
  TDocForm* doc = Open("b.tex");
  doc->OwnerFile = File("main.tex");
  ASSERT_TRUE(Run("$Sys_EditJump(4)"));
  ASSERT_TRUE(Run("$Sys_FileTex"));
  ASSERT_EQ(tools.Journal().size(), 1u);
  EXPECT_EQ(top->TexCtrl1->TargetFile, doc->OwnerFile);
  EXPECT_EQ(top->TexCtrl1->EditFileName, doc->FileName);
  EXPECT_EQ(top->TexCtrl1->OwnerFileName, doc->OwnerFile);
  EXPECT_EQ(top->TexCtrl1->EditRowNum, 5);
  EXPECT_EQ(top->TexCtrl1->ExeType, etTeX);
}

} // namespace
