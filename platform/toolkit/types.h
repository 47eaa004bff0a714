#pragma once
// Small sets and the enumerations shared by the toolkit's controls and
// graphics, with the geometry of the run-time (which converts to and from
// the system's POINT and RECT where the system is called).

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "platform/rtl/geometry.h"

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
