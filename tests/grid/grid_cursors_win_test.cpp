#include "grid/grid_cursors_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "grid/grid_cursors.h"
#include "platform/toolkit/screen.h"

namespace {

// The and/xor masks of a cursor image at one pixel: 'X' black, '.' white,
// ' ' see-through.
class CursorMasks {
 public:
  explicit CursorMasks(HCURSOR cursor) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info))
      return;
    hot_x_ = static_cast<int32_t>(info.xHotspot);
    hot_y_ = static_cast<int32_t>(info.yHotspot);
    // A monochrome cursor keeps both masks in one bitmap, and mask above xor.
    BITMAP bitmap{};
    GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap);
    width_ = bitmap.bmWidth;
    const int32_t height = info.hbmColor == nullptr ? bitmap.bmHeight / 2 : bitmap.bmHeight;
    monochrome_ = info.hbmColor == nullptr && height == 32 && width_ == 32;
    if (monochrome_) {
      const int32_t stride = ((width_ + 15) / 16) * 2;
      bits_.resize(static_cast<size_t>(stride * bitmap.bmHeight));
      GetBitmapBits(info.hbmMask, static_cast<LONG>(bits_.size()), bits_.data());
      stride_ = stride;
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
      DeleteObject(info.hbmColor);
  }

  bool Monochrome() const { return monochrome_; }
  int32_t HotX() const { return hot_x_; }
  int32_t HotY() const { return hot_y_; }
  char At(int32_t x, int32_t y) const {
    const bool and_bit = Bit(x, y);
    const bool xor_bit = Bit(x, y + 32);
    if (and_bit)
      return ' ';
    return xor_bit ? '.' : 'X';
  }

 private:
  bool Bit(int32_t x, int32_t y) const {
    const uint8_t byte = bits_[static_cast<size_t>(y * stride_ + x / 8)];
    return (byte & (0x80 >> (x % 8))) != 0;
  }

  bool monochrome_ = false;
  int32_t width_ = 0;
  int32_t stride_ = 0;
  int32_t hot_x_ = -1;
  int32_t hot_y_ = -1;
  std::vector<uint8_t> bits_;
};

TEST(GridCursorsTest, StartPointsSixAtTheFoundationAndKeepsTheSelectRowNumber) {
  lxStartGridCursors();
  struct Case {
    TlxCursorId number;
    TlxCursorId expected;
  };
  const std::array cases{
      Case{GridHorzSizeCursor, 2110}, Case{GridVertSizeCursor, 2109}, Case{GridRemoveCursor, 2108},
      Case{GridNoDropCursor, 2112},   Case{GridDragCursor, 2113},     Case{GridMultiDragCursor, 2111},
      Case{GridSelectRowCursor, 4007},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.number, c.expected);
  lxEndGridCursors();
}

TEST(GridCursorsTest, TheSelectRowImageComesFromTheProgramsResources) {
  HCURSOR resource = LoadCursorA(GetModuleHandleA(nullptr), kGridSelectRowCursorResource);
  ASSERT_NE(resource, nullptr);
  lxStartGridCursors();
  HCURSOR registered = Screen->Cursors(GridSelectRowCursor);
  EXPECT_NE(registered, nullptr);
  EXPECT_NE(registered, LoadCursorA(nullptr, IDC_ARROW));

  const CursorMasks masks(registered);
  ASSERT_TRUE(masks.Monochrome());
  EXPECT_EQ(masks.HotX(), 27);
  EXPECT_EQ(masks.HotY(), 15);
  // The arrow: black at its tip and shaft, a white rim, clear far away.
  EXPECT_EQ(masks.At(27, 15), 'X');
  EXPECT_EQ(masks.At(10, 15), 'X');
  EXPECT_EQ(masks.At(28, 15), '.');
  EXPECT_EQ(masks.At(0, 0), ' ');
  EXPECT_EQ(masks.At(31, 31), ' ');
  lxEndGridCursors();
}

}  // namespace
