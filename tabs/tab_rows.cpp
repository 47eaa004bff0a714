#include "tabs/tab_rows.h"

#include <cstddef>

namespace {

// Sums come from prefix sums and totals change by the two rows a move
// touches, so that one balancing step costs time linear in the rows.
class TRowsBalance {
 public:
  TRowsBalance(std::span<const int32_t> extents, int32_t gap, int32_t length) : gap_(gap), length_(length) {
    prefix_.reserve(extents.size() + 1);
    prefix_.push_back(0);
    for (int32_t extent : extents)
      prefix_.push_back(prefix_.back() + extent);
  }

  int64_t Sum(TlxPCRowBounds row) const {
    return prefix_[static_cast<size_t>(row.Last) + 1] - prefix_[static_cast<size_t>(row.First)] +
           static_cast<int64_t>(gap_) * (row.Last - row.First);
  }

  int64_t Deviation(TlxPCRowBounds row) const {
    const int64_t free = length_ - Sum(row);
    return free * free;
  }

  int64_t Total(const std::vector<TlxPCRowBounds>& rows) const {
    int64_t total = 0;
    for (const TlxPCRowBounds& row : rows)
      total += Deviation(row);
    return total;
  }

  // Moves one tab into row r from its neighbour (towards the start: the
  // previous row's last tab; towards the end: the next row's first tab)
  // when that lowers row r's deviation and the row still fits; `total`
  // follows the change.
  bool TryMove(std::vector<TlxPCRowBounds>& rows, size_t r, int32_t direction, int64_t& total) const {
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
    // A row never empties: every tab keeps a row and the rows their order.
    if (donor.First > donor.Last)
      return false;
    const int64_t old_deviation = Deviation(rows[r]);
    const int64_t new_deviation = Deviation(moved);
    if (new_deviation >= old_deviation || Sum(moved) > length_)
      return false;
    total += new_deviation - old_deviation + Deviation(donor) - Deviation(rows[donor_index]);
    rows[r] = moved;
    rows[donor_index] = donor;
    return true;
  }

  bool Cascade(std::vector<TlxPCRowBounds>& rows, int64_t& total) const {
    const int64_t start_total = total;
    std::vector<TlxPCRowBounds> copy = rows;
    int64_t copy_total = start_total;
    for (ptrdiff_t r = static_cast<ptrdiff_t>(copy.size()) - 1; r >= 0;) {
      const int64_t before = copy_total;
      const bool accepted = TryMove(copy, static_cast<size_t>(r), -1, copy_total);
      if (accepted && copy_total <= before)
        continue;
      if (copy_total < start_total) {
        rows = std::move(copy);
        total = copy_total;
        return true;
      }
      --r;
    }
    return false;
  }

  bool SingleMove(std::vector<TlxPCRowBounds>& rows, int64_t& total, int32_t direction) const {
    for (size_t r = 0; r < rows.size(); ++r) {
      const TlxPCRowBounds kept_row = rows[r];
      const size_t neighbour = direction < 0 ? r - 1 : r + 1;
      const bool has_neighbour = direction < 0 ? r > 0 : r + 1 < rows.size();
      const TlxPCRowBounds kept_neighbour = has_neighbour ? rows[neighbour] : TlxPCRowBounds();
      int64_t moved_total = total;
      if (!TryMove(rows, r, direction, moved_total))
        continue;
      if (moved_total < total) {
        total = moved_total;
        return true;
      }
      rows[r] = kept_row;
      rows[neighbour] = kept_neighbour;
    }
    return false;
  }

  bool Step(std::vector<TlxPCRowBounds>& rows, int64_t& total) const {
    return Cascade(rows, total) || SingleMove(rows, total, +1) || SingleMove(rows, total, -1);
  }

 private:
  std::vector<int64_t> prefix_;
  int32_t gap_;
  int32_t length_;
};

}  // namespace

void lxPCBalanceRows(std::span<const int32_t> extents, std::vector<TlxPCRowBounds>& rows, int32_t gap,
                     int32_t length) {
  const TRowsBalance balance(extents, gap, length);
  int64_t total = balance.Total(rows);
  // Every accepted step lowers a non-negative total, so this ends.
  while (balance.Step(rows, total)) {
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
