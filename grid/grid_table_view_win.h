#pragma once
// The row-and-column view kind "Table" and its columns.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "data/data_summary_items.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_view_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "ui/foundation/styles/styles_win.h"

class TlxGridColumn : public TlxCustomGridTableItem {
 public:
  static constexpr TClass kClass{"TlxGridColumn", &TlxCustomGridTableItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItem::TlxCustomGridTableItem;
};

class TlxGridTableView : public TlxCustomGridTableView {
 public:
  static constexpr TClass kClass{"TlxGridTableView", &TlxCustomGridTableView::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableView::TlxCustomGridTableView;
};

class TlxGridTableBackgroundBitmaps : public TlxCustomGridTableBackgroundBitmaps {
 public:
  static constexpr TClass kClass{"TlxGridTableBackgroundBitmaps", &TlxCustomGridTableBackgroundBitmaps::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableBackgroundBitmaps::TlxCustomGridTableBackgroundBitmaps;
};

class TlxGridTableOptionsBehavior : public TlxCustomGridTableOptionsBehavior {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsBehavior", &TlxCustomGridTableOptionsBehavior::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsBehavior::TlxCustomGridTableOptionsBehavior;
};

class TlxGridTableOptionsCustomize : public TlxCustomGridTableOptionsCustomize {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsCustomize", &TlxCustomGridTableOptionsCustomize::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsCustomize::TlxCustomGridTableOptionsCustomize;
};

class TlxGridTableOptionsData : public TlxCustomGridTableOptionsData {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsData", &TlxCustomGridTableOptionsData::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsData::TlxCustomGridTableOptionsData;
};

class TlxGridTableOptionsSelection : public TlxCustomGridTableOptionsSelection {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsSelection", &TlxCustomGridTableOptionsSelection::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsSelection::TlxCustomGridTableOptionsSelection;
};

class TlxGridTableOptionsView : public TlxCustomGridTableOptionsView {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsView", &TlxCustomGridTableOptionsView::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsView::TlxCustomGridTableOptionsView;
};

class TlxGridTableViewStyles : public TlxCustomGridTableViewStyles {
 public:
  static constexpr TClass kClass{"TlxGridTableViewStyles", &TlxCustomGridTableViewStyles::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewStyles::TlxCustomGridTableViewStyles;
};

class TlxGridTableSummaryGroupItemLink : public TlxDataSummaryGroupItemLink {
 public:
  static constexpr TClass kClass{"TlxGridTableSummaryGroupItemLink", &TlxDataSummaryGroupItemLink::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDataSummaryGroupItemLink::TlxDataSummaryGroupItemLink;
};

class TlxGridTableSummaryItem : public TlxDataSummaryItem {
 public:
  static constexpr TClass kClass{"TlxGridTableSummaryItem", &TlxDataSummaryItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDataSummaryItem::TlxDataSummaryItem;
};

class TlxGridFilterRowOptions : public TlxGridSpecialRowOptions {
 public:
  static constexpr TClass kClass{"TlxGridFilterRowOptions", &TlxGridSpecialRowOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridSpecialRowOptions::TlxGridSpecialRowOptions;
};

class TlxGridNewItemRowOptions : public TlxGridSpecialRowOptions {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRowOptions", &TlxGridSpecialRowOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridSpecialRowOptions::TlxGridSpecialRowOptions;
};

class TlxGridPreview : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxGridPreview", &TlxCustomGridOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;
};

class TlxGridColumnSummary : public TlxCustomGridTableItemCustomOptions {
 public:
  static constexpr TClass kClass{"TlxGridColumnSummary", &TlxCustomGridTableItemCustomOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemCustomOptions::TlxCustomGridTableItemCustomOptions;
};

class TlxGridColumnOptions : public TlxCustomGridTableItemOptions {
 public:
  static constexpr TClass kClass{"TlxGridColumnOptions", &TlxCustomGridTableItemOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemOptions::TlxCustomGridTableItemOptions;
};

class TlxGridColumnStyles : public TlxCustomGridTableItemStyles {
 public:
  static constexpr TClass kClass{"TlxGridColumnStyles", &TlxCustomGridTableItemStyles::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemStyles::TlxCustomGridTableItemStyles;
};

class TlxGridTableViewStyleSheet : public TlxCustomStyleSheet {
 public:
  static constexpr TClass kClass{"TlxGridTableViewStyleSheet", &TlxCustomStyleSheet::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomStyleSheet::TlxCustomStyleSheet;
};
