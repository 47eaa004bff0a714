#include "editors/list_box_integral_height.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TlxIntegralHeightMetrics Metrics(std::vector<int32_t> heights, int32_t fallback, int32_t count) {
  TlxIntegralHeightMetrics metrics;
  metrics.VerticalBorders = 4;
  metrics.HorizontalBorders = 4;
  metrics.ControlWidth = 121;
  metrics.ItemCount = count;
  metrics.HorizontalScrollBarHeight = 17;
  metrics.VerticalScrollBarWidth = 17;
  metrics.ItemHeight = [heights, fallback](int32_t index) {
    return index < static_cast<int32_t>(heights.size()) ? heights[static_cast<size_t>(index)] : fallback;
  };
  return metrics;
}

TEST(ListBoxIntegralHeightTest, SnapsToTheLargestRowHeightNotAboveTheRequest) {
  struct Case {
    int32_t requested;
    int32_t expected;
  };
  // Rows of 10, 20 and 30 within 2-pixel borders: 14, 34, 64, then 16 each.
  const TlxIntegralHeightMetrics metrics = Metrics({10, 20, 30}, 16, 3);
  for (const Case& c : {Case{40, 34}, Case{34, 34}, Case{64, 64}, Case{63, 34}, Case{5, 14}, Case{14, 14},
                        Case{100, 96}, Case{0, 14}, Case{-20, 14}}) {
    EXPECT_EQ(lxSnapToIntegralHeight(metrics, c.requested), c.expected) << c.requested;
  }
}

TEST(ListBoxIntegralHeightTest, TheHorizontalScrollBarCountsWhileTheRowsAreNarrowerThanTheScrollWidth) {
  TlxIntegralHeightMetrics metrics = Metrics({}, 16, 3);
  // Inner width 117, less the vertical bar while not every item fits: 100.
  metrics.ScrollWidth = 110;
  EXPECT_EQ(lxIntegralHeightCandidate(metrics, 1, 16), 4 + 16 + 17);
  EXPECT_EQ(lxIntegralHeightCandidate(metrics, 3, 48), 4 + 48) << "all items fit: no vertical bar";
  metrics.ScrollWidth = 0;
  EXPECT_EQ(lxIntegralHeightCandidate(metrics, 1, 16), 4 + 16);
  metrics.ScrollWidth = 120;
  EXPECT_EQ(lxIntegralHeightCandidate(metrics, 3, 48), 4 + 48 + 17);
}

TEST(ListBoxIntegralHeightTest, RowsOfHeightZeroEndTheWalk) {
  for (int32_t count : {0, 1, 5}) {
    const TlxIntegralHeightMetrics metrics = Metrics({}, 0, count);
    EXPECT_EQ(lxSnapToIntegralHeight(metrics, 40), 4) << count;
    EXPECT_EQ(lxSnapToIntegralHeight(metrics, 1000000), 4) << count;
  }
  TlxIntegralHeightMetrics without_heights = Metrics({}, 0, 3);
  without_heights.ItemHeight = nullptr;
  EXPECT_EQ(lxSnapToIntegralHeight(without_heights, 40), 4);
  // Existing items of height 0 among others still count.
  const TlxIntegralHeightMetrics mixed = Metrics({0, 0, 10}, 0, 3);
  EXPECT_EQ(lxSnapToIntegralHeight(mixed, 40), 14);
}

}  // namespace
