#pragma once
// Data rows and their cells: the row base shared with group and master
// rows, the data row with one cell per column shown in the header, each
// cell lying exactly under its column header and drawing its grid lines
// inside its own bounds, and the special rows. Included only from Windows
// sources.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_footers_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxGridColumn;
class TlxGridColumnHeaderViewInfo;
class TlxGridDataRowViewInfo;
class TlxGridPreviewCellViewInfo;
class TlxGridRowsViewInfo;
class TlxGridTableView;
class TlxGridTableViewInfo;

class TlxCustomGridRowViewInfo : public TlxCustomGridRecordViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridRowViewInfo", &TlxCustomGridRecordViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordViewInfo::TlxCustomGridRecordViewInfo;

  TlxGridRowsViewInfo* RowsViewInfo() const;
  TlxGridTableViewInfo* TableViewInfo() const;
  TlxGridTableView* TableView() const;
  // The row's level (0 for the rows of an ungrouped view).
  int32_t Level() const;
  // The group footers closing at this row, made on first request and again
  // with every layout of the row.
  TlxGridRowFootersViewInfo* FootersViewInfo();
  int32_t FootersHeight();
  // The hit test of a point on one of the row's group footers, or null;
  // footers are hit-tested before the row itself.
  TlxCustomGridHitTest* GetFootersHitTest(const TPoint& point);

  // --- overrides -----------------------------------------------------------
  int32_t CalculateWidth() override;
  bool GetVisible() override;
  void GetFocusRectBounds(TRect& rect) override;
  void GetRecordAreaBounds(TRect& rect) override;
  void CalculateAt(int32_t left, int32_t top) override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void Offset(int32_t dx, int32_t dy) override;
  // The level indents left of the content answer a hit test of their own.
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;

  // --- overridable, in slot order --------------------------------------
  virtual void AfterCalculateCells() {}
  virtual void ClearCellMerging() {}
  virtual bool CanSize() { return false; }
  virtual int32_t CheckHeight(int32_t height) { return height < 1 ? 1 : height; }
  virtual int32_t GetCellsHeight() { return GetContentHeight(); }
  virtual int32_t GetNonContentHeight();
  virtual int32_t GetContentLeft();
  int32_t GetContentHeight() override;
  virtual int32_t GetCellsAreaLeft() { return GetContentLeft(); }
  virtual int32_t GetCellsAreaWidth();
  virtual bool IsFullyVisible() { return true; }
  virtual void GetBottomLineBounds(TRect& rect);
  virtual int32_t GetVisibleHeight() { return GetHeight(); }
  virtual int32_t GetLevelIndentsWidth();
  virtual void GetSeparatorBounds(TRect& rect);
  virtual TColor GetSeparatorColor();
  virtual int32_t GetSeparatorWidth();
  virtual bool HasSeparator() { return true; }
  virtual bool HasFooters() { return true; }
  virtual bool HasBottomLine();
  // Whether the group footer of a level ends at this row.
  virtual bool HasFooter(int32_t level);

 private:
  std::unique_ptr<TlxGridRowFootersViewInfo> footers_;
};

class TlxGridDataCellViewInfo;

class TlxGridDataRowViewInfo : public TlxCustomGridRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDataRowViewInfo", &TlxCustomGridRowViewInfo::kClass,
                                 &ConstructInstance<TlxGridDataRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridDataRowViewInfo(TlxGridRecordViewInfoTarget* target);
  ~TlxGridDataRowViewInfo() override;

  TRect CellsAreaBounds;
  int32_t CellHeight = 0;
  int32_t GetCellCount() const { return static_cast<int32_t>(cells_.size()); }
  // The cell at a visible index, made when first asked for; null for a
  // column that is not shown.
  TlxGridDataCellViewInfo* GetCell(int32_t index);
  TlxGridDataCellViewInfo* ExistingCell(int32_t index) const;
  // The row's preview, made on first request while the view shows one.
  TlxGridPreviewCellViewInfo* PreviewViewInfo();
  int32_t PreviewHeight();

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  const TClass* GetPainterClass() const override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void Offset(int32_t dx, int32_t dy) override;
  void GetItemBounds(TlxCustomGridTableItem* item, TRect& rect) override;
  TlxGridTableDataCellViewInfo* GetCellViewInfoByItem(TlxCustomGridTableItem* item) override;
  int32_t GetCellsHeight() override { return std::max(GetContentHeight() - PreviewHeight(), 0); }
  void AfterCalculateCells() override;
  void ClearCellMerging() override;

  // --- overridable, in slot order --------------------------------------
  using TlxCustomGridRowViewInfo::GetCellHeight;
  virtual void CalculateCell(int32_t index);
  virtual int32_t GetCellHeight(int32_t index);
  virtual int32_t CalculateCellHeight();
  virtual int32_t GetCellLeft(int32_t index);
  virtual int32_t GetCellTop(int32_t index);
  virtual void GetCellsAreaBounds(TRect& rect);
  virtual int32_t GetCellWidth(int32_t index);
  virtual bool HasPreview();
  virtual bool IsCellVisible(int32_t index);
  virtual void BeforeCellCalculate(TlxGridDataCellViewInfo* /*cell*/) {}
  virtual TlxGridCellLineBorders GetCellBorders(bool is_rightmost);

 protected:
  TlxGridColumnHeaderViewInfo* HeaderCell(int32_t index) const;

 private:
  void EnsureCellSlots();
  void CalculatePreview();

  std::vector<std::unique_ptr<TlxGridDataCellViewInfo>> cells_;
  std::unique_ptr<TlxGridPreviewCellViewInfo> preview_;
};

class TlxGridSpecialRowOptions;

// The row above the data rows that adds a record; it keeps its place while
// the data rows scroll and shows an info text until it is focused.
class TlxGridNewItemRowViewInfo : public TlxGridDataRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRowViewInfo", &TlxGridDataRowViewInfo::kClass,
                                 &ConstructInstance<TlxGridNewItemRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowViewInfo::TlxGridDataRowViewInfo;

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  int32_t GetHeight() const override;
  bool GetVisible() override { return true; }
  int32_t GetLevelIndentsWidth() override { return 0; }
  int32_t GetCellLeft(int32_t index) override;
  int32_t GetCellWidth(int32_t index) override;
  int32_t GetSeparatorWidth() override;
  TColor GetSeparatorColor() override;
  bool HasFooters() override { return false; }
  bool HasBottomLine() override { return false; }
  void GetText(std::string& text) override;
  void GetTextAreaBounds(TRect& rect) override;
  TAlignment GetTextAlignHorz() const override { return taCenter; }
  TlxAlignmentVert GetTextAlignVert() const override { return vaCenter; }
  void GetViewParams(TlxPaintParams& params) override;
  bool CalculateSelected() override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual std::string GetInfoText();
  virtual TlxGridSpecialRowOptions* GetOptions();
  virtual bool ShowsInfoText();
  virtual int32_t GetStyleIndex();

 private:
  // Measured once and then kept for the life of the view info.
  int32_t height_ = 0;
};

class TlxGridFilterRowViewInfo : public TlxGridNewItemRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterRowViewInfo", &TlxGridNewItemRowViewInfo::kClass,
                                 &ConstructInstance<TlxGridFilterRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridNewItemRowViewInfo::TlxGridNewItemRowViewInfo;

  TlxGridSpecialRowOptions* GetOptions() override;
  bool ShowsInfoText() override;
  int32_t GetStyleIndex() override;
};

// A data cell: one column of one row, drawn by its editor's view info; its
// grid lines lie in its rightmost pixel column and bottom pixel row.
class TlxGridDataCellViewInfo : public TlxGridTableDataCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDataCellViewInfo", &TlxGridTableDataCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridDataCellViewInfo(TlxGridDataRowViewInfo* row, TlxGridColumn* column, int32_t visible_index);

  ~TlxGridDataCellViewInfo() override;

  TlxGridDataRowViewInfo* RowViewInfo() const { return row_; }
  TlxGridColumn* Column() const { return column_; }
  int32_t VisibleIndex() const { return visible_index_; }
  TRect OwnBounds;
  int32_t OwnHeight = 0;

  // Cell merging: equal neighbouring values of a merging column draw as
  // one cell, the topmost covering the ones below it.
  bool IsMerging() const { return !merged_cells_.empty(); }
  bool IsMerged() const { return merging_cell_ != nullptr; }
  const std::vector<TlxGridDataCellViewInfo*>& MergedCells() const { return merged_cells_; }
  TlxGridDataCellViewInfo* MergingCell() const { return merging_cell_; }
  bool CanMergeDownwards();
  // Joins the equal cells of the laid-out rows below and spans them.
  void MergeCells();
  void ClearMerging();
  // What merging compares: the display text where the editor shows the
  // field's own format, else the value.
  Variant MergeValue();

  // --- overrides -----------------------------------------------------------
  int32_t CalculateWidth() override;
  int32_t CalculateHeight() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  TlxBorders GetBorders() override;
  TColor GetBorderColor(TlxBorder side) override;
  int32_t GetBorderWidth(TlxBorder side) override;
  const TClass* GetPainterClass() const override;
  // A merging cell answers only in its own row's part.
  bool HasHitTestPoint(const TPoint& point) override;

 private:
  TlxGridDataRowViewInfo* row_;
  TlxGridColumn* column_;
  int32_t visible_index_;
  std::vector<TlxGridDataCellViewInfo*> merged_cells_;
  TlxGridDataCellViewInfo* merging_cell_ = nullptr;
};

// The indicator's cell beside one row, showing the row's state.
class TlxGridIndicatorRowItemViewInfo : public TlxCustomGridIndicatorItemViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorRowItemViewInfo", &TlxCustomGridIndicatorItemViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridIndicatorRowItemViewInfo(TlxCustomGridViewInfo* owner_view_info, TlxCustomGridRowViewInfo* row)
      : TlxCustomGridIndicatorItemViewInfo(owner_view_info), row_(row) {}

  TlxCustomGridRowViewInfo* RowViewInfo() const { return row_; }
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;

  // --- overridable, in slot order --------------------------------------
  virtual TlxIndicatorKind GetIndicatorKind();

 private:
  TlxCustomGridRowViewInfo* row_;
};
