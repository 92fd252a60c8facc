// File names of any bytes, one a line, and an extension from the first line: every kept name
// with "." and the extension gives its file name back (case ignored), in the order found, and
// no file name with that extension is left out unless its name would be empty.
#include "core/Paths.h"
#include "core/Sjis.h"
#include "core/TemplateNames.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  std::vector<std::string> lines = fuzz::SplitLines(input.Rest());
  if (lines.empty())
    return 0;
  const std::string extension = lines.front();
  std::vector<std::string> fileNames(lines.begin() + 1, lines.end());
  std::vector<std::string> names = TemplateNames(fileNames, extension);
  size_t next = 0;
  for (const std::string& fileName : fileNames) {
    if (next < names.size() &&
        sjis::EqualIgnoreAsciiCase(names[next] + "." + extension, fileName)) {
      FUZZ_CHECK(!names[next].empty());
      ++next;
      continue;
    }
    // Left out: another extension, or nothing before it.
    FUZZ_CHECK(!sjis::EqualIgnoreAsciiCase(ExtractFileExt(fileName), "." + extension) ||
               ChangeFileExt(fileName, "").empty());
  }
  FUZZ_CHECK(next == names.size());
  return 0;
}
