#include "data/db_data_relation.h"

#include <vector>

#include "data/db_data_controller.h"
#include "data/db_data_field.h"

TlxDBDataRelation::~TlxDBDataRelation() {
  TlxDBDataController* owner = OwnerDBController();
  if (master_key_field_ != nullptr && owner != nullptr && !owner->Destroying())
    owner->Fields().Remove(std::exchange(master_key_field_, nullptr));
}

TlxDBDataController* TlxDBDataRelation::OwnerDBController() const {
  if (RelationList() == nullptr)
    return nullptr;
  return dynamic_cast<TlxDBDataController*>(&OwnerController());
}

const TlxDBDataController* TlxDBDataRelation::TemplateDBController() const {
  return dynamic_cast<const TlxDBDataController*>(DetailDataController());
}

void TlxDBDataRelation::ForgetDataField(TlxCustomDataField* field) {
  TlxCustomDataRelation::ForgetDataField(field);
  if (field == master_key_field_)
    master_key_field_ = nullptr;
}

std::string TlxDBDataRelation::DetailKeyFieldNames() const {
  const TlxDBDataController* detail = TemplateDBController();
  return detail != nullptr ? detail->DetailKeyFieldNames() : std::string();
}

std::string TlxDBDataRelation::MasterKeyFieldNames() const {
  const TlxDBDataController* detail = TemplateDBController();
  return detail != nullptr ? detail->MasterKeyFieldNames() : std::string();
}

bool TlxDBDataRelation::IsLinked() const { return master_key_field_ != nullptr && !DetailKeyFieldNames().empty(); }

Variant TlxDBDataRelation::GetMasterKeyValues(int32_t master_record) {
  TlxCustomDataController& master = OwnerController();
  master.CheckRecordRange(master_record);
  if (!IsLinked())
    return Variant();
  std::vector<TlxDBDataField*> keys;
  lxDBGetKeyFields(master_key_field_, keys);
  return master.GetKeyValue(master_record, std::vector<TlxCustomDataField*>(keys.begin(), keys.end()));
}

void TlxDBDataRelation::BindMasterKeyField() {
  TlxDBDataController* owner = OwnerDBController();
  if (owner == nullptr)
    return;
  const std::string names = MasterKeyFieldNames();
  if (names.empty()) {
    if (master_key_field_ != nullptr) {
      owner->Fields().Remove(std::exchange(master_key_field_, nullptr));
      owner->Change(dccDataChanged);
    }
    return;
  }
  if (master_key_field_ == nullptr)
    master_key_field_ = static_cast<TlxDBDataField*>(owner->CreateInternalField());
  if (master_key_field_->FieldName() != names || master_key_field_->Field() == nullptr)
    owner->SetFieldNameBinding(*master_key_field_, names, false);
}

void TlxDBDataRelation::NotifyKeyFieldsChanged() {
  if (RelationList() == nullptr || OwnerController().GetDetailMode() == 2)
    return;
  Changed();
}
