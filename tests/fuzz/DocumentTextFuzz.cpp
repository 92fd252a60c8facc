// A document file of any bytes, read as a name with or without ".utf8." reads it: the file is
// refused whole, or the text written back in the code it was read in reads back as that text
// (reading drops a final Ctrl-Z, by design). When the text holds the file losslessly and all
// its lines end in CR LF, a save without edits through the editor's Lines writes the very
// bytes of the file.
#include "core/DocumentText.h"
#include "core/Exceptions.h"
#include "core/RecordingView.h"
#include "fuzz/FuzzSupport.h"

#include <optional>

using namespace quolin;

namespace {

std::optional<TDocumentText> Decoded(std::string_view bytes, bool forceUtf8) {
  try {
    return DecodeDocumentBytes(std::string(bytes), forceUtf8);
  } catch (const EEncodingError&) {
    return std::nullopt;
  }
}

bool OnlyCrLfLineEnds(std::string_view text) {
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] == '\n' && (pos == 0 || text[pos - 1] != '\r'))
      return false;
    if (text[pos] == '\r' && (pos + 1 == text.size() || text[pos + 1] != '\n'))
      return false;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  bool forceUtf8 = input.Byte() & 1;
  const std::string bytes = input.Rest();
  std::optional<TDocumentText> read = Decoded(bytes, forceUtf8);
  if (!read)
    return 0;
  const std::string& text = read->Text;
  const std::string saved = EncodeDocumentText(text, read->Code);
  std::optional<TDocumentText> again = Decoded(saved, forceUtf8);
  FUZZ_CHECK(again.has_value());
  FUZZ_CHECK(again->Text == text || again->Text + '\x1A' == text);

  if (saved != bytes || !OnlyCrLfLineEnds(text))
    return 0;
  RecordingView view;
  view.Lines().LoadFromText(text);
  FUZZ_CHECK(EncodeDocumentText(view.Lines().Text(), read->Code) == bytes);
  return 0;
}
