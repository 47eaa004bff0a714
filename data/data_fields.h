#pragma once
// Data fields: one per item of a controller's owner (a grid column, an
// editor binding) plus internal fields of the controller's own. A field ties
// its item to a value def in the record storage; a field may instead share
// the data of another field (a reference chain).

#include <cstdint>
#include <memory>
#include <vector>

#include "data/data_storage.h"
#include "data/value_types.h"
#include "platform/rtl/object.h"

class TlxCustomDataController;
class TlxCustomDataFieldList;

class TlxCustomDataField : public TObject {
 public:
  using TOwnerType = TlxCustomDataFieldList;
  static constexpr TClass kClass{"TlxCustomDataField", &TObject::kClass, &ConstructInstance<TlxCustomDataField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDataField(TlxCustomDataFieldList* field_list);
  ~TlxCustomDataField() override;

  // The virtual operations, in the order of their slots.
  virtual void ReassignFrom(TlxCustomDataField& source);
  virtual void ComponentRemoved(TObject* component);
  virtual bool CanModify(bool editable) const;
  virtual bool IsUnbound() const { return false; }
  virtual bool IsInternal() const { return internal_; }

  TlxCustomDataController& DataController() const;
  TlxCustomDataFieldList& FieldList() const { return field_list_; }
  int32_t Index() const;
  void SetIndex(int32_t index);
  TObject* Item() const { return item_; }
  void SetItem(TObject* item) { item_ = item; }
  void MarkInternal(bool internal);

  // Through the reference chain.
  TlxValueDef* ValueDef() const;
  TlxValueTypeClass ValueTypeClass() const;
  bool TextStored() const;
  TlxCustomDataField* ReferenceField() const { return reference_; }
  // The last field of the chain (this field when it refers to none).
  const TlxCustomDataField& ChainEnd() const;
  void ReferTo(TlxCustomDataField* field);
  void SetStoresText(bool stored);
  void ChangeValueTypeClass(TlxValueTypeClass value_type);
  void StartRecreateData();
  void FinishRecreateData();
  void StructureChanged();

  bool ValueCompare() const { return value_compare_; }
  void SetValueCompare(bool value) { value_compare_ = value; }
  // -1 typed storage comparison, 1 value comparison, 2 display text, 0
  // outside a sort or grouping pass.
  int32_t CompareMode() const { return compare_mode_; }
  void SetCompareMode(int32_t mode) { compare_mode_ = mode; }
  bool UpdatedInPass() const { return updated_in_pass_; }
  void SetUpdatedInPass(bool value) { updated_in_pass_ = value; }

 private:
  friend class TlxCustomDataFieldList;
  void CreateValueDef();
  void FreeValueDef();

  TlxCustomDataFieldList& field_list_;
  bool internal_ = false;
  TObject* item_ = nullptr;
  int32_t recreate_lock_count_ = 0;
  bool value_compare_ = false;
  int32_t compare_mode_ = 0;
  bool updated_in_pass_ = false;
  TlxCustomDataField* reference_ = nullptr;
  bool text_stored_ = false;
  TlxValueDef* value_def_ = nullptr;
  TlxValueTypeClass value_type_ = nullptr;
};

// The fields of one controller: the item fields first, in item order, then
// the internal fields. Owns the fields.
class TlxCustomDataFieldList : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomDataFieldList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDataFieldList(TlxCustomDataController& controller);
  ~TlxCustomDataFieldList() override;

  virtual void NotifyComponentRemoval(TObject* component);

  TlxCustomDataController& DataController() const { return controller_; }
  // Takes the field: an internal one goes last, any other after the last
  // item field.
  TlxCustomDataField* Add(std::unique_ptr<TlxCustomDataField> field);
  // Frees the field (referring fields take over its data first).
  void Remove(TlxCustomDataField* field);
  void Clear();
  TlxCustomDataField* FieldAt(int32_t index) const { return fields_.at(static_cast<size_t>(index)).get(); }
  TlxCustomDataField* FieldByItem(const TObject* item) const;
  int32_t IndexOf(const TlxCustomDataField* field) const;
  int32_t Count() const { return static_cast<int32_t>(fields_.size()); }
  int32_t ItemCount() const { return Count() - internal_count_; }
  void RecountInternal();
  void Move(int32_t from, int32_t to);
  bool FieldDestroyed() const { return field_destroyed_; }
  void SetFieldDestroyed(bool value) { field_destroyed_ = value; }

 private:
  void FieldRemoving(TlxCustomDataField& field);

  TlxCustomDataController& controller_;
  bool field_destroyed_ = false;
  int32_t internal_count_ = 0;
  std::vector<std::unique_ptr<TlxCustomDataField>> fields_;
};
