// Replace all on a string target against the plain loop that reads the whole text again before
// every search: it ends, and the text, the count and the final selection agree.
#include "core/FindReplace.h"
#include "core/TextOracle.h"
#include "core/TextSearch.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  uint8_t choice = input.Byte();
  // Bits 0-3 and 5-6 pick the flags, bit 4 a read-only target, bit 7 reads of 16 bytes at most.
  int flags = texttest::FlagsOf((choice & 0x0F) | (choice & 0x60) >> 1);
  bool readOnly = choice & 0x10;
  int start = input.Byte();
  int length = input.Byte();
  std::string search = input.Take(input.Byte() % 8);
  std::string replacement = input.Take(input.Byte() % 8);
  std::string text = input.Take(256);

  TStringEditTarget target(text, readOnly);
  target.SetSelection(start, length);
  TSearchPos selection{target.SelStart(), target.SelLength()};
  int count =
      TFindSession(target, choice & 0x80 ? 16 : 1 << 16).ReplaceAll(search, replacement, flags);

  texttest::TReplaceOutcome expected =
      texttest::ReferenceReplaceAll(text, selection, search, replacement, flags, readOnly);
  FUZZ_CHECK(expected.Ended);
  FUZZ_CHECK(count == expected.Count);
  FUZZ_CHECK(target.Contents() == expected.Text);
  FUZZ_CHECK(target.SelStart() == expected.Selection.Start);
  FUZZ_CHECK(target.SelLength() == expected.Selection.Length);
  FUZZ_CHECK(target.UpdateDepth() == 0);
  return 0;
}
