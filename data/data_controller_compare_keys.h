#pragma once
// Sort keys read once from the record storage, so that sorting and grouping
// by stored values compare plain numbers or texts instead of walking the
// controller's comparison chain for every pair.
//
// Each column orders records exactly as the storage's own comparison of its
// value type does (a null first, two nulls equal), turned round for a
// descending column. Integers, booleans, currency, floats and dates of the
// built-in value types become 64-bit keys whose unsigned order is that
// order; strings keep a pointer at their text; every other type keeps the
// pointer its own CompareTypedValues takes.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/value_types.h"

class TlxDataStorage;
class TlxValueDef;

// A value of type T read from a record buffer, which keeps no alignment.
template <class T>
T lxLoadUnaligned(const void* value) {
  T result;
  std::memcpy(&result, value, sizeof result);
  return result;
}

// An array of trivially copyable values left uninitialised, that keeps its
// memory when asked for the same size or less again.
template <class T>
class TlxScratchArray {
 public:
  T* Reserve(size_t count) {
    if (count > capacity_) {
      data_.reset(new T[count]);
      capacity_ = count;
    }
    return data_.get();
  }
  T& operator[](size_t index) { return data_[index]; }
  const T& operator[](size_t index) const { return data_[index]; }
  void Swap(TlxScratchArray& other) {
    data_.swap(other.data_);
    std::swap(capacity_, other.capacity_);
  }

 private:
  std::unique_ptr<T[]> data_;
  size_t capacity_ = 0;
};

// The keys are kept from pass to pass: touching fresh memory for a million
// records costs more than sorting them.
class TlxSortKeys {
 public:
  // Forgets the columns (keeping their memory) for a pass over records
  // below `record_count`.
  void Begin(int32_t record_count);
  // Reads the values of `def` for every record of `records`.
  void AddColumn(const TlxDataStorage& storage, const TlxValueDef& def, bool descending,
                 const std::vector<int32_t>& records);

  int32_t ColumnCount() const { return column_count_; }
  // Three-way order of two records by one column, its direction applied.
  int CompareAt(int32_t column, int32_t record1, int32_t record2) const;
  // Every column in turn, then the record index: a total order.
  int Compare(int32_t record1, int32_t record2) const;
  // Puts `records` into the order of Compare.
  void Sort(std::vector<int32_t>& records);

 private:
  enum class TKind : uint8_t { kNumber, kText, kTyped };
  struct TColumn {
    TKind Kind = TKind::kTyped;
    bool Descending = false;
    TlxValueTypeClass Type = nullptr;
    // Indexed by record; only the records of the pass are written and read.
    TlxScratchArray<uint8_t> Nulls;
    // kNumber: the order-keeping key; kText and kTyped: the value pointer.
    TlxScratchArray<uint64_t> Keys;
    TlxScratchArray<const void*> Values;
  };

  int CompareUndirected(const TColumn& column, int32_t record1, int32_t record2) const;
  // Sorts by a number column's keys (nulls first, or last when descending),
  // equal keys in ascending record order.
  void SortByNumbers(const TColumn& column, std::vector<int32_t>& records);
  // Sorts the records of `keyed_records_` by `keys_` into `sorted`.
  void SortKeyedRecords(std::vector<int32_t>& sorted);
  // Sorts values of the form (rank << 32 | place) by their rank.
  void RadixSortByRank(size_t count, int32_t rank_bits);
  // Sorts each run of records equal in the first column by all columns.
  void SortRunsOfEqualFirstColumn(std::vector<int32_t>& records) const;

  int32_t record_count_ = 0;
  int32_t column_count_ = 0;
  std::vector<TColumn> columns_;
  std::vector<uint8_t> listed_;
  std::vector<int32_t> ascending_;
  std::vector<int32_t> nulls_;
  std::vector<int32_t> keyed_records_;
  std::vector<uint64_t> keys_;
  TlxScratchArray<uint64_t> ranked_;
  TlxScratchArray<uint64_t> rank_buffer_;
};
