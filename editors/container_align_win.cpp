// The inner control's alignment: a child larger than the container's
// client area would paint over the frame, so the part that lies outside is
// cut away by the child's window region.
#include "editors/container_routines_win.h"
#include "editors/container_win.h"
#include "platform/toolkit/gdi_holders.h"

bool TlxContainer::GetInnerControlRegionRect(const TRect& rect, TControl* control, TRect& region) {
  const TRect bounds = control->BoundsRect();
  const TRect inside = bounds.Intersect(rect);
  if (inside == bounds)
    return false;
  region = inside.Offset(-bounds.Left, -bounds.Top);
  return true;
}

void TlxContainer::ChangeAlignLock(bool up) {
  if (up) {
    ++align_lock_;
    return;
  }
  if (align_lock_ > 0)
    --align_lock_;
}

void TlxContainer::ClipCanvasToFrame(TlxCanvas& canvas) {
  TOwnedRegion frame(lxCreateFrameRegion(GetFrameRegionBounds(), !IsBorderSelfDrawn(), TRect(), view_info_->Shadow));
  if (frame.Get() != nullptr)
    ExtSelectClipRgn(canvas.Handle(), frame.Get(), RGN_AND);
}

void TlxContainer::AdjustClientRect(TRect& rect) {
  // Aligned children stay inside the frame. Before the first picture and
  // while the container goes, the picture is no guide.
  if (IsBeingDestroyed() || view_info_->ClientRect.IsEmpty())
    return;
  rect = view_info_->ClientRect;
}

void TlxContainer::AlignControls(TControl* control, TRect& rect) {
  if (HostsChildControls()) {
    TlxControl::AlignControls(control, rect);
    return;
  }
  if (IsAlignLocked() || (control != nullptr && IsInternalControl(control)))
    return;
  TlxControl::AlignControls(control, rect);
  auto* child = dynamic_cast<TWinControl*>(control);
  if (child == nullptr || !child->HandleAllocated() || creating_)
    return;
  TlxRegionRequest request;
  request.NoRegion = !GetInnerControlRegionRect(rect, child, request.Rect);
  if (child == inner_control_) {
    // The inner control moves with every recalculation; its region is set
    // again only when it changes, which saves a redraw each time.
    if (inner_region_known_ && inner_has_region_ == !request.NoRegion &&
        (request.NoRegion || inner_region_ == request.Rect))
      return;
    inner_region_known_ = true;
    inner_has_region_ = !request.NoRegion;
    inner_region_ = request.Rect;
  }
  lxApplyControlRegion(*child, request);
}
