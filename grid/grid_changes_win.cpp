#include "grid/grid_changes_win.h"

#include "grid/grid_control_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/grid_view_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"
#include "ui/foundation/canvas/region_win.h"

bool TlxCustomGridViewChange::IsEqual(const TlxCustomGridChange& other) const {
  bool is_view_change = false;
  TlxCustomGridView* view = ViewOf(other, is_view_change);
  return TlxCustomGridChange::IsEqual(other) && is_view_change && view == grid_view_;
}

TlxCustomGridView* TlxCustomGridViewChange::ViewOf(const TlxCustomGridChange& change, bool& is_view_change) {
  const auto* view_change = dynamic_cast<const TlxCustomGridViewChange*>(&change);
  is_view_change = view_change != nullptr;
  return view_change != nullptr ? view_change->grid_view_ : nullptr;
}

// --- layout ----------------------------------------------------------------

void TlxGridLayoutChange::Execute() {
  TlxCustomGrid* grid = Control();
  TlxCustomGridView* view = GridView();
  if (view == nullptr) {
    if (grid == nullptr)
      return;
    grid->ViewInfo()->Calculate();
    grid->Painter()->Invalidate(true);
    grid->DoLayoutChanged(nullptr);
    return;
  }
  if (view->CanUpdate() && view->Site() != nullptr && view->ViewInfo() != nullptr) {
    const TRect bounds = view->Site()->BoundsRect();
    if (!bounds.IsEmpty()) {
      view->ViewInfo()->MainCalculate(bounds);
      if (TlxGridSite* site = view->Site(); site != nullptr && view->Painter() != nullptr)
        view->Painter()->InvalidateRect(site->ClientRect());
    }
  }
  if (grid != nullptr)
    grid->DoLayoutChanged(view);
}

bool TlxGridLayoutChange::IsCoveredBy(const TlxCustomGridChange& other) const {
  bool is_view_change = false;
  TlxCustomGridView* other_view = ViewOf(other, is_view_change);
  if (!is_view_change)
    return false;
  TlxCustomGridView* view = GridView();
  const bool same_or_master = other_view == view || (view != nullptr && other_view != nullptr && view->IsDetailOf(other_view));
  if (dynamic_cast<const TlxGridLayoutChange*>(&other) != nullptr)
    return view != nullptr && (other_view == nullptr || (other_view != view && same_or_master));
  if (dynamic_cast<const TlxGridSizeChange*>(&other) != nullptr)
    return other_view == nullptr || same_or_master;
  return false;
}

// --- size ------------------------------------------------------------------

void TlxGridSizeChange::Execute() {
  TlxCustomGrid* grid = Control();
  TlxCustomGridView* view = GridView();
  if (view == nullptr) {
    if (grid == nullptr)
      return;
    TlxCustomGridView* shown = grid->ActiveView();
    if (shown == nullptr)
      grid->LayoutChanged();
    else
      shown->SizeChanged(false, keep_master_cache_);
    return;
  }
  if (view->CanUpdate()) {
    if (TlxCustomGridViewInfoCache* cache = view->ViewInfoCache())
      cache->UnassignValues(keep_master_cache_);
  }
  if (!(view_only_ && keep_master_cache_)) {
    if (TlxCustomGridView* master = view->MasterGridView()) {
      if (view->IsPattern())
        return;
      // The master re-measures the row that holds this detail.
      if (master->AddChange(std::make_unique<TlxGridSizeChange>(master, true, false)))
        return;
    } else if (!view->IsPattern() && grid != nullptr) {
      grid->LayoutChanged();
      return;
    }
  }
  view->LayoutChanged(true);
}

bool TlxGridSizeChange::IsCoveredBy(const TlxCustomGridChange& other) const {
  if (dynamic_cast<const TlxGridDataChange*>(&other) != nullptr) {
    bool is_view_change = false;
    return ViewOf(other, is_view_change) == GridView();
  }
  const auto* size = dynamic_cast<const TlxGridSizeChange*>(&other);
  return size != nullptr && view_only_ && size->GridView() == GridView() &&
         size->keep_master_cache_ == keep_master_cache_ && !size->view_only_;
}

bool TlxGridSizeChange::IsEqual(const TlxCustomGridChange& other) const {
  if (!TlxCustomGridViewChange::IsEqual(other))
    return false;
  const auto& size = static_cast<const TlxGridSizeChange&>(other);
  return size.keep_master_cache_ == keep_master_cache_ && size.view_only_ == view_only_;
}

// --- repaint ---------------------------------------------------------------

TlxGridViewChange::TlxGridViewChange(TlxCustomGridView* grid_view) : TlxCustomGridViewChange(grid_view) {}

TlxGridViewChange::TlxGridViewChange(TlxCustomGridView* grid_view, const TRect& rect)
    : TlxCustomGridViewChange(grid_view), rect_(rect) {}

TlxGridViewChange::TlxGridViewChange(TlxCustomGridView* grid_view, const TlxRegion& region)
    : TlxCustomGridViewChange(grid_view), region_(std::make_unique<TlxRegion>()) {
  region_->CombineWith(region, roSet);
}

TlxGridViewChange::~TlxGridViewChange() = default;

void TlxGridViewChange::Execute() {
  TlxCustomGridView* view = GridView();
  if (view == nullptr || view->Painter() == nullptr || view->Site() == nullptr)
    return;
  if (region_ != nullptr)
    view->Painter()->InvalidateRegion(region_.get());
  else if (!rect_.IsEmpty())
    view->Painter()->InvalidateRect(rect_);
  else
    view->Painter()->InvalidateRect(view->Site()->ClientRect());
}

bool TlxGridViewChange::IsCoveredBy(const TlxCustomGridChange& other) const {
  bool is_view_change = false;
  TlxCustomGridView* other_view = ViewOf(other, is_view_change);
  if (!is_view_change || other_view != GridView())
    return false;
  return dynamic_cast<const TlxGridLayoutChange*>(&other) != nullptr ||
         dynamic_cast<const TlxGridSizeChange*>(&other) != nullptr;
}

bool TlxGridViewChange::IsEqual(const TlxCustomGridChange& other) const {
  if (!TlxCustomGridViewChange::IsEqual(other))
    return false;
  const auto& change = static_cast<const TlxGridViewChange&>(other);
  if (region_ == nullptr && change.region_ == nullptr)
    return rect_ == change.rect_;
  return region_ != nullptr && change.region_ != nullptr && region_->SameAs(change.region_.get());
}

// --- focus, data and records -----------------------------------------------

void TlxGridControlFocusChange::Execute() {
  TlxCustomGridView* view = GridView();
  if (view != nullptr && view->CanUpdate() && view->Controller() != nullptr)
    view->Controller()->ControlFocusChanged();
}

void TlxGridDataChange::Execute() {
  if (auto* view = dynamic_cast<TlxCustomGridTableView*>(GridView()))
    view->RecordCountChanged();
}

void TlxGridRecordChange::Execute() {
  TlxCustomGridView* view = GridView();
  if (grid_record_ == nullptr || view == nullptr || !view->CanUpdate())
    return;
  TlxCustomGridRecordViewInfo* record_view_info = grid_record_->ViewInfo();
  if (record_view_info == nullptr)
    return;
  view->InvalidateRect(record_view_info->BoundsRect);
}

bool TlxGridRecordChange::IsCoveredBy(const TlxCustomGridChange& other) const {
  if (TlxCustomGridViewChange::IsCoveredBy(other))
    return true;
  bool is_view_change = false;
  if (ViewOf(other, is_view_change) != GridView() || !is_view_change)
    return false;
  return dynamic_cast<const TlxGridLayoutChange*>(&other) != nullptr ||
         dynamic_cast<const TlxGridSizeChange*>(&other) != nullptr ||
         dynamic_cast<const TlxGridDataChange*>(&other) != nullptr;
}

bool TlxGridRecordChange::IsEqual(const TlxCustomGridChange& other) const {
  if (!TlxCustomGridViewChange::IsEqual(other))
    return false;
  const auto& change = static_cast<const TlxGridRecordChange&>(other);
  return change.grid_record_ == grid_record_ && change.record_index_ == record_index_ && change.item_ == item_;
}

TlxGridFocusedRecordChange::TlxGridFocusedRecordChange(TlxCustomGridTableView* grid_view,
                                                       bool new_item_record_focusing_changed,
                                                       int32_t focused_record_index, int32_t prev_focused_record_index)
    : TlxCustomGridViewChange(grid_view),
      prev_focused_record_index_(prev_focused_record_index),
      focused_record_index_(focused_record_index),
      new_item_record_focusing_changed_(new_item_record_focusing_changed) {}

void TlxGridFocusedRecordChange::Execute() {
  auto* view = dynamic_cast<TlxCustomGridTableView*>(GridView());
  if (view == nullptr)
    return;
  TlxCustomGridTableViewData* data = view->ViewData();
  if (view->RecordHeightDependsOnFocus()) {
    view->SizeChanged(false, false);
  } else if (data != nullptr) {
    for (int32_t index : {prev_focused_record_index_, focused_record_index_})
      if (data->IsRecordIndexValid(index))
        data->Records(index)->Invalidate();
    if (new_item_record_focusing_changed_ && data->NewItemRecord() != nullptr)
      data->NewItemRecord()->Invalidate();
  }
  view->DoFocusedRecordChanged(prev_focused_record_index_, focused_record_index_, new_item_record_focusing_changed_);
}
