// A file of any bytes loaded into the editor's Lines, with word wrap on or off: every line and
// the whole text give the bytes back as the reference split reads them, before and after a
// rewrap, and one edit with its undo restores them.
#include "core/RecordingView.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>

using namespace quolin;

namespace {

// The text Lines should hold: the lines of the file up to its first Ctrl-Z, CR LF after each
// but an open last one.
std::string ExpectedText(std::string_view bytes, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n')
    text.resize(text.size() - 2);
  return text;
}

void CheckHolds(RecordingView& view, const std::string& text,
                const std::vector<std::string>& lines) {
  FUZZ_CHECK(view.Store().InvariantFault().empty());
  FUZZ_CHECK(view.Lines().Text() == text);
  FUZZ_CHECK(view.Lines().Count() == static_cast<int>(lines.size()));
  for (size_t index = 0; index < lines.size(); ++index)
    FUZZ_CHECK(view.Lines()[static_cast<int>(index)] == lines[index]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  uint8_t options = input.Byte();
  uint8_t editRow = input.Byte(), editCount = input.Byte() % 3;
  std::string inserted = input.Take(input.Byte() % 8);
  std::string bytes = input.Rest();

  RecordingView view;
  TEditorScreenStrings& store = view.Store();
  store.WrapOption().SetWrapByte(TEditorWrapOption::kMinWrapByte + options / 4);
  store.SetWordWrap(options & 1);
  fuzz::InputFile file(bytes);
  view.Lines().LoadFromFile(file.Path());
  bytes = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string> lines = fuzz::SplitLines(bytes);
  std::string text = ExpectedText(bytes, lines);
  CheckHolds(view, text, lines);
  if (options & 2) {
    store.SetWordWrap(!(options & 1));
    CheckHolds(view, text, lines);
  }

  int row = editRow % (store.Count() + 1);
  store.ReplaceRows(row, std::min<int>(editCount, store.Count() - row), inserted);
  FUZZ_CHECK(store.InvariantFault().empty());
  store.Undo();
  CheckHolds(view, text, lines);
  return 0;
}
