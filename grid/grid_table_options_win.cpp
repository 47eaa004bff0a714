#include "grid/grid_table_options_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "grid/grid_level_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_strings.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"

TlxGridTableView* lxTableViewOfOptions(const TlxCustomGridOptions& options) {
  return dynamic_cast<TlxGridTableView*>(options.GetGridView());
}

// --- TlxGridTableOptionsBehavior -----------------------------------------------------------------

void TlxGridTableOptionsBehavior::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridTableOptionsBehavior*>(source)) {
    SetColumnHeaderHints(other->ColumnHeaderHints());
    SetCopyPreviewToClipboard(other->CopyPreviewToClipboard());
    SetExpandMasterRowOnDblClick(other->ExpandMasterRowOnDblClick());
  }
  TlxCustomGridTableOptionsBehavior::Assign(source);
}

// --- TlxGridTableOptionsCustomize ----------------------------------------------------------------

void TlxGridTableOptionsCustomize::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridTableOptionsCustomize*>(source)) {
    SetColumnHidingOnGrouping(other->ColumnHidingOnGrouping());
    SetColumnHorzSizing(other->ColumnHorzSizing());
    SetDataRowSizing(other->DataRowSizing());
    SetGroupBySorting(other->GroupBySorting());
    SetGroupRowSizing(other->GroupRowSizing());
  }
  TlxCustomGridTableOptionsCustomize::Assign(source);
}

void TlxGridTableOptionsCustomize::SetGroupBySorting(bool value) {
  if (group_by_sorting_ == value)
    return;
  TlxGridTableView* view = lxTableViewOfOptions(*this);
  if (view != nullptr) {
    // Sorting that groups and plain sorting do not mix: both start empty.
    view->BeginUpdate();
    TScopeExit end_update([view] { view->EndUpdate(); });
    for (int32_t i = view->GroupedColumnCount() - 1; i >= 0; --i)
      view->GroupedColumns(i)->GroupBy(-1, true);
    view->DataController()->ClearSorting(false);
    group_by_sorting_ = value;
  } else {
    group_by_sorting_ = value;
  }
  Changed(vckProperty);
}

// --- TlxGridTableOptionsSelection ----------------------------------------------------------------

void TlxGridTableOptionsSelection::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridTableOptionsSelection*>(source))
    SetCellMultiSelect(other->CellMultiSelect());
  TlxCustomGridTableOptionsSelection::Assign(source);
}

void TlxGridTableOptionsSelection::SetCellMultiSelect(bool value) {
  if (cell_multi_select_ == value)
    return;
  // The forced values are written while the flag is off, so the guards
  // below do not refuse them.
  cell_multi_select_ = false;
  SetCellSelect(true);
  SetInvertSelect(!value);
  SetMultiSelect(value);
  cell_multi_select_ = value;
  Changed(vckProperty);
}

bool TlxGridTableOptionsSelection::IsInvertSelectStored() const {
  return !cell_multi_select_ && TlxCustomGridTableOptionsSelection::IsInvertSelectStored();
}

bool TlxGridTableOptionsSelection::IsMultiSelectStored() const {
  return !cell_multi_select_ && TlxCustomGridTableOptionsSelection::IsMultiSelectStored();
}

void TlxGridTableOptionsSelection::SetCellSelect(bool value) {
  if (cell_multi_select_ && !value)
    return;
  TlxCustomGridTableOptionsSelection::SetCellSelect(value);
}

void TlxGridTableOptionsSelection::SetInvertSelect(bool value) {
  if (cell_multi_select_ && value)
    return;
  TlxCustomGridTableOptionsSelection::SetInvertSelect(value);
}

void TlxGridTableOptionsSelection::SetMultiSelect(bool value) {
  if (cell_multi_select_ && !value)
    return;
  TlxCustomGridTableOptionsSelection::SetMultiSelect(value);
}

// --- TlxGridTableOptionsView ---------------------------------------------------------------------

namespace {

template <class Enum>
void CheckEnumRange(Enum value, Enum last) {
  if (static_cast<int32_t>(value) < 0 || static_cast<int32_t>(value) > static_cast<int32_t>(last))
    throw EPropertyConvertError("Invalid property value");
}

}  // namespace

void TlxGridTableOptionsView::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridTableOptionsView*>(source)) {
    SetColumnAutoWidth(other->ColumnAutoWidth());
    SetDataRowHeight(other->DataRowHeight());
    SetExpandButtonsForEmptyDetails(other->ExpandButtonsForEmptyDetails());
    SetFooter(other->Footer());
    SetFooterAutoHeight(other->FooterAutoHeight());
    SetFooterMultiSummaries(other->FooterMultiSummaries());
    SetGridLineColor(other->GridLineColor());
    SetGridLines(other->GridLines());
    SetGroupByBox(other->GroupByBox());
    SetGroupFooterMultiSummaries(other->GroupFooterMultiSummaries());
    SetGroupFooters(other->GroupFooters());
    SetGroupRowHeight(other->GroupRowHeight());
    SetGroupRowStyle(other->GroupRowStyle());
    SetGroupSummaryLayout(other->GroupSummaryLayout());
    SetHeader(other->Header());
    SetHeaderHeight(other->HeaderHeight());
    SetIndicator(other->Indicator());
    SetIndicatorWidth(other->IndicatorWidth());
    SetRowSeparatorColor(other->RowSeparatorColor());
    SetRowSeparatorWidth(other->RowSeparatorWidth());
  }
  TlxCustomGridTableOptionsView::Assign(source);
}

void TlxGridTableOptionsView::DefineProperties(TFiler& filer) {
  TlxCustomGridTableOptionsView::DefineProperties(filer);
  // Each value is read completely before anything is stored, so a value
  // that does not convert leaves the row options as they were.
  auto new_item_row = [this]() -> TlxGridNewItemRowOptions* {
    TlxGridTableView* view = lxTableViewOfOptions(*this);
    return view != nullptr ? view->NewItemRow() : nullptr;
  };
  filer.DefineProperty(
      "NewItemRow",
      [new_item_row](TReader& reader) {
        const bool value = reader.ReadBoolean();
        if (TlxGridNewItemRowOptions* row = new_item_row())
          row->SetVisible(value);
      },
      nullptr, false);
  filer.DefineProperty(
      "NewItemRowInfoText",
      [new_item_row](TReader& reader) {
        const std::string value = reader.ReadString();
        if (TlxGridNewItemRowOptions* row = new_item_row())
          row->SetInfoText(value);
      },
      nullptr, false);
  filer.DefineProperty(
      "NewItemRowSeparatorColor",
      [new_item_row](TReader& reader) {
        const TValueType type = reader.NextValue();
        const TColor value = type == vaIdent ? StringToColor(reader.ReadIdent())
                                             : static_cast<TColor>(reader.ReadInteger());
        if (TlxGridNewItemRowOptions* row = new_item_row())
          row->SetSeparatorColor(value);
      },
      nullptr, false);
  filer.DefineProperty(
      "NewItemRowSeparatorWidth",
      [new_item_row](TReader& reader) {
        const auto value = static_cast<int32_t>(reader.ReadInteger());
        if (TlxGridNewItemRowOptions* row = new_item_row())
          row->SetSeparatorWidth(value);
      },
      nullptr, false);
}

void TlxGridTableOptionsView::SetDataRowHeight(int32_t value) {
  CheckDataRowHeight(value);
  SetOption(data_row_height_, value, vckSize);
}

void TlxGridTableOptionsView::SetGroupRowHeight(int32_t value) {
  CheckGroupRowHeight(value);
  SetOption(group_row_height_, value, vckSize);
}

void TlxGridTableOptionsView::SetGridLines(TlxGridLines value) {
  CheckEnumRange(value, glHorizontal);
  SetOption(grid_lines_, value, vckSize);
}

void TlxGridTableOptionsView::SetGroupFooters(TlxGridGroupFootersMode value) {
  CheckEnumRange(value, gfAlwaysVisible);
  SetOption(group_footers_, value, vckSize);
}

void TlxGridTableOptionsView::SetGroupRowStyle(TlxGridGroupRowStyle value) {
  CheckEnumRange(value, grsOffice11);
  SetOption(group_row_style_, value, vckSize);
}

void TlxGridTableOptionsView::SetGroupSummaryLayout(TlxGridGroupSummaryLayout value) {
  CheckEnumRange(value, gslAlignWithColumnsAndDistribute);
  SetOption(group_summary_layout_, value, vckSize);
}

void TlxGridTableOptionsView::CheckDataRowHeight(int32_t& value) const {
  if (value <= 0) {
    value = 0;
    return;
  }
  if (TlxGridTableView* view = lxTableViewOfOptions(*this))
    value = std::max(value, view->MinDataRowHeight());
}

void TlxGridTableOptionsView::CheckGroupRowHeight(int32_t& value) const {
  if (value <= 0) {
    value = 0;
    return;
  }
  if (TlxGridTableView* view = lxTableViewOfOptions(*this))
    value = std::max(value, view->MinGroupRowHeight());
}

bool TlxGridTableOptionsView::GetExpandButtonsForEmptyDetails() const {
  TlxCustomGridView* view = GetGridView();
  const bool level_shows_empty = view == nullptr || view->Level() == nullptr || view->Level()->Options().TabsForEmptyDetails();
  return expand_buttons_for_empty_details_ && level_shows_empty;
}

// The table view info of the layout answers whether it supports several
// summaries per footer cell and aligned group summaries; this view info
// does, so the options' values hold.
bool TlxGridTableOptionsView::GetFooterMultiSummaries() const { return footer_multi_summaries_; }

bool TlxGridTableOptionsView::GetGroupFooterMultiSummaries() const { return group_footer_multi_summaries_; }

TlxGridGroupSummaryLayout TlxGridTableOptionsView::GetGroupSummaryLayout() const { return group_summary_layout_; }

TColor TlxGridTableOptionsView::GetGridLineColor() const {
  return grid_line_color_ != clDefault ? grid_line_color_ : LookAndFeelPainter()->GetDefaultGridLineColor();
}

TColor TlxGridTableOptionsView::GetRowSeparatorColor() const {
  return row_separator_color_ != clDefault ? row_separator_color_
                                           : LookAndFeelPainter()->GetDefaultRecordSeparatorColor();
}

// --- TlxGridSpecialRowOptions --------------------------------------------------------------------

void TlxGridSpecialRowOptions::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridSpecialRowOptions*>(source)) {
    if (other->info_text_assigned_)
      SetInfoText(other->info_text_);
    SetSeparatorColor(other->SeparatorColor());
    SetSeparatorWidth(other->SeparatorWidth());
    SetVisible(other->Visible());
  }
  TlxCustomGridOptions::Assign(source);
}

std::string TlxGridSpecialRowOptions::InfoText() const {
  return info_text_assigned_ ? info_text_ : GetDefaultInfoText();
}

void TlxGridSpecialRowOptions::SetInfoText(const std::string& value) {
  if (value == InfoText())
    return;
  info_text_ = value;
  info_text_assigned_ = value != GetDefaultInfoText();
  Changed(vckLayout);
}

bool TlxGridSpecialRowOptions::IsInfoTextStored() const {
  return info_text_assigned_ && info_text_ != GetDefaultInfoText();
}

TColor TlxGridSpecialRowOptions::GetSeparatorColor() const {
  return separator_color_ != clDefault ? separator_color_ : GetDefaultSeparatorColor();
}

void TlxGridSpecialRowOptions::SetSeparatorWidth(int32_t value) {
  SetOption(separator_width_, std::max(value, 2), vckSize);
}

void TlxGridSpecialRowOptions::SetVisible(bool value) {
  if (visible_ == value)
    return;
  visible_ = value;
  VisibleChanged();
}

TColor TlxGridSpecialRowOptions::GetDefaultSeparatorColor() const {
  return LookAndFeelPainter()->GetDefaultHeaderColor();
}

// --- TlxGridFilterRowOptions ---------------------------------------------------------------------

void TlxGridFilterRowOptions::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridFilterRowOptions*>(source))
    SetApplyChanges(other->ApplyChanges());
  TlxGridSpecialRowOptions::Assign(source);
}

std::string TlxGridFilterRowOptions::GetDefaultInfoText() const {
  return lxGridText(slxGridFilterRowInfoText);
}

void TlxGridFilterRowOptions::VisibleChanged() {
  if (TlxGridTableView* view = lxTableViewOfOptions(*this))
    if (view->ViewData() != nullptr)
      view->ViewData()->RecreateFilterRow();
  Changed(vckSize);
}

// --- TlxGridNewItemRowOptions --------------------------------------------------------------------

std::string TlxGridNewItemRowOptions::GetDefaultInfoText() const {
  return lxGridText(slxGridNewItemRowInfoText);
}

void TlxGridNewItemRowOptions::VisibleChanged() {
  if (TlxGridTableView* view = lxTableViewOfOptions(*this)) {
    if (view->ViewData() != nullptr)
      view->ViewData()->CheckNewItemRecord();
    if (view->DataController() != nullptr)
      view->DataController()->SetUseNewItemRowForEditing(Visible());
  }
  Changed(vckSize);
}

// --- TlxGridPreview ------------------------------------------------------------------------------

void TlxGridPreview::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridPreview*>(source)) {
    SetAutoHeight(other->AutoHeight());
    TlxGridTableView* view = lxTableViewOfOptions(*this);
    if (view != nullptr) {
      TlxGridColumn* own = nullptr;
      if (other->Column() != nullptr)
        own = dynamic_cast<TlxGridColumn*>(view->FindItemByID(other->Column()->ID()));
      SetColumn(own);
    }
    SetLeftIndent(other->LeftIndent());
    SetMaxLineCount(other->MaxLineCount());
    SetPlace(other->Place());
    SetRightIndent(other->RightIndent());
    SetVisible(other->Visible());
  }
  TlxCustomGridOptions::Assign(source);
}

void TlxGridPreview::SetColumn(TlxGridColumn* value) {
  if (value != nullptr && value->GridView() != GetGridView())
    value = nullptr;
  if (column_ == value)
    return;
  TlxGridTableView* view = lxTableViewOfOptions(*this);
  if (view == nullptr) {
    column_ = value;
    return;
  }
  // A column reads invisible while it is the preview column: the view's
  // visible list follows both the column leaving and the one coming.
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  TlxGridColumn* old_column = column_;
  column_ = value;
  for (TlxGridColumn* column : {old_column, value}) {
    if (column == nullptr)
      continue;
    column->VisibleChanged();
    view->ItemVisibilityChanged(column, column->GetVisible());
  }
  Changed(vckSize);
}

void TlxGridPreview::ColumnRemoved(TlxGridColumn* column) {
  if (column != nullptr && column == column_) {
    column_ = nullptr;
    Changed(Visible() ? vckSize : vckProperty);
  }
}

// --- TlxGridTableBackgroundBitmaps ---------------------------------------------------------------

void TlxGridTableBackgroundBitmaps::Assign(const TPersistent* source) {
  TlxCustomGridTableBackgroundBitmaps::Assign(source);
  if (dynamic_cast<const TlxGridTableBackgroundBitmaps*>(source) == nullptr)
    return;
  // GetValue makes an empty bitmap on first use, hence not const.
  auto* other = const_cast<TlxGridTableBackgroundBitmaps*>(static_cast<const TlxGridTableBackgroundBitmaps*>(source));
  for (int32_t index = kFooter; index <= kPreview; ++index)
    SetValue(index, other->GetValue(index));
}

int32_t TlxGridTableBackgroundBitmaps::GetBitmapStyleIndex(int32_t index) const {
  switch (index) {
    case kFooter:
      return TlxGridTableViewStyles::kFooter;
    case kHeader:
      return TlxGridTableViewStyles::kHeader;
    case kGroup:
      return TlxGridTableViewStyles::kGroup;
    case kGroupByBox:
      return TlxGridTableViewStyles::kGroupByBox;
    case kIndicator:
      return TlxGridTableViewStyles::kIndicator;
    case kPreview:
      return TlxGridTableViewStyles::kPreview;
    default:
      return TlxCustomGridTableBackgroundBitmaps::GetBitmapStyleIndex(index);
  }
}

// --- TlxGridTableFiltering -----------------------------------------------------------------------

void TlxGridTableFiltering::DefineProperties(TFiler& filer) {
  TlxCustomGridTableFiltering::DefineProperties(filer);
  filer.DefineProperty(
      "ColumnPopupDropDownWidth",
      [this](TReader& reader) { ColumnPopup().SetDropDownWidth(static_cast<int32_t>(reader.ReadInteger())); },
      nullptr, false);
  filer.DefineProperty(
      "ColumnPopupMaxDropDownItemCount",
      [this](TReader& reader) {
        ColumnPopup().SetMaxDropDownItemCount(static_cast<int32_t>(reader.ReadInteger()));
      },
      nullptr, false);
}
