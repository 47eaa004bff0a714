#pragma once
// The table view's layout: header, group-by box, filter row, footer, indicator and rows.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxGridTableViewInfo : public TlxCustomGridTableViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTableViewInfo", &TlxCustomGridTableViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewInfo::TlxCustomGridTableViewInfo;
};

class TlxGridRowsViewInfo : public TlxCustomGridRecordsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridRowsViewInfo", &TlxCustomGridRecordsViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordsViewInfo::TlxCustomGridRecordsViewInfo;
};

class TlxGridGroupByBoxViewInfo : public TlxGridColumnContainerViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxViewInfo", &TlxGridColumnContainerViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerViewInfo::TlxGridColumnContainerViewInfo;
};

class TlxGridHeaderViewInfo : public TlxGridColumnContainerViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridHeaderViewInfo", &TlxGridColumnContainerViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerViewInfo::TlxGridColumnContainerViewInfo;
};

class TlxGridFooterViewInfo : public TlxGridHeaderViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFooterViewInfo", &TlxGridHeaderViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridHeaderViewInfo::TlxGridHeaderViewInfo;
};

class TlxGridIndicatorViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFooterPainter : public TlxGridHeaderPainter {
 public:
  static constexpr TClass kClass{"TlxGridFooterPainter", &TlxGridHeaderPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridHeaderPainter::TlxGridHeaderPainter;
};

class TlxGridHeaderViewInfoSpecific : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridHeaderViewInfoSpecific", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxGridRowsPainter : public TlxCustomGridRecordsPainter {
 public:
  static constexpr TClass kClass{"TlxGridRowsPainter", &TlxCustomGridRecordsPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordsPainter::TlxCustomGridRecordsPainter;
};

class TlxGridDataRowCellsAreaViewInfo : public TlxGridCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDataRowCellsAreaViewInfo", &TlxGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridCellViewInfo::TlxGridCellViewInfo;
};
