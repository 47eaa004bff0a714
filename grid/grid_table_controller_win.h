#pragma once
// The table controller, the sizing and moving objects, the table customization form and popup, the table editing controller.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_control_win.h"
#include "grid/grid_customization_form_win.h"
#include "grid/table_controller_win.h"

class TlxGridTableController : public TlxCustomGridTableController {
 public:
  static constexpr TClass kClass{"TlxGridTableController", &TlxCustomGridTableController::kClass,
                                 &ConstructInstance<TlxGridTableController>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableController::TlxCustomGridTableController;
};

class TlxGridColumnsCustomizationPopup : public TlxCustomGridItemsCustomizationPopup {
 public:
  static constexpr TClass kClass{"TlxGridColumnsCustomizationPopup", &TlxCustomGridItemsCustomizationPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridItemsCustomizationPopup::TlxCustomGridItemsCustomizationPopup;
};

class TlxGridTableItemsListBox : public TlxCustomGridTableItemsListBox {
 public:
  static constexpr TClass kClass{"TlxGridTableItemsListBox", &TlxCustomGridTableItemsListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemsListBox::TlxCustomGridTableItemsListBox;
};

class TlxGridTableColumnsListBox : public TlxGridTableItemsListBox {
 public:
  static constexpr TClass kClass{"TlxGridTableColumnsListBox", &TlxGridTableItemsListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableItemsListBox::TlxGridTableItemsListBox;
};

class TlxGridDragOpenInfoMasterDataRowTab : public TlxGridDragOpenInfoTab {
 public:
  static constexpr TClass kClass{"TlxGridDragOpenInfoMasterDataRowTab", &TlxGridDragOpenInfoTab::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDragOpenInfoTab::TlxGridDragOpenInfoTab;
};
