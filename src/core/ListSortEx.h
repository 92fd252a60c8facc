// An in-place quicksort of a pointer list with a three-way comparison (negative, 0, positive),
// the middle entry's value as pivot. Not stable: two equal entries change places ([a, b] gives
// [b, a], [a, b, c] gives [c, b, a]).
//
// The comparison may come from another program (a shell folder) and need not be consistent,
// so the inner scans never run past the range's ends: whatever it answers, no entry outside
// the list is read and the sort ends.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace quolin {

template <typename T, typename Compare>
void ListSortRange(std::vector<T*>& list, std::ptrdiff_t lo, std::ptrdiff_t hi, Compare& compare) {
  std::ptrdiff_t i = lo;
  do {
    i = lo;
    std::ptrdiff_t j = hi;
    T* pivot = list[static_cast<size_t>((lo + hi) / 2)];
    do {
      while (i < hi && compare(list[static_cast<size_t>(i)], pivot) < 0)
        ++i;
      while (j > lo && compare(list[static_cast<size_t>(j)], pivot) > 0)
        --j;
      if (i <= j) {
        std::swap(list[static_cast<size_t>(i)], list[static_cast<size_t>(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (lo < j)
      ListSortRange(list, lo, j, compare);
    lo = i;
  } while (i < hi);
}

// compare(a, b) answers below 0 when a goes first, above 0 when b does. Lists of fewer than two
// entries are left alone.
template <typename T, typename Compare> void ListSortEx(std::vector<T*>& list, Compare compare) {
  if (list.size() < 2)
    return;
  ListSortRange(list, 0, static_cast<std::ptrdiff_t>(list.size()) - 1, compare);
}

} // namespace quolin
