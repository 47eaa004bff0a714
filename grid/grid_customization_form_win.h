#pragma once
// The customization form and its items list boxes.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "editors/list_box_win.h"

class TlxCustomGridItemsListBox : public TlxListBox {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsListBox", &TlxListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxListBox::TlxListBox;
};

class TlxCustomGridTableItemsListBox : public TlxCustomGridItemsListBox {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableItemsListBox", &TlxCustomGridItemsListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridItemsListBox::TlxCustomGridItemsListBox;
};

class TlxCustomGridItemsInnerListBox : public TlxInnerListBox {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsInnerListBox", &TlxInnerListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxInnerListBox::TlxInnerListBox;
};
