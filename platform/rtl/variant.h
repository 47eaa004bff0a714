#pragma once
// Variant: the tagged value that crosses the data interfaces. Type codes
// follow the platform's numbering; FMTBcd and SQL time stamp are the two
// custom types. A one-dimensional variant array has a low and a high bound.
//
// Numbers and strings of up to kInlineBytes bytes (8-bit) or
// kInlineBytes / 2 code units (wide) live inside the Variant: no
// allocation. Longer strings, arrays and decimals live on the heap, owned
// by the Variant (copies are deep).
//
// Equality and ordering between types follow one table (docs/variants.md):
// empty < null < every value; numbers compare numerically across types;
// strings against numbers, dates and Booleans convert the string (a failed
// conversion raises EVariantTypeCastError).

#include <compare>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/currency.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/fmt_bcd.h"
#include "platform/rtl/sql_time_stamp.h"

using TVarType = uint16_t;

constexpr TVarType varEmpty = 0;
constexpr TVarType varNull = 1;
constexpr TVarType varSmallint = 2;
constexpr TVarType varInteger = 3;
constexpr TVarType varSingle = 4;
constexpr TVarType varDouble = 5;
constexpr TVarType varCurrency = 6;
constexpr TVarType varDate = 7;
constexpr TVarType varOleStr = 8;
constexpr TVarType varBoolean = 11;
constexpr TVarType varVariant = 12;
constexpr TVarType varShortInt = 16;
constexpr TVarType varByte = 17;
constexpr TVarType varWord = 18;
constexpr TVarType varLongWord = 19;
constexpr TVarType varInt64 = 20;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

// The custom types' codes, fixed when the run-time starts.
TVarType VarFMTBcd();
TVarType VarSQLTimeStamp();

class TVariantArray;

class Variant {
 public:
  static constexpr size_t kInlineBytes = 22;

  Variant() = default;
  Variant(int32_t value) : Variant(varInteger, value) {}
  Variant(uint32_t value) : Variant(varLongWord, static_cast<int64_t>(value)) {}
  Variant(int64_t value) : Variant(varInt64, value) {}
  Variant(double value) : type_(varDouble), kind_(Kind::kReal) { payload_.real = value; }
  Variant(bool value) : Variant(varBoolean, value ? -1 : 0) {}
  Variant(Currency value) : Variant(varCurrency, value.Raw()) { kind_ = Kind::kOther; }
  Variant(const char* text) : Variant(std::string_view(text ? text : "")) {}
  Variant(std::string_view text) { SetText(text); }
  Variant(const std::string& text) : Variant(std::string_view(text)) {}
  Variant(std::u16string_view text) { SetWide(text); }
  Variant(const std::u16string& text) : Variant(std::u16string_view(text)) {}
  Variant(const char16_t* text) : Variant(std::u16string_view(text ? text : u"")) {}

  static Variant Null();
  static Variant FromSmallint(int16_t value) { return Variant(varSmallint, value); }
  static Variant FromShortInt(int8_t value) { return Variant(varShortInt, value); }
  static Variant FromByte(uint8_t value) { return Variant(varByte, value); }
  static Variant FromWord(uint16_t value) { return Variant(varWord, value); }
  static Variant FromLongWord(uint32_t value) { return Variant(varLongWord, static_cast<int64_t>(value)); }
  static Variant FromSingle(float value);
  static Variant FromDate(TDateTime value);
  static Variant FromBcd(const TBcd& value);
  static Variant FromSQLTimeStamp(const TSQLTimeStamp& value);

  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() {
    if (on_heap_)
      FreeHeap();
  }

  TVarType Type() const { return type_; }
  bool IsEmpty() const { return type_ == varEmpty; }
  bool IsNull() const { return type_ == varNull; }
  bool IsArray() const { return (type_ & varArray) != 0; }

  // Conversions; a value that does not convert raises
  // EVariantTypeCastError, one out of the target's range
  // EVariantOverflowError. Texts use the user locale.
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  std::string AsString() const;  // UTF-8
  std::u16string AsWideString() const;
  TBcd AsBcd() const;
  TSQLTimeStamp AsSQLTimeStamp() const;

  // The array behind an array variant (EVariantNotAnArrayError otherwise).
  const TVariantArray& Array() const;
  TVariantArray& Array();

  // Views of the stored value, for the comparison and conversion code.
  bool IsText() const { return type_ == varString || type_ == varOleStr; }
  std::string_view TextView() const;       // varString only
  std::u16string_view WideView() const;    // varOleStr only
  int64_t IntegerBits() const { return payload_.integer; }  // integer kinds, Boolean, currency raw
  double RealBits() const { return payload_.real; }         // single, double, date
  const TBcd& BcdValue() const { return *payload_.bcd; }
  const TSQLTimeStamp& StampValue() const { return payload_.stamp; }
  // For the hot path of comparisons: integer kinds and Booleans hold an
  // exact integer, single, double and date a real.
  enum class Kind : uint8_t { kOther, kInteger, kReal };
  Kind NumericKind() const { return kind_; }

  // For the array code: wraps an array.
  static Variant FromArray(TVariantArray array);

 private:
  Variant(TVarType type, int64_t value) : type_(type), kind_(Kind::kInteger) { payload_.integer = value; }
  void SetText(std::string_view text);
  void SetWide(std::u16string_view text);
  void FreeHeap();
  void CopyFrom(const Variant& other);
  // The state of a moved-from Variant: empty, owning nothing (the heap
  // value, if any, has changed owner).
  void LeaveEmpty() {
    type_ = varEmpty;
    kind_ = Kind::kOther;
    on_heap_ = false;
  }

  union Payload {
    int64_t integer;
    double real;
    char text[kInlineBytes];
    char16_t wide[kInlineBytes / 2];
    TSQLTimeStamp stamp;
    std::string* heap_text;
    std::u16string* heap_wide;
    TBcd* bcd;
    TVariantArray* array;
  };

  Payload payload_{};
  TVarType type_ = varEmpty;
  Kind kind_ = Kind::kOther;
  uint8_t inline_size_ = 0;  // bytes or code units of an inline string
  bool on_heap_ = false;     // the payload is an owned heap value
};

// A one-dimensional array of variants with bounds; elements of a typed
// array (element type other than varVariant) are converted on storing.
class TVariantArray {
 public:
  TVariantArray(int32_t low, int32_t high, TVarType element_type);

  int32_t LowBound() const { return low_; }
  int32_t HighBound() const { return low_ + static_cast<int32_t>(items_.size()) - 1; }
  TVarType ElementType() const { return element_type_; }
  size_t Count() const { return items_.size(); }

  // EVariantBadIndexError outside the bounds.
  const Variant& Get(int32_t index) const;
  void Put(int32_t index, const Variant& value);
  // Grows or shrinks at the high end (VarArrayRedim).
  void Redim(int32_t high);

  friend bool operator==(const TVariantArray&, const TVariantArray&) = default;

 private:
  size_t Offset(int32_t index) const;

  int32_t low_;
  TVarType element_type_;
  std::vector<Variant> items_;
};

// Arrays: at most kMaxArrayElements elements (EVariantArrayCreateError).
constexpr int64_t kMaxArrayElements = int64_t{1} << 26;
Variant VarArrayCreate(int32_t low, int32_t high, TVarType element_type);
Variant VarArrayOf(std::initializer_list<Variant> items);  // bounds 0..n-1, element type Variant
int32_t VarArrayLowBound(const Variant& value, int dimension = 1);
int32_t VarArrayHighBound(const Variant& value, int dimension = 1);
int VarArrayDimCount(const Variant& value);
Variant VarArrayGet(const Variant& array, int32_t index);
void VarArrayPut(Variant& array, const Variant& value, int32_t index);

TVarType VarType(const Variant& value);
bool VarIsNull(const Variant& value);
bool VarIsEmpty(const Variant& value);
bool VarIsArray(const Variant& value);
bool VarIsStr(const Variant& value);
bool VarIsNumeric(const Variant& value);  // integer kinds, reals, currency (not Boolean or date)
bool VarIsFMTBcd(const Variant& value);
bool VarIsSQLTimeStamp(const Variant& value);
// The platform's type name ("Integer", "OleStr", "String", ...).
std::string VarTypeAsText(TVarType type);

// Converts to the given type (EVariantTypeCastError, EVariantOverflowError).
Variant VarAsType(const Variant& value, TVarType type);
// Null and empty give "", everything else AsString.
std::string VarToStr(const Variant& value);
std::string VarToStrDef(const Variant& value, std::string_view fallback);

// The order of docs/variants.md: negative, zero or positive. Raises
// EVariantTypeCastError when a string does not convert to the other side's
// type, EVariantInvalidOpError for arrays. Two numbers compare inline in a
// few instructions; everything else goes through VarCompareSlow.
int VarCompareSlow(const Variant& a, const Variant& b);

// Exact order of a 64-bit integer and a double; NaN sorts after every
// number and equals itself, so that the order stays total.
inline int CompareIntegerWithReal(int64_t integer, double real) {
  if (real != real)
    return -1;
  if (real >= 9223372036854775808.0)
    return -1;
  if (real < -9223372036854775808.0)
    return 1;
  const double widened = static_cast<double>(integer);
  if (widened != real)
    return widened < real ? -1 : 1;
  // Equal after rounding: the double is a whole number in range, compare exactly.
  const int64_t narrowed = static_cast<int64_t>(real);
  return (integer > narrowed) - (integer < narrowed);
}

inline int CompareReals(double a, double b) {
  if (a < b)
    return -1;
  if (a > b)
    return 1;
  if (a == b)
    return 0;
  return (a != a) - (b != b);  // NaN last
}

// Two numbers that are equal as doubles (or NaN): the exact answer.
inline int CompareNumbersExactly(const Variant& a, const Variant& b) {
  using Kind = Variant::Kind;
  const Kind left = a.NumericKind();
  const Kind right = b.NumericKind();
  if (left == Kind::kInteger && right == Kind::kInteger)
    return (a.IntegerBits() > b.IntegerBits()) - (a.IntegerBits() < b.IntegerBits());
  if (left == Kind::kInteger)
    return CompareIntegerWithReal(a.IntegerBits(), b.RealBits());
  if (right == Kind::kInteger)
    return -CompareIntegerWithReal(b.IntegerBits(), a.RealBits());
  return CompareReals(a.RealBits(), b.RealBits());
}

inline double NumberAsDouble(const Variant& value) {
  return value.NumericKind() == Variant::Kind::kInteger ? static_cast<double>(value.IntegerBits())
                                                        : value.RealBits();
}

inline int VarCompare(const Variant& a, const Variant& b) {
  if (a.NumericKind() != Variant::Kind::kOther && b.NumericKind() != Variant::Kind::kOther) {
    // Rounding to double keeps the order of different values (it is
    // monotonic), so only values that meet as doubles need a second look.
    const double left = NumberAsDouble(a);
    const double right = NumberAsDouble(b);
    if (left < right)
      return -1;
    if (left > right)
      return 1;
    return CompareNumbersExactly(a, b);
  }
  return VarCompareSlow(a, b);
}

inline bool operator==(const Variant& a, const Variant& b) { return VarCompare(a, b) == 0; }
inline std::strong_ordering operator<=>(const Variant& a, const Variant& b) {
  const int result = VarCompare(a, b);
  return result < 0 ? std::strong_ordering::less
                    : result > 0 ? std::strong_ordering::greater : std::strong_ordering::equal;
}
