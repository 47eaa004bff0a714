#include "grid/grid_table_painters_win.h"

#include <windows.h>

#include <vector>

#include "grid/grid_data_rows_win.h"
#include "grid/grid_footers_win.h"
#include "grid/grid_preview_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/table_layout_math.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/color.h"

// --- TlxGridTablePainter -----------------------------------------------------------------

void TlxGridTablePainter::AddGridLine(const TRect& rect) {
  if (grid_lines_ != nullptr)
    grid_lines_->push_back(rect);
}

void TlxGridTablePainter::PaintContent() {
  DrawGroupByBox();
  DrawFilterBox();
  DrawIndicator();
  DrawHeader();
  DrawFooter();
  DrawRecords();
}

void TlxGridTablePainter::DrawHeader() {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  if (TlxGridHeaderViewInfo* header = view_info->HeaderViewInfo(); header != nullptr && header->GetVisible())
    header->Paint(&Canvas());
}

void TlxGridTablePainter::DrawFooter() {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  if (TlxGridFooterViewInfo* footer = view_info->FooterViewInfo(); footer != nullptr && footer->GetVisible())
    footer->Paint(&Canvas());
}

void TlxGridTablePainter::DrawGroupByBox() {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  if (TlxGridGroupByBoxViewInfo* box = view_info->GroupByBoxViewInfo(); box != nullptr && box->GetVisible())
    box->Paint(&Canvas());
}

void TlxGridTablePainter::DrawIndicator() {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  if (TlxGridIndicatorViewInfo* indicator = view_info->IndicatorViewInfo(); indicator != nullptr && indicator->IsShown())
    indicator->Paint(&Canvas());
}

void TlxGridTablePainter::DrawRecords() {
  std::vector<TRect> lines;
  grid_lines_ = &lines;
  // Lines gathered before a failure are dropped with the list.
  TScopeExit stop_collecting([this] { grid_lines_ = nullptr; });
  TlxCustomGridTablePainter::DrawRecords();
  if (auto* rows = static_cast<TlxGridTableViewInfo*>(TableViewInfo())->RowsViewInfo())
    rows->PaintSpecialRows(Canvas());
  grid_lines_ = nullptr;
  DrawGridLines(lines);
}

void TlxGridTablePainter::DrawGridLines(const std::vector<TRect>& lines) {
  // An empty batch makes no call at all.
  if (lines.empty())
    return;
  std::vector<POINT> points;
  std::vector<DWORD> counts(lines.size(), 2);
  points.reserve(lines.size() * 2);
  for (const TRect& line : lines) {
    const TlxGridLineSegment segment = lxGridLineSegment(line);
    points.push_back(POINT{segment.From.X, segment.From.Y});
    points.push_back(POINT{segment.To.X, segment.To.Y});
  }
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  HDC dc = Canvas().Handle();
  // A pen of our own, selected only for this call, so that the canvas's
  // cached pen state stays true.
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToColorRef(view_info->GridLineColor()));
  HGDIOBJ previous = SelectObject(dc, pen);
  TScopeExit restore([dc, previous, pen] {
    SelectObject(dc, previous);
    DeleteObject(pen);
  });
  PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
}

bool TlxGridTablePainter::CanScrollWindow() {
  if (!TlxCustomGridTablePainter::CanScrollWindow())
    return false;
  TlxGridTableView* view = static_cast<TlxGridTableViewInfo*>(TableViewInfo())->TableView();
  TlxCustomGridBackgroundBitmaps* bitmaps = view->BackgroundBitmaps();
  // The group indents and the footer tile bitmaps that do not move.
  if (bitmaps != nullptr && (bitmaps->GetBitmap(5) != nullptr || bitmaps->GetBitmap(3) != nullptr))
    return false;
  return true;
}

namespace {

// Moves the pixels of `source` by (dx, dy), keeping the result inside
// `clip`; the strip that is left is invalidated by the caller.
void MovePixels(TlxGridSite* site, int32_t dx, int32_t dy, const TRect& source, const TRect& clip) {
  const RECT scroll = source;
  const RECT clipping = clip;
  ScrollWindowEx(site->Handle(), dx, dy, &scroll, &clipping, nullptr, nullptr, 0);
}

}  // namespace

void TlxGridTablePainter::ScrollRecords(int32_t /*dy*/) {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  TlxGridSite* site = GridView()->Site();
  TlxGridTableView* view = view_info->TableView();
  // Merged cells span rows that moved and rows that did not.
  for (int32_t index = 0; index < view->VisibleColumnCount(); ++index)
    if (view->VisibleColumns(index)->Options()->CellMerging()) {
      GridView()->Invalidate();
      return;
    }
  // The rows moved by the height of the rows that left or came in; that is
  // the distance the pixels move.
  const int32_t delta = view_info->RowsViewInfo()->ItemsOffset;
  const TlxGridScrollRects rects = view_info->GetVScrollRects(delta);
  TRect data_area;
  view_info->GetDataAreaBounds(data_area);
  if (!rects.Moved.IsEmpty())
    MovePixels(site, 0, delta, rects.Moved, data_area);
  if (!rects.Repaint.IsEmpty())
    site->InvalidateRect(rects.Repaint, true);
  site->Update();
}

void TlxGridTablePainter::ScrollContent(int32_t dx, int32_t /*dy*/) {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  TlxGridSite* site = GridView()->Site();
  // Detail sites are windows of their own, and an info text stays centred
  // in the visible part: neither moves with the pixels.
  if (!CanScrollHorizontally()) {
    GridView()->Invalidate();
    return;
  }
  const TlxGridScrollRects rects = view_info->GetHScrollRects(dx);
  TRect rows_area;
  view_info->GetRowsAreaBounds(rows_area);
  if (!rects.Moved.IsEmpty())
    MovePixels(site, dx, 0, rects.Moved, rows_area);
  if (!rects.Repaint.IsEmpty())
    site->InvalidateRect(rects.Repaint, true);
  site->Update();
}

bool TlxGridTablePainter::CanScrollHorizontally() {
  auto* view_info = static_cast<TlxGridTableViewInfo*>(TableViewInfo());
  TlxGridTableView* view = view_info->TableView();
  if (view->HasDetails())
    return false;
  TlxGridRowsViewInfo* rows = view_info->RowsViewInfo();
  if (rows == nullptr)
    return true;
  for (TlxGridNewItemRowViewInfo* row :
       {static_cast<TlxGridNewItemRowViewInfo*>(rows->FilterRowViewInfo()), rows->NewItemRowViewInfo()})
    if (row != nullptr && !row->GetInfoText().empty())
      return false;
  return true;
}

// --- rows and cells ----------------------------------------------------------------------

void TlxCustomGridRowPainter::DrawFooters() {
  auto& row = static_cast<TlxCustomGridRowViewInfo&>(ViewInfo());
  if (row.FootersHeight() > 0)
    row.FootersViewInfo()->Paint(Canvas());
}

void TlxGridDataRowPainter::DoPaint() {
  if (HasCells()) {
    Canvas().PushClipRegion();
    TScopeExit restore([this] { Canvas().PopClipRegion(); });
    DrawCells();
  }
  TlxCustomGridRowPainter::DoPaint();
}

void TlxGridDataRowPainter::DrawCells() {
  auto& row = static_cast<TlxGridDataRowViewInfo&>(ViewInfo());
  for (int32_t index = 0; index < row.GetCellCount(); ++index)
    if (TlxGridDataCellViewInfo* cell = row.ExistingCell(index);
        cell != nullptr && cell->IsCalculated() && !cell->IsMerged())
      cell->Paint(&Canvas());
  if (TlxGridPreviewCellViewInfo* preview = row.PreviewViewInfo(); preview != nullptr && preview->IsCalculated())
    preview->Paint(&Canvas());
}

void TlxGridDataCellPainter::DrawBorder(TlxBorder side) {
  TRect rect;
  ViewInfo().GetBorderBounds(side, rect);
  auto* view_info = static_cast<TlxCustomGridViewCellViewInfo&>(ViewInfo()).GridView();
  auto* table_painter = view_info != nullptr ? dynamic_cast<TlxGridTablePainter*>(view_info->Painter()) : nullptr;
  if (table_painter != nullptr && table_painter->IsCollectingGridLines()) {
    table_painter->AddGridLine(rect);
    return;
  }
  TlxGridTableDataCellPainter::DrawBorder(side);
}

void TlxGridDataCellPainter::DrawContent() {
  TlxCustomGridCellViewInfo& cell = ViewInfo();
  if (!cell.HasBackgroundBitmap())
    Canvas().FillRectColor(cell.ClientBounds(), cell.PaintParams().Color);
  TlxGridTableDataCellPainter::DrawContent();
}

// --- header ------------------------------------------------------------------------------

bool TlxGridHeaderPainter::ItemsPaintedFirst() {
  TlxPainterClass painter = Container().LookAndFeelPainter();
  return painter == nullptr || painter->HeaderCellsPaintedFirst();
}

void TlxGridColumnHeaderSortingMarkPainter::DrawContent() {
  auto& area = static_cast<TlxGridColumnHeaderSortingMarkViewInfo&>(ViewInfo());
  if (TlxPainterClass painter = area.LookAndFeelPainter())
    painter->PaintSortingMark(Canvas(), area.BoundsRect, area.Ascending());
}
