#include "editors/kinds/spin_value.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

__extension__ typedef __int128 TWideInt;

constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr double kFloatMax = std::numeric_limits<double>::max();

int64_t ToInt64(const Variant& value) {
  if (value.NumericKind() == Variant::Kind::kInteger)
    return value.IntegerBits();
  return lxDoubleAsValueType(vtInt, value.AsDouble()).IntegerBits();
}

// A finite double; an overflow takes the limit on its side.
double Saturated(double x) {
  if (std::isnan(x))
    return 0;
  return std::fmax(-kFloatMax, std::fmin(kFloatMax, x));
}

// The step for every case but wrapping past a bound, which is left to the
// caller (nullopt). `lo` and `hi` are the distances to the bounds.
template <class T>
std::optional<bool> StepWithoutWrap(TlxSpinBoundsMode mode, T min_value, T max_value, T value, T delta, T lo, T hi,
                                    bool up, T& result) {
  if (value > max_value || value < min_value) {
    // Outside the bounds a step towards the range lands on the nearer
    // bound; away from it only wrapping moves, to the far bound.
    const bool toward_range = value > max_value ? !up : up;
    if (toward_range) {
      result = value > max_value ? max_value : min_value;
      return true;
    }
    if (mode != sbmWrap)
      return false;
    result = value > max_value ? min_value : max_value;
    return true;
  }
  if (delta >= lo && delta <= hi) {
    result = value + delta;
    return true;
  }
  if (mode == sbmRefuse)
    return false;
  if (mode == sbmStop) {
    result = delta > hi ? max_value : min_value;
    return true;
  }
  return std::nullopt;
}

bool StepInteger(TlxSpinBoundsMode mode, TWideInt min_value, TWideInt max_value, TWideInt value, TWideInt delta,
                 bool up, TWideInt& result) {
  if (min_value > max_value)
    return false;
  const TWideInt lo = min_value - value;
  const TWideInt hi = max_value - value;
  if (const std::optional<bool> done = StepWithoutWrap(mode, min_value, max_value, value, delta, lo, hi, up, result))
    return *done;
  // Going round counts the step from the far bound: max + 1 is min. The
  // remainder keeps steps larger than the whole range inside it.
  const TWideInt span = max_value - min_value + 1;
  if (delta > hi)
    result = min_value + (delta - 1 - hi) % span;
  else
    result = max_value - (lo - delta - 1) % span;
  return true;
}

bool StepFloat(TlxSpinBoundsMode mode, double min_value, double max_value, double value, double delta, bool up,
               double& result) {
  if (!(min_value <= max_value))
    return false;
  const double lo = Saturated(min_value - value);
  const double hi = Saturated(max_value - value);
  if (const std::optional<bool> done = StepWithoutWrap(mode, min_value, max_value, value, delta, lo, hi, up, result))
    return *done;
  result = delta > hi ? Saturated(min_value + delta - 1 - hi) : Saturated(max_value + delta + 1 - lo);
  if (result >= min_value && result <= max_value)
    return true;
  // A fractional or oversized step would leave the range by the counting
  // above: it goes round by the range's width instead.
  const double span = max_value - min_value;
  if (!(span > 0) || !std::isfinite(span)) {
    result = delta > hi ? min_value : max_value;
    return true;
  }
  result = delta > hi ? min_value + std::fmod(delta - hi, span) : max_value - std::fmod(lo - delta, span);
  result = std::fmax(min_value, std::fmin(max_value, result));
  return true;
}

}  // namespace

Variant lxSpinTypeBound(TlxSpinEditValueType type, bool maximum) {
  if (type == vtFloat)
    return Variant(maximum ? kFloatMax : -kFloatMax);
  return Variant(maximum ? kInt64Max : kInt64Min);
}

Variant lxDoubleAsValueType(TlxSpinEditValueType type, double x) {
  if (type == vtFloat)
    return Variant(x);
  if (std::isnan(x))
    return Variant(int64_t{0});
  const double rounded = std::nearbyint(x);  // the default rounding: halves to even
  // 2^63 is the first double above the largest 64-bit integer.
  if (rounded >= 9223372036854775808.0)
    return Variant(kInt64Max);
  if (rounded < -9223372036854775808.0)
    return Variant(kInt64Min);
  return Variant(static_cast<int64_t>(rounded));
}

Variant lxSpinToValueType(TlxSpinEditValueType type, const Variant& value) {
  if (type == vtFloat)
    return Variant(value.AsDouble());
  return Variant(ToInt64(value));
}

bool lxIsInSpinTypeRange(TlxSpinEditValueType type, double x) {
  if (type == vtFloat)
    return x >= -kFloatMax && x <= kFloatMax;
  return x >= -9223372036854775808.0 && x < 9223372036854775808.0;
}

bool lxSpinStep(TlxSpinEditValueType type, TlxSpinBoundsMode mode, const Variant& min_value,
                const Variant& max_value, const Variant& value, const Variant& delta, bool up, Variant& result) {
  if (type == vtFloat) {
    double stepped = 0;
    if (!StepFloat(mode, min_value.AsDouble(), max_value.AsDouble(), value.AsDouble(), delta.AsDouble(), up,
                   stepped))
      return false;
    result = Variant(stepped);
    return true;
  }
  TWideInt stepped = 0;
  if (!StepInteger(mode, ToInt64(min_value), ToInt64(max_value), ToInt64(value), ToInt64(delta), up, stepped))
    return false;
  result = Variant(static_cast<int64_t>(stepped));
  return true;
}
