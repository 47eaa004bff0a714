#pragma once
// The indexes of the visible tabs, ascending. Layout, painting and hit tests
// work with positions in this list (visible indexes), never with hidden tabs.

#include <cstdint>
#include <vector>

#include "platform/rtl/object.h"

class TlxTab;
class TlxTabControlModel;

class TlxVisibleTabList : public TObject {
 public:
  static constexpr TClass kClass{"TlxVisibleTabList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxVisibleTabList(TlxTabControlModel* control) : control_(control) {}

  int32_t Count() const { return static_cast<int32_t>(indexes_.size()); }
  TlxTab* GetTab(int32_t visible_index) const;
  // The tab index at a visible index (unchecked).
  int32_t TabIndexAt(int32_t visible_index) const { return indexes_[static_cast<size_t>(visible_index)]; }

  // Whether `tab_index` is listed; `position` is its place, or where it
  // would go when it is not.
  bool Find(int32_t tab_index, int32_t& position) const;
  void Add(int32_t tab_index);
  void Remove(int32_t tab_index);
  void Rebuild();
  // Position of `tab_index`, or -1.
  int32_t IndexOf(int32_t tab_index) const;

 private:
  TlxTabControlModel* control_;
  std::vector<int32_t> indexes_;
};
