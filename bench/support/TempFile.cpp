#include "support/TempFile.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace bench {

TempFile::TempFile(std::string_view bytes, const std::string& prefix,
                   const std::string& extension) {
  static int count = 0;
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  CreateDirectoryA(folder, nullptr); // a fresh prefix may lack it
  path_ = std::string(folder) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++count) + extension;
  FILE* file = std::fopen(path_.c_str(), "wb");
  bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file)
    std::fclose(file);
  if (!written)
    throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile() {
  DeleteFileA(path_.c_str());
}

} // namespace bench
