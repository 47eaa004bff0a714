#include "data/data_locate.h"

#include <algorithm>

#include "data/controller_info.h"
#include "data/data_controller.h"
#include "data/data_fields.h"
#include "platform/rtl/scope.h"

namespace {

// The def a value stands for: an internal def for its mirrored one.
const TlxValueDef* OwnDef(const TlxValueDef& def) {
  if (const auto* internal = dynamic_cast<const TlxInternalValueDef*>(&def))
    if (const TlxValueDef* mirrored = internal->Mirrored())
      return mirrored;
  return &def;
}

TlxCustomDataField* FieldOfDef(const TlxValueDef& def) { return dynamic_cast<TlxCustomDataField*>(def.GetLink()); }

}  // namespace

bool lxIsValueDefOfInternalField(const TlxValueDef& def) {
  const TlxCustomDataField* field = FieldOfDef(def);
  return field != nullptr && field->IsInternal();
}

// --- Locate objects ---------------------------------------------------------------

TlxDataControllerLocateObject::~TlxDataControllerLocateObject() { Clear(); }

void TlxDataControllerLocateObject::Clear() {
  if (internal_record_ == 0)
    return;
  TlxDataStorage& storage = controller_.DataStorage();
  storage.FreeInternalRecord(std::exchange(internal_record_, 0));
}

void TlxDataControllerLocateObject::ReadFrom(TlxValueDefReader& reader) {
  TlxDataStorage& storage = controller_.DataStorage();
  if (internal_record_ == 0)
    internal_record_ = storage.NewInternalRecord();
  controller_.BeginInternalRecordCopy();
  TScopeExit end([this] { controller_.EndInternalRecordCopy(); });
  storage.FillRecordFromReader(internal_record_, reader);
}

int32_t TlxDataControllerKeyLocateObject::FindRecordIndex() {
  if (InternalRecordIndex() == 0)
    return -1;
  return DataController().FindRecordByFieldValues(InternalRecordIndex(), key_fields_);
}

TlxDataControllerGroupLocateObject::TlxDataControllerGroupLocateObject(TlxCustomDataController* controller)
    : TlxDataControllerLocateObject(controller) {
  TlxGroupingFieldList& grouping = controller->ControllerInfo().GroupingFieldList();
  for (int32_t level = 0; level < grouping.Count(); ++level) {
    TlxCustomDataField* field = grouping.GetEntry(level).Field;
    grouping_fields_.push_back(field);
    if (controller->ComparesByDisplayText(*field))
      find_group_record_ = false;
  }
}

void TlxDataControllerGroupLocateObject::SetLevel(int32_t level) {
  if (level_ == level)
    return;
  level_ = level;
  if (find_group_record_)
    return;
  const size_t count = std::clamp<size_t>(static_cast<size_t>(std::max(level + 1, 0)), 0, grouping_fields_.size());
  find_fields_.assign(grouping_fields_.begin(), grouping_fields_.begin() + static_cast<std::ptrdiff_t>(count));
}

int32_t TlxDataControllerGroupLocateObject::FindRecordIndex() {
  if (InternalRecordIndex() == 0)
    return -1;
  if (find_group_record_)
    return DataController().FindRecordInGroups(InternalRecordIndex(), level_ + 1);
  return DataController().FindRecordByFieldValues(InternalRecordIndex(), find_fields_);
}

// --- Value readers ----------------------------------------------------------------

int32_t TlxValueDefUnboundReader::IndexOf(const TlxValueDef& def) const {
  const auto found = std::find(defs_.begin(), defs_.end(), OwnDef(def));
  return found == defs_.end() ? -1 : static_cast<int32_t>(found - defs_.begin());
}

void TlxValueDefUnboundReader::SetValue(const TlxValueDef& def, const Variant& value) {
  int32_t index = IndexOf(def);
  if (index < 0) {
    defs_.push_back(OwnDef(def));
    index = static_cast<int32_t>(defs_.size()) - 1;
  }
  if (values_.size() < defs_.size())
    values_.resize(defs_.size());
  auto& slot = values_[static_cast<size_t>(index)];
  if (!slot)
    slot = std::make_unique<Variant>();
  *slot = value;
}

Variant TlxValueDefUnboundReader::ValueFor(const TlxValueDef& def) {
  const int32_t index = IndexOf(def);
  if (index < 0 || static_cast<size_t>(index) >= values_.size() || !values_[static_cast<size_t>(index)])
    return Variant::Null();
  return *values_[static_cast<size_t>(index)];
}

void TlxValueDefUnboundReader::Truncate(int32_t count) {
  if (count >= 0 && static_cast<size_t>(count) < values_.size())
    values_.resize(static_cast<size_t>(count));
}

Variant TlxValueDefRecordReader::ValueFor(const TlxValueDef& def) {
  TlxCustomDataField* field = FieldOfDef(*OwnDef(def));
  return field ? controller_.GetFieldValue(record_, *field) : Variant::Null();
}

std::string TlxValueDefRecordReader::DisplayTextFor(const TlxValueDef& def) {
  TlxCustomDataField* field = FieldOfDef(*OwnDef(def));
  if (field == nullptr || field->IsInternal())
    return {};
  return controller_.GetFieldDisplayText(record_, *field);
}

// --- The notifier -----------------------------------------------------------------

void TlxDataControllerNotifier::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove)
    return;
  if (component == this && ComponentState().Contains(csDestroying))
    return;
  controller_.ComponentRemoved(component);
}
