#include "core/DocumentText.h"

#include "core/Exceptions.h"
#include "core/ParallelPieces.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quolin {

namespace {

constexpr char CtrlZ = '\x1A';
constexpr char Utf8Marker[] = ".utf8.";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Pieces converted at once and joined in order; a piece that is not valid refuses the whole
// text.
template <typename Convert>
std::string ConvertPieces(const std::vector<std::string_view>& pieces, Convert convert) {
  if (pieces.size() == 1)
    return convert(pieces.front());
  std::vector<std::string> converted(pieces.size());
  RunInParallel(pieces.size(), [&](size_t index) { converted[index] = convert(pieces[index]); });
  size_t size = 0;
  for (const std::string& piece : converted)
    size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string& piece : converted)
    text += piece;
  return text;
}

// A line feed never lies inside a UTF-8 sequence nor a UTF-16 surrogate pair, so pieces cut
// after one convert alone to what the whole converts to.
std::string ConvertUtf8InPieces(std::string_view utf8, const TPieceLimits& limits) {
  return ConvertPieces(CutAfterLineFeeds(utf8, MaxPiecesOf(limits), limits.MinBytes),
                       [](std::string_view piece) { return ConvertUtf8ToAnsi(piece); });
}

// After the byte-order mark; an odd byte count leaves the last piece odd, which refuses it.
std::string ConvertUtf16InPieces(std::string_view utf16, bool bigEndian,
                                 const TPieceLimits& limits) {
  return ConvertPieces(
      CutAfterUtf16LineFeeds(utf16, bigEndian, MaxPiecesOf(limits), limits.MinBytes),
      [bigEndian](std::string_view piece) { return ConvertUtf16ToAnsi(piece, bigEndian); });
}

bool IsConverted(TextEncodingCode code) {
  return code == tcUtf8Bom || code == tcUtf8 || code == tcUtf16Le || code == tcUtf16Be;
}

// code is one that IsConverted.
std::string ConvertToAnsi(std::string_view bytes, TextEncodingCode code,
                          const TPieceLimits& limits) {
  switch (code) {
  case tcUtf8Bom:
    return ConvertUtf8InPieces(bytes.substr(std::min<size_t>(3, bytes.size())), limits);
  case tcUtf8:
    return ConvertUtf8InPieces(bytes, limits);
  default:
    return ConvertUtf16InPieces(bytes.substr(2), code == tcUtf16Be, limits);
  }
}

// Detection looks past Ctrl-Z bytes at the end: reading drops the last one, so a saved file
// ends in one fewer and must still be detected as its original was.
std::string_view WithoutFinalCtrlZs(std::string_view bytes) {
  size_t end = bytes.find_last_not_of(CtrlZ);
  return bytes.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

// Text that the detection read as UTF-8, by its first bytes, reads back from its saved bytes
// only when those look like UTF-8 too (characters lost to "?" or a shorter file change the
// look), or when they hold no byte above ASCII and so read as themselves.
bool SavedUtf8ReadsBack(std::string_view text) {
  // Every byte of the text gives at least one byte of UTF-8: twice the examined length of it
  // covers every byte the detection looks at, whatever a cut last character becomes.
  std::string_view head = WithoutFinalCtrlZs(text).substr(0, 2 * kTextExamineLimit);
  if (DetectTextEncoding(ConvertAnsiToUtf8(head)) == tcUtf8)
    return true;
  return std::none_of(text.begin(), text.end(),
                      [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
}

} // namespace

TDocumentText DecodeDocumentBytes(std::string bytes, bool forceUtf8, const TPieceLimits& limits) {
  TDocumentText result;
  result.Code = DetectTextEncoding(WithoutFinalCtrlZs(bytes), limits);
  // A byte-order mark decides; the name marks only text without one.
  if (forceUtf8 && !IsConverted(result.Code))
    result.Code = bytes.starts_with(Utf8Bom) ? tcUtf8Bom : tcUtf8;
  // Other codes keep their bytes: taken, not copied.
  result.Text =
      IsConverted(result.Code) ? ConvertToAnsi(bytes, result.Code, limits) : std::move(bytes);
  if (!result.Text.empty() && result.Text.back() == CtrlZ)
    result.Text.pop_back();
  if (result.Code == tcUtf8 && !forceUtf8 && !SavedUtf8ReadsBack(result.Text))
    throw EEncodingError(res::Utf8ConvertFailed);
  return result;
}

std::string EncodeDocumentText(std::string_view text, TextEncodingCode code) {
  switch (code) {
  case tcUtf8Bom:
    return ConvertAnsiToUtf8Bom(text);
  case tcUtf8:
    return ConvertAnsiToUtf8(text);
  case tcUtf16Le:
  case tcUtf16Be:
    return ConvertAnsiToUtf16Bom(text, code == tcUtf16Be);
  default:
    return std::string(text);
  }
}

bool HasUtf8Marker(std::string_view fileName) {
  return sjis::LowerAscii(ExtractFileName(fileName)).find(Utf8Marker) != std::string::npos;
}

bool HasListedExtension(std::string_view fileName, std::string_view extensionList) {
  std::string extension = sjis::LowerAscii(ExtractFileExt(fileName));
  if (extension.empty())
    return false;
  return extensionList.find(extension + ".") != std::string_view::npos;
}

} // namespace quolin
