#include "data/lx_collection.h"

void TlxCollection::CopyFrom(const TPersistent* source) {
  const auto* collection = dynamic_cast<const TCollection*>(source);
  if (collection == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (Count() == 0 && collection->Count() == 0)
    return;
  TUpdateScope<TlxCollection> update(*this);
  for (int32_t i = 0; i < collection->Count(); ++i) {
    TCollectionItem* item = i < Count() ? Items(i) : Add();
    item->Assign(collection->Items(i));
  }
  while (Count() > collection->Count())
    Delete(Count() - 1);
}
