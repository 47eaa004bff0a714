#pragma once
// The portable rules of container styles: the value numbers and names, the
// view states, the border styles with their state defaults, how a value is
// found along the chain of style controllers, and the refusal of a
// controller that would lead back to the style itself.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/foundation/painters/painter_types.h"

using TlxContainerStyleValue = uint8_t;  // 0..31

// A 32-bit set of style values.
class TlxContainerStyleValues {
 public:
  constexpr TlxContainerStyleValues() = default;
  static constexpr TlxContainerStyleValues FromBits(uint32_t bits) {
    TlxContainerStyleValues set;
    set.bits_ = bits;
    return set;
  }
  constexpr bool Contains(TlxContainerStyleValue value) const { return value < 32 && (bits_ >> value & 1u) != 0; }
  constexpr void Include(TlxContainerStyleValue value) {
    if (value < 32)
      bits_ |= 1u << value;
  }
  constexpr void Exclude(TlxContainerStyleValue value) {
    if (value < 32)
      bits_ &= ~(1u << value);
  }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TlxContainerStyleValues&) const = default;

 private:
  uint32_t bits_ = 0;
};

inline constexpr TlxContainerStyleValue csvBorderColor = 0;
inline constexpr TlxContainerStyleValue csvBorderStyle = 1;
inline constexpr TlxContainerStyleValue csvColor = 2;
inline constexpr TlxContainerStyleValue csvEdges = 3;
inline constexpr TlxContainerStyleValue csvFont = 4;
inline constexpr TlxContainerStyleValue csvHotTrack = 5;
inline constexpr TlxContainerStyleValue csvShadow = 6;
inline constexpr TlxContainerStyleValue csvTextColor = 7;
inline constexpr TlxContainerStyleValue csvTextStyle = 8;
inline constexpr TlxContainerStyleValue csvTransparentBorder = 9;
inline constexpr int32_t kLxContainerStyleValueCount = 10;

// The names of the ten container values; false with an empty name outside
// 0..9.
bool lxContainerStyleValueName(int32_t value, std::string& name);

enum TlxContainerBorderStyle : uint8_t { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };

// The view states: the state of a style and its index in a style set.
enum TlxContainerStateItem : uint8_t { csNormal = 0, csActive = 1, csDisabled = 2, csHotTrack = 3 };
inline constexpr int32_t kLxContainerStateCount = 4;

// A master style's default border by its look-and-feel kind.
TlxContainerBorderStyle lxBorderStyleOfLookAndFeel(TlxLookAndFeelKind kind);
// A state style's default border from the master's: focused and hot
// styles thicken it while HotTrack is on; otherwise it stays.
TlxContainerBorderStyle lxStateBorderStyle(TlxContainerBorderStyle master, TlxContainerStateItem state,
                                           bool hot_track);

// One style as the resolution walks it.
class IlxStyleChainLink {
 public:
  virtual ~IlxStyleChainLink() = default;
  // The value is assigned on this style itself.
  virtual bool HoldsValue(TlxContainerStyleValue value) const = 0;
  // The style of the same state of the controller that this style's master
  // follows; null when it follows none.
  virtual const IlxStyleChainLink* ControllerStateStyle() const = 0;
};

// The style on the chain that holds the value (the style itself, else the
// controllers' styles in turn); null when none does. A chain that comes
// back to a style already visited ends there.
const IlxStyleChainLink* lxFindStyleValueHolder(const IlxStyleChainLink* style, TlxContainerStyleValue value);

// One controller as the cycle check walks it.
class IlxStyleControllerLink {
 public:
  virtual ~IlxStyleControllerLink() = default;
  // Identity of the controller's normal style.
  virtual const void* NormalStyleIdentity() const = 0;
  // The controller that the normal style follows, as the style's published
  // property reads it (null for the fallback controller).
  virtual const IlxStyleControllerLink* NormalStyleController() const = 0;
};

// Whether following `controller` would lead back to the style `style`.
bool lxControllerChainLeadsTo(const IlxStyleControllerLink* controller, const void* style);
