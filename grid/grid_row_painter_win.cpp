// The row painter's own steps: level indents, the bottom line of the last
// row and the row separator. Rows leave their whole rectangle out of the
// view's background, so every pixel of the indents is painted here.
#include <algorithm>

#include "grid/grid_data_rows_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/grid_table_view_win.h"

namespace {

bool HasHorizontalLines(TlxGridTableView* view) {
  const TlxGridLines lines = view->OptionsView()->GridLines();
  return lines == glBoth || lines == glHorizontal;
}

// Whether the row's record is the last one of its enclosing group whose
// level indent has index `indent_index`: the next record, if any, lies at
// that level or further out.
bool ClosesGroupAtIndent(TlxCustomGridRowViewInfo& row, int32_t indent_index) {
  TlxCustomGridRecord* record = row.GridRecord();
  TlxCustomGridTableViewData* view_data = row.RowsViewInfo()->ViewData();
  if (record == nullptr || view_data == nullptr)
    return false;
  const int32_t next = record->Index() + 1;
  if (next >= view_data->RecordCount())
    return true;
  return view_data->Records(next)->Level() <= indent_index;
}

}  // namespace

TlxCustomGridRowViewInfo& TlxCustomGridRowPainter::RowViewInfo() const {
  return static_cast<TlxCustomGridRowViewInfo&>(ViewInfo());
}

void TlxCustomGridRowPainter::DoPaint() {
  DrawFooters();
  DrawIndents();
  if (RowViewInfo().HasBottomLine())
    DrawBottomLine();
  if (RowViewInfo().GetSeparatorWidth() != 0)
    DrawSeparator();
  TlxCustomGridRecordPainter::DoPaint();
}

void TlxCustomGridRowPainter::DrawIndents() {
  TlxCustomGridRowViewInfo& row = RowViewInfo();
  TlxGridTableViewInfo* table = row.TableViewInfo();
  const int32_t count = table->GetLevelIndentCount(row.Level());
  const int32_t indent = table->LevelIndent;
  for (int32_t index = 0; index < count; ++index) {
    const int32_t left = lxSaturatingAdd(row.BoundsRect.Left, index * indent);
    DrawIndent(TRect(left, row.BoundsRect.Top, lxSaturatingAdd(left, indent), row.BoundsRect.Bottom), index);
  }
}

void TlxCustomGridRowPainter::DrawIndent(const TRect& rect, int32_t indent_index) {
  TlxCustomGridRowViewInfo& row = RowViewInfo();
  TlxGridTableView* view = row.TableView();
  TlxGridTableViewInfo* table = row.TableViewInfo();
  const bool lines = HasHorizontalLines(view);
  const bool closes = ClosesGroupAtIndent(row, indent_index);
  const int32_t line_width = table->GridLineWidth();
  TRect main = rect;
  if (lines)
    main.Right -= line_width;
  if (lines && closes)
    main.Bottom -= line_width;
  if (closes)
    main.Bottom -= row.GetSeparatorWidth();
  main.Right = std::max(main.Right, main.Left);
  main.Bottom = std::max(main.Bottom, main.Top);
  TlxCustomGridBackgroundBitmaps* bitmaps = view->BackgroundBitmaps();
  TBitmap* bitmap = bitmaps != nullptr ? bitmaps->GetBitmap(TlxGridTableBackgroundBitmaps::kGroup) : nullptr;
  if (bitmap != nullptr) {
    Canvas().FillRectTiled(main, bitmap);
  } else {
    TlxPaintParams params;
    view->Styles()->GetGroupParams(nullptr, indent_index, params);
    Canvas().FillRectColor(main, params.Color);
  }
  const TColor line_color = table->GridLineColor();
  if (main.Right < rect.Right)
    Canvas().FillRectColor(TRect(main.Right, rect.Top, rect.Right, main.Bottom), line_color);
  const int32_t below = std::min(lxSaturatingAdd(main.Bottom, line_width), rect.Bottom);
  if (main.Bottom < below)
    Canvas().FillRectColor(TRect(rect.Left, main.Bottom, rect.Right, below), line_color);
}

void TlxCustomGridRowPainter::DrawBottomLine() {
  TRect rect;
  RowViewInfo().GetBottomLineBounds(rect);
  Canvas().FillRectColor(rect, RowViewInfo().TableViewInfo()->GridLineColor());
}

void TlxCustomGridRowPainter::DrawSeparator() {
  TRect rect;
  RowViewInfo().GetSeparatorBounds(rect);
  Canvas().FillRectColor(rect, RowViewInfo().GetSeparatorColor());
}
