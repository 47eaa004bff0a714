#pragma once
// The layout of a record-based view: parts, records, record view infos, the navigator site, the table painter and the view-info cache items.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/grid_view_info_win.h"

class TlxCustomGridTableViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableViewInfo", &TlxCustomGridViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfo::TlxCustomGridViewInfo;
};

class TlxCustomGridPartViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridPartViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxCustomGridRecordsViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordsViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridRecordsPainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordsPainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridRecordViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxCustomGridRecordPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxNavigatorSiteViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxNavigatorSiteViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxNavigatorSitePainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxNavigatorSitePainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxCustomGridTablePainter : public TlxCustomGridPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridTablePainter", &TlxCustomGridPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPainter::TlxCustomGridPainter;
};

class TlxGridFilterViewInfo : public TlxCustomGridPartViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterViewInfo", &TlxCustomGridPartViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartViewInfo::TlxCustomGridPartViewInfo;
};

// Declared with the navigator's buttons (grid_navigator_win.h).
class TlxNavigatorViewInfo;

class TlxCustomGridPartPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridPartPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxCustomGridTableViewInfoCacheItem : public TlxCustomGridViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableViewInfoCacheItem", &TlxCustomGridViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfoCacheItem::TlxCustomGridViewInfoCacheItem;
};
