// The command router: every menu item, button, list window, the command entry and the "/m"
// command line hand their command text here. "$Sys_" texts are built-in words, "$List" and
// "$Font" texts list windows, everything else a user command for the active document.
#pragma once

#include <functional>
#include <string>

namespace quolin {

class TObject;

// Gives whether the command was carried out. commandId: the signed number of the master (or
// group) the text came from, 0 when none.
bool ExecuteCommand(TObject* sender, const std::string& command, int commandId);
// A built-in word carried out (or, when it needs a document and none is open, nothing done);
// false when the text is no built-in word.
bool ExecuteSysCommand(TObject* sender, const std::string& command, int commandId);

struct TCommandCall {
  TObject* Sender;
  std::string Command;
  int CommandId;
};
// Told of every command the router is handed, before it is carried out.
using TCommandWatcher = std::function<void(const TCommandCall& call)>;
// Replaces the watcher (none: an empty function) and gives the one it replaced.
TCommandWatcher SetCommandWatcher(TCommandWatcher watcher);

// The dialog edit commands a form with edit boxes of its own takes in place of the document.
enum TEditCommand : int { ecUndo, ecCut, ecCopy, ecPaste, ecSelectAll };
class TEditCommandTarget {
public:
  virtual ~TEditCommandTarget() = default;
  // True when the form's focused edit box took the command.
  virtual bool RunEditCommand(TEditCommand command) = 0;
};

// Deletes the tool output files of a target file as the settings switch them; nothing for an
// empty name or while a tool run on that file is active.
void DeleteTexOutputFiles(const std::string& targetFile);
// A new untitled document from the default template.
void SysFileNew();
// The menu and toolbar editor, opened at a page.
void SysOptMenu(int page);
// Checks the items of the sender (a menu item's submenu, a pop-up menu, or a toolbar button's
// drop-down) by the visibility of the user toolbars, when there are not more toolbars than
// items.
void SysViewToolBarList(TObject* sender);

} // namespace quolin
