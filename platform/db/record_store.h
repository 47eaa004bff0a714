#pragma once
// The rows of an in-memory dataset: record blocks in storage order, each
// with an id that never changes while it lives, and an optional filtered
// sequence. The cursor works in "positions" of the current sequence (the
// filtered one while a filter is set, else storage order).
//
// Ids index a table of owners, so finding a record by id is one array read;
// a block's position is kept in its header as a hint that stays right until
// the sequence changes before it, and is renumbered lazily from there.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/db/record_layout.h"

class TRecordStore {
 public:
  explicit TRecordStore(const TRecordLayout& layout) : layout_(layout) {}
  TRecordStore(const TRecordStore&) = delete;
  TRecordStore& operator=(const TRecordStore&) = delete;

  const TRecordLayout& Layout() const { return layout_; }

  // Records of the current sequence.
  int32_t Count() const { return static_cast<int32_t>(Sequence().size()); }
  std::byte* At(int32_t position) const { return Sequence()[static_cast<size_t>(position)]; }
  // Every record, filtered or not.
  int32_t StoredCount() const { return static_cast<int32_t>(stored_.size()); }

  // A new record that takes over `values` (left empty), placed before the
  // record at `position` of the current sequence (at the end for Count()).
  // With a filter set, `visible` says whether it joins the filtered
  // sequence. Answers the new block.
  std::byte* InsertAt(int32_t position, std::byte* values, bool visible);
  std::byte* Append(std::byte* values, bool visible);
  // Removes the record at `position` of the current sequence.
  void DeleteAt(int32_t position);
  // Takes a record out of the filtered sequence (it stays stored).
  void HideAt(int32_t position);
  // Drops every record. Ids start again, under a new generation, so that
  // bookmarks of the old records stay invalid.
  void Clear();

  // Position of a block in the current sequence, or -1 when it is not in it.
  int32_t PositionOf(std::byte* block) const;
  // The live record with this id, or null.
  std::byte* FindById(uint32_t id) const;
  uint32_t Generation() const { return generation_; }

  // Restricts the sequence to the records `accept` passes, in storage
  // order; ClearFilter returns to all records.
  void ApplyFilter(const std::function<bool(std::byte* block)>& accept);
  void ClearFilter();
  bool IsFiltered() const { return filtered_; }

 private:
  const std::vector<std::byte*>& Sequence() const { return filtered_ ? view_ : stored_; }
  std::vector<std::byte*>& MutableSequence() { return filtered_ ? view_ : stored_; }
  std::byte* NewRecord(std::byte* values);
  void ForgetRecord(std::byte* block);
  size_t StoredIndexOf(std::byte* block) const;
  void Invalidate(int32_t position) const { dirty_from_ = std::min(dirty_from_, position); }

  const TRecordLayout& layout_;
  // Owners by id - 1; an empty buffer marks a deleted record.
  std::vector<TRecordBuffer> by_id_;
  std::vector<std::byte*> stored_;
  std::vector<std::byte*> view_;
  bool filtered_ = false;
  uint32_t generation_ = 1;
  // Position hints of the current sequence are right below this position.
  mutable int32_t dirty_from_ = 0;
};
