#include "ui/foundation/system/mouse_tracking_win.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/toolkit/win_control.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

using TrackingList = std::vector<std::unique_ptr<TMouseTrackingTimer>>;

TrackingList& Trackers() {
  static TrackingList trackers;
  return trackers;
}

TrackingList::iterator FindTracker(IlxMouseTrackingCaller* caller) {
  TrackingList& trackers = Trackers();
  return std::find_if(trackers.begin(), trackers.end(),
                      [caller](const std::unique_ptr<TMouseTrackingTimer>& timer) { return timer->Caller() == caller; });
}

}  // namespace

TMouseTrackingTimer::TMouseTrackingTimer(IlxMouseTrackingCaller* caller, TWinControl* control, const TRect& bounds)
    : TlxTimer(nullptr), caller_(caller), control_(control), bounds_(bounds) {
  SetInterval(kPollInterval);
  SetOnTimer([this](TObject*) { Tick(); });
}

bool TMouseTrackingTimer::CursorInside(const TPoint& cursor) const {
  if (auto* area = dynamic_cast<IlxMouseTrackingArea*>(caller_)) {
    if (control_ == nullptr || !control_->HandleAllocated())
      return false;
    return area->ContainsPoint(control_->ScreenToClient(cursor));
  }
  return bounds_.Contains(cursor);
}

void TMouseTrackingTimer::Tick() {
  TPoint cursor;
  lxGetCursorPosSafe(cursor);
  if (CursorInside(cursor))
    return;
  // The control's leave handling may stop the tracking, and stopping frees
  // this timer: nothing of it is touched after the control has been told.
  IlxMouseTrackingCaller* caller = caller_;
  TWinControl* control = control_;
  if (control != nullptr && control->HandleAllocated() &&
      !control->ClientRect().Contains(control->ScreenToClient(cursor)))
    control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  caller->MouseLeave();
  lxStopMouseTracking(caller);
}

void lxStartMouseTracking(TWinControl* control, const TRect& bounds, IlxMouseTrackingCaller* caller) {
  if (caller == nullptr || lxFoundationModuleFinalizing() || lxIsMouseTracking(caller))
    return;
  TRect screen_bounds = bounds;
  if (control != nullptr) {
    const TPoint top_left = control->ClientToScreen(bounds.TopLeft());
    const TPoint bottom_right = control->ClientToScreen(bounds.BottomRight());
    screen_bounds = TRect(top_left.X, top_left.Y, bottom_right.X, bottom_right.Y);
  }
  Trackers().push_back(std::make_unique<TMouseTrackingTimer>(caller, control, screen_bounds));
}

void lxStopMouseTracking(IlxMouseTrackingCaller* caller) {
  auto tracker = FindTracker(caller);
  if (tracker == Trackers().end())
    return;
  // Out of the list before it goes, so that a caller's reaction to the
  // timer's end finds it stopped.
  std::unique_ptr<TMouseTrackingTimer> timer = std::move(*tracker);
  Trackers().erase(tracker);
}

bool lxIsMouseTracking(IlxMouseTrackingCaller* caller) { return FindTracker(caller) != Trackers().end(); }

int32_t lxFreeMouseTrackingTimers() {
  const auto left = static_cast<int32_t>(Trackers().size());
  Trackers().clear();
  return left;
}
