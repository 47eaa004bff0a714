#pragma once
// Which editor a dataset field gets when its column names none: a registry
// keyed by the field's TFieldType, with its own lists for lookup fields
// and for numeric fields shown as currency. Also the value-type defaults
// of the editor kinds built here (check box, currency, date), which the
// data-storage registry of the editors cannot name itself.

#include <vector>

#include "editors/default_editors.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/check_box_properties.h"
#include "platform/db/db_types.h"

class TField;

class TlxEditRepositoryCheckBoxItem
    : public TlxEditRepositoryItemOf<TlxEditRepositoryCheckBoxItem, TlxCheckBoxProperties> {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryCheckBoxItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryCheckBoxItem>,
                                 &TlxEditRepositoryCheckBoxItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

class TlxEditDBRegisteredRepositoryItems : public TlxEditRegisteredRepositoryItems {
 public:
  static constexpr TClass kClass{"TlxEditDBRegisteredRepositoryItems", &TlxEditRegisteredRepositoryItems::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxEditDBRegisteredRepositoryItems() = default;
  ~TlxEditDBRegisteredRepositoryItems() override;

  // Lookup fields get the first lookup entry, numeric fields shown as
  // currency the first currency entry, others the item of their data type;
  // each falls back to the first default item (also without a field).
  TlxEditRepositoryItem* FindItemForField(const TField* field) const;
  TlxEditRepositoryItem* FindItemByFieldType(TFieldType field_type) const {
    return FindItemByDataType(static_cast<TlxRegisteredItemKey>(field_type));
  }
  void RegisterFieldTypeItem(TFieldType field_type, int32_t version, TlxEditRepositoryItem* item) {
    RegisterItem(static_cast<TlxRegisteredItemKey>(field_type), version, item);
  }
  void UnregisterFieldTypeItem(TFieldType field_type, int32_t version) {
    UnregisterItem(static_cast<TlxRegisteredItemKey>(field_type), version);
  }
  void RegisterLookupItem(int32_t version, TlxEditRepositoryItem* item);
  void UnregisterLookupItem(int32_t version);
  void RegisterCurrencyItem(int32_t version, TlxEditRepositoryItem* item);

  void RemoveRepositoryItem(TlxEditRepositoryItem* item) override;

  const std::vector<TlxRegisteredItemEntry>& LookupEntries() const { return lookup_entries_; }
  const std::vector<TlxRegisteredItemEntry>& CurrencyEntries() const { return currency_entries_; }

 protected:
  bool RefersToItem(const TlxEditRepositoryItem* item) const override;

 private:
  std::vector<TlxRegisteredItemEntry> lookup_entries_;
  std::vector<TlxRegisteredItemEntry> currency_entries_;
};

// Whether the field has a published Boolean "currency" property that is set.
bool lxFieldShowsCurrency(const TField& field);

// The process-wide instance, created on first use with no entries.
TlxEditDBRegisteredRepositoryItems& lxGetEditDBRegisteredRepositoryItems();

// The module start fills the field registry with the default items (the
// mask item, the currency item, check box and date items by field type),
// each made in the default edit repository; the end unregisters them and
// frees the instance.
void lxEditDBRegisteredRepositoryItemsModuleStart();
void lxEditDBRegisteredRepositoryItemsModuleEnd();

// The value-type defaults of the kinds built here, in the data-storage
// registry: Boolean values get the check box, currency and FMTBcd values
// the currency editor, date-times and SQL time stamps the date editor.
void lxEditDataRegisteredKindItemsModuleStart();
void lxEditDataRegisteredKindItemsModuleEnd();
