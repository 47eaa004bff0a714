#include "data/data_filter_criteria.h"

#include <algorithm>
#include <set>

#include "data/data_controller.h"
#include "data/filter_texts.h"
#include "data/variant_utils.h"
#include "platform/rtl/text.h"

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

const TClass* TlxDataFilterCriteria::ValueListClass() const { return &TlxDataFilterValueList::kClass; }

void TlxDataFilterCriteria::AssignEvents(const TlxFilterCriteria& source) {
  TlxFilterCriteria::AssignEvents(source);
  if (const auto* data_source = dynamic_cast<const TlxDataFilterCriteria*>(&source))
    OnGetValueList = data_source->OnGetValueList;
}

std::unique_ptr<TlxDataFilterValueList> TlxDataFilterCriteria::CreateValueList() {
  return lxCreatePart<TlxDataFilterValueList>(ValueListClass(), this);
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

void TlxDataFilterValueList::Fill(int32_t item_index, bool take_text_sorting, bool filtered_records_only) {
  auto& criteria = static_cast<TlxDataFilterCriteria&>(*Criteria());
  TlxCustomDataController& controller = criteria.DataController();
  TlxCustomDataField& field = *controller.ItemField(item_index);
  Clear();
  if (take_text_sorting)
    SetSortByDisplayText(controller.IsItemComparedAsText(item_index));
  Add(fvkAll, Variant::Null(), lxGetFilterResString(lxSFilterBoxAllCaption), false);
  Add(fvkCustom, Variant::Null(), lxGetFilterResString(lxSFilterBoxCustomCaption), false);
  bool blanks = false;
  if (controller.IsGridMode()) {
    blanks = true;
  } else {
    const bool by_text = SortByDisplayText();
    const bool ignore_case = criteria.HasOption(fcoCaseInsensitive);
    struct TEntry {
      Variant Value;
      Variant Normalized;
      std::string Text;
      std::string Key;
    };
    // The order of the list's own comparison.
    auto less = [by_text](const TEntry& a, const TEntry& b) {
      if (by_text) {
        const int c = AnsiCompareStr(a.Key, b.Key);
        if (c != 0)
          return c < 0;
      }
      return lxVariantCompare(a.Normalized, b.Normalized) < 0;
    };
    std::set<TEntry, decltype(less)> values(less);
    const int32_t limit = MaxCount();
    if (filtered_records_only && controller.GetFilteredRecordCount() == 0)
      filtered_records_only = false;
    const int32_t count = filtered_records_only ? controller.GetFilteredRecordCount() : controller.GetRecordCount();
    for (int32_t i = 0; i < count; ++i) {
      const int32_t record = filtered_records_only ? controller.GetFilteredRecordIndex(i) : i;
      const Variant value = controller.GetFilterValue(record, field);
      if (criteria.IsNullValue(value)) {
        blanks = true;
        continue;
      }
      // A full list takes no more values, as adding one by one would.
      if (limit != 0 && static_cast<int32_t>(values.size()) >= limit)
        continue;
      TEntry entry{value, criteria.NormalizeValue(value), controller.GetFilterDisplayText(record, item_index), {}};
      if (by_text)
        entry.Key = ignore_case ? AnsiUpperCase(entry.Text) : entry.Text;
      values.insert(std::move(entry));
    }
    for (const TEntry& entry : values)
      Add(fvkValue, entry.Value, entry.Text, true);
  }
  if (blanks)
    Add(fvkBlanks, Variant::Null(), lxGetFilterResString(lxSFilterBoxBlanksCaption), false);
  bool non_blanks = blanks;
  if (!non_blanks && filtered_records_only) {
    const TlxFilterCriteriaItem* condition = criteria.ItemForLink(&field);
    non_blanks = condition && condition->OperatorKind() == fokNotNull;
  }
  if (non_blanks)
    Add(fvkNonBlanks, Variant::Null(), lxGetFilterResString(lxSFilterBoxNonBlanksCaption), false);
  if (criteria.OnGetValueList)
    criteria.OnGetValueList(&criteria, item_index, this);
}
