// Helpers of the text tests: the platform's own width and kana mapping (LCMapStringA, Japanese
// locale) as the oracle of the conversions, and bytes in hex for failure messages.
#pragma once

#include "core/Format.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace quolin::texttest {

inline std::string MapByLocale(std::string_view text, DWORD flags) {
  const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
  int size = static_cast<int>(text.size());
  int length = LCMapStringA(japanese, flags, text.data(), size, nullptr, 0);
  std::string mapped(static_cast<size_t>(length), '\0');
  LCMapStringA(japanese, flags, text.data(), size, mapped.data(), length);
  return mapped;
}

inline std::string Hex(std::string_view bytes) {
  std::string hex;
  for (unsigned char byte : bytes)
    hex += IntToHex(byte, 2) + " ";
  return hex;
}

} // namespace quolin::texttest
