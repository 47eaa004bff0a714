#include "grid/grid_control_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "grid/grid_changes_win.h"
#include "data/data_controller_types.h"
#include "grid/grid_details_site_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/base/unit_routines.h"
#include "ui/foundation/system/lx_timer_win.h"

// --- TlxGridLevelTabs ------------------------------------------------------

TlxGridLevelTabs::TlxGridLevelTabs(TlxCustomGrid* grid)
    : grid_(grid), images_change_link_(std::make_unique<TChangeLink>()) {
  images_change_link_->OnChange = [this](TObject*) { Changed(); };
}

TlxGridLevelTabs::~TlxGridLevelTabs() { SetImages(nullptr); }

TPersistent* TlxGridLevelTabs::GetOwner() const { return grid_; }

void TlxGridLevelTabs::Assign(const TPersistent* source) {
  const auto* tabs = dynamic_cast<const TlxGridLevelTabs*>(source);
  if (tabs == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetCaptionAlignment(tabs->caption_alignment_);
  SetImageBorder(tabs->image_border_);
  SetImages(tabs->images_);
  SetSlants(tabs->slants_);
  SetStyle(tabs->style_);
}

void TlxGridLevelTabs::SetCaptionAlignment(TAlignment value) {
  if (caption_alignment_ == value)
    return;
  caption_alignment_ = value;
  Changed();
}

void TlxGridLevelTabs::SetImageBorder(int32_t value) {
  value = std::max(value, 0);
  if (image_border_ == value)
    return;
  image_border_ = value;
  Changed();
}

void TlxGridLevelTabs::SetImages(TCustomImageList* value) {
  if (images_ == value)
    return;
  if (images_ != nullptr)
    images_->UnRegisterChanges(images_change_link_.get());
  images_ = value;
  if (images_ != nullptr) {
    images_->RegisterChanges(images_change_link_.get());
    images_->FreeNotification(grid_);
  }
  Changed();
}

void TlxGridLevelTabs::ImagesRemoved() {
  images_ = nullptr;
  Changed();
}

void TlxGridLevelTabs::SetSlants(const TlxGridTabSlants& value) {
  if (slants_ == value)
    return;
  slants_ = value;
  Changed();
}

void TlxGridLevelTabs::SetStyle(int32_t value) {
  if (style_ == value)
    return;
  style_ = value;
  Changed();
}

void TlxGridLevelTabs::Changed() {
  if (grid_ != nullptr && !grid_->IsDestroying())
    grid_->SizeChanged();
}

// --- handlers --------------------------------------------------------------

TlxCustomGridView* TlxCustomGridHandler::ActiveView() const { return grid_->ActiveView(); }

TObject* TlxCustomGridHandler::ActiveController() const {
  TlxCustomGridView* view = ActiveView();
  return view != nullptr ? view->Controller() : nullptr;
}

TlxGridViewInfo* TlxCustomGridHandler::ViewInfo() const { return grid_->ViewInfo(); }

bool TlxGridDragOpenInfoTab::Equals(const TlxCustomGridDragOpenInfo& other) const {
  return TlxCustomGridDragOpenInfo::Equals(other) && static_cast<const TlxGridDragOpenInfoTab&>(other).level_ == level_;
}

void TlxGridDragOpenInfoTab::Run() {
  if (level_ != nullptr)
    level_->SetActive(true);
}

TlxGridController::TlxGridController(TlxCustomGrid* grid) : TlxCustomGridHandler(grid) {}
TlxGridController::~TlxGridController() = default;

void TlxGridController::DoKeyDown(uint16_t& /*key*/, TShiftState /*shift*/) {}

void TlxGridController::MouseDown(TMouseButton /*button*/, TShiftState /*shift*/, int32_t x, int32_t y) {
  ViewInfo()->GetHitTest(TPoint(x, y));
}

void TlxGridController::MouseMove(TShiftState /*shift*/, int32_t x, int32_t y) {
  ViewInfo()->GetHitTest(TPoint(x, y));
}

void TlxGridController::MouseUp(TMouseButton /*button*/, TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/) {}

TCursor TlxGridController::GetCursor(int32_t x, int32_t y) {
  return ViewInfo()->GetHitTest(TPoint(x, y))->Cursor();
}

void TlxGridController::DragOver(TObject* /*source*/, int32_t x, int32_t y, TDragState state, bool& /*accept*/) {
  if (!Control()->DragOpening()) {
    StopDragOpen();
    return;
  }
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTest(TPoint(x, y));
  auto* tab = dynamic_cast<TlxGridDetailsSiteTabHitTest*>(hit_test);
  if (tab != nullptr && tab->GetHitTestCode() == 50 && state != dsDragLeave)
    StartDragOpen(std::make_unique<TlxGridDragOpenInfoTab>(tab->Level));
  else
    StopDragOpen();
}

void TlxGridController::EndDrag(TObject* /*target*/, int32_t /*x*/, int32_t /*y*/) { StopDragOpen(); }

void TlxGridController::StartDragOpen(std::unique_ptr<TlxCustomGridDragOpenInfo> info) {
  if (info == nullptr)
    return;
  if (drag_open_info_ != nullptr && drag_open_info_->Equals(*info))
    return;  // the pending one keeps its timer running
  drag_open_info_ = std::move(info);
  if (drag_open_timer_ != nullptr) {
    drag_open_timer_->SetEnabled(false);
    drag_open_timer_->SetEnabled(true);
    return;
  }
  drag_open_timer_ = std::make_unique<TlxTimer>(nullptr);
  drag_open_timer_->SetInterval(static_cast<uint32_t>(std::max(Control()->DragOpeningWaitTime(), 1)));
  drag_open_timer_->SetOnTimer([this](TObject* sender) { DragOpenTimerFired(sender); });
}

void TlxGridController::StopDragOpen() {
  drag_open_timer_.reset();
  drag_open_info_.reset();
}

void TlxGridController::DragOpenTimerFired(TObject* /*sender*/) {
  drag_open_timer_->SetEnabled(false);
  if (drag_open_info_ != nullptr)
    drag_open_info_->Run();
  StopDragOpen();
}

void TlxGridPainter::DrawDetailsSite() {}

void TlxGridPainter::Paint() { DrawDetailsSite(); }

void TlxGridPainter::Invalidate(bool include_sites) {
  Control()->RefreshViews(false);
  if (!include_sites)
    return;
  for (int32_t i = 0; i < Control()->ControlCount(); ++i)
    Control()->Controls(i)->Invalidate();
}

void TlxGridPainter::InvalidateRect(const TRect& rect) { Control()->InvalidateRect(rect, false); }

TlxGridViewInfo::TlxGridViewInfo(TlxCustomGrid* grid) : TlxCustomGridHandler(grid) {}
TlxGridViewInfo::~TlxGridViewInfo() = default;

const TClass* TlxGridViewInfo::GetDetailsSiteViewInfoClass() const { return &TlxGridTopDetailsSiteViewInfo::kClass; }

void TlxGridViewInfo::Calculate() {
  bounds_ = Control()->GetBounds();
  client_bounds_ = Control()->GetClientBounds();
  // The site is made anew with every layout; what the user scrolled to in
  // its tabs survives through the cached information.
  std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> cached;
  if (details_site_view_info_ != nullptr)
    cached = details_site_view_info_->CreateCachedInfo();
  details_site_view_info_.reset();
  if (GetDetailsSiteViewInfoClass() == nullptr || Control()->RootLevel() == nullptr)
    return;
  details_site_view_info_ = std::make_unique<TlxGridTopDetailsSiteViewInfo>(Control());
  details_site_view_info_->RestoreFromCachedInfo(std::move(cached));
  if (!client_bounds_.IsEmpty())
    details_site_view_info_->Calculate(client_bounds_.Left, client_bounds_.Top);
}

TlxCustomGridHitTest* TlxGridViewInfo::GetHitTest(const TPoint& point) {
  // The top site answers for its level tabs and the view it shows.
  if (details_site_view_info_ != nullptr)
    if (TlxCustomGridHitTest* hit_test = details_site_view_info_->GetHitTest(point))
      return hit_test;
  return lxGridGetHitTest<TlxGridNoneHitTest>(point);
}

// --- TlxCustomGrid ---------------------------------------------------------

namespace {

// A form reader finds the levels it reads by their class name.
void RegisterGridStreamingClasses() {
  static const bool registered = [] {
    RegisterStreamableClass(TlxGridLevel::kClass);
    return true;
  }();
  (void)registered;
}

}  // namespace

TlxCustomGrid::TlxCustomGrid(TComponent* owner) : TlxControl(owner) {
  RegisterGridStreamingClasses();
  // The grid itself never takes the focus; its TabStop goes to the sites.
  TWinControl::SetTabStop(false);
  level_tabs_ = lxCreatePart<TlxGridLevelTabs>(GetLevelTabsClass(), this);
  root_level_ = lxCreatePart<TlxGridLevel>(GetRootLevelClass(), nullptr);
  root_level_->SetControl(this);
  CreateHandlers();
  SetBounds(Left(), Top(), 250, 200);
}

TlxCustomGrid::~TlxCustomGrid() {
  destroying_ = true;
  changes_.Close();
  // The sites go before the views so none repaints from a half-freed tree.
  for (int32_t i = 0; i < root_level_->Count(); ++i) {
    TlxCustomGridView* view = root_level_->Items(i)->GridView();
    if (view != nullptr && view->Site() != nullptr)
      view->Site()->Hide();
  }
  DestroyHandlers();
  root_level_.reset();
  while (!views_.empty())
    delete views_.back();  // the view leaves the list as it goes
  level_tabs_.reset();
}

void TlxCustomGrid::RemoveViewChanges(TlxCustomGridView* view) {
  changes_.RemoveChanges([view](const TlxCustomGridChange& change) {
    const auto* view_change = dynamic_cast<const TlxCustomGridViewChange*>(&change);
    return view_change != nullptr && view_change->GridView() == view;
  });
}

TlxCustomGridView* TlxCustomGrid::ActiveView() const {
  return active_level_ != nullptr ? active_level_->GridView() : nullptr;
}

void TlxCustomGrid::SetActiveLevel(TlxGridLevel* level) {
  if (level == active_level_ && level != nullptr)
    return;
  if (level == nullptr)
    level = destroying_ ? nullptr : root_level_->FirstVisibleChild();
  else if (!level->Visible())
    return;
  if (level == active_level_)
    return;
  active_level_ = level;
  SizeChanged();
  if (!ComponentState().Contains(csLoading) && level != nullptr)
    DoActiveTabChanged(level);
  SetFocusedView(level != nullptr ? level->GridView() : nullptr);
}

TlxCustomGridView* TlxCustomGrid::FindFocusReplacement(TlxCustomGridView* previous) const {
  for (TlxCustomGridView* master = previous != nullptr ? previous->MasterGridView() : nullptr; master != nullptr;
       master = master->MasterGridView())
    if (!master->GetIsDestroying())
      return master;
  for (int32_t i = 0; i < root_level_->Count(); ++i) {
    TlxCustomGridView* view = root_level_->Items(i)->GridView();
    if (view != nullptr && !view->GetIsDestroying())
      return view;
  }
  return nullptr;
}

void TlxCustomGrid::SetFocusedView(TlxCustomGridView* view) {
  if (view != nullptr && !view->CanFocus())
    return;
  if (view == focused_view_)
    return;
  if (!destroying_ && !IsDesigning()) {
    const bool replace = (view == nullptr && ActiveView() != nullptr) || (view != nullptr && view->GetIsDestroying());
    if (replace) {
      view = FindFocusReplacement(focused_view_);
      if (view == focused_view_)
        return;
    }
  }
  TlxCustomGridView* previous = focused_view_;
  const bool was_focused = IsFocusedControl();
  focused_view_ = view;
  if (previous != nullptr) {
    TScopeFail restore([&] { focused_view_ = previous; });
    previous->FocusChanged(false);
  }
  if (!destroying_ && was_focused && !IsFocusedControl() && CanFocus())
    SetFocus();
  if (view != nullptr) {
    view->FocusChanged(true);
    if (view->Level() != nullptr && view->Level()->IsTopLevel())
      SetActiveLevel(view->Level());
  } else if (!destroying_ && was_focused && CanFocusOnForm()) {
    SetFocus();
  }
  FocusedViewChanged(previous, view);
}

void TlxCustomGrid::AddView(TlxCustomGridView* view) {
  if (view == nullptr || std::find(views_.begin(), views_.end(), view) != views_.end())
    return;
  views_.push_back(view);
}

void TlxCustomGrid::RemoveView(TlxCustomGridView* view) {
  std::erase(views_, view);
  RemoveViewChanges(view);
  if (focused_view_ == view)
    SetFocusedView(nullptr);
}

void TlxCustomGrid::CheckFocusedView() {
  if (focused_view_ == nullptr || focused_view_->CanFocus())
    return;
  TlxCustomGridView* active = ActiveView();
  if (active != nullptr && active->CanFocus())
    SetFocusedView(active);
  else
    SetFocusedView(nullptr);
}

namespace {

// A pattern passes the refresh to its clones, which are what is shown.
void RefreshRecursively(TlxCustomGridView* view, bool recalculate) {
  if (view->IsPattern()) {
    for (int32_t i = 0; i < view->CloneCount(); ++i)
      RefreshRecursively(view->Clones(i), recalculate);
    return;
  }
  if (recalculate)
    view->LayoutChanged(true);
  else
    view->Invalidate();
}

void RefreshViewTree(TlxCustomGridView* view, bool recalculate) {
  if (view == nullptr)
    return;
  RefreshRecursively(view, recalculate);
  TlxGridLevel* level = view->Level();
  if (level == nullptr)
    return;
  for (int32_t i = 0; i < level->VisibleCount(); ++i)
    RefreshViewTree(level->VisibleItems(i)->GridView(), recalculate);
}

}  // namespace

void TlxCustomGrid::RefreshViews(bool recalculate) {
  if (destroying_)
    return;
  if (recalculate)
    LayoutChanged();
  else
    Invalidate();
  RefreshViewTree(ActiveView(), recalculate);
}

void TlxCustomGrid::NotifyNavigator() {
  if (navigator_notifier_ != nullptr)
    navigator_notifier_->RefreshNavigators();
}

void TlxCustomGrid::AddNotificationHandler(IlxGridNotificationHandler* handler) {
  if (handler != nullptr &&
      std::find(notification_handlers_.begin(), notification_handlers_.end(), handler) == notification_handlers_.end())
    notification_handlers_.push_back(handler);
}

void TlxCustomGrid::RemoveNotificationHandler(IlxGridNotificationHandler* handler) {
  std::erase(notification_handlers_, handler);
}

bool TlxCustomGrid::DispatchNotification(int32_t kind, TObject* param) {
  if (kind < 0 || kind > gnkReserved7)
    return false;
  if (kind == gnkContextMenu && IsDesigning())
    return false;
  bool handled = false;
  const std::vector<IlxGridNotificationHandler*> handlers = notification_handlers_;
  for (IlxGridNotificationHandler* handler : handlers) {
    if ((handler->NotificationKinds() & (1u << kind)) == 0)
      continue;
    handler->Notify(static_cast<TlxGridNotificationKind>(kind), param, handled);
    if (handled)
      break;
  }
  return handled;
}

void TlxCustomGrid::SetGridTabStop(bool value) {
  if (grid_tab_stop_ == value)
    return;
  grid_tab_stop_ = value;
  for (int32_t i = 0; i < root_level_->Count(); ++i)
    if (TlxCustomGridView* view = root_level_->Items(i)->GridView())
      view->UpdateSiteTabStop(true);
}

TlxGridRootLevelOptions& TlxCustomGrid::RootLevelOptions() const {
  return static_cast<TlxGridRootLevelOptions&>(root_level_->Options());
}

TlxGridLevelStyles& TlxCustomGrid::RootLevelStyles() const { return root_level_->Styles(); }

void TlxCustomGrid::FocusStateChanged(bool site_focused) {
  if (site_focused)
    focused_ = true;
  else if (!IsFocusedControl())
    focused_ = false;
  TlxCustomGridView* active = ActiveView();
  if (active != nullptr && active->Controller() != nullptr)
    active->Controller()->PostControlFocusChange();
}

void TlxCustomGrid::FocusNextControl(bool forward) {
  if (!IsFocusedControl())
    return;
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr || !form->HandleAllocated())
    return;
  PostMessageA(form->Handle(), WM_NEXTDLGCTL, forward ? 0 : 1, 0);
}

void TlxCustomGrid::CreateHandlers() {
  controller_ = lxCreatePart<TlxGridController>(GetControllerClass(), this);
  painter_ = lxCreatePart<TlxGridPainter>(GetPainterClass(), this);
  view_info_ = lxCreatePart<TlxGridViewInfo>(GetViewInfoClass(), this);
  navigator_notifier_ = std::make_unique<TlxNavigatorControlNotifier>();
}

void TlxCustomGrid::DestroyHandlers() {
  navigator_notifier_.reset();
  view_info_.reset();
  painter_.reset();
  controller_.reset();
}

void TlxCustomGrid::DoActiveTabChanged(TlxGridLevel* level) {
  if (OnActiveTabChanged)
    OnActiveTabChanged(this, level);
}

void TlxCustomGrid::DoLayoutChanged(TlxCustomGridView* grid_view) {
  if (OnLayoutChanged)
    OnLayoutChanged(this, grid_view);
}

void TlxCustomGrid::FocusedViewChanged(TlxCustomGridView* prev_focused_view, TlxCustomGridView* focused_view) {
  if (destroying_)
    return;
  NotifyNavigator();
  DispatchNotification(gnkFocusedViewChanged, nullptr);
  if (OnFocusedViewChanged)
    OnFocusedViewChanged(this, prev_focused_view, focused_view);
}

const TClass* TlxCustomGrid::GetControllerClass() const { return &TlxGridController::kClass; }
const TClass* TlxCustomGrid::GetRootLevelClass() const { return &TlxGridRootLevel::kClass; }
const TClass* TlxCustomGrid::GetLevelTabsClass() const { return &TlxGridLevelTabs::kClass; }
const TClass* TlxCustomGrid::GetPainterClass() const { return &TlxGridPainter::kClass; }
const TClass* TlxCustomGrid::GetViewInfoClass() const { return &TlxGridViewInfo::kClass; }

bool TlxCustomGrid::RelayoutsOnDataChange() const {
  const TlxGridLevelOptions& options = RootLevelOptions();
  return options.DetailTabsPosition() != dtpNone && !options.TabsForEmptyDetails();
}

void TlxCustomGrid::LayoutChanged() {
  if (ComponentState().Contains(csLoading) || destroying_)
    return;
  AddChange(std::make_unique<TlxGridLayoutChange>(nullptr));
}

void TlxCustomGrid::SizeChanged() {
  if (ComponentState().Contains(csLoading) || destroying_)
    return;
  AddChange(std::make_unique<TlxGridSizeChange>(nullptr, false, false));
}

void TlxCustomGrid::DataChanged() {
  if (RelayoutsOnDataChange())
    LayoutChanged();
}

IlxNavigator* TlxCustomGrid::FocusedNavigator() const {
  return focused_view_ != nullptr ? dynamic_cast<IlxNavigator*>(focused_view_) : nullptr;
}

bool TlxCustomGrid::CanAppendRecord() { return FocusedNavigator() != nullptr && FocusedNavigator()->CanAppendRecord(); }
bool TlxCustomGrid::CanDeleteRecord() { return FocusedNavigator() != nullptr && FocusedNavigator()->CanDeleteRecord(); }
bool TlxCustomGrid::CanEditRecord() { return FocusedNavigator() != nullptr && FocusedNavigator()->CanEditRecord(); }
bool TlxCustomGrid::CanInsertRecord() { return FocusedNavigator() != nullptr && FocusedNavigator()->CanInsertRecord(); }
bool TlxCustomGrid::IsDataActive() { return FocusedNavigator() != nullptr && FocusedNavigator()->IsDataActive(); }
bool TlxCustomGrid::IsAtBeginning() { return FocusedNavigator() != nullptr && FocusedNavigator()->IsAtBeginning(); }
bool TlxCustomGrid::HasBookmark() { return FocusedNavigator() != nullptr && FocusedNavigator()->HasBookmark(); }
bool TlxCustomGrid::IsEditingRecord() { return FocusedNavigator() != nullptr && FocusedNavigator()->IsEditingRecord(); }
bool TlxCustomGrid::IsAtEnd() { return FocusedNavigator() != nullptr && FocusedNavigator()->IsAtEnd(); }

void TlxCustomGrid::ForgetBookmark() {
  if (IlxNavigator* navigator = FocusedNavigator())
    navigator->ForgetBookmark();
}

void TlxCustomGrid::PerformButtonAction(int32_t button_index) {
  if (IlxNavigator* navigator = FocusedNavigator())
    navigator->PerformButtonAction(button_index);
}

TlxNavigatorControlNotifier* TlxCustomGrid::GetButtonsNotifier() { return navigator_notifier_.get(); }

bool TlxCustomGrid::SupportsButtonAction(int32_t button_index) {
  return FocusedNavigator() != nullptr && FocusedNavigator()->SupportsButtonAction(button_index);
}

bool TlxCustomGrid::IsFocusedControl() {
  if (Focused())
    return true;
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr)
    return false;
  TWinControl* active = form->ActiveControl();
  if (active == nullptr || active == this || !ContainsControl(active) || !active->Focused())
    return false;
  auto* control = dynamic_cast<TlxControl*>(active);
  return control == nullptr || control->IsFocusedControl();
}

void TlxCustomGrid::AddChildComponent(TlxControlChildComponent* child) {
  TlxControl::AddChildComponent(child);
  auto* view = dynamic_cast<TlxCustomGridView*>(child);
  if (view == nullptr)
    return;
  view->AssignControl(this);
  AddView(view);
  if (view->DataController() != nullptr)
    view->DataController()->AttachToMasterRelation(nullptr, true);
}

void TlxCustomGrid::RemoveChildComponent(TlxControlChildComponent* child) {
  if (auto* view = dynamic_cast<TlxCustomGridView*>(child))
    RemoveView(view);
  TlxControl::RemoveChildComponent(child);
}

void TlxCustomGrid::Loaded() {
  TlxControl::Loaded();
  BeginUpdate();
  TScopeExit unlock([this] { EndUpdate(); });
  LayoutChanged();
}

void TlxCustomGrid::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TlxCustomGridView* view : views_)
    if (view->Owner() == root)
      proc(view);
  for (int32_t i = 0; i < root_level_->Count(); ++i)
    if (root_level_->Items(i)->Owner() == root)
      proc(root_level_->Items(i));
}

void TlxCustomGrid::SetChildOrder(TComponent* child, int32_t order) {
  if (auto* level = dynamic_cast<TlxGridLevel*>(child))
    root_level_->SetChildIndex(level, order - ViewCount());
}

namespace {

void CollectNamedLevels(TlxGridLevel* level, std::vector<TComponent*>& list) {
  for (int32_t i = 0; i < level->Count(); ++i) {
    TlxGridLevel* child = level->Items(i);
    if (!child->Name().empty())
      list.push_back(child);
    CollectNamedLevels(child, list);
  }
}

}  // namespace

void TlxCustomGrid::SetName(const std::string& new_name) {
  const std::string old_name = Name();
  TlxControl::SetName(new_name);
  if (old_name.empty() || old_name == new_name)
    return;
  // Views and levels named after the grid follow its new name.
  std::vector<TComponent*> sub_components(views_.begin(), views_.end());
  CollectNamedLevels(root_level_.get(), sub_components);
  lxRenameSubComponents(this, Owner(), new_name, old_name, static_cast<int32_t>(sub_components.size()),
                        [&sub_components](TComponent*, int32_t index) {
                          return sub_components[static_cast<size_t>(index)];
                        });
}

void TlxCustomGrid::Notification(TComponent* component, TOperation operation) {
  TlxControl::Notification(component, operation);
  if (operation == opRemove && level_tabs_ != nullptr && component == level_tabs_->Images())
    level_tabs_->ImagesRemoved();
}

void TlxCustomGrid::Paint() {
  TlxControl::Paint();
  if (painter_ != nullptr)
    painter_->Paint();
}

void TlxCustomGrid::BoundsChanged() {
  TlxControl::BoundsChanged();
  SizeChanged();
}

void TlxCustomGrid::LookAndFeelChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) {
  TlxControl::LookAndFeelChanged(sender, changed_values);
  for (TlxCustomGridView* view : views_)
    view->LookAndFeelChanged();
  SizeChanged();
}

TCursor TlxCustomGrid::GetCursorAt(int32_t x, int32_t y) {
  const TCursor cursor = controller_ != nullptr ? controller_->GetCursor(x, y) : crDefault;
  return cursor != crDefault ? cursor : TlxControl::GetCursorAt(x, y);
}

void TlxCustomGrid::MouseOperationCanceled() {
  TlxControl::MouseOperationCanceled();
  TlxCustomGridView* active = ActiveView();
  if (active != nullptr && active->Controller() != nullptr)
    active->Controller()->MouseOperationCanceled();
}

void TlxCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseDown(button, shift, x, y);
  controller_->MouseDown(button, shift, x, y);
}

void TlxCustomGrid::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  controller_->MouseMove(shift, x, y);
}

void TlxCustomGrid::DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) {
  TlxControl::DragOver(source, x, y, state, accept);
  controller_->DragOver(source, x, y, state, accept);
}

void TlxCustomGrid::DoEndDrag(TObject* target, int32_t x, int32_t y) {
  TlxControl::DoEndDrag(target, x, y);
  controller_->EndDrag(target, x, y);
}

void TlxCustomGrid::Dispatch(TMessage& message) { TlxControl::Dispatch(message); }

void TlxGrid::Publish(TPropertyListBuilder& /*properties*/) {}
