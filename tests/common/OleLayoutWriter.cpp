// Writes streams into a compound file for the host-side layout check:
//   OleLayoutWriter <file> (<storage path> <stream name> <content file>)...
// Every stream goes through WriteStreamString; the exit code is the number of failures.
#include "common/SrgFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
  if (argc < 5 || (argc - 2) % 3 != 0) {
    std::fprintf(stderr, "usage: OleLayoutWriter <file> (<storage> <stream> <content>)...\n");
    return 100;
  }
  int failures = 0;
  for (int i = 2; i + 2 < argc; i += 3) {
    std::ifstream input(argv[i + 2], std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    if (!input.good() && !input.eof()) {
      ++failures;
      continue;
    }
    if (!quolin::WriteStreamString(argv[1], argv[i], argv[i + 1], content)) {
      std::fprintf(stderr, "failed: %s %s\n", argv[i], argv[i + 1]);
      ++failures;
    }
  }
  return failures;
}
