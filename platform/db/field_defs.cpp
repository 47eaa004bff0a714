#include "platform/db/field_defs.h"

#include "platform/db/aggregate_field.h"
#include "platform/db/blob_fields.h"
#include "platform/db/boolean_field.h"
#include "platform/db/data_set.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/db_errors.h"
#include "platform/db/fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/property.h"

namespace {

std::vector<std::string> FieldTypeNames() {
  std::vector<std::string> names;
  for (int type = 0; type < kFieldTypeCount; ++type)
    names.emplace_back(FieldTypeName(static_cast<TFieldType>(type)));
  return names;
}

}  // namespace

const TClass* DefaultFieldClass(TFieldType type) {
  switch (type) {
    case ftString:
    case ftFixedChar:
      return &TStringField::kClass;
    case ftWideString:
      return &TWideStringField::kClass;
    case ftSmallint:
      return &TSmallintField::kClass;
    case ftInteger:
      return &TIntegerField::kClass;
    case ftWord:
      return &TWordField::kClass;
    case ftAutoInc:
      return &TAutoIncField::kClass;
    case ftLargeint:
      return &TLargeintField::kClass;
    case ftBoolean:
      return &TBooleanField::kClass;
    case ftFloat:
      return &TFloatField::kClass;
    case ftCurrency:
      return &TCurrencyField::kClass;
    case ftBCD:
      return &TBCDField::kClass;
    case ftFMTBcd:
      return &TFMTBCDField::kClass;
    case ftDate:
      return &TDateField::kClass;
    case ftTime:
      return &TTimeField::kClass;
    case ftDateTime:
      return &TDateTimeField::kClass;
    case ftTimeStamp:
      return &TSQLTimeStampField::kClass;
    case ftBytes:
      return &TBytesField::kClass;
    case ftVarBytes:
      return &TVarBytesField::kClass;
    case ftMemo:
      return &TMemoField::kClass;
    case ftGraphic:
      return &TGraphicField::kClass;
    default:
      return IsBlobFieldType(type) ? &TBlobField::kClass : nullptr;
  }
}

// --- TFieldDef

void TFieldDef::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TFieldDef>();
  p.String("Name", &TFieldDef::Name, &TFieldDef::SetName);
  p.Enumeration("DataType", &TFieldDef::DataType, &TFieldDef::SetDataType, FieldTypeNames(),
                std::optional<TFieldType>(ftUnknown));
  p.Integer("Size", &TFieldDef::Size, &TFieldDef::SetSize, 0);
  p.Integer("Precision", &TFieldDef::Precision, &TFieldDef::SetPrecision, 0);
  p.Boolean("Required", &TFieldDef::Required, &TFieldDef::SetRequired, false);
}

void TFieldDef::SetName(const std::string& name) {
  if (name == name_)
    return;
  auto* defs = dynamic_cast<TFieldDefs*>(Collection());
  if (defs != nullptr) {
    TFieldDef* other = defs->FindDef(name);
    if (other != nullptr && other != this)
      DatabaseError(db_text::DuplicateFieldName(name), defs->DataSet());
  }
  name_ = name;
}

void TFieldDef::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TFieldDef*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  name_ = other->name_;
  data_type_ = other->data_type_;
  size_ = other->size_;
  precision_ = other->precision_;
  required_ = other->required_;
}

TField* TFieldDef::CreateField(TComponent* owner, TDataSet* dataset) const {
  const TClass* field_class = DefaultFieldClass(data_type_);
  if (field_class == nullptr)
    DatabaseError("Field '" + name_ + "' is of an unsupported type " + std::string(FieldTypeName(data_type_)),
                  dataset);
  std::unique_ptr<TField> field(static_cast<TField*>(field_class->CreateInstance(owner)));
  field->SetFieldName(name_);
  field->SetDataTypeForDefinition(data_type_);
  field->SetRequired(required_);
  if (size_ > 0)
    field->SetSize(size_);
  if (precision_ > 0) {
    if (auto* float_field = dynamic_cast<TFloatField*>(field.get()))
      float_field->SetPrecision(precision_);
    else if (auto* bcd_field = dynamic_cast<TBCDField*>(field.get()))
      bcd_field->SetPrecision(precision_);
    else if (auto* fmt_bcd_field = dynamic_cast<TFMTBCDField*>(field.get()))
      fmt_bcd_field->SetPrecision(precision_);
  }
  if (data_type_ == ftFixedChar)
    static_cast<TStringField*>(field.get())->SetFixedChar(true);
  field->SetDataSet(dataset);
  return field.release();
}

// --- TFieldDefs

TFieldDefs::TFieldDefs(TDataSet* dataset) : TCollection(TFieldDef::kClass, dataset), dataset_(dataset) {}

TFieldDef* TFieldDefs::Add(const std::string& name, TFieldType type, int32_t size, bool required) {
  if (FindDef(name) != nullptr)
    DatabaseError(db_text::DuplicateFieldName(name), dataset_);
  TFieldDef* def = AddFieldDef();
  def->SetName(name);
  def->SetDataType(type);
  def->SetSize(size);
  def->SetRequired(required);
  return def;
}

int32_t TFieldDefs::IndexOf(std::string_view name) const {
  for (int32_t i = 0; i < Count(); ++i) {
    if (SameFieldName(Items(i)->Name(), name))
      return i;
  }
  return -1;
}

TFieldDef* TFieldDefs::FindDef(std::string_view name) const {
  const int32_t index = IndexOf(name);
  return index < 0 ? nullptr : Items(index);
}

TFieldDef* TFieldDefs::Find(std::string_view name) const {
  TFieldDef* def = FindDef(name);
  if (def == nullptr)
    DatabaseError(db_text::FieldNotFound(name), dataset_);
  return def;
}
