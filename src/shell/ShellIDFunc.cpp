#include "shell/ShellIDFunc.h"

#include "common/CodePage.h"
#include "common/ComPtr.h"
#include "shell/ShellDataItem.h"
#include "shell/ShellDbt.h"
#include "ui/Application.h"

#include <ole2.h>
#include <shellapi.h>

#include <cstring>

namespace quolin {

namespace {

// The CSIDL of each special-folder index: 0..11 are CSIDL 0..11, 12..23 are 0x10..0x1B and
// 24..29 are 0x1D..0x22.
constexpr int kSpecialFolders[SpecialFolderCount] = {
    CSIDL_DESKTOP,
    CSIDL_INTERNET,
    CSIDL_PROGRAMS,
    CSIDL_CONTROLS,
    CSIDL_PRINTERS,
    CSIDL_PERSONAL,
    CSIDL_FAVORITES,
    CSIDL_STARTUP,
    CSIDL_RECENT,
    CSIDL_SENDTO,
    CSIDL_BITBUCKET,
    CSIDL_STARTMENU,
    CSIDL_DESKTOPDIRECTORY,
    CSIDL_DRIVES,
    CSIDL_NETWORK,
    CSIDL_NETHOOD,
    CSIDL_FONTS,
    CSIDL_TEMPLATES,
    CSIDL_COMMON_STARTMENU,
    CSIDL_COMMON_PROGRAMS,
    CSIDL_COMMON_STARTUP,
    CSIDL_COMMON_DESKTOPDIRECTORY,
    CSIDL_APPDATA,
    CSIDL_PRINTHOOD,
    CSIDL_ALTSTARTUP,
    CSIDL_COMMON_ALTSTARTUP,
    CSIDL_COMMON_FAVORITES,
    CSIDL_INTERNET_CACHE,
    CSIDL_COOKIES,
    CSIDL_HISTORY,
};

constexpr size_t kTerminatorSize = sizeof(USHORT);

int starts = 0;
HRESULT oleStarted = E_FAIL;
TComPtr<IMalloc> allocator;

USHORT CountAt(LPCITEMIDLIST item) {
  return item->mkid.cb;
}

LPITEMIDLIST Advance(LPCITEMIDLIST item, size_t bytes) {
  return reinterpret_cast<LPITEMIDLIST>(
      const_cast<BYTE*>(reinterpret_cast<const BYTE*>(item) + bytes));
}

// A new list holding size bytes of list followed by a terminator.
LPITEMIDLIST CopyBytes(LPCITEMIDLIST list, size_t size) {
  LPITEMIDLIST copy = AllocIDList(size + kTerminatorSize);
  if (copy)
    std::memcpy(copy, list, size);
  return copy;
}

// The last item of a list, or the list itself when it has no second item.
LPCITEMIDLIST LastItem(LPCITEMIDLIST list) {
  LPCITEMIDLIST last = list;
  while (LPCITEMIDLIST next = NextNonEmptyItemID(last))
    last = next;
  return last;
}

TComPtr<IShellFolder> DesktopFolder() {
  TComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Out())))
    desktop.Reset();
  return desktop;
}

} // namespace

void ShellUnitStartup() {
  if (starts++ > 0)
    return;
  RegisterShellClipFormats();
  oleStarted = OleInitialize(nullptr);
  if (FAILED(CoGetMalloc(1, allocator.Out())))
    allocator.Reset();
  CreateShellCtrlList();
}

void ShellUnitShutdown() {
  if (starts == 0 || --starts > 0)
    return;
  FreeShellCtrlList();
  allocator.Reset();
  if (SUCCEEDED(oleStarted))
    OleUninitialize();
  oleStarted = E_FAIL;
}

USHORT ItemIDSize(LPCITEMIDLIST list) {
  if (!list || CountAt(list) == 0)
    return 0;
  return static_cast<USHORT>(CountAt(list) + kTerminatorSize);
}

USHORT IDListSize(LPCITEMIDLIST list) {
  if (!list)
    return 0;
  size_t size = kTerminatorSize;
  for (LPCITEMIDLIST item = list; CountAt(item) != 0; item = NextItemID(item))
    size += CountAt(item);
  return static_cast<USHORT>(size);
}

LPITEMIDLIST NextItemID(LPCITEMIDLIST list) {
  return list ? Advance(list, CountAt(list)) : nullptr;
}

LPITEMIDLIST NextNonEmptyItemID(LPCITEMIDLIST list) {
  if (!list || CountAt(list) == 0)
    return nullptr;
  LPITEMIDLIST next = NextItemID(list);
  return CountAt(next) != 0 ? next : nullptr;
}

LPITEMIDLIST AllocIDList(size_t size) {
  if (!allocator)
    return nullptr;
  void* block = allocator->Alloc(size);
  if (block)
    std::memset(block, 0, size);
  return static_cast<LPITEMIDLIST>(block);
}

void FreeIDList(LPITEMIDLIST& list) {
  if (!list)
    return;
  // The shell's allocator is the task allocator: a list that outlives the unit still goes
  // back to the same heap.
  if (allocator)
    allocator->Free(list);
  else
    CoTaskMemFree(list);
  list = nullptr;
}

LPITEMIDLIST CopyFirstItemID(LPCITEMIDLIST list) {
  if (!list || CountAt(list) == 0)
    return nullptr;
  return CopyBytes(list, CountAt(list));
}

LPITEMIDLIST CopyIDList(LPCITEMIDLIST list) {
  if (!list)
    return nullptr;
  return CopyBytes(list, IDListSize(list) - kTerminatorSize);
}

LPITEMIDLIST ConcatIDLists(LPCITEMIDLIST list1, LPCITEMIDLIST list2) {
  if (!list1 || !list2)
    return nullptr;
  size_t size1 = IDListSize(list1) - kTerminatorSize;
  size_t size2 = IDListSize(list2);
  LPITEMIDLIST joined = AllocIDList(size1 + size2);
  if (!joined)
    return nullptr;
  std::memcpy(joined, list1, size1);
  std::memcpy(Advance(joined, size1), list2, size2);
  return joined;
}

LPITEMIDLIST ConcatAndFree(LPITEMIDLIST& list1, LPITEMIDLIST& list2) {
  LPITEMIDLIST result =
      list1 && list2 ? ConcatIDLists(list1, list2) : CopyIDList(list1 ? list1 : list2);
  FreeIDList(list1);
  FreeIDList(list2);
  return result;
}

LPITEMIDLIST GetIDListParent(LPCITEMIDLIST list) {
  if (!NextNonEmptyItemID(list))
    return nullptr;
  return CopyBytes(list, reinterpret_cast<const BYTE*>(LastItem(list)) -
                             reinterpret_cast<const BYTE*>(list));
}

LPITEMIDLIST GetLastItemID(LPCITEMIDLIST list) {
  return CopyFirstItemID(LastItem(list));
}

int GetIDListLevel(LPCITEMIDLIST list) {
  if (!list)
    return -1;
  TComPtr<IShellFolder> desktop = DesktopFolder();
  if (!desktop)
    return -1;
  if (IsDesktopIDList(desktop.Get(), list))
    return 0;
  int level = 0;
  for (LPCITEMIDLIST item = list; CountAt(item) != 0; item = NextItemID(item))
    ++level;
  return level;
}

bool IsDesktopIDList(IShellFolder* folder, LPCITEMIDLIST list) {
  TOwnedIDList desktop;
  if (!GetSpecialFolderIDList(sfDesktop, desktop.Out()))
    return false;
  return CompareIDLists(folder, list, desktop.Get()) == ioEqual;
}

int CompareIDLists(IShellFolder* folder, LPCITEMIDLIST list1, LPCITEMIDLIST list2) {
  if (!folder || !list1 || !list2)
    return ioError;
  HRESULT result = folder->CompareIDs(0, list1, list2);
  if (FAILED(result))
    return ioError;
  auto order = static_cast<short>(HRESULT_CODE(result));
  if (order < 0)
    return ioFirstLess;
  return order > 0 ? ioFirstGreater : ioEqual;
}

bool GetSpecialFolderIDList(int index, LPITEMIDLIST& list) {
  list = nullptr;
  if (index < 0 || index >= SpecialFolderCount)
    return false;
  HRESULT result = SHGetSpecialFolderLocation(Application->Handle(), kSpecialFolders[index], &list);
  if (FAILED(result))
    FreeIDList(list);
  return list != nullptr;
}

bool PathToIDList(const std::string& path, LPITEMIDLIST& list) {
  list = nullptr;
  TComPtr<IShellFolder> desktop = DesktopFolder();
  if (!desktop)
    return false;
  std::wstring wide = AnsiToWide(path);
  HRESULT result = desktop->ParseDisplayName(Application->Handle(), nullptr, wide.data(), nullptr,
                                             &list, nullptr);
  if (FAILED(result))
    FreeIDList(list);
  return list != nullptr;
}

bool IDListToPath(LPCITEMIDLIST list, std::string& path) {
  path.clear();
  char buffer[MAX_PATH] = {};
  if (!list || !SHGetPathFromIDListA(list, buffer))
    return false;
  path = buffer;
  return true;
}

bool GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, std::string& name, DWORD flags) {
  name.clear();
  STRRET answer = {};
  if (!folder || !list || FAILED(folder->GetDisplayNameOf(list, flags, &answer)))
    return false;
  switch (answer.uType) {
  case STRRET_WSTR:
    if (answer.pOleStr) {
      name = WideToAnsi(answer.pOleStr);
      CoTaskMemFree(answer.pOleStr);
    }
    return true;
  case STRRET_OFFSET: {
    // The text lies inside the item: never read past it.
    size_t size = ItemIDSize(list);
    if (answer.uOffset < size)
      name.assign(
          reinterpret_cast<const char*>(list) + answer.uOffset,
          strnlen(reinterpret_cast<const char*>(list) + answer.uOffset, size - answer.uOffset));
    return true;
  }
  case STRRET_CSTR:
    name.assign(answer.cStr, strnlen(answer.cStr, MAX_PATH));
    return true;
  default:
    return false;
  }
}

int GetSysIconIndex(LPCITEMIDLIST list, bool large, bool open) {
  if (!list)
    return 0;
  UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX;
  if (!large)
    flags |= SHGFI_SMALLICON;
  if (open)
    flags |= SHGFI_OPENICON;
  SHFILEINFOA info = {};
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info, flags);
  return info.iIcon;
}

} // namespace quolin
