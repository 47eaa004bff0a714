#pragma once
// Which editor shows a value when nobody named one: a registry from data
// types (with versions) to edit repository items, and its process-wide
// instance keyed by the data storage's value type classes. A data type
// without an entry gets the first default item, the plain text item.

#include <cstdint>
#include <vector>

#include "data/value_types.h"
#include "editors/edit_repository.h"
#include "ui/foundation/base/interfaced.h"

// A data type key: wide enough for a class reference on 64-bit systems.
using TlxRegisteredItemKey = intptr_t;

struct TlxRegisteredItemEntry {
  TlxRegisteredItemKey TypeKey = 0;
  int32_t VersionNo = 0;
  TlxEditRepositoryItem* Item = nullptr;  // not owned
};

class TlxEditRegisteredRepositoryItems : public TlxInterfacedPersistent, public IlxEditRepositoryItemObserver {
 public:
  static constexpr TClass kClass{"TlxEditRegisteredRepositoryItems", &TlxInterfacedPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxEditRegisteredRepositoryItems() : TlxInterfacedPersistent(nullptr) {}
  ~TlxEditRegisteredRepositoryItems() override;
  TlxEditRegisteredRepositoryItems(const TlxEditRegisteredRepositoryItems&) = delete;
  TlxEditRegisteredRepositoryItems& operator=(const TlxEditRegisteredRepositoryItems&) = delete;

  // Virtual operations, in the order of their slots.
  // Every entry of the item goes, default entries first.
  virtual void RemoveRepositoryItem(TlxEditRepositoryItem* item);
  virtual void NotifyChanged() { DoChanged(); }
  // The index of the entry; an existing (type, version) keeps its item.
  virtual int32_t InsertEntry(std::vector<TlxRegisteredItemEntry>& entries, TlxRegisteredItemKey data_type,
                              TlxEditRepositoryItem* item, int32_t version);
  virtual void DoChanged() {}
  virtual TlxEditRepositoryItem* FirstDefaultItem() const;
  // The entry of the highest version, else the first default item; null
  // when there is neither.
  virtual TlxEditRepositoryItem* FindItemByDataType(TlxRegisteredItemKey data_type) const;
  virtual void RegisterDefaultItem(int32_t version, TlxEditRepositoryItem* item);
  virtual void RegisterItem(TlxRegisteredItemKey data_type, int32_t version, TlxEditRepositoryItem* item);
  virtual void UnregisterDefaultItem(int32_t version);
  virtual void UnregisterItem(TlxRegisteredItemKey data_type, int32_t version);

  // IlxEditRepositoryItemObserver.
  void ItemRemoved(TlxEditRepositoryItem* item) override { RemoveRepositoryItem(item); }
  void ItemPropertiesChanged(TlxEditRepositoryItem* /*item*/) override { NotifyChanged(); }

  const std::vector<TlxRegisteredItemEntry>& DefaultEntries() const { return default_entries_; }
  const std::vector<TlxRegisteredItemEntry>& TypedEntries() const { return typed_entries_; }
  bool BeingDestroyed() const { return being_destroyed_; }

 protected:
  // Removes one entry; the item loses the registry as its observer once no
  // entry refers to it any more.
  void DeleteEntry(std::vector<TlxRegisteredItemEntry>& entries, size_t index);
  // Every entry of the array, from the last one down.
  void RemoveAll(std::vector<TlxRegisteredItemEntry>& entries);
  // The default entries, then the typed ones.
  void ClearEntries() {
    RemoveAll(default_entries_);
    RemoveAll(typed_entries_);
  }
  // Whether an entry of any array still names the item; registries with
  // arrays of their own add them.
  virtual bool RefersToItem(const TlxEditRepositoryItem* item) const;
  void SetBeingDestroyed() { being_destroyed_ = true; }

 private:

  std::vector<TlxRegisteredItemEntry> default_entries_;
  std::vector<TlxRegisteredItemEntry> typed_entries_;
  bool being_destroyed_ = false;
};

// The binary search of one sorted entry array: with `highest`, the last
// entry of the type (its highest version), else the exact (type, version).
// Found: true with its index; not found: false with the insertion point.
bool lxFindRegisteredEntry(const std::vector<TlxRegisteredItemEntry>& entries, TlxRegisteredItemKey data_type,
                           int32_t version, bool highest, int32_t& index);

// The class reference of a value type as a data type key.
inline TlxRegisteredItemKey lxValueTypeClassID(TlxValueTypeClass value_type) {
  return reinterpret_cast<TlxRegisteredItemKey>(value_type);
}

class TlxEditDataRegisteredRepositoryItems : public TlxEditRegisteredRepositoryItems {
 public:
  static constexpr TClass kClass{"TlxEditDataRegisteredRepositoryItems", &TlxEditRegisteredRepositoryItems::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Never null while the default text item is registered. The match is by
  // the exact class.
  TlxEditRepositoryItem* GetItemForValueType(TlxValueTypeClass value_type) const {
    return FindItemByDataType(lxValueTypeClassID(value_type));
  }
  void RegisterItemForValueType(TlxValueTypeClass value_type, int32_t version, TlxEditRepositoryItem* item) {
    RegisterItem(lxValueTypeClassID(value_type), version, item);
  }
  void UnregisterItemForValueType(TlxValueTypeClass value_type, int32_t version) {
    UnregisterItem(lxValueTypeClassID(value_type), version);
  }
};

// The process-wide instance, created on first use with the default text
// item (version -1) from the default edit repository.
TlxEditDataRegisteredRepositoryItems& lxGetEditDataRegisteredRepositoryItems();
// The module end: removes the version -1 entries and frees the instance
// (the items belong to the default edit repository).
void lxFreeEditDataRegisteredRepositoryItems();
