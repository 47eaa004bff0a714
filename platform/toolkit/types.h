#pragma once
// Geometry, small sets and the enumerations shared by the toolkit's controls
// and graphics. The toolkit is Windows-only; these types convert to and from
// the system's POINT and RECT where the system is called.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  TPoint(const POINT& point) : X(point.x), Y(point.y) {}
  operator POINT() const { return POINT{X, Y}; }
  constexpr bool operator==(const TPoint&) const = default;
  constexpr TPoint operator+(const TPoint& other) const { return {X + other.X, Y + other.Y}; }
  constexpr TPoint operator-(const TPoint& other) const { return {X - other.X, Y - other.Y}; }
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}
  TRect(const RECT& rect) : Left(rect.left), Top(rect.top), Right(rect.right), Bottom(rect.bottom) {}
  operator RECT() const { return RECT{Left, Top, Right, Bottom}; }
  constexpr bool operator==(const TRect&) const = default;

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool Contains(const TPoint& point) const {
    return point.X >= Left && point.X < Right && point.Y >= Top && point.Y < Bottom;
  }
  constexpr TRect Offset(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  constexpr TRect Inflate(int32_t dx, int32_t dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
  // The common part; an empty rectangle at the origin when there is none.
  constexpr TRect Intersect(const TRect& other) const {
    TRect result(std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                 std::min(Bottom, other.Bottom));
    return result.IsEmpty() ? TRect() : result;
  }
};

constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom};
}
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, left + width, top + height};
}
constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }

// A set of up to 32 values of an enumeration, as the toolkit's option sets
// (shift state, anchors, control style) are.
template <class E>
class TSmallSet {
  static_assert(std::is_enum_v<E>);

 public:
  constexpr TSmallSet() = default;
  constexpr TSmallSet(std::initializer_list<E> values) {
    for (E value : values)
      bits_ |= Bit(value);
  }
  static constexpr TSmallSet FromBits(uint32_t bits) {
    TSmallSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
  constexpr TSmallSet& Include(E value) {
    bits_ |= Bit(value);
    return *this;
  }
  constexpr TSmallSet& Exclude(E value) {
    bits_ &= ~Bit(value);
    return *this;
  }
  constexpr void Set(E value, bool present) { present ? Include(value) : Exclude(value); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool operator==(const TSmallSet&) const = default;
  constexpr TSmallSet operator+(const TSmallSet& other) const { return FromBits(bits_ | other.bits_); }
  constexpr TSmallSet operator-(const TSmallSet& other) const { return FromBits(bits_ & ~other.bits_); }
  constexpr TSmallSet operator*(const TSmallSet& other) const { return FromBits(bits_ & other.bits_); }

 private:
  static constexpr uint32_t Bit(E value) { return uint32_t{1} << static_cast<uint32_t>(value); }
  uint32_t bits_ = 0;
};

enum TShiftStateFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSmallSet<TShiftStateFlag>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSmallSet<TAnchorKind>;

// Cursor identifiers: the system's shapes are negative, 0 means "the
// control's parent decides", positive ids belong to the program.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

// The shift state of a mouse message's key flags, or of the keyboard now.
TShiftState KeysToShiftState(WPARAM key_flags);
TShiftState KeyboardStateToShiftState();
// Modifier keys of a key message's key data (bit 29 is Alt).
TShiftState KeyDataToShiftState(LPARAM key_data);
