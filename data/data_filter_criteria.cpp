#include "data/data_filter_criteria.h"

#include <algorithm>

#include "data/data_controller.h"

TlxCustomDataController& TlxDataFilterCriteriaItem::Controller() const {
  return static_cast<TlxDataFilterCriteria*>(OwningCriteria())->DataController();
}

int32_t TlxDataFilterCriteriaItem::ItemIndex() const {
  return field_ ? Controller().ItemIndexOfField(field_) : -1;
}

Variant TlxDataFilterCriteriaItem::GetRecordValue(int32_t record_index) {
  if (!field_)
    return Variant::Null();
  return Controller().GetFilterValue(record_index, *field_);
}

std::string TlxDataFilterCriteriaItem::GetFieldCaption() const {
  const int32_t item = ItemIndex();
  return item >= 0 ? Controller().GetItemDisplayName(item) : std::string();
}

std::string TlxDataFilterCriteriaItem::GetFieldName() const {
  const int32_t item = ItemIndex();
  return item >= 0 ? Controller().GetItemFilterFieldName(item) : std::string();
}

TObject* TlxDataFilterCriteriaItem::FetchItemLink() const { return field_ ? field_->Item() : nullptr; }

void TlxDataFilterCriteriaItem::StoreItemLink(TObject* link) {
  if (auto* field = dynamic_cast<TlxCustomDataField*>(link)) {
    field_ = field;
    return;
  }
  field_ = link ? Controller().Fields().FieldByItem(link) : nullptr;
}

TlxDataFilterCriteria::TlxDataFilterCriteria(TlxCustomDataController* controller) : controller_(*controller) {
  SetVersion(lxFilterCurrentVersion);
}

TlxDataFilterCriteria::~TlxDataFilterCriteria() {
  destroying_ = true;
  controller_.FilterList().Forget(this);
  active_ = false;
}

void TlxDataFilterCriteria::AssignFrom(const TPersistent* source, bool version2_only) {
  const auto* data_source = dynamic_cast<const TlxDataFilterCriteria*>(source);
  if (!data_source) {
    TlxFilterCriteria::AssignFrom(source, version2_only);
    return;
  }
  TlxFilterChangesScope changes(*this);
  TlxFilterCriteria::AssignFrom(source, version2_only);
  SetActive(data_source->Active());
}

int32_t TlxDataFilterCriteria::GetItemLinkId(TObject* link) const { return controller_.GetItemID(link); }

std::string TlxDataFilterCriteria::GetItemLinkName(TObject* link) const { return controller_.GetItemName(link); }

TObject* TlxDataFilterCriteria::FindItemLinkById(int32_t id) const { return controller_.FindItemByID(id); }

TObject* TlxDataFilterCriteria::FindItemLinkByName(const std::string& name) const {
  return controller_.FindItemByName(name);
}

void TlxDataFilterCriteria::DoChanged() {
  if (IsAdditional() || IsDestroying() || IsOwnerLoading())
    return;
  if (!controller_.Provider().IsActive())
    controller_.Post(false);
  controller_.FilterChanged();
  TlxFilterCriteria::DoChanged();
}

void TlxDataFilterCriteria::SetActive(bool value) {
  if (active_ == value)
    return;
  active_ = value;
  MarkChanged();
}

bool TlxDataFilterCriteria::FiltersRecordsItself() const {
  return active_ && !HasNoItems() && !controller_.IsGridMode();
}

TlxFilterCriteriaItem* TlxDataFilterCriteria::ItemForLink(TObject* item_or_field) const {
  TObject* item = item_or_field;
  if (auto* field = dynamic_cast<TlxCustomDataField*>(item_or_field))
    item = field->Item();
  return LocateItemByLink(item);
}

void TlxDataFilterCriteria::RemoveItemsByField(TlxCustomDataField* field) {
  if (field && field->Item())
    RemoveItemsByLink(field->Item());
}

bool TlxDataFilterCriteria::IsDestroying() const { return destroying_ || controller_.IsOwnerDestroying(); }

bool TlxDataFilterCriteria::IsAdditional() const { return controller_.FilterList().Contains(this); }

bool TlxDataFilterCriteria::IsOwnerLoading() const { return controller_.IsOwnerLoading(); }

TlxDataFilterCriteria* TlxDataFilterList::Add(std::unique_ptr<TlxDataFilterCriteria> criteria) {
  items_.push_back(std::move(criteria));
  return items_.back().get();
}

void TlxDataFilterList::Forget(const TlxDataFilterCriteria* criteria) {
  for (auto& item : items_)
    if (item.get() == criteria)
      (void)item.release();
  std::erase_if(items_, [](const auto& item) { return item == nullptr; });
}

bool TlxDataFilterList::Contains(const TlxDataFilterCriteria* criteria) const {
  return std::any_of(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == criteria; });
}

void TlxDataFilterList::Clear() {
  while (!items_.empty()) {
    std::unique_ptr<TlxDataFilterCriteria> last = std::move(items_.back());
    items_.pop_back();
  }
}

void TlxDataFilterList::RemoveItemsByField(TlxCustomDataField* field) {
  for (const auto& item : items_)
    item->RemoveItemsByField(field);
}
