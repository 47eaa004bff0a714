#include "editors/kinds/group_box_layout.h"

#include <gtest/gtest.h>

namespace group_box_layout_test {

TEST(GroupBoxLayoutTest, CaptionBandOfEachPosition) {
  // A 40 x 13 caption in a 100 x 60 group box, without and with a shadow.
  const TSize caption{40, 13};
  const TSize control{100, 60};
  struct Case {
    TlxCaptionAlignment alignment;
    int32_t shadow;
    TRect rect;
  };
  const Case cases[] = {
      {alTopLeft, 0, TRect(8, 0, 48, 13)},        {alTopCenter, 0, TRect(30, 0, 70, 13)},
      {alTopCenter, 3, TRect(28, 0, 68, 13)},     {alTopRight, 0, TRect(52, 0, 92, 13)},
      {alTopRight, 3, TRect(49, 0, 89, 13)},      {alBottomLeft, 0, TRect(8, 47, 48, 60)},
      {alBottomCenter, 0, TRect(30, 47, 70, 60)}, {alBottomRight, 0, TRect(52, 47, 92, 60)},
      {alCenterCenter, 0, TRect(30, 23, 70, 36)}, {alCenterCenter, 3, TRect(28, 22, 68, 35)},
      {alLeftTop, 0, TRect(0, 8, 13, 49)},        {alLeftCenter, 0, TRect(0, 9, 13, 50)},
      {alLeftBottom, 0, TRect(0, 11, 13, 52)},    {alLeftBottom, 3, TRect(0, 8, 13, 49)},
      {alRightTop, 0, TRect(87, 8, 100, 48)},     {alRightCenter, 0, TRect(87, 10, 100, 50)},
      {alRightBottom, 0, TRect(87, 12, 100, 52)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxGroupBoxCaptionRect(c.alignment, caption, control, c.shadow), c.rect)
        << int(c.alignment) << " shadow " << c.shadow;
}

TEST(GroupBoxLayoutTest, TheCaptionMovesTheFrameInOnItsSideOnly) {
  EXPECT_EQ(lxGroupBoxCaptionBorderExtent(alTopCenter, 15), TRect(0, 8, 0, 0));
  EXPECT_EQ(lxGroupBoxCaptionBorderExtent(alBottomLeft, 15), TRect(0, 0, 0, 8));
  EXPECT_EQ(lxGroupBoxCaptionBorderExtent(alLeftCenter, 15), TRect(7, 0, 0, 0));
  EXPECT_EQ(lxGroupBoxCaptionBorderExtent(alRightBottom, 15), TRect(0, 0, 7, 0));
  EXPECT_EQ(lxGroupBoxCaptionBorderExtent(alCenterCenter, 15), TRect());
  EXPECT_TRUE(lxIsSideCaption(alLeftTop));
  EXPECT_FALSE(lxIsSideCaption(alBottomRight));
}

TEST(GroupBoxLayoutTest, PanelCaptionSitsInsideTheIndentedFrame) {
  const TRect panel(0, 0, 200, 100);
  // An indent below 2 counts as 2.
  EXPECT_EQ(lxPanelContentRect(alTopLeft, panel, 1, 0), TRect(3, 3, 199, 99));
  EXPECT_EQ(lxPanelContentRect(alCenterCenter, panel, 1, 5), TRect(1, 1, 199, 99));
  const TSize text{50, 13};
  EXPECT_EQ(lxPanelCaptionRect(alTopLeft, panel, 1, 4, text), TRect(5, 5, 55, 18));
  EXPECT_EQ(lxPanelCaptionRect(alBottomRight, panel, 1, 4, text), TRect(145, 82, 195, 95));
  EXPECT_EQ(lxPanelCaptionRect(alCenterCenter, panel, 1, 4, text), TRect(75, 43, 125, 56));
  EXPECT_EQ(lxPanelCaptionRect(alRightCenter, panel, 1, 4, text), TRect(145, 43, 195, 56));
  // A caption wider than the panel is clipped to it.
  EXPECT_EQ(lxPanelCaptionRect(alTopLeft, panel, 1, 2, TSize{300, 13}), TRect(3, 3, 199, 16));
}

}  // namespace group_box_layout_test
