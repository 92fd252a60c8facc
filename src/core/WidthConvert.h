// Width conversion of Shift-JIS text: the symbol pairs with a choice each, the character lists
// they make, and the conversion itself, which changes no byte it does not convert. Window-free.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quolin {

// One symbol choice: its control's name and the full- and half-width forms as Shift-JIS text
// (two characters for a bracket pair, each converted on its own).
struct TWidthPair {
  const char* Name;
  std::string_view Full;
  std::string_view Half;
};

inline constexpr int WidthPairCount = 29;
// The space, then the 28 symbols, in the order the lists are built.
extern const std::array<TWidthPair, WidthPairCount> WidthPairs;

// Choices: 0 leaves a pair, 1 converts it to half width, 2 to full width.
enum TWidthChoice : int { wcLeave, wcHalf, wcFull };

struct TWidthLists {
  // Position i of From converts to position i of To.
  std::u16string From, To;
};

// The lists for a choice per pair of WidthPairs.
TWidthLists BuildSymbolLists(const std::array<int, WidthPairCount>& choices);

// The text with letters, digits and katakana converted by their modes (KanaConvert.h) and the
// characters of the lists; nothing is converted when the modes and the list lengths add up to
// 0. A character whose round trip through UTF-16 would change its bytes (a duplicate code, an
// undefined one, a lone lead byte) keeps its bytes; only the runs between such characters are
// converted.
std::string ConvertTextWidth(std::string_view text, int letterMode, int digitMode, int kanaMode,
                             const TWidthLists& lists);

} // namespace quolin
