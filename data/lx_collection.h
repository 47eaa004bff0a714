#pragma once
// A collection whose assignment keeps its existing items: items are
// re-assigned in place, missing ones added and surplus ones deleted from the
// end, so that references to the first items stay valid.

#include "platform/rtl/collection.h"

class TlxCollection : public TCollection {
 public:
  static constexpr TClass kClass{"TlxCollection", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TCollection::TCollection;

  void Assign(const TPersistent* source) override { CopyFrom(source); }
  void CopyFrom(const TPersistent* source);
};
