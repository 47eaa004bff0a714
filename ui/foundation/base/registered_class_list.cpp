#include "ui/foundation/base/registered_class_list.h"

#include <string>

#include "platform/rtl/exceptions.h"

namespace {

bool DescendsFrom(TClassRef cls, TClassRef ancestor) {
  return cls != nullptr && ancestor != nullptr && cls->InheritsFrom(ancestor);
}

}  // namespace

bool TlxRegisteredClassList::FindItemIndex(TClassRef cls, int32_t& index) const {
  for (int32_t i = PairCount() - 1; i >= 0; --i) {
    const TClassRef item_class = entries_[static_cast<size_t>(i)]->ItemClass;
    if (DescendsFrom(cls, item_class)) {
      index = i;
      return true;
    }
    if (DescendsFrom(item_class, cls))
      index = i;
  }
  return false;
}

void TlxRegisteredClassList::RegisterPair(TClassRef item_class, TClassRef registered_class) {
  auto entry = std::make_unique<TlxRegisteredClassListItemData>(item_class, registered_class);
  int32_t index = -1;
  if (FindItemIndex(item_class, index))
    ++index;
  else if (index == -1)
    index = PairCount();
  entries_.insert(entries_.begin() + index, std::move(entry));
}

void TlxRegisteredClassList::UnregisterPair(TClassRef item_class, TClassRef registered_class) {
  for (int32_t i = PairCount() - 1; i >= 0; --i) {
    const auto& entry = entries_[static_cast<size_t>(i)];
    if (entry->ItemClass == item_class && entry->RegisteredClass == registered_class)
      entries_.erase(entries_.begin() + i);
  }
}

TClassRef TlxRegisteredClassList::LookupRegisteredClass(TClassRef cls) const {
  int32_t index = -1;
  if (!FindItemIndex(cls, index))
    return nullptr;
  return entries_[static_cast<size_t>(index)]->RegisteredClass;
}

const TlxRegisteredClassListItemData& TlxRegisteredClassList::Pair(int32_t index) const {
  if (index < 0 || index >= PairCount())
    throw EListError::IndexOutOfBounds(index);
  return *entries_[static_cast<size_t>(index)];
}
