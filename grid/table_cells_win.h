#pragma once
// Table cells and data cells, drawn through the editors' view info.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"

class TlxGridTableCellViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTableCellViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridTableDataCellViewInfo : public TlxGridTableCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTableDataCellViewInfo", &TlxGridTableCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableCellViewInfo::TlxGridTableCellViewInfo;
};

class TlxGridCellViewInfo : public TlxGridTableCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridCellViewInfo", &TlxGridTableCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableCellViewInfo::TlxGridTableCellViewInfo;
};

class TlxGridTableDataCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridTableDataCellPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};
