// The shell list view on fixture folders of the test prefix, in a shown form: its columns,
// texts, type-ahead, watching, selection sums, activation, renaming, drops, the clipboard
// viewer and the window made again after a settings change.
#include "shell/ShellListView.h"

#include "common/TempFolder.h"
#include "core/ShellSortKey.h"
#include "shell/FakeShellFolder.h"
#include "support/UiTest.h"
#include "ui/Graphics.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <shellapi.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ProbedList : public TShellListView {
public:
  explicit ProbedList(TComponent* owner) : TShellListView(owner) {}
  using TShellListView::DragEnter;
  using TShellListView::DragLeave;
  using TShellListView::DragOver;
  using TShellListView::Drop;
  using TShellListView::GiveFeedback;
  using TShellListView::QueryContinueDrag;
};

void MakeFile(const std::string& path, uint64_t size, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  EXPECT_TRUE(SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle));
  CloseHandle(handle);
  SetFileAttributesA(path.c_str(), attributes);
}

// A notification as the form reflects it to the list.
template <typename T> LRESULT Notify(TControl* list, T& data, UINT code) {
  auto* header = reinterpret_cast<NMHDR*>(&data);
  header->hwndFrom = list->Handle();
  header->code = code;
  return list->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&data));
}

class ShellList : public testing::Test {
protected:
  ShellList() { GetCurrentDirectoryA(MAX_PATH, savedFolder_); }
  ~ShellList() override {
    form_.reset();
    SetCurrentDirectoryA(savedFolder_);
  }

  ProbedList* Make(const std::string& folder = "") {
    form_->SetBounds(0, 0, 640, 480);
    form_->Show();
    list_ = TComponent::Create<ProbedList>(form_.get(), "ShellListView1");
    list_->SetParent(form_.get());
    list_->SetViewStyle(TViewStyle::vsReport);
    list_->SetBounds(0, 0, 600, 400);
    list_->HandleNeeded();
    EXPECT_TRUE(list_->SetFolderPath(folder.empty() ? path_ : folder));
    return list_;
  }

  std::string Cell(int row, int column) {
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list_->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int Rows() { return static_cast<int>(SendMessageA(list_->Handle(), LVM_GETITEMCOUNT, 0, 0)); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < Rows(); ++i)
      names.push_back(Cell(i, 0));
    return names;
  }
  // The row whose name starts with stem (extensions may be hidden).
  int RowOf(const std::string& stem) {
    for (int i = 0; i < Rows(); ++i) {
      if (Cell(i, 0).rfind(stem, 0) == 0)
        return i;
    }
    return -1;
  }
  std::vector<int> Widths() {
    std::vector<int> widths;
    for (int i = 0; i < Header_GetItemCount(ListView_GetHeader(list_->Handle())); ++i)
      widths.push_back(ListView_GetColumnWidth(list_->Handle(), i));
    return widths;
  }
  int Find(const std::string& text, UINT flags, int start, LPARAM data = 0) {
    NMLVFINDITEMA find{};
    find.iStart = start;
    find.lvfi.flags = flags;
    find.lvfi.psz = text.c_str();
    find.lvfi.lParam = data;
    return static_cast<int>(Notify(list_, find, LVN_ODFINDITEMA));
  }
  // Each attempt makes a change of its own: Wine may miss one made while a watcher re-arms.
  bool Follows(const std::function<void(int attempt)>& change, const std::function<bool()>& shown) {
    for (int attempt = 0; attempt < 3 && !shown(); ++attempt) {
      change(attempt);
      uitest::PumpUntil(shown, TShFilesWatcher::DefaultQuietMs + 10000);
    }
    return shown();
  }

  char savedFolder_[MAX_PATH] = {};
  TempFolder temp_;
  const std::string path_ = temp_.Path().substr(0, temp_.Path().size() - 1);
  TOwned<TForm> form_ = uitest::MakeForm();
  ProbedList* list_ = nullptr;
};

using ShellListColumns = ShellList;
using ShellListTexts = ShellList;
using ShellListFind = ShellList;
using ShellListWatch = ShellList;
using ShellListMouse = ShellList;
using ShellListActivate = ShellList;
using ShellListRename = ShellList;
using ShellListDrag = ShellList;
using ShellListDrop = ShellList;
using ShellListClipboard = ShellList;
using ShellListRecreate = ShellList;

TEST_F(ShellListColumns, ColumnsSortingAndTheVirtualFolder) {
  for (auto [name, size] : {std::pair{"b.txt", 3000}, {"a.txt", 10}, {"c.txt", 2000}})
    MakeFile(temp_ / name, static_cast<uint64_t>(size));
  Make();
  HWND window = list_->Handle();
  EXPECT_EQ(Widths(), std::vector<int>(5, 50)) << "the default width div 5";
  for (int i = 0; i < 5; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT;
    SendMessageA(window, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, i == 1 || i == 4 ? LVCFMT_RIGHT : LVCFMT_LEFT) << i;
  }
  EXPECT_EQ(Names().front().substr(0, 1), "a");

  list_->SetMultiSelect(true);
  for (const char* stem : {"a", "c"})
    list_->SetSelected(RowOf(stem), true);
  EXPECT_EQ(list_->SelectedSize(), 2010u);
  TListView* view = list_;
  view->SetColumnWidth(2, 77);
  view->SetColumnOrder({4, 3, 2, 1, 0});
  NMLISTVIEW click{};
  click.iSubItem = 1;
  Notify(list_, click, LVN_COLUMNCLICK);
  EXPECT_EQ(Names().front().substr(0, 1), "b") << "the first click sorts descending";
  std::vector<std::string> selected;
  for (int index : list_->SelectedIndexes())
    selected.push_back(Cell(index, 0).substr(0, 1));
  EXPECT_EQ(selected, (std::vector<std::string>{"c", "a"}));
  Notify(list_, click, LVN_COLUMNCLICK);
  EXPECT_EQ(Names().front().substr(0, 1), "a") << "then ascending";

  // The bin holds two files of the test's own.
  for (const char* name : {"bin1.txt", "bin2.txt"}) {
    MakeFile(temp_ / name, 1);
    // A list of names, each ending in a null, the list in another.
    std::string from = temp_ / name;
    from.push_back('\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationA(&operation), 0);
  }
  list_->SetFolderIDList(SpecialFolder(sfBitBucket).Get());
  EXPECT_EQ(Widths(), std::vector<int>{list_->ClientWidth() / 2});
  EXPECT_GE(Rows(), 2);
  std::vector<std::string> inBin = Names();
  click.iSubItem = 4;
  Notify(list_, click, LVN_COLUMNCLICK);
  EXPECT_EQ(Names(), inBin) << "no attribute sort outside the file system";

  list_->SetFolderPath(path_);
  EXPECT_EQ(Widths(), (std::vector<int>{50, 50, 77, 50, 50}));
  EXPECT_EQ(view->ColumnOrder(), (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST_F(ShellListTexts, TextsOfEachColumnAndOnlyFetchedRowsRead) {
  MakeFile(temp_ / "r.txt", 1025, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  CreateDirectoryA((temp_ / "sub").c_str(), nullptr);
  Make();
  ASSERT_EQ(Rows(), 2);
  const int row = RowOf("r");
  TShellFileItem* item = list_->FileList().GetItem(row);
  SHFILEINFOA info{};
  SHGetFileInfoA((temp_ / "r.txt").c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
  EXPECT_EQ(Cell(row, 1), "2KB");
  EXPECT_EQ(Cell(row, 2), info.szTypeName);
  EXPECT_EQ(Cell(row, 3), item->GetModifiedText());
  EXPECT_NE(Cell(row, 3), "");
  EXPECT_EQ(Cell(row, 4), "RA");
  EXPECT_EQ(Cell(RowOf("sub"), 1), "");

  // Custom drawing: rows with attributes ask for the sub-item stage; a handler's colour goes to
  // the list, and its refusal skips the default drawing.
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdc = GetDC(list_->Handle());
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  EXPECT_EQ(Notify(list_, draw, NM_CUSTOMDRAW), CDRF_NOTIFYITEMDRAW);
  bool refuse = false;
  list_->OnCustomDrawItem = [&](TListView* sender, int, TCustomDrawState, bool& defaultDraw,
                                bool&) {
    sender->Canvas().SetTextColor(RGB(1, 2, 3));
    defaultDraw = !refuse;
  };
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
  EXPECT_EQ(Notify(list_, draw, NM_CUSTOMDRAW), CDRF_NOTIFYSUBITEMDRAW);
  EXPECT_EQ(draw.clrText, RGB(1, 2, 3));
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(RowOf("sub"));
  EXPECT_EQ(Notify(list_, draw, NM_CUSTOMDRAW), CDRF_DODEFAULT);
  refuse = true;
  EXPECT_EQ(Notify(list_, draw, NM_CUSTOMDRAW), CDRF_SKIPDEFAULT);
  ReleaseDC(list_->Handle(), draw.nmcd.hdc);

  auto* images = TComponent::Create<TImageList>(form_.get());
  TAttributesImage attributes;
  attributes.ImageList = images;
  list_->SetAttributesImage(attributes);
  EXPECT_EQ(Cell(row, 4), "");
  images->Free();
  EXPECT_EQ(list_->AttributesImage().ImageList, nullptr) << "a freed image list is forgotten";
  SetFileAttributesA((temp_ / "r.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

  TempFolder many;
  for (int i = 0; i < 1000; ++i)
    TempFolder::WriteFile(many / (std::to_string(1000 + i) + ".txt"), "");
  ASSERT_TRUE(list_->SetFolderPath(many.Path()));
  ASSERT_EQ(Rows(), 1000);
  UpdateWindow(list_->Handle());
  uitest::Pump();
  int read = 0;
  for (int i = 0; i < 1000; ++i)
    read += list_->FileList().GetItem(i)->FindData.cFileName[0] != '\0';
  EXPECT_GT(read, 0) << "the drawn rows";
  EXPECT_LT(read, 100);
}

TEST_F(ShellListFind, TypeAheadAndFindByWholeCharacters) {
  for (const char* name : {"Alpha.txt", "MyDocument.tex", "Zeta.txt", "ア.txt"})
    MakeFile(temp_ / name, 1);
  Make();
  list_->SetFocus();
  for (char c : {'d', 'o', 'c'})
    uitest::TypeChar(list_->Handle(), c);
  EXPECT_EQ(Cell(list_->FocusedIndex(), 0).substr(0, 10), "MyDocument");

  const int alpha = RowOf("Alpha");
  const int document = RowOf("MyDocument");
  const int katakana = RowOf("ア");
  EXPECT_EQ(Find("doc", LVFI_PARTIAL | LVFI_STRING, 0), document);
  EXPECT_EQ(Find("mydoc", LVFI_STRING, 0), document);
  EXPECT_EQ(Find("doc", LVFI_STRING, 0), -1) << "an exact match begins with the text";
  EXPECT_EQ(Find("alpha", LVFI_STRING, alpha + 1), -1);
  EXPECT_EQ(Find("alpha", LVFI_STRING | LVFI_WRAP, alpha + 1), alpha);
  EXPECT_EQ(Find("A", LVFI_PARTIAL, katakana), -1) << "41 is the second byte of ア";
  EXPECT_EQ(Find("", LVFI_PARAM, 0,
                 reinterpret_cast<LPARAM>(list_->FileList().GetItem(document))),
            document);
}

TEST_F(ShellListWatch, FollowsOutsideChangesTheCurrentFolderAndARemovedFolder) {
  MakeFile(temp_ / "m.txt", 1);
  ASSERT_FALSE(Make()->SetFolderPath(temp_ / "missing"));
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), path_) << "the current folder follows";

  // The right button pressed and released without a menu leaves the list idle.
  POINT point{};
  RECT rect = list_->ItemRect(0, LVIR_LABEL);
  point = POINT{rect.left + 3, rect.top + 3};
  PostMessageA(list_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
  PostMessageA(list_->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  uitest::Pump();
  EXPECT_EQ(list_->MouseState(), 0);

  EXPECT_TRUE(Follows(
      [&](int attempt) { MakeFile(temp_ / "b" + std::to_string(attempt) + ".txt", 1); },
      [&] { return RowOf("b") >= 0; }));
  EXPECT_EQ(RowOf("b"), 0) << "sorted in by name";
  const int m = RowOf("m");
  EXPECT_TRUE(Follows(
      [&](int attempt) {
        SetFileAttributesA((temp_ / "m.txt").c_str(),
                           attempt % 2 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY);
      },
      [&] { return Cell(m, 4).find('R') != std::string::npos; }));
  SetFileAttributesA((temp_ / "m.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

  // Wine keeps a removed folder that the watchers hold open until they let go: the list then
  // finds it empty (Windows reports it gone, and the list forgets it).
  const std::string gone = temp_ / "gone";
  CreateDirectoryA(gone.c_str(), nullptr);
  MakeFile(gone + "\\x.txt", 1);
  ASSERT_TRUE(list_->SetFolderPath(gone));
  ASSERT_EQ(Rows(), 1);
  SetCurrentDirectoryA(savedFolder_); // a current folder cannot be removed
  DeleteFileA((gone + "\\x.txt").c_str());
  ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
  EXPECT_TRUE(uitest::PumpUntil([&] { return Rows() == 0; },
                                TShFilesWatcher::DefaultQuietMs + 10000));
}

TEST_F(ShellListMouse, SelectedSizeIsA64BitSum) {
  constexpr uint64_t kBig = (uint64_t{1} << 32) + 1;
  MakeFile(temp_ / "big.bin", kBig);
  MakeFile(temp_ / "small.bin", 5);
  Make();
  list_->SetMultiSelect(true);
  std::vector<uint32_t> reported;
  list_->OnShSelChange = [&](TObject*, uint32_t size) { reported.push_back(size); };
  list_->SetSelected(RowOf("small"), true);
  EXPECT_EQ(list_->SelectedSize(), 5u);
  list_->SetSelected(RowOf("big"), true);
  EXPECT_EQ(list_->SelectedSize(), kBig + 5);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), 0xFFFFFFFFu) << "saturated";
  list_->SetSelected(RowOf("big"), false);
  EXPECT_EQ(list_->SelectedSize(), 5u);
  EXPECT_EQ(reported.back(), 5u);
  list_->SetSelected(-1, true);
  EXPECT_EQ(list_->SelectedSize(), kBig + 5);
}

TEST_F(ShellListActivate, ActivationOpensFoldersAndAsksForFiles) {
  CreateDirectoryA((temp_ / "sub").c_str(), nullptr);
  MakeFile(temp_ / "doc.txt", 1);
  Make();
  int asked = 0;
  list_->OnShExecute = [&](TObject*, TShellFileItem* item, TShiftState shift, int, int, int,
                           bool& defaultAction) {
    ++asked;
    EXPECT_EQ(item->GetPath(), temp_ / "doc.txt");
    EXPECT_EQ(shift, ssShift | ssCtrl);
    EXPECT_TRUE(defaultAction);
    defaultAction = false; // never the real shell
  };
  NMITEMACTIVATE activate{};
  activate.iItem = RowOf("doc");
  activate.uKeyFlags = LVKF_SHIFT | LVKF_CONTROL;
  Notify(list_, activate, LVN_ITEMACTIVATE);
  EXPECT_EQ(asked, 1);
  LPCITEMIDLIST absolute = list_->FileList().GetItem(activate.iItem)->GetAbsoluteIDList();
  SHELLEXECUTEINFOA info = ItemExecuteInfo(list_->Handle(), absolute);
  EXPECT_EQ(info.cbSize, 60u);
  EXPECT_EQ(info.fMask, 12u);
  EXPECT_EQ(info.hwnd, list_->Handle());
  EXPECT_EQ(info.nShow, 1);
  EXPECT_EQ(info.lpIDList, absolute);
  activate.iItem = RowOf("sub");
  Notify(list_, activate, LVN_ITEMACTIVATE);
  EXPECT_EQ(list_->GetFolderPath(), temp_ / "sub");
  EXPECT_EQ(asked, 1);
}

TEST_F(ShellListRename, RenamesInPlace) {
  MakeFile(temp_ / "old.txt", 1);
  MakeFile(temp_ / "taken.txt", 1);
  Make();
  auto rename = [&](const std::string& text) {
    const int row = RowOf("old");
    list_->SetSelected(row, true);
    HWND edit = list_->EditLabel(row);
    if (!edit)
      return false;
    SetWindowTextA(edit, text.c_str());
    uitest::PressKey(edit, VK_RETURN);
    uitest::Pump();
    return true;
  };
  ASSERT_TRUE(rename("taken.txt"));
  EXPECT_NE(GetFileAttributesA((temp_ / "old.txt").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a clash keeps the old name";
  list_->SetReadOnly(true);
  EXPECT_FALSE(rename("never.txt"));
  list_->SetReadOnly(false);
  ASSERT_TRUE(rename("new.txt"));
  EXPECT_EQ(GetFileAttributesA((temp_ / "old.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA((temp_ / "new.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShellListDrag, DropSourceAnswers) {
  Make();
  const std::tuple<BOOL, DWORD, HRESULT> table[] = {
      {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, 0, DRAGDROP_S_DROP},
      {FALSE, MK_SHIFT, DRAGDROP_S_DROP},
      {FALSE, MK_LBUTTON, S_OK},
      {FALSE, MK_RBUTTON | MK_CONTROL, S_OK}};
  for (auto [escape, keys, answer] : table)
    EXPECT_EQ(list_->QueryContinueDrag(escape, keys), answer) << escape << " " << keys;
  EXPECT_EQ(list_->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

void PutText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  memcpy(GlobalLock(memory), text, strlen(text) + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

TEST_F(ShellListDrop, DropTargetsOfItemsAndTheFolder) {
  TempFolder source;
  MakeFile(source / "moved.txt", 1);
  CreateDirectoryA((temp_ / "sub").c_str(), nullptr);
  MakeFile(temp_ / "file.txt", 1);
  Make();
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(list_->DragEnter(nullptr, 0, {}, &effect), E_INVALIDARG);

  PutText("plain");
  TComPtr<IDataObject> text;
  ASSERT_HRESULT_SUCCEEDED(OleGetClipboard(text.Out()));
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(list_->DragEnter(text.Get(), MK_LBUTTON, {}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "no files in it";

  TComPtr<IDataObject> data = ShellData(source.Path(), "moved.txt");
  ASSERT_TRUE(data);
  std::vector<std::string> events;
  list_->OnShDragOver = [&](TObject*, const TShellDragObject&, TShellFileItem* item, TShiftState,
                            int, int) { events.push_back(item ? "over item" : "over folder"); };
  list_->OnShDragLeave = [&](TObject*) { events.push_back("leave"); };
  bool defaultDrop = false;
  list_->OnShDragDrop = [&](TObject*, const TShellDragObject&, TShellFileItem* item, TShiftState,
                            int, int, bool& defaultAction) {
    events.push_back(item ? "drop item" : "drop folder");
    defaultAction = defaultDrop;
  };
  const RECT sub = list_->ItemRect(RowOf("sub"), LVIR_LABEL);
  const POINT onSub = list_->ClientToScreen(POINT{sub.left + 3, sub.top + 3});
  const POINT empty = list_->ClientToScreen(POINT{300, 300});
  const POINTL subPoint{onSub.x, onSub.y};
  const POINTL emptyPoint{empty.x, empty.y};
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  effect = all;
  EXPECT_EQ(list_->DragEnter(data.Get(), MK_LBUTTON, subPoint, &effect), S_OK);
  EXPECT_EQ(list_->DropHighlight(), RowOf("sub"));
  EXPECT_TRUE(list_->ItemState(RowOf("sub"), LVIS_DROPHILITED));
  EXPECT_NE(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "the folder's effect";
  effect = all;
  list_->DragOver(MK_LBUTTON, emptyPoint, &effect);
  EXPECT_EQ(list_->DropHighlight(), -1);
  EXPECT_NE(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "the shown folder takes it";
  effect = all;
  list_->Drop(data.Get(), MK_LBUTTON, emptyPoint, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "refused by OnShDragDrop";
  effect = all;
  list_->DragEnter(data.Get(), MK_LBUTTON, subPoint, &effect);
  list_->DragLeave();
  EXPECT_EQ(list_->DropHighlight(), -1);
  list_->OnShDragEnter = [](TObject*, const TShellDragObject&, TShiftState, POINT,
                            bool& accept) { accept = false; };
  effect = all;
  list_->DragEnter(data.Get(), MK_LBUTTON, subPoint, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "refused by OnShDragEnter";
  EXPECT_EQ(events, (std::vector<std::string>{"over item", "over folder", "drop folder",
                                              "over item", "leave"}));
}

// A clipboard viewer before the list: the list passes each change on to it.
LRESULT CALLBACK CountingViewer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWCLIPBOARD)
    SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ShellListClipboard, ClipboardViewerTellsOfShellItems) {
  WNDCLASSA viewerClass{};
  viewerClass.lpfnWndProc = CountingViewer;
  viewerClass.lpszClassName = "ShellListTestViewer";
  RegisterClassA(&viewerClass);
  HWND viewer = CreateWindowExA(0, viewerClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
  HWND afterViewer = SetClipboardViewer(viewer);
  MakeFile(temp_ / "clip.txt", 1);
  Make();
  std::vector<bool> told;
  list_->OnShClipboard = [&](TObject*, bool contented) { told.push_back(contented); };
  SetWindowLongPtrA(viewer, GWLP_USERDATA, 0);
  TComPtr<IDataObject> data = ShellData(path_, "clip.txt");
  ASSERT_HRESULT_SUCCEEDED(OleSetClipboard(data.Get()));
  EXPECT_TRUE(uitest::PumpUntil([&] { return !told.empty(); }));
  EXPECT_EQ(told, std::vector<bool>{true});
  OleSetClipboard(nullptr);
  told.clear();
  PutText("plain");
  EXPECT_TRUE(uitest::PumpUntil([&] { return !told.empty() && !told.back(); }));
  EXPECT_GE(GetWindowLongPtrA(viewer, GWLP_USERDATA), 2) << "the next viewer is still told";
  form_.reset();
  ChangeClipboardChain(viewer, afterViewer);
  DestroyWindow(viewer);
}

TEST_F(ShellListRecreate, SettingChangeMakesTheWindowAgain) {
  MakeFile(temp_ / "kept.txt", 1);
  Make();
  TListView* view = list_;
  view->SetColumnOrder({1, 0, 2, 3, 4});
  HWND before = list_->Handle();
  // Sent to the form alone: a broadcast would reach every window of the session.
  SendMessageA(form_->Handle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_TRUE(uitest::PumpUntil([&] { return list_->Handle() != before; }));
  EXPECT_EQ(list_->GetFolderPath(), path_);
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 0).substr(0, 4), "kept");
  EXPECT_EQ(view->ColumnOrder(), (std::vector<int>{1, 0, 2, 3, 4}));
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(
                SendMessageA(list_->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            GetSysImageList(false));
  EXPECT_FALSE(list_->Recreating());
}

} // namespace
