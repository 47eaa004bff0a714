#include "data/db_field_helpers.h"

#include <cctype>

#include "platform/db/aggregate_field.h"
#include "platform/db/data_set.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/field.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

bool IsIdentifier(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
    return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
      return false;
  return true;
}

std::vector<std::string> FieldNames(std::string_view names) {
  std::vector<std::string> result;
  size_t position = 0;
  while (position <= names.size()) {
    const size_t end = names.find(';', position);
    const std::string_view name = TrimBlanks(names.substr(position, end == std::string_view::npos
                                                                        ? std::string_view::npos
                                                                        : end - position));
    if (!name.empty())
      result.emplace_back(name);
    if (end == std::string_view::npos)
      break;
    position = end + 1;
  }
  return result;
}

// The binary and blob-like types, whose text is not their value.
bool IsBinaryLikeType(TFieldType type) {
  switch (type) {
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftCursor:
    case ftADT:
    case ftArray:
    case ftReference:
    case ftDataSet: return true;
    default: return false;
  }
}

bool CurrencyFlagOf(const TField& field) {
  if (const auto* number = dynamic_cast<const TFloatField*>(&field))
    return number->Currency();
  if (const auto* number = dynamic_cast<const TBCDField*>(&field))
    return number->Currency();
  if (const auto* number = dynamic_cast<const TFMTBCDField*>(&field))
    return number->Currency();
  return false;
}

std::string DisplayFormatOf(const TField& field) {
  if (const auto* number = dynamic_cast<const TNumericField*>(&field))
    return number->DisplayFormat();
  if (const auto* date = dynamic_cast<const TDateTimeField*>(&field))
    return date->DisplayFormat();
  if (const auto* stamp = dynamic_cast<const TSQLTimeStampField*>(&field))
    return stamp->DisplayFormat();
  if (const auto* aggregate = dynamic_cast<const TAggregateField*>(&field))
    return aggregate->DisplayFormat();
  return {};
}

}  // namespace

void lxDBQuoteFieldName(std::string& name) {
  if (!IsIdentifier(name))
    name = "[" + name + "]";
}

std::string lxDBFilterFieldName(const TField* field, bool ignore_origin) {
  if (field == nullptr)
    return {};
  if (!ignore_origin && !field->Origin().empty())
    return field->Origin();
  std::string name = field->FieldName();
  lxDBQuoteFieldName(name);
  return name;
}

Variant lxDBGetFieldValues(const TDataSet*, const std::vector<TField*>& fields) {
  if (fields.empty())
    return Variant::Null();
  if (fields.size() == 1)
    return fields[0]->AsVariant();
  Variant values = VarArrayCreate(0, static_cast<int32_t>(fields.size()) - 1, varVariant);
  for (size_t i = 0; i < fields.size(); ++i)
    values.Array().Put(static_cast<int32_t>(i), fields[i]->AsVariant());
  return values;
}

void lxDBSetFieldValues(TDataSet*, const std::vector<TField*>& fields, const Variant& values) {
  if (fields.empty())
    return;
  if (fields.size() == 1) {
    fields[0]->SetAsVariant(values);
    return;
  }
  const TVariantArray& items = values.Array();
  for (size_t i = 0; i < fields.size(); ++i)
    fields[i]->SetAsVariant(items.Get(items.LowBound() + static_cast<int32_t>(i)));
}

Variant lxDBFieldValue(const TField& field) {
  if (field.FieldKind() == fkAggregate)
    return field.AsVariant();
  if (field.IsNull())
    return Variant::Null();
  if (field.DataType() == ftWideString)
    return Variant(field.AsWideString());
  return field.AsVariant();
}

void lxDBSetFieldValue(TField& field, const Variant& value) {
  if (dynamic_cast<TDateTimeField*>(&field) != nullptr && value.Type() == varDouble) {
    field.SetAsDateTime(value.RealBits());
    return;
  }
  field.SetAsVariant(value);
}

bool lxDBSameTextIgnoreCase(std::string_view a, std::string_view b) { return AnsiUpperCase(a) == AnsiUpperCase(b); }

bool lxDBLookupKeyFieldsModifiable(const TField& lookup_field) {
  const TDataSet* dataset = lookup_field.DataSet();
  if (dataset == nullptr)
    return false;
  const std::vector<std::string> names = FieldNames(lookup_field.KeyFields());
  if (names.empty())
    return false;
  for (const std::string& name : names) {
    const TField* key = dataset->FindField(name);
    if (key == nullptr || !key->CanModify())
      return false;
  }
  return true;
}

bool lxDBFieldCanEditAsText(const TField& field, bool plain) {
  if (!field.CanModify())
    return false;
  if (plain)
    return true;
  if (IsBinaryLikeType(field.DataType()))
    return static_cast<bool>(field.OnSetText);
  return true;
}

bool lxDBFieldHasOwnFormat(const TField& field, bool answer_for_binary_types) {
  if (field.OnGetText || !field.EditMask().empty())
    return true;
  if (IsBinaryLikeType(field.DataType()) || field.DataType() == ftBoolean)
    return answer_for_binary_types;
  if (field.FieldKind() == fkAggregate) {
    const auto* aggregate = dynamic_cast<const TAggregateField*>(&field);
    return !DisplayFormatOf(field).empty() || (aggregate != nullptr && aggregate->Currency());
  }
  if (const auto* number = dynamic_cast<const TNumericField*>(&field)) {
    if (!number->DisplayFormat().empty() || !number->EditFormat().empty())
      return true;
    return CurrencyFlagOf(field);
  }
  if (dynamic_cast<const TDateTimeField*>(&field) != nullptr ||
      dynamic_cast<const TSQLTimeStampField*>(&field) != nullptr)
    return !DisplayFormatOf(field).empty();
  return false;
}

bool lxDBIsCurrencyField(const TField& field) {
  return CurrencyFlagOf(field) && DisplayFormatOf(field).empty() && !field.OnGetText;
}

bool lxDBHasMultipleFieldNames(std::string_view names) { return FieldNames(names).size() > 1; }

int32_t lxDBFieldNameCount(std::string_view names) { return static_cast<int32_t>(FieldNames(names).size()); }

void lxDBSplitFieldNames(std::string_view names, TStrings& list) {
  list.Clear();
  for (const std::string& name : FieldNames(names))
    list.Add(name);
}
