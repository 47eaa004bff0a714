#include "grid/grid_footers_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "data/data_summary_items.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_deferred_errors.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/grid_table_view_win.h"

namespace {

TlxGridTableView* TableViewOf(TlxCustomGridViewCellViewInfo& cell) {
  return static_cast<TlxGridTableView*>(cell.GridView());
}

}  // namespace

// --- indicator items ------------------------------------------------------------------

void TlxCustomGridIndicatorItemViewInfo::GetViewParams(TlxPaintParams& params) {
  TableViewOf(*this)->Styles()->GetViewParams(TlxGridTableViewStyles::kIndicator, nullptr, nullptr, params);
}

const TClass* TlxCustomGridIndicatorItemViewInfo::GetHitTestClass() const { return &TlxGridIndicatorHitTest::kClass; }

bool TlxCustomGridIndicatorItemViewInfo::HasCustomDraw() { return TableViewOf(*this)->HasCustomDrawIndicatorCell(); }

bool TlxCustomGridIndicatorItemViewInfo::CustomDraw(TlxCanvas& canvas) {
  return TableViewOf(*this)->DoCustomDrawIndicatorCell(&canvas, this);
}

TlxBorders TlxGridIndicatorFooterItemViewInfo::GetBorders() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetFooterBorders() : lxAllBorders;
}

int32_t TlxGridIndicatorFooterItemViewInfo::SeparatorHeight() {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetFooterSeparatorSize() : 0;
}

int32_t TlxGridIndicatorFooterItemViewInfo::GetBorderWidth(TlxBorder side) {
  TlxPainterClass painter = LookAndFeelPainter();
  const int32_t size = painter != nullptr ? painter->GetFooterBorderSize() : 0;
  return side == bTop ? size + SeparatorHeight() : size;
}

TBitmap* TlxGridIndicatorFooterItemViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = TableViewOf(*this)->BackgroundBitmaps();
  return bitmaps != nullptr ? bitmaps->GetBitmap(TlxGridTableBackgroundBitmaps::kFooter) : nullptr;
}

const TClass* TlxGridIndicatorFooterItemViewInfo::GetPainterClass() const {
  return &TlxGridIndicatorFooterItemPainter::kClass;
}

void TlxGridIndicatorFooterItemViewInfo::GetBorderBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Top = std::min(rect.Top + SeparatorHeight(), rect.Bottom);
}

void TlxGridIndicatorFooterItemViewInfo::GetSeparatorBounds(TRect& rect) {
  rect = BoundsRect;
  rect.Bottom = std::min(rect.Top + SeparatorHeight(), rect.Bottom);
}

void TlxGridIndicatorHeaderItemViewInfo::GetViewParams(TlxPaintParams& params) {
  TableViewOf(*this)->Styles()->GetHeaderParams(nullptr, params);
}

const TClass* TlxGridIndicatorHeaderItemViewInfo::GetHitTestClass() const {
  return &TlxGridIndicatorHeaderHitTest::kClass;
}

const TClass* TlxGridIndicatorHeaderItemViewInfo::GetPainterClass() const {
  return &TlxGridIndicatorHeaderItemPainter::kClass;
}

const TClass* TlxGridIndicatorRowItemViewInfo::GetHitTestClass() const { return &TlxGridRowIndicatorHitTest::kClass; }

const TClass* TlxGridIndicatorRowItemViewInfo::GetPainterClass() const { return &TlxGridIndicatorRowItemPainter::kClass; }

void TlxGridIndicatorRowItemViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridIndicatorItemViewInfo::InitHitTest(hit_test);
  auto* row_hit_test = dynamic_cast<TlxGridRowIndicatorHitTest*>(hit_test);
  if (row_hit_test == nullptr)
    return;
  row_hit_test->SetGridRecord(row_->GridRecord());
  row_hit_test->MultiSelect = TableViewOf(*this)->OptionsSelection()->MultiSelect();
}

TlxIndicatorKind TlxGridIndicatorRowItemViewInfo::GetIndicatorKind() {
  TlxCustomGridRecord* record = row_->GridRecord();
  if (record == nullptr)
    return ikNone;
  if (dynamic_cast<TlxGridFilterRow*>(record) != nullptr)
    return ikFilter;
  if (dynamic_cast<TlxGridNewItemRow*>(record) != nullptr)
    return ikInsert;
  const bool multi_select = TableViewOf(*this)->OptionsSelection()->MultiSelect();
  const bool selected = multi_select && row_->Selected();
  if (record->IsFocused())
    return selected ? ikMultiArrow : ikArrow;
  return selected ? ikMultiDot : ikNone;
}

// --- TlxGridIndicatorViewInfo -----------------------------------------------------------

TlxGridIndicatorViewInfo::TlxGridIndicatorViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxCustomGridViewCellViewInfo(owner_view_info) {}

TlxGridIndicatorViewInfo::~TlxGridIndicatorViewInfo() { items_.clear(); }

bool TlxGridIndicatorViewInfo::IsShown() {
  TlxGridTableView* view = TableViewInfo()->TableView();
  return view->OptionsView()->Indicator() || view->OptionsCustomize()->ColumnsQuickCustomization();
}

int32_t TlxGridIndicatorViewInfo::CalculateWidth() {
  return IsShown() ? TableViewInfo()->TableView()->OptionsView()->IndicatorWidth() : 0;
}

TlxCustomGridIndicatorItemViewInfo* TlxGridIndicatorViewInfo::AddItemAt(
    std::unique_ptr<TlxCustomGridIndicatorItemViewInfo> item, int32_t top, int32_t height) {
  item->Calculate(BoundsRect.Left, top, BoundsRect.Width(), height);
  items_.push_back(std::move(item));
  return items_.back().get();
}

void TlxGridIndicatorViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  items_.clear();
  TlxCustomGridViewCellViewInfo::Calculate(left, top, width, height);
  if (!IsShown())
    return;
  TlxGridTableViewInfo* table = TableViewInfo();
  if (TlxGridHeaderViewInfo* header = table->HeaderViewInfo(); header != nullptr && header->Height > 0)
    AddItemAt(std::make_unique<TlxGridIndicatorHeaderItemViewInfo>(table), top, header->Height);
  if (const int32_t footer_height = table->FooterHeight(); footer_height > 0)
    AddItemAt(std::make_unique<TlxGridIndicatorFooterItemViewInfo>(table), BoundsRect.Bottom - footer_height,
              footer_height);
  TlxGridRowsViewInfo* rows = table->RowsViewInfo();
  if (rows == nullptr)
    return;
  for (int32_t index = 0; index < rows->PartVisibleCount; ++index) {
    auto* row = dynamic_cast<TlxCustomGridRowViewInfo*>(rows->ExistingItem(index));
    if (row == nullptr || !row->IsCalculated())
      continue;
    AddItemAt(std::make_unique<TlxGridIndicatorRowItemViewInfo>(table, row), row->BoundsRect.Top,
              row->BoundsRect.Height());
  }
}

void TlxGridIndicatorViewInfo::GetViewParams(TlxPaintParams& params) {
  params.Color = TableViewInfo()->GetBackgroundColor();
}

const TClass* TlxGridIndicatorViewInfo::GetHitTestClass() const { return &TlxGridIndicatorHitTest::kClass; }

const TClass* TlxGridIndicatorViewInfo::GetPainterClass() const { return &TlxGridIndicatorPainter::kClass; }

TlxCustomGridHitTest* TlxGridIndicatorViewInfo::GetHitTest(const TPoint& point) {
  if (!IsShown() || !BoundsRect.Contains(point))
    return nullptr;
  for (const auto& item : items_)
    if (TlxCustomGridHitTest* hit_test = item->GetHitTest(point))
      return hit_test;
  return TlxCustomGridViewCellViewInfo::GetHitTest(point);
}

void TlxGridIndicatorViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridViewCellViewInfo::Offset(dx, dy);
  for (const auto& item : items_)
    item->Offset(dx, dy);
}

// --- indicator painters -------------------------------------------------------------

void TlxGridIndicatorPainter::DrawContent() {
  if (ItemsPaintedFirst()) {
    DrawItems();
    TlxCustomGridCellPainter::DrawContent();
  } else {
    TlxCustomGridCellPainter::DrawContent();
    DrawItems();
  }
}

void TlxGridIndicatorPainter::DrawItems() {
  auto& indicator = static_cast<TlxGridIndicatorViewInfo&>(ViewInfo());
  for (int32_t index = 0; index < indicator.ItemCount(); ++index)
    indicator.Items(index)->Paint(&Canvas());
}

bool TlxGridIndicatorPainter::ItemsPaintedFirst() {
  TlxPainterClass painter = static_cast<TlxCustomGridViewCellViewInfo&>(ViewInfo()).LookAndFeelPainter();
  return painter == nullptr || painter->IndicatorItemsPaintedFirst();
}

void TlxGridIndicatorHeaderItemPainter::DrawContent() {
  auto& item = static_cast<TlxCustomGridViewCellViewInfo&>(ViewInfo());
  TlxPainterClass painter = item.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  const TlxPaintParams& params = item.PaintParams();
  TlxHeaderNeighbors neighbors;
  neighbors.Include(bRight);
  painter->PaintHeader(Canvas(), item.BoundsRect, item.BoundsRect, neighbors, lxAllBorders, item.ButtonState(),
                       taLeftJustify, vaCenter, false, false, std::string_view(), params.Font, clNone, params.Color,
                       TlxBackgroundCallback());
  if (TableViewOf(item)->OptionsCustomize()->ColumnsQuickCustomization())
    painter->PaintIndicatorCustomizationMark(Canvas(), item.BoundsRect, params.TextColor);
}

void TlxGridIndicatorRowItemPainter::DrawContent() {
  auto& item = static_cast<TlxGridIndicatorRowItemViewInfo&>(ViewInfo());
  TlxPainterClass painter = item.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  painter->PaintIndicatorItem(Canvas(), item.BoundsRect, item.GetIndicatorKind(), item.PaintParams().Color,
                              TlxBackgroundCallback());
}

void TlxGridIndicatorFooterItemPainter::DrawBackground() {
  auto& item = static_cast<TlxGridIndicatorFooterItemViewInfo&>(ViewInfo());
  TlxPainterClass painter = item.LookAndFeelPainter();
  if (painter == nullptr || item.HasBackgroundBitmap()) {
    TlxCustomGridIndicatorItemPainter::DrawBackground();
    return;
  }
  painter->PaintFooterContent(Canvas(), item.ClientBounds(), item.PaintParams());
}

void TlxGridIndicatorFooterItemPainter::DrawBorders() {
  auto& item = static_cast<TlxGridIndicatorFooterItemViewInfo&>(ViewInfo());
  TlxPainterClass painter = item.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  TRect separator;
  item.GetSeparatorBounds(separator);
  if (!separator.IsEmpty())
    painter->PaintFooterSeparator(Canvas(), separator);
  TRect border;
  item.GetBorderBounds(border);
  painter->PaintFooterBorder(Canvas(), border);
}
