#pragma once
// Group rows: the row of one group with its expand button, its caption cell
// right of the level indents and the group's summaries, after the caption
// (between spacer texts such as " (" and ")") or under the columns they
// belong to. Included only from Windows sources.

#include <memory>
#include <string>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/table_cells_win.h"
#include "platform/rtl/variant.h"

class TlxAutoWidthObject;
class TlxDataGroupSummaryItems;
class TlxDataSummaryItem;
class TlxGridColumn;
class TlxGridColumnHeaderViewInfo;
class TlxGridGroupCellViewInfo;
class TlxGridGroupRow;
class TlxGridGroupRowSpacerViewInfo;
class TlxGridGroupSummaryCellViewInfo;

class TlxGridGroupRowViewInfo : public TlxCustomGridRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupRowViewInfo", &TlxCustomGridRowViewInfo::kClass,
                                 &ConstructInstance<TlxGridGroupRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridGroupRowViewInfo(TlxGridRecordViewInfoTarget* target);
  ~TlxGridGroupRowViewInfo() override;

  TlxGridGroupRow* GroupRow() const;
  TlxGridGroupCellViewInfo* CellViewInfo() const { return cell_view_info_.get(); }
  TlxGridGroupRowSpacerViewInfo* SummaryBeginningSpacerViewInfo() const { return beginning_spacer_.get(); }
  TlxGridGroupRowSpacerViewInfo* SummaryEndingSpacerViewInfo() const { return ending_spacer_.get(); }
  int32_t SummaryCellCount() const { return static_cast<int32_t>(summary_cells_.size()); }
  TlxGridGroupSummaryCellViewInfo* SummaryCells(int32_t index) const {
    return summary_cells_.at(static_cast<size_t>(index)).get();
  }
  const std::vector<TlxGridGroupSummaryCellViewInfo*>& SummaryCellsWithoutColumns() const {
    return summary_cells_without_columns_;
  }
  // The group summary items of the row's level, or null.
  TlxDataGroupSummaryItems* SummaryItems() const;

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void BeforeRecalculation() override;
  void Offset(int32_t dx, int32_t dy) override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  TBitmap* GetBackgroundBitmap() override;
  void CalculateExpandButtonBounds(TRect& rect) override;
  void GetExpandButtonAreaBounds(TRect& rect) override;
  void GetFocusRectBounds(TRect& rect) override;
  bool ShowFocusRect() override { return true; }
  bool GetAutoHeight() override;
  void GetSeparatorBounds(TRect& rect) override;
  bool HasSeparator() override;
  bool CanSize() override;
  int32_t CheckHeight(int32_t height) override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual void GetSeparatorIndentBounds(TRect& rect);
  virtual void CreateSpacerViewInfos();
  virtual void DestroySpacerViewInfos();
  virtual void CreateSummaryCellViewInfos();
  virtual void DestroySummaryCellViewInfos();
  virtual void CalculateSummaryCells();
  virtual void CalculateSummaryCellsInArea(const std::vector<TlxGridGroupSummaryCellViewInfo*>& cells,
                                           const TRect& rect, bool auto_width, TAlignment alignment);
  virtual std::unique_ptr<TlxAutoWidthObject> CreateAutoWidthObject(
      const std::vector<TlxGridGroupSummaryCellViewInfo*>& cells, int32_t available_width, bool auto_width);
  virtual void GetColumnSummaryCellsAreaBounds(TlxGridColumnHeaderViewInfo* header_cell, TRect& rect);
  virtual void GetBeginningSpacerBounds(TRect& rect);
  virtual void GetEndingSpacerBounds(TRect& rect);
  virtual std::string GetSummaryBeginningSpacerText();
  virtual std::string GetSummaryEndingSpacerText();
  virtual bool IsSummaryDistributed();
  virtual void GetSummaryCellsAreaBounds(bool for_columns, TRect& rect);
  virtual void AdjustSummaryCellsArea(const TRect& rect, const TlxAutoWidthObject& widths, TRect& area,
                                      bool auto_width, TAlignment alignment);
  virtual std::vector<TlxGridGroupSummaryCellViewInfo*> GetSummaryCellsInText();
  virtual bool HasSummariesInText();

 private:
  // Every cell of the row after the caption cell, in paint order.
  template <class Action>
  void ForEachOwnCell(Action action);

  std::unique_ptr<TlxGridGroupCellViewInfo> cell_view_info_;
  std::unique_ptr<TlxGridGroupRowSpacerViewInfo> beginning_spacer_;
  std::unique_ptr<TlxGridGroupRowSpacerViewInfo> ending_spacer_;
  std::vector<std::unique_ptr<TlxGridGroupSummaryCellViewInfo>> summary_cells_;
  std::vector<TlxGridGroupSummaryCellViewInfo*> summary_cells_without_columns_;
};

class TlxGridGroupRowPainter : public TlxCustomGridRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupRowPainter", &TlxCustomGridRowPainter::kClass,
                                 &ConstructInstance<TlxGridGroupRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRowPainter::TlxCustomGridRowPainter;

  TlxGridGroupRowViewInfo& GroupRowViewInfo() const { return static_cast<TlxGridGroupRowViewInfo&>(ViewInfo()); }
  // The cells paint the whole row.
  void DrawBackground() override {}
  void DoPaint() override;

  // The strip an expanded group leaves under its expand button is painted
  // as the group's indent.
  void DrawSeparator() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawSummaryCells();
};

// The caption cell right of the row's level indents.
class TlxGridGroupCellViewInfo : public TlxGridCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupCellViewInfo", &TlxGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridGroupCellViewInfo(TlxGridGroupRowViewInfo* row) : TlxGridCellViewInfo(row), row_(row) {}

  TlxGridGroupRowViewInfo* RowViewInfo() const { return row_; }

  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void GetText(std::string& text) override;
  void GetTextAreaBounds(TRect& rect) override;
  TlxAlignmentVert GetTextAlignVert() const override;
  void GetViewParams(TlxPaintParams& params) override;
  bool IsSelectedWithRecord() override { return true; }
  bool CanDrawSelected() override { return true; }
  TBitmap* GetBackgroundBitmap() override;
  TlxBorders GetBorders() override;
  int32_t GetBorderWidth(TlxBorder side) override;
  TColor GetBorderColor(TlxBorder side) override;
  void GetBorderBounds(TlxBorder side, TRect& rect) override;
  const TClass* GetPainterClass() const override;

 private:
  bool IsOffice11() const;
  TlxGridGroupRowViewInfo* row_;
};

class TlxGridGroupCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupCellPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridGroupCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  // The piece of an expanded group's bottom strip under its expand button
  // takes the group colour: the line starts at the children's indent.
  void DrawBorder(TlxBorder side) override;
};

// A text-only cell: the text before the summaries, after them, and the
// separator after each summary value.
class TlxGridGroupRowSpacerViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupRowSpacerViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridGroupRowSpacerViewInfo(TlxGridGroupRowViewInfo* row, std::string text);

  TlxGridGroupRowViewInfo* RowViewInfo() const { return row_; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);

  int32_t CalculateWidth() override { return TextWidth(); }
  int32_t GetWidth() const override;
  void GetText(std::string& text) override { text = text_; }
  void GetTextAreaBounds(TRect& rect) override { rect = ContentBounds().Inflate(0, -2); }
  TlxAlignmentVert GetTextAlignVert() const override;
  void GetViewParams(TlxPaintParams& params) override;
  bool HasBackground() override { return false; }
  const TClass* GetHitTestClass() const override;

 private:
  TlxGridGroupRowViewInfo* row_;
  std::string text_;
};

class TlxGridGroupSummaryCellViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupSummaryCellViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridGroupSummaryCellViewInfo(TlxGridGroupRowViewInfo* row, const Variant& value, TlxDataSummaryItem* item);
  ~TlxGridGroupSummaryCellViewInfo() override;

  TlxGridGroupRowViewInfo* RowViewInfo() const { return row_; }
  TlxDataSummaryItem* SummaryItem() const { return summary_item_; }
  const Variant& Value() const { return value_; }
  TlxGridGroupRowSpacerViewInfo* SeparatorViewInfo() const { return separator_.get(); }
  // The column the summary item is linked to, or null.
  TlxGridColumn* Column() const;
  bool HasColumn() const { return Column() != nullptr; }
  bool IsLast() const { return is_last_; }
  void SetIsLast(bool value);

  // --- overrides -----------------------------------------------------------
  void GetText(std::string& text) override;
  int32_t CalculateWidth() override;
  void GetTextAreaBounds(TRect& rect) override;
  TAlignment GetTextAlignHorz() const override;
  TlxAlignmentVert GetTextAlignVert() const override;
  bool GetShowEndEllipsis() override { return true; }
  void GetFocusRect(TRect& rect) override { rect = BoundsRect.Inflate(0, -1); }
  void GetViewParams(TlxPaintParams& params) override;
  bool HasBackground() override { return false; }
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void BeforeRecalculation() override;
  void Offset(int32_t dx, int32_t dy) override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual void GetSeparatorBounds(TRect& rect);
  virtual std::string GetSeparatorText();

 private:
  TlxGridGroupRowViewInfo* row_;
  Variant value_;
  TlxDataSummaryItem* summary_item_;
  std::unique_ptr<TlxGridGroupRowSpacerViewInfo> separator_;
  bool is_last_ = false;
  // The text the cell showed last; kept when formatting fails.
  std::string last_text_;
};

class TlxGridGroupSummaryCellPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupSummaryCellPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridGroupSummaryCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  void DoPaint() override;
};
