#include "data/value_types.h"

#include <algorithm>
#include <cstring>

#include "data/typed_stream.h"
#include "data/variant_utils.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/stream_text_mark.h"

namespace {

// Buffers hold values at any byte offset: every access copies.
template <class T>
T Load(const void* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

template <class T>
void Store(void* p, const T& value) {
  std::memcpy(p, &value, sizeof value);
}

template <class T>
int Order(T a, T b) {
  return (a > b) - (a < b);
}

// A cell reference: null before the first store.
template <class Cell>
Cell* CellAt(const uint8_t* p) {
  return Load<Cell*>(p);
}

template <class Cell>
void FreeCell(uint8_t* p) {
  delete CellAt<Cell>(p);
  Store<Cell*>(p, nullptr);
}

template <class Cell>
Cell& CellForWriting(uint8_t* p) {
  Cell* cell = CellAt<Cell>(p);
  if (cell == nullptr) {
    cell = new Cell();
    Store(p, cell);
  }
  return *cell;
}

// No cell sorts before a cell.
template <class Cell, class Compare>
int CompareCells(const void* value1, const void* value2, Compare compare) {
  const auto* cell1 = static_cast<const Cell*>(value1);
  const auto* cell2 = static_cast<const Cell*>(value2);
  if (cell1 == nullptr || cell2 == nullptr)
    return static_cast<int>(cell1 != nullptr) - static_cast<int>(cell2 != nullptr);
  return compare(*cell1, *cell2);
}

std::string ReadStreamText(TlxStream& stream) {
  if (stream.IsWideText())
    return Utf16ToUtf8(lxReadWideString(stream));
  return lxReadAnsiString(stream);
}

void WriteStreamText(TlxStream& stream, std::string_view text) {
  if (stream.IsWideText())
    lxWriteWideString(stream, Utf8ToUtf16(text));
  else
    lxWriteAnsiString(stream, text);
}

template <class T>
void LoadRaw(uint8_t* p, TlxStream& stream) {
  T value{};
  stream.ReadBuffer(&value, sizeof value);
  Store(p, value);
}

template <class T>
void SaveRaw(const uint8_t* p, TlxStream& stream) {
  const T value = Load<T>(p);
  stream.WriteBuffer(&value, sizeof value);
}

}  // namespace

// TlxValueType

int TlxValueType::CompareBuffers(const uint8_t* p1, const uint8_t* p2) const { return CompareTypedValues(p1, p2); }

void TlxValueType::ReleaseBuffer(uint8_t*) const {}

void TlxValueType::ReleaseDisplayText(uint8_t* text_slot) const { FreeCell<std::string>(text_slot); }

int32_t TlxValueType::BufferSize() const { return 0; }

Variant TlxValueType::ReadBufferValue(const uint8_t*) const { return Variant::Null(); }

std::string TlxValueType::DefaultDisplayText(const uint8_t* p) const {
  try {
    return VarToStr(ReadBufferValue(p));
  } catch (const EVariantError&) {
    return {};
  } catch (const EConvertError&) {
    return {};
  }
}

std::string TlxValueType::ReadDisplayText(const uint8_t* text_slot) const {
  const std::string* cell = CellAt<std::string>(text_slot);
  return cell != nullptr ? *cell : std::string();
}

void TlxValueType::LoadValue(uint8_t* p, TlxStream& stream) const { WriteBufferValue(p, lxReadVariant(stream)); }

void TlxValueType::LoadDisplayText(uint8_t* text_slot, TlxStream& stream) const {
  WriteDisplayText(text_slot, ReadStreamText(stream));
}

void TlxValueType::WriteBufferValue(uint8_t*, const Variant&) const {}

void TlxValueType::WriteDisplayText(uint8_t* text_slot, const std::string& text) const {
  CellForWriting<std::string>(text_slot) = text;
}

void TlxValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { lxWriteVariant(stream, ReadBufferValue(p)); }

void TlxValueType::SaveDisplayText(const uint8_t* text_slot, TlxStream& stream) const {
  WriteStreamText(stream, ReadDisplayText(text_slot));
}

std::string TlxValueType::Caption() const {
  std::string caption(ClassName());
  if (caption.starts_with("Tlx"))
    caption.erase(0, 3);
  const size_t at = caption.find("ValueType");
  if (at != std::string::npos)
    caption.erase(at, 9);
  return caption;
}

int TlxValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return lxVariantCompare(ReadBufferValue(static_cast<const uint8_t*>(value1)),
                          ReadBufferValue(static_cast<const uint8_t*>(value2)));
}

Variant TlxValueType::DataToVariant(const void* value) const {
  return ReadBufferValue(static_cast<const uint8_t*>(value));
}

TVarType TlxValueType::VariantType() const { return varVariant; }

bool TlxValueType::AcceptsVariant(Variant& value) const {
  const TVarType type = VariantType();
  if (value.IsNull() || type == varVariant)
    return true;
  try {
    value = VarAsType(value, type);
    return true;
  } catch (const EVariantError&) {
    return false;
  } catch (const EConvertError&) {
    return false;
  }
}

bool TlxValueType::IsTextType() const { return false; }

const void* TlxValueType::AdjustValuePointer(const uint8_t* p) const { return p; }

// TlxStringValueType

void TlxStringValueType::ReleaseBuffer(uint8_t* p) const { FreeCell<std::string>(p); }

int32_t TlxStringValueType::BufferSize() const { return static_cast<int32_t>(sizeof(void*)); }

Variant TlxStringValueType::ReadBufferValue(const uint8_t* p) const {
  const std::string* cell = CellAt<std::string>(p);
  return cell != nullptr ? Variant(*cell) : Variant::Null();
}

void TlxStringValueType::LoadValue(uint8_t* p, TlxStream& stream) const {
  WriteDisplayText(p, ReadStreamText(stream));
}

// The converted text moves into its cell: storage loads write every string
// of every record through here.
void TlxStringValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  std::string text = value.AsString();
  if (std::string* cell = CellAt<std::string>(p)) {
    *cell = std::move(text);
    return;
  }
  Store(p, new std::string(std::move(text)));
}

void TlxStringValueType::SaveValue(const uint8_t* p, TlxStream& stream) const {
  WriteStreamText(stream, ReadDisplayText(p));
}

int TlxStringValueType::CompareBuffers(const uint8_t* p1, const uint8_t* p2) const {
  return CompareTypedValues(AdjustValuePointer(p1), AdjustValuePointer(p2));
}

int TlxStringValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return CompareCells<std::string>(value1, value2, [](const std::string& a, const std::string& b) {
    return Order(a.compare(b), 0);
  });
}

Variant TlxStringValueType::DataToVariant(const void* value) const {
  return ReadBufferValue(reinterpret_cast<const uint8_t*>(&value));
}

const void* TlxStringValueType::AdjustValuePointer(const uint8_t* p) const { return Load<const void*>(p); }

// TlxWideStringValueType

void TlxWideStringValueType::ReleaseBuffer(uint8_t* p) const { FreeCell<std::u16string>(p); }

Variant TlxWideStringValueType::ReadBufferValue(const uint8_t* p) const {
  const std::u16string* cell = CellAt<std::u16string>(p);
  return cell != nullptr ? Variant(*cell) : Variant::Null();
}

void TlxWideStringValueType::LoadValue(uint8_t* p, TlxStream& stream) const {
  CellForWriting<std::u16string>(p) = lxReadWideString(stream);
}

void TlxWideStringValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  std::u16string text = value.AsWideString();
  CellForWriting<std::u16string>(p) = std::move(text);
}

void TlxWideStringValueType::SaveValue(const uint8_t* p, TlxStream& stream) const {
  const std::u16string* cell = CellAt<std::u16string>(p);
  lxWriteWideString(stream, cell != nullptr ? std::u16string_view(*cell) : std::u16string_view());
}

int TlxWideStringValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return CompareCells<std::u16string>(value1, value2, [](const std::u16string& a, const std::u16string& b) {
    return Order(a.compare(b), 0);
  });
}

// Fixed-size numbers

Variant TlxSmallintValueType::ReadBufferValue(const uint8_t* p) const {
  return Variant::FromSmallint(Load<int16_t>(p));
}
void TlxSmallintValueType::LoadValue(uint8_t* p, TlxStream& stream) const { LoadRaw<int16_t>(p, stream); }
void TlxSmallintValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  Store(p, static_cast<int16_t>(VarAsType(value, varSmallint).IntegerBits()));
}
void TlxSmallintValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { SaveRaw<int16_t>(p, stream); }
int TlxSmallintValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Load<int16_t>(value1) - Load<int16_t>(value2);
}

Variant TlxIntegerValueType::ReadBufferValue(const uint8_t* p) const { return Variant(Load<int32_t>(p)); }
void TlxIntegerValueType::LoadValue(uint8_t* p, TlxStream& stream) const { LoadRaw<int32_t>(p, stream); }
void TlxIntegerValueType::WriteBufferValue(uint8_t* p, const Variant& value) const { Store(p, value.AsInteger()); }
void TlxIntegerValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { SaveRaw<int32_t>(p, stream); }
int TlxIntegerValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(Load<int32_t>(value1), Load<int32_t>(value2));
}

Variant TlxWordValueType::ReadBufferValue(const uint8_t* p) const { return Variant::FromWord(Load<uint16_t>(p)); }
void TlxWordValueType::LoadValue(uint8_t* p, TlxStream& stream) const { LoadRaw<uint16_t>(p, stream); }
void TlxWordValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  Store(p, static_cast<uint16_t>(VarAsType(value, varWord).IntegerBits()));
}
void TlxWordValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { SaveRaw<uint16_t>(p, stream); }
int TlxWordValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Load<uint16_t>(value1) - Load<uint16_t>(value2);
}

Variant TlxBooleanValueType::ReadBufferValue(const uint8_t* p) const { return Variant(*p != 0); }
std::string TlxBooleanValueType::DefaultDisplayText(const uint8_t* p) const { return BoolToStr(*p != 0, true); }
void TlxBooleanValueType::LoadValue(uint8_t* p, TlxStream& stream) const {
  *p = lxReadBoolean(stream) ? 1 : 0;
}
void TlxBooleanValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  *p = value.AsBoolean() ? 1 : 0;
}
void TlxBooleanValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { lxWriteBoolean(stream, *p != 0); }
int TlxBooleanValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(*static_cast<const uint8_t*>(value1) != 0, *static_cast<const uint8_t*>(value2) != 0);
}

Variant TlxFloatValueType::ReadBufferValue(const uint8_t* p) const { return Variant(Load<double>(p)); }
void TlxFloatValueType::LoadValue(uint8_t* p, TlxStream& stream) const { Store(p, lxReadFloat(stream)); }
void TlxFloatValueType::WriteBufferValue(uint8_t* p, const Variant& value) const { Store(p, value.AsDouble()); }
void TlxFloatValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { lxWriteFloat(stream, Load<double>(p)); }
int TlxFloatValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return CompareReals(Load<double>(value1), Load<double>(value2));
}

Variant TlxCurrencyValueType::ReadBufferValue(const uint8_t* p) const {
  return Variant(Currency::FromRaw(Load<int64_t>(p)));
}
void TlxCurrencyValueType::LoadValue(uint8_t* p, TlxStream& stream) const { LoadRaw<int64_t>(p, stream); }
void TlxCurrencyValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  Store(p, value.AsCurrency().Raw());
}
void TlxCurrencyValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { SaveRaw<int64_t>(p, stream); }
int TlxCurrencyValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(Load<int64_t>(value1), Load<int64_t>(value2));
}

Variant TlxDateTimeValueType::ReadBufferValue(const uint8_t* p) const { return Variant::FromDate(Load<double>(p)); }
std::string TlxDateTimeValueType::DefaultDisplayText(const uint8_t* p) const {
  const TDateTime value = Load<double>(p);
  // A value outside the calendar still shows, as its number.
  try {
    return DateTimeToStr(value);
  } catch (const EConvertError&) {
    return FloatToStr(value);
  }
}
void TlxDateTimeValueType::LoadValue(uint8_t* p, TlxStream& stream) const { Store(p, lxReadDateTime(stream)); }
void TlxDateTimeValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  Store(p, value.AsDateTime());
}
void TlxDateTimeValueType::SaveValue(const uint8_t* p, TlxStream& stream) const {
  lxWriteDateTime(stream, Load<double>(p));
}
int TlxDateTimeValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return CompareReals(Load<double>(value1), Load<double>(value2));
}

Variant TlxLargeIntValueType::ReadBufferValue(const uint8_t* p) const { return Variant(Load<int64_t>(p)); }
void TlxLargeIntValueType::LoadValue(uint8_t* p, TlxStream& stream) const { LoadRaw<int64_t>(p, stream); }
void TlxLargeIntValueType::WriteBufferValue(uint8_t* p, const Variant& value) const { Store(p, value.AsInt64()); }
void TlxLargeIntValueType::SaveValue(const uint8_t* p, TlxStream& stream) const { SaveRaw<int64_t>(p, stream); }
int TlxLargeIntValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(Load<int64_t>(value1), Load<int64_t>(value2));
}

Variant TlxFMTBcdValueType::ReadBufferValue(const uint8_t* p) const { return Variant::FromBcd(Load<TBcd>(p)); }
std::string TlxFMTBcdValueType::DefaultDisplayText(const uint8_t* p) const { return BcdToStr(Load<TBcd>(p)); }
void TlxFMTBcdValueType::WriteBufferValue(uint8_t* p, const Variant& value) const { Store(p, value.AsBcd()); }
int TlxFMTBcdValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(BcdCompare(Load<TBcd>(value1), Load<TBcd>(value2)), 0);
}

Variant TlxSQLTimeStampValueType::ReadBufferValue(const uint8_t* p) const {
  return Variant::FromDate(SQLTimeStampToDateTime(Load<TSQLTimeStamp>(p)));
}
void TlxSQLTimeStampValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  Store(p, value.AsSQLTimeStamp());
}
int TlxSQLTimeStampValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(SQLTimeStampCompare(Load<TSQLTimeStamp>(value1), Load<TSQLTimeStamp>(value2)), 0);
}

// TlxVariantValueType

void TlxVariantValueType::ReleaseBuffer(uint8_t* p) const { FreeCell<Variant>(p); }
int32_t TlxVariantValueType::BufferSize() const { return static_cast<int32_t>(sizeof(void*)); }
Variant TlxVariantValueType::ReadBufferValue(const uint8_t* p) const {
  const Variant* cell = CellAt<Variant>(p);
  return cell != nullptr ? *cell : Variant::Null();
}
void TlxVariantValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  CellForWriting<Variant>(p) = value;
}
int TlxVariantValueType::CompareBuffers(const uint8_t* p1, const uint8_t* p2) const {
  return CompareTypedValues(AdjustValuePointer(p1), AdjustValuePointer(p2));
}
int TlxVariantValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return CompareCells<Variant>(value1, value2, lxVariantCompare);
}
Variant TlxVariantValueType::DataToVariant(const void* value) const {
  return ReadBufferValue(reinterpret_cast<const uint8_t*>(&value));
}
const void* TlxVariantValueType::AdjustValuePointer(const uint8_t* p) const { return Load<const void*>(p); }

// TlxObjectValueType

void TlxObjectValueType::ReleaseBuffer(uint8_t* p) const {
  delete Load<TObject*>(p);
  Store<TObject*>(p, nullptr);
}
int32_t TlxObjectValueType::BufferSize() const { return static_cast<int32_t>(sizeof(void*)); }
Variant TlxObjectValueType::ReadBufferValue(const uint8_t* p) const {
  return Variant(static_cast<int64_t>(Load<intptr_t>(p)));
}
void TlxObjectValueType::LoadValue(uint8_t*, TlxStream&) const {}
void TlxObjectValueType::WriteBufferValue(uint8_t* p, const Variant& value) const {
  auto* object = reinterpret_cast<TObject*>(static_cast<intptr_t>(value.AsInt64()));
  // The storage owns the object it holds: a different one replaces it.
  if (Load<TObject*>(p) != object)
    ReleaseBuffer(p);
  Store(p, object);
}
void TlxObjectValueType::SaveValue(const uint8_t*, TlxStream&) const {}
int TlxObjectValueType::CompareTypedValues(const void* value1, const void* value2) const {
  return Order(Load<intptr_t>(value1), Load<intptr_t>(value2));
}

// The registry

void TlxValueTypeClassList::Register(TlxValueTypeClass value_type) {
  if (std::find(items_.begin(), items_.end(), value_type) == items_.end())
    items_.push_back(value_type);
}

void TlxValueTypeClassList::Unregister(TlxValueTypeClass value_type) {
  items_.erase(std::remove(items_.begin(), items_.end(), value_type), items_.end());
}

TlxValueTypeClass TlxValueTypeClassList::FindByCaption(std::string_view caption) const {
  for (TlxValueTypeClass value_type : items_)
    if (value_type->Caption() == caption)
      return value_type;
  return nullptr;
}

TlxValueTypeClass TlxValueTypeClassList::FindByClassName(std::string_view name) const {
  for (TlxValueTypeClass value_type : items_)
    if (value_type->ClassName() == name)
      return value_type;
  return nullptr;
}

TlxValueTypeClassList& lxGetValueTypeRegistry() {
  static TlxValueTypeClassList registry = [] {
    TlxValueTypeClassList list;
    for (TlxValueTypeClass value_type :
         {lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxWideStringValueType>(),
          lxValueTypeClass<TlxSmallintValueType>(), lxValueTypeClass<TlxIntegerValueType>(),
          lxValueTypeClass<TlxWordValueType>(), lxValueTypeClass<TlxBooleanValueType>(),
          lxValueTypeClass<TlxFloatValueType>(), lxValueTypeClass<TlxCurrencyValueType>(),
          lxValueTypeClass<TlxDateTimeValueType>(), lxValueTypeClass<TlxLargeIntValueType>(),
          lxValueTypeClass<TlxFMTBcdValueType>(), lxValueTypeClass<TlxSQLTimeStampValueType>(),
          lxValueTypeClass<TlxVariantValueType>(), lxValueTypeClass<TlxObjectValueType>()})
      list.Register(value_type);
    return list;
  }();
  return registry;
}

bool lxIsDateTimeValueTypeClass(TlxValueTypeClass value_type) {
  return value_type == lxValueTypeClass<TlxDateTimeValueType>() ||
         value_type == lxValueTypeClass<TlxSQLTimeStampValueType>();
}
