// The indentation a new line gets, and the Enter templates that carry it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// The indentation after text (the caret line up to the caret) by indentType: 1 its leading
// blanks and tabs; 2 its longest common beginning with the line above (whole characters), or
// as 1 when they share none; 3 as 1 followed by the last entry of indentList that the text
// without its leading blanks begins with; any other type none. An indentation of exactly one
// backslash is none.
std::string AutoIndentText(int indentType, std::string_view text,
                           std::optional<std::string_view> previousLine,
                           const std::vector<std::string>& indentList);

// The text an Enter template inserts: with "$NoIndent" no indentation, with "$SpIndent" the
// indentation as blanks and tabs only (a double-byte character becomes two blanks, keeping its
// columns; "$NoIndent" wins over it); both markers are removed and every line break is
// followed by the indentation.
std::string ExpandEnterTemplate(std::string_view enterText, std::string_view indent);

} // namespace quolin
