// Searching the active document: the entry the built-in search words use without the dialog.
#pragma once

#include <string>
#include <string_view>

namespace quolin {

class TEditor;

// Selects the next match of pattern from the view's selection: its start, or -1 with the
// selection left alone.
int FindInEditor(TEditor& view, std::string_view pattern, int flags);

// Searches the active document's active view and centres the caret row on a match; beeps and
// gives false for an empty pattern, without a document, or when nothing is found.
bool FindTextInActiveDoc(const std::string& pattern, bool forward, bool matchCase,
                         bool wholeWord);

} // namespace quolin
