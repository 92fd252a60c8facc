// The model of the shell list view: one item per entry of a shell folder, filtered, sorted and
// kept current by two folder watchers. The list reaches its view only through
// TShellListHost, so it fills and sorts without a window.
#pragma once

#include "core/Persistent.h"
#include "shell/ShellDataItem.h"
#include "shell/ShellNotify.h"
#include "ui/ListView.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

class TImageList;
class TShellFileList;
class TShellFileItem;

// What the file list asks of and tells its view. Indexes are the list's.
class TShellListHost {
public:
  virtual HWND ListWindow() = 0;
  virtual TViewStyle ViewStyle() = 0;
  virtual void SetViewStyle(TViewStyle style) = 0;
  virtual bool IncludeHidden() = 0;
  virtual TShVirtuaItems ShVirtuaItems() = 0;
  // OnShFilter: false drops the item.
  virtual bool DoShFilter(TShellFileItem* item) = 0;
  // OnShListChange.
  virtual void ShListChange(TShellFileList* list) = 0;

  virtual int ItemCount() = 0;
  virtual void SetItemCount(int count) = 0;
  // Ascending.
  virtual std::vector<int> SelectedIndexes() = 0;
  // -1 when none.
  virtual int FocusedIndex() = 0;
  // index -1 is every item.
  virtual void SetSelected(int index, bool selected) = 0;
  virtual void SetFocused(int index) = 0;
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  virtual void Repaint() = 0;
  virtual void ScrollToTop() = 0;

  // The window exists and is not being made again: its columns can be changed.
  virtual bool ColumnsShown() = 0;
  virtual int ColumnCount() = 0;
  virtual std::vector<int> ColumnOrder() = 0;
  virtual int ColumnWidth(int index) = 0;
  virtual void ClearColumns() = 0;
  virtual void AddColumn(const std::string& caption, int width, bool rightAligned) = 0;
  virtual void SetColumnOrder(const std::vector<int>& order) = 0;
  virtual int ClientWidth() = 0;

  // The selected size is reported (OnShSelChange) when the last bracket closes.
  virtual void BeginSelectionUpdate() = 0;
  virtual void EndSelectionUpdate() = 0;

  // A watcher saw the folder change (on the user-interface thread).
  virtual void WatcherChanged(TShFilesWatcher* sender, const std::string& folder) = 0;

protected:
  ~TShellListHost() = default;
};

// One entry of the folder. Its texts are read on demand and cached.
class TShellFileItem : public TShellDataItem {
public:
  // Takes the relative list.
  TShellFileItem(TShellFileList* list, LPITEMIDLIST idList);

  TShellFileList* FileList;
  int LargeIconIndex = -1;
  // Read on first use: an empty file name means unread.
  WIN32_FIND_DATAA FindData = {};

  // The large icon in the icon view, else the small one.
  int GetIconIndex() override;
  int GetIndex() override;
  int GetLevel() override;
  LPCITEMIDLIST GetParentIDList() override;
  LPCITEMIDLIST GetAbsoluteIDList() override;
  int GetOpenIconIndex() override;
  bool IsValid() override;

  const WIN32_FIND_DATAA& GetFindData();
  DWORD GetAttributes() { return GetFindData().dwFileAttributes; }
  uint64_t GetSize();
  // Kilobytes rounded up ("1,025KB"); "" for folders and items outside the file system.
  std::string GetSizeText();
  std::string GetTypeName();
  // The last write in the locale's short date and time.
  std::string GetModifiedText();
  // The list view's overlay state bits: 256 shared, 512 link, unless the parent gives its own.
  int GetOverlayIndex();
  // False changes nothing.
  bool Rename(const std::string& newName);
};

// The entries of one folder, owned. Sorting by size, type, date or attributes in a folder of
// the file system is the list's own: folders first, then the value, then the shell's name
// order; the name column and folders outside the file system keep the shell's order.
class TShellFileList {
public:
  static constexpr DWORD NameFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
  static constexpr DWORD DetailFilter =
      FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

  // Without watching no watcher threads are made.
  explicit TShellFileList(TShellListHost* listView, bool watching = true);
  ~TShellFileList();
  TShellFileList(const TShellFileList&) = delete;
  TShellFileList& operator=(const TShellFileList&) = delete;

  TShellListHost* const ListView;
  int SortColumn = 0;
  // +1 ascending, -1 descending, per column.
  int SortDirection[5] = {1, 1, 1, 1, 1};
  // Of the five columns, kept while the view shows only the name.
  std::vector<int> ColumnOrder;
  std::vector<int> ColumnWidths;
  TOwnedIDList FolderIDList;
  TShellIDList SelectedIDs;
  // Each clears itself here when its thread ends.
  TShFilesWatcher* NameWatcher = nullptr;
  TShFilesWatcher* DetailWatcher = nullptr;

  int Count() const { return static_cast<int>(items_.size()); }
  // Nil when out of range.
  TShellFileItem* GetItem(int index) const;
  int IndexOf(const TShellFileItem* item) const;
  void Clear();
  // Fills the list from the folder; keeps it when the folder cannot be had. The count.
  int Refresh();
  // Shows a copy of the list.
  void SetFolderIDList(LPCITEMIDLIST list);
  // Shows no folder: the items and the folder's lists go.
  void ForgetFolder();
  // The folder's level; -1 without a folder.
  int FolderLevel() const { return folderLevel_; }
  // "" for folders outside the file system.
  std::string FolderPath() const;
  // What the desktop's items are filtered by: the folder's level.
  int EnumerateFolder(IShellFolder* folder, int mode);
  void Sort(int column);
  // Sort by another folder's comparison of the items.
  void SortWith(IShellFolder* folder, int column);
  // Sorts and keeps the same items selected and focused.
  void SortByColumn(int column);
  TShellIDList& GetSelectedIDList();
  void RemoveSelected();
  // Only the selected items whose paths are gone (neither file nor folder): after a delete
  // the items that failed to go stay.
  void RemoveSelectedGone();
  bool GetFolder(TComPtr<IShellFolder>& folder) const;
  bool GetParentFolder(TComPtr<IShellFolder>& folder);
  TShItemIDType GetFolderType();
  bool HasFolderAttribute(int index);
  bool GetFolderDropTarget(TComPtr<IDropTarget>& target);
  // Both watchers watch the folder's path, or nothing.
  void RestartWatching();
  void StopWatching();

private:
  void RemoveSelectedIf(const std::function<bool(TShellFileItem&)>& removed);
  LPCITEMIDLIST FolderParentIDList();
  LPCITEMIDLIST FolderLastID();
  void StoreColumns();
  void ShowColumns();
  TShFilesWatcher* Watch(DWORD filter);
  void WatcherEnded(TObject* sender);
  void SetWatchedFolder(const std::string& folder);

  std::vector<std::unique_ptr<TShellFileItem>> items_;
  TOwnedIDList folderParentIDList_;
  TOwnedIDList folderLastID_;
  int folderLevel_ = -1;
  // Cleared when the list goes: a watcher that ends later finds no list.
  std::shared_ptr<TShellFileList*> self_;
};

// The images of the attribute column and icon corners; -1 is no image.
class TAttributesImage : public TPersistent {
public:
  TImageList* ImageList = nullptr;
  int Archive = -1;
  int ReadOnly = -1;
  int Hidden = -1;
  int System = -1;

  void Assign(const TPersistent& source) override;
};

} // namespace quolin
