// The state groups of the generated menu items and buttons, the user toolbars and their
// layout.
//
// Stand-ins until menus and toolbars are generated from the user data: no groups, no user
// toolbars, and nothing saved or restored.
#pragma once

#include <vector>

namespace quolin {

class TPopupMenu;
class TToolbar;

void CreateVisiSets();
// The groups that follow whether a document is open, and whether the active view has a
// selection and whether it holds a line break.
//
// Stand-ins until the state groups exist: nothing changes.
void UpdateDocumentMenuState(bool documentOpen);
void UpdateSelectionMenuState(bool selected, bool lineBreakSelected);
void FreeVisiSets();
// Positions and visibility of the main window's toolbars.
void SaveToolbarLayout();
void LoadToolbarLayout();
// The user toolbars in the order of the toolbar list.
std::vector<TToolbar*>& UserToolbars();
// Copies the reopen menu under the generated "$Sys_FileRemain" items.
void CopyRemainMenuIntoGeneratedMenus(TPopupMenu& remainMenu);

} // namespace quolin
