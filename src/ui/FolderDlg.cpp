#include "ui/FolderDlg.h"

#include "common/ComPtr.h"
#include "common/StringHelpers.h"
#include "core/Paths.h"
#include "ui/Control.h"

#include <shlobj.h>

#include <memory>

namespace quolin {

namespace {

TFolderDialogHook& Hook() {
  static TFolderDialogHook hook;
  return hook;
}

struct TBrowseState {
  std::string Start;
  bool StartSelected = false;
  int Retries = 0;
};

constexpr UINT RetryIntervalMs = 100;
constexpr int MaxRetries = 10;

void SelectStart(HWND browser, const TBrowseState& state) {
  SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(state.Start.c_str()));
}

// The first browser of a process can stop short of a deep start folder under Wine; a later
// try gets there. The timer's id is the browse state.
void CALLBACK RetrySelectStart(HWND browser, UINT, UINT_PTR timer, DWORD) {
  auto& state = *reinterpret_cast<TBrowseState*>(timer);
  if (state.StartSelected || ++state.Retries > MaxRetries) {
    KillTimer(browser, timer);
    return;
  }
  SelectStart(browser, state);
}

// Selects the start folder once the browser is up, and shows the selected path as status text.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM data) {
  try {
    auto& state = *reinterpret_cast<TBrowseState*>(data);
    if (message == BFFM_INITIALIZED && DirectoryExists(state.Start)) {
      SelectStart(browser, state);
      if (!state.StartSelected)
        SetTimer(browser, reinterpret_cast<UINT_PTR>(&state), RetryIntervalMs, RetrySelectStart);
    }
    if (message == BFFM_SELCHANGED) {
      char path[MAX_PATH] = {};
      SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), path);
      SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
      if (IsSameText(ExcludeTrailingPathDelimiter(path), ExcludeTrailingPathDelimiter(state.Start)))
        state.StartSelected = true;
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
  TBrowseState state{folder};
  browse.lParam = reinterpret_cast<LPARAM>(&state);
  std::unique_ptr<ITEMIDLIST, TItemIdFree> item(SHBrowseForFolderA(&browse));
  char path[MAX_PATH] = {};
  // A virtual folder has no path: nothing was chosen that a caller could use.
  if (!item || !SHGetPathFromIDListA(item.get(), path) || path[0] == '\0')
    return false;
  folder = path;
  return true;
}

// folder changes only when a folder was chosen.
bool Choose(HWND owner, const std::string& title, std::string& folder) {
  std::string chosen = folder;
  if (!(Hook() ? Hook()(title, chosen) : Browse(owner, title, chosen)))
    return false;
  folder = chosen;
  return true;
}

} // namespace

bool TFolderDlg::Execute() {
  return Choose(DialogOwnerWindow(Owner()), Title, Folder);
}

void SetFolderDialogHook(TFolderDialogHook hook) {
  Hook() = std::move(hook);
}

bool SelectFolderDialog(const std::string& caption, HWND owner, std::string& folder) {
  return Choose(owner, caption, folder);
}

} // namespace quolin
