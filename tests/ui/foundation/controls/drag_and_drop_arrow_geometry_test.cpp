#include "ui/foundation/controls/drag_and_drop_arrow_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct BoundsCase {
  const char* what;
  TRect target;
  TRect clip;
  TlxInsertionArrowSide side;
  TRect expected;
};

class ArrowBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(ArrowBoundsTest, Bounds) {
  const BoundsCase& c = GetParam();
  const TRect bounds = lxCalcDragDropArrowBounds(c.target, c.clip, c.side);
  EXPECT_EQ(bounds, c.expected) << c.what;
  EXPECT_EQ(bounds.Width(), c.side == iasLeft || c.side == iasRight ? 9 : 11) << c.what;
  EXPECT_EQ(bounds.Height(), c.side == iasLeft || c.side == iasRight ? 11 : 9) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArrowBoundsTest,
    ::testing::Values(
        BoundsCase{"right, no clip", {10, 10, 50, 30}, {}, iasRight, {50, 5, 59, 16}},
        BoundsCase{"left, no clip", {10, 10, 50, 30}, {}, iasLeft, {1, 5, 10, 16}},
        BoundsCase{"top, no clip", {10, 10, 50, 30}, {}, iasTop, {5, 1, 16, 10}},
        BoundsCase{"bottom, no clip", {10, 10, 50, 30}, {}, iasBottom, {5, 30, 16, 39}},
        // A target running out of the clip: the arrow stands at the clip's
        // last pixel, not at the hidden edge.
        BoundsCase{"right edge beyond the clip", {10, 10, 500, 30}, {0, 0, 100, 100}, iasRight, {99, 5, 108, 16}},
        BoundsCase{"left edge before the clip", {-40, 10, 50, 30}, {0, 0, 100, 100}, iasLeft, {-9, 5, 0, 16}},
        BoundsCase{"top edge above the clip", {10, -40, 50, 30}, {0, 0, 100, 100}, iasTop, {5, -9, 16, 0}},
        BoundsCase{"bottom edge below the clip", {10, 10, 50, 300}, {0, 0, 100, 100}, iasBottom, {5, 99, 16, 108}},
        BoundsCase{"target inside the clip is kept", {10, 10, 50, 30}, {0, 0, 100, 100}, iasRight, {50, 5, 59, 16}},
        BoundsCase{"empty clip clamps nothing", {10, 10, 500, 30}, {0, 0, 0, 0}, iasRight, {500, 5, 509, 16}}));

// Every painted corner lies inside the bounds (a polygon's edge pixels are
// painted, so the last column and row are inside only up to Right - 1 and
// Bottom - 1); the region's corners reach one pixel further to the right
// and bottom, since a region leaves those edges out.
TEST(ArrowPolygonTest, PaintedCornersStayInsideAndTheRegionReachesOneFurther) {
  const TRect bounds(20, 30, 29, 41);  // 9 x 11: a horizontal arrow
  const TRect upright(20, 30, 31, 39); // 11 x 9: a vertical arrow
  for (const TlxInsertionArrowSide side : {iasLeft, iasTop, iasRight, iasBottom}) {
    const TRect& rect = side == iasLeft || side == iasRight ? bounds : upright;
    const TlxArrowPolygon painted = lxDragDropArrowPolygon(rect, side, false);
    for (const TPoint& point : painted) {
      EXPECT_TRUE(point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom)
          << "side " << int{side} << " point " << point.X << "," << point.Y;
    }
    const TlxArrowPolygon region = lxDragDropArrowPolygon(rect, side, true);
    const int32_t max_x = std::max_element(region.begin(), region.end(), [](auto a, auto b) { return a.X < b.X; })->X;
    const int32_t max_y = std::max_element(region.begin(), region.end(), [](auto a, auto b) { return a.Y < b.Y; })->Y;
    const int32_t painted_max_x =
        std::max_element(painted.begin(), painted.end(), [](auto a, auto b) { return a.X < b.X; })->X;
    const int32_t painted_max_y =
        std::max_element(painted.begin(), painted.end(), [](auto a, auto b) { return a.Y < b.Y; })->Y;
    EXPECT_EQ(max_x, painted_max_x + 1) << "side " << int{side};
    EXPECT_EQ(max_y, painted_max_y + 1) << "side " << int{side};
  }
}

// The tip is the point nearest the target: it lies on the side facing it.
TEST(ArrowPolygonTest, TipPointsAtTheTarget) {
  const TRect target(100, 100, 200, 150);
  struct TipCase {
    TlxInsertionArrowSide side;
    TPoint tip;
  };
  for (const TipCase& c : {TipCase{iasLeft, {99, 100}}, TipCase{iasRight, {200, 100}},
                           TipCase{iasTop, {100, 99}}, TipCase{iasBottom, {100, 150}}}) {
    const TRect bounds = lxCalcDragDropArrowBounds(target, TRect(), c.side);
    const TlxArrowPolygon polygon = lxDragDropArrowPolygon(bounds, c.side, false);
    EXPECT_NE(std::find(polygon.begin(), polygon.end(), c.tip), polygon.end()) << "side " << int{c.side};
  }
}

}  // namespace
