// Conversions between the ANSI code page (CP_ACP, Shift-JIS here) and UTF-16, with explicit
// lengths: NUL characters inside the text are kept.
#pragma once

#include <string>
#include <string_view>

namespace quolin {

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace quolin
