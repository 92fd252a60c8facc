// Item-ID lists of the shell, the currency of every shell control. A list is a run of items,
// each a 16-bit byte count (counting itself) followed by data, ended by a count of 0; nil is
// an absent list and the empty list is the desktop. Every list made or freed here goes through
// the shell's allocator that the unit takes at start-up. Nothing here raises: failures answer
// nil, false, "", -1 or a compare result of 3, and the caller decides.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace quolin {

// The kinds of shell item, in this order (0..9).
enum class TShItemIDType {
  itDeskTop,
  itMyComputer,
  itRootDrive,
  itFolder,
  itFile,
  itInterNet,
  itBitBucket,
  itNetWork,
  itVirtual,
  itUnknown
};

// Results of CompareIDLists.
enum TIDListOrder : int { ioEqual = 0, ioFirstGreater = 1, ioFirstLess = 2, ioError = 3 };

// Indexes of the special-folder table (0..29) that the controls use.
inline constexpr int sfDesktop = 0;
inline constexpr int sfBitBucket = 10;
inline constexpr int sfDesktopDirectory = 12;
inline constexpr int sfMyComputer = 13;
inline constexpr int sfNetwork = 14;
inline constexpr int SpecialFolderCount = 30;

// Counted: the first start registers the shell's clipboard formats, initialises OLE on this
// thread, takes the shell's allocator and makes the list of device-notified controls; the last
// shutdown frees that list, releases the allocator, then OLE. The program and the test mains call
// them on the user-interface thread.
void ShellUnitStartup();
void ShellUnitShutdown();

// The first item's count + 2; 0 for nil or the empty list.
USHORT ItemIDSize(LPCITEMIDLIST list);
// All counts + 2 for the terminator; 0 for nil.
USHORT IDListSize(LPCITEMIDLIST list);
// The address after the first item; nil for nil.
LPITEMIDLIST NextItemID(LPCITEMIDLIST list);
// The next item when both it and the current one are not the terminator; else nil.
LPITEMIDLIST NextNonEmptyItemID(LPCITEMIDLIST list);

// A zero-filled block of the allocator; nil on failure.
LPITEMIDLIST AllocIDList(size_t size);
// Frees through the allocator and sets list to nil.
void FreeIDList(LPITEMIDLIST& list);

// New lists, each from the allocator: nil when there is nothing to copy.
LPITEMIDLIST CopyFirstItemID(LPCITEMIDLIST list);
LPITEMIDLIST CopyIDList(LPCITEMIDLIST list);
// list1's items followed by list2; nil when either is nil.
LPITEMIDLIST ConcatIDLists(LPCITEMIDLIST list1, LPCITEMIDLIST list2);
// Both set: their join, both freed. One set: a copy of it, it freed. None: nil.
LPITEMIDLIST ConcatAndFree(LPITEMIDLIST& list1, LPITEMIDLIST& list2);
// All items but the last; nil for fewer than two items.
LPITEMIDLIST GetIDListParent(LPCITEMIDLIST list);
// The last item; nil for nil or the empty list.
LPITEMIDLIST GetLastItemID(LPCITEMIDLIST list);

// Of an absolute list: 0 for the desktop, else its number of items; -1 for nil or when the
// desktop folder cannot be had.
int GetIDListLevel(LPCITEMIDLIST list);
// The list is the desktop's, by folder's comparison.
bool IsDesktopIDList(IShellFolder* folder, LPCITEMIDLIST list);
// folder's CompareIDs(0, ...) as a TIDListOrder: ioError for nil or a failed call.
int CompareIDLists(IShellFolder* folder, LPCITEMIDLIST list1, LPCITEMIDLIST list2);

// The absolute list of the special folder at index (0..29); list is nil on failure.
bool GetSpecialFolderIDList(int index, LPITEMIDLIST& list);
// The desktop parses the path; list is nil on failure.
bool PathToIDList(const std::string& path, LPITEMIDLIST& list);
// The file-system path of an absolute list; "" and false for nil or an item with no path.
bool IDListToPath(LPCITEMIDLIST list, std::string& path);
// folder's display name of a list relative to it with SHGDN flags; "" and false for nil, a
// failed call or an answer of an unknown kind.
bool GetDisplayName(IShellFolder* folder, LPCITEMIDLIST list, std::string& name, DWORD flags);
// The system image list's index of an absolute list's icon (small unless large, open when
// open); 0 for nil.
int GetSysIconIndex(LPCITEMIDLIST list, bool large, bool open);

// One item-ID list, freed through the allocator with its holder.
class TOwnedIDList {
public:
  TOwnedIDList() = default;
  explicit TOwnedIDList(LPITEMIDLIST list) : list_(list) {}
  ~TOwnedIDList() { FreeIDList(list_); }
  TOwnedIDList(TOwnedIDList&& other) noexcept : list_(other.Release()) {}
  TOwnedIDList& operator=(TOwnedIDList&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  TOwnedIDList(const TOwnedIDList&) = delete;
  TOwnedIDList& operator=(const TOwnedIDList&) = delete;

  LPITEMIDLIST Get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  // For a function that hands out a new list: the old one is freed first.
  LPITEMIDLIST& Out() {
    FreeIDList(list_);
    return list_;
  }
  LPITEMIDLIST Release() {
    LPITEMIDLIST list = list_;
    list_ = nullptr;
    return list;
  }
  void Reset(LPITEMIDLIST list = nullptr) {
    FreeIDList(list_);
    list_ = list;
  }

private:
  LPITEMIDLIST list_ = nullptr;
};

} // namespace quolin
