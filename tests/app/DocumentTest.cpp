// Document windows in the test process: opening, the file's own encoding, saving, keys and
// the per-file state.
#include "MainWindowFixture.h"
#include "app/FileState.h"
#include "common/CodePage.h"
#include "common/FileDialogs.h"
#include "editor/WhitespaceMarks.h"
#include "toolbar/TBHints.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class Doc : public MainWindowFixture {
protected:
  void SetUp() override {
    ShowMainWindow();
    top->Settings.FileIOOption.UseEditInfo = true;
  }
  void TearDown() override {
    SetFileDialogHook(nullptr);
    MainWindowFixture::TearDown();
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = files / name;
    TempFolder::WriteFile(path, bytes);
    return path;
  }
  TDocForm* Open(const std::string& path, int line = -1) {
    EXPECT_TRUE(OpenDocument(path, "", false, line, false, true)) << path;
    return ActiveDoc();
  }
  // Types as the user does: key down and its character to the view.
  static void Type(TEditor* view, const std::string& text) {
    for (char ch : text)
      SendMessageA(view->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 0);
  }
  static void Key(TEditor* view, WORD key) { SendMessageA(view->Handle(), WM_KEYDOWN, key, 0); }
  std::vector<std::string> FilesInFolder() {
    std::vector<std::string> names = FindFileNames(files / "*");
    std::sort(names.begin(), names.end());
    return names;
  }
  // Closes as the user does; the window goes once its handlers have returned.
  static void CloseDoc(TDocForm* doc) {
    int count = DocCount();
    doc->Close();
    ASSERT_TRUE(uitest::PumpUntil([&] { return DocCount() < count; }));
  }
  // A stored value's bytes, as the registry holds them.
  static std::string StoredBinary(const std::string& key, const std::string& name) {
    return Stored(key, name).data;
  }
  std::string Message() const { return top->StatusBar1->Panels(spMessage).Text(); }
};

// The document operations that stand apart from one window.
class DocOps : public Doc {};

TEST_F(Doc, DocEncodingEachFormComesBackByteForByteAfterASave) {
  Store("FileIO", "Utf8Warning", BoolValue(false));
  const std::string sjis = "\\section{\x8A\xBF\x8E\x9A}\r\n\x82\xA0", utf8 = "\xE6\xBC\xA2\xE5\xAD\x97";
  const std::string le16 = std::string("\xFF\xFE\x22\x6F\x0D\x00\x0A\x00\x0A\x4E", 10);
  const std::string be16 = std::string("\xFE\xFF\x6F\x22\x00\x0D\x00\x0A", 8);
  struct Case {
    std::string name, bytes, panel;
  };
  const std::vector<Case> cases = {
      {"sjis.tex", sjis, ""},
      {"sjis-end.tex", sjis + "\r\n", ""},
      {"bom.tex", "\xEF\xBB\xBF" + utf8 + "\r\nx\r\n", "UTF8B"},
      {"nobom.tex", "a\r\n" + utf8 + "\r\nb", "UTF8N"},
      {"le.tex", le16, "UTF16LE"},
      {"be.tex", be16, "UTF16BE"},
      {"short.utf8.tex", "\xE6\xBC\xA2", "UTF8N"},
      {"ctrlz.tex", "a\x1A" "b\r\n", ""},
  };
  for (const Case& c : cases) {
    std::string path = Write(c.name, c.bytes);
    TDocForm* doc = Open(path);
    ASSERT_TRUE(doc) << c.name;
    EXPECT_EQ(top->StatusBar1->Panels(spCharCode).Text(), c.panel) << c.name;
    EXPECT_FALSE(doc->Editor1->ReadOnly()) << c.name;
    ASSERT_TRUE(doc->SaveFile(doc->FileName)) << c.name;
    EXPECT_EQ(TempFolder::ReadFile(path), c.bytes) << c.name;
  }
  EXPECT_EQ(ActiveDoc()->Editor1->Lines()[0], "a\x1A" "b") << "a Ctrl-Z inside stays";
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(Doc, DocEncodingRefusedTextOpensNothingEvenQuietlyAndBinaryContentIsReadOnly) {
  for (const std::string& bytes : {std::string("\xEF\xBB\xBF\x41\xC0\xAF"), std::string("\xFF\xFE\x41")}) {
    dialogs.calls.clear();
    EXPECT_FALSE(OpenDocument(Write("bad.tex", bytes), "", false, -1, false, true));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, res::Utf8ConvertFailed);
  }
  EXPECT_FALSE(HasDoc());
  dialogs.calls.clear();
  std::string binary = Write("data.tex", std::string("ab\x01\x02", 4));
  TDocForm* doc = Open(binary);
  EXPECT_TRUE(doc->Editor1->ReadOnly());
  EXPECT_EQ(Message(), " ファイル \"" + binary + "\" は読み込み専用で開いています.");
  EXPECT_FALSE(Open(Write("empty.tex", ""))->Editor1->ReadOnly()) << "an empty file is editable";
}

TEST_F(Doc, DocEncodingTheUtf8QuestionIsAskedEvenQuietlyAndNoSwitchesItOff) {
  dialogs.answer = mrNo;
  Open(Write("u.tex", "abc\xE6\xBC\xA2\xE5\xAD\x97\r\n"));
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, res::Utf8Warning);
  EXPECT_EQ(Stored("FileIO", "Utf8Warning"), BoolValue(false));
  Open(Write("v.tex", "abc\xE6\xBC\xA2\xE5\xAD\x97\r\n"));
  EXPECT_EQ(dialogs.calls.size(), 1u);
}

TEST_F(Doc, DocOpenResolvesNamesAndChecksTheFile) {
  std::string chap1 = File("chap1.tex");
  EXPECT_TRUE(OpenDocument(files / "chap1", "", false, -1, false, true));
  EXPECT_EQ(ActiveDoc()->FileName, chap1);
  std::string other = File("表other.tex");
  EXPECT_TRUE(OpenDocument("表other.tex", "", false, -1, false, true)) << "in the active folder";
  EXPECT_EQ(ActiveDoc()->FileName, other);
  EXPECT_FALSE(OpenDocument(chap1, "", false, 3, false, true));
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 3);

  // Binary extensions: refused quietly, asked otherwise (yes opens read-only).
  std::string dvi = Write("a.dvi", "text");
  EXPECT_FALSE(OpenDocument(dvi, "", false, -1, false, true));
  EXPECT_TRUE(dialogs.calls.empty());
  dialogs.answer = mrYes;
  EXPECT_TRUE(OpenDocument(dvi, "", false, -1, false, false));
  EXPECT_EQ(dialogs.calls.back().text,
            "ファイル名 \"" + dvi + "\" の拡張子はテキストファイルではありません. \r\n無視して開きますか?");
  EXPECT_TRUE(ActiveDoc()->Editor1->ReadOnly());
  EXPECT_TRUE(OpenDocument(Write("Makefile", "all:\r\n"), "", false, -1, false, true))
      << "no extension is not binary";

  // Missing files.
  dialogs.calls.clear();
  EXPECT_FALSE(OpenDocument(files / "none.tex", "", false, -1, false, false));
  EXPECT_EQ(dialogs.calls.back().text, "ファイル \"" + files / "none.tex" + "\" が見つかりません.");
  int count = DocCount();
  EXPECT_TRUE(OpenDocument(files / "none.tpl", "", true, -1, false, false));
  EXPECT_EQ(dialogs.calls.back().text, "テンプレート \"" + files / "none.tpl" + "\" が見つかりません.");
  EXPECT_EQ(DocCount(), count + 1);
  EXPECT_TRUE(ActiveDoc()->FileName.empty());
}

TEST_F(Doc, DocOpenALockedFileOpensNothing) {
  std::string path = File("locked.tex");
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(OpenDocument(path, "", false, -1, false, true));
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_FALSE(OpenDocument(path, "", false, -1, false, false));
  EXPECT_EQ(dialogs.calls.size(), 1u);
  CloseHandle(lock);
  EXPECT_FALSE(HasDoc());
}

TEST_F(Doc, DocOpenATemplatePutsTheCaretAtItsMark) {
  std::string path = Write("t.tex", "\\begin{document}\r\nab$Scd\r\n\\end{document}\r\n");
  ASSERT_TRUE(OpenDocument(path, "", true, -1, false, true));
  TDocForm* doc = ActiveDoc();
  EXPECT_TRUE(doc->FileName.empty());
  EXPECT_EQ(doc->Editor1->Lines()[1], "abcd");
  EXPECT_EQ(doc->Editor1->Row(), 1);
  EXPECT_EQ(doc->Editor1->Col(), 2);
  EXPECT_FALSE(doc->Editor1->Modified());
  EXPECT_FALSE(doc->Editor1->CanUndo());
}

TEST_F(Doc, DocSaveAFailedWriteKeepsTheFileAndTheDocumentModified) {
  std::string path = File("held.tex");
  std::string before = TempFolder::ReadFile(path);
  TDocForm* doc = Open(path);
  Type(doc->Editor1, "x");
  ASSERT_TRUE(doc->Editor1->Modified());
  HANDLE hold = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(doc->SaveFile(path));
  CloseHandle(hold);
  EXPECT_EQ(TempFolder::ReadFile(path), before);
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"held.tex"}) << "no temporary stays";
  ASSERT_FALSE(dialogs.calls.empty());
  EXPECT_EQ(dialogs.calls.back().text, "ファイル \"" + path + "\" の保存に失敗しました.");
  EXPECT_TRUE(doc->Editor1->Modified());

  // Closing asks; yes tries to save, fails and keeps the window.
  hold = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  dialogs.answer = mrYes;
  doc->Close();
  CloseHandle(hold);
  EXPECT_EQ(DocCount(), 1);
  EXPECT_EQ(TempFolder::ReadFile(path), before);
}

TEST_F(Doc, DocSaveKeepsAttributesMakesBackupsAndAsksForReadOnlyFiles) {
  std::string path = Write("h.tex", "a\r\n");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  top->Settings.FileIOOption.OrgBackUp = true;
  top->Settings.FileIOOption.NorBackUp = true;
  TDocForm* doc = Open(path);
  ASSERT_TRUE(doc->SaveFile(path));
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"h.tex"}) << "no backups when unmodified";
  Type(doc->Editor1, "1");
  ASSERT_TRUE(doc->SaveFile(path));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(TempFolder::ReadFile(files / "h.tex.org"), "a\r\n");
  EXPECT_EQ(TempFolder::ReadFile(files / "h.tex.bak"), "a\r\n");
  Type(doc->Editor1, "2");
  ASSERT_TRUE(doc->SaveFile(path));
  EXPECT_EQ(TempFolder::ReadFile(files / "h.tex.org"), "a\r\n") << "once per window";
  EXPECT_EQ(TempFolder::ReadFile(files / "h.tex.bak"), "1a\r\n") << "every save";
  EXPECT_EQ(TempFolder::ReadFile(path), "12a\r\n");

  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  Type(doc->Editor1, "3");
  dialogs.answer = mrCancel;
  EXPECT_FALSE(doc->SaveFile(path));
  dialogs.answer = mrYes;
  EXPECT_TRUE(doc->SaveFile(path));
  EXPECT_EQ(dialogs.calls.back().text, "ファイル \"" + path +
                                           "\" は読み取り専用属性です. \r\n読み取り専用属性を解除して保存しますか？");
  EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(TempFolder::ReadFile(path), "123a\r\n");
}

TEST_F(Doc, DocSaveAsOfAnUntitledDocumentAndOfAReadOnlyView) {
  SysFileNew();
  TDocForm* doc = ActiveDoc();
  std::string untitled = doc->Caption();
  Type(doc->Editor1, "new");
  const std::string text = doc->Editor1->Lines().Text();
  std::string target = files / "saved.tex";
  std::vector<TFileDialogFields> asked;
  SetFileDialogHook([&](const TFileDialogFields& fields) {
    asked.push_back(fields);
    return TFileDialogAnswer{true, {target}, false, 1};
  });
  dialogs.answer = mrYes;
  CloseDoc(doc);
  ASSERT_EQ(asked.size(), 1u) << "yes on an untitled document opens Save As";
  EXPECT_EQ(asked[0].Title, "名前を付けて保存");
  EXPECT_EQ(asked[0].HistoryKey, "StdSaveDir");
  EXPECT_EQ(dialogs.calls.back().text, "文章 \"" + untitled + "\" は変更されています.\r\n名前を付けて保存しますか？");
  EXPECT_EQ(TempFolder::ReadFile(target), text);
  EXPECT_FALSE(HasDoc());
  EXPECT_EQ(Application->Title(), "Quolin") << "the last document resets the title";
  EXPECT_EQ(top->RemainFiles.IndexOf(untitled), -1);
  EXPECT_EQ(top->RemainFiles[0], target);

  ASSERT_TRUE(OpenDocument(target, "", false, -1, true, true));
  EXPECT_EQ(Application->Title(), "saved.tex - Quolin");
  target = files / "copy.tex";
  EXPECT_TRUE(ActiveDoc()->SaveFile(ActiveDoc()->FileName));
  EXPECT_EQ(asked.size(), 2u) << "a read-only view saves under another name";
  EXPECT_EQ(ActiveDoc()->FileName, target);
}

TEST_F(DocOps, SaveAllModifiedAsksUnlessAutoSaveAndCountsUntitledOnlyWithAll) {
  EXPECT_FALSE(SaveAllModified(true)) << "no document";
  SysFileNew();
  Type(ActiveDoc()->Editor1, "x");
  EXPECT_TRUE(SaveAllModified(false)) << "only an untitled document is modified";
  EXPECT_TRUE(dialogs.calls.empty());
  std::string path = File("m.tex");
  Type(Open(path)->Editor1, "y");
  dialogs.answer = mrCancel;
  EXPECT_FALSE(SaveAllModified(false));
  dialogs.answer = mrNo;
  EXPECT_TRUE(SaveAllModified(false));
  EXPECT_EQ(dialogs.calls.back().text, "変更されたファイルを全て保存していいですか？");
  size_t asked = dialogs.calls.size();
  top->Settings.TexExecAutoSave = true;
  EXPECT_TRUE(SaveAllModified(false));
  EXPECT_EQ(dialogs.calls.size(), asked);
  EXPECT_EQ(TempFolder::ReadFile(path).substr(0, 2), "y\\");
}

TEST_F(DocOps, ReadOnlyAttributeAndNamesThatAreNoText) {
  std::string path = Write("r.doc", "not a compound file");
  EXPECT_FALSE(IsReadOnlyFile(path));
  EXPECT_FALSE(IsWordFileName(path)) << "only a compound file is a Word file";
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(IsReadOnlyFile(path));
  EXPECT_TRUE(ClearReadOnlyAttr(path));
  EXPECT_FALSE(IsReadOnlyFile(path));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "the others stay";
  EXPECT_FALSE(IsReadOnlyFile(files / "missing.tex"));
  EXPECT_FALSE(ClearReadOnlyAttr(files / "missing.tex"));
  EXPECT_TRUE(IsBinaryFileName(files / "a.DVI"));
  EXPECT_FALSE(IsBinaryFileName(files / "a.tex"));
  EXPECT_FALSE(IsBinaryFileName(files / "Makefile")) << "no extension is not binary";
}

TEST_F(Doc, DocKeysEnterTemplatesBracketsInsertAndTheBackslashKey) {
  top->Settings.EditOption.IndentType = 1;
  top->Settings.Edit2Option.EnterCtrlStr = "\\\\$Ret$SpIndent";
  top->Settings.Edit2Option.EnterCtrlShiftStr = "\\newpage$Ret$NoIndent";
  TDocForm* doc = Open(Write("k.tex", "  \x82\xA0x\r\n"));
  doc->ApplySettings();
  TEditor* view = doc->Editor1;
  top->Settings.BracketList.SetText("(($S)\r\n");
  top->Settings.BracketOpeners = "(";
  view->SetFocus();
  view->SetRowCol(0, 4);
  Key(view, VK_RETURN);
  EXPECT_EQ(view->Lines()[1], "  x") << "plain Enter keeps the indentation";
  {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE held[256];
    memcpy(held, state, sizeof held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    Key(view, VK_RETURN);
    held[VK_SHIFT] = 0x80;
    SetKeyboardState(held);
    Key(view, VK_RETURN);
    SetKeyboardState(state);
  }
  EXPECT_EQ(view->Lines()[1], "  \\\\");
  EXPECT_EQ(view->Lines()[2], "  \\newpage");
  EXPECT_EQ(view->Lines()[3], "x");

  view->SetRowCol(3, 1);
  Type(view, "(");
  EXPECT_EQ(view->Lines()[3], "x()");
  EXPECT_EQ(view->Col(), 2) << "between the brackets";

  Key(view, VK_INSERT);
  EXPECT_TRUE(view->OverWrite());
  EXPECT_TRUE(doc->Editor2->OverWrite());
  EXPECT_EQ(top->StatusBar1->Panels(spEditMode).Text(), "上書");
  top->Settings.EditOption.InsertKeyDisable = true;
  Key(view, VK_INSERT);
  EXPECT_TRUE(view->OverWrite());

  top->Settings.EditOption.AutoCommand = true;
  WORD key = 226;
  doc->Editor1KeyDown(view, key, 0);
  EXPECT_EQ(key, 0) << "226 is the backslash key, swallowed with AutoCommand";
  EXPECT_EQ(top->StatusBar1->Panels(spCaret).Text(), "4 : 2");
}

TEST_F(Doc, DocKeysBackspaceAndDeleteVariants) {
  TDocForm* doc = Open(Write("d.tex", "one two three\r\n"));
  TEditor* view = doc->Editor1;
  auto press = [&](WORD key, TShiftState shift) { doc->Editor1KeyDown(view, key, shift); };
  view->SetRowCol(0, 7);
  press(VK_BACK, ssShift);
  EXPECT_EQ(view->SelText(), "two");
  view->RemoveSelection();
  view->SetRowCol(0, 4);
  press(VK_BACK, ssCtrl);
  EXPECT_EQ(view->Lines()[0], "two three");
  press(VK_DELETE, ssCtrl);
  EXPECT_EQ(view->Lines()[0], "");
  view->Lines().Put(0, "alpha beta");
  view->SetRowCol(0, 0);
  press(VK_DELETE, ssCtrl | ssShift);
  EXPECT_EQ(view->Lines()[0], " beta");
}

TEST_F(Doc, DocWindowWrapSplitCaptionsAndInformation) {
  std::string main = File("main.tex");
  TDocForm* doc = Open(File("a.tex"));
  ASSERT_TRUE(doc->SelectOwnerFile(main));
  EXPECT_EQ(doc->Caption(), "a.tex in main.tex");
  EXPECT_EQ(doc->OutlineNode->ImageIndex(), 2);
  top->Settings.FileIOOption.FullPathFileName = true;
  doc->UpdateCaption();
  EXPECT_EQ(doc->Caption(), files / "a.tex" + " in main.tex");

  doc->SetBounds(0, 0, 120, 200);
  doc->SetWordWrap(true);
  EXPECT_EQ(doc->Editor1->WrapOption().WrapByte(), 20);
  EXPECT_EQ(doc->Editor1->ScrollBars(), TScrollStyle::ssBoth);
  doc->Panel_Editor->SetHeight(30);
  doc->Splitter1Moved(doc->Splitter1);
  EXPECT_FALSE(doc->SplitView);
  EXPECT_EQ(doc->Panel_Editor->Height(), 1);

  doc->Editor1->Lines().SetText("\x8A\xBF\x8E\x9A\r\nab\r\n");
  doc->Editor1->SetRowCol(0, 2);
  doc->Editor1->SetSelLength(5);
  TDocumentInfo info = doc->GetDocumentInfo();
  EXPECT_EQ(info.Bytes, 10);
  EXPECT_EQ(info.Chars, 6);
  EXPECT_EQ(info.Lines, 2);
  EXPECT_EQ(info.CharsWithoutBreaks, 4);
  EXPECT_EQ(info.SelBytes, 5);
  EXPECT_EQ(info.SelChars, 3);
  EXPECT_EQ(info.SelLines, 2);
  EXPECT_EQ(info.OpenTime, info.FileTime);

  doc->Editor1->SetRowCol(0, 0);
  doc->CutCaretLine();
  EXPECT_EQ(doc->Editor1->Lines()[0], "ab");
  doc->PasteCutLine();
  EXPECT_EQ(doc->Editor1->Lines()[0], "\x8A\xBF\x8E\x9A");
  EXPECT_EQ(DoubleClickTarget("www.example.com", tkUrl), "http://www.example.com");
  EXPECT_EQ(DoubleClickTarget("a@b.jp", tkMail), "mailto:a@b.jp");
  EXPECT_EQ(DoubleClickTarget("word", 1), "");
}

TEST_F(Doc, FileStateIsKeptPerFileAndRestoredOnOpening) {
  std::string path = File("表State.tex");
  TDocForm* doc = Open(path);
  EXPECT_EQ(doc->Editor1->Row(), 0) << "first open: carets at the start";
  EXPECT_EQ(doc->Panel_Log->Height(), 1);
  EXPECT_TRUE(doc->pop_LogViewWanning->Checked());
  doc->SetWordWrap(true);
  doc->Editor1->SetRowCol(5, 2);
  const int row = doc->Editor1->Row(), col = doc->Editor1->Col();
  ASSERT_TRUE(doc->SelectOwnerFile(File("main.tex")));
  CloseDoc(doc);
  std::string lowered = path;
  CharLowerBuffA(lowered.data(), static_cast<DWORD>(lowered.size()));
  std::string record = StoredBinary("FileInit", lowered);
  ASSERT_EQ(record.size(), 25u);
  EXPECT_EQ(record.substr(0, 8), PackFileState({col, row, 0, 0, true, 1}).substr(0, 8));
  EXPECT_EQ(record[16], 1);
  EXPECT_EQ(StoredBinary("FileInitLogWnd", path).size(), 13u);

  top->EditorProp1->SetWordWrap(false);
  doc = Open(path);
  EXPECT_EQ(doc->Editor1->Row(), row);
  EXPECT_EQ(doc->Editor1->Col(), col);
  EXPECT_TRUE(doc->Editor1->WordWrap()) << "wrap stored on";
  EXPECT_EQ(doc->OwnerFile, files / "main.tex");
  doc->ClearOwnerFile();
  CloseDoc(doc);
  EXPECT_TRUE(StoredBinary("FileInitOwnerEx", lowered).empty()) << "a cleared owner goes";

  // A record of another size gives the defaults.
  Store("FileInit", lowered, BinaryValue(record.substr(0, 24)));
  doc = Open(path);
  EXPECT_EQ(doc->Editor1->Row(), 0);
  CloseDoc(doc);

  ClearFileStates();
  EXPECT_TRUE(StoredBinary("FileInit", lowered).empty());
  top->Settings.FileIOOption.UseEditInfo = false;
  CloseDoc(Open(path));
  EXPECT_TRUE(StoredBinary("FileInit", lowered).empty()) << "UseEditInfo off writes nothing";
}

// What the thread's hooks saw while a document opened: the editor windows made, and the
// scroll-bar styles of the editors as the document window was first shown.
struct OpeningWatch {
  static inline std::vector<HWND> editorsMade;
  static inline std::vector<LONG> stylesAtShow;

  static bool IsClass(HWND window, const char* name) {
    char found[32] = {};
    GetClassNameA(window, found, sizeof found);
    return lstrcmpiA(found, name) == 0;
  }
  static LRESULT CALLBACK Cbt(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && IsClass(window, "TEditor"))
      editorsMade.push_back(window);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static BOOL CALLBACK RecordEditor(HWND child, LPARAM) {
    if (IsClass(child, "TEditor"))
      stylesAtShow.push_back(GetWindowLongA(child, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    return TRUE;
  }
  // The frame's client is not drawn while a document window is made, and shows with it
  // (by its redraw turned on, or shown).
  static bool ClientShows(int code, const CWPSTRUCT& call) {
    return code == HC_ACTION && (call.message == WM_SETREDRAW || call.message == WM_SHOWWINDOW) &&
           call.wParam && IsClass(call.hwnd, "MDIClient");
  }
  static LRESULT CALLBACK CallWnd(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (ClientShows(code, *call) && stylesAtShow.empty())
      EnumChildWindows(call->hwnd, RecordEditor, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

TEST_F(Doc, FileStateRememberedWrapAndBarsAreThereAtTheFirstShowWithoutNewViewWindows) {
  std::string text;
  for (int i = 0; i < 200; ++i)
    text += "word ";
  text += "\r\n";
  for (int i = 0; i < 50; ++i)
    text += "x\r\n";
  std::string path = Write("wrapped.tex", text);
  for (bool wrap : {true, false}) {
    SaveFileState(path, TFileState{0, 0, 0, 0, wrap, 1}, "");
    top->EditorProp1->SetWordWrap(!wrap);
    OpeningWatch::editorsMade.clear();
    OpeningWatch::stylesAtShow.clear();
    HHOOK cbt = SetWindowsHookExA(WH_CBT, OpeningWatch::Cbt, nullptr, GetCurrentThreadId());
    HHOOK calls = SetWindowsHookExA(WH_CALLWNDPROC, OpeningWatch::CallWnd, nullptr,
                                    GetCurrentThreadId());
    TDocForm* doc = Open(path);
    RedrawWindow(doc->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    UnhookWindowsHookEx(calls);
    UnhookWindowsHookEx(cbt);

    EXPECT_EQ(doc->Editor1->WordWrap(), wrap);
    EXPECT_EQ(doc->Editor1->RowCount() > 51, wrap) << "the long line wrapped or not";
    EXPECT_EQ(OpeningWatch::editorsMade,
              (std::vector<HWND>{doc->Editor1->Handle(), doc->Editor2->Handle()}))
        << "each view's window made once and kept to the first paint; wrap " << wrap;
    LONG bars = wrap ? WS_VSCROLL : WS_VSCROLL | WS_HSCROLL;
    EXPECT_EQ(OpeningWatch::stylesAtShow, (std::vector<LONG>{bars, bars})) << "wrap " << wrap;
    CloseDoc(doc);
  }
}

// The first view's line count and the document window's caption as the frame's client first
// shows with a new document in it.
struct FirstShowWatch {
  static inline int lines = -1;
  static inline std::string caption;

  static BOOL CALLBACK Record(HWND child, LPARAM) {
    if (auto* view = dynamic_cast<TEditor*>(TControl::FromHandle(child)); view && lines < 0) {
      lines = view->Lines().Count();
      if (auto* doc = dynamic_cast<TDocForm*>(view->ParentForm()))
        caption = doc->Caption();
    }
    return TRUE;
  }
  static LRESULT CALLBACK CallWnd(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (OpeningWatch::ClientShows(code, *call) && lines < 0)
      EnumChildWindows(call->hwnd, Record, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

// What the opening gives the view: the remembered caret in the middle of the view, and the
// wrap column of the view's width.
void ExpectOpenedAt(TDocForm& doc, int row, const std::string& what) {
  TEditor& view = *doc.Editor1;
  EXPECT_EQ(view.Row(), row) << what;
  EXPECT_EQ(view.TopRow(), row - view.ClientHeight() / view.RowHeight() / 2) << what;
  int width = view.Width() - 2 * view.Margin().Left() - GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(view.WrapOption().WrapByte(), width / view.CharPitch()) << what;
}

TEST_F(Doc, AnOpenedDocumentIsFilledBeforeItShowsOrOnceMaximisedAtItsFinalSize) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "line " + std::to_string(i) + "\r\n";
  std::string path = Write("long.tex", text), other = Write("other.tex", text);
  SaveFileState(path, TFileState{2, 150, 0, 0, true, 1}, "");
  SaveFileState(other, TFileState{2, 120, 0, 0, true, 1}, "");
  top->EditorProp1->SetWordWrap(true);

  HHOOK calls = SetWindowsHookExA(WH_CALLWNDPROC, FirstShowWatch::CallWnd, nullptr,
                                  GetCurrentThreadId());
  TDocForm* doc = Open(path);
  UnhookWindowsHookEx(calls);
  EXPECT_EQ(FirstShowWatch::lines, 300) << "the text is there as the window shows";
  EXPECT_EQ(FirstShowWatch::caption, "long.tex");
  EXPECT_EQ(doc->Caption(), "long.tex");
  ExpectOpenedAt(*doc, 150, "at the size it has");

  // Closed maximised, the next document window shows maximised.
  doc->SetWindowState(TWindowState::wsMaximized);
  CloseDoc(doc);
  TDocForm* maximised = Open(other);
  ASSERT_EQ(maximised->WindowState(), TWindowState::wsMaximized);
  EXPECT_EQ(maximised->Editor1->Lines().Count(), 300);
  EXPECT_EQ(maximised->Caption(), "other.tex");
  ExpectOpenedAt(*maximised, 120, "maximised");
  EXPECT_EQ(maximised->OutlineNode->Text(), "other.tex");
}

TEST_F(Doc, AnOpenedDocumentIsDrawnWithTheFramesClientAroundIt) {
  std::string path = Write("drawn.tex", "x\r\n");
  SetForegroundWindow(top->Handle());
  ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == top->Handle(); }));
  TDocForm* doc = Open(path);
  TEditor& view = *doc->Editor1;
  // Below the text in the view, and beside or below the document window in the client.
  POINT inView = view.ClientToScreen({view.ClientWidth() - 10, view.ClientHeight() - 10});
  RECT client, window;
  GetClientRect(top->ClientHandle(), &client);
  GetWindowRect(doc->Handle(), &window);
  MapWindowPoints(nullptr, top->ClientHandle(), reinterpret_cast<POINT*>(&window), 2);
  POINT inClient = window.right + 10 < client.right ? POINT{window.right + 5, window.top + 5}
                                                    : POINT{window.left + 5, window.bottom + 5};
  ClientToScreen(top->ClientHandle(), &inClient);
  ASSERT_EQ(WindowFromPoint(inView), view.Handle());
  ASSERT_EQ(WindowFromPoint(inClient), top->ClientHandle());
  auto drawn = [&] {
    return uitest::ScreenPixel(inView) == ColorToRGB(view.Color()) &&
           uitest::ScreenPixel(inClient) == GetSysColor(COLOR_APPWORKSPACE);
  };
  EXPECT_TRUE(uitest::PumpUntil(drawn));
}

TEST_F(Doc, DocOpenACompoundDocFileIsRefusedQuietlyAndOpenedAfterItsMessage) {
  std::string path = files / "word.doc";
  IStorage* storage = nullptr;
  ASSERT_HRESULT_SUCCEEDED(StgCreateDocfile(
      AnsiToWide(path).c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
      &storage));
  storage->Release();
  EXPECT_FALSE(OpenDocument(path, "", false, -1, false, true));
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(OpenDocument(path, "", false, -1, false, false));
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "ファイル \"" + path + "\" は MS-Word 形式です.");
  EXPECT_TRUE(ActiveDoc()->Editor1->ReadOnly()) << "its bytes are no text";
  Write("plain.doc", "text\r\n");
  EXPECT_TRUE(OpenDocument(files / "plain.doc", "", false, -1, false, true)) << "no compound file";
}

TEST_F(Doc, DocOpenAShortcutOpensItsTarget) {
  std::string target = File("target.tex"), link = files / "link.lnk";
  {
    ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr));
    IShellLinkA* shell = nullptr;
    IPersistFile* persist = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkA, reinterpret_cast<void**>(&shell)));
    shell->SetPath(target.c_str());
    shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    EXPECT_HRESULT_SUCCEEDED(persist->Save(AnsiToWide(link).c_str(), TRUE));
    persist->Release();
    shell->Release();
    CoUninitialize();
  }
  ASSERT_TRUE(OpenDocument(link, "", false, -1, false, true));
  EXPECT_EQ(ActiveDoc()->FileName, target);
}

TEST_F(Doc, DocSaveANameOpenInAnotherWindowGoesToSaveAs) {
  std::string other = File("other.tex");
  Open(other);
  TDocForm* doc = Open(File("this.tex"));
  std::string target = files / "third.tex";
  int asked = 0;
  SetFileDialogHook([&](const TFileDialogFields&) {
    ++asked;
    return TFileDialogAnswer{true, {target}, false, 1};
  });
  ASSERT_TRUE(doc->SaveFile(other));
  EXPECT_EQ(dialogs.calls.back().text, "ファイル \"" + other + "\" は現在開いています.");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(doc->FileName, target);
}

TEST_F(Doc, DocKeysInsertInTheSecondViewAltDragBoxSelectionAndTheWheel) {
  TDocForm* doc = Open(File("v.tex"));
  Key(doc->Editor2, VK_INSERT);
  EXPECT_TRUE(doc->Editor1->OverWrite());
  EXPECT_TRUE(doc->Editor2->OverWrite()) << "the second view toggles the first and follows it";
  Key(doc->Editor2, VK_INSERT);
  EXPECT_FALSE(doc->Editor2->OverWrite());

  doc->Editor1MouseDown(doc->Editor1, TMouseButton::mbLeft, ssAlt, 0, 0);
  EXPECT_EQ(doc->Editor1->SelectionMode(), 1);
  doc->Editor1SelectionChange(doc->Editor1, true);
  EXPECT_EQ(doc->Editor1->SelectionMode(), 1) << "kept while something is selected";
  doc->Editor1SelectionChange(doc->Editor1, false);
  EXPECT_EQ(doc->Editor1->SelectionMode(), 0) << "back once nothing is selected";
  EXPECT_FALSE(doc->BoxSelectByAlt);

  std::string many;
  for (int i = 0; i < 100; ++i)
    many += "line\r\n";
  doc->Editor1->Lines().SetText(many);
  doc->SetBounds(0, 0, 400, 200);
  doc->Editor1->SetTopRow(5);
  RECT rect;
  GetWindowRect(doc->Editor1->Handle(), &rect);
  POINT inside{rect.left + 10, rect.top + 10};
  doc->MouseWheel(-120, inside);
  EXPECT_EQ(doc->Editor1->TopRow(), 6);
  doc->MouseWheel(0, inside);
  EXPECT_EQ(doc->Editor1->TopRow(), 5) << "a delta of 0 scrolls up";
  doc->MouseWheel(-120, POINT{rect.right + 50, rect.bottom + 50});
  EXPECT_EQ(doc->Editor1->TopRow(), 5) << "over no view";
}

TEST_F(Doc, DocWindowWhitespaceMarksStayInsideTheirCells) {
  TEditor& view = *Open(File("m.tex"))->Editor1;
  const int pitch = view.CharPitch(), height = view.CharHeight();
  const int tabWidth = view.Caret().TabSpaceCount();
  ASSERT_GT(tabWidth, 1);
  // A blank, a tab to the next tab stop, a full-width blank, then a letter.
  const std::string row = " \t\x81\x40" "a";
  const int tabEnd = tabWidth, blankEnd = tabWidth + 2, end = (blankEnd + 1) * pitch;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, end + 20, height + 10);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const COLORREF ground = RGB(1, 2, 3);
  auto inked = [&](int left, int right, int top, int bottom) {
    for (int x = left; x < right; ++x)
      for (int y = top; y < bottom; ++y)
        if (GetPixel(dc, x, y) != ground)
          return true;
    return false;
  };
  auto draw = [&](int rectRight) {
    HBRUSH brush = CreateSolidBrush(ground);
    RECT all{0, 0, end + 20, height + 10};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    DrawWhitespaceMarks(dc, view, row, 5, 5, RECT{5, 5, 5 + rectRight, 5 + height}, false, {});
  };
  draw(end);
  EXPECT_TRUE(inked(5, 5 + pitch, 5, 5 + height)) << "blank";
  EXPECT_TRUE(inked(5 + pitch, 5 + tabEnd * pitch, 5, 5 + height)) << "tab";
  EXPECT_TRUE(inked(5 + (tabEnd + 1) * pitch, 5 + blankEnd * pitch, 5, 5 + height))
      << "a full-width blank spans two columns";
  EXPECT_FALSE(inked(5 + blankEnd * pitch, end + 20, 0, height + 10)) << "nothing for a letter";
  EXPECT_FALSE(inked(0, end + 20, 0, 5)) << "nothing above the row";
  EXPECT_FALSE(inked(0, 5, 0, height + 10)) << "nothing left of it";
  draw(blankEnd * pitch - 1);
  EXPECT_FALSE(inked(5 + tabEnd * pitch, end + 20, 0, height + 10))
      << "a cell not wholly inside gets no mark";
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(DocOps, ExecuteParametersFillTheirPlaceholders) {
  std::string expanded, folder;
  ASSERT_TRUE(ExpandExecuteParameters("$$ $FileName $OwnerFileName $SelText x", expanded, folder));
  EXPECT_EQ(expanded, "$    x") << "no document: removed";
  EXPECT_FALSE(ExpandExecuteParameters("%file%", expanded, folder));

  std::string main = File("main.tex");
  TDocForm* doc = Open(File("a.tex"));
  ASSERT_TRUE(doc->SelectOwnerFile(main));
  EXPECT_FALSE(ExpandExecuteParameters("$SelText", expanded, folder)) << "nothing selected";
  doc->ActiveEditor->SetRowCol(0, 1);
  doc->ActiveEditor->SetSelLength(3);
  struct Case {
    std::string parameters, expected;
  };
  const Case cases[] = {
      {"$FileName", files / "a.tex"},
      {"$OwnerFileName", main},
      {"[$SelText]", "[doc]"},
      {"$$FileName", "$FileName"},
      {"%file.dvi%", files / "main.dvi"},
      {"%file-en%", "a.tex"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(ExpandExecuteParameters(c.parameters, expanded, folder)) << c.parameters;
    EXPECT_EQ(expanded, c.expected) << c.parameters;
    EXPECT_EQ(folder, files.Path().substr(0, files.Path().size() - 1));
  }
  SysFileNew();
  EXPECT_FALSE(ExpandExecuteParameters("$FileName", expanded, folder)) << "untitled";
  EXPECT_FALSE(ExecuteFile("", "x")) << "no program";
}

TEST_F(Doc, DocWindowLogBandTitleHintAndTabToTheCommandEntry) {
  top->LogBGColor = clYellow;
  TDocForm* doc = Open(File("h.tex"));
  doc->ApplySettings();
  EXPECT_EQ(doc->Panel_LogLeftBand->Color(), clYellow) << "the band has the log's colour";
  EXPECT_EQ(doc->LogListBox1->Parent(), doc->Panel3);
  EXPECT_EQ(doc->SpeedButton1->Parent(), doc->Panel_LogLeftBand);
  EXPECT_FALSE(doc->pop_debug1->Visible());
  bool canShow = false;
  doc->TBHint1->OnHint(doc->TBHint1, canShow);
  EXPECT_TRUE(canShow);
  EXPECT_EQ(doc->TBHint1->HintString, files / "h.tex");

  size_t ran = commands.calls.size();
  doc->DialogKey(VK_TAB, 0);
  EXPECT_EQ(commands.calls.size(), ran) << "a closed command entry leaves Tab alone";
  top->Edit_ExCmd1->SetText("$Sys_FileNew");
  top->Panel_ExHelper1->Show();
  EXPECT_TRUE(doc->DialogKey(VK_TAB, 0));
  EXPECT_FALSE(top->Panel_ExHelper1->Visible());
  ASSERT_TRUE(commands.Last());
  EXPECT_EQ(commands.Last()->Command, "$Sys_FileNew") << "run as by Enter";
}

TEST_F(DocOps, OpenDocumentListKeepsItsSelection) {
  TOwned<TComboBox> combo(TComponent::Create<TComboBox>(nullptr));
  combo->SetParent(top);
  std::string a = File("a.tex"), b = File("b.tex");
  Open(a);
  SysFileNew();
  Open(b);
  EXPECT_FALSE(FillOpenDocCombo(*combo));
  EXPECT_EQ(combo->Items().Text(), b + "\r\n" + a + "\r\n") << "named ones, topmost first";
  EXPECT_EQ(combo->ItemIndex(), 1) << "none was selected: the last";
  combo->SetItemIndex(0);
  EXPECT_TRUE(FillOpenDocCombo(*combo));
  EXPECT_EQ(combo->ItemIndex(), 0);
  CloseDoc(FindDocByFileName(b));
  EXPECT_FALSE(FillOpenDocCombo(*combo));
  EXPECT_EQ(combo->Items().Text(), a + "\r\n");
}

} // namespace
