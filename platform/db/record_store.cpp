#include "platform/db/record_store.h"

#include <algorithm>
#include <limits>

#include "platform/db/db_errors.h"

std::byte* TRecordStore::NewRecord(std::byte* values) {
  if (by_id_.size() >= std::numeric_limits<uint32_t>::max() - 1)
    throw EDatabaseError("Too many records");
  TRecordBuffer buffer(layout_);
  layout_.MoveValues(values, buffer.Data());
  by_id_.push_back(std::move(buffer));
  std::byte* block = by_id_.back().Data();
  TRecordLayout::RecordId(block) = static_cast<uint32_t>(by_id_.size());
  return block;
}

void TRecordStore::ForgetRecord(std::byte* block) {
  by_id_[TRecordLayout::RecordId(block) - 1] = TRecordBuffer();
}

std::byte* TRecordStore::InsertAt(int32_t position, std::byte* values, bool visible) {
  std::byte* block = NewRecord(values);
  if (!filtered_) {
    stored_.insert(stored_.begin() + position, block);
    Invalidate(position);
    return block;
  }
  const size_t stored_index = position < Count() ? StoredIndexOf(At(position)) : stored_.size();
  stored_.insert(stored_.begin() + static_cast<std::ptrdiff_t>(stored_index), block);
  if (visible) {
    view_.insert(view_.begin() + position, block);
    Invalidate(position);
  }
  return block;
}

std::byte* TRecordStore::Append(std::byte* values, bool visible) {
  std::byte* block = NewRecord(values);
  stored_.push_back(block);
  if (filtered_ && visible)
    view_.push_back(block);
  if (!filtered_ || visible) {
    // Appending keeps every hint right; the new one is right at once.
    const int32_t position = Count() - 1;
    TRecordLayout::PositionHint(block) = position;
    if (dirty_from_ == position)
      dirty_from_ = position + 1;
  }
  return block;
}

void TRecordStore::DeleteAt(int32_t position) {
  std::byte* block = At(position);
  if (filtered_) {
    view_.erase(view_.begin() + position);
    stored_.erase(stored_.begin() + static_cast<std::ptrdiff_t>(StoredIndexOf(block)));
  } else {
    stored_.erase(stored_.begin() + position);
  }
  Invalidate(position);
  ForgetRecord(block);
}

void TRecordStore::HideAt(int32_t position) {
  if (!filtered_)
    return;
  view_.erase(view_.begin() + position);
  Invalidate(position);
}

void TRecordStore::Clear() {
  stored_.clear();
  view_.clear();
  by_id_.clear();
  ++generation_;
  dirty_from_ = 0;
}

size_t TRecordStore::StoredIndexOf(std::byte* block) const {
  auto it = std::find(stored_.begin(), stored_.end(), block);
  return static_cast<size_t>(it - stored_.begin());
}

int32_t TRecordStore::PositionOf(std::byte* block) const {
  const int32_t hint = TRecordLayout::PositionHint(block);
  if (hint >= 0 && hint < dirty_from_ && hint < Count() && At(hint) == block)
    return hint;
  const std::vector<std::byte*>& sequence = Sequence();
  for (size_t i = static_cast<size_t>(std::max(dirty_from_, 0)); i < sequence.size(); ++i)
    TRecordLayout::PositionHint(sequence[i]) = static_cast<int32_t>(i);
  dirty_from_ = Count();
  const int32_t renumbered = TRecordLayout::PositionHint(block);
  if (renumbered >= 0 && renumbered < Count() && At(renumbered) == block)
    return renumbered;
  return -1;
}

std::byte* TRecordStore::FindById(uint32_t id) const {
  if (id == 0 || id > by_id_.size())
    return nullptr;
  const TRecordBuffer& buffer = by_id_[id - 1];
  return buffer ? const_cast<std::byte*>(buffer.Data()) : nullptr;
}

void TRecordStore::ApplyFilter(const std::function<bool(std::byte* block)>& accept) {
  std::vector<std::byte*> view;
  for (std::byte* block : stored_) {
    if (accept(block))
      view.push_back(block);
  }
  view_ = std::move(view);
  filtered_ = true;
  dirty_from_ = 0;
}

void TRecordStore::ClearFilter() {
  view_.clear();
  filtered_ = false;
  dirty_from_ = 0;
}
