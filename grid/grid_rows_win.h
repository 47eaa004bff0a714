#pragma once
// The row classes of the table view and its view data.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_records_win.h"
#include "grid/table_view_info_win.h"

class TlxGridViewData : public TlxCustomGridTableViewData {
 public:
  static constexpr TClass kClass{"TlxGridViewData", &TlxCustomGridTableViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewData::TlxCustomGridTableViewData;
};

class TlxGridTableViewInfoCacheItem : public TlxCustomGridTableViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TlxGridTableViewInfoCacheItem", &TlxCustomGridTableViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewInfoCacheItem::TlxCustomGridTableViewInfoCacheItem;
};
