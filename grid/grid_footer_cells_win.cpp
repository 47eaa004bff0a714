// The view footer, its cells and the group footers of a row.

#include <algorithm>
#include <exception>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "data/data_summary_items.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_deferred_errors.h"
#include "grid/grid_footers_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"

namespace {

// Text margin of a cell inside its borders, on each side.
constexpr int32_t kFooterTextMargin = 2;

int32_t FooterCellOffset(TlxPainterClass painter) { return painter != nullptr ? painter->GetFooterCellOffset() : 0; }

TlxGridColumn* ColumnOf(TlxDataSummaryItem* item) {
  return item != nullptr ? dynamic_cast<TlxGridColumn*>(item->LinkedItem()) : nullptr;
}

TlxDataSummary& SummaryOf(TlxGridTableView* view) { return view->DataController()->Summary(); }

}  // namespace

// --- TlxGridFooterCellViewInfo ----------------------------------------------------------

TlxGridFooterCellViewInfo::TlxGridFooterCellViewInfo(TlxGridFooterViewInfo* footer, TlxGridColumn* column,
                                                     TlxDataSummaryItem* summary_item)
    : TlxGridColumnHeaderViewInfo(footer, column), footer_(footer), summary_item_(summary_item) {}

const std::string& TlxGridFooterCellViewInfo::SummaryText() {
  if (text_read_ || summary_item_ == nullptr)
    return text_;
  text_read_ = true;
  const void* owner = OwnerViewInfo();
  try {
    text_ = footer_->GetSummaryText(summary_item_);
    lxGridDeferredErrors().SourceSucceeded(owner, summary_item_);
  } catch (const std::exception&) {
    // A message box here would run inside the paint: the error waits
    // until the paint has ended, and the cell shows what it has.
    lxGridDeferredErrors().CaptureCurrent(owner, summary_item_);
  }
  return text_;
}

void TlxGridFooterCellViewInfo::GetText(std::string& text) { text = SummaryText(); }

TAlignment TlxGridFooterCellViewInfo::GetTextAlignHorz() const { return Column()->FooterAlignmentHorz(); }

int32_t TlxGridFooterCellViewInfo::GetCellBorderWidth() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetFooterCellBorderSize() : 0;
}

bool TlxGridFooterCellViewInfo::GetMeasureMultiLine() {
  return footer_->IsItemAutoHeight();
}

int32_t TlxGridFooterCellViewInfo::CalculateHeight() {
  CalculateParamsIfNeeded();
  int32_t text_height = TableViewInfo()->GetFontHeight(PaintParams().Font);
  if (GetMeasureMultiLine()) {
    // Wrapped in the width the cell will get.
    int32_t left = 0;
    int32_t width = 0;
    footer_->GetColumnPlaceOf(Column(), left, width);
    const int32_t offset = FooterCellOffset(LookAndFeelPainter());
    const int32_t inner = std::max(width - 2 * offset - 2 * GetCellBorderWidth() - 2 * kFooterTextMargin, 1);
    TextAreaBounds = TRect(0, 0, inner, 0x3FFFFFFF);
    text_height = std::max(text_height, TextHeight());
    TextAreaBounds = TRect();
  }
  return text_height + 2 * kFooterTextMargin + 2 * GetCellBorderWidth();
}

void TlxGridFooterCellViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  const int32_t offset = FooterCellOffset(LookAndFeelPainter());
  TlxGridColumnHeaderViewInfo::Calculate(left + offset, top + offset, std::max(width - 2 * offset, 0),
                                         std::max(height - 2 * offset, 0));
}

void TlxGridFooterCellViewInfo::CalculateTextArea() {
  TlxPainterClass painter = LookAndFeelPainter();
  TextAreaBounds = painter != nullptr ? painter->GetFooterCellTextBounds(BoundsRect)
                                      : BoundsRect.Inflate(-kFooterTextMargin, -kFooterTextMargin);
}

void TlxGridFooterCellViewInfo::GetViewParams(TlxPaintParams& params) {
  TableView()->Styles()->GetFooterCellParams(footer_->FooterRecord(), Column(), params, summary_item_,
                                             footer_->FooterGroupLevel());
}

const TClass* TlxGridFooterCellViewInfo::GetHitTestClass() const { return footer_->GetCellHitTestClass(); }

const TClass* TlxGridFooterCellViewInfo::GetPainterClass() const { return &TlxGridFooterCellPainter::kClass; }

TBitmap* TlxGridFooterCellViewInfo::GetBackgroundBitmap() { return footer_->GetBackgroundBitmap(); }

void TlxGridFooterCellViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxGridColumnHeaderViewInfo::InitHitTest(hit_test);
  if (auto* cell_hit_test = dynamic_cast<TlxGridFooterCellHitTest*>(hit_test))
    cell_hit_test->SummaryItem = summary_item_;
}

bool TlxGridFooterCellViewInfo::HasCustomDraw() {
  return static_cast<bool>(Column()->OnCustomDrawFooterCell()) || TableView()->HasCustomDrawFooterCell();
}

bool TlxGridFooterCellViewInfo::CustomDraw(TlxCanvas& canvas) {
  if (Column()->DoCustomDrawFooterCell(&canvas, this))
    return true;
  return TableView()->DoCustomDrawFooterCell(&canvas, this);
}

int32_t TlxGridFooterCellViewInfo::GetNeededWidth() {
  return TlxGridColumnHeaderViewInfo::GetNeededWidth() + 2 * FooterCellOffset(LookAndFeelPainter());
}

// --- TlxGridFooterViewInfo --------------------------------------------------------------

TlxGridFooterViewInfo::TlxGridFooterViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxGridHeaderViewInfo(owner_view_info) {}

TlxGridFooterViewInfo::~TlxGridFooterViewInfo() { cells_.clear(); }

void TlxGridFooterViewInfo::ResetCells() {
  cells_.clear();
  summary_items_.clear();
  cells_created_ = false;
  row_count_ = 0;
  ResetItems();
}

const std::vector<TlxDataSummaryItem*>& TlxGridFooterViewInfo::SummaryItems() {
  CreateCells();
  return summary_items_;
}

void TlxGridFooterViewInfo::CreateCells() {
  if (cells_created_)
    return;
  cells_created_ = true;
  TlxDataSummaryItems* items = GetSummaryItems();
  if (items == nullptr)
    return;
  const bool multiple = MultipleSummaries();
  std::vector<TlxGridColumn*> columns_with_cell;
  std::vector<TlxDataSummaryItem*> shown;
  for (int32_t index = 0; index < items->Count(); ++index) {
    TlxDataSummaryItem* item = items->ItemAt(index);
    TlxGridColumn* column = ColumnOf(item);
    if (item->Position() != spFooter || column == nullptr || column->VisibleIndex() < 0)
      continue;
    const bool has_cell =
        std::find(columns_with_cell.begin(), columns_with_cell.end(), column) != columns_with_cell.end();
    if (has_cell && !multiple)
      continue;
    columns_with_cell.push_back(column);
    shown.push_back(item);
  }
  SortSummaryItems(shown);
  summary_items_ = shown;
  for (TlxDataSummaryItem* item : summary_items_)
    cells_.push_back(CreateCell(ColumnOf(item), item));
}

std::unique_ptr<TlxGridFooterCellViewInfo> TlxGridFooterViewInfo::CreateCell(TlxGridColumn* column,
                                                                             TlxDataSummaryItem* item) {
  return std::make_unique<TlxGridFooterCellViewInfo>(this, column, item);
}

int32_t TlxGridFooterViewInfo::RowCount() {
  if (row_count_ == 0)
    row_count_ = CalculateRowCount();
  return row_count_;
}

int32_t TlxGridFooterViewInfo::CalculateRowCount() {
  CreateCells();
  int32_t count = 1;
  for (const auto& cell : cells_)
    count = std::max(count, GetCellRowIndex(cell.get()) + 1);
  return count;
}

int32_t TlxGridFooterViewInfo::GetCellRowIndex(TlxGridFooterCellViewInfo* cell) {
  int32_t index = 0;
  for (const auto& other : cells_) {
    if (other.get() == cell)
      break;
    if (other->Column() == cell->Column())
      ++index;
  }
  return index;
}

TlxBorders TlxGridFooterViewInfo::GetBorders() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetFooterBorders() : lxAllBorders;
}

int32_t TlxGridFooterViewInfo::GetBorderWidth(TlxBorder /*side*/) {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetFooterBorderSize() : 0;
}

void TlxGridFooterViewInfo::CalculateClientBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Top += GetSeparatorHeight();
  const TlxBorders borders = GetBorders();
  if (borders.Contains(bLeft))
    rect.Left += GetBorderWidth(bLeft);
  if (borders.Contains(bTop))
    rect.Top += GetBorderWidth(bTop);
  if (borders.Contains(bRight))
    rect.Right -= GetBorderWidth(bRight);
  if (borders.Contains(bBottom))
    rect.Bottom -= GetBorderWidth(bBottom);
  rect.Right = std::max(rect.Right, rect.Left);
  rect.Bottom = std::max(rect.Bottom, rect.Top);
}

void TlxGridFooterViewInfo::GetContentBounds(TRect& rect) { CalculateClientBounds(rect); }

int32_t TlxGridFooterViewInfo::GetSeparatorHeight() {
  TlxPainterClass painter = LookAndFeelPainter();
  return HasSeparator() && painter != nullptr ? painter->GetFooterSeparatorSize() : 0;
}

void TlxGridFooterViewInfo::GetSeparatorBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Bottom = std::min(rect.Top + GetSeparatorHeight(), rect.Bottom);
}

int32_t TlxGridFooterViewInfo::CalculateHeight() {
  CreateCells();
  const TlxBorders borders = GetBorders();
  int32_t height = GetSeparatorHeight();
  if (borders.Contains(bTop))
    height += GetBorderWidth(bTop);
  if (borders.Contains(bBottom))
    height += GetBorderWidth(bBottom);
  return lxSaturatingAdd(height, lxSaturatingMul(RowCount(), LineHeight()));
}

int32_t TlxGridFooterViewInfo::CalculateItemHeight() {
  CreateCells();
  int32_t height = 0;
  for (const auto& cell : cells_)
    if (IsColumnVisible(cell->Column()))
      height = std::max(height, cell->CalculateHeight());
  TlxPainterClass painter = LookAndFeelPainter();
  if (height == 0) {
    CalculateParamsIfNeeded();
    const int32_t cell_border = painter != nullptr ? painter->GetFooterCellBorderSize() : 0;
    height = TableViewInfo()->GetFontHeight(PaintParams().Font) + 2 * kFooterTextMargin + 2 * cell_border;
  }
  return height + 2 * FooterCellOffset(painter);
}

bool TlxGridFooterViewInfo::IsItemAutoHeight() {
  return TableView()->OptionsView()->FooterAutoHeight() && RowCount() == 1;
}

void TlxGridFooterViewInfo::CalculateInvisible() {
  ResetCells();
  Height = 0;
  TlxCustomGridViewCellViewInfo::Calculate(0, 0, 0, 0);
}

void TlxGridFooterViewInfo::CalculateVisible() {
  ResetCells();
  TlxCustomGridPartViewInfo::CalculateVisible();
}

void TlxGridFooterViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  CreateCells();
  TlxCustomGridViewCellViewInfo::Calculate(left, top, width, height);
  CalculateItems();
}

void TlxGridFooterViewInfo::CalculateItems() {
  for (int32_t index = 0; index < CellCount(); ++index)
    CalculateItem(index);
}

void TlxGridFooterViewInfo::CalculateItem(int32_t index) {
  TlxGridFooterCellViewInfo* cell = Cells(index);
  if (!IsColumnVisible(cell->Column()))
    return;
  int32_t left = 0;
  int32_t width = 0;
  GetColumnPlaceOf(cell->Column(), left, width);
  cell->Calculate(left, GetCellTop(cell), width, GetCellHeight(cell->Column()));
}

bool TlxGridFooterViewInfo::GetVisible() { return TableView()->OptionsView()->Footer(); }

TlxGridColumnHeaderViewInfo* TlxGridFooterViewInfo::HeaderCellOf(TlxGridColumn* column) const {
  TlxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  if (header == nullptr || column == nullptr || column->VisibleIndex() < 0)
    return nullptr;
  return header->GetItem(column->VisibleIndex());
}

bool TlxGridFooterViewInfo::IsColumnVisible(TlxGridColumn* column) {
  TlxGridColumnHeaderViewInfo* header_cell = HeaderCellOf(column);
  return header_cell != nullptr && header_cell->IsCalculated();
}

void TlxGridFooterViewInfo::GetColumnPlaceOf(TlxGridColumn* column, int32_t& left, int32_t& width) {
  TlxGridColumnHeaderViewInfo* header_cell = HeaderCellOf(column);
  if (header_cell == nullptr) {
    left = 0;
    width = 0;
    return;
  }
  // Asked while measuring too, before the footer has its own bounds: the
  // place follows from the header cell alone. The footer's borders and a
  // group footer's indent narrow the outer cells only.
  const TlxBorders borders = GetBorders();
  const bool first = column->VisibleIndex() == 0;
  const bool last = column->VisibleIndex() == TableView()->VisibleColumnCount() - 1;
  left = header_cell->BoundsRect.Left;
  int32_t right = header_cell->BoundsRect.Right;
  if (first)
    left = lxSaturatingAdd(left, GetIndent() + (borders.Contains(bLeft) ? GetBorderWidth(bLeft) : 0));
  if (last && borders.Contains(bRight))
    right = lxSaturatingSub(right, GetBorderWidth(bRight));
  width = std::max(lxSaturatingSub(right, left), 0);
}

int32_t TlxGridFooterViewInfo::GetCellLeft(TlxGridFooterCellViewInfo* cell) {
  int32_t left = 0;
  int32_t width = 0;
  GetColumnPlaceOf(cell->Column(), left, width);
  return left;
}

int32_t TlxGridFooterViewInfo::GetColumnTop(TlxGridColumn* column) {
  TRect content;
  GetContentBounds(content);
  return content.Top + TableViewInfo()->GetCellTopOffset(column);
}

int32_t TlxGridFooterViewInfo::GetCellTop(TlxGridFooterCellViewInfo* cell) {
  return GetColumnTop(cell->Column()) + GetCellRowIndex(cell) * LineHeight();
}

int32_t TlxGridFooterViewInfo::GetCellHeight(TlxGridColumn* column) {
  return TableViewInfo()->GetCellHeight(column, LineHeight());
}

const TClass* TlxGridFooterViewInfo::GetCellHitTestClass() const { return &TlxGridFooterCellHitTest::kClass; }

TlxDataSummaryItems* TlxGridFooterViewInfo::GetSummaryItems() {
  return &SummaryOf(TableView()).FooterSummaryItems();
}

bool TlxGridFooterViewInfo::MultipleSummaries() { return TableView()->OptionsView()->GetFooterMultiSummaries(); }

std::string TlxGridFooterViewInfo::GetSummaryText(TlxDataSummaryItem* item) {
  return SummaryOf(TableView()).GetFooterSummaryText(item->Index());
}

int32_t TlxGridFooterViewInfo::GetColumnMaxNeededWidth(TlxGridColumn* column) {
  CreateCells();
  int32_t width = 0;
  for (const auto& cell : cells_)
    if (cell->Column() == column)
      width = std::max(width, cell->GetNeededWidth());
  return width;
}

void TlxGridFooterViewInfo::GetViewParams(TlxPaintParams& params) {
  TableView()->Styles()->GetFooterParams(FooterRecord(), nullptr, params, nullptr, FooterGroupLevel());
}

TBitmap* TlxGridFooterViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = TableView()->BackgroundBitmaps();
  return bitmaps != nullptr ? bitmaps->GetBitmap(TlxGridTableBackgroundBitmaps::kFooter) : nullptr;
}

const TClass* TlxGridFooterViewInfo::GetHitTestClass() const { return &TlxGridFooterHitTest::kClass; }

const TClass* TlxGridFooterViewInfo::GetPainterClass() const { return &TlxGridFooterPainter::kClass; }

TlxCustomGridHitTest* TlxGridFooterViewInfo::GetHitTest(const TPoint& point) {
  if (!IsCalculated() || !BoundsRect.Contains(point))
    return nullptr;
  for (const auto& cell : cells_)
    if (cell->IsCalculated())
      if (TlxCustomGridHitTest* hit_test = cell->GetHitTest(point))
        return hit_test;
  // An empty place under a column still names the column.
  TRect content;
  GetContentBounds(content);
  TlxGridTableView* view = TableView();
  for (int32_t index = 0; index < view->VisibleColumnCount(); ++index) {
    TlxGridColumn* column = view->VisibleColumns(index);
    if (!IsColumnVisible(column))
      continue;
    int32_t left = 0;
    int32_t width = 0;
    GetColumnPlaceOf(column, left, width);
    TRect place(left, content.Top, left + width, content.Bottom);
    if (RowCount() == 1) {
      place.Top = GetColumnTop(column);
      place.Bottom = place.Top + LineHeight();
    }
    if (!place.Contains(point))
      continue;
    TlxCustomGridHitTest* hit_test = lxGridGetHitTest(GetCellHitTestClass(), point);
    if (hit_test == nullptr)
      return nullptr;
    InitHitTest(hit_test);
    if (auto* cell_hit_test = dynamic_cast<TlxGridFooterCellHitTest*>(hit_test)) {
      cell_hit_test->Column = column;
      cell_hit_test->SummaryItem = nullptr;
    }
    return hit_test;
  }
  return TlxCustomGridViewCellViewInfo::GetHitTest(point);
}

void TlxGridFooterViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxGridHeaderViewInfo::Offset(dx, dy);
  for (const auto& cell : cells_)
    if (cell->IsCalculated())
      cell->Offset(dx, dy);
}

// --- group footers ----------------------------------------------------------------------

TlxGridRowFooterViewInfo::TlxGridRowFooterViewInfo(TlxGridRowFootersViewInfo* container, int32_t level)
    : TlxGridFooterViewInfo(container->RowViewInfo()->TableViewInfo()), container_(container), level_(level) {
  // It belongs to its row, not to the view's parts.
  TableViewInfo()->RemovePart(this);
}

TlxCustomGridRowViewInfo* TlxGridRowFooterViewInfo::RowViewInfo() const { return container_->RowViewInfo(); }

int32_t TlxGridRowFooterViewInfo::GroupLevel() {
  const bool when_expanded = TableView()->OptionsView()->GroupFooters() == gfVisibleWhenExpanded;
  return RowViewInfo()->Level() - level_ - (when_expanded ? 1 : 0);
}

int32_t TlxGridRowFooterViewInfo::GetIndentLevelCount() {
  return TableViewInfo()->GetLevelIndentCount(RowViewInfo()->Level() - level_);
}

int32_t TlxGridRowFooterViewInfo::GetIndent() { return GetIndentLevelCount() * TableViewInfo()->LevelIndent; }

int32_t TlxGridRowFooterViewInfo::CalculateWidth() {
  return std::max(RowViewInfo()->RowsViewInfo()->GetDataWidth() - GetIndent(), 0);
}

TlxDataSummaryItems* TlxGridRowFooterViewInfo::GetSummaryItems() {
  return SummaryOf(TableView()).GroupSummaryItemsForLevel(GroupLevel());
}

bool TlxGridRowFooterViewInfo::MultipleSummaries() {
  return TableView()->OptionsView()->GetGroupFooterMultiSummaries();
}

std::string TlxGridRowFooterViewInfo::GetSummaryText(TlxDataSummaryItem* item) {
  TlxCustomGridRecord* record = FooterRecord();
  if (record == nullptr)
    return std::string();
  return SummaryOf(TableView()).GetGroupSummaryItemText(record->Index(), GroupLevel(), item->Index());
}

TlxCustomGridRecord* TlxGridRowFooterViewInfo::FooterRecord() { return RowViewInfo()->GridRecord(); }

const TClass* TlxGridRowFooterViewInfo::GetHitTestClass() const { return &TlxGridGroupFooterHitTest::kClass; }

const TClass* TlxGridRowFooterViewInfo::GetCellHitTestClass() const {
  return &TlxGridGroupFooterCellHitTest::kClass;
}

std::unique_ptr<TlxGridFooterCellViewInfo> TlxGridRowFooterViewInfo::CreateCell(TlxGridColumn* column,
                                                                                TlxDataSummaryItem* item) {
  return std::make_unique<TlxGridRowFooterCellViewInfo>(this, column, item);
}

TlxGridRowFootersViewInfo::TlxGridRowFootersViewInfo(TlxCustomGridRowViewInfo* row) : row_(row) { CreateFooters(); }

TlxGridRowFootersViewInfo::~TlxGridRowFootersViewInfo() { items_.clear(); }

void TlxGridRowFootersViewInfo::CreateFooters() {
  if (!row_->HasFooters())
    return;
  for (int32_t level = 0; level <= row_->Level(); ++level)
    if (row_->HasFooter(level))
      items_.push_back(CreateFooter(level));
}

std::unique_ptr<TlxGridRowFooterViewInfo> TlxGridRowFootersViewInfo::CreateFooter(int32_t level) {
  return std::make_unique<TlxGridRowFooterViewInfo>(this, level);
}

int32_t TlxGridRowFootersViewInfo::GetHeight() {
  if (height_ < 0)
    height_ = CalculateHeight();
  return height_;
}

int32_t TlxGridRowFootersViewInfo::CalculateHeight() {
  int32_t height = 0;
  for (const auto& footer : items_) {
    footer->Height = footer->CalculateHeight();
    height = lxSaturatingAdd(height, footer->Height);
  }
  return height;
}

void TlxGridRowFootersViewInfo::Calculate(int32_t left, int32_t top) {
  BeforeCalculate();
  GetHeight();
  for (const auto& footer : items_) {
    footer->Calculate(left + footer->GetIndent(), top, footer->CalculateWidth(), footer->Height);
    top = lxSaturatingAdd(top, footer->Height);
  }
}

bool TlxGridRowFootersViewInfo::FindFooterTop(int32_t level, int32_t& top) const {
  for (const auto& footer : items_)
    if (footer->Level() >= level) {
      top = footer->BoundsRect.Top;
      return true;
    }
  return false;
}

int32_t TlxGridRowFootersViewInfo::GetColumnMaxNeededWidth(TlxGridColumn* column) {
  int32_t width = 0;
  for (const auto& footer : items_)
    width = std::max(width, footer->GetColumnMaxNeededWidth(column));
  return width;
}

void TlxGridRowFootersViewInfo::Paint(TlxCanvas& canvas) {
  for (const auto& footer : items_)
    if (footer->IsCalculated())
      footer->Paint(&canvas);
}

TlxCustomGridHitTest* TlxGridRowFootersViewInfo::GetHitTest(const TPoint& point) {
  for (const auto& footer : items_)
    if (TlxCustomGridHitTest* hit_test = footer->GetHitTest(point))
      return hit_test;
  return nullptr;
}

void TlxGridRowFootersViewInfo::Offset(int32_t dx, int32_t dy) {
  for (const auto& footer : items_)
    footer->Offset(dx, dy);
}

// --- the row's side of its group footers -----------------------------------------------------

bool TlxCustomGridRowViewInfo::HasFooter(int32_t level) {
  TlxGridTableView* view = TableView();
  const TlxGridGroupFootersMode mode = view->OptionsView()->GroupFooters();
  TlxCustomGridRecord* record = GridRecord();
  if (mode == gfInvisible || record == nullptr)
    return false;
  const int32_t row_level = Level();
  // How many levels above the row the group lies.
  const int32_t above = mode == gfAlwaysVisible ? level - 1 : level;
  if (above < 0 || above >= row_level)
    return false;
  TlxCustomGridTableViewData* view_data = RowsViewInfo()->ViewData();
  if (view_data == nullptr)
    return false;
  const int32_t next = record->Index() + 1;
  const bool closes_group =
      next >= view_data->RecordCount() || view_data->Records(next)->Level() < row_level - above;
  if (!closes_group)
    return false;
  TlxGridColumn* grouped = view->GroupedColumns(row_level - above - 1);
  return grouped != nullptr && grouped->Options()->GroupFooters();
}

TlxGridRowFootersViewInfo* TlxCustomGridRowViewInfo::FootersViewInfo() {
  if (footers_ == nullptr)
    footers_ = std::make_unique<TlxGridRowFootersViewInfo>(this);
  return footers_.get();
}

int32_t TlxCustomGridRowViewInfo::FootersHeight() { return HasFooters() ? FootersViewInfo()->GetHeight() : 0; }

// --- painters -----------------------------------------------------------------------------

void TlxGridFooterPainter::DrawBackground() {
  TlxGridFooterViewInfo& footer = Footer();
  TlxPainterClass painter = footer.LookAndFeelPainter();
  if (painter == nullptr || footer.HasBackgroundBitmap()) {
    TlxGridHeaderPainter::DrawBackground();
    return;
  }
  painter->PaintFooterContent(Canvas(), footer.ClientBounds(), footer.PaintParams());
}

void TlxGridFooterPainter::DrawBorders() {
  TlxGridFooterViewInfo& footer = Footer();
  TlxPainterClass painter = footer.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  TRect border = footer.BoundsRect;
  border.Top = std::min(border.Top + footer.GetSeparatorHeight(), border.Bottom);
  painter->PaintFooterBorder(Canvas(), border);
}

void TlxGridFooterPainter::DrawSeparator() {
  TlxGridFooterViewInfo& footer = Footer();
  TlxPainterClass painter = footer.LookAndFeelPainter();
  TRect separator;
  footer.GetSeparatorBounds(separator);
  if (painter != nullptr && !separator.IsEmpty())
    painter->PaintFooterSeparator(Canvas(), separator);
}

void TlxGridFooterPainter::DrawContent() {
  DrawSeparator();
  TlxGridHeaderPainter::DrawContent();
}

void TlxGridFooterPainter::DrawItems() {
  TlxGridFooterViewInfo& footer = Footer();
  for (int32_t index = 0; index < footer.CellCount(); ++index)
    if (TlxGridFooterCellViewInfo* cell = footer.Cells(index); cell->IsCalculated())
      cell->Paint(&Canvas());
}

bool TlxGridFooterPainter::ItemsPaintedFirst() {
  TlxPainterClass painter = Footer().LookAndFeelPainter();
  return painter == nullptr || painter->FooterCellsPaintedFirst();
}

void TlxGridFooterCellPainter::DrawContent() {
  auto& cell = static_cast<TlxGridFooterCellViewInfo&>(ViewInfo());
  TlxPainterClass painter = cell.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  std::string text;
  cell.GetText(text);
  const TlxPaintParams& params = cell.PaintParams();
  TlxBackgroundCallback background;
  if (cell.HasBackgroundBitmap())
    background = [this](TlxCanvas& canvas, const TRect& rect) { return DrawBackgroundBitmapTo(canvas, rect); };
  painter->PaintFooterCell(Canvas(), cell.BoundsRect, cell.GetTextAlignHorz(), cell.GetTextAlignVert(),
                           cell.GetPaintMultiLine(), text, params.Font, params.TextColor, params.Color, background);
}
