// The file list on a fixture folder of the real shell, seen through a recording view: its
// texts, filters, sorts, selection, renames and watchers.
#include "shell/ShellFileList.h"

#include "common/DateTime.h"
#include "common/TempFolder.h"
#include "core/ListSortEx.h"
#include "core/Platform.h"
#include "core/ShellSortKey.h"
#include "shell/FakeShellFolder.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <set>

using namespace quolin;
using namespace quolin::test_support;
using enum TShItemIDType;

namespace {

class RecordingHost final : public TShellListHost {
public:
  TViewStyle style = TViewStyle::vsReport;
  bool includeHidden = true;
  TShVirtuaItems virtuals;
  std::function<bool(TShellFileItem*)> filter;
  int itemCount = 0;
  std::set<int> selected;
  int focused = -1;
  int listChanges = 0;
  int selectionReports = 0;
  int selectionDepth = 0;
  std::vector<std::pair<TShFilesWatcher*, std::string>> watcherCalls;
  std::vector<int> widths = {100, 60, 80, 90, 40};
  std::vector<int> order = {0, 1, 2, 3, 4};

  HWND ListWindow() override { return nullptr; }
  TViewStyle ViewStyle() override { return style; }
  void SetViewStyle(TViewStyle value) override { style = value; }
  bool IncludeHidden() override { return includeHidden; }
  TShVirtuaItems ShVirtuaItems() override { return virtuals; }
  bool DoShFilter(TShellFileItem* item) override { return !filter || filter(item); }
  void ShListChange(TShellFileList*) override { ++listChanges; }
  int ItemCount() override { return itemCount; }
  void SetItemCount(int count) override { itemCount = count; }
  std::vector<int> SelectedIndexes() override { return {selected.begin(), selected.end()}; }
  int FocusedIndex() override { return focused; }
  void SetSelected(int index, bool on) override {
    for (int i = index < 0 ? 0 : index; i < (index < 0 ? itemCount : index + 1); ++i)
      on ? void(selected.insert(i)) : void(selected.erase(i));
  }
  void SetFocused(int index) override { focused = index; }
  void BeginUpdate() override {}
  void EndUpdate() override {}
  void Repaint() override {}
  void ScrollToTop() override {}
  bool ColumnsShown() override { return true; }
  int ColumnCount() override { return static_cast<int>(widths.size()); }
  std::vector<int> ColumnOrder() override { return order; }
  int ColumnWidth(int index) override { return widths[static_cast<size_t>(index)]; }
  void ClearColumns() override { widths.clear(); }
  void AddColumn(const std::string&, int width, bool) override { widths.push_back(width); }
  void SetColumnOrder(const std::vector<int>& value) override { order = value; }
  int ClientWidth() override { return 500; }
  void BeginSelectionUpdate() override { ++selectionDepth; }
  void EndSelectionUpdate() override { selectionReports += --selectionDepth == 0; }
  void WatcherChanged(TShFilesWatcher* sender, const std::string& folder) override {
    watcherCalls.emplace_back(sender, folder);
  }
};

struct Fixture {
  const char* name;
  uint64_t size;
  const char* sizeText;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
};
constexpr uint64_t kBeyond4G = (uint64_t{1} << 32) + 1;
// In the order of their sizes; each has its own write time, in another order.
const Fixture kFiles[] = {{"a.txt", 0, "0KB"},
                          {"b.txt", 1, "1KB"},
                          {"r.txt", 3, "1KB", FILE_ATTRIBUTE_READONLY},
                          {"表.txt", 5, "1KB"},
                          {".dot", 7, "1KB"},
                          {"c.dat", 1024, "1KB"},
                          {"d.bin", 1025, "2KB"},
                          {"e.txt", 1048577, "1,025KB"},
                          {"f.big", kBeyond4G, "4,194,305KB"}};
constexpr char kFolder[] = "sub";
constexpr int kEntries = std::size(kFiles) + 1;

FILETIME WriteTime(size_t index) {
  // 2021-01-01 00:00 UTC, then a day apart in a shuffled order.
  constexpr uint64_t kStart = 132539328000000000ull;
  constexpr uint64_t kDay = 864000000000ull;
  uint64_t time = kStart + (index * 5 % std::size(kFiles)) * kDay;
  return {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

void MakeFile(const std::string& path, const Fixture& file, FILETIME written) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
  LARGE_INTEGER size;
  size.QuadPart = static_cast<LONGLONG>(file.size);
  // The 4 GiB file is sparse: its end is set, nothing written.
  EXPECT_TRUE(SetFilePointerEx(handle, size, nullptr, FILE_BEGIN) && SetEndOfFile(handle));
  EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &written));
  CloseHandle(handle);
  SetFileAttributesA(path.c_str(), file.attributes);
}

class ShellFileList : public testing::Test {
protected:
  ShellFileList() {
    for (size_t i = 0; i < std::size(kFiles); ++i)
      MakeFile(temp_ / kFiles[i].name, kFiles[i], WriteTime(i));
    CreateDirectoryA((temp_ / kFolder).c_str(), nullptr);
  }

  void Show(TShellFileList& list, const std::string& path) {
    list.SetFolderIDList(ListOf(path).Get());
  }
  static std::vector<std::string> Names(TShellFileList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
      names.push_back(list.GetItem(i)->GetFindData().cFileName);
    return names;
  }
  static TShellFileItem* Named(TShellFileList& list, const std::string& name) {
    for (int i = 0; i < list.Count(); ++i) {
      if (name == list.GetItem(i)->GetFindData().cFileName)
        return list.GetItem(i);
    }
    ADD_FAILURE() << name;
    return nullptr;
  }

  TempFolder temp_;
  const std::string path_ = temp_.Path().substr(0, temp_.Path().size() - 1);
  RecordingHost host_;
};

std::string LocalText(const SYSTEMTIME& system) {
  char date[64] = {};
  char clock[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &system, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &system, nullptr, clock, sizeof clock);
  return std::string(date) + " " + clock;
}

std::string LocalText(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME system;
  FileTimeToLocalFileTime(&time, &local);
  FileTimeToSystemTime(&local, &system);
  return LocalText(system);
}

TEST_F(ShellFileList, TextsOfTheFixtures) {
  TShellFileList list(&host_, false);
  Show(list, path_);
  ASSERT_EQ(list.Count(), kEntries);
  EXPECT_EQ(host_.itemCount, kEntries);
  for (size_t i = 0; i < std::size(kFiles); ++i) {
    TShellFileItem* item = Named(list, kFiles[i].name);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->GetSize(), kFiles[i].size) << kFiles[i].name;
    EXPECT_EQ(item->GetSizeText(), kFiles[i].sizeText) << kFiles[i].name;
    EXPECT_EQ(item->GetModifiedText(), LocalText(WriteTime(i))) << kFiles[i].name;
    SHFILEINFOA info = {};
    SHGetFileInfoA((temp_ / kFiles[i].name).c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
    EXPECT_EQ(item->GetTypeName(), info.szTypeName) << kFiles[i].name;
    EXPECT_EQ(item->GetPath(), temp_ / kFiles[i].name);
    EXPECT_EQ(item->GetLevel(), list.FolderLevel() + 1);
  }
  EXPECT_EQ(AttributeLetters(Named(list, "r.txt")->GetAttributes()), "RA");
  EXPECT_EQ(Named(list, kFolder)->GetSizeText(), "");
  EXPECT_NE(Named(list, kFolder)->GetTypeName(), Named(list, "a.txt")->GetTypeName());
  EXPECT_EQ(DateTimeToString("ddddd t", 0), LocalText(SYSTEMTIME{1899, 12, 6, 30, 0, 0, 0, 0}))
      << "date-time 0";
}

TEST_F(ShellFileList, HiddenItemsAndTheFilter) {
  TShellFileList list(&host_, false);
  host_.includeHidden = false;
  Show(list, path_);
  EXPECT_EQ(list.Count(), kEntries - 1);
  std::vector<std::string> names = Names(list);
  EXPECT_EQ(std::count(names.begin(), names.end(), ".dot"), 0);
  host_.includeHidden = true;
  host_.filter = [](TShellFileItem* item) { return item->GetFindData().cFileName[0] != 'e'; };
  EXPECT_EQ(list.Refresh(), kEntries - 1);
  EXPECT_EQ(host_.listChanges, 2);
}

std::multiset<TShItemIDType> Types(TShellFileList& list) {
  std::multiset<TShItemIDType> types;
  for (int i = 0; i < list.Count(); ++i)
    types.insert(list.GetItem(i)->GetItemType());
  return types;
}

TEST_F(ShellFileList, DesktopAndMyComputerListTheVirtualItemsAsked) {
  struct Case {
    int folder;
    TShVirtuaItems asked;
    std::vector<TShItemIDType> present;
    std::vector<TShItemIDType> absent;
  };
  const Case cases[] = {
      {sfDesktop, {}, {itMyComputer}, {itBitBucket, itNetWork, itVirtual}},
      {sfDesktop, {itBitBucket, itNetWork}, {itMyComputer, itBitBucket}, {itVirtual}},
      {sfMyComputer, {}, {itRootDrive}, {itVirtual}},
      {sfMyComputer, {itVirtual}, {itRootDrive, itVirtual}, {}}};
  int counts[std::size(cases)] = {};
  for (size_t i = 0; i < std::size(cases); ++i) {
    host_.virtuals = cases[i].asked;
    TShellFileList list(&host_, false);
    list.SetFolderIDList(SpecialFolder(cases[i].folder).Get());
    std::multiset<TShItemIDType> types = Types(list);
    for (TShItemIDType type : cases[i].present)
      EXPECT_TRUE(types.count(type)) << i << " " << static_cast<int>(type);
    for (TShItemIDType type : cases[i].absent)
      EXPECT_FALSE(types.count(type)) << i << " " << static_cast<int>(type);
    counts[i] = list.Count();
  }
  EXPECT_GT(counts[1], counts[0]);
  EXPECT_GT(counts[3], counts[2]);
}

TEST_F(ShellFileList, SortsByEachColumnBothWays) {
  TShellFileList list(&host_, false);
  Show(list, path_);
  EXPECT_EQ(Names(list).front(), kFolder) << "by name, folders first";

  std::vector<std::string> bySize = {kFolder};
  for (const Fixture& file : kFiles)
    bySize.push_back(file.name);
  for (int column = scName; column < ShellColumnCount; ++column) {
    list.SortDirection[column] = 1;
    list.Sort(column);
    std::vector<std::string> ascending = Names(list);
    EXPECT_EQ(ascending.front(), kFolder) << column;
    for (int i = 2; i < list.Count(); ++i) {
      TShellFileItem* a = list.GetItem(i - 1);
      TShellFileItem* b = list.GetItem(i);
      const std::pair<bool, bool> checks[] = {
          {column == scType, CompareLocale(a->GetTypeName(), b->GetTypeName(), false) <= 0},
          {column == scModified, CompareFileTime(&a->GetFindData().ftLastWriteTime,
                                                 &b->GetFindData().ftLastWriteTime) < 0},
          {column == scAttributes,
           AttributeLetters(a->GetAttributes()) <= AttributeLetters(b->GetAttributes())}};
      for (auto [applies, ordered] : checks)
        EXPECT_TRUE(!applies || ordered)
            << column << ": " << ascending[i - 1] << ", " << ascending[i];
    }
    if (column == scSize) {
      EXPECT_EQ(ascending, bySize);
    }
    list.SortDirection[column] = -1;
    list.Sort(column);
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(Names(list), ascending) << column;
  }
}

TEST_F(ShellFileList, AFailedComparisonIsATie) {
  TShellFileList list(&host_, false);
  Show(list, path_);
  std::vector<std::string> names = Names(list);
  std::vector<std::string*> ties;
  for (std::string& name : names)
    ties.push_back(&name);
  ListSortEx(ties, [](const std::string*, const std::string*) { return 0; });
  FakeShellFolder failing;
  failing.compareAnswer = E_FAIL;
  list.SortWith(&failing, scName);
  std::vector<std::string> expected;
  for (const std::string* name : ties)
    expected.push_back(*name);
  EXPECT_EQ(Names(list), expected);
}

TEST_F(ShellFileList, SortByColumnKeepsTheSelectionAndTheFocus) {
  TShellFileList list(&host_, false);
  Show(list, path_);
  const std::set<int> selections[] = {{2, 5}, {0, 1, 3, 6, 7, 8, 9}};
  for (const std::set<int>& selection : selections) {
    host_.selected = selection;
    host_.focused = *selection.begin();
    std::set<std::string> chosen;
    for (int index : selection)
      chosen.insert(list.GetItem(index)->GetFindData().cFileName);
    std::string focus = list.GetItem(host_.focused)->GetFindData().cFileName;
    int reports = host_.selectionReports;
    list.SortDirection[scSize] = -list.SortDirection[scSize];
    list.SortByColumn(scSize);
    std::set<std::string> kept;
    for (int index : host_.selected)
      kept.insert(list.GetItem(index)->GetFindData().cFileName);
    EXPECT_EQ(kept, chosen);
    EXPECT_EQ(list.GetItem(host_.focused)->GetFindData().cFileName, focus);
    EXPECT_EQ(host_.selectionReports, reports + 1);
    EXPECT_EQ(list.SortColumn, scSize);
  }
}

TEST_F(ShellFileList, SelectedItemsAndTheFolder) {
  TShellFileList list(&host_, false);
  Show(list, path_);
  host_.selected = {1, 4};
  std::string first = list.GetItem(1)->GetPath();
  std::string second = list.GetItem(4)->GetPath();
  TShellIDList& ids = list.GetSelectedIDList();
  ASSERT_EQ(ids.Count(), 2);
  std::string path;
  EXPECT_TRUE(ids.GetItemPath(0, path));
  EXPECT_EQ(path, first);
  EXPECT_TRUE(ids.GetItemPath(1, path));
  EXPECT_EQ(path, second);
  int changes = host_.listChanges;
  list.RemoveSelected();
  EXPECT_EQ(list.Count(), kEntries - 2);
  EXPECT_EQ(host_.itemCount, kEntries - 2);
  EXPECT_TRUE(host_.selected.empty());
  EXPECT_EQ(host_.listChanges, changes + 1);
  for (int i = 0; i < list.Count(); ++i)
    EXPECT_TRUE(list.GetItem(i)->GetPath() != first && list.GetItem(i)->GetPath() != second);

  TComPtr<IDropTarget> target;
  EXPECT_EQ(list.GetFolderType(), itFolder);
  EXPECT_TRUE(list.HasFolderAttribute(saFileSystem));
  EXPECT_TRUE(list.GetFolderDropTarget(target) && target);
  for (auto [folder, type] : {std::pair{sfMyComputer, itMyComputer}, {sfDesktop, itDeskTop}}) {
    list.SetFolderIDList(SpecialFolder(folder).Get());
    EXPECT_EQ(list.GetFolderType(), type);
    EXPECT_TRUE(list.HasFolderAttribute(saFolder)) << folder;
    EXPECT_EQ(list.HasFolderAttribute(saFileSystem), folder == sfDesktop) << folder;
  }
  // Documents, a folder of the file system on the desktop shown last. (Wine's desktop gives no
  // drop targets: only the deeper folder above has one.)
  TOwnedIDList documents;
  for (int i = 0; i < list.Count() && !documents; ++i) {
    if (list.GetItem(i)->GetItemType() == itFolder)
      documents.Reset(CopyIDList(list.GetItem(i)->GetAbsoluteIDList()));
  }
  list.SetFolderIDList(documents.Get());
  EXPECT_EQ(list.FolderLevel(), 1);
  EXPECT_TRUE(list.HasFolderAttribute(saFileSystem));
  EXPECT_EQ(list.GetFolderType(), itFolder);
}

TEST_F(ShellFileList, ColumnsFollowTheKindOfFolder) {
  TShellFileList list(&host_, false);
  host_.widths = {11, 12, 13, 14, 15};
  host_.order = {4, 0, 1, 2, 3};
  list.SetFolderIDList(SpecialFolder(sfMyComputer).Get());
  EXPECT_EQ(host_.widths, std::vector<int>{250}) << "the name, half the view wide";
  host_.order = {0};
  Show(list, path_);
  EXPECT_EQ(host_.widths, (std::vector<int>{11, 12, 13, 14, 15}));
  EXPECT_EQ(host_.order, (std::vector<int>{4, 0, 1, 2, 3}));
}

TEST_F(ShellFileList, RenameOnDiskOrNothing) {
  TShellFileList list(&host_, false);
  Show(list, path_);
  TShellFileItem* item = Named(list, "b.txt");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetDisplayName().substr(0, 1), "b");
  for (const char* refused : {"a.txt", "x\\y.txt"}) {
    LPCITEMIDLIST before = item->IDList.Get();
    EXPECT_FALSE(item->Rename(refused)) << refused;
    EXPECT_EQ(item->IDList.Get(), before);
  }
  EXPECT_TRUE(item->Rename("新.txt"));
  EXPECT_EQ(item->GetPath(), temp_ / "新.txt");
  EXPECT_EQ(std::string(item->GetFindData().cFileName), "新.txt");
  EXPECT_EQ(GetFileAttributesA((temp_ / "b.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(TempFolder::Names(temp_.Path()).size(), static_cast<size_t>(kEntries));
}

// A report comes no earlier than the watcher's quiet period after the change.
TEST_F(ShellFileList, WatchersReportNamesAndDetails) {
  constexpr DWORD kQuietMs = TShFilesWatcher::DefaultQuietMs;
  constexpr DWORD kLimitMs = kQuietMs + 10000;
  TShellFileList list(&host_);
  Show(list, path_);
  struct Change {
    TShFilesWatcher* watcher;
    std::function<void()> make;
  };
  // An attribute change is no change of names; a new file may be one of details too. Each
  // attempt makes a change of its own: Wine may miss one made while a watcher re-arms.
  int attempt = 0;
  const Change changes[] = {
      {list.DetailWatcher,
       [&] {
         DWORD attributes = attempt % 2 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
         SetFileAttributesA((temp_ / "a.txt").c_str(), attributes);
       }},
      {list.NameWatcher,
       [&] { TempFolder::WriteFile(temp_ / ("new" + std::to_string(attempt) + ".txt"), ""); }}};
  for (const Change& change : changes) {
    auto reported = [&] {
      return std::any_of(host_.watcherCalls.begin(), host_.watcherCalls.end(),
                         [&](const auto& call) { return call.first == change.watcher; });
    };
    host_.watcherCalls.clear();
    DWORD start = GetTickCount();
    for (attempt = 0; attempt < 3 && !reported(); ++attempt) {
      start = GetTickCount();
      change.make();
      uitest::PumpUntil(reported, kLimitMs);
    }
    ASSERT_TRUE(reported());
    EXPECT_GE(GetTickCount() - start, kQuietMs - 20) << "not before the quiet period";
    for (const auto& [sender, folder] : host_.watcherCalls)
      EXPECT_EQ(folder, path_);
  }
}

TEST_F(ShellFileList, AFreedListHearsNothingOfAWaitingReport) {
  auto list = std::make_unique<TShellFileList>(&host_);
  Show(*list, path_);
  HANDLE handedOver = Application->SyncEvent();
  WaitForSingleObject(handedOver, 0); // forget an earlier hand-over
  // Each attempt a new file: Wine may miss one made while the watcher re-arms.
  DWORD waited = WAIT_TIMEOUT;
  for (int attempt = 0; attempt < 3 && waited != WAIT_OBJECT_0; ++attempt) {
    TempFolder::WriteFile(temp_ / ("new" + std::to_string(attempt) + ".txt"), "");
    waited = WaitForSingleObject(handedOver, TShFilesWatcher::DefaultQuietMs + 10000);
  }
  ASSERT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0));
  list.reset();
  EXPECT_TRUE(Application->CheckSynchronize()) << "the waiting report ran";
  EXPECT_TRUE(host_.watcherCalls.empty());
}

} // namespace
