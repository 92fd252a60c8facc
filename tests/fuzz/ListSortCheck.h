// A pointer list sorted by a comparison that answers as the bytes say, as another program's
// comparison may: the first byte sizes the list, the others are the answers in turn (below,
// equal, above). Shared by the fuzz target and the core tests.
#pragma once

#include "core/ListSortEx.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

namespace quolin::fuzz {

// True when every comparison saw entries of the list and the sort left them all in it.
inline bool SortStaysInsideTheList(const uint8_t* data, size_t size) {
  if (size == 0)
    return true;
  std::vector<int> items(data[0] % 64);
  std::vector<int*> list;
  for (int& item : items)
    list.push_back(&item);
  const std::set<int*> members(list.begin(), list.end());
  bool inside = true;
  size_t next = 1;
  ListSortEx(list, [&](int* a, int* b) {
    inside = inside && members.count(a) && members.count(b);
    int answer = size > 1 ? data[next] % 3 - 1 : 0;
    next = next + 1 < size ? next + 1 : 1;
    return answer;
  });
  return inside && std::set<int*>(list.begin(), list.end()) == members;
}

} // namespace quolin::fuzz
