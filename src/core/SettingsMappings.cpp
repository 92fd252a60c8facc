#include "core/SettingsMappings.h"

#include "core/Sjis.h"
#include "core/TokenScan.h"

#include <algorithm>

namespace quolin {

int TabWidthIndex(int count) {
  return std::clamp(count / 2 - 1, 0, 3);
}

int TabWidthOfIndex(int index) {
  return (index + 1) * 2;
}

int SectionViewLevelIndex(int level) {
  return std::clamp(level, 0, 7);
}

int AutoCommandTypeIndex(int type) {
  return std::clamp(type, 0, 1);
}

int MinWordLenIndex(int length) {
  return std::clamp(length, 2, 8) - 2;
}

int MinWordLenOfIndex(int index) {
  return index + 2;
}

std::string WithLeadingDot(const std::string& extension) {
  if (extension.empty() || extension.front() == '.')
    return extension;
  return "." + extension;
}

TBracketLineParts SplitBracketLine(std::string_view line) {
  size_t length = sjis::CharLength(line, 0);
  return {std::string(line.substr(0, length)), std::string(line.substr(length))};
}

bool IsOneCharacter(std::string_view text) {
  return !text.empty() && sjis::CharLength(text, 0) == text.size();
}

char BracketOpener(std::string_view line) {
  return sjis::CharLength(line, 0) == 1 ? line[0] : '\0';
}

int SampleCategoryOfToken(int tokenKind, bool reservedWord) {
  switch (tokenKind) {
  case tkEnd:
  case tkTab:
    return 5; // the edit marks
  case tkComment:
    return 3;
  case tkUrl:
    return 6;
  case tkMail:
    return 7;
  default:
    return reservedWord ? 2 : 0;
  }
}

} // namespace quolin
