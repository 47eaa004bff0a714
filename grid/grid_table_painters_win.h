#pragma once
// The table view's painters.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxCustomGridRowPainter : public TlxCustomGridRecordPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridRowPainter", &TlxCustomGridRecordPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordPainter::TlxCustomGridRecordPainter;
};

class TlxGridDataRowPainter : public TlxCustomGridRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridDataRowPainter", &TlxCustomGridRowPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRowPainter::TlxCustomGridRowPainter;
};

class TlxGridTablePainter : public TlxCustomGridTablePainter {
 public:
  static constexpr TClass kClass{"TlxGridTablePainter", &TlxCustomGridTablePainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTablePainter::TlxCustomGridTablePainter;
};

class TlxGridNewItemRowPainter : public TlxGridDataRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRowPainter", &TlxGridDataRowPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowPainter::TlxGridDataRowPainter;
};

class TlxGridDataCellPainter : public TlxGridTableDataCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridDataCellPainter", &TlxGridTableDataCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableDataCellPainter::TlxGridTableDataCellPainter;
};

class TlxGridHeaderPainter : public TlxGridColumnContainerPainter {
 public:
  static constexpr TClass kClass{"TlxGridHeaderPainter", &TlxGridColumnContainerPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerPainter::TlxGridColumnContainerPainter;
};

class TlxGridFooterCellPainter : public TlxGridColumnHeaderPainter {
 public:
  static constexpr TClass kClass{"TlxGridFooterCellPainter", &TlxGridColumnHeaderPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderPainter::TlxGridColumnHeaderPainter;
};

class TlxGridColumnHeaderAreaPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderAreaPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridColumnHeaderSortingMarkPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderSortingMarkPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridColumnHeaderFilterButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderFilterButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridColumnHeaderGlyphPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderGlyphPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxCustomGridIndicatorItemPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridIndicatorItemPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridIndicatorHeaderItemPainter : public TlxCustomGridIndicatorItemPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorHeaderItemPainter", &TlxCustomGridIndicatorItemPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemPainter::TlxCustomGridIndicatorItemPainter;
};

class TlxGridIndicatorRowItemPainter : public TlxCustomGridIndicatorItemPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorRowItemPainter", &TlxCustomGridIndicatorItemPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemPainter::TlxCustomGridIndicatorItemPainter;
};

class TlxGridIndicatorFooterItemPainter : public TlxCustomGridIndicatorItemPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorFooterItemPainter", &TlxCustomGridIndicatorItemPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemPainter::TlxCustomGridIndicatorItemPainter;
};

class TlxGridIndicatorPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};
