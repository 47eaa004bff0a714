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

class TlxGridDetailsAreaViewInfo;
class TlxGridDetailsSiteViewInfo;
class TlxGridExpandButtonCellViewInfo;
class TlxGridMasterDataRow;
class TlxGridMasterTableViewInfoCacheItem;

// A data row of a view with detail levels: an expand-button column left of
// its cells and, while the record is expanded, the details site below them.
class TlxGridMasterDataRowViewInfo : public TlxGridDataRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRowViewInfo", &TlxGridDataRowViewInfo::kClass,
                                 &ConstructInstance<TlxGridMasterDataRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridMasterDataRowViewInfo(TlxGridRecordViewInfoTarget* target);
  ~TlxGridMasterDataRowViewInfo() override;

  TlxGridMasterDataRow* MasterRow() const;
  TlxGridMasterTableViewInfoCacheItem* MasterCacheItem() const;
  TlxGridDetailsAreaViewInfo* DetailsAreaViewInfo() const { return details_area_.get(); }
  TlxGridDetailsSiteViewInfo* DetailsSiteViewInfo() const { return details_site_.get(); }
  TlxGridExpandButtonCellViewInfo* ExpandButtonCellViewInfo() const { return expand_button_cell_.get(); }
  // The room below the data part left for the details.
  int32_t RestHeight = 0;

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  int32_t GetContentHeight() override;
  int32_t GetCellsAreaLeft() override;
  int32_t GetCellsAreaWidth() override;
  void GetExpandButtonAreaBounds(TRect& rect) override;
  void CalculateExpandButtonBounds(TRect& rect) override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void BeforeRecalculation() override;
  void Offset(int32_t dx, int32_t dy) override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  bool IsFullyVisible() override;
  int32_t GetVisibleHeight() override;
  bool IsDetailVisible(TlxCustomGridView* detail) override;
  void UpdateDetailsVisibility(bool visible) override;
  bool ProcessDialogChar(char16_t ch) override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual int32_t CalculateRestHeight(int32_t data_height);
  virtual bool DetailsSiteVisible() { return details_site_visible_; }
  virtual bool IsRecordFocused();

 private:
  // Whether the details are placed now (see Calculate).
  bool MustPlaceDetails();
  int32_t DataPartHeight();
  // Gives the site the room the row leaves it, once per view info.
  void PrepareDetailsSite();
  bool IsSiteAtMaxDetailHeight();

  bool details_site_visible_ = false;
  bool site_prepared_ = false;
  std::unique_ptr<TlxGridDetailsAreaViewInfo> details_area_;
  std::unique_ptr<TlxGridDetailsSiteViewInfo> details_site_;
  std::unique_ptr<TlxGridExpandButtonCellViewInfo> expand_button_cell_;
};

class TlxGridMasterDataRowPainter : public TlxGridDataRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRowPainter", &TlxGridDataRowPainter::kClass,
                                 &ConstructInstance<TlxGridMasterDataRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowPainter::TlxGridDataRowPainter;

  TlxGridMasterDataRowViewInfo& MasterRowViewInfo() const {
    return static_cast<TlxGridMasterDataRowViewInfo&>(ViewInfo());
  }
  void DoPaint() override;
  void DrawCells() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawDetails();
  virtual void DrawExpandButtonCell();
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
  // The room the row leaves, known only once the row measured itself.
  void SetMaxHeight(int32_t value) { context_.MaxHeight = value; }
  // The item the going site leaves its information in, looked up again by
  // the row when the site goes (the cache may have been cleared since);
  // null when there is none to keep it.
  void SetCacheItem(TlxGridMasterTableViewInfoCacheItem* item) { context_.CacheItem = item; }

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

// The column under the expand button, beside the data part and the details.
class TlxGridExpandButtonCellViewInfo : public TlxGridCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridExpandButtonCellViewInfo", &TlxGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridExpandButtonCellViewInfo(TlxGridMasterDataRowViewInfo* row)
      : TlxGridCellViewInfo(row), row_(row) {}

  TlxGridMasterDataRowViewInfo* RowViewInfo() const { return row_; }

  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  TBitmap* GetBackgroundBitmap() override { return row_->GetBackgroundBitmap(); }
  TlxBorders GetBorders() override;
  void GetBorderBounds(TlxBorder side, TRect& rect) override;
  TColor GetBorderColor(TlxBorder side) override;
  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual int32_t GetBaseWidth();

 private:
  TlxGridMasterDataRowViewInfo* row_;
};

class TlxGridExpandButtonCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridExpandButtonCellPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridExpandButtonCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  // Above the right line beside the details the strip takes the cell's
  // background.
  void DrawBorder(TlxBorder side) override;
};

// The rectangle of the details, right of the expand-button column.
class TlxGridDetailsAreaViewInfo : public TlxGridCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsAreaViewInfo", &TlxGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridDetailsAreaViewInfo(TlxGridMasterDataRowViewInfo* row) : TlxGridCellViewInfo(row), row_(row) {}

  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  TlxBorders GetBorders() override;
  TColor GetBorderColor(TlxBorder side) override;

 private:
  TlxGridMasterDataRowViewInfo* row_;
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

