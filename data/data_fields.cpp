#include "data/data_fields.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/data_provider.h"

TlxCustomDataField::TlxCustomDataField(TlxCustomDataFieldList* field_list) : field_list_(*field_list) {}

TlxCustomDataField::~TlxCustomDataField() { FreeValueDef(); }

TlxCustomDataController& TlxCustomDataField::DataController() const { return field_list_.DataController(); }

void TlxCustomDataField::ReassignFrom(TlxCustomDataField& source) {
  reference_ = nullptr;
  FreeValueDef();
  value_def_ = std::exchange(source.value_def_, nullptr);
  value_type_ = std::exchange(source.value_type_, nullptr);
  text_stored_ = source.text_stored_;
  if (value_def_)
    value_def_->SetLink(this);
}

void TlxCustomDataField::ComponentRemoved(TObject*) {}

bool TlxCustomDataField::CanModify(bool) const {
  return ValueDef() != nullptr || DataController().IsProviderMode();
}

int32_t TlxCustomDataField::Index() const { return field_list_.IndexOf(this); }

void TlxCustomDataField::SetIndex(int32_t index) { field_list_.Move(Index(), index); }

void TlxCustomDataField::MarkInternal(bool internal) {
  if (internal_ == internal)
    return;
  internal_ = internal;
  field_list_.RecountInternal();
}

const TlxCustomDataField& TlxCustomDataField::ChainEnd() const {
  const TlxCustomDataField* field = this;
  while (field->reference_)
    field = field->reference_;
  return *field;
}

TlxValueDef* TlxCustomDataField::ValueDef() const { return ChainEnd().value_def_; }

TlxValueTypeClass TlxCustomDataField::ValueTypeClass() const { return ChainEnd().value_type_; }

bool TlxCustomDataField::TextStored() const { return ChainEnd().text_stored_; }

void TlxCustomDataField::ReferTo(TlxCustomDataField* field) {
  if (field == reference_)
    return;
  if (field) {
    const TlxCustomDataField& end = field->ChainEnd();
    if (&end == this)
      return;  // the chain would lead back here
  }
  if (!reference_) {
    FreeValueDef();
    value_type_ = nullptr;
  }
  reference_ = field;
}

void TlxCustomDataField::SetStoresText(bool stored) {
  if (reference_ || text_stored_ == stored)
    return;
  StartRecreateData();
  text_stored_ = stored;
  FinishRecreateData();
}

void TlxCustomDataField::ChangeValueTypeClass(TlxValueTypeClass value_type) {
  if (reference_ || value_type_ == value_type)
    return;
  StartRecreateData();
  value_type_ = value_type;
  FinishRecreateData();
}

void TlxCustomDataField::StartRecreateData() {
  if (recreate_lock_count_ == 0)
    FreeValueDef();
  ++recreate_lock_count_;
}

void TlxCustomDataField::FinishRecreateData() {
  if (--recreate_lock_count_ == 0)
    CreateValueDef();
}

void TlxCustomDataField::StructureChanged() {
  TlxCustomDataProvider& provider = DataController().Provider();
  if (provider.NotificationLockCount() == 0)
    provider.LayoutChanged(1);
}

void TlxCustomDataField::CreateValueDef() {
  if (reference_ || !value_type_)
    return;
  FreeValueDef();
  value_def_ = DataController().DataStorage().ValueDefs().AddValueDef(value_type_, true, text_stored_, this);
}

void TlxCustomDataField::FreeValueDef() {
  if (!value_def_)
    return;
  TlxValueDef* def = std::exchange(value_def_, nullptr);
  def->ValueDefs().FreeValueDef(def);
}

TlxCustomDataFieldList::TlxCustomDataFieldList(TlxCustomDataController& controller) : controller_(controller) {}

TlxCustomDataFieldList::~TlxCustomDataFieldList() { Clear(); }

void TlxCustomDataFieldList::NotifyComponentRemoval(TObject* component) {
  for (const auto& field : fields_)
    field->ComponentRemoved(component);
}

TlxCustomDataField* TlxCustomDataFieldList::Add(std::unique_ptr<TlxCustomDataField> field) {
  TlxCustomDataField* added = field.get();
  if (field->IsInternal())
    fields_.push_back(std::move(field));
  else
    fields_.insert(fields_.begin() + ItemCount(), std::move(field));
  RecountInternal();
  return added;
}

void TlxCustomDataFieldList::Remove(TlxCustomDataField* field) {
  const int32_t index = IndexOf(field);
  if (index < 0)
    return;
  field_destroyed_ = true;
  FieldRemoving(*field);
  std::unique_ptr<TlxCustomDataField> owned = std::move(fields_[static_cast<size_t>(index)]);
  fields_.erase(fields_.begin() + index);
  controller_.FieldDestroyed(field);
  RecountInternal();
}

void TlxCustomDataFieldList::FieldRemoving(TlxCustomDataField& field) {
  TlxCustomDataField* heir = nullptr;
  for (const auto& other : fields_) {
    if (other->reference_ != &field)
      continue;
    if (!heir) {
      heir = other.get();
      heir->ReassignFrom(field);
    } else {
      other->reference_ = heir;
    }
  }
}

void TlxCustomDataFieldList::Clear() {
  while (!fields_.empty())
    Remove(fields_.back().get());
}

TlxCustomDataField* TlxCustomDataFieldList::FieldByItem(const TObject* item) const {
  if (!item)
    return nullptr;
  for (const auto& field : fields_)
    if (field->Item() == item)
      return field.get();
  return nullptr;
}

int32_t TlxCustomDataFieldList::IndexOf(const TlxCustomDataField* field) const {
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].get() == field)
      return static_cast<int32_t>(i);
  return -1;
}

void TlxCustomDataFieldList::RecountInternal() {
  internal_count_ = static_cast<int32_t>(
      std::count_if(fields_.begin(), fields_.end(), [](const auto& field) { return field->IsInternal(); }));
}

void TlxCustomDataFieldList::Move(int32_t from, int32_t to) {
  if (from < 0 || from == to || to < 0 || to >= Count())
    return;
  std::unique_ptr<TlxCustomDataField> field = std::move(fields_[static_cast<size_t>(from)]);
  fields_.erase(fields_.begin() + from);
  fields_.insert(fields_.begin() + to, std::move(field));
}
