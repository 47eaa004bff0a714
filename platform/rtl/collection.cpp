#include "platform/rtl/collection.h"

#include <algorithm>

#include "platform/rtl/list_algorithms.h"

// Built by a collection's Add, the item joins after its construction is
// complete (see TCollection::Add); built directly with a collection, it
// joins here, before a derived class's constructor has run.
TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection != nullptr)
    collection->InsertItem(this, /*check_class=*/false);
}

TCollectionItem::~TCollectionItem() {
  if (collection_ != nullptr)
    collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_)
    return;
  if (collection_ != nullptr)
    collection_->RemoveItem(this);
  if (collection != nullptr)
    collection->InsertItem(this, /*check_class=*/true);
}

int32_t TCollectionItem::Index() const {
  if (collection_ == nullptr)
    return -1;
  const auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int32_t>(it - items.begin());
}

void TCollectionItem::SetIndex(int32_t index) {
  if (collection_ != nullptr && index != Index())
    collection_->MoveItem(this, index);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

std::string TCollectionItem::GetNamePath() const {
  if (collection_ == nullptr)
    return std::string(ClassName());
  return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool all_items) {
  if (collection_ == nullptr || !collection_->update_batch_.Change())
    return;
  collection_->Update(all_items ? nullptr : this);
}

TCollection::TCollection(const TClass& item_class, TPersistent* owner) : item_class_(&item_class), owner_(owner) {
  if (!item_class.InheritsFrom(&TCollectionItem::kClass))
    throw EInvalidOperation("Class " + std::string(item_class.ClassName()) + " is not a collection item class");
}

TCollection::~TCollection() {
  // The items must not call back into a collection that is half destroyed.
  std::vector<TCollectionItem*> items;
  items.swap(items_);
  for (TCollectionItem* item : items) {
    item->collection_ = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Items(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return items_[static_cast<size_t>(index)];
}

void TCollection::SetItem(int32_t index, const TCollectionItem* value) { Items(index)->Assign(value); }

// The item is built without a collection and inserted once complete, so
// that Notify and Update never see a half-built item.
TCollectionItem* TCollection::Add() {
  auto* item = static_cast<TCollectionItem*>(item_class_->CreateInstance(nullptr));
  InsertItem(item, /*check_class=*/false);
  return item;
}

TCollectionItem* TCollection::Insert(int32_t index) {
  if (index < 0 || index > Count())
    throw EListError::IndexOutOfBounds(index);
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int32_t index) {
  TCollectionItem* item = Items(index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (items_.empty())
    return;
  TUpdateScope update(*this);
  while (!items_.empty())
    delete items_.back();
}

TCollectionItem* TCollection::FindItemID(int32_t id) const {
  for (TCollectionItem* item : items_) {
    if (item->id_ == id)
      return item;
  }
  return nullptr;
}

void TCollection::EndUpdate() {
  update_batch_.End([this] { Changed(); });
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCollection*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this)
    return;
  TUpdateScope update(*this);
  Clear();
  for (const TCollectionItem* item : other->items_)
    Add()->Assign(item);
}

std::string TCollection::GetNamePath() const {
  if (owner_ == nullptr)
    return std::string(ClassName());
  const std::string owner_path = owner_->GetNamePath();
  if (owner_path.empty())
    return std::string(ClassName());
  return owner_path + "." + (prop_name_.empty() ? std::string(ClassName()) : prop_name_);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
  if (update_batch_.Change())
    Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item, bool check_class) {
  if (check_class && !item->InheritsFrom(item_class_))
    throw EInvalidOperation("Invalid collection item class " + std::string(item->ClassName()));
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = next_id_++;
  Notify(item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  Notify(item, cnExtracting);
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it != items_.end())
    items_.erase(it);
  item->collection_ = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* item, int32_t index) {
  const int32_t current = item->Index();
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  MoveElement(items_, static_cast<size_t>(current), static_cast<size_t>(index));
  Changed();
}
