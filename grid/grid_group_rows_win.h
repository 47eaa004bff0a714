#pragma once
// Group rows: captions, summaries and their painters.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/table_cells_win.h"

class TlxGridGroupRowViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupRowViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridGroupRowPainter : public TlxCustomGridRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupRowPainter", &TlxCustomGridRowPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRowPainter::TlxCustomGridRowPainter;
};

class TlxGridGroupCellViewInfo : public TlxGridCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupCellViewInfo", &TlxGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridCellViewInfo::TlxGridCellViewInfo;
};

class TlxGridGroupCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupCellPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridGroupSummaryCellViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupSummaryCellViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridGroupSummaryCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupSummaryCellPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridGroupRowSpacerViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupRowSpacerViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};
