#include "grid/grid_table_view_win.h"

#include <algorithm>
#include <string_view>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "editors/edit_properties.h"
#include "editors/filter_condition_operators.h"
#include "editors/filter_edit_helper.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_stored_values.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/geometry/auto_width.h"

namespace {

// The text margin a cell keeps on each side of its text.
constexpr int32_t kCellTextMargin = 2;

int32_t StoredInteger(const Variant& value) {
  try {
    return value.AsInteger();
  } catch (const EVariantError&) {
    throw EPropertyConvertError("Invalid property value");
  } catch (const EConvertError&) {
    throw EPropertyConvertError("Invalid property value");
  }
}

template <class Handler>
void SetViewHandler(TlxGridTableView& view, Handler& field, Handler handler) {
  field = std::move(handler);
  view.Changed(vckProperty);
}

}  // namespace

// --- TlxGridColumnOptions ------------------------------------------------------------------------

void TlxGridColumnOptions::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridColumnOptions*>(source)) {
    SetCellMerging(other->CellMerging());
    SetGroupFooters(other->GroupFooters());
    SetHorzSizing(other->HorzSizing());
  }
  TlxCustomGridTableItemOptions::Assign(source);
}

// --- TlxGridColumn -------------------------------------------------------------------------------

TlxGridColumn::TlxGridColumn(TComponent* owner) : TlxCustomGridTableItem(owner) {
  header_glyph_alignment_vert_ = vaCenter;
}

TlxGridColumn::~TlxGridColumn() {
  if (TlxGridTableView* view = GridView()) {
    if (view->ColumnSelectionAnchor() == this)
      view->SetColumnSelectionAnchor(nullptr);
    if (view->Preview() != nullptr)
      view->Preview()->ColumnRemoved(this);
  }
  selected_ = false;
}

TlxGridTableView* TlxGridColumn::GridView() const {
  return dynamic_cast<TlxGridTableView*>(TlxCustomGridTableItem::GridView());
}

TlxGridColumnOptions* TlxGridColumn::Options() const {
  return static_cast<TlxGridColumnOptions*>(TlxCustomGridTableItem::Options());
}

TlxGridColumnStyles* TlxGridColumn::Styles() const {
  return static_cast<TlxGridColumnStyles*>(TlxCustomGridTableItem::Styles());
}

void TlxGridColumn::SetSummary(const TlxGridColumnSummary& value) {
  if (summary_ != nullptr)
    summary_->Assign(&value);
}

void TlxGridColumn::CreateSubObjects() {
  TlxCustomGridTableItem::CreateSubObjects();
  header_glyph_ = std::make_unique<TBitmap>();
  header_glyph_->OnChange = [this](TObject* sender) { HeaderGlyphChanged(sender); };
  summary_ = std::make_unique<TlxGridColumnSummary>(this);
}

void TlxGridColumn::DestroySubObjects() {
  summary_.reset();
  header_glyph_.reset();
  TlxCustomGridTableItem::DestroySubObjects();
}

void TlxGridColumn::HeaderGlyphChanged(TObject* /*sender*/) { Changed(vckLayout); }

void TlxGridColumn::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridColumn*>(source)) {
    if (other->footer_alignment_horz_assigned_)
      SetFooterAlignmentHorz(other->footer_alignment_horz_);
    if (other->group_summary_alignment_assigned_)
      SetGroupSummaryAlignment(other->group_summary_alignment_);
    SetHeaderGlyph(other->HeaderGlyph());
    SetHeaderGlyphAlignmentHorz(other->HeaderGlyphAlignmentHorz());
    SetHeaderGlyphAlignmentVert(other->HeaderGlyphAlignmentVert());
    if (other->Summary() != nullptr)
      SetSummary(*other->Summary());
    on_compare_row_values_for_cell_merging_ = other->on_compare_row_values_for_cell_merging_;
    on_compare_values_for_cell_merging_ = other->on_compare_values_for_cell_merging_;
    on_custom_draw_footer_cell_ = other->on_custom_draw_footer_cell_;
    on_custom_draw_group_summary_cell_ = other->on_custom_draw_group_summary_cell_;
    on_custom_draw_header_ = other->on_custom_draw_header_;
    on_header_click_ = other->on_header_click_;
  }
  TlxCustomGridTableItem::Assign(source);
}

// --- alignments ---

TAlignment TlxGridColumn::SuggestedAlignment() const {
  TlxGridItemDataBinding* binding = DataBinding();
  if (binding == nullptr || binding->DefaultValuesProvider() == nullptr)
    return taLeftJustify;
  return binding->DefaultValuesProvider()->SuggestedAlignment();
}

TAlignment TlxGridColumn::FooterAlignmentHorz() const {
  return footer_alignment_horz_assigned_ ? footer_alignment_horz_ : SuggestedAlignment();
}

void TlxGridColumn::SetFooterAlignmentHorz(TAlignment value) {
  const bool loading = ComponentState().Contains(csLoading);
  if (footer_alignment_horz_assigned_ && value == footer_alignment_horz_ && !loading)
    return;
  footer_alignment_horz_ = value;
  footer_alignment_horz_assigned_ = true;
  Changed(vckLayout);
}

bool TlxGridColumn::IsFooterAlignmentHorzStored() const {
  return footer_alignment_horz_assigned_ && footer_alignment_horz_ != SuggestedAlignment();
}

TAlignment TlxGridColumn::GroupSummaryAlignment() const {
  return group_summary_alignment_assigned_ ? group_summary_alignment_ : SuggestedAlignment();
}

void TlxGridColumn::SetGroupSummaryAlignment(TAlignment value) {
  const bool loading = ComponentState().Contains(csLoading);
  if (group_summary_alignment_assigned_ && value == group_summary_alignment_ && !loading)
    return;
  group_summary_alignment_ = value;
  group_summary_alignment_assigned_ = true;
  Changed(vckLayout);
}

bool TlxGridColumn::IsGroupSummaryAlignmentStored() const {
  return group_summary_alignment_assigned_ && group_summary_alignment_ != SuggestedAlignment();
}

void TlxGridColumn::SetHeaderGlyph(const TBitmap* value) {
  if (header_glyph_ == nullptr)
    return;
  if (value == nullptr) {
    TBitmap empty;
    header_glyph_->Assign(&empty);
  } else {
    header_glyph_->Assign(value);
  }
  Changed(vckLayout);
}

void TlxGridColumn::SetHeaderGlyphAlignmentHorz(TAlignment value) {
  if (header_glyph_alignment_horz_ == value)
    return;
  header_glyph_alignment_horz_ = value;
  Changed(vckLayout);
}

void TlxGridColumn::SetHeaderGlyphAlignmentVert(TlxAlignmentVert value) {
  if (header_glyph_alignment_vert_ == value)
    return;
  header_glyph_alignment_vert_ = value;
  Changed(vckLayout);
}

// --- events ---

void TlxGridColumn::SetOnCompareRowValuesForCellMerging(TlxGridColumnCompareRowValuesEvent handler) {
  on_compare_row_values_for_cell_merging_ = std::move(handler);
  Changed(vckProperty);
}

void TlxGridColumn::SetOnCompareValuesForCellMerging(TlxGridColumnCompareValuesEvent handler) {
  on_compare_values_for_cell_merging_ = std::move(handler);
  Changed(vckProperty);
}

void TlxGridColumn::SetOnCustomDrawFooterCell(TlxGridColumnCustomDrawHeaderEvent handler) {
  on_custom_draw_footer_cell_ = std::move(handler);
  Changed(vckProperty);
}

void TlxGridColumn::SetOnCustomDrawGroupSummaryCell(TlxGridGroupSummaryCellCustomDrawEvent handler) {
  on_custom_draw_group_summary_cell_ = std::move(handler);
  Changed(vckProperty);
}

void TlxGridColumn::SetOnCustomDrawHeader(TlxGridColumnCustomDrawHeaderEvent handler) {
  on_custom_draw_header_ = std::move(handler);
  Changed(vckProperty);
}

void TlxGridColumn::SetOnHeaderClick(TNotifyEvent handler) {
  on_header_click_ = std::move(handler);
  Changed(vckProperty);
}

void TlxGridColumn::DoHeaderClick() {
  // The handler may free the column or its view.
  TWeakRef<TlxGridTableView> view(GridView());
  TWeakRef<TlxGridColumn> self(this);
  // A copy runs, so that the handler outlives a column it frees.
  if (TNotifyEvent handler = on_header_click_)
    handler(this);
  TlxGridTableView* target = view.Get();
  if (target != nullptr && self)
    target->DoColumnHeaderClick(this);
}

bool TlxGridColumn::DoCustomDrawHeader(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info) {
  bool done = false;
  if (on_custom_draw_header_)
    on_custom_draw_header_(GridView(), canvas, view_info, done);
  return done;
}

bool TlxGridColumn::DoCustomDrawFooterCell(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info) {
  bool done = false;
  if (on_custom_draw_footer_cell_)
    on_custom_draw_footer_cell_(GridView(), canvas, view_info, done);
  return done;
}

bool TlxGridColumn::DoCustomDrawGroupSummaryCell(TlxCanvas* canvas, TlxCustomGridViewCellViewInfo* view_info,
                                                 TlxGridGroupRow* row, TlxDataSummaryItem* summary_item) {
  bool done = false;
  if (on_custom_draw_group_summary_cell_)
    on_custom_draw_group_summary_cell_(this, canvas, row, this, summary_item, view_info, done);
  return done;
}

// --- cell merging ---

bool TlxGridColumn::CanCellMerging() const {
  TlxGridTableView* view = GridView();
  return Options()->CellMerging() && view != nullptr && view->CanCellMerging();
}

bool TlxGridColumn::DoCompareValuesForCellMerging(TlxGridDataRow* row1, TlxCustomEditProperties* properties1,
                                                  const Variant& value1, TlxGridDataRow* row2,
                                                  TlxCustomEditProperties* properties2, const Variant& value2) {
  bool equal = properties1 == properties2 && properties1 != nullptr && properties1->EditValuesEqual(value1, value2);
  if (on_compare_values_for_cell_merging_)
    on_compare_values_for_cell_merging_(this, properties1, value1, properties2, value2, equal);
  if (on_compare_row_values_for_cell_merging_)
    on_compare_row_values_for_cell_merging_(this, row1, properties1, value1, row2, properties2, value2, equal);
  return equal;
}

// --- place and visibility ---

bool TlxGridColumn::IsPreview() const {
  TlxGridTableView* view = GridView();
  return view != nullptr && view->Preview() != nullptr && view->Preview()->Column() == this;
}

bool TlxGridColumn::GetVisible() const { return TlxCustomGridTableItem::GetVisible() && !IsPreview(); }

bool TlxGridColumn::GetActuallyVisible() const {
  return TlxCustomGridTableItem::GetActuallyVisible() && !IsPreview();
}

bool TlxGridColumn::GetVisibleForCustomization() const {
  return TlxCustomGridTableItem::GetVisibleForCustomization() && !IsPreview();
}

bool TlxGridColumn::IsLeft() const { return VisibleIndex() == 0; }

bool TlxGridColumn::IsRight() const {
  TlxGridTableView* view = GridView();
  return view != nullptr && VisibleIndex() >= 0 && VisibleIndex() == view->VisibleColumnCount() - 1;
}

bool TlxGridColumn::HidesOnGrouping() const {
  TlxGridTableView* view = GridView();
  return view != nullptr && view->OptionsCustomize()->ColumnHidingOnGrouping();
}

bool TlxGridColumn::GroupBy(int32_t group_index, bool can_show) {
  if (!CanGroup() && !ComponentState().Contains(csDesigning))
    return false;
  const bool was_grouped = GroupIndex() != -1;
  TlxGridTableView* view = GridView();
  if (view == nullptr)
    return false;
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  if (group_index == -1) {
    SetGroupIndex(-1);
    if (was_grouped && can_show && WasVisibleBeforeGrouping())
      SetVisible(true);
    return true;
  }
  if (!was_grouped)
    SetWasVisibleBeforeGrouping(Visible());
  SetGroupIndex(group_index);
  if (HidesOnGrouping() && CanHide())
    SetVisible(false);
  return true;
}

void TlxGridColumn::Focus() {
  TlxGridTableView* view = GridView();
  if (view == nullptr)
    return;
  if (view->FocusedItem() != this) {
    view->BeginUpdate();
    TScopeExit end_update([view] { view->EndUpdate(); });
    view->ClearColumnSelection();
    selected_ = true;
    view->SetColumnSelectionAnchor(this);
  }
  view->SetFocusedItem(this);
}

// --- sizing ---

bool TlxGridColumn::HasFixedWidth() const { return Options() != nullptr && !Options()->HorzSizing(); }

bool TlxGridColumn::CanHorzSize() const {
  TlxGridTableView* view = GridView();
  return TlxCustomGridTableItem::CanHorzSize() && view != nullptr && view->OptionsCustomize()->ColumnHorzSizing();
}

void TlxGridColumn::ForceWidth(int32_t width) {
  TlxGridTableView* view = GridView();
  const bool auto_width = view != nullptr && view->OptionsView()->ColumnAutoWidth();
  if (!auto_width) {
    TlxCustomGridTableItem::ForceWidth(width);
    Changed(vckSize);
    return;
  }
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  // The displayed widths become the stored ones, the column takes its new
  // width, and its neighbours to the right make room.
  view->StoreColumnAutoWidths();
  TStateScope forcing(forcing_width_, true);
  TlxCustomGridTableItem::ForceWidth(width);
  view->StoreColumnAutoWidths();
  Changed(vckSize);
}

void TlxGridColumn::SizeChanged(bool fire_event) {
  TlxGridTableView* view = GridView();
  if (view == nullptr)
    return;
  if (fire_event)
    view->DoColumnSizeChanged(this);
}

int32_t TlxGridColumn::GridLineWidthForBestFit() const {
  TlxGridTableView* view = GridView();
  if (view == nullptr)
    return 0;
  const TlxGridLines lines = view->OptionsView()->GridLines();
  if (lines != glBoth && lines != glVertical)
    return 0;
  // One line at the cell's right edge.
  return 1;
}

int32_t TlxGridColumn::CalculateBestFitWidth() {
  TlxGridTableView* view = GridView();
  if (view == nullptr || Index() < 0)
    return 0;
  TlxCustomGridViewInfo* view_info = view->ViewInfo();
  if (view_info == nullptr || view->Site() == nullptr)
    return TlxCustomGridTableItem::CalculateBestFitWidth() + GridLineWidthForBestFit();
  TlxCanvas& canvas = view_info->Canvas();
  TlxPaintParams params;
  Styles()->GetContentParams(nullptr, params);
  if (params.Font != nullptr)
    canvas.Font().Assign(params.Font);

  TlxCustomDataController* controller = view->DataController();
  const int32_t row_count = controller->GetRowCount();
  const int32_t limit = view->OptionsBehavior()->BestFitMaxRecordCount();
  const int32_t first = limit == 0 ? 0 : std::max(controller->FocusedRowIndex(), 0);
  const int32_t last = limit == 0 ? row_count - 1 : std::min(row_count - 1, first + limit - 1);
  int32_t widest = 0;
  for (int32_t row = first; row <= last; ++row) {
    const TlxRowInfo info = controller->GetRowInfo(row);
    if (info.Level < controller->Groups().GroupedItemCount())
      continue;
    widest = std::max(widest, canvas.MeasureTextWidth(controller->GetRowDisplayText(info, Index())));
  }
  int32_t width = widest > 0 ? widest + 2 * kCellTextMargin : 0;
  width += GridLineWidthForBestFit();
  if (!Visible())
    return width;
  TlxPainterClass painter = view->LookAndFeelPainter();
  if (view->OptionsView()->Header()) {
    TlxPaintParams header;
    Styles()->GetHeaderParams(header);
    if (header.Font != nullptr)
      canvas.Font().Assign(header.Font);
    int32_t header_width = canvas.MeasureTextWidth(Caption()) + 2 * kCellTextMargin + 2 * painter->GetHeaderBorderSize();
    if (SortOrder() != soNone)
      header_width += painter->GetSortingMarkAreaSize().cx;
    if (header_glyph_ != nullptr && !header_glyph_->Empty())
      header_width += header_glyph_->Width() + kCellTextMargin;
    width = std::max(width, header_width);
  }
  if (view->OptionsView()->Footer()) {
    if (TlxDataSummaryItem* item = summary_ != nullptr ? summary_->SummaryItem(TlxGridColumnSummary::kFooter) : nullptr) {
      const std::string text = controller->Summary().GetFooterSummaryText(item->Index());
      width = std::max(width, canvas.MeasureTextWidth(text) + 2 * kCellTextMargin + 2 * painter->GetFooterBorderSize());
    }
  }
  return width;
}

// --- editing, also in the filter row ---

bool TlxGridColumn::CanFocus(TlxCustomGridRecord* record) const {
  auto* row = dynamic_cast<TlxCustomGridRow*>(record);
  if (row != nullptr && row->IsFilterRow())
    return CanFocusInFilterRow();
  return TlxCustomGridTableItem::CanFocus(record);
}

bool TlxGridColumn::CanFocusInFilterRow() const { return GetActuallyVisible() && CanFilter(false); }

bool TlxGridColumn::CanEditInFilterRow() const { return CanFocusInFilterRow() && GetFocusedCellViewInfo() != nullptr; }

bool TlxGridColumn::CanEdit() const {
  TlxGridTableView* view = GridView();
  TlxCustomGridRecord* focused = nullptr;
  if (view != nullptr && view->ViewData() != nullptr) {
    const int32_t row = view->DataController()->FocusedRowIndex();
    TlxGridFilterRow* filter_row = view->ViewData()->FilterRow();
    if (filter_row != nullptr && filter_row->GetSelected())
      focused = filter_row;
    else if (row >= 0)
      focused = view->ViewData()->GetRecordByIndex(row);
  }
  auto* row = dynamic_cast<TlxCustomGridRow*>(focused);
  if (row != nullptr && row->IsFilterRow())
    return CanEditInFilterRow();
  return TlxCustomGridTableItem::CanEdit() && !Options()->CellMerging();
}

bool TlxGridColumn::FilterRowUsesLike() const {
  TlxGridTableView* view = GridView();
  if (view == nullptr || view->FilterRow()->ApplyChanges() != fracImmediately)
    return false;
  TlxCustomEditProperties* properties = const_cast<TlxGridColumn*>(this)->GetProperties();
  if (properties == nullptr)
    return false;
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(properties->ClassType());
  if (helper == nullptr)
    return false;
  TlxFilterConditionOperators operators;
  helper->GetSupportedOperators(properties, DataBinding()->GetValueTypeClass(), operators, false);
  return operators.Contains(fcoLike);
}

Variant TlxGridColumn::GetFilterRowEditValue() {
  TlxGridTableView* view = GridView();
  TlxGridFilterRow* row = view != nullptr ? view->ViewData()->FilterRow() : nullptr;
  if (row == nullptr)
    return Variant::Null();
  Variant value = row->GetValue(Index());
  if (value.IsText() && FilterRowUsesLike()) {
    std::string text = VarToStr(value);
    if (!text.empty() && text.back() == '%') {
      text.pop_back();
      value = Variant(text);
    }
  }
  return value;
}

void TlxGridColumn::SetFilterRowEditValue(const Variant& value) {
  TlxGridTableView* view = GridView();
  TlxGridFilterRow* row = view != nullptr ? view->ViewData()->FilterRow() : nullptr;
  if (row == nullptr)
    return;
  Variant edited = value;
  if (value.IsText() && FilterRowUsesLike()) {
    const std::string text = VarToStr(value);
    if (!text.empty() && text.back() != '%')
      edited = Variant(text + "%");
  }
  row->SetValue(Index(), edited);
  view->Filtering()->AddFilterToMRU(nullptr);
}

Variant TlxGridColumn::GetEditValue() {
  TlxGridTableView* view = GridView();
  TlxGridFilterRow* row = view != nullptr ? view->ViewData()->FilterRow() : nullptr;
  if (row != nullptr && row->GetSelected())
    return GetFilterRowEditValue();
  return TlxCustomGridTableItem::GetEditValue();
}

// --- stored properties ---

bool TlxGridColumn::GetStoredProperties(TStrings* properties) {
  properties->Add("GroupIndex");
  properties->Add("Width");
  return TlxCustomGridTableItem::GetStoredProperties(properties);
}

void TlxGridColumn::GetStoredPropertyValue(const std::string& name, Variant& value) {
  if (name == "GroupIndex")
    value = Variant(GroupIndex());
  else if (name == "Width")
    value = Variant(Width());
  else
    TlxCustomGridTableItem::GetStoredPropertyValue(name, value);
}

void TlxGridColumn::SetStoredPropertyValue(const std::string& name, const Variant& value) {
  // Converted before anything changes: a value that is no integer is the
  // conversion error and the column stays as it was.
  if (name == "GroupIndex")
    SetGroupIndex(StoredInteger(value));
  else if (name == "Width")
    SetWidth(StoredInteger(value));
  else
    TlxCustomGridTableItem::SetStoredPropertyValue(name, value);
}

// --- TlxGridTableView ----------------------------------------------------------------------------

TlxGridTableView::TlxGridTableView(TComponent* owner) : TlxCustomGridTableView(owner) {}

TlxGridTableView::TlxGridTableView(TlxCustomGrid* control, bool cloned) : TlxCustomGridTableView(control, cloned) {}

TlxGridTableView::~TlxGridTableView() {
  // Columns go while the view's own objects still exist.
  ClearItems();
}

TlxGridViewData* TlxGridTableView::ViewData() const {
  return static_cast<TlxGridViewData*>(TlxCustomGridView::ViewData());
}

TlxGridTableBackgroundBitmaps* TlxGridTableView::BackgroundBitmaps() const {
  return static_cast<TlxGridTableBackgroundBitmaps*>(TlxCustomGridView::BackgroundBitmaps());
}

TlxGridTableDateTimeHandling* TlxGridTableView::DateTimeHandling() const {
  return static_cast<TlxGridTableDateTimeHandling*>(TlxCustomGridTableView::DateTimeHandling());
}

TlxGridTableFiltering* TlxGridTableView::Filtering() const {
  return static_cast<TlxGridTableFiltering*>(TlxCustomGridTableView::Filtering());
}

TlxGridTableOptionsBehavior* TlxGridTableView::OptionsBehavior() const {
  return static_cast<TlxGridTableOptionsBehavior*>(TlxCustomGridView::OptionsBehavior());
}

TlxGridTableOptionsCustomize* TlxGridTableView::OptionsCustomize() const {
  return static_cast<TlxGridTableOptionsCustomize*>(TlxCustomGridTableView::OptionsCustomize());
}

TlxGridTableOptionsData* TlxGridTableView::OptionsData() const {
  return static_cast<TlxGridTableOptionsData*>(TlxCustomGridView::OptionsData());
}

TlxGridTableOptionsSelection* TlxGridTableView::OptionsSelection() const {
  return static_cast<TlxGridTableOptionsSelection*>(TlxCustomGridView::OptionsSelection());
}

TlxGridTableOptionsView* TlxGridTableView::OptionsView() const {
  return static_cast<TlxGridTableOptionsView*>(TlxCustomGridView::OptionsView());
}

TlxGridTableViewStyles* TlxGridTableView::Styles() const {
  return static_cast<TlxGridTableViewStyles*>(TlxCustomGridView::Styles());
}

void TlxGridTableView::SetFilterRow(const TlxGridFilterRowOptions& value) { filter_row_->Assign(&value); }

void TlxGridTableView::SetNewItemRow(const TlxGridNewItemRowOptions& value) { new_item_row_->Assign(&value); }

void TlxGridTableView::SetPreview(const TlxGridPreview& value) { preview_->Assign(&value); }

// --- columns ---

TlxGridColumn* TlxGridTableView::CreateColumn() { return static_cast<TlxGridColumn*>(CreateItem()); }

TlxGridColumn* TlxGridTableView::Columns(int32_t index) const { return static_cast<TlxGridColumn*>(Items(index)); }

TlxGridColumn* TlxGridTableView::VisibleColumns(int32_t index) const {
  return static_cast<TlxGridColumn*>(VisibleItems(index));
}

int32_t TlxGridTableView::GroupedColumnCount() const { return DataController()->Groups().GroupedItemCount(); }

TlxGridColumn* TlxGridTableView::GroupedColumns(int32_t group_index) const {
  const int32_t item_index = DataController()->Groups().GroupedItemIndex(group_index);
  return item_index >= 0 && item_index < ItemCount() ? Columns(item_index) : nullptr;
}

int32_t TlxGridTableView::SortedColumnCount() const { return DataController()->GetSortingItemCount(); }

TlxGridColumn* TlxGridTableView::SortedColumns(int32_t sort_index) const {
  for (int32_t i = 0; i < ItemCount(); ++i)
    if (Items(i)->SortIndex() == sort_index)
      return Columns(i);
  return nullptr;
}

std::vector<TlxGridColumn*> TlxGridTableView::SelectedColumns() const {
  std::vector<TlxGridColumn*> selected;
  for (int32_t i = 0; i < VisibleColumnCount(); ++i)
    if (VisibleColumns(i)->Selected())
      selected.push_back(VisibleColumns(i));
  return selected;
}

void TlxGridTableView::ClearColumnSelection() {
  for (int32_t i = 0; i < ColumnCount(); ++i)
    Columns(i)->SetSelected(false);
}

// --- widths and heights ---

int32_t TlxGridTableView::AutoWidthAvailableWidth() const {
  TlxCustomGridViewInfo* view_info = ViewInfo();
  if (view_info == nullptr || !view_info->HasSiteClientBounds())
    return 0;
  int32_t width = view_info->ClientWidth();
  if (OptionsView()->Indicator())
    width -= OptionsView()->IndicatorWidth();
  return std::max(width, 0);
}

void TlxGridTableView::StoreColumnAutoWidths() {
  const int32_t available = AutoWidthAvailableWidth();
  const int32_t count = VisibleColumnCount();
  if (available <= 0 || count == 0)
    return;
  // While a column is forced, it and the columns to its left keep their
  // widths: the columns to its right make room.
  int32_t forced_index = -1;
  for (int32_t i = 0; i < count; ++i)
    if (VisibleColumns(i)->IsForcingWidth())
      forced_index = i;
  TlxAutoWidthObject distribution(count);
  distribution.AvailableWidth = available;
  for (int32_t i = 0; i < count; ++i) {
    TlxGridColumn* column = VisibleColumns(i);
    TlxAutoWidthItem* item = distribution.NewItem();
    item->Width = column->Width();
    item->MinWidth = column->MinWidth();
    item->Fixed = column->HasFixedWidth() || i <= forced_index;
  }
  distribution.Calculate();
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  for (int32_t i = 0; i < count; ++i) {
    TlxGridColumn* column = VisibleColumns(i);
    column->TlxCustomGridTableItem::ForceWidth(distribution.GetItem(i)->AutoWidth);
  }
  Changed(vckSize);
}

int32_t TlxGridTableView::MinDataRowHeight() const {
  // The tallest text cell: the content font's text height with the cell's
  // text margins, and the grid line below it.
  TlxCustomGridViewInfo* view_info = ViewInfo();
  if (view_info == nullptr)
    return 1;
  TlxPaintParams params;
  Styles()->GetContentParams(nullptr, nullptr, params);
  return view_info->GetFontHeight(params.Font) + 2 * kCellTextMargin + 1;
}

int32_t TlxGridTableView::MinGroupRowHeight() const {
  TlxCustomGridViewInfo* view_info = ViewInfo();
  if (view_info == nullptr)
    return 1;
  TlxPaintParams params;
  Styles()->GetGroupParams(nullptr, 0, params);
  return view_info->GetFontHeight(params.Font) + 2 * kCellTextMargin + 1;
}

bool TlxGridTableView::CanCellMerging() const {
  return (preview_ == nullptr || !preview_->Active()) && OptionsView()->RowSeparatorWidth() == 0;
}

// --- events ---

void TlxGridTableView::SetOnColumnHeaderClick(TlxGridColumnEvent handler) {
  SetViewHandler(*this, on_column_header_click_, std::move(handler));
}

void TlxGridTableView::SetOnColumnPosChanged(TlxGridColumnEvent handler) {
  SetViewHandler(*this, on_column_pos_changed_, std::move(handler));
}

void TlxGridTableView::SetOnColumnSizeChanged(TlxGridColumnEvent handler) {
  SetViewHandler(*this, on_column_size_changed_, std::move(handler));
}

void TlxGridTableView::SetOnCustomDrawColumnHeader(TlxGridColumnCustomDrawHeaderEvent handler) {
  SetViewHandler(*this, on_custom_draw_column_header_, std::move(handler));
}

void TlxGridTableView::SetOnCustomDrawFooterCell(TlxGridColumnCustomDrawHeaderEvent handler) {
  SetViewHandler(*this, on_custom_draw_footer_cell_, std::move(handler));
}

void TlxGridTableView::SetOnCustomDrawGroupCell(TlxGridTableCellCustomDrawEvent handler) {
  SetViewHandler(*this, on_custom_draw_group_cell_, std::move(handler));
}

void TlxGridTableView::SetOnCustomDrawGroupSummaryCell(TlxGridGroupSummaryCellCustomDrawEvent handler) {
  SetViewHandler(*this, on_custom_draw_group_summary_cell_, std::move(handler));
}

void TlxGridTableView::SetOnCustomDrawIndicatorCell(TlxGridIndicatorCellCustomDrawEvent handler) {
  SetViewHandler(*this, on_custom_draw_indicator_cell_, std::move(handler));
}

void TlxGridTableView::SetOnLeftPosChanged(TNotifyEvent handler) {
  SetViewHandler(*this, on_left_pos_changed_, std::move(handler));
}

void TlxGridTableView::DoColumnHeaderClick(TlxGridColumn* column) {
  if (on_column_header_click_)
    on_column_header_click_(this, column);
}

void TlxGridTableView::DoColumnPosChanged(TlxGridColumn* column) {
  if (on_column_pos_changed_)
    on_column_pos_changed_(this, column);
}

void TlxGridTableView::DoColumnSizeChanged(TlxGridColumn* column) {
  if (on_column_size_changed_)
    on_column_size_changed_(this, column);
}

bool TlxGridTableView::DoCustomDrawColumnHeader(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info) {
  bool done = false;
  if (on_custom_draw_column_header_)
    on_custom_draw_column_header_(this, canvas, view_info, done);
  return done;
}

bool TlxGridTableView::DoCustomDrawFooterCell(TlxCanvas* canvas, TlxGridColumnHeaderViewInfo* view_info) {
  bool done = false;
  if (on_custom_draw_footer_cell_)
    on_custom_draw_footer_cell_(this, canvas, view_info, done);
  return done;
}

bool TlxGridTableView::DoCustomDrawGroupCell(TlxCanvas* canvas, TlxGridTableCellViewInfo* view_info) {
  bool done = false;
  if (on_custom_draw_group_cell_)
    on_custom_draw_group_cell_(this, canvas, view_info, done);
  return done;
}

bool TlxGridTableView::DoCustomDrawGroupSummaryCell(TlxCanvas* canvas, TlxCustomGridViewCellViewInfo* view_info,
                                                    TlxGridGroupRow* row, TlxGridColumn* column,
                                                    TlxDataSummaryItem* summary_item) {
  bool done = false;
  if (on_custom_draw_group_summary_cell_)
    on_custom_draw_group_summary_cell_(this, canvas, row, column, summary_item, view_info, done);
  return done;
}

bool TlxGridTableView::DoCustomDrawIndicatorCell(TlxCanvas* canvas, TlxCustomGridIndicatorItemViewInfo* view_info) {
  bool done = false;
  if (on_custom_draw_indicator_cell_)
    on_custom_draw_indicator_cell_(this, canvas, view_info, done);
  return done;
}

void TlxGridTableView::DoLeftPosChanged() {
  if (on_left_pos_changed_)
    on_left_pos_changed_(this);
}

// --- part classes ---

const TClass* TlxGridTableView::GetControllerClass() const { return &TlxGridTableController::kClass; }

const TClass* TlxGridTableView::GetDataControllerClass() const { return &TlxGridDataController::kClass; }

const TClass* TlxGridTableView::GetPainterClass() const { return &TlxGridTablePainter::kClass; }

const TClass* TlxGridTableView::GetViewDataClass() const { return &TlxGridViewData::kClass; }

const TClass* TlxGridTableView::GetViewInfoClass() const { return &TlxGridTableViewInfo::kClass; }

const TClass* TlxGridTableView::GetBackgroundBitmapsClass() const { return &TlxGridTableBackgroundBitmaps::kClass; }

const TClass* TlxGridTableView::GetDateTimeHandlingClass() const { return &TlxGridTableDateTimeHandling::kClass; }

const TClass* TlxGridTableView::GetFilteringClass() const { return &TlxGridTableFiltering::kClass; }

const TClass* TlxGridTableView::GetOptionsBehaviorClass() const { return &TlxGridTableOptionsBehavior::kClass; }

const TClass* TlxGridTableView::GetOptionsCustomizeClass() const { return &TlxGridTableOptionsCustomize::kClass; }

const TClass* TlxGridTableView::GetOptionsDataClass() const { return &TlxGridTableOptionsData::kClass; }

const TClass* TlxGridTableView::GetOptionsSelectionClass() const { return &TlxGridTableOptionsSelection::kClass; }

const TClass* TlxGridTableView::GetOptionsViewClass() const { return &TlxGridTableOptionsView::kClass; }

const TClass* TlxGridTableView::GetStylesClass() const { return &TlxGridTableViewStyles::kClass; }

const TClass* TlxGridTableView::GetSummaryItemClass() const { return &TlxGridTableSummaryItem::kClass; }

const TClass* TlxGridTableView::GetSummaryGroupItemLinkClass() const {
  return &TlxGridTableSummaryGroupItemLink::kClass;
}

std::string TlxGridTableView::GetLayoutCustomizationCaption() const { return "Columns customization"; }

void TlxGridTableView::CreateOptions() {
  TlxCustomGridTableView::CreateOptions();
  filter_row_ = lxCreatePart<TlxGridFilterRowOptions>(GetFilterRowOptionsClass(), this);
  new_item_row_ = lxCreatePart<TlxGridNewItemRowOptions>(GetNewItemRowOptionsClass(), this);
  preview_ = lxCreatePart<TlxGridPreview>(GetPreviewClass(), this);
}

void TlxGridTableView::DestroyOptions() {
  preview_.reset();
  new_item_row_.reset();
  filter_row_.reset();
  TlxCustomGridTableView::DestroyOptions();
}

void TlxGridTableView::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridTableView*>(source)) {
    on_column_header_click_ = other->on_column_header_click_;
    on_column_pos_changed_ = other->on_column_pos_changed_;
    on_column_size_changed_ = other->on_column_size_changed_;
    on_custom_draw_column_header_ = other->on_custom_draw_column_header_;
    on_custom_draw_footer_cell_ = other->on_custom_draw_footer_cell_;
    on_custom_draw_group_cell_ = other->on_custom_draw_group_cell_;
    on_custom_draw_group_summary_cell_ = other->on_custom_draw_group_summary_cell_;
    on_custom_draw_indicator_cell_ = other->on_custom_draw_indicator_cell_;
    on_left_pos_changed_ = other->on_left_pos_changed_;
    TlxCustomGridTableView::Assign(source);
    filter_row_->Assign(other->FilterRow());
    new_item_row_->Assign(other->NewItemRow());
    preview_->Assign(other->Preview());
    return;
  }
  TlxCustomGridTableView::Assign(source);
}

void TlxGridTableView::AssignLayout(TlxCustomGridView* view) {
  TlxCustomGridTableView::AssignLayout(view);
  auto* other = dynamic_cast<TlxGridTableView*>(view);
  if (other == nullptr)
    return;
  OptionsView()->SetDataRowHeight(other->OptionsView()->DataRowHeight());
  OptionsView()->SetFooter(other->OptionsView()->Footer());
  OptionsView()->SetGroupByBox(other->OptionsView()->GroupByBox());
  OptionsView()->SetGroupFooters(other->OptionsView()->GroupFooters());
  OptionsView()->SetGroupRowHeight(other->OptionsView()->GroupRowHeight());
}

bool TlxGridTableView::GetStoredProperties(TStrings* properties) {
  for (const char* name : {"Footer", "GroupByBox", "GroupFooters", "NewItemRow"})
    properties->Add(name);
  return TlxCustomGridTableView::GetStoredProperties(properties);
}

void TlxGridTableView::GetStoredPropertyValue(const std::string& name, Variant& value) {
  if (name == "Footer")
    value = Variant(OptionsView()->Footer());
  else if (name == "GroupByBox")
    value = Variant(OptionsView()->GroupByBox());
  else if (name == "GroupFooters")
    value = Variant(static_cast<int32_t>(OptionsView()->GroupFooters()));
  else if (name == "NewItemRow")
    value = Variant(NewItemRow()->Visible());
  else
    TlxCustomGridTableView::GetStoredPropertyValue(name, value);
}

void TlxGridTableView::SetStoredPropertyValue(const std::string& name, const Variant& value) {
  // Each value is converted before it is stored: a value that does not
  // convert is the conversion error and the view stays as it was.
  if (name == "Footer") {
    OptionsView()->SetFooter(lxStoredBoolean(value));
  } else if (name == "GroupByBox") {
    OptionsView()->SetGroupByBox(lxStoredBoolean(value));
  } else if (name == "GroupFooters") {
    // Older stores kept a Boolean as text.
    TlxGridGroupFootersMode mode;
    if (value.IsText())
      mode = lxStoredBoolean(value) ? gfVisibleWhenExpanded : gfInvisible;
    else
      mode = static_cast<TlxGridGroupFootersMode>(lxStoredOrdinal(value, gfAlwaysVisible + 1));
    OptionsView()->SetGroupFooters(mode);
  } else if (name == "NewItemRow") {
    NewItemRow()->SetVisible(lxStoredBoolean(value));
  } else {
    TlxCustomGridTableView::SetStoredPropertyValue(name, value);
  }
}

// --- answers to the custom table view ---

bool TlxGridTableView::HasEqualHeightRecords() {
  return TlxCustomGridTableView::HasEqualHeightRecords() && !(preview_ != nullptr && preview_->Active()) &&
         GroupedColumnCount() == 0 && !HasDetails();
}

bool TlxGridTableView::HasAutoHeightRecords() {
  return OptionsView()->CellAutoHeight() || (preview_ != nullptr && preview_->Active() && preview_->AutoHeight());
}

bool TlxGridTableView::RecordHeightDependsOnData() {
  return TlxCustomGridTableView::RecordHeightDependsOnData() ||
         (preview_ != nullptr && preview_->Active() && preview_->AutoHeight());
}

bool TlxGridTableView::UsesSizeChanges() const {
  return TlxCustomGridTableView::UsesSizeChanges() || OptionsView()->ColumnAutoWidth() ||
         (preview_ != nullptr && preview_->Active()) || HasDetails();
}

bool TlxGridTableView::CanScrollRowsByPixels() const { return !HasDetails(); }

bool TlxGridTableView::CanScrollHorizontallyByPixels() const {
  TlxCustomGrid* grid = Grid();
  if (grid != nullptr && grid->IsUpdateLocked())
    return false;
  return !(HasDetails() && GroupedColumnCount() > 0);
}

void TlxGridTableView::DetailDataChanged(TlxCustomGridView* detail_view) {
  TlxCustomGridTableView::DetailDataChanged(detail_view);
  // Expand buttons may appear or vanish with the detail's data.
  if (!OptionsView()->GetExpandButtonsForEmptyDetails())
    SizeChanged(false, false);
}

void TlxGridTableView::GetItemsForClipboard(std::vector<TlxCustomGridTableItem*>& list, bool copy_all) {
  list.clear();
  if (OptionsSelection()->CellMultiSelect() && !copy_all) {
    for (TlxGridColumn* column : SelectedColumns())
      list.push_back(column);
  } else {
    GetVisibleItemsForClipboard(list);
  }
  if (OptionsBehavior()->CopyPreviewToClipboard() && preview_ != nullptr && preview_->Active())
    list.push_back(preview_->Column());
}

bool TlxGridTableView::DrawCellSelected(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                        TlxCustomGridCellViewInfo* cell) {
  auto* row = dynamic_cast<TlxCustomGridRow*>(record);
  if (!OptionsSelection()->CellMultiSelect() || row == nullptr || !row->SupportsCellMultiSelect())
    return TlxCustomGridTableView::DrawCellSelected(record, item, cell);
  auto* column = dynamic_cast<TlxGridColumn*>(item);
  const bool editing_focused = record->IsEditing() && item == FocusedItem();
  return column != nullptr && column->Selected() && !editing_focused;
}

void TlxGridTableView::RemoveItem(TlxCustomGridTableItem* item) {
  // Compared as items: the column may be half destroyed by now.
  if (column_selection_anchor_ != nullptr && static_cast<TlxCustomGridTableItem*>(column_selection_anchor_) == item)
    column_selection_anchor_ = dynamic_cast<TlxGridColumn*>(FocusedItem() != item ? FocusedItem() : nullptr);
  if (preview_ != nullptr && preview_->Column() != nullptr &&
      static_cast<TlxCustomGridTableItem*>(preview_->Column()) == item)
    preview_->ColumnRemoved(preview_->Column());
  TlxCustomGridTableView::RemoveItem(item);
}

// --- TlxGridTableViewAccess and TlxGridColumnAccess ----------------------------------------------

bool TlxGridTableViewAccess::DoCustomDrawGroupCell(TlxGridTableView* view, TlxCanvas* canvas,
                                                   TlxGridTableCellViewInfo* view_info) {
  return view->DoCustomDrawGroupCell(canvas, view_info);
}

bool TlxGridTableViewAccess::DoCustomDrawGroupSummaryCell(TlxGridTableView* view, TlxCanvas* canvas,
                                                          TlxCustomGridViewCellViewInfo* view_info,
                                                          TlxGridGroupRow* row, TlxGridColumn* column,
                                                          TlxDataSummaryItem* summary_item) {
  return view->DoCustomDrawGroupSummaryCell(canvas, view_info, row, column, summary_item);
}

bool TlxGridTableViewAccess::HasCustomDrawGroupCell(const TlxGridTableView* view) {
  return view->HasCustomDrawGroupCell();
}

bool TlxGridTableViewAccess::HasCustomDrawGroupSummaryCell(const TlxGridTableView* view) {
  return view->HasCustomDrawGroupSummaryCell();
}

bool TlxGridTableViewAccess::CustomDrawGroupSummaryCell(TlxGridTableView* view, TlxCanvas* canvas,
                                                        TlxCustomGridViewCellViewInfo* view_info,
                                                        TlxGridGroupRow* row, TlxGridColumn* column,
                                                        TlxDataSummaryItem* summary_item, bool cell_done) {
  if (cell_done)
    return true;
  if (column != nullptr && TlxGridColumnAccess::DoCustomDrawGroupSummaryCell(column, canvas, view_info, row,
                                                                             summary_item))
    return true;
  return DoCustomDrawGroupSummaryCell(view, canvas, view_info, row, column, summary_item);
}

bool TlxGridTableViewAccess::HasAnyCustomDrawGroupSummaryCell(const TlxGridTableView* view,
                                                              const TlxGridColumn* column,
                                                              bool cell_has_custom_draw) {
  return cell_has_custom_draw || (column != nullptr && TlxGridColumnAccess::HasCustomDrawGroupSummaryCell(column)) ||
         HasCustomDrawGroupSummaryCell(view);
}

bool TlxGridColumnAccess::DoCustomDrawGroupSummaryCell(TlxGridColumn* column, TlxCanvas* canvas,
                                                       TlxCustomGridViewCellViewInfo* view_info,
                                                       TlxGridGroupRow* row, TlxDataSummaryItem* summary_item) {
  return column->DoCustomDrawGroupSummaryCell(canvas, view_info, row, summary_item);
}

bool TlxGridColumnAccess::HasCustomDrawGroupSummaryCell(const TlxGridColumn* column) {
  return column->HasCustomDrawGroupSummaryCell();
}

// --- module --------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& TableViewModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxGridTableViewModuleStart() {
  TableViewModule().Start([] {
    RegisterStreamableClasses({&TlxGridColumn::kClass, &TlxGridTableViewStyleSheet::kClass});
    TlxGridRegisteredViews::Instance().AddClass(&TlxGridTableView::kClass, "Table");
  });
}

void lxGridTableViewModuleEnd() {
  TableViewModule().End([] { TlxGridRegisteredViews::Instance().RemoveClass(&TlxGridTableView::kClass); });
}
