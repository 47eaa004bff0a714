#include "data/data_relations.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/value_types.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/update_batch.h"

// --- TlxCustomDataRelation -------------------------------------------------------

TlxCustomDataRelation::TlxCustomDataRelation(TlxCustomDataRelationList*) {}

TlxCustomDataRelation::~TlxCustomDataRelation() {
  if (TlxCustomDataController* detail = detail_data_controller_)
    detail->AttachToMasterRelation(nullptr, detail->IsTemplateController());
  if (relation_list_ == nullptr)
    return;
  if (relation_list_->destroying_) {
    auto& relations = relation_list_->relations_;
    relations.erase(std::remove(relations.begin(), relations.end(), this), relations.end());
  } else {
    relation_list_->RemoveRelation(this);
  }
}

TlxCustomDataController& TlxCustomDataRelation::OwnerController() const { return relation_list_->DataController(); }

int32_t TlxCustomDataRelation::IndexInList() const { return relation_list_ ? relation_list_->IndexOf(this) : -1; }

void TlxCustomDataRelation::Changed() {
  if (relation_list_ != nullptr)
    relation_list_->DoChanged(this);
}

// --- TlxDetailObject -------------------------------------------------------------

TlxDetailObject::~TlxDetailObject() { Clear(); }

void TlxDetailObject::Clear() {
  // Link objects go first, with the detail object still whole, in case a
  // clone they free looks back at its master record.
  for (int32_t i = 0; i < InfoObjectCount(); ++i)
    ClearInfoObject(i);
  infos_.clear();
}

void TlxDetailObject::ClearInfoObject(int32_t index) {
  if (index < 0 || index >= InfoObjectCount())
    return;
  std::unique_ptr<TlxDetailInfoObject> info = std::move(infos_[static_cast<size_t>(index)]);
}

bool TlxDetailObject::ResetHasChildrenFlags() {
  bool any = false;
  for (auto& info : infos_)
    if (info && info->HasChildrenKnown) {
      info->HasChildrenKnown = false;
      any = true;
    }
  return any;
}

void TlxDetailObject::Correct(const TlxCustomDataRelationList& list) {
  const int32_t count = list.Count();
  if (InfoObjectCount() < count)
    infos_.resize(static_cast<size_t>(count));
  if (count == 0) {
    ActiveRelationIndex = -1;
    return;
  }
  ActiveRelationIndex = std::clamp(ActiveRelationIndex, 0, count - 1);
  if (list.RelationAt(ActiveRelationIndex)->DetailDataController() != nullptr)
    return;
  for (int32_t i = 0; i < count; ++i)
    if (list.RelationAt(i)->DetailDataController() != nullptr) {
      ActiveRelationIndex = i;
      return;
    }
}

TlxDetailInfoObject* TlxDetailObject::InfoObjectAt(int32_t index) const {
  if (index < 0 || index >= InfoObjectCount())
    return nullptr;
  return infos_[static_cast<size_t>(index)].get();
}

TlxDetailInfoObject& TlxDetailObject::InfoObjectFor(int32_t index) {
  if (InfoObjectAt(index) == nullptr)
    PutInfoObject(index, std::make_unique<TlxDetailInfoObject>());
  return *infos_[static_cast<size_t>(index)];
}

TObject* TlxDetailObject::LinkObjectAt(int32_t index) const {
  const TlxDetailInfoObject* info = InfoObjectAt(index);
  return info ? info->LinkObject.get() : nullptr;
}

int32_t TlxDetailObject::LinkObjectCount() const {
  return static_cast<int32_t>(
      std::count_if(infos_.begin(), infos_.end(), [](const auto& info) { return info && info->LinkObject; }));
}

void TlxDetailObject::PutInfoObject(int32_t index, std::unique_ptr<TlxDetailInfoObject> info) {
  if (index < 0)
    return;
  if (index >= InfoObjectCount())
    infos_.resize(static_cast<size_t>(index) + 1);
  infos_[static_cast<size_t>(index)] = std::move(info);
}

void TlxDetailObject::PutLinkObject(int32_t index, std::unique_ptr<TObject> link) {
  if (index < 0)
    return;
  InfoObjectFor(index).LinkObject = std::move(link);
}

std::vector<std::unique_ptr<TObject>> TlxDetailObject::TakeLinkObjects(int32_t index) {
  std::vector<std::unique_ptr<TObject>> links;
  for (int32_t i = 0; i < InfoObjectCount(); ++i) {
    if (index != -1 && i != index)
      continue;
    if (TlxDetailInfoObject* info = InfoObjectAt(i); info && info->LinkObject)
      links.push_back(std::move(info->LinkObject));
    if (index == -1 || i == index)
      ClearInfoObject(i);
  }
  return links;
}

// --- TlxCustomDataRelationList ---------------------------------------------------

TlxCustomDataRelationList::TlxCustomDataRelationList(TlxCustomDataController& controller) : controller_(controller) {}

TlxCustomDataRelationList::~TlxCustomDataRelationList() {
  destroying_ = true;
  while (!relations_.empty())
    delete relations_.back();
}

TlxCustomDataRelation* TlxCustomDataRelationList::RelationAt(int32_t index) const {
  if (index < 0 || index >= Count())
    return nullptr;
  return relations_[static_cast<size_t>(index)];
}

TlxCustomDataRelation* TlxCustomDataRelationList::FindByItem(const TObject* item) const {
  for (TlxCustomDataRelation* relation : relations_)
    if (relation->Item() == item)
      return relation;
  return nullptr;
}

int32_t TlxCustomDataRelationList::IndexOf(const TlxCustomDataRelation* relation) const {
  const auto found = std::find(relations_.begin(), relations_.end(), relation);
  return found == relations_.end() ? -1 : static_cast<int32_t>(found - relations_.begin());
}

TlxCustomDataRelation* TlxCustomDataRelationList::NewRelation(TObject* item) {
  std::unique_ptr<TlxCustomDataRelation> relation =
      lxCreatePart<TlxCustomDataRelation>(controller_.GetRelationClass(), this);
  relation->SetItem(item);
  TlxCustomDataRelation* added = relation.release();
  AddRelation(added);
  return added;
}

void TlxCustomDataRelationList::AssignRelations(const TlxCustomDataRelationList& other) {
  TUpdateScope update(*this);
  Clear();
  for (TlxCustomDataRelation* relation : other.relations_)
    NewRelation(relation->Item())->CopyFrom(*relation);
}

void TlxCustomDataRelationList::EndUpdate() {
  --lock_count_;
  DoChanged(nullptr);
}

void TlxCustomDataRelationList::Clear() {
  TUpdateScope update(*this);
  while (!relations_.empty())
    delete relations_.back();
}

void TlxCustomDataRelationList::AddRelation(TlxCustomDataRelation* relation) {
  relations_.push_back(relation);
  relation->SetRelationList(this);
  DoChanged(relation);
}

void TlxCustomDataRelationList::RemoveRelation(TlxCustomDataRelation* relation) {
  controller_.DetachDetailControllers(relation);
  relations_.erase(std::remove(relations_.begin(), relations_.end(), relation), relations_.end());
  relation->SetRelationList(nullptr);
  DoChanged(relation);
}

void TlxCustomDataRelationList::Move(int32_t from, int32_t to) {
  if (from == to || RelationAt(from) == nullptr || RelationAt(to) == nullptr)
    return;
  TlxCustomDataRelation* relation = relations_[static_cast<size_t>(from)];
  relations_.erase(relations_.begin() + from);
  relations_.insert(relations_.begin() + to, relation);
  DoChanged(nullptr);
}

void TlxCustomDataRelationList::DoChanged(TlxCustomDataRelation* relation) {
  if (lock_count_ == 0 && !destroying_)
    Update(relation);
}

void TlxCustomDataRelationList::Update(TlxCustomDataRelation* relation) {
  TUpdateScope update(controller_);
  if (relations_.empty()) {
    if (detail_object_field_ != nullptr)
      controller_.Fields().Remove(detail_object_field_);
  } else if (detail_object_field_ != nullptr) {
    controller_.ResetDetails();
  } else {
    detail_object_field_ = controller_.CreateInternalField();
    detail_object_field_->ChangeValueTypeClass(lxValueTypeClass<TlxObjectValueType>());
  }
  controller_.DetailDataChanged(relation);
}

void TlxCustomDataRelationList::RemoveDataField(const TlxCustomDataField* field) {
  if (field == detail_object_field_)
    detail_object_field_ = nullptr;
  for (TlxCustomDataRelation* relation : relations_)
    relation->ForgetDataField(const_cast<TlxCustomDataField*>(field));
}

TlxDetailObject* TlxCustomDataRelationList::ReadDetailObject(int32_t record) const {
  if (detail_object_field_ == nullptr)
    return nullptr;
  const Variant value = controller_.DataStorage().ValueOf(record, *detail_object_field_->ValueDef());
  if (value.IsNull() || value.IsEmpty())
    return nullptr;
  return reinterpret_cast<TlxDetailObject*>(static_cast<intptr_t>(value.AsInt64()));
}

void TlxCustomDataRelationList::WriteDetailObject(int32_t record, TlxDetailObject* object) {
  controller_.DataStorage().StoreValue(record, *detail_object_field_->ValueDef(),
                                       Variant(static_cast<int64_t>(reinterpret_cast<intptr_t>(object))));
}

TlxDetailObject* TlxCustomDataRelationList::GetDetailObject(int32_t record) {
  controller_.CheckRecordRange(record);
  if (detail_object_field_ == nullptr)
    return nullptr;
  TlxDetailObject* object = ReadDetailObject(record);
  if (!IsEmpty()) {
    if (object == nullptr) {
      auto created = std::make_unique<TlxDetailObject>();
      created->ActiveRelationIndex = controller_.GetDefaultActiveRelationIndex();
      object = created.get();
      WriteDetailObject(record, created.release());
    }
    object->Correct(*this);
    return object;
  }
  if (object != nullptr) {
    // Writing 0 frees the object, and with it the link objects and clones.
    WriteDetailObject(record, nullptr);
  }
  return nullptr;
}

bool TlxCustomDataRelationList::IsDetailObjectExist(int32_t record, int32_t relation_index) const {
  controller_.CheckRecordRange(record);
  const TlxDetailObject* object = ReadDetailObject(record);
  if (object == nullptr)
    return false;
  if (relation_index == -1)
    return !object->IsEmpty();
  return object->LinkObjectAt(relation_index) != nullptr;
}

bool TlxCustomDataRelationList::ClearDetailObject(int32_t record, int32_t relation_index) {
  controller_.CheckRecordRange(record);
  TlxDetailObject* object = ReadDetailObject(record);
  if (object == nullptr)
    return false;
  std::vector<std::unique_ptr<TObject>> links = object->TakeLinkObjects(relation_index);
  links.clear();
  return true;
}

bool TlxCustomDataRelationList::IsEmpty() const {
  const TlxCustomDataController* template_controller = controller_.GetTemplateController();
  if (template_controller == nullptr || !template_controller->HasRelations())
    return true;
  const TlxCustomDataRelationList& list = template_controller->RelationList();
  for (TlxCustomDataRelation* relation : list.relations_)
    if (relation->DetailDataController() != nullptr)
      return false;
  return true;
}
