#include "editors/default_editors.h"

#include <algorithm>
#include <memory>

#include "editors/edit_repository_items.h"

bool lxFindRegisteredEntry(const std::vector<TlxRegisteredItemEntry>& entries, TlxRegisteredItemKey data_type,
                           int32_t version, bool highest, int32_t& index) {
  const int32_t count = static_cast<int32_t>(entries.size());
  int32_t low = 0;
  int32_t high = count - 1;
  index = 0;
  bool stopped = false;
  while (high >= low) {
    index = low + (high - low) / 2;
    const TlxRegisteredItemEntry& entry = entries[static_cast<size_t>(index)];
    int compare = entry.TypeKey < data_type ? -1 : (entry.TypeKey > data_type ? 1 : 0);
    if (compare == 0 && !highest)
      compare = entry.VersionNo < version ? -1 : (entry.VersionNo > version ? 1 : 0);
    if (compare < 0) {
      low = index + 1;
    } else if (compare > 0) {
      high = index - 1;
    } else {
      stopped = true;
      break;
    }
  }
  if (!stopped)
    index = low;
  if (highest) {
    while (index + 1 < count && entries[static_cast<size_t>(index) + 1].TypeKey == data_type)
      ++index;
  }
  return index < count && entries[static_cast<size_t>(index)].TypeKey == data_type &&
         (highest || entries[static_cast<size_t>(index)].VersionNo == version);
}

TlxEditRegisteredRepositoryItems::~TlxEditRegisteredRepositoryItems() {
  being_destroyed_ = true;
  ClearEntries();
}

void TlxEditRegisteredRepositoryItems::RemoveAll(std::vector<TlxRegisteredItemEntry>& entries) {
  while (!entries.empty())
    DeleteEntry(entries, entries.size() - 1);
}

void TlxEditRegisteredRepositoryItems::DeleteEntry(std::vector<TlxRegisteredItemEntry>& entries, size_t index) {
  TlxEditRepositoryItem* item = entries[index].Item;
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
  // The item keeps one listener entry for all of its registrations.
  if (!RefersToItem(item))
    item->RemoveListener(this);
  DoChanged();
}

bool TlxEditRegisteredRepositoryItems::RefersToItem(const TlxEditRepositoryItem* item) const {
  const auto refers = [item](const TlxRegisteredItemEntry& entry) { return entry.Item == item; };
  return std::any_of(default_entries_.begin(), default_entries_.end(), refers) ||
         std::any_of(typed_entries_.begin(), typed_entries_.end(), refers);
}

void TlxEditRegisteredRepositoryItems::RemoveRepositoryItem(TlxEditRepositoryItem* item) {
  for (std::vector<TlxRegisteredItemEntry>* entries : {&default_entries_, &typed_entries_}) {
    for (size_t i = entries->size(); i-- > 0;) {
      if ((*entries)[i].Item == item)
        DeleteEntry(*entries, i);
    }
  }
}

int32_t TlxEditRegisteredRepositoryItems::InsertEntry(std::vector<TlxRegisteredItemEntry>& entries,
                                                      TlxRegisteredItemKey data_type, TlxEditRepositoryItem* item,
                                                      int32_t version) {
  int32_t index = 0;
  if (lxFindRegisteredEntry(entries, data_type, version, false, index))
    return index;
  entries.insert(entries.begin() + index, TlxRegisteredItemEntry{data_type, version, item});
  item->AddListener(this);
  DoChanged();
  return index;
}

TlxEditRepositoryItem* TlxEditRegisteredRepositoryItems::FirstDefaultItem() const {
  return default_entries_.empty() ? nullptr : default_entries_.front().Item;
}

TlxEditRepositoryItem* TlxEditRegisteredRepositoryItems::FindItemByDataType(TlxRegisteredItemKey data_type) const {
  int32_t index = 0;
  if (lxFindRegisteredEntry(typed_entries_, data_type, 0, true, index))
    return typed_entries_[static_cast<size_t>(index)].Item;
  return FirstDefaultItem();
}

void TlxEditRegisteredRepositoryItems::RegisterDefaultItem(int32_t version, TlxEditRepositoryItem* item) {
  if (item != nullptr)
    InsertEntry(default_entries_, 0, item, version);
}

void TlxEditRegisteredRepositoryItems::RegisterItem(TlxRegisteredItemKey data_type, int32_t version,
                                                    TlxEditRepositoryItem* item) {
  if (item != nullptr)
    InsertEntry(typed_entries_, data_type, item, version);
}

void TlxEditRegisteredRepositoryItems::UnregisterDefaultItem(int32_t version) {
  int32_t index = 0;
  if (lxFindRegisteredEntry(default_entries_, 0, version, false, index))
    DeleteEntry(default_entries_, static_cast<size_t>(index));
}

void TlxEditRegisteredRepositoryItems::UnregisterItem(TlxRegisteredItemKey data_type, int32_t version) {
  int32_t index = 0;
  if (lxFindRegisteredEntry(typed_entries_, data_type, version, false, index))
    DeleteEntry(typed_entries_, static_cast<size_t>(index));
}

namespace {

std::unique_ptr<TlxEditDataRegisteredRepositoryItems>& DataInstance() {
  static std::unique_ptr<TlxEditDataRegisteredRepositoryItems> instance;
  return instance;
}

}  // namespace

TlxEditDataRegisteredRepositoryItems& lxGetEditDataRegisteredRepositoryItems() {
  std::unique_ptr<TlxEditDataRegisteredRepositoryItems>& instance = DataInstance();
  if (instance == nullptr) {
    RegisterStreamableClasses(
        {&TlxEditRepositoryItem::kClass, &TlxEditRepositoryTextItem::kClass, &TlxEditRepositoryMaskItem::kClass});
    instance = std::make_unique<TlxEditDataRegisteredRepositoryItems>();
  }
  // The default item lives in the default repository; when that was freed
  // (the editors' module end), a new one is made in the new repository.
  if (instance->FirstDefaultItem() == nullptr)
    instance->RegisterDefaultItem(-1, lxGetDefaultEditRepository().CreateItemOfClass(TlxEditRepositoryTextItem::kClass));
  return *instance;
}

void lxFreeEditDataRegisteredRepositoryItems() {
  std::unique_ptr<TlxEditDataRegisteredRepositoryItems>& instance = DataInstance();
  if (instance == nullptr)
    return;
  instance->UnregisterDefaultItem(-1);
  instance.reset();
}
