#include "texchain/UxText.h"

namespace quolin {

TUxText::TUxText(const std::string& fileName) : file_(std::fopen(fileName.c_str(), "rb")) {
  if (!file_)
    return;
  if (std::fseek(file_.get(), 0, SEEK_END) == 0)
    size_ = std::ftell(file_.get());
  std::fseek(file_.get(), 0, SEEK_SET);
  if (size_ < 0)
    size_ = 0;
}

int TUxText::Peek() {
  if (blockPos_ == blockLength_) {
    blockLength_ = file_ ? std::fread(block_, 1, BlockSize, file_.get()) : 0;
    blockPos_ = 0;
    if (blockLength_ == 0)
      return -1;
  }
  return static_cast<unsigned char>(block_[blockPos_]);
}

std::string TUxText::ReadLine() {
  std::string line;
  for (int byte; (byte = Peek()) >= 0;) {
    ++blockPos_;
    ++consumed_;
    if (byte == '\n')
      break;
    if (byte == '\r') {
      // Its LF may begin the next block.
      if (Peek() == '\n') {
        ++blockPos_;
        ++consumed_;
      }
      break;
    }
    line.push_back(static_cast<char>(byte));
  }
  return line;
}

TUxTextW::TUxTextW(const std::string& fileName)
    : fileName_(fileName), file_(std::fopen(fileName.c_str(), "wb")) {
}

TUxTextW::~TUxTextW() {
  if (!file_)
    return;
  std::fclose(file_);
  if (count_ == 0)
    std::remove(fileName_.c_str());
}

void TUxTextW::WriteLine(std::string_view text) {
  if (!file_)
    return;
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fwrite("\r\n", 1, 2, file_);
  ++count_;
}

} // namespace quolin
