#pragma once
// TCollection and TCollectionItem: an owned, ordered list of items of one
// item class, with update brackets (BeginUpdate/EndUpdate) and change
// notification through the virtual Update. Streaming stores a collection
// property as a list of its items' published properties.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/persistent.h"
#include "platform/rtl/update_batch.h"

class TCollection;

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  using TOwnerType = TCollection;
  static constexpr TClass kClass{"TCollectionItem", &TPersistent::kClass,
                                 &ConstructInstance<TCollectionItem>};
  const TClass* ClassType() const override { return &kClass; }

  // Joins `collection` (when given) as its last item; the collection owns it.
  explicit TCollectionItem(TCollection* collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item into another collection, or out of any (null); the
  // caller then owns an item taken out.
  void SetCollection(TCollection* collection);
  // Unique within the collection for its lifetime; never reused.
  int32_t ID() const { return id_; }
  int32_t Index() const;
  void SetIndex(int32_t index);
  virtual std::string DisplayName() const { return std::string(ClassName()); }

  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

 protected:
  // Reports a change of this item (or of all items) to the collection,
  // unless the collection is inside an update bracket.
  void Changed(bool all_items);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int32_t id_ = 0;
};

class TCollection : public TPersistent {
 public:
  static constexpr TClass kClass{"TCollection", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Items are instances of `item_class` (a TCollectionItem class); `owner`
  // is the persistent that holds the collection, for names and streaming.
  explicit TCollection(const TClass& item_class, TPersistent* owner = nullptr);
  ~TCollection() override;

  const TClass& ItemClass() const { return *item_class_; }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TCollectionItem* Items(int32_t index) const;
  // Copies `value` into the item at `index` (Assign).
  void SetItem(int32_t index, const TCollectionItem* value);

  TCollectionItem* Add();
  TCollectionItem* Insert(int32_t index);
  void Delete(int32_t index);
  void Clear();
  TCollectionItem* FindItemID(int32_t id) const;

  void BeginUpdate() { update_batch_.Begin(); }
  // The last EndUpdate reports one change of the whole collection.
  void EndUpdate();
  int32_t UpdateCount() const { return update_batch_.Count(); }

  // Replaces the items by copies of the source collection's items.
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override;
  // The name of the property that holds this collection, for name paths.
  void SetPropName(std::string name) { prop_name_ = std::move(name); }

 protected:
  // One change: of `item`, or of the whole collection when null. Called
  // when no update bracket is open; the base does nothing.
  virtual void Update(TCollectionItem* item);
  virtual void Notify(TCollectionItem* item, TCollectionNotification action);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item, bool check_class);
  void RemoveItem(TCollectionItem* item);
  void MoveItem(TCollectionItem* item, int32_t index);

  const TClass* item_class_;
  TPersistent* owner_;
  std::string prop_name_;
  std::vector<TCollectionItem*> items_;
  TUpdateBatch update_batch_{TUpdateBatch::kUpdateAlways};
  int32_t next_id_ = 0;
};
