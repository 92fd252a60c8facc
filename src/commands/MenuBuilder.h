// The state groups of the generated menu items and buttons, and the generated menus.
//
// Each master's VisibleType puts its items and buttons into one of nine groups, switched
// together by the document and selection state. The generated menus are built from the menu
// editor's tree; their items carry their command number in their names (GeneratedNames).
#pragma once

#include "core/CommandRecords.h"

#include <array>
#include <vector>

namespace quolin {

class TMenuItem;
class TPopupMenu;
class TToolbarButton;

inline constexpr int VisiSetCount = 9;
// Items of group 9 are built hidden and never switched.
inline constexpr int HiddenVisibleType = 9;

// One state group; the items and buttons belong to the main window.
struct TMenuVisiSet {
  std::vector<TMenuItem*> Items;
};
struct TButtonVisiSet {
  std::vector<TToolbarButton*> Buttons;
};

void CreateVisiSets();
// Also forgets the user toolbars and the generated menus' special items.
void FreeVisiSets();
// Groups 1 to 9; any other number is ignored.
void AddMenuToGroup(int group, TMenuItem* item);
void AddButtonToGroup(int group, TToolbarButton* button);
void ClearMenuGroups();
void ClearButtonGroups();
const TMenuVisiSet& MenuGroup(int group);
const TButtonVisiSet& ButtonGroup(int group);

// Items Enabled and buttons Enabled.
void SetMenuGroupEnabled(int group, bool value);
// Items Visible and buttons Enabled.
void SetMenuGroupVisible(int group, bool value);
// The groups that follow whether a document is open, and whether the active view has a
// selection and whether it holds a line break.
void UpdateDocumentMenuState(bool documentOpen);
void UpdateSelectionMenuState(bool selected, bool lineBreakSelected);

// The master, or for a negative number the group, from the main window's lists; a cleared
// record when there is none.
TQuolin_CmdList SignedCommandOf(int number);

// Builds the three menus from the menu editor's tree when rebuild is set, then refreshes the
// images, hints, visibility and groups of their items from the masters.
void RebuildMenus(bool rebuild);
// Frees target's sub-items and puts copies of source's sub-items there.
void CopyMenuItems(const TMenuItem& source, TMenuItem& target);
// Copies the reopen menu under the generated "$Sys_FileRemain" items.
void CopyRemainMenuIntoGeneratedMenus(TPopupMenu& remainMenu);
// Copies the toolbar-list menu under the generated "$Sys_ViewToolBarList" items.
void CopyToolbarListIntoGeneratedMenus();

} // namespace quolin
