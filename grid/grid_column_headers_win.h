#pragma once
// Column headers, the group-by box and column auto width.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxGridColumnHeaderViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridColumnContainerViewInfo : public TlxCustomGridPartViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnContainerViewInfo", &TlxCustomGridPartViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartViewInfo::TlxCustomGridPartViewInfo;
};

class TlxGridGroupByBoxColumnHeaderViewInfo : public TlxGridColumnHeaderViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxColumnHeaderViewInfo", &TlxGridColumnHeaderViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderViewInfo::TlxGridColumnHeaderViewInfo;
};

class TlxGridColumnHeaderAreaViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderAreaViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridColumnHeaderHorzSizingEdgeViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderHorzSizingEdgeViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridColumnHeaderFilterButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderFilterButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridColumnHeaderSortingMarkViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderSortingMarkViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridColumnHeaderGlyphViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderGlyphViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFooterCellViewInfo : public TlxGridColumnHeaderViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFooterCellViewInfo", &TlxGridColumnHeaderViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderViewInfo::TlxGridColumnHeaderViewInfo;
};

class TlxGridColumnContainerPainter : public TlxCustomGridPartPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnContainerPainter", &TlxCustomGridPartPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartPainter::TlxCustomGridPartPainter;
};

class TlxGridColumnHeaderPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridGroupByBoxPainter : public TlxGridColumnContainerPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxPainter", &TlxGridColumnContainerPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerPainter::TlxGridColumnContainerPainter;
};
