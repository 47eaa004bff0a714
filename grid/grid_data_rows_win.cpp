#include "grid/grid_data_rows_win.h"

#include <algorithm>

#include "grid/grid_column_headers_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_preview_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/grid_table_view_win.h"

// --- TlxCustomGridRowViewInfo ----------------------------------------------------------

TlxGridRowsViewInfo* TlxCustomGridRowViewInfo::RowsViewInfo() const {
  return static_cast<TlxGridRowsViewInfo*>(TlxCustomGridRecordViewInfo::RecordsViewInfo());
}

TlxGridTableViewInfo* TlxCustomGridRowViewInfo::TableViewInfo() const { return RowsViewInfo()->TableViewInfo(); }

TlxGridTableView* TlxCustomGridRowViewInfo::TableView() const { return RowsViewInfo()->TableView(); }

int32_t TlxCustomGridRowViewInfo::Level() const { return GridRecord() != nullptr ? GridRecord()->Level() : 0; }

int32_t TlxCustomGridRowViewInfo::CalculateWidth() { return RowsViewInfo()->GetDataWidth(); }

bool TlxCustomGridRowViewInfo::GetVisible() { return Index() < RowsViewInfo()->PartVisibleCount; }

void TlxCustomGridRowViewInfo::GetFocusRectBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Left = GetContentLeft();
  rect.Bottom = rect.Top + GetContentHeight();
  // The focus frame never covers a grid line.
  const TlxGridLines lines = TableView()->OptionsView()->GridLines();
  if (lines != glNone)
    --rect.Right;
  if (lines == glBoth || lines == glHorizontal)
    --rect.Bottom;
}

void TlxCustomGridRowViewInfo::GetRecordAreaBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Left = GetContentLeft();
  rect.Bottom = rect.Top + GetContentHeight();
}

void TlxCustomGridRowViewInfo::CalculateAt(int32_t left, int32_t top) {
  Calculate(left, top, -1, -1);
  // Group and master rows place their expand buttons in what they laid out.
  if (GridRecord() != nullptr && GridRecord()->GetExpandable())
    CalculateExpandButtonBounds(ExpandButtonBounds);
}

TlxCustomGridHitTest* TlxCustomGridRowViewInfo::GetHitTest(const TPoint& point) {
  if (HasPoint(point) && point.X < GetContentLeft()) {
    TlxCustomGridHitTest* hit_test = lxGridGetHitTest<TlxGridRowLevelIndentHitTest>(point);
    InitHitTest(hit_test);
    return hit_test;
  }
  return TlxCustomGridRecordViewInfo::GetHitTest(point);
}

void TlxCustomGridRowViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  footers_.reset();
  TlxCustomGridRecordViewInfo::Calculate(left, top, width, height);
  if (FootersHeight() > 0)
    FootersViewInfo()->Calculate(BoundsRect.Left, BoundsRect.Top + GetHeight() - GetNonContentHeight());
}

void TlxCustomGridRowViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridRecordViewInfo::Offset(dx, dy);
  if (footers_ != nullptr)
    footers_->Offset(dx, dy);
}

TlxCustomGridHitTest* TlxCustomGridRowViewInfo::GetFootersHitTest(const TPoint& point) {
  return footers_ != nullptr ? footers_->GetHitTest(point) : nullptr;
}

int32_t TlxCustomGridRowViewInfo::GetNonContentHeight() {
  int32_t height = lxSaturatingAdd(GetSeparatorWidth(), FootersHeight());
  if (HasBottomLine())
    height += TableViewInfo()->GridLineWidth();
  return height;
}

int32_t TlxCustomGridRowViewInfo::GetContentLeft() { return BoundsRect.Left + GetLevelIndentsWidth(); }

int32_t TlxCustomGridRowViewInfo::GetContentHeight() { return std::max(GetHeight() - GetNonContentHeight(), 0); }

int32_t TlxCustomGridRowViewInfo::GetCellsAreaWidth() { return std::max(GetWidth() - GetLevelIndentsWidth(), 0); }

void TlxCustomGridRowViewInfo::GetBottomLineBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Top = rect.Bottom - TableViewInfo()->GridLineWidth();
}

int32_t TlxCustomGridRowViewInfo::GetLevelIndentsWidth() {
  return TableViewInfo()->GetLevelIndentCount(Level()) * TableViewInfo()->LevelIndent;
}

void TlxCustomGridRowViewInfo::GetSeparatorBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Left = GetContentLeft();
  rect.Top = rect.Bottom - GetSeparatorWidth();
}

TColor TlxCustomGridRowViewInfo::GetSeparatorColor() { return TableView()->OptionsView()->GetRowSeparatorColor(); }

int32_t TlxCustomGridRowViewInfo::GetSeparatorWidth() {
  return HasSeparator() ? TableView()->OptionsView()->RowSeparatorWidth() : 0;
}

bool TlxCustomGridRowViewInfo::HasBottomLine() {
  if (TableView()->OptionsView()->GridLines() != glVertical || GetSeparatorWidth() != 0 || GridRecord() == nullptr)
    return false;
  TlxCustomGridTableViewData* view_data = RowsViewInfo()->ViewData();
  return view_data != nullptr && GridRecord()->Index() == view_data->RecordCount() - 1;
}

// --- TlxGridDataRowViewInfo ------------------------------------------------------------

TlxGridDataRowViewInfo::TlxGridDataRowViewInfo(TlxGridRecordViewInfoTarget* target)
    : TlxCustomGridRowViewInfo(target) {}

TlxGridDataRowViewInfo::~TlxGridDataRowViewInfo() {
  preview_.reset();
  cells_.clear();
}

void TlxGridDataRowViewInfo::EnsureCellSlots() {
  const int32_t count = TableView()->VisibleColumnCount();
  if (static_cast<int32_t>(cells_.size()) != count)
    cells_.resize(static_cast<size_t>(count));
}

TlxGridColumnHeaderViewInfo* TlxGridDataRowViewInfo::HeaderCell(int32_t index) const {
  TlxGridHeaderViewInfo* header = TableViewInfo()->HeaderViewInfo();
  return header != nullptr ? header->GetItem(index) : nullptr;
}

TlxGridDataCellViewInfo* TlxGridDataRowViewInfo::GetCell(int32_t index) {
  EnsureCellSlots();
  if (index < 0 || index >= GetCellCount())
    return nullptr;
  std::unique_ptr<TlxGridDataCellViewInfo>& slot = cells_[static_cast<size_t>(index)];
  if (slot == nullptr)
    slot = std::make_unique<TlxGridDataCellViewInfo>(this, TableView()->VisibleColumns(index), index);
  return slot.get();
}

TlxGridDataCellViewInfo* TlxGridDataRowViewInfo::ExistingCell(int32_t index) const {
  if (index < 0 || index >= GetCellCount())
    return nullptr;
  return cells_[static_cast<size_t>(index)].get();
}

int32_t TlxGridDataRowViewInfo::CalculateHeight() {
  TlxCustomGridTableViewInfoCacheItem* cache = CacheItem();
  if (cache != nullptr && cache->IsHeightAssigned())
    return cache->CachedHeight();
  const int32_t height =
      lxSaturatingAdd(lxSaturatingAdd(RowsViewInfo()->DataRowHeight, PreviewHeight()), GetNonContentHeight());
  if (cache != nullptr)
    cache->SetCachedHeight(height);
  return height;
}

void TlxGridDataRowViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  preview_.reset();
  TlxCustomGridRowViewInfo::Calculate(left, top, width, height);
  GetCellsAreaBounds(CellsAreaBounds);
  CellHeight = CalculateCellHeight();
  EnsureCellSlots();
  for (int32_t index = 0; index < GetCellCount(); ++index) {
    if (IsCellVisible(index))
      CalculateCell(index);
    else
      cells_[static_cast<size_t>(index)].reset();
  }
  CalculatePreview();
}

const TClass* TlxGridDataRowViewInfo::GetPainterClass() const { return &TlxGridDataRowPainter::kClass; }

TlxCustomGridHitTest* TlxGridDataRowViewInfo::GetHitTest(const TPoint& point) {
  if (!HasPoint(point))
    return nullptr;
  if (TlxCustomGridHitTest* hit_test = GetFootersHitTest(point))
    return hit_test;
  for (const auto& cell : cells_)
    if (cell != nullptr && cell->IsCalculated())
      if (TlxCustomGridHitTest* hit_test = cell->GetHitTest(point))
        return hit_test;
  if (preview_ != nullptr && preview_->IsCalculated())
    if (TlxCustomGridHitTest* hit_test = preview_->GetHitTest(point))
      return hit_test;
  return TlxCustomGridRowViewInfo::GetHitTest(point);
}

void TlxGridDataRowViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridRowViewInfo::Offset(dx, dy);
  CellsAreaBounds = CellsAreaBounds.Offset(dx, dy);
  for (const auto& cell : cells_)
    if (cell != nullptr)
      cell->Offset(dx, dy);
  if (preview_ != nullptr)
    preview_->Offset(dx, dy);
}

void TlxGridDataRowViewInfo::GetItemBounds(TlxCustomGridTableItem* item, TRect& rect) {
  TlxGridTableDataCellViewInfo* cell = GetCellViewInfoByItem(item);
  rect = cell != nullptr ? cell->BoundsRect : TRect();
}

TlxGridTableDataCellViewInfo* TlxGridDataRowViewInfo::GetCellViewInfoByItem(TlxCustomGridTableItem* item) {
  if (item == nullptr)
    return nullptr;
  TlxGridDataCellViewInfo* cell = ExistingCell(item->VisibleIndex());
  return cell != nullptr && cell->IsCalculated() ? cell : nullptr;
}

void TlxGridDataRowViewInfo::CalculateCell(int32_t index) {
  TlxGridDataCellViewInfo* cell = GetCell(index);
  if (cell == nullptr)
    return;
  BeforeCellCalculate(cell);
  cell->Calculate(GetCellLeft(index), GetCellTop(index), GetCellWidth(index), GetCellHeight(index));
}

void TlxGridDataRowViewInfo::AfterCalculateCells() {
  for (const auto& cell : cells_)
    if (cell != nullptr && cell->IsCalculated())
      cell->MergeCells();
}

void TlxGridDataRowViewInfo::ClearCellMerging() {
  for (const auto& cell : cells_)
    if (cell != nullptr)
      cell->ClearMerging();
}

int32_t TlxGridDataRowViewInfo::GetCellHeight(int32_t index) {
  // A merging cell keeps the height that spans its covered cells.
  if (TlxGridDataCellViewInfo* cell = ExistingCell(index); cell != nullptr && cell->IsMerging())
    return cell->BoundsRect.Height();
  return TableViewInfo()->GetCellHeight(TableView()->VisibleColumns(index), CellHeight);
}

int32_t TlxGridDataRowViewInfo::CalculateCellHeight() { return CellsAreaBounds.Height(); }

int32_t TlxGridDataRowViewInfo::GetCellLeft(int32_t index) {
  TlxGridColumnHeaderViewInfo* header = HeaderCell(index);
  return header != nullptr ? header->GetRealLeft() : CellsAreaBounds.Left;
}

int32_t TlxGridDataRowViewInfo::GetCellTop(int32_t index) {
  return CellsAreaBounds.Top + TableViewInfo()->GetCellTopOffset(TableView()->VisibleColumns(index));
}

void TlxGridDataRowViewInfo::GetCellsAreaBounds(TRect& rect) {
  rect.Left = GetCellsAreaLeft();
  rect.Top = BoundsRect.Top;
  rect.Right = lxSaturatingAdd(rect.Left, GetCellsAreaWidth());
  rect.Bottom = lxSaturatingAdd(rect.Top, GetContentHeight());
  // The preview takes its band from the top or the bottom of the content.
  if (const int32_t preview_height = PreviewHeight(); preview_height > 0) {
    if (TableView()->Preview()->Place() == prTop)
      rect.Top = std::min(lxSaturatingAdd(rect.Top, preview_height), rect.Bottom);
    else
      rect.Bottom = std::max(lxSaturatingSub(rect.Bottom, preview_height), rect.Top);
  }
}

int32_t TlxGridDataRowViewInfo::GetCellWidth(int32_t index) {
  TlxGridColumnHeaderViewInfo* header = HeaderCell(index);
  return header != nullptr ? header->RealWidth : 0;
}

bool TlxGridDataRowViewInfo::IsCellVisible(int32_t index) {
  TlxGridColumnHeaderViewInfo* header = HeaderCell(index);
  if (header == nullptr || !header->IsCalculated())
    return false;
  // Only columns that reach into the site are laid out.
  const TRect client = TableViewInfo()->ClientBounds();
  return header->BoundsRect.Right > client.Left && header->BoundsRect.Left < client.Right;
}

TlxGridCellLineBorders TlxGridDataRowViewInfo::GetCellBorders(bool is_rightmost) {
  return TableViewInfo()->GetCellBorders(is_rightmost);
}

// --- TlxGridDataCellViewInfo -----------------------------------------------------------

TlxGridDataCellViewInfo::TlxGridDataCellViewInfo(TlxGridDataRowViewInfo* row, TlxGridColumn* column,
                                                 int32_t visible_index)
    : TlxGridTableDataCellViewInfo(row, column), row_(row), column_(column), visible_index_(visible_index) {}

int32_t TlxGridDataCellViewInfo::CalculateWidth() { return row_->GetCellWidth(visible_index_); }

int32_t TlxGridDataCellViewInfo::CalculateHeight() { return row_->CellHeight; }

void TlxGridDataCellViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxGridTableDataCellViewInfo::Calculate(left, top, width, height);
  if (IsMerging())
    return;
  OwnBounds = BoundsRect;
  OwnHeight = BoundsRect.Height();
}

TlxBorders TlxGridDataCellViewInfo::GetBorders() {
  TlxGridTableView* view = row_->TableView();
  const bool rightmost = visible_index_ == view->VisibleColumnCount() - 1;
  const TlxGridCellLineBorders lines = row_->GetCellBorders(rightmost);
  TlxBorders borders;
  if (lines.Right)
    borders.Include(bRight);
  if (lines.Bottom)
    borders.Include(bBottom);
  return borders;
}

TColor TlxGridDataCellViewInfo::GetBorderColor(TlxBorder /*side*/) { return row_->TableViewInfo()->GridLineColor(); }

int32_t TlxGridDataCellViewInfo::GetBorderWidth(TlxBorder /*side*/) { return row_->TableViewInfo()->GridLineWidth(); }

const TClass* TlxGridDataCellViewInfo::GetPainterClass() const { return &TlxGridDataCellPainter::kClass; }
