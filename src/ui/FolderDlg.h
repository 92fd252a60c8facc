// Choosing a folder with the platform's folder browser: the component TFolderDlg and the
// simple SelectFolderDialog. Only file-system folders can be chosen.
#pragma once

#include "ui/Component.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quolin {

// The browser as a component: Folder is the start folder, and after Execute the chosen one.
class TFolderDlg : public TComponent {
public:
  std::string Title = "フォルダーの選択";
  std::string Folder;

  // True when a folder was chosen; Folder holds it. The browser is owned by the owner's form,
  // or by the application window.
  bool Execute();

protected:
  explicit TFolderDlg(TComponent* owner) : TComponent(owner) {}
};

// Replaces the browser while set (tests): given the title and the start folder, it answers
// whether a folder was chosen and, if so, puts it into folder. An empty function restores the
// browser.
using TFolderDialogHook = std::function<bool(const std::string& title, std::string& folder)>;
void SetFolderDialogHook(TFolderDialogHook hook);

// The browser titled caption, owned by owner, starting at folder when that exists; folder
// changes only when a folder was chosen.
bool SelectFolderDialog(const std::string& caption, HWND owner, std::string& folder);

} // namespace quolin
