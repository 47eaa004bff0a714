#pragma once
// The table view's layout: the table view info that places the parts around
// the rows (group-by box, column header, footer, indicator) and the rows
// view info that decides row heights, which rows are visible and where
// they lie, and how the layout follows scrolling. The arithmetic itself is
// in grid/table_layout_math.h. Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_layout_math.h"
#include "grid/table_view_info_win.h"

class TlxGridColumn;
class TlxGridDataRowViewInfo;
class TlxGridFilterRowViewInfo;
class TlxGridFooterViewInfo;
class TlxGridGroupByBoxViewInfo;
class TlxGridHeaderViewInfo;
class TlxGridIndicatorViewInfo;
class TlxGridNewItemRowViewInfo;
class TlxGridRowsViewInfo;
class TlxGridTableView;

class TlxGridTableViewInfo : public TlxCustomGridTableViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTableViewInfo", &TlxCustomGridTableViewInfo::kClass,
                                 &ConstructInstance<TlxGridTableViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridTableViewInfo(TlxCustomGridView* grid_view);
  ~TlxGridTableViewInfo() override;

  TlxGridTableView* TableView() const;
  TlxGridHeaderViewInfo* HeaderViewInfo() const { return header_view_info_.get(); }
  TlxGridGroupByBoxViewInfo* GroupByBoxViewInfo() const { return group_by_box_view_info_.get(); }
  TlxGridRowsViewInfo* RowsViewInfo() const;
  int32_t ExpandButtonIndent = 3;
  int32_t LevelIndent = 0;
  int32_t PrevDataRowHeight = 0;
  // The width of the data area, computed once per calculation.
  int32_t DataWidth();
  // The controller's horizontal scroll position.
  int32_t LeftPos() const { return left_pos_; }
  // Scrolls the parts and rows that move with the data horizontally.
  void SetLeftPos(int32_t value);
  TlxGridIndicatorViewInfo* IndicatorViewInfo() const { return indicator_view_info_.get(); }
  TlxGridFooterViewInfo* FooterViewInfo() const;
  // The footer's height of this calculation; 0 while it is hidden.
  int32_t FooterHeight() const;
  int32_t IndicatorWidth();
  // The site's client width less the indicator: what auto width shares.
  int32_t AutoWidthAvailableWidth();

  // --- overrides -----------------------------------------------------------
  void CreateViewInfos() override;
  void DestroyViewInfos(bool is_recreating) override;
  void ResetViewInfos() override;
  void AfterCalculation() override;
  void PrepareCalculation() override;
  void Calculate() override;
  void GetClientBounds(TRect& rect) override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void GetPartBounds(TlxCustomGridPartViewInfo* part, TRect& rect) override;
  int32_t GetVisibleRowCountEstimate() override;
  int32_t GetMaxVisibleRowCount() override;
  int32_t GetNonRecordsHeight(bool with_extras) override;
  const TClass* GetRecordsViewInfoClass() const override;
  void GetRowsAreaBounds(TRect& rect) override;
  void GetDataAreaBounds(TRect& rect) override;
  void OffsetHorizontally(int32_t dx, int32_t dy) override;
  void AfterOffset() override;
  int32_t GetHeightForRows(int32_t height) override { return GetHeightForRowsWithSpare(height, false); }
  int32_t GetRowsHeight(int32_t count) override;

  // --- overridable, in slot order --------------------------------------
  virtual int32_t GetHeightForRowsWithSpare(int32_t height, bool spare_row);
  virtual int32_t CalculateDataWidth();
  virtual void CalculateExpandButtonParams();
  virtual const TClass* GetHeaderViewInfoClass() const;
  virtual const TClass* GetGroupByBoxViewInfoClass() const;
  virtual const TClass* GetFooterViewInfoClass() const;
  virtual void CalculateIndicator();
  virtual int32_t GetLevelIndentsWidth() { return IndentLevelCount() * LevelIndent; }
  virtual int32_t GridLineWidth() { return 1; }
  virtual TColor GridLineColor();
  virtual int32_t IndentLevelCount();
  virtual TlxGridCellLineBorders GetCellBorders(bool is_rightmost);
  virtual int32_t GetCellHeight(TlxGridColumn* /*column*/, int32_t height) { return height; }
  virtual int32_t GetCellTopOffset(TlxGridColumn* /*column*/) { return 0; }
  virtual TlxGridScrollRects GetVScrollRects(int32_t delta);
  virtual TlxGridScrollRects GetHScrollRects(int32_t delta);
  virtual int32_t GetLevelIndentCount(int32_t level);

 private:
  std::unique_ptr<TlxGridGroupByBoxViewInfo> group_by_box_view_info_;
  std::unique_ptr<TlxGridHeaderViewInfo> header_view_info_;
  std::unique_ptr<TlxGridHeaderViewInfo> footer_view_info_;
  std::unique_ptr<TlxGridIndicatorViewInfo> indicator_view_info_;
  int32_t data_width_ = 0;
  int32_t left_pos_ = 0;
};

class TlxGridRowsViewInfo : public TlxCustomGridRecordsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridRowsViewInfo", &TlxCustomGridRecordsViewInfo::kClass,
                                 &ConstructInstance<TlxGridRowsViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridRowsViewInfo(TlxCustomGridTableViewInfo* owner_view_info);
  ~TlxGridRowsViewInfo() override;

  TlxGridTableViewInfo* TableViewInfo() const { return static_cast<TlxGridTableViewInfo*>(OwnerViewInfo()); }
  TlxGridTableView* TableView() const;
  int32_t RowHeight = 0;
  int32_t DataRowHeight = 0;
  int32_t GroupRowHeight = 0;
  int32_t PartVisibleCount = 0;
  bool IsFirstRowFullyVisible = true;
  int32_t RestHeight = 0;
  // Laid out for the row at an index; null past the part-visible rows.
  TlxGridDataRowViewInfo* DataRow(int32_t index);
  // The special rows above the data rows, while their options show them.
  TlxGridFilterRowViewInfo* FilterRowViewInfo() const { return filter_row_view_info_.get(); }
  TlxGridNewItemRowViewInfo* NewItemRowViewInfo() const { return new_item_row_view_info_.get(); }
  // Their heights together: what the data rows start below.
  int32_t SpecialRowsHeight() const;
  void PaintSpecialRows(TlxCanvas& canvas);

  // --- overrides -----------------------------------------------------------
  void AfterCalculation() override;
  void AfterOffset() override;
  void Calculate() override;
  void GetBounds(TRect& rect) override;
  void GetContentBounds(TRect& rect) override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  TlxCustomGridRecordViewInfo* GetRecordViewInfo(TlxCustomGridRecord* record) override;
  void CalculateVisibleCount() override;
  int32_t GetRowLeft(int32_t index) override;
  int32_t GetRowsHeightDelta(int32_t count) override;
  int32_t GetRowTop(int32_t index) override;
  void OffsetRow(int32_t index, int32_t dy) override;
  int32_t GetRowHeightWithGridLine(int32_t height) override;
  bool HasFixedRowHeight() override;
  void Offset(int32_t dx, int32_t dy) override;

  // --- overridable, in slot order --------------------------------------
  virtual void CalculateRowHeights();
  virtual int32_t GetDataRowHeight() { return DataRowHeight; }
  virtual int32_t GetGroupRowHeightForLevel(int32_t level);
  virtual int32_t GetGroupRowHeight();
  virtual int32_t GetRestHeight(int32_t top) { return RecordsContentBounds.Bottom - top; }
  virtual int32_t CalculateDefaultRowHeight();
  virtual int32_t CalculateRowHeight();
  virtual int32_t GetRowHeightWithSeparator() { return GetRowSeparatorWidth() + DataRowHeight; }
  virtual int32_t GetDataWidth() { return TableViewInfo()->DataWidth(); }
  virtual int32_t GetRowSeparatorWidth();
  virtual int32_t CalculateTextRowHeight(bool single, const TlxPaintParams& params);
  virtual bool IsDataRowHeightFixed();

 private:
  // The height of the row at a position of the count, from its cache when
  // it was measured before.
  int32_t RowHeightAt(int32_t index);
  // Clears every row's cell merging, then merges the rows top to bottom.
  void MergeRowCells();
  // Made at the first calculation from the options' Visible flags.
  void CreateSpecialRows();
  void CalculateSpecialRows();

  bool special_rows_created_ = false;
  std::unique_ptr<TlxGridFilterRowViewInfo> filter_row_view_info_;
  std::unique_ptr<TlxGridNewItemRowViewInfo> new_item_row_view_info_;
};

// The grouped columns as a descending staircase of header cells above the
// column header, or a hint text while nothing is grouped.
class TlxGridGroupByBoxViewInfo : public TlxGridColumnContainerViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxViewInfo", &TlxGridColumnContainerViewInfo::kClass,
                                 &ConstructInstance<TlxGridGroupByBoxViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerViewInfo::TlxGridColumnContainerViewInfo;

  // True only while one of its cells measures its width.
  bool CalculatingColumnWidth = false;

  int32_t CalculateHeight() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  TlxGridPartAlignment GetAlignment() override { return gpaTop; }
  bool IsAutoWidth() override { return true; }
  bool IsScrollable() override { return false; }
  bool GetVisible() override;
  TlxGridColumnContainerKind GetKind() const override { return ccGroupByBox; }
  TlxGridColumn* GetColumn(int32_t index) override;
  int32_t GetColumnCount() override;
  int32_t GetColumnWidth(TlxGridColumn* column) override;
  int32_t CalculateItemHeight() override;
  std::unique_ptr<TlxGridColumnHeaderViewInfo> CreateItem(int32_t index) override;
  void GetText(std::string& text) override;
  TlxAlignmentVert GetTextAlignVert() const override { return vaCenter; }
  void GetTextAreaBounds(TRect& rect) override;
  void GetViewParams(TlxPaintParams& params) override;
  TBitmap* GetBackgroundBitmap() override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

class TlxGridHeaderViewInfoSpecific;

class TlxGridHeaderViewInfo : public TlxGridColumnContainerViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridHeaderViewInfo", &TlxGridColumnContainerViewInfo::kClass,
                                 &ConstructInstance<TlxGridHeaderViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridHeaderViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxGridHeaderViewInfo() override;

  TlxGridHeaderViewInfoSpecific* Specific() const { return specific_.get(); }
  // The cells' widths as the view shows them, summed.
  int32_t ItemsWidth();
  void StoreAutoWidths();

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void CalculateInvisible() override;
  void CalculateVisible() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  TlxGridPartAlignment GetAlignment() override { return gpaTop; }
  bool IsAutoWidth() override { return false; }
  bool IsScrollable() override { return true; }
  bool GetVisible() override;
  TlxGridColumnContainerKind GetKind() const override { return ccHeader; }
  TlxGridColumn* GetColumn(int32_t index) override;
  int32_t GetColumnCount() override;
  int32_t CalculateItemHeight() override;
  bool IsItemAutoHeight() override;
  bool IsItemMultiLinePainting() override;
  TlxHeaderNeighbors GetColumnNeighbors(TlxGridColumn* column) override;
  void GetZoneAreaBounds(TRect& rect) override;
  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual void CalculateAutoWidths();
  virtual void CalculateItems();
  virtual void UpdateItemsVisibility();
  virtual bool DrawBackgroundBitmap(TlxCanvas& canvas, const TRect& rect);

 private:
  std::unique_ptr<TlxGridHeaderViewInfoSpecific> specific_;
  bool laying_out_ = false;
};

class TlxCustomGridIndicatorItemViewInfo;

// The indicator column at the view's left edge: a header item beside the
// column header and one item beside every laid-out row.
class TlxGridIndicatorViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorViewInfo", &TlxCustomGridViewCellViewInfo::kClass,
                                 &ConstructInstance<TlxGridIndicatorViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridIndicatorViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxGridIndicatorViewInfo() override;

  TlxGridTableViewInfo* TableViewInfo() const { return static_cast<TlxGridTableViewInfo*>(OwnerViewInfo()); }
  int32_t ItemCount() const { return static_cast<int32_t>(items_.size()); }
  TlxCustomGridIndicatorItemViewInfo* Items(int32_t index) const { return items_.at(static_cast<size_t>(index)).get(); }
  // Adds an item laid out at the indicator's left and width.
  TlxCustomGridIndicatorItemViewInfo* AddItemAt(std::unique_ptr<TlxCustomGridIndicatorItemViewInfo> item,
                                                int32_t top, int32_t height);
  // Visible with OptionsView.Indicator or column quick customization.
  bool IsShown();

  int32_t CalculateWidth() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void Offset(int32_t dx, int32_t dy) override;

 private:
  std::vector<std::unique_ptr<TlxCustomGridIndicatorItemViewInfo>> items_;
};

// Answers the header's height; a descendant may override it.
class TlxGridHeaderViewInfoSpecific : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridHeaderViewInfoSpecific", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridHeaderViewInfoSpecific(TlxGridHeaderViewInfo* container) : container_(container) {}

  TlxGridHeaderViewInfo* ContainerViewInfo() const { return container_; }
  virtual int32_t GetHeight() { return container_->GetItemHeight(); }

 private:
  TlxGridHeaderViewInfo* container_;
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
