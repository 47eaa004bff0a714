#include "grid/grid_site_win.h"

#include "data/data_controller.h"
#include "grid/grid_control_win.h"
#include "grid/grid_deferred_errors.h"
#include "grid/grid_level_win.h"
#include "grid/grid_summary_sorting.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_win.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "ui/foundation/system/lx_timer_win.h"

// --- TlxGridSite -------------------------------------------------------------

TlxGridSite::TlxGridSite(TlxCustomGridViewInfo* view_info) : TlxControl(nullptr), view_info_(view_info) {
  // A sub-part of the grid: a designer never shows it as a control.
  ControlStyle().Include(csNoDesignVisible);
  SetWantedKeys({wkArrows, wkChars});
  SetParentColor(false);
}

TlxGridSite::~TlxGridSite() {
  deferred_size_timer_.reset();
  lxGridDeferredErrors().Forget(view_info_);
}

TlxCustomGridView* TlxGridSite::GridView() const { return view_info_->GridView(); }

TlxCustomGrid* TlxGridSite::Container() const { return GridView()->Grid(); }

namespace {

// The view's controller, or null while the view builds or frees its parts.
TlxCustomGridController* ControllerOf(const TlxGridSite& site) { return site.GridView()->Controller(); }

}  // namespace

bool TlxGridSite::ViewAndMastersIdle() const {
  for (TlxCustomGridView* view = GridView(); view != nullptr; view = view->MasterGridView()) {
    if (view->ViewInfo() != nullptr && !view->ViewInfo()->IsIdle())
      return false;
  }
  return true;
}

TRect TlxGridSite::GetClientBounds() {
  TRect bounds = TlxControl::GetClientBounds();
  view_info_->AdjustClientBounds(bounds);
  return bounds;
}

TRect TlxGridSite::GetHScrollBarBounds() {
  TRect bounds = TlxControl::GetHScrollBarBounds();
  view_info_->AdjustHScrollBarBounds(bounds);
  return bounds;
}

void TlxGridSite::BoundsChanged() {
  if (CreatingWindow())
    return;
  const int32_t previous_right = last_client_right_;
  const int32_t previous_bottom = last_client_bottom_;
  const TRect client = GetClientBounds();
  last_client_right_ = client.Right;
  last_client_bottom_ = client.Bottom;
  // The view info places and hides the site itself; what it does there is
  // no size change of the view.
  if (view_info_->IsVisibilityChanging())
    return;
  const bool size_was_known = previous_right != 0 || previous_bottom != 0;
  const bool size_changed = previous_right != client.Right || previous_bottom != client.Bottom;
  if (size_was_known && size_changed) {
    if (ViewAndMastersIdle()) {
      GridView()->BoundsChanged(true, false);
    } else if (ScrollBarsUpdater().Updating() && deferred_size_timer_ == nullptr) {
      // Showing or hiding a scroll bar resizes the client area in the
      // middle of a calculation: act once, after it.
      deferred_size_timer_ = std::make_unique<TlxTimer>(nullptr);
      deferred_size_timer_->SetInterval(1);
      deferred_size_timer_->SetOnTimer([this](TObject* sender) { DeferredSizeTimerFired(sender); });
    }
  }
  TlxControl::BoundsChanged();
}

void TlxGridSite::DeferredSizeTimerFired(TObject* /*sender*/) {
  // The timer is freed when this handler returns, not while it runs.
  std::unique_ptr<TlxTimer> timer = std::move(deferred_size_timer_);
  if (timer != nullptr)
    timer->SetEnabled(false);
  GridView()->BoundsChanged(false, false);
}

void TlxGridSite::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool resized = width != Width() || height != Height();
  TlxControl::SetBounds(left, top, width, height);
  if (!resized)
    return;
  const TRect client = GetClientBounds();
  last_client_right_ = client.Right;
  last_client_bottom_ = client.Bottom;
}

void TlxGridSite::Paint() {
  if (view_info_->IsCalculating() || IsParked())
    return;
  TlxControl::Paint();
  if (TlxCustomGridPainter* painter = GridView()->Painter())
    painter->Paint(nullptr, nullptr);
}

void TlxGridSite::UpdateScrollBars() {
  if (view_info_->IsCalculating())
    return;
  TlxCustomGrid* grid = Container();
  const bool may_update = forced_scroll_bar_update_ || grid == nullptr || !grid->IsUpdateLocked();
  if (GridView()->IsVisible() && may_update)
    TlxControl::UpdateScrollBars();
}

void TlxGridSite::InitScrollBarsParams() {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->InitScrollBarsParameters();
}

void TlxGridSite::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->ScrollContent(kind, code, position);
}

bool TlxGridSite::ChecksScrollBarFit(TlxScrollBarAxis axis) {
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr && controller->ChecksScrollBarFit(axis);
}

TlxWheelScrollKind TlxGridSite::GetMouseWheelScrollKind() {
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr ? controller->GetMouseWheelScrollKind() : TlxControl::GetMouseWheelScrollKind();
}

TCursor TlxGridSite::GetCursorAt(int32_t x, int32_t y) {
  TlxCustomGridController* controller = ControllerOf(*this);
  const TCursor cursor = controller != nullptr ? controller->GetCursor(x, y) : crDefault;
  return cursor != crDefault ? cursor : TlxControl::GetCursorAt(x, y);
}

bool TlxGridSite::MayFocusOnClickAt(int32_t x, int32_t y) {
  TlxCustomGridController* controller = ControllerOf(*this);
  return TlxControl::MayFocusOnClickAt(x, y) && (controller == nullptr || controller->MayFocusOnClickAt(x, y));
}

bool TlxGridSite::FocusesOnScrollBarClick() {
  TlxCustomGrid* grid = Container();
  return TlxControl::FocusesOnScrollBarClick() && (grid == nullptr || !grid->IsFocusedControl());
}

bool TlxGridSite::WantsFocus() {
  if (!TlxControl::WantsFocus())
    return false;
  TlxCustomGridController* controller = ControllerOf(*this);
  return Parent() == nullptr || controller == nullptr || controller->WantsFocus();
}

bool TlxGridSite::IsFocusedControl() {
  if (Focused())
    return true;
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr && controller->HasFocusedControls();
}

bool TlxGridSite::IsDesigning() const {
  if (const TlxCustomGrid* grid = Container())
    return grid->ComponentState().Contains(csDesigning);
  return GridView()->ComponentState().Contains(csDesigning);
}

bool TlxGridSite::IsDesignHitTestPoint(int32_t x, int32_t y, TShiftState shift) {
  if (TlxControl::IsDesignHitTestPoint(x, y, shift))
    return true;
  // A plain right click opens the designer's menu, never a design action.
  if (RightButtonReleased() && shift == TShiftState())
    return false;
  TlxCustomGrid* grid = Container();
  if (grid != nullptr && grid->IsUpdateLocked())
    return false;
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr && controller->IsDesignHitTest(view_info_->GetHitTestAtXY(x, y), shift);
}

void TlxGridSite::KeyDown(uint16_t& key, TShiftState shift) {
  TlxControl::KeyDown(key, shift);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->KeyDown(key, shift);
}

void TlxGridSite::KeyPress(char16_t& key) {
  TlxControl::KeyPress(key);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->KeyPress(key);
}

void TlxGridSite::KeyUp(uint16_t& key, TShiftState shift) {
  TlxControl::KeyUp(key, shift);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->KeyUp(key, shift);
}

void TlxGridSite::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  // A press takes the focus before the view sees it: the view settles its
  // focused record when it gains the focus, which must not undo the record
  // the press then focuses.
  if (HandleAllocated() && !Focused() && !shift.Contains(ssDouble) && MayFocusOnClickAt(x, y)) {
    const TAliveToken alive = AliveToken();
    SetFocus();
    if (!alive.Alive())
      return;
  }
  if (HandleAllocated()) {
    if (TlxCustomGridController* controller = ControllerOf(*this))
      controller->MouseDown(button, shift, x, y);
  }
  TlxControl::MouseDown(button, shift, x, y);
}

void TlxGridSite::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  if (DragDropPhase() != dpIdle)
    return;
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->MouseMove(shift, x, y);
}

void TlxGridSite::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxCustomGridController* controller = ControllerOf(*this);
  if (DragDropPhase() != dpIdle) {
    TlxControl::MouseUp(button, shift, x, y);
    if ((controller = ControllerOf(*this)) != nullptr)
      controller->MouseUp(button, shift, x, y);
    return;
  }
  if (controller != nullptr)
    controller->MouseUp(button, shift, x, y);
  TlxControl::MouseUp(button, shift, x, y);
}

void TlxGridSite::DoMouseLeave(TControl* control) {
  TlxControl::DoMouseLeave(control);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->MouseLeave();
}

void TlxGridSite::DoEnter() {
  TlxControl::DoEnter();
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->DoEnter();
}

void TlxGridSite::DoExit() {
  if (!GridView()->GetIsDestroying()) {
    if (TlxCustomGridController* controller = ControllerOf(*this))
      controller->DoExit();
  }
  TlxControl::DoExit();
}

void TlxGridSite::FocusChanged() {
  TlxControl::FocusChanged();
  const TAliveToken alive = AliveToken();
  if (Focused())
    GridView()->SetFocused(true);
  if (!alive.Alive())
    return;
  if (TlxCustomGrid* grid = Container())
    grid->FocusStateChanged(Focused());
}

void TlxGridSite::DoContextPopup(TPoint mouse_pos, bool& handled) {
  TlxControl::DoContextPopup(mouse_pos, handled);
  if (handled)
    return;
  TlxCustomGrid* grid = Container();
  if (grid == nullptr)
    return;
  TlxGridContextPopupNotification notification(mouse_pos.X == -1 && mouse_pos.Y == -1);
  handled = grid->DispatchNotification(gnkContextMenu, &notification);
}

void TlxGridSite::MouseOperationCanceled() {
  TlxControl::MouseOperationCanceled();
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->MouseOperationCanceled();
}

void TlxGridSite::DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) {
  TlxControl::DragOver(source, x, y, state, accept);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->DragOver(source, x, y, state, accept);
}

void TlxGridSite::DragDrop(TObject* source, int32_t x, int32_t y) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->DragDrop(source, x, y);
  TlxControl::DragDrop(source, x, y);
}

void TlxGridSite::DoStartDrag(TDragObject*& drag_object) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->BeforeStartDrag();
  TlxControl::DoStartDrag(drag_object);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->StartDrag(drag_object);
}

void TlxGridSite::DoEndDrag(TObject* target, int32_t x, int32_t y) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->EndDrag(target, x, y);
  TlxControl::DoEndDrag(target, x, y);
}

void TlxGridSite::BeginDragAndDrop() {
  TlxControl::BeginDragAndDrop();
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->BeginDragAndDrop();
}

void TlxGridSite::DragAndDropMove(const TPoint& point, bool& accepted) {
  TlxControl::DragAndDropMove(point, accepted);
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->DragAndDropMove(point, accepted);
}

void TlxGridSite::EndDragAndDrop(bool accepted) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->EndDragAndDrop(accepted);
  TlxControl::EndDragAndDrop(accepted);
}

bool TlxGridSite::CanStartDragAndDropAt(const TPoint& point) {
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr && controller->StartDragAndDropAt(point);
}

bool TlxGridSite::CanStartDragAt(int32_t x, int32_t y) {
  TlxCustomGridController* controller = ControllerOf(*this);
  return TlxControl::CanStartDragAt(x, y) && (controller == nullptr || controller->CanStartDragAt(x, y));
}

void TlxGridSite::DrawDragImage(TlxCanvas& canvas, const TRect& rect) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->DrawDragImage(canvas, rect);
}

TPoint TlxGridSite::GetDragImagesSize() {
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr ? controller->GetDragImagesSize() : TPoint(0, 0);
}

bool TlxGridSite::HasDragImages() {
  TlxCustomGridController* controller = ControllerOf(*this);
  return controller != nullptr && controller->HasDragImages();
}

bool TlxGridSite::HandleKeyNotification(TMessage& message) {
  TlxCustomGrid* grid = Container();
  if (grid == nullptr)
    return false;
  TlxGridKeyNotification notification(message);
  if (!grid->DispatchNotification(gnkKeyDown, &notification))
    return false;
  // A taken key is not dispatched as WM_KEYDOWN any more.
  message.Result = 1;
  return true;
}

void TlxGridSite::CNKeyDown(TMessage& message) {
  if (HandleKeyNotification(message))
    return;
  TlxControl::CNKeyDown(message);
}

void TlxGridSite::CNSysKeyDown(TMessage& message) {
  if (HandleKeyNotification(message))
    return;
  TlxControl::CNSysKeyDown(message);
}

void TlxGridSite::WndProc(TMessage& message) {
  if (TlxCustomGridController* controller = ControllerOf(*this))
    controller->HandleSiteMessage(message);
  TlxControl::WndProc(message);
  // Errors of the layout or paint reach the handler only now: a box shown
  // inside the paint would ask for the same paint again and again.
  if (message.Msg == WM_PAINT)
    lxGridDeferredErrors().Flush(view_info_, [this](const std::exception_ptr& error) {
      try {
        std::rethrow_exception(error);
      } catch (const std::exception&) {
        Application->HandleException(this);
      }
    });
}

void TlxGridSite::SetParent(TWinControl* parent) {
  TWinControl* old_parent = Parent();
  if (parent != old_parent) {
    if (parent != nullptr) {
      if (TlxCustomGrid* grid = Container())
        LookAndFeel().SetMaster(&grid->LookAndFeel());
      TlxGridLevel* level = GridView()->Level();
      GridView()->UpdateSiteTabStop(level != nullptr && level->IsTopLevel());
    } else if (GridView()->IsFocused() && old_parent != nullptr && Focused() &&
               !old_parent->ComponentState().Contains(csDestroying) && old_parent->CanFocus()) {
      // Without a parent the site would take the keyboard focus with it.
      old_parent->SetFocus();
    }
  }
  TlxControl::SetParent(parent);
}

void TlxGridSite::SetFocus() {
  TlxCustomGridView* view = GridView();
  const TAliveToken alive = AliveToken();
  if (!view->IsFocused()) {
    TlxCustomGrid* grid = Container();
    TlxCustomGridView* focused = grid != nullptr ? grid->FocusedView() : nullptr;
    if (focused != nullptr && focused->Controller() != nullptr)
      focused->Controller()->EndEditing();
  }
  if (alive.Alive())
    TlxControl::SetFocus();
}

// --- TlxCustomGridViewData ---------------------------------------------------

const TClass* TlxCustomGridViewData::GetSortingBySummaryEngineClass() const {
  return &TlxGridSortingBySummaryEngine::kClass;
}

bool TlxCustomGridViewData::IsEmpty() const {
  TlxCustomDataController* controller = DataController();
  return controller == nullptr || controller->GetRowCount() == 0;
}
