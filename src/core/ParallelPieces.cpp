#include "core/ParallelPieces.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <thread>

namespace quolin {

size_t ProcessorCount() {
  return std::max(1u, std::thread::hardware_concurrency());
}

namespace {

// nextCut(from) gives the end of the piece that reaches at least from, or npos.
template <typename NextCut>
std::vector<std::string_view> CutPieces(std::string_view text, size_t maxPieces, size_t minBytes,
                                        NextCut nextCut) {
  minBytes = std::max<size_t>(minBytes, 1);
  size_t pieces = std::clamp<size_t>(text.size() / minBytes, 1, std::max<size_t>(maxPieces, 1));
  size_t target = text.size() / pieces;
  std::vector<std::string_view> result;
  size_t start = 0;
  while (result.size() + 1 < pieces && text.size() - start >= 2 * minBytes) {
    size_t from = start + std::max(target, minBytes) - 1;
    if (from >= text.size())
      break;
    size_t end = nextCut(from);
    if (end == std::string_view::npos || end >= text.size())
      break;
    result.push_back(text.substr(start, end - start));
    start = end;
  }
  result.push_back(text.substr(start));
  return result;
}

} // namespace

size_t MaxPiecesOf(const TPieceLimits& limits) {
  return limits.MaxPieces ? limits.MaxPieces : ProcessorCount();
}

std::vector<std::string_view> CutAfterLineFeeds(std::string_view text, size_t maxPieces,
                                                size_t minBytes) {
  return CutPieces(text, maxPieces, minBytes, [text](size_t from) {
    const void* lineFeed = std::memchr(text.data() + from, '\n', text.size() - from);
    if (!lineFeed)
      return std::string_view::npos;
    return static_cast<size_t>(static_cast<const char*>(lineFeed) - text.data()) + 1;
  });
}

std::vector<std::string_view> CutAfterUtf16LineFeeds(std::string_view utf16, bool bigEndian,
                                                     size_t maxPieces, size_t minBytes) {
  const std::string_view lineFeed(bigEndian ? "\0\n" : "\n\0", 2);
  return CutPieces(utf16, maxPieces, minBytes, [utf16, lineFeed](size_t from) {
    for (size_t pos = from & ~size_t(1); pos + 1 < utf16.size(); pos += 2) {
      if (utf16.substr(pos, 2) == lineFeed)
        return pos + 2;
    }
    return std::string_view::npos;
  });
}

void RunInParallel(size_t count, const std::function<void(size_t)>& work) {
  if (count == 0)
    return;
  std::vector<std::exception_ptr> failures(count);
  auto guarded = [&](size_t index) {
    try {
      work(index);
    } catch (...) {
      failures[index] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(count - 1);
  try {
    for (size_t index = 0; index + 1 < count; ++index)
      threads.emplace_back(guarded, index);
  } catch (...) {
    // No thread to be had: the rest runs here.
    for (size_t index = threads.size(); index + 1 < count; ++index)
      guarded(index);
  }
  guarded(count - 1);
  for (std::thread& thread : threads)
    thread.join();
  for (const std::exception_ptr& failure : failures)
    if (failure)
      std::rethrow_exception(failure);
}

} // namespace quolin
