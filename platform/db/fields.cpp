#include "platform/db/fields.h"

#include <algorithm>

#include "platform/db/data_set.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/rtl/text.h"

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool SameFieldName(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b))
    return SameText(a, b);
  return AnsiSameText(a, b);
}

TField* TFields::Fields(int32_t index) const {
  if (index < 0 || index >= Count())
    DatabaseError(db_text::FieldIndexError(), dataset_);
  return fields_[static_cast<size_t>(index)];
}

TField* TFields::FindField(std::string_view name) const {
  for (TField* field : fields_) {
    if (SameFieldName(field->FieldName(), name))
      return field;
  }
  return nullptr;
}

TField* TFields::FieldByName(std::string_view name) const {
  TField* field = FindField(name);
  if (field == nullptr)
    DatabaseError(db_text::FieldNotFound(name), dataset_);
  return field;
}

TField* TFields::FieldByNumber(int32_t field_no) const {
  for (TField* field : fields_) {
    if (field->FieldNo() == field_no)
      return field;
  }
  return nullptr;
}

int32_t TFields::IndexOf(const TField* field) const {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  return it == fields_.end() ? -1 : static_cast<int32_t>(it - fields_.begin());
}

void TFields::Add(TField* field) {
  if (IndexOf(field) < 0)
    fields_.push_back(field);
}

void TFields::Remove(TField* field) {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  if (it != fields_.end())
    fields_.erase(it);
}

void TFields::Move(int32_t current_index, int32_t new_index) {
  if (current_index < 0 || current_index >= Count())
    DatabaseError(db_text::FieldIndexError(), dataset_);
  new_index = std::clamp(new_index, 0, Count() - 1);
  TField* field = fields_[static_cast<size_t>(current_index)];
  fields_.erase(fields_.begin() + current_index);
  fields_.insert(fields_.begin() + new_index, field);
}
