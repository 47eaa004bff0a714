#include "grid/grid_preview_win.h"

#include <algorithm>

#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"

namespace {

// The text area lies 2 pixels inside the content at the top and bottom.
constexpr int32_t kPreviewVerticalInset = 2;
// Background bitmap index of the preview.
constexpr int32_t kPreviewBitmap = 8;

TlxGridPreview* PreviewOf(TlxGridDataRowViewInfo* row) { return row->TableView()->Preview(); }

}  // namespace

TlxGridPreviewCellViewInfo::TlxGridPreviewCellViewInfo(TlxGridDataRowViewInfo* row, TlxGridColumn* column)
    : TlxGridDataCellViewInfo(row, column, column->VisibleIndex()) {}

int32_t TlxGridPreviewCellViewInfo::CalculateWidth() {
  // Asked before the row is laid out: the data width less the indents.
  return std::max(RowViewInfo()->CalculateWidth() - RowViewInfo()->GetLevelIndentsWidth(), 0);
}

int32_t TlxGridPreviewCellViewInfo::TextAreaWidth(int32_t width) {
  TlxGridPreview* preview = PreviewOf(RowViewInfo());
  const int32_t borders = GetBorders().Contains(bRight) ? RowViewInfo()->TableViewInfo()->GridLineWidth() : 0;
  return std::max(width - borders - preview->LeftIndent() - preview->RightIndent(), 0);
}

int32_t TlxGridPreviewCellViewInfo::PreviewHeight() {
  if (height_ >= 0)
    return height_;
  TlxGridPreview* preview = PreviewOf(RowViewInfo());
  CalculateParamsIfNeeded();
  const int32_t line_height = RowViewInfo()->TableViewInfo()->GetFontHeight(PaintParams().Font);
  const int32_t max_lines = preview->MaxLineCount();
  int32_t height = 0;
  if (preview->AutoHeight()) {
    std::string text;
    GetText(text);
    if (!text.empty()) {
      TlxCanvas& canvas = GetCanvas();
      if (PaintParams().Font != nullptr)
        canvas.AssignFont(*PaintParams().Font);
      TRect rect(0, 0, std::max(TextAreaWidth(CalculateWidth()), 1), 0x3FFFFFFF);
      canvas.CalcTextRect(text, rect, kTextFlags);
      int32_t text_height = rect.Height();
      if (max_lines > 0)
        text_height = std::min(text_height, lxSaturatingMul(max_lines, line_height));
      height = lxSaturatingAdd(text_height, 2 * kPreviewVerticalInset);
    }
  } else if (max_lines > 0) {
    height = lxSaturatingAdd(lxSaturatingMul(max_lines, line_height), 2 * kPreviewVerticalInset);
  }
  if (height != 0)
    height = RowViewInfo()->RowsViewInfo()->GetRowHeightWithGridLine(height);
  height_ = height;
  return height_;
}

TlxBorders TlxGridPreviewCellViewInfo::GetBorders() {
  TlxGridDataRowViewInfo* row = RowViewInfo();
  const bool above_cells = PreviewOf(row)->Place() == prTop && row->TableView()->VisibleColumnCount() > 0;
  const TlxGridCellLineBorders lines = row->GetCellBorders(!above_cells);
  TlxBorders borders;
  if (lines.Right)
    borders.Include(bRight);
  if (lines.Bottom)
    borders.Include(bBottom);
  return borders;
}

void TlxGridPreviewCellViewInfo::GetViewParams(TlxPaintParams& params) {
  RowViewInfo()->TableView()->Styles()->GetPreviewParams(RowViewInfo()->GridRecord(), Column(), params);
}

TBitmap* TlxGridPreviewCellViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = RowViewInfo()->TableView()->BackgroundBitmaps();
  return bitmaps != nullptr ? bitmaps->GetBitmap(kPreviewBitmap) : nullptr;
}

void TlxGridPreviewCellViewInfo::GetText(std::string& text) {
  TlxCustomGridRecord* record = RowViewInfo()->GridRecord();
  text = record != nullptr ? record->GetDisplayText(Column()->Index()) : std::string();
}

const TClass* TlxGridPreviewCellViewInfo::GetHitTestClass() const { return &TlxGridPreviewHitTest::kClass; }

const TClass* TlxGridPreviewCellViewInfo::GetPainterClass() const { return &TlxGridPreviewCellPainter::kClass; }

void TlxGridPreviewCellViewInfo::GetTextAreaBounds(TRect& rect) {
  TlxGridPreview* preview = PreviewOf(RowViewInfo());
  rect = ContentBounds();
  rect.Top += kPreviewVerticalInset;
  rect.Bottom -= kPreviewVerticalInset;
  rect.Left += preview->LeftIndent();
  rect.Right -= preview->RightIndent();
  rect.Right = std::max(rect.Right, rect.Left);
  rect.Bottom = std::max(rect.Bottom, rect.Top);
}

void TlxGridPreviewCellPainter::DrawContent() {
  auto& cell = static_cast<TlxGridPreviewCellViewInfo&>(ViewInfo());
  if (!cell.HasBackground() || !cell.DoCustomDrawBackground(Canvas()))
    DrawBackground();
  std::string text;
  cell.GetText(text);
  if (text.empty())
    return;
  TRect rect;
  cell.GetTextAreaBounds(rect);
  const TlxPaintParams& params = cell.PaintParams();
  if (params.Font != nullptr)
    Canvas().AssignFont(*params.Font);
  Canvas().Font().SetColor(params.TextColor);
  Canvas().Brush().SetStyle(bsClear);
  TScopeExit solid([this] { Canvas().Brush().SetStyle(bsSolid); });
  Canvas().DrawTextInRect(text, rect, TlxGridPreviewCellViewInfo::kTextFlags, true);
}

// --- the data row's side of its preview -----------------------------------------------------

bool TlxGridDataRowViewInfo::HasPreview() { return TableView()->Preview()->Active(); }

TlxGridPreviewCellViewInfo* TlxGridDataRowViewInfo::PreviewViewInfo() {
  if (!HasPreview()) {
    preview_.reset();
    return nullptr;
  }
  if (preview_ == nullptr)
    preview_ = std::make_unique<TlxGridPreviewCellViewInfo>(this, TableView()->Preview()->Column());
  return preview_.get();
}

int32_t TlxGridDataRowViewInfo::PreviewHeight() {
  TlxGridPreviewCellViewInfo* preview = PreviewViewInfo();
  return preview != nullptr ? preview->PreviewHeight() : 0;
}

void TlxGridDataRowViewInfo::CalculatePreview() {
  TlxGridPreviewCellViewInfo* preview = PreviewViewInfo();
  if (preview == nullptr)
    return;
  const int32_t height = preview->PreviewHeight();
  const bool on_top = TableView()->Preview()->Place() == prTop;
  const int32_t top = on_top ? CellsAreaBounds.Top - height : CellsAreaBounds.Bottom;
  preview->Calculate(CellsAreaBounds.Left, top, CellsAreaBounds.Width(), height);
}
