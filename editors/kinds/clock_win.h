#pragma once
// TlxClock: the analogue clock beside the calendar's time editor. It keeps
// a time of day and hands it with its colour to the look-and-feel
// painter, which draws the face, the minute dots and the hands.

#include <windows.h>

#include "platform/rtl/date_time.h"
#include "ui/foundation/controls/control_win.h"

class TlxClock : public TlxControl {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxClock", &TlxControl::kClass, &ConstructInstance<TlxClock>, &TlxClock::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxClock(TComponent* owner);

  TColor MinuteDotColor() const { return minute_dot_color_; }
  void SetMinuteDotColor(TColor value);
  TDateTime Time() const { return time_; }
  // Keeps the time of day only.
  void SetTime(TDateTime value);

 protected:
  void Paint() override;

 private:
  TColor minute_dot_color_ = clWindow;
  TDateTime time_ = 0;
};
