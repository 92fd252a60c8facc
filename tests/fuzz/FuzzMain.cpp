// The driver of a fuzz target. Without arguments it runs one input from standard input, as
// afl-fuzz gives it; with folders, every file in them in turn (the seed corpora, which hold
// every input that once failed, as regression cases).
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Run(std::string(std::istreambuf_iterator<char>(std::cin), {}));
    return 0;
  }
  std::vector<std::filesystem::path> files;
  for (int arg = 1; arg < argc; ++arg) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[arg]))
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const std::filesystem::path& file : files) {
    std::cerr << file.filename().string() << "\n";
    std::ifstream stream(file, std::ios::binary);
    Run(std::string(std::istreambuf_iterator<char>(stream), {}));
  }
  std::cerr << files.size() << " inputs passed\n";
  return files.empty() ? 1 : 0;
}
