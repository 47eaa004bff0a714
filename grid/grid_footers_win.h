#pragma once
// Footers, group footers and the indicator.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_table_layout_win.h"

class TlxGridRowFooterViewInfo : public TlxGridFooterViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridRowFooterViewInfo", &TlxGridFooterViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridFooterViewInfo::TlxGridFooterViewInfo;
};

class TlxGridRowFooterCellViewInfo : public TlxGridFooterCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridRowFooterCellViewInfo", &TlxGridFooterCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridFooterCellViewInfo::TlxGridFooterCellViewInfo;
};

// An item of the indicator column: beside the header, a row or the footer.
class TlxCustomGridIndicatorItemViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridIndicatorItemViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;

  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
};

class TlxGridIndicatorHeaderItemViewInfo : public TlxCustomGridIndicatorItemViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorHeaderItemViewInfo", &TlxCustomGridIndicatorItemViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemViewInfo::TlxCustomGridIndicatorItemViewInfo;

  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

class TlxGridIndicatorFooterItemViewInfo : public TlxCustomGridIndicatorItemViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorFooterItemViewInfo", &TlxCustomGridIndicatorItemViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemViewInfo::TlxCustomGridIndicatorItemViewInfo;
};
