// The command router: every menu item, button, list window and the command entry hand their
// command text here.
//
// Stand-in until the router exists: it carries out only "$Sys_FileNew" (a new untitled
// document from the default template).
#pragma once

#include <functional>
#include <string>

namespace quolin {

class TObject;

// Gives whether the command was carried out. commandId: the signed number of the master (or
// group) the text came from, 0 when none.
bool ExecuteCommand(TObject* sender, const std::string& command, int commandId);

struct TCommandCall {
  TObject* Sender;
  std::string Command;
  int CommandId;
};
// Told of every command the router is handed, before it is carried out.
using TCommandWatcher = std::function<void(const TCommandCall& call)>;
// Replaces the watcher (none: an empty function) and gives the one it replaced.
TCommandWatcher SetCommandWatcher(TCommandWatcher watcher);

// Deletes the tool output files of a target file as the settings switch them.
//
// Stand-in until the built-in commands exist: deletes nothing.
void DeleteTexOutputFiles(const std::string& targetFile);
// A new untitled document from the default template.
void SysFileNew();
// The menu and toolbar editor, opened at a page.
void SysOptMenu(int page);
// Checks the toolbar-list items of the sender's menu by the toolbars' visibility.
void SysViewToolBarList(TObject* sender);

} // namespace quolin
