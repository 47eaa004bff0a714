#pragma once
// Data rows, cells, preview and the special rows.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_footers_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxCustomGridRowViewInfo : public TlxCustomGridRecordViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridRowViewInfo", &TlxCustomGridRecordViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordViewInfo::TlxCustomGridRecordViewInfo;
};

class TlxGridDataRowViewInfo : public TlxCustomGridRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDataRowViewInfo", &TlxCustomGridRowViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRowViewInfo::TlxCustomGridRowViewInfo;
};

class TlxGridNewItemRowViewInfo : public TlxGridDataRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRowViewInfo", &TlxGridDataRowViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowViewInfo::TlxGridDataRowViewInfo;
};

class TlxGridFilterRowViewInfo : public TlxGridNewItemRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterRowViewInfo", &TlxGridNewItemRowViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridNewItemRowViewInfo::TlxGridNewItemRowViewInfo;
};

class TlxGridDataCellViewInfo : public TlxGridTableDataCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDataCellViewInfo", &TlxGridTableDataCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableDataCellViewInfo::TlxGridTableDataCellViewInfo;
};

class TlxGridPreviewCellViewInfo : public TlxGridDataCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridPreviewCellViewInfo", &TlxGridDataCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataCellViewInfo::TlxGridDataCellViewInfo;
};

class TlxGridRowFootersViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridRowFootersViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxGridIndicatorRowItemViewInfo : public TlxCustomGridIndicatorItemViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorRowItemViewInfo", &TlxCustomGridIndicatorItemViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemViewInfo::TlxCustomGridIndicatorItemViewInfo;
};
