// Character codes of text files and the conversions between UTF-8 or UTF-16 and the ANSI code
// page (Shift-JIS) in which documents are edited. Conversions keep NUL characters and refuse
// input that is not valid, whole, with EEncodingError.
#pragma once

#include "core/ParallelPieces.h"

#include <string>
#include <string_view>

namespace quolin {

// The character code each document keeps.
enum TextEncodingCode : int {
  tcAscii = 0,  // only ASCII bytes seen
  tcBinary = 1, // binary, or an empty file
  tcJis = 2,    // ESC $ B (JIS X 0208-1983)
  tcJisOld = 3, // ESC $ @ (JIS C 6226-1978)
  tcEucJp = 4,
  tcShiftJis = 5,
  tcEucOrShiftJis = 6,
  tcUtf16Le = 7, // byte-order mark FF FE
  tcUtf16Be = 8, // byte-order mark FE FF
  tcUtf8Bom = 9, // byte-order mark EF BB BF
  tcUtf8 = 10,   // without byte-order mark
};

// How many leading bytes the detections examine.
inline constexpr size_t kTextExamineLimit = 512;

// A long text is walked in pieces on several threads, with the answer of one walk.
TextEncodingCode DetectTextEncoding(std::string_view bytes, const TPieceLimits& limits = {});
// Codes 0 to 6.
TextEncodingCode DetectJapaneseEncoding(std::string_view bytes, const TPieceLimits& limits = {});

std::string ConvertUtf8ToAnsi(std::string_view utf8);
// The first three bytes (the byte-order mark) are dropped unchecked.
std::string ConvertUtf8BomToAnsi(std::string_view utf8);
std::string ConvertAnsiToUtf8(std::string_view ansi);
std::string ConvertAnsiToUtf8Bom(std::string_view ansi);
// The byte order is taken from the byte-order mark, which must be there.
std::string ConvertUtf16BomToAnsi(std::string_view utf16);
// UTF-16 without byte-order mark, in the given byte order.
std::string ConvertUtf16ToAnsi(std::string_view utf16, bool bigEndian);
std::string ConvertAnsiToUtf16Bom(std::string_view ansi, bool bigEndian);

} // namespace quolin
