// User command texts with "$" placeholders.
#pragma once

#include <string>

namespace quolin {

// The last repeatable command text, or the message that there is none.
//
// Stand-in until user commands run: there is never a last command.
std::string LastCommandText();

} // namespace quolin
