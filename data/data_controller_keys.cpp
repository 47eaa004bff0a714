// The controller's record keys and the keep-state bracket around reloads.

#include "data/controller_info.h"
#include "data/data_controller.h"
#include "data/data_keys.h"
#include "platform/rtl/scope.h"

Variant TlxCustomDataController::GetKeyValue(int32_t record_index,
                                             const std::vector<TlxCustomDataField*>& key_fields) {
  if (key_fields.empty())
    return IsProviderMode() ? Provider().GetRecordId(record_index) : Variant::Null();
  if (key_fields.size() == 1)
    return GetFieldValue(record_index, *key_fields.front());
  Variant values = VarArrayCreate(0, static_cast<int32_t>(key_fields.size()) - 1, varVariant);
  for (size_t i = 0; i < key_fields.size(); ++i)
    VarArrayPut(values, GetFieldValue(record_index, *key_fields[i]), static_cast<int32_t>(i));
  return values;
}

bool TlxCustomDataController::UsesRecordKeys() const { return IsProviderMode() && Provider().IsRecordIdSupported(); }

Variant TlxCustomDataController::GetRecordKeyValue(int32_t record_index) {
  if (record_index < 0 || record_index >= GetRecordCount())
    lxDataControllerError(lxSDataRecordIndexError);
  if (DataStorage().UsesRecordIds())
    return Variant(DataStorage().RecordIdOf(record_index));
  if (IsProviderMode() && Provider().IsRecordIdSupported())
    return Provider().GetRecordId(record_index);
  return Variant::Null();
}

void TlxCustomDataController::BeginKeepState() {
  if (keep_state_count_++ > 0)
    return;
  BeginUpdateWithOwner();
  keep_state_ = std::make_unique<TlxSaveObject>();
  keep_state_->Save(*this);
}

void TlxCustomDataController::EndKeepState() {
  if (keep_state_count_ == 0 || --keep_state_count_ > 0)
    return;
  TScopeExit close([this] {
    keep_state_.reset();
    EndUpdateWithOwner();
  });
  keep_state_->Restore(*this);
}

void TlxCustomDataController::CheckSelectionAndBookmark(int32_t record_index) {
  info_->ValidateSelection();
  CheckBookmark(record_index);
}
