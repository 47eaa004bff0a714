// The new-item row and the filter row: laid out above the data rows by the
// rows view info, with no level indent, no footers and a header bar as
// separator; until such a row is focused (and, for the filter row, while no
// filter is set) it shows its info text instead of its cells.
#include <algorithm>

#include "data/data_controller.h"
#include "data/filter_criteria.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/grid_table_view_win.h"

// --- TlxGridNewItemRowViewInfo ----------------------------------------------------------

int32_t TlxGridNewItemRowViewInfo::CalculateHeight() {
  if (height_ == 0)
    height_ = lxSaturatingAdd(std::max(RowsViewInfo()->DataRowHeight, 1), GetNonContentHeight());
  return height_;
}

int32_t TlxGridNewItemRowViewInfo::GetHeight() const {
  // Special rows have no cache item of their own (they are no records of
  // the view data's list).
  return const_cast<TlxGridNewItemRowViewInfo*>(this)->CalculateHeight();
}

int32_t TlxGridNewItemRowViewInfo::GetCellLeft(int32_t index) {
  TlxGridColumnHeaderViewInfo* header = HeaderCell(index);
  return header != nullptr ? header->BoundsRect.Left : CellsAreaBounds.Left;
}

int32_t TlxGridNewItemRowViewInfo::GetCellWidth(int32_t index) {
  TlxGridColumnHeaderViewInfo* header = HeaderCell(index);
  return header != nullptr ? header->BoundsRect.Width() : 0;
}

int32_t TlxGridNewItemRowViewInfo::GetSeparatorWidth() { return GetOptions()->SeparatorWidth(); }

TColor TlxGridNewItemRowViewInfo::GetSeparatorColor() { return GetOptions()->GetSeparatorColor(); }

void TlxGridNewItemRowViewInfo::GetText(std::string& text) { text = ShowsInfoText() ? GetInfoText() : std::string(); }

void TlxGridNewItemRowViewInfo::GetTextAreaBounds(TRect& rect) {
  // The text stays in the visible part when the view scrolls sideways.
  GetRecordAreaBounds(rect);
  rect = rect.Intersect(TableViewInfo()->ClientBounds());
}

void TlxGridNewItemRowViewInfo::GetViewParams(TlxPaintParams& params) {
  TableView()->Styles()->GetViewParams(GetStyleIndex(), GridRecord(), nullptr, params);
}

bool TlxGridNewItemRowViewInfo::CalculateSelected() {
  // Selected with its record, focused view or not.
  return GridRecord() != nullptr && GridRecord()->Selected();
}

const TClass* TlxGridNewItemRowViewInfo::GetPainterClass() const { return &TlxGridNewItemRowPainter::kClass; }

std::string TlxGridNewItemRowViewInfo::GetInfoText() { return GetOptions()->InfoText(); }

TlxGridSpecialRowOptions* TlxGridNewItemRowViewInfo::GetOptions() { return TableView()->NewItemRow(); }

bool TlxGridNewItemRowViewInfo::ShowsInfoText() {
  return GridRecord() == nullptr || !TableView()->DrawRecordFocused(GridRecord());
}

int32_t TlxGridNewItemRowViewInfo::GetStyleIndex() { return TlxGridTableViewStyles::kNewItemRowInfoText; }

// --- TlxGridFilterRowViewInfo -------------------------------------------------------------

TlxGridSpecialRowOptions* TlxGridFilterRowViewInfo::GetOptions() { return TableView()->FilterRow(); }

bool TlxGridFilterRowViewInfo::ShowsInfoText() {
  // With a filter set the row shows the filter values in its cells.
  return TlxGridNewItemRowViewInfo::ShowsInfoText() && TableView()->DataController()->Filter().Root().IsEmptyNode();
}

int32_t TlxGridFilterRowViewInfo::GetStyleIndex() { return TlxGridTableViewStyles::kFilterRowInfoText; }

// --- TlxGridNewItemRowPainter -------------------------------------------------------------

namespace {

TlxGridNewItemRowViewInfo& SpecialRow(TlxCustomGridCellPainter& painter) {
  return static_cast<TlxGridNewItemRowViewInfo&>(painter.ViewInfo());
}

}  // namespace

bool TlxGridNewItemRowPainter::HasCells() { return !SpecialRow(*this).ShowsInfoText(); }

void TlxGridNewItemRowPainter::DrawBackground() {
  TlxGridNewItemRowViewInfo& row = SpecialRow(*this);
  if (!row.ShowsInfoText() || row.HasBackgroundBitmap()) {
    TlxGridDataRowPainter::DrawBackground();
    return;
  }
  TRect rect;
  row.GetRecordAreaBounds(rect);
  Canvas().FillRectColor(rect, row.PaintParams().Color);
}

void TlxGridNewItemRowPainter::DoPaint() {
  TlxGridDataRowPainter::DoPaint();
  if (SpecialRow(*this).ShowsInfoText())
    DrawText();
}

void TlxGridNewItemRowPainter::DrawSeparator() {
  TlxGridNewItemRowViewInfo& row = SpecialRow(*this);
  TRect rect;
  row.GetSeparatorBounds(rect);
  TlxPainterClass painter = row.LookAndFeelPainter();
  if (painter == nullptr) {
    TlxGridDataRowPainter::DrawSeparator();
    return;
  }
  TlxBorders borders;
  borders.Include(bLeft);
  borders.Include(bTop);
  borders.Include(bRight);
  borders.Include(bBottom);
  painter->PaintHeader(Canvas(), rect, rect, TlxHeaderNeighbors(), borders, lxbsNormal, taLeftJustify, vaTop, false,
                       false, {}, nullptr, painter->GetDefaultHeaderTextColor(), row.GetSeparatorColor(), {});
}

// --- the rows view info's special rows ------------------------------------------------------

void TlxGridRowsViewInfo::CreateSpecialRows() {
  special_rows_created_ = true;
  TlxGridTableView* view = TableView();
  auto* view_data = dynamic_cast<TlxGridViewData*>(ViewData());
  if (view_data == nullptr)
    return;
  if (view->FilterRow()->Visible() && view_data->FilterRow() != nullptr) {
    TlxGridRecordViewInfoTarget target(this, view_data->FilterRow());
    filter_row_view_info_ = std::make_unique<TlxGridFilterRowViewInfo>(&target);
  }
  if (view->NewItemRow()->Visible() && view_data->NewItemRecord() != nullptr) {
    TlxGridRecordViewInfoTarget target(this, view_data->NewItemRecord());
    new_item_row_view_info_ = std::make_unique<TlxGridNewItemRowViewInfo>(&target);
  }
}

void TlxGridRowsViewInfo::CalculateSpecialRows() {
  int32_t top = RecordsBounds.Top;
  if (filter_row_view_info_ != nullptr) {
    filter_row_view_info_->CalculateAt(RecordsContentBounds.Left, top);
    top = filter_row_view_info_->BoundsRect.Bottom;
  }
  if (new_item_row_view_info_ != nullptr)
    new_item_row_view_info_->CalculateAt(RecordsContentBounds.Left, top);
}

int32_t TlxGridRowsViewInfo::SpecialRowsHeight() const {
  int32_t height = 0;
  if (filter_row_view_info_ != nullptr)
    height = lxSaturatingAdd(height, filter_row_view_info_->GetHeight());
  if (new_item_row_view_info_ != nullptr)
    height = lxSaturatingAdd(height, new_item_row_view_info_->GetHeight());
  return height;
}

void TlxGridRowsViewInfo::PaintSpecialRows(TlxCanvas& canvas) {
  if (filter_row_view_info_ != nullptr && filter_row_view_info_->IsCalculated())
    filter_row_view_info_->Paint(&canvas);
  if (new_item_row_view_info_ != nullptr && new_item_row_view_info_->IsCalculated())
    new_item_row_view_info_->Paint(&canvas);
}

void TlxGridRowsViewInfo::GetContentBounds(TRect& rect) {
  rect = RecordsBounds;
  rect.Top = std::min(lxSaturatingAdd(rect.Top, SpecialRowsHeight()), std::max(rect.Bottom, rect.Top));
}

TlxCustomGridHitTest* TlxGridRowsViewInfo::GetHitTest(const TPoint& point) {
  if (TlxCustomGridHitTest* hit_test = TlxCustomGridRecordsViewInfo::GetHitTest(point))
    return hit_test;
  if (filter_row_view_info_ != nullptr && filter_row_view_info_->IsCalculated())
    if (TlxCustomGridHitTest* hit_test = filter_row_view_info_->GetHitTest(point))
      return hit_test;
  if (new_item_row_view_info_ != nullptr && new_item_row_view_info_->IsCalculated())
    if (TlxCustomGridHitTest* hit_test = new_item_row_view_info_->GetHitTest(point))
      return hit_test;
  return nullptr;
}

TlxCustomGridRecordViewInfo* TlxGridRowsViewInfo::GetRecordViewInfo(TlxCustomGridRecord* record) {
  if (record != nullptr && filter_row_view_info_ != nullptr && record == filter_row_view_info_->GridRecord())
    return filter_row_view_info_.get();
  if (record != nullptr && new_item_row_view_info_ != nullptr && record == new_item_row_view_info_->GridRecord())
    return new_item_row_view_info_.get();
  return TlxCustomGridRecordsViewInfo::GetRecordViewInfo(record);
}
