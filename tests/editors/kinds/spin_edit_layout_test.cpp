#include "editors/kinds/spin_edit_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace spin_edit_layout_test {

TlxSpinLayoutInput Input(TlxSpinEditButtonsPosition position, bool fast, int32_t delimiter = 0,
                         int32_t bottom_indent = 0) {
  TlxSpinLayoutInput input;
  input.Work = TRect(0, 0, 100, 21);
  input.Position = position;
  input.FastButtons = fast;
  input.ColumnWidth = 15;
  input.ButtonWidth = 9;
  input.FastButtonWidth = lxSpinFastButtonWidth(9);
  input.Delimiter = delimiter;
  input.BottomIndent = bottom_indent;
  return input;
}

// The buttons from left to right, by their left edges.
std::vector<int32_t> OrderOf(const TlxSpinLayout& layout, bool fast) {
  std::vector<int32_t> order{0, 1};
  if (fast) {
    order.push_back(2);
    order.push_back(3);
  }
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
    return layout.Bounds[static_cast<size_t>(a)].Left < layout.Bounds[static_cast<size_t>(b)].Left;
  });
  return order;
}

TEST(SpinLayoutTest, ButtonsTakeTheirPlacesInEachPosition) {
  struct Case {
    TlxSpinEditButtonsPosition position;
    bool fast;
    std::vector<int32_t> order;
    int32_t text_left;
    int32_t text_right;
  };
  const int32_t fw = lxSpinFastButtonWidth(9);
  const Case cases[] = {
      {sbpHorzLeftRight, false, {0, 1}, 9, 91},
      {sbpHorzLeftRight, true, {2, 0, 1, 3}, fw + 9, 100 - fw - 9},
      {sbpHorzRight, false, {0, 1}, 0, 82},
      {sbpHorzRight, true, {2, 0, 1, 3}, 0, 100 - 2 * fw - 18},
      {sbpVert, false, {0, 1}, 0, 85},  // one column: both start at its left
      {sbpVert, true, {2, 0, 1, 3}, 0, 100 - 2 * fw - 15},
  };
  for (const Case& c : cases) {
    const TlxSpinLayout layout = lxLayoutSpinButtons(Input(c.position, c.fast));
    EXPECT_EQ(OrderOf(layout, c.fast), c.order) << int(c.position) << c.fast;
    EXPECT_EQ(layout.Work.Left, c.text_left) << int(c.position) << c.fast;
    EXPECT_EQ(layout.Work.Right, c.text_right) << int(c.position) << c.fast;
    for (int32_t i = 0; i < (c.fast ? 4 : 2); ++i)
      EXPECT_FALSE(layout.Bounds[static_cast<size_t>(i)].IsEmpty()) << i;
  }
  EXPECT_EQ(fw, 14);  // 13.5 rounded
}

TEST(SpinLayoutTest, AVerticalColumnSharesItsHeightAroundTheDelimiter) {
  TlxSpinLayout layout = lxLayoutSpinButtons(Input(sbpVert, false, 1));
  EXPECT_EQ(layout.Bounds[1], TRect(85, 0, 100, 10));
  EXPECT_EQ(layout.Bounds[0], TRect(85, 11, 100, 21));
  lxSetSpinDelimiterLine(layout, sbpVert);
  EXPECT_EQ(layout.DelimiterFrom, TPoint(85, 10));
  EXPECT_EQ(layout.DelimiterTo, TPoint(99, 10));

  const TlxSpinLayout classic = lxLayoutSpinButtons(Input(sbpVert, false, 0));
  EXPECT_EQ(classic.Bounds[1].Bottom, 10);
  EXPECT_EQ(classic.Bounds[0].Top, 10);
}

TEST(SpinLayoutTest, CompositionRaisesAllButTheFullHeightButton) {
  TlxSpinLayout layout = lxLayoutSpinButtons(Input(sbpHorzRight, true, 1, 1));
  EXPECT_EQ(layout.Bounds[0].Bottom, 21);
  for (size_t i : {1u, 2u, 3u})
    EXPECT_EQ(layout.Bounds[i].Bottom, 20) << i;
  // Button 1 is cut first, then the delimiter gap, then button 0.
  EXPECT_EQ(layout.Bounds[0].Right + 1, layout.Bounds[1].Left);
  lxSetSpinDelimiterLine(layout, sbpHorzRight);
  EXPECT_EQ(layout.DelimiterFrom, TPoint(layout.Bounds[0].Right, 0));
  EXPECT_EQ(layout.DelimiterTo, TPoint(layout.Bounds[0].Right, 20));
}

TEST(SpinLayoutTest, LeftAndRightButtonsHaveNoLineButKeepTheGap) {
  TlxSpinLayout layout = lxLayoutSpinButtons(Input(sbpHorzLeftRight, false, 1));
  lxSetSpinDelimiterLine(layout, sbpHorzLeftRight);
  EXPECT_EQ(layout.DelimiterFrom, TPoint());
  EXPECT_EQ(layout.DelimiterTo, TPoint());
  EXPECT_EQ(layout.Work.Right, layout.Bounds[1].Left - 1);
}

TEST(SpinLayoutTest, ANarrowEditorLetsButtonsOverlapTheText) {
  TlxSpinLayoutInput input = Input(sbpHorzRight, true);
  input.Work = TRect(0, 0, 20, 21);
  const TlxSpinLayout layout = lxLayoutSpinButtons(input);
  EXPECT_LT(layout.Work.Right, layout.Work.Left);
  EXPECT_EQ(layout.Bounds[3].Right, 20);
}

TEST(SpinLayoutTest, ClassicWidthsFollowTheArrowSize) {
  EXPECT_EQ(lxSpinClassicButtonWidth(3), 9);
  EXPECT_EQ(lxSpinClassicButtonWidth(4), 13);
  EXPECT_EQ(lxSpinFastButtonWidth(13), 20);  // 19.5 rounded
}

TEST(SpinFrameRulesTest, NeighboursShareOneShadowLine) {
  // Hot-flat, sbpHorzRight with fast buttons: button 2 is framed fully,
  // 0, 1 and 3 are open to the left.
  EXPECT_EQ(lxSpinHotFlatShadowEdges(lxSpinHotFlatEdgeKind(2, 4, sbpHorzRight)), 15u);
  for (int32_t i : {0, 1, 3})
    EXPECT_EQ(lxSpinHotFlatShadowEdges(lxSpinHotFlatEdgeKind(i, 4, sbpHorzRight)), 2u | 4u | 8u) << i;
  struct Case {
    int32_t index;
    int32_t count;
    TlxSpinEditButtonsPosition position;
    int32_t kind;
  };
  const Case cases[] = {{0, 2, sbpHorzLeftRight, 1}, {1, 2, sbpHorzRight, 2}, {0, 2, sbpVert, 7},
                        {1, 2, sbpVert, 6},          {0, 4, sbpVert, 5},      {1, 4, sbpVert, 4},
                        {2, 4, sbpHorzLeftRight, 0}, {3, 4, sbpVert, 2}};
  for (const Case& c : cases)
    EXPECT_EQ(lxSpinHotFlatEdgeKind(c.index, c.count, c.position), c.kind) << c.index << " " << int(c.position);
  EXPECT_EQ(lxSpinHotFlatShadowEdges(5), 4u | 8u);
  EXPECT_EQ(lxSpinHotFlatShadowEdges(7), 1u | 4u | 8u);
}

TEST(SpinFrameRulesTest, UltraFlatHighlightsFollowTheShape) {
  EXPECT_EQ(lxSpinUltraFlatShape(0, 2, sbpVert), 6);
  EXPECT_EQ(lxSpinUltraFlatShape(0, 4, sbpVert), 4);
  EXPECT_EQ(lxSpinUltraFlatShape(0, 2, sbpHorzLeftRight), 0);
  EXPECT_EQ(lxSpinUltraFlatShape(0, 2, sbpHorzRight), 1);
  EXPECT_EQ(lxSpinUltraFlatShape(1, 2, sbpVert), 5);
  EXPECT_EQ(lxSpinUltraFlatShape(1, 4, sbpVert), 3);
  EXPECT_EQ(lxSpinUltraFlatShape(2, 4, sbpHorzLeftRight), 0);
  EXPECT_EQ(lxSpinUltraFlatShape(3, 4, sbpHorzRight), 2);
  EXPECT_EQ(lxSpinUltraFlatHighlightEdges(1, false), 1u | 4u);
  EXPECT_EQ(lxSpinUltraFlatHighlightEdges(1, true), 4u);
  EXPECT_EQ(lxSpinUltraFlatHighlightEdges(6, false), 2u | 1u);
  EXPECT_EQ(lxSpinUltraFlatHighlightEdges(5, true), 8u);
}

TEST(SpinFrameRulesTest, ThemePartsStatesAndArrows) {
  EXPECT_EQ(lxSpinThemePart(0, sbpVert), 2);
  EXPECT_EQ(lxSpinThemePart(1, sbpVert), 1);
  EXPECT_EQ(lxSpinThemePart(0, sbpHorzRight), 4);
  EXPECT_EQ(lxSpinThemePart(1, sbpHorzLeftRight), 3);
  EXPECT_EQ(lxSpinThemePart(2, sbpVert), 4);
  EXPECT_EQ(lxSpinThemePart(3, sbpVert), 3);
  const int32_t states[] = {4, 1, 3, 2};
  for (uint8_t s = 0; s < 4; ++s)
    EXPECT_EQ(lxSpinThemeState(s), states[s]);
  EXPECT_EQ(lxSpinArrowDirection(0, sbpVert), adDown);
  EXPECT_EQ(lxSpinArrowDirection(1, sbpVert), adUp);
  EXPECT_EQ(lxSpinArrowDirection(0, sbpHorzRight), adLeft);
  EXPECT_EQ(lxSpinArrowDirection(3, sbpVert), adRight);
  EXPECT_EQ(lxSpinSkinArrowKind(0, sbpVert), 5);
  EXPECT_EQ(lxSpinSkinArrowKind(3, sbpHorzRight), 7);
}

}  // namespace spin_edit_layout_test
