#pragma once
// The dataset-bound table view and its data definitions.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "data/db_data_controller.h"
#include "data/db_data_summary_item.h"
#include "editors/kinds/db_edit_default_values_provider.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_table_view_win.h"

class TlxGridDBTableView : public TlxGridTableView {
 public:
  static constexpr TClass kClass{"TlxGridDBTableView", &TlxGridTableView::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableView::TlxGridTableView;
};

class TlxGridDBDataController : public TlxDBDataController {
 public:
  static constexpr TClass kClass{"TlxGridDBDataController", &TlxDBDataController::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDBDataController::TlxDBDataController;
};

class TlxGridDBColumn : public TlxGridColumn {
 public:
  static constexpr TClass kClass{"TlxGridDBColumn", &TlxGridColumn::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumn::TlxGridColumn;
};

class TlxGridDBTableSummaryItem : public TlxDBDataSummaryItem {
 public:
  static constexpr TClass kClass{"TlxGridDBTableSummaryItem", &TlxDBDataSummaryItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDBDataSummaryItem::TlxDBDataSummaryItem;
};

class TlxGridItemDBDataBinding : public TlxGridItemDataBinding {
 public:
  static constexpr TClass kClass{"TlxGridItemDBDataBinding", &TlxGridItemDataBinding::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridItemDataBinding::TlxGridItemDataBinding;
};

class TlxGridDBDefaultValuesProvider : public TlxCustomDBEditDefaultValuesProvider {
 public:
  static constexpr TClass kClass{"TlxGridDBDefaultValuesProvider", &TlxCustomDBEditDefaultValuesProvider::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomDBEditDefaultValuesProvider::TlxCustomDBEditDefaultValuesProvider;
};
