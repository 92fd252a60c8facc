// Where the dockable windows of a form stand, saved and restored: dock, row and position, or
// the floating point, visibility and each class's own values (a toolbar's wrap width, a tool
// window's client size), one section per window named after it.
//
// The generic pair works through four callbacks and a pointer of the caller's; the registry
// pair stores each window under a subkey of the given key, integers as decimal text.
//
// A window or dock without a name cannot be saved: the others are saved all the same, then the
// first such error is raised. Loading likewise goes on with the other windows and raises at the
// end. Loading holds every dock's arrangement until all windows are placed, so each dock
// arranges once, also when an error ends it. A stored place the window cannot take (floating
// for a window that cannot float, another dock for one that must stay) leaves it where it is.
#pragma once

#include "toolbar/TbDock.h"

#include <windows.h>

#include <string>

namespace quolin {

void SaveToolWindowLayout(TComponent* owner, TPositionWriteIntProc writeInt,
                          TPositionWriteStringProc writeString, void* extra);
void LoadToolWindowLayout(TComponent* owner, TPositionReadIntProc readInt,
                          TPositionReadStringProc readString, void* extra);

// root nullptr: HKEY_CURRENT_USER. A leading "\" of keyPath is ignored; the key is made when
// missing.
void SaveToolWindowLayoutToRegistry(TComponent* owner, HKEY root, const std::string& keyPath);
void LoadToolWindowLayoutFromRegistry(TComponent* owner, HKEY root, const std::string& keyPath);

// The first dock owned by owner whose Name is name (case-sensitive), or nullptr.
TDock* FindDockByName(TComponent* owner, const std::string& name);

} // namespace quolin
