#pragma once
// Algorithms shared by the list classes.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// A stable merge sort that stays within its range whatever the comparison
// answers. Lists sort with callers' comparison functions, and std::sort may
// read outside the range when such a function is not a strict weak order.
// `less(a, b)` is true when a must come before b.
template <class T, class Less>
void MergeSortStable(std::vector<T>& items, Less less) {
  const size_t count = items.size();
  if (count < 2)
    return;
  std::vector<T> buffer(count);
  for (size_t width = 1; width < count; width *= 2) {
    for (size_t left = 0; left < count; left += 2 * width) {
      const size_t middle = std::min(left + width, count);
      const size_t right = std::min(left + 2 * width, count);
      size_t i = left;
      size_t j = middle;
      size_t out = left;
      while (i < middle && j < right)
        buffer[out++] = less(items[j], items[i]) ? std::move(items[j++]) : std::move(items[i++]);
      while (i < middle)
        buffer[out++] = std::move(items[i++]);
      while (j < right)
        buffer[out++] = std::move(items[j++]);
    }
    items.swap(buffer);
  }
}

// Moves one element so that it ends up at index `to`, shifting the others.
template <class T>
void MoveElement(std::vector<T>& items, size_t from, size_t to) {
  const auto at = [&items](size_t index) { return items.begin() + static_cast<std::ptrdiff_t>(index); };
  if (from < to)
    std::rotate(at(from), at(from + 1), at(to + 1));
  else if (to < from)
    std::rotate(at(to), at(from), at(from + 1));
}
