#include "platform/rtl/lists.h"

#include <algorithm>

#include "platform/rtl/list_algorithms.h"

namespace {

// The platform's largest list, so that a corrupt count read from a file
// fails with a list error instead of exhausting memory.
constexpr int32_t kMaxListSize = INT32_MAX / 16;

}  // namespace

void TList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
}

void TList::SetCount(int32_t count) {
  if (count < 0 || count > kMaxListSize)
    throw EListError::CountOutOfBounds(count);
  if (count > Count()) {
    items_.resize(static_cast<size_t>(count), nullptr);
    return;
  }
  while (Count() > count)
    Delete(Count() - 1);
}

void TList::SetCapacity(int32_t capacity) {
  if (capacity < Count() || capacity > kMaxListSize)
    throw EListError::CapacityOutOfBounds(capacity);
  if (capacity > Capacity())
    items_.reserve(static_cast<size_t>(capacity));
  else
    items_.shrink_to_fit();
}

void* TList::Get(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)];
}

void TList::Put(int32_t index, void* item) {
  CheckIndex(index);
  void*& slot = items_[static_cast<size_t>(index)];
  if (slot == item)
    return;
  void* previous = slot;
  slot = item;
  if (previous != nullptr)
    Notify(previous, lnDeleted);
  if (item != nullptr)
    Notify(item, lnAdded);
}

int32_t TList::Add(void* item) {
  const int32_t index = Count();
  Insert(index, item);
  return index;
}

void TList::Insert(int32_t index, void* item) {
  if (index < 0 || index > Count())
    throw EListError::IndexOutOfBounds(index);
  if (Count() >= kMaxListSize)
    throw EListError::CapacityOutOfBounds(Count() + 1);
  items_.insert(items_.begin() + index, item);
  if (item != nullptr)
    Notify(item, lnAdded);
}

void TList::Delete(int32_t index) {
  CheckIndex(index);
  void* item = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  if (item != nullptr)
    Notify(item, lnDeleted);
}

int32_t TList::Remove(void* item) {
  const int32_t index = IndexOf(item);
  if (index >= 0)
    Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  const int32_t index = IndexOf(item);
  if (index < 0)
    return nullptr;
  void* found = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  Notify(found, lnExtracted);
  return found;
}

int32_t TList::IndexOf(void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int32_t>(it - items_.begin());
}

void TList::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

void TList::Move(int32_t current_index, int32_t new_index) {
  if (current_index == new_index)
    return;
  CheckIndex(current_index);
  CheckIndex(new_index);
  MoveElement(items_, static_cast<size_t>(current_index), static_cast<size_t>(new_index));
}

void TList::Pack() { std::erase(items_, nullptr); }

void TList::Clear() {
  // Notify may free objects whose destructors touch this list: detach the
  // items first.
  std::vector<void*> items;
  items.swap(items_);
  for (void* item : items) {
    if (item != nullptr)
      Notify(item, lnDeleted);
  }
}

void TList::Sort(const TListSortCompare& compare) {
  MergeSortStable(items_, [&compare](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Assign(const TList& source) {
  if (&source == this)
    return;
  Clear();
  for (void* item : source.items_)
    Add(item);
}

void TList::Notify(void*, TListNotification) {}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* item, TListNotification action) {
  if (owns_objects_ && action == lnDeleted)
    delete static_cast<TObject*>(item);
}

int32_t TObjectList::FindInstanceOf(const TClass& cls, bool exact, int32_t start) const {
  for (int32_t index = std::max(start, 0); index < Count(); ++index) {
    const TObject* object = Get(index);
    if (object == nullptr)
      continue;
    if (exact ? object->ClassType() == &cls : object->InheritsFrom(&cls))
      return index;
  }
  return -1;
}

void TInterfaceList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(items_.size()))
    throw EListError::IndexOutOfBounds(index);
}

int32_t TInterfaceList::Count() const {
  std::lock_guard lock(mutex_);
  return static_cast<int32_t>(items_.size());
}

IInterface* TInterfaceList::Get(int32_t index) const {
  std::lock_guard lock(mutex_);
  CheckIndex(index);
  return items_[static_cast<size_t>(index)];
}

void TInterfaceList::Put(int32_t index, IInterface* item) {
  std::lock_guard lock(mutex_);
  CheckIndex(index);
  items_[static_cast<size_t>(index)] = item;
}

int32_t TInterfaceList::Add(IInterface* item) {
  std::lock_guard lock(mutex_);
  items_.push_back(item);
  return static_cast<int32_t>(items_.size()) - 1;
}

void TInterfaceList::Insert(int32_t index, IInterface* item) {
  std::lock_guard lock(mutex_);
  if (index < 0 || index > static_cast<int32_t>(items_.size()))
    throw EListError::IndexOutOfBounds(index);
  items_.insert(items_.begin() + index, item);
}

void TInterfaceList::Delete(int32_t index) {
  std::lock_guard lock(mutex_);
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

int32_t TInterfaceList::Remove(IInterface* item) {
  std::lock_guard lock(mutex_);
  const int32_t index = IndexOf(item);
  if (index >= 0)
    items_.erase(items_.begin() + index);
  return index;
}

int32_t TInterfaceList::IndexOf(IInterface* item) const {
  std::lock_guard lock(mutex_);
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int32_t>(it - items_.begin());
}

void TInterfaceList::Exchange(int32_t index1, int32_t index2) {
  std::lock_guard lock(mutex_);
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

IInterface* TInterfaceList::Last() const {
  std::lock_guard lock(mutex_);
  return Get(static_cast<int32_t>(items_.size()) - 1);
}

void TInterfaceList::Clear() {
  std::lock_guard lock(mutex_);
  items_.clear();
}
