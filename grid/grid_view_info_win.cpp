#include "grid/grid_view_info_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "grid/grid_cells_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/region_win.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "ui/foundation/system/control_unit_win.h"

// --- TlxCustomGridViewInfo ---------------------------------------------------

TlxCustomGridViewInfo::TlxCustomGridViewInfo(TlxCustomGridView* grid_view) : TlxGridViewHandler(grid_view) {}

TlxCustomGridViewInfo::~TlxCustomGridViewInfo() { DestroySite(); }

void TlxCustomGridViewInfo::Initialize() {
  CreateSite();
  CreateViewInfos();
}

void TlxCustomGridViewInfo::BeforeDestruction() { DestroyViewInfos(false); }

void TlxCustomGridViewInfo::CreateSite() {
  site_ = lxCreatePart<TlxGridSite>(GetSiteClass(), this);
}

void TlxCustomGridViewInfo::DestroySite() { site_.reset(); }

bool TlxCustomGridViewInfo::HasSiteClientBounds() const { return !site_client_bounds_.IsEmpty(); }

TlxCanvas& TlxCustomGridViewInfo::Canvas() const { return site_->CurrentCanvas(); }

TRect TlxCustomGridViewInfo::ClientBounds() {
  if (has_fixed_client_bounds_)
    return fixed_client_bounds_;
  TRect bounds;
  GetClientBounds(bounds);
  return bounds;
}

int32_t TlxCustomGridViewInfo::ClientHeight() { return ClientBounds().Height(); }

int32_t TlxCustomGridViewInfo::ClientWidth() { return ClientBounds().Width(); }

bool TlxCustomGridViewInfo::IsInternal() const {
  if (GetIsInternalUse())
    return true;
  TlxCustomGridView* master = GridView()->MasterGridView();
  return master != nullptr && master->ViewInfo() != nullptr && master->ViewInfo()->IsInternal();
}

void TlxCustomGridViewInfo::FixClientBounds(const TRect& rect) {
  fixed_client_bounds_ = rect;
  has_fixed_client_bounds_ = true;
}

TWinControl* TlxCustomGridViewInfo::SiteParentControl() const {
  TlxCustomGridView* master = GridView()->MasterGridView();
  if (master != nullptr)
    return master->Site();
  return GridView()->Grid();
}

void TlxCustomGridViewInfo::AddLiveCell(TlxCustomGridCellViewInfo* cell) { live_cells_.push_back(cell); }

bool TlxCustomGridViewInfo::IsCellAlive(const TlxCustomGridCellViewInfo* cell) const {
  return std::find(live_cells_.begin(), live_cells_.end(), cell) != live_cells_.end();
}

void TlxCustomGridViewInfo::RemoveLiveCell(TlxCustomGridCellViewInfo* cell, bool all) {
  if (all) {
    std::erase(live_cells_, cell);
    return;
  }
  const auto found = std::find(live_cells_.begin(), live_cells_.end(), cell);
  if (found != live_cells_.end())
    live_cells_.erase(found);
}

void TlxCustomGridViewInfo::AddHScrollBarHeight(int32_t& height) const {
  if (site_ != nullptr && site_->IsHScrollBarShown() && site_->HScrollBar() != nullptr)
    height += site_->HScrollBar()->Height();
}

void TlxCustomGridViewInfo::UpdateMousePos() {
  if (site_ == nullptr || site_->IsParked())
    return;
  if (site_->HandleAllocated() && !site_->ComponentState().Contains(csDesigning) &&
      !GridView()->ComponentState().Contains(csDesigning)) {
    TPoint cursor;
    lxGetCursorPosSafe(cursor);
    mouse_pos_ = site_->ScreenToClient(cursor);
    return;
  }
  mouse_pos_ = TPoint(kLxGridNoMousePos, kLxGridNoMousePos);
}

void TlxCustomGridViewInfo::UpdateSiteVisibility(bool can_show) {
  if (!CanUpdateScreenState())
    return;
  TStateScope changing(is_visibility_changing_, true);
  ChangeSiteVisibility(can_show && GridView()->IsVisible());
}

int32_t TlxCustomGridViewInfo::GetFontHeight(TFont* font) {
  TlxCanvas& canvas = Canvas();
  if (font != nullptr)
    canvas.Font().Assign(font);
  return canvas.MeasureTextHeight("Qq");
}

void TlxCustomGridViewInfo::GetNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible) {
  TStateScope sizing(is_size_calculating_, true);
  CalculateNaturalHeight(max_size, height, fully_visible);
}

void TlxCustomGridViewInfo::GetNaturalWidth(int32_t max_width, int32_t& width) {
  TStateScope sizing(is_size_calculating_, true);
  CalculateNaturalWidth(max_width, width);
}

void TlxCustomGridViewInfo::MainCalculate(const TRect& bounds) {
  if (is_calculating_)
    return;
  PrepareCalculation();
  is_calculating_ = true;
  {
    TScopeExit finish([this] {
      is_calculating_ = false;
      AfterCalculation();
      UpdateSiteVisibility(true);
    });
    if (site_ != nullptr) {
      site_->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
      site_client_bounds_ = site_->GetClientBounds();
    }
    Calculate();
  }
  // A data change that arrived during the calculation was held back: run
  // it now, so the records match the data controller's rows again.
  GridView()->RunHeldDataChange();
}

void TlxCustomGridViewInfo::Recalculate() {
  if (site_ != nullptr)
    MainCalculate(site_->BoundsRect());
}

void TlxCustomGridViewInfo::CreateViewInfos() {
  if (!GridView()->ComponentState().Contains(csDesigning))
    return;
  const TClass* selector_class = GetDesignSelectorViewInfoClass();
  if (selector_class == nullptr || !selector_class->InheritsFrom(&TlxCustomGridCellViewInfo::kClass))
    return;
  design_selector_.reset(static_cast<TlxGridDesignSelectorViewInfo*>(selector_class->CreateInstance(this)));
}

void TlxCustomGridViewInfo::DestroyViewInfos(bool /*is_recreating*/) { design_selector_.reset(); }

void TlxCustomGridViewInfo::ResetViewInfos() {
  has_fixed_client_bounds_ = false;
  DestroyViewInfos(true);
  CreateViewInfos();
}

// Made only at design time (CreateViewInfos), which this program never is.
const TClass* TlxCustomGridViewInfo::GetDesignSelectorViewInfoClass() const {
  return &TlxGridDesignSelectorViewInfo::kClass;
}

bool TlxCustomGridViewInfo::CanUnparentSite() const {
  TlxCustomGridView* view = GridView();
  TlxCustomGrid* grid = view->Grid();
  if (grid == nullptr || view->GetIsDestroying() || grid->FocusedView() == nullptr)
    return true;
  if (site_ != nullptr && site_->Focused())
    return false;
  // Unparenting a site that holds the focused view's site would take the
  // keyboard focus away with it.
  TlxGridSite* focused_site = grid->FocusedView()->Site();
  return site_ == nullptr || focused_site == nullptr || !site_->ContainsControl(focused_site);
}

const TClass* TlxCustomGridViewInfo::GetSiteClass() const { return &TlxGridSite::kClass; }

void TlxCustomGridViewInfo::AfterCalculation() {
  TlxCustomGridController* controller = Controller();
  if (controller == nullptr)
    return;
  if (!IsInternal())
    controller->UpdateScrollBars(true);
  if (CanCheckCoordinates())
    controller->CheckCoordinates();
}

void TlxCustomGridViewInfo::Calculate() {
  if (design_selector_ == nullptr)
    return;
  TPoint position;
  GetDesignSelectorPos(position);
  design_selector_->Calculate(position.X, position.Y);
}

void TlxCustomGridViewInfo::CalculateNaturalHeight(int32_t /*max_size*/, int32_t& height, bool& /*fully_visible*/) {
  AddHScrollBarHeight(height);
}

void TlxCustomGridViewInfo::CalculateNaturalWidth(int32_t max_width, int32_t& width) {
  if (site_ != nullptr && site_->IsVScrollBarShown() && site_->VScrollBar() != nullptr)
    width += site_->VScrollBar()->Width();
  width = std::min(width, max_width);
}

TlxCustomGridHitTest* TlxCustomGridViewInfo::GetHitTest(const TPoint& point) {
  TlxCustomGridHitTest* hit_test = lxGridGetHitTest<TlxGridViewNoneHitTest>(point);
  InitHitTest(hit_test);
  return hit_test;
}

TBitmap* TlxCustomGridViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = GridView()->BackgroundBitmaps();
  return bitmaps != nullptr ? bitmaps->GetBitmap(TlxCustomGridBackgroundBitmaps::kBackground) : nullptr;
}

TColor TlxCustomGridViewInfo::GetBackgroundColor() {
  TlxPaintParams params;
  GridView()->Styles()->GetViewParams(TlxCustomGridViewStyles::kBackground, nullptr, nullptr, params);
  return params.Color;
}

void TlxCustomGridViewInfo::GetDesignSelectorPos(TPoint& point) const {
  point = TPoint(site_client_bounds_.Left, site_client_bounds_.Top);
}

bool TlxCustomGridViewInfo::CanUpdateScreenState() const { return !IsInternal() && !is_size_calculating_; }

void TlxCustomGridViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  if (auto* view_hit_test = dynamic_cast<TlxCustomGridViewHitTest*>(hit_test))
    view_hit_test->GridView = GridView();
}

void TlxCustomGridViewInfo::ChangeSiteVisibility(bool visible) {
  UpdateMousePos();
  if (site_ == nullptr)
    return;
  if (visible) {
    site_->SetParent(SiteParentControl());
    return;
  }
  if (!CanUnparentSite()) {
    // Still parented, so the focus stays with it; far off to the right it
    // is out of sight.
    site_->SetBounds(kLxGridParkedSiteLeft, site_->Top(), site_->Width(), site_->Height());
    return;
  }
  site_->SetParent(nullptr);
}

TlxCustomGridHitTest* TlxCustomGridViewInfo::GetHitTestAtPoint(const TPoint& point) {
  TlxCustomGridController* controller = Controller();
  if (controller != nullptr && controller->HasCustomizationForm() && site_ != nullptr && site_->HandleAllocated() &&
      controller->CustomizationFormBounds().Contains(site_->ClientToScreen(point))) {
    TlxCustomGridHitTest* hit_test = lxGridGetHitTest<TlxGridCustomizationFormHitTest>(point);
    InitHitTest(hit_test);
    return hit_test;
  }
  if (design_selector_ != nullptr) {
    if (TlxCustomGridHitTest* hit_test = design_selector_->GetHitTest(point))
      return hit_test;
  }
  return GetHitTest(point);
}

// --- TlxCustomGridPainter ----------------------------------------------------

TlxCustomGridPainter::TlxCustomGridPainter(TlxCustomGridView* grid_view) : TlxGridViewHandler(grid_view) {}

TlxCustomGridPainter::~TlxCustomGridPainter() = default;

TlxCustomGridViewInfo* TlxCustomGridPainter::ViewInfo() const {
  return view_info_ != nullptr ? view_info_ : GridView()->ViewInfo();
}

TlxCanvas& TlxCustomGridPainter::Canvas() const { return canvas_ != nullptr ? *canvas_ : ViewInfo()->Canvas(); }

void TlxCustomGridPainter::Paint(TlxCanvas* canvas, TlxCustomGridViewInfo* view_info) {
  canvas_ = canvas;
  view_info_ = view_info;
  TScopeExit clear([this] {
    canvas_ = nullptr;
    view_info_ = nullptr;
  });
  TlxCustomGridController* controller = Controller();
  if (controller != nullptr)
    controller->BeforePaint();
  BeforePaint();
  PaintContent();
  AfterPaint();
  if (controller != nullptr)
    controller->AfterPaint();
}

void TlxCustomGridPainter::ExcludeFromBackground(const TRect& rect) {
  if (background_region_ != nullptr)
    background_region_->CombineWith(TlxRegion(rect), roSubtract);
}

void TlxCustomGridPainter::UpdateSite() {
  if (TlxGridSite* site = GridView()->Site())
    site->Update();
}

void TlxCustomGridPainter::InvalidateRect(const TRect& rect) {
  if (TlxGridSite* site = GridView()->Site())
    site->InvalidateRect(rect, false);
}

void TlxCustomGridPainter::InvalidateRegion(TlxRegion* region) {
  if (TlxGridSite* site = GridView()->Site(); site != nullptr && region != nullptr)
    site->InvalidateRegion(region, false);
}

void TlxCustomGridPainter::DrawBackground() {
  if (background_region_ == nullptr)
    return;
  TlxCanvas& canvas = Canvas();
  TlxCustomGridViewInfo* view_info = ViewInfo();
  if (TBitmap* bitmap = view_info->GetBackgroundBitmap(); bitmap != nullptr && !bitmap->Empty()) {
    std::unique_ptr<TlxRegion> saved_clip = canvas.CopyClipRegion();
    canvas.ApplyClipRegion(*background_region_, roIntersect);
    canvas.FillRectTiled(view_info->SiteClientBounds(), bitmap);
    canvas.ApplyClipRegion(std::move(saved_clip), roSet);
    return;
  }
  canvas.FillRegionColor(background_region_->Handle(), view_info->GetBackgroundColor());
}

void TlxCustomGridPainter::AfterPaint() {
  DrawBackground();
  background_region_.reset();
  if (before_paint_clip_region_ != nullptr)
    Canvas().ApplyClipRegion(std::move(before_paint_clip_region_), roSet);
}

void TlxCustomGridPainter::BeforePaint() {
  before_paint_clip_region_ = Canvas().CopyClipRegion();
  background_region_ = std::make_unique<TlxRegion>(ViewInfo()->SiteClientBounds());
  if (TlxGridDesignSelectorViewInfo* selector = ViewInfo()->DesignSelectorViewInfo())
    selector->Paint(&Canvas());
}

void TlxCustomGridPainter::DrawFocusRect(const TRect& rect, bool hide_when_inactive) {
  TlxCanvas& canvas = Canvas();
  if (GridView()->IsGridFocused()) {
    canvas.DrawFocusFrame(rect);
    return;
  }
  if (hide_when_inactive)
    return;
  // An inverted one-pixel frame: top and bottom rows, then the columns
  // between them, so no corner is inverted twice.
  canvas.InvertRect(TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1));
  canvas.InvertRect(TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
  canvas.InvertRect(TRect(rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1));
  canvas.InvertRect(TRect(rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1));
}

// --- TlxCustomGridViewInfoCache ----------------------------------------------

TlxCustomGridViewInfoCache::~TlxCustomGridViewInfoCache() = default;

TlxCustomGridViewInfoCacheItem* TlxCustomGridViewInfoCache::GetExistingItem(int32_t index) const {
  if (index < 0 || index >= Count())
    return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

TlxCustomGridViewInfoCacheItem* TlxCustomGridViewInfoCache::Item(int32_t index) {
  if (index < 0)
    return nullptr;
  if (index >= Count())
    items_.resize(static_cast<size_t>(index) + 1);
  std::unique_ptr<TlxCustomGridViewInfoCacheItem>& slot = items_[static_cast<size_t>(index)];
  if (slot == nullptr)
    slot = CreateItem(GetItemClass(index), index);
  return slot.get();
}

void TlxCustomGridViewInfoCache::SetCount(int32_t count) {
  items_.clear();
  items_.resize(static_cast<size_t>(std::max(count, 0)));
}

void TlxCustomGridViewInfoCache::Clear() { items_.clear(); }

void TlxCustomGridViewInfoCache::UnassignValues(bool keep_master) {
  if (is_unassigning_values_)
    return;
  TStateScope unassigning(is_unassigning_values_, true);
  for (const std::unique_ptr<TlxCustomGridViewInfoCacheItem>& item : items_) {
    if (item != nullptr)
      item->UnassignValues(keep_master);
  }
  if (keep_master)
    return;
  // The master rows measured this detail: their cached sizes are stale too.
  for (TlxCustomGridView* view = GridView(); view->IsDetail(); view = view->MasterGridView()) {
    TlxCustomGridView* master = view->MasterGridView();
    if (master == nullptr)
      break;
    const int32_t master_row = view->MasterRowIndex();
    if (master_row != -1 && master->ViewInfoCache() != nullptr)
      master->ViewInfoCache()->Item(master_row)->UnassignValues(false);
  }
}
