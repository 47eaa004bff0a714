#include "editors/edit_button_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TlxButtonLayoutItem Right(int32_t width, bool stretchable = true) { return {width, false, stretchable, false}; }
TlxButtonLayoutItem Left(int32_t width) { return {width, true, true, false}; }

TEST(EditButtonLayoutTest, ButtonsAreCutFromTheSidesLastFirst) {
  const std::vector<TlxButtonLayoutItem> buttons = {Left(15), Right(10), Right(20)};
  const TlxButtonLayoutResult layout = lxLayoutEditButtons(TRect(0, 2, 100, 20), buttons, false);
  EXPECT_EQ(layout.Bounds[2], TRect(80, 2, 100, 20));
  EXPECT_EQ(layout.Bounds[1], TRect(70, 2, 80, 20));
  EXPECT_EQ(layout.Bounds[0], TRect(0, 2, 15, 20));
  EXPECT_EQ(layout.Remaining, TRect(15, 2, 70, 20));
  EXPECT_EQ(layout.LeftGroupFirst, 0);
  EXPECT_EQ(layout.LeftGroupLast, 0);
  EXPECT_EQ(layout.RightGroupFirst, 1);
  EXPECT_EQ(layout.RightGroupLast, 2);
}

TEST(EditButtonLayoutTest, StretchingSharesTheSpareWidthByWidthTheFirstTakingTheRest) {
  const std::vector<TlxButtonLayoutItem> buttons = {Right(10), Right(30)};
  const TlxButtonLayoutResult layout = lxLayoutEditButtons(TRect(0, 0, 49, 18), buttons, true);
  // 30 * 9 / 40 = 6 for the second, handled first; the first takes 3.
  EXPECT_EQ(layout.Bounds[1], TRect(13, 0, 49, 18));
  EXPECT_EQ(layout.Bounds[0], TRect(0, 0, 13, 18));
  EXPECT_EQ(layout.Bounds[1].Right - layout.Bounds[1].Left, 36);
  EXPECT_EQ(layout.Bounds[0].Right - layout.Bounds[0].Left, 13);
  EXPECT_EQ(layout.Remaining.Right - layout.Remaining.Left, 0);
}

TEST(EditButtonLayoutTest, FixedAndUnstretchableButtonsKeepTheirWidthUnlessNoneMayGrow) {
  std::vector<TlxButtonLayoutItem> buttons = {Right(10), Right(20, false), Right(10)};
  buttons[2].Fixed = true;
  TlxButtonLayoutResult layout = lxLayoutEditButtons(TRect(0, 0, 50, 10), buttons, true);
  EXPECT_EQ(layout.Bounds[2], TRect(40, 0, 50, 10));
  EXPECT_EQ(layout.Bounds[1], TRect(20, 0, 40, 10));
  EXPECT_EQ(layout.Bounds[0], TRect(0, 0, 20, 10));

  const std::vector<TlxButtonLayoutItem> rigid = {Right(10, false), Right(30, false)};
  layout = lxLayoutEditButtons(TRect(0, 0, 49, 10), rigid, true);
  EXPECT_EQ(layout.Bounds[0].Right - layout.Bounds[0].Left, 13);
  EXPECT_EQ(layout.Bounds[1].Right - layout.Bounds[1].Left, 36);
}

TEST(EditButtonLayoutTest, EditorsNarrowerThanTheirButtonsShowOnlyWhatFits) {
  const std::vector<TlxButtonLayoutItem> buttons = {Right(17), Right(17)};
  const TlxButtonLayoutResult layout = lxLayoutEditButtons(TRect(0, 0, 20, 10), buttons, false);
  EXPECT_EQ(layout.Bounds[1], TRect(3, 0, 20, 10));
  EXPECT_EQ(layout.VisibleBounds[1], TRect(3, 0, 20, 10));
  EXPECT_EQ(layout.Bounds[0], TRect(-14, 0, 3, 10));
  EXPECT_EQ(layout.VisibleBounds[0], TRect(0, 0, 3, 10));
  EXPECT_EQ(layout.Remaining.Right - layout.Remaining.Left, 0);

  // Once nothing is left, further buttons get empty bounds.
  const std::vector<TlxButtonLayoutItem> three = {Right(5), Right(17), Right(17)};
  const TlxButtonLayoutResult full = lxLayoutEditButtons(TRect(0, 0, 20, 10), three, false);
  EXPECT_EQ(full.Bounds[0], TRect());
  EXPECT_EQ(full.VisibleBounds[0], TRect());
}

}  // namespace
