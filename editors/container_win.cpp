#include "editors/container_win.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "editors/container_routines_win.h"
#include "editors/edit_paint_utils_win.h"
#include "editors/solid_brush_cache_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kShadowSize = 3;

TRect Deflated(const TRect& rect, const TRect& by) {
  return TRect(rect.Left + by.Left, rect.Top + by.Top, rect.Right - by.Right, rect.Bottom - by.Bottom);
}

bool HasState(uint8_t state, uint8_t flag) { return (state & flag) != 0; }

bool PointIn(const TRect& rect, const TPoint& point) {
  return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

}  // namespace

int32_t lxGetBorderWidth(TlxContainerBorderStyle style) {
  constexpr int32_t kWidths[] = {0, 1, 2, 2, 2, 1, 1};
  return style <= cbsOffice11 ? kWidths[style] : 0;
}

// --- TlxContainerViewInfo ----------------------------------------------------------

void TlxContainerViewInfo::PaintBorder(TlxCanvas& canvas, const TRect& rect) {
  TRect frame = rect;
  switch (BorderStyle) {
    case cbsSingle:
    case cbsThick:
      for (int32_t i = 0; i < BorderWidth; ++i)
        lxDrawFrameAndShrink(canvas, frame, BorderColor);
      break;
    case cbsFlat:
    case cbs3D: {
      uint32_t edges = 0;
      edges |= Edges.Contains(bLeft) ? kLxEdgeLeft : 0;
      edges |= Edges.Contains(bTop) ? kLxEdgeTop : 0;
      edges |= Edges.Contains(bRight) ? kLxEdgeRight : 0;
      edges |= Edges.Contains(bBottom) ? kLxEdgeBottom : 0;
      TRect outer = frame;
      lxDrawEdgeLines(canvas, outer, edges & (kLxEdgeLeft | kLxEdgeTop), clBtnShadow);
      lxDrawEdgeLines(canvas, outer, edges & (kLxEdgeRight | kLxEdgeBottom), clBtnHighlight);
      TRect inner(frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1);
      if (BorderStyle == cbsFlat) {
        lxDrawFrameAndShrink(canvas, inner, clBtnFace);
      } else {
        lxDrawEdgeLines(canvas, inner, edges & (kLxEdgeLeft | kLxEdgeTop), cl3DDkShadow);
        lxDrawEdgeLines(canvas, inner, edges & (kLxEdgeRight | kLxEdgeBottom), cl3DLight);
      }
      break;
    }
    default:
      break;
  }
}

void TlxContainerViewInfo::RenderFrame(TlxCanvas& canvas) {
  TlxBrushPaintScope paint;
  if (NativeStyle) {
    if (BorderStyle == cbsNone) {
      lxFillRectWithColor(canvas, Bounds, BackgroundColor);
      return;
    }
    const HTHEME theme = lxOpenThemeHandle(ThemedObjectType);
    const RECT bounds{Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom};
    RECT content = bounds;
    if (theme != nullptr)
      lxUxGetThemeBackgroundContentRect(theme, canvas.Handle(), 1, ThemedState, bounds, content);
    // The border takes the list box's (with composition) or the combo box's
    // theme border colour.
    const bool composition = lxIsDesktopCompositionOn();
    const HTHEME border_theme = lxOpenThemeHandle(composition ? totListBox : totComboBox);
    COLORREF border = GetSysColor(COLOR_BTNSHADOW);
    if (border_theme != nullptr)
      lxUxGetThemeColor(border_theme, composition ? 3 : 1, 1, TMT_BORDERCOLOR, border);
    lxFillRectAroundHole(canvas, Bounds, TRect(content), static_cast<TColor>(border));
    lxFillRectWithColor(canvas, TRect(content), BackgroundColor);
    return;
  }
  TRect frame = BorderRect;
  frame.Left -= BorderWidth;
  frame.Top -= BorderWidth;
  if (Edges.Contains(bRight))
    frame.Right += BorderWidth;
  if (Edges.Contains(bBottom))
    frame.Bottom += BorderWidth;
  if (Shadow)
    lxDrawShadowBand(canvas, frame);
  // A missing edge is drawn outside the control.
  if (!Edges.Contains(bRight))
    frame.Right += BorderWidth;
  if (!Edges.Contains(bBottom))
    frame.Bottom += BorderWidth;
  PaintBorder(canvas, frame);
  lxFillRectWithColor(canvas, BorderRect, BackgroundColor);
}

void TlxContainerViewInfo::TakeStateFrom(const TlxContainerViewInfo* other) {
  if (other != nullptr)
    ClientRect = other->ClientRect;
}

void TlxContainerViewInfo::MoveBy(int32_t dx, int32_t dy) {
  for (TRect* rect : {&BorderRect, &Bounds, &ClientRect}) {
    rect->Left += dx;
    rect->Right += dx;
    rect->Top += dy;
    rect->Bottom += dy;
  }
}

// --- TlxContainer ------------------------------------------------------------------

TlxContainer::TlxContainer(TComponent* owner, const TlxContainerStyleClass& style_class) : TlxControl(owner) {
  styles_ = std::make_unique<TlxContainerStyles>(this, style_class);
  styles_->SetChangeHandler([this](TObject* style) { HandleStyleChange(style); });
  current_style_ = styles_->GetNormalStyle();
  view_info_ = std::make_unique<TlxContainerViewInfo>();
  LookAndFeel().SetMaster(GetStyle()->LookAndFeel());
  ControlStyle().Include(csCaptureMouse);
  ControlStyle().Include(csSetCaption);
  SetTabStop(true);
  TColor found = clDefault;
  if (UsesParentColorByDefault() && !IsInplaceMode() && !GetStyle()->FindAssignedColor(found))
    TlxControl::SetParentColor(true);
  else
    SetColor(clWindow);
  creating_ = false;
}

TlxContainer::~TlxContainer() {
  lxStopMouseTracking(this);
  destroying_ = true;
  styles_->SetChangeHandler(nullptr);
  Destroying();
  DestroyComponents();
}

bool TlxContainer::GetParentColor(TColor& color) const {
  if (Parent() == nullptr)
    return false;
  color = Parent()->Color();
  return true;
}

bool TlxContainer::IsStylePropertyUsed(const std::string& name, bool state_style) const {
  if (state_style && !GetStyle()->PublishesProperty(name))
    return false;
  int32_t value = 0;
  if (GetStyle()->FindValueByName(name, value))
    return !GetIgnoredStyleValues().Contains(static_cast<TlxContainerStyleValue>(value));
  return true;
}

bool TlxContainer::IsFocusWithin() {
  if (IsDesigning() || !HandleAllocated() || IsBeingDestroyed())
    return false;
  const HWND focus = GetFocus();
  if (focus == Handle())
    return true;
  return inner_control_ != nullptr && inner_control_->HandleAllocated() && focus == inner_control_->Handle();
}

void TlxContainer::SetInnerControl(TWinControl* control) {
  if (inner_control_ == control)
    return;
  if (inner_control_ != nullptr)
    inner_control_->RemoveFreeNotification(this);
  inner_control_ = control;
  if (inner_control_ != nullptr)
    inner_control_->FreeNotification(this);
  RefreshViewNow();
}

void TlxContainer::Notification(TComponent* component, TOperation operation) {
  TlxControl::Notification(component, operation);
  if (operation == opRemove && component == inner_control_)
    inner_control_ = nullptr;
}

TlxContainerStyle* TlxContainer::SelectStyleForState(uint8_t state) {
  if (HasState(state, kLxContainerStateDisabled))
    return styles_->GetDisabledStyle();
  if (HasState(state, kLxContainerStateActive))
    return styles_->GetFocusedStyle();
  if (HasState(state, kLxContainerStateHot) && GetStyle()->HotTrack())
    return styles_->GetHotStyle();
  return styles_->GetNormalStyle();
}

TlxContainerStyle* TlxContainer::GetCurrentStyle() {
  if (current_style_state_ != view_info_->ContainerState || current_style_ == nullptr) {
    current_style_state_ = view_info_->ContainerState;
    current_style_ = SelectStyleForState(current_style_state_);
  }
  return current_style_;
}

bool TlxContainer::HasShadow() { return GetCurrentStyle()->Shadow() && !view_info_->NativeStyle; }

bool TlxContainer::UsesNativeStyle() { return LookAndFeel().NativeStyle() && lxThemeAvailableFor(totEdit); }

bool TlxContainer::IsBorderSelfDrawn() { return !(view_info_->NativeStyle && GetStyle()->BorderStyle() != cbsNone); }

int32_t TlxContainer::GetThemedPart() const { return lxIsDesktopCompositionOn() ? 3 : 1; }

int32_t TlxContainer::GetThemedState() const {
  const uint8_t state = view_info_->ContainerState;
  if (HasState(state, kLxContainerStateDisabled))
    return 4;
  if (IsValueReadOnly())
    return 6;
  if (HasState(state, kLxContainerStateActive))
    return 5;
  if (HasState(state, kLxContainerStateHot))
    return 2;
  return 1;
}

TRect TlxContainer::GetBorderExtent() {
  TlxContainerStyle* style = GetCurrentStyle();
  TRect extent;
  if (style->TransparentBorder()) {
    extent = TRect(2, 2, 2, 2);
  } else if (!style->CanHaveBorder() || (view_info_->NativeStyle && GetStyle()->BorderStyle() == cbsNone)) {
    extent = TRect();
  } else if (view_info_->NativeStyle) {
    extent = TRect(2, 2, 2, 2);
  } else {
    const int32_t width = view_info_->BorderWidth;
    const TlxBorders edges = style->Edges();
    extent = TRect(edges.Contains(bLeft) ? width : 0, edges.Contains(bTop) ? width : 0,
                   edges.Contains(bRight) ? width : 0, edges.Contains(bBottom) ? width : 0);
  }
  if (HasShadow()) {
    extent.Right += kShadowSize;
    extent.Bottom += kShadowSize;
  }
  return extent;
}

TRect TlxContainer::GetMouseTrackingBounds() {
  TRect bounds(0, 0, Width(), Height());
  if (IsInplaceMode())
    return bounds;
  if (HasShadow()) {
    bounds.Right -= kShadowSize;
    bounds.Bottom -= kShadowSize;
  }
  TlxContainerStyle* normal = GetStyle();
  const bool transparent_border = normal->TransparentBorder();
  if (normal->CanHaveBorder()) {
    if (view_info_->NativeStyle) {
      if (transparent_border && normal->BorderStyle() == cbsNone)
        bounds = Deflated(bounds, TRect(2, 2, 2, 2));
    } else if (transparent_border) {
      const int32_t width = view_info_->BorderWidth;
      bounds = Deflated(bounds, TRect(2 - width, 2 - width, 2 - width, 2 - width));
      const TlxBorders edges = view_info_->Edges;
      bounds = Deflated(bounds, TRect(edges.Contains(bLeft) ? 0 : width, edges.Contains(bTop) ? 0 : width,
                                      edges.Contains(bRight) ? 0 : width, edges.Contains(bBottom) ? 0 : width));
    }
  } else if (transparent_border) {
    bounds = Deflated(bounds, TRect(2, 2, 2, 2));
  }
  if (bounds.Bottom < bounds.Top)
    bounds = TRect(bounds.Left, 0, bounds.Right, 0);
  return bounds;
}

uint8_t TlxContainer::ComputeState(const TPoint& point, bool hot_track_allowed) {
  if (!Enabled())
    return kLxContainerStateDisabled;
  if (IsDesigning())
    return kLxContainerStateNormal;
  uint8_t state = IsFocusedNow() ? kLxContainerStateActive : kLxContainerStateNormal;
  if (hot_track_allowed && PointIn(GetMouseTrackingBounds(), point))
    state |= kLxContainerStateHot;
  return state;
}

TColor TlxContainer::ComputeBorderColor(bool highlighted) {
  TlxContainerStyle* style = GetCurrentStyle();
  switch (style->BorderStyle()) {
    case cbsUltraFlat:
    case cbsOffice11:
      return highlighted ? clHighlight : clBtnShadow;
    default:
      return style->BorderColor();
  }
}

void TlxContainer::ComputeViewInfo(const TPoint& point, bool hot_track_allowed) {
  TlxContainerViewInfo& info = *view_info_;
  info.NativeStyle = UsesNativeStyle();
  const int32_t old_width = lxGetBorderWidth(info.BorderStyle);
  for (int pass = 0; pass < 2; ++pass) {
    info.ContainerState = ComputeState(point, hot_track_allowed);
    TlxContainerStyle* style = GetCurrentStyle();
    info.HotTrackMode = !style->HotTrack() ? 0
                        : (info.ContainerState & (kLxContainerStateActive | kLxContainerStateHot)) != 0 ? 2
                                                                                                      : 1;
    TlxContainerBorderStyle border = info.NativeStyle ? GetStyle()->BorderStyle() : style->BorderStyle();
    if (!info.NativeStyle && (border == cbsUltraFlat || border == cbsOffice11))
      border = cbsSingle;
    info.BorderStyle = border;
    info.BorderWidth = lxGetBorderWidth(border);
    if (info.NativeStyle || info.BorderWidth >= old_width)
      break;
  }
  if (info.NativeStyle) {
    info.ThemedObjectType = totEdit;
    info.ThemedPart = GetThemedPart();
    info.ThemedState = GetThemedState();
  }
  TlxContainerStyle* style = GetCurrentStyle();
  info.Edges = style->Edges();
  info.Shadow = HasShadow();
  info.Bounds = TRect(0, 0, Width(), Height());
  info.BorderRect = Deflated(info.Bounds, GetBorderExtent());
  info.ClientRect = info.BorderRect;
  const uint8_t state = info.ContainerState;
  const bool highlighted = HasState(state, kLxContainerStateActive) ||
                           (HasState(state, kLxContainerStateHot) && style->HotTrack()) ||
                           (IsDesigning() && Enabled());
  info.BorderColor = ComputeBorderColor(highlighted);
  info.AssignBackgroundColor(style->GetColor());
}

bool TlxContainer::RecalculateAndInvalidate(const TPoint& point, int32_t /*button_code*/, bool /*mouse_event*/,
                                            TShiftState shift) {
  if (refresh_locked_ || IsBeingDestroyed())
    return true;
  view_info_calculated_ = true;
  const bool hot_track_allowed = shift.Empty() && GetCurrentStyle()->HotTrack();
  ComputeViewInfo(point, hot_track_allowed);
  PlaceInnerControl();
  ApplyStyleToInnerControl();
  UpdateWindowRegion();
  if (HandleAllocated()) {
    if (inner_control_ != nullptr)
      lxInvalidateRectAroundHole(Handle(), view_info_->Bounds, view_info_->BorderRect, false);
    else
      InvalidateRect(view_info_->Bounds, false);
  }
  if (HasState(view_info_->ContainerState, kLxContainerStateHot))
    StartTracking();
  return true;
}

void TlxContainer::StartTracking() {
  if (HandleAllocated())
    lxStartMouseTracking(this, GetMouseTrackingBounds(), this);
}

void TlxContainer::RefreshFromCursor(bool mouse_event) {
  if (!HandleAllocated() || IsBeingDestroyed() || refreshing_)
    return;
  TStateScope<bool> refreshing(refreshing_, true);
  POINT cursor{};
  GetCursorPos(&cursor);
  TPoint point(-1, -1);
  const HWND under = WindowFromPoint(cursor);
  if (under == Handle() || IsChild(Handle(), under))
    point = ScreenToClient(TPoint(cursor.x, cursor.y));
  RecalculateAndInvalidate(point, 0, mouse_event, KeyboardStateToShiftState());
}

void TlxContainer::EnsureViewInfoCalculated() {
  if (!view_info_calculated_)
    RefreshViewNow();
  if (!view_info_calculated_)
    ComputeViewInfo(TPoint(-1, -1), false);
}

TRect TlxContainer::GetFrameRegionBounds() {
  TRect frame = Deflated(TRect(0, 0, Width(), Height()), GetBorderExtent());
  const int32_t width = lxGetBorderWidth(view_info_->GetActualBorderStyle());
  const TlxBorders edges = GetCurrentStyle()->Edges();
  frame = TRect(frame.Left - (edges.Contains(bLeft) ? width : 0), frame.Top - (edges.Contains(bTop) ? width : 0),
                frame.Right + (edges.Contains(bRight) ? width : 0),
                frame.Bottom + (edges.Contains(bBottom) ? width : 0));
  return frame;
}

void TlxContainer::UpdateWindowRegion() {
  if (!HandleAllocated())
    return;
  lxSetFrameWindowRegion(Handle(), GetFrameRegionBounds(), !IsBorderSelfDrawn(), TRect(), view_info_->Shadow);
}

void TlxContainer::PlaceInnerControl() {
  if (inner_control_ == nullptr)
    return;
  const TRect& client = view_info_->ClientRect;
  if (inner_control_->BoundsRect() == client)
    return;
  TStateScope<bool> locked(refresh_locked_, true);
  inner_control_->SetBounds(client.Left, client.Top, client.Width(), client.Height());
}

void TlxContainer::ApplyStyleToInnerControl() {
  if (inner_control_ == nullptr)
    return;
  inner_control_->SetColor(view_info_->BackgroundColor);
  inner_control_->SetFont(*GetCurrentStyle()->GetTextFont());
}

void TlxContainer::FocusInnerControl() {
  if (inner_control_ != nullptr && inner_control_->HandleAllocated())
    ::SetFocus(inner_control_->Handle());
}

void TlxContainer::HandleStyleChange(TObject* /*style*/) {
  if (creating_ || ComponentState().Contains(csLoading) || IsBeingDestroyed())
    return;
  RefreshViewNow();
  TStateScope<bool> internal(internal_setting_, true);
  TColor assigned = clDefault;
  if (!(TlxControl::ParentColor() && !GetStyle()->FindAssignedColor(assigned)))
    SetColor(GetStyle()->GetColorForControl());
  if (TFont* font = GetStyle()->Font())
    TlxControl::SetFont(*font);
  TFont* found = nullptr;
  if (GetStyle()->FindAssignedFont(found))
    TlxControl::SetParentFont(false);
}

void TlxContainer::DoColorChanged() {
  if (internal_setting_ || creating_) {
    Invalidate();
    return;
  }
  GetStyle()->SetColor(Color());
}

bool TlxContainer::PreprocessInnerControlMessage(TMessage& message) {
  if (message.Msg != WM_CONTEXTMENU)
    return false;
  // The context menu is the container's, over its inner control too.
  message.Result = Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), message.LParam);
  return message.Result != 0;
}

bool TlxContainer::HandleInnerControlKey(TMessage& message) {
  if (message.Msg != CN_KEYDOWN && message.Msg != CN_SYSKEYDOWN)
    return false;
  if (!IsPopupMenuShortCut(message))
    return false;
  message.Result = 1;
  return true;
}

void TlxContainer::MouseLeave() {
  lxStopMouseTracking(this);
  RefreshFromCursor(true);
}

void TlxContainer::DoMouseEnter(TControl* control) {
  TlxControl::DoMouseEnter(control);
  RefreshFromCursor(true);
  StartTracking();
}

void TlxContainer::DoMouseLeave(TControl* control) {
  TlxControl::DoMouseLeave(control);
  RefreshFromCursor(true);
  lxStopMouseTracking(this);
}

void TlxContainer::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseDown(button, shift, x, y);
  RecalculateAndInvalidate(TPoint(x, y), static_cast<int32_t>(button) + 1, true, shift);
}

void TlxContainer::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  RecalculateAndInvalidate(TPoint(x, y), 0, true, shift);
  StartTracking();
}

void TlxContainer::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseUp(button, shift, x, y);
  RecalculateAndInvalidate(TPoint(x, y), static_cast<int32_t>(button) + 1, true, shift);
}

void TlxContainer::FocusChanged() {
  TlxControl::FocusChanged();
  RefreshViewNow();
}

void TlxContainer::Resize() {
  TlxControl::Resize();
  if (creating_)
    return;
  refreshing_ = false;
  RefreshViewNow();
}

void TlxContainer::CreateWnd() {
  TlxControl::CreateWnd();
  PostMessageW(Handle(), LX_CONTAINER_REFRESH, 0, 0);
}

void TlxContainer::Paint() {
  EnsureViewInfoCalculated();
  view_info_->Draw(Canvas());
}

void TlxContainer::WndProc(TMessage& message) {
  switch (message.Msg) {
    case LX_CONTAINER_REFRESH:
      RefreshViewNow();
      return;
    case LX_CONTAINER_SYNC_SCROLL_BARS:
      SyncScrollBarsWithInnerControl(false);
      return;
    case WM_NCPAINT:
      message.Result = 0;
      return;
    case WM_SETFOCUS:
      if (!Visible())
        return;
      if (inner_control_ != nullptr && inner_control_->HandleAllocated() && !IsBeingDestroyed()) {
        if (reinterpret_cast<HWND>(message.WParam) == inner_control_->Handle()) {
          message.Result = 0;
          return;
        }
        TlxControl::WndProc(message);
        FocusInnerControl();
        return;
      }
      break;
    case WM_KILLFOCUS:
      if (inner_control_ != nullptr && inner_control_->HandleAllocated() &&
          reinterpret_cast<HWND>(message.WParam) == inner_control_->Handle())
        return;
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (inner_control_ != nullptr && inner_control_->HandleAllocated()) {
        message.Result = SendMessageW(inner_control_->Handle(), message.Msg, message.WParam, message.LParam);
        return;
      }
      break;
    case WM_SETCURSOR:
      if (inner_control_ != nullptr && reinterpret_cast<HWND>(message.WParam) == Handle() &&
          LOWORD(message.LParam) == HTCLIENT) {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (!PointIn(view_info_->ClientRect, ScreenToClient(TPoint(cursor.x, cursor.y)))) {
          ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
          message.Result = 1;
          return;
        }
      }
      break;
    default:
      break;
  }
  TlxControl::WndProc(message);
  switch (message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_SYSCOLORCHANGE:
    case CM_CTL3DCHANGED:
      RefreshViewNow();
      break;
    case WM_WINDOWPOSCHANGED:
      if (IsTransparentBackground() && !IsBeingDestroyed())
        RefreshViewNow();
      break;
    default:
      break;
  }
}
