#include "ui/foundation/geometry/auto_width.h"

#include <limits>
#include <string>

#include "platform/rtl/exceptions.h"

namespace {

__extension__ typedef __int128 TWideInt;
__extension__ typedef unsigned __int128 TWideUInt;

TWideUInt Magnitude(TWideInt value) { return value < 0 ? TWideUInt(0) - TWideUInt(value) : TWideUInt(value); }

// a * b / c rounded to the nearest integer, halves away from zero, exactly
// (the product is kept in 128 bits); c must not be 0. Results beyond 64 bits
// saturate.
int64_t RoundedMulDiv(int64_t a, int64_t b, int64_t c) {
  const TWideInt product = TWideInt(a) * TWideInt(b);
  const bool negative = (product < 0) != (c < 0);
  const TWideUInt divisor = Magnitude(c);
  const TWideUInt rounded = (Magnitude(product) + divisor / 2) / divisor;
  const TWideUInt limit = TWideUInt(std::numeric_limits<int64_t>::max());
  if (rounded > limit)
    return negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
  return negative ? -static_cast<int64_t>(rounded) : static_cast<int64_t>(rounded);
}

}  // namespace

int32_t lxMulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0)
    return -1;
  const int64_t result = RoundedMulDiv(a, b, c);
  // The system answers -1 when the result does not fit 32 bits.
  if (result > std::numeric_limits<int32_t>::max() || result < std::numeric_limits<int32_t>::min())
    return -1;
  return static_cast<int32_t>(result);
}

TlxAutoWidthObject::TlxAutoWidthObject(int32_t capacity) {
  if (capacity > 0)
    items_.reserve(static_cast<size_t>(capacity));
}

TlxAutoWidthItem* TlxAutoWidthObject::NewItem() {
  items_.push_back(std::make_unique<TlxAutoWidthItem>());
  return items_.back().get();
}

TlxAutoWidthItem* TlxAutoWidthObject::GetItem(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return items_[static_cast<size_t>(index)].get();
}

int64_t TlxAutoWidthObject::TotalWidth() const {
  int64_t total = 0;
  for (const auto& item : items_)
    total += item->Width;
  return total;
}

namespace {

// The share arithmetic runs on 64-bit sums, so that rows of many wide items
// cannot overflow; with no weight left every share is 0.
int64_t ScaledShare(int64_t value, int64_t available, int64_t total) {
  return total == 0 ? 0 : RoundedMulDiv(value, available, total);
}

}  // namespace

void TlxAutoWidthObject::Calculate() {
  for (const auto& item : items_)
    item->AutoWidth = -1;

  int64_t remaining_width = AvailableWidth;
  int64_t remaining_weight = TotalWidth();
  for (const auto& item : items_) {
    if (!item->Fixed)
      continue;
    item->AutoWidth = item->Width;
    remaining_width -= item->AutoWidth;
    remaining_weight -= item->Width;
  }

  // Ordinary passes pin every item whose share does not exceed its minimum;
  // the first pass that pins nobody is followed by the final pass, which
  // hands out the shares. Each pin removes one item, so the loop ends.
  bool final_pass = false;
  bool pinned = false;
  do {
    const int64_t available = remaining_width;
    const int64_t total = remaining_weight;
    int64_t running_sum = 0;
    pinned = false;
    for (const auto& item : items_) {
      if (item->AutoWidth != -1)
        continue;
      const int64_t share =
          ScaledShare(running_sum + item->Width, available, total) - ScaledShare(running_sum, available, total);
      if (final_pass) {
        item->AutoWidth = static_cast<int32_t>(share);
      } else if (item->MinWidth >= share) {
        item->AutoWidth = item->MinWidth;
        remaining_width -= item->AutoWidth;
        remaining_weight -= item->Width;
        pinned = true;
      }
      running_sum += item->Width;
    }
    if (!pinned)
      final_pass = !final_pass;
  } while (remaining_weight != 0 && (pinned || final_pass));
}
