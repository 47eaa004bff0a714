#include "ui/foundation/controls/popup_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// One monitor whose work area is (0, 0, 1000, 700).
constexpr TRect kWorkArea{0, 0, 1000, 700};

struct PlacementCase {
  const char* what;
  TRect owner;
  TSize size;
  TlxPopupPlacement placement;
  TPoint expected;
};

class PopupPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PopupPlacementTest, Position) {
  const PlacementCase& c = GetParam();
  const TPoint position =
      lxCalcPopupPosition(c.owner, c.size, c.placement, [](const TPoint&) { return kWorkArea; });
  EXPECT_EQ(position.X, c.expected.X) << c.what;
  EXPECT_EQ(position.Y, c.expected.Y) << c.what;
}

constexpr TlxPopupPlacement kBelowLeft{phaLeft, pvaBottom, podVertical};

INSTANTIATE_TEST_SUITE_P(
    Table, PopupPlacementTest,
    ::testing::Values(
        PlacementCase{"below, left edges aligned", {100, 100, 200, 120}, {150, 80}, kBelowLeft, {100, 120}},
        PlacementCase{"above, right edges aligned",
                      {100, 300, 200, 320},
                      {150, 80},
                      {phaRight, pvaTop, podVertical},
                      {50, 220}},
        // Near the bottom with more room above: opens above.
        PlacementCase{"flips up when more room above", {100, 600, 200, 620}, {150, 200}, kBelowLeft, {100, 400}},
        // Does not fit below, but there is more room below than above: stays.
        PlacementCase{"stays below with more room below", {100, 250, 200, 270}, {150, 500}, kBelowLeft, {100, 270}},
        PlacementCase{"flips down when more room below",
                      {100, 50, 200, 70},
                      {150, 200},
                      {phaLeft, pvaTop, podVertical},
                      {100, 70}},
        // Along the opening axis the window is shifted into the area.
        PlacementCase{"shifted left from the right edge", {900, 100, 980, 120}, {150, 80}, kBelowLeft, {850, 120}},
        PlacementCase{"wider than the area: left edge", {100, 100, 200, 120}, {1400, 80}, kBelowLeft, {0, 120}},
        PlacementCase{"both axes centred and shifted in",
                      {0, 0, 40, 20},
                      {200, 100},
                      {phaCenter, pvaCenter, podVertical},
                      {0, 0}},
        PlacementCase{"centred on the owner",
                      {400, 300, 600, 340},
                      {100, 20},
                      {phaCenter, pvaCenter, podVertical},
                      {450, 310}},
        // Centring truncates toward zero.
        PlacementCase{"centre of an odd sum",
                      {401, 300, 600, 340},
                      {100, 21},
                      {phaCenter, pvaBottom, podVertical},
                      {450, 340}},
        // Beside the owner.
        PlacementCase{"to the right, tops aligned",
                      {100, 100, 200, 120},
                      {150, 80},
                      {phaRight, pvaTop, podHorizontal},
                      {200, 100}},
        PlacementCase{"to the left, bottoms aligned",
                      {300, 100, 400, 120},
                      {150, 80},
                      {phaLeft, pvaBottom, podHorizontal},
                      {150, 40}},
        PlacementCase{"flips left at the right edge",
                      {800, 100, 900, 120},
                      {150, 80},
                      {phaRight, pvaTop, podHorizontal},
                      {650, 100}},
        PlacementCase{"flips right at the left edge",
                      {50, 100, 150, 120},
                      {150, 80},
                      {phaLeft, pvaTop, podHorizontal},
                      {150, 100}},
        // Beside: shifted vertically into the area, never horizontally.
        PlacementCase{"beside, shifted up into the area",
                      {100, 650, 200, 670},
                      {150, 80},
                      {phaRight, pvaTop, podHorizontal},
                      {200, 620}},
        PlacementCase{"no room on either side: stays off the area",
                      {-500, 100, 1500, 120},
                      {150, 80},
                      {phaRight, pvaTop, podHorizontal},
                      {1500, 100}}));

TEST(PopupPlacementTest, MonitorIsChosenByTheAnchorOfTheFirstPlacement) {
  // Two monitors side by side; the owner's right edge lies on the second.
  std::vector<TPoint> asked;
  const auto work_area_at = [&](const TPoint& point) {
    asked.push_back(point);
    return point.X < 1000 ? TRect(0, 0, 1000, 700) : TRect(1000, 0, 2000, 700);
  };
  const TPoint position = lxCalcPopupPosition(TRect(900, 100, 1100, 120), TSize{150, 80},
                                              {phaRight, pvaBottom, podVertical}, work_area_at);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].X, 1100);
  EXPECT_EQ(asked[0].Y, 120);
  EXPECT_EQ(position.X, 1000) << "shifted into the second monitor's area";
  EXPECT_EQ(position.Y, 120);
}

TEST(PopupPlacementTest, OwnerRectanglesFarOffEveryMonitorStayInRange) {
  const auto area = [](const TPoint&) { return kWorkArea; };
  const TRect extremes[] = {
      {INT32_MIN, INT32_MIN, INT32_MIN + 10, INT32_MIN + 10},
      {INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX},
      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
  };
  for (const TRect& owner : extremes) {
    for (uint8_t h = phaLeft; h <= phaRight; ++h) {
      for (uint8_t v = pvaTop; v <= pvaBottom; ++v) {
        for (uint8_t d = podHorizontal; d <= podVertical; ++d) {
          const TlxPopupPlacement placement{static_cast<TlxPopupHorzAlignment>(h),
                                            static_cast<TlxPopupVertAlignment>(v),
                                            static_cast<TlxPopupOpenDirection>(d)};
          const TPoint position = lxCalcPopupPosition(owner, TSize{150, 80}, placement, area);
          // Along the opening axis it always lands in the area.
          if (d == podVertical)
            EXPECT_TRUE(position.X >= 0 && position.X <= 850) << position.X;
          else
            EXPECT_TRUE(position.Y >= 0 && position.Y <= 620) << position.Y;
        }
      }
    }
  }
}

TEST(PopupPlacementTest, FrameWidths) {
  EXPECT_EQ(lxPopupFrameWidth(pfsNone), 0);
  EXPECT_EQ(lxPopupFrameWidth(pfsLine), 1);
  EXPECT_EQ(lxPopupFrameWidth(pfsEdge), 1);
  EXPECT_EQ(lxPopupFrameWidth(pfsDoubleEdge), 2);
}

}  // namespace
