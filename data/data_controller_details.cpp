// The controller's side of master-detail: attaching to a master, the detail
// modes, link objects and their clones, expansion and the active relation,
// the has-children cache, resets, and the clones' master record indexes.

#include <vector>

#include "data/data_controller.h"
#include "data/data_relations.h"
#include "platform/rtl/scope.h"

const TClass* TlxCustomDataController::GetRelationClass() const { return &TlxCustomDataRelation::kClass; }

TlxCustomDataRelationList& TlxCustomDataController::RelationList() const {
  if (!relations_)
    relations_ = std::make_unique<TlxCustomDataRelationList>(const_cast<TlxCustomDataController&>(*this));
  return *relations_;
}

bool TlxCustomDataController::HasRelations() const { return relations_ && relations_->Count() > 0; }

int32_t TlxCustomDataController::GetDetailMode() const {
  if (master_relation_ != nullptr)
    return master_record_index_ == -1 ? 1 : 2;
  return template_mark_ ? 1 : 0;
}

// --- Attaching -------------------------------------------------------------------

void TlxCustomDataController::SetMasterRelation(TlxCustomDataRelation* relation, int32_t master_record) {
  const bool as_template = master_record == -1;
  if (relation == nullptr && master_relation_ == nullptr && as_template && master_record_index_ == -1)
    return;
  TUpdateScope update(*this);
  if (TlxCustomDataRelation* previous = master_relation_) {
    if (previous->DetailDataController() == this && as_template) {
      previous->SetDetailDataController(nullptr);
    } else if (previous->DetailDataController() != this) {
      Provider().SetCustomDataSource(nullptr);
    }
    if (previous->RelationList() != nullptr) {
      TlxCustomDataController& master = previous->OwnerController();
      if (master.creating_detail_controller_ == this)
        master.creating_detail_controller_ = nullptr;
    }
    if (relations_)
      relations_->DoChanged(nullptr);
  }
  master_relation_ = relation;
  if (relation != nullptr && as_template) {
    relation->SetDetailDataController(this);
    relation->Changed();
  }
  if (relation != nullptr && !as_template) {
    if (TlxCustomDataController* template_controller = relation->DetailDataController())
      if (TlxExternalDataSource* source = template_controller->Provider().CustomDataSource())
        Provider().SetCustomDataSource(source);
    if (relation->RelationList() != nullptr)
      relation->OwnerController().creating_detail_controller_ = this;
  }
  master_record_index_ = master_record;
  StructureChanged();
}

void TlxCustomDataController::AttachToMasterRelation(TlxCustomDataRelation* relation, bool as_template) {
  BeginUpdateWithOwner();
  TScopeExit end([this] { EndUpdateWithOwner(); });
  SetMasterRelation(relation, -1);
  SetTemplateMark(as_template);
}

void TlxCustomDataController::SetTemplateMark(bool value) {
  const bool was_template = IsTemplateController();
  template_mark_ = value;
  if (was_template != IsTemplateController() && !IsOwnerDestroying())
    RebuildStructure();
}

TlxCustomDataController* TlxCustomDataController::GetMasterDataController() const {
  if (master_relation_ == nullptr || master_relation_->RelationList() == nullptr)
    return nullptr;
  return &master_relation_->OwnerController();
}

const TlxCustomDataController* TlxCustomDataController::GetRootMasterController() const {
  const TlxCustomDataController* controller = this;
  while (const TlxCustomDataController* master = controller->GetMasterDataController())
    controller = master;
  return controller;
}

TlxCustomDataController* TlxCustomDataController::GetRootMasterController() {
  return const_cast<TlxCustomDataController*>(std::as_const(*this).GetRootMasterController());
}

namespace {

// Depth first through the template controllers below `controller`: the
// template of the relation for `item`.
const TlxCustomDataController* FindTemplateFor(const TlxCustomDataController& controller, const TObject* item) {
  if (!controller.HasRelations())
    return nullptr;
  const TlxCustomDataRelationList& list = controller.RelationList();
  if (const TlxCustomDataRelation* relation = list.FindByItem(item))
    return relation->DetailDataController();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (const TlxCustomDataController* detail = list.RelationAt(i)->DetailDataController())
      if (const TlxCustomDataController* found = FindTemplateFor(*detail, item))
        return found;
  return nullptr;
}

}  // namespace

const TlxCustomDataController* TlxCustomDataController::GetTemplateController() const {
  if (master_relation_ == nullptr)
    return this;
  return FindTemplateFor(*GetRootMasterController(), master_relation_->Item());
}

// --- Link objects ----------------------------------------------------------------

TObject* TlxCustomDataController::GetDetailLinkObject(int32_t record, int32_t relation_index) {
  TlxDetailObject* object = RelationList().GetDetailObject(record);
  if (object == nullptr)
    return nullptr;
  TObject* link = object->LinkObjectAt(relation_index);
  if (link != nullptr || creating_link_object_)
    return link;
  auto* template_controller = const_cast<TlxCustomDataController*>(GetTemplateController());
  std::unique_ptr<TObject> created;
  {
    TStateScope creating(creating_link_object_, true);
    bool no_template = false;
    TStateScope template_creating(
        template_controller != nullptr ? template_controller->creating_link_object_ : no_template, true);
    TScopeExit clear([this] { creating_detail_controller_ = nullptr; });
    created = CreateDetailLinkObject(RelationList().RelationAt(relation_index), record);
  }
  // The handler may have changed the records: a link made for a record that
  // is gone, or for a detail object replaced meanwhile, is dropped.
  const bool still_valid = record >= 0 && record < GetRecordCount() && RelationList().ReadDetailObject(record) == object;
  if (created && still_valid) {
    link = created.get();
    object->PutLinkObject(relation_index, std::move(created));
    return link;
  }
  created.reset();
  if (recreating_link_object_)
    return nullptr;
  TStateScope recreating(recreating_link_object_, true);
  return GetDetailLinkObject(record, relation_index);
}

bool TlxCustomDataController::IsDetailLinkObjectCreated(int32_t record, int32_t relation_index) const {
  return HasRelations() && RelationList().IsDetailObjectExist(record, relation_index);
}

TlxCustomDataController* TlxCustomDataController::GetDetailDataController(int32_t record, int32_t relation_index) {
  TObject* link = GetDetailLinkObject(record, relation_index);
  return link ? GetDetailLinkDataController(link) : nullptr;
}

void TlxCustomDataController::ForEachDetailController(
    TlxCustomDataRelation* relation, const std::function<void(TlxCustomDataController& detail)>& procedure) {
  if (relation == nullptr || relation->RelationList() == nullptr)
    return;
  // The relation positions from the root master down to the relation.
  std::vector<int32_t> path;
  const TlxCustomDataRelation* step = relation;
  while (step != nullptr && step->RelationList() != nullptr) {
    path.insert(path.begin(), step->IndexInList());
    step = step->OwnerController().GetMasterRelation();
  }
  std::vector<TlxCustomDataController*> level{GetRootMasterController()};
  for (const int32_t position : path) {
    std::vector<TlxCustomDataController*> next;
    for (TlxCustomDataController* controller : level) {
      if (!controller->HasRelations())
        continue;
      TlxCustomDataRelationList& list = controller->RelationList();
      for (int32_t record = 0; record < controller->GetRecordCount(); ++record) {
        const TlxDetailObject* object = list.ReadDetailObject(record);
        TObject* link = object ? object->LinkObjectAt(position) : nullptr;
        if (TlxCustomDataController* detail = link ? controller->GetDetailLinkDataController(link) : nullptr)
          next.push_back(detail);
      }
      if (controller->creating_detail_controller_ != nullptr)
        next.push_back(controller->creating_detail_controller_);
    }
    level = std::move(next);
  }
  for (TlxCustomDataController* detail : level)
    procedure(*detail);
}

void TlxCustomDataController::DetachDetailControllers(TlxCustomDataRelation* relation) {
  ForEachDetailController(relation, [](TlxCustomDataController& detail) { detail.SetMasterRelation(nullptr, -1); });
}

// --- Expanding and the active relation ---------------------------------------------

bool TlxCustomDataController::GetDetailExpanded(int32_t record) const {
  if (!HasRelations() || record < 0 || record >= GetRecordCount())
    return false;
  const TlxDetailObject* object = RelationList().ReadDetailObject(record);
  return object != nullptr && object->Expanded;
}

int32_t TlxCustomDataController::GetDetailActiveRelationIndex(int32_t record) {
  if (RelationList().IsEmpty())
    return -1;
  const TlxDetailObject* object = RelationList().GetDetailObject(record);
  return object ? object->ActiveRelationIndex : -1;
}

bool TlxCustomDataController::ChangeDetailExpanding(int32_t record, bool expand) {
  if (GetDetailExpanded(record) == expand)
    return true;
  TStateScope expanding(detail_expanding_, true);
  FinishEditing();
  if (record < 0 || record >= GetRecordCount())
    return false;
  TlxDetailObject* object = RelationList().GetDetailObject(record);
  if (object == nullptr || !CanChangeDetailExpanding(record, expand))
    return false;
  object->Expanded = expand;
  const TlxCustomDataController* master = GetMasterDataController();
  if (master == nullptr || master->GetLockCount() == 0)
    Change(dccDetailLayout);
  if (expand)
    DoDetailExpanded(record);
  else
    DoDetailCollapsed(record);
  return true;
}

bool TlxCustomDataController::CanChangeDetailExpanding(int32_t record, bool expand) {
  bool allow = true;
  const TlxDataDetailExpandingEvent& handler = expand ? OnDetailExpanding : OnDetailCollapsing;
  if (handler)
    handler(this, record, allow);
  return allow;
}

void TlxCustomDataController::DoDetailExpanded(int32_t record) {
  if (OnDetailExpanded)
    OnDetailExpanded(this, record);
}

void TlxCustomDataController::DoDetailCollapsed(int32_t record) {
  if (OnDetailCollapsed)
    OnDetailCollapsed(this, record);
}

void TlxCustomDataController::ChangeDetailActiveRelation(int32_t record, int32_t relation_index) {
  if (GetDetailActiveRelationIndex(record) == relation_index)
    return;
  FinishEditing();
  if (TlxDetailObject* object = RelationList().GetDetailObject(record)) {
    object->ActiveRelationIndex = relation_index;
    Change(dccDetailLayout);
  }
}

bool TlxCustomDataController::DetailHasChildren(int32_t record, int32_t relation_index) {
  if (IsDetailLinkObjectCreated(record, relation_index)) {
    TlxCustomDataController* detail = GetDetailDataController(record, relation_index);
    return detail != nullptr && detail->GetRecordCount() > 0;
  }
  if (!IsProviderMode() && !Provider().IsActive())
    return false;
  TlxDetailObject* object = RelationList().GetDetailObject(record);
  if (object == nullptr)
    return true;
  TlxDetailInfoObject& info = object->InfoObjectFor(relation_index);
  if (!info.HasChildrenKnown) {
    info.HasChildren = Provider().GetDetailHasChildren(record, relation_index);
    info.HasChildrenKnown = true;
  }
  return info.HasChildren;
}

void TlxCustomDataController::ClearDetailsHasChildren() {
  if (!HasRelations())
    return;
  bool any = false;
  for (int32_t record = 0; record < GetRecordCount(); ++record)
    if (TlxDetailObject* object = RelationList().ReadDetailObject(record))
      any = object->ResetHasChildrenFlags() || any;
  if (any)
    Change(dccItemsChanged);
}

// --- Resets ------------------------------------------------------------------------

void TlxCustomDataController::ResetDetailObject(int32_t record, int32_t relation_index) {
  if (!HasRelations())
    return;
  if (RelationList().IsDetailObjectExist(record, relation_index) &&
      RelationList().ClearDetailObject(record, relation_index))
    Change(dccDetailLayout);
}

void TlxCustomDataController::ResetDetails() {
  TUpdateScope update(*this);
  for (int32_t record = 0; record < GetRecordCount(); ++record)
    ResetDetailObject(record, -1);
}

void TlxCustomDataController::ResetAllDetails() {
  FinishEditing();
  TUpdateScope update(*this);
  for (int32_t record = 0; record < GetRecordCount(); ++record) {
    ResetDetailObject(record, -1);
    if (TlxDetailObject* object = HasRelations() ? RelationList().ReadDetailObject(record) : nullptr) {
      object->Expanded = false;
      Change(dccDetailLayout);
    }
  }
}

void TlxCustomDataController::ResetDetailsOfRelation(TObject* item) {
  std::vector<TlxCustomDataController*> pending{this};
  while (!pending.empty()) {
    TlxCustomDataController* controller = pending.front();
    pending.erase(pending.begin());
    if (controller->HasRelations() && controller->RelationList().FindByItem(item) != nullptr) {
      controller->ResetDetails();
      return;
    }
    if (!controller->HasRelations())
      continue;
    TlxCustomDataRelationList& list = controller->RelationList();
    for (int32_t record = 0; record < controller->GetRecordCount(); ++record)
      if (const TlxDetailObject* object = list.ReadDetailObject(record))
        for (int32_t r = 0; r < object->InfoObjectCount(); ++r)
          if (TObject* link = object->LinkObjectAt(r))
            if (TlxCustomDataController* detail = controller->GetDetailLinkDataController(link))
              pending.push_back(detail);
  }
}

void TlxCustomDataController::DetailDataChanged(TlxCustomDataRelation*) {
  if (Destroying())
    return;
  if (IsTemplateController()) {
    if (master_relation_ != nullptr)
      GetRootMasterController()->ResetDetailsOfRelation(master_relation_->Item());
    return;
  }
  Change(dccDataChanged);
}

// --- Record index upkeep and edits along the chain -------------------------------------

namespace {

// Every existing clone of the records from `first` on.
void ForEachClone(TlxCustomDataController& controller, int32_t first,
                  const std::function<void(TlxCustomDataController& clone)>& procedure) {
  if (!controller.HasRelations())
    return;
  TlxCustomDataRelationList& list = controller.RelationList();
  for (int32_t record = std::max(first, 0); record < controller.GetRecordCount(); ++record)
    if (const TlxDetailObject* object = list.ReadDetailObject(record))
      for (int32_t r = 0; r < object->InfoObjectCount(); ++r)
        if (TObject* link = object->LinkObjectAt(r))
          if (TlxCustomDataController* clone = controller.GetDetailLinkDataController(link))
            procedure(*clone);
}

}  // namespace

void TlxCustomDataController::RecordInserted(int32_t record_index) { ShiftDetailMasterIndexes(record_index + 1, 1); }

void TlxCustomDataController::ShiftDetailMasterIndexes(int32_t first, int32_t delta) {
  ForEachClone(*this, first, [delta](TlxCustomDataController& clone) {
    clone.SetMasterRecordIndex(clone.GetMasterRecordIndex() + delta);
  });
}

void TlxCustomDataController::FreeDetailObjects() {
  if (!relations_ || relations_->DetailObjectField() == nullptr)
    return;
  for (int32_t record = 0; record < GetRecordCount(); ++record)
    if (relations_->ReadDetailObject(record) != nullptr)
      DataStorage().StoreValue(record, *relations_->DetailObjectField()->ValueDef(), Variant(int64_t{0}));
}

void TlxCustomDataController::DetachFromMasterRelation() {
  // Only a template registers with its relation; a clone's relation may
  // already be gone with its master.
  if (master_relation_ != nullptr && master_record_index_ == -1 &&
      master_relation_->DetailDataController() == this)
    master_relation_->SetDetailDataController(nullptr);
  master_relation_ = nullptr;
}

void TlxCustomDataController::FinishDetailsEditing() {
  ForEachClone(*this, 0, [](TlxCustomDataController& clone) { clone.FinishEditing(); });
}
