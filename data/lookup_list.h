#pragma once
// A value-to-text cache of lookup editors, kept sorted by the Variant order
// by its callers (they insert where Find points).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

struct TlxLookupListItem {
  Variant Value;
  std::string DisplayText;
};

class TlxLookupList : public TObject {
 public:
  static constexpr TClass kClass{"TlxLookupList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Binary search: true with the item's index, or false with the index
  // where the value belongs.
  bool Find(const Variant& value, int32_t& index) const;
  void Insert(int32_t index, const Variant& value, const std::string& display_text);
  // Raises EListError for an index out of range.
  const TlxLookupListItem& ItemAt(int32_t index) const;
  void Clear() { items_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }

 private:
  std::vector<std::unique_ptr<TlxLookupListItem>> items_;
};
