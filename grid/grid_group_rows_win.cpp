#include "grid/grid_group_rows_win.h"

#include <algorithm>
#include <utility>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "data/data_summary_items.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_deferred_errors.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/geometry/auto_width.h"

namespace {

bool IsOffice11(TlxGridTableView* view) { return view->OptionsView()->GroupRowStyle() == grsOffice11; }

TlxGridGroupSummaryLayout EffectiveSummaryLayout(TlxGridTableView* view) {
  return view->OptionsView()->GetGroupSummaryLayout();
}

TBitmap* GroupBackgroundBitmap(TlxGridTableView* view) {
  TlxCustomGridBackgroundBitmaps* bitmaps = view->BackgroundBitmaps();
  return bitmaps != nullptr ? bitmaps->GetBitmap(TlxGridTableBackgroundBitmaps::kGroup) : nullptr;
}

}  // namespace

// --- TlxGridGroupRowViewInfo -----------------------------------------------------------

TlxGridGroupRowViewInfo::TlxGridGroupRowViewInfo(TlxGridRecordViewInfoTarget* target)
    : TlxCustomGridRowViewInfo(target), cell_view_info_(std::make_unique<TlxGridGroupCellViewInfo>(this)) {
  CreateSummaryCellViewInfos();
  for (const auto& cell : summary_cells_)
    if (!cell->HasColumn())
      summary_cells_without_columns_.push_back(cell.get());
  CreateSpacerViewInfos();
}

TlxGridGroupRowViewInfo::~TlxGridGroupRowViewInfo() {
  DestroySpacerViewInfos();
  DestroySummaryCellViewInfos();
  cell_view_info_.reset();
}

TlxGridGroupRow* TlxGridGroupRowViewInfo::GroupRow() const { return dynamic_cast<TlxGridGroupRow*>(GridRecord()); }

TlxDataGroupSummaryItems* TlxGridGroupRowViewInfo::SummaryItems() const {
  TlxGridGroupRow* row = GroupRow();
  return row != nullptr ? row->GroupSummaryItems() : nullptr;
}

template <class Action>
void TlxGridGroupRowViewInfo::ForEachOwnCell(Action action) {
  if (beginning_spacer_ != nullptr)
    action(*beginning_spacer_);
  for (const auto& cell : summary_cells_)
    action(*cell);
  if (ending_spacer_ != nullptr)
    action(*ending_spacer_);
}

int32_t TlxGridGroupRowViewInfo::CalculateHeight() {
  int32_t content = 0;
  if (GetAutoHeight()) {
    cell_view_info_->CalculateParamsIfNeeded();
    content = RowsViewInfo()->CalculateTextRowHeight(false, cell_view_info_->PaintParams());
  } else {
    content = RowsViewInfo()->GroupRowHeight;
  }
  return lxSaturatingAdd(content, GetNonContentHeight());
}

bool TlxGridGroupRowViewInfo::GetAutoHeight() {
  return RowsViewInfo()->GetCellAutoHeight() && TableView()->OptionsView()->GroupRowHeight() == 0;
}

bool TlxGridGroupRowViewInfo::CanSize() { return TableView()->OptionsCustomize()->GroupRowSizing(); }

int32_t TlxGridGroupRowViewInfo::CheckHeight(int32_t height) {
  const int32_t non_cells = std::max(GetHeight() - GetCellsHeight(), 0);
  int32_t cells = TlxCustomGridRowViewInfo::CheckHeight(lxSaturatingSub(height, non_cells));
  TableView()->OptionsView()->CheckGroupRowHeight(cells);
  return lxSaturatingAdd(cells, non_cells);
}

void TlxGridGroupRowViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxCustomGridRowViewInfo::Calculate(left, top, width, height);
  cell_view_info_->Calculate(lxSaturatingAdd(BoundsRect.Left, GetLevelIndentsWidth()), BoundsRect.Top);
  CalculateSummaryCells();
}

void TlxGridGroupRowViewInfo::BeforeRecalculation() {
  TlxCustomGridRowViewInfo::BeforeRecalculation();
  cell_view_info_->BeforeRecalculation();
  ForEachOwnCell([](TlxCustomGridViewCellViewInfo& cell) { cell.BeforeRecalculation(); });
}

void TlxGridGroupRowViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridRowViewInfo::Offset(dx, dy);
  cell_view_info_->DoOffset(dx, dy);
  ForEachOwnCell([dx, dy](TlxCustomGridViewCellViewInfo& cell) { cell.DoOffset(dx, dy); });
}

TlxCustomGridHitTest* TlxGridGroupRowViewInfo::GetHitTest(const TPoint& point) {
  TlxCustomGridHitTest* hit_test = TlxCustomGridRowViewInfo::GetHitTest(point);
  if (hit_test == nullptr)
    return nullptr;
  for (const auto& cell : summary_cells_)
    if (cell->IsCalculated())
      if (TlxCustomGridHitTest* summary_hit_test = cell->GetHitTest(point))
        return summary_hit_test;
  return hit_test;
}

TBitmap* TlxGridGroupRowViewInfo::GetBackgroundBitmap() { return GroupBackgroundBitmap(TableView()); }

void TlxGridGroupRowViewInfo::CalculateExpandButtonBounds(TRect& rect) {
  rect = cell_view_info_->ContentBounds();
  if (IsOffice11(TableView()))
    rect.Top = rect.Bottom - cell_view_info_->TextHeightWithOffset();
  if (BoundsRect.IsEmpty()) {
    rect = TRect();
    return;
  }
  const int32_t size = TableViewInfo()->ExpandButtonSize();
  rect.Left += TableViewInfo()->ExpandButtonIndent;
  rect.Right = rect.Left + size;
  rect.Top += (rect.Height() - size) / 2;
  rect.Bottom = rect.Top + size;
}

void TlxGridGroupRowViewInfo::GetExpandButtonAreaBounds(TRect& rect) {
  rect = cell_view_info_->ContentBounds();
  rect.Right = lxSaturatingAdd(rect.Left, TableViewInfo()->LevelIndent);
}

void TlxGridGroupRowViewInfo::GetFocusRectBounds(TRect& rect) {
  TlxCustomGridRowViewInfo::GetFocusRectBounds(rect);
  rect.Bottom = cell_view_info_->ContentBounds().Bottom;
}

void TlxGridGroupRowViewInfo::GetSeparatorBounds(TRect& rect) {
  TlxCustomGridRowViewInfo::GetSeparatorBounds(rect);
  if (Expanded())
    rect.Left = std::min(lxSaturatingAdd(rect.Left, TableViewInfo()->LevelIndent), rect.Right);
}

bool TlxGridGroupRowViewInfo::HasSeparator() {
  return !IsOffice11(TableView()) && TlxCustomGridRowViewInfo::HasSeparator();
}

const TClass* TlxGridGroupRowViewInfo::GetPainterClass() const { return &TlxGridGroupRowPainter::kClass; }

void TlxGridGroupRowViewInfo::GetSeparatorIndentBounds(TRect& rect) {
  TlxCustomGridRowViewInfo::GetSeparatorBounds(rect);
  TRect own;
  GetSeparatorBounds(own);
  rect.Right = own.Left;
}

void TlxGridGroupRowViewInfo::CreateSpacerViewInfos() {
  if (!HasSummariesInText())
    return;
  beginning_spacer_ = std::make_unique<TlxGridGroupRowSpacerViewInfo>(this, GetSummaryBeginningSpacerText());
  ending_spacer_ = std::make_unique<TlxGridGroupRowSpacerViewInfo>(this, GetSummaryEndingSpacerText());
}

void TlxGridGroupRowViewInfo::DestroySpacerViewInfos() {
  ending_spacer_.reset();
  beginning_spacer_.reset();
}

void TlxGridGroupRowViewInfo::CreateSummaryCellViewInfos() {
  TlxGridGroupRow* row = GroupRow();
  if (row == nullptr)
    return;
  TlxDataGroupSummaryItems* items = nullptr;
  Variant values;
  if (!row->DataController()->Summary().GetGroupRowSummary(row->Index(), items, values) || !values.IsArray())
    return;
  const int32_t high = VarArrayHighBound(values);
  for (int32_t index = 0; index < items->Count() && index <= high; ++index) {
    auto* item = static_cast<TlxDataSummaryItem*>(items->Items(index));
    if (item->Position() != spGroup)
      continue;
    summary_cells_.push_back(
        std::make_unique<TlxGridGroupSummaryCellViewInfo>(this, VarArrayGet(values, index), item));
  }
}

void TlxGridGroupRowViewInfo::DestroySummaryCellViewInfos() {
  summary_cells_without_columns_.clear();
  summary_cells_.clear();
}

void TlxGridGroupRowViewInfo::CalculateSummaryCells() {
  if (summary_cells_.empty())
    return;
  if (HasSummariesInText()) {
    TRect rect;
    GetBeginningSpacerBounds(rect);
    beginning_spacer_->CalculateByRect(rect);
    const std::vector<TlxGridGroupSummaryCellViewInfo*> in_text = GetSummaryCellsInText();
    in_text.back()->SetIsLast(true);
    GetSummaryCellsAreaBounds(false, rect);
    CalculateSummaryCellsInArea(in_text, rect, false, taLeftJustify);
    GetEndingSpacerBounds(rect);
    ending_spacer_->CalculateByRect(rect);
  }
  if (EffectiveSummaryLayout(TableView()) == gslStandard)
    return;
  TlxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  if (header == nullptr)
    return;
  for (int32_t index = 0; index < header->GetColumnCount(); ++index) {
    TlxGridColumnHeaderViewInfo* header_cell = header->GetItem(index);
    if (header_cell == nullptr)
      continue;
    std::vector<TlxGridGroupSummaryCellViewInfo*> cells;
    for (const auto& cell : summary_cells_)
      if (cell->Column() == header_cell->Column())
        cells.push_back(cell.get());
    if (cells.empty())
      continue;
    cells.back()->SetIsLast(true);
    TRect rect;
    GetColumnSummaryCellsAreaBounds(header_cell, rect);
    CalculateSummaryCellsInArea(cells, rect, IsSummaryDistributed(), header_cell->Column()->GroupSummaryAlignment());
  }
}

void TlxGridGroupRowViewInfo::CalculateSummaryCellsInArea(const std::vector<TlxGridGroupSummaryCellViewInfo*>& cells,
                                                          const TRect& rect, bool auto_width, TAlignment alignment) {
  const std::unique_ptr<TlxAutoWidthObject> widths =
      CreateAutoWidthObject(cells, std::max(rect.Width(), 0), auto_width);
  TRect area;
  AdjustSummaryCellsArea(rect, *widths, area, auto_width, alignment);
  int32_t left = area.Left;
  for (size_t index = 0; index < cells.size(); ++index) {
    const int32_t width = std::max(widths->GetItem(static_cast<int32_t>(index))->AutoWidth, 0);
    const int32_t right = std::max(std::min(lxSaturatingAdd(left, width), rect.Right), left);
    cells[index]->CalculateByRect(TRect(left, area.Top, right, area.Bottom));
    left = right;
  }
}

std::unique_ptr<TlxAutoWidthObject> TlxGridGroupRowViewInfo::CreateAutoWidthObject(
    const std::vector<TlxGridGroupSummaryCellViewInfo*>& cells, int32_t available_width, bool auto_width) {
  auto widths = std::make_unique<TlxAutoWidthObject>(static_cast<int32_t>(cells.size()));
  for (TlxGridGroupSummaryCellViewInfo* cell : cells) {
    TlxAutoWidthItem* item = widths->NewItem();
    item->Width = cell->CalculateWidth();
    item->MinWidth = item->Width;
    item->Fixed = false;
    if (!auto_width)
      item->AutoWidth = item->Width;
  }
  widths->AvailableWidth = available_width;
  if (auto_width)
    widths->Calculate();
  return widths;
}

void TlxGridGroupRowViewInfo::GetColumnSummaryCellsAreaBounds(TlxGridColumnHeaderViewInfo* header_cell, TRect& rect) {
  GetSummaryCellsAreaBounds(true, rect);
  rect.Left = std::max(rect.Left, lxSaturatingAdd(header_cell->GetRealLeft(), 2));
  rect.Right = std::min(rect.Right, header_cell->BoundsRect.Right - 2);
}

void TlxGridGroupRowViewInfo::GetBeginningSpacerBounds(TRect& rect) {
  GetSummaryCellsAreaBounds(false, rect);
  rect.Right = rect.Left;
  rect.Left -= beginning_spacer_->GetWidth();
  TRect text_area;
  cell_view_info_->GetTextAreaBounds(text_area);
  rect.Right = std::min(rect.Right, text_area.Right);
}

void TlxGridGroupRowViewInfo::GetEndingSpacerBounds(TRect& rect) {
  GetSummaryCellsAreaBounds(false, rect);
  const std::vector<TlxGridGroupSummaryCellViewInfo*> in_text = GetSummaryCellsInText();
  if (!in_text.empty())
    rect.Left = in_text.back()->BoundsRect.Right;
  TRect text_area;
  cell_view_info_->GetTextAreaBounds(text_area);
  rect.Right = std::min(lxSaturatingAdd(rect.Left, ending_spacer_->GetWidth()), text_area.Right);
}

std::string TlxGridGroupRowViewInfo::GetSummaryBeginningSpacerText() {
  TlxDataGroupSummaryItems* items = SummaryItems();
  return " " + (items != nullptr ? items->BeginText() : std::string("("));
}

std::string TlxGridGroupRowViewInfo::GetSummaryEndingSpacerText() {
  TlxDataGroupSummaryItems* items = SummaryItems();
  return items != nullptr ? items->EndText() : std::string(")");
}

bool TlxGridGroupRowViewInfo::IsSummaryDistributed() {
  return EffectiveSummaryLayout(TableView()) == gslAlignWithColumnsAndDistribute;
}

void TlxGridGroupRowViewInfo::GetSummaryCellsAreaBounds(bool for_columns, TRect& rect) {
  rect = cell_view_info_->ContentBounds();
  TRect text_area;
  cell_view_info_->GetTextAreaBounds(text_area);
  rect.Right = text_area.Right;
  TRect text_rect;
  cell_view_info_->CalculateTextBounds(true, false, text_rect);
  rect.Left = std::min(text_rect.Right, rect.Right);
  if (for_columns) {
    if (HasSummariesInText() && ending_spacer_ != nullptr)
      rect.Left = ending_spacer_->BoundsRect.Right;
    rect.Left += 4;
    return;
  }
  rect.Left = lxSaturatingAdd(rect.Left, beginning_spacer_ != nullptr ? beginning_spacer_->GetWidth() : 0);
  const int32_t ending = ending_spacer_ != nullptr ? ending_spacer_->GetWidth() : 0;
  rect.Right = std::max(rect.Right - ending, rect.Left);
}

void TlxGridGroupRowViewInfo::AdjustSummaryCellsArea(const TRect& rect, const TlxAutoWidthObject& widths, TRect& area,
                                                     bool auto_width, TAlignment alignment) {
  area = rect;
  if (auto_width)
    return;
  const int64_t total = widths.TotalWidth();
  if (total >= widths.AvailableWidth)
    return;
  const auto total32 = static_cast<int32_t>(total);
  if (alignment == taRightJustify)
    area.Left = area.Right - total32;
  else if (alignment == taCenter)
    area.Left = static_cast<int32_t>((static_cast<int64_t>(area.Left) + area.Right - total32) / 2);
}

std::vector<TlxGridGroupSummaryCellViewInfo*> TlxGridGroupRowViewInfo::GetSummaryCellsInText() {
  if (EffectiveSummaryLayout(TableView()) != gslStandard)
    return summary_cells_without_columns_;
  std::vector<TlxGridGroupSummaryCellViewInfo*> cells;
  for (const auto& cell : summary_cells_)
    cells.push_back(cell.get());
  return cells;
}

bool TlxGridGroupRowViewInfo::HasSummariesInText() {
  return EffectiveSummaryLayout(TableView()) == gslStandard || !summary_cells_without_columns_.empty();
}

// --- TlxGridGroupRowPainter --------------------------------------------------------------

void TlxGridGroupRowPainter::DoPaint() {
  TlxGridGroupRowViewInfo& row = GroupRowViewInfo();
  row.CellViewInfo()->Paint(&Canvas());
  DrawSummaryCells();
  TlxCustomGridRowPainter::DoPaint();
}

void TlxGridGroupRowPainter::DrawSummaryCells() {
  TlxGridGroupRowViewInfo& row = GroupRowViewInfo();
  auto paint = [this](TlxCustomGridCellViewInfo* cell) {
    if (cell != nullptr && cell->IsCalculated())
      cell->Paint(&Canvas());
  };
  paint(row.SummaryBeginningSpacerViewInfo());
  for (int32_t index = 0; index < row.SummaryCellCount(); ++index)
    paint(row.SummaryCells(index));
  paint(row.SummaryEndingSpacerViewInfo());
}

void TlxGridGroupRowPainter::DrawSeparator() {
  TlxGridGroupRowViewInfo& row = GroupRowViewInfo();
  TRect indent;
  row.GetSeparatorIndentBounds(indent);
  if (!indent.IsEmpty())
    DrawIndent(indent, row.Level());
  TlxCustomGridRowPainter::DrawSeparator();
}

// --- TlxGridGroupCellViewInfo --------------------------------------------------------------

bool TlxGridGroupCellViewInfo::IsOffice11() const { return ::IsOffice11(row_->TableView()); }

int32_t TlxGridGroupCellViewInfo::CalculateHeight() { return row_->GetContentHeight(); }

int32_t TlxGridGroupCellViewInfo::CalculateWidth() {
  return std::max(row_->BoundsRect.Width() - row_->GetLevelIndentsWidth(), 0);
}

void TlxGridGroupCellViewInfo::GetText(std::string& text) {
  TlxGridGroupRow* row = row_->GroupRow();
  if (row == nullptr) {
    text.clear();
    return;
  }
  row->GetGroupCaption(text);
  if (TlxGridColumn* column = row->GroupedColumn())
    column->DoGetDisplayText(row, text);
}

void TlxGridGroupCellViewInfo::GetTextAreaBounds(TRect& rect) {
  TlxGridCellViewInfo::GetTextAreaBounds(rect);
  if (GridRecord() != nullptr && GridRecord()->GetExpandable())
    rect.Left = std::min(lxSaturatingAdd(rect.Left, row_->TableViewInfo()->LevelIndent), rect.Right);
}

TlxAlignmentVert TlxGridGroupCellViewInfo::GetTextAlignVert() const { return IsOffice11() ? vaBottom : vaCenter; }

void TlxGridGroupCellViewInfo::GetViewParams(TlxPaintParams& params) {
  row_->TableView()->Styles()->GetDataCellParams(GridRecord(), nullptr, false, nullptr, false, params);
}

TBitmap* TlxGridGroupCellViewInfo::GetBackgroundBitmap() { return row_->GetBackgroundBitmap(); }

TlxBorders TlxGridGroupCellViewInfo::GetBorders() {
  const TlxGridCellLineBorders lines = row_->TableViewInfo()->GetCellBorders(true);
  TlxBorders borders;
  if (lines.Right)
    borders.Include(bRight);
  if (lines.Bottom || IsOffice11())
    borders.Include(bBottom);
  return borders;
}

int32_t TlxGridGroupCellViewInfo::GetBorderWidth(TlxBorder side) {
  if (side == bBottom && IsOffice11())
    return 2;
  return row_->TableViewInfo()->GridLineWidth();
}

TColor TlxGridGroupCellViewInfo::GetBorderColor(TlxBorder side) {
  if (side == bBottom && IsOffice11())
    return static_cast<TColor>(lxOffice11Palette().GroupRowSeparatorColor);
  return row_->TableViewInfo()->GridLineColor();
}

void TlxGridGroupCellViewInfo::GetBorderBounds(TlxBorder side, TRect& rect) {
  TlxGridCellViewInfo::GetBorderBounds(side, rect);
  if (side != bBottom || IsOffice11() || !row_->Expanded())
    return;
  // The children's indent column ends one level indent further right.
  rect.Left = std::min(lxSaturatingAdd(BoundsRect.Left, row_->TableViewInfo()->LevelIndent), rect.Right);
}

const TClass* TlxGridGroupCellViewInfo::GetPainterClass() const { return &TlxGridGroupCellPainter::kClass; }

void TlxGridGroupCellPainter::DrawBorder(TlxBorder side) {
  TlxCustomGridCellPainter::DrawBorder(side);
  auto& cell = static_cast<TlxGridGroupCellViewInfo&>(ViewInfo());
  if (side != bBottom || !cell.RowViewInfo()->Expanded())
    return;
  TRect strip;
  cell.TlxGridCellViewInfo::GetBorderBounds(side, strip);
  TRect line;
  cell.GetBorderBounds(side, line);
  if (line.Left <= strip.Left)
    return;
  strip.Right = line.Left;
  TlxGridTableView* view = cell.RowViewInfo()->TableView();
  if (TBitmap* bitmap = GroupBackgroundBitmap(view)) {
    Canvas().FillRectTiled(strip, bitmap);
    return;
  }
  TlxPaintParams params;
  view->Styles()->GetGroupParams(nullptr, cell.RowViewInfo()->Level(), params);
  Canvas().FillRectColor(strip, params.Color);
}

// --- TlxGridGroupRowSpacerViewInfo ---------------------------------------------------------

TlxGridGroupRowSpacerViewInfo::TlxGridGroupRowSpacerViewInfo(TlxGridGroupRowViewInfo* row, std::string text)
    : TlxCustomGridViewCellViewInfo(row->OwnerViewInfo()), row_(row), text_(std::move(text)) {}

void TlxGridGroupRowSpacerViewInfo::SetText(const std::string& text) {
  text_ = text;
  ResetParams();
}

int32_t TlxGridGroupRowSpacerViewInfo::GetWidth() const {
  // Before it is placed a spacer is as wide as its text.
  auto* self = const_cast<TlxGridGroupRowSpacerViewInfo*>(this);
  if (!IsCalculated())
    return self->CalculateWidth();
  return TlxCustomGridViewCellViewInfo::GetWidth();
}

TlxAlignmentVert TlxGridGroupRowSpacerViewInfo::GetTextAlignVert() const {
  return row_->CellViewInfo()->GetTextAlignVert();
}

void TlxGridGroupRowSpacerViewInfo::GetViewParams(TlxPaintParams& params) {
  row_->TableView()->Styles()->GetGroupSummaryAreaParams(row_->GridRecord(), row_->SummaryItems(), params);
}

const TClass* TlxGridGroupRowSpacerViewInfo::GetHitTestClass() const { return &TlxGridRecordHitTest::kClass; }

// --- TlxGridGroupSummaryCellViewInfo -------------------------------------------------------

TlxGridGroupSummaryCellViewInfo::TlxGridGroupSummaryCellViewInfo(TlxGridGroupRowViewInfo* row, const Variant& value,
                                                                 TlxDataSummaryItem* item)
    : TlxCustomGridViewCellViewInfo(row->OwnerViewInfo()), row_(row), value_(value), summary_item_(item) {
  separator_ = std::make_unique<TlxGridGroupRowSpacerViewInfo>(row, GetSeparatorText());
}

TlxGridGroupSummaryCellViewInfo::~TlxGridGroupSummaryCellViewInfo() { separator_.reset(); }

TlxGridColumn* TlxGridGroupSummaryCellViewInfo::Column() const {
  return dynamic_cast<TlxGridColumn*>(summary_item_->LinkedItem());
}

void TlxGridGroupSummaryCellViewInfo::SetIsLast(bool value) {
  if (is_last_ == value)
    return;
  is_last_ = value;
  separator_->SetText(GetSeparatorText());
}

void TlxGridGroupSummaryCellViewInfo::GetText(std::string& text) {
  // A format fault must not stop the paint nor open a box inside it: the
  // cell keeps what it showed and the fault is reported after the paint.
  const void* owner = OwnerViewInfo();
  try {
    summary_item_->FormatValue(value_, false, text);
    last_text_ = text;
    lxGridDeferredErrors().SourceSucceeded(owner, summary_item_);
  } catch (const std::exception&) {
    text = last_text_;
    lxGridDeferredErrors().CaptureCurrent(owner, summary_item_);
  }
}

int32_t TlxGridGroupSummaryCellViewInfo::CalculateWidth() {
  return lxSaturatingAdd(separator_->GetWidth(), TextWidth());
}

void TlxGridGroupSummaryCellViewInfo::GetTextAreaBounds(TRect& rect) {
  rect = ContentBounds().Inflate(0, -2);
  rect.Right = std::max(rect.Right - separator_->GetWidth(), rect.Left);
}

TAlignment TlxGridGroupSummaryCellViewInfo::GetTextAlignHorz() const {
  TlxGridColumn* column = Column();
  if (column != nullptr && row_->IsSummaryDistributed())
    return column->GroupSummaryAlignment();
  return taLeftJustify;
}

TlxAlignmentVert TlxGridGroupSummaryCellViewInfo::GetTextAlignVert() const {
  return row_->CellViewInfo()->GetTextAlignVert();
}

void TlxGridGroupSummaryCellViewInfo::GetViewParams(TlxPaintParams& params) {
  row_->TableView()->Styles()->GetGroupSummaryParams(row_->GridRecord(), summary_item_, params);
}

void TlxGridGroupSummaryCellViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxCustomGridViewCellViewInfo::Calculate(left, top, width, height);
  TRect rect;
  GetSeparatorBounds(rect);
  separator_->CalculateByRect(rect);
}

void TlxGridGroupSummaryCellViewInfo::BeforeRecalculation() {
  TlxCustomGridViewCellViewInfo::BeforeRecalculation();
  separator_->BeforeRecalculation();
}

void TlxGridGroupSummaryCellViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridViewCellViewInfo::Offset(dx, dy);
  separator_->DoOffset(dx, dy);
}

void TlxGridGroupSummaryCellViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridViewCellViewInfo::InitHitTest(hit_test);
  // A click on a summary acts on its row.
  hit_test->SetViewInfo(row_);
  if (auto* summary_hit_test = dynamic_cast<TlxGridGroupSummaryHitTest*>(hit_test)) {
    summary_hit_test->SetGridRecord(row_->GridRecord());
    summary_hit_test->SummaryItem = summary_item_;
  }
}

const TClass* TlxGridGroupSummaryCellViewInfo::GetHitTestClass() const { return &TlxGridGroupSummaryHitTest::kClass; }

const TClass* TlxGridGroupSummaryCellViewInfo::GetPainterClass() const {
  return &TlxGridGroupSummaryCellPainter::kClass;
}

void TlxGridGroupSummaryCellViewInfo::GetSeparatorBounds(TRect& rect) {
  rect = BoundsRect;
  TRect text_rect;
  CalculateTextBounds(true, false, text_rect);
  TRect text_area;
  GetTextAreaBounds(text_area);
  rect.Left = std::min(text_rect.Right, text_area.Right);
}

std::string TlxGridGroupSummaryCellViewInfo::GetSeparatorText() {
  if (is_last_)
    return {};
  TlxDataGroupSummaryItems* items = row_->SummaryItems();
  return (items != nullptr ? items->Separator() : std::string(",")) + " ";
}

void TlxGridGroupSummaryCellPainter::DoPaint() {
  TlxCustomGridCellPainter::DoPaint();
  auto& cell = static_cast<TlxGridGroupSummaryCellViewInfo&>(ViewInfo());
  if (cell.SeparatorViewInfo()->IsCalculated())
    cell.SeparatorViewInfo()->Paint(&Canvas());
}
