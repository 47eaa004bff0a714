#pragma once
// Field definitions: the columns a dataset's records store (name, type,
// size, required, precision). A dataset opened without fields defined in
// code makes one field per definition.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/db_types.h"
#include "platform/rtl/collection.h"

class TComponent;
class TDataSet;
class TField;

class TFieldDef : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TFieldDef", &TCollectionItem::kClass, &ConstructInstance<TFieldDef>,
                                 &TFieldDef::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFieldDef(TCollection* collection) : TCollectionItem(collection) {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  TFieldType DataType() const { return data_type_; }
  void SetDataType(TFieldType type) { data_type_ = type; }
  int32_t Size() const { return size_; }
  void SetSize(int32_t size) { size_ = size; }
  int32_t Precision() const { return precision_; }
  void SetPrecision(int32_t precision) { precision_ = precision; }
  bool Required() const { return required_; }
  void SetRequired(bool required) { required_ = required; }
  // 1-based position among the definitions.
  int32_t FieldNo() const { return Index() + 1; }
  std::string DisplayName() const override { return name_; }

  // A new field of the type's class for this definition, in `dataset`,
  // owned by `owner`. Raises for a type without a field class.
  TField* CreateField(TComponent* owner, TDataSet* dataset) const;

  void Assign(const TPersistent* source) override;

 private:
  std::string name_;
  TFieldType data_type_ = ftUnknown;
  int32_t size_ = 0;
  int32_t precision_ = 0;
  bool required_ = false;
};

class TFieldDefs : public TCollection {
 public:
  static constexpr TClass kClass{"TFieldDefs", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFieldDefs(TDataSet* dataset);

  TDataSet* DataSet() const { return dataset_; }
  TFieldDef* Items(int32_t index) const { return static_cast<TFieldDef*>(TCollection::Items(index)); }
  TFieldDef* operator[](int32_t index) const { return Items(index); }
  // Raises "Duplicate field name 'x'" for a name already defined.
  TFieldDef* Add(const std::string& name, TFieldType type, int32_t size = 0, bool required = false);
  TFieldDef* AddFieldDef() { return static_cast<TFieldDef*>(TCollection::Add()); }
  // Case-insensitive; -1 / null when there is none.
  int32_t IndexOf(std::string_view name) const;
  TFieldDef* FindDef(std::string_view name) const;
  // As FindDef, but raises "Field 'x' not found".
  TFieldDef* Find(std::string_view name) const;

 private:
  TDataSet* dataset_;
};

// The field class that holds values of `type`; null for types no field
// class stores (ftUnknown, ftADT, ftCursor, ...).
const TClass* DefaultFieldClass(TFieldType type);
