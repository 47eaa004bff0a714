#include "data/data_controller.h"

#include "data/typed_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"

void TlxCustomDataController::CheckRecordRange(int32_t record_index) const {
  if (record_index >= 0 && record_index < GetRecordCount())
    return;
  if (record_index < 0 && record_index != kLxNoEditedRecord &&
      (record_index == new_item_record_index_ || record_index == provider_->SavedRecordIndex()))
    return;
  lxDataControllerError(lxSDataRecordIndexError);
}

void TlxCustomDataController::SetRecordCount(int32_t count) {
  if (IsGridMode())
    return;
  count = std::max(count, 0);
  const int32_t old_count = GetRecordCount();
  if (count == old_count)
    return;
  if (IsProviderMode()) {
    provider_->SetRecordCount(count);
    return;
  }
  storage_->SetRecordCount(count);
  if (GetRecordCount() == old_count)
    return;
  TUpdateScope update(*this);
  info_->ValidateSelection();
  CheckBookmark(-1);
  ResetEditingIfAffected(-1);
  DataChanged(count > old_count ? dckAdded : dckDeleted, -1, -1);
}

Variant TlxCustomDataController::GetValue(int32_t record_index, int32_t item_index) {
  CheckRecordRange(record_index);
  return GetFieldValue(record_index, *ItemField(item_index));
}

std::string TlxCustomDataController::GetDisplayText(int32_t record_index, int32_t item_index) {
  CheckRecordRange(record_index);
  return GetFieldDisplayText(record_index, *ItemField(item_index));
}

bool TlxCustomDataController::CanAccessFieldValue(const TlxCustomDataField& field) const {
  if (!field.IsInternal())
    return true;
  return field.ReferenceField() && !field.ReferenceField()->IsInternal();
}

Variant TlxCustomDataController::GetFieldValue(int32_t record_index, TlxCustomDataField& field) {
  if (record_index >= 0 && IsProviderMode() && CanAccessFieldValue(field))
    return provider_->GetValue(record_index, field);
  if (IsGridMode() && CanAccessFieldValue(field))
    return provider_->GetExternalValue(record_index, field);
  const TlxValueDef* def = field.ValueDef();
  return def ? storage_->ValueOf(record_index, *def) : Variant::Null();
}

std::string TlxCustomDataController::GetFieldDisplayText(int32_t record_index, TlxCustomDataField& field) {
  if (record_index >= 0 && IsProviderMode() && CanAccessFieldValue(field))
    return provider_->GetDisplayText(record_index, field);
  if (IsGridMode() && CanAccessFieldValue(field))
    return provider_->GetExternalDisplayText(record_index, field);
  const TlxValueDef* def = field.ValueDef();
  return def ? storage_->DisplayTextOf(record_index, *def) : std::string();
}

void TlxCustomDataController::SetValue(int32_t record_index, int32_t item_index, const Variant& value) {
  if (IsGridMode())
    return;
  CheckRecordRange(record_index);
  TlxCustomDataField& field = *ItemField(item_index);
  if (IsProviderMode() && record_index >= 0)
    provider_->SetValue(record_index, field, value);
  else if (const TlxValueDef* def = field.ValueDef())
    storage_->StoreValue(record_index, *def, value);
  DataChanged(dckValue, item_index, record_index);
}

void TlxCustomDataController::SetDisplayText(int32_t record_index, int32_t item_index, const std::string& text) {
  if (IsGridMode())
    return;
  CheckRecordRange(record_index);
  TlxCustomDataField& field = *ItemField(item_index);
  if (IsProviderMode() && record_index >= 0)
    provider_->SetDisplayText(record_index, field, text);
  else if (const TlxValueDef* def = field.ValueDef(); def && def->KeepsDisplayText())
    storage_->StoreDisplayText(record_index, *def, text);
  DataChanged(dckValue, item_index, record_index);
}

int32_t TlxCustomDataController::AppendRecord() {
  if (IsProviderMode())
    return provider_->AppendRecord();
  const int32_t record = storage_->AddRecord();
  DataChanged(dckAdded, -1, -1);
  return record;
}

int32_t TlxCustomDataController::InsertRecord(int32_t record_index) {
  if (record_index < 0 || record_index > GetRecordCount())
    lxDataControllerError(lxSDataRecordIndexError);
  if (IsProviderMode())
    return provider_->InsertRecord(record_index);
  storage_->InsertRecordAt(record_index);
  RecordInserted(record_index);
  DataChanged(dckAdded, -1, -1);
  return record_index;
}

void TlxCustomDataController::DeleteRecord(int32_t record_index) {
  CheckRecordRange(record_index);
  if (record_index == provider_->EditedRecordIndex())
    provider_->SetEditedRecordIndex(kLxNoEditedRecord);
  if (record_index < 0) {
    storage_->FreeInternalRecord(record_index);
    if (record_index == new_item_record_index_)
      new_item_record_index_ = 0;
    return;
  }
  if (IsProviderMode())
    provider_->DeleteRecord(record_index);
  storage_->RemoveRecord(record_index);
  RecordDeleted(record_index);
  info_->ValidateSelection();
  DataChanged(dckDeleted, -1, -1);
}

void TlxCustomDataController::RecordDeleted(int32_t record_index) {
  if (record_index < 0)
    return;
  ResetEditingIfAffected(record_index);
  if (HasRelations())
    ShiftDetailMasterIndexes(record_index, -1);
  // The bookmark follows its record down; the deleted record takes it along.
  if (bookmark_record_index_ == record_index) {
    ClearBookmark();
    changes_ |= dccBookmark;
  } else if (bookmark_record_index_ > record_index) {
    --bookmark_record_index_;
  }
}

namespace {

// Reads every stored value of a record, by def.
class TRecordCopyReader : public TlxValueDefReader {
 public:
  TRecordCopyReader(TlxDataStorage& storage, int32_t record) : storage_(storage), record_(record) {}
  Variant ValueFor(const TlxValueDef& def) override { return storage_.ValueOf(record_, def); }
  std::string DisplayTextFor(const TlxValueDef& def) override { return storage_.DisplayTextOf(record_, def); }

 private:
  TlxDataStorage& storage_;
  int32_t record_;
};

}  // namespace

void TlxCustomDataController::CopyRecord(int32_t source_record, int32_t destination_record) {
  TRecordCopyReader reader(*storage_, source_record);
  if (IsProviderMode() && destination_record >= 0) {
    for (int32_t i = 0; i < GetItemCount(); ++i) {
      TlxCustomDataField& field = *ItemField(i);
      if (field.ValueDef())
        provider_->SetValue(destination_record, field, storage_->ValueOf(source_record, *field.ValueDef()));
    }
  } else {
    storage_->FillRecordFromReader(destination_record, reader);
  }
  if (destination_record >= 0)
    DataChanged(dckRecord, -1, -1);
}

std::vector<Variant> TlxCustomDataController::GetGroupingValues(int32_t record_index) {
  TlxGroupingFieldList& grouping = info_->GroupingFieldList();
  std::vector<Variant> values(static_cast<size_t>(grouping.Count()));
  if (record_index < 0 || record_index >= GetRecordCount())
    return values;
  for (int32_t level = 0; level < grouping.Count(); ++level)
    values[static_cast<size_t>(level)] = GetGroupingFieldValue(record_index, *grouping.GetEntry(level).Field);
  return values;
}

int32_t TlxCustomDataController::GetNewItemRecordIndex() {
  if (new_item_record_index_ == 0)
    new_item_record_index_ = storage_->NewInternalRecord();
  return new_item_record_index_;
}

void TlxCustomDataController::InternalRecordsCleared() {
  provider_->ClearSavedRecordIndex();
  new_item_record_index_ = 0;
}

namespace {

constexpr char kStorageStreamMark[] = "DataController1";

// Marks the defs that a storage stream carries and counts them.
int32_t MarkStreamedDefs(TlxCustomDataFieldList& fields) {
  int32_t count = 0;
  for (int32_t i = 0; i < fields.Count(); ++i) {
    TlxCustomDataField* field = fields.FieldAt(i);
    if (field->ReferenceField())
      continue;
    if (TlxValueDef* def = field->ValueDef()) {
      def->SetStreamStored(!field->IsInternal());
      if (!field->IsInternal())
        ++count;
    }
  }
  return count;
}

}  // namespace

void TlxCustomDataController::SaveStorageToStream(TStream& stream) {
  TlxWriter writer(stream);
  writer.WriteAnsiString(kStorageStreamMark);
  if (IsProviderMode()) {
    writer.WriteInteger(0);
    return;
  }
  writer.WriteInteger(MarkStreamedDefs(*fields_));
  TlxCustomDataFieldList& fields = *fields_;
  storage_->BeginStreamOrder([&fields](const TlxValueDef& a, const TlxValueDef& b) {
    return fields.IndexOf(static_cast<const TlxCustomDataField*>(a.RawLink())) -
           fields.IndexOf(static_cast<const TlxCustomDataField*>(b.RawLink()));
  });
  TScopeExit order([this] { storage_->EndStreamOrder(); });
  TlxValueDefs& defs = storage_->ValueDefs();
  for (int32_t i = 0; i < defs.Count(); ++i)
    if (defs.ItemAt(i)->StreamStored())
      writer.WriteAnsiString(defs.ItemAt(i)->ValueTypeClass()->ClassName());
  writer.WriteInteger(GetRecordCount());
  for (int32_t record = 0; record < GetRecordCount(); ++record)
    storage_->SaveRecord(record, stream);
}

void TlxCustomDataController::LoadStorageFromStream(TStream& stream) {
  if (IsProviderMode())
    lxDataControllerError(lxSDataProviderModeError);
  auto invalid = [] { lxDataControllerError(lxSDataInvalidStreamFormat); };
  TlxReader reader(stream);
  try {
    if (reader.ReadAnsiString() != kStorageStreamMark)
      invalid();
  } catch (const EReadError&) {
    invalid();
  }
  int32_t def_count = 0;
  try {
    def_count = reader.ReadInteger();
  } catch (const EReadError&) {
    invalid();
  }
  if (def_count != MarkStreamedDefs(*fields_))
    invalid();
  TlxCustomDataFieldList& fields = *fields_;
  storage_->BeginStreamOrder([&fields](const TlxValueDef& a, const TlxValueDef& b) {
    return fields.IndexOf(static_cast<const TlxCustomDataField*>(a.RawLink())) -
           fields.IndexOf(static_cast<const TlxCustomDataField*>(b.RawLink()));
  });
  TScopeExit order([this] { storage_->EndStreamOrder(); });
  TlxValueDefs& defs = storage_->ValueDefs();
  int32_t record_count = 0;
  try {
    for (int32_t i = 0; i < defs.Count(); ++i)
      if (defs.ItemAt(i)->StreamStored() && reader.ReadAnsiString() != defs.ItemAt(i)->ValueTypeClass()->ClassName())
        invalid();
    record_count = reader.ReadInteger();
  } catch (const EReadError&) {
    invalid();
  }
  // Every record takes at least one byte.
  if (record_count < 0 || record_count > stream.Size() - stream.Position())
    invalid();
  // The records held now, to put back when the stream breaks off.
  TMemoryStream previous;
  const int32_t previous_count = GetRecordCount();
  for (int32_t record = 0; record < previous_count; ++record)
    storage_->SaveRecord(record, previous);
  TUpdateScope update(*this);
  ClearSelection();
  storage_->SetRecordCount(record_count);
  try {
    for (int32_t record = 0; record < record_count; ++record)
      storage_->LoadRecord(record, stream);
  } catch (const EReadError&) {
    storage_->SetRecordCount(previous_count);
    previous.SetPosition(0);
    for (int32_t record = 0; record < previous_count; ++record)
      storage_->LoadRecord(record, previous);
    info_->Refresh();
    invalid();
  }
  ResetEditingIfAffected(-1);
  DataChanged(dckAll, -1, -1);
  info_->Refresh();
}
