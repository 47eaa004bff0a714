#include "data/lookup_list.h"

#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"

bool TlxLookupList::Find(const Variant& value, int32_t& index) const {
  int32_t low = 0;
  int32_t high = Count() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int result = lxVariantCompare(items_[static_cast<size_t>(middle)]->Value, value);
    if (result == 0) {
      index = middle;
      return true;
    }
    if (result < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  index = low;
  return false;
}

void TlxLookupList::Insert(int32_t index, const Variant& value, const std::string& display_text) {
  if (index < 0 || index > Count())
    throw EListError::IndexOutOfBounds(index);
  items_.insert(items_.begin() + index, std::make_unique<TlxLookupListItem>(TlxLookupListItem{value, display_text}));
}

const TlxLookupListItem& TlxLookupList::ItemAt(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return *items_[static_cast<size_t>(index)];
}
