#pragma once
// TlxRegisteredClassList: (item class, registered class) pairs, looked up by
// the nearest registered ancestor of a class. Modules map their classes to
// helper classes through it without linking to each other.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"

class TlxRegisteredClassListItemData : public TObject {
 public:
  static constexpr TClass kClass{"TlxRegisteredClassListItemData", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxRegisteredClassListItemData(TClassRef item_class, TClassRef registered_class)
      : ItemClass(item_class), RegisteredClass(registered_class) {}

  TClassRef ItemClass;
  TClassRef RegisteredClass;
};

class TlxRegisteredClassList : public TObject {
 public:
  static constexpr TClass kClass{"TlxRegisteredClassList", &TObject::kClass,
                                 &ConstructInstance<TlxRegisteredClassList>};
  const TClass* ClassType() const override { return &kClass; }

  TlxRegisteredClassList() = default;

  // Searches from the last entry: true with the index of the first entry
  // met whose item class is `cls` or an ancestor of it. Otherwise false,
  // with `index` at the lowest entry for a descendant of `cls` (unchanged
  // when there is none), which is where an entry for `cls` belongs.
  virtual bool FindItemIndex(TClassRef cls, int32_t& index) const;
  // Inserts the pair after its nearest ancestor's entry, before the entries
  // of its descendants, so that searching from the end meets the most
  // specific entry first. Pairs are not checked for duplicates.
  virtual void RegisterPair(TClassRef item_class, TClassRef registered_class);
  // Removes every entry with exactly this pair.
  virtual void UnregisterPair(TClassRef item_class, TClassRef registered_class);

  // The class registered for `cls` or its nearest registered ancestor; null
  // when none.
  TClassRef LookupRegisteredClass(TClassRef cls) const;

  int32_t PairCount() const { return static_cast<int32_t>(entries_.size()); }
  // Raises EListError outside 0..PairCount() - 1.
  const TlxRegisteredClassListItemData& Pair(int32_t index) const;

 private:
  std::vector<std::unique_ptr<TlxRegisteredClassListItemData>> entries_;
};
