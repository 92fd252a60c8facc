#include "common/CodePage.h"

#include "core/Platform.h"

namespace quolin {

// wchar_t is UTF-16 on Windows: the core's conversions serve the Win32 callers as they stand.
std::wstring AnsiToWide(std::string_view text) {
  std::u16string wide = AnsiToUtf16(text);
  return {wide.begin(), wide.end()};
}

std::string WideToAnsi(std::wstring_view text) {
  return Utf16ToAnsi(std::u16string(text.begin(), text.end()));
}

} // namespace quolin
