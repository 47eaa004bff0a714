#pragma once
// TlxGridRecordSlots: the record cache of a table view. One slot per row,
// empty until something asks for that row; every slot is dropped when the
// rows change. Reading outside 0..Count() - 1 raises the list-index error
// and creates nothing. Portable.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/exceptions.h"

template <class Record>
class TlxGridRecordSlots {
 public:
  using TFactory = std::function<std::unique_ptr<Record>(int32_t index)>;

  explicit TlxGridRecordSlots(TFactory factory) : factory_(std::move(factory)) {}

  int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
  bool IsIndexValid(int32_t index) const { return index >= 0 && index < Count(); }

  // Frees every record and leaves `count` empty slots.
  void Reset(int32_t count) {
    slots_.clear();
    if (count > 0)
      slots_.resize(static_cast<size_t>(count));
  }
  void Clear() { slots_.clear(); }

  // The record of a row, made on first use.
  Record& Get(int32_t index) {
    if (!IsIndexValid(index))
      throw EListError::IndexOutOfBounds(index);
    std::unique_ptr<Record>& slot = slots_[static_cast<size_t>(index)];
    if (slot == nullptr)
      slot = factory_(index);
    return *slot;
  }
  // Null outside the range.
  Record* Find(int32_t index) { return IsIndexValid(index) ? &Get(index) : nullptr; }
  // The record already made for a row, or null.
  Record* Existing(int32_t index) const {
    return IsIndexValid(index) ? slots_[static_cast<size_t>(index)].get() : nullptr;
  }
  // Every record made so far, in row order.
  template <class Visit>
  void ForEachExisting(Visit&& visit) const {
    for (const std::unique_ptr<Record>& slot : slots_)
      if (slot != nullptr)
        visit(*slot);
  }

 private:
  TFactory factory_;
  std::vector<std::unique_ptr<Record>> slots_;
};
