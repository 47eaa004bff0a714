#include "ui/foundation/canvas/draw_helpers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TEST(DrawHelpersTest, ShrinkRectMovesEachSideByItsMargin) {
  TRect rect(10, 20, 110, 220);
  lxShrinkRect(rect, TRect(1, 2, 3, 4));
  EXPECT_EQ(rect, TRect(11, 22, 107, 216));
  lxShrinkRect(rect, TRect(-1, -2, -3, -4));  // negative margins widen
  EXPECT_EQ(rect, TRect(10, 20, 110, 220));
}

// Rows listed top to bottom, stored bottom-up as a device-independent image.
std::vector<uint8_t> BottomUp(std::vector<std::vector<uint8_t>> rows_top_down) {
  std::vector<uint8_t> bits;
  for (auto row = rows_top_down.rbegin(); row != rows_top_down.rend(); ++row) {
    bits.insert(bits.end(), row->begin(), row->end());
  }
  return bits;
}

TEST(DrawHelpersTest, LowestMarkedRowCountsFromTheTop) {
  struct Case {
    std::vector<std::vector<uint8_t>> rows;
    uint8_t blank;
    int32_t expected;
  };
  const Case cases[] = {
      {{{0xFF, 0xFF}, {0xFF, 0xFF}, {0xFF, 0xFF}}, 0xFF, -1},
      {{{0x00, 0xFF}, {0xFF, 0xFF}, {0xFF, 0xFF}}, 0xFF, 0},
      {{{0x00, 0xFF}, {0xFF, 0xFE}, {0xFF, 0xFF}}, 0xFF, 1},  // a mark in the row's last byte counts
      {{{0xFF, 0xFF}, {0xFF, 0xFF}, {0x7F, 0xFF}}, 0xFF, 2},
      {{{0x00, 0x00}, {0x01, 0x00}, {0x00, 0x00}}, 0x00, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxLowestMarkedRow(BottomUp(c.rows), 2, c.blank), c.expected);
  }
  const std::vector<uint8_t> partial{0x00, 0xFF, 0xFF};  // one whole row of 2 and a stray byte
  EXPECT_EQ(lxLowestMarkedRow(partial, 2, 0xFF), 0);
  EXPECT_EQ(lxLowestMarkedRow({}, 2, 0xFF), -1);
  EXPECT_THROW(lxLowestMarkedRow(partial, 0, 0xFF), std::invalid_argument);
}

// A 16-pixel-wide cursor mask: 2 bytes a row (the 4-byte row padding is not
// needed for the helper), AND part on top and, for a monochrome cursor, the
// XOR part under it.
std::vector<std::vector<uint8_t>> BlankSquare(uint8_t fill) {
  return std::vector<std::vector<uint8_t>>(16, std::vector<uint8_t>(2, fill));
}

TEST(DrawHelpersTest, CursorHeightComesFromTheAndMaskThenTheXorMask) {
  auto and_part = BlankSquare(0xFF);
  and_part[9][0] = 0x0F;  // lowest visible row is 9
  auto xor_part = BlankSquare(0x00);
  xor_part[12][1] = 0x80;

  std::vector<std::vector<uint8_t>> mono = and_part;
  mono.insert(mono.end(), xor_part.begin(), xor_part.end());
  EXPECT_EQ(lxCursorHeightBelowHotSpotFromMask(BottomUp(mono), 16, 32, 2, 3, 32), 10 - 3);

  // An AND part that shows nothing: the XOR part's pixels count.
  std::vector<std::vector<uint8_t>> inverting = BlankSquare(0xFF);
  inverting.insert(inverting.end(), xor_part.begin(), xor_part.end());
  EXPECT_EQ(lxCursorHeightBelowHotSpotFromMask(BottomUp(inverting), 16, 32, 2, 0, 32), 13);

  // A colour cursor's mask is only the AND square; nothing visible keeps the
  // default.
  EXPECT_EQ(lxCursorHeightBelowHotSpotFromMask(BottomUp(BlankSquare(0xFF)), 16, 16, 2, 0, 32), 32);
  EXPECT_EQ(lxCursorHeightBelowHotSpotFromMask(BottomUp(and_part), 16, 16, 2, 9, 32), 1);
}

TEST(DrawHelpersTest, MalformedCursorMasksGiveTheDefault) {
  const std::vector<uint8_t> bits(64, 0x00);
  struct Case {
    int32_t width, height, bytes_per_row;
  };
  const Case cases[] = {
      {0, 32, 2},   // no width
      {16, 8, 2},   // lower than a square
      {16, 64, 2},  // more rows than bytes given
      {16, 16, 0},  // no row length
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxCursorHeightBelowHotSpotFromMask(bits, c.width, c.height, c.bytes_per_row, 0, 32), 32)
        << c.width << "x" << c.height << " / " << c.bytes_per_row;
  }
}

}  // namespace
