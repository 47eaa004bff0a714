#include "platform/db/blob_fields.h"

#include "platform/db/data_set.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kDefaultBytesSize = 16;

std::string KindName(TFieldType type) {
  const std::string_view name = FieldTypeName(type);
  // "ftMemo" reads "Memo".
  return std::string(name.substr(2));
}

std::string KindText(TFieldType type, bool has_value) {
  const std::string name = KindName(type);
  return "(" + (has_value ? UpperCase(name) : name) + ")";
}

}  // namespace

// --- TBlobField

TBlobField::TBlobField(TComponent* owner) : TField(owner) { SetDataType(ftBlob); }

void TBlobField::SetBlobType(TFieldType type) {
  if (!IsBlobFieldType(type))
    DatabaseError("Invalid blob type " + std::string(FieldTypeName(type)), DataSet());
  if (DataSet() != nullptr)
    DataSet()->CheckFieldListChange();
  SetDataType(type);
}

int64_t TBlobField::BlobSize() const {
  const std::string* value = StoredValue<std::string>();
  return value == nullptr ? 0 : static_cast<int64_t>(value->size());
}

void TBlobField::LoadFromStream(TStream& stream) {
  const int64_t count = stream.Remaining();
  std::string bytes(static_cast<size_t>(count), '\0');
  if (count > 0)
    stream.ReadBuffer(bytes.data(), count);
  SetAsString(bytes);
}

void TBlobField::SaveToStream(TStream& stream) const {
  const std::string bytes = AsString();
  if (!bytes.empty())
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

Variant TBlobField::AsVariant() const {
  if (IsNull())
    return Variant::Null();
  return Variant(AsString());
}

void TBlobField::SetAsVariant(const Variant& value) {
  if (!AssignNullOrText(value))
    SetAsString(value.AsString());
}

std::string TBlobField::AsString() const {
  const std::string* value = StoredValue<std::string>();
  return value == nullptr ? std::string() : *value;
}

void TBlobField::SetAsString(std::string_view text) { StoreValue(std::string(text)); }

std::string TBlobField::GetText(bool /*display_text*/) const { return KindText(DataType(), true); }

std::string TBlobField::NullText() const { return KindText(DataType(), false); }

TMemoField::TMemoField(TComponent* owner) : TBlobField(owner) { SetBlobType(ftMemo); }

TGraphicField::TGraphicField(TComponent* owner) : TBlobField(owner) { SetBlobType(ftGraphic); }

// --- TBytesField

TBytesField::TBytesField(TComponent* owner) : TField(owner) {
  SetDataType(ftBytes);
  SetSize(kDefaultBytesSize);
}

Variant TBytesField::AsVariant() const {
  if (IsNull())
    return Variant::Null();
  const std::string bytes = AsString();
  Variant array = VarArrayCreate(0, static_cast<int32_t>(bytes.size()) - 1, varByte);
  for (size_t i = 0; i < bytes.size(); ++i)
    VarArrayPut(array, Variant::FromByte(static_cast<uint8_t>(bytes[i])), static_cast<int32_t>(i));
  return array;
}

void TBytesField::SetAsVariant(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) {
    Clear();
    return;
  }
  if (!value.IsArray()) {
    SetAsString(value.AsString());
    return;
  }
  const TVariantArray& array = value.Array();
  std::string bytes;
  bytes.reserve(array.Count());
  for (int32_t i = array.LowBound(); i <= array.HighBound(); ++i) {
    const int32_t byte = array.Get(i).AsInteger();
    if (byte < 0 || byte > 255)
      throw EConvertError("'" + std::to_string(byte) + "' is not a valid byte value");
    bytes.push_back(static_cast<char>(byte));
  }
  SetAsString(bytes);
}

std::string TBytesField::AsString() const {
  const std::string* value = StoredValue<std::string>();
  return value == nullptr ? std::string() : *value;
}

void TBytesField::SetAsString(std::string_view bytes) {
  std::string value(bytes.substr(0, static_cast<size_t>(Size())));
  if (PadsToSize())
    value.resize(static_cast<size_t>(Size()), '\0');
  StoreValue(std::move(value));
}

std::string TBytesField::GetText(bool /*display_text*/) const { return KindText(DataType(), true); }

std::string TBytesField::NullText() const { return KindText(DataType(), false); }

TVarBytesField::TVarBytesField(TComponent* owner) : TBytesField(owner) { SetDataType(ftVarBytes); }
