// Running a user command text: its "$" placeholders expanded against the active view.
//
// Stand-in until the placeholder language exists: only the control placeholders ("$Ret" a
// line break, "$Tab" a tab, "$$" a dollar sign, "$NoRepeat" nothing) and "$S", the place of
// the caret, are understood.
#pragma once

#include <string>

namespace quolin {

// The text with its control placeholders expanded.
std::string ExpandTemplateText(const std::string& text);
// The expanded text replaces the active view's selection; the caret goes where the first "$S"
// stood, else behind the text. False without a document.
bool ExecuteUserCommand(const std::string& text);

} // namespace quolin
