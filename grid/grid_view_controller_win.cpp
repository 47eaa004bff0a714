#include "grid/grid_view_controller_win.h"

#include <algorithm>

#include "grid/grid_cells_win.h"
#include "grid/grid_customization_form_win.h"
#include "grid/grid_hint_window_win.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/system/lx_timer_win.h"

void TlxCustomGridController::UpdateScrollBars(bool forced) {
  TlxGridSite* site = Site();
  if (site == nullptr)
    return;
  const bool was_forced = site->ForcedScrollBarUpdate();
  site->SetForcedScrollBarUpdate(forced);
  TScopeExit restore([site, was_forced] { site->SetForcedScrollBarUpdate(was_forced); });
  static_cast<TlxControl&>(*site).UpdateScrollBars();
}

void TlxCustomGridController::ControlFocusChanged() {
  if (TlxCustomGridViewInfo* view_info = ViewInfo())
    view_info->ControlFocusChanged();
}

void TlxCustomGridController::PostControlFocusChange() {
  GridView()->AddChange(std::make_unique<TlxGridControlFocusChange>(GridView()));
}

TlxCustomGridHitTest* TlxCustomGridController::HitTestAt(int32_t x, int32_t y) const {
  TlxCustomGridViewInfo* view_info = ViewInfo();
  return view_info != nullptr ? view_info->GetHitTestAtXY(x, y) : nullptr;
}

bool TlxCustomGridController::IsHitTestOfView(TlxCustomGridHitTest* hit_test) {
  auto* view_hit_test = dynamic_cast<TlxCustomGridViewHitTest*>(hit_test);
  return view_hit_test == nullptr || view_hit_test->GridView == GridView();
}

void TlxCustomGridController::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  CancelHint();
  is_dbl_click_ = shift.Contains(ssDouble);
  TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
  if (hit_test == nullptr || hit_test->ViewInfo() == nullptr)
    return;
  hit_test->ViewInfo()->MouseDown(hit_test, button, shift);
}

// The cell holding the capture keeps the mouse until it lets go, so that a
// pressed button follows the mouse outside its bounds.
void TlxCustomGridController::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  UpdateHintAt(TPoint(x, y));
  TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
  if (hit_test == nullptr)
    return;
  TlxGridSite* site = Site();
  auto* capture = site != nullptr ? dynamic_cast<TlxCustomGridCellViewInfo*>(site->CaptureObject()) : nullptr;
  TlxCustomGridCellViewInfo* target = capture != nullptr ? capture : hit_test->ViewInfo();
  if (target != nullptr)
    target->MouseMove(hit_test, shift);
}

void TlxCustomGridController::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
  if (hit_test == nullptr)
    return;
  TlxGridSite* site = Site();
  auto* capture = site != nullptr ? dynamic_cast<TlxCustomGridCellViewInfo*>(site->CaptureObject()) : nullptr;
  TlxCustomGridCellViewInfo* target = capture != nullptr ? capture : hit_test->ViewInfo();
  if (target != nullptr)
    target->MouseUp(hit_test, button, shift);
}

TCursor TlxCustomGridController::GetCursor(int32_t x, int32_t y) {
  TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
  if (hit_test == nullptr || !IsHitTestOfView(hit_test))
    return crDefault;
  return hit_test->Cursor();
}

bool TlxCustomGridController::StartDragAndDropAt(const TPoint& point) {
  TlxCustomGridHitTest* hit_test = HitTestAt(point.X, point.Y);
  if (hit_test == nullptr || !IsHitTestOfView(hit_test))
    return false;
  const TClass* drag_class = hit_test->DragAndDropObjectClass();
  if (drag_class == nullptr)
    return false;
  SetDragAndDropObjectClass(drag_class);
  TlxGridSite* site = Site();
  auto* object = dynamic_cast<TlxCustomGridDragAndDropObject*>(&site->EnsureDragAndDropObject());
  if (object == nullptr)
    return false;
  object->Init(point, hit_test);
  return true;
}

TlxCustomGridDragAndDropObject* TlxCustomGridController::DragAndDropObject() const {
  TlxGridSite* site = Site();
  return site != nullptr ? dynamic_cast<TlxCustomGridDragAndDropObject*>(site->DragDropObject()) : nullptr;
}

bool TlxCustomGridController::IsDragging() const {
  TlxGridSite* site = Site();
  return site != nullptr && site->DragDropPhase() == dpDragging;
}

void TlxCustomGridController::SetDragAndDropObjectClass(const TClass* cls) {
  if (TlxGridSite* site = Site())
    site->SetDragDropObjectClass(cls);
}

void TlxCustomGridController::BeforeScrolling() {
  TlxCustomGridDragAndDropObject* object = DragAndDropObject();
  if (IsDragging() && object != nullptr)
    object->BeforeScrolling();
}

void TlxCustomGridController::AfterScrolling() {
  TlxCustomGridDragAndDropObject* object = DragAndDropObject();
  if (IsDragging() && object != nullptr)
    object->AfterScrolling();
}

// --- TlxCustomGridDragAndDropObject -------------------------------------------

TlxGridSite* TlxCustomGridDragAndDropObject::Site() const { return static_cast<TlxGridSite*>(Control()); }

TlxCustomGridView* TlxCustomGridDragAndDropObject::GridView() const { return Site()->GridView(); }

TlxCustomGridController* TlxCustomGridDragAndDropObject::Controller() const { return GridView()->Controller(); }

TlxCustomGridViewInfo* TlxCustomGridDragAndDropObject::ViewInfo() const { return Site()->ViewInfo(); }

void TlxCustomGridDragAndDropObject::Init(const TPoint& point, TlxCustomGridHitTest* /*hit_test*/) {
  source_point_ = point;
}

void TlxCustomGridDragAndDropObject::AfterDragAndDrop(bool accepted) {
  if (accepted)
    Site()->NotifyDesigner();
}

// --- TlxGridDragOpenInfoExpand -----------------------------------------------------

bool TlxGridDragOpenInfoExpand::Equals(const TlxCustomGridDragOpenInfo& other) const {
  return TlxCustomGridDragOpenInfo::Equals(other) &&
         static_cast<const TlxGridDragOpenInfoExpand&>(other).grid_record_ == grid_record_;
}

void TlxGridDragOpenInfoExpand::Run() {
  if (grid_record_ != nullptr)
    grid_record_->Expand(false);
}

// The site's drag objects draw on the screen while they run; another window
// taking the capture would otherwise leave a drag line or a pressed header
// behind until the next click.
void TlxCustomGridController::HandleSiteMessage(TMessage& message) {
  if (message.Msg != WM_CAPTURECHANGED) {
    releasing_capture_on_button_up_ =
        message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP;
    return;
  }
  if (releasing_capture_on_button_up_) {
    releasing_capture_on_button_up_ = false;
    return;
  }
  TlxGridSite* site = Site();
  if (site == nullptr || !site->HandleAllocated() || reinterpret_cast<HWND>(message.LParam) == site->Handle())
    return;
  if (site->DragDropPhase() == dpIdle && !site->ButtonPressed())
    return;
  TAliveToken alive = site->AliveToken();
  site->FinishDragAndDrop(false);
  if (alive.Alive())
    MouseOperationCanceled();
}

// --- TlxCustomGridMovingObject ------------------------------------------------

TlxCustomGridMovingObject::TlxCustomGridMovingObject(TlxControl* control)
    : TlxCustomGridDragAndDropObject(control) {}

TlxCustomGridMovingObject::~TlxCustomGridMovingObject() = default;

TRect TlxCustomGridMovingObject::GetArrowsClientRect() {
  return ViewInfo() != nullptr ? ViewInfo()->ClientBounds() : Site()->ClientRect();
}

// The image shows the item as the site drew it: its pixels are copied from
// the site's window before the drag draws anything over them.
void TlxCustomGridMovingObject::InitDragImage() {
  const TRect bounds = GetSourceItemBounds();
  TlxGridSite* site = Site();
  if (bounds.IsEmpty() || !site->HandleAllocated())
    return;
  HDC source = GetDC(site->Handle());
  BitBlt(drag_image_->BitmapCanvas().Handle(), 0, 0, bounds.Width(), bounds.Height(), source, bounds.Left,
         bounds.Top, SRCCOPY);
  ReleaseDC(site->Handle(), source);
}

void TlxCustomGridMovingObject::PlaceArrows() {
  if (arrows_[0] == nullptr)
    return;
  if (!CanShowArrows()) {
    arrows_[0]->Hide();
    arrows_[1]->Hide();
    return;
  }
  const TRect area = GetArrowAreaBounds();
  const TRect clip = GetArrowsClientRect();
  const bool vertical = AreArrowsVertical();
  arrows_[0]->Place(Site(), area, clip, vertical ? iasTop : iasLeft);
  arrows_[1]->Place(Site(), area, clip, vertical ? iasBottom : iasRight);
  arrows_[0]->Show();
  arrows_[1]->Show();
}

void TlxCustomGridMovingObject::DirtyChanged() {
  if (drag_image_ == nullptr)
    return;
  if (Dirty()) {
    for (auto& arrow : arrows_)
      arrow->Hide();
    drag_image_->Hide();
    return;
  }
  PlaceArrows();
  drag_image_->Show();
}

void TlxCustomGridMovingObject::BeginDragAndDrop() {
  const TRect bounds = GetSourceItemBounds();
  drag_image_ = std::make_unique<TlxDragImage>();
  drag_image_->Prepare(bounds, SourcePoint());
  InitDragImage();
  const bool transparent = drag_image_->UsesAlphaBlend();
  arrows_[0] = std::make_unique<TlxDragAndDropArrow>(transparent);
  arrows_[1] = std::make_unique<TlxDragAndDropArrow>(transparent);
  if (TlxCustomGrid* grid = Control() != nullptr ? Site()->Container() : nullptr)
    RedrawWindow(grid->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  TlxCustomGridDragAndDropObject::BeginDragAndDrop();
}

void TlxCustomGridMovingObject::DragAndDrop(const TPoint& point, bool& accepted) {
  TlxCustomGridDragAndDropObject::DragAndDrop(point, accepted);
  if (drag_image_ != nullptr && Site()->HandleAllocated())
    drag_image_->MoveTo(Site()->ClientToScreen(point));
}

void TlxCustomGridMovingObject::EndDragAndDrop(bool accepted) {
  TlxCustomGridDragAndDropObject::EndDragAndDrop(accepted);
  arrows_[0].reset();
  arrows_[1].reset();
  drag_image_.reset();
}

// --- controller life -------------------------------------------------------------

TlxCustomGridController::~TlxCustomGridController() {
  CancelHint();
  hint_window_.reset();
  // The view goes: the form goes with it, without telling anyone.
  if (TlxCustomGridCustomizationForm* form = customization_form_) {
    customization_form_ = nullptr;
    customization_ = false;
    form->Free();
  }
}

void TlxCustomGridController::LevelAssigned(bool assigned) {
  if (!assigned)
    SetCustomization(false);
}

// --- customization form ------------------------------------------------------------

void TlxCustomGridController::SetCustomization(bool value) {
  if (value == customization_)
    return;
  if (value) {
    TlxGridSite* site = Site();
    if (GridView()->IsPattern() || site == nullptr || !site->HandleAllocated())
      return;
  }
  customization_ = value;
  CustomizationChanged();
}

void TlxCustomGridController::CustomizationChanged() {
  TAliveToken alive = AliveToken();
  if (customization_)
    ShowCustomizationForm();
  else
    HideCustomizationForm();
  if (!alive.Alive())
    return;
  if (TlxCustomGrid* grid = GridView()->Grid())
    grid->DispatchNotification(gnkCustomization, nullptr);
  if (alive.Alive())
    GridView()->DoCustomization();
}

const TClass* TlxCustomGridController::GetCustomizationFormClass() const { return nullptr; }

void TlxCustomGridController::ShowCustomizationForm() {
  const TClass* form_class = GetCustomizationFormClass();
  if (form_class == nullptr)
    return;
  TObject* made = form_class->CreateInstance(this);
  auto* form = dynamic_cast<TlxCustomGridCustomizationForm*>(made);
  if (form == nullptr) {
    delete made;
    return;
  }
  customization_form_ = form;
  form->Initialize();
  form->SetBoundsRect(GetCustomizationFormBounds());
  form->Show();
}

void TlxCustomGridController::HideCustomizationForm() {
  TlxCustomGridCustomizationForm* form = customization_form_;
  if (form == nullptr)
    return;
  customization_form_ = nullptr;
  if (form->HandleAllocated())
    customization_form_bounds_ = form->BoundsRect();
  if (form->ComponentState().Contains(csDestroying))
    return;
  // Inside the form's own timer the form cannot go at once: it hides now and
  // goes once the queued messages are handled.
  if (form->CheckingVisibility()) {
    form->Hide();
    form->Release();
    return;
  }
  form->Free();
}

void TlxCustomGridController::CustomizationFormDestroyed(TlxCustomGridCustomizationForm* form) {
  if (form != customization_form_)
    return;
  if (form->HandleAllocated())
    customization_form_bounds_ = form->BoundsRect();
  customization_form_ = nullptr;
  if (!customization_)
    return;
  customization_ = false;
  CustomizationChanged();
}

void TlxCustomGridController::RefreshCustomizationForm() {
  if (customization_form_ != nullptr)
    customization_form_->RefreshData();
}

void TlxCustomGridController::RefreshCustomizationFormItems() {
  if (customization_form_ != nullptr)
    customization_form_->RefreshItems();
}

TRect TlxCustomGridController::CustomizationFormBounds() const {
  if (customization_form_ != nullptr && customization_form_->HandleAllocated()) {
    RECT rect;
    GetWindowRect(customization_form_->Handle(), &rect);
    return TRect(rect.left, rect.top, rect.right, rect.bottom);
  }
  return customization_form_bounds_;
}

TRect TlxCustomGridController::GetCustomizationFormBounds() {
  if (!customization_form_bounds_.IsEmpty())
    return customization_form_bounds_;
  TRect bounds;
  if (TlxGridSite* site = Site()) {
    const TPoint corner = site->ClientToScreen(TPoint(site->ClientWidth(), site->ClientHeight()));
    bounds = TRect(corner.X - kCustomizationFormDefaultWidth, corner.Y - kCustomizationFormDefaultHeight, corner.X,
                   corner.Y);
  }
  AdjustCustomizationFormBounds(bounds);
  return bounds;
}

// --- cell hints --------------------------------------------------------------------

bool TlxCustomGridController::CanShowHint() {
  TlxGridSite* site = Site();
  if (site == nullptr || !site->HandleAllocated() || !IsWindowVisible(site->Handle()))
    return false;
  HWND form = GetAncestor(site->Handle(), GA_ROOT);
  if (form != nullptr && form != site->Handle() && GetForegroundWindow() != form)
    return false;
  POINT cursor;
  if (!GetCursorPos(&cursor))
    return false;
  HWND under = WindowFromPoint(cursor);
  return under == site->Handle() || (hint_window_ != nullptr && under == hint_window_->Handle());
}

void TlxCustomGridController::UpdateHintAt(const TPoint& point) {
  if (IsDragging()) {
    CancelHint();
    return;
  }
  TlxCustomGridHitTest* hit_test = HitTestAt(point.X, point.Y);
  auto* cell = dynamic_cast<TlxCustomGridViewCellViewInfo*>(hit_test != nullptr ? hit_test->ViewInfo() : nullptr);
  std::string text;
  TRect text_rect;
  bool multi_line = false;
  if (cell != nullptr && cell->HasHint() && cell->NeedsHint(point, text, text_rect, multi_line)) {
    ShowHint(cell->HintBounds(), text_rect, cell, *cell->PaintParams().Font, multi_line, text);
    return;
  }
  if (hint_cell_view_info_ != nullptr && (cell != hint_cell_view_info_ || !hint_area_bounds_.Contains(point)))
    CancelHint();
}

void TlxCustomGridController::ShowHint(const TRect& hint_area, const TRect& text_bounds,
                                       TlxCustomGridCellViewInfo* cell, const TFont& font, bool multi_line,
                                       const std::string& text) {
  if (!CanShowHint())
    return;
  if (hint_window_ != nullptr && hint_window_->Visible()) {
    if (hint_window_->Text() == text && hint_text_bounds_ == text_bounds)
      return;
  }
  if (hint_window_ == nullptr)
    hint_window_ = std::make_unique<TlxGridHintWindow>();
  hint_text_bounds_ = text_bounds;
  hint_window_->SetFont(const_cast<TFont&>(font));
  // A text that may wrap keeps the cell's width; one line may be as long
  // as it needs.
  constexpr int32_t kUnboundedWidth = 107374182;
  const int32_t max_width = multi_line ? std::max(1, text_bounds.Width()) : kUnboundedWidth;
  TRect rect = hint_window_->CalcHintRect(max_width, text, multi_line);
  const int32_t margin = TlxGridHintWindow::kBorderWidth + 2;
  const TPoint origin = Site()->ClientToScreen(text_bounds.TopLeft());
  rect = rect.Offset(origin.X - margin, origin.Y - margin);
  // Kept on the monitor's work area, the left and top edges winning.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  const RECT probe{rect.Left, rect.Top, rect.Right, rect.Bottom};
  if (GetMonitorInfoW(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& area = monitor.rcWork;
    rect = rect.Offset(std::min<int32_t>(0, area.right - rect.Right), std::min<int32_t>(0, area.bottom - rect.Bottom));
    rect = rect.Offset(std::max<int32_t>(0, area.left - rect.Left), std::max<int32_t>(0, area.top - rect.Top));
  }
  hint_window_->ActivateHint(rect, text, multi_line);
  hint_area_bounds_ = hint_area;
  hint_cell_view_info_ = cell;
  if (hint_check_timer_ == nullptr) {
    hint_check_timer_ = std::make_unique<TlxTimer>(nullptr);
    hint_check_timer_->SetInterval(kHintCheckInterval);
    hint_check_timer_->SetOnTimer([this](TObject* /*sender*/) { CheckHint(); });
  }
}

void TlxCustomGridController::CheckHint() {
  if (!CanShowHint())
    CancelHint();
}

void TlxCustomGridController::CancelHint() {
  hint_check_timer_.reset();
  hint_cell_view_info_ = nullptr;
  hint_area_bounds_ = TRect();
  hint_text_bounds_ = TRect();
  if (hint_window_ != nullptr)
    hint_window_->Hide();
}
