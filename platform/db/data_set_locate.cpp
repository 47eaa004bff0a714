// TDataSet: Locate and Lookup.

#include <algorithm>
#include <optional>

#include "platform/db/data_set.h"
#include "platform/db/data_set_internal.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/record_store.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/text.h"

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares `text` with an upper-cased ASCII key without regard to case,
// while the compared part of `text` is ASCII too (then no casing of the
// locale can change the answer). Empty when a character beyond ASCII needs
// the locale's casing.
std::optional<bool> AsciiMatch(std::string_view text, std::string_view upper_key, bool partial) {
  const size_t compared = partial ? std::min(text.size(), upper_key.size()) : text.size();
  for (size_t i = 0; i < compared; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80)
      return std::nullopt;
  }
  if (partial ? text.size() < upper_key.size() : text.size() != upper_key.size())
    return false;
  for (size_t i = 0; i < upper_key.size(); ++i) {
    if (AsciiUpper(text[i]) != upper_key[i])
      return false;
  }
  return true;
}

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
        if (!TextMatches(key, layout, block))
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
    // The stored text can be read in place (a plain string field).
    bool in_place = false;
    // Exact and case-sensitive: the stored text is compared as it is.
    bool direct = false;
    bool case_insensitive = false;
    bool ascii_key = false;
    bool partial = false;
  };

  static bool TextMatches(const Key& key, const TRecordLayout& layout, const std::byte* block) {
    std::string copy;
    std::string_view text;
    if (key.in_place) {
      text = layout.Get<std::string>(block, key.field->Slot());
    } else {
      copy = key.field->AsString();
      text = copy;
    }
    if (key.case_insensitive) {
      if (key.ascii_key) {
        if (const std::optional<bool> match = AsciiMatch(text, key.text, key.partial))
          return *match;
      }
      copy = AnsiUpperCase(text);
      text = copy;
    }
    return key.partial ? text.starts_with(key.text) : text == key.text;
  }

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
    key.ascii_key = IsAscii(key.text);
    const auto* string_field = dynamic_cast<const TStringField*>(field);
    key.in_place = string_field != nullptr && !string_field->FixedChar();
    key.direct = key.in_place && !key.case_insensitive && !key.partial;
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
  TRecordStore& store = Records();
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
  std::byte* block = Records().At(position);
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
