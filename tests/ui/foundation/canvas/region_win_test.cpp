#include "ui/foundation/canvas/region_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/gui_objects.h"

namespace {

TEST(RegionTest, ConstructorsAndContainment) {
  EXPECT_TRUE(TlxRegion::Create()->IsEmptyRegion());
  const auto from_rect = TlxRegion::CreateFromRect(TRect(0, 0, 10, 10));
  const auto from_bounds = TlxRegion::CreateFromBounds(0, 0, 10, 10);
  EXPECT_FALSE(from_rect->IsEmptyRegion());
  EXPECT_TRUE(from_rect->SameAs(from_bounds.get()));
  EXPECT_TRUE(from_rect->ContainsXY(0, 0));
  EXPECT_TRUE(from_rect->ContainsPoint(TPoint(9, 9)));
  EXPECT_FALSE(from_rect->ContainsXY(10, 10));  // right and bottom edges lie outside
  const auto adopted = TlxRegion::CreateFromHandle(CreateRectRgn(5, 5, 6, 6));
  EXPECT_TRUE(adopted->ContainsXY(5, 5));
  EXPECT_EQ(adopted->BoundsRect(), TRect(5, 5, 6, 6));
}

TEST(RegionTest, CombineByOperation) {
  struct Case {
    TlxRegionOperation operation;
    TRect bounds;
    bool contains_left_only, contains_both, contains_right_only;
  };
  // Left (0, 0, 10, 10) combined with right (5, 0, 15, 10).
  const Case cases[] = {
      {roSet, TRect(5, 0, 15, 10), false, true, true},
      {roAdd, TRect(0, 0, 15, 10), true, true, true},
      {roSubtract, TRect(0, 0, 5, 10), true, false, false},
      {roIntersect, TRect(5, 0, 10, 10), false, true, false},
  };
  for (const Case& c : cases) {
    TlxRegion left(0, 0, 10, 10);
    const TlxRegion right(5, 0, 15, 10);
    left.CombineWith(right, c.operation);
    EXPECT_EQ(left.BoundsRect(), c.bounds) << int{c.operation};
    EXPECT_EQ(left.ContainsXY(2, 5), c.contains_left_only) << int{c.operation};
    EXPECT_EQ(left.ContainsXY(7, 5), c.contains_both) << int{c.operation};
    EXPECT_EQ(left.ContainsXY(12, 5), c.contains_right_only) << int{c.operation};
    EXPECT_TRUE(right.ContainsXY(12, 5));  // the other region is left as it was
  }
}

TEST(RegionTest, SameAsComparesCoveredPixels) {
  const TlxRegion square(0, 0, 10, 10);
  EXPECT_FALSE(square.SameAs(nullptr));
  EXPECT_TRUE(TlxRegion().SameAs(std::make_unique<TlxRegion>(3, 3, 3, 9).get()));  // both empty
  TlxRegion pieced(0, 0, 5, 10);
  pieced.CombineWith(TlxRegion(5, 0, 10, 10), roAdd);
  EXPECT_TRUE(square.SameAs(&pieced));
  EXPECT_TRUE(square.SameAsHandle(pieced.Handle()));
  EXPECT_FALSE(square.SameAs(std::make_unique<TlxRegion>(0, 0, 10, 11).get()));
}

TEST(RegionTest, ShiftMovesTheRegion) {
  TlxRegion region(0, 0, 4, 4);
  region.Shift(10, -2);
  EXPECT_EQ(region.BoundsRect(), TRect(10, -2, 14, 2));
  EXPECT_TRUE(region.ContainsXY(10, -2));
  EXPECT_FALSE(region.ContainsXY(0, 0));
}

TEST(RegionTest, ReleasedRegionIsEmptyAndStillUsable) {
  TlxRegion region(0, 0, 4, 4);
  region.ReleaseHandle();
  EXPECT_EQ(region.Handle(), nullptr);
  EXPECT_TRUE(region.IsEmptyRegion());
  EXPECT_FALSE(region.ContainsXY(1, 1));
  region.ReleaseHandle();  // twice is harmless
  region.CombineWith(TlxRegion(1, 1, 2, 2), roAdd);
  EXPECT_TRUE(region.ContainsXY(1, 1));
}

TEST(RegionTest, RegionsGiveTheirHandlesBack) {
  const DWORD before = test_support::CountGdiObjects();
  {
    TlxRegion kept(0, 0, 10, 10);
    kept.CombineWith(std::make_unique<TlxRegion>(5, 5, 20, 20), roAdd);  // freed by the call
    auto adopted = TlxRegion::CreateFromHandle(CreateRectRgn(0, 0, 1, 1));
    TlxRegion released(0, 0, 1, 1);
    released.ReleaseHandle();
  }
  EXPECT_EQ(test_support::CountGdiObjects(), before);
}

}  // namespace
