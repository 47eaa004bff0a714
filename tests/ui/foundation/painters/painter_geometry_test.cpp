#include "ui/foundation/painters/painter_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(PainterTypesTest, StyleCodesMapBackToKinds) {
  EXPECT_EQ(lxStyleToLookAndFeelKind(lxStyleFlat), lfFlat);
  EXPECT_EQ(lxStyleToLookAndFeelKind(lxStyleStandard), lfStandard);
  EXPECT_EQ(lxStyleToLookAndFeelKind(lxStyleUltraFlat), lfUltraFlat);
  EXPECT_EQ(lxStyleToLookAndFeelKind(lxStyleNative), lfStandard);
  EXPECT_EQ(lxStyleToLookAndFeelKind(lxStyleOffice11), lfOffice11);
  EXPECT_EQ(lxStyleToLookAndFeelKind(99), lfStandard);
  EXPECT_EQ(lxButtonStateToThemeState(lxbsDefault), 5);
  EXPECT_EQ(lxButtonStateToThemeState(lxbsNormal), 1);
  EXPECT_EQ(lxButtonStateToThemeState(lxbsHot), 2);
  EXPECT_EQ(lxButtonStateToThemeState(lxbsPressed), 3);
  EXPECT_EQ(lxButtonStateToThemeState(lxbsDisabled), 4);
}

TEST(PainterGeometryTest, ArrowTriangles) {
  struct Case {
    TRect rect;
    TlxArrowDirection direction;
    bool proportional;
    TlxTriangle expected;
  };
  const Case cases[] = {
      // 17 wide: S = 16 / 4 + 1 = 5, base 9; y0 = MulDiv(0 + 11 - 5, 1, 2) = 3.
      {TRect(0, 0, 17, 11), adDown, false, {TPoint{4, 3}, TPoint{12, 3}, TPoint{8, 7}}},
      {TRect(0, 0, 17, 11), adUp, false, {TPoint{8, 3}, TPoint{4, 7}, TPoint{12, 7}}},
      // Made square first: 17 x 11 loses 3 on each side, 11 wide: S = 3.
      {TRect(0, 0, 17, 11), adDown, true, {TPoint{6, 4}, TPoint{10, 4}, TPoint{8, 6}}},
      // A half rounded away from zero: MulDiv(0 + 10 - 3, 1, 2) = 4.
      {TRect(0, 0, 9, 10), adDown, false, {TPoint{2, 4}, TPoint{6, 4}, TPoint{4, 6}}},
      {TRect(0, 0, 11, 17), adRight, false, {TPoint{3, 4}, TPoint{3, 12}, TPoint{7, 8}}},
      {TRect(0, 0, 11, 17), adLeft, false, {TPoint{3, 8}, TPoint{7, 4}, TPoint{7, 12}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxComputeArrowTriangle(c.rect, c.direction, c.proportional), c.expected)
        << c.direction << " proportional " << c.proportional;
  // A given size wins over the computed one: y0 = MulDiv(9, 1, 2) = 5.
  EXPECT_EQ(lxComputeArrowTriangle(TRect(0, 0, 17, 11), adDown, false, 2)[2], TPoint(8, 6));
}

TEST(PainterGeometryTest, DropDownTriangleIsOddAndPointsDown) {
  // 20 wide: W = 10 made odd 11, H = 6.
  const TlxTriangle t = lxDropDownTriangle(TRect(0, 0, 20, 20));
  EXPECT_EQ(t[0], TPoint(4, 7));
  EXPECT_EQ(t[1], TPoint(14, 7));
  EXPECT_EQ(t[2], TPoint(9, 12));
}

TEST(PainterGeometryTest, ButtonCaptionRectangle) {
  // 21 high: the odd pixel goes, the top stays.
  EXPECT_EQ(lxButtonCaptionRect(TRect(0, 10, 50, 31)), TRect(0, 10, 50, 30));
  // 17 high: 16, then the top moves up by one because 16 < 18.
  EXPECT_EQ(lxButtonCaptionRect(TRect(0, 10, 50, 27)), TRect(0, 9, 50, 26));
  EXPECT_EQ(lxButtonCaptionRect(TRect(0, 0, 50, 18)), TRect(0, 0, 50, 18));
}

TEST(PainterGeometryTest, CheckMarkIsThreeStrokesOneRowApart) {
  // A 9 x 9 inside: W = 7, H = 5, X0 = 3.
  const auto strokes = lxCheckMarkStrokes(TRect(0, 0, 9, 9));
  for (int k = 0; k < 3; ++k) {
    const int y = 5 + k;
    EXPECT_EQ(strokes[k], (TlxStroke{{1, y - 2}, {3, y}, {8, y - 5}})) << k;
  }
}

TEST(PainterGeometryTest, ExpandCrossAndCloseCross) {
  const TlxExpandCross collapsed = lxExpandCross(TRect(0, 0, 9, 9), false);
  EXPECT_EQ(collapsed.Horizontal, TRect(2, 4, 7, 5));
  EXPECT_EQ(collapsed.Vertical, TRect(4, 2, 5, 7));
  EXPECT_TRUE(lxExpandCross(TRect(0, 0, 9, 9), true).Vertical.IsEmpty());
  // Width 16: S = 8, less one when even: 7; centred in 20 x 20 at 6.
  const auto lines = lxButtonCrossLines(TRect(0, 0, 20, 20), 16, false);
  EXPECT_EQ(lines[0][0], TPoint(6, 6));
  EXPECT_EQ(lines[0][1], TPoint(13, 13));
  EXPECT_EQ(lines[1][0], TPoint(6, 12));
  EXPECT_EQ(lines[1][1], TPoint(13, 5));
  EXPECT_EQ(lines[2][0], TPoint(7, 6));
  EXPECT_EQ(lxButtonCrossLines(TRect(0, 0, 20, 20), 16, true)[0][0], TPoint(7, 7));
}

TEST(PainterGeometryTest, SortArrowPathAscendingAndDescending) {
  // 8 x 7 in a 16 x 15 cell: c = 7, LH = 3, RH = 4.
  const TlxSortArrowPath up = lxSortArrowPath(TRect(0, 0, 16, 15), TSize{8, 7}, true);
  EXPECT_EQ(up.Start, TPoint(11, 9));
  ASSERT_EQ(up.Segments.size(), 5u);
  EXPECT_EQ(up.Segments[0].To, TPoint(8, 4));
  EXPECT_TRUE(up.Segments[2].Light) << "ascending: the base is light";
  EXPECT_EQ(up.Segments[4].To, TPoint(4, 11));
  const TlxSortArrowPath down = lxSortArrowPath(TRect(0, 0, 16, 15), TSize{8, 7}, false);
  EXPECT_EQ(down.Start, TPoint(11, 5));
  EXPECT_FALSE(down.Segments[2].Light) << "descending: the base is shadow";
  EXPECT_FALSE(down.Segments[3].Light);
}

TEST(PainterGeometryTest, SchedulerNavButtonRects) {
  const TlxSchedulerNavButtonSizes next = lxBaseSchedulerNavButtonSizes(true);
  EXPECT_EQ(next.Margins, TRect(2, 6, 0, 6));
  EXPECT_EQ(lxBaseSchedulerNavButtonSizes(false).Margins, TRect(0, 6, 2, 6));

  TRect bounds(0, 0, 20, 100);
  TRect text;
  TRect arrow;
  lxComputeSchedulerNavButtonRects(next, true, 0, 0, bounds, text, arrow);
  EXPECT_EQ(bounds, TRect(0, 33, 20, 66)) << "collapsed: 21 + 6 + 6 high, centred, same width";
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(arrow.Width(), 7);

  bounds = TRect(0, 0, 20, 100);
  lxComputeSchedulerNavButtonRects(next, false, 30, 10, bounds, text, arrow);
  EXPECT_EQ(text, TRect(2, 32, 20, 80));
  EXPECT_EQ(bounds, TRect(0, 0, 20, 100)) << "the caption fits";
  lxComputeSchedulerNavButtonRects(next, false, 58, 10, bounds, text, arrow);
  EXPECT_EQ(bounds, TRect(0, -10, 20, 110)) << "a caption 10 longer grows the button at both ends";
  EXPECT_EQ(text, TRect(2, 22, 20, 90));
}

TEST(PainterGeometryTest, ClockHandsAtThreeOClock) {
  EXPECT_DOUBLE_EQ(lxClockHourAngle(3, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(lxClockHourAngle(15, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(lxClockMinuteAngle(0, 0), -std::numbers::pi / 2);
  EXPECT_DOUBLE_EQ(lxClockSecondAngle(15), 0.0);
  const TlxClockGeometry clock = lxClockGeometry(TRect(0, 0, 104, 104));
  EXPECT_EQ(lxClockDialPoint(clock, 0), TPoint(102, 52));
  EXPECT_EQ(lxClockDialPoint(clock, 15), TPoint(52, 102));
  // Hour hand: tip on the positive x axis at 0.75 of the radius.
  EXPECT_EQ(lxClockHandCorners(clock, 0.0, 9, 0.75, 0.15)[0], TPoint(52 + 38, 52));
  // Minute hand straight up.
  EXPECT_EQ(lxClockHandCorners(clock, -std::numbers::pi / 2, 7, 0.85, 0.2)[0], TPoint(52, 10))
      << "52 - 42.5 rounds to 10";
}

TEST(PainterGeometryTest, MonthArrowsAndCustomizationMark) {
  // 20 high bounds: shrunk to 18, C = 9 + ... 18 / 2 = 9 (odd), y1 = (1 + 19 - 9) / 2 - 1 = 4.
  const auto arrows = lxMonthHeaderArrows(TRect(0, 0, 100, 20), 3, 10);
  ASSERT_EQ(arrows.size(), 2u);
  EXPECT_EQ(arrows[0], (TlxTriangle{TPoint{9, 4}, TPoint{9, 14}, TPoint{4, 9}}));
  EXPECT_EQ(arrows[1], (TlxTriangle{TPoint{91, 4}, TPoint{91, 14}, TPoint{96, 9}}));
  EXPECT_EQ(lxMonthHeaderArrows(TRect(0, 0, 100, 20), 2, 10).size(), 1u);

  const TlxCustomizationMark mark = lxCustomizationMark(TRect(0, 0, 20, 19));
  EXPECT_EQ(mark.Lines[0][0], TPoint(5, 5));
  EXPECT_EQ(mark.Lines[4][1], TPoint(17, 13));
  EXPECT_EQ(mark.Bullets[2], TPoint(3, 13));
}

}  // namespace
