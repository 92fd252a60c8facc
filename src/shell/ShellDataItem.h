// The object model the shell controls share: the item behind every tree node, list row and
// combo entry, sets of item-ID lists handed to events and drags, the drag object, the shell's
// clipboard formats and a few small routines of the controls.
#pragma once

#include "common/ComPtr.h"
#include "core/ListSortEx.h"
#include "core/Persistent.h"
#include "shell/ShellIDFunc.h"
#include "ui/Types.h"

#include <windows.h>

#include <commctrl.h>
#include <oleidl.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

// The attribute indexes of the controls (0..25), each one mask of shell attributes.
inline constexpr int ShellAttributeCount = 26;
inline constexpr int saCanRename = 3;
inline constexpr int saDropTarget = 6;
inline constexpr int saShared = 9;
inline constexpr int saLink = 8;
inline constexpr int saCapabilities = 7;
inline constexpr int saFileSysAncestor = 14;
inline constexpr int saFolder = 15;
inline constexpr int saFileSystem = 16;
// The attribute mask of an index; 0 (always true) for index 25 and out of range.
ULONG ShellAttributeMask(int index);
// All bits of the index's mask are in attributes.
bool HasShellAttribute(ULONG attributes, int index);

// A set of item kinds: those the controls list although they are no file-system items.
class TShVirtuaItems {
public:
  TShVirtuaItems() = default;
  TShVirtuaItems(std::initializer_list<TShItemIDType> kinds) {
    for (TShItemIDType kind : kinds)
      Include(kind);
  }
  bool Contains(TShItemIDType kind) const { return bits_ & Bit(kind); }
  void Include(TShItemIDType kind) { bits_ |= Bit(kind); }
  void Exclude(TShItemIDType kind) { bits_ &= ~Bit(kind); }
  bool operator==(const TShVirtuaItems&) const = default;

private:
  static uint16_t Bit(TShItemIDType kind) {
    return static_cast<uint16_t>(1u << static_cast<int>(kind));
  }
  uint16_t bits_ = 0;
};

// The kind of an item at a level of the namespace, by its absolute list and its attributes.
// Ordinary folders of level 2 are file-system ancestors too, and count as drives.
TShItemIDType ClassifyShellItem(int level, LPCITEMIDLIST absolute,
                                const std::function<bool(int index)>& hasAttribute);
// The folder of an absolute list: the desktop itself for the desktop.
bool BindShellFolder(LPCITEMIDLIST list, TComPtr<IShellFolder>& folder);
TComPtr<IShellFolder> DesktopShellFolder();

// One shell item. The relative list is its own item in its parent; the subclasses say where
// it lies (level, parent list) and cache what the shell told them. Every query that fails
// answers false, -1 or "".
class TShellDataItem : public TObject {
public:
  ~TShellDataItem() override;
  TShellDataItem(const TShellDataItem&) = delete;
  TShellDataItem& operator=(const TShellDataItem&) = delete;

  // The parent's folder, on first use.
  TComPtr<IShellFolder> ParentFolder;
  TOwnedIDList IDList;
  // Made by the subclass on first use.
  TOwnedIDList AbsIDList;
  TOwnedIDList ParentIDList;
  int OpenIconIndex = -1;
  int IconIndex = -1;
  std::string Name;

  // The small system icon, once: the parent's own icon of the item when it gives one.
  virtual int GetIconIndex();
  virtual int GetIndex() = 0;
  virtual int GetLevel() = 0;
  virtual LPCITEMIDLIST GetParentIDList() = 0;
  virtual LPCITEMIDLIST GetAbsoluteIDList() = 0;
  // The small open system icon, once.
  virtual int GetOpenIconIndex();
  virtual bool IsValid() = 0;

  // Levels 0 and 1 have the desktop as parent; deeper ones bind through it.
  bool GetParentFolder(IShellFolder*& folder);
  // The item's own folder: the desktop itself at level 0; below, the parent binds the item.
  bool BindFolder(TComPtr<IShellFolder>& folder);
  const std::string& GetDisplayName();
  std::string GetPath();
  bool HasAttribute(int index);
  TShItemIDType GetItemType();
  bool GetDropTarget(TComPtr<IDropTarget>& target);
  // The tree's overlay: 0 shared, 1 link, else -1, unless the parent gives its own.
  int GetOverlayIndex();

protected:
  explicit TShellDataItem(LPITEMIDLIST idList) : IDList(idList) {}
  bool IsDesktopItem() { return GetLevel() == 0; }
  // The list the parent is asked about: the relative one, the absolute one for the desktop.
  LPCITEMIDLIST QueryIDList();
  // The parent's IShellIconOverlay answer: false when it has none.
  bool ParentOverlay(int& index);
  // The parent's IShellIcon answer; -1 when it has none or it fails.
  int ParentIcon();
};

// An item made with its absolute list, whose level and parent list follow from it.
class TShellAbsoluteItem : public TShellDataItem {
public:
  int GetLevel() override;
  // The desktop for a first-level item, else the absolute list less its last item.
  LPCITEMIDLIST GetParentIDList() override;
  LPCITEMIDLIST GetAbsoluteIDList() override { return AbsIDList.Get(); }
  bool IsValid() override { return IDList && AbsIDList; }

protected:
  // Takes both lists.
  TShellAbsoluteItem(LPITEMIDLIST relative, LPITEMIDLIST absolute);

private:
  int level_ = -2; // -2 until read
};

// Item-ID lists relative to one parent, all owned with the parent.
class TShellIDList {
public:
  TShellIDList() = default;
  ~TShellIDList() { Clear(); }
  TShellIDList(const TShellIDList&) = delete;
  TShellIDList& operator=(const TShellIDList&) = delete;

  TOwnedIDList ParentIDList;

  int Count() const { return static_cast<int>(items_.size()); }
  // Takes the list.
  void Add(LPITEMIDLIST item) { items_.push_back(item); }
  void Clear();
  // Nil when out of range.
  LPCITEMIDLIST GetItem(int index) const;
  // The items for a shell call; nil when there are none.
  LPCITEMIDLIST* GetItemsArray();
  bool GetParentFolder(TComPtr<IShellFolder>& folder) const;
  bool GetItemPath(int index, std::string& path) const;
  // Every item has the attribute.
  bool HasAttribute(int index);
  // The drop effects the items allow: their copy, move and link bits; 0 on failure.
  DWORD GetCapabilities();

private:
  bool Attributes(ULONG& attributes);
  std::vector<LPITEMIDLIST> items_;
};

// The data of a drag in progress.
class TShellDragObject : public TObject {
public:
  // Raises EInvalidOperation without data.
  explicit TShellDragObject(IDataObject* data);
  IDataObject* DataObject() const { return data_; }

private:
  IDataObject* data_;
};

// The clipboard formats of shell drags.
enum class TShellClipFormat {
  IDListArray,
  ObjectOffsets,
  FileNameMap,
  FileNameMapW,
  DropEffect,
  HDrop
};
inline constexpr int ShellClipFormatCount = 6;
// Registers the formats; the shell unit's start-up does it first.
void RegisterShellClipFormats();
CLIPFORMAT ShellClipFormat(TShellClipFormat format);
// No target device, the content aspect, every index, a global memory block.
FORMATETC ShellFormatEtc(TShellClipFormat format);

class TShellDataItem;
// Whether an item enumerated in a folder of level mode is shown: at the desktop the recycle bin
// and the network only when named in virtuals and virtual items never; under My Computer
// (folderType, read only for mode 1) virtual items only when named; under the network its
// items only when it is named; deeper, all.
bool ShellItemListed(TShellDataItem& item, int mode, TShItemIDType folderType,
                     const TShVirtuaItems& virtuals);
// A folder's CompareIDs answer as an order: its low 16 bits signed; a failed call is a tie.
int ShellOrder(HRESULT result);

// The sub-folders of parent's folder (hidden ones too when asked) that its level lists, in the
// folder's order; make builds an item from its relative and absolute lists, both its own.
template <typename Item, typename Make>
std::vector<std::unique_ptr<Item>> ListSubFolders(IShellFolder* folder, HWND window,
                                                  bool includeHidden, TShellDataItem& parent,
                                                  const TShVirtuaItems& virtuals, Make make) {
  std::vector<Item*> listed;
  SHCONTF flags = SHCONTF_FOLDERS;
  if (includeHidden)
    flags |= SHCONTF_INCLUDEHIDDEN;
  TComPtr<IEnumIDList> entries;
  if (!folder || FAILED(folder->EnumObjects(window, flags, entries.Out())) || !entries)
    return {};
  const int level = parent.GetLevel();
  const TShItemIDType parentType = level == 1 ? parent.GetItemType() : TShItemIDType::itUnknown;
  for (LPITEMIDLIST entry = nullptr; entries->Next(1, &entry, nullptr) == S_OK; entry = nullptr) {
    LPITEMIDLIST absolute =
        level == 0 ? CopyIDList(entry) : ConcatIDLists(parent.GetAbsoluteIDList(), entry);
    std::unique_ptr<Item> item = make(entry, absolute);
    if (ShellItemListed(*item, level, parentType, virtuals))
      listed.push_back(item.release());
  }
  ListSortEx(listed, [folder](Item* a, Item* b) {
    return ShellOrder(folder->CompareIDs(0, a->IDList.Get(), b->IDList.Get()));
  });
  std::vector<std::unique_ptr<Item>> items;
  for (Item* item : listed)
    items.emplace_back(item);
  return items;
}

// The system image list, large or small.
HIMAGELIST GetSysImageList(bool large);
// Sets or clears style bits of a window; nothing without one.
void SetWindowStyleBit(HWND window, LONG bits, bool set);
// The buttons and keys of an OLE drag's key state.
TShiftState KeyStateToShift(DWORD keyState);

} // namespace quolin
