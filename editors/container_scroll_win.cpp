// The container's scroll bars laid over the system scroll bars of its
// inner control, kept in step with them, and the size grip between them.
#include <algorithm>

#include "editors/container_routines_win.h"
#include "editors/container_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"

bool TlxContainer::GetInnerScrollBarInfo(TScrollBarKind kind, SCROLLBARINFO& info) {
  if (IsBeingDestroyed() || Parent() == nullptr || !HandleAllocated() || inner_control_ == nullptr ||
      !inner_control_->HandleAllocated())
    return false;
  return lxGetScrollBarInfo(inner_control_->WindowHandle(), kind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL,
                            info);
}

bool TlxContainer::IsScrollBarShown(const SCROLLBARINFO& info) {
  return (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0;
}

bool TlxContainer::IsScrollBarEnabled(TlxControlScrollBar* bar, const SCROLLBARINFO& info) {
  return bar->Parent() != nullptr && bar->Parent()->Enabled() && (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

TRect TlxContainer::GetScrollBarClientRect(const SCROLLBARINFO& info) {
  // Left, top, width and height; empty when the bar starts outside the
  // client area or is larger than the control.
  const TPoint top_left = ScreenToClient(TPoint(info.rcScrollBar.left, info.rcScrollBar.top));
  const int32_t width = info.rcScrollBar.right - info.rcScrollBar.left;
  const int32_t height = info.rcScrollBar.bottom - info.rcScrollBar.top;
  if (top_left.X < 0 || top_left.Y < 0 || width > Width() || height > Height())
    return TRect();
  return TRect(top_left.X, top_left.Y, width, height);
}

void TlxContainer::ShowScrollBar(TlxControlScrollBar* bar, bool visible) {
  bar->SetVisible(visible);
  if (!visible)
    return;
  bar->SetCtl3D(false);
  bar->BringToFront();
}

void TlxContainer::SyncScrollBar(TlxControlScrollBar* bar, TScrollBarKind kind) {
  SCROLLBARINFO info{};
  const bool system_bar = GetInnerScrollBarInfo(kind, info) && IsScrollBarShown(info);
  if (!system_bar) {
    ShowScrollBar(bar, false);
    return;
  }
  bar->SetEnabled(IsScrollBarEnabled(bar, info));
  const TRect place = GetScrollBarClientRect(info);
  bar->SetBounds(place.Left, place.Top, place.Right, place.Bottom);
  ShowScrollBar(bar, place.Right > 0 && place.Bottom > 0);
  if (!bar->Visible())
    return;
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_ALL;
  GetScrollInfo(inner_control_->WindowHandle(), kind == sbHorizontal ? SB_HORZ : SB_VERT, &scroll);
  const int32_t maximum = std::max(scroll.nMax, scroll.nMin);
  const int32_t page = std::clamp(static_cast<int32_t>(scroll.nPage), 0, maximum);
  bar->ApplyScrollParams(scroll.nMin, maximum, scroll.nPos, page, true);
}

void TlxContainer::SyncScrollBarsWithInnerControl(bool skip_bars) {
  if (inner_control_ == nullptr || !HasScrollBars() || IsBeingDestroyed() || !lxIsScrollBarInfoAvailable())
    return;
  TStateScope<bool> calculating(calculating_scroll_bars_, true);
  if (!skip_bars) {
    if (HScrollBar() != nullptr)
      SyncScrollBar(HScrollBar(), sbHorizontal);
    if (VScrollBar() != nullptr)
      SyncScrollBar(VScrollBar(), sbVertical);
  }
  const bool was_visible = size_grip_visible_;
  const TRect old_bounds = size_grip_bounds_;
  auto* inner = dynamic_cast<IlxContainerInnerControl*>(inner_control_);
  size_grip_visible_ = inner != nullptr && HScrollBar() != nullptr && VScrollBar() != nullptr &&
                       HScrollBar()->Visible() && VScrollBar()->Visible();
  size_grip_bounds_ = TRect();
  if (size_grip_visible_ && inner_control_->HandleAllocated()) {
    // The square between the bars, relative to the inner control's window.
    const TPoint corner = ClientToScreen(TPoint(VScrollBar()->Left(), HScrollBar()->Top()));
    RECT window{};
    GetWindowRect(inner_control_->WindowHandle(), &window);
    const int32_t left = corner.X - window.left;
    const int32_t top = corner.Y - window.top;
    size_grip_bounds_ = TRect(left, top, left + VScrollBar()->Width(), top + HScrollBar()->Height());
  }
  if (size_grip_visible_ && (!was_visible || old_bounds != size_grip_bounds_) && inner_control_->HandleAllocated()) {
    HRGN region = CreateRectRgn(size_grip_bounds_.Left, size_grip_bounds_.Top, size_grip_bounds_.Right,
                                size_grip_bounds_.Bottom);
    SendMessageW(inner_control_->WindowHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
  }
}

void TlxContainer::RequestScrollBarsSync() {
  if (HandleAllocated() && inner_control_ != nullptr && !IsBeingDestroyed())
    PostMessageW(WindowHandle(), LX_CONTAINER_SYNC_SCROLL_BARS, 0, 0);
}
