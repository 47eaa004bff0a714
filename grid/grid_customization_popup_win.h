#pragma once
// The quick customization popup.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_popups_win.h"

class TlxCustomGridCustomizationPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxCustomGridCustomizationPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPopup::TlxCustomGridPopup;
};
