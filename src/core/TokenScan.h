// The scanning rules that the editor's row tokenizer and the spell tokenizer share: token kind
// numbers, blanks, character classes by the first byte, mail-address runs, URLs and comments.
// A text is a string_view; every byte past its end reads as 0, which ends a row as CR and LF
// do. Window-free.
#pragma once

#include "core/ByteKinds.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quolin {

enum EditorTokenKind : uint8_t {
  tkEnd = 0,              // byte 0, LF or CR at the token start; the token is empty
  tkSymbol = 1,           // a single byte no other rule takes
  tkString = 2,           // a quoted string or a "#" control code
  tkInteger = 3,          // decimal digits, or the hexadecimal prefix and hex digits
  tkFloat = 4,            // digits with a fraction or an exponent
  tkBracket = 6,          // a bracket pair, or to the row end while it stays open
  tkComment = 7,          // from the comment opener to the row end
  tkWord = 8,             // an ASCII word or a TeX control sequence
  tkTab = 9,              // one TAB byte
  tkDbcsSymbol = 11,      // a double-byte symbol, a run of 0x84-0x87 characters or Greek
  tkWideNumber = 12,      // full-width digits, "，" and "．", starting with a digit
  tkWideLetters = 14,     // full-width Latin letters
  tkHiragana = 15,        // with "ー" and 0x81 0x7C
  tkKatakana = 16,        // with "ー" and 0x81 0x7C
  tkKanji = 17,           // lead bytes 0x88-0x9F and 0xE0-0xFC
  tkHalfPunctuation = 18, // one byte 0xA1-0xA5
  tkHalfKatakana = 19,    // a run of bytes 0xA6-0xDF
  tkUrl = 20,
  tkMail = 21,
  tkControlSequence = 22, // the spell tokenizer's own kind for a TeX control sequence
};

inline unsigned char ByteOf(std::string_view text, size_t pos) {
  return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

// True at a row end: byte 0, LF, CR, or past the text.
inline bool AtRowEnd(std::string_view text, size_t pos) {
  return sjis::EndsCharacter(ByteOf(text, pos));
}

size_t SkipDigits(std::string_view text, size_t pos);
size_t SkipHexDigits(std::string_view text, size_t pos);

// Past bytes below 33 other than 0 and TAB (CR and LF are skipped too).
size_t SkipBlanks(std::string_view text, size_t pos);
// The position of the row end at or after pos.
size_t RowEnd(std::string_view text, size_t pos);

// Mail characters: "!", "$"-"&", "*", ","-"9", ";", "=", "?"-"Z", "^", "_", "a"-"z", "~".
const ByteSet& MailChars();
// The editor's URL characters: "#", "%", "&", "+", "-"-":", "=", "?", "A"-"Z", "_",
// "a"-"z", "~".
const ByteSet& EditorUrlChars();

// "ftp:", "http:", "https:" or "www." at pos (case-sensitive) and the URL characters after
// it: the end of the URL, or pos when there is none.
size_t ScanUrl(std::string_view text, size_t pos, const ByteSet& urlChars);

// Mail addresses: a run of mail characters that, from the byte after its first, holds "@"
// and after it ".". A scan that failed remembers where its run ended: a later start inside
// the same run cannot succeed, so long runs of digits and commas stay linear.
class MailScanner {
public:
  // The end of the mail address that starts at pos, or pos when there is none.
  size_t Scan(std::string_view text, size_t pos);

private:
  size_t failedRunEnd_ = 0;
};

// True when commenter stands at pos, unless the token just before it is "\" alone and ends at
// pos: TeX then reads the opener as part of a control symbol. After "\\" (a line break) or a
// double-byte character whose second byte is 0x5C a comment does begin.
bool CommentStartsAt(std::string_view text, size_t pos, std::string_view commenter,
                     bool afterLoneBackslash);

// The state CommentStartsAt needs: whether the token that ended at pos is "\" alone. Taken
// before the blanks are skipped, and true only while nothing has been skipped.
class BackslashTracker {
public:
  void TokenEnded(std::string_view token, size_t end) {
    loneBackslashEnd_ = token == "\\" ? end : kNone;
  }
  bool LoneBackslashEndsAt(size_t pos) const { return loneBackslashEnd_ == pos; }

private:
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t loneBackslashEnd_ = kNone;
};

struct ScannedToken {
  size_t end;
  EditorTokenKind kind;
};

// The token at pos by the class of its first byte: a TeX control sequence (kind tkWord), TAB,
// numbers, words, the double-byte classes, half-width katakana, or one symbol byte. pos must
// not be at a row end.
ScannedToken ScanByFirstByte(std::string_view text, size_t pos);

} // namespace quolin
