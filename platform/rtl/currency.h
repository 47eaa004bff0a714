#pragma once
// Currency: a fixed-point amount held as a 64-bit count of ten-thousandths,
// with exact arithmetic. Conversions from floating point and the rounding
// of products and quotients use banker's rounding (half to even), as the
// platform's currency does; results outside the 64-bit range raise
// EOverflow instead of wrapping.

#include <compare>
#include <cstdint>

class Currency {
 public:
  static constexpr int64_t kScale = 10'000;

  constexpr Currency() = default;
  static constexpr Currency FromRaw(int64_t raw) { return Currency(raw); }
  static Currency FromInt64(int64_t value);
  static Currency FromDouble(double value);

  constexpr int64_t Raw() const { return raw_; }
  double ToDouble() const { return static_cast<double>(raw_) / static_cast<double>(kScale); }
  // The whole amount rounded half to even.
  int64_t RoundToInt64() const;

  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend constexpr bool operator==(Currency, Currency) = default;

  Currency operator-() const;
  friend Currency operator+(Currency a, Currency b);
  friend Currency operator-(Currency a, Currency b);
  friend Currency operator*(Currency a, Currency b);
  friend Currency operator/(Currency a, Currency b);  // EZeroDivide for 0
  Currency& operator+=(Currency other) { return *this = *this + other; }
  Currency& operator-=(Currency other) { return *this = *this - other; }

 private:
  explicit constexpr Currency(int64_t raw) : raw_(raw) {}
  int64_t raw_ = 0;
};
