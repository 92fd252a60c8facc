// Any bytes as a TeX log: its lines are split as the other readers split them; each filter
// lists log lines in their order and selects a listed one; line numbers are -1 or more.
#include "core/TexLog.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  uint8_t choice = input.Byte();
  std::string log = input.Rest();
  std::vector<std::string> lines = SplitLogLines(log);
  FUZZ_CHECK(lines == fuzz::SplitLines(log));
  TLogFilterOptions options{static_cast<TLogFilter>(choice % 3), {"! ", ""}, {"Overfull ", "W"},
                            (choice & 4) != 0, (choice & 8) != 0};
  TLogListing listing = FilterLogLines(lines, options);
  size_t next = 0;
  for (const std::string& line : listing.Lines) {
    while (next < lines.size() && lines[next] != line)
      ++next;
    FUZZ_CHECK(next < lines.size());
    ++next;
  }
  FUZZ_CHECK(listing.Lines.empty() ? listing.Selected == -1
                                   : listing.Selected >= 0 &&
                                         listing.Selected < static_cast<int>(listing.Lines.size()));
  for (const std::string& line : lines)
    FUZZ_CHECK(ParseLogLineNumber(line) >= -1);
  return 0;
}
