// The TeX log pane of a document window.
#pragma once

#include <string>

namespace quolin {

class TDocForm;

// Loads the log of the document's target file into its pane; with a file name only when that
// is the document's target file.
//
// Stand-in until the log pane exists: does nothing.
void LoadLog(TDocForm* doc, const std::string& fileName);

} // namespace quolin
