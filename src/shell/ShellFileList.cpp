#include "shell/ShellFileList.h"

#include "common/CodePage.h"
#include "common/DateTime.h"
#include "core/ListSortEx.h"
#include "core/ShellSortKey.h"
#include "core/Platform.h"
#include "shell/ShellCst.h"
#include "shell/ShellUtils.h"
#include "ui/Application.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <unordered_set>

namespace quolin {

namespace {

constexpr int kColumnCount = shellcst::ColumnCount;
constexpr int kSizeColumn = 1;
constexpr size_t kTypeNameLength = 80;
constexpr int kOverlayShift = 8;
constexpr int kSharedOverlay = 1 << kOverlayShift;
constexpr int kLinkOverlay = 2 << kOverlayShift;

// The hourglass while the scope runs, then the cursor that was before (a caller's hourglass
// stays).
class THourGlassScope {
public:
  THourGlassScope() : previous_(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~THourGlassScope() { Screen->SetCursor(previous_); }
  THourGlassScope(const THourGlassScope&) = delete;
  THourGlassScope& operator=(const THourGlassScope&) = delete;

private:
  TCursor previous_;
};

// The view's update bracket for a scope.
class TUpdateScope {
public:
  explicit TUpdateScope(TShellListHost* host) : host_(host) { host_->BeginUpdate(); }
  ~TUpdateScope() { host_->EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
  TShellListHost* host_;
};

// "#,##0" with the locale's thousands separator.
std::string GroupThousands(uint64_t value) {
  char separator[8] = ",";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  std::string digits = std::to_string(value);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      text += separator;
    text += digits[i];
  }
  return text;
}

uint64_t Join(DWORD high, DWORD low) {
  return (static_cast<uint64_t>(high) << 32) | low;
}

} // namespace

TShellFileItem::TShellFileItem(TShellFileList* list, LPITEMIDLIST idList)
    : TShellDataItem(idList), FileList(list) {
}

int TShellFileItem::GetIconIndex() {
  if (FileList->ListView->ViewStyle() != TViewStyle::vsIcon)
    return TShellDataItem::GetIconIndex();
  if (LargeIconIndex < 0) {
    LargeIconIndex = ParentIcon();
    if (LargeIconIndex < 0)
      LargeIconIndex = GetSysIconIndex(GetAbsoluteIDList(), true, false);
  }
  return LargeIconIndex;
}

int TShellFileItem::GetIndex() {
  return FileList->IndexOf(this);
}

int TShellFileItem::GetLevel() {
  int level = FileList->FolderLevel();
  return level < 0 ? -1 : level + 1;
}

LPCITEMIDLIST TShellFileItem::GetParentIDList() {
  return FileList->FolderIDList.Get();
}

LPCITEMIDLIST TShellFileItem::GetAbsoluteIDList() {
  if (!AbsIDList)
    AbsIDList.Reset(FileList->FolderLevel() != 0
                        ? ConcatIDLists(FileList->FolderIDList.Get(), IDList.Get())
                        : CopyIDList(IDList.Get()));
  return AbsIDList.Get();
}

int TShellFileItem::GetOpenIconIndex() {
  return GetSysIconIndex(GetAbsoluteIDList(), FileList->ListView->ViewStyle() == TViewStyle::vsIcon,
                         false);
}

bool TShellFileItem::IsValid() {
  return FileList && IDList;
}

// An item with a path is read from the file system: the shell's item data may hold only the
// low half of a size (Wine's does).
const WIN32_FIND_DATAA& TShellFileItem::GetFindData() {
  if (FindData.cFileName[0] != '\0')
    return FindData;
  if (std::string path = GetPath(); !path.empty()) {
    HANDLE search = FindFirstFileA(path.c_str(), &FindData);
    if (search != INVALID_HANDLE_VALUE)
      FindClose(search);
    else
      FindData = {};
  } else if (IShellFolder* folder = nullptr; GetLevel() > 1 && GetParentFolder(folder)) {
    if (FAILED(SHGetDataFromIDListA(folder, IDList.Get(), SHGDFIL_FINDDATA, &FindData,
                                    sizeof FindData)))
      FindData = {};
  }
  return FindData;
}

uint64_t TShellFileItem::GetSize() {
  const WIN32_FIND_DATAA& data = GetFindData();
  return Join(data.nFileSizeHigh, data.nFileSizeLow);
}

std::string TShellFileItem::GetSizeText() {
  if (!HasAttribute(saFileSystem) || HasAttribute(saFolder))
    return "";
  return GroupThousands((GetSize() + 1023) / 1024) + "KB";
}

std::string TShellFileItem::GetTypeName() {
  SHFILEINFOA info = {};
  if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(GetAbsoluteIDList()), 0, &info, sizeof info,
                      SHGFI_TYPENAME | SHGFI_PIDL))
    return "";
  return std::string(info.szTypeName, strnlen(info.szTypeName, kTypeNameLength));
}

std::string TShellFileItem::GetModifiedText() {
  return DateTimeToString("ddddd t", FileTimeToDateTime(GetFindData().ftLastWriteTime));
}

int TShellFileItem::GetOverlayIndex() {
  int index = -1;
  if (ParentOverlay(index))
    return index < 0 ? 0 : index << kOverlayShift;
  if (HasAttribute(saShared))
    return kSharedOverlay;
  return HasAttribute(saLink) ? kLinkOverlay : 0;
}

bool TShellFileItem::Rename(const std::string& newName) {
  IShellFolder* folder = nullptr;
  if (!GetParentFolder(folder))
    return false;
  std::wstring wide = AnsiToWide(newName);
  LPITEMIDLIST renamed = nullptr;
  // The name is given as it was read: in the folder, for editing.
  HRESULT result = folder->SetNameOf(Application->Handle(), IDList.Get(), wide.c_str(),
                                     SHGDN_INFOLDER | SHGDN_FOREDITING, &renamed);
  if (FAILED(result) || !renamed) {
    FreeIDList(renamed);
    return false;
  }
  IDList.Reset(renamed);
  AbsIDList.Reset();
  LargeIconIndex = IconIndex = OpenIconIndex = -1;
  Name.clear();
  FindData = {};
  return true;
}

TShellFileList::TShellFileList(TShellListHost* listView, bool watching)
    : ListView(listView), self_(std::make_shared<TShellFileList*>(this)) {
  if (!watching)
    return;
  NameWatcher = Watch(NameFilter);
  DetailWatcher = Watch(DetailFilter);
}

TShellFileList::~TShellFileList() {
  *self_ = nullptr;
  for (TShFilesWatcher* watcher : {NameWatcher, DetailWatcher}) {
    if (watcher)
      watcher->Stop();
  }
}

TShFilesWatcher* TShellFileList::Watch(DWORD filter) {
  std::shared_ptr<TShellFileList*> self = self_;
  return TShFilesWatcher::Create(
      "", filter,
      [self](TShFilesWatcher* sender, const std::string& folder) {
        if (TShellFileList* list = *self)
          list->ListView->WatcherChanged(sender, folder);
      },
      [self](TObject* sender) {
        if (TShellFileList* list = *self)
          list->WatcherEnded(sender);
      });
}

void TShellFileList::WatcherEnded(TObject* sender) {
  if (sender == NameWatcher)
    NameWatcher = nullptr;
  if (sender == DetailWatcher)
    DetailWatcher = nullptr;
}

void TShellFileList::SetWatchedFolder(const std::string& folder) {
  for (TShFilesWatcher* watcher : {NameWatcher, DetailWatcher}) {
    if (watcher)
      watcher->SetFolder(folder);
  }
}

void TShellFileList::RestartWatching() {
  SetWatchedFolder(FolderPath());
}

void TShellFileList::StopWatching() {
  SetWatchedFolder("");
}

TShellFileItem* TShellFileList::GetItem(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

int TShellFileList::IndexOf(const TShellFileItem* item) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<size_t>(i)].get() == item)
      return i;
  }
  return -1;
}

void TShellFileList::Clear() {
  items_.clear();
}

std::string TShellFileList::FolderPath() const {
  std::string path;
  IDListToPath(FolderIDList.Get(), path);
  return path;
}

LPCITEMIDLIST TShellFileList::FolderParentIDList() {
  if (!folderParentIDList_ && FolderIDList)
    folderParentIDList_.Reset(folderLevel_ == 0 ? CopyIDList(FolderIDList.Get())
                                                : GetIDListParent(FolderIDList.Get()));
  return folderParentIDList_.Get();
}

LPCITEMIDLIST TShellFileList::FolderLastID() {
  if (!folderLastID_ && FolderIDList)
    folderLastID_.Reset(GetLastItemID(FolderIDList.Get()));
  return folderLastID_.Get();
}

int TShellFileList::Refresh() {
  StopWatching();
  {
    TUpdateScope update(ListView);
    TComPtr<IShellFolder> folder;
    if (GetFolder(folder)) {
      TViewStyle style = ListView->ViewStyle();
      Clear();
      if (style == TViewStyle::vsList && ListView->ItemCount() > 0)
        ListView->ScrollToTop();
      ListView->SetItemCount(0);
      // Large folders fill faster in the icon view.
      ListView->SetViewStyle(TViewStyle::vsIcon);
      EnumerateFolder(folder.Get(), folderLevel_);
      if (Count() > 0) {
        ListView->SetItemCount(Count());
        ListView->SetFocused(0);
      }
      ListView->SetViewStyle(style);
    }
    ListView->ShListChange(this);
  }
  RestartWatching();
  return Count();
}

void TShellFileList::SetFolderIDList(LPCITEMIDLIST list) {
  const bool columns = ListView->ColumnsShown();
  if (columns && ListView->ColumnCount() > 1)
    StoreColumns();
  FolderIDList.Reset(CopyIDList(list));
  folderParentIDList_.Reset();
  folderLastID_.Reset();
  folderLevel_ = GetIDListLevel(FolderIDList.Get());
  TUpdateScope update(ListView);
  ListView->SetItemCount(Refresh());
  if (Count() > 0)
    ListView->ScrollToTop();
  if (columns)
    ShowColumns();
}

void TShellFileList::ForgetFolder() {
  Clear();
  FolderIDList.Reset();
  folderParentIDList_.Reset();
  folderLastID_.Reset();
  folderLevel_ = -1;
}

void TShellFileList::StoreColumns() {
  ColumnOrder = ListView->ColumnOrder();
  ColumnWidths.clear();
  for (int i = 0; i < ListView->ColumnCount(); ++i)
    ColumnWidths.push_back(ListView->ColumnWidth(i));
}

// A folder outside the file system shows its names only, half the view wide; one of the file
// system gets the stored columns back.
void TShellFileList::ShowColumns() {
  if (FolderPath().empty()) {
    if (ListView->ColumnCount() > 1)
      ListView->ClearColumns();
    if (ListView->ColumnCount() == 0)
      ListView->AddColumn(shellcst::ColumnName, ListView->ClientWidth() / 2, false);
    return;
  }
  if (ListView->ColumnCount() >= 2)
    return;
  ListView->ClearColumns();
  for (size_t i = 0; i < ColumnWidths.size() && i < kColumnCount; ++i)
    ListView->AddColumn(shellcst::ColumnCaptions[i], ColumnWidths[i], i == kSizeColumn);
  ListView->SetColumnOrder(ColumnOrder);
}

int TShellFileList::EnumerateFolder(IShellFolder* folder, int mode) {
  SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  if (ListView->IncludeHidden())
    flags |= SHCONTF_INCLUDEHIDDEN;
  TComPtr<IEnumIDList> entries;
  if (!folder || FAILED(folder->EnumObjects(ListView->ListWindow(), flags, entries.Out())) ||
      !entries)
    return 0;
  THourGlassScope hourGlass;
  const TShItemIDType folderType = mode == 1 ? GetFolderType() : TShItemIDType::itUnknown;
  const TShVirtuaItems virtuals = ListView->ShVirtuaItems();
  for (LPITEMIDLIST entry = nullptr; entries->Next(1, &entry, nullptr) == S_OK; entry = nullptr) {
    auto item = std::make_unique<TShellFileItem>(this, entry);
    if (ShellItemListed(*item, mode, folderType, virtuals) && ListView->DoShFilter(item.get()))
      items_.push_back(std::move(item));
  }
  if (!FolderPath().empty() || SortColumn != scAttributes)
    Sort(SortColumn);
  return Count();
}

void TShellFileList::Sort(int column) {
  TComPtr<IShellFolder> folder;
  if (Count() >= 2 && GetFolder(folder))
    SortWith(folder.Get(), column);
}

void TShellFileList::SortWith(IShellFolder* folder, int column) {
  if (Count() < 2 || column < 0 || column >= kColumnCount || !folder)
    return;
  struct Entry {
    TShellFileItem* item;
    TShellSortKey key;
  };
  const bool own = column != scName && !FolderPath().empty();
  std::vector<Entry> entries;
  entries.reserve(items_.size());
  for (const auto& item : items_) {
    Entry entry{item.get(), {}};
    if (own) {
      const WIN32_FIND_DATAA& data = item->GetFindData();
      entry.key.folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      if (column == scSize)
        entry.key.size = item->GetSize();
      else if (column == scType)
        entry.key.typeName = item->GetTypeName();
      else if (column == scModified)
        entry.key.modified =
            Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
      else
        entry.key.attributes = AttributeLetters(data.dwFileAttributes);
    }
    entries.push_back(std::move(entry));
  }
  std::vector<Entry*> order;
  for (Entry& entry : entries)
    order.push_back(&entry);
  const int direction = SortDirection[column];
  const LPARAM shellColumn = own ? scName : column;
  ListSortEx(order, [&](const Entry* a, const Entry* b) {
    int result = own ? CompareShellSortKeys(static_cast<TShellColumn>(column), a->key, b->key) : 0;
    if (result == 0)
      result =
          ShellOrder(folder->CompareIDs(shellColumn, a->item->IDList.Get(), b->item->IDList.Get()));
    return result * direction;
  });
  // The items change places without a moment of double ownership.
  for (auto& item : items_)
    item.release();
  for (size_t i = 0; i < order.size(); ++i)
    items_[i].reset(order[i]->item);
}

void TShellFileList::SortByColumn(int column) {
  if (column == scAttributes && FolderPath().empty())
    return;
  ListView->BeginSelectionUpdate();
  SortColumn = column;
  const TShellFileItem* focused = GetItem(ListView->FocusedIndex());
  const std::vector<int> selected = ListView->SelectedIndexes();
  const int unselected = Count() - static_cast<int>(selected.size());
  // The smaller group is carried over the sort.
  const bool carrySelected = unselected >= static_cast<int>(selected.size());
  std::unordered_set<const TShellFileItem*> carried;
  if (carrySelected) {
    for (int index : selected)
      carried.insert(GetItem(index));
  } else {
    std::unordered_set<int> isSelected(selected.begin(), selected.end());
    for (int i = 0; i < Count() && static_cast<int>(carried.size()) < unselected; ++i) {
      if (!isSelected.count(i))
        carried.insert(GetItem(i));
    }
  }
  Sort(column);
  ListView->SetSelected(-1, !carrySelected);
  for (int i = 0; i < Count(); ++i) {
    if (carried.count(GetItem(i)))
      ListView->SetSelected(i, carrySelected);
  }
  if (focused)
    ListView->SetFocused(IndexOf(focused));
  ListView->EndSelectionUpdate();
  ListView->Repaint();
}

TShellIDList& TShellFileList::GetSelectedIDList() {
  SelectedIDs.Clear();
  SelectedIDs.ParentIDList.Reset(CopyIDList(FolderIDList.Get()));
  for (int index : ListView->SelectedIndexes()) {
    if (TShellFileItem* item = GetItem(index))
      SelectedIDs.Add(CopyIDList(item->IDList.Get()));
  }
  return SelectedIDs;
}

void TShellFileList::RemoveSelected() {
  RemoveSelectedIf([](TShellFileItem&) { return true; });
}

void TShellFileList::RemoveSelectedGone() {
  RemoveSelectedIf([](TShellFileItem& item) {
    const std::string path = item.GetPath();
    return !path.empty() && !FileExists(path) && !DirectoryExists(path);
  });
}

void TShellFileList::RemoveSelectedIf(const std::function<bool(TShellFileItem&)>& removed) {
  const std::vector<int> selected = ListView->SelectedIndexes();
  if (selected.empty())
    return;
  for (auto index = selected.rbegin(); index != selected.rend(); ++index) {
    if (*index >= 0 && *index < Count() && removed(*items_[static_cast<size_t>(*index)]))
      items_.erase(items_.begin() + *index);
  }
  ListView->SetItemCount(Count());
  ListView->SetSelected(-1, false);
  ListView->Repaint();
  ListView->ShListChange(this);
}

bool TShellFileList::GetFolder(TComPtr<IShellFolder>& folder) const {
  return BindShellFolder(FolderIDList.Get(), folder);
}

bool TShellFileList::GetParentFolder(TComPtr<IShellFolder>& folder) {
  if (folderLevel_ <= 1) {
    folder = DesktopShellFolder();
    return folderLevel_ >= 0 && folder;
  }
  return BindShellFolder(FolderParentIDList(), folder);
}

TShItemIDType TShellFileList::GetFolderType() {
  return ClassifyShellItem(folderLevel_, FolderIDList.Get(),
                           [this](int index) { return HasFolderAttribute(index); });
}

bool TShellFileList::HasFolderAttribute(int index) {
  ULONG attributes = ShellAttributeMask(index);
  if (attributes == 0)
    return true;
  TComPtr<IShellFolder> parent;
  LPCITEMIDLIST list = folderLevel_ <= 1 ? FolderIDList.Get() : FolderLastID();
  return list && GetParentFolder(parent) &&
         SUCCEEDED(parent->GetAttributesOf(1, &list, &attributes)) &&
         HasShellAttribute(attributes, index);
}

bool TShellFileList::GetFolderDropTarget(TComPtr<IDropTarget>& target) {
  TComPtr<IShellFolder> parent;
  LPCITEMIDLIST list = folderLevel_ == 0 ? FolderIDList.Get() : FolderLastID();
  target.Reset();
  return list && GetParentFolder(parent) &&
         SUCCEEDED(parent->GetUIObjectOf(ListView->ListWindow(), 1, &list, IID_IDropTarget, nullptr,
                                         target.OutVoid())) &&
         target;
}

void TAttributesImage::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TAttributesImage*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  ImageList = other->ImageList;
  Archive = other->Archive;
  ReadOnly = other->ReadOnly;
  Hidden = other->Hidden;
  System = other->System;
}

} // namespace quolin
