// The text of a document file: its bytes decoded into the Shift-JIS text the editor keeps,
// and that text encoded back into the file's own form; and whether a name's extension is in a
// list.
#pragma once

#include "core/TextEncoding.h"

#include <string>
#include <string_view>

namespace quolin {

struct TDocumentText {
  std::string Text;
  TextEncodingCode Code = tcAscii;
};

// Detects the character code and converts UTF-8 (codes 9 and 10) and UTF-16 with byte-order
// mark (7 and 8) to Shift-JIS; other codes keep their bytes. forceUtf8 reads text without
// byte-order mark as UTF-8 (code 10). A Ctrl-Z that is the last byte of the text is dropped;
// one inside stays, so that saving keeps what follows it. Text that is not valid in its code
// raises EEncodingError: the file is refused whole; so is text detected as UTF-8 whose saved
// bytes would no longer be detected as UTF-8 and read back as another text.
TDocumentText DecodeDocumentBytes(std::string_view bytes, bool forceUtf8);
// The file's bytes for text kept in code: UTF-8 with or without byte-order mark, UTF-16 in
// its byte order with its mark, or the text's own bytes.
std::string EncodeDocumentText(std::string_view text, TextEncodingCode code);

// The lower-cased name part contains ".utf8.".
bool HasUtf8Marker(std::string_view fileName);
// The lower-cased extension followed by "." occurs in extensionList (".exe.dvi." ...): the
// binary names of the settings, the browser's text files. A name without extension is in no
// list.
bool HasListedExtension(std::string_view fileName, std::string_view extensionList);

} // namespace quolin
