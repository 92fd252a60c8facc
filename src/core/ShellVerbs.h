// What a command chosen from the shell's context menu tells the control that showed it. The
// controls follow up on four commands (refresh, remove deleted items, rename in place, mark as
// cut); the shells number them differently (Wine puts rename and link far from Windows'
// places), so a command is known by its canonical verb, and only a menu that names no verb
// falls back to Windows' places.
#pragma once

#include <optional>
#include <string>

namespace quolin {

// Result codes of a chosen command: 0 when nothing ran, an own item ran or the command failed.
enum TShellCommandCode : int {
  shcNone = 0,
  shcLink = 17,   // the folder's contents changed
  shcDelete = 18,
  shcRename = 19, // never invoked: the caller edits the label
  shcCut = 25,
};

// The code of the command at offset (from the first shell identifier) whose verb was read, or
// that has none (or an empty one). Another verb gives offset + 1, or 0 where that would pose as one of the four.
int ShellCommandCode(const std::optional<std::string>& verb, unsigned offset);

} // namespace quolin
