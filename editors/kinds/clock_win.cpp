#include "editors/kinds/clock_win.h"

#include <cmath>

#include "data/date_arithmetic.h"
#include "platform/rtl/property.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

void TlxClock::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxClock>();
  p.Integer("MinuteDotColor", &TlxClock::MinuteDotColor, &TlxClock::SetMinuteDotColor, clWindow);
  p.Float("Time", &TlxClock::Time, &TlxClock::SetTime);
}

TlxClock::TlxClock(TComponent* owner) : TlxControl(owner) {
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(false);
}

void TlxClock::SetMinuteDotColor(TColor value) {
  minute_dot_color_ = value;
  Invalidate();
}

void TlxClock::SetTime(TDateTime value) {
  const TDateTime time = std::fabs(lxTimeOfDateTime(value));
  if (time == time_)
    return;
  time_ = time;
  Invalidate();
}

void TlxClock::Paint() {
  const TTimeParts parts = DecodeTimeParts(time_);
  GetPainter()->PaintClock(Canvas(), GetClientBounds(), parts.hour, parts.minute, parts.second, Color());
}
