// The main window in the test process: what start-up reads, the data file check, the command
// images, the documents of start-up, dropped files, the reopen list and the orders of closing.
#include "MainWindowFixture.h"

#include "common/Format.h"
#include "common/SrgFile.h"

#include <shlobj.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char DataFileVersion[] = "Quolin Version4.00 DataFile";

// A 24-bit bitmap file of one colour.
void WriteBitmapFile(const std::string& path, int width, int height, COLORREF color) {
  const int rowBytes = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(rowBytes * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(static_cast<size_t>(rowBytes), '\0');
  for (int x = 0; x < width; ++x) {
    row[static_cast<size_t>(x) * 3] = static_cast<char>(GetBValue(color));
    row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(GetGValue(color));
    row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(GetRValue(color));
  }
  for (int y = 0; y < height; ++y)
    bytes += row;
  TempFolder::WriteFile(path, bytes);
}

constexpr COLORREF Background = RGB(1, 2, 3);

// The middle pixel of an image drawn on the background colour.
COLORREF ImagePixel(TImageList& images, int index) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, images.Width(), images.Height());
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT rect{0, 0, images.Width(), images.Height()};
  HBRUSH brush = CreateSolidBrush(Background);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
  images.Draw(dc, 0, 0, index);
  COLORREF pixel = GetPixel(dc, images.Width() / 2, images.Height() / 2);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
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
        WriteBitmapFile(UserData() + "img\\" + std::to_string(n) + ".bmp", 16, 16,
                        UserImageColor(n));
  }
  TOwned<TImageList> NewImageList() {
    return TOwned<TImageList>(TComponent::Create<TImageList>(nullptr));
  }
};

TEST_F(MainWindow, StartupReadsPanelWidthColoursFontsAndReopenList) {
  StoreInteger("Forms", "SecPanelWidth", 150);
  StoreInteger("Editor", "MainBGColor", 0x123456);
  StoreInteger("Editor", "MainDocExpColor", 0x00EEDD);
  StoreString("Editor\\MainDocExpFont", "FontName", "Arial");
  StoreInteger("Editor\\MainDocExpFont", "FontSize", 30);
  StoreInteger("Editor\\MainDocExpFont", "FontColor", clRed);
  StoreInteger("Editor\\MainDocExpFont", "FontBold", 1);
  StoreInteger("Editor\\EditLogArea", "FontColor", clBlue);
  StoreInteger("Editor\\EditLogArea", "FontItalic", 1);
  StoreInteger("Editor\\EditLogArea", "BGColor", 0x445566);
  StoreString("Files", "RemainFiles", "C:\\a.tex\r\nC:\\表\\b.tex\r\n");
  ShowMainWindow();

  EXPECT_EQ(top->Panel_Section->Width(), 150);
  EXPECT_EQ(top->Color(), 0x123456);
  EXPECT_EQ(top->TreeView_Section->Color(), 0x00EEDD);
  const TFont design = top->Font().Value();
  const TFont& tree = top->TreeView_Section->Font().Value();
  EXPECT_EQ(tree.Name, design.Name) << "only colour and styles come from the registry";
  EXPECT_EQ(tree.Size, design.Size);
  EXPECT_EQ(tree.Color, clRed);
  EXPECT_EQ(tree.Style, fsBold);
  EXPECT_EQ(top->LogFont.Name, design.Name);
  EXPECT_EQ(top->LogFont.Size, design.Size);
  EXPECT_EQ(top->LogFont.Color, clBlue);
  EXPECT_EQ(top->LogFont.Style, fsItalic);
  EXPECT_EQ(top->LogBGColor, 0x445566);
  EXPECT_EQ(top->RemainFiles.Text(), "C:\\a.tex\r\nC:\\表\\b.tex\r\n");

  // The MDI client shows the window's colour.
  HWND client = top->ClientHandle();
  RedrawWindow(client, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(client);
  EXPECT_EQ(GetPixel(dc, 20, 20), static_cast<COLORREF>(0x123456));
  ReleaseDC(client, dc);
}

TEST_F(MainWindow, StartupDefaultsAndComponents) {
  MakeMainWindow();
  EXPECT_EQ(top->Panel_Section->Width(), 112);
  EXPECT_FALSE(top->Panel_Section->Visible());
  EXPECT_FALSE(top->Splitter1->Visible());
  EXPECT_EQ(top->Panel_Section->Align(), alLeft);
  EXPECT_EQ(top->LogBGColor, top->TreeView_Section->Color());
  EXPECT_EQ(top->Color(), clAppWorkSpace);
  EXPECT_EQ(top->Timer1->Interval(), 6400u);
  EXPECT_FALSE(top->Timer1->Enabled());
  EXPECT_EQ(top->CmdLineTimer1->Interval(), 256u);
  EXPECT_FALSE(top->CmdLineTimer1->Enabled());
  EXPECT_EQ(top->TreeView_Section->HelpContext, 1211);
  EXPECT_EQ(top->Panel_ExHelper1->HelpContext, 1214);
  EXPECT_FALSE(top->Panel_ExHelper1->Visible());
  EXPECT_EQ(top->StringGrid_Cmd1->DefaultColWidth, 124);
  EXPECT_EQ(top->ImageList2->Count(), 13) << "documents, .bib entries, headings";
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
  top->mn_SetMaster1->Click();
  top->mn_SetMenu1->Click();
  top->mn_SetOption1->Click();
  ASSERT_EQ(ExecutedCommands().size(), 3u);
  EXPECT_EQ(ExecutedCommands()[0].Command, "$Sys_OptMaster");
  EXPECT_EQ(ExecutedCommands()[1].Command, "$Sys_OptMenu");
  EXPECT_EQ(ExecutedCommands()[2].Command, "$Sys_OptSetup");

  // The tool settings stored with the window, under the user's.
  TModule& view = top->TexCtrl1->Module(mtPreview);
  EXPECT_EQ(view.DosOption, "%filename");
  EXPECT_EQ(view.DDETopic, "WinDvi");
  EXPECT_EQ(view.DDEMacro, "[FileOpen(%filename)][WinNormal]");
  EXPECT_EQ(top->TexCtrl1->Module(mtTeX).DDEMacro, "[virtex(%filename, %FmtNum_WinTeX)]");
  EXPECT_TRUE(top->TexCtrl1->Module(mtTeX).UseDDE) << "a module without stored values";
}

TEST_F(MainWindow, EditorOptionsStartFromTheWindowsOwnDefaults) {
  MakeMainWindow();
  const TEditorProp& prop = *top->EditorProp1;
  EXPECT_EQ(prop.Color(), clWhite);
  EXPECT_EQ(prop.Font().Name, "ＭＳ ゴシック");
  EXPECT_EQ(prop.Font().PixelHeight(), -13);
  EXPECT_EQ(prop.Font().Color, clBlack);
  EXPECT_EQ(prop.Margin().Left(), 8);
  EXPECT_EQ(prop.Margin().Top(), 2);
  EXPECT_TRUE(prop.Marks().EofMark().Visible());
  EXPECT_TRUE(prop.Marks().RetMark().Visible());
  EXPECT_TRUE(prop.Marks().Underline().Visible());
  EXPECT_EQ(prop.Marks().Underline().Color(), clRed);
  EXPECT_EQ(prop.View().Commenter(), "%");
  EXPECT_TRUE(prop.View().Mail());
  EXPECT_TRUE(prop.View().Url());
}

TEST_F(MainWindow, EditorOptionsLoadWithTheCommentAndReservedWordsOfTheSettings) {
  SetSettingsRoot();
  {
    TOwned<TEditorProp> stored(TComponent::Create<TEditorProp>(nullptr));
    stored->SetColor(clYellow);
    stored->SetWordWrap(true);
    stored->View().SetCommenter(";");
    stored->ReserveWordList().Add("stored");
    ASSERT_TRUE(WriteEditorPropToRegistry(*stored, "Editor", "Property"));
  }
  StoreString("Editor", "CommentHeader", "#");
  MakeMainWindow();
  const TEditorProp& prop = *top->EditorProp1;
  EXPECT_EQ(prop.Color(), clYellow);
  EXPECT_TRUE(prop.WordWrap());
  EXPECT_EQ(prop.Margin().Left(), 8) << "not stored: the window's default stays";
  EXPECT_EQ(prop.View().Commenter(), "#");
  EXPECT_EQ(prop.ReserveWordList().Count(), top->ReserveList.Count());
  EXPECT_EQ(prop.ReserveWordList().IndexOf("stored"), -1);
}

TEST_F(MainWindow, UserToolSettingsLoadOverTheStoredOnes) {
  StoreString("TexModule\\Bib", "ExeName", "pbibtex.exe");
  StoreBool("TexModule\\Bib", "UseDDE", false);
  MakeMainWindow();
  EXPECT_EQ(top->TexCtrl1->Module(mtBibTeX).ExeName, "pbibtex.exe");
  EXPECT_FALSE(top->TexCtrl1->Module(mtBibTeX).UseDDE);
  EXPECT_EQ(top->TexCtrl1->Module(mtBibTeX).DDEMacro, "[JBibTeX(%filename)]");
}

TEST_F(MainWindow, ValidateDataFileKeepsAValidFile) {
  std::string valid = files / "mine.dat";
  ASSERT_TRUE(WriteStreamString(valid, "Quolin\\Config", "Version", DataFileVersion));
  EXPECT_EQ(ValidateDataFile(valid, files.Path()), valid);
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(MainWindow, ValidateDataFileFallsBackToTheProgramFolder) {
  TempFolder program{"Program"};
  std::string fallback = program / "default.dat";
  ASSERT_TRUE(WriteStreamString(fallback, "Quolin\\Config", "Version", DataFileVersion));
  // A compound file of another version, and a plain file.
  std::string other = files / "other.dat";
  ASSERT_TRUE(WriteStreamString(other, "Quolin\\Config", "Version", "Quolin Version3.00 DataFile"));
  std::string plain = File("plain.dat");

  for (const std::string& configured : {other, plain}) {
    dialogs.calls.clear();
    EXPECT_EQ(ValidateDataFile(configured, program.Path()), fallback);
    ASSERT_EQ(dialogs.calls.size(), 1u) << configured;
    EXPECT_EQ(dialogs.calls[0].text,
              "データファイル \"" + configured +
                  "\" が有効でありません. \r\n標準データ「Default.dat」で起動を試みます.\r\n"
                  "※データファイルは書き込み権限が必要です");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
    EXPECT_EQ(dialogs.calls[0].buttons, mbOK);
    EXPECT_EQ(dialogs.beeps, 1);
    dialogs.beeps = 0;
  }
}

TEST_F(MainWindow, ValidateDataFileReportsBothInvalid) {
  TempFolder program{"Program"};
  std::string missing = files / "missing.dat";
  EXPECT_EQ(ValidateDataFile(missing, program.Path()), program / "default.dat");
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_NE(dialogs.calls[0].text.find(missing), std::string::npos);
  EXPECT_EQ(
      dialogs.calls[1].text,
      "Quolin データファイルのオープンに失敗しました.\r\n※データファイルは書き込み権限が必要です");
  EXPECT_EQ(dialogs.calls[1].type, static_cast<int>(TMsgDlgType::mtWarning));
}

TEST_F(MainWindow, CommandImagesWithoutStripsOrUserImages) {
  auto images = NewImageList();
  auto loading = NewImageList();
  LoadCommandImageList(*images, *loading, UserData(), NoStrips());
  EXPECT_EQ(images->Count(), 1000);
  EXPECT_EQ(ImagePixel(*images, 0), Background);
  EXPECT_EQ(ImagePixel(*images, 116), Background);
  EXPECT_EQ(ImagePixel(*images, 999), Background);
  EXPECT_EQ(loading->Count(), 0);
}

TEST_F(MainWindow, CommandImagesStopAtTheFirstMissingNumber) {
  WriteUserImages(4, 3);
  auto images = NewImageList();
  auto loading = NewImageList();
  LoadCommandImageList(*images, *loading, UserData(), NoStrips());
  EXPECT_EQ(images->Count(), 1000);
  EXPECT_EQ(ImagePixel(*images, 117), UserImageColor(1));
  EXPECT_EQ(ImagePixel(*images, 118), UserImageColor(2));
  EXPECT_EQ(ImagePixel(*images, 119), Background) << "4.bmp is not read after the gap";
}

TEST_F(MainWindow, CommandImagesKeepTheSecondStripAtOneThousand) {
  WriteUserImages(900);
  auto images = NewImageList();
  auto loading = NewImageList();
  // This test program carries both strips: 117 orange images, then a yellow and a cyan one.
  LoadCommandImageList(*images, *loading, UserData(), GetModuleHandleA(nullptr));
  ASSERT_EQ(images->Count(), 1002);
  EXPECT_EQ(ImagePixel(*images, 0), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(ImagePixel(*images, 116), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(ImagePixel(*images, 117), UserImageColor(1));
  EXPECT_EQ(ImagePixel(*images, 999), UserImageColor(883)) << "user images fill up to 1000";
  EXPECT_EQ(ImagePixel(*images, 1000), RGB(0xFF, 0xFF, 0x00));
  EXPECT_EQ(ImagePixel(*images, 1001), RGB(0x00, 0xFF, 0xFF));
  EXPECT_EQ(loading->Count(), 0);
}

TEST_F(MainWindow, ReopenedDocumentsComeBackWithoutArguments) {
  std::string a = File("a.tex"), b = File("b b.tex");
  StoreString("Files", "WakeupOpenFiles", QuotedNames({a, b}));
  ShowMainWindow();
  EXPECT_EQ(Documents(), (std::vector<std::string>{b, a}));
  EXPECT_FALSE(top->CmdLineTimer1->Enabled());
}

TEST_F(MainWindow, CommandLineArgumentsReplaceTheReopenedDocuments) {
  std::string a = File("a.tex"), b = File("b.tex");
  StoreString("Files", "WakeupOpenFiles", QuotedNames({a}));
  StoreBool("Editor", "OpenNewDocument", true);
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
  StoreBool("Editor", "OpenNewDocument", true);
  ShowMainWindow();
  ASSERT_EQ(DocCount(), 1);
  EXPECT_TRUE(ActiveDoc()->FileName.empty());
  ASSERT_EQ(ExecutedCommands().size(), 0u) << "the new document comes without the router";
}

TEST_F(MainWindow, WakeupFileOpenOffReopensNothing) {
  StoreString("Files", "WakeupOpenFiles", QuotedNames({File("a.tex")}));
  StoreBool("Editor", "WakeupFileOpen", false);
  ShowMainWindow();
  EXPECT_FALSE(HasDoc());
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

TEST_F(MainWindow, DroppedFilesOpenInOrderQuietly) {
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

TEST_F(MainWindow, OpeningAnOpenFileOnlyBringsItToTheFront) {
  ShowMainWindow();
  std::string a = File("a.tex");
  EXPECT_TRUE(OpenDocument(a, "", false, -1, false, true));
  EXPECT_TRUE(OpenDocument(File("b.tex"), "", false, -1, false, true));
  EXPECT_FALSE(OpenDocument(a, "", false, 7, false, false));
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(ActiveDoc()->FileName, a);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 7);
  EXPECT_EQ(top->StatusBar1->Panels(spMessage).Text(),
            " ファイル \"" + a + "\" は既に開いています.");
}

TEST_F(MainWindow, ClosingSavesDocumentsReopenListAndLayout) {
  std::string remain;
  for (int i = 0; i < 45; ++i)
    remain += "C:\\old" + std::to_string(i) + ".tex\r\n";
  StoreString("Files", "RemainFiles", remain);
  ShowMainWindow();
  std::string a = File("a.tex"), b = File("b.tex"), c = File("c.tex");
  for (const std::string& name : {a, b, c})
    ASSERT_TRUE(OpenDocument(name, "", false, -1, false, true));
  SysFileNew();
  top->Panel_Section->SetWidth(140);
  CloseMainWindow();

  EXPECT_EQ(top->TexCtrl1->Calls(), (std::vector<std::string>{"disconnect", "close 5"}));
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
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, std::string(SettingsKey) + "\\Forms", "SecPanelWidth").data,
            Dword(140));
  EXPECT_NE(StoredString("Forms", "Main").find("Width="), std::string::npos);
}

TEST_F(MainWindow, ClosingWithWakeupOffWritesNoFilesAndKeepsTools) {
  StoreBool("Editor", "WakeupFileOpen", false);
  StoreBool("Editor", "TexExitClose", false);
  ShowMainWindow();
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  CloseMainWindow();
  EXPECT_EQ(StoredString("Files", "WakeupOpenFiles"), "");
  EXPECT_TRUE(
      QueryRaw(HKEY_CURRENT_USER, std::string(SettingsKey) + "\\Files", "WakeupOpenFiles").found);
  EXPECT_EQ(top->TexCtrl1->Calls(), std::vector<std::string>{"disconnect"});
}

TEST_F(MainWindow, ADocumentThatRefusesKeepsTheWindowOpen) {
  ShowMainWindow();
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  ActiveDoc()->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  top->Close();
  EXPECT_TRUE(top->Visible());
  EXPECT_TRUE(top->TexCtrl1->Calls().empty()) << "the close order did not start";
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
