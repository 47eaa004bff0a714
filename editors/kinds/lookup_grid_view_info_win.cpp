#include "editors/kinds/lookup_grid_view_info_win.h"

#include <algorithm>

#include "editors/edit_properties.h"
#include "editors/kinds/lookup_grid_win.h"
#include "editors/text_view_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/geometry/auto_width.h"

namespace {

uint8_t FrameSidesOf(TlxBorders borders) {
  uint8_t sides = 0;
  if (borders.Contains(bLeft))
    sides |= lxFrameSideLeft;
  if (borders.Contains(bTop))
    sides |= lxFrameSideTop;
  if (borders.Contains(bRight))
    sides |= lxFrameSideRight;
  if (borders.Contains(bBottom))
    sides |= lxFrameSideBottom;
  return sides;
}

// The provider reaches the column's properties only while they are in use,
// without the properties announcing a change for it.
void HandProvider(TlxCustomEditProperties* properties, IlxEditDefaultValuesProvider* provider) {
  if (properties == nullptr)
    return;
  const bool was_locked = properties->IsChangeLocked();
  properties->SetChangedLock(true);
  TScopeExit unlock([properties, was_locked] { properties->SetChangedLock(was_locked); });
  properties->SetDefaultValuesProvider(provider);
}

}  // namespace

TlxLookupGridColumnViewInfo::~TlxLookupGridColumnViewInfo() = default;

// --- TlxLookupGridViewInfo -----------------------------------------------------------------------

TlxLookupGridViewInfo::TlxLookupGridViewInfo(TlxCustomLookupGrid* grid) : grid_(grid) {}

TlxLookupGridViewInfo::~TlxLookupGridViewInfo() {
  Rows.clear();
  Columns.clear();
}

TlxPainterClass TlxLookupGridViewInfo::LFPainter() const { return grid_->GridPainter().LFPainterClass(); }

TlxCanvas& TlxLookupGridViewInfo::Canvas() const { return grid_->CurrentCanvas(); }

int32_t TlxLookupGridViewInfo::GetHeaderHeight() {
  return LFPainter()->GetHeaderHeight(Canvas().FontTextHeight(*GetHeaderFont()));
}

void TlxLookupGridViewInfo::CalculateHeadersRect() {
  Columns.clear();
  if (grid_->Columns().Count() == 0) {
    HeadersRect = TRect();
    return;
  }
  HeadersRect = grid_->GetClientBounds();
  HeadersRect.Bottom = HeadersRect.Top + (grid_->Options().ShowHeader() ? GetHeaderHeight() : 0);
  CalculateColumns();
}

void TlxLookupGridViewInfo::CalculateEmptyAreas() {
  const TRect client = grid_->GetClientBounds();
  const int32_t columns_right = HeadersRect.IsEmpty() && Columns.empty() ? client.Left : HeadersRect.Right;
  EmptyRectRight = TRect(columns_right, client.Top, client.Right, client.Bottom);
  if (EmptyRectRight.IsEmpty())
    EmptyRectRight = TRect();
  const int32_t rows_bottom = Columns.empty() ? client.Top : RowsRect.Bottom;
  EmptyRectBottom = TRect(client.Left, rows_bottom, client.Right, client.Bottom);
  if (EmptyRectBottom.IsEmpty())
    EmptyRectBottom = TRect();
}

void TlxLookupGridViewInfo::CalculateColumns() {
  TlxLookupGridColumns& columns = grid_->Columns();
  const int32_t count = columns.Count();
  TlxAutoWidthObject auto_width(count);
  for (int32_t i = 0; i < count; ++i) {
    TlxLookupGridColumn& column = *columns.GetItem(i);
    auto info = std::make_unique<TlxLookupGridColumnViewInfo>();
    info->Column = &column;
    info->HeaderAlignment = column.HeaderAlignment();
    if (!column.IsFirst())
      info->Neighbors.Include(bLeft);
    if (!column.IsLast())
      info->Neighbors.Include(bRight);
    info->HeaderBorders = LFPainter()->GetHeaderBorders(info->Neighbors);
    info->SortOrder = column.SortOrder();
    info->Caption = column.Caption();
    InitColumnViewInfo(*info, column);
    TlxAutoWidthItem* item = auto_width.NewItem();
    item->MinWidth = column.MinWidth();
    item->Width = column.Width();
    item->Fixed = column.Fixed();
    Columns.push_back(std::move(info));
  }
  auto_width.AvailableWidth = HeadersRect.Width();
  auto_width.Calculate();
  std::vector<int32_t> widths;
  for (int32_t i = 0; i < count; ++i)
    widths.push_back(std::max(auto_width.GetItem(i)->AutoWidth, 0));
  int32_t right = HeadersRect.Left;
  const std::vector<int32_t> lefts = lxLookupGridColumnLefts(HeadersRect.Left, widths, right);
  for (int32_t i = 0; i < count; ++i) {
    TlxLookupGridColumnViewInfo& info = *Columns[static_cast<size_t>(i)];
    info.Bounds = TRect(lefts[static_cast<size_t>(i)], HeadersRect.Top, lefts[static_cast<size_t>(i)] + widths[static_cast<size_t>(i)],
                        HeadersRect.Bottom);
    info.ContentBounds = LFPainter()->GetHeaderContentBounds(info.Bounds, info.HeaderBorders);
  }
  if (right < HeadersRect.Right)
    HeadersRect.Right = right;
}

int32_t TlxLookupGridViewInfo::CalculateRowMinHeight() {
  int32_t height = 0;
  for (const auto& info : Columns) {
    CreateColumnViewData(*info, *info->Column);
    TScopeExit destroy([this, &info] { DestroyColumnViewData(*info, *info->Column); });
    if (info->ViewData == nullptr)
      continue;
    const TlxEditSizeProperties size{-1, 0, -1};
    const int32_t column_height = info->ViewData->MeasureEditSize(Canvas(), Variant::Null(), size).cy + 2;
    height = std::max(height, column_height);
  }
  return height;
}

void TlxLookupGridViewInfo::CalculateRows() {
  Rows.clear();
  RowsRect = TRect();
  VisibleRowsRect = TRect();
  VisibleRowCount = 0;
  PartVisibleRowCount = 0;
  if (HeadersRect.Width() < 1)
    return;
  RowMinHeight = CalculateRowMinHeight();
  RowsRect = TRect(HeadersRect.Left, HeadersRect.Bottom, HeadersRect.Right, HeadersRect.Bottom);
  VisibleRowsRect = RowsRect;
  TlxLookupGridRowsInput input;
  input.RowsTop = HeadersRect.Bottom;
  input.ClientBottom = grid_->GetClientBounds().Bottom;
  input.RowMinHeight = RowMinHeight;
  input.LineWidth = GetGridLineWidth();
  input.GridLines = grid_->Options().GridLines();
  input.RowCount = GetRowCount();
  input.TopRow = GetTopRowIndex();
  input.Backward = TopRowCalculation == lgtcBackward;
  input.InTopRowCalculation = TopRowCalculation != lgtcNone;
  const TlxLookupGridRowsLayout layout = lxLayOutLookupGridRows(input);
  RowsRect.Bottom = layout.RowsBottom;
  VisibleRowsRect.Bottom = layout.VisibleRowsBottom;
  VisibleRowCount = layout.VisibleRowCount;
  PartVisibleRowCount = layout.PartVisibleRowCount;
  // A top-row calculation only needs the counts.
  if (TopRowCalculation != lgtcNone)
    return;
  for (const TlxLookupGridRowPlace& place : layout.Rows)
    AddRow(place);
}

void TlxLookupGridViewInfo::AddRow(const TlxLookupGridRowPlace& place) {
  auto row = std::make_unique<TlxLookupGridRowViewInfo>();
  row->RowIndex = place.RowIndex;
  row->RecordIndex = grid_->DataController().GetRowInfo(place.RowIndex).RecordIndex;
  row->Focused = place.RowIndex == grid_->GetFocusedRowIndex();
  row->Bounds = TRect(RowsRect.Left, place.Top, RowsRect.Right, place.Bottom);
  const int32_t line_width = GetGridLineWidth();
  row->ContentBounds = row->Bounds;
  if (place.BottomLine) {
    row->ContentBounds.Bottom -= line_width;
    row->Borders.Include(bBottom);
  }
  const TlxGridLines lines = grid_->Options().GridLines();
  const int32_t count = static_cast<int32_t>(Columns.size());
  TlxLookupGridColumn* focused_column = grid_->FocusedColumn();
  for (int32_t i = 0; i < count; ++i) {
    const TlxLookupGridColumnViewInfo& column = *Columns[static_cast<size_t>(i)];
    auto cell = std::make_unique<TlxLookupGridCellViewInfo>();
    cell->ColumnIndex = i;
    cell->Focused = focused_column != nullptr && focused_column == column.Column;
    cell->Bounds = TRect(column.Bounds.Left, place.Top, column.Bounds.Right, row->ContentBounds.Bottom);
    cell->ContentBounds = cell->Bounds;
    if (lxLookupGridCellHasRightLine(lines, i, count)) {
      cell->ContentBounds.Right -= line_width;
      if (i == count - 1) {
        row->ContentBounds.Right = std::min(row->ContentBounds.Right, cell->Bounds.Right) - line_width;
        row->Borders.Include(bRight);
      } else {
        cell->Borders.Include(bRight);
      }
    }
    row->Cells.push_back(std::move(cell));
  }
  if (count > 0 && !row->Borders.Contains(bRight))
    row->ContentBounds.Right = std::min(row->ContentBounds.Right, row->Cells.back()->Bounds.Right);
  Rows.push_back(std::move(row));
  CalculateCells(*Rows.back());
}

void TlxLookupGridViewInfo::CalculateCells(TlxLookupGridRowViewInfo& row) {
  TlxCustomDataController& controller = grid_->DataController();
  const bool row_selected = controller.IsRowSelected(row.RowIndex) && row.Focused;
  for (auto& cell : row.Cells) {
    TlxLookupGridColumnViewInfo& column = *Columns[static_cast<size_t>(cell->ColumnIndex)];
    cell->Focused = grid_->FocusedColumn() != nullptr && grid_->FocusedColumn() == column.Column;
    const bool cell_selected = controller.IsRowSelected(row.RowIndex) && cell->Focused;
    const bool selected_colours = row_selected && !cell_selected;
    const TColor background = selected_colours ? GetSelectedColor() : GetContentColor();
    const TColor text_color = selected_colours ? GetSelectedTextColor() : GetContentFontColor();
    if (column.EditStyle != nullptr) {
      column.EditStyle->SetColor(background);
      column.EditStyle->SetTextColor(text_color);
    }
    TlxCustomEditProperties* properties = column.Column->GetProperties();
    cell->EditViewInfo.reset();
    if (properties == nullptr)
      continue;
    const TlxEditViewInfoClass view_info_class = properties->GetViewInfoClass();
    if (view_info_class.Create == nullptr)
      continue;
    cell->EditViewInfo = view_info_class.Create();
    CreateColumnViewData(column, *column.Column);
    TScopeExit destroy([this, &column] { DestroyColumnViewData(column, *column.Column); });
    if (column.ViewData == nullptr)
      continue;
    const int32_t item_index = cell->ColumnIndex;
    Variant value = Variant::Null();
    if (row.RecordIndex >= 0 && item_index < controller.GetItemCount()) {
      value = properties->CanUseFieldDisplayFormat(false) != 0
                  ? Variant(controller.GetDisplayText(row.RecordIndex, item_index))
                  : controller.GetValue(row.RecordIndex, item_index);
    }
    TlxCanvas& canvas = Canvas();
    column.ViewData->ApplyEditValueToViewInfo(canvas, value, *cell->EditViewInfo);
    column.ViewData->Calculate(canvas, cell->ContentBounds.Inflate(-1, -1), TPoint(-1, -1), -1, TShiftState(),
                               *cell->EditViewInfo, false);
    // The row's colours are what the editor draws with.
    cell->EditViewInfo->AssignBackgroundColor(background);
    if (auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(cell->EditViewInfo.get())) {
      text_view_info->Font = GetContentFont();
      text_view_info->TextColor = text_color;
    }
  }
}

void TlxLookupGridViewInfo::Calculate() {
  BorderSize = grid_->GetBorderSize();
  CalculateHeadersRect();
  CalculateRows();
  CalculateEmptyAreas();
}

int32_t TlxLookupGridViewInfo::CheckTopRowIndex(int32_t index) {
  TScopeExit reset([this] { TopRowCalculation = lgtcNone; });
  TopRowCalculation = lgtcForward;
  InternalTopRowIndex = index;
  Calculate();
  if (RowsRect.Bottom >= grid_->GetClientBounds().Bottom || Columns.empty())
    return index;
  const int32_t last_row = std::min(index + VisibleRowCount - 1, GetRowCount() - 1);
  TopRowCalculation = lgtcBackward;
  InternalTopRowIndex = last_row;
  Calculate();
  return last_row - VisibleRowCount + 1;
}

void TlxLookupGridViewInfo::InitColumnViewInfo(TlxLookupGridColumnViewInfo& column_view_info,
                                               TlxLookupGridColumn& column) {
  auto style = std::make_unique<TlxEditStyle>(&column, true);
  style->SetButtonTransparency(ebtHideInactive);
  style->SetFont(column.GetContentFont());
  column_view_info.EditStyle = std::move(style);
}

void TlxLookupGridViewInfo::CreateColumnViewData(TlxLookupGridColumnViewInfo& column_view_info,
                                                 TlxLookupGridColumn& column) {
  TlxCustomEditProperties* properties = column.GetProperties();
  if (properties == nullptr)
    return;
  HandProvider(properties, column.DefaultValuesProvider());
  column_view_info.ViewData = properties->CreateViewData(column_view_info.EditStyle.get(), true, false);
}

void TlxLookupGridViewInfo::DestroyColumnViewData(TlxLookupGridColumnViewInfo& column_view_info,
                                                  TlxLookupGridColumn& column) {
  column_view_info.ViewData.reset();
  TlxCustomEditProperties* properties = column.GetProperties();
  if (properties != nullptr && properties->DefaultValuesProvider() == column.DefaultValuesProvider())
    HandProvider(properties, nullptr);
}

TColor TlxLookupGridViewInfo::GetContentColor() const { return grid_->Color(); }

TFont* TlxLookupGridViewInfo::GetContentFont() const { return &grid_->Font(); }

TColor TlxLookupGridViewInfo::GetContentFontColor() const { return GetContentFont()->Color(); }

TColor TlxLookupGridViewInfo::GetHeaderColor() const { return LFPainter()->GetDefaultHeaderColor(); }

TFont* TlxLookupGridViewInfo::GetHeaderFont() const { return &grid_->Font(); }

TColor TlxLookupGridViewInfo::GetHeaderTextColor() const { return LFPainter()->GetDefaultHeaderTextColor(); }

TColor TlxLookupGridViewInfo::GetSelectedColor() const { return LFPainter()->GetDefaultSelectionColor(); }

TColor TlxLookupGridViewInfo::GetSelectedTextColor() const { return LFPainter()->GetDefaultSelectionTextColor(); }

int32_t TlxLookupGridViewInfo::GetRowHeight() const {
  return lxLookupGridRowHeight(RowMinHeight, GetGridLineWidth(), grid_->Options().GridLines());
}

int32_t TlxLookupGridViewInfo::GetTopRowIndex() const {
  return TopRowCalculation != lgtcNone ? InternalTopRowIndex : grid_->TopRowIndex();
}

int32_t TlxLookupGridViewInfo::GetRowCount() const { return grid_->GetRowCount(); }

TlxLookupGridRowViewInfo* TlxLookupGridViewInfo::FindRow(int32_t row_index) const {
  for (const auto& row : Rows)
    if (row->RowIndex == row_index)
      return row.get();
  return nullptr;
}

// --- TlxLookupGridPainter ------------------------------------------------------------------------

TlxLookupGridPainter::TlxLookupGridPainter(TlxCustomLookupGrid* grid) : grid_(grid) {}

TlxLookupGridPainter::~TlxLookupGridPainter() = default;

TlxCanvas& TlxLookupGridPainter::Canvas() { return grid_->CurrentCanvas(); }

TlxLookupGridViewInfo& TlxLookupGridPainter::ViewInfo() const { return grid_->ViewInfo(); }

void TlxLookupGridPainter::Paint() {
  DrawBorder();
  DrawContent();
}

void TlxLookupGridPainter::DrawBorder() {
  if (ViewInfo().BorderSize > 0 && lf_painter_ != nullptr)
    lf_painter_->PaintBorder(Canvas(), grid_->GetBounds());
  Canvas().IntersectClip(grid_->GetClientBounds());
}

void TlxLookupGridPainter::DrawContent() {
  DrawHeaders();
  DrawEmptyAreas();
  DrawRows();
}

void TlxLookupGridPainter::DrawHeaders() {
  TlxLookupGridViewInfo& info = ViewInfo();
  if (info.HeadersRect.IsEmpty())
    return;
  for (const auto& column : info.Columns) {
    TRect text_rect = column->ContentBounds.Inflate(-2, -2);
    TRect mark_rect;
    if (column->SortOrder != soNone) {
      mark_rect = text_rect;
      mark_rect.Left = std::max(text_rect.Right - lf_painter_->GetSortingMarkAreaSize().cx, text_rect.Left);
      text_rect.Right = mark_rect.Left;
    }
    lf_painter_->PaintHeader(Canvas(), column->Bounds, text_rect, column->Neighbors, column->HeaderBorders,
                             lxbsNormal, column->HeaderAlignment, vaCenter, false, true, column->Caption,
                             info.GetHeaderFont(), info.GetHeaderTextColor(), info.GetHeaderColor(), nullptr);
    if (column->SortOrder != soNone)
      lf_painter_->PaintSortingMark(Canvas(), mark_rect, column->SortOrder == soAscending);
  }
}

void TlxLookupGridPainter::DrawEmptyAreas() {
  const TlxLookupGridViewInfo& info = ViewInfo();
  if (info.EmptyRectRight.IsEmpty() && info.EmptyRectBottom.IsEmpty())
    return;
  Canvas().SetBrushColor(grid_->Color());
  if (!info.EmptyRectRight.IsEmpty())
    Canvas().FillRectColor(info.EmptyRectRight, grid_->Color());
  if (!info.EmptyRectBottom.IsEmpty())
    Canvas().FillRectColor(info.EmptyRectBottom, grid_->Color());
}

void TlxLookupGridPainter::DrawRows() {
  TlxLookupGridViewInfo& info = ViewInfo();
  if (info.RowsRect.IsEmpty())
    return;
  for (auto& row : info.Rows)
    DrawRow(*row);
}

void TlxLookupGridPainter::DrawRow(TlxLookupGridRowViewInfo& row) {
  const TlxLookupGridViewInfo& info = ViewInfo();
  const TColor line_color = info.GetGridLineColor();
  const int32_t line_width = info.GetGridLineWidth();
  for (auto& cell : row.Cells) {
    Canvas().FrameRectSides(cell->Bounds, line_color, line_width, FrameSidesOf(cell->Borders));
    DrawCell(*cell);
  }
  Canvas().FrameRectSides(row.Bounds, line_color, line_width, FrameSidesOf(row.Borders));
  if (row.Focused && (grid_->Focused() || grid_->PopupMode()))
    Canvas().DrawFocusFrame(row.ContentBounds);
}

void TlxLookupGridPainter::DrawCell(TlxLookupGridCellViewInfo& cell) {
  if (cell.EditViewInfo != nullptr) {
    if (cell.EditViewInfo->Font != nullptr)
      Canvas().AssignFont(*cell.EditViewInfo->Font);
    cell.EditViewInfo->Draw(Canvas());
    Canvas().FrameRectSides(cell.ContentBounds, cell.EditViewInfo->BackgroundColor, 1,
                            lxFrameSideLeft | lxFrameSideTop | lxFrameSideRight | lxFrameSideBottom);
  }
  Canvas().FrameRectSides(cell.Bounds, ViewInfo().GetGridLineColor(), ViewInfo().GetGridLineWidth(),
                          FrameSidesOf(cell.Borders));
}
