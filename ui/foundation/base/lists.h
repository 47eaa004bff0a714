#pragma once
// The component library's list flavours over the platform's pointer lists.

#include <cstdint>

#include "platform/rtl/lists.h"

// A list that owns its objects: clearing it frees them in index order, and
// freeing the list clears it.
class TlxObjectList : public TObjectList {
 public:
  static constexpr TClass kClass{"TlxObjectList", &TObjectList::kClass, &ConstructInstance<TlxObjectList>};
  const TClass* ClassType() const override { return &kClass; }

  TlxObjectList() : TObjectList(true) {}

  TObject* ItemAt(int32_t index) const { return Get(index); }
};

// A list that grows to take an item at any index: slots between the old end
// and the new item read as null.
class TlxOpenList : public TList {
 public:
  static constexpr TClass kClass{"TlxOpenList", &TList::kClass, &ConstructInstance<TlxOpenList>};
  const TClass* ClassType() const override { return &kClass; }

  void* GetItem(int32_t index) const { return Get(index); }
  // Raises EListError for a negative index.
  void SetItem(int32_t index, void* item);
};

// Makes `destination` an exact copy of `source`'s item pointers.
void lxCopyListItems(const TList& source, TList& destination);
