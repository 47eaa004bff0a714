#include "ui/foundation/canvas/canvas_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TilePartsTest, SixteenPixelTilesOverAnUnalignedRectangle) {
  const std::vector<TlxTilePart> parts = lxTileParts(TRect(10, 10, 40, 40), 16, 16);
  ASSERT_EQ(parts.size(), 9u);
  EXPECT_EQ(parts[0], (TlxTilePart{TRect(10, 10, 16, 16), TRect(10, 10, 16, 16)}));
  EXPECT_EQ(parts[1], (TlxTilePart{TRect(16, 10, 32, 16), TRect(0, 10, 16, 16)}));
  EXPECT_EQ(parts[4], (TlxTilePart{TRect(16, 16, 32, 32), TRect(0, 0, 16, 16)}));
  EXPECT_EQ(parts[8], (TlxTilePart{TRect(32, 32, 40, 40), TRect(0, 0, 8, 8)}));
}

TEST(TilePartsTest, PartsCoverTheRectangleExactlyOnce) {
  struct Case {
    TRect rect;
    int32_t width, height;
    size_t parts;
  };
  const Case cases[] = {
      {TRect(0, 0, 32, 32), 16, 16, 4},    // ends on a tile border: no empty extra row or column
      {TRect(0, 0, 33, 16), 16, 16, 3},
      {TRect(5, 5, 6, 6), 16, 16, 1},
      {TRect(-5, -20, 5, 3), 8, 10, 6},    // left of and above the origin
      {TRect(15, 0, 17, 1), 16, 16, 2},
  };
  for (const Case& c : cases) {
    const std::vector<TlxTilePart> parts = lxTileParts(c.rect, c.width, c.height);
    EXPECT_EQ(parts.size(), c.parts);
    int64_t area = 0;
    for (const TlxTilePart& part : parts) {
      EXPECT_FALSE(part.Dest.IsEmpty());
      EXPECT_GE(part.Dest.Left, c.rect.Left);
      EXPECT_LE(part.Dest.Right, c.rect.Right);
      EXPECT_GE(part.Dest.Top, c.rect.Top);
      EXPECT_LE(part.Dest.Bottom, c.rect.Bottom);
      EXPECT_EQ(part.Dest.Width(), part.Source.Width());
      EXPECT_EQ(part.Dest.Height(), part.Source.Height());
      EXPECT_GE(part.Source.Left, 0);
      EXPECT_GE(part.Source.Top, 0);
      EXPECT_LE(part.Source.Right, c.width);
      EXPECT_LE(part.Source.Bottom, c.height);
      // The source lines up with the grid of tiles laid from the origin.
      EXPECT_EQ(((part.Dest.Left - part.Source.Left) % c.width + c.width) % c.width, 0);
      EXPECT_EQ(((part.Dest.Top - part.Source.Top) % c.height + c.height) % c.height, 0);
      area += int64_t{part.Dest.Width()} * part.Dest.Height();
    }
    EXPECT_EQ(area, int64_t{c.rect.Width()} * c.rect.Height());
  }
}

TEST(TilePartsTest, NothingForAnEmptyRectangleOrTile) {
  EXPECT_TRUE(lxTileParts(TRect(10, 10, 10, 40), 16, 16).empty());
  EXPECT_TRUE(lxTileParts(TRect(10, 40, 20, 10), 16, 16).empty());
  EXPECT_TRUE(lxTileParts(TRect(0, 0, 10, 10), 0, 16).empty());
  EXPECT_TRUE(lxTileParts(TRect(0, 0, 10, 10), 16, -1).empty());
}

TEST(FrameSideBandTest, BandsStayInsideTheRectangle) {
  const TRect rect(10, 20, 50, 30);
  struct Case {
    uint8_t side;
    int32_t width;
    TRect band;
  };
  const Case cases[] = {
      {lxFrameSideLeft, 2, TRect(10, 20, 12, 30)},
      {lxFrameSideTop, 2, TRect(10, 20, 50, 22)},
      {lxFrameSideRight, 2, TRect(48, 20, 50, 30)},
      {lxFrameSideBottom, 2, TRect(10, 28, 50, 30)},
      // Wider than the rectangle: each band is the whole rectangle.
      {lxFrameSideLeft, 100, rect},
      {lxFrameSideTop, 100, rect},
      {lxFrameSideRight, 100, rect},
      {lxFrameSideBottom, 100, rect},
      // No width, no band; a negative width is no width.
      {lxFrameSideLeft, 0, TRect(10, 20, 10, 30)},
      {lxFrameSideRight, -3, TRect(50, 20, 50, 30)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxFrameSideBand(rect, c.side, c.width), c.band) << int{c.side} << " " << c.width;
  EXPECT_TRUE(lxFrameSideBand(rect, 3, 2).IsEmpty());  // not a single side
}

TEST(FrameSideBandTest, InsideTheFrameLosesOnlyTheChosenSides) {
  const TRect rect(0, 0, 20, 10);
  EXPECT_EQ(lxRectInsideFrame(rect, lxFrameSideLeft | lxFrameSideBottom, 2), TRect(2, 0, 20, 8));
  EXPECT_EQ(lxRectInsideFrame(rect, 15, 1), TRect(1, 1, 19, 9));
  EXPECT_EQ(lxRectInsideFrame(rect, 0, 5), rect);
}

TEST(MeasuredTextRectTest, MovesBackInsideByTheAlignment) {
  const TRect given(10, 10, 111, 41);     // 101 x 31
  const TRect measured(10, 10, 40, 26);   // 30 x 16
  struct Case {
    bool center_x, right, center_y, bottom;
    TRect expected;
  };
  const Case cases[] = {
      {false, false, false, false, measured},
      {true, false, false, false, TRect(45, 10, 75, 26)},   // (101 - 30) / 2 = 35
      {false, true, false, false, TRect(81, 10, 111, 26)},
      {false, false, true, false, TRect(10, 17, 40, 33)},   // (31 - 16) / 2 = 7
      {false, false, false, true, TRect(10, 25, 40, 41)},
      {true, false, false, true, TRect(45, 25, 75, 41)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxAlignMeasuredTextRect(measured, given, c.center_x, c.right, c.center_y, c.bottom), c.expected);
  // Text larger than the rectangle moves the other way, halves toward zero.
  EXPECT_EQ(lxAlignMeasuredTextRect(TRect(0, 0, 13, 5), TRect(0, 0, 10, 5), true, false, false, false),
            TRect(-1, 0, 12, 5));
}

TEST(SingleLineTextPlaceTest, AlignsOnlyWhereTheTextIsSmaller) {
  const TRect rect(0, 0, 100, 20);
  struct Case {
    int32_t width, height;
    bool right, center_x, bottom, center_y;
    int32_t offset;
    TPoint place;
  };
  const Case cases[] = {
      {40, 10, false, false, false, false, 0, TPoint(0, 0)},
      {40, 10, true, false, false, false, 0, TPoint(60, 0)},
      {40, 10, true, false, false, false, 1, TPoint(59, 0)},  // room for the embossed copy
      {40, 10, false, true, false, true, 0, TPoint(30, 5)},
      {40, 10, false, false, true, false, 1, TPoint(0, 9)},
      {100, 20, true, false, true, false, 0, TPoint(0, 0)},  // exactly as large: stays put
      {140, 30, false, true, false, true, 0, TPoint(0, 0)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxPlaceSingleLineText(rect, c.width, c.height, c.right, c.center_x, c.bottom, c.center_y, c.offset),
              c.place);
}

}  // namespace
