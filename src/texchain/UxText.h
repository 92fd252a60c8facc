// Plain line reading and writing of the tools' work files. A line ends at CR, LF or CR LF and
// may be of any length; a CR LF counts once even where it spans two blocks of the reader.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace quolin {

class TUxText {
public:
  // Opens the file read-only; a file that cannot be opened reads as empty.
  explicit TUxText(const std::string& fileName);
  TUxText(const TUxText&) = delete;
  TUxText& operator=(const TUxText&) = delete;

  bool Opened() const { return file_ != nullptr; }
  int64_t Size() const { return size_; }
  // The next line without its line end; empty at the end.
  std::string ReadLine();
  // Every byte has been consumed, or there were none.
  bool Eof() const { return consumed_ >= size_; }

private:
  static constexpr size_t BlockSize = 4096;
  struct TFileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, TFileClose> file_;
  int64_t size_ = 0;
  int64_t consumed_ = 0;
  char block_[BlockSize];
  size_t blockLength_ = 0;
  size_t blockPos_ = 0;

  // The next byte, or -1 at the end of the data.
  int Peek();
};

class TUxTextW {
public:
  // Creates the file, emptying one that is there.
  explicit TUxTextW(const std::string& fileName);
  // Closes the file; one with no line written is deleted.
  ~TUxTextW();
  TUxTextW(const TUxTextW&) = delete;
  TUxTextW& operator=(const TUxTextW&) = delete;

  bool Opened() const { return file_ != nullptr; }
  // The text and CR LF.
  void WriteLine(std::string_view text);
  int Count() const { return count_; }

private:
  std::string fileName_;
  std::FILE* file_ = nullptr;
  int count_ = 0;
};

} // namespace quolin
