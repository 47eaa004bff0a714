#include "grid/grid_table_layout_win.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "grid/grid_data_rows_win.h"
#include "grid/grid_footers_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/table_controller_win.h"
#include "editors/edit_properties.h"
#include "editors/edit_style_win.h"
#include "grid/grid_strings.h"
#include "platform/rtl/scope.h"

namespace {

TlxGridLineKinds LineKinds(TlxGridLines lines) { return static_cast<TlxGridLineKinds>(lines); }

// The column's default cell height in a font: the height an in-place
// editor of its kind needs, plus 2; 0 without editor properties.
int32_t DefaultCellHeight(TlxGridColumn* column, TlxCanvas& canvas, TFont* font) {
  TlxCustomEditProperties* properties = column->GetProperties();
  if (properties == nullptr)
    return 0;
  TlxEditStyle* style = column->AcquireCellStyle();
  TScopeExit release([column] { column->ReleaseCellStyle(); });
  if (font != nullptr)
    style->SetFont(font);
  const TSize size = properties->CalculateEditSize(canvas, style, true, Variant(), TlxEditSizeProperties());
  return lxSaturatingAdd(size.cy, 2);
}

}  // namespace

// --- TlxGridTableViewInfo ----------------------------------------------------------------

TlxGridTableViewInfo::TlxGridTableViewInfo(TlxCustomGridView* grid_view) : TlxCustomGridTableViewInfo(grid_view) {}

TlxGridTableViewInfo::~TlxGridTableViewInfo() {
  footer_view_info_.reset();
  header_view_info_.reset();
}

TlxGridFooterViewInfo* TlxGridTableViewInfo::FooterViewInfo() const {
  return static_cast<TlxGridFooterViewInfo*>(footer_view_info_.get());
}

int32_t TlxGridTableViewInfo::FooterHeight() const {
  return footer_view_info_ != nullptr ? footer_view_info_->Height : 0;
}

TlxGridTableView* TlxGridTableViewInfo::TableView() const { return static_cast<TlxGridTableView*>(GridView()); }

TlxGridRowsViewInfo* TlxGridTableViewInfo::RowsViewInfo() const {
  return static_cast<TlxGridRowsViewInfo*>(RecordsViewInfo());
}

int32_t TlxGridTableViewInfo::DataWidth() {
  if (data_width_ == 0)
    data_width_ = CalculateDataWidth();
  return data_width_;
}

void TlxGridTableViewInfo::SetLeftPos(int32_t value) {
  value = std::max(value, 0);
  if (value == left_pos_)
    return;
  const int32_t dx = left_pos_ - value;
  left_pos_ = value;
  DoOffset(0, dx, 0);
  if (auto* painter = dynamic_cast<TlxCustomGridTablePainter*>(Painter()))
    painter->Scroll(0, dx, 0);
  else
    GridView()->Invalidate();
}

void TlxGridTableViewInfo::CreateViewInfos() {
  if (const TClass* box_class = GetGroupByBoxViewInfoClass(); box_class != nullptr && !box_class->IsAbstract())
    group_by_box_view_info_.reset(static_cast<TlxGridGroupByBoxViewInfo*>(box_class->CreateInstance(this)));
  indicator_view_info_ = std::make_unique<TlxGridIndicatorViewInfo>(this);
  if (const TClass* header_class = GetHeaderViewInfoClass(); header_class != nullptr && !header_class->IsAbstract())
    header_view_info_.reset(static_cast<TlxGridHeaderViewInfo*>(header_class->CreateInstance(this)));
  if (const TClass* footer_class = GetFooterViewInfoClass(); footer_class != nullptr && !footer_class->IsAbstract())
    footer_view_info_.reset(static_cast<TlxGridHeaderViewInfo*>(footer_class->CreateInstance(this)));
  TlxCustomGridTableViewInfo::CreateViewInfos();
  // The filter box was added after the header: it belongs at the header's
  // place when at the top, at the footer's when at the bottom.
  if (TlxGridFilterViewInfo* filter = FilterViewInfo(); filter != nullptr && header_view_info_ != nullptr) {
    const int32_t header_index = PartIndex(header_view_info_.get());
    filter->SetIndex(filter->GetAlignment() == gpaTop ? header_index : header_index + 1);
  }
}

void TlxGridTableViewInfo::DestroyViewInfos(bool is_recreating) {
  TlxCustomGridTableViewInfo::DestroyViewInfos(is_recreating);
  indicator_view_info_.reset();
  footer_view_info_.reset();
  header_view_info_.reset();
  group_by_box_view_info_.reset();
}

void TlxGridTableViewInfo::ResetViewInfos() {
  data_width_ = 0;
  TlxCustomGridTableViewInfo::ResetViewInfos();
}

void TlxGridTableViewInfo::AfterCalculation() {
  TlxGridRowsViewInfo* rows = RowsViewInfo();
  const bool regular = !IsSizeCalculating() && !IsInternalUse();
  if (regular && rows != nullptr && rows->DataRowHeight != PrevDataRowHeight && PrevDataRowHeight != 0)
    GridView()->Invalidate();
  // In grid mode the row height decides how many records the data
  // controller's buffer holds.
  auto* controller = dynamic_cast<TlxCustomGridTableController*>(Controller());
  if (regular && rows != nullptr && controller != nullptr)
    controller->RecordsAreaMeasured(rows->DataRowHeight, ClientHeight());
  TlxCustomGridTableViewInfo::AfterCalculation();
}

void TlxGridTableViewInfo::PrepareCalculation() {
  TlxCustomGridTableViewInfo::PrepareCalculation();
  CalculateExpandButtonParams();
  if (!IsSizeCalculating() && RowsViewInfo() != nullptr)
    PrevDataRowHeight = RowsViewInfo()->DataRowHeight;
}

void TlxGridTableViewInfo::Calculate() {
  // Nothing of the previous layout survives but what the cache holds.
  ResetViewInfos();
  CalculateExpandButtonParams();
  TlxCustomGridTableViewInfo::Calculate();
  CalculateIndicator();
}

int32_t TlxGridTableViewInfo::AutoWidthAvailableWidth() {
  return std::max(SiteClientBounds().Width() - IndicatorWidth(), 0);
}

int32_t TlxGridTableViewInfo::IndicatorWidth() {
  return indicator_view_info_ != nullptr ? indicator_view_info_->CalculateWidth() : 0;
}

void TlxGridTableViewInfo::CalculateIndicator() {
  if (indicator_view_info_ == nullptr)
    return;
  // Beside the header, the rows and the footer, from the header's top.
  const TRect client = ClientBounds();
  const int32_t header_height = header_view_info_ != nullptr ? header_view_info_->Height : 0;
  indicator_view_info_->Calculate(SiteClientBounds().Left, client.Top - header_height, IndicatorWidth(),
                                  client.Height() + header_height + FooterHeight());
}

void TlxGridTableViewInfo::GetClientBounds(TRect& rect) {
  TlxCustomGridTableViewInfo::GetClientBounds(rect);
  rect.Left = std::min(lxSaturatingAdd(rect.Left, IndicatorWidth()), rect.Right);
  // Parts higher than the site leave an empty band, never an inverted one.
  rect.Bottom = std::max(rect.Bottom, rect.Top);
}

TlxCustomGridHitTest* TlxGridTableViewInfo::GetHitTest(const TPoint& point) {
  if (indicator_view_info_ != nullptr && SiteClientBounds().Contains(point))
    if (TlxCustomGridHitTest* hit_test = indicator_view_info_->GetHitTest(point))
      return hit_test;
  return TlxCustomGridTableViewInfo::GetHitTest(point);
}

void TlxGridTableViewInfo::GetPartBounds(TlxCustomGridPartViewInfo* part, TRect& rect) {
  TlxCustomGridTableViewInfo::GetPartBounds(part, rect);
  if (part->IsScrollable())
    rect = rect.Offset(-left_pos_, 0);
}

int32_t TlxGridTableViewInfo::GetVisibleRowCountEstimate() {
  TlxGridRowsViewInfo* rows = RowsViewInfo();
  const int32_t row_height = rows != nullptr ? rows->DataRowHeight : 0;
  const int32_t separator = rows != nullptr ? rows->GetRowSeparatorWidth() : 0;
  return lxGridVisibleRowCountEstimate(SiteClientBounds().Height(), GetNonRecordsHeight(false), row_height, separator);
}

int32_t TlxGridTableViewInfo::GetMaxVisibleRowCount() {
  TlxGridRowsViewInfo* rows = RowsViewInfo();
  const int32_t row_height = rows != nullptr ? rows->DataRowHeight : 0;
  return lxGridMaxVisibleRowCount(GetSystemMetrics(SM_CYSCREEN), row_height);
}

int32_t TlxGridTableViewInfo::GetNonRecordsHeight(bool with_extras) {
  const int32_t special_rows = RowsViewInfo() != nullptr ? RowsViewInfo()->SpecialRowsHeight() : 0;
  return lxSaturatingAdd(TlxCustomGridTableViewInfo::GetNonRecordsHeight(with_extras), special_rows);
}

const TClass* TlxGridTableViewInfo::GetRecordsViewInfoClass() const { return &TlxGridRowsViewInfo::kClass; }

void TlxGridTableViewInfo::GetRowsAreaBounds(TRect& rect) {
  rect = ClientBounds();
  if (header_view_info_ != nullptr)
    rect.Top -= header_view_info_->Height;
  rect.Bottom += FooterHeight();
}

void TlxGridTableViewInfo::GetDataAreaBounds(TRect& rect) {
  rect = ClientBounds();
  rect.Left -= IndicatorWidth();
  if (TlxGridRowsViewInfo* rows = RowsViewInfo())
    rect.Top = rows->RecordsContentBounds.Top;
}

void TlxGridTableViewInfo::OffsetHorizontally(int32_t dx, int32_t dy) {
  for (int32_t index = 0; index < PartCount(); ++index)
    if (TlxCustomGridPartViewInfo* part = Parts(index); part->IsScrollable())
      part->Offset(dx, 0);
  TlxCustomGridTableViewInfo::OffsetHorizontally(dx, dy);
}

void TlxGridTableViewInfo::AfterOffset() {
  TlxCustomGridTableViewInfo::AfterOffset();
  // The indicator's row items point at the rows: after records were
  // re-used or replaced they must follow the rows of now.
  CalculateIndicator();
}

int32_t TlxGridTableViewInfo::GetHeightForRowsWithSpare(int32_t height, bool spare_row) {
  TlxGridRowsViewInfo* rows = RowsViewInfo();
  const int32_t row_height = rows != nullptr ? rows->DataRowHeight : 0;
  const int32_t record_count = ViewData() != nullptr ? ViewData()->RecordCount() : 0;
  return lxGridHeightForRows(height, GetNonRecordsHeight(true), row_height, record_count, spare_row);
}

int32_t TlxGridTableViewInfo::GetRowsHeight(int32_t count) {
  TlxGridRowsViewInfo* rows = RowsViewInfo();
  const int32_t row_height = rows != nullptr ? rows->DataRowHeight : 0;
  return lxGridRowsHeight(GetNonRecordsHeight(true), count, row_height,
                          LineKinds(TableView()->OptionsView()->GridLines()));
}

int32_t TlxGridTableViewInfo::CalculateDataWidth() {
  int32_t width = header_view_info_ != nullptr ? header_view_info_->ItemsWidth() : 0;
  if (width == 0 && TableView()->OptionsView()->ColumnAutoWidth())
    width = ClientBounds().Width();
  return width;
}

void TlxGridTableViewInfo::CalculateExpandButtonParams() {
  ExpandButtonIndent = 3;
  LevelIndent = ExpandButtonSize() + 2 * ExpandButtonIndent;
}

const TClass* TlxGridTableViewInfo::GetHeaderViewInfoClass() const { return &TlxGridHeaderViewInfo::kClass; }

const TClass* TlxGridTableViewInfo::GetGroupByBoxViewInfoClass() const { return &TlxGridGroupByBoxViewInfo::kClass; }

const TClass* TlxGridTableViewInfo::GetFooterViewInfoClass() const { return &TlxGridFooterViewInfo::kClass; }

TColor TlxGridTableViewInfo::GridLineColor() { return TableView()->OptionsView()->GetGridLineColor(); }

int32_t TlxGridTableViewInfo::IndentLevelCount() {
  TlxGridTableView* view = TableView();
  int32_t count = view->GroupedColumnCount();
  if (count > 0 && view->OptionsView()->GroupRowStyle() == grsOffice11)
    --count;
  // Master rows keep a column for their expand buttons.
  if (view->HasDetails())
    ++count;
  return count;
}

TlxGridCellLineBorders TlxGridTableViewInfo::GetCellBorders(bool is_rightmost) {
  return lxGridCellLineBorders(LineKinds(TableView()->OptionsView()->GridLines()), is_rightmost);
}

TlxGridScrollRects TlxGridTableViewInfo::GetVScrollRects(int32_t delta) {
  TlxGridVScrollInput input;
  GetDataAreaBounds(input.DataArea);
  input.Delta = delta;
  if (TlxGridRowsViewInfo* rows = RowsViewInfo()) {
    input.VisibleCount = rows->VisibleCount;
    input.PartVisibleCount = rows->PartVisibleCount;
    if (rows->VisibleCount > 1)
      if (TlxCustomGridRecordViewInfo* row = rows->ExistingItem(rows->VisibleCount - 2))
        input.SecondLastVisibleBottom = row->BoundsRect.Bottom;
    if (rows->PartVisibleCount > 1)
      if (TlxCustomGridRecordViewInfo* row = rows->ExistingItem(1))
        input.SecondRowTop = row->BoundsRect.Top;
  }
  return lxGridVScrollRects(input);
}

TlxGridScrollRects TlxGridTableViewInfo::GetHScrollRects(int32_t delta) {
  TRect rows_area;
  GetRowsAreaBounds(rows_area);
  return lxGridHScrollRects(rows_area, delta);
}

int32_t TlxGridTableViewInfo::GetLevelIndentCount(int32_t level) {
  TlxGridTableView* view = TableView();
  if (level == view->GroupedColumnCount() && view->OptionsView()->GroupRowStyle() == grsOffice11)
    return std::max(level - 1, 0);
  return level;
}

// --- TlxGridRowsViewInfo -------------------------------------------------------------

TlxGridTableView* TlxGridRowsViewInfo::TableView() const { return TableViewInfo()->TableView(); }

TlxGridDataRowViewInfo* TlxGridRowsViewInfo::DataRow(int32_t index) {
  return dynamic_cast<TlxGridDataRowViewInfo*>(ExistingItem(index));
}

void TlxGridRowsViewInfo::AfterCalculation() {
  MergeRowCells();
  TlxCustomGridRecordsViewInfo::AfterCalculation();
}

void TlxGridRowsViewInfo::AfterOffset() {
  MergeRowCells();
  TlxCustomGridRecordsViewInfo::AfterOffset();
}

TlxGridRowsViewInfo::TlxGridRowsViewInfo(TlxCustomGridTableViewInfo* owner_view_info)
    : TlxCustomGridRecordsViewInfo(owner_view_info) {}

TlxGridRowsViewInfo::~TlxGridRowsViewInfo() {
  new_item_row_view_info_.reset();
  filter_row_view_info_.reset();
}

void TlxGridRowsViewInfo::Calculate() {
  CalculateRowHeights();
  if (!special_rows_created_)
    CreateSpecialRows();
  TlxCustomGridRecordsViewInfo::Calculate();
  if (TableViewInfo()->CalculateDown)
    CalculateSpecialRows();
  CalculateVisibleCount();
  if (!TableViewInfo()->CalculateDown || TopRecordIndex() == -1)
    return;
  for (int32_t index = 0; index < PartVisibleCount; ++index)
    if (TlxCustomGridRecordViewInfo* row = Item(index))
      CalculateItem(row, index);
}

void TlxGridRowsViewInfo::GetBounds(TRect& rect) {
  rect = OwnerViewInfo()->ClientBounds();
  rect.Left -= TableViewInfo()->LeftPos();
  rect.Right = lxSaturatingAdd(rect.Left, GetDataWidth());
}

int32_t TlxGridRowsViewInfo::RowHeightAt(int32_t index) {
  const int32_t record_index = RecordIndexOf(index);
  TlxCustomGridTableViewData* view_data = ViewData();
  if (view_data == nullptr || !view_data->IsRecordIndexValid(record_index))
    return DataRowHeight;
  // The row view info measures and caches its own height; rows not made
  // yet are made here, as they are laid out right after.
  if (TlxCustomGridRecordViewInfo* row = index < Count() ? ExistingItem(index) : nullptr)
    return row->CalculateHeight();
  if (index == Count())
    if (TlxCustomGridRecordViewInfo* row = Item(index))
      return row->CalculateHeight();
  return DataRowHeight;
}

void TlxGridRowsViewInfo::CalculateVisibleCount() {
  TlxGridVisibleRowsInput input;
  input.ContentTop = RecordsContentBounds.Top;
  input.ContentBottom = RecordsContentBounds.Bottom;
  input.RecordCount = ViewData() != nullptr ? ViewData()->RecordCount() : 0;
  input.TopRecordIndex = TopRecordIndex();
  input.CalculateDown = TableViewInfo()->CalculateDown;
  input.RowHeight = [this](int32_t index) { return RowHeightAt(index); };
  input.IsRowFullyVisible = [this](int32_t index) {
    auto* row = dynamic_cast<TlxCustomGridRowViewInfo*>(ExistingItem(index));
    return row == nullptr || row->IsFullyVisible();
  };
  const TlxGridVisibleRows rows = lxGridCountVisibleRows(input);
  VisibleCount = rows.VisibleCount;
  PartVisibleCount = rows.PartVisibleCount;
  IsFirstRowFullyVisible = rows.IsFirstRowFullyVisible;
  RestHeight = rows.RestHeight;
}

int32_t TlxGridRowsViewInfo::GetRowLeft(int32_t /*index*/) { return RecordsContentBounds.Left; }

int32_t TlxGridRowsViewInfo::GetRowsHeightDelta(int32_t count) {
  int32_t height = 0;
  const int32_t rows = std::min(std::abs(count), Count());
  for (int32_t index = 0; index < rows; ++index)
    if (TlxCustomGridRecordViewInfo* row = ExistingItem(index))
      height = lxSaturatingAdd(height, row->GetHeight());
    else
      height = lxSaturatingAdd(height, DataRowHeight);
  return count > 0 ? -height : height;
}

int32_t TlxGridRowsViewInfo::GetRowTop(int32_t index) {
  if (index <= 0)
    return RecordsContentBounds.Top;
  TlxCustomGridRecordViewInfo* previous = ExistingItem(index - 1);
  if (previous != nullptr && previous->IsCalculated())
    return previous->BoundsRect.Bottom;
  return lxSaturatingAdd(GetRowTop(index - 1), DataRowHeight);
}

void TlxGridRowsViewInfo::OffsetRow(int32_t index, int32_t dy) {
  if (TlxCustomGridRecordViewInfo* row = ExistingItem(index))
    row->Offset(0, dy);
}

int32_t TlxGridRowsViewInfo::GetRowHeightWithGridLine(int32_t height) {
  return lxSaturatingAdd(height, lxGridLinesHaveHorizontal(LineKinds(TableView()->OptionsView()->GridLines())) ? 1 : 0);
}

bool TlxGridRowsViewInfo::HasFixedRowHeight() {
  return TlxCustomGridRecordsViewInfo::HasFixedRowHeight() || IsDataRowHeightFixed();
}

void TlxGridRowsViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridRecordsViewInfo::Offset(dx, dy);
  // The special rows keep their place while the data rows scroll.
  if (filter_row_view_info_ != nullptr)
    filter_row_view_info_->Offset(dx, 0);
  if (new_item_row_view_info_ != nullptr)
    new_item_row_view_info_->Offset(dx, 0);
  for (int32_t index = 0; index < Count(); ++index)
    if (TlxCustomGridRecordViewInfo* row = ExistingItem(index))
      row->Offset(dx, dy);
}

void TlxGridRowsViewInfo::CalculateRowHeights() {
  RowHeight = CalculateRowHeight();
  DataRowHeight = RowHeight;
  GroupRowHeight = GetGroupRowHeight();
}

int32_t TlxGridRowsViewInfo::CalculateTextRowHeight(bool single, const TlxPaintParams& params) {
  TlxGridTableView* view = TableView();
  return lxGridTextRowHeight(OwnerViewInfo()->GetFontHeight(params.Font), OwnerViewInfo()->ExpandButtonSize(),
                             view->OptionsView()->GroupRowStyle() == grsOffice11, single,
                             LineKinds(view->OptionsView()->GridLines()));
}

int32_t TlxGridRowsViewInfo::GetGroupRowHeightForLevel(int32_t level) {
  TlxPaintParams params;
  TableView()->Styles()->GetGroupParams(nullptr, level, params);
  return CalculateTextRowHeight(false, params);
}

int32_t TlxGridRowsViewInfo::GetGroupRowHeight() {
  const int32_t fixed = TableView()->OptionsView()->GroupRowHeight();
  return fixed != 0 ? fixed : GetGroupRowHeightForLevel(0);
}

int32_t TlxGridRowsViewInfo::CalculateDefaultRowHeight() {
  TlxGridTableView* view = TableView();
  std::vector<int32_t> cell_heights;
  // Columns of one editor kind in one font need the same height: measure
  // each pair once, so that wide views do not measure a thousand editors.
  std::map<std::pair<const TlxCustomEditProperties*, const TFont*>, int32_t> measured;
  for (int32_t index = 0; index < view->VisibleColumnCount(); ++index) {
    TlxGridColumn* column = view->VisibleColumns(index);
    TlxPaintParams params;
    view->Styles()->GetContentParams(nullptr, column, params);
    const auto key = std::make_pair(static_cast<const TlxCustomEditProperties*>(column->GetProperties()),
                                    static_cast<const TFont*>(params.Font));
    auto found = measured.find(key);
    if (found == measured.end())
      found = measured.emplace(key, DefaultCellHeight(column, OwnerViewInfo()->Canvas(), params.Font)).first;
    cell_heights.push_back(found->second);
  }
  TlxPaintParams content;
  view->Styles()->GetContentParams(nullptr, nullptr, content);
  return lxGridDefaultRowHeight(cell_heights, OwnerViewInfo()->GetFontHeight(content.Font),
                                LineKinds(view->OptionsView()->GridLines()));
}

int32_t TlxGridRowsViewInfo::CalculateRowHeight() {
  const int32_t fixed = IsDataRowHeightFixed() ? TableView()->OptionsView()->DataRowHeight() : 0;
  return fixed != 0 ? fixed : CalculateDefaultRowHeight();
}

int32_t TlxGridRowsViewInfo::GetRowSeparatorWidth() { return TableView()->OptionsView()->RowSeparatorWidth(); }

bool TlxGridRowsViewInfo::IsDataRowHeightFixed() { return TableView()->OptionsView()->DataRowHeight() != 0; }

// --- TlxGridHeaderViewInfo ------------------------------------------------------------

TlxGridHeaderViewInfo::TlxGridHeaderViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxGridColumnContainerViewInfo(owner_view_info),
      specific_(std::make_unique<TlxGridHeaderViewInfoSpecific>(this)) {}

TlxGridHeaderViewInfo::~TlxGridHeaderViewInfo() { specific_.reset(); }

int32_t TlxGridHeaderViewInfo::ItemsWidth() {
  int32_t width = 0;
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = GetItem(index))
      width = lxSaturatingAdd(width, cell->CalculateWidth());
  return width;
}

void TlxGridHeaderViewInfo::StoreAutoWidths() {
  TlxGridTableView* view = TableView();
  view->BeginUpdate();
  TScopeExit end([view] { view->EndUpdate(); });
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = ExistingItem(index); cell != nullptr && cell->IsCalculated())
      cell->Column()->SetWidth(cell->RealWidth);
}

int32_t TlxGridHeaderViewInfo::CalculateHeight() { return GetVisible() ? specific_->GetHeight() : 0; }

int32_t TlxGridHeaderViewInfo::CalculateWidth() { return TableViewInfo()->DataWidth(); }

void TlxGridHeaderViewInfo::CalculateInvisible() {
  // The rows take their columns' places from the cells, so they are laid
  // out as if the header were shown.
  Height = 0;
  TRect bounds = TableViewInfo()->SiteClientBounds();
  bounds.Left -= TableViewInfo()->LeftPos();
  ResetItems();
  if (TableView()->OptionsView()->ColumnAutoWidth())
    CalculateAutoWidths();
  BoundsRect = TRect(bounds.Left, bounds.Top, bounds.Left, bounds.Top);
  CalculateItems();
  BoundsRect = TRect();
}

void TlxGridHeaderViewInfo::CalculateVisible() {
  ResetItems();
  if (TableView()->OptionsView()->ColumnAutoWidth())
    CalculateAutoWidths();
  TlxGridColumnContainerViewInfo::CalculateVisible();
}

void TlxGridHeaderViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxGridColumnContainerViewInfo::Calculate(left, top, width, height);
  CalculateItems();
}

bool TlxGridHeaderViewInfo::GetVisible() { return TableView()->OptionsView()->Header(); }

TlxGridColumn* TlxGridHeaderViewInfo::GetColumn(int32_t index) { return TableView()->VisibleColumns(index); }

int32_t TlxGridHeaderViewInfo::GetColumnCount() { return TableView()->VisibleColumnCount(); }

int32_t TlxGridHeaderViewInfo::CalculateItemHeight() {
  const int32_t fixed = TableView()->OptionsView()->HeaderHeight();
  if (fixed != 0)
    return fixed;
  int32_t height = 0;
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = GetItem(index))
      height = std::max(height, cell->CalculateHeight());
  return height != 0 ? height : TlxGridColumnContainerViewInfo::CalculateItemHeight();
}

bool TlxGridHeaderViewInfo::IsItemAutoHeight() { return TableView()->OptionsView()->HeaderAutoHeight(); }

bool TlxGridHeaderViewInfo::IsItemMultiLinePainting() { return TableView()->OptionsView()->HeaderHeight() != 0; }

TlxHeaderNeighbors TlxGridHeaderViewInfo::GetColumnNeighbors(TlxGridColumn* column) {
  TlxHeaderNeighbors neighbors;
  const int32_t index = column->VisibleIndex();
  if (index > 0)
    neighbors.Include(bLeft);
  if (index < GetColumnCount() - 1)
    neighbors.Include(bRight);
  return neighbors;
}

void TlxGridHeaderViewInfo::GetZoneAreaBounds(TRect& rect) {
  TlxGridColumnContainerViewInfo::GetZoneAreaBounds(rect);
  rect = rect.Inflate(0, 15);
}

void TlxGridHeaderViewInfo::GetViewParams(TlxPaintParams& params) { TableView()->Styles()->GetHeaderParams(nullptr, params); }

const TClass* TlxGridHeaderViewInfo::GetHitTestClass() const { return &TlxGridHeaderHitTest::kClass; }

const TClass* TlxGridHeaderViewInfo::GetPainterClass() const { return &TlxGridHeaderPainter::kClass; }

void TlxGridHeaderViewInfo::CalculateAutoWidths() {
  const int32_t count = GetColumnCount();
  int32_t sizing_index = -1;
  for (int32_t index = 0; index < count; ++index) {
    TlxGridColumn* column = GetColumn(index);
    if (column->IsSizing() || column->IsForcingWidth())
      sizing_index = index;
  }
  std::vector<TlxGridAutoWidthColumn> columns;
  columns.reserve(static_cast<size_t>(count));
  for (int32_t index = 0; index < count; ++index) {
    TlxGridColumn* column = GetColumn(index);
    TlxGridAutoWidthColumn item;
    item.MinWidth = GetColumnMinWidth(column);
    item.Width = GetColumnWidth(column);
    item.Fixed = lxGridAutoWidthIsFixed(index, column->CanHorzSize(), sizing_index, count - 1);
    columns.push_back(item);
  }
  const std::vector<int32_t> widths = lxGridAutoWidths(columns, TableViewInfo()->AutoWidthAvailableWidth());
  for (int32_t index = 0; index < count; ++index)
    if (TlxGridColumnHeaderViewInfo* cell = GetItem(index))
      cell->Width = widths[static_cast<size_t>(index)];
}

void TlxGridHeaderViewInfo::CalculateItems() {
  int32_t left = BoundsRect.Left;
  const int32_t height = GetItemHeight();
  for (int32_t index = 0; index < GetColumnCount(); ++index) {
    TlxGridColumnHeaderViewInfo* cell = GetItem(index);
    if (cell == nullptr)
      continue;
    // A column as wide as the largest integer ends at the coordinate limit.
    const int32_t width = std::min(cell->CalculateWidth(), lxSaturatingSub(INT32_MAX, left));
    cell->Calculate(left, BoundsRect.Top, width, height);
    left = lxSaturatingAdd(left, width);
  }
}

void TlxGridHeaderViewInfo::UpdateItemsVisibility() {
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = ExistingItem(index))
      cell->CheckVisibility();
}

bool TlxGridHeaderViewInfo::DrawBackgroundBitmap(TlxCanvas& canvas, const TRect& rect) {
  TlxCustomGridBackgroundBitmaps* bitmaps = TableView()->BackgroundBitmaps();
  TBitmap* bitmap = bitmaps != nullptr ? bitmaps->GetBitmap(4) : nullptr;
  if (bitmap == nullptr)
    return false;
  canvas.FillRectTiled(rect, bitmap);
  return true;
}

// --- TlxGridGroupByBoxViewInfo --------------------------------------------------------

int32_t TlxGridGroupByBoxViewInfo::CalculateHeight() {
  CalculateParamsIfNeeded();
  const int32_t text_height = TableViewInfo()->GetFontHeight(PaintParams().Font);
  return lxGridGroupByBoxHeight(GetItemHeight(), GetColumnCount(), text_height);
}

void TlxGridGroupByBoxViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxGridColumnContainerViewInfo::Calculate(left, top, width, height);
  std::vector<int32_t> widths;
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    widths.push_back(GetItem(index)->CalculateWidth());
  const std::vector<TPoint> origins = lxGridGroupByBoxCellOrigins(BoundsRect, GetItemHeight(), widths);
  for (int32_t index = 0; index < GetColumnCount(); ++index) {
    const TPoint origin = origins[static_cast<size_t>(index)];
    GetItem(index)->Calculate(origin.X, origin.Y, widths[static_cast<size_t>(index)], GetItemHeight());
  }
}

bool TlxGridGroupByBoxViewInfo::GetVisible() { return TableView()->OptionsView()->GroupByBox(); }

TlxGridColumn* TlxGridGroupByBoxViewInfo::GetColumn(int32_t index) { return TableView()->GroupedColumns(index); }

int32_t TlxGridGroupByBoxViewInfo::GetColumnCount() { return TableView()->GroupedColumnCount(); }

int32_t TlxGridGroupByBoxViewInfo::GetColumnWidth(TlxGridColumn* column) {
  // A cell is as wide as its caption and areas need; the filter button
  // counts while measuring even when it is hidden.
  for (int32_t index = 0; index < GetColumnCount(); ++index) {
    if (GetColumn(index) != column)
      continue;
    TlxGridColumnHeaderViewInfo* cell = GetItem(index);
    TStateScope measuring(CalculatingColumnWidth, true);
    return cell->GetNeededWidth();
  }
  return 0;
}

int32_t TlxGridGroupByBoxViewInfo::CalculateItemHeight() {
  int32_t height = 0;
  for (int32_t index = 0; index < GetColumnCount(); ++index)
    if (TlxGridColumnHeaderViewInfo* cell = GetItem(index))
      height = std::max(height, cell->TlxGridColumnHeaderViewInfo::CalculateHeight());
  return height != 0 ? height : TlxGridColumnContainerViewInfo::CalculateItemHeight();
}

std::unique_ptr<TlxGridColumnHeaderViewInfo> TlxGridGroupByBoxViewInfo::CreateItem(int32_t index) {
  return std::make_unique<TlxGridGroupByBoxColumnHeaderViewInfo>(this, GetColumn(index));
}

void TlxGridGroupByBoxViewInfo::GetText(std::string& text) {
  text = GetColumnCount() == 0 ? lxGridText(slxGridGroupByBoxCaption) : std::string();
}

void TlxGridGroupByBoxViewInfo::GetTextAreaBounds(TRect& rect) {
  rect = ContentBounds().Inflate(-2, -2);
  rect.Left += 6;
}

void TlxGridGroupByBoxViewInfo::GetViewParams(TlxPaintParams& params) {
  TableView()->Styles()->GetViewParams(TlxGridTableViewStyles::kGroupByBox, nullptr, nullptr, params);
}

TBitmap* TlxGridGroupByBoxViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = TableView()->BackgroundBitmaps();
  return bitmaps != nullptr ? bitmaps->GetBitmap(6) : nullptr;
}

const TClass* TlxGridGroupByBoxViewInfo::GetHitTestClass() const { return &TlxGridGroupByBoxHitTest::kClass; }

const TClass* TlxGridGroupByBoxViewInfo::GetPainterClass() const { return &TlxGridGroupByBoxPainter::kClass; }
