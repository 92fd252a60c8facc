// The matcher against the plain reference of the random test, with any text, pattern, flags
// and search record: both find the same match or none, and the match's length agrees.
#include "core/TextOracle.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  int flags = texttest::FlagsOf(input.Byte());
  TSearchPos record{static_cast<int8_t>(input.Byte()), static_cast<int8_t>(input.Byte())};
  std::string pattern = input.Take(input.Byte() % 16);
  // The reference walks every candidate: long texts teach it nothing new.
  std::string text = input.Take(512);

  std::optional<TSearchPos> expected = texttest::Reference(text, pattern, flags).Search(record);
  TSearchPos position = record;
  bool found = FindTextMatch(text, position, pattern, flags);
  TSearchPos wanted = expected.value_or(record);
  FUZZ_CHECK(found == expected.has_value());
  FUZZ_CHECK(position.Start == wanted.Start && position.Length == wanted.Length);
  if (found)
    FUZZ_CHECK(MatchLengthAt(text, position.Start, pattern, flags) == position.Length);
  return 0;
}
