#include "tabs/tab_rows.h"

#include <cstddef>

namespace {

struct TRowsBalance {
  std::span<const int32_t> extents;
  int32_t gap;
  int32_t length;

  int64_t Deviation(TlxPCRowBounds row) const {
    const int64_t free = length - lxPCRowSum(extents, row, gap);
    return free * free;
  }

  int64_t Total(const std::vector<TlxPCRowBounds>& rows) const {
    int64_t total = 0;
    for (const TlxPCRowBounds& row : rows)
      total += Deviation(row);
    return total;
  }

  // Moves one tab into row r from its neighbour (towards the start: the
  // previous row's last tab; towards the end: the next row's first tab).
  bool TryMove(std::vector<TlxPCRowBounds>& rows, size_t r, int32_t direction) const {
    TlxPCRowBounds moved = rows[r];
    TlxPCRowBounds donor;
    size_t donor_index = 0;
    if (direction < 0) {
      if (r == 0)
        return false;
      donor_index = r - 1;
      donor = rows[donor_index];
      --donor.Last;
      --moved.First;
    } else {
      if (r + 1 >= rows.size())
        return false;
      donor_index = r + 1;
      donor = rows[donor_index];
      ++donor.First;
      ++moved.Last;
    }
    if (donor.First > donor.Last)
      return false;
    if (Deviation(moved) >= Deviation(rows[r]) || lxPCRowSum(extents, moved, gap) > length)
      return false;
    rows[r] = moved;
    rows[donor_index] = donor;
    return true;
  }

  bool Cascade(std::vector<TlxPCRowBounds>& rows, int64_t start_total) const {
    std::vector<TlxPCRowBounds> copy = rows;
    int64_t copy_total = start_total;
    for (ptrdiff_t r = static_cast<ptrdiff_t>(copy.size()) - 1; r >= 0;) {
      const bool accepted = TryMove(copy, static_cast<size_t>(r), -1);
      const int64_t total = Total(copy);
      const bool rose = total > copy_total;
      copy_total = total;
      if (accepted && !rose)
        continue;
      if (copy_total < start_total) {
        rows = std::move(copy);
        return true;
      }
      --r;
    }
    return false;
  }

  bool SingleMove(std::vector<TlxPCRowBounds>& rows, int64_t start_total, int32_t direction) const {
    for (size_t r = 0; r < rows.size(); ++r) {
      std::vector<TlxPCRowBounds> copy = rows;
      if (TryMove(copy, r, direction) && Total(copy) < start_total) {
        rows = std::move(copy);
        return true;
      }
    }
    return false;
  }

  bool Step(std::vector<TlxPCRowBounds>& rows) const {
    const int64_t start_total = Total(rows);
    return Cascade(rows, start_total) || SingleMove(rows, start_total, +1) || SingleMove(rows, start_total, -1);
  }
};

}  // namespace

int64_t lxPCRowSum(std::span<const int32_t> extents, TlxPCRowBounds row, int32_t gap) {
  int64_t sum = 0;
  for (int32_t i = row.First; i <= row.Last; ++i)
    sum += extents[static_cast<size_t>(i)];
  if (row.Last > row.First)
    sum += static_cast<int64_t>(gap) * (row.Last - row.First);
  return sum;
}

void lxPCBalanceRows(std::span<const int32_t> extents, std::vector<TlxPCRowBounds>& rows, int32_t gap,
                     int32_t length) {
  const TRowsBalance balance{extents, gap, length};
  // Every accepted step lowers a non-negative total, so this ends.
  while (balance.Step(rows)) {
  }
}

std::vector<int32_t> lxPCJustifyRow(std::span<const int32_t> widths, int32_t gap, int32_t length) {
  std::vector<int32_t> result(widths.begin(), widths.end());
  if (result.empty())
    return result;
  int64_t sum = 0;
  for (int32_t width : widths)
    sum += width;
  const int64_t free = length - (sum + static_cast<int64_t>(gap) * static_cast<int64_t>(result.size() - 1));
  if (free <= 0 || sum <= 0)
    return result;
  int64_t given = 0;
  for (size_t i = 0; i + 1 < result.size(); ++i) {
    const int64_t share = static_cast<int64_t>(widths[i]) * free / sum;
    result[i] += static_cast<int32_t>(share);
    given += share;
  }
  result.back() += static_cast<int32_t>(free - given);
  return result;
}
