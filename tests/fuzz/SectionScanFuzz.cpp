// Any bytes as a document (and, from the first bytes, as heading patterns): every entry parses,
// lines rise and exist, levels are in range, and each title is a piece of its line.
#include "core/SectionScan.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  uint8_t choice = input.Byte();
  TSectionValues values = DefaultSectionValues();
  if (choice & 1)
    values[choice >> 5] = input.Take(input.Byte() % 32);
  TSectionScanInput scan;
  scan.Patterns = CompileSectionPatterns(values);
  scan.LastIndex = SectionLastIndex(scan.Patterns, (choice >> 1) & 7);
  scan.Comment.assign((choice & 0x10) ? 1 : 0, '%');
  scan.Bib = choice & 0x80;
  scan.Text = input.Rest();
  std::vector<std::string> lines;
  for (size_t start = 0; start <= scan.Text.size();) {
    size_t end = scan.Text.find('\n', start);
    std::string line = scan.Text.substr(start, end == std::string::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  auto entries = ScanSections(scan, [] { return false; });
  FUZZ_CHECK(entries.has_value());
  int previous = -1;
  for (const std::string& text : *entries) {
    TOutlineEntry entry;
    FUZZ_CHECK(ParseOutlineEntry(text, entry));
    FUZZ_CHECK(entry.Line > previous && entry.Line < static_cast<int>(lines.size()));
    FUZZ_CHECK(scan.Bib ? entry.Level <= 1 : entry.Level >= 1 && entry.Level <= SectionLevels);
    FUZZ_CHECK(lines[static_cast<size_t>(entry.Line)].find(entry.Title) != std::string::npos);
    previous = entry.Line;
  }
  return 0;
}
