#include "grid/grid_view_controller_win.h"

#include "grid/grid_cells_win.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/rtl/scope.h"

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
  is_dbl_click_ = shift.Contains(ssDouble);
  TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
  if (hit_test == nullptr || hit_test->ViewInfo() == nullptr)
    return;
  hit_test->ViewInfo()->MouseDown(hit_test, button, shift);
}

// The cell holding the capture keeps the mouse until it lets go, so that a
// pressed button follows the mouse outside its bounds.
void TlxCustomGridController::MouseMove(TShiftState shift, int32_t x, int32_t y) {
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
  if (IsDragging() && DragAndDropObject() != nullptr)
    DragAndDropObject()->BeforeScrolling();
}

void TlxCustomGridController::AfterScrolling() {
  if (IsDragging() && DragAndDropObject() != nullptr)
    DragAndDropObject()->AfterScrolling();
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
