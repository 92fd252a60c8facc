// The main window in the test process: what start-up reads, the data file check, the command
// images, the documents of start-up, dropped files, the reopen list and the orders of closing.
#include "MainWindowFixture.h"
#include "support/FormDriver.h"

#include "support/ToolWindows.h"

#include "commands/TopFormData.h"
#include "common/SrgFile.h"
#include "common/UserDataFile.h"
#include "core/Format.h"
#include "core/ReserveWordList.h"
#include "ui/Graphics.h"

#include <shlobj.h>

#include <tuple>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char DataFileVersion[] = "Quolin Version4.00 DataFile";

// A 16x16 24-bit bitmap file of one colour (its rows of 48 bytes need no padding).
void WriteBitmapFile(const std::string& path, COLORREF color) {
  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info{sizeof info, 16, 16, 1, 24, BI_RGB, 16 * 48, 0, 0, 0, 0};
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  const char pixel[] = {static_cast<char>(GetBValue(color)), static_cast<char>(GetGValue(color)),
                        static_cast<char>(GetRValue(color))};
  for (int i = 0; i < 16 * 16; ++i)
    bytes.append(pixel, 3);
  TempFolder::WriteFile(path, bytes);
}

constexpr COLORREF Background = RGB(1, 2, 3);

// The middle pixel of an image drawn on the background colour.
COLORREF ImagePixel(TImageList& images, int index) {
  TBitmap bitmap;
  bitmap.SetSize(images.Width(), images.Height(), Background);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap.Handle());
  images.Draw(dc, 0, 0, index);
  COLORREF pixel = GetPixel(dc, images.Width() / 2, images.Height() / 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  return pixel;
}

COLORREF UserImageColor(int n) {
  return RGB(n % 251, n / 251 + 10, 0x80);
}

// A module without bitmap resources.
HMODULE NoStrips() {
  return GetModuleHandleA("kernel32.dll");
}

class MainWindow : public MainWindowFixture {
protected:
  std::string UserData() const { return appData.Path() + "Quolin4.2\\"; }
  void WriteUserImages(int count, int skip = 0) {
    CreateDirectoryA(UserData().c_str(), nullptr);
    CreateDirectoryA((UserData() + "img").c_str(), nullptr);
    for (int n = 1; n <= count; ++n)
      if (n != skip)
        WriteBitmapFile(UserData() + "img\\" + std::to_string(n) + ".bmp", UserImageColor(n));
  }
  // The command images as start-up loads them, with these strips; nothing is left to load.
  TOwned<TImageList> LoadImages(HMODULE strips) {
    TOwned<TImageList> images(TComponent::Create<TImageList>(nullptr));
    TOwned<TImageList> loading(TComponent::Create<TImageList>(nullptr));
    LoadCommandImageList(*images, *loading, UserData(), strips);
    EXPECT_EQ(loading->Count(), 0);
    return images;
  }
};

TEST_F(MainWindow, StartupReadsTheStoredSettingsOverTheWindowsOwn) {
  SetSettingsRoot();
  {
    TOwned<TEditorProp> stored(TComponent::Create<TEditorProp>(nullptr));
    stored->SetColor(clYellow);
    stored->SetWordWrap(true);
    stored->View().SetCommenter(";");
    stored->ReserveWordList().Add("stored");
    ASSERT_TRUE(WriteEditorPropToRegistry(*stored, "Editor", "Property"));
  }
  Store("Editor", "CommentHeader", SzValue("#"));
  Store("TexModule\\Bib", "ExeName", SzValue("pbibtex.exe"));
  Store("TexModule\\Bib", "UseDDE", BoolValue(false));
  Store("Forms", "SecPanelWidth", DwordValue(150));
  Store("Editor", "MainBGColor", DwordValue(0x123456));
  Store("Editor", "MainDocExpColor", DwordValue(0x00EEDD));
  Store("Editor\\MainDocExpFont", "FontName", SzValue("Arial"));
  Store("Editor\\MainDocExpFont", "FontSize", DwordValue(30));
  Store("Editor\\MainDocExpFont", "FontColor", DwordValue(clRed));
  Store("Editor\\MainDocExpFont", "FontBold", DwordValue(1));
  Store("Editor\\EditLogArea", "FontColor", DwordValue(clBlue));
  Store("Editor\\EditLogArea", "FontItalic", DwordValue(1));
  Store("Editor\\EditLogArea", "BGColor", DwordValue(0x445566));
  Store("Files", "RemainFiles", SzValue("C:\\a.tex\r\nC:\\表\\b.tex\r\n"));
  ShowMainWindow();

  EXPECT_EQ(top->Panel_Section->Width(), 150);
  EXPECT_EQ(top->Color(), 0x123456);
  EXPECT_EQ(top->TreeView_Section->Color(), 0x00EEDD);
  // Only colour and styles come from the registry.
  TFont tree = top->Font().Value(), log = tree;
  std::tie(tree.Color, tree.Style, log.Color, log.Style) =
      std::tuple(clRed, fsBold, clBlue, fsItalic);
  EXPECT_EQ(top->TreeView_Section->Font().Value(), tree);
  EXPECT_EQ(top->LogFont, log);
  EXPECT_EQ(top->LogBGColor, 0x445566);
  EXPECT_EQ(top->RemainFiles.Text(), "C:\\a.tex\r\nC:\\表\\b.tex\r\n");

  // The MDI client shows the window's colour.
  HWND client = top->ClientHandle();
  RedrawWindow(client, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(client);
  EXPECT_EQ(GetPixel(dc, 20, 20), static_cast<COLORREF>(0x123456));
  ReleaseDC(client, dc);

  // The editor options take the comment and reserved words of the settings.
  const TEditorProp& prop = *top->EditorProp1;
  EXPECT_EQ(prop.Color(), clYellow);
  EXPECT_TRUE(prop.WordWrap());
  EXPECT_EQ(prop.Margin().Left(), 8) << "not stored: the window's default stays";
  EXPECT_EQ(prop.View().Commenter(), "#");
  EXPECT_EQ(prop.ReserveWordList().Count(), top->ReserveList.Count());
  EXPECT_EQ(prop.ReserveWordList().IndexOf("stored"), -1);
  // The user's tool settings over those stored with the window.
  EXPECT_EQ(top->TexCtrl1->Module(mtBibTeX).ExeName, "pbibtex.exe");
  EXPECT_FALSE(top->TexCtrl1->Module(mtBibTeX).UseDDE);
  EXPECT_EQ(top->TexCtrl1->Module(mtBibTeX).DDEMacro, "[JBibTeX(%filename)]");
}

TEST_F(MainWindow, StartupDefaultsAndComponents) {
  MakeMainWindow();
  for (TControl* hidden :
       std::initializer_list<TControl*>{top->Panel_Section, top->Splitter1, top->Panel_ExHelper1})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  EXPECT_EQ(top->LogBGColor, top->TreeView_Section->Color());
  EXPECT_EQ(top->Color(), clAppWorkSpace);
  EXPECT_FALSE(top->Timer1->Enabled());
  EXPECT_FALSE(top->CmdLineTimer1->Enabled());
  EXPECT_TRUE(top->Quolin->Registered());
  EXPECT_EQ(top->FormStyle(), TFormStyle::fsMDIForm);
  EXPECT_TRUE(dialogs.calls.empty()) << "a fresh user starts without a message";
  EXPECT_EQ(DataFileName, UserData() + "standard.dat");
  EXPECT_TRUE(FileExists(DataFileName)) << "copied from the program folder";

  // The settings menu until generated menus take its place.
  TMenuItem* settings = top->MainMenu1->Items()->Items(0);
  EXPECT_EQ(settings, top->mn_Option0);
  ASSERT_EQ(settings->Count(), 4);
  EXPECT_EQ(settings->Items(0), top->mn_SetOption1);
  EXPECT_TRUE(settings->Items(1)->IsLine());
  // The master editor and the settings dialog it opens are cancelled from timers of their
  // modal loops.
  uitest::Later(top, [] {
    if (auto* form = dynamic_cast<TForm*>(Application->FindComponent("SetDataForm")))
      form->SetModalResult(mrCancel);
  });
  top->mn_SetMaster1->Click();
  top->mn_SetMenu1->Click();
  uitest::Later(top, [] {
    if (auto* form = dynamic_cast<TForm*>(Application->FindComponent("SetForm")))
      form->SetModalResult(mrCancel);
  });
  top->mn_SetOption1->Click();
  ASSERT_EQ(commands.calls.size(), 3u);
  EXPECT_EQ(commands.calls[0].Command, "$Sys_OptMaster");
  EXPECT_EQ(commands.calls[1].Command, "$Sys_OptMenu");
  EXPECT_EQ(commands.calls[2].Command, "$Sys_OptSetup");

  // The tool settings stored with the window, under the user's.
  TModule& view = top->TexCtrl1->Module(mtPreview);
  EXPECT_EQ(view.DosOption, "%filename");
  EXPECT_EQ(view.DDETopic, "WinDvi");
  EXPECT_EQ(view.DDEMacro, "[FileOpen(%filename)][WinNormal]");
  EXPECT_EQ(top->TexCtrl1->Module(mtTeX).DDEMacro, "[virtex(%filename, %FmtNum_WinTeX)]");
  EXPECT_TRUE(top->TexCtrl1->Module(mtTeX).UseDDE) << "a module without stored values";
}

TEST_F(MainWindow, AFreshUserLoadsTheShippedUserData) {
  ShowMainWindow();
  EXPECT_TRUE(dialogs.calls.empty());
  const std::string shipped = GetProgramFolder() + "default.dat";
  const std::pair<const char*, const TStringList*> streams[] = {{MasterStream, &top->MasterList},
                                                                {GroupStream, &top->GroupList},
                                                                {MenuStream, &top->MenuList},
                                                                {ToolBarStream, &top->ToolBarList}};
  for (const auto& [stream, list] : streams) {
    EXPECT_GT(list->Count(), 0) << stream;
    EXPECT_EQ(list->Text(), ReadStreamString(shipped, UserDataStorage, stream, "")) << stream;
  }
  TStringList words;
  words.SetText(ReadStreamString(shipped, UserDataStorage, ReserveListStream, ""));
  SortReserveList(words);
  EXPECT_GE(words.Count(), 100);
  EXPECT_EQ(top->ReserveList.Text(), words.Text()) << "sorted as it loads";
  const TStringList& editorWords = top->EditorProp1->ReserveWordList();
  EXPECT_EQ(editorWords.Count(), words.Count());
  for (int i = 0; i < words.Count(); ++i)
    EXPECT_GE(editorWords.IndexOf(words[i]), 0) << words[i];

  // A save that fails is shown and leaves the list as it is.
  const std::string before = top->MasterList.Text();
  HANDLE held =
      CreateFileA(DataFileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveMasterData(true));
  CloseHandle(held);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "データファイル \"" + DataFileName + "\" の保存に失敗しました.");
  EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
  EXPECT_EQ(top->MasterList.Text(), before);
  EXPECT_TRUE(SaveMasterData(true));
}

TEST_F(MainWindow, ValidateDataFileKeepsAValidFileOrFallsBackToTheProgramFolder) {
  std::string valid = files / "mine.dat";
  ASSERT_TRUE(WriteStreamString(valid, "Quolin\\Config", "Version", DataFileVersion));
  EXPECT_EQ(ValidateDataFile(valid, files.Path()), valid);
  EXPECT_TRUE(dialogs.calls.empty());

  // Neither file valid: both are reported.
  TempFolder program{"Program"};
  std::string missing = files / "missing.dat";
  EXPECT_EQ(ValidateDataFile(missing, program.Path()), program / "default.dat");
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_NE(dialogs.calls[0].text.find(missing), std::string::npos);
  EXPECT_EQ(
      dialogs.calls[1].text,
      "Quolin データファイルのオープンに失敗しました.\r\n※データファイルは書き込み権限が必要です");
  EXPECT_EQ(dialogs.calls[1].type, static_cast<int>(TMsgDlgType::mtWarning));

  std::string fallback = program / "default.dat";
  ASSERT_TRUE(WriteStreamString(fallback, "Quolin\\Config", "Version", DataFileVersion));
  // A compound file of another version, and a plain file.
  std::string other = files / "other.dat";
  ASSERT_TRUE(WriteStreamString(other, "Quolin\\Config", "Version", "Quolin Version3.00 DataFile"));
  for (const std::string& configured : {other, File("plain.dat")}) {
    dialogs.calls.clear();
    dialogs.beeps = 0;
    EXPECT_EQ(ValidateDataFile(configured, program.Path()), fallback);
    ASSERT_EQ(dialogs.calls.size(), 1u) << configured;
    EXPECT_EQ(dialogs.calls[0].text,
              "データファイル \"" + configured +
                  "\" が有効でありません. \r\n標準データ「Default.dat」で起動を試みます.\r\n"
                  "※データファイルは書き込み権限が必要です");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
    EXPECT_EQ(dialogs.calls[0].buttons, mbOK);
    EXPECT_EQ(dialogs.beeps, 1);
  }
}

TEST_F(MainWindow, CommandImagesWithoutStripsTakeUserImagesUpToTheFirstGap) {
  auto images = LoadImages(NoStrips());
  EXPECT_EQ(images->Count(), 1000);
  for (int index : {0, 116, 117, 999})
    EXPECT_EQ(ImagePixel(*images, index), Background) << index;

  WriteUserImages(4, 3);
  images = LoadImages(NoStrips());
  EXPECT_EQ(images->Count(), 1000);
  EXPECT_EQ(ImagePixel(*images, 117), UserImageColor(1));
  EXPECT_EQ(ImagePixel(*images, 118), UserImageColor(2));
  EXPECT_EQ(ImagePixel(*images, 119), Background) << "4.bmp is not read after the gap";
}

TEST_F(MainWindow, CommandImagesKeepTheSecondStripAtOneThousand) {
  WriteUserImages(900);
  // This test program carries both strips: 117 orange images, then a yellow and a cyan one.
  auto images = LoadImages(GetModuleHandleA(nullptr));
  ASSERT_EQ(images->Count(), 1002);
  EXPECT_EQ(ImagePixel(*images, 0), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(ImagePixel(*images, 116), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(ImagePixel(*images, 117), UserImageColor(1));
  EXPECT_EQ(ImagePixel(*images, 999), UserImageColor(883)) << "user images fill up to 1000";
  EXPECT_EQ(ImagePixel(*images, 1000), RGB(0xFF, 0xFF, 0x00));
  EXPECT_EQ(ImagePixel(*images, 1001), RGB(0x00, 0xFF, 0xFF));
}

TEST_F(MainWindow, ReopenedDocumentsComeBackWithoutArgumentsUnlessSwitchedOff) {
  std::string a = File("a.tex"), b = File("b b.tex");
  Store("Files", "WakeupOpenFiles", SzValue(QuotedNames({a, b})));
  ShowMainWindow();
  EXPECT_EQ(Documents(), (std::vector<std::string>{b, a}));
  EXPECT_FALSE(top->CmdLineTimer1->Enabled());

  FreeMainWindow();
  Store("Files", "WakeupOpenFiles", SzValue(QuotedNames({a, b})));
  Store("Editor", "WakeupFileOpen", BoolValue(false));
  ShowMainWindow();
  EXPECT_FALSE(HasDoc()) << "reopening is off";
}

TEST_F(MainWindow, CommandLineArgumentsReplaceTheReopenedDocuments) {
  std::string a = File("a.tex"), b = File("b.tex");
  Store("Files", "WakeupOpenFiles", SzValue(QuotedNames({a})));
  Store("Editor", "OpenNewDocument", BoolValue(true));
  MakeMainWindow();
  top->CommandLine = QuotedNames({"Quolin.exe"}) + " /l3 " + QuotedNames({b});
  // Looked at before any message is handled: on a loaded machine the timer can tick in the
  // first pump already.
  top->Show();
  EXPECT_TRUE(top->CmdLineTimer1->Enabled());
  EXPECT_TRUE(Documents().empty()) << "nothing before the timer";
  ASSERT_TRUE(uitest::PumpUntil([] { return HasDoc(); }));
  EXPECT_FALSE(top->CmdLineTimer1->Enabled());
  EXPECT_EQ(Documents(), std::vector<std::string>{b});
  EXPECT_EQ(ActiveDoc()->CaretLine(), 2);
}

TEST_F(MainWindow, NewDocumentAtStartupOnlyWhenNoneWasReopened) {
  Store("Editor", "OpenNewDocument", BoolValue(true));
  ShowMainWindow();
  ASSERT_EQ(DocCount(), 1);
  EXPECT_TRUE(ActiveDoc()->FileName.empty());
  ASSERT_EQ(commands.calls.size(), 0u) << "the new document comes without the router";
}

// A real WM_DROPFILES: the file names in a DROPFILES block of global memory.
HGLOBAL DropBlock(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names)
    list += name + '\0';
  list += '\0';
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(block);
  return block;
}

TEST_F(MainWindow, DroppedFilesOpenInOrderQuietlyAndComeToTheFrontWhenOpenedAgain) {
  ShowMainWindow();
  EXPECT_TRUE(GetWindowLongA(top->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::string a = File("表a.tex"), b = File("b.tex");
  PostMessageA(top->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropBlock({a, files / "missing.tex", b})), 0);
  ASSERT_TRUE(uitest::PumpUntil([] { return DocCount() == 2; }));
  EXPECT_EQ(Documents(), (std::vector<std::string>{b, a}));
  EXPECT_TRUE(dialogs.calls.empty()) << "a missing file is skipped quietly";
  EXPECT_TRUE(GetWindowLongA(top->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
      << "accepting again afterwards";

  // Opening an open file only brings it to the front.
  EXPECT_FALSE(OpenDocument(a, "", false, 7, false, false));
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(ActiveDoc()->FileName, a);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 7);
  EXPECT_EQ(top->StatusBar1->Panels(spMessage).Text(),
            " ファイル \"" + a + "\" は既に開いています.");
}

TEST_F(MainWindow, ReopenMenuShowsSixteenAndOpensItsEntries) {
  ShowMainWindow();
  top->RemainFiles.Clear();
  BuildRemainMenu();
  ASSERT_EQ(top->PopupMenu_RemainOpen->Items()->Count(), 1);
  EXPECT_EQ(top->PopupMenu_RemainOpen->Items()->Items(0)->Caption(), "なし");
  EXPECT_FALSE(top->PopupMenu_RemainOpen->Items()->Items(0)->Enabled());

  for (int i = 0; i < 20; ++i)
    top->RemainFiles.Add(File(Format("r%d.tex", i)));
  BuildRemainMenu();
  TMenuItem* items = top->PopupMenu_RemainOpen->Items();
  ASSERT_EQ(items->Count(), 16);
  EXPECT_EQ(items->Items(0)->Caption(), "&0 " + top->RemainFiles[0]);
  EXPECT_EQ(items->Items(15)->Caption(), "&F " + top->RemainFiles[15]);

  std::string eleventh = top->RemainFiles[10];
  items->Items(10)->Click();
  EXPECT_EQ(Documents(), std::vector<std::string>{eleventh});
  EXPECT_EQ(top->RemainFiles.IndexOf(eleventh), -1) << "an open file leaves the reopen list";
  EXPECT_EQ(top->RemainFiles.Count(), 19);
  EXPECT_EQ(top->PopupMenu_RemainOpen->Items()->Items(10)->Caption(), "&A " + top->RemainFiles[10]);

  // An item whose index is past the list does nothing.
  top->RemainFiles.Clear();
  top->RemainFiles.Add(File("only.tex"));
  auto* stale = TComponent::Create<TMenuItem>(top);
  stale->SetCaption("&5 " + files / "r5.tex");
  top->mn_FileRemainClick(stale);
  EXPECT_EQ(DocCount(), 1);
}

TEST_F(MainWindow, ClosingSavesDocumentsReopenListAndLayout) {
  std::string remain;
  for (int i = 0; i < 45; ++i)
    remain += "C:\\old" + std::to_string(i) + ".tex\r\n";
  Store("Files", "RemainFiles", SzValue(remain));
  ShowMainWindow();
  std::string a = File("a.tex"), b = File("b.tex"), c = File("c.tex");
  for (const std::string& name : {a, b, c})
    ASSERT_TRUE(OpenDocument(name, "", false, -1, false, true));
  SysFileNew();
  top->Panel_Section->SetWidth(140);
  ToolWindows tools({"bwpvtex", "winmkidx", "wbibtex", "JBibTeX", "dviout"});
  CloseMainWindow();

  EXPECT_EQ(tools.Closed(), (std::vector<std::string>{"bwpvtex", "winmkidx", "wbibtex", "JBibTeX"}))
      << "the tools are closed";
  EXPECT_EQ(StoredString("Files", "WakeupOpenFiles"), QuotedNames({a, b, c}))
      << "last to first, the untitled one left out";
  EXPECT_EQ(top->RemainFiles[0], c);
  EXPECT_EQ(top->RemainFiles[2], a);
  EXPECT_EQ(top->RemainFiles.Count(), 48) << "cut only when the window goes";

  FreeMainWindow();
  TStringList stored;
  stored.SetText(StoredString("Files", "RemainFiles"));
  ASSERT_EQ(stored.Count(), 40);
  EXPECT_EQ(stored[0], c);
  EXPECT_EQ(stored[3], "C:\\old0.tex");
  EXPECT_EQ(stored[39], "C:\\old36.tex");
  EXPECT_EQ(Stored("Forms", "SecPanelWidth"), DwordValue(140));
  EXPECT_NE(StoredString("Forms", "Main").find("Width="), std::string::npos);
}

TEST_F(MainWindow, ADocumentThatRefusesKeepsTheWindowOpenAndWakeupOffWritesNoFiles) {
  Store("Editor", "WakeupFileOpen", BoolValue(false));
  Store("Editor", "TexExitClose", BoolValue(false));
  ShowMainWindow();
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  ActiveDoc()->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  ToolWindows tools({"bwpvtex", "wbibtex"});
  top->Close();
  EXPECT_TRUE(top->Visible());

  ActiveDoc()->OnCloseQuery = nullptr;
  CloseMainWindow();
  EXPECT_EQ(Stored("Files", "WakeupOpenFiles"), SzValue(""));
  EXPECT_EQ(tools.Closed(), std::vector<std::string>{}) << "tools kept";
}

TEST_F(MainWindow, TitleBarHintShowsAMaximisedDocumentsTitle) {
  ShowMainWindow();
  bool canShow = true;
  top->TBHint1->OnHint(top->TBHint1, canShow);
  EXPECT_FALSE(canShow) << "no document";
  std::string a = File("a.tex");
  ASSERT_TRUE(OpenDocument(a, File("main.tex"), false, -1, false, true));
  canShow = true;
  top->TBHint1->OnHint(top->TBHint1, canShow);
  EXPECT_FALSE(canShow) << "not maximised";
  ActiveDoc()->SetWindowState(TWindowState::wsMaximized);
  canShow = false;
  top->TBHint1->OnHint(top->TBHint1, canShow);
  EXPECT_TRUE(canShow);
  EXPECT_EQ(top->TBHint1->HintString, a + " in " + files / "main.tex");
}

} // namespace
