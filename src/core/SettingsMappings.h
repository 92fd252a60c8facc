// How the settings pages show stored values and read them back: the clamps of the choice
// lists, the leading "." of backup extensions, the parts of an automatic bracket line, and the
// colour category a click on the view page's sample text chooses. Window-free.
#pragma once

#include <string>
#include <string_view>

namespace quolin {

// Tab widths 2, 4, 6, 8 are items 0-3; a stored width off that list shows the nearest item.
int TabWidthIndex(int count);
int TabWidthOfIndex(int index);
// Stored values outside a list's range show as its nearest end.
int SectionViewLevelIndex(int level);
int AutoCommandTypeIndex(int type);
// Minimum word lengths 2-8 are items 0-6.
int MinWordLenIndex(int length);
int MinWordLenOfIndex(int index);

// A backup extension typed without its leading "." gets one; an empty one stays empty.
std::string WithLeadingDot(const std::string& extension);

struct TBracketLineParts {
  // The typed character, whole (two bytes for a double-byte one).
  std::string Opener;
  std::string Inserted;
};
TBracketLineParts SplitBracketLine(std::string_view line);
// Exactly one character, single- or double-byte.
bool IsOneCharacter(std::string_view text);
// A line's first character when it is a single byte, else 0: a double-byte character could not
// be matched by one typed byte and would fire on any character sharing its lead byte.
char BracketOpener(std::string_view line);

// The colour category of the view page for a click on the sample: the token kind under the
// caret, and whether the word there is a reserved word. A selection chooses
// SampleSelectionCategory instead.
inline constexpr int SampleSelectionCategory = 1;
int SampleCategoryOfToken(int tokenKind, bool reservedWord);

} // namespace quolin
