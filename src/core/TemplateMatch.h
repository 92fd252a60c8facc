// Finding the texts that fill the "$S" place of a template such as "\label{$S}" in lines of a
// document. Marks are found only as whole Shift-JIS characters ("}" is the second byte of マ).
// Window-free.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quolin {

class TStrings;

// The text before and after "$S"; true only when both are non-empty.
bool SplitTemplateAtMark(std::string_view templateText, std::string& before, std::string& after);

// From pos on: the text between the next startMark and the endMark that follows it, and the
// position after that endMark. False when there is none, or when stopMark (unless empty) comes
// before the start mark or before the end mark.
bool FindBetweenMarks(std::string_view text, size_t pos, std::string_view stopMark,
                      std::string_view startMark, std::string_view endMark, std::string& found,
                      size_t& next);

// Adds every text found in lines for the template to result; gives the number added.
int CollectTemplateMatches(std::string_view templateText, std::string_view stopMark,
                           const TStrings& lines, TStrings& result);

} // namespace quolin
