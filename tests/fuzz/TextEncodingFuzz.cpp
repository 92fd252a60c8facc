// Any bytes through the detection and every conversion: UTF-8 and UTF-16 are refused exactly
// when glibc's strict decoder refuses them, and what a conversion accepts comes back to itself
// through the conversions the other way.
#include "core/Exceptions.h"
#include "core/TextEncoding.h"
#include "fuzz/FuzzSupport.h"

#include <iconv.h>

#include <functional>
#include <optional>

using namespace quolin;

namespace {

// glibc's verdict: the whole of bytes decodes from the given encoding.
bool Decodes(const char* encoding, std::string_view bytes) {
  iconv_t converter = iconv_open("UTF-32LE", encoding);
  FUZZ_CHECK(converter != reinterpret_cast<iconv_t>(-1));
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  char* outPos = out.data();
  size_t inLeft = bytes.size(), outLeft = out.size();
  bool whole =
      iconv(converter, &in, &inLeft, &outPos, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
  iconv_close(converter);
  return whole;
}

// The ANSI text of a conversion; nothing when it raised EEncodingError.
std::optional<std::string> Converted(const std::function<std::string()>& convert) {
  try {
    return convert();
  } catch (const EEncodingError&) {
    return std::nullopt;
  }
}

// An ANSI text as the conversions give it comes back unchanged through UTF-8 and UTF-16.
void CheckComesBack(const std::string& ansi) {
  FUZZ_CHECK(ConvertUtf8ToAnsi(ConvertAnsiToUtf8(ansi)) == ansi);
  FUZZ_CHECK(ConvertUtf8BomToAnsi(ConvertAnsiToUtf8Bom(ansi)) == ansi);
  FUZZ_CHECK(ConvertUtf16BomToAnsi(ConvertAnsiToUtf16Bom(ansi, false)) == ansi);
  FUZZ_CHECK(ConvertUtf16BomToAnsi(ConvertAnsiToUtf16Bom(ansi, true)) == ansi);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  TextEncodingCode code = DetectTextEncoding(bytes);
  FUZZ_CHECK(code >= tcAscii && code <= tcUtf8);
  FUZZ_CHECK((code == tcUtf16Le) == bytes.starts_with("\xFF\xFE"));

  std::optional<std::string> fromUtf8 = Converted([&] { return ConvertUtf8ToAnsi(bytes); });
  FUZZ_CHECK(fromUtf8.has_value() == Decodes("UTF-8", bytes));
  if (fromUtf8)
    CheckComesBack(*fromUtf8);

  bool bigEndian = bytes.starts_with("\xFE\xFF");
  std::optional<std::string> fromUtf16 = Converted([&] { return ConvertUtf16BomToAnsi(bytes); });
  bool marked = bigEndian || bytes.starts_with("\xFF\xFE");
  FUZZ_CHECK(fromUtf16.has_value() ==
             (marked && Decodes(bigEndian ? "UTF-16BE" : "UTF-16LE", bytes.substr(2))));
  if (fromUtf16)
    CheckComesBack(*fromUtf16);

  // As ANSI text the bytes convert without fail, and their converted form comes back.
  CheckComesBack(ConvertUtf8ToAnsi(ConvertAnsiToUtf8(bytes)));
  return 0;
}
