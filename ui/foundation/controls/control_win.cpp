#include "ui/foundation/controls/control_win.h"

#include <algorithm>

#include "platform/rtl/scope.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/drag_image_list.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/base/object_links.h"
#include "ui/foundation/canvas/region_win.h"
#include "ui/foundation/controls/control_child_component_win.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "ui/foundation/controls/drag_and_drop_win.h"
#include "ui/foundation/controls/size_grip_win.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

// Holds an object link to a control for the length of a call; a handler
// that frees the control turns Alive false.
class TControlLifeGuard {
 public:
  explicit TControlLifeGuard(TComponent* control) : link_(lxCreateObjectLink(control)) {}
  ~TControlLifeGuard() { lxFreeObjectLink(link_); }
  TControlLifeGuard(const TControlLifeGuard&) = delete;
  TControlLifeGuard& operator=(const TControlLifeGuard&) = delete;
  bool Alive() const { return link_->Target != nullptr; }

 private:
  TlxObjectLink* link_;
};

bool IsPopupComponent(TComponent* component) {
  return dynamic_cast<TPopupMenu*>(component) != nullptr || dynamic_cast<IlxPopupComponent*>(component) != nullptr;
}

}  // namespace

TlxControl::TlxControl(TComponent* owner) : TCustomControl(owner) {
  if (HasDragImages())
    ControlStyle().Include(csDisplayDragImage);
  canvas_ = std::make_unique<TlxCanvas>(TCustomControl::Canvas());
  default_cursor_ = Cursor();
  look_and_feel_ = std::make_unique<TlxLookAndFeel>(this);
  look_and_feel_->OnChanged = [this](TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) {
    if (!ComponentState().Contains(csDestroying))
      LookAndFeelChanged(sender, changed_values);
  };
  if (HasScrollBars())
    CreateScrollBarControls();
  SetTabStop(WantsFocus());
  ControlStyle().Include(csParentBackground);
}

TlxControl::~TlxControl() {
  Destroying();
  if (DragSourceControl() == this)
    ForgetDragSource(this);
  drag_drop_object_.reset();
  drag_images_.reset();
  DestroyScrollBarControls();
  font_listeners_.clear();
  screen_canvas_.reset();
  canvas_.reset();
  look_and_feel_.reset();
  lxResetObjectLinks(this);
}

// --- properties ---------------------------------------------------------------

void TlxControl::SetBorderStyle(TlxControlBorderStyle value) {
  if (border_style_ == value)
    return;
  border_style_ = value;
  BoundsChanged();
}

void TlxControl::SetScrollBars(TScrollStyle value) {
  if (allowed_scroll_bars_ == value)
    return;
  allowed_scroll_bars_ = value;
  BoundsChanged();
}

void TlxControl::SetPopupMenu(TComponent* component) {
  if (!IsPopupComponent(component))
    component = nullptr;
  if (component == popup_menu_)
    return;
  if (popup_menu_ != nullptr)
    popup_menu_->RemoveFreeNotification(this);
  popup_menu_ = component;
  if (popup_menu_ != nullptr)
    popup_menu_->FreeNotification(this);
}

void TlxControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == popup_menu_)
    popup_menu_ = nullptr;
}

TlxCanvas& TlxControl::CurrentCanvas() {
  if (HandleAllocated()) {
    screen_canvas_.reset();
    return *canvas_;
  }
  if (screen_canvas_ == nullptr)
    screen_canvas_ = std::make_unique<TlxScreenCanvas>();
  return *screen_canvas_;
}

void TlxControl::SetMouseCaptureObject(TObject* object) {
  if (object == capture_object_)
    return;
  if (auto* old_object = dynamic_cast<IlxCaptureObject*>(capture_object_))
    old_object->CaptureLost();
  const bool had_capture = MouseCapture();
  capture_object_ = object;
  SetMouseCapture(object != nullptr);
  if (had_capture && !MouseCapture() && drag_drop_phase_ == dpPending)
    Perform(WM_CANCELMODE);
}

void TlxControl::SetDragDropPhase(TlxDragDropPhase phase) {
  if (drag_drop_phase_ == phase)
    return;
  drag_drop_phase_ = phase;
  if (phase == dpIdle && !finishing_drag_and_drop_)
    MouseOperationCanceled();
}

bool TlxControl::IsInsideDragThreshold(int32_t x, int32_t y) const {
  return lxWithinDragThreshold(mouse_down_point_, x, y);
}

// --- invalidation ---------------------------------------------------------

void TlxControl::InvalidateRect(const TRect& rect, bool erase) {
  if (!HandleAllocated())
    return;
  const RECT area = rect;
  ::InvalidateRect(WindowHandle(), &area, erase ? TRUE : FALSE);
}

void TlxControl::InvalidateRegion(const TlxRegion* region, bool erase) {
  if (!HandleAllocated() || region == nullptr || region->IsEmptyRegion())
    return;
  InvalidateRgn(WindowHandle(), region->Handle(), erase ? TRUE : FALSE);
}

void TlxControl::InvalidateWithChildren() {
  if (HandleAllocated())
    RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TlxControl::PostMouseMoveAtCursor() {
  if (!HandleAllocated())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint point = ScreenToClient(TPoint(cursor.x, cursor.y));
  PostMessageW(WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.X, point.Y));
}

void TlxControl::AddFontListener(IlxFontListener* listener) {
  if (listener != nullptr)
    font_listeners_.push_back(listener);
}

void TlxControl::RemoveFontListener(IlxFontListener* listener) {
  const auto found = std::find(font_listeners_.begin(), font_listeners_.end(), listener);
  if (found != font_listeners_.end())
    font_listeners_.erase(found);
}

bool TlxControl::IsPopupMenuShortCut(const TMessage& key_message) {
  if (IsDesigning())
    return false;
  for (TControl* control = this; control != nullptr; control = control->Parent()) {
    auto* lx_control = dynamic_cast<TlxControl*>(control);
    if (lx_control != nullptr && lxPopupMenuHandlesShortCut(lx_control->PopupMenu(), key_message))
      return true;
  }
  return false;
}

// --- overridable operations -------------------------------------------------

bool TlxControl::ShowPopupMenuAt(TComponent* menu, int32_t x, int32_t y) { return lxShowPopupMenu(this, menu, x, y); }

void TlxControl::NotifyDesigner() {
  if (!IsDesigning())
    return;
  for (TControl* control = this; control != nullptr; control = control->Parent()) {
    const TComponentState state = control->ComponentState();
    if (state.Contains(csLoading) || state.Contains(csWriting) || state.Contains(csDestroying))
      return;
  }
  // No form designer exists in this program: nothing is told.
}

void TlxControl::AfterMouseDown(TMouseButton button, int32_t x, int32_t y) {
  if (DragMode() == dmAutomatic && button == mbLeft && MouseCapture() &&
      (!IsDesigning() || AllowsDesignTimeDrag(x, y)) && CanStartDragAt(x, y) &&
      lxDetectDrag(Handle()) == lxddrDrag) {
    BeginDrag(true);
    return;
  }
  if (button == mbMiddle)
    RunContentScrolling();
}

void TlxControl::FinishMouseOperation() {
  FinishDragAndDrop(true);
  capture_object_ = nullptr;
}

bool TlxControl::MayFocusOnClick() { return !IsDesigning() && click_focuses_ && WantsFocus() && CanFocus(); }

int32_t TlxControl::GetBorderSize() {
  return border_style_ == lxcbsNone ? 0 : GetPainter()->GetBorderSize();
}

TRect TlxControl::GetBounds() {
  if (!explicit_bounds_.IsEmpty())
    return explicit_bounds_;
  if (HandleAllocated())
    return ClientRect();
  return TRect(0, 0, Width(), Height());
}

TRect TlxControl::GetClientBounds() {
  const int32_t border = GetBorderSize();
  TRect bounds = GetBounds().Inflate(-border, -border);
  if (IsHScrollBarShown())
    bounds.Bottom -= h_scroll_bar_->Height();
  if (IsVScrollBarShown())
    bounds.Right -= v_scroll_bar_->Width();
  return bounds;
}

TlxWheelScrollKind TlxControl::GetMouseWheelScrollKind() {
  return IsVScrollBarShown() ? wskVertical : wskNone;
}

bool TlxControl::IsInternalControl(TControl* control) {
  return control != nullptr &&
         (control == h_scroll_bar_ || control == v_scroll_bar_ || control == size_grip_);
}

bool TlxControl::CanFocusOnForm() {
  if (!CanFocus())
    return false;
  TCustomForm* form = GetParentForm(this);
  return form == nullptr || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TlxControl::MayBeginDrag(int32_t x, int32_t y) {
  return DragMode() == dmManual || IsInsideDragThreshold(x, y);
}

void TlxControl::AddChildComponent(TlxControlChildComponent* child) { child->AssignControl(this); }

void TlxControl::RemoveChildComponent(TlxControlChildComponent* child) { child->AssignControl(nullptr); }

void TlxControl::BoundsChanged() {
  TCustomControl::BoundsChanged();
  UpdateScrollBars();
}

void TlxControl::MouseOperationCanceled() {
  button_pressed_ = false;
  capture_object_ = nullptr;
}

void TlxControl::FocusChanged() {
  if (OnFocusChanged)
    OnFocusChanged(this);
}

void TlxControl::FontChanged() {
  TAliveToken alive = AliveToken();
  const std::vector<IlxFontListener*> listeners = font_listeners_;
  for (IlxFontListener* listener : listeners) {
    listener->FontChanged(this, Font());
    if (!alive.Alive())
      return;
  }
  Invalidate();
}

bool TlxControl::IsDesignHitTestPoint(int32_t /*x*/, int32_t /*y*/, TShiftState /*shift*/) {
  return drag_drop_phase_ != dpIdle || button_pressed_;
}

void TlxControl::DoMouseEnter(TControl* /*control*/) {
  if (OnMouseEnter)
    OnMouseEnter(this);
}

void TlxControl::DoMouseLeave(TControl* /*control*/) {
  if (OnMouseLeave)
    OnMouseLeave(this);
}

// --- window ---------------------------------------------------------------

void TlxControl::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TlxControl::CreateWnd() {
  TStateScope creating(creating_window_, true);
  // The constructor cannot ask a descendant yet; the window can.
  if (HasDragImages())
    ControlStyle().Include(csDisplayDragImage);
  TCustomControl::CreateWnd();
  SyncScrollBarControls();
  AttachScrollBars();
}

void TlxControl::DestroyWindowHandle() {
  ControlState().Exclude(csClicked);
  TCustomControl::DestroyWindowHandle();
}

void TlxControl::Resize() {
  TAliveToken alive = AliveToken();
  TCustomControl::Resize();
  if (alive.Alive())
    BoundsChanged();
}

void TlxControl::Paint() {
  if (border_style_ == lxcbsDefault) {
    GetPainter()->PaintBorder(*canvas_, GetBounds());
    canvas_->IntersectClip(GetClientBounds());
  }
  TAliveToken alive = AliveToken();
  TCustomControl::Paint();
  if (alive.Alive())
    RefreshScrollBars();
}

// --- message path ---------------------------------------------------------

TPoint TlxControl::MessagePoint(const TMessage& message) {
  if (HandleAllocated() && (Width() > 32768 || Height() > 32768)) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return ScreenToClient(TPoint(cursor.x, cursor.y));
  }
  return message.Pos();
}

bool TlxControl::DispatchLeftButtonStraight(TMessage& message) {
  if ((message.Msg != WM_LBUTTONDOWN && message.Msg != WM_LBUTTONDBLCLK) || Dragging())
    return false;
  const TPoint point = MessagePoint(message);
  const bool designing = IsDesigning();
  const bool wanted = designing ? IsDesignHitTestPoint(point.X, point.Y, TShiftState{ssLeft})
                                : DragMode() == dmAutomatic;
  if (!wanted || ControlAtPos(message.Pos(), false) != nullptr)
    return false;
  TFlagScope left_down(ControlState(), csLButtonDown);
  Dispatch(message);
  return true;
}

void TlxControl::WndProc(TMessage& message) {
  TControlLifeGuard guard(this);
  if (!DispatchLeftButtonStraight(message)) {
    if (message.Msg == WM_RBUTTONUP)
      right_button_released_ = true;
    TCustomControl::WndProc(message);
  }
  if (guard.Alive())
    AfterMessage(message);
}

void TlxControl::AfterMessage(const TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusChanged();
      break;
    case WM_PAINT: {
      const bool parent_background = ControlStyle().Contains(csParentBackground);
      if (parent_background != last_parent_background_) {
        last_parent_background_ = parent_background;
        ParentBackgroundChanged();
      }
      break;
    }
    case WM_RBUTTONUP:
      right_button_released_ = false;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TMouseButton button =
          message.Msg == WM_LBUTTONDOWN ? mbLeft : (message.Msg == WM_RBUTTONDOWN ? mbRight : mbMiddle);
      TMessage copy = message;
      const TPoint point = MessagePoint(copy);
      AfterMouseDown(button, point.X, point.Y);
      break;
    }
    default:
      break;
  }
}

void TlxControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_NCCALCSIZE:
      TCustomControl::Dispatch(message);
      if (HandleAllocated())
        PostMessageW(WindowHandle(), LX_SCROLLBARMETRICSCHANGED, 0, 0);
      return;
    case LX_SCROLLBARMETRICSCHANGED:
      HandleScrollBarMetricsChanged();
      return;
    default:
      TCustomControl::Dispatch(message);
  }
}

void TlxControl::WMPaint(TMessage& message) {
  RunWithDragImageHidden([&] { TCustomControl::WMPaint(message); });
}

void TlxControl::WMEraseBkgnd(TMessage& message) {
  if (ErasesBackground()) {
    TCustomControl::WMEraseBkgnd(message);
    return;
  }
  message.Result = 1;
}

void TlxControl::WMSetCursor(TMessage& message) {
  if (IsDesigning() && drag_drop_phase_ == dpIdle) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint point = ScreenToClient(TPoint(cursor.x, cursor.y));
    if (IsDesignHitTestPoint(point.X, point.Y, TShiftState{ssLeft})) {
      ::SetCursor(Screen->Cursors(GetCursorAt(point.X, point.Y)));
      message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(message);
}

void TlxControl::WMGetDlgCode(TMessage& message) {
  LRESULT code = 0;
  if (wanted_keys_.Contains(wkAll))
    code |= DLGC_WANTALLKEYS;
  if (wanted_keys_.Contains(wkArrows))
    code |= DLGC_WANTARROWS;
  if (wanted_keys_.Contains(wkChars))
    code |= DLGC_WANTCHARS;
  if (wanted_keys_.Contains(wkTab) && !lxIsCtrlPressed())
    code |= DLGC_WANTTAB;
  message.Result = code;
}

void TlxControl::WMContextMenu(TMessage& message) {
  if (message.Result != 0)
    return;
  if (IsDesigning()) {
    TCustomControl::WMContextMenu(message);
    return;
  }
  TPoint point = TMouseMessage(message).ScreenPos();
  if (point != TPoint(-1, -1)) {
    point = ScreenToClient(point);
    if (!ClientRect().Contains(point)) {
      TCustomControl::WMContextMenu(message);
      return;
    }
  }
  bool handled = false;
  TAliveToken alive = AliveToken();
  DoContextPopup(point, handled);
  if (!alive.Alive())
    return;
  message.Result = handled ? 1 : 0;
  if (!handled)
    DefaultHandler(message);
}

void TlxControl::DoContextPopup(TPoint mouse_pos, bool& handled) {
  TAliveToken alive = AliveToken();
  TCustomControl::DoContextPopup(mouse_pos, handled);
  if (!alive.Alive() || handled)
    return;
  if (mouse_pos == TPoint(-1, -1))
    mouse_pos = TPoint(0, 0);
  const TPoint screen = ClientToScreen(mouse_pos);
  handled = ShowPopupMenuAt(popup_menu_, screen.X, screen.Y);
}

void TlxControl::WMCancelMode(TMessage& message) {
  TAliveToken alive = AliveToken();
  TCustomControl::WMCancelMode(message);
  if (!alive.Alive())
    return;
  FinishDragAndDrop(false);
  if (alive.Alive())
    MouseOperationCanceled();
}

void TlxControl::CNKeyDown(TMessage& message) {
  if (IsPopupMenuShortCut(message)) {
    message.Result = 1;
    return;
  }
  if (drag_drop_phase_ != dpIdle) {
    if (message.WParam == VK_ESCAPE && HandleAllocated())
      SendMessageW(WindowHandle(), WM_KEYDOWN, VK_ESCAPE, message.LParam);
    message.Result = 1;
    return;
  }
  TCustomControl::CNKeyDown(message);
}

void TlxControl::CNSysKeyDown(TMessage& message) {
  if (IsPopupMenuShortCut(message)) {
    message.Result = 1;
    return;
  }
  TCustomControl::CNSysKeyDown(message);
}

void TlxControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_ESCAPE) {
    TAliveToken alive = AliveToken();
    FinishDragAndDrop(false);
    if (!alive.Alive())
      return;
  }
  TCustomControl::KeyDown(key, shift);
}

void TlxControl::CMColorChanged(TMessage& message) {
  DoColorChanged();
  TCustomControl::CMColorChanged(message);
}

void TlxControl::CMCursorChanged(TMessage& message) {
  CursorChanged();
  TCustomControl::CMCursorChanged(message);
}

void TlxControl::CMFontChanged(TMessage& message) {
  TCustomControl::CMFontChanged(message);
  FontChanged();
}

void TlxControl::CMVisibleChanged(TMessage& message) {
  TCustomControl::CMVisibleChanged(message);
  VisibleChanged();
}

void TlxControl::CMTextChanged(TMessage& message) {
  TCustomControl::CMTextChanged(message);
  TextChanged();
}

void TlxControl::CMMouseEnter(TMessage& message) {
  TAliveToken alive = AliveToken();
  TCustomControl::CMMouseEnter(message);
  if (!alive.Alive())
    return;
  TControl* control = TMouseEnterLeaveMessage(message).Control();
  DoMouseEnter(control != nullptr ? control : this);
}

void TlxControl::CMMouseLeave(TMessage& message) {
  TAliveToken alive = AliveToken();
  TCustomControl::CMMouseLeave(message);
  if (!alive.Alive())
    return;
  TControl* control = TMouseEnterLeaveMessage(message).Control();
  DoMouseLeave(control != nullptr ? control : this);
}

void TlxControl::CMDesignHitTest(TMessage& message) {
  TCustomControl::CMDesignHitTest(message);
  if (message.Result != 0)
    return;
  message.Result = IsDesignHitTestPoint(message.Pos().X, message.Pos().Y, KeysToShiftState(message.WParam)) ? 1 : 0;
}

// --- mouse ----------------------------------------------------------------

void TlxControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  mouse_down_point_ = TPoint(x, y);
  TControlLifeGuard guard(this);
  TScopeExit note_pressed([&] {
    if (guard.Alive() && MouseCapture())
      button_pressed_ = true;
  });
  const bool double_click = shift.Contains(ssDouble);
  if (MayFocusOnClickAt(x, y) && !double_click) {
    const TRect before = BoundsRect();
    SetFocus();
    if (!guard.Alive())
      return;
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->ActiveControl() == this && !IsFocusedControl())
      ::SetFocus(Handle());
    if (!IsFocusedControl() && !AllowsUnfocusedMouseDown()) {
      SetMouseCapture(false);
      return;
    }
    x += before.Left - Left();
    y += before.Top - Top();
  }
  if (button == mbLeft && !double_click && CanStartDragAndDropAt(TPoint(x, y))) {
    TlxDragAndDropObject& object = EnsureDragAndDropObject();
    if (object.StartsImmediately())
      BeginDragAndDrop();
    else
      SetDragDropPhase(dpPending);
  } else {
    FinishDragAndDrop(false);
  }
  if (!guard.Alive())
    return;
  BeforeMouseDown(button, shift, x, y);
  if (!guard.Alive())
    return;
  TCustomControl::MouseDown(button, shift, x, y);
}

void TlxControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  {
    const TCursor saved_default = default_cursor_;
    SetCursor(GetCursorAt(x, y));
    default_cursor_ = saved_default;
  }
  TAliveToken alive = AliveToken();
  TCustomControl::MouseMove(shift, x, y);
  if (!alive.Alive())
    return;
  if (drag_drop_phase_ == dpPending && !IsInsideDragThreshold(x, y))
    BeginDragAndDrop();
  if (drag_drop_phase_ == dpDragging) {
    bool accepted = false;
    DragAndDropMove(TPoint(x, y), accepted);
  }
}

void TlxControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  button_pressed_ = false;
  TAliveToken alive = AliveToken();
  FinishMouseOperation();
  if (alive.Alive())
    TCustomControl::MouseUp(button, shift, x, y);
}
