#include "editors/kinds/db_repository_items.h"

#include <algorithm>
#include <memory>

#include "data/value_types.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "platform/db/field.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/property.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr int32_t kDefaultVersion = -1;

// The field types whose items the module registers, one item each.
struct TFieldTypeItem {
  TFieldType FieldType;
  const TClass* ItemClass;
};
const TFieldTypeItem kFieldTypeItems[] = {
    {ftBoolean, &TlxEditRepositoryCheckBoxItem::kClass},
    {ftDate, &TlxEditRepositoryDateItem::kClass},
    {ftDateTime, &TlxEditRepositoryDateItem::kClass},
    {ftTimeStamp, &TlxEditRepositoryDateItem::kClass},
};

TlxEditRepositoryItem* NewDefaultItem(const TClass& item_class) {
  return lxGetDefaultEditRepository().CreateItemOfClass(item_class);
}

void RegisterItemClasses() {
  RegisterStreamableClasses({&TlxEditRepositoryCheckBoxItem::kClass, &TlxEditRepositoryCurrencyItem::kClass,
                             &TlxEditRepositoryDateItem::kClass});
}

std::unique_ptr<TlxEditDBRegisteredRepositoryItems>& DBInstance() {
  static std::unique_ptr<TlxEditDBRegisteredRepositoryItems> instance;
  return instance;
}

}  // namespace

TlxEditDBRegisteredRepositoryItems::~TlxEditDBRegisteredRepositoryItems() {
  SetBeingDestroyed();
  ClearEntries();
  RemoveAll(lookup_entries_);
  RemoveAll(currency_entries_);
}

TlxEditRepositoryItem* TlxEditDBRegisteredRepositoryItems::FindItemForField(const TField* field) const {
  if (field == nullptr)
    return FirstDefaultItem();
  if (field->FieldKind() == fkLookup)
    return lookup_entries_.empty() ? FirstDefaultItem() : lookup_entries_.front().Item;
  if (dynamic_cast<const TNumericField*>(field) != nullptr && lxFieldShowsCurrency(*field))
    return currency_entries_.empty() ? FirstDefaultItem() : currency_entries_.front().Item;
  return FindItemByFieldType(field->DataType());
}

void TlxEditDBRegisteredRepositoryItems::RegisterLookupItem(int32_t version, TlxEditRepositoryItem* item) {
  if (item != nullptr)
    InsertEntry(lookup_entries_, 0, item, version);
}

void TlxEditDBRegisteredRepositoryItems::UnregisterLookupItem(int32_t version) {
  int32_t index = 0;
  if (lxFindRegisteredEntry(lookup_entries_, 0, version, false, index))
    DeleteEntry(lookup_entries_, static_cast<size_t>(index));
}

void TlxEditDBRegisteredRepositoryItems::RegisterCurrencyItem(int32_t version, TlxEditRepositoryItem* item) {
  if (item != nullptr)
    InsertEntry(currency_entries_, 0, item, version);
}

void TlxEditDBRegisteredRepositoryItems::RemoveRepositoryItem(TlxEditRepositoryItem* item) {
  TlxEditRegisteredRepositoryItems::RemoveRepositoryItem(item);
  for (std::vector<TlxRegisteredItemEntry>* entries : {&lookup_entries_, &currency_entries_}) {
    for (size_t i = entries->size(); i-- > 0;) {
      if ((*entries)[i].Item == item)
        DeleteEntry(*entries, i);
    }
  }
}

bool TlxEditDBRegisteredRepositoryItems::RefersToItem(const TlxEditRepositoryItem* item) const {
  const auto refers = [item](const TlxRegisteredItemEntry& entry) { return entry.Item == item; };
  return TlxEditRegisteredRepositoryItems::RefersToItem(item) ||
         std::any_of(lookup_entries_.begin(), lookup_entries_.end(), refers) ||
         std::any_of(currency_entries_.begin(), currency_entries_.end(), refers);
}

bool lxFieldShowsCurrency(const TField& field) {
  const TPropInfo* property = field.ClassType()->Properties().Find("currency");
  return property != nullptr && property->Kind == TTypeKind::tkBoolean && property->GetOrd &&
         property->GetOrd(field) != 0;
}

TlxEditDBRegisteredRepositoryItems& lxGetEditDBRegisteredRepositoryItems() {
  std::unique_ptr<TlxEditDBRegisteredRepositoryItems>& instance = DBInstance();
  if (instance == nullptr)
    instance = std::make_unique<TlxEditDBRegisteredRepositoryItems>();
  return *instance;
}

// --- modules --------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& DBItemsModule() {
  static TlxModuleStartCount count;
  return count;
}

TlxModuleStartCount& DataKindItemsModule() {
  static TlxModuleStartCount count;
  return count;
}

// The value types of the kinds built here and their item classes.
struct TValueTypeItem {
  TlxValueTypeClass ValueType;
  const TClass* ItemClass;
};
std::vector<TValueTypeItem> ValueTypeItems() {
  return {{lxValueTypeClass<TlxBooleanValueType>(), &TlxEditRepositoryCheckBoxItem::kClass},
          {lxValueTypeClass<TlxCurrencyValueType>(), &TlxEditRepositoryCurrencyItem::kClass},
          {lxValueTypeClass<TlxDateTimeValueType>(), &TlxEditRepositoryDateItem::kClass},
          {lxValueTypeClass<TlxFMTBcdValueType>(), &TlxEditRepositoryCurrencyItem::kClass},
          {lxValueTypeClass<TlxSQLTimeStampValueType>(), &TlxEditRepositoryDateItem::kClass}};
}

}  // namespace

void lxEditDBRegisteredRepositoryItemsModuleStart() {
  DBItemsModule().Start([] {
    RegisterItemClasses();
    TlxEditDBRegisteredRepositoryItems& registry = lxGetEditDBRegisteredRepositoryItems();
    registry.RegisterDefaultItem(kDefaultVersion, NewDefaultItem(TlxEditRepositoryMaskItem::kClass));
    registry.RegisterCurrencyItem(kDefaultVersion, NewDefaultItem(TlxEditRepositoryCurrencyItem::kClass));
    for (const TFieldTypeItem& entry : kFieldTypeItems)
      registry.RegisterFieldTypeItem(entry.FieldType, kDefaultVersion, NewDefaultItem(*entry.ItemClass));
  });
}

void lxEditDBRegisteredRepositoryItemsModuleEnd() {
  DBItemsModule().End([] {
    std::unique_ptr<TlxEditDBRegisteredRepositoryItems>& instance = DBInstance();
    if (instance == nullptr)
      return;
    instance->UnregisterDefaultItem(kDefaultVersion);
    for (const TFieldTypeItem& entry : kFieldTypeItems)
      instance->UnregisterFieldTypeItem(entry.FieldType, kDefaultVersion);
    instance.reset();
  });
}

void lxEditDataRegisteredKindItemsModuleStart() {
  DataKindItemsModule().Start([] {
    RegisterItemClasses();
    TlxEditDataRegisteredRepositoryItems& registry = lxGetEditDataRegisteredRepositoryItems();
    for (const TValueTypeItem& entry : ValueTypeItems())
      registry.RegisterItemForValueType(entry.ValueType, kDefaultVersion, NewDefaultItem(*entry.ItemClass));
  });
}

void lxEditDataRegisteredKindItemsModuleEnd() {
  DataKindItemsModule().End([] {
    TlxEditDataRegisteredRepositoryItems& registry = lxGetEditDataRegisteredRepositoryItems();
    for (const TValueTypeItem& entry : ValueTypeItems())
      registry.UnregisterItemForValueType(entry.ValueType, kDefaultVersion);
  });
}
