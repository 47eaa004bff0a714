#include "platform/toolkit/control.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/dock_site.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/popup_target.h"
#include "platform/toolkit/win_control.h"

namespace {

// The graphic control that holds the mouse capture on its parent's window.
TWeakRef<TControl>& CaptureControlRef() {
  static TWeakRef<TControl> control;
  return control;
}

// Set while anchors move controls, so that the moves do not become the new
// anchor rules.
bool g_applying_anchors = false;

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

TMouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return mbMiddle;
    default: return mbLeft;
  }
}

bool IsDoubleClick(UINT message) {
  return message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  Destroying();
  ForgetDragSource(this);
  if (CaptureControlRef().Get() == this) {
    CaptureControlRef().Reset();
    ReleaseCapture();
  }
  if (TApplication* application = CurrentApplication())
    application->ControlDestroyed(this);
  SetParent(nullptr);
}

// --- tree -----------------------------------------------------------------

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_)
    return;
  if (parent == this)
    throw EInvalidOperation("A control cannot have itself as its parent");
  for (TWinControl* ancestor = parent; ancestor != nullptr; ancestor = ancestor->Parent())
    if (ancestor == this)
      throw EInvalidOperation("A control cannot have one of its children as its parent");
  if (parent_ != nullptr)
    parent_->RemoveControl(this);
  if (parent != nullptr) {
    parent->InsertControl(this);
    UpdateAnchorRules();
  }
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popup_menu_)
    popup_menu_ = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_ != nullptr && parent_color_)
    Perform(CM_PARENTCOLORCHANGED);
  if (parent_ != nullptr && parent_font_)
    Perform(CM_PARENTFONTCHANGED);
  RequestAlign();
}

// --- bounds ---------------------------------------------------------------

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_)
    return;
  InvalidateControl(visible_, false);
  UpdateBoundsFields(left, top, width, height);
  Invalidate();
}

void TControl::UpdateBoundsFields(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  UpdateAnchorRules();
  BoundsChanged();
  RequestAlign();
  if (resized && !ComponentState().Contains(csLoading))
    Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientSize(int32_t width, int32_t height) {
  const TRect client = ClientRect();
  SetBounds(left_, top_, width_ - client.Width() + width, height_ - client.Height() + height);
}

TPoint TControl::ClientOrigin() {
  if (parent_ == nullptr)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  return parent_->ClientOrigin() + TPoint(left_, top_);
}

TPoint TControl::ClientToParent(TPoint point, TWinControl* ancestor) {
  if (ancestor == nullptr)
    ancestor = parent_;
  TControl* control = this;
  while (control != nullptr && control != ancestor) {
    point = point + TPoint(control->left_, control->top_);
    control = control->parent_;
  }
  if (control == nullptr)
    throw EInvalidOperation("'" + Name() + "' is not a child of the given control");
  return point;
}

void TControl::SetAlign(TAlign align) {
  if (align == align_)
    return;
  const TAlign old = align_;
  align_ = align;
  // The anchors follow the edges that the alignment glues the control to.
  switch (align) {
    case alTop: anchors_ = {akLeft, akTop, akRight}; break;
    case alBottom: anchors_ = {akLeft, akRight, akBottom}; break;
    case alLeft: anchors_ = {akLeft, akTop, akBottom}; break;
    case alRight: anchors_ = {akRight, akTop, akBottom}; break;
    case alClient: anchors_ = {akLeft, akTop, akRight, akBottom}; break;
    default: if (old != alNone) anchors_ = {akLeft, akTop}; break;
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  if (anchors == anchors_)
    return;
  anchors_ = anchors;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (g_applying_anchors || parent_ == nullptr)
    return;
  const TRect client = parent_->ClientRectWithoutWindow();
  anchor_rules_.parent_width = client.Width();
  anchor_rules_.parent_height = client.Height();
  anchor_rules_.bounds = BoundsRect();
}

void TControl::ApplyAnchors(const TRect& client) {
  if (align_ != alNone || anchor_rules_.parent_width < 0 || anchors_ == TAnchors{akLeft, akTop})
    return;
  const int32_t dx = client.Width() - anchor_rules_.parent_width;
  const int32_t dy = client.Height() - anchor_rules_.parent_height;
  TRect bounds = anchor_rules_.bounds;
  int32_t left = bounds.Left;
  int32_t width = bounds.Width();
  if (anchors_.Contains(akRight)) {
    if (anchors_.Contains(akLeft))
      width += dx;
    else
      left += dx;
  } else if (!anchors_.Contains(akLeft)) {
    left += dx / 2;  // neither edge: keep the centre
  }
  int32_t top = bounds.Top;
  int32_t height = bounds.Height();
  if (anchors_.Contains(akBottom)) {
    if (anchors_.Contains(akTop))
      height += dy;
    else
      top += dy;
  } else if (!anchors_.Contains(akTop)) {
    top += dy / 2;
  }
  TStateScope applying_anchors(g_applying_anchors, true);
  SetBounds(left, top, std::max(width, 0), std::max(height, 0));
}

void TControl::RequestAlign() {
  if (parent_ != nullptr)
    parent_->AlignControl(this);
}

// --- state ----------------------------------------------------------------

void TControl::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  VisibleChanging();
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  lxNotifyDockClientChanged(*this, TDockClientChange::Visible);
  RequestAlign();
}

void TControl::Show() { SetVisible(true); }

bool TControl::Showing() const { return visible_ && parent_ != nullptr && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color == color_) {
    parent_color_ = false;
    return;
  }
  color_ = color;
  parent_color_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (value == parent_color_)
    return;
  parent_color_ = value;
  if (value && parent_ != nullptr)
    Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (value == parent_font_)
    return;
  parent_font_ = value;
  if (value && parent_ != nullptr)
    Perform(CM_PARENTFONTCHANGED);
}

namespace {
// Set while a control takes its parent's font, so that the change does not
// count as a font of its own.
bool g_taking_parent_font = false;
}  // namespace

void TControl::FontChanged() {
  if (!g_taking_parent_font)
    parent_font_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_)
    return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TComponent* menu) {
  if (menu == popup_menu_)
    return;
  if (popup_menu_ != nullptr)
    popup_menu_->RemoveFreeNotification(this);
  popup_menu_ = menu;
  if (menu != nullptr)
    menu->FreeNotification(this);
}

std::string TControl::GetText() { return text_; }

void TControl::SetTextBuffer(const std::string& text) { text_ = text; }

void TControl::SetText(const std::string& text) {
  if (GetText() == text)
    return;
  SetTextBuffer(text);
  Perform(CM_TEXTCHANGED);
  lxNotifyDockClientChanged(*this, TDockClientChange::Text);
}

// --- mouse capture ----------------------------------------------------------

TControl* GetCaptureControl() {
  TControl* control = FindControl(GetCapture());
  TControl* graphic = CaptureControlRef().Get();
  if (control != nullptr && graphic != nullptr && graphic->Parent() == control)
    return graphic;
  return control;
}

void SetCaptureControl(TControl* control) {
  ReleaseCapture();
  CaptureControlRef().Reset();
  if (control == nullptr)
    return;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed == nullptr) {
    if (control->Parent() == nullptr)
      return;
    CaptureControlRef() = TWeakRef<TControl>(control);
    windowed = control->Parent();
  }
  SetCapture(windowed->Handle());
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool capture) {
  if (capture == MouseCapture())
    return;
  SetCaptureControl(capture ? this : nullptr);
}

// --- drag and drop ----------------------------------------------------------

void TControl::BeginDrag(bool immediate, int32_t threshold) { StartControlDrag(this, immediate, threshold); }

void TControl::EndDrag(bool drop) {
  if (Dragging())
    FinishDrag(drop);
}

bool TControl::Dragging() const { return DragSourceControl() == this; }

void TControl::DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) {
  accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
  }
}

void TControl::DragDrop(TObject* source, int32_t x, int32_t y) {
  if (OnDragDrop)
    OnDragDrop(this, source, x, y);
}

void TControl::DoStartDrag(TDragObject*& drag_object) {
  if (OnStartDrag)
    OnStartDrag(this, drag_object);
}

void TControl::DoEndDrag(TObject* target, int32_t x, int32_t y) {
  if (OnEndDrag)
    OnEndDrag(this, target, x, y);
}

void TControl::CMDrag(TMessage& message) {
  auto* record = reinterpret_cast<TDragRec*>(message.LParam);
  if (record == nullptr)
    return;
  const TPoint point = ScreenToClient(record->Pos);
  switch (static_cast<TDragMessage>(message.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      bool accept = false;
      const TDragState state = message.WParam == dmDragEnter   ? dsDragEnter
                               : message.WParam == dmDragLeave ? dsDragLeave
                                                               : dsDragMove;
      DragOver(record->Source, point.X, point.Y, state, accept);
      message.Result = accept ? 1 : 0;
      break;
    }
    case dmDragDrop:
      DragDrop(record->Source, point.X, point.Y);
      break;
    case dmDragCancel:
      break;
    case dmFindTarget:
      message.Result = reinterpret_cast<LRESULT>(this);
      break;
  }
}

// --- messages ---------------------------------------------------------------

LRESULT TControl::Perform(UINT message, WPARAM wparam, LPARAM lparam) {
  TMessage record{message, wparam, lparam, 0};
  WindowProc(record);
  return record.Result;
}

void TControl::WndProc(TMessage& message) {
  if (IsMouseMessage(message.Msg)) {
    if (!control_style_.Contains(csDoubleClicks) && IsDoubleClick(message.Msg))
      message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    switch (message.Msg) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (drag_mode_ == dmAutomatic && !Dragging()) {
          BeginDrag(false);
          return;
        }
        control_state_.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        control_state_.Exclude(csLButtonDown);
        break;
      default:
        break;
    }
  }
  Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
  if (IsChildNotification(message.Msg)) {
    WMControlNotification(message);
    return;
  }
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: WMMouseButton(message); break;
    case WM_MOUSEMOVE: WMMouseMove(message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(message); break;
    case WM_CONTEXTMENU: WMContextMenu(message); break;
    case WM_CANCELMODE: WMCancelMode(message); break;
    case WM_PAINT: WMPaint(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case WM_SETFOCUS: WMSetFocus(message); break;
    case WM_KILLFOCUS: WMKillFocus(message); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: WMKey(message); break;
    case WM_CHAR:
    case WM_SYSCHAR: WMChar(message); break;
    case WM_SETCURSOR: WMSetCursor(message); break;
    case WM_GETDLGCODE: WMGetDlgCode(message); break;
    case WM_SIZE: WMSize(message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(message); break;
    case WM_MOUSELEAVE: WMMouseLeave(message); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(message); break;
    case WM_NCDESTROY: WMNCDestroy(message); break;
    case WM_SYSCOLORCHANGE: WMSysColorChange(message); break;
    case WM_ACTIVATE: WMActivate(message); break;
    case WM_CLOSE: WMClose(message); break;
    case WM_DROPFILES: WMDropFiles(message); break;
    case WM_SYSCOMMAND: WMSysCommand(message); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(message); break;
    case CN_KEYDOWN: CNKeyDown(message); break;
    case CN_CHAR: CNChar(message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(message); break;
    case CN_SYSCHAR: CNSysChar(message); break;
    case CM_COLORCHANGED: CMColorChanged(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case CM_CURSORCHANGED: CMCursorChanged(message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(message); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(message); break;
    case CM_HITTEST: CMHitTest(message); break;
    case CM_DESIGNHITTEST: CMDesignHitTest(message); break;
    case CM_DIALOGKEY: CMDialogKey(message); break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(message); break;
    case CM_ENTER: CMEnter(message); break;
    case CM_EXIT: CMExit(message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(message); break;
    case CM_CANCELMODE: CMCancelMode(message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(message); break;
    case CM_ACTIVATE: CMActivate(message); break;
    case CM_DEACTIVATE: CMDeactivate(message); break;
    case CM_RELEASE: CMRelease(message); break;
    case CM_MOUSEWHEEL: CMMouseWheel(message); break;
    case CM_DRAG: CMDrag(message); break;
    case CM_RECREATEWND: CMRecreateWnd(message); break;
    case CM_CHILDKEY: CMChildKey(message); break;
    default: DefaultHandler(message); break;
  }
}

void TControl::DefaultHandler(TMessage& message) {
  // A control without a window keeps its text itself.
  switch (message.Msg) {
    case WM_GETTEXTLENGTH:
      message.Result = static_cast<LRESULT>(text_.size());
      break;
    case WM_SETTEXT:
      if (message.LParam != 0)
        SetTextBuffer(reinterpret_cast<const char*>(message.LParam));
      message.Result = 1;
      break;
    default:
      break;
  }
}

// --- mouse ------------------------------------------------------------------

void TControl::WMMouseButton(TMessage& message) {
  const UINT msg = message.Msg;
  const TMouseButton button = ButtonOf(msg);
  // The window's own handling comes first: a system control takes the
  // focus, moves its caret, presses its button or tracks its scroll box,
  // and the events below see the result; the default procedure also turns
  // a right button release into WM_CONTEXTMENU.
  const TAliveToken alive = AliveToken();
  DefaultHandler(message);
  if (!alive.Alive())
    return;
  if (IsButtonDown(msg)) {
    if (control_style_.Contains(csCaptureMouse))
      SetMouseCapture(true);
    if (button == mbLeft && control_style_.Contains(csClickEvents))
      control_state_.Include(csClicked);
    if (button == mbLeft && IsDoubleClick(msg) && control_style_.Contains(csClickEvents)) {
      DblClick();
      if (!alive.Alive())
        return;
    }
    DoMouseDown(message, button, IsDoubleClick(msg) ? TShiftState{ssDouble} : TShiftState{});
    return;
  }
  // Button up.
  if (control_style_.Contains(csCaptureMouse))
    SetMouseCapture(false);
  if (button == mbLeft && control_state_.Contains(csClicked)) {
    control_state_.Exclude(csClicked);
    if (ClientRect().Contains(message.Pos())) {
      Click();
      if (!alive.Alive())
        return;
    }
  }
  DoMouseUp(message, button);
}

void TControl::DoMouseDown(TMessage& message, TMouseButton button, TShiftState extra) {
  if (control_style_.Contains(csNoStdEvents))
    return;
  const TMouseMessage mouse(message);
  const TPoint point = mouse.Pos();
  MouseDown(button, KeysToShiftState(mouse.Keys()) + extra, point.X, point.Y);
}

void TControl::DoMouseUp(TMessage& message, TMouseButton button) {
  if (control_style_.Contains(csNoStdEvents))
    return;
  const TMouseMessage mouse(message);
  const TPoint point = mouse.Pos();
  MouseUp(button, KeysToShiftState(mouse.Keys()), point.X, point.Y);
}

void TControl::WMMouseMove(TMessage& message) {
  const TAliveToken alive = AliveToken();
  DefaultHandler(message);
  if (!alive.Alive() || control_style_.Contains(csNoStdEvents))
    return;
  const TMouseMessage mouse(message);
  const TPoint point = mouse.Pos();
  MouseMove(KeysToShiftState(mouse.Keys()), point.X, point.Y);
}

void TControl::WMMouseWheel(TMessage& message) {
  message.Result = Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
  if (message.Result == 0)
    DefaultHandler(message);
}

void TControl::CMMouseWheel(TMessage& message) {
  const TMouseMessage wheel(message);
  if (DoMouseWheel(KeysToShiftState(wheel.Keys()), wheel.WheelDelta(), wheel.ScreenPos())) {
    message.Result = 1;
    return;
  }
  // Not taken: the parent may scroll.
  if (parent_ != nullptr)
    message.Result = parent_->Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
}

bool TControl::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  bool handled = false;
  if (OnMouseWheel)
    OnMouseWheel(this, shift, wheel_delta, mouse_pos, handled);
  return handled;
}

void TControl::WMContextMenu(TMessage& message) {
  if (message.Result != 0)
    return;
  const TPoint point = TMouseMessage(message).ScreenPos();
  const bool from_keyboard = point == TPoint(-1, -1);
  const TPoint client = from_keyboard ? point : ScreenToClient(point);
  bool handled = false;
  const TAliveToken alive = AliveToken();
  DoContextPopup(client, handled);
  if (!alive.Alive())
    return;
  if (handled) {
    message.Result = 1;
    return;
  }
  auto* menu = dynamic_cast<IPopupMenuTarget*>(popup_menu_);
  if (menu != nullptr) {
    const TPoint at = from_keyboard ? ClientToScreen(TPoint(0, 0)) : point;
    menu->PopupAt(this, at.X, at.Y);
    message.Result = 1;
    return;
  }
  DefaultHandler(message);
}

void TControl::DoContextPopup(TPoint mouse_pos, bool& handled) {
  if (OnContextPopup)
    OnContextPopup(this, mouse_pos, handled);
}

void TControl::WMCancelMode(TMessage& message) {
  DefaultHandler(message);
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (control_state_.Contains(csLButtonDown))
      Perform(WM_LBUTTONUP, 0, static_cast<LPARAM>(-1));
  } else {
    control_state_.Exclude(csLButtonDown);
  }
  control_state_.Exclude(csClicked);
}

void TControl::CMCancelMode(TMessage& message) {
  if (reinterpret_cast<TControl*>(message.LParam) != this)
    Perform(WM_CANCELMODE);
}

void TControl::CMHitTest(TMessage& message) { message.Result = HTCLIENT; }

void TControl::CMMouseEnter(TMessage& message) {
  const TAliveToken alive = AliveToken();
  if (parent_ != nullptr)
    parent_->Perform(CM_MOUSEENTER, 0, message.LParam);
  if (!alive.Alive())
    return;
  if (TMouseEnterLeaveMessage(message).IsFor(this))
    MouseEnter();
}

void TControl::CMMouseLeave(TMessage& message) {
  const TAliveToken alive = AliveToken();
  if (parent_ != nullptr)
    parent_->Perform(CM_MOUSELEAVE, 0, message.LParam);
  if (!alive.Alive())
    return;
  if (TMouseEnterLeaveMessage(message).IsFor(this))
    MouseLeave();
}

void TControl::MouseEnter() {
  if (OnMouseEnter)
    OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave)
    OnMouseLeave(this);
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick)
    OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseDown)
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseUp)
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseMove)
    OnMouseMove(this, shift, x, y);
}

void TControl::Resize() {
  if (OnResize)
    OnResize(this);
}

// --- notifications ------------------------------------------------------------

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, visible_ && control_style_.Contains(csOpaque)); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage& message) {
  if (!parent_color_ || parent_ == nullptr)
    return;
  const TColor color = message.WParam != 0 ? static_cast<TColor>(message.LParam) : parent_->Color();
  SetColor(color);
  parent_color_ = true;
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!parent_font_ || parent_ == nullptr)
    return;
  TStateScope taking_parent_font(g_taking_parent_font, true);
  font_->Assign(&parent_->Font());
}

// --- painting -----------------------------------------------------------------

HWND TControl::ParentHandleForDrawing() const {
  return parent_ != nullptr ? parent_->WindowHandle() : nullptr;
}

void TControl::InvalidateControl(bool is_visible, bool is_opaque) {
  if (!is_visible || parent_ == nullptr || !parent_->HandleAllocated())
    return;
  const RECT bounds = BoundsRect();
  InvalidateRect(parent_->WindowHandle(), &bounds,
                 !(is_opaque || parent_->ControlStyle().Contains(csOpaque)) ? TRUE : FALSE);
}

void TControl::Invalidate() { InvalidateControl(visible_, control_style_.Contains(csOpaque)); }

void TControl::Update() {
  if (parent_ != nullptr)
    parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (parent_ != nullptr)
    parent_->MoveToZEnd(this, true);
}

void TControl::SendToBack() {
  if (parent_ != nullptr)
    parent_->MoveToZEnd(this, false);
}

void TControl::ChangeScale(int32_t multiplier, int32_t divider) {
  if (multiplier == divider || divider == 0)
    return;
  const int32_t left = MulDiv(left_, multiplier, divider);
  const int32_t top = MulDiv(top_, multiplier, divider);
  const int32_t width = MulDiv(left_ + width_, multiplier, divider) - left;
  const int32_t height = MulDiv(top_ + height_, multiplier, divider) - top;
  SetBounds(left, top, width, height);
  if (!parent_font_)
    font_->SetHeight(MulDiv(font_->Height(), multiplier, divider));
}

// --- TGraphicControl -----------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
  auto canvas = std::make_unique<TControlCanvas>();
  canvas->SetControl(this);
  canvas_ = std::move(canvas);
}

TGraphicControl::~TGraphicControl() {
  // Leave the parent before the canvas goes: the parent paints its graphic
  // children with it.
  SetParent(nullptr);
}

TCanvas& TGraphicControl::Canvas() { return *canvas_; }

void TGraphicControl::WMPaint(TMessage& message) {
  // A graphic control has no window: it paints only on its parent's DC.
  const HDC dc = TPaintMessage(message).DC();
  if (dc == nullptr || ComponentState().Contains(csDestroying))
    return;
  TCanvasHandleScope painting(static_cast<TControlCanvas&>(*canvas_), dc);
  Paint();
}

// --- lookups ---------------------------------------------------------------------

TCustomForm* GetParentForm(TControl* control) {
  if (control == nullptr)
    return nullptr;
  while (control->Parent() != nullptr)
    control = control->Parent();
  return dynamic_cast<TCustomForm*>(control);
}

TControl* FindDragTarget(TPoint screen_point, bool allow_disabled) {
  TWinControl* window = FindControl(WindowFromPoint(screen_point));
  if (window == nullptr)
    return nullptr;
  TControl* child = window->ControlAtPos(window->ScreenToClient(screen_point), allow_disabled);
  return child != nullptr ? child : window;
}
