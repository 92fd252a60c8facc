// The input-assistance list: the main window's command entry above a grid of the masters
// offered for it (name, command), opened at the caret of the active document.
#pragma once

#include <string>

namespace quolin {

class TControl;
class TDocForm;

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
// Opens the list at the caret of the active document (rebuilt first when it is out of date);
// nothing without a document.
void ShowCommandHelper();
// The panel hidden and back under the main window; the input method of the document that
// showed it reopened when it was open, its active view focused when it is the active one.
void CloseCommandHelper();
// Hides the list and closes it for the document that showed it.
void HideCommandHelper();
// The document window the panel stands in; none while it is under the main window.
TDocForm* HelperPanelDoc();
// Hides the panel and puts it back under the main window.
void ReleaseCommandHelperPanel();
// Adds the typed text as a new master offered in the list and saves the masters; true when one
// was added (a failed save is shown, the master stays in the list).
bool AddCommandFromHelper(const std::string& typed);
// Opens or closes the input method of a view's window; gives whether it was open.
bool SetImeOpen(TControl& view, bool open);

} // namespace quolin
