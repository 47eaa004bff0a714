#include "ui/foundation/controls/library_cursors_win.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "platform/toolkit/screen.h"

namespace {

constexpr int kSize = 32;

enum class Direction { kUp, kRight, kDown, kLeft };

// A 32 x 32 cursor picture: black, white or see-through pixels, turned
// into the and/xor masks of CreateCursor.
class CursorPicture {
 public:
  CursorPicture() {
    for (auto& row : pixels_)
      row.fill(kClear);
  }

  void Black(int x, int y) { Set(x, y, kBlack); }

  void Box(int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        Set(x, y, x == left || x == right || y == top || y == bottom ? kBlack : kWhite);
  }

  void Line(int x0, int y0, int x1, int y1) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int step = 0; step <= steps; ++step) {
      const int x = steps == 0 ? x0 : x0 + (x1 - x0) * step / steps;
      const int y = steps == 0 ? y0 : y0 + (y1 - y0) * step / steps;
      Black(x, y);
      Black(x + 1, y);
    }
  }

  // The usual pointer with its tip at (x, y).
  void Pointer(int x, int y) {
    for (int row = 0; row < 11; ++row)
      for (int column = 0; column <= row; ++column)
        Set(x + column, y + row, column == 0 || column == row ? kBlack : kWhite);
    for (int column = 0; column < 6; ++column)
      Black(x + 5 + column, y + 10);
    for (int row = 11; row < 16; ++row) {
      Black(x + row - 7, y + row);
      Set(x + row - 6, y + row, kWhite);
      Set(x + row - 5, y + row, kWhite);
      Black(x + row - 4, y + row);
    }
  }

  // A filled triangle with its tip at (x, y), `length` pixels long.
  void ArrowHead(int x, int y, Direction direction, int length) {
    for (int depth = 0; depth < length; ++depth) {
      for (int spread = -depth; spread <= depth; ++spread) {
        switch (direction) {
          case Direction::kUp:
            Black(x + spread, y + depth);
            break;
          case Direction::kDown:
            Black(x + spread, y - depth);
            break;
          case Direction::kLeft:
            Black(x + depth, y + spread);
            break;
          case Direction::kRight:
            Black(x - depth, y + spread);
            break;
        }
      }
    }
  }

  void Dot(int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        Black(x + dx, y + dy);
  }

  void Ring(int x, int y, int radius) {
    for (int dy = -radius - 1; dy <= radius + 1; ++dy) {
      for (int dx = -radius - 1; dx <= radius + 1; ++dx) {
        const int distance = dx * dx + dy * dy;
        if (distance <= radius * radius && distance >= (radius - 2) * (radius - 2))
          Black(x + dx, y + dy);
      }
    }
  }

  // Gives every see-through pixel beside a black one a white rim.
  void Rim() {
    const Pixels before = pixels_;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (before[y][x] != kClear)
          continue;
        for (int dy = -1; dy <= 1 && pixels_[y][x] == kClear; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (At(before, x + dx, y + dy) == kBlack) {
              pixels_[y][x] = kWhite;
              break;
            }
      }
    }
  }

  HCURSOR Create(int hot_x, int hot_y) {
    Rim();
    std::array<uint8_t, kSize * kSize / 8> and_mask;
    std::array<uint8_t, kSize * kSize / 8> xor_mask{};
    and_mask.fill(0xFF);
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (pixels_[y][x] == kClear)
          continue;
        const int byte = y * kSize / 8 + x / 8;
        const auto bit = static_cast<uint8_t>(0x80 >> (x % 8));
        and_mask[byte] &= static_cast<uint8_t>(~bit);
        if (pixels_[y][x] == kWhite)
          xor_mask[byte] |= bit;
      }
    }
    return CreateCursor(GetModuleHandleW(nullptr), hot_x, hot_y, kSize, kSize, and_mask.data(), xor_mask.data());
  }

 private:
  static constexpr char kClear = ' ';
  static constexpr char kBlack = 'X';
  static constexpr char kWhite = '.';
  using Pixels = std::array<std::array<char, kSize>, kSize>;

  static char At(const Pixels& pixels, int x, int y) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize)
      return kClear;
    return pixels[y][x];
  }

  void Set(int x, int y, char pixel) {
    if (x >= 0 && y >= 0 && x < kSize && y < kSize)
      pixels_[y][x] = pixel;
  }

  Pixels pixels_;
};

constexpr int kCentre = 15;

HCURSOR DraggingCursor(int boxes, bool plus) {
  CursorPicture picture;
  picture.Pointer(0, 0);
  if (boxes > 1)
    picture.Box(9, 18, 19, 24);
  picture.Box(7, 16, 17, 22);
  if (plus) {
    picture.Line(11, 19, 13, 19);
    picture.Black(12, 18);
    picture.Black(12, 20);
  }
  return picture.Create(0, 0);
}

HCURSOR PointerWithSign(bool no_drop) {
  CursorPicture picture;
  picture.Pointer(0, 0);
  if (no_drop) {
    picture.Ring(16, 20, 6);
    picture.Line(12, 16, 20, 24);
  } else {
    picture.Line(11, 16, 19, 24);
    picture.Line(19, 16, 11, 24);
  }
  return picture.Create(0, 0);
}

// A dot in the middle and arrow heads towards the directions the content
// scrolls in.
HCURSOR ScrollCursor(bool up, bool right, bool down, bool left) {
  CursorPicture picture;
  picture.Dot(kCentre, kCentre);
  if (up)
    picture.ArrowHead(kCentre, kCentre - 11, Direction::kUp, 6);
  if (down)
    picture.ArrowHead(kCentre, kCentre + 11, Direction::kDown, 6);
  if (left)
    picture.ArrowHead(kCentre - 11, kCentre, Direction::kLeft, 6);
  if (right)
    picture.ArrowHead(kCentre + 11, kCentre, Direction::kRight, 6);
  return picture.Create(kCentre, kCentre);
}

// A double bar with arrow heads away from it on both sides.
HCURSOR SizeCursor(bool vertical) {
  CursorPicture picture;
  if (vertical) {
    picture.Line(kCentre - 8, kCentre - 1, kCentre + 7, kCentre - 1);
    picture.Line(kCentre - 8, kCentre + 1, kCentre + 7, kCentre + 1);
    picture.ArrowHead(kCentre, kCentre - 10, Direction::kUp, 6);
    picture.ArrowHead(kCentre, kCentre + 10, Direction::kDown, 6);
  } else {
    picture.Line(kCentre - 1, kCentre - 8, kCentre - 1, kCentre + 7);
    picture.Line(kCentre + 1, kCentre - 8, kCentre + 1, kCentre + 7);
    picture.ArrowHead(kCentre - 10, kCentre, Direction::kLeft, 6);
    picture.ArrowHead(kCentre + 10, kCentre, Direction::kRight, 6);
  }
  return picture.Create(kCentre, kCentre);
}

// A pipette whose tip, at the bottom left, is the hot spot.
HCURSOR ColorPickerCursor() {
  CursorPicture picture;
  for (int offset = 0; offset < 3; ++offset)
    picture.Line(1 + offset, 30, 19 + offset, 12);
  picture.Box(19, 5, 26, 12);
  picture.Line(16, 10, 21, 15);
  return picture.Create(1, 30);
}

HCURSOR DrawnCursor(TlxCursorId id) {
  switch (id) {
    case crLxDragCopy:
      return DraggingCursor(1, true);
    case crLxFullScroll:
      return ScrollCursor(true, true, true, true);
    case crLxHorzScroll:
      return ScrollCursor(false, true, false, true);
    case crLxVertScroll:
      return ScrollCursor(true, false, true, false);
    case crLxUpScroll:
      return ScrollCursor(true, false, false, false);
    case crLxRightScroll:
      return ScrollCursor(false, true, false, false);
    case crLxDownScroll:
      return ScrollCursor(false, false, true, false);
    case crLxLeftScroll:
      return ScrollCursor(false, false, false, true);
    case crLxRemove:
      return PointerWithSign(false);
    case crLxVertSize:
      return SizeCursor(true);
    case crLxHorzSize:
      return SizeCursor(false);
    case crLxMultiDrag:
      return DraggingCursor(2, false);
    case crLxNoDrop:
      return PointerWithSign(true);
    case crLxDrag:
      return DraggingCursor(1, false);
    case crLxColorPicker:
      return ColorPickerCursor();
    default:
      return nullptr;
  }
}

constexpr std::array kCursorIds{crLxDragCopy,   crLxFullScroll,  crLxHorzScroll, crLxVertScroll,
                                crLxUpScroll,   crLxRightScroll, crLxDownScroll, crLxLeftScroll,
                                crLxRemove,     crLxVertSize,    crLxHorzSize,   crLxMultiDrag,
                                crLxNoDrop,     crLxDrag,        crLxHand,       crLxColorPicker};

}  // namespace

std::span<const TlxCursorId> lxLibraryCursorIds() { return kCursorIds; }

void lxRegisterLibraryCursors() {
  for (const TlxCursorId id : kCursorIds) {
    // The hand is the system's own, shared and never destroyed.
    HCURSOR cursor = id == crLxHand ? LoadCursorA(nullptr, IDC_HAND) : DrawnCursor(id);
    if (cursor != nullptr)
      Screen->SetCursors(id, cursor);
  }
}

void lxUnregisterLibraryCursors() {
  for (const TlxCursorId id : kCursorIds)
    Screen->SetCursors(id, nullptr);
}
