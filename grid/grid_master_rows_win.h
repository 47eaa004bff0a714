#pragma once
// Master rows with their details sites.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_details_site_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/table_cells_win.h"

class TlxGridMasterDataRowViewInfo : public TlxGridDataRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRowViewInfo", &TlxGridDataRowViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowViewInfo::TlxGridDataRowViewInfo;
};

class TlxGridMasterDataRowPainter : public TlxGridDataRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRowPainter", &TlxGridDataRowPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowPainter::TlxGridDataRowPainter;
};

class TlxGridDetailsSiteViewInfo : public TlxCustomGridDetailsSiteViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteViewInfo", &TlxCustomGridDetailsSiteViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDetailsSiteViewInfo::TlxCustomGridDetailsSiteViewInfo;
};

class TlxGridExpandButtonCellViewInfo : public TlxGridCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridExpandButtonCellViewInfo", &TlxGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridCellViewInfo::TlxGridCellViewInfo;
};

class TlxGridExpandButtonCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridExpandButtonCellPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridDetailsAreaViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsAreaViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridMasterDataRowDetailsSiteLeftTabsViewInfo : public TlxGridDetailsSiteLeftTabsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRowDetailsSiteLeftTabsViewInfo", &TlxGridDetailsSiteLeftTabsViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDetailsSiteLeftTabsViewInfo::TlxGridDetailsSiteLeftTabsViewInfo;
};

class TlxGridMasterDataRowDetailsSiteTabsPainter : public TlxGridDetailsSiteTabsPainter {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRowDetailsSiteTabsPainter", &TlxGridDetailsSiteTabsPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDetailsSiteTabsPainter::TlxGridDetailsSiteTabsPainter;
};

class TlxGridMasterTableViewInfoCacheItem : public TlxGridTableViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TlxGridMasterTableViewInfoCacheItem", &TlxGridTableViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableViewInfoCacheItem::TlxGridTableViewInfoCacheItem;
};
