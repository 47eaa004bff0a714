#pragma once
// The options of the table view.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_view_win.h"

class TlxGridSpecialRowOptions : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxGridSpecialRowOptions", &TlxCustomGridOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;
};
