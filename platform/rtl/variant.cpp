// Variant storage: inline numbers and short strings, owned heap values,
// deep copies; variant arrays.

#include "platform/rtl/variant.h"

#include <utility>

#include "platform/rtl/exceptions.h"

namespace {

constexpr TVarType kVarFMTBcd = 0x0110;
constexpr TVarType kVarSQLTimeStamp = 0x0111;

}  // namespace

TVarType VarFMTBcd() { return kVarFMTBcd; }
TVarType VarSQLTimeStamp() { return kVarSQLTimeStamp; }

Variant Variant::Null() {
  Variant out;
  out.type_ = varNull;
  return out;
}

Variant Variant::FromSingle(float value) {
  Variant out(static_cast<double>(value));
  out.type_ = varSingle;
  return out;
}

Variant Variant::FromDate(TDateTime value) {
  Variant out(value);
  out.type_ = varDate;
  return out;
}

Variant Variant::FromBcd(const TBcd& value) {
  Variant out;
  out.type_ = kVarFMTBcd;
  out.payload_.bcd = new TBcd(value);
  out.on_heap_ = true;
  return out;
}

Variant Variant::FromSQLTimeStamp(const TSQLTimeStamp& value) {
  Variant out;
  out.type_ = kVarSQLTimeStamp;
  out.payload_.stamp = value;
  return out;
}

Variant Variant::FromArray(TVariantArray array) {
  Variant out;
  out.type_ = static_cast<TVarType>(varArray | array.ElementType());
  out.payload_.array = new TVariantArray(std::move(array));
  out.on_heap_ = true;
  return out;
}

void Variant::SetText(std::string_view text) {
  type_ = varString;
  if (text.size() <= kInlineBytes) {
    if (!text.empty())  // an empty view may carry no pointer at all
      std::memcpy(payload_.text, text.data(), text.size());
    inline_size_ = static_cast<uint8_t>(text.size());
    return;
  }
  payload_.heap_text = new std::string(text);
  on_heap_ = true;
}

void Variant::SetWide(std::u16string_view text) {
  type_ = varOleStr;
  if (text.size() <= kInlineBytes / 2) {
    if (!text.empty())
      std::memcpy(payload_.wide, text.data(), text.size() * sizeof(char16_t));
    inline_size_ = static_cast<uint8_t>(text.size());
    return;
  }
  payload_.heap_wide = new std::u16string(text);
  on_heap_ = true;
}

std::string_view Variant::TextView() const {
  if (type_ != varString)
    return {};
  return on_heap_ ? std::string_view(*payload_.heap_text) : std::string_view(payload_.text, inline_size_);
}

std::u16string_view Variant::WideView() const {
  if (type_ != varOleStr)
    return {};
  return on_heap_ ? std::u16string_view(*payload_.heap_wide) : std::u16string_view(payload_.wide, inline_size_);
}

void Variant::FreeHeap() {
  if (IsArray())
    delete payload_.array;
  else if (type_ == kVarFMTBcd)
    delete payload_.bcd;
  else if (type_ == varString)
    delete payload_.heap_text;
  else if (type_ == varOleStr)
    delete payload_.heap_wide;
}

void Variant::CopyFrom(const Variant& other) {
  type_ = other.type_;
  kind_ = other.kind_;
  inline_size_ = other.inline_size_;
  on_heap_ = other.on_heap_;
  if (!other.on_heap_)
    payload_ = other.payload_;
  else if (other.IsArray())
    payload_.array = new TVariantArray(*other.payload_.array);
  else if (other.type_ == kVarFMTBcd)
    payload_.bcd = new TBcd(*other.payload_.bcd);
  else if (other.type_ == varString)
    payload_.heap_text = new std::string(*other.payload_.heap_text);
  else
    payload_.heap_wide = new std::u16string(*other.payload_.heap_wide);
}

Variant::Variant(const Variant& other) { CopyFrom(other); }

Variant::Variant(Variant&& other) noexcept
    : payload_(other.payload_),
      type_(other.type_),
      kind_(other.kind_),
      inline_size_(other.inline_size_),
      on_heap_(other.on_heap_) {
  other.LeaveEmpty();
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);  // may throw; *this stays intact until then
    *this = std::move(copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    if (on_heap_)
      FreeHeap();
    payload_ = other.payload_;
    type_ = other.type_;
    kind_ = other.kind_;
    inline_size_ = other.inline_size_;
    on_heap_ = other.on_heap_;
    other.LeaveEmpty();
  }
  return *this;
}

const TVariantArray& Variant::Array() const {
  if (!IsArray())
    throw EVariantNotAnArrayError();
  return *payload_.array;
}

TVariantArray& Variant::Array() {
  if (!IsArray())
    throw EVariantNotAnArrayError();
  return *payload_.array;
}

// ---- Arrays ---------------------------------------------------------------

TVariantArray::TVariantArray(int32_t low, int32_t high, TVarType element_type)
    : low_(low), element_type_(element_type) {
  const int64_t count = static_cast<int64_t>(high) - low + 1;
  if (count < 0 || count > kMaxArrayElements || (element_type & (varArray | ~varTypeMask)) != 0)
    throw EVariantArrayCreateError();
  const Variant initial = element_type == varVariant ? Variant() : VarAsType(Variant(), element_type);
  items_.assign(static_cast<size_t>(count), initial);
}

size_t TVariantArray::Offset(int32_t index) const {
  const int64_t offset = static_cast<int64_t>(index) - low_;
  if (offset < 0 || offset >= static_cast<int64_t>(items_.size()))
    throw EVariantBadIndexError();
  return static_cast<size_t>(offset);
}

const Variant& TVariantArray::Get(int32_t index) const { return items_[Offset(index)]; }

void TVariantArray::Put(int32_t index, const Variant& value) {
  Variant& slot = items_[Offset(index)];
  slot = element_type_ == varVariant ? value : VarAsType(value, element_type_);
}

void TVariantArray::Redim(int32_t high) {
  const int64_t count = static_cast<int64_t>(high) - low_ + 1;
  if (count < 0 || count > kMaxArrayElements)
    throw EVariantArrayCreateError();
  const Variant initial = element_type_ == varVariant ? Variant() : VarAsType(Variant(), element_type_);
  items_.resize(static_cast<size_t>(count), initial);
}

Variant VarArrayCreate(int32_t low, int32_t high, TVarType element_type) {
  return Variant::FromArray(TVariantArray(low, high, element_type));
}

Variant VarArrayOf(std::initializer_list<Variant> items) {
  TVariantArray array(0, static_cast<int32_t>(items.size()) - 1, varVariant);
  int32_t index = 0;
  for (const Variant& item : items)
    array.Put(index++, item);
  return Variant::FromArray(std::move(array));
}

int32_t VarArrayLowBound(const Variant& value, int dimension) {
  if (dimension != 1)
    throw EVariantBadIndexError();
  return value.Array().LowBound();
}

int32_t VarArrayHighBound(const Variant& value, int dimension) {
  if (dimension != 1)
    throw EVariantBadIndexError();
  return value.Array().HighBound();
}

int VarArrayDimCount(const Variant& value) { return value.IsArray() ? 1 : 0; }

Variant VarArrayGet(const Variant& array, int32_t index) { return array.Array().Get(index); }

void VarArrayPut(Variant& array, const Variant& value, int32_t index) { array.Array().Put(index, value); }

// ---- Type tests -----------------------------------------------------------

TVarType VarType(const Variant& value) { return value.Type(); }
bool VarIsNull(const Variant& value) { return value.IsNull(); }
bool VarIsEmpty(const Variant& value) { return value.IsEmpty(); }
bool VarIsArray(const Variant& value) { return value.IsArray(); }
bool VarIsStr(const Variant& value) { return value.IsText(); }
bool VarIsFMTBcd(const Variant& value) { return value.Type() == kVarFMTBcd; }
bool VarIsSQLTimeStamp(const Variant& value) { return value.Type() == kVarSQLTimeStamp; }

bool VarIsNumeric(const Variant& value) {
  switch (value.Type()) {
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency:
    case varShortInt: case varByte: case varWord: case varLongWord: case varInt64:
      return true;
    default:
      return false;
  }
}

std::string VarTypeAsText(TVarType type) {
  if ((type & varArray) != 0)
    return std::string("Array ").append(VarTypeAsText(static_cast<TVarType>(type & varTypeMask)));
  switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varString: return "String";
    case kVarFMTBcd: return "FMTBcdVariantType";
    case kVarSQLTimeStamp: return "SQLTimeStampVariantType";
    default: return std::string("$").append(std::to_string(type));
  }
}
