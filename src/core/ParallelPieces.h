// Work on a large text split across the processors: the text is cut after line feeds into
// pieces that each thread handles alone, and the results are joined in order by the caller.
// Window-free.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace quolin {

// Pieces of at least about 256 KB: below that a thread costs more than it saves.
inline constexpr size_t kDefaultPieceBytes = 256 * 1024;

// How a text is cut for the threads; tests force small pieces.
struct TPieceLimits {
  size_t MinBytes = kDefaultPieceBytes;
  size_t MaxPieces = 0; // 0: one per processor
};

// The processors to use: at least 1.
size_t ProcessorCount();
// limits.MaxPieces, or the processors when it is 0.
size_t MaxPiecesOf(const TPieceLimits& limits);
// text cut into at most maxPieces pieces of at least minBytes each, every cut right after a
// line feed (so a piece never ends inside a line end or a double-byte character); a text
// shorter than 2 × minBytes, or without a line feed past minBytes, is one piece.
std::vector<std::string_view> CutAfterLineFeeds(std::string_view text, size_t maxPieces,
                                                size_t minBytes);
// The same for UTF-16 without byte-order mark: every cut right after a line feed unit at an
// even offset, which no surrogate pair spans.
std::vector<std::string_view> CutAfterUtf16LineFeeds(std::string_view utf16, bool bigEndian,
                                                     size_t maxPieces, size_t minBytes);
// Runs work(0) .. work(count - 1), each on a thread of its own (the last one on the caller);
// returns once all have ended, and rethrows the first exception one of them raised.
void RunInParallel(size_t count, const std::function<void(size_t)>& work);

} // namespace quolin
