// TDataSet: Locate and Lookup.

#include "platform/db/data_set.h"
#include "platform/db/data_set_internal.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/record_store.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/text.h"

namespace {

bool IsTextType(TFieldType type) {
  return type == ftString || type == ftFixedChar || type == ftWideString || type == ftMemo || type == ftFmtMemo;
}

// The key fields and values of one search, prepared once and tested
// against many records.
class TRecordMatcher {
 public:
  TRecordMatcher(const std::vector<TField*>& fields, const Variant& values, TLocateOptions options,
                 const TDataSet& dataset) {
    const size_t count = fields.size();
    if (count == 0)
      return;
    if (count > 1 || values.IsArray()) {
      if (!values.IsArray() || values.Array().Count() < count)
        DatabaseError("Key values do not fit the key fields", &dataset);
    }
    for (size_t i = 0; i < count; ++i) {
      const Variant& value =
          values.IsArray() ? values.Array().Get(values.Array().LowBound() + static_cast<int32_t>(i)) : values;
      keys_.push_back(MakeKey(fields[i], value, options));
    }
  }

  bool Matches(const TRecordLayout& layout, const std::byte* block) const {
    for (const Key& key : keys_) {
      const bool is_null = layout.IsNull(block, key.field->Slot());
      if (key.null_value || is_null) {
        if (key.null_value != is_null)
          return false;
        continue;
      }
      if (key.direct) {
        if (layout.Get<std::string>(block, key.field->Slot()) != key.text)
          return false;
        continue;
      }
      if (key.text_compare) {
        std::string text = key.field->AsString();
        if (key.case_insensitive)
          text = AnsiUpperCase(text);
        const bool match = key.partial ? text.starts_with(key.text) : text == key.text;
        if (!match)
          return false;
        continue;
      }
      if (VarCompare(key.field->AsVariant(), key.value) != 0)
        return false;
    }
    return true;
  }

 private:
  struct Key {
    TField* field = nullptr;
    Variant value;
    std::string text;
    bool null_value = false;
    bool text_compare = false;
    bool direct = false;
    bool case_insensitive = false;
    bool partial = false;
  };

  static Key MakeKey(TField* field, const Variant& value, TLocateOptions options) {
    Key key;
    key.field = field;
    key.value = value;
    key.null_value = value.IsNull() || value.IsEmpty();
    if (key.null_value || !IsTextType(field->DataType()))
      return key;
    key.text_compare = true;
    key.case_insensitive = options.Contains(loCaseInsensitive);
    key.partial = options.Contains(loPartialKey);
    key.text = key.case_insensitive ? AnsiUpperCase(value.AsString()) : value.AsString();
    const auto* string_field = dynamic_cast<const TStringField*>(field);
    key.direct = !key.case_insensitive && !key.partial && field->StorageKind() == TStorageKind::kText &&
                 string_field != nullptr && !string_field->FixedChar();
    return key;
  }

  std::vector<Key> keys_;
};

}  // namespace

int32_t TDataSet::FindRecord(const std::vector<TField*>& fields, const Variant& values, TLocateOptions options) {
  const TRecordMatcher matcher(fields, values, options, *this);
  bool calculates = false;
  for (const TField* field : fields)
    calculates = calculates || field->FieldKind() != fkData;
  calculates = calculates && has_calculated_fields_;
  TRecordStore& store = Store();
  const int32_t count = store.Count();
  TTemporaryRecord searching(*this, nullptr, state_);
  for (int32_t position = 0; position < count; ++position) {
    std::byte* block = store.At(position);
    active_block_ = block;
    if (calculates)
      CalculateFields(block);
    if (matcher.Matches(*layout_, block))
      return position;
  }
  return -1;
}

bool TDataSet::Locate(std::string_view key_fields, const Variant& key_values, TLocateOptions options) {
  CheckActive();
  CheckBrowseMode();
  const std::vector<TField*> fields = GetFieldList(key_fields);
  if (fields.empty())
    return false;
  const int32_t position = FindRecord(fields, key_values, options);
  if (position < 0)
    return false;
  ScrollTo(position, false);
  return true;
}

Variant TDataSet::Lookup(std::string_view key_fields, const Variant& key_values, std::string_view result_fields) {
  if (!Active())
    return Variant::Null();
  const std::vector<TField*> keys = GetFieldList(key_fields);
  const std::vector<TField*> results = GetFieldList(result_fields);
  if (keys.empty() || results.empty())
    return Variant::Null();
  const int32_t position = FindRecord(keys, key_values, TLocateOptions());
  if (position < 0)
    return Variant::Null();
  std::byte* block = Store().At(position);
  TTemporaryRecord reading(*this, block, state_);
  if (has_calculated_fields_)
    CalculateFields(block);
  if (results.size() == 1)
    return results.front()->AsVariant();
  Variant values = VarArrayCreate(0, static_cast<int32_t>(results.size()) - 1, varVariant);
  for (size_t i = 0; i < results.size(); ++i)
    VarArrayPut(values, results[i]->AsVariant(), static_cast<int32_t>(i));
  return values;
}
