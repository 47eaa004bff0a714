#include "data/data_controller_compare_keys.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <optional>

#include "data/data_storage.h"

namespace {

constexpr uint64_t kSignBit = uint64_t{1} << 63;

uint64_t SignedKey(int64_t value) { return static_cast<uint64_t>(value) ^ kSignBit; }

// The unsigned order of the keys is the order of CompareReals: -0 equals
// +0, and every NaN is equal to every other and after all numbers.
uint64_t RealKey(double value) {
  if (value != value)
    return std::numeric_limits<uint64_t>::max();
  if (value == 0)
    value = 0.0;
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  return (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
}

using TKeyReader = uint64_t (*)(const void* value);

// Only the exact built-in classes: a descendant may order its values its own way.
std::optional<TKeyReader> NumberKeyReaderFor(TlxValueTypeClass type) {
  if (type == lxValueTypeClass<TlxSmallintValueType>())
    return [](const void* value) { return SignedKey(lxLoadUnaligned<int16_t>(value)); };
  if (type == lxValueTypeClass<TlxIntegerValueType>())
    return [](const void* value) { return SignedKey(lxLoadUnaligned<int32_t>(value)); };
  if (type == lxValueTypeClass<TlxWordValueType>())
    return [](const void* value) { return uint64_t{lxLoadUnaligned<uint16_t>(value)}; };
  if (type == lxValueTypeClass<TlxBooleanValueType>())
    return [](const void* value) { return uint64_t{lxLoadUnaligned<uint8_t>(value) != 0}; };
  if (type == lxValueTypeClass<TlxLargeIntValueType>() || type == lxValueTypeClass<TlxCurrencyValueType>())
    return [](const void* value) { return SignedKey(lxLoadUnaligned<int64_t>(value)); };
  if (type == lxValueTypeClass<TlxFloatValueType>() || type == lxValueTypeClass<TlxDateTimeValueType>())
    return [](const void* value) { return RealKey(lxLoadUnaligned<double>(value)); };
  return std::nullopt;
}

template <class T>
int Order(T a, T b) {
  return (a > b) - (a < b);
}

struct TKeyedRecord {
  uint64_t Key;
  int32_t Record;
};

// A stable least-significant-byte radix sort; bytes that every key shares
// take no pass.
void RadixSortByKey(std::vector<TKeyedRecord>& items) {
  const size_t count = items.size();
  if (count < 2)
    return;
  std::vector<std::array<uint32_t, 256>> histograms(8);
  for (std::array<uint32_t, 256>& histogram : histograms)
    histogram.fill(0);
  for (const TKeyedRecord& item : items)
    for (size_t byte = 0; byte < 8; ++byte)
      ++histograms[byte][(item.Key >> (8 * byte)) & 0xFF];
  std::vector<TKeyedRecord> buffer(count);
  for (size_t byte = 0; byte < 8; ++byte) {
    std::array<uint32_t, 256>& histogram = histograms[byte];
    if (histogram[(items[0].Key >> (8 * byte)) & 0xFF] == count)
      continue;
    uint32_t offset = 0;
    for (uint32_t& slot : histogram) {
      const uint32_t size = slot;
      slot = offset;
      offset += size;
    }
    for (const TKeyedRecord& item : items)
      buffer[histogram[(item.Key >> (8 * byte)) & 0xFF]++] = item;
    items.swap(buffer);
  }
}

}  // namespace

void TlxSortKeys::Begin(int32_t record_count) {
  record_count_ = record_count;
  column_count_ = 0;
}

void TlxSortKeys::AddColumn(const TlxDataStorage& storage, const TlxValueDef& def, bool descending,
                            const std::vector<int32_t>& records) {
  if (column_count_ == static_cast<int32_t>(columns_.size()))
    columns_.emplace_back();
  TColumn& column = columns_[static_cast<size_t>(column_count_++)];
  column.Descending = descending;
  column.Type = def.ValueTypeClass();
  const std::optional<TKeyReader> number_key = NumberKeyReaderFor(column.Type);
  column.Kind = number_key                                            ? TKind::kNumber
                : column.Type == lxValueTypeClass<TlxStringValueType>() ? TKind::kText
                                                                        : TKind::kTyped;
  const size_t size = static_cast<size_t>(record_count_);
  uint8_t* nulls = column.Nulls.Reserve(size);
  uint64_t* keys = number_key ? column.Keys.Reserve(size) : nullptr;
  const void** values = number_key ? nullptr : column.Values.Reserve(size);
  for (int32_t record : records) {
    const size_t at = static_cast<size_t>(record);
    const void* value = nullptr;
    nulls[at] = storage.ValueForCompare(record, def, value) ? 1 : 0;
    if (nulls[at] != 0)
      continue;
    if (keys != nullptr)
      keys[at] = (*number_key)(value);
    else
      values[at] = value;
  }
}

int TlxSortKeys::CompareUndirected(const TColumn& column, int32_t record1, int32_t record2) const {
  const size_t at1 = static_cast<size_t>(record1);
  const size_t at2 = static_cast<size_t>(record2);
  const int null1 = column.Nulls[at1];
  const int null2 = column.Nulls[at2];
  if (null1 != 0 || null2 != 0)
    return null2 - null1;
  switch (column.Kind) {
    case TKind::kNumber:
      return Order(column.Keys[at1], column.Keys[at2]);
    case TKind::kText: {
      // As the string type: no text cell sorts before a cell.
      const auto* text1 = static_cast<const std::string*>(column.Values[at1]);
      const auto* text2 = static_cast<const std::string*>(column.Values[at2]);
      if (text1 == nullptr || text2 == nullptr)
        return static_cast<int>(text1 != nullptr) - static_cast<int>(text2 != nullptr);
      return Order(text1->compare(*text2), 0);
    }
    case TKind::kTyped:
      break;
  }
  return column.Type->CompareTypedValues(column.Values[at1], column.Values[at2]);
}

int TlxSortKeys::CompareAt(int32_t column_index, int32_t record1, int32_t record2) const {
  const TColumn& column = columns_[static_cast<size_t>(column_index)];
  const int result = CompareUndirected(column, record1, record2);
  if (column.Descending)
    return (result < 0) - (result > 0);
  return (result > 0) - (result < 0);
}

int TlxSortKeys::Compare(int32_t record1, int32_t record2) const {
  for (int32_t column = 0; column < column_count_; ++column)
    if (const int result = CompareAt(column, record1, record2); result != 0)
      return result;
  return Order(record1, record2);
}

void TlxSortKeys::Sort(std::vector<int32_t>& records) {
  if (column_count_ == 0) {
    std::sort(records.begin(), records.end());
    return;
  }
  if (columns_.front().Kind != TKind::kNumber) {
    std::sort(records.begin(), records.end(), [this](int32_t a, int32_t b) { return Compare(a, b) < 0; });
    return;
  }
  SortByNumbers(columns_.front(), records);
  if (column_count_ > 1)
    SortRunsOfEqualFirstColumn(records);
}

void TlxSortKeys::SortByNumbers(const TColumn& column, std::vector<int32_t>& records) {
  // Visiting the records in index order makes the stable radix sort break
  // ties by record index, as Compare does.
  const std::vector<int32_t>* visited = &records;
  if (!std::is_sorted(records.begin(), records.end())) {
    listed_.assign(static_cast<size_t>(record_count_), 0);
    for (int32_t record : records)
      listed_[static_cast<size_t>(record)] = 1;
    ascending_.clear();
    for (int32_t record = 0; record < record_count_; ++record)
      if (listed_[static_cast<size_t>(record)] != 0)
        ascending_.push_back(record);
    visited = &ascending_;
  }
  nulls_.clear();
  keyed_records_.clear();
  keys_.clear();
  for (int32_t record : *visited) {
    const size_t at = static_cast<size_t>(record);
    if (column.Nulls[at] != 0) {
      nulls_.push_back(record);
      continue;
    }
    keyed_records_.push_back(record);
    keys_.push_back(column.Descending ? ~column.Keys[at] : column.Keys[at]);
  }
  records.clear();
  if (!column.Descending)
    records.insert(records.end(), nulls_.begin(), nulls_.end());
  SortKeyedRecords(records);
  if (column.Descending)
    records.insert(records.end(), nulls_.begin(), nulls_.end());
}

void TlxSortKeys::SortKeyedRecords(std::vector<int32_t>& sorted) {
  const size_t count = keys_.size();
  if (count == 0)
    return;
  const uint64_t lowest = *std::min_element(keys_.begin(), keys_.end());
  uint64_t spread = 0;
  uint64_t highest_delta = 0;
  for (uint64_t key : keys_) {
    spread |= key - lowest;
    highest_delta = std::max(highest_delta, key - lowest);
  }
  // Dropping the low bits that every distance shares keeps the order; what
  // is left is often small enough to go with the place in one word.
  const int32_t common_zeros = spread == 0 ? 0 : std::countr_zero(spread);
  const uint64_t highest_rank = highest_delta >> common_zeros;
  if (highest_rank <= std::numeric_limits<uint32_t>::max()) {
    uint64_t* ranked = ranked_.Reserve(count);
    for (size_t place = 0; place < count; ++place)
      ranked[place] = (((keys_[place] - lowest) >> common_zeros) << 32) | place;
    RadixSortByRank(count, static_cast<int32_t>(std::bit_width(highest_rank)));
    for (size_t i = 0; i < count; ++i)
      sorted.push_back(keyed_records_[ranked_[i] & 0xFFFFFFFF]);
    return;
  }
  std::vector<TKeyedRecord> keyed(count);
  for (size_t place = 0; place < count; ++place)
    keyed[place] = {keys_[place], keyed_records_[place]};
  RadixSortByKey(keyed);
  for (const TKeyedRecord& item : keyed)
    sorted.push_back(item.Record);
}

// Least-significant digit first, each pass stable, in digits of up to 11
// bits: a rank of up to 11 bits takes one pass.
void TlxSortKeys::RadixSortByRank(size_t count, int32_t rank_bits) {
  constexpr int32_t kDigitBits = 11;
  constexpr size_t kBuckets = size_t{1} << kDigitBits;
  rank_buffer_.Reserve(count);
  std::vector<uint32_t> histogram(kBuckets);
  for (int32_t low = 0; low < rank_bits; low += kDigitBits) {
    const int32_t shift = 32 + low;
    std::fill(histogram.begin(), histogram.end(), 0);
    for (size_t i = 0; i < count; ++i)
      ++histogram[(ranked_[i] >> shift) & (kBuckets - 1)];
    uint32_t offset = 0;
    for (uint32_t& slot : histogram) {
      const uint32_t size = slot;
      slot = offset;
      offset += size;
    }
    for (size_t i = 0; i < count; ++i)
      rank_buffer_[histogram[(ranked_[i] >> shift) & (kBuckets - 1)]++] = ranked_[i];
    ranked_.Swap(rank_buffer_);
  }
}

void TlxSortKeys::SortRunsOfEqualFirstColumn(std::vector<int32_t>& records) const {
  const auto less = [this](int32_t a, int32_t b) { return Compare(a, b) < 0; };
  size_t begin = 0;
  while (begin < records.size()) {
    size_t end = begin + 1;
    while (end < records.size() && CompareAt(0, records[begin], records[end]) == 0)
      ++end;
    if (end - begin > 1)
      std::sort(records.begin() + static_cast<std::ptrdiff_t>(begin), records.begin() + static_cast<std::ptrdiff_t>(end),
                less);
    begin = end;
  }
}
