// Any bytes as a tool's work file: the line reader splits them as the other readers split
// lines, across its blocks too, and consumes every byte; lines written back read the same.
#include "fuzz/FuzzSupport.h"
#include "texchain/UxText.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  {
    fuzz::InputFile file(bytes);
    TUxText reader(file.Path());
    FUZZ_CHECK(reader.Opened() && reader.Size() == static_cast<int64_t>(size));
    while (!reader.Eof())
      lines.push_back(reader.ReadLine());
    FUZZ_CHECK(reader.ReadLine().empty());
  }
  FUZZ_CHECK(lines == fuzz::SplitLines(bytes));

  fuzz::InputFile copy("");
  {
    TUxTextW writer(copy.Path());
    for (const std::string& line : lines)
      writer.WriteLine(line);
  }
  TUxText reader(copy.Path());
  FUZZ_CHECK(reader.Opened() == !lines.empty());
  for (const std::string& line : lines)
    FUZZ_CHECK(!reader.Eof() && reader.ReadLine() == line);
  FUZZ_CHECK(reader.Eof());
  return 0;
}
