#include "ui/foundation/base/mru_items.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"

TlxMRUItems::~TlxMRUItems() { Clear(); }

void TlxMRUItems::Add(std::unique_ptr<TlxMRUItem> item) {
  if (item == nullptr)
    return;
  const int32_t existing = IndexOf(*item);
  if (existing != -1) {
    auto position = items_.begin() + existing;
    std::rotate(items_.begin(), position, position + 1);
    return;  // `item` is freed here
  }
  // Appended and rotated to the front: the same order as an insert at the
  // front, without the path on which GCC 12's optimiser reports a null
  // dereference inside the standard library.
  items_.push_back(std::move(item));
  std::rotate(items_.begin(), items_.end() - 1, items_.end());
  TrimToMaxCount();
}

int32_t TlxMRUItems::IndexOf(const TlxMRUItem& item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->IsEqualTo(item))
      return static_cast<int32_t>(i);
  return -1;
}

void TlxMRUItems::Delete(int32_t index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

TlxMRUItem* TlxMRUItems::GetItem(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].get();
}

void TlxMRUItems::Clear() {
  while (!items_.empty())
    items_.pop_back();
}

void TlxMRUItems::SetMaxCount(int32_t count) {
  count = std::max(count, 0);
  if (count == max_count_)
    return;
  max_count_ = count;
  TrimToMaxCount();
}

void TlxMRUItems::CheckIndex(int32_t index) const {
  if (index < 0 || index >= GetCount())
    throw EListError::IndexOutOfBounds(index);
}

void TlxMRUItems::TrimToMaxCount() {
  while (max_count_ != 0 && GetCount() > max_count_)
    items_.pop_back();
}
