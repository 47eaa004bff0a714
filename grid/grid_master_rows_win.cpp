#include "grid/grid_master_rows_win.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"

void TlxGridMasterTableViewInfoCacheItem::StoreDetailsSiteCachedInfo(
    std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> info) {
  // A destructor must not raise: a stale object here is a fault of the
  // site's life cycle, reported while debugging, and the new one wins.
#ifndef NDEBUG
  if (details_site_cached_info_ != nullptr)
    OutputDebugStringA("CacheItem.IsDetailsSiteCachedInfoAssigned\n");
#endif
  details_site_cached_info_ = std::move(info);
}

TlxGridDetailsSiteViewInfo::TlxGridDetailsSiteViewInfo(TlxGridLevel* master_level, TlxGridDetailsSiteContext context)
    : TlxCustomGridDetailsSiteViewInfo(master_level), context_(std::move(context)) {
  if (context_.CacheItem != nullptr && context_.CacheItem->IsDetailsSiteCachedInfoAssigned())
    RestoreFromCachedInfo(context_.CacheItem->TakeDetailsSiteCachedInfo());
}

TlxGridDetailsSiteViewInfo::~TlxGridDetailsSiteViewInfo() {
  if (context_.Internal || context_.CacheItem == nullptr)
    return;
  context_.CacheItem->StoreDetailsSiteCachedInfo(CreateCachedInfo());
}

void TlxGridDetailsSiteViewInfo::LevelTabChanged(TlxGridLevel* level, bool focus_view) {
  if (context_.OnLevelTabChanged)
    context_.OnLevelTabChanged(level, focus_view);
}

bool TlxGridDetailsSiteViewInfo::HasLevelDetails(TlxGridLevel* level) {
  return context_.HasDetails ? context_.HasDetails(level) : level->GridView() != nullptr;
}

// --- TlxGridMasterDataRowViewInfo --------------------------------------------------------

namespace {

bool HasHorizontalGridLines(TlxGridTableView* view) {
  const TlxGridLines lines = view->OptionsView()->GridLines();
  return lines == glBoth || lines == glHorizontal;
}

// A detail view's site waits off the screen until its master places it.
constexpr int32_t kParkedSiteLeft = 30000;

}  // namespace

TlxGridMasterDataRowViewInfo::TlxGridMasterDataRowViewInfo(TlxGridRecordViewInfoTarget* target)
    : TlxGridDataRowViewInfo(target) {
  TlxGridMasterDataRow* row = MasterRow();
  details_site_visible_ = row != nullptr && Expanded();
  if (details_site_visible_) {
    details_area_ = std::make_unique<TlxGridDetailsAreaViewInfo>(this);
    TlxGridDetailsSiteContext context;
    context.Container = TableView()->Site();
    context.MasterRecord = row;
    context.ActiveLevel = row->ActiveDetailLevel();
    context.ActiveView = row->ActiveDetailGridView();
    context.Internal = TableViewInfo()->IsInternal();
    context.CacheItem = MasterCacheItem();
    context.MaxWidth = std::max(TableViewInfo()->ClientWidth() - GetLevelIndentsWidth() - TableViewInfo()->LevelIndent,
                                0);
    context.OnLevelTabChanged = [row](TlxGridLevel* level, bool focus_view) {
      row->SetActiveDetailIndex(level->Index());
      if (focus_view)
        if (TlxCustomGridView* view = row->ActiveDetailGridView())
          view->SetFocused(true);
    };
    context.HasDetails = [row](TlxGridLevel* level) {
      return row->RecordIndex() >= 0 && row->DataController()->DetailHasChildren(row->RecordIndex(), level->Index());
    };
    details_site_ = std::make_unique<TlxGridDetailsSiteViewInfo>(TableView()->Level(), std::move(context));
  }
  expand_button_cell_ = std::make_unique<TlxGridExpandButtonCellViewInfo>(this);
}

TlxGridMasterDataRowViewInfo::~TlxGridMasterDataRowViewInfo() {
  // The cache item taken at construction may be gone with a data change,
  // and the whole cache goes before the view info when the view does.
  if (details_site_ != nullptr)
    details_site_->SetCacheItem(TableView()->GetIsDestroying() ? nullptr : MasterCacheItem());
  expand_button_cell_.reset();
  details_site_.reset();
  details_area_.reset();
}

TlxGridMasterDataRow* TlxGridMasterDataRowViewInfo::MasterRow() const {
  return dynamic_cast<TlxGridMasterDataRow*>(GridRecord());
}

TlxGridMasterTableViewInfoCacheItem* TlxGridMasterDataRowViewInfo::MasterCacheItem() const {
  return dynamic_cast<TlxGridMasterTableViewInfoCacheItem*>(CacheItem());
}

int32_t TlxGridMasterDataRowViewInfo::CalculateRestHeight(int32_t data_height) {
  // The row's top: the rows above it lie one below the other from the
  // content top (their heights are known before this one is measured).
  TlxGridRowsViewInfo* rows = RowsViewInfo();
  int32_t top = rows->RecordsContentBounds.Top;
  const int32_t index = Index();
  for (int32_t previous = 0; previous < index; ++previous)
    if (TlxCustomGridRecordViewInfo* row = rows->ExistingItem(previous))
      top = lxSaturatingAdd(top, row->GetHeight());
  return lxSaturatingSub(rows->GetRestHeight(top), data_height);
}

int32_t TlxGridMasterDataRowViewInfo::DataPartHeight() {
  return lxSaturatingAdd(RowsViewInfo()->DataRowHeight, GetNonContentHeight());
}

void TlxGridMasterDataRowViewInfo::PrepareDetailsSite() {
  if (site_prepared_ || !DetailsSiteVisible())
    return;
  site_prepared_ = true;
  RestHeight = CalculateRestHeight(DataPartHeight());
  int32_t max_height = std::max(RestHeight, 0);
  TableView()->Level()->CheckHeight(max_height);
  details_site_->SetMaxHeight(max_height);
}

int32_t TlxGridMasterDataRowViewInfo::CalculateHeight() {
  TlxCustomGridTableViewInfoCacheItem* cache = CacheItem();
  if (cache != nullptr && cache->IsHeightAssigned())
    return cache->CachedHeight();
  int32_t height = DataPartHeight();
  if (DetailsSiteVisible()) {
    PrepareDetailsSite();
    height = lxSaturatingAdd(height, details_site_->GetHeight());
  }
  if (cache != nullptr)
    cache->SetCachedHeight(height);
  return height;
}

int32_t TlxGridMasterDataRowViewInfo::GetContentHeight() {
  const int32_t content = TlxGridDataRowViewInfo::GetContentHeight();
  // Below the data part the row holds its details.
  return DetailsSiteVisible() ? std::min(content, RowsViewInfo()->DataRowHeight) : content;
}

int32_t TlxGridMasterDataRowViewInfo::GetCellsAreaLeft() {
  return lxSaturatingAdd(TlxGridDataRowViewInfo::GetCellsAreaLeft(), TableViewInfo()->LevelIndent);
}

int32_t TlxGridMasterDataRowViewInfo::GetCellsAreaWidth() {
  return std::max(TlxGridDataRowViewInfo::GetCellsAreaWidth() - TableViewInfo()->LevelIndent, 0);
}

void TlxGridMasterDataRowViewInfo::GetExpandButtonAreaBounds(TRect& rect) {
  rect = TRect(GetContentLeft(), BoundsRect.Top, GetCellsAreaLeft(), lxSaturatingAdd(BoundsRect.Top, GetContentHeight()));
}

void TlxGridMasterDataRowViewInfo::CalculateExpandButtonBounds(TRect& rect) {
  GetExpandButtonAreaBounds(rect);
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

bool TlxGridMasterDataRowViewInfo::MustPlaceDetails() {
  if (!DetailsSiteVisible())
    return false;
  if (TableViewInfo()->IsCalculating())
    return true;
  TlxCustomGridView* view = details_site_->ActiveGridView();
  return view != nullptr && view->Site() != nullptr && view->Site()->Left() == kParkedSiteLeft;
}

void TlxGridMasterDataRowViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  PrepareDetailsSite();
  TlxGridDataRowViewInfo::Calculate(left, top, width, height);
  expand_button_cell_->Calculate(GetContentLeft(), BoundsRect.Top);
  if (!MustPlaceDetails())
    return;
  const int32_t details_left = expand_button_cell_->BoundsRect.Right;
  const int32_t details_top = lxSaturatingAdd(BoundsRect.Top, GetContentHeight());
  details_site_->Calculate(details_left, details_top);
  details_area_->Calculate(details_left, details_top);
}

void TlxGridMasterDataRowViewInfo::BeforeRecalculation() {
  TlxGridDataRowViewInfo::BeforeRecalculation();
  if (DetailsSiteVisible()) {
    details_site_->ChangeTabsAcceleratorMode(IsRecordFocused());
    details_area_->BeforeRecalculation();
  }
  expand_button_cell_->BeforeRecalculation();
}

void TlxGridMasterDataRowViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxGridDataRowViewInfo::Offset(dx, dy);
  expand_button_cell_->DoOffset(dx, dy);
  if (!DetailsSiteVisible() || !details_area_->IsCalculated())
    return;
  details_area_->DoOffset(dx, dy);
  const TRect site = details_site_->Bounds();
  details_site_->Calculate(site.Left + dx, site.Top + dy);
}

TlxCustomGridHitTest* TlxGridMasterDataRowViewInfo::GetHitTest(const TPoint& point) {
  if (DetailsSiteVisible() && details_site_->Bounds().Contains(point))
    if (TlxCustomGridHitTest* hit_test = details_site_->GetHitTest(point))
      return hit_test;
  return TlxGridDataRowViewInfo::GetHitTest(point);
}

bool TlxGridMasterDataRowViewInfo::IsSiteAtMaxDetailHeight() {
  const int32_t max_detail_height = TableView()->Level()->MaxDetailHeight();
  return max_detail_height != 0 && details_site_->GetHeight() == max_detail_height;
}

bool TlxGridMasterDataRowViewInfo::IsFullyVisible() {
  if (!TlxGridDataRowViewInfo::IsFullyVisible())
    return false;
  if (!DetailsSiteVisible() || IsSiteAtMaxDetailHeight())
    return true;
  return details_site_->GetFullyVisible();
}

int32_t TlxGridMasterDataRowViewInfo::GetVisibleHeight() {
  const int32_t height = TlxGridDataRowViewInfo::GetVisibleHeight();
  if (!DetailsSiteVisible())
    return height;
  // Calculating upwards, a row whose details would be cut never fits.
  if (!details_site_->GetFullyVisible() && !TableViewInfo()->CalculateDown && Index() > 0 &&
      !IsSiteAtMaxDetailHeight())
    return 0x3FFFFFFF;
  return lxSaturatingAdd(height, details_site_->GetNormalHeight() - details_site_->GetHeight());
}

bool TlxGridMasterDataRowViewInfo::IsDetailVisible(TlxCustomGridView* detail) {
  return DetailsSiteVisible() && detail != nullptr && details_site_->GetActiveLevel() == detail->Level();
}

void TlxGridMasterDataRowViewInfo::UpdateDetailsVisibility(bool visible) {
  TlxGridDataRowViewInfo::UpdateDetailsVisibility(visible);
  if (DetailsSiteVisible())
    details_site_->VisibilityChanged(visible);
}

bool TlxGridMasterDataRowViewInfo::ProcessDialogChar(char16_t ch) {
  if (TlxGridDataRowViewInfo::ProcessDialogChar(ch))
    return true;
  return DetailsSiteVisible() && details_site_->ProcessDialogChar(ch);
}

const TClass* TlxGridMasterDataRowViewInfo::GetPainterClass() const { return &TlxGridMasterDataRowPainter::kClass; }

bool TlxGridMasterDataRowViewInfo::IsRecordFocused() { return Focused(); }

// --- TlxGridMasterDataRowPainter ---------------------------------------------------------

void TlxGridMasterDataRowPainter::DoPaint() {
  if (MasterRowViewInfo().DetailsSiteVisible())
    DrawDetails();
  TlxGridDataRowPainter::DoPaint();
}

void TlxGridMasterDataRowPainter::DrawCells() {
  TlxGridDataRowPainter::DrawCells();
  DrawExpandButtonCell();
}

void TlxGridMasterDataRowPainter::DrawDetails() {
  TlxGridMasterDataRowViewInfo& row = MasterRowViewInfo();
  TlxGridDetailsSiteViewInfo* site = row.DetailsSiteViewInfo();
  if (site->Bounds().IsEmpty())
    return;
  site->Paint(Canvas());
  if (TlxCustomGridPainter* painter = row.GridView()->Painter())
    painter->ExcludeFromBackground(site->Bounds());
}

void TlxGridMasterDataRowPainter::DrawExpandButtonCell() {
  TlxGridMasterDataRowViewInfo& row = MasterRowViewInfo();
  TlxGridExpandButtonCellViewInfo* cell = row.ExpandButtonCellViewInfo();
  if (!cell->IsCalculated())
    return;
  Canvas().PushClipRegion();
  TScopeExit restore([this] { Canvas().PopClipRegion(); });
  TRect cells_area;
  row.GetCellsAreaBounds(cells_area);
  Canvas().ExcludeFromClip(cells_area);
  cell->Paint(&Canvas());
}

// --- TlxGridExpandButtonCellViewInfo -----------------------------------------------------

int32_t TlxGridExpandButtonCellViewInfo::GetBaseWidth() { return row_->TableViewInfo()->LevelIndent; }

int32_t TlxGridExpandButtonCellViewInfo::CalculateHeight() {
  int32_t height = row_->GetContentHeight();
  if (row_->DetailsSiteVisible())
    height = lxSaturatingAdd(height, row_->DetailsAreaViewInfo()->CalculateHeight());
  return height;
}

int32_t TlxGridExpandButtonCellViewInfo::CalculateWidth() {
  // The column ends one level indent right of the indents, measured from
  // the client's left edge however far the row is scrolled.
  TlxGridTableViewInfo* table = row_->TableViewInfo();
  const int32_t right = table->ClientBounds().Left + row_->GetLevelIndentsWidth() + GetBaseWidth();
  return std::max(right - row_->GetContentLeft(), 0);
}

TlxBorders TlxGridExpandButtonCellViewInfo::GetBorders() {
  const TlxGridCellLineBorders lines = row_->TableViewInfo()->GetCellBorders(false);
  TlxBorders borders;
  if (lines.Bottom) {
    borders.Include(bBottom);
    if (row_->DetailsSiteVisible())
      borders.Include(bRight);
  }
  return borders;
}

void TlxGridExpandButtonCellViewInfo::GetBorderBounds(TlxBorder side, TRect& rect) {
  TlxGridCellViewInfo::GetBorderBounds(side, rect);
  if (side != bRight)
    return;
  // The right line runs only beside the details.
  rect.Top = lxSaturatingAdd(rect.Top, row_->GetContentHeight());
  if (GetBorders().Contains(bBottom))
    rect.Top -= BorderWidth(bBottom);
}

TColor TlxGridExpandButtonCellViewInfo::GetBorderColor(TlxBorder /*side*/) {
  return row_->TableViewInfo()->GridLineColor();
}

void TlxGridExpandButtonCellViewInfo::GetViewParams(TlxPaintParams& params) {
  row_->TableView()->Styles()->GetDataCellParams(GridRecord(), nullptr, false, nullptr, false, params);
}

const TClass* TlxGridExpandButtonCellViewInfo::GetPainterClass() const {
  return &TlxGridExpandButtonCellPainter::kClass;
}

void TlxGridExpandButtonCellPainter::DrawBorder(TlxBorder side) {
  TlxCustomGridCellPainter::DrawBorder(side);
  if (side != bRight || ViewInfo().HasBackgroundBitmap())
    return;
  auto& cell = static_cast<TlxGridExpandButtonCellViewInfo&>(ViewInfo());
  TRect line;
  cell.GetBorderBounds(side, line);
  TRect strip = line;
  strip.Top = cell.BoundsRect.Top;
  strip.Bottom = line.Top;
  if (!strip.IsEmpty())
    DrawBackgroundRect(strip);
}

// --- TlxGridDetailsAreaViewInfo -----------------------------------------------------------

int32_t TlxGridDetailsAreaViewInfo::CalculateHeight() { return row_->DetailsSiteViewInfo()->GetHeight(); }

int32_t TlxGridDetailsAreaViewInfo::CalculateWidth() { return row_->DetailsSiteViewInfo()->GetMaxWidth(); }

TlxBorders TlxGridDetailsAreaViewInfo::GetBorders() {
  TlxBorders borders;
  if (HasHorizontalGridLines(row_->TableView()))
    borders.Include(bBottom);
  return borders;
}

TColor TlxGridDetailsAreaViewInfo::GetBorderColor(TlxBorder /*side*/) { return row_->TableViewInfo()->GridLineColor(); }
