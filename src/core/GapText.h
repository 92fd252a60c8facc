// A text edited at one place after another, as a backward replace all does, without moving the
// rest of it for each edit: a gap buffer whose gap follows the edits. Searches read it through
// contiguous views: the bytes after the gap that a search reads are copied into the gap beside
// the part it searches. Window-free.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quolin {

class TGapText {
public:
  void Assign(std::string text);
  size_t Size() const { return buffer_.size() - GapLength(); }
  // Replaces length bytes at start (both within the text) by text.
  void Replace(size_t start, size_t length, std::string_view text);

  // The text from its start to a little beyond start, all that a backward search from start with
  // this pattern and these flags reads.
  std::string_view BackwardView(size_t start, std::string_view pattern, int flags);

private:
  // The text is buffer_[0, gapStart_) followed by buffer_[gapEnd_, buffer_.size()); the gap's
  // bytes mean nothing.
  std::string buffer_;
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;

  size_t GapLength() const { return gapEnd_ - gapStart_; }
  // Moves the gap to position at of the text, with room for at least bytes.
  void Open(size_t at, size_t bytes);
  void MoveGap(size_t at);
  void CopyOut(size_t start, size_t length, char* out) const;
};

} // namespace quolin
