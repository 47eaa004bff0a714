#include "data/variant_utils.h"

#include "platform/rtl/exceptions.h"

namespace {

int CompareScalars(const Variant& v1, const Variant& v2) {
  if (v1.IsEmpty())
    return v2.IsEmpty() ? 0 : -1;
  if (v2.IsEmpty())
    return 1;
  if (v1.IsNull())
    return v2.IsNull() ? 0 : -1;
  if (v2.IsNull())
    return 1;
  const int result = VarCompare(v1, v2);
  return (result > 0) - (result < 0);
}

// The side that holds the text that failed to convert sorts last; when
// neither is a text (a type the platform cannot compare at all) the type
// codes decide, which keeps the answer antisymmetric.
int OrderOfIncomparable(const Variant& v1, const Variant& v2) {
  if (v1.IsText() != v2.IsText())
    return v1.IsText() ? 1 : -1;
  return (v1.Type() > v2.Type()) - (v1.Type() < v2.Type());
}

template <class CompareScalar>
int CompareWith(const Variant& v1, const Variant& v2, CompareScalar compare_scalar) {
  if (v1.IsArray() || v2.IsArray()) {
    if (!v2.IsArray())
      return 1;
    if (!v1.IsArray())
      return -1;
    const TVariantArray& a1 = v1.Array();
    const TVariantArray& a2 = v2.Array();
    const int32_t h1 = a1.HighBound();
    const int32_t h2 = a2.HighBound();
    if (h1 != h2)
      return h1 < h2 ? -1 : 1;
    for (int32_t i = 0; i <= h1; ++i) {
      const int result = CompareWith(a1.Get(i + a1.LowBound()), a2.Get(i + a2.LowBound()), compare_scalar);
      if (result != 0)
        return result;
    }
    return 0;
  }
  return compare_scalar(v1, v2);
}

}  // namespace

int lxVariantCompareStrict(const Variant& v1, const Variant& v2) { return CompareWith(v1, v2, CompareScalars); }

int lxVariantCompare(const Variant& v1, const Variant& v2) {
  return CompareWith(v1, v2, [](const Variant& a, const Variant& b) {
    try {
      return CompareScalars(a, b);
    } catch (const EVariantTypeCastError&) {
      return OrderOfIncomparable(a, b);
    }
  });
}

bool lxVariantEqualsBoolAware(const Variant& v1, const Variant& v2) {
  if (v1.IsNull() || v2.IsNull() || (v1.Type() != varBoolean && v2.Type() != varBoolean))
    return lxVariantEquals(v1, v2);
  try {
    return v1.AsString() == v2.AsString();
  } catch (const EVariantError&) {
    return false;
  }
}

bool lxVarTypeIsDateTime(TVarType type) { return type == varDate || type == VarSQLTimeStamp(); }

bool lxVariantIsNumeric(const Variant& value) { return VarIsNumeric(value) || VarIsFMTBcd(value); }

bool lxVariantIsBlank(const Variant& value) {
  if (value.IsNull())
    return true;
  if (value.Type() == varString)
    return value.TextView().empty();
  if (value.Type() == varOleStr)
    return value.WideView().empty();
  return false;
}

bool lxVarTypeIsCurrency(TVarType type) { return type == varCurrency || type == VarFMTBcd(); }

Variant lxMakeVariantPair(const Variant& v1, const Variant& v2) { return VarArrayOf({v1, v2}); }

Variant lxMakeSingleItemVariantArray(const Variant& value) { return VarArrayOf({value}); }

void lxAppendToVariantArray(Variant& array, const Variant& value) {
  TVariantArray& items = array.Array();
  items.Redim(items.HighBound() + 1);
  items.Put(items.HighBound(), value);
}
