#pragma once
// The options of the table view: the table-level behaviour, customize,
// data, selection and view options, the filter row and new-item row
// options, the preview, the background bitmaps and the date and time
// handling. Every setter stores a new value only when it differs and tells
// the view a change of kind 0 (property), 1 (layout) or 2 (size). Included
// only from Windows sources.

#include <cstdint>
#include <string>

#include "data/data_controller.h"
#include "editors/kinds/grid_lines.h"
#include "grid/grid_view_win.h"
#include "grid/table_filtering.h"
#include "grid/table_options_win.h"
#include "platform/toolkit/color.h"

class TFiler;
class TReader;
class TlxGridColumn;
class TlxGridTableView;

enum TlxGridFilterRowApplyChangesMode : uint8_t { fracOnCellExit, fracImmediately };
enum TlxGridGroupFootersMode : uint8_t { gfInvisible, gfVisibleWhenExpanded, gfAlwaysVisible };
enum TlxGridGroupRowStyle : uint8_t { grsStandard, grsOffice11 };
enum TlxGridGroupSummaryLayout : uint8_t { gslStandard, gslAlignWithColumns, gslAlignWithColumnsAndDistribute };
enum TlxGridPreviewPlace : uint8_t { prBottom, prTop };

// The table view an option object belongs to, or null.
TlxGridTableView* lxTableViewOfOptions(const TlxCustomGridOptions& options);

class TlxGridTableOptionsBehavior : public TlxCustomGridTableOptionsBehavior {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsBehavior", &TlxCustomGridTableOptionsBehavior::kClass,
                                 &ConstructInstance<TlxGridTableOptionsBehavior>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsBehavior::TlxCustomGridTableOptionsBehavior;

  void Assign(const TPersistent* source) override;

  bool ColumnHeaderHints() const { return column_header_hints_; }
  void SetColumnHeaderHints(bool value) { SetOption(column_header_hints_, value, vckProperty); }
  bool CopyPreviewToClipboard() const { return copy_preview_to_clipboard_; }
  void SetCopyPreviewToClipboard(bool value) { SetOption(copy_preview_to_clipboard_, value, vckProperty); }
  bool ExpandMasterRowOnDblClick() const { return expand_master_row_on_dbl_click_; }
  void SetExpandMasterRowOnDblClick(bool value) { SetOption(expand_master_row_on_dbl_click_, value, vckProperty); }

 private:
  bool column_header_hints_ = true;
  bool copy_preview_to_clipboard_ = true;
  bool expand_master_row_on_dbl_click_ = true;
};

class TlxGridTableOptionsCustomize : public TlxCustomGridTableOptionsCustomize {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsCustomize", &TlxCustomGridTableOptionsCustomize::kClass,
                                 &ConstructInstance<TlxGridTableOptionsCustomize>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsCustomize::TlxCustomGridTableOptionsCustomize;

  void Assign(const TPersistent* source) override;

  // The item settings under column names.
  bool ColumnFiltering() const { return ItemFiltering(); }
  void SetColumnFiltering(bool value) { SetItemFiltering(value); }
  bool ColumnGrouping() const { return ItemGrouping(); }
  void SetColumnGrouping(bool value) { SetItemGrouping(value); }
  bool ColumnHiding() const { return ItemHiding(); }
  void SetColumnHiding(bool value) { SetItemHiding(value); }
  bool ColumnMoving() const { return ItemMoving(); }
  void SetColumnMoving(bool value) { SetItemMoving(value); }
  bool ColumnSorting() const { return ItemSorting(); }
  void SetColumnSorting(bool value) { SetItemSorting(value); }
  bool ColumnsQuickCustomization() const { return ItemsQuickCustomization(); }
  void SetColumnsQuickCustomization(bool value) { SetItemsQuickCustomization(value); }

  bool ColumnHidingOnGrouping() const { return column_hiding_on_grouping_; }
  void SetColumnHidingOnGrouping(bool value) { SetOption(column_hiding_on_grouping_, value, vckProperty); }
  bool ColumnHorzSizing() const { return column_horz_sizing_; }
  void SetColumnHorzSizing(bool value) { SetOption(column_horz_sizing_, value, vckLayout); }
  bool DataRowSizing() const { return data_row_sizing_; }
  void SetDataRowSizing(bool value) { SetOption(data_row_sizing_, value, vckProperty); }
  // A change ungroups every column and clears all sorting first.
  bool GroupBySorting() const { return group_by_sorting_; }
  void SetGroupBySorting(bool value);
  bool GroupRowSizing() const { return group_row_sizing_; }
  void SetGroupRowSizing(bool value) { SetOption(group_row_sizing_, value, vckProperty); }

 private:
  bool column_hiding_on_grouping_ = true;
  bool column_horz_sizing_ = true;
  bool data_row_sizing_ = false;
  bool group_by_sorting_ = false;
  bool group_row_sizing_ = false;
};

class TlxGridTableOptionsData : public TlxCustomGridTableOptionsData {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsData", &TlxCustomGridTableOptionsData::kClass,
                                 &ConstructInstance<TlxGridTableOptionsData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsData::TlxCustomGridTableOptionsData;
};

class TlxGridTableOptionsSelection : public TlxCustomGridTableOptionsSelection {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsSelection", &TlxCustomGridTableOptionsSelection::kClass,
                                 &ConstructInstance<TlxGridTableOptionsSelection>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsSelection::TlxCustomGridTableOptionsSelection;

  void Assign(const TPersistent* source) override;

  // On a change: cell selection on, inverted selection the opposite of the
  // new value, multi-selection the new value.
  bool CellMultiSelect() const { return cell_multi_select_; }
  void SetCellMultiSelect(bool value);
  bool IsCellSelectStored() const { return !cell_multi_select_; }

  // While CellMultiSelect is on, the values it forces cannot be undone.
  bool IsInvertSelectStored() const override;
  bool IsMultiSelectStored() const override;
  void SetCellSelect(bool value) override;
  void SetInvertSelect(bool value) override;
  void SetMultiSelect(bool value) override;

 private:
  bool cell_multi_select_ = false;
};

class TlxGridTableOptionsView : public TlxCustomGridTableOptionsView {
 public:
  static constexpr TClass kClass{"TlxGridTableOptionsView", &TlxCustomGridTableOptionsView::kClass,
                                 &ConstructInstance<TlxGridTableOptionsView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableOptionsView::TlxCustomGridTableOptionsView;

  void Assign(const TPersistent* source) override;
  // Reads the older names "NewItemRow", "NewItemRowInfoText",
  // "NewItemRowSeparatorColor" and "NewItemRowSeparatorWidth" into the
  // view's NewItemRow; they are never written.
  void DefineProperties(TFiler& filer) override;

  bool ColumnAutoWidth() const { return column_auto_width_; }
  void SetColumnAutoWidth(bool value) { SetOption(column_auto_width_, value, vckSize); }
  int32_t DataRowHeight() const { return data_row_height_; }
  void SetDataRowHeight(int32_t value);
  bool ExpandButtonsForEmptyDetails() const { return expand_buttons_for_empty_details_; }
  void SetExpandButtonsForEmptyDetails(bool value) { SetOption(expand_buttons_for_empty_details_, value, vckLayout); }
  bool Footer() const { return footer_; }
  void SetFooter(bool value) { SetOption(footer_, value, vckSize); }
  bool FooterAutoHeight() const { return footer_auto_height_; }
  void SetFooterAutoHeight(bool value) { SetOption(footer_auto_height_, value, vckSize); }
  bool FooterMultiSummaries() const { return footer_multi_summaries_; }
  void SetFooterMultiSummaries(bool value) { SetOption(footer_multi_summaries_, value, vckSize); }
  TColor GridLineColor() const { return grid_line_color_; }
  void SetGridLineColor(TColor value) { SetOption(grid_line_color_, value, vckLayout); }
  TlxGridLines GridLines() const { return grid_lines_; }
  void SetGridLines(TlxGridLines value);
  bool GroupByBox() const { return group_by_box_; }
  void SetGroupByBox(bool value) { SetOption(group_by_box_, value, vckSize); }
  bool GroupFooterMultiSummaries() const { return group_footer_multi_summaries_; }
  void SetGroupFooterMultiSummaries(bool value) { SetOption(group_footer_multi_summaries_, value, vckSize); }
  TlxGridGroupFootersMode GroupFooters() const { return group_footers_; }
  void SetGroupFooters(TlxGridGroupFootersMode value);
  int32_t GroupRowHeight() const { return group_row_height_; }
  void SetGroupRowHeight(int32_t value);
  TlxGridGroupRowStyle GroupRowStyle() const { return group_row_style_; }
  void SetGroupRowStyle(TlxGridGroupRowStyle value);
  TlxGridGroupSummaryLayout GroupSummaryLayout() const { return group_summary_layout_; }
  void SetGroupSummaryLayout(TlxGridGroupSummaryLayout value);
  bool Header() const { return header_; }
  void SetHeader(bool value) { SetOption(header_, value, vckSize); }
  bool HeaderAutoHeight() const { return ItemCaptionAutoHeight(); }
  void SetHeaderAutoHeight(bool value) { SetItemCaptionAutoHeight(value); }
  bool HeaderEndEllipsis() const { return ItemCaptionEndEllipsis(); }
  void SetHeaderEndEllipsis(bool value) { SetItemCaptionEndEllipsis(value); }
  int32_t HeaderHeight() const { return header_height_; }
  void SetHeaderHeight(int32_t value) { SetCountOption(header_height_, value, vckSize); }
  bool Indicator() const { return indicator_; }
  void SetIndicator(bool value) { SetOption(indicator_, value, vckSize); }
  int32_t IndicatorWidth() const { return indicator_width_; }
  void SetIndicatorWidth(int32_t value) { SetCountOption(indicator_width_, value, vckSize); }
  TColor RowSeparatorColor() const { return row_separator_color_; }
  void SetRowSeparatorColor(TColor value) { SetOption(row_separator_color_, value, vckLayout); }
  int32_t RowSeparatorWidth() const { return row_separator_width_; }
  void SetRowSeparatorWidth(int32_t value) { SetCountOption(row_separator_width_, value, vckSize); }
  TlxGridShowItemFilterButtons ShowColumnFilterButtons() const { return ShowItemFilterButtons(); }
  void SetShowColumnFilterButtons(TlxGridShowItemFilterButtons value) { SetShowItemFilterButtons(value); }

  // --- effective values used by the view infos -------------------------
  // False also when the view's level hides tabs of empty details.
  bool GetExpandButtonsForEmptyDetails() const;
  bool GetFooterMultiSummaries() const;
  bool GetGroupFooterMultiSummaries() const;
  TlxGridGroupSummaryLayout GetGroupSummaryLayout() const;
  TColor GetGridLineColor() const;
  TColor GetRowSeparatorColor() const;

  // --- overridable, in slot order --------------------------------------
  // 0 stays 0; a positive height is raised to the view's minimum.
  virtual void CheckDataRowHeight(int32_t& value) const;
  virtual void CheckGroupRowHeight(int32_t& value) const;

 private:
  bool column_auto_width_ = false;
  int32_t data_row_height_ = 0;
  bool expand_buttons_for_empty_details_ = true;
  bool footer_ = false;
  bool footer_auto_height_ = false;
  bool footer_multi_summaries_ = false;
  TColor grid_line_color_ = clDefault;
  TlxGridLines grid_lines_ = glBoth;
  bool group_by_box_ = true;
  bool group_footer_multi_summaries_ = false;
  TlxGridGroupFootersMode group_footers_ = gfInvisible;
  int32_t group_row_height_ = 0;
  TlxGridGroupRowStyle group_row_style_ = grsStandard;
  TlxGridGroupSummaryLayout group_summary_layout_ = gslStandard;
  bool header_ = true;
  int32_t header_height_ = 0;
  bool indicator_ = false;
  int32_t indicator_width_ = 12;
  TColor row_separator_color_ = clDefault;
  int32_t row_separator_width_ = 0;
};

// The common base of the filter row and new-item row options.
class TlxGridSpecialRowOptions : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxGridSpecialRowOptions", &TlxCustomGridOptions::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;

  void Assign(const TPersistent* source) override;

  // The own text, or the class's default text while none is set.
  std::string InfoText() const;
  void SetInfoText(const std::string& value);
  bool IsInfoTextStored() const;
  TColor SeparatorColor() const { return separator_color_; }
  void SetSeparatorColor(TColor value) { SetOption(separator_color_, value, vckLayout); }
  // SeparatorColor, or the default separator colour for clDefault.
  TColor GetSeparatorColor() const;
  // Below 2 becomes 2.
  int32_t SeparatorWidth() const { return separator_width_; }
  void SetSeparatorWidth(int32_t value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // --- overridable, in slot order --------------------------------------
  virtual std::string GetDefaultInfoText() const { return {}; }
  virtual TColor GetDefaultSeparatorColor() const;
  virtual void VisibleChanged() { Changed(vckSize); }

 private:
  std::string info_text_;
  bool info_text_assigned_ = false;
  TColor separator_color_ = clDefault;
  int32_t separator_width_ = 6;
  bool visible_ = false;
};

class TlxGridFilterRowOptions : public TlxGridSpecialRowOptions {
 public:
  static constexpr TClass kClass{"TlxGridFilterRowOptions", &TlxGridSpecialRowOptions::kClass,
                                 &ConstructInstance<TlxGridFilterRowOptions>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridSpecialRowOptions::TlxGridSpecialRowOptions;

  void Assign(const TPersistent* source) override;

  TlxGridFilterRowApplyChangesMode ApplyChanges() const { return apply_changes_; }
  void SetApplyChanges(TlxGridFilterRowApplyChangesMode value) { SetOption(apply_changes_, value, vckProperty); }

  std::string GetDefaultInfoText() const override;
  void VisibleChanged() override;

 private:
  TlxGridFilterRowApplyChangesMode apply_changes_ = fracOnCellExit;
};

class TlxGridNewItemRowOptions : public TlxGridSpecialRowOptions {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRowOptions", &TlxGridSpecialRowOptions::kClass,
                                 &ConstructInstance<TlxGridNewItemRowOptions>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridSpecialRowOptions::TlxGridSpecialRowOptions;

  std::string GetDefaultInfoText() const override;
  void VisibleChanged() override;
};

// A text row under (or above) each data row showing one column's value.
class TlxGridPreview : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxGridPreview", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxGridPreview>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;

  void Assign(const TPersistent* source) override;

  bool AutoHeight() const { return auto_height_; }
  void SetAutoHeight(bool value) { SetPreviewOption(auto_height_, value); }
  // A column of another view counts as none.
  TlxGridColumn* Column() const { return column_; }
  void SetColumn(TlxGridColumn* value);
  int32_t LeftIndent() const { return left_indent_; }
  void SetLeftIndent(int32_t value) { SetPreviewOption(left_indent_, value < 0 ? 0 : value); }
  // 0 = no limit.
  int32_t MaxLineCount() const { return max_line_count_; }
  void SetMaxLineCount(int32_t value) { SetPreviewOption(max_line_count_, value < 0 ? 0 : value); }
  TlxGridPreviewPlace Place() const { return place_; }
  void SetPlace(TlxGridPreviewPlace value) { SetPreviewOption(place_, value); }
  int32_t RightIndent() const { return right_indent_; }
  void SetRightIndent(int32_t value) { SetPreviewOption(right_indent_, value < 0 ? 0 : value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetOption(visible_, value, vckSize); }
  // Shown: Visible and a column set.
  bool Active() const { return visible_ && column_ != nullptr; }
  // The preview column leaves the view: Column becomes none.
  void ColumnRemoved(TlxGridColumn* column);

 private:
  // A size change while the preview shows, else a property change.
  template <class T>
  void SetPreviewOption(T& field, T value) {
    SetOption(field, value, visible_ ? vckSize : vckProperty);
  }

  bool auto_height_ = true;
  TlxGridColumn* column_ = nullptr;
  int32_t left_indent_ = 20;
  int32_t max_line_count_ = 3;
  TlxGridPreviewPlace place_ = prBottom;
  int32_t right_indent_ = 5;
  bool visible_ = false;
};

class TlxGridTableBackgroundBitmaps : public TlxCustomGridTableBackgroundBitmaps {
 public:
  static constexpr int32_t kFooter = 3;
  static constexpr int32_t kHeader = 4;
  static constexpr int32_t kGroup = 5;
  static constexpr int32_t kGroupByBox = 6;
  static constexpr int32_t kIndicator = 7;
  static constexpr int32_t kPreview = 8;
  static constexpr TClass kClass{"TlxGridTableBackgroundBitmaps", &TlxCustomGridTableBackgroundBitmaps::kClass,
                                 &ConstructInstance<TlxGridTableBackgroundBitmaps>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableBackgroundBitmaps::TlxCustomGridTableBackgroundBitmaps;

  void Assign(const TPersistent* source) override;
  int32_t GetBitmapStyleIndex(int32_t index) const override;
};

class TlxGridTableDateTimeHandling : public TlxCustomGridTableDateTimeHandling {
 public:
  static constexpr TClass kClass{"TlxGridTableDateTimeHandling", &TlxCustomGridTableDateTimeHandling::kClass,
                                 &ConstructInstance<TlxGridTableDateTimeHandling>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableDateTimeHandling::TlxCustomGridTableDateTimeHandling;
};

class TlxGridTableFiltering : public TlxCustomGridTableFiltering {
 public:
  static constexpr TClass kClass{"TlxGridTableFiltering", &TlxCustomGridTableFiltering::kClass,
                                 &ConstructInstance<TlxGridTableFiltering>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableFiltering::TlxCustomGridTableFiltering;

  // Reads the older "ColumnPopupDropDownWidth" and
  // "ColumnPopupMaxDropDownItemCount" into ColumnPopup; never written.
  void DefineProperties(TFiler& filer) override;
};
