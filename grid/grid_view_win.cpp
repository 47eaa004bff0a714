#include "grid/grid_view_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/data_controller_types.h"
#include "data/update_control_info.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/table_items_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"
#include "ui/foundation/painters/standard_painters_win.h"

// --- listener links ----------------------------------------------------------

TlxGridListenerLink::~TlxGridListenerLink() {
  if (grid_view_ != nullptr)
    grid_view_->RemoveListenerLink(this);
}

// --- options -----------------------------------------------------------------

TlxCustomGridOptions::TlxCustomGridOptions(TlxCustomGridView* grid_view)
    : TlxInterfacedPersistent(grid_view), grid_view_(grid_view) {
  if (grid_view_ != nullptr)
    grid_view_->AddOptions(this);
}

TlxCustomGridOptions::~TlxCustomGridOptions() {
  if (grid_view_ != nullptr)
    grid_view_->RemoveOptions(this);
}

void TlxCustomGridOptions::Assign(const TPersistent* source) {
  if (dynamic_cast<const TlxCustomGridOptions*>(source) != nullptr)
    return;  // nothing to copy in the base
  TlxInterfacedPersistent::Assign(source);
}

TlxPainterClass TlxCustomGridOptions::LookAndFeelPainter() const { return grid_view_->LookAndFeelPainter(); }

void TlxCustomGridOptions::Changed(TlxGridViewChangeKind kind) {
  if (grid_view_ != nullptr)
    grid_view_->Changed(kind);
}

TlxCustomGridBackgroundBitmaps::TlxCustomGridBackgroundBitmaps(TlxCustomGridView* grid_view)
    : TlxCustomGridOptions(grid_view) {}

TlxCustomGridBackgroundBitmaps::~TlxCustomGridBackgroundBitmaps() = default;

void TlxCustomGridBackgroundBitmaps::Assign(const TPersistent* source) {
  if (auto* bitmaps = dynamic_cast<const TlxCustomGridBackgroundBitmaps*>(source)) {
    SetBackground(const_cast<TlxCustomGridBackgroundBitmaps*>(bitmaps)->Background());
    return;
  }
  TlxCustomGridOptions::Assign(source);
}

TBitmap* TlxCustomGridBackgroundBitmaps::GetValue(int32_t index) {
  if (index < 0)
    return nullptr;
  if (static_cast<size_t>(index) >= bitmaps_.size())
    bitmaps_.resize(static_cast<size_t>(index) + 1);
  std::unique_ptr<TBitmap>& bitmap = bitmaps_[static_cast<size_t>(index)];
  if (bitmap == nullptr) {
    bitmap = std::make_unique<TBitmap>();
    bitmap->OnChange = [this](TObject*) { Changed(vckLayout); };
  }
  return bitmap.get();
}

void TlxCustomGridBackgroundBitmaps::SetValue(int32_t index, TBitmap* value) {
  if (TBitmap* bitmap = GetValue(index))
    bitmap->Assign(value);
}

TBitmap* TlxCustomGridBackgroundBitmaps::GetStyleBitmap(int32_t index) const {
  const int32_t style_index = GetBitmapStyleIndex(index);
  if (style_index == -1 || GetGridView() == nullptr || GetGridView()->Styles() == nullptr)
    return nullptr;
  return GetGridView()->Styles()->GetStyleBitmap(style_index);
}

TBitmap* TlxCustomGridBackgroundBitmaps::GetBitmap(int32_t index) {
  TBitmap* own = GetValue(index);
  if (own != nullptr && !own->Empty())
    return own;
  return GetStyleBitmap(index);
}

bool TlxCustomGridOptionsBehavior::PostponedSynchronization() const {
  TlxCustomGridView* view = GetGridView();
  if (view != nullptr && view->PatternGridView() != view && view->PatternGridView()->OptionsBehavior() != nullptr)
    return view->PatternGridView()->OptionsBehavior()->postponed_synchronization_;
  return postponed_synchronization_;
}

void TlxCustomGridOptionsBehavior::Assign(const TPersistent* source) {
  if (auto* behavior = dynamic_cast<const TlxCustomGridOptionsBehavior*>(source))
    SetPostponedSynchronization(behavior->postponed_synchronization_);
  TlxCustomGridOptions::Assign(source);
}

TScrollStyle TlxCustomGridOptionsView::ScrollBars() const {
  TlxGridSite* site = GetGridView() != nullptr ? GetGridView()->Site() : nullptr;
  return site != nullptr ? site->AllowedScrollBars() : ssBoth;
}

void TlxCustomGridOptionsView::SetScrollBars(TScrollStyle value) {
  TlxGridSite* site = GetGridView() != nullptr ? GetGridView()->Site() : nullptr;
  if (site == nullptr || site->AllowedScrollBars() == value)
    return;
  site->SetScrollBars(value);
  Changed(vckLayout);
}

void TlxCustomGridOptionsView::Assign(const TPersistent* source) {
  if (auto* options = dynamic_cast<const TlxCustomGridOptionsView*>(source))
    SetScrollBars(options->ScrollBars());
  TlxCustomGridOptions::Assign(source);
}

// --- styles ------------------------------------------------------------------

void TlxCustomGridStyles::CollectFakeComponentLinks(std::vector<TComponent*>& list) const {
  TlxCustomGridView* view = GetGridView();
  TComponent* view_owner = view != nullptr ? view->Owner() : nullptr;
  for (int32_t index = 0; index <= HighestDefaultIndex(); ++index) {
    TlxStyle* style = GetIndexedStyle(index);
    if (style == nullptr)
      continue;
    auto* owner = dynamic_cast<TComponent*>(style->GetOwner());
    if (owner != nullptr && owner != view_owner && std::find(list.begin(), list.end(), owner) == list.end())
      list.push_back(owner);
  }
}

TlxCustomGridViewStyles::TlxCustomGridViewStyles(TlxCustomGridView* grid_view)
    : TlxCustomGridStyles(grid_view), grid_view_(grid_view) {}

void TlxCustomGridViewStyles::Assign(const TPersistent* source) {
  TlxCustomGridStyles::Assign(source);
  if (auto* styles = dynamic_cast<const TlxCustomGridViewStyles*>(source))
    SetIndexedStyle(kBackground, styles->GetIndexedStyle(kBackground));
}

void TlxCustomGridViewStyles::GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) {
  TlxCustomGridStyles::GetDefaultViewParams(index, data, params);
  TlxCustomGrid* grid = grid_view_ != nullptr ? grid_view_->Grid() : nullptr;
  if (grid != nullptr)
    params.Font = &grid->Font();
  else if (grid_view_ != nullptr && grid_view_->ViewInfo() != nullptr && grid_view_->Site() != nullptr)
    params.Font = &grid_view_->ViewInfo()->Canvas().Font();
  if (index == kBackground) {
    params.Color = grid_view_ != nullptr ? grid_view_->LookAndFeelPainter()->GetDefaultContentColor() : clWindow;
    params.TextColor = clGrayText;
  }
}

void TlxCustomGridViewStyles::StyleChanged(int32_t index) {
  TlxCustomGridStyles::StyleChanged(index);
  if (grid_view_ != nullptr)
    grid_view_->Changed(vckSize);
}

// --- TlxCustomGridView: construction and parts -------------------------------

TlxCustomGridView::TlxCustomGridView(TComponent* owner) : TlxControlChildComponent(owner) {}

TlxCustomGridView::TlxCustomGridView(TlxCustomGrid* control, bool cloned)
    : TlxControlChildComponent(control, cloned), transient_(cloned) {}

TlxCustomGridView::~TlxCustomGridView() {
  Destroying();
  SetFocused(false);
  if (pattern_view_ != nullptr)
    std::erase(pattern_view_->clones_, this);
  for (TlxCustomGridView* clone : clones_)
    clone->pattern_view_ = nullptr;
  if (level_ != nullptr)
    level_->SetGridView(nullptr);
  held_data_change_.reset();
  DestroyHandlers();
  DestroyOptions();
  clones_.clear();
  for (TlxGridListenerLink* link : listener_links_)
    link->Clear();
  listener_links_.clear();
  // The base destructor tells the control too, but by then this is no view
  // any more for the grid to recognise.
  if (TlxCustomGrid* grid = Grid())
    grid->RemoveView(this);
}

void TlxCustomGridView::InitializeChild() {
  if (HasParts() || creating_parts_)
    return;
  CreateParts();
}

void TlxCustomGridView::CreateParts() {
  TStateScope creating(creating_parts_, true);
  CreateOptions();
  CreateHandlers();
}

void TlxCustomGridView::CreateOptions() {
  auto add = [this](const TClass* cls) {
    owned_options_.push_back(lxCreatePart<TlxCustomGridOptions>(cls, this));
    return owned_options_.back().get();
  };
  background_bitmaps_ = static_cast<TlxCustomGridBackgroundBitmaps*>(add(GetBackgroundBitmapsClass()));
  options_behavior_ = static_cast<TlxCustomGridOptionsBehavior*>(add(GetOptionsBehaviorClass()));
  options_data_ = static_cast<TlxCustomGridOptionsData*>(add(GetOptionsDataClass()));
  options_selection_ = static_cast<TlxCustomGridOptionsSelection*>(add(GetOptionsSelectionClass()));
  options_view_ = static_cast<TlxCustomGridOptionsView*>(add(GetOptionsViewClass()));
  styles_ = lxCreatePart<TlxCustomGridViewStyles>(GetStylesClass(), this);
}

void TlxCustomGridView::DestroyOptions() {
  styles_.reset();
  // Freed last first: view, selection, data, behaviour, background.
  while (!owned_options_.empty())
    owned_options_.pop_back();
  background_bitmaps_ = nullptr;
  options_behavior_ = nullptr;
  options_data_ = nullptr;
  options_selection_ = nullptr;
  options_view_ = nullptr;
  options_list_.clear();
}

void TlxCustomGridView::CreateHandlers() {
  controller_ = lxCreatePart<TlxCustomGridController>(GetControllerClass(), this);
  data_controller_ = lxCreatePart<TlxCustomDataController>(GetDataControllerClass(), this);
  HookDataController();
  painter_ = lxCreatePart<TlxCustomGridPainter>(GetPainterClass(), this);
  view_data_ = lxCreatePart<TlxCustomGridViewData>(GetViewDataClass(), this);
  view_info_ = lxCreatePart<TlxCustomGridViewInfo>(GetViewInfoClass(), this);
  view_info_->Initialize();
  if (const TClass* cache_class = GetViewInfoCacheClass())
    view_info_cache_ = lxCreatePart<TlxCustomGridViewInfoCache>(cache_class, this);
}

void TlxCustomGridView::DestroyHandlers() {
  data_controller_.reset();
  if (view_info_ != nullptr) {
    view_info_->BeforeDestruction();
    view_info_.reset();
  }
  view_info_cache_.reset();
  view_data_.reset();
  painter_.reset();
  controller_.reset();
}

void TlxCustomGridView::HookDataController() {
  data_controller_->OnUpdateControl = [this](TlxUpdateControlInfo& info) { UpdateControl(info); };
}

void TlxCustomGridView::ReleaseParts() {
  DestroyHandlers();
  DestroyOptions();
}

// --- links to the grid, the level and the masters ----------------------------

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

int32_t TlxCustomGridView::MasterRecordIndex() const {
  return IsDetail() ? data_controller_->GetMasterRecordIndex() : -1;
}

int32_t TlxCustomGridView::MasterRowIndex() const {
  TlxCustomGridView* master = MasterGridView();
  const int32_t record = MasterRecordIndex();
  if (master == nullptr || record < 0 || master->DataController() == nullptr)
    return -1;
  return master->DataController()->GetRowIndexByRecordIndex(record, false);
}

bool TlxCustomGridView::IsDetailOf(const TlxCustomGridView* view) const {
  for (TlxCustomGridView* master = MasterGridView(); master != nullptr; master = master->MasterGridView())
    if (master == view)
      return true;
  return false;
}

bool TlxCustomGridView::HasDetails() const { return level_ != nullptr && level_->VisibleCount() > 0; }

bool TlxCustomGridView::IsLoading() const {
  return ComponentState().Contains(csLoading) || (Grid() != nullptr && Grid()->ComponentState().Contains(csLoading));
}

TlxLookAndFeel* TlxCustomGridView::LookAndFeel() const { return Grid() != nullptr ? &Grid()->LookAndFeel() : nullptr; }

TlxPainterClass TlxCustomGridView::LookAndFeelPainter() const {
  if (TlxCustomGrid* grid = Grid())
    return grid->LookAndFeel().CurrentPainter();
  return &StatelessInstance<TlxStandardLookAndFeelPainter>();
}

// --- update bracket and change entry -----------------------------------------

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
  if (IsLoading() || GetIsDestroying() || view_info_ == nullptr)
    return false;  // the change is freed here
  if (view_info_->IsCalculating()) {
    // Layout and repaint requests made by the calculation itself are
    // covered by it; a data change is not, it waits for the end.
    if (dynamic_cast<TlxGridDataChange*>(change.get()) == nullptr)
      return false;
    held_data_change_ = std::move(change);
    return true;
  }
  if (TlxCustomGrid* grid = Grid()) {
    grid->AddChange(std::move(change));
    return true;
  }
  change->Execute();
  return true;
}

void TlxCustomGridView::RunHeldDataChange() {
  if (held_data_change_ == nullptr)
    return;
  AddChange(std::move(held_data_change_));
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

void TlxCustomGridView::Changed(TlxGridViewChangeKind kind) {
  if (data_controller_ != nullptr && data_controller_->IsProviderLocked())
    return;
  {
    BeginUpdate();
    TScopeExit unlock([this] { EndUpdate(); });
    if (kind == vckLayout)
      LayoutChanged(true);
    else if (kind == vckSize)
      SizeChanged(false, false);
    Synchronize(true);
  }
  DoChanged(kind);
}

void TlxCustomGridView::DoChanged(TlxGridViewChangeKind /*kind*/) {
  if (controller_ != nullptr)
    controller_->RefreshCustomizationForm();
}

// --- pattern and clones -------------------------------------------------------

bool TlxCustomGridView::Synchronization() const {
  if (pattern_view_ != nullptr)
    return pattern_view_->synchronization_;
  return synchronization_;
}

void TlxCustomGridView::SetSynchronization(bool value) {
  if (pattern_view_ != nullptr || synchronization_ == value)
    return;  // a clone follows its pattern
  synchronization_ = value;
  if (value)
    Synchronize(false);
}

void TlxCustomGridView::RegisterClone(TlxCustomGridView* clone) {
  if (clone == nullptr || clone == this)
    return;
  if (std::find(clones_.begin(), clones_.end(), clone) == clones_.end())
    clones_.push_back(clone);
  clone->pattern_view_ = this;
}

void TlxCustomGridView::Synchronize(bool delayed) {
  if (IsLoading() || GetIsDestroying() || Grid() == nullptr || assigning_pattern_ || synchronization_assign_needed_)
    return;
  if (delayed && IsUpdateLocked()) {
    synchronization_needed_ = true;
    return;
  }
  synchronization_needed_ = false;
  const bool designing = ComponentState().Contains(csDesigning);
  if ((!Synchronization() && !designing) || synchronizing_)
    return;
  TStateScope synchronizing(synchronizing_, true);
  if (pattern_view_ == nullptr) {
    BeginUpdate();
    TScopeExit unlock([this] { EndUpdate(); });
    const std::vector<TlxCustomGridView*> clones = clones_;
    for (TlxCustomGridView* clone : clones)
      clone->SynchronizeWith(this);
  } else {
    pattern_view_->SynchronizeWith(this);
  }
}

void TlxCustomGridView::SynchronizeWith(TlxCustomGridView* source) {
  if (!Synchronization() || synchronizing_ || assigning_pattern_ || source == nullptr)
    return;
  const bool postponed = options_behavior_ != nullptr && options_behavior_->PostponedSynchronization();
  if (!postponed || pattern_view_ == nullptr || IsVisible()) {
    {
      BeginUpdate();
      TScopeExit unlock([this] { EndUpdate(); });
      AssignPattern(source);
      if (pattern_view_ == nullptr)
        Synchronize(true);
    }
    synchronization_assign_needed_ = false;
    return;
  }
  // A hidden clone copies its pattern when it is shown.
  synchronization_assign_needed_ = true;
}

void TlxCustomGridView::CheckPendingSynchronization() {
  if (!synchronization_assign_needed_ || pattern_view_ == nullptr)
    return;
  BeginUpdate();
  TScopeExit cancel([this] { CancelUpdate(); });
  synchronization_assign_needed_ = false;
  AssignPattern(pattern_view_);
}

void TlxCustomGridView::AssignPattern(TlxCustomGridView* source) {
  TStateScope assigning(assigning_pattern_, true);
  Assign(source);
}

void TlxCustomGridView::Assign(const TPersistent* source) {
  auto* view = dynamic_cast<TlxCustomGridView*>(const_cast<TPersistent*>(source));
  if (view == nullptr) {
    TlxControlChildComponent::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit unlock([this] { EndUpdate(); });
  BeforeAssign(view);
  AssignProperties(view);
  AfterAssign(view);
}

void TlxCustomGridView::BeforeAssign(TlxCustomGridView* source) {
  if (data_controller_ != nullptr && source->data_controller_ != nullptr)
    data_controller_->Assign(source->data_controller_.get());
}

void TlxCustomGridView::AssignProperties(TlxCustomGridView* source) {
  if (background_bitmaps_ != nullptr && source->background_bitmaps_ != nullptr)
    background_bitmaps_->Assign(source->background_bitmaps_);
  SetDragMode(source->DragMode());
  if (options_behavior_ != nullptr && source->options_behavior_ != nullptr)
    options_behavior_->Assign(source->options_behavior_);
  if (options_data_ != nullptr && source->options_data_ != nullptr)
    options_data_->Assign(source->options_data_);
  if (options_selection_ != nullptr && source->options_selection_ != nullptr)
    options_selection_->Assign(source->options_selection_);
  if (options_view_ != nullptr && source->options_view_ != nullptr)
    options_view_->Assign(source->options_view_);
  SetPopupMenu(source->PopupMenu());
  if (styles_ != nullptr && source->styles_ != nullptr)
    styles_->Assign(source->styles_.get());
  if (pattern_view_ == nullptr)
    synchronization_ = source->Synchronization();
  OnCustomization = source->OnCustomization;
  OnGetStoredProperties = source->OnGetStoredProperties;
  OnGetStoredPropertyValue = source->OnGetStoredPropertyValue;
  OnInitStoredObject = source->OnInitStoredObject;
  OnSetStoredPropertyValue = source->OnSetStoredPropertyValue;
  CheckState();
}

void TlxCustomGridView::AssignFrom(TlxCustomGridView* source) { TlxControlChildComponent::Assign(source); }

void TlxCustomGridView::AfterAssign(TlxCustomGridView* source) {
  if (data_controller_ != nullptr && source->data_controller_ != nullptr)
    data_controller_->Assign(source->data_controller_.get());
}

// --- published ----------------------------------------------------------------

TDragMode TlxCustomGridView::DragMode() const { return drag_mode_; }

void TlxCustomGridView::SetDragMode(TDragMode value) {
  if (drag_mode_ == value)
    return;
  drag_mode_ = value;
  if (TlxGridSite* site = Site())
    site->SetDragMode(value);
  Changed(vckProperty);
}

TComponent* TlxCustomGridView::PopupMenu() const { return popup_menu_; }

void TlxCustomGridView::SetPopupMenu(TComponent* value) {
  if (popup_menu_ == value)
    return;
  if (popup_menu_ != nullptr)
    popup_menu_->RemoveFreeNotification(this);
  popup_menu_ = value;
  if (popup_menu_ != nullptr)
    popup_menu_->FreeNotification(this);
  if (TlxGridSite* site = Site())
    site->SetPopupMenu(value);
  Changed(vckProperty);
}

// --- stored objects and layout -----------------------------------------------

std::string TlxCustomGridView::GetStoringName() const { return storing_name_.empty() ? Name() : storing_name_; }

bool TlxCustomGridView::GetStoredProperties(TStrings* properties) {
  if (properties != nullptr)
    properties->Add("Version");
  if (OnGetStoredProperties)
    OnGetStoredProperties(this, properties);
  return true;
}

void TlxCustomGridView::GetStoredPropertyValue(const std::string& name, Variant& value) {
  if (name == "Version")
    value = Variant(1);
  if (OnGetStoredPropertyValue)
    OnGetStoredPropertyValue(this, name, value);
}

void TlxCustomGridView::SetStoredPropertyValue(const std::string& name, const Variant& value) {
  if (name == "Version")
    stored_version_ = value.AsInteger();
  if (OnSetStoredPropertyValue)
    OnSetStoredPropertyValue(this, name, value);
}

TObject* TlxCustomGridView::CreateStoredObject(const std::string& /*object_name*/, const std::string& /*class_name*/) {
  return nullptr;
}

void TlxCustomGridView::DeleteStoredObject(TObject* object) { delete object; }

void TlxCustomGridView::GetStoredChildren(std::vector<TObject*>& /*children*/) {}

void TlxCustomGridView::ShowLayoutCustomization() {
  if (controller_ != nullptr)
    controller_->SetCustomization(true);
}

void TlxCustomGridView::BeginRestoring() { restoring_ = true; }

void TlxCustomGridView::EndRestoring() {
  restoring_ = false;
  AfterRestoring();
}

void TlxCustomGridView::DoCustomization() {
  if (OnCustomization)
    OnCustomization(this);
}

void TlxCustomGridView::DoInitStoredObject(TObject* object) {
  if (object != nullptr && OnInitStoredObject)
    OnInitStoredObject(this, object);
}

// --- state queries --------------------------------------------------------------

bool TlxCustomGridView::CanFocus() const { return CheckVisible(level_ != nullptr && level_->IsVisibleChain()); }

bool TlxCustomGridView::GetGridTabStop() const { return Grid() != nullptr && Grid()->GridTabStop(); }

bool TlxCustomGridView::CanUpdate() const { return Grid() != nullptr && (IsVisible() || IsPattern()); }

bool TlxCustomGridView::CheckVisible(bool level_visible) const {
  if (!level_visible || IsPattern())
    return false;
  TlxCustomGridView* master = MasterGridView();
  if (master == nullptr)
    return true;
  return master->IsVisible() && master->IsDetailVisible(const_cast<TlxCustomGridView*>(this));
}

bool TlxCustomGridView::IsGridFocused() const { return Grid() != nullptr && Grid()->IsFocusedControl(); }

bool TlxCustomGridView::IsVisible() const {
  return !GetIsDestroying() && CheckVisible(level_ != nullptr && level_->IsShown());
}

void TlxCustomGridView::FocusChanged(bool focused) {
  if (focused) {
    if (data_controller_ != nullptr)
      data_controller_->SyncDetailWithMaster();
    if (controller_ != nullptr)
      controller_->ViewFocused();
    return;
  }
  if (controller_ != nullptr)
    controller_->ViewLostFocus();
}

void TlxCustomGridView::RequestSizeChange() { SizeChanged(false, false); }

void TlxCustomGridView::LookAndFeelChanged() {
  const std::vector<TlxCustomGridView*> clones = clones_;
  for (TlxCustomGridView* clone : clones)
    clone->LookAndFeelChanged();
}

void TlxCustomGridView::SetLevel(TlxGridLevel* level) {
  if (level_ == level)
    return;
  if (level_ != nullptr && controller_ != nullptr)
    controller_->LevelAssigned(false);
  level_ = level;
  UpdateSiteTabStop(level_ != nullptr && level_->IsTopLevel());
}

void TlxCustomGridView::UpdateSiteTabStop(bool is_top_level) {
  if (TlxGridSite* site = Site())
    site->SetTabStop(is_top_level && GetGridTabStop());
}

void TlxCustomGridView::UpdateControl(TlxUpdateControlInfo& info) {
  if (IsLoading() || GetIsDestroying() || IsPattern())
    return;
  if (dynamic_cast<TlxDataChangedInfo*>(&info) == nullptr)
    return;
  if (IsDetail()) {
    TlxCustomGridView* master = MasterGridView();
    const bool is_clone = pattern_view_ != nullptr &&
                          std::find(pattern_view_->clones_.begin(), pattern_view_->clones_.end(), this) !=
                              pattern_view_->clones_.end();
    if (master != nullptr && !master->IsUpdateLocked() && master->DataController() != nullptr &&
        master->DataController()->GetLockCount() == 0 && is_clone)
      master->DetailDataChanged(this);
    return;
  }
  if (TlxCustomGrid* grid = Grid())
    grid->DataChanged();
}

void TlxCustomGridView::BoundsChanged(bool view_only, bool keep_master_cache) {
  if (UsesSizeChanges())
    SizeChanged(view_only, keep_master_cache);
  else
    LayoutChanged(view_only);
}

// --- listener links and options list -------------------------------------------

TlxGridListenerLink* TlxCustomGridView::AddListenerLink() {
  auto* link = new TlxGridListenerLink(this);
  listener_links_.push_back(link);
  return link;
}

void TlxCustomGridView::RemoveListenerLink(TlxGridListenerLink* link) { std::erase(listener_links_, link); }

void TlxCustomGridView::AddOptions(TlxCustomGridOptions* options) { options_list_.push_back(options); }

void TlxCustomGridView::RemoveOptions(TlxCustomGridOptions* options) { std::erase(options_list_, options); }

// --- control-child component ------------------------------------------------------

bool TlxCustomGridView::GetIsDestroying() const {
  if (IsDestroying())
    return true;
  TlxCustomGridView* master = MasterGridView();
  return master != nullptr && master->GetIsDestroying();
}

void TlxCustomGridView::AssignControl(TlxControl* control) {
  TlxControlChildComponent::AssignControl(control);
  if (storage_control_ == nullptr && control != nullptr)
    storage_control_ = control;
  InitializeChild();
}

void TlxCustomGridView::Loaded() {
  InitializeChild();
  TlxControlChildComponent::Loaded();
  RequestSizeChange();
  // A grid data controller holds the stored "Data" until the items it is
  // read into exist; the end of loading is that moment.
  if (auto* grid_data = dynamic_cast<TlxGridDataController*>(data_controller_.get()))
    grid_data->LoadPendingData();
  else if (data_controller_ != nullptr)
    data_controller_->OwnerLoaded();
  CheckState();
}

void TlxCustomGridView::Notification(TComponent* component, TOperation operation) {
  TlxControlChildComponent::Notification(component, operation);
  if (operation == opRemove && component == popup_menu_)
    popup_menu_ = nullptr;
  const std::vector<TlxCustomGridOptions*> options = options_list_;
  for (TlxCustomGridOptions* option : options)
    option->Notification(component, operation);
}

TComponent* TlxCustomGridView::GetParentComponent() const { return storage_control_; }

// --- TlxGridRegisteredViews ---------------------------------------------------------

namespace {

std::unique_ptr<TlxGridRegisteredViews>& RegisteredViewsSlot() {
  static std::unique_ptr<TlxGridRegisteredViews> registry;
  return registry;
}

bool IsDBDescription(const std::string& description) { return description.starts_with("DB"); }

}  // namespace

TlxGridRegisteredViews::TlxGridRegisteredViews() : TlxRegisteredClasses(true) { SetSorted(true); }

void TlxGridRegisteredViews::ModuleStart() {
  if (RegisteredViewsSlot() == nullptr)
    RegisteredViewsSlot() = std::make_unique<TlxGridRegisteredViews>();
}

void TlxGridRegisteredViews::ModuleEnd() { RegisteredViewsSlot().reset(); }

TlxGridRegisteredViews& TlxGridRegisteredViews::Instance() {
  ModuleStart();
  return *RegisteredViewsSlot();
}

int TlxGridRegisteredViews::CompareEntries(int32_t index1, int32_t index2) const {
  const std::string description1 = DescriptionOf(index1);
  const std::string description2 = DescriptionOf(index2);
  const bool db1 = IsDBDescription(description1);
  const bool db2 = IsDBDescription(description2);
  if (db1 != db2)
    return db1 ? 1 : -1;
  return CompareText(description1, description2);
}
