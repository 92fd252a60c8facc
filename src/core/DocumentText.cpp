#include "core/DocumentText.h"

#include "core/Paths.h"
#include "core/Sjis.h"

namespace quolin {

namespace {

constexpr char CtrlZ = '\x1A';
constexpr char Utf8Marker[] = ".utf8.";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string DecodeInCode(std::string_view bytes, TextEncodingCode code) {
  switch (code) {
  case tcUtf8Bom:
    return ConvertUtf8BomToAnsi(bytes);
  case tcUtf8:
    return ConvertUtf8ToAnsi(bytes);
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

} // namespace

TDocumentText DecodeDocumentBytes(std::string_view bytes, bool forceUtf8) {
  TDocumentText result;
  result.Code = DetectTextEncoding(bytes);
  // A byte-order mark decides; the name marks only text without one.
  if (forceUtf8 && !IsConverted(result.Code))
    result.Code = bytes.starts_with(Utf8Bom) ? tcUtf8Bom : tcUtf8;
  result.Text = DecodeInCode(bytes, result.Code);
  if (!result.Text.empty() && result.Text.back() == CtrlZ)
    result.Text.pop_back();
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

bool IsBinaryExtension(std::string_view fileName, std::string_view binaryList) {
  std::string extension = sjis::LowerAscii(ExtractFileExt(fileName));
  if (extension.empty())
    return false;
  return binaryList.find(extension + ".") != std::string_view::npos;
}

} // namespace quolin
