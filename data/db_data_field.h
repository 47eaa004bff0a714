#pragma once
// The data field of a dataset-bound controller: it knows the dataset field
// (TField) it is bound to and takes its value type from that field's type.
// A field named "A;B", and a lookup field, own one sub-field per name or
// lookup key field; the key routines below are what the controller asks
// before it locates records in the dataset.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_fields.h"
#include "platform/db/db_types.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TField;
class TlxDBDataController;

class TlxDBDataField : public TlxCustomDataField {
 public:
  static constexpr TClass kClass{"TlxDBDataField", &TlxCustomDataField::kClass, &ConstructInstance<TlxDBDataField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataField(TlxCustomDataFieldList* field_list) : TlxCustomDataField(field_list) {}
  ~TlxDBDataField() override;

  bool CanModify(bool editable) const override;
  // Write access by kind: 0 value, 1 edit text, 2 through a lookup's key
  // fields.
  bool CanModifyKind(int32_t kind) const;
  bool IsUnbound() const override;
  // Whether a dataset read skips this field: a field bound to a dataset
  // field is read (outside grid mode), an unbound one only while an
  // unbound record is copied. (The field list's own internal mark, which
  // orders items before internal fields, stays as it is.)
  bool IsInternalForSource() const;
  void ReassignFrom(TlxCustomDataField& source) override;
  void ComponentRemoved(TObject* component) override;

  TlxDBDataController& Controller() const;
  // Through the reference chain.
  TField* Field() const;
  const std::vector<TlxDBDataField*>& SubFields() const;
  int32_t SubFieldCount() const { return static_cast<int32_t>(SubFields().size()); }
  TlxDBDataField* ParentField() const { return parent_; }
  const std::string& FieldName() const { return field_name_; }
  void StoreFieldName(const std::string& name) { field_name_ = name; }
  bool IsCurrency() const { return currency_; }
  bool IsLookup() const;

  void SetField(TField* field);
  void AddSubField(TlxDBDataField* sub_field);
  void RemoveSubField(TlxDBDataField* sub_field);
  void FreeSubFields();
  void NotifyValueTypeChanged();
  // Takes type, text storing and the currency flag from the dataset field
  // until nothing changes any more.
  void BindToField(TField* field, bool force);

 private:
  TlxDBDataField& End() const;

  TField* field_ = nullptr;
  std::string field_name_;
  std::vector<TlxDBDataField*> sub_fields_;
  bool currency_ = false;
  TlxDBDataField* parent_ = nullptr;
  bool destroying_ = false;
};

// The value type for a dataset field's type (a string without a field).
TlxValueTypeClass lxDBValueTypeClassOf(const TField* field);
// The field's sub-fields, or the field itself when it has none.
void lxDBGetKeyFields(TlxDBDataField* field, std::vector<TlxDBDataField*>& list);
// Every ";"-separated name, in order; false at the first one not found.
bool lxDBFindFields(const TDataSet* dataset, std::string_view names, std::vector<TField*>& list);
// Whether the dataset can locate `values` in the fields `names`: as many
// values as names, and Null only for fields that are not auto-increment.
bool lxDBCanLocateKeyValues(const TDataSet* dataset, std::string_view names, const Variant& values);
