#pragma once
// Balancing of tab rows: the rows a greedy break produced are evened out by
// moving tabs between neighbouring rows while the squared free space of the
// rows falls. Pure arithmetic on extents, shared by the layout and its tests.

#include <cstdint>
#include <span>
#include <vector>

// The first and last position (in the extents given) of one row.
struct TlxPCRowBounds {
  int32_t First = 0;
  int32_t Last = 0;
  bool operator==(const TlxPCRowBounds&) const = default;
};

// Evens out `rows` (consecutive, covering their extents) for rows of
// `length` with `gap` between tabs. A row never becomes empty.
void lxPCBalanceRows(std::span<const int32_t> extents, std::vector<TlxPCRowBounds>& rows, int32_t gap,
                     int32_t length);

// Widths after justifying one row: every tab but the last gains its share of
// the free space (truncated), the last takes the rest. Unchanged without
// free space.
std::vector<int32_t> lxPCJustifyRow(std::span<const int32_t> widths, int32_t gap, int32_t length);
