// What the fuzz targets share: the entry point, a check that aborts with its condition (so
// that afl-fuzz keeps the input as a crash), the input taken in pieces, a file that holds
// bytes for the file readers, and the lines of a text as the readers split it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#define FUZZ_CHECK(condition)                                                                      \
  ((condition) ? void() : ::quolin::fuzz::CheckFailed(#condition, __FILE__, __LINE__))

namespace quolin::fuzz {

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

// The input from the front: single bytes for choices, then pieces.
class Input {
public:
  Input(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next byte; 0 when none is left.
  uint8_t Byte() {
    if (rest_.empty())
      return 0;
    auto byte = static_cast<uint8_t>(rest_[0]);
    rest_.remove_prefix(1);
    return byte;
  }
  // The next count bytes, fewer at the end.
  std::string Take(size_t count) {
    std::string piece(rest_.substr(0, count));
    rest_.remove_prefix(piece.size());
    return piece;
  }
  std::string Rest() const { return std::string(rest_); }

private:
  std::string_view rest_;
};

// A file of this process in the temporary folder that holds bytes; removed with the object.
class InputFile {
public:
  explicit InputFile(std::string_view bytes) {
    const char* folder = std::getenv("TMPDIR");
    path_ = std::string(folder && *folder ? folder : "/tmp") + "/quolin-fuzz-" +
            std::to_string(getpid());
    FILE* file = std::fopen(path_.c_str(), "wb");
    FUZZ_CHECK(file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
               std::fclose(file) == 0);
  }
  ~InputFile() { std::remove(path_.c_str()); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

// The lines of text, each ended by CR LF, CR or LF; a last one without line end counts when
// it is not empty.
inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] != '\r' && text[pos] != '\n')
      continue;
    lines.emplace_back(text.substr(start, pos - start));
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
      ++pos;
    start = pos + 1;
  }
  if (start < text.size())
    lines.emplace_back(text.substr(start));
  return lines;
}

} // namespace quolin::fuzz
