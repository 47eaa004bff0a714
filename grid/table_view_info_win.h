#pragma once
// The layout of a record-based view: parts (bands above and below the
// records), the records area with one record view info per visible
// record, the navigator site, the table painter with the no-data text, and
// the per-record cache items. Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_view_info_win.h"

class TlxCustomGridRecord;
class TlxCustomGridTableItem;
class TlxCustomGridRecordViewInfo;
class TlxCustomGridRecordsViewInfo;
class TlxCustomGridTableView;
class TlxCustomGridTableViewData;
class TlxGridFilterViewInfo;
class TlxGridTableDataCellViewInfo;
class TlxNavigatorSiteViewInfo;
class TlxNavigatorViewInfo;
class TlxCustomGridPartViewInfo;

enum TlxGridPartAlignment : int32_t { gpaTop = 0, gpaBottom = 1 };

class TlxCustomGridTableViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableViewInfo", &TlxCustomGridViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxCustomGridTableViewInfo(TlxCustomGridView* grid_view);
  ~TlxCustomGridTableViewInfo() override;

  bool CalculateDown = true;
  int32_t FirstRecordIndex = -1;
  TPoint NavigatorSize;

  TlxCustomGridTableView* GridView() const;
  TlxCustomGridTableViewData* ViewData() const;
  TlxGridFilterViewInfo* FilterViewInfo() const { return filter_view_info_.get(); }
  TlxNavigatorSiteViewInfo* NavigatorSiteViewInfo() const { return navigator_site_view_info_.get(); }
  TlxNavigatorViewInfo* NavigatorViewInfo() const { return navigator_view_info_.get(); }
  TlxCustomGridRecordsViewInfo* RecordsViewInfo() const { return records_view_info_.get(); }
  int32_t PartCount() const { return static_cast<int32_t>(parts_.size()); }
  TlxCustomGridPartViewInfo* Parts(int32_t index) const { return parts_.at(static_cast<size_t>(index)); }
  void AddPart(TlxCustomGridPartViewInfo* part) { parts_.push_back(part); }
  void RemovePart(TlxCustomGridPartViewInfo* part);
  void MovePart(TlxCustomGridPartViewInfo* part, int32_t index);
  int32_t PartIndex(const TlxCustomGridPartViewInfo* part) const;
  int32_t PartsHeight(TlxGridPartAlignment alignment) const;
  int32_t TopPartsHeight() const { return PartsHeight(gpaTop); }
  int32_t BottomPartsHeight() const { return PartsHeight(gpaBottom); }
  int32_t ExpandButtonSize() const;
  // FirstRecordIndex when set, else the scrolled-to top record.
  int32_t TopRecordIndex() const;
  // Where the records start when no FirstRecordIndex is set; the table
  // controller keeps it as it scrolls.
  int32_t ScrolledTopRecordIndex() const { return scrolled_top_record_index_; }
  void SetScrolledTopRecordIndex(int32_t value) { scrolled_top_record_index_ = value; }
  int32_t VisibleRecordCount() const;
  // Scrolls the records by `delta` records, reusing the view infos that
  // stay visible, and repaints (scrolling the window where it can).
  void ScrollRecords(int32_t delta);

  // --- overrides ---------------------------------------------------------
  void CreateViewInfos() override;
  void DestroyViewInfos(bool is_recreating) override;
  void AdjustClientBounds(TRect& rect) override;
  void AfterCalculation() override;
  void Calculate() override;
  void GetClientBounds(TRect& rect) override;
  void CalculateNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible) override;
  void ControlFocusChanged() override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void AdjustHScrollBarBounds(TRect& rect) override;
  bool GetIsInternalUse() const override;
  void ChangeSiteVisibility(bool visible) override;

  // --- overridable, in slot order --------------------------------------
  virtual void GetNavigatorBounds(TRect& rect);
  virtual void AfterOffset();
  virtual void BeforeOffset();
  virtual void GetPartBounds(TlxCustomGridPartViewInfo* part, TRect& rect);
  virtual int32_t GetVisibleRowCountEstimate() { return -1; }
  virtual int32_t GetMaxVisibleRowCount() { return 0; }
  virtual const TClass* GetFilterViewInfoClass() const;
  virtual int32_t GetNavigatorOffset();
  virtual void GetNavigatorSiteBounds(TRect& rect);
  virtual const TClass* GetNavigatorSiteViewInfoClass() const;
  virtual const TClass* GetNavigatorViewInfoClass() const { return nullptr; }
  virtual void GetNoDataInfoText(std::string& text);
  virtual void GetNoDataInfoTextBounds(TRect& rect);
  virtual void GetNoDataInfoTextParams(TlxPaintParams& params);
  virtual bool ShowNoDataInfoText();
  virtual int32_t GetNonRecordsHeight(bool with_extras);
  virtual const TClass* GetRecordsViewInfoClass() const = 0;
  virtual void GetCellsAreaBounds(TRect& rect) { rect = ClientBounds(); }
  virtual void GetEditorAreaBounds(TRect& rect) { GetCellsAreaBounds(rect); }
  virtual void GetRowsAreaBounds(TRect& rect) { GetCellsAreaBounds(rect); }
  virtual void GetDataAreaBounds(TRect& rect) { GetCellsAreaBounds(rect); }
  virtual void OffsetRecords(int32_t delta);
  virtual void OffsetHorizontally(int32_t dx, int32_t dy);
  virtual bool CanOffset(int32_t /*delta*/, int32_t /*dx*/, int32_t /*dy*/) { return true; }
  virtual bool CanOffsetRecords(int32_t delta);
  virtual void DoOffset(int32_t delta, int32_t dx, int32_t dy);
  virtual int32_t GetHeightForRows(int32_t height) { return height; }
  virtual int32_t GetRowsHeight(int32_t /*count*/) { return 0; }
  // The navigator buttons' size for a site of `height`; (0, 0) without
  // navigator buttons.
  virtual TPoint CalculateNavigatorSize(int32_t height);

 private:
  std::vector<TlxCustomGridPartViewInfo*> parts_;
  std::unique_ptr<TlxGridFilterViewInfo> filter_view_info_;
  std::unique_ptr<TlxNavigatorSiteViewInfo> navigator_site_view_info_;
  std::unique_ptr<TlxNavigatorViewInfo> navigator_view_info_;
  std::unique_ptr<TlxCustomGridRecordsViewInfo> records_view_info_;
  int32_t scrolled_top_record_index_ = 0;
};

class TlxCustomGridPartViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridPartViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxCustomGridPartViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxCustomGridPartViewInfo() override;

  int32_t Height = 0;
  TlxCustomGridTableViewInfo* OwnerViewInfo() const;
  int32_t Index() const;
  void SetIndex(int32_t index);
  void MainCalculate();

  bool CustomDrawBackground(TlxCanvas& canvas) override;
  bool HasCustomDrawBackground() override;
  const TClass* GetPainterClass() const override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;

  // --- overridable, in slot order --------------------------------------
  virtual void GetPartBounds(TRect& rect);
  virtual void CalculateInvisible();
  virtual void CalculateVisible();
  virtual TlxGridPartAlignment GetAlignment() = 0;
  virtual bool IsAutoWidth() = 0;
  virtual bool IsPart() { return true; }
  virtual bool IsScrollable() = 0;

 private:
  bool registered_ = false;
};

// Record view infos are made through the record's view-info class with
// this as the owner.
class TlxGridRecordViewInfoTarget : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridRecordViewInfoTarget", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridRecordViewInfoTarget(TlxCustomGridRecordsViewInfo* records_view_info, TlxCustomGridRecord* record)
      : RecordsViewInfo(records_view_info), Record(record) {}
  TlxCustomGridRecordsViewInfo* RecordsViewInfo;
  TlxCustomGridRecord* Record;
};

class TlxCustomGridRecordsViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordsViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TlxCustomGridTableViewInfo;
  explicit TlxCustomGridRecordsViewInfo(TlxCustomGridTableViewInfo* owner_view_info);
  ~TlxCustomGridRecordsViewInfo() override;

  TBitmap* BackgroundBitmap = nullptr;
  TRect RecordsBounds;
  TRect RecordsContentBounds;
  int32_t ItemsOffset = 0;
  int32_t VisibleCount = 0;

  TlxCustomGridTableViewInfo* OwnerViewInfo() const { return owner_view_info_; }
  TlxCustomGridTableView* GridView() const;
  TlxCustomGridTableViewData* ViewData() const;
  TlxCanvas& Canvas() const { return owner_view_info_->Canvas(); }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  int32_t TopRecordIndex() const { return owner_view_info_->TopRecordIndex(); }
  // For an index below Count the stored item (null when it has no record);
  // for Count a new item is made and appended.
  TlxCustomGridRecordViewInfo* Item(int32_t index);
  TlxCustomGridRecordViewInfo* ExistingItem(int32_t index) const;
  int32_t MaxItemCount() const;
  int32_t RecordIndexOf(int32_t item_index) const;
  int32_t ItemIndexOf(int32_t record_index) const;
  TlxGridTableDataCellViewInfo* IncSearchingCellViewInfo();
  void Paint(TlxCanvas& canvas);
  // Frees every record view info.
  void ClearItems();

  // --- overridable, in slot order --------------------------------------
  virtual void AfterCalculation();
  virtual void PrepareCalculation();
  virtual void BeforeRecalculation();
  virtual void AfterOffset() {}
  virtual void BeforeOffset() { is_inc_searching_cell_valid_ = false; }
  virtual void Calculate();
  virtual void GetBounds(TRect& rect) { rect = owner_view_info_->ClientBounds(); }
  virtual void GetContentBounds(TRect& rect) { rect = RecordsBounds; }
  virtual void CalculateIncSearchingCell();
  virtual void CalculateVisibleCount() { VisibleCount = 0; }
  virtual void GetCellAreaBounds(TlxCustomGridCellViewInfo* cell, TRect& rect);
  virtual bool IsAutoHeight() { return GetAutoHeightOption(); }
  virtual bool GetCellAutoHeight() { return IsAutoHeight(); }
  virtual bool GetAutoHeightOption();
  virtual TBitmap* GetBackgroundBitmap();
  virtual int32_t GetRowLeft(int32_t index) = 0;
  virtual int32_t GetRowsHeightDelta(int32_t count) = 0;
  virtual int32_t GetRowTop(int32_t index) = 0;
  virtual bool IsEmpty() { return items_.empty(); }
  virtual void OffsetRow(int32_t index, int32_t dy) = 0;
  virtual void ControlFocusChanged();
  virtual void UpdateDetailsVisibility(bool visible);
  virtual bool CanOffsetRecords(int32_t delta);
  virtual int32_t GetRowHeightWithGridLine(int32_t height) { return height; }
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  virtual TlxCustomGridRecordViewInfo* GetRecordViewInfo(TlxCustomGridRecord* record);
  virtual bool HasFixedRowHeight() { return false; }
  virtual void MainCalculate();
  virtual void OffsetRecords(int32_t delta);
  virtual void Offset(int32_t dx, int32_t dy);
  virtual void CalculateItem(TlxCustomGridRecordViewInfo* item, int32_t index);

 protected:
  // Makes the view info of the record at RecordIndexOf(index) through the
  // record's view-info class.
  virtual std::unique_ptr<TlxCustomGridRecordViewInfo> CreateItem(int32_t index);

 private:
  TlxCustomGridTableViewInfo* owner_view_info_;
  std::vector<std::unique_ptr<TlxCustomGridRecordViewInfo>> items_;
  TlxGridTableDataCellViewInfo* inc_searching_cell_ = nullptr;
  bool is_inc_searching_cell_valid_ = false;
};

class TlxCustomGridRecordsPainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordsPainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxCustomGridRecordsPainter(TlxCanvas& canvas, TlxCustomGridRecordsViewInfo& records_view_info)
      : canvas_(canvas), records_view_info_(records_view_info) {}
  virtual void Paint();

 private:
  TlxCanvas& canvas_;
  TlxCustomGridRecordsViewInfo& records_view_info_;
};

class TlxCustomGridTableViewInfoCacheItem;

class TlxCustomGridRecordViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  using TOwnerType = TlxGridRecordViewInfoTarget;
  static constexpr TClass kClass{"TlxCustomGridRecordViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxCustomGridRecordViewInfo(TlxCustomGridRecordsViewInfo* records_view_info, TlxCustomGridRecord* record);
  explicit TlxCustomGridRecordViewInfo(TlxGridRecordViewInfoTarget* target)
      : TlxCustomGridRecordViewInfo(target->RecordsViewInfo, target->Record) {}
  ~TlxCustomGridRecordViewInfo() override;

  TRect ExpandButtonBounds;
  TlxCustomGridRecord* GridRecord() const { return record_; }
  TlxCustomGridRecordsViewInfo* RecordsViewInfo() const { return records_view_info_; }
  TlxCustomGridTableViewInfo* OwnerViewInfo() const { return records_view_info_->OwnerViewInfo(); }
  TlxCustomGridTableView* GridView() const;
  TlxCustomGridTableViewInfoCacheItem* CacheItem() const;
  bool IsRecordViewInfoAssigned() const { return is_record_view_info_assigned_; }
  bool Expanded();
  bool Focused() const;
  bool Selected();
  int32_t Index() const;
  void RecalculateInPlace();

  // --- overrides -----------------------------------------------------------
  TBitmap* GetBackgroundBitmap() override { return records_view_info_->BackgroundBitmap; }
  TlxCanvas& GetCanvas() override { return records_view_info_->Canvas(); }
  int32_t GetHeight() const override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  bool GetVisible() override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  void Offset(int32_t dx, int32_t dy) override;
  void BeforeRecalculation() override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  bool MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) override;

  // --- overridable, in slot order --------------------------------------
  virtual void CalculateExpandButtonBounds(TRect& rect) { rect = TRect(); }
  virtual bool CalculateSelected();
  virtual bool HasExpandButtonHitTest() { return true; }
  virtual void ControlFocusChanged() {}
  virtual bool GetAutoHeight() { return false; }
  virtual void GetBackgroundBitmapBounds(TRect& rect) { GetRecordAreaBounds(rect); }
  virtual bool CellHasBackgroundBitmap(TlxCustomGridCellViewInfo* /*cell*/) { return HasBackgroundBitmap(); }
  virtual void GetRecordAreaBounds(TRect& rect) { rect = BoundsRect; }
  virtual void GetExpandButtonAreaBounds(TRect& rect) { rect = TRect(); }
  virtual void GetFocusRectBounds(TRect& rect) { rect = BoundsRect; }
  virtual bool HideFocusRectOnExit();
  virtual bool ShowFocusRect();
  virtual bool CanClick(TlxCustomGridHitTest* hit_test);
  virtual bool IsDetailVisible(TlxCustomGridView* /*detail*/) { return false; }
  virtual void UpdateDetailsVisibility(bool /*visible*/) {}
  virtual bool ProcessClick(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift);
  virtual void GetInvalidationBounds(TlxCustomGridTableItem* item, TRect& rect);
  virtual void GetItemBounds(TlxCustomGridTableItem* /*item*/, TRect& rect) { rect = TRect(); }
  virtual TlxGridTableDataCellViewInfo* GetCellViewInfoByItem(TlxCustomGridTableItem* /*item*/) { return nullptr; }
  virtual void CalculateAt(int32_t left, int32_t top);
  virtual bool ProcessDialogChar(char16_t /*ch*/) { return false; }

 private:
  TlxCustomGridRecordsViewInfo* records_view_info_;
  TlxCustomGridRecord* record_;
  bool is_record_view_info_assigned_ = false;
  bool selected_cache_ = false;
  bool is_selected_cache_valid_ = false;
};

class TlxCustomGridRecordPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecordPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxCustomGridRecordPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  TlxCustomGridRecordViewInfo& RecordViewInfo() const { return static_cast<TlxCustomGridRecordViewInfo&>(ViewInfo()); }
  void AfterPaint() override;
  void BeforePaint() override;
  void DrawBackground() override;
  void DoPaint() override {}

  virtual void DrawExpandButton();
  virtual bool IsExpandButtonPaintedFirst() { return false; }
  virtual void DrawFocusRect();
};

class TlxNavigatorSiteViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxNavigatorSiteViewInfo", &TlxCustomGridViewCellViewInfo::kClass,
                                 &ConstructInstance<TlxNavigatorSiteViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
  ~TlxNavigatorSiteViewInfo() override;

  TlxCustomGridTableViewInfo* TableViewInfo() const { return static_cast<TlxCustomGridTableViewInfo*>(OwnerViewInfo()); }
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  int32_t GetHeight() const override;
  int32_t GetWidth() const override;
  bool GetVisible() override;
  const TClass* GetHitTestClass() const override;
  bool GetHotTrack() override { return true; }
  const TClass* GetPainterClass() const override;
  void GetViewParams(TlxPaintParams& params) override;
};

class TlxNavigatorSitePainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxNavigatorSitePainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxNavigatorSitePainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
  bool ExcludeFromClipRect() override { return true; }
};

class TlxCustomGridTablePainter : public TlxCustomGridPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridTablePainter", &TlxCustomGridPainter::kClass,
                                 &ConstructInstance<TlxCustomGridTablePainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPainter::TlxCustomGridPainter;

  TlxCustomGridTableViewInfo* TableViewInfo() const { return static_cast<TlxCustomGridTableViewInfo*>(ViewInfo()); }
  // Moves the records by `records_shift` pixels or the content by (dx,
  // dy): scrolls the window when it can, else repaints the view.
  void Scroll(int32_t records_shift, int32_t dx, int32_t dy);

  void DrawBackground() override;
  void BeforePaint() override;
  void PaintContent() override;
  void DrawFocusRect(const TRect& rect, bool hide_when_inactive) override;

  // --- overridable, in slot order --------------------------------------
  virtual bool CanScrollWindow();
  virtual void DrawFilterBox();
  virtual void DrawNoDataInfoText();
  virtual void DrawNavigator();
  virtual void DrawRecords();
  virtual void ScrollRecords(int32_t dy);
  virtual void ScrollContent(int32_t dx, int32_t dy);
};

// The filter box part. Until the filter box lays itself out it stays an
// empty band at the bottom that takes no room.
class TlxGridFilterViewInfo : public TlxCustomGridPartViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterViewInfo", &TlxCustomGridPartViewInfo::kClass,
                                 &ConstructInstance<TlxGridFilterViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartViewInfo::TlxCustomGridPartViewInfo;

  TlxGridPartAlignment GetAlignment() override { return gpaBottom; }
  bool IsAutoWidth() override { return true; }
  bool IsScrollable() override { return false; }
  bool GetVisible() override { return false; }
  const TClass* GetHitTestClass() const override;
};

class TlxNavigatorViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxNavigatorViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridPartPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridPartPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxCustomGridPartPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxCustomGridTableViewInfoCacheItem : public TlxCustomGridViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableViewInfoCacheItem", &TlxCustomGridViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfoCacheItem::TlxCustomGridViewInfoCacheItem;

  int32_t CachedHeight() const { return cached_height_; }
  bool IsHeightAssigned() const { return is_height_assigned_; }
  void SetCachedHeight(int32_t value) {
    cached_height_ = value;
    is_height_assigned_ = true;
  }
  void UnassignValues(bool /*keep_master*/) override { is_height_assigned_ = false; }

 private:
  int32_t cached_height_ = 0;
  bool is_height_assigned_ = false;
};

// The cache of a record-based view: one item per record index, of the
// class the record asks for.
class TlxCustomGridTableViewInfoCache : public TlxCustomGridViewInfoCache {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableViewInfoCache", &TlxCustomGridViewInfoCache::kClass,
                                 &ConstructInstance<TlxCustomGridTableViewInfoCache>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfoCache::TlxCustomGridViewInfoCache;

  const TClass* GetItemClass(int32_t index) const override;

 protected:
  std::unique_ptr<TlxCustomGridViewInfoCacheItem> CreateItem(const TClass* item_class, int32_t index) override;
};
