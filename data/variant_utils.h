#pragma once
// The data controller's view of Variants: one total order (empty, then
// null, then values; arrays element by element), the two equalities that
// editors and lookups use, type tests, and builders of one-dimensional
// Variant arrays with the low bound 0.

#include "platform/rtl/variant.h"

// Negative, zero or positive. A text that does not convert to the other
// side's type sorts after it, so that the order stays antisymmetric; NaN
// sorts after every number. Errors other than conversion errors pass on.
int lxVariantCompare(const Variant& v1, const Variant& v2);
// The same order, but a text that does not convert to the other side's type
// raises the platform's EVariantTypeCastError: the filter's comparison
// operators let it reach the criteria, which decides whether it fails the
// condition or passes out.
int lxVariantCompareStrict(const Variant& v1, const Variant& v2);
inline bool lxVariantEquals(const Variant& v1, const Variant& v2) { return lxVariantCompare(v1, v2) == 0; }
// Equality of editors and lookups: with a Boolean on either side (and no
// null), both sides compare as texts; a side that has no text is unequal.
bool lxVariantEqualsBoolAware(const Variant& v1, const Variant& v2);

bool lxVarTypeIsDateTime(TVarType type);
inline bool lxVariantIsDateTime(const Variant& value) { return lxVarTypeIsDateTime(value.Type()); }
bool lxVariantIsNumeric(const Variant& value);
// Null, or a string equal to the empty string.
bool lxVariantIsBlank(const Variant& value);
bool lxVarTypeIsCurrency(TVarType type);

Variant lxMakeVariantPair(const Variant& v1, const Variant& v2);
Variant lxMakeSingleItemVariantArray(const Variant& value);
// `array` (bounds 0..n-1) becomes 0..n with `value` at index n.
void lxAppendToVariantArray(Variant& array, const Variant& value);
