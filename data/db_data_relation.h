#pragma once
// A master-detail relation of a dataset-bound master: it carries the
// master's key field, bound to the detail's MasterKeyFieldNames in the
// master's dataset, whose values on a master record are the key values the
// detail shows for it.

#include <cstdint>
#include <string>

#include "data/data_relations.h"
#include "platform/rtl/variant.h"

class TlxDBDataController;
class TlxDBDataField;

class TlxDBDataRelation : public TlxCustomDataRelation {
 public:
  static constexpr TClass kClass{"TlxDBDataRelation", &TlxCustomDataRelation::kClass,
                                 &ConstructInstance<TlxDBDataRelation>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataRelation(TlxCustomDataRelationList* list) : TlxCustomDataRelation(list) {}
  ~TlxDBDataRelation() override;

  void ForgetDataField(TlxCustomDataField* field) override;

  // The master record's key values; empty when the relation is not linked.
  Variant GetMasterKeyValues(int32_t master_record);
  // A master key field exists and the detail names its key fields.
  bool IsLinked() const;
  // The key field names of the relation's template detail controller
  // (empty when it is not dataset-bound).
  std::string DetailKeyFieldNames() const;
  std::string MasterKeyFieldNames() const;
  TlxDBDataField* MasterKeyField() const { return master_key_field_; }
  // Binds the master key field to the detail's MasterKeyFieldNames:
  // created on first use, freed when the names are empty.
  void BindMasterKeyField();
  // The detail's key field names changed: the list hears of it, unless the
  // owning controller is a detail clone.
  void NotifyKeyFieldsChanged();

 private:
  TlxDBDataController* OwnerDBController() const;
  const TlxDBDataController* TemplateDBController() const;

  TlxDBDataField* master_key_field_ = nullptr;
};
