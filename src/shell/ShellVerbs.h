// Reading the verb of a shell context-menu command and running the command, so that the tree
// and the list know which command ran whatever places the shell gives its commands.
#pragma once

#include "core/ShellVerbs.h"

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>

namespace quolin {

// Bytes (or characters) offered to GetCommandString for a verb.
inline constexpr UINT ShellVerbBufferSize = 64;

// The canonical verb of the command at offset: the ANSI answer, else the wide one; none when
// the menu names no verb there. Give the richest interface the shell offered.
std::optional<std::string> ReadShellVerb(IContextMenu* menu, UINT offset);

// The code of the chosen command at offset. Rename is never invoked (the caller edits the
// label); any other command is invoked for owner, and a failure gives 0.
int RunShellCommand(IContextMenu* menu, HWND owner, UINT offset);

} // namespace quolin
