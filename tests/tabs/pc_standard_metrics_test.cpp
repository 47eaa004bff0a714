#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tabs/pc_standard_metrics.h"

namespace {

TEST(StandardMetricsTest, TabWidths) {
  struct Case {
    const char* name;
    TlxPCTabSizeInput input;
    int32_t text_width;
    int32_t expected;
  };
  TlxPCTabSizeInput plain;
  TlxPCTabSizeInput images;
  images.HasImages = true;
  images.TabHasImage = true;
  images.ImageSize = {16, 16};
  images.ImageBorder = 2;
  TlxPCTabSizeInput wide_images = images;
  wide_images.ImageSize = {30, 30};
  TlxPCTabSizeInput no_image_here = wide_images;
  no_image_here.TabHasImage = false;
  TlxPCTabSizeInput rotated_no_image = no_image_here;
  rotated_no_image.Rotate = true;
  TlxPCTabSizeInput fixed = wide_images;
  fixed.TabWidth = 33;
  const Case cases[] = {
      {"empty caption", plain, 0, 42},
      {"caption", plain, 50, 62},
      {"small image", images, 0, 42},
      {"wide image", wide_images, 0, 52},
      {"wide image and caption", wide_images, 50, 102},
      {"images in use, none on the tab", no_image_here, 50, 62},
      {"rotated tabs line up with images", rotated_no_image, 50, 102},
      {"fixed width", fixed, 500, 33},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxPCStandardTabNormalWidth(c.input, 0, c.text_width), c.expected) << c.name;
  // The smallest width for any tab counts the image room.
  EXPECT_EQ(lxPCStandardMinTabWidth(no_image_here, -1), 52);
  EXPECT_EQ(lxPCStandardMinTabWidth(no_image_here, 3), 42);
}

TEST(StandardMetricsTest, TabHeights) {
  TlxPCTabSizeInput input;
  EXPECT_EQ(lxPCStandardTabNormalHeight(input, lxPCStandardTabContentHeight(input, 8)), 18);
  EXPECT_EQ(lxPCStandardTabNormalHeight(input, lxPCStandardTabContentHeight(input, 13)), 21);
  input.HasImages = true;
  input.ImageSize = {16, 16};
  input.Rotate = true;
  // 15 + 8 = 23 around a 16 pixel image would leave 7: one more.
  EXPECT_EQ(lxPCStandardTabNormalHeight(input, lxPCStandardTabContentHeight(input, 15)), 24);
  EXPECT_EQ(lxPCStandardTabNormalHeight(input, lxPCStandardTabContentHeight(input, 14)), 22);
  input.TabHeight = 40;
  EXPECT_EQ(lxPCStandardTabNormalHeight(input, lxPCStandardTabContentHeight(input, 14)), 40);
  input.TabHeight = -7;
  EXPECT_EQ(lxPCStandardTabNormalHeight(input, lxPCStandardTabContentHeight(input, 14)), 22);
}

std::vector<TlxPCNavigatorButton> Order(const TlxPCNavigatorButtonPositions& positions) {
  std::vector<TlxPCNavigatorButton> order;
  for (const TlxPCNavigatorButtonPosition& entry : positions)
    order.push_back(entry.Button);
  return order;
}

constexpr TlxPCNavigatorButtons kAll = 0x0F;

TEST(StandardMetricsTest, NavigatorOrderKeepsCloseOutermost) {
  using Buttons = std::vector<TlxPCNavigatorButton>;
  EXPECT_EQ(Order(lxPCOrderedButtons(kAll, npLeftTop, tpTop)), (Buttons{nbClose, nbTopLeft, nbBottomRight, nbGoDialog}));
  EXPECT_EQ(Order(lxPCOrderedButtons(kAll, npRightTop, tpTop)), (Buttons{nbGoDialog, nbTopLeft, nbBottomRight, nbClose}));
  EXPECT_EQ(Order(lxPCOrderedButtons(kAll, npRightTop, tpLeft)), (Buttons{nbClose, nbTopLeft, nbBottomRight, nbGoDialog}));
  EXPECT_EQ(Order(lxPCOrderedButtons(kAll, npLeftBottom, tpRight)),
            (Buttons{nbGoDialog, nbTopLeft, nbBottomRight, nbClose}));
  EXPECT_EQ(Order(lxPCOrderedButtons(lxPCButtonBit(nbGoDialog) | lxPCButtonBit(nbClose), npLeftTop, tpBottom)),
            (Buttons{nbClose, nbGoDialog}));
}

TEST(StandardMetricsTest, NavigatorAtTheStartOfTopTabs) {
  const TlxPCNavigatorMetrics metrics = lxPCStandardNavigatorMetrics(tpTop);
  const TlxPCNavigatorLayout layout = lxPCPlaceNavigatorButtons(kAll, npLeftTop, tpTop, {300, 200}, metrics);
  EXPECT_EQ(layout.Region, TRect(0, 0, 72, 20));
  EXPECT_EQ(lxPCButtonBounds(layout, nbClose), TRect(0, 0, 20, 20));
  EXPECT_EQ(lxPCButtonBounds(layout, nbGoDialog), TRect(60, 0, 72, 20));
  TlxPCNavigatorButton button = nbClose;
  ASSERT_TRUE(lxPCButtonAt(layout, {65, 10}, button));
  EXPECT_EQ(button, nbGoDialog);
  EXPECT_FALSE(lxPCButtonAt(layout, {80, 10}, button));

  TlxPCTabsAreaInput area;
  area.ControlSize = {300, 200};
  area.Navigator = npLeftTop;
  area.ButtonsRegionLength = lxPCButtonsRegionLength(layout.Buttons, metrics);
  const TlxPCTabsLayout tabs = lxPCStandardTabsLayout(area, kAll);
  EXPECT_EQ(tabs.TabsArea, TRect(72, 0, 300, 200));
  EXPECT_EQ(tabs.RowLength, 228);
}

TEST(StandardMetricsTest, NavigatorAtTheBottomOfLeftTabs) {
  TlxPCNavigatorMetrics metrics = lxPCStandardNavigatorMetrics(tpLeft);
  metrics.SideOffset = 2;
  metrics.EdgeOffset = 3;
  const TlxPCNavigatorButtons buttons = lxPCButtonBit(nbTopLeft) | lxPCButtonBit(nbBottomRight) | lxPCButtonBit(nbGoDialog);
  const TlxPCNavigatorLayout layout = lxPCPlaceNavigatorButtons(buttons, npLeftBottom, tpLeft, {300, 200}, metrics);
  // 13 + 20 + 20 stacked, ending 2 above the bottom, 3 from the left edge.
  EXPECT_EQ(layout.Region, TRect(3, 145, 23, 198));
  EXPECT_EQ(lxPCButtonBounds(layout, nbGoDialog), TRect(3, 145, 23, 158));
  EXPECT_EQ(lxPCButtonBounds(layout, nbClose), TRect());

  TlxPCTabsAreaInput area;
  area.ControlSize = {300, 200};
  area.Position = tpLeft;
  area.Navigator = npLeftBottom;
  area.ButtonsRegionLength = lxPCButtonsRegionLength(layout.Buttons, metrics);
  EXPECT_EQ(area.ButtonsRegionLength, 55);
  const TlxPCTabsLayout tabs = lxPCStandardTabsLayout(area, buttons);
  EXPECT_EQ(tabs.TabsArea, TRect(0, 0, 300, 145));
  EXPECT_EQ(tabs.RowLength, 145);
}

TEST(StandardMetricsTest, OverlappingButtonsHitTheFirstInOrder) {
  TlxPCNavigatorMetrics metrics = lxPCStandardNavigatorMetrics(tpTop);
  metrics.ButtonGap = -6;
  const TlxPCNavigatorLayout layout = lxPCPlaceNavigatorButtons(kAll, npRightTop, tpTop, {300, 200}, metrics);
  // Order: go dialog, left, right, close; left starts 6 inside the go-dialog button.
  TlxPCNavigatorButton button = nbClose;
  const TRect go = lxPCButtonBounds(layout, nbGoDialog);
  ASSERT_TRUE(lxPCButtonAt(layout, {go.Right - 2, 5}, button));
  EXPECT_EQ(button, nbGoDialog);
}

TEST(StandardMetricsTest, ContainerOffsetsTurnWithTheTabs) {
  TlxPCTabsAreaInput area;
  area.ControlSize = {200, 100};
  area.ContainerOffsets = {2, 2, 2, 0};
  area.RowGap = 3;
  struct Case {
    TlxTabPosition position;
    TRect expected;
  };
  const Case cases[] = {{tpTop, {2, 2, 198, 100}},
                        {tpBottom, {2, 0, 198, 98}},
                        {tpLeft, {2, 2, 200, 98}},
                        {tpRight, {0, 2, 198, 98}}};
  for (const Case& c : cases) {
    area.Position = c.position;
    const TlxPCTabsLayout tabs = lxPCStandardTabsLayout(area, 0);
    EXPECT_EQ(tabs.TabsArea, c.expected) << c.position;
    EXPECT_EQ(tabs.PartsGap, 3);
  }
}

TEST(StandardMetricsTest, PageRectanglesLeaveTheRows) {
  TlxPCPageFrameInput input;
  input.ControlSize = {200, 150};
  input.RowCount = 2;
  input.TopOrLeftRowCount = 2;
  input.RowLength = 200;
  input.TopOrLeftRowsBounds = {0, 0, 200, 40};
  EXPECT_EQ(lxPCPageRectFromOffset(input.ControlSize, tpTop, lxPCPageFrameRectOffset(input)), TRect(0, 40, 200, 150));
  // One row on the far side too.
  input.TopOrLeftRowCount = 1;
  input.TopOrLeftRowsBounds = {0, 0, 200, 20};
  input.BottomOrRightRowsBounds = {0, 130, 200, 150};
  EXPECT_EQ(lxPCPageRectFromOffset(input.ControlSize, tpTop, lxPCPageFrameRectOffset(input)), TRect(0, 20, 200, 130));
  // Bottom tabs, all rows in the bottom part.
  input.Position = tpBottom;
  input.TopOrLeftRowCount = 0;
  input.BottomOrRightRowsBounds = {0, 110, 200, 150};
  EXPECT_EQ(lxPCPageRectFromOffset(input.ControlSize, tpBottom, lxPCPageFrameRectOffset(input)), TRect(0, 0, 200, 110));
  // Right tabs.
  input.Position = tpRight;
  input.BottomOrRightRowsBounds = {170, 0, 200, 150};
  EXPECT_EQ(lxPCPageRectFromOffset(input.ControlSize, tpRight, lxPCPageFrameRectOffset(input)), TRect(0, 0, 170, 150));
  input.HideTabs = true;
  EXPECT_EQ(lxPCPageFrameRectOffset(input), TRect());
  // Rows larger than the control give an empty, not an inverted, page.
  EXPECT_EQ(lxPCPageRectFromOffset({50, 50}, tpTop, {0, 80, 0, 0}), TRect(0, 80, 50, 80));
}

TEST(StandardMetricsTest, MarginsTurnToEachSide) {
  const TRect m{1, 2, 3, 4};
  EXPECT_EQ(lxPCTurnMargins(m, tpTop), TRect(1, 2, 3, 4));
  EXPECT_EQ(lxPCTurnMargins(m, tpBottom), TRect(3, 4, 1, 2));
  EXPECT_EQ(lxPCTurnMargins(m, tpLeft), TRect(2, 3, 4, 1));
  EXPECT_EQ(lxPCTurnMargins(m, tpRight), TRect(4, 1, 2, 3));
}

// A page area from a form is held inside the control whatever it says.
TEST(StandardMetricsTest, StoredClientRectIsHeldInsideTheControl) {
  struct Case {
    TRect Stored;
    TRect Expected;
  };
  const Case cases[] = {
      {{2, 24, 198, 148}, {2, 24, 198, 148}},
      {{-5, -7, 500, 900}, {0, 0, 200, 150}},
      {{150, 100, 20, 10}, {150, 100, 150, 100}},  // inverted: empty at its start
      {{INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN}, {0, 150, 200, 150}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxPCClampStoredClientRect(c.Stored, {200, 150}), c.Expected);
  EXPECT_EQ(lxPCClampStoredClientRect({1, 2, 3, 4}, {-10, -10}), TRect());
  EXPECT_EQ(lxPCClampStoredInteger(int64_t{1} << 40), INT32_MAX);
  EXPECT_EQ(lxPCClampStoredInteger(-(int64_t{1} << 40)), INT32_MIN);
  EXPECT_EQ(lxPCClampStoredInteger(-17), -17);
}

// Gaps next to the close and the go-dialog button may differ from the others.
TEST(StandardMetricsTest, CloseButtonTakesItsOwnGap) {
  TlxPCNavigatorMetrics metrics;
  metrics.ButtonWidths[nbTopLeft] = 17;
  metrics.ButtonWidths[nbBottomRight] = 17;
  metrics.ButtonWidths[nbGoDialog] = 13;
  metrics.ButtonWidths[nbClose] = 16;
  metrics.ButtonHeight = 17;
  metrics.ButtonGap = 1;
  metrics.GoDialogButtonGap = 0;
  metrics.CloseButtonGap = 3;
  const TlxPCNavigatorButtons all = lxPCButtonBit(nbTopLeft) | lxPCButtonBit(nbBottomRight) |
                                    lxPCButtonBit(nbGoDialog) | lxPCButtonBit(nbClose);
  const TlxPCNavigatorLayout layout = lxPCPlaceNavigatorButtons(all, npRightTop, tpTop, {300, 100}, metrics);
  // Go dialog, left, right, close from the left.
  ASSERT_EQ(layout.Buttons.size(), 4u);
  EXPECT_EQ(layout.Buttons[1].Rect.Left, layout.Buttons[0].Rect.Right);
  EXPECT_EQ(layout.Buttons[2].Rect.Left, layout.Buttons[1].Rect.Right + 1);
  EXPECT_EQ(layout.Buttons[3].Rect.Left, layout.Buttons[2].Rect.Right + 3);
  EXPECT_EQ(layout.Region.Width(), 13 + 17 + 17 + 16 + 0 + 1 + 3);
  // Without arrows the go-dialog button meets the close button.
  const TlxPCNavigatorLayout two =
      lxPCPlaceNavigatorButtons(lxPCButtonBit(nbGoDialog) | lxPCButtonBit(nbClose), npRightTop, tpTop, {300, 100},
                                metrics);
  ASSERT_EQ(two.Buttons.size(), 2u);
  EXPECT_EQ(two.Buttons[1].Rect.Left, two.Buttons[0].Rect.Right + 3);
  EXPECT_EQ(layout.Region.Right, 300);
}

}  // namespace
