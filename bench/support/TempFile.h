// A file of given bytes in the temporary folder for as long as the object lives.
#pragma once

#include <string>
#include <string_view>

namespace bench {

class TempFile {
public:
  // The file's name begins with prefix and ends with extension (".tex", ".dic").
  TempFile(std::string_view bytes, const std::string& prefix, const std::string& extension);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

} // namespace bench
