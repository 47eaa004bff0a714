#include "grid/grid_view_win.h"

#include "data/data_controller.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/rtl/scope.h"

// The view's bracket, change entry and links to its grid and masters; the
// parts and their construction come with the view bodies.

TlxCustomGrid* TlxCustomGridView::Grid() const { return dynamic_cast<TlxCustomGrid*>(Control()); }

TlxGridSite* TlxCustomGridView::Site() const { return view_info_ != nullptr ? view_info_->Site() : nullptr; }

bool TlxCustomGridView::IsFocused() const { return Grid() != nullptr && Grid()->FocusedView() == this; }

void TlxCustomGridView::SetFocused(bool value) {
  if (IsFocused() == value || Grid() == nullptr)
    return;
  Grid()->SetFocusedView(value ? this : nullptr);
}

bool TlxCustomGridView::IsDetail() const {
  return data_controller_ != nullptr && data_controller_->HasMasterRelation();
}

bool TlxCustomGridView::IsPattern() const {
  return data_controller_ != nullptr && data_controller_->IsTemplateController();
}

TlxCustomGridView* TlxCustomGridView::MasterGridView() const {
  if (!IsDetail())
    return nullptr;
  TlxCustomDataController* master = data_controller_->GetMasterDataController();
  if (master == nullptr)
    return nullptr;
  return dynamic_cast<TlxCustomGridView*>(master->OwnerComponent());
}

bool TlxCustomGridView::IsDetailOf(const TlxCustomGridView* view) const {
  for (TlxCustomGridView* master = MasterGridView(); master != nullptr; master = master->MasterGridView())
    if (master == view)
      return true;
  return false;
}

bool TlxCustomGridView::IsLoading() const {
  return ComponentState().Contains(csLoading) || (Grid() != nullptr && Grid()->ComponentState().Contains(csLoading));
}

void TlxCustomGridView::BeginUpdate() {
  if (TlxCustomGrid* grid = Grid())
    grid->BeginUpdate();
  ++lock_count_;
  if (data_controller_ != nullptr)
    data_controller_->BeginUpdate();
}

void TlxCustomGridView::EndUpdate() {
  TScopeExit unlock_grid([this] {
    if (TlxCustomGrid* grid = Grid())
      grid->EndUpdate();
  });
  if (data_controller_ != nullptr)
    data_controller_->EndUpdate();
  if (lock_count_ == 0)
    return;
  TScopeExit count([this] { --lock_count_; });
  if (lock_count_ == 1 && synchronization_needed_)
    Synchronize(false);
}

void TlxCustomGridView::CancelUpdate() {
  TScopeExit cancel_grid([this] {
    if (TlxCustomGrid* grid = Grid())
      grid->CancelUpdate();
  });
  if (data_controller_ != nullptr)
    data_controller_->EndUpdate();
  if (lock_count_ == 0)
    return;
  if (--lock_count_ == 0)
    synchronization_needed_ = false;
}

bool TlxCustomGridView::AddChange(std::unique_ptr<TlxCustomGridChange> change) {
  if (change == nullptr)
    return false;
  if (IsLoading() || GetIsDestroying() || view_info_ == nullptr || view_info_->IsCalculating())
    return false;  // the change is freed here
  if (TlxCustomGrid* grid = Grid()) {
    grid->AddChange(std::move(change));
    return true;
  }
  change->Execute();
  return true;
}

void TlxCustomGridView::LayoutChanged(bool view_only) {
  AddChange(std::make_unique<TlxGridLayoutChange>(view_only ? this : nullptr));
}

void TlxCustomGridView::SizeChanged(bool view_only, bool keep_master_cache) {
  AddChange(std::make_unique<TlxGridSizeChange>(this, keep_master_cache, view_only || Grid() == nullptr));
}

void TlxCustomGridView::Invalidate() { AddChange(std::make_unique<TlxGridViewChange>(this)); }

void TlxCustomGridView::InvalidateRect(const TRect& rect) {
  if (rect.IsEmpty())
    return;
  AddChange(std::make_unique<TlxGridViewChange>(this, rect));
}

void TlxCustomGridView::Synchronize(bool delayed) {
  if (IsLoading() || GetIsDestroying() || Grid() == nullptr || assigning_pattern_ || synchronization_assign_needed_)
    return;
  if (delayed && IsUpdateLocked()) {
    synchronization_needed_ = true;
    return;
  }
  synchronization_needed_ = false;
  if (!synchronization_ || synchronizing_)
    return;
  TStateScope synchronizing(synchronizing_, true);
  if (pattern_view_ == nullptr) {
    for (TlxCustomGridView* clone : clones_)
      clone->SynchronizeWith(this);
  } else {
    pattern_view_->SynchronizeWith(this);
  }
}

void TlxCustomGridView::SynchronizeWith(TlxCustomGridView* source) {
  if (!synchronization_ || synchronizing_ || assigning_pattern_ || source == nullptr)
    return;
  BeginUpdate();
  TScopeExit unlock([this] { EndUpdate(); });
  AssignPattern(source);
  synchronization_assign_needed_ = false;
}

void TlxCustomGridView::AssignPattern(TlxCustomGridView* source) {
  TStateScope assigning(assigning_pattern_, true);
  BeforeAssign(source);
  AssignProperties(source);
  AfterAssign(source);
}
