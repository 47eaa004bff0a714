#pragma once
// TlxCustomGridViewInfo, TlxCustomGridPainter and TlxCustomGridViewInfoCache:
// a view's whole layout (it owns the view's site, places it, answers hit
// tests, tracks the mouse position and shows or hides the site), its
// painter (cells first, the uncovered background last) and the per-record
// values that must outlive a layout. Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <vector>

#include "grid/grid_view_handler_win.h"
#include "platform/rtl/geometry.h"

class TBitmap;
class TFont;
class TlxCanvas;
class TlxCustomGridCellViewInfo;
class TlxCustomGridHitTest;
class TlxCustomGridViewInfoCache;
class TlxGridDesignSelectorViewInfo;
class TlxRegion;

// The mouse position of a view info that has none.
constexpr int32_t kLxGridNoMousePos = 2147483647;

class TlxCustomGridViewInfo : public TlxGridViewHandler {
 public:
  static constexpr TClass kClass{"TlxCustomGridViewInfo", &TlxGridViewHandler::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridViewInfo(TlxCustomGridView* grid_view);
  ~TlxCustomGridViewInfo() override;
  // Builds the site and the view infos; the view calls it right after
  // construction, when the descendant's class operations answer.
  void Initialize();
  void BeforeDestruction();

  // --- state -----------------------------------------------------------
  TRect SiteClientBounds() const { return site_client_bounds_; }
  bool HasSiteClientBounds() const;
  bool IsCalculating() const { return is_calculating_; }
  bool IsSizeCalculating() const { return is_size_calculating_; }
  bool IsVisibilityChanging() const { return is_visibility_changing_; }
  bool IsInternalUse() const { return is_internal_use_; }
  void SetInternalUse(bool value) { is_internal_use_ = value; }
  TPoint MousePos() const { return mouse_pos_; }
  bool HasMousePos() const { return mouse_pos_.X != kLxGridNoMousePos && mouse_pos_.Y != kLxGridNoMousePos; }
  // Whether the known mouse position lies in `rect`; the sentinel is tested
  // first, so no arithmetic ever runs on it.
  bool IsMousePosIn(const TRect& rect) const { return HasMousePos() && rect.Contains(mouse_pos_); }
  TlxGridSite* Site() const { return site_.get(); }
  TlxGridDesignSelectorViewInfo* DesignSelectorViewInfo() const { return design_selector_.get(); }

  // --- non-virtual -----------------------------------------------------
  TlxCanvas& Canvas() const;
  TRect ClientBounds();
  int32_t ClientHeight();
  int32_t ClientWidth();
  bool IsInternal() const;
  void FixClientBounds(const TRect& rect);
  TWinControl* SiteParentControl() const;
  void AddLiveCell(TlxCustomGridCellViewInfo* cell);
  bool IsCellAlive(const TlxCustomGridCellViewInfo* cell) const;
  void RemoveLiveCell(TlxCustomGridCellViewInfo* cell, bool all = false);
  void AddHScrollBarHeight(int32_t& height) const;
  void UpdateMousePos();
  void UpdateSiteVisibility(bool can_show);
  int32_t GetFontHeight(TFont* font);
  void GetNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible);
  void GetNaturalWidth(int32_t max_width, int32_t& width);
  void MainCalculate(const TRect& bounds);
  void Recalculate();

  // --- overridable, in slot order --------------------------------------
  virtual void CreateViewInfos();
  virtual void DestroyViewInfos(bool is_recreating);
  virtual void ResetViewInfos();
  virtual const TClass* GetDesignSelectorViewInfoClass() const;
  virtual bool CanUnparentSite() const;
  virtual const TClass* GetSiteClass() const;
  virtual void AdjustClientBounds(TRect& /*rect*/) {}
  virtual void AfterCalculation();
  virtual void PrepareCalculation() { UpdateMousePos(); }
  virtual void Calculate();
  virtual void GetClientBounds(TRect& rect) { rect = site_client_bounds_; }
  virtual void CalculateNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible);
  virtual void CalculateNaturalWidth(int32_t max_width, int32_t& width);
  virtual bool CanCheckCoordinates() const { return !IsInternal(); }
  virtual void ControlFocusChanged() {}
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  virtual bool IsIdle() const { return !is_calculating_ && !is_visibility_changing_; }
  virtual TBitmap* GetBackgroundBitmap();
  virtual TColor GetBackgroundColor();
  virtual void GetDesignSelectorPos(TPoint& point) const;
  virtual void AdjustHScrollBarBounds(TRect& /*rect*/) {}
  virtual bool GetIsInternalUse() const { return is_internal_use_; }
  virtual bool CanUpdateScreenState() const;
  virtual void InitHitTest(TlxCustomGridHitTest* hit_test);
  virtual void ChangeSiteVisibility(bool visible);
  virtual TlxCustomGridHitTest* GetHitTestAtPoint(const TPoint& point);
  virtual TlxCustomGridHitTest* GetHitTestAtXY(int32_t x, int32_t y) { return GetHitTestAtPoint(TPoint(x, y)); }

 private:
  void CreateSite();
  void DestroySite();

  std::vector<TlxCustomGridCellViewInfo*> live_cells_;
  TRect site_client_bounds_;
  TRect fixed_client_bounds_;
  bool has_fixed_client_bounds_ = false;
  std::unique_ptr<TlxGridDesignSelectorViewInfo> design_selector_;
  bool is_calculating_ = false;
  bool is_internal_use_ = false;
  TPoint mouse_pos_{kLxGridNoMousePos, kLxGridNoMousePos};
  std::unique_ptr<TlxGridSite> site_;
  bool is_size_calculating_ = false;
  bool is_visibility_changing_ = false;
};

class TlxCustomGridPainter : public TlxGridViewHandler {
 public:
  static constexpr TClass kClass{"TlxCustomGridPainter", &TlxGridViewHandler::kClass,
                                 &ConstructInstance<TlxCustomGridPainter>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridPainter(TlxCustomGridView* grid_view);
  ~TlxCustomGridPainter() override;

  // Null canvas or view info: the view's own.
  void Paint(TlxCanvas* canvas, TlxCustomGridViewInfo* view_info);
  void ExcludeFromBackground(const TRect& rect);
  void UpdateSite();
  void InvalidateRect(const TRect& rect);
  void InvalidateRegion(TlxRegion* region);
  TlxCanvas& Canvas() const;
  TlxCustomGridViewInfo* ViewInfo() const;
  TlxRegion* BackgroundRegion() const { return background_region_.get(); }

  // --- overridable, in slot order --------------------------------------
  virtual void DrawBackground();
  virtual void AfterPaint();
  virtual void BeforePaint();
  virtual void PaintContent() {}
  virtual void DrawFocusRect(const TRect& rect, bool hide_when_inactive);

 private:
  std::unique_ptr<TlxRegion> background_region_;
  std::unique_ptr<TlxRegion> before_paint_clip_region_;
  TlxCanvas* canvas_ = nullptr;
  TlxCustomGridViewInfo* view_info_ = nullptr;
};

class TlxCustomGridViewInfoCacheItem : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridViewInfoCacheItem", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridViewInfoCacheItem(TlxCustomGridViewInfoCache* owner, int32_t index) : owner_(owner), index_(index) {}

  TlxCustomGridViewInfoCache* Owner() const { return owner_; }
  int32_t Index() const { return index_; }

  // --- overridable, in slot order --------------------------------------
  virtual void UnassignValues(bool /*keep_master*/) {}

 private:
  TlxCustomGridViewInfoCache* owner_;
  int32_t index_;
};

// Cache items are made by their class's factory, which takes no arguments
// through TClass; a descendant cache creates them in CreateItem.
class TlxCustomGridViewInfoCache : public TlxGridViewHandler {
 public:
  static constexpr TClass kClass{"TlxCustomGridViewInfoCache", &TlxGridViewHandler::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridViewInfoCache(TlxCustomGridView* grid_view) : TlxGridViewHandler(grid_view) {}
  ~TlxCustomGridViewInfoCache() override;

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxCustomGridViewInfoCacheItem* GetExistingItem(int32_t index) const;
  TlxCustomGridViewInfoCacheItem* Item(int32_t index);
  void SetCount(int32_t count);
  void Clear();
  bool IsUnassigningValues() const { return is_unassigning_values_; }

  // --- overridable, in slot order --------------------------------------
  virtual const TClass* GetItemClass(int32_t index) const = 0;
  virtual void UnassignValues(bool keep_master);

 protected:
  // Makes an item of the class GetItemClass names.
  virtual std::unique_ptr<TlxCustomGridViewInfoCacheItem> CreateItem(const TClass* item_class, int32_t index) = 0;

 private:
  std::vector<std::unique_ptr<TlxCustomGridViewInfoCacheItem>> items_;
  bool is_unassigning_values_ = false;
};
