#pragma once
// The controller of record-based views: focus of records and cells, multi-selection, the key table, incremental search, deleting with the confirmation, scrolling and pull focusing.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_customization_popup_win.h"
#include "grid/grid_popups_win.h"
#include "grid/grid_view_controller_win.h"

class TlxCustomGridTableController : public TlxCustomGridController {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableController", &TlxCustomGridController::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridController::TlxCustomGridController;
};

class TlxGridFilterMRUItemsPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxGridFilterMRUItemsPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPopup::TlxCustomGridPopup;
};

class TlxGridFilterPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxGridFilterPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPopup::TlxCustomGridPopup;
};

class TlxCustomGridItemsCustomizationPopup : public TlxCustomGridCustomizationPopup {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsCustomizationPopup", &TlxCustomGridCustomizationPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCustomizationPopup::TlxCustomGridCustomizationPopup;
};
