#include "common/FolderDlg.h"

#include "common/ComPtr.h"
#include "common/Paths.h"

#include <shlobj.h>

#include <memory>

namespace quolin {

namespace {

TFolderDialogHook& Hook() {
  static TFolderDialogHook hook;
  return hook;
}

// Selects the start folder once the browser is up, and shows the selected path as status text.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM data) {
  try {
    const std::string& start = *reinterpret_cast<const std::string*>(data);
    if (message == BFFM_INITIALIZED && !start.empty() && DirectoryExists(start))
      SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    if (message == BFFM_SELCHANGED) {
      char path[MAX_PATH] = {};
      SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), path);
      SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
  } catch (...) {
    // Nothing may leave a callback of the platform.
  }
  return 0;
}

struct TItemIdFree {
  void operator()(ITEMIDLIST* item) const { CoTaskMemFree(item); }
};

bool Browse(HWND owner, const std::string& title, std::string& folder) {
  TComInit com;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  browse.lpfn = BrowseCallback;
  browse.lParam = reinterpret_cast<LPARAM>(&folder);
  std::unique_ptr<ITEMIDLIST, TItemIdFree> item(SHBrowseForFolderA(&browse));
  char path[MAX_PATH] = {};
  // A virtual folder has no path: nothing was chosen that a caller could use.
  if (!item || !SHGetPathFromIDListA(item.get(), path) || path[0] == '\0')
    return false;
  folder = path;
  return true;
}

bool Ask(HWND owner, const std::string& title, std::string& folder) {
  return Hook() ? Hook()(title, folder) : Browse(owner, title, folder);
}

} // namespace

void SetFolderDialogHook(TFolderDialogHook hook) {
  Hook() = std::move(hook);
}

bool SelectFolderDialog(const std::string& caption, HWND owner, std::string& folder) {
  std::string chosen = folder;
  if (!Ask(owner, caption, chosen))
    return false;
  folder = chosen;
  return true;
}

} // namespace quolin
