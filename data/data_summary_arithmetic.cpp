#include "data/data_summary_arithmetic.h"

#include <limits>

#include "platform/rtl/fmt_bcd.h"

namespace {

bool IsIntegral(const Variant& value) {
  return value.NumericKind() == Variant::Kind::kInteger && value.Type() != varCurrency;
}

Variant IntegerResult(int64_t value) {
  if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
    return Variant(static_cast<int32_t>(value));
  return Variant(value);
}

}  // namespace

Variant lxSummaryAdd(const Variant& accumulator, const Variant& value) {
  if (IsIntegral(accumulator) && IsIntegral(value)) {
    int64_t sum = 0;
    if (!__builtin_add_overflow(accumulator.IntegerBits(), value.IntegerBits(), &sum))
      return IntegerResult(sum);
    return Variant(static_cast<double>(accumulator.IntegerBits()) + static_cast<double>(value.IntegerBits()));
  }
  if (VarIsFMTBcd(accumulator) || VarIsFMTBcd(value))
    return Variant::FromBcd(DoubleToBcd(accumulator.AsDouble() + value.AsDouble()));
  const bool has_date = accumulator.Type() == varDate || value.Type() == varDate;
  const bool has_real = accumulator.NumericKind() == Variant::Kind::kReal && accumulator.Type() != varDate;
  const bool value_real = value.NumericKind() == Variant::Kind::kReal && value.Type() != varDate;
  if ((accumulator.Type() == varCurrency || value.Type() == varCurrency) && !has_date && !has_real && !value_real &&
      !accumulator.IsText() && !value.IsText())
    return Variant(accumulator.AsCurrency() + value.AsCurrency());
  const double sum = accumulator.AsDouble() + value.AsDouble();
  return has_date ? Variant::FromDate(sum) : Variant(sum);
}

Variant lxSummaryDivide(const Variant& accumulator, int32_t count) {
  if (accumulator.Type() == varCurrency)
    return Variant(accumulator.AsCurrency() / Currency::FromInt64(count));
  if (VarIsFMTBcd(accumulator))
    return Variant::FromBcd(DoubleToBcd(accumulator.AsDouble() / count));
  return Variant(accumulator.AsDouble() / count);
}
