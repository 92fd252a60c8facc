// Replace all on a string target against the plain loop that reads the whole text again before
// every search: it ends, and the text, the count and the final selection agree.
#include "core/FindReplace.h"
#include "core/TextOracle.h"
#include "core/TextSearch.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

struct TOutcome {
  std::string Text;
  int Count = 0;
  TSearchPos Selection;
};

TOutcome ReferenceReplaceAll(std::string text, TSearchPos selection, const std::string& search,
                             const std::string& replacement, int flags, bool readOnly) {
  TOutcome outcome;
  // Every replacement moves the caret past the replaced text: far fewer rounds than this.
  size_t rounds = 2 * (text.size() + 2);
  while (true) {
    FUZZ_CHECK(rounds-- > 0);
    std::string selected = text.substr(selection.Start, selection.Length);
    if (!readOnly && MatchesSelection(selected, search, flags & sfMatchCase, flags & sfIgnoreWidth)) {
      text.replace(selection.Start, selection.Length, replacement);
      ++outcome.Count;
      int end = selection.Start + static_cast<int>(replacement.size());
      selection = {(flags & sfForward) ? end : selection.Start, 0};
    }
    std::string current = text;
    if (!FindTextMatch(current, selection, search, flags))
      break;
  }
  outcome.Text = text;
  outcome.Selection = selection;
  return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  uint8_t choice = input.Byte();
  int flags = texttest::FlagsOf(choice & 0x0F);
  bool readOnly = choice & 0x10;
  int start = input.Byte();
  int length = input.Byte();
  std::string search = input.Take(input.Byte() % 8);
  std::string replacement = input.Take(input.Byte() % 8);
  std::string text = input.Take(256);

  TStringEditTarget target(text, readOnly);
  target.SetSelection(start, length);
  TSearchPos selection{target.SelStart(), target.SelLength()};
  int count = TFindSession(target).ReplaceAll(search, replacement, flags);

  TOutcome expected = ReferenceReplaceAll(text, selection, search, replacement, flags, readOnly);
  FUZZ_CHECK(count == expected.Count);
  FUZZ_CHECK(target.Contents() == expected.Text);
  FUZZ_CHECK(target.SelStart() == expected.Selection.Start);
  FUZZ_CHECK(target.SelLength() == expected.Selection.Length);
  FUZZ_CHECK(target.UpdateDepth() == 0);
  return 0;
}
