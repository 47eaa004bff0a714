#pragma once
// The numbers a spin edit works with: a value type (64-bit integers or
// doubles), its limits, and one spin step inside bounds. Integer steps are
// computed in 128 bits, so no bound, value or step near the 64-bit limits
// can overflow.

#include <cstdint>

#include "platform/rtl/variant.h"

enum TlxSpinEditValueType : uint8_t { vtInt, vtFloat };

// What a step that would pass a bound does.
enum TlxSpinBoundsMode : int32_t {
  sbmRefuse = 0,  // no step
  sbmStop = 1,    // stops at the bound
  sbmWrap = 2,    // goes round to the other bound
};

// The type's minimum (`maximum` false) or maximum: the 64-bit integer
// limits, or the largest finite double.
Variant lxSpinTypeBound(TlxSpinEditValueType type, bool maximum);
// `x` in the value type: an integer rounds to the nearest, halves to even,
// and is held to the 64-bit limits (NaN gives 0).
Variant lxDoubleAsValueType(TlxSpinEditValueType type, double x);
// A numeric value in the value type (an integer value keeps every bit).
Variant lxSpinToValueType(TlxSpinEditValueType type, const Variant& value);
bool lxIsInSpinTypeRange(TlxSpinEditValueType type, double x);

// One spin step of `value` by `delta` (signed; `up` tells the button's
// direction, which decides for values outside the bounds) within
// [min_value, max_value]. False when the mode refuses the step. Wrapping
// goes round so that max + 1 step of 1 is min for integers, and the result
// always stays within the bounds, also for steps larger than the range or
// fractional ones.
bool lxSpinStep(TlxSpinEditValueType type, TlxSpinBoundsMode mode, const Variant& min_value,
                const Variant& max_value, const Variant& value, const Variant& delta, bool up, Variant& result);
