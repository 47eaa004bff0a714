#include "ui/foundation/painters/painter_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/foundation/base/unit_routines.h"
#include "ui/foundation/geometry/rect_functions.h"

TlxTriangle lxComputeArrowTriangle(const TRect& rect, TlxArrowDirection direction, bool proportional, int32_t size) {
  TRect r = rect;
  if (proportional) {
    const int32_t difference = r.Width() - r.Height();
    if (difference > 0) {
      r.Left += difference / 2;
      r.Right -= difference / 2;
    } else {
      r.Top += (-difference) / 2;
      r.Bottom -= (-difference) / 2;
    }
  }
  if (direction == adUp || direction == adDown) {
    const int32_t s = size != 0 ? size : (r.Width() - 1) / 4 + 1;
    const int32_t n = 2 * s - 1;
    const int32_t x0 = (r.Left + r.Right - n) / 2;
    const int32_t y0 = lxMulDiv(r.Top + r.Bottom - s, 1, 2);
    const int32_t apex_x = (r.Left + r.Right - 1) / 2;
    if (direction == adUp) return {TPoint{apex_x, y0}, TPoint{x0, y0 + s - 1}, TPoint{x0 + n - 1, y0 + s - 1}};
    return {TPoint{x0, y0}, TPoint{x0 + n - 1, y0}, TPoint{apex_x, y0 + s - 1}};
  }
  const int32_t s = size != 0 ? size : (r.Height() - 1) / 4 + 1;
  const int32_t n = 2 * s - 1;
  const int32_t x0 = (r.Left + r.Right - s) / 2;
  const int32_t y0 = lxMulDiv(r.Top + r.Bottom - n, 1, 2);
  const int32_t apex_y = (r.Top + r.Bottom) / 2;
  if (direction == adLeft) return {TPoint{x0, apex_y}, TPoint{x0 + s - 1, y0}, TPoint{x0 + s - 1, y0 + n - 1}};
  return {TPoint{x0, y0}, TPoint{x0, y0 + n - 1}, TPoint{x0 + s - 1, apex_y}};
}

TlxTriangle lxDropDownTriangle(const TRect& rect) {
  int32_t width = rect.Width() / 2;
  if (width % 2 == 0) ++width;
  const int32_t height = width / 2 + 1;
  const TPoint first{(rect.Left + rect.Right - width) / 2, lxMulDiv(rect.Top + rect.Bottom - height, 1, 2)};
  return {first, TPoint{first.X + width - 1, first.Y}, TPoint{first.X + width / 2, first.Y + height - 1}};
}

TRect lxButtonCaptionRect(const TRect& rect) {
  TRect r = rect;
  r.Bottom -= r.Height() % 2;
  if (r.Height() < 18) --r.Top;
  return r;
}

std::array<TlxStroke, 3> lxCheckMarkStrokes(const TRect& rect) {
  const int32_t w = rect.Width() - 2;
  const int32_t h = rect.Height() - 4;
  const int32_t x0 = (rect.Left + rect.Right) / 2 - 1;
  std::array<TlxStroke, 3> strokes;
  for (int32_t k = 0; k < 3; ++k) {
    const int32_t y = (rect.Top + rect.Bottom + h) / 2 - 2 + k;
    strokes[k] = {TPoint{x0 - w / 2 + 1, y - h / 2}, TPoint{x0, y}, TPoint{x0 + w / 2 + 2, y - h}};
  }
  return strokes;
}

std::array<TlxStroke, 4> lxGroupExpandMarkStrokes(const TRect& rect, bool expanded) {
  const int32_t x = (rect.Left + rect.Right - 7) / 2;
  const int32_t y = (rect.Top + rect.Bottom - 8) / 2;
  const std::array<int32_t, 4> rows{y, y + 1, y + 4, y + 5};
  std::array<TlxStroke, 4> strokes;
  for (int32_t k = 0; k < 4; ++k) {
    const int32_t a = rows[k];
    const bool even = k % 2 == 0;
    if (expanded) {
      strokes[k] = even ? TlxStroke{{x, a + 3}, {x + 3, a}, {x + 7, a + 4}}
                        : TlxStroke{{x + 1, a + 2}, {x + 3, a}, {x + 6, a + 3}};
    } else {
      strokes[k] = even ? TlxStroke{{x + 1, a + 1}, {x + 3, a + 3}, {x + 6, a}}
                        : TlxStroke{{x, a}, {x + 3, a + 3}, {x + 7, a - 1}};
    }
  }
  return strokes;
}

TlxExpandCross lxExpandCross(const TRect& rect, bool expanded) {
  const int32_t cx = lxRangeMiddle(rect.Left, rect.Right);
  const int32_t cy = lxRangeMiddle(rect.Top, rect.Bottom);
  const int32_t half = (rect.Width() - 4) / 2;
  TlxExpandCross cross;
  cross.Horizontal = TRect(cx - half, cy, cx + half + 1, cy + 1);
  if (!expanded) cross.Vertical = TRect(cx, cy - half, cx + 1, cy + half + 1);
  return cross;
}

std::array<std::array<TPoint, 2>, 4> lxButtonCrossLines(const TRect& rect, int32_t glyph_width, bool pressed) {
  int32_t s = glyph_width / 2;
  if (s % 2 == 0) --s;
  int32_t x = (rect.Left + rect.Right - s) / 2;
  int32_t y = (rect.Top + rect.Bottom - s) / 2;
  if (pressed) {
    ++x;
    ++y;
  }
  std::array<std::array<TPoint, 2>, 4> lines;
  for (int32_t pass = 0; pass < 2; ++pass) {
    const int32_t px = x + pass;
    lines[pass * 2] = {TPoint{px, y}, TPoint{px + s, y + s}};
    lines[pass * 2 + 1] = {TPoint{px, y + s - 1}, TPoint{px + s, y - 1}};
  }
  return lines;
}

TlxSortArrowPath lxSortArrowPath(const TRect& rect, TSize mark_size, bool ascending) {
  const int32_t w = mark_size.cx;
  const int32_t h = mark_size.cy;
  const int32_t s = ascending ? 1 : -1;
  const bool even = w % 2 == 0;
  const int32_t c = (rect.Left + rect.Right) / 2 - (even ? 1 : 0);
  const int32_t y = ascending ? (rect.Top + rect.Bottom - h) / 2 : (rect.Top + rect.Bottom + h) / 2 - 1;
  const int32_t left_half = w / 2 - (even ? 1 : 0);
  const int32_t right_half = w / 2;
  TlxSortArrowPath path;
  path.Start = TPoint{c + right_half, y + (h - 2) * s};
  path.Segments = {
      {TPoint{c + right_half - left_half, y}, true},       {TPoint{c + right_half, y + (h - 1) * s}, true},
      {TPoint{c - left_half, y + (h - 1) * s}, ascending}, {TPoint{c, y}, false},
      {TPoint{c - left_half, y + (h - w % 2) * s}, false},
  };
  return path;
}

TlxCustomizationMark lxCustomizationMark(const TRect& rect) {
  const int32_t x0 = rect.Left + 3;
  const int32_t length = rect.Width() - 6;
  const int32_t y0 = (rect.Top + rect.Bottom - 9) / 2;
  TlxCustomizationMark mark;
  for (int32_t i = 0; i < 5; ++i) {
    const int32_t y = y0 + 2 * i;
    mark.Lines[i] = {TPoint{x0 + 2, y}, TPoint{x0 + length, y}};
  }
  mark.Bullets = {TPoint{x0, y0}, TPoint{x0, y0 + 4}, TPoint{x0, y0 + 8}};
  return mark;
}

std::vector<TlxTriangle> lxMonthHeaderArrows(const TRect& bounds, int32_t arrows, int32_t side_width) {
  const TRect r(bounds.Left, bounds.Top + 1, bounds.Right, bounds.Bottom - 1);
  int32_t c = r.Height() / 2;
  if (c % 2 == 0) ++c;
  const int32_t y1 = (r.Top + r.Bottom - c) / 2 - 1;
  std::vector<TlxTriangle> result;
  if ((arrows & 1) != 0) {
    const int32_t x = r.Left + side_width - 1;
    result.push_back({TPoint{x, y1}, TPoint{x, y1 + c + 1}, TPoint{x - (c / 2 + 1), y1 + c / 2 + 1}});
  }
  if ((arrows & 2) != 0) {
    const int32_t x = r.Right - side_width + 1;
    result.push_back({TPoint{x, y1}, TPoint{x, y1 + c + 1}, TPoint{x + c / 2 + 1, y1 + c / 2 + 1}});
  }
  return result;
}

TlxSchedulerNavButtonSizes lxBaseSchedulerNavButtonSizes(bool next_button) {
  TlxSchedulerNavButtonSizes sizes;
  sizes.Margins = next_button ? TRect(2, 6, 0, 6) : TRect(0, 6, 2, 6);
  sizes.ArrowSize = TSize{7, 7};
  return sizes;
}

void lxComputeSchedulerNavButtonRects(const TlxSchedulerNavButtonSizes& sizes, bool collapsed, int32_t caption_width1,
                                      int32_t caption_width2, TRect& bounds, TRect& text_rect, TRect& arrow_rect) {
  const TRect& m = sizes.Margins;
  const int32_t arrow_area = 3 * sizes.ArrowSize.cy;
  if (collapsed) {
    text_rect = TRect();
    const int32_t height = arrow_area + m.Top + m.Bottom;
    const int32_t top = (bounds.Top + bounds.Bottom - height) / 2;
    bounds = TRect(bounds.Left, top, bounds.Right, top + height);
    arrow_rect = lxRectCentered(bounds, sizes.ArrowSize);
    return;
  }
  const TRect content = lxRectContent(bounds, m);
  arrow_rect =
      lxRectCentered(TRect(content.Left, content.Top, content.Right, content.Top + arrow_area), sizes.ArrowSize);
  text_rect = TRect(content.Left, content.Top + arrow_area + 5, content.Right, content.Bottom - 2 * sizes.ArrowSize.cy);
  const int32_t excess = std::max(caption_width1, caption_width2) - text_rect.Height();
  if (excess < 1) return;
  arrow_rect = lxRectShifted(arrow_rect, 0, -excess);
  text_rect.Top -= excess;
  text_rect.Bottom += excess;
  bounds.Top -= excess;
  bounds.Bottom += excess;
}

std::vector<TRect> lxSchedulerNavArrowStrips(const TRect& rect, bool next_button) {
  std::vector<TRect> strips;
  const int32_t steps = (rect.Height() + 1) / 2;
  const int32_t step_x = next_button ? 1 : -1;
  int32_t x = next_button ? rect.Left : rect.Right - 2;
  int32_t top = rect.Top;
  int32_t bottom = rect.Bottom - 1;
  for (int32_t i = 0; i < steps; ++i) {
    strips.emplace_back(x, top, x + 2, top + 1);
    strips.emplace_back(x, bottom, x + 2, bottom + 1);
    ++top;
    --bottom;
    x += step_x;
  }
  strips.push_back(next_button ? TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom)
                               : TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom));
  return strips;
}

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

TPoint RoundedPoint(double x, double y) {
  return TPoint{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
}

}  // namespace

TlxClockGeometry lxClockGeometry(const TRect& bounds) {
  TlxClockGeometry clock;
  clock.CentreX = (bounds.Left + bounds.Right) / 2;
  clock.CentreY = (bounds.Top + bounds.Bottom) / 2;
  clock.RadiusX = bounds.Width() * 0.5 - 2;
  clock.RadiusY = bounds.Height() * 0.5 - 2;
  return clock;
}

TPoint lxClockDialPoint(const TlxClockGeometry& clock, int32_t index) {
  const double angle = index * kTwoPi / 60;
  return RoundedPoint(std::cos(angle) * clock.RadiusX + clock.CentreX, std::sin(angle) * clock.RadiusY + clock.CentreY);
}

double lxClockHourAngle(int32_t hour, int32_t minute, int32_t second) {
  return ((hour % 12) * 3600 + minute * 60 + second - 10800) * kTwoPi / 43200;
}

double lxClockMinuteAngle(int32_t minute, int32_t second) { return (minute * 60 + second - 900) * kTwoPi / 3600; }

double lxClockSecondAngle(int32_t second) { return (second - 15) * kTwoPi / 60; }

std::array<TPoint, 4> lxClockHandCorners(const TlxClockGeometry& clock, double angle, int32_t width, double tip,
                                         double tail) {
  const double half = width / 2.0;
  const double side = std::numbers::pi / 2;
  return {
      RoundedPoint(clock.CentreX + clock.RadiusX * tip * std::cos(angle),
                   clock.CentreY + clock.RadiusY * tip * std::sin(angle)),
      RoundedPoint(clock.CentreX + half * std::cos(angle + side), clock.CentreY + half * std::sin(angle + side)),
      RoundedPoint(clock.CentreX + clock.RadiusX * tail * std::cos(angle + std::numbers::pi),
                   clock.CentreY + clock.RadiusY * tail * std::sin(angle + std::numbers::pi)),
      RoundedPoint(clock.CentreX + half * std::cos(angle - side), clock.CentreY + half * std::sin(angle - side)),
  };
}

TPoint lxClockSecondHandTip(const TlxClockGeometry& clock, double angle) {
  return RoundedPoint(clock.CentreX + clock.RadiusX * 0.9 * std::cos(angle),
                      clock.CentreY + clock.RadiusY * 0.9 * std::sin(angle));
}
