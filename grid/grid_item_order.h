#pragma once
// The order rules of a record-based view's items, kept apart from the view
// so that they are checked natively against the real data controller: the
// ID counter, moving an item to a clamped index, and the pending lists in
// which group and sort indexes (or restored indexes) wait until all items
// exist. Portable.

#include <algorithm>
#include <cstdint>
#include <vector>

// IDs given to items: the next one counts up; giving back the last one
// steps the counter back, any other leaves a gap.
class TlxGridItemIDs {
 public:
  int32_t Next() const { return next_; }
  int32_t Take() { return next_++; }
  void Release(int32_t id) {
    if (id == next_ - 1)
      --next_;
  }
  void Reset(int32_t next = 0) { next_ = next; }

 private:
  int32_t next_ = 0;
};

// Moves `item` to `new_index`, clamped to 0..size - 1; false when the item
// is not listed or already there.
template <class Item>
bool lxMoveGridItem(std::vector<Item*>& items, Item* item, int32_t new_index) {
  const auto found = std::find(items.begin(), items.end(), item);
  if (found == items.end())
    return false;
  new_index = std::clamp(new_index, 0, static_cast<int32_t>(items.size()) - 1);
  const auto old_index = static_cast<int32_t>(found - items.begin());
  if (new_index == old_index)
    return false;
  items.erase(found);
  items.insert(items.begin() + new_index, item);
  return true;
}

// Parks `item` at `index` of a pending list (a negative index parks
// nothing). An item parked again moves; a taken place keeps its item and
// the newcomer goes right after it, so requests keep their order.
template <class Item>
void lxParkGridItem(std::vector<Item*>& list, Item* item, int32_t index) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
  if (index < 0)
    return;
  const auto position = static_cast<size_t>(index);
  if (position >= list.size())
    list.resize(position + 1, nullptr);
  if (list[position] == nullptr)
    list[position] = item;
  else
    list.insert(list.begin() + index + 1, item);
}

// The parked items in ascending position, empty places skipped.
template <class Item>
std::vector<Item*> lxParkedGridItems(const std::vector<Item*>& list) {
  std::vector<Item*> parked;
  for (Item* item : list)
    if (item != nullptr)
      parked.push_back(item);
  return parked;
}
