#pragma once
// TlxAutoWidthObject spreads an available width over a row of items (grid
// columns, lookup columns) in proportion to their natural widths. Fixed items
// keep their width, no item drops below its minimum, and the integer shares
// of one pass add up exactly to the width that pass distributes.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"

class TlxAutoWidthItem : public TObject {
 public:
  static constexpr TClass kClass{"TlxAutoWidthItem", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  int32_t MinWidth = 0;
  // The natural width, which is also the item's weight.
  int32_t Width = 0;
  bool Fixed = false;
  // The result; -1 until Calculate has decided the item.
  int32_t AutoWidth = -1;
};

class TlxAutoWidthObject : public TObject {
 public:
  static constexpr TClass kClass{"TlxAutoWidthObject", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxAutoWidthObject(int32_t capacity);

  // A new item with AutoWidth -1, appended; the object keeps it.
  TlxAutoWidthItem* NewItem();
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Raises EListError for an index outside the items.
  TlxAutoWidthItem* GetItem(int32_t index) const;

  // The sum of every item's Width, fixed ones included.
  int64_t TotalWidth() const;
  // Fills AutoWidth of every item.
  void Calculate();

  int32_t AvailableWidth = 0;

 private:
  std::vector<std::unique_ptr<TlxAutoWidthItem>> items_;
};

// a * b / c with a 64-bit intermediate, rounded to the nearest integer (halves
// away from zero); -1 when c is 0, as the system's MulDiv answers.
int32_t lxMulDiv(int32_t a, int32_t b, int32_t c);
