#include "grid/grid_data_controller_win.h"

#include <algorithm>

#include "data/data_relations.h"
#include "data/data_summary.h"
#include "data/db_data_controller.h"
#include "editors/default_editors.h"
#include "grid/grid_data_property.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/table_filtering.h"
#include "grid/table_items_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "ui/foundation/base/unit_routines.h"

namespace {

TlxCustomGridTableView* AsTableView(TlxCustomGridView* view) { return dynamic_cast<TlxCustomGridTableView*>(view); }

}  // namespace

// --- TlxGridDataController -----------------------------------------------------------------------

void TlxGridDataController::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridDataController>();
  p.Persistent("Filter", TlxDataFilterCriteria::kClass,
               [](const TlxGridDataController& self) -> TObject* { return &self.Filter(); });
  p.SetOf(
      "Options", [](const TlxGridDataController& self) { return static_cast<int64_t>(self.GetOptions()); },
      [](TlxGridDataController& self, int64_t value) {
        self.SetOptions(static_cast<TlxDataControllerOptions>(value));
      },
      {"dcoAnsiSort", "dcoCaseInsensitive", "dcoAssignGroupingValues", "dcoAssignMasterDetailKeys", "dcoSaveExpanding",
       "dcoSortByDisplayText", "dcoFocusTopRowAfterSorting", "dcoGroupsAlwaysExpanded", "dcoImmediatePost",
       "dcoInsertOnNewItemRowFocusing"},
      kLxDefaultDataControllerOptions);
  p.Persistent("Summary", TlxDataSummary::kClass,
               [](const TlxGridDataController& self) -> TObject* { return &self.Summary(); });
}

TlxGridDataController::TlxGridDataController(TComponent* owner) : TlxGridViewDataController(owner) {}

TlxGridDataController::~TlxGridDataController() = default;

// --- "Data" ---

void TlxGridDataController::DefineProperties(TFiler& filer) {
  TlxDataController::DefineProperties(filer);
  if (IsProviderMode())
    return;
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      HasDataToStore(filer.Ancestor()));
}

void TlxGridDataController::ReadData(TStream& stream) {
  // The buffer is read aside first, so a damaged property leaves any
  // buffer pending from before as it was.
  auto buffer = std::make_unique<TMemoryStream>();
  lxReadGridDataProperty(stream, *buffer);
  pending_data_ = std::move(buffer);
}

void TlxGridDataController::WriteData(TStream& stream) {
  TMemoryStream storage;
  SaveStorageToStream(storage);
  lxWriteGridDataProperty(stream, storage);
}

bool TlxGridDataController::HasDataToStore(const TPersistent* ancestor) {
  const auto* ancestor_controller = dynamic_cast<const TlxGridDataController*>(ancestor);
  if (ancestor_controller == nullptr)
    return GetRecordCount() > 0;
  TMemoryStream own;
  SaveStorageToStream(own);
  TMemoryStream inherited;
  const_cast<TlxGridDataController*>(ancestor_controller)->SaveStorageToStream(inherited);
  return !lxMemoryStreamsEqual(own, inherited);
}

void TlxGridDataController::LoadPendingData() {
  OwnerLoaded();
  if (pending_data_ == nullptr)
    return;
  // Freed also when loading raises; the error passes on.
  std::unique_ptr<TMemoryStream> buffer = std::move(pending_data_);
  lxLoadGridDataBuffer(*this, *buffer);
}

// --- services and extensions ---

void TlxGridDataController::AssignData(TlxCustomDataController* data_controller) {
  if (data_controller == nullptr)
    return;
  TMemoryStream storage;
  data_controller->SaveStorageToStream(storage);
  storage.SetPosition(0);
  LoadStorageFromStream(storage);
}

const TClass* TlxGridDataController::GetItemDataBindingClass() { return &TlxGridItemDataBinding::kClass; }

const TClass* TlxGridDataController::GetItemDefaultValuesProviderClass() {
  return &TlxGridDefaultValuesProvider::kClass;
}

bool TlxGridDataController::IsBOF() const {
  // The first-row test of the table controller: the focused row is the
  // first one (or there is none).
  return GetRowCount() == 0 || FocusedRowIndex() <= 0;
}

bool TlxGridDataController::IsEOF() const { return GetRowCount() == 0 || FocusedRowIndex() == GetRowCount() - 1; }

// --- answered by the view ---

TObject* TlxGridDataController::GetItem(int32_t index) const {
  TlxCustomGridTableView* view = AsTableView(GridView());
  if (view == nullptr || index < 0 || index >= view->ItemCount())
    return TlxDataController::GetItem(index);
  return view->Items(index);
}

// --- TlxGridDefaultValuesProvider ----------------------------------------------------------------

TlxGridDefaultValuesProvider::TlxGridDefaultValuesProvider(TlxGridItemDataBinding* binding)
    : TlxCustomEditDefaultValuesProvider(binding), binding_(binding) {}

bool TlxGridDefaultValuesProvider::IsDisplayFormatDefined(bool is_inplace) const {
  if (binding_ == nullptr || binding_->Item() == nullptr)
    return false;
  TlxCustomGridTableItem* item = binding_->Item();
  if (item->OnGetDataText)
    return true;
  const auto* db_controller = dynamic_cast<const TlxDBDataController*>(binding_->DataController());
  return db_controller != nullptr && item->Index() >= 0 && db_controller->UsesItemDisplayText(item->Index(), !is_inplace);
}

// --- TlxGridItemDataBinding ----------------------------------------------------------------------

namespace {

// The value list's view of the item a binding ties to the data controller.
class TBindingFilterValueListItem : public IlxGridFilterValueListItem {
 public:
  explicit TBindingFilterValueListItem(TlxGridItemDataBinding& binding) : binding_(binding) {}

  int32_t FilterValueItemIndex() const override { return Item().Index(); }
  TObject* FilterItemLink() const override { return &Item(); }
  bool IsDateTimeItem() const override { return Item().UsesDateFilterEntries() || IsDateTimeValueType(); }
  const TlxCustomGridTableDateTimeHandling& ViewDateTimeHandling() const override {
    return *Item().GridView()->DateTimeHandling();
  }
  bool IgnoresTimeForFiltering() const override { return Item().IsDateOnlyFiltering(); }
  bool HasInitFilteringDateRangesHandler() const override {
    return static_cast<bool>(Item().OnInitFilteringDateRanges) ||
           static_cast<bool>(Item().GridView()->OnInitFilteringDateRanges);
  }
  TlxGridDateRanges& RebuildFilteringDateRanges() override;
  TlxDataFilterCriteria& ViewFilter() override { return Item().GridView()->DataController()->Filter(); }
  void CustomizeFilter() override { Item().GridView()->Filtering()->CustomizeFilter(&Item()); }
  void DoUserFiltering(const Variant& value, const std::string& display_text) override {
    Item().DoUserFiltering(value, display_text);
  }
  void AddFilterCondition(TlxFilterCriteriaItemList* target, TlxFilterOperatorKind kind, const Variant& value,
                          const std::string& display_text, bool replace) override {
    binding_.AddFilterCondition(target, kind, value, display_text, replace);
  }
  std::string FilterValueDisplayText(const Variant& value) override {
    std::string text;
    if (TlxCustomEditProperties* properties = Item().GetProperties())
      properties->FormatDisplayText(value, text, true);
    else
      text = VarToStr(value);
    return text;
  }
  TlxGridFilterMRUValueItems* RecentValues() override { return binding_.FilterMRUValueItems(); }

 private:
  TlxCustomGridTableItem& Item() const { return *binding_.Item(); }
  bool IsDateTimeValueType() const {
    return binding_.GetValueTypeClass() == lxValueTypeClass<TlxDateTimeValueType>();
  }

  TlxGridItemDataBinding& binding_;
};

TlxGridDateRanges& TBindingFilterValueListItem::RebuildFilteringDateRanges() {
  Item().DoInitFilteringDateRanges();
  return *Item().FilteringDateRanges();
}

bool IsConditionOfItem(const TlxCustomFilterCriteriaItem* node, TObject* item) {
  const auto* condition = dynamic_cast<const TlxFilterCriteriaItem*>(node);
  return condition != nullptr && condition->ItemLink() == item;
}

}  // namespace

void TlxGridItemDataBinding::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridItemDataBinding>();
  p.String("ValueType", &TlxGridItemDataBinding::ValueType, &TlxGridItemDataBinding::SetValueType)
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxGridItemDataBinding&>(self).IsValueTypeStored();
  };
}

TlxGridItemDataBinding::TlxGridItemDataBinding(TlxCustomGridTableItem* item) : item_(item) {
  const TClass* provider_class = &TlxGridDefaultValuesProvider::kClass;
  auto* extensions = DataController() != nullptr ? dynamic_cast<IlxGridDataControllerExtensions*>(DataController())
                                                 : nullptr;
  if (extensions != nullptr && extensions->GetItemDefaultValuesProviderClass() != nullptr)
    provider_class = extensions->GetItemDefaultValuesProviderClass();
  default_values_provider_ = lxCreatePart<TlxCustomEditDefaultValuesProvider>(provider_class, this);
  filter_mru_value_items_ = lxCreatePart<TlxGridFilterMRUValueItems>(GetFilterMRUValueItemsClass(), this);
  if (TlxCustomGridTableView* view = item_ != nullptr ? item_->GridView() : nullptr)
    filter_mru_value_items_->SetMaxCount(view->Filtering()->ColumnMRUItemsListCount());
}

TlxGridItemDataBinding::~TlxGridItemDataBinding() = default;

void TlxGridItemDataBinding::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxGridItemDataBinding*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetData(other->Data());
  SetValueTypeClass(other->GetValueTypeClass());
}

TPersistent* TlxGridItemDataBinding::GetOwner() const { return item_; }

TlxCustomGridView* TlxGridItemDataBinding::GridView() const {
  return item_ != nullptr ? item_->GridView() : nullptr;
}

TlxCustomDataController* TlxGridItemDataBinding::DataController() const {
  TlxCustomGridView* view = GridView();
  return view != nullptr ? view->DataController() : nullptr;
}

void TlxGridItemDataBinding::SetData(TObject* value) {
  if (data_ == value)
    return;
  data_ = value;
  if (item_ != nullptr)
    item_->Changed(vckProperty);
}

TlxValueTypeClass TlxGridItemDataBinding::GetValueTypeClass() const {
  TlxCustomDataController* controller = DataController();
  if (controller == nullptr || item_ == nullptr || item_->Index() < 0 || item_->Index() >= controller->GetItemCount())
    return nullptr;
  return controller->GetItemValueTypeClass(item_->Index());
}

void TlxGridItemDataBinding::SetValueTypeClass(TlxValueTypeClass value) {
  TlxCustomDataController* controller = DataController();
  if (controller == nullptr || item_ == nullptr || item_->Index() < 0 || GetValueTypeClass() == value)
    return;
  controller->SetItemValueTypeClass(item_->Index(), value);
}

std::string TlxGridItemDataBinding::ValueType() const {
  TlxValueTypeClass value_type = GetValueTypeClass();
  return value_type != nullptr ? value_type->Caption() : std::string();
}

void TlxGridItemDataBinding::SetValueType(const std::string& caption) {
  if (caption == ValueType())
    return;
  SetValueTypeClass(lxGetValueTypeRegistry().FindByCaption(caption));
}

TlxValueTypeClass TlxGridItemDataBinding::GetDefaultValueTypeClass() const {
  return lxValueTypeClass<TlxStringValueType>();
}

const TClass* TlxGridItemDataBinding::GetFilterMRUValueItemsClass() const {
  return &TlxGridFilterMRUValueItems::kClass;
}

bool TlxGridItemDataBinding::IsValueTypeStored() const { return GetValueTypeClass() != GetDefaultValueTypeClass(); }

TlxEditRepositoryItem* TlxGridItemDataBinding::GetDefaultRepositoryItem() const {
  return lxGetEditDataRegisteredRepositoryItems().GetItemForValueType(GetValueTypeClass());
}

void TlxGridItemDataBinding::ApplyFilterEntry(TlxGridFilterValueList& value_list, int32_t index) {
  TlxCustomDataController* controller = DataController();
  if (controller == nullptr)
    return;
  TBindingFilterValueListItem list_item(*this);
  TlxGridFilterValueList::ApplyEntry(value_list, list_item, index, true, true, &controller->Filter().Root());
}

IlxEditDefaultValuesProvider* TlxGridItemDataBinding::GetDefaultValuesProviderInterface() {
  return default_values_provider_.get();
}

// --- filtering through the binding ---

bool TlxGridItemDataBinding::IsFiltered() const {
  TlxCustomDataController* controller = DataController();
  return controller != nullptr && controller->Filter().LocateItemByLink(item_) != nullptr;
}

void TlxGridItemDataBinding::SetFiltered(bool value) {
  if (value || DataController() == nullptr)
    return;
  DataController()->Filter().RemoveItemsByLink(item_);
}

void TlxGridItemDataBinding::AddFilterCondition(TlxFilterCriteriaItemList* list, TlxFilterOperatorKind operator_kind,
                                                const Variant& value, const std::string& display_text,
                                                bool replace_existing) {
  TlxCustomDataController* controller = DataController();
  if (controller == nullptr)
    return;
  std::string text = display_text;
  if (text.empty() && !VarIsNull(value) && !VarIsArray(value))
    text = VarToStr(value);
  item_->DoGetFilterDisplayText(value, text);
  TlxDataFilterCriteria& filter = controller->Filter();
  TlxFilterChangesScope changes(filter);
  if (replace_existing)
    filter.RemoveItemsByLink(item_);
  filter.AddItem(list != nullptr ? list : &filter.Root(), item_, operator_kind, value, text);
}

void TlxGridItemDataBinding::LoadFilterValueList(TlxGridFilterValueList& list, bool values_only, bool filtered_only) {
  TBindingFilterValueListItem list_item(*this);
  list.LoadForItem(list_item, true, filtered_only && item_->Options()->FilteringFilteredItemsList());
  item_->DoGetFilterValues(&list);
  if (values_only) {
    for (int32_t i = list.Count() - 1; i >= 0; --i)
      if (list.EntryAt(i).Kind != fvkValue)
        list.Delete(i);
    return;
  }
  if (item_->CanFilterMRUValueItems())
    filter_mru_value_items_->AddToValueList(list);
}

void TlxGridItemDataBinding::GetFilterValues(TStrings& strings, TlxGridFilterValueList& value_list) {
  LoadFilterValueList(value_list, true, true);
  strings.BeginUpdate();
  TScopeExit end_update([&strings] { strings.EndUpdate(); });
  strings.Clear();
  for (int32_t i = 0; i < value_list.Count(); ++i) {
    std::string text = value_list.EntryAt(i).DisplayText;
    item_->DoGetFilterDisplayText(value_list.EntryAt(i).Value, text);
    strings.AddObject(text, reinterpret_cast<TObject*>(static_cast<intptr_t>(i)));
  }
}

std::vector<int32_t> TlxGridItemDataBinding::GetFilterActiveValueIndexes(TlxGridFilterValueList& value_list) {
  std::vector<int32_t> indexes;
  TlxCustomDataController* controller = DataController();
  if (controller == nullptr)
    return indexes;
  auto add_entry_of = [&](const TlxFilterCriteriaItem* condition) {
    const int32_t index = value_list.FindItemForCriteriaItem(condition);
    if (index >= 0 && value_list.EntryAt(index).Kind != fvkCustom &&
        std::find(indexes.begin(), indexes.end(), index) == indexes.end())
      indexes.push_back(index);
  };
  const auto* condition = dynamic_cast<const TlxFilterCriteriaItem*>(controller->Filter().LocateItemByLink(item_));
  if (condition == nullptr)
    return indexes;
  const TlxFilterCriteriaItemList* parent = condition->Parent();
  if (parent == nullptr)
    return indexes;
  if (parent->BoolOperatorKind() == fbkAnd) {
    add_entry_of(condition);
  } else if (parent->BoolOperatorKind() == fbkOr) {
    for (int32_t i = 0; i < parent->ItemCount(); ++i)
      if (IsConditionOfItem(parent->ItemAt(i), item_))
        add_entry_of(static_cast<const TlxFilterCriteriaItem*>(parent->ItemAt(i)));
  }
  return indexes;
}

void TlxGridItemDataBinding::ApplyFilterActiveValueIndexes(TlxGridFilterValueList& value_list,
                                                           const std::vector<int32_t>& indexes) {
  TlxCustomDataController* controller = DataController();
  if (controller == nullptr)
    return;
  TlxDataFilterCriteria& filter = controller->Filter();
  TlxFilterChangesScope changes(filter);
  filter.RemoveItemsByLink(item_);
  if (indexes.empty())
    return;
  TlxFilterCriteriaItemList* root = &filter.Root();
  TlxFilterCriteriaItemList* target = root;
  const bool root_takes_them =
      root->BoolOperatorKind() == fbkOr || (root->BoolOperatorKind() == fbkAnd && indexes.size() == 1);
  if (!root_takes_them)
    target = root->AddSubList(fbkOr);
  TBindingFilterValueListItem list_item(*this);
  for (int32_t index : indexes)
    TlxGridFilterValueList::ApplyEntry(value_list, list_item, index, false, false, target);
}
