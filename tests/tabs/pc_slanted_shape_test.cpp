#include "tabs/pc_slanted_shape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

namespace pc_slanted_shape_test {

using TPixels = std::set<std::pair<int32_t, int32_t>>;

// The pixels a polyline with its end point covers; slanted tab outlines
// run straight or at 45 degrees only.
TPixels PolylinePixels(const TPoints& points) {
  TPixels pixels;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    TPoint p = points[i];
    const TPoint end = points[i + 1];
    const int32_t dx = end.X - p.X;
    const int32_t dy = end.Y - p.Y;
    EXPECT_TRUE(dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy)) << "segment " << i;
    const TPoint step{(dx > 0) - (dx < 0), (dy > 0) - (dy < 0)};
    while (p != end) {
      pixels.insert({p.X, p.Y});
      p = p + step;
    }
  }
  pixels.insert({points.back().X, points.back().Y});
  return pixels;
}

const char* SideName(TlxTabPosition side) {
  static const char* const kNames[] = {"top", "bottom", "left", "right"};
  return kNames[side];
}

// Every tab shape of the slanted painter, on every side: the outer region
// holds the drawn outline and everything inside it, the inner region exactly
// the pixels inside without the outline, and the shape fills its rectangle.
TEST(SlantedShapeTest, RegionsKeepTheOutlineMembership) {
  for (TlxTabSlantKind kind : {skSlant, skCutCorner})
    for (TlxTabSlantPositions positions : {0, 1, 2, 3})
      for (bool rotate : {false, true})
        for (TlxTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
          const bool along_x = lxPCIsRowAxisX(side);
          const TRect r = along_x ? Bounds(5, 7, 60, 21) : Bounds(5, 7, 21, 60);
          const TlxPCSlantSettings settings{kind, static_cast<TlxTabSlantPositions>(positions), rotate};
          const std::string what = std::string(SideName(side)) + " kind " + std::to_string(kind) + " positions " +
                                   std::to_string(positions) + (rotate ? " rotated" : "");
          const TlxPCOutline outline = lxPCSlantedTabOutline(r, side, settings);
          const TPixels drawn = PolylinePixels(lxPCRotatePolyline(r, outline.Points, side));
          const TlxPCPixelRegion outer = lxPCFillPolygon(lxPCOutlineRegionPolygon(outline, r, side, false));
          const TlxPCPixelRegion inner = lxPCFillPolygon(lxPCOutlineRegionPolygon(outline, r, side, true));
          EXPECT_EQ(outer.Bounds(), r) << what;
          for (const auto& [x, y] : drawn) {
            EXPECT_TRUE(outer.Contains(x, y)) << what << " outline pixel " << x << "," << y;
            EXPECT_FALSE(inner.Contains(x, y)) << what << " outline pixel " << x << "," << y;
          }
          for (int32_t y = r.Top - 1; y <= r.Bottom; ++y)
            for (int32_t x = r.Left - 1; x <= r.Right; ++x) {
              const bool expected_inner = outer.Contains(x, y) && drawn.count({x, y}) == 0;
              ASSERT_EQ(inner.Contains(x, y), expected_inner) << what << " pixel " << x << "," << y;
            }
        }
}

// A small top tab with its left end slanted and its right end rounded,
// worked out by hand from the outline: runs of the outer region per row.
TEST(SlantedShapeTest, SlantedTopTabRowsByHand) {
  const TRect r = Bounds(0, 0, 12, 5);
  const TlxPCOutline outline = lxPCSlantedTabOutline(r, tpTop, {skSlant, kPCSlantLeft, false});
  const TPoints expected_points = {{0, 4}, {4, 0}, {9, 0}, {11, 2}, {11, 4}};
  EXPECT_EQ(outline.Points, expected_points);
  EXPECT_EQ(outline.Codes, (TLinePositions{lpLT, lpT, lpRT, lpR}));
  const TlxPCPixelRegion outer = lxPCFillPolygon(lxPCOutlineRegionPolygon(outline, r, tpTop, false));
  const std::vector<TRect> runs = {{4, 0, 10, 1}, {3, 1, 11, 2}, {2, 2, 12, 3}, {1, 3, 12, 4}, {0, 4, 12, 5}};
  EXPECT_EQ(outer.Runs(), runs);
}

TEST(SlantedShapeTest, OutlineEndsFollowKindAndPositions) {
  struct Case {
    TlxPCSlantSettings Settings;
    TLinePositions Codes;
  };
  const Case cases[] = {
      {{skSlant, 3, false}, {lpLT, lpT, lpRT}},
      {{skSlant, 3, true}, {lpL, lpLT, lpT, lpRT, lpR}},  // rotated: both ends rounded
      {{skSlant, 0, false}, {lpL, lpLT, lpT, lpRT, lpR}},
      {{skCutCorner, kPCSlantRight, false}, {lpL, lpT, lpRT, lpR}},  // straight start, cut end
      {{skCutCorner, kPCSlantLeft, true}, {lpL, lpLT, lpT, lpR}},
      {{skCutCorner, 0, false}, {lpL, lpLT, lpT, lpRT, lpR}},
  };
  for (const Case& c : cases) {
    const TlxPCOutline outline = lxPCSlantedTabOutline(Bounds(0, 0, 80, 20), tpTop, c.Settings);
    EXPECT_EQ(outline.Codes, c.Codes) << int(c.Settings.Kind) << " " << int(c.Settings.Positions);
    EXPECT_EQ(outline.Points.size(), outline.Codes.size() + 1);
  }
  // The 6-pixel cut of skCutCorner.
  const TlxPCOutline cut = lxPCSlantedTabOutline(Bounds(0, 0, 80, 20), tpTop, {skCutCorner, kPCSlantRight, false});
  EXPECT_EQ(cut.Points[2], TPoint(73, 0));
  EXPECT_EQ(cut.Points[3], TPoint(79, 6));
}

TEST(SlantedShapeTest, RotatePointMapsTheBaseLineToThePageSide) {
  const TRect r = Bounds(10, 20, 30, 40);  // 30 wide, 40 high
  struct Case {
    TlxTabPosition Side;
    TPoint In;
    TPoint Out;
  };
  const Case cases[] = {
      {tpTop, {12, 59}, {12, 59}},
      {tpBottom, {10, 59}, {10, 20}},   // base line to the top edge
      {tpLeft, {10, 59}, {39, 59}},     // row start at the bottom, page on the right
      {tpLeft, {49, 30}, {10, 20}},
      {tpRight, {10, 59}, {10, 59}},    // page on the left
      {tpRight, {49, 30}, {39, 20}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxPCRotatePoint(r, c.In, c.Side), c.Out) << SideName(c.Side);
  EXPECT_EQ(lxPCGetOrientedSize(r, tpLeft).cx, 40);
  EXPECT_EQ(lxPCGetOrientedSize(r, tpLeft).cy, 30);
}

TEST(SlantedShapeTest, FillPolygonIncludesLeftAndTopEdgesOnly) {
  const TlxPCPixelRegion square = lxPCFillPolygon({{2, 3}, {6, 3}, {6, 5}, {2, 5}});
  EXPECT_EQ(square.Runs(), (std::vector<TRect>{{2, 3, 6, 4}, {2, 4, 6, 5}}));
  // The same square wound the other way round.
  EXPECT_EQ(lxPCFillPolygon({{2, 3}, {2, 5}, {6, 5}, {6, 3}}).Runs(), square.Runs());
  // A triangle on a 45-degree edge keeps the pixels whose corner lies on it.
  const TlxPCPixelRegion triangle = lxPCFillPolygon({{0, 0}, {4, 4}, {0, 4}});
  EXPECT_EQ(triangle.Runs(), (std::vector<TRect>{{0, 1, 1, 2}, {0, 2, 2, 3}, {0, 3, 3, 4}}));
  EXPECT_TRUE(lxPCFillPolygon({{0, 0}, {5, 0}}).IsEmpty());
  EXPECT_TRUE(lxPCFillPolygon({}).IsEmpty());
}

TEST(SlantedShapeTest, PixelRegionCombines) {
  const TlxPCPixelRegion a(Bounds(0, 0, 4, 2));
  const TlxPCPixelRegion b(Bounds(2, 1, 4, 2));
  EXPECT_EQ(a.United(b).Runs(), (std::vector<TRect>{{0, 0, 4, 1}, {0, 1, 6, 2}, {2, 2, 6, 3}}));
  EXPECT_EQ(a.Without(b).Runs(), (std::vector<TRect>{{0, 0, 4, 1}, {0, 1, 2, 2}}));
  EXPECT_EQ(a.Intersected(Bounds(1, 1, 10, 10)).Runs(), (std::vector<TRect>{{1, 1, 4, 2}}));
  EXPECT_TRUE(a.Intersected(Bounds(10, 10, 2, 2)).IsEmpty());
  EXPECT_TRUE(TlxPCPixelRegion(TRect()).IsEmpty());
}

// The divider shape: the long slant leaves the corner above the row start
// out, the far end has a small cut, and the inner shape lies within the outer.
TEST(SlantedShapeTest, OneNoteShapeOnEverySide) {
  for (TlxTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
    const bool along_x = lxPCIsRowAxisX(side);
    const TRect r = along_x ? Bounds(10, 10, 80, 20) : Bounds(10, 10, 20, 80);
    const TlxPCPixelRegion outer = lxPCFillPolygon(lxPCOneNoteShapePoints(r, side, false));
    const TlxPCPixelRegion inner = lxPCFillPolygon(lxPCOneNoteShapePoints(r, side, true));
    // Points in the top orientation, turned to the side.
    auto at = [&](int32_t x_along, int32_t y_from_base) {
      return lxPCRotatePoint(r, {r.Left + x_along, r.Bottom - 1 - y_from_base}, side);
    };
    const TSize size = lxPCGetOrientedSize(r, side);
    for (const TPoint& p : {at(size.cx / 2, size.cy / 2), at(size.cx - 3, 1), at(3, 0)}) {
      EXPECT_TRUE(outer.Contains(p.X, p.Y)) << SideName(side) << " " << p.X << "," << p.Y;
      EXPECT_TRUE(inner.Contains(p.X, p.Y)) << SideName(side) << " " << p.X << "," << p.Y;
    }
    const TPoint corner = at(1, size.cy - 1);  // above the slant
    EXPECT_FALSE(outer.Contains(corner.X, corner.Y)) << SideName(side);
    const TPoint far_corner = at(size.cx - 1, size.cy - 1);  // the cut
    EXPECT_FALSE(outer.Contains(far_corner.X, far_corner.Y)) << SideName(side);
    EXPECT_TRUE(inner.Without(outer).IsEmpty()) << SideName(side);
  }
}

}  // namespace pc_slanted_shape_test
