// The user toolbars made from the toolbar lines, their buttons' state, the toolbar-list menu
// and the saved layout of the main window's toolbars.
#pragma once

#include <vector>

namespace quolin {

class TToolbar;

// The user toolbars in the order of the toolbar list.
std::vector<TToolbar*>& UserToolbars();
// Positions and visibility of the main window's toolbars.
void SaveToolbarLayout();
void LoadToolbarLayout();
// The toolbar of line index, docked on the top dock; nullptr for an index beyond the list or
// a line whose Id an earlier toolbar has.
TToolbar* CreateUserToolbar(int index);
// Frees and makes every user toolbar again, keeping each where it was.
void RebuildUserToolbars();
// Images, hints, groups and drop-downs of every generated button from the masters.
void RefreshUserToolbarButtons();
// One checked item per shown toolbar, then the item that opens the toolbar settings.
void FillToolbarListMenu();

} // namespace quolin
