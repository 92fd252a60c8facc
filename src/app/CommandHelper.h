// The input-assistance list: the main window's command entry above a grid of the masters
// offered for it (name, command), opened at the caret of the active document.
#pragma once

#include <string>

namespace quolin {

// The grid must be filled again before the list is next shown.
extern bool CommandHelperDirty;

// One row per master offered in the list that has a command, sorted with a leading backslash
// ignored, and one empty row after them.
void BuildCommandHelperList();
// The typed text, trimmed and without one leading backslash, begins the row name (without its
// leading backslash).
bool HelperTextBeginsRow(const std::string& typed, const std::string& rowName, bool matchCase);
// Selects the first row whose name begins with the typed text, one of the same case first;
// otherwise the selection stays.
void SelectHelperRow(const std::string& typed);
// Opens the list at the caret of the active document, and closes it.
//
// Stand-ins until the list opens from the editor: nothing opens.
void ShowCommandHelper();
void CloseCommandHelper();
// Hides the list and closes it for the active document.
void HideCommandHelper();
// Adds the typed text as a new master offered in the list; true when one was added.
//
// Stand-in until masters can be saved: adds nothing.
bool AddCommandFromHelper(const std::string& typed);

} // namespace quolin
