#include <algorithm>

#include "platform/rtl/list_algorithms.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (owns_objects_) {
    for (const Item& item : items_)
      ReleaseSlot(item.slot);
  }
}

void TStringList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EStringListError::IndexOutOfBounds(index);
}

void TStringList::ReleaseSlot(uintptr_t slot) {
  if (owns_objects_ && slot != 0)
    delete reinterpret_cast<TObject*>(slot);
}

const std::string& TStringList::Line(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int32_t index, const std::string& text) {
  if (sorted_)
    throw EStringListError::SortedListError();
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].text = text;
  Changed();
}

uintptr_t TStringList::GetSlot(int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].slot;
}

// Replacing an object never frees the old one, even in an owning list: the
// caller may be moving it elsewhere.
void TStringList::PutSlot(int32_t index, uintptr_t slot) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].slot = slot;
  Changed();
}

void TStringList::Move(int32_t current_index, int32_t new_index) {
  if (current_index == new_index)
    return;
  if (sorted_)
    throw EStringListError::SortedListError();
  CheckIndex(current_index);
  CheckIndex(new_index);
  Changing();
  MoveElement(items_, static_cast<size_t>(current_index), static_cast<size_t>(new_index));
  Changed();
}

void TStringList::Insert(int32_t index, const std::string& text) {
  if (sorted_)
    throw EStringListError::SortedListError();
  if (index < 0 || index > Count())
    throw EStringListError::IndexOutOfBounds(index);
  InsertItem(index, text, 0);
}

void TStringList::InsertItem(int32_t index, std::string text, uintptr_t slot) {
  Changing();
  items_.insert(items_.begin() + index, Item{std::move(text), slot});
  Changed();
}

int32_t TStringList::Add(const std::string& text) {
  if (!sorted_) {
    InsertItem(Count(), text, 0);
    return Count() - 1;
  }
  int32_t index = 0;
  if (Find(text, index)) {
    if (duplicates_ == dupIgnore)
      return index;
    if (duplicates_ == dupError)
      throw EStringListError::DuplicatesNotAllowed();
  }
  InsertItem(index, text, 0);
  return index;
}

void TStringList::Delete(int32_t index) {
  CheckIndex(index);
  Changing();
  const uintptr_t slot = items_[static_cast<size_t>(index)].slot;
  items_.erase(items_.begin() + index);
  ReleaseSlot(slot);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty())
    return;
  Changing();
  std::vector<Item> items;
  items.swap(items_);
  for (const Item& item : items)
    ReleaseSlot(item.slot);
  Changed();
}

void TStringList::Exchange(int32_t index1, int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

int32_t TStringList::IndexOf(std::string_view text) const {
  if (!sorted_)
    return TStrings::IndexOf(text);
  int32_t index = 0;
  return Find(text, index) ? index : -1;
}

bool TStringList::Find(std::string_view text, int32_t& index) const {
  bool found = false;
  int32_t low = 0;
  int32_t high = Count() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int comparison = CompareStrings(items_[static_cast<size_t>(middle)].text, text);
    if (comparison < 0) {
      low = middle + 1;
      continue;
    }
    high = middle - 1;
    if (comparison == 0) {
      found = true;
      if (duplicates_ != dupAccept)
        low = middle;
    }
  }
  index = low;
  return found;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& list, int32_t i, int32_t j) {
    return list.CompareStrings(list.items_[static_cast<size_t>(i)].text, list.items_[static_cast<size_t>(j)].text);
  });
}

// Sorts a permutation of indexes, so that the comparison sees the lines in
// their places, then applies it.
void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (Count() < 2)
    return;
  Changing();
  std::vector<int32_t> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int32_t>(i);
  MergeSortStable(order, [&](int32_t a, int32_t b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int32_t index : order)
    sorted.push_back(std::move(items_[static_cast<size_t>(index)]));
  items_.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_)
    return;
  if (sorted)
    Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool case_sensitive) {
  if (case_sensitive == case_sensitive_)
    return;
  case_sensitive_ = case_sensitive;
  if (sorted_)
    Sort();
}

void TStringList::SetText(std::string_view text) {
  if (sorted_) {
    TStrings::SetText(text);
    return;
  }
  // The unsorted case fills the table directly: one allocation per line
  // and one for the table, which keeps large loads fast.
  TUpdateScope update(*this);
  Clear();
  items_.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t position = 0;
  while (position < text.size()) {
    size_t end = position;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    items_.push_back(Item{std::string(text.substr(position, end - position)), 0});
    if (end == text.size())
      break;
    position = end + 1;
    if (text[end] == '\r' && position < text.size() && text[position] == '\n')
      ++position;
  }
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return case_sensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging)
    OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange)
    OnChange(this);
}
