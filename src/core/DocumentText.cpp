#include "core/DocumentText.h"

#include "core/Exceptions.h"
#include "core/ParallelPieces.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"

#include <algorithm>
#include <vector>

namespace quolin {

namespace {

constexpr char CtrlZ = '\x1A';
constexpr char Utf8Marker[] = ".utf8.";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// A line feed never lies inside a UTF-8 sequence, so pieces cut after one convert alone to
// what the whole converts to; a piece that is not valid refuses the whole text.
std::string ConvertUtf8InPieces(std::string_view utf8) {
  std::vector<std::string_view> pieces =
      CutAfterLineFeeds(utf8, ProcessorCount(), kDefaultPieceBytes);
  if (pieces.size() == 1)
    return ConvertUtf8ToAnsi(utf8);
  std::vector<std::string> converted(pieces.size());
  RunInParallel(pieces.size(),
                [&](size_t index) { converted[index] = ConvertUtf8ToAnsi(pieces[index]); });
  size_t size = 0;
  for (const std::string& piece : converted)
    size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string& piece : converted)
    text += piece;
  return text;
}

std::string DecodeInCode(std::string_view bytes, TextEncodingCode code) {
  switch (code) {
  case tcUtf8Bom:
    return ConvertUtf8InPieces(bytes.substr(std::min<size_t>(3, bytes.size())));
  case tcUtf8:
    return ConvertUtf8InPieces(bytes);
  case tcUtf16Le:
  case tcUtf16Be:
    return ConvertUtf16BomToAnsi(bytes);
  default:
    return std::string(bytes);
  }
}

bool IsConverted(TextEncodingCode code) {
  return code == tcUtf8Bom || code == tcUtf8 || code == tcUtf16Le || code == tcUtf16Be;
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

TDocumentText DecodeDocumentBytes(std::string_view bytes, bool forceUtf8) {
  TDocumentText result;
  result.Code = DetectTextEncoding(WithoutFinalCtrlZs(bytes));
  // A byte-order mark decides; the name marks only text without one.
  if (forceUtf8 && !IsConverted(result.Code))
    result.Code = bytes.starts_with(Utf8Bom) ? tcUtf8Bom : tcUtf8;
  result.Text = DecodeInCode(bytes, result.Code);
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
