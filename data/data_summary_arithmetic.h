#pragma once
// The Variant arithmetic a summary accumulates with: the sum keeps integers
// integral (widening to 64 bits when needed), dates stay dates, currency
// stays currency, decimals stay decimals, anything else becomes a double.

#include <cstdint>

#include "platform/rtl/variant.h"

Variant lxSummaryAdd(const Variant& accumulator, const Variant& value);
// The average: accumulator / count as a double (currency and decimals keep
// their type); `count` is above 0.
Variant lxSummaryDivide(const Variant& accumulator, int32_t count);
