#include "data/data_keys.h"

#include <algorithm>

#include "data/controller_info.h"
#include "data/data_controller.h"
#include "data/variant_utils.h"

namespace {

// The detail controller behind a record's link object, when it is of the
// master's own class (only those keep the same kind of state).
TlxCustomDataController* SameClassDetail(TlxCustomDataController& controller, int32_t record, int32_t relation) {
  if (!controller.IsDetailLinkObjectCreated(record, relation))
    return nullptr;
  TObject* link = controller.GetDetailLinkObject(record, relation);
  TlxCustomDataController* detail = link ? controller.GetDetailLinkDataController(link) : nullptr;
  if (detail == nullptr || !detail->ClassType()->InheritsFrom(controller.ClassType()))
    return nullptr;
  return detail;
}

}  // namespace

TlxDetailKeyInfo::TlxDetailKeyInfo() = default;
TlxDetailKeyInfo::~TlxDetailKeyInfo() = default;

// --- TlxKeys -----------------------------------------------------------------------

TlxKeys::~TlxKeys() { infos_.clear(); }

void TlxKeys::Clear() {
  for (auto& info : infos_)
    FreeKeyInfo(std::move(info));
  infos_.clear();
}

void TlxKeys::SetController(TlxCustomDataController& controller) {
  controller_ = &controller;
  key_fields_.clear();
  controller.GetKeyFieldList(key_fields_);
}

Variant TlxKeys::KeyOf(int32_t record) const { return controller_->GetKeyValue(record, key_fields_); }

void TlxKeys::Save(TlxCustomDataController& controller) {
  Clear();
  SetController(controller);
  CollectKeys();
  std::stable_sort(infos_.begin(), infos_.end(),
                   [](const auto& a, const auto& b) { return lxVariantCompare(a->Key, b->Key) < 0; });
}

void TlxKeys::Restore(TlxCustomDataController& controller) {
  SetController(controller);
  if (infos_.empty())
    return;
  ApplyKeys();
  Clear();
}

bool TlxKeys::FindRecordKey(int32_t record, int32_t& position) const {
  // The infos are sorted by key: the first equal one in list order is the
  // lower bound, found without a pass over the whole list per record.
  const Variant key = KeyOf(record);
  const auto found = std::lower_bound(infos_.begin(), infos_.end(), key, [](const auto& info, const Variant& value) {
    return lxVariantCompare(info->Key, value) < 0;
  });
  if (found == infos_.end() || !lxVariantEquals((*found)->Key, key))
    return false;
  position = static_cast<int32_t>(found - infos_.begin());
  return true;
}

void TlxKeys::Delete(int32_t position) {
  auto it = infos_.begin() + position;
  FreeKeyInfo(std::move(*it));
  infos_.erase(it);
}

// --- TlxDetailKeys ------------------------------------------------------------------

void TlxDetailKeys::CollectKeys() {
  TlxCustomDataController& controller = DataController();
  for (int32_t record = 0; record < controller.GetRecordCount(); ++record) {
    if (!controller.GetDetailExpanded(record))
      continue;
    auto info = std::make_unique<TlxDetailKeyInfo>();
    info->Key = KeyOf(record);
    info->ActiveRelationIndex = controller.GetDetailActiveRelationIndex(record);
    info->SubDetails = std::make_unique<TlxSaveObject>();
    if (TlxCustomDataController* detail = SameClassDetail(controller, record, info->ActiveRelationIndex))
      info->SubDetails->Save(*detail);
    AddInfo(std::move(info));
  }
}

void TlxDetailKeys::ApplyKeys() {
  TlxCustomDataController& controller = DataController();
  for (int32_t record = 0; record < controller.GetRecordCount(); ++record) {
    int32_t position = -1;
    if (!FindRecordKey(record, position))
      continue;
    auto& info = static_cast<TlxDetailKeyInfo&>(InfoAt(position));
    controller.ChangeDetailExpanding(record, true);
    controller.ChangeDetailActiveRelation(record, info.ActiveRelationIndex);
    if (!info.SubDetails || !controller.GetDetailExpanded(record) ||
        controller.GetDetailActiveRelationIndex(record) != info.ActiveRelationIndex)
      continue;
    controller.GetDetailLinkObject(record, info.ActiveRelationIndex);
    if (TlxCustomDataController* detail = SameClassDetail(controller, record, info.ActiveRelationIndex))
      info.SubDetails->Restore(*detail);
  }
}

// --- TlxSelectedKeys ----------------------------------------------------------------

void TlxSelectedKeys::CollectKeys() {
  TlxCustomDataController& controller = DataController();
  const TlxDataSelection& selection = controller.ControllerInfo().Selection();
  for (int32_t position = 0; position < selection.Count(); ++position) {
    const TlxDataSelectionEntry& entry = selection.EntryAt(position);
    if (entry.Level == -1 || entry.RecordIndex >= controller.GetRecordCount())
      continue;
    auto info = std::make_unique<TlxSelectedKeyInfo>();
    info->SelectedIndex = position;
    info->Key = KeyOf(entry.RecordIndex);
    AddInfo(std::move(info));
  }
  // Group rows are kept by their grouping values (expanded and selected).
  controller.ControllerInfo().SaveExpanding(3);
}

void TlxSelectedKeys::ApplyKeys() {
  TlxCustomDataController& controller = DataController();
  TlxDataSelection& selection = controller.ControllerInfo().Selection();
  if (selection.Count() == 0)
    return;
  for (int32_t record = 0; record < controller.GetRecordCount() && Count() > 0; ++record) {
    int32_t position = -1;
    if (!FindRecordKey(record, position))
      continue;
    const int32_t selected = static_cast<TlxSelectedKeyInfo&>(InfoAt(position)).SelectedIndex;
    if (selected < selection.Count())
      selection.EntryAt(selected).RecordIndex = record;
    Delete(position);
  }
  for (int32_t i = 0; i < Count(); ++i) {
    const int32_t selected = static_cast<TlxSelectedKeyInfo&>(InfoAt(i)).SelectedIndex;
    if (selected >= 0 && selected < selection.Count())
      selection.EntryAt(selected).RecordIndex = -1;
  }
  for (int32_t i = selection.Count() - 1; i >= 0; --i)
    if (selection.EntryAt(i).RecordIndex == -1 && selection.EntryAt(i).Level != -1)
      selection.Delete(i);
  controller.ControllerInfo().ExpandingChanged();
}

// --- TlxSaveObject ------------------------------------------------------------------

void TlxSaveObject::Save(TlxCustomDataController& controller) {
  if (controller.IsCreatingLinkObject() || controller.IsOwnerDestroying() || !controller.UsesRecordKeys())
    return;
  detail_keys_.Save(controller);
  selected_keys_.Save(controller);
}

void TlxSaveObject::Restore(TlxCustomDataController& controller) {
  if (controller.IsCreatingLinkObject())
    return;
  if (controller.UsesRecordKeys()) {
    detail_keys_.Restore(controller);
    selected_keys_.Restore(controller);
  } else {
    controller.CheckSelectionAndBookmark(-1);
  }
}
