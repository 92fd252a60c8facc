// The width conversion written out plainly, which the random test and the fuzz target hold
// ConvertTextWidth to: each character's round trip asked of the platform on its own, the runs
// of characters that survive it converted, every other character kept.
#pragma once

#include "core/KanaConvert.h"
#include "core/Platform.h"
#include "core/Sjis.h"
#include "core/WidthConvert.h"

#include <string>
#include <string_view>

namespace quolin::widthtest {

inline bool SurvivesRoundTrip(std::string_view character) {
  std::u16string wide = AnsiToUtf16(character);
  return wide.size() == 1 && Utf16ToAnsi(wide) == character;
}

inline std::string ReferenceWidth(std::string_view text, int letterMode, int digitMode,
                                  int kanaMode, const TWidthLists& lists) {
  if (letterMode + digitMode + kanaMode + static_cast<int>(lists.From.size() + lists.To.size()) < 1)
    return std::string(text);
  std::string result, run;
  auto flush = [&] {
    result += Utf16ToAnsi(
        ConvertWidth(AnsiToUtf16(run), letterMode, digitMode, kanaMode, lists.To, lists.From));
    run.clear();
  };
  for (size_t pos = 0; pos < text.size();) {
    std::string_view character = text.substr(pos, sjis::CharLength(text, pos));
    pos += character.size();
    if (SurvivesRoundTrip(character)) {
      run += character;
      continue;
    }
    flush();
    result += character;
  }
  flush();
  return result;
}

} // namespace quolin::widthtest
