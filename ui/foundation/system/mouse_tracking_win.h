#pragma once
// Hover end detection: a control that shows a hot state asks to be told
// when the mouse has left it. A timer per caller polls the cursor every
// 10 ms; when the cursor is outside, the control gets CM_MOUSELEAVE (when
// the cursor has left its client area too), the caller's MouseLeave runs
// and tracking ends. Included only from Windows sources.

#include <cstdint>

#include "platform/rtl/object.h"
#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/system/lx_timer_win.h"

class TWinControl;

class IlxMouseTrackingCaller : public virtual IInterface {
 public:
  virtual void MouseLeave() = 0;
};

// A caller that decides itself whether the mouse is still inside.
class IlxMouseTrackingArea : public virtual IInterface {
 public:
  virtual void MouseLeave() = 0;
  // `point` in the tracked control's client coordinates.
  virtual bool ContainsPoint(const TPoint& point) = 0;
};

class TMouseTrackingTimer : public TlxTimer {
 public:
  static constexpr TClass kClass{"TMouseTrackingTimer", &TlxTimer::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr uint32_t kPollInterval = 10;

  // `bounds` in screen coordinates.
  TMouseTrackingTimer(IlxMouseTrackingCaller* caller, TWinControl* control, const TRect& bounds);

  IlxMouseTrackingCaller* Caller() const { return caller_; }
  TWinControl* Control() const { return control_; }
  const TRect& Bounds() const { return bounds_; }

 private:
  bool CursorInside(const TPoint& cursor) const;
  void Tick();

  IlxMouseTrackingCaller* caller_;
  TWinControl* control_;  // not owned
  TRect bounds_;
};

// Starts tracking for the caller; `bounds` are in the control's client
// coordinates when a control is given, else in screen coordinates. Nothing
// while the module ends or when the caller is already tracked.
void lxStartMouseTracking(TWinControl* control, const TRect& bounds, IlxMouseTrackingCaller* caller);
// Ends the caller's tracking; nothing when it is not tracked.
void lxStopMouseTracking(IlxMouseTrackingCaller* caller);
bool lxIsMouseTracking(IlxMouseTrackingCaller* caller);

// The module's end: frees every tracking timer left and says how many there
// were (each a user that forgot to stop).
int32_t lxFreeMouseTrackingTimers();
