#pragma once
// Master rows with their details sites.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include <functional>
#include <memory>

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

// A master record's cache item: besides the row's measurements it carries
// the details site's cached information from one site to the next.
class TlxGridMasterTableViewInfoCacheItem : public TlxGridTableViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TlxGridMasterTableViewInfoCacheItem", &TlxGridTableViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableViewInfoCacheItem::TlxGridTableViewInfoCacheItem;

  bool IsDetailsSiteCachedInfoAssigned() const { return details_site_cached_info_ != nullptr; }
  // Hands the information over to the new site; the item is empty after.
  std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> TakeDetailsSiteCachedInfo() {
    return std::move(details_site_cached_info_);
  }
  // Keeps the going site's information. One that no site took (a site
  // made and freed without a look at its item) is stale: it is freed.
  void StoreDetailsSiteCachedInfo(std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> info);

 private:
  std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> details_site_cached_info_;
};

// What a master row tells its details site about itself.
struct TlxGridDetailsSiteContext {
  TWinControl* Container = nullptr;
  TlxCustomGridRecord* MasterRecord = nullptr;
  TlxGridLevel* ActiveLevel = nullptr;
  TlxCustomGridView* ActiveView = nullptr;
  int32_t MaxHeight = 0;
  int32_t MaxWidth = 0;
  // The master view info only measures (no site outlives it).
  bool Internal = false;
  TlxGridMasterTableViewInfoCacheItem* CacheItem = nullptr;
  std::function<void(TlxGridLevel* level, bool focus_view)> OnLevelTabChanged;
  std::function<bool(TlxGridLevel* level)> HasDetails;
};

// The details site of an expanded master row.
class TlxGridDetailsSiteViewInfo : public TlxCustomGridDetailsSiteViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteViewInfo", &TlxCustomGridDetailsSiteViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Takes the cached information its cache item holds.
  TlxGridDetailsSiteViewInfo(TlxGridLevel* master_level, TlxGridDetailsSiteContext context);
  // Leaves its cached information in the cache item for the next site.
  ~TlxGridDetailsSiteViewInfo() override;

  const TlxGridDetailsSiteContext& Context() const { return context_; }

  TWinControl* GetContainer() override { return context_.Container; }
  TlxCustomGridRecord* GetMasterRecord() override { return context_.MasterRecord; }
  int32_t GetMaxHeight() override { return context_.MaxHeight; }
  int32_t GetMaxWidth() override { return context_.MaxWidth; }
  TlxCustomGridView* FindActiveGridView() override { return context_.ActiveView; }
  TlxGridLevel* GetActiveLevel() override { return context_.ActiveLevel; }
  void InitTabHitTest(TlxGridDetailsSiteTabHitTest* /*hit_test*/) override {}
  void LevelTabChanged(TlxGridLevel* level, bool focus_view) override;
  bool HasLevelDetails(TlxGridLevel* level) override;

 private:
  TlxGridDetailsSiteContext context_;
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

