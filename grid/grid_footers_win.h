#pragma once
// Footers, group footers and the indicator. The view footer is a part below
// the rows with one cell per shown summary, each under its column's header
// cell; a group footer is the same under the last row of a group, owned by
// that row. The indicator column carries an item beside the header, every
// row and the footer. Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_painters_win.h"

class TlxCustomGridRecord;
class TlxCustomGridRowViewInfo;
class TlxDataSummaryItem;
class TlxDataSummaryItems;
class TlxGridFooterViewInfo;

// A cell of a footer: one summary under its column; a cell without summary
// stands for an empty footer place under a column in hit tests only.
class TlxGridFooterCellViewInfo : public TlxGridColumnHeaderViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFooterCellViewInfo", &TlxGridColumnHeaderViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridFooterCellViewInfo(TlxGridFooterViewInfo* footer, TlxGridColumn* column, TlxDataSummaryItem* summary_item);

  TlxGridFooterViewInfo* Footer() const { return footer_; }
  TlxDataSummaryItem* SummaryItem() const { return summary_item_; }

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void GetText(std::string& text) override;
  TAlignment GetTextAlignHorz() const override;
  TlxBorders GetBorders() override { return lxAllBorders; }
  int32_t GetCellBorderWidth() override;
  void CalculateTextArea() override;
  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  bool GetMeasureMultiLine() override;
  bool GetPaintMultiLine() override { return GetMeasureMultiLine(); }
  bool GetShowEndEllipsis() override { return false; }
  TBitmap* GetBackgroundBitmap() override;
  bool GetHotTrack() override { return false; }
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  bool HasCustomDraw() override;
  bool CustomDraw(TlxCanvas& canvas) override;
  bool CanPress() override { return false; }
  void EnumAreaClasses(std::vector<const TClass*>& /*classes*/) override {}
  bool HasSortingMark() override { return false; }
  bool HasHorzSizingEdge() override { return false; }
  int32_t GetNeededWidth() override;

 private:
  // The summary's text, read once per layout; a failure is reported after
  // the paint and the cell shows what it has.
  const std::string& SummaryText();

  TlxGridFooterViewInfo* footer_;
  TlxDataSummaryItem* summary_item_;
  std::string text_;
  bool text_read_ = false;
};

class TlxGridRowFooterCellViewInfo : public TlxGridFooterCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridRowFooterCellViewInfo", &TlxGridFooterCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridFooterCellViewInfo::TlxGridFooterCellViewInfo;
};

// The view footer: a bottom part as wide as the data, scrolling with it.
class TlxGridFooterViewInfo : public TlxGridHeaderViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFooterViewInfo", &TlxGridHeaderViewInfo::kClass,
                                 &ConstructInstance<TlxGridFooterViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridFooterViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxGridFooterViewInfo() override;

  int32_t CellCount() const { return static_cast<int32_t>(cells_.size()); }
  TlxGridFooterCellViewInfo* Cells(int32_t index) const { return cells_.at(static_cast<size_t>(index)).get(); }
  // The summary items shown, in cell order.
  const std::vector<TlxDataSummaryItem*>& SummaryItems();
  int32_t RowCount();
  int32_t LineHeight() { return GetItemHeight(); }
  // Made when the cells are first needed in a calculation.
  void CreateCells();
  // The left and width of a column's footer place, before the cells'
  // offset: under the column's header cell, the outer ones inside the
  // borders (and a group footer's indent).
  void GetColumnPlaceOf(TlxGridColumn* column, int32_t& left, int32_t& width);

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  void CalculateInvisible() override;
  void CalculateVisible() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  TlxGridPartAlignment GetAlignment() override { return gpaBottom; }
  bool GetVisible() override;
  TlxGridColumnContainerKind GetKind() const override { return ccFooter; }
  int32_t CalculateItemHeight() override;
  bool IsItemAutoHeight() override;
  bool IsItemMultiLinePainting() override { return false; }
  TlxBorders GetBorders() override;
  int32_t GetBorderWidth(TlxBorder side) override;
  void CalculateClientBounds(TRect& rect) override;
  void GetViewParams(TlxPaintParams& params) override;
  TBitmap* GetBackgroundBitmap() override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void Offset(int32_t dx, int32_t dy) override;
  void CalculateItems() override;
  void CalculateAutoWidths() override {}

  // --- overridable, in slot order --------------------------------------
  virtual void SortSummaryItems(std::vector<TlxDataSummaryItem*>& /*items*/) {}
  virtual void CalculateItem(int32_t index);
  virtual int32_t CalculateRowCount();
  virtual void GetContentBounds(TRect& rect);
  using TlxGridHeaderViewInfo::GetCellHeight;
  virtual int32_t GetCellHeight(TlxGridColumn* column);
  virtual const TClass* GetCellHitTestClass() const;
  virtual int32_t GetCellLeft(TlxGridFooterCellViewInfo* cell);
  virtual int32_t GetCellRowIndex(TlxGridFooterCellViewInfo* cell);
  virtual int32_t GetColumnTop(TlxGridColumn* column);
  virtual int32_t GetCellTop(TlxGridFooterCellViewInfo* cell);
  virtual void GetSeparatorBounds(TRect& rect);
  virtual int32_t GetSeparatorHeight();
  virtual TlxDataSummaryItems* GetSummaryItems();
  virtual bool HasSeparator() { return true; }
  virtual bool IsColumnVisible(TlxGridColumn* column);
  virtual bool MultipleSummaries();
  virtual int32_t GetColumnMaxNeededWidth(TlxGridColumn* column);
  // What a cell of this footer shows for its summary item.
  virtual std::string GetSummaryText(TlxDataSummaryItem* item);
  // The record a group footer belongs to (none for the view footer) and
  // the footer group level of the styles (-1 for the view footer).
  virtual TlxCustomGridRecord* FooterRecord() { return nullptr; }
  virtual int32_t FooterGroupLevel() { return -1; }
  // How far the first column's cell starts right of the column's header.
  virtual int32_t GetIndent() { return 0; }
  virtual std::unique_ptr<TlxGridFooterCellViewInfo> CreateCell(TlxGridColumn* column, TlxDataSummaryItem* item);

 protected:
  TlxGridColumnHeaderViewInfo* HeaderCellOf(TlxGridColumn* column) const;
  void ResetCells();

 private:
  std::vector<std::unique_ptr<TlxGridFooterCellViewInfo>> cells_;
  std::vector<TlxDataSummaryItem*> summary_items_;
  bool cells_created_ = false;
  int32_t row_count_ = 0;
};

class TlxGridRowFootersViewInfo;

// A group footer: under the row that closes the group of a level.
class TlxGridRowFooterViewInfo : public TlxGridFooterViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridRowFooterViewInfo", &TlxGridFooterViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridRowFooterViewInfo(TlxGridRowFootersViewInfo* container, int32_t level);

  TlxGridRowFootersViewInfo* Container() const { return container_; }
  TlxCustomGridRowViewInfo* RowViewInfo() const;
  int32_t Level() const { return level_; }
  // The data controller's group level whose summaries this footer shows.
  int32_t GroupLevel();

  // --- overrides -----------------------------------------------------------
  int32_t CalculateWidth() override;
  bool GetVisible() override { return true; }
  bool IsScrollable() override { return false; }
  bool IsItemAutoHeight() override { return false; }
  bool HasSeparator() override { return false; }
  TlxDataSummaryItems* GetSummaryItems() override;
  bool MultipleSummaries() override;
  std::string GetSummaryText(TlxDataSummaryItem* item) override;
  TlxCustomGridRecord* FooterRecord() override;
  int32_t FooterGroupLevel() override { return GroupLevel(); }
  int32_t GetIndent() override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetCellHitTestClass() const override;
  std::unique_ptr<TlxGridFooterCellViewInfo> CreateCell(TlxGridColumn* column, TlxDataSummaryItem* item) override;

  // --- overridable, in slot order --------------------------------------
  virtual int32_t GetIndentLevelCount();

 private:
  TlxGridRowFootersViewInfo* container_;
  int32_t level_;
};

// The group footers of one row, innermost group first.
class TlxGridRowFootersViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridRowFootersViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridRowFootersViewInfo(TlxCustomGridRowViewInfo* row);
  ~TlxGridRowFootersViewInfo() override;

  TlxCustomGridRowViewInfo* RowViewInfo() const { return row_; }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxGridRowFooterViewInfo* Items(int32_t index) const { return items_.at(static_cast<size_t>(index)).get(); }
  // The sum of the footers' heights, computed once.
  int32_t GetHeight();
  // The top of the first footer whose Level is at least `level`; false
  // when there is none.
  bool FindFooterTop(int32_t level, int32_t& top) const;
  int32_t GetColumnMaxNeededWidth(TlxGridColumn* column);
  void Paint(TlxCanvas& canvas);

  // --- overridable, in slot order --------------------------------------
  virtual void BeforeCalculate() {}
  virtual void Calculate(int32_t left, int32_t top);
  virtual int32_t CalculateHeight();
  virtual std::unique_ptr<TlxGridRowFooterViewInfo> CreateFooter(int32_t level);
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  virtual void Offset(int32_t dx, int32_t dy);

 private:
  void CreateFooters();

  TlxCustomGridRowViewInfo* row_;
  std::vector<std::unique_ptr<TlxGridRowFooterViewInfo>> items_;
  int32_t height_ = -1;
};

class TlxGridFooterPainter : public TlxGridHeaderPainter {
 public:
  static constexpr TClass kClass{"TlxGridFooterPainter", &TlxGridHeaderPainter::kClass,
                                 &ConstructInstance<TlxGridFooterPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridHeaderPainter::TlxGridHeaderPainter;

  TlxGridFooterViewInfo& Footer() const { return static_cast<TlxGridFooterViewInfo&>(ViewInfo()); }
  void DrawBackground() override;
  void DrawBorders() override;
  void DrawContent() override;
  void DrawItems() override;
  bool ItemsPaintedFirst() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawSeparator();
};

class TlxGridFooterCellPainter : public TlxGridColumnHeaderPainter {
 public:
  static constexpr TClass kClass{"TlxGridFooterCellPainter", &TlxGridColumnHeaderPainter::kClass,
                                 &ConstructInstance<TlxGridFooterCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderPainter::TlxGridColumnHeaderPainter;

  void DrawContent() override;
  void DoPaint() override { TlxCustomGridCellPainter::DoPaint(); }
};

// An item of the indicator column: beside the header, a row or the footer.
class TlxCustomGridIndicatorItemViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridIndicatorItemViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;

  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  bool HasCustomDraw() override;
  bool CustomDraw(TlxCanvas& canvas) override;
};

class TlxGridIndicatorHeaderItemViewInfo : public TlxCustomGridIndicatorItemViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorHeaderItemViewInfo", &TlxCustomGridIndicatorItemViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemViewInfo::TlxCustomGridIndicatorItemViewInfo;

  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

// Beside the footer: the footer's borders, its top border wider by the
// footer's separator.
class TlxGridIndicatorFooterItemViewInfo : public TlxCustomGridIndicatorItemViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorFooterItemViewInfo", &TlxCustomGridIndicatorItemViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemViewInfo::TlxCustomGridIndicatorItemViewInfo;

  TlxBorders GetBorders() override;
  int32_t GetBorderWidth(TlxBorder side) override;
  TBitmap* GetBackgroundBitmap() override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  using TlxCustomGridIndicatorItemViewInfo::GetBorderBounds;
  virtual void GetBorderBounds(TRect& rect);
  virtual void GetSeparatorBounds(TRect& rect);

 private:
  int32_t SeparatorHeight();
};
