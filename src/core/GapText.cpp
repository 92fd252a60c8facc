#include "core/GapText.h"

#include "core/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace quolin {

void TGapText::Assign(std::string text) {
  buffer_ = std::move(text);
  gapStart_ = gapEnd_ = buffer_.size();
}

void TGapText::CopyOut(size_t start, size_t length, char* out) const {
  size_t before = start < gapStart_ ? std::min(length, gapStart_ - start) : 0;
  std::memcpy(out, buffer_.data() + start, before);
  size_t rest = start + before;
  size_t index = rest < gapStart_ ? rest : rest + GapLength();
  std::memcpy(out + before, buffer_.data() + index, length - before);
}

void TGapText::MoveGap(size_t at) {
  char* data = buffer_.data();
  if (GapLength() == 0) {
    gapStart_ = gapEnd_ = at;
  } else if (at < gapStart_) {
    size_t moved = gapStart_ - at;
    std::memmove(data + gapEnd_ - moved, data + at, moved);
    gapStart_ -= moved;
    gapEnd_ -= moved;
  } else if (at > gapStart_) {
    size_t moved = at - gapStart_;
    std::memmove(data + gapStart_, data + gapEnd_, moved);
    gapStart_ += moved;
    gapEnd_ += moved;
  }
}

void TGapText::Open(size_t at, size_t bytes) {
  if (GapLength() >= bytes) {
    MoveGap(at);
    return;
  }
  // A new gap a quarter of the text long keeps growth rare when replacements lengthen the text.
  size_t size = Size();
  size_t gap = bytes + size / 4 + 64;
  std::string grown(size + gap, '\0');
  CopyOut(0, at, grown.data());
  CopyOut(at, size - at, grown.data() + at + gap);
  buffer_ = std::move(grown);
  gapStart_ = at;
  gapEnd_ = at + gap;
}

void TGapText::Replace(size_t start, size_t length, std::string_view text) {
  Open(start, text.size() > length ? text.size() - length : 0);
  gapEnd_ += length;
  std::memcpy(buffer_.data() + gapStart_, text.data(), text.size());
  gapStart_ += text.size();
}

std::string_view TGapText::BackwardView(size_t start, std::string_view pattern, int flags) {
  MoveGap(start);
  size_t ahead = BackwardSearchLookAhead(std::string_view(buffer_).substr(gapEnd_), pattern, flags);
  if (GapLength() > 0) {
    Open(start, ahead);
    char* data = buffer_.data();
    std::memcpy(data + gapStart_, data + gapEnd_, ahead);
  }
  return std::string_view(buffer_).substr(0, gapStart_ + ahead);
}

} // namespace quolin
