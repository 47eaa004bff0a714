#include "ui/foundation/controls/scroll_bar_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

struct ThumbCase {
  const char* what;
  TlxScrollRange range;
  int32_t track;
  int32_t min_thumb;
  int32_t fixed_thumb;
  TlxThumbSpan expected;
};

TEST(ScrollBarGeometryTest, ThumbFollowsRangePageAndTrack) {
  const ThumbCase cases[] = {
      {"half page on a 100 px track rounds to nearest", {0, 100, 50, 0}, 100, 8, 17, {0, 50}},
      {"half page at the end", {0, 100, 50, 100}, 100, 8, 17, {50, 50}},
      {"half page past the movable part stays at the end", {0, 100, 50, 60}, 100, 8, 17, {50, 50}},
      {"page 0 takes the fixed length", {0, 100, 0, 50}, 100, 8, 17, {42, 17}},
      {"page 0 at the end", {0, 100, 0, 100}, 100, 8, 17, {83, 17}},
      {"page 0 with Max = Min sits at the start", {5, 5, 0, 5}, 100, 8, 17, {0, 17}},
      {"page 0 on a track shorter than the fixed thumb", {0, 100, 0, 0}, 10, 8, 17, {0, 0}},
      {"page with Max = Min has no thumb", {5, 5, 1, 5}, 100, 8, 17, {0, 0}},
      {"track shorter than the minimal thumb", {0, 100, 10, 0}, 7, 8, 17, {0, 0}},
      {"tiny page raised to the minimal thumb", {0, 10000, 1, 5000}, 100, 8, 17, {46, 8}},
      {"Min above 0 at its start", {50, 150, 50, 50}, 100, 8, 17, {0, 50}},
      {"Min above 0 at the end of the movable part", {50, 150, 50, 101}, 100, 8, 17, {50, 50}},
      {"page exactly the range fills the track", {0, 9, 10, 0}, 100, 8, 17, {0, 100}},
      {"page larger than the range stays at the start", {20, 30, 25, 30}, 100, 8, 17, {0, 100}},
      {"full 32-bit range", {INT32_MIN, INT32_MAX, 0, INT32_MAX}, 100, 8, 17, {83, 17}},
      {"position below Min counts as Min", {10, 20, 0, 0}, 100, 8, 17, {0, 17}},
      {"no track at all", {0, 100, 10, 0}, 0, 8, 17, {0, 0}},
  };
  for (const ThumbCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TlxThumbSpan thumb = lxComputeThumbSpan(c.range, c.track, c.min_thumb, c.fixed_thumb);
    EXPECT_EQ(thumb.Offset, c.expected.Offset);
    EXPECT_EQ(thumb.Length, c.expected.Length);
    EXPECT_GE(thumb.Offset, 0);
    EXPECT_LE(thumb.Offset + thumb.Length, c.track);
  }
}

struct PositionCase {
  const char* what;
  TlxScrollRange range;
  int32_t track;
  int32_t offset;
  int32_t length;
  int32_t expected;
};

TEST(ScrollBarGeometryTest, PositionFromThumbStaysInRange) {
  const PositionCase cases[] = {
      {"middle of a paged range", {0, 100, 50, 0}, 100, 25, 50, 26},
      {"end of a paged range is the last page start", {0, 100, 50, 0}, 100, 50, 50, 51},
      {"page 0 at the end is Max", {0, 100, 0, 0}, 100, 83, 17, 100},
      {"Min above 0", {50, 150, 50, 50}, 100, 0, 50, 50},
      {"thumb filling the track gives Min, not Min - 1", {20, 30, 25, 30}, 100, 0, 100, 20},
      {"page covering the range gives Min", {0, 9, 10, 0}, 100, 0, 100, 0},
      {"offset beyond the track is clamped to Max", {0, 100, 0, 0}, 100, 500, 17, 100},
      {"negative offset is clamped to Min", {0, 100, 0, 0}, 100, -40, 17, 0},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(lxPositionFromThumb(c.range, c.track, c.offset, c.length), c.expected);
  }
}

TEST(ScrollBarGeometryTest, PositionAndThumbRoundTripAcrossTheTrack) {
  // Every thumb position a user can drag to maps to a position whose thumb
  // lands within a pixel of it: no jump when the drag ends.
  const TlxScrollRange ranges[] = {{0, 100, 50, 0}, {0, 1000, 0, 0}, {-50, 50, 10, 0}, {3, 7, 2, 3}};
  for (TlxScrollRange range : ranges) {
    const TlxThumbSpan start = lxComputeThumbSpan(range, 200, 8, 17);
    ASSERT_TRUE(start.Exists());
    for (int32_t offset = 0; offset <= 200 - start.Length; ++offset) {
      range.Position = lxPositionFromThumb(range, 200, offset, start.Length);
      ASSERT_GE(range.Position, range.Min);
      ASSERT_LE(range.Position, range.Max);
      const TlxThumbSpan thumb = lxComputeThumbSpan(range, 200, 8, 17);
      const int32_t step = 200 / std::max<int32_t>(1, range.Max - range.Min) + 1;
      EXPECT_LE(std::abs(thumb.Offset - offset), step) << "offset " << offset;
    }
  }
}

TEST(ScrollBarGeometryTest, DraggedThumbKeepsInsideTheTrack) {
  EXPECT_EQ(lxDraggedThumbOffset(10, 15, 100, 20), 25);
  EXPECT_EQ(lxDraggedThumbOffset(10, -30, 100, 20), 0);
  EXPECT_EQ(lxDraggedThumbOffset(10, 500, 100, 20), 80);
  EXPECT_EQ(lxDraggedThumbOffset(0, 5, 10, 20), 0);  // a thumb longer than the track cannot move
  EXPECT_EQ(lxDraggedThumbOffset(INT32_MAX, INT32_MAX, 100, 20), 80);
}

TEST(ScrollBarGeometryTest, TrackingZoneIsWiderAcrossTheBar) {
  const TRect client(0, 0, 200, 17);
  struct ZoneCase {
    TPoint point;
    bool horizontal;
    bool unlimited;
    bool inside;
  };
  const ZoneCase cases[] = {
      {{100, 17 + 135}, true, false, true},  {{100, 17 + 136}, true, false, false},
      {{100, -136}, true, false, true},      {{100, -137}, true, false, false},
      {{-34, 5}, true, false, true},         {{-35, 5}, true, false, false},
      {{233, 5}, true, false, true},         {{234, 5}, true, false, false},
      {{100, 17 + 150}, true, true, true},   {{5, -35}, false, false, false},
      {{-137, 100}, false, false, false},    {{-135, 10}, false, false, true},
  };
  const TRect vertical_client(0, 0, 17, 200);
  for (const ZoneCase& c : cases) {
    const TRect& rect = c.horizontal ? client : vertical_client;
    EXPECT_EQ(lxInsideThumbTrackingZone(rect, c.point, c.horizontal, c.unlimited), c.inside)
        << c.point.X << "," << c.point.Y << (c.horizontal ? " horizontal" : " vertical");
  }
}

TEST(ScrollBarGeometryTest, MulDivRoundsHalvesAwayFromZeroAndSurvivesZero) {
  EXPECT_EQ(lxScrollMulDiv(50, 100, 101), 50);
  EXPECT_EQ(lxScrollMulDiv(-3, 1, 2), -2);
  EXPECT_EQ(lxScrollMulDiv(3, 1, 2), 2);
  EXPECT_EQ(lxScrollMulDiv(7, 9, 0), 0);
  EXPECT_EQ(lxScrollMulDiv(INT32_MAX, INT32_MAX, 1), INT32_MAX);
}

}  // namespace
