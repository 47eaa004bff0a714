// Rectangles and points: the exclusive right and bottom edges, the common
// part, and the conversion to and from records shaped like the system's.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/rtl/geometry.h"

namespace {

struct PointRecord {
  int32_t x;
  int32_t y;
};

struct RectRecord {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

TEST(GeometryTest, RightAndBottomEdgesAreOutside) {
  const TRect rect = Bounds(10, 20, 5, 4);
  EXPECT_EQ(rect, Rect(10, 20, 15, 24));
  EXPECT_EQ(rect.Width(), 5);
  EXPECT_EQ(rect.Height(), 4);
  EXPECT_TRUE(rect.Contains(Point(10, 20)));
  EXPECT_TRUE(rect.Contains(Point(14, 23)));
  EXPECT_FALSE(rect.Contains(Point(15, 23)));
  EXPECT_FALSE(rect.Contains(Point(14, 24)));
  EXPECT_TRUE(Rect(3, 3, 3, 9).IsEmpty());
}

TEST(GeometryTest, IntersectionIsTheCommonPartOrNothing) {
  struct Case {
    TRect a;
    TRect b;
    TRect common;
  };
  const Case cases[] = {
      {Rect(0, 0, 10, 10), Rect(5, 5, 20, 20), Rect(5, 5, 10, 10)},
      {Rect(0, 0, 10, 10), Rect(2, 3, 4, 5), Rect(2, 3, 4, 5)},
      {Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), TRect()},  // touching edges share nothing
      {Rect(-5, -5, 0, 0), Rect(1, 1, 2, 2), TRect()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.a.Intersect(c.b), c.common);
    EXPECT_EQ(c.b.Intersect(c.a), c.common);
  }
  EXPECT_EQ(Rect(1, 2, 3, 4).Offset(10, 20), Rect(11, 22, 13, 24));
  EXPECT_EQ(Rect(1, 2, 3, 4).Inflate(1, 2), Rect(0, 0, 4, 6));
}

TEST(GeometryTest, ConvertsToAndFromRecordsShapedLikeTheSystems) {
  const PointRecord point = TPoint(-3, 7);
  EXPECT_EQ(point.x, -3);
  EXPECT_EQ(point.y, 7);
  EXPECT_EQ(TPoint(PointRecord{4, -9}), Point(4, -9));

  const RectRecord rect = Rect(1, 2, 30, 40);
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.bottom, 40);
  EXPECT_EQ(TRect(RectRecord{5, 6, 7, 8}), Rect(5, 6, 7, 8));
}

}  // namespace
