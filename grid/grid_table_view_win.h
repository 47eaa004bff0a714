#pragma once
// The row-and-column view kind "Table" and its columns: TlxGridTableView
// (the custom table view with its table parts, filter row, new-item row
// and preview), TlxGridColumn (header glyph, footer and group summary
// alignments, summary, width forcing under auto width, best fit, editing
// in the filter row), the view and column styles with their resolution
// order, and the summary items that link summaries to columns. Included
// only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_summary_items.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_view_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "ui/foundation/styles/styles_win.h"

class TBitmap;
class TlxCanvas;
class TlxCustomEditProperties;
class TlxCustomGridIndicatorItemViewInfo;
class TlxCustomGridViewCellViewInfo;
class TlxDataGroupSummaryItems;
class TlxGridColumn;
class TlxGridColumnHeaderViewInfo;
class TlxGridDataRow;
class TlxGridGroupRow;
class TlxGridTableCellViewInfo;
class TlxGridTableView;
class TlxGridViewData;

using TlxGridColumnEvent = std::function<void(TlxGridTableView* sender, TlxGridColumn* column)>;
using TlxGridColumnCustomDrawHeaderEvent = std::function<void(TlxGridTableView* sender, TlxCanvas* canvas,
                                                              TlxGridColumnHeaderViewInfo* view_info, bool& done)>;
using TlxGridTableCellCustomDrawEvent = std::function<void(TlxCustomGridTableView* sender, TlxCanvas* canvas,
                                                           TlxGridTableCellViewInfo* view_info, bool& done)>;
using TlxGridGroupSummaryCellCustomDrawEvent =
    std::function<void(TObject* sender, TlxCanvas* canvas, TlxGridGroupRow* row, TlxGridColumn* column,
                       TlxDataSummaryItem* summary_item, TlxCustomGridViewCellViewInfo* view_info, bool& done)>;
using TlxGridIndicatorCellCustomDrawEvent = std::function<void(
    TlxGridTableView* sender, TlxCanvas* canvas, TlxCustomGridIndicatorItemViewInfo* view_info, bool& done)>;
using TlxGridColumnCompareRowValuesEvent =
    std::function<void(TlxGridColumn* sender, TlxGridDataRow* row1, TlxCustomEditProperties* properties1,
                       const Variant& value1, TlxGridDataRow* row2, TlxCustomEditProperties* properties2,
                       const Variant& value2, bool& are_equal)>;
using TlxGridColumnCompareValuesEvent =
    std::function<void(TlxGridColumn* sender, TlxCustomEditProperties* properties1, const Variant& value1,
                       TlxCustomEditProperties* properties2, const Variant& value2, bool& are_equal)>;
using TlxGridGetFooterStyleExEvent = std::function<void(TlxGridTableView* sender, TlxCustomGridRecord* row,
                                                        TlxGridColumn* column, int32_t footer_group_level,
                                                        TlxStyle*& style)>;
using TlxGridGetFooterSummaryStyleEvent =
    std::function<void(TlxGridTableView* view, TlxCustomGridRecord* row, TlxGridColumn* column,
                       int32_t footer_group_level, TlxDataSummaryItem* summary_item, TlxStyle*& style)>;
using TlxGridGetGroupStyleEvent =
    std::function<void(TlxGridTableView* sender, TlxCustomGridRecord* record, int32_t level, TlxStyle*& style)>;
using TlxGridGetGroupSummaryStyleEvent =
    std::function<void(TlxGridTableView* sender, TlxGridGroupRow* row, TlxGridColumn* column,
                       TlxDataSummaryItem* summary_item, TlxStyle*& style)>;
using TlxGridGetHeaderStyleEvent =
    std::function<void(TlxGridTableView* sender, TlxGridColumn* column, TlxStyle*& style)>;

// The footer cell a style is resolved for: the row (none for the view
// footer), the column, the footer group level (-1 for the view footer) and
// the summary item.
class TlxGridRowFooterCellPos : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridRowFooterCellPos", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridRowFooterCellPos(TlxCustomGridRecord* row, TlxGridColumn* column, int32_t footer_group_level,
                          TlxDataSummaryItem* summary_item)
      : Row(row), Column(column), FooterGroupLevel(footer_group_level), SummaryItem(summary_item) {}
  TlxCustomGridRecord* Row;
  TlxGridColumn* Column;
  int32_t FooterGroupLevel;
  TlxDataSummaryItem* SummaryItem;
};

// The group summary a style is resolved for.
class TlxGridGroupSummaryInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridGroupSummaryInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridGroupSummaryInfo(TlxCustomGridRecord* row, TlxDataSummaryItem* summary_item)
      : Row(row), SummaryItem(summary_item) {}
  TlxCustomGridRecord* Row;
  TlxDataSummaryItem* SummaryItem;
};

class TlxGridColumnOptions : public TlxCustomGridTableItemOptions {
 public:
  static constexpr TClass kClass{"TlxGridColumnOptions", &TlxCustomGridTableItemOptions::kClass,
                                 &ConstructInstance<TlxGridColumnOptions>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemOptions::TlxCustomGridTableItemOptions;

  void Assign(const TPersistent* source) override;

  bool CellMerging() const { return cell_merging_; }
  void SetCellMerging(bool value) { SetOption(cell_merging_, value, vckLayout); }
  bool GroupFooters() const { return group_footers_; }
  void SetGroupFooters(bool value) { SetOption(group_footers_, value, vckSize); }
  bool HorzSizing() const { return horz_sizing_; }
  void SetHorzSizing(bool value) { SetOption(horz_sizing_, value, vckLayout); }

 private:
  bool cell_merging_ = false;
  bool group_footers_ = true;
  bool horz_sizing_ = true;
};

// The column's view of the data controller's summary items linked to it:
// index 0 footer, 1 group footer, 2 group row. It holds no values itself.
class TlxGridColumnSummary : public TlxCustomGridTableItemCustomOptions {
 public:
  static constexpr int32_t kFooter = 0;
  static constexpr int32_t kGroupFooter = 1;
  static constexpr int32_t kGroup = 2;
  static constexpr TClass kClass{"TlxGridColumnSummary", &TlxCustomGridTableItemCustomOptions::kClass,
                                 &ConstructInstance<TlxGridColumnSummary>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemCustomOptions::TlxCustomGridTableItemCustomOptions;

  void Assign(const TPersistent* source) override;

  TlxSummaryKind Kind(int32_t index) const;
  void SetKind(int32_t index, TlxSummaryKind value);
  std::string Format(int32_t index) const;
  void SetFormat(int32_t index, const std::string& value);
  // The column's summary item at that index, or null.
  TlxDataSummaryItem* SummaryItem(int32_t index) const;

  TlxSummaryKind FooterKind() const { return Kind(kFooter); }
  void SetFooterKind(TlxSummaryKind value) { SetKind(kFooter, value); }
  std::string FooterFormat() const { return Format(kFooter); }
  void SetFooterFormat(const std::string& value) { SetFormat(kFooter, value); }
  TlxSummaryKind GroupFooterKind() const { return Kind(kGroupFooter); }
  void SetGroupFooterKind(TlxSummaryKind value) { SetKind(kGroupFooter, value); }
  std::string GroupFooterFormat() const { return Format(kGroupFooter); }
  void SetGroupFooterFormat(const std::string& value) { SetFormat(kGroupFooter, value); }
  TlxSummaryKind GroupKind() const { return Kind(kGroup); }
  void SetGroupKind(TlxSummaryKind value) { SetKind(kGroup, value); }
  std::string GroupFormat() const { return Format(kGroup); }
  void SetGroupFormat(const std::string& value) { SetFormat(kGroup, value); }
  bool SortByGroupFooterSummary() const;
  void SetSortByGroupFooterSummary(bool value);
  bool SortByGroupSummary() const;
  void SetSortByGroupSummary(bool value);

 private:
  TlxDataSummaryItems* ItemsAt(int32_t index) const;
  // The item to write to: the existing one, or a new one at the position.
  TlxDataSummaryItem* AcquireSummaryItem(int32_t index);
};

class TlxGridColumnStyles : public TlxCustomGridTableItemStyles {
 public:
  static constexpr int32_t kFooter = 1;
  static constexpr int32_t kGroupSummary = 2;
  static constexpr int32_t kHeader = 3;
  static constexpr TClass kClass{"TlxGridColumnStyles", &TlxCustomGridTableItemStyles::kClass,
                                 &ConstructInstance<TlxGridColumnStyles>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemStyles::TlxCustomGridTableItemStyles;

  void Assign(const TPersistent* source) override;
  TlxGridColumn* Column() const;
  TlxGridTableView* TableView() const;

  TlxStyle* Footer() const { return GetIndexedStyle(kFooter); }
  void SetFooter(TlxStyle* value) { SetIndexedStyle(kFooter, value); }
  TlxStyle* GroupSummary() const { return GetIndexedStyle(kGroupSummary); }
  void SetGroupSummary(TlxStyle* value) { SetIndexedStyle(kGroupSummary, value); }
  TlxStyle* Header() const { return GetIndexedStyle(kHeader); }
  void SetHeader(TlxStyle* value) { SetIndexedStyle(kHeader, value); }

  // Setting one notifies the column with a property change.
  void SetOnGetFooterStyle(TlxGridGetCellStyleEvent handler);
  void SetOnGetFooterStyleEx(TlxGridGetFooterStyleExEvent handler);
  void SetOnGetFooterSummaryStyle(TlxGridGetFooterSummaryStyleEvent handler);
  void SetOnGetGroupSummaryStyle(TlxGridGetGroupSummaryStyleEvent handler);
  void SetOnGetHeaderStyle(TlxGridGetHeaderStyleEvent handler);

  void GetFooterParams(TlxCustomGridRecord* row, int32_t footer_group_level, TlxDataSummaryItem* summary_item,
                       TlxPaintParams& params);
  void GetGroupSummaryParams(TlxCustomGridRecord* record, TlxDataSummaryItem* summary_item, TlxPaintParams& params);
  void GetHeaderParams(TlxPaintParams& params);

  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override;

 private:
  TlxGridGetCellStyleEvent on_get_footer_style_;
  TlxGridGetFooterStyleExEvent on_get_footer_style_ex_;
  TlxGridGetFooterSummaryStyleEvent on_get_footer_summary_style_;
  TlxGridGetGroupSummaryStyleEvent on_get_group_summary_style_;
  TlxGridGetHeaderStyleEvent on_get_header_style_;
};

class TlxGridColumn : public TlxCustomGridTableItem {
 public:
  static constexpr TClass kClass{"TlxGridColumn", &TlxCustomGridTableItem::kClass,
                                 &ConstructInstance<TlxGridColumn>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridColumn(TComponent* owner);
  ~TlxGridColumn() override;

  TlxGridTableView* GridView() const;
  TlxGridColumnOptions* Options() const;
  TlxGridColumnStyles* Styles() const;
  TlxGridColumnSummary* Summary() const { return summary_.get(); }
  void SetSummary(const TlxGridColumnSummary& value);

  // --- published -------------------------------------------------------
  // Read: the assigned value, else what the bound data suggests.
  TAlignment FooterAlignmentHorz() const;
  void SetFooterAlignmentHorz(TAlignment value);
  bool IsFooterAlignmentHorzStored() const;
  TAlignment GroupSummaryAlignment() const;
  void SetGroupSummaryAlignment(TAlignment value);
  bool IsGroupSummaryAlignmentStored() const;
  TBitmap* HeaderGlyph() const { return header_glyph_.get(); }
  void SetHeaderGlyph(const TBitmap* value);
  TAlignment HeaderGlyphAlignmentHorz() const { return header_glyph_alignment_horz_; }
  void SetHeaderGlyphAlignmentHorz(TAlignment value);
  TlxAlignmentVert HeaderGlyphAlignmentVert() const { return header_glyph_alignment_vert_; }
  void SetHeaderGlyphAlignmentVert(TlxAlignmentVert value);
  bool Selected() const { return selected_; }
  void SetSelected(bool value) { selected_ = value; }

  // --- events ----------------------------------------------------------
  // Each setter notifies the column with a property change.
  void SetOnCompareRowValuesForCellMerging(TlxGridColumnCompareRowValuesEvent handler);
  void SetOnCompareValuesForCellMerging(TlxGridColumnCompareValuesEvent handler);
  void SetOnCustomDrawFooterCell(TlxGridColumnCustomDrawHeaderEvent handler);
  void SetOnCustomDrawGroupSummaryCell(TlxGridGroupSummaryCellCustomDrawEvent handler);
  void SetOnCustomDrawHeader(TlxGridColumnCustomDrawHeaderEvent handler);
  void SetOnHeaderClick(TNotifyEvent handler);
  const TlxGridColumnCustomDrawHeaderEvent& OnCustomDrawHeader() const { return on_custom_draw_header_; }
  const TlxGridColumnCustomDrawHeaderEvent& OnCustomDrawFooterCell() const { return on_custom_draw_footer_cell_; }
  const TlxGridGroupSummaryCellCustomDrawEvent& OnCustomDrawGroupSummaryCell() const {
    return on_custom_draw_group_summary_cell_;
  }
  const TNotifyEvent& OnHeaderClick() const { return on_header_click_; }

  // --- queries and steps used by the view infos and controllers ----------
  // The view's Preview.Column is this column.
  bool IsPreview() const;
  bool IsLeft() const;
  bool IsRight() const;
  bool IsTop() const { return true; }
  bool IsBottom() const { return true; }
  // Whether the two cells draw as one (cell merging).
  bool CanCellMerging() const;
  bool DoCompareValuesForCellMerging(TlxGridDataRow* row1, TlxCustomEditProperties* properties1,
                                     const Variant& value1, TlxGridDataRow* row2,
                                     TlxCustomEditProperties* properties2, const Variant& value2);
  void DoHeaderClick();
  bool DoCustomDrawHeader(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info);
  bool DoCustomDrawFooterCell(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info);
  bool DoCustomDrawGroupSummaryCell(TlxCanvas* canvas, TlxCustomGridViewCellViewInfo* view_info,
                                    TlxGridGroupRow* row, TlxDataSummaryItem* summary_item);
  bool HasCustomDrawGroupSummaryCell() const { return static_cast<bool>(on_custom_draw_group_summary_cell_); }
  // Groups by the column at `group_index` (-1 ungroups); false when it
  // cannot be grouped.
  bool GroupBy(int32_t group_index, bool can_show = true);
  // Focuses the column, selecting it as the only selected column.
  void Focus();
  // In the filter row instead of the data.
  bool CanFocusInFilterRow() const;
  bool CanEditInFilterRow() const;
  // The value an editor of the filter row starts with / hands back.
  Variant GetFilterRowEditValue();
  void SetFilterRowEditValue(const Variant& value);
  // With immediate apply, whether the editor kind offers Like.
  bool FilterRowUsesLike() const;
  // The extra width the cells' vertical grid lines take.
  int32_t GridLineWidthForBestFit() const;

  // --- overrides -------------------------------------------------------
  void Assign(const TPersistent* source) override;
  bool GetStoredProperties(TStrings* properties) override;
  void GetStoredPropertyValue(const std::string& name, Variant& value) override;
  void SetStoredPropertyValue(const std::string& name, const Variant& value) override;
  void CreateSubObjects() override;
  void DestroySubObjects() override;
  const TClass* GetOptionsClass() const override { return &TlxGridColumnOptions::kClass; }
  const TClass* GetStylesClass() const override { return &TlxGridColumnStyles::kClass; }
  void SizeChanged(bool fire_event) override;
  int32_t CalculateBestFitWidth() override;
  bool CanEdit() const override;
  bool CanFocus(TlxCustomGridRecord* record) const override;
  bool CanHorzSize() const override;
  bool HasFixedWidth() const override;
  void ForceWidth(int32_t width) override;
  bool GetVisible() const override;
  bool GetActuallyVisible() const override;
  Variant GetEditValue() override;
  bool CanShowOnUngrouping() const override { return true; }
  // Hidden on grouping: OptionsCustomize.ColumnHidingOnGrouping.
  bool HidesOnGrouping() const;
  // Forced while the column is being sized against its neighbours.
  bool IsForcingWidth() const { return forcing_width_; }

 private:
  TAlignment SuggestedAlignment() const;
  void HeaderGlyphChanged(TObject* sender);

  std::unique_ptr<TBitmap> header_glyph_;
  std::unique_ptr<TlxGridColumnSummary> summary_;
  TAlignment footer_alignment_horz_ = taLeftJustify;
  bool footer_alignment_horz_assigned_ = false;
  TAlignment group_summary_alignment_ = taLeftJustify;
  bool group_summary_alignment_assigned_ = false;
  TAlignment header_glyph_alignment_horz_ = taLeftJustify;
  TlxAlignmentVert header_glyph_alignment_vert_ = vaCenter;
  bool selected_ = false;
  bool forcing_width_ = false;
  TlxGridColumnCompareRowValuesEvent on_compare_row_values_for_cell_merging_;
  TlxGridColumnCompareValuesEvent on_compare_values_for_cell_merging_;
  TlxGridColumnCustomDrawHeaderEvent on_custom_draw_footer_cell_;
  TlxGridGroupSummaryCellCustomDrawEvent on_custom_draw_group_summary_cell_;
  TlxGridColumnCustomDrawHeaderEvent on_custom_draw_header_;
  TNotifyEvent on_header_click_;
};

class TlxGridTableViewStyles : public TlxCustomGridTableViewStyles {
 public:
  static constexpr int32_t kFilterRowInfoText = 8;
  static constexpr int32_t kFooter = 9;
  static constexpr int32_t kGroup = 10;
  static constexpr int32_t kGroupByBox = 11;
  static constexpr int32_t kGroupFooterSortedSummary = 12;
  static constexpr int32_t kGroupSortedSummary = 13;
  static constexpr int32_t kGroupSummary = 14;
  static constexpr int32_t kHeader = 15;
  static constexpr int32_t kNewItemRowInfoText = 16;
  static constexpr int32_t kIndicator = 17;
  static constexpr int32_t kPreview = 18;
  static constexpr TClass kClass{"TlxGridTableViewStyles", &TlxCustomGridTableViewStyles::kClass,
                                 &ConstructInstance<TlxGridTableViewStyles>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewStyles::TlxCustomGridTableViewStyles;

  void Assign(const TPersistent* source) override;
  TlxGridTableView* TableView() const;

  TlxStyle* Style(int32_t index) const { return GetIndexedStyle(index); }
  void SetStyle(int32_t index, TlxStyle* value) { SetIndexedStyle(index, value); }

  // Setting one notifies the view with a property change.
  void SetOnGetFooterStyle(TlxGridGetCellStyleEvent handler);
  void SetOnGetFooterStyleEx(TlxGridGetFooterStyleExEvent handler);
  void SetOnGetFooterSummaryStyle(TlxGridGetFooterSummaryStyleEvent handler);
  void SetOnGetGroupStyle(TlxGridGetGroupStyleEvent handler);
  void SetOnGetGroupSummaryStyle(TlxGridGetGroupSummaryStyleEvent handler);
  void SetOnGetHeaderStyle(TlxGridGetHeaderStyleEvent handler);
  void SetOnGetPreviewStyle(TlxGridGetCellStyleEvent handler);

  // --- overridable, in slot order --------------------------------------
  virtual void GetFooterCellParams(TlxCustomGridRecord* row, TlxGridColumn* column, TlxPaintParams& params,
                                   TlxDataSummaryItem* summary_item = nullptr, int32_t footer_group_level = -1);
  virtual void GetFooterParams(TlxCustomGridRecord* row, TlxGridColumn* column, TlxPaintParams& params,
                               TlxDataSummaryItem* summary_item = nullptr, int32_t footer_group_level = -1);
  virtual void GetGroupParams(TlxCustomGridRecord* record, int32_t level, TlxPaintParams& params);
  virtual void GetGroupSummaryCellParams(TlxCustomGridRecord* row, TlxDataSummaryItem* summary_item,
                                         TlxPaintParams& params);
  virtual void GetGroupSummaryAreaParams(TlxCustomGridRecord* row, TlxDataGroupSummaryItems* summary_items,
                                         TlxPaintParams& params);
  virtual void GetGroupSummaryParams(TlxCustomGridRecord* row, TlxDataSummaryItem* summary_item,
                                     TlxPaintParams& params);
  virtual void GetHeaderParams(TlxGridColumn* column, TlxPaintParams& params);
  virtual void GetPreviewParams(TlxCustomGridRecord* record, TlxGridColumn* column, TlxPaintParams& params);

  void GetCellContentParams(TlxCustomGridRecord* record, TObject* item, TlxPaintParams& params) override;
  void GetContentParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item, TlxPaintParams& params) override;
  void GetRecordParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item, TlxPaintParams& params) override;
  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override;

 private:
  TlxGridGetCellStyleEvent on_get_footer_style_;
  TlxGridGetFooterStyleExEvent on_get_footer_style_ex_;
  TlxGridGetFooterSummaryStyleEvent on_get_footer_summary_style_;
  TlxGridGetGroupStyleEvent on_get_group_style_;
  TlxGridGetGroupSummaryStyleEvent on_get_group_summary_style_;
  TlxGridGetHeaderStyleEvent on_get_header_style_;
  TlxGridGetCellStyleEvent on_get_preview_style_;
  // Keeps the sorted group summary's default from asking for itself.
  bool resolving_group_sorted_summary_ = false;
};

class TlxGridTableView : public TlxCustomGridTableView {
 public:
  static constexpr TClass kClass{"TlxGridTableView", &TlxCustomGridTableView::kClass,
                                 &lxConstructGridView<TlxGridTableView>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridTableView(TComponent* owner);
  TlxGridTableView(TlxCustomGrid* control, bool cloned);
  ~TlxGridTableView() override;

  // --- parts under their table types -----------------------------------
  TlxGridViewData* ViewData() const;
  TlxGridViewData* GetViewData() const { return ViewData(); }
  TlxGridTableBackgroundBitmaps* BackgroundBitmaps() const;
  TlxGridTableDateTimeHandling* DateTimeHandling() const;
  TlxGridTableFiltering* Filtering() const;
  TlxGridTableOptionsBehavior* OptionsBehavior() const;
  TlxGridTableOptionsCustomize* OptionsCustomize() const;
  TlxGridTableOptionsData* OptionsData() const;
  TlxGridTableOptionsSelection* OptionsSelection() const;
  TlxGridTableOptionsView* OptionsView() const;
  TlxGridTableViewStyles* Styles() const;
  TlxGridFilterRowOptions* FilterRow() const { return filter_row_.get(); }
  TlxGridNewItemRowOptions* NewItemRow() const { return new_item_row_.get(); }
  TlxGridPreview* Preview() const { return preview_.get(); }
  // Assigning copies into the view's own objects.
  void SetFilterRow(const TlxGridFilterRowOptions& value);
  void SetNewItemRow(const TlxGridNewItemRowOptions& value);
  void SetPreview(const TlxGridPreview& value);

  // --- columns ---------------------------------------------------------
  TlxGridColumn* CreateColumn();
  int32_t ColumnCount() const { return ItemCount(); }
  TlxGridColumn* Columns(int32_t index) const;
  int32_t VisibleColumnCount() const { return VisibleItemCount(); }
  TlxGridColumn* VisibleColumns(int32_t index) const;
  int32_t GroupedColumnCount() const;
  TlxGridColumn* GroupedColumns(int32_t group_index) const;
  int32_t SortedColumnCount() const;
  TlxGridColumn* SortedColumns(int32_t sort_index) const;
  // The columns selected for cell multi-selection, and the anchor.
  std::vector<TlxGridColumn*> SelectedColumns() const;
  void ClearColumnSelection();
  TlxGridColumn* ColumnSelectionAnchor() const { return column_selection_anchor_; }
  void SetColumnSelectionAnchor(TlxGridColumn* column) { column_selection_anchor_ = column; }

  // Writes every visible column's displayed width into its Width, so that
  // with ColumnAutoWidth a sized column takes from its neighbours.
  void StoreColumnAutoWidths();
  // The width the visible columns share under ColumnAutoWidth.
  int32_t AutoWidthAvailableWidth() const;
  // The smallest data row and group row a fixed height may give.
  int32_t MinDataRowHeight() const;
  int32_t MinGroupRowHeight() const;
  // Cell merging: no visible preview and no row separator.
  bool CanCellMerging() const;

  // --- events ----------------------------------------------------------
  // Each setter notifies the view with a property change.
  void SetOnColumnHeaderClick(TlxGridColumnEvent handler);
  void SetOnColumnPosChanged(TlxGridColumnEvent handler);
  void SetOnColumnSizeChanged(TlxGridColumnEvent handler);
  void SetOnCustomDrawColumnHeader(TlxGridColumnCustomDrawHeaderEvent handler);
  void SetOnCustomDrawFooterCell(TlxGridColumnCustomDrawHeaderEvent handler);
  void SetOnCustomDrawGroupCell(TlxGridTableCellCustomDrawEvent handler);
  void SetOnCustomDrawGroupSummaryCell(TlxGridGroupSummaryCellCustomDrawEvent handler);
  void SetOnCustomDrawIndicatorCell(TlxGridIndicatorCellCustomDrawEvent handler);
  void SetOnLeftPosChanged(TNotifyEvent handler);

  // --- event steps, in slot order ----------------------------------------
  virtual void DoColumnHeaderClick(TlxGridColumn* column);
  virtual void DoColumnPosChanged(TlxGridColumn* column);
  virtual void DoColumnSizeChanged(TlxGridColumn* column);
  virtual bool DoCustomDrawColumnHeader(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info);
  virtual bool DoCustomDrawFooterCell(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info);
  virtual bool DoCustomDrawGroupCell(TlxCanvas* canvas, TlxGridTableCellViewInfo* view_info);
  virtual bool DoCustomDrawGroupSummaryCell(TlxCanvas* canvas, TlxCustomGridViewCellViewInfo* view_info,
                                            TlxGridGroupRow* row, TlxGridColumn* column,
                                            TlxDataSummaryItem* summary_item);
  virtual bool DoCustomDrawIndicatorCell(TlxCanvas* canvas, TlxCustomGridIndicatorItemViewInfo* view_info);
  virtual void DoLeftPosChanged();

  // --- has-handler queries ---------------------------------------------
  bool HasCustomDrawColumnHeader() const { return static_cast<bool>(on_custom_draw_column_header_); }
  bool HasCustomDrawFooterCell() const { return static_cast<bool>(on_custom_draw_footer_cell_); }
  bool HasCustomDrawGroupCell() const { return static_cast<bool>(on_custom_draw_group_cell_); }
  bool HasCustomDrawGroupSummaryCell() const { return static_cast<bool>(on_custom_draw_group_summary_cell_); }
  bool HasCustomDrawIndicatorCell() const { return static_cast<bool>(on_custom_draw_indicator_cell_); }

  // --- class operations of the table parts -----------------------------
  virtual const TClass* GetFilterRowOptionsClass() const { return &TlxGridFilterRowOptions::kClass; }
  virtual const TClass* GetNewItemRowOptionsClass() const { return &TlxGridNewItemRowOptions::kClass; }
  virtual const TClass* GetPreviewClass() const { return &TlxGridPreview::kClass; }

  // --- overrides -------------------------------------------------------
  const TClass* GetItemClass() const override { return &TlxGridColumn::kClass; }
  const TClass* GetControllerClass() const override;
  const TClass* GetDataControllerClass() const override;
  const TClass* GetPainterClass() const override;
  const TClass* GetViewDataClass() const override;
  const TClass* GetViewInfoClass() const override;
  const TClass* GetBackgroundBitmapsClass() const override;
  const TClass* GetDateTimeHandlingClass() const override;
  const TClass* GetFilteringClass() const override;
  const TClass* GetOptionsBehaviorClass() const override;
  const TClass* GetOptionsCustomizeClass() const override;
  const TClass* GetOptionsDataClass() const override;
  const TClass* GetOptionsSelectionClass() const override;
  const TClass* GetOptionsViewClass() const override;
  const TClass* GetStylesClass() const override;
  const TClass* GetSummaryItemClass() const override;
  const TClass* GetSummaryGroupItemLinkClass() const override;
  std::string GetLayoutCustomizationCaption() const override;
  void CreateOptions() override;
  void DestroyOptions() override;
  void Assign(const TPersistent* source) override;
  void AssignLayout(TlxCustomGridView* view) override;
  bool GetStoredProperties(TStrings* properties) override;
  void GetStoredPropertyValue(const std::string& name, Variant& value) override;
  void SetStoredPropertyValue(const std::string& name, const Variant& value) override;
  bool HasEqualHeightRecords() override;
  bool RecordHeightDependsOnData() override;
  bool UsesSizeChanges() const override;
  void DetailDataChanged(TlxCustomGridView* detail_view) override;
  void GetItemsForClipboard(std::vector<TlxCustomGridTableItem*>& list, bool copy_all) override;
  bool DrawCellSelected(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                        TlxCustomGridCellViewInfo* cell) override;
  void RemoveItem(TlxCustomGridTableItem* item) override;
  bool IsTableLike() const override { return true; }
  // Records grow with the preview's text.
  bool HasAutoHeightRecords();
  // Rows move by pixels only when nothing forces a relayout.
  bool CanScrollRowsByPixels() const;
  bool CanScrollHorizontallyByPixels() const;

 private:
  std::unique_ptr<TlxGridFilterRowOptions> filter_row_;
  std::unique_ptr<TlxGridNewItemRowOptions> new_item_row_;
  std::unique_ptr<TlxGridPreview> preview_;
  TlxGridColumn* column_selection_anchor_ = nullptr;
  TlxGridColumnEvent on_column_header_click_;
  TlxGridColumnEvent on_column_pos_changed_;
  TlxGridColumnEvent on_column_size_changed_;
  TlxGridColumnCustomDrawHeaderEvent on_custom_draw_column_header_;
  TlxGridColumnCustomDrawHeaderEvent on_custom_draw_footer_cell_;
  TlxGridTableCellCustomDrawEvent on_custom_draw_group_cell_;
  TlxGridGroupSummaryCellCustomDrawEvent on_custom_draw_group_summary_cell_;
  TlxGridIndicatorCellCustomDrawEvent on_custom_draw_indicator_cell_;
  TNotifyEvent on_left_pos_changed_;
};

// Class-level entries through which the group row's cell view infos reach
// the view's and the column's custom-draw steps.
class TlxGridTableViewAccess {
 public:
  TlxGridTableViewAccess() = delete;
  static bool DoCustomDrawGroupCell(TlxGridTableView* view, TlxCanvas* canvas, TlxGridTableCellViewInfo* view_info);
  static bool DoCustomDrawGroupSummaryCell(TlxGridTableView* view, TlxCanvas* canvas,
                                           TlxCustomGridViewCellViewInfo* view_info, TlxGridGroupRow* row,
                                           TlxGridColumn* column, TlxDataSummaryItem* summary_item);
  static bool HasCustomDrawGroupCell(const TlxGridTableView* view);
  static bool HasCustomDrawGroupSummaryCell(const TlxGridTableView* view);
  // The whole chain for a group summary cell: the cell's own custom
  // drawing first (`cell_done`), then the column's, then the view's.
  static bool CustomDrawGroupSummaryCell(TlxGridTableView* view, TlxCanvas* canvas,
                                         TlxCustomGridViewCellViewInfo* view_info, TlxGridGroupRow* row,
                                         TlxGridColumn* column, TlxDataSummaryItem* summary_item, bool cell_done);
  static bool HasAnyCustomDrawGroupSummaryCell(const TlxGridTableView* view, const TlxGridColumn* column,
                                               bool cell_has_custom_draw);
};

class TlxGridColumnAccess {
 public:
  TlxGridColumnAccess() = delete;
  static bool DoCustomDrawGroupSummaryCell(TlxGridColumn* column, TlxCanvas* canvas,
                                           TlxCustomGridViewCellViewInfo* view_info, TlxGridGroupRow* row,
                                           TlxDataSummaryItem* summary_item);
  static bool HasCustomDrawGroupSummaryCell(const TlxGridColumn* column);
};

class TlxGridTableSummaryGroupItemLink : public TlxDataSummaryGroupItemLink {
 public:
  static constexpr TClass kClass{"TlxGridTableSummaryGroupItemLink", &TlxDataSummaryGroupItemLink::kClass,
                                 &ConstructInstance<TlxGridTableSummaryGroupItemLink>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDataSummaryGroupItemLink::TlxDataSummaryGroupItemLink;

  TlxGridColumn* Column() const;
  void SetColumn(TlxGridColumn* value);
  TlxGridTableView* GridView() const;
  // The stored-object property "Column": the column's name.
  Variant GetStoredColumn() const;
  void SetStoredColumn(const Variant& value);
};

class TlxGridTableSummaryItem : public TlxDataSummaryItem {
 public:
  static constexpr TClass kClass{"TlxGridTableSummaryItem", &TlxDataSummaryItem::kClass,
                                 &ConstructInstance<TlxGridTableSummaryItem>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDataSummaryItem::TlxDataSummaryItem;

  void Assign(const TPersistent* source) override;

  TlxGridColumn* Column() const;
  void SetColumn(TlxGridColumn* value);
  TlxGridTableView* GridView() const;
  const std::string& DisplayText() const { return display_text_; }
  void SetDisplayText(const std::string& value);
  bool VisibleForCustomization() const { return visible_for_customization_; }
  void SetVisibleForCustomization(bool value);
  Variant GetStoredColumn() const;
  void SetStoredColumn(const Variant& value);

 private:
  std::string display_text_;
  bool visible_for_customization_ = true;
};

class TlxGridTableViewStyleSheet : public TlxCustomStyleSheet {
 public:
  static constexpr TClass kClass{"TlxGridTableViewStyleSheet", &TlxCustomStyleSheet::kClass,
                                 &ConstructInstance<TlxGridTableViewStyleSheet>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomStyleSheet::TlxCustomStyleSheet;

  const TClass* StylesObjectClass() const override { return &TlxGridTableViewStyles::kClass; }
};

// Module start and end of the table view: "Table" in the view-kind
// registry and the column and style sheet classes for streaming.
void lxGridTableViewModuleStart();
void lxGridTableViewModuleEnd();
