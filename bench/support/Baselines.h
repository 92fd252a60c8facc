// Baselines that several benchmarks time beside their measures, over the same bytes.
#pragma once

#include "core/ByteKinds.h"

#include <cstring>
#include <string_view>

namespace bench {

// memchr over the text, counting its line feeds.
inline size_t CountLineFeeds(std::string_view text) {
  size_t count = 0;
  for (const char *at = text.data(), *end = at + text.size();
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)))); ++at)
    ++count;
  return count;
}

// A lead-byte table lookup per byte.
inline size_t CountLeadBytes(std::string_view text) {
  size_t leads = 0;
  for (char byte : text)
    leads += quolin::kLeadBytes[static_cast<unsigned char>(byte)];
  return leads;
}

} // namespace bench
