// Running a user command text: its "$" placeholders expanded against the active view, the
// result put in place of the selection.
#pragma once

#include <string>

namespace quolin {

// The text without "$NoRepeat" (any case) and with its control placeholders expanded, CR LF as
// the line break; asSelection: it also replaces the active view's selection.
std::string ExpandTemplateText(const std::string& text, bool asSelection);
// Expands the command against the active view's selection and puts the result there (a
// read-only view receives nothing). False without a document, for an empty command, or when
// a dialog or the plug-in cancelled it.
bool ExecuteUserCommand(const std::string& command);

} // namespace quolin
