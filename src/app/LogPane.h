// The TeX log pane of a document window: the target file's log, all of it or only its error
// (and warning) lines, and a double click that jumps to the source line a log line names.
#pragma once

#include "core/TexLog.h"

#include <string>

namespace quolin {

class TDocForm;

// Loads the log of the document's target file into its pane; with a file name only when that
// is the document's target file (case ignored). Nothing while the pane is below 11 pixels.
void LoadLog(TDocForm* doc, const std::string& fileName);
void ClearLogList(TDocForm& doc);
// The filter the pane's menu has checked.
TLogFilter CheckedLogFilter(const TDocForm& doc);
// Checks the filter's item and reloads.
void SetLogFilter(TDocForm& doc, TLogFilter filter);
// The selected line's source line, centred in the active view, which takes the focus.
void LogListBox1DblClick(TDocForm& doc);
// Wires the pane's filter items and the list's double click.
void ConnectLogPane(TDocForm& doc);

} // namespace quolin
