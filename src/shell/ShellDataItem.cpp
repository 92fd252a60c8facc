#include "shell/ShellDataItem.h"

#include "core/Exceptions.h"
#include "shell/ShellCst.h"

#include <shellapi.h>
#include <shlobj.h>

namespace quolin {

namespace {

// The literal masks: mingw's macros differ from the shell's for some of them.
constexpr ULONG kAttributeMasks[ShellAttributeCount] = {
    0x1,        0x2,        0x4,        0x10,       0x20,       0x40,      0x100,
    0x177,      0x10000,    0x20000,    0x40000,    0x80000,    0x80000,   0xF0000,
    0x10000000, 0x20000000, 0x40000000, 0x80000000, 0x80000000, 0x1000000, 0x2000000,
    0x4000000,  0x8000000,  0x100000,   0x200000,   0};

constexpr DWORD kCapabilityMask = 0x177;

constexpr const char* kFormatNames[ShellClipFormatCount - 1] = {
    "Shell IDList Array", "Shell Object Offsets", "FileNameMap", "FileNameMapW",
    "Performed DropEffect"};
CLIPFORMAT formats[ShellClipFormatCount] = {0, 0, 0, 0, 0, CF_HDROP};

bool IsSpecialFolder(IShellFolder* desktop, LPCITEMIDLIST list, int index) {
  TOwnedIDList special;
  return GetSpecialFolderIDList(index, special.Out()) &&
         CompareIDLists(desktop, list, special.Get()) == ioEqual;
}

} // namespace

TComPtr<IShellFolder> DesktopShellFolder() {
  TComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Out())))
    desktop.Reset();
  return desktop;
}

bool BindShellFolder(LPCITEMIDLIST list, TComPtr<IShellFolder>& folder) {
  TComPtr<IShellFolder> desktop = DesktopShellFolder();
  folder.Reset();
  if (!desktop || !list)
    return false;
  if (IsDesktopIDList(desktop.Get(), list)) {
    folder = std::move(desktop);
    return true;
  }
  return SUCCEEDED(desktop->BindToObject(list, nullptr, IID_IShellFolder, folder.OutVoid())) &&
         folder;
}

TShItemIDType ClassifyShellItem(int level, LPCITEMIDLIST absolute,
                                const std::function<bool(int index)>& hasAttribute) {
  TComPtr<IShellFolder> desktop = DesktopShellFolder();
  if (!desktop || level < 0)
    return TShItemIDType::itUnknown;
  if (level == 0)
    return TShItemIDType::itDeskTop;
  if (level == 1) {
    constexpr std::pair<int, TShItemIDType> kSpecial[] = {
        {sfMyComputer, TShItemIDType::itMyComputer},
        {sfNetwork, TShItemIDType::itNetWork},
        {sfBitBucket, TShItemIDType::itBitBucket}};
    for (auto [index, type] : kSpecial) {
      if (IsSpecialFolder(desktop.Get(), absolute, index))
        return type;
    }
  }
  if (!hasAttribute(saFileSystem))
    return TShItemIDType::itVirtual;
  if (level == 2 && hasAttribute(saFileSysAncestor))
    return TShItemIDType::itRootDrive;
  return hasAttribute(saFolder) ? TShItemIDType::itFolder : TShItemIDType::itFile;
}

ULONG ShellAttributeMask(int index) {
  return index >= 0 && index < ShellAttributeCount ? kAttributeMasks[index] : 0;
}

bool HasShellAttribute(ULONG attributes, int index) {
  ULONG mask = ShellAttributeMask(index);
  return (attributes & mask) == mask;
}

TShellDataItem::~TShellDataItem() = default;

int TShellDataItem::GetIconIndex() {
  if (IconIndex >= 0)
    return IconIndex;
  // Without the parent's own index only the system list's icon is one: an icon location's
  // index counts in the icon file, not in the system list.
  IconIndex = ParentIcon();
  if (IconIndex < 0)
    IconIndex = GetSysIconIndex(GetAbsoluteIDList(), false, false);
  return IconIndex;
}

int TShellDataItem::GetOpenIconIndex() {
  if (OpenIconIndex < 0)
    OpenIconIndex = GetSysIconIndex(GetAbsoluteIDList(), false, true);
  return OpenIconIndex;
}

bool TShellDataItem::GetParentFolder(IShellFolder*& folder) {
  folder = nullptr;
  if (!ParentFolder) {
    int level = GetLevel();
    if (level < 0)
      return false;
    if (level <= 1)
      ParentFolder = DesktopShellFolder();
    else if (TComPtr<IShellFolder> desktop = DesktopShellFolder();
             desktop && FAILED(desktop->BindToObject(GetParentIDList(), nullptr, IID_IShellFolder,
                                                     ParentFolder.OutVoid())))
      ParentFolder.Reset();
  }
  folder = ParentFolder.Get();
  return folder != nullptr;
}

bool TShellDataItem::BindFolder(TComPtr<IShellFolder>& folder) {
  IShellFolder* parent = nullptr;
  folder.Reset();
  if (!IsValid() || !GetParentFolder(parent))
    return false;
  if (IsDesktopItem()) {
    folder = DesktopShellFolder();
    return static_cast<bool>(folder);
  }
  return SUCCEEDED(
             parent->BindToObject(IDList.Get(), nullptr, IID_IShellFolder, folder.OutVoid())) &&
         folder;
}

LPCITEMIDLIST TShellDataItem::QueryIDList() {
  return IsDesktopItem() ? GetAbsoluteIDList() : IDList.Get();
}

const std::string& TShellDataItem::GetDisplayName() {
  IShellFolder* folder = nullptr;
  if (Name.empty() && GetParentFolder(folder))
    quolin::GetDisplayName(folder, QueryIDList(), Name, SHGDN_INFOLDER);
  return Name;
}

std::string TShellDataItem::GetPath() {
  std::string path;
  IDListToPath(IsDesktopItem() ? IDList.Get() : GetAbsoluteIDList(), path);
  return path;
}

bool TShellDataItem::HasAttribute(int index) {
  IShellFolder* folder = nullptr;
  LPCITEMIDLIST list = QueryIDList();
  ULONG attributes = ShellAttributeMask(index);
  if (attributes == 0)
    return true;
  return GetParentFolder(folder) && list &&
         SUCCEEDED(folder->GetAttributesOf(1, &list, &attributes)) &&
         HasShellAttribute(attributes, index);
}

TShItemIDType TShellDataItem::GetItemType() {
  return ClassifyShellItem(GetLevel(), GetAbsoluteIDList(),
                           [this](int index) { return HasAttribute(index); });
}

bool TShellDataItem::GetDropTarget(TComPtr<IDropTarget>& target) {
  IShellFolder* folder = nullptr;
  LPCITEMIDLIST list = IDList.Get();
  target.Reset();
  return GetParentFolder(folder) && list &&
         SUCCEEDED(folder->GetUIObjectOf(nullptr, 1, &list, IID_IDropTarget, nullptr,
                                         target.OutVoid())) &&
         target;
}

bool TShellDataItem::ParentOverlay(int& index) {
  IShellFolder* folder = nullptr;
  TComPtr<IShellIconOverlay> overlay;
  index = -1;
  if (!GetParentFolder(folder) ||
      FAILED(folder->QueryInterface(IID_IShellIconOverlay, overlay.OutVoid())) || !overlay)
    return false;
  int answer = 0;
  if (SUCCEEDED(overlay->GetOverlayIndex(IDList.Get(), &answer)))
    index = answer;
  return true;
}

int TShellDataItem::ParentIcon() {
  IShellFolder* folder = nullptr;
  TComPtr<IShellIcon> icon;
  int index = -1;
  if (!GetParentFolder(folder) || FAILED(folder->QueryInterface(IID_IShellIcon, icon.OutVoid())) ||
      !icon || FAILED(icon->GetIconOf(IDList.Get(), GIL_FORSHELL, &index)))
    return -1;
  return index;
}

TShellAbsoluteItem::TShellAbsoluteItem(LPITEMIDLIST relative, LPITEMIDLIST absolute)
    : TShellDataItem(relative) {
  AbsIDList.Reset(absolute);
}

int TShellAbsoluteItem::GetLevel() {
  if (level_ == -2)
    level_ = GetIDListLevel(AbsIDList.Get());
  return level_;
}

LPCITEMIDLIST TShellAbsoluteItem::GetParentIDList() {
  if (!ParentIDList && AbsIDList) {
    if (GetLevel() == 1)
      GetSpecialFolderIDList(sfDesktop, ParentIDList.Out());
    else
      ParentIDList.Reset(GetIDListParent(AbsIDList.Get()));
  }
  return ParentIDList.Get();
}

int TShellDataItem::GetOverlayIndex() {
  int index = -1;
  if (ParentOverlay(index))
    return index < 0 ? -1 : index - 1;
  if (HasAttribute(saShared))
    return 0;
  return HasAttribute(saLink) ? 1 : -1;
}

void TShellIDList::Clear() {
  for (LPITEMIDLIST& item : items_)
    FreeIDList(item);
  items_.clear();
  ParentIDList.Reset();
}

LPCITEMIDLIST TShellIDList::GetItem(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : nullptr;
}

LPCITEMIDLIST* TShellIDList::GetItemsArray() {
  return items_.empty() ? nullptr : const_cast<LPCITEMIDLIST*>(items_.data());
}

bool TShellIDList::GetParentFolder(TComPtr<IShellFolder>& folder) const {
  return BindShellFolder(ParentIDList.Get(), folder);
}

bool TShellIDList::GetItemPath(int index, std::string& path) const {
  TOwnedIDList absolute(ConcatIDLists(ParentIDList.Get(), GetItem(index)));
  return IDListToPath(absolute.Get(), path);
}

bool TShellIDList::Attributes(ULONG& attributes) {
  TComPtr<IShellFolder> folder;
  return !items_.empty() && GetParentFolder(folder) &&
         SUCCEEDED(folder->GetAttributesOf(static_cast<UINT>(items_.size()), GetItemsArray(),
                                           &attributes));
}

bool TShellIDList::HasAttribute(int index) {
  ULONG attributes = ShellAttributeMask(index);
  return attributes == 0 || (Attributes(attributes) && HasShellAttribute(attributes, index));
}

DWORD TShellIDList::GetCapabilities() {
  ULONG attributes = kCapabilityMask;
  if (!Attributes(attributes))
    return 0;
  // SFGAO_CANCOPY, CANMOVE and CANLINK are the drop effects' bits.
  return attributes & kCapabilityMask;
}

TShellDragObject::TShellDragObject(IDataObject* data) : data_(data) {
  if (!data)
    throw EInvalidOperation(shellcst::InvalidParameter);
}

void RegisterShellClipFormats() {
  for (int i = 0; i < ShellClipFormatCount - 1; ++i)
    formats[i] = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(kFormatNames[i]));
}

CLIPFORMAT ShellClipFormat(TShellClipFormat format) {
  return formats[static_cast<int>(format)];
}

FORMATETC ShellFormatEtc(TShellClipFormat format) {
  return {ShellClipFormat(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool ShellItemListed(TShellDataItem& item, int mode, TShItemIDType folderType,
                     const TShVirtuaItems& virtuals) {
  using enum TShItemIDType;
  if (mode == 0) {
    TShItemIDType type = item.GetItemType();
    if (type == itBitBucket || type == itNetWork)
      return virtuals.Contains(type);
    return type != itVirtual;
  }
  if (mode == 1 && folderType == itMyComputer)
    return item.GetItemType() != itVirtual || virtuals.Contains(itVirtual);
  if (mode == 1 && folderType == itNetWork)
    return virtuals.Contains(itNetWork);
  return true;
}

int ShellOrder(HRESULT result) {
  return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
}

HIMAGELIST GetSysImageList(bool large) {
  TOwnedIDList desktop;
  if (!GetSpecialFolderIDList(sfDesktop, desktop.Out()))
    return nullptr;
  SHFILEINFOA info = {};
  UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | (large ? 0 : SHGFI_SMALLICON);
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop.Get()), 0, &info, sizeof info, flags));
}

void SetWindowStyleBit(HWND window, LONG bits, bool set) {
  if (!window)
    return;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, set ? style | bits : style & ~bits);
}

TShiftState KeyStateToShift(DWORD keyState) {
  constexpr std::pair<DWORD, TShiftState> kBits[] = {{MK_SHIFT, ssShift},   {MK_CONTROL, ssCtrl},
                                                     {MK_ALT, ssAlt},       {MK_LBUTTON, ssLeft},
                                                     {MK_RBUTTON, ssRight}, {MK_MBUTTON, ssMiddle}};
  TShiftState shift = 0;
  for (auto [bit, state] : kBits) {
    if (keyState & bit)
      shift |= state;
  }
  return shift;
}

} // namespace quolin
