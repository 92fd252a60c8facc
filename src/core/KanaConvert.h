// Width conversion of katakana, letters and digits, and the readings of index entries: their
// hiragana and half-width katakana forms and their sort keys. Driven by the rows of KanaRows.h.
#pragma once

#include <string>
#include <string_view>

namespace quolin {

// Modes of ConvertWidth, one per character class; any other value leaves the class alone.
inline constexpr int cwHalfWidth = 1;
inline constexpr int cwFullWidth = 2;

// 1-based byte position of the two bytes first, second in a Shift-JIS row of pairs, looked up
// at odd positions only (1, 3, 5, ...); 0 when absent.
int FindDbcsPair(std::string_view row, char first, char second);

// Shift-JIS text with every two bytes that form a pair of fromRow replaced by the pair at the
// same position of toRow; the scan steps over double-byte characters as units.
std::string MapDbcsChars(std::string_view text, std::string_view fromRow, std::string_view toRow);

// UTF-16 text with every character of fromRow replaced by the one at the same position of
// toRow; for a character that fromRow holds twice, the last occurrence wins.
std::u16string MapWideChars(std::u16string_view text, std::u16string_view fromRow,
                          std::u16string_view toRow);

// Converts letters, digits and katakana (voiced ones included) to half or full width by their
// modes, and the characters of extraFrom to those of extraTo when both have the same, non-zero
// length; that extra pair wins over the class rows.
std::u16string ConvertWidth(std::u16string_view text, int letterMode, int digitMode, int kanaMode,
                          std::u16string_view extraTo, std::u16string_view extraFrom);

// Readings are Shift-JIS, as the index dialog's edit boxes hold them.
// The half-width katakana of a reading; every other character is dropped.
std::string ExtractHalfWidthKana(std::string_view reading);
// The reading with its katakana (either width) turned into hiragana.
std::string NormalizeReading(std::string_view reading);
// Sort key of a hiragana reading: small kana as normal, voiced as unvoiced, and a long-vowel
// mark as the vowel of the character before it.
std::string ReadingSortKey(std::string_view reading);
// The same without long-vowel marks.
std::string ReadingSortKeyNoLong(std::string_view reading);

} // namespace quolin
