#pragma once
// TFields: the ordered field list of a dataset. It does not own the fields
// by itself: the dataset frees the fields of its list when it is destroyed.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"

class TDataSet;
class TField;

class TFields : public TObject {
 public:
  static constexpr TClass kClass{"TFields", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFields(TDataSet* dataset) : dataset_(dataset) {}

  TDataSet* DataSet() const { return dataset_; }
  int32_t Count() const { return static_cast<int32_t>(fields_.size()); }
  // Raises "Field index out of range" for a bad index.
  TField* Fields(int32_t index) const;
  TField* operator[](int32_t index) const { return Fields(index); }
  // Case-insensitive (letter case by the locale); null when there is none.
  TField* FindField(std::string_view name) const;
  // As FindField, but raises "Field 'x' not found".
  TField* FieldByName(std::string_view name) const;
  // The data field bound to field definition `field_no` (1-based), or null.
  TField* FieldByNumber(int32_t field_no) const;
  int32_t IndexOf(const TField* field) const;

  void Add(TField* field);
  void Remove(TField* field);
  void Move(int32_t current_index, int32_t new_index);
  // Forgets every field (does not free them).
  void Clear() { fields_.clear(); }

  std::vector<TField*>::const_iterator begin() const { return fields_.begin(); }
  std::vector<TField*>::const_iterator end() const { return fields_.end(); }

 private:
  TDataSet* dataset_;
  std::vector<TField*> fields_;
};

// Field names compare without regard to letter case, by the locale's rules
// for names beyond ASCII.
bool SameFieldName(std::string_view a, std::string_view b);
