#include "editors/edit_repository.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/exceptions.h"

namespace {

std::unique_ptr<TlxRegisteredClasses>& RegistrySlot() {
  static std::unique_ptr<TlxRegisteredClasses> registry;
  return registry;
}

std::unique_ptr<TlxEditRepository>& DefaultRepositorySlot() {
  static std::unique_ptr<TlxEditRepository> repository;
  return repository;
}

}  // namespace

TlxRegisteredClasses& lxGetRegisteredEditProperties() {
  if (!RegistrySlot()) {
    RegistrySlot() = std::make_unique<TlxRegisteredClasses>(true);
    RegistrySlot()->SetSorted(true);
  }
  return *RegistrySlot();
}

void lxFreeRegisteredEditProperties() { RegistrySlot().reset(); }

// --- TlxEditRepositoryItem ------------------------------------------------

TlxEditRepositoryItem::TlxEditRepositoryItem(TComponent* owner)
    : TlxEditRepositoryItem(owner, TlxCustomEditProperties::kClass) {}

TlxEditRepositoryItem::TlxEditRepositoryItem(TComponent* owner, const TClass& properties_class)
    : TComponent(owner) {
  // The properties belong to the item; their owner query answers the item.
  if (!properties_class.InheritsFrom(&TlxCustomEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no editor properties class");
  properties_.reset(static_cast<TlxCustomEditProperties*>(properties_class.CreateInstance(this)));
  properties_->SetOwnerChangedHandler([this](TlxCustomEditProperties*) { NotifyListeners(); });
}

TlxEditRepositoryItem::~TlxEditRepositoryItem() {
  // Listeners drop their reference as they hear of it, so walk a copy.
  const std::vector<IlxEditRepositoryItemObserver*> listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    (*it)->ItemRemoved(this);
  SetRepository(nullptr);
  properties_->SetOwnerChangedHandler(nullptr);
  properties_.reset();
}

void TlxEditRepositoryItem::NotifyListeners() {
  const std::vector<IlxEditRepositoryItemObserver*> listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    (*it)->ItemPropertiesChanged(this);
}

void TlxEditRepositoryItem::AddListener(IlxEditRepositoryItemObserver* listener) {
  if (listener != nullptr && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void TlxEditRepositoryItem::RemoveListener(IlxEditRepositoryItemObserver* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TlxEditRepositoryItem::GetDefaultName(std::string& name) const {
  constexpr std::string_view kMark = "TlxEditRepository";
  const std::string_view class_name = ClassName();
  const size_t mark = class_name.find(kMark);
  if (mark == std::string_view::npos) {
    name.clear();
    return;
  }
  name = (repository_ != nullptr ? repository_->Name() : std::string()) +
         std::string(class_name.substr(mark + kMark.size()));
}

void TlxEditRepositoryItem::SetRepository(TlxEditRepository* repository) {
  if (repository_ == repository)
    return;
  if (repository_ != nullptr) {
    auto& items = repository_->items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
  }
  repository_ = repository;
  if (repository_ != nullptr &&
      std::find(repository_->items_.begin(), repository_->items_.end(), this) == repository_->items_.end())
    repository_->items_.push_back(this);
}

TComponent* TlxEditRepositoryItem::GetParentComponent() const { return repository_; }

void TlxEditRepositoryItem::SetParentComponent(TComponent* parent) {
  if (ComponentState().Contains(csLoading))
    return;
  SetRepository(dynamic_cast<TlxEditRepository*>(parent));
}

// --- TlxEditRepository ------------------------------------------------------

TlxEditRepository::~TlxEditRepository() {
  while (!items_.empty())
    delete items_.back();
}

TlxEditRepositoryItem* TlxEditRepository::CreateItemOfClass(const TClass& item_class) {
  return CreateItem(item_class, this);
}

TlxEditRepositoryItem* TlxEditRepository::CreateItem(const TClass& item_class, TComponent* owner) {
  if (!item_class.InheritsFrom(&TlxEditRepositoryItem::kClass))
    throw EInvalidOperation("Cannot create a " + std::string(item_class.ClassName()) + " as a repository item");
  auto* item = static_cast<TlxEditRepositoryItem*>(item_class.CreateInstance(owner));
  item->SetRepository(this);
  return item;
}

TlxEditRepositoryItem* TlxEditRepository::GetItem(int32_t index) const {
  if (index < 0 || index >= GetItemCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

void TlxEditRepository::RemoveItem(TlxEditRepositoryItem* item) {
  if (item != nullptr && item->Repository() == this)
    delete item;
}

void TlxEditRepository::GetChildren(const TGetChildProc& proc, TComponent* root) {
  const std::vector<TlxEditRepositoryItem*> items = items_;
  for (TlxEditRepositoryItem* item : items) {
    if (item->GetOwner() == root)
      proc(item);
  }
}

TlxEditRepository& lxGetDefaultEditRepository() {
  if (!DefaultRepositorySlot())
    DefaultRepositorySlot() = std::make_unique<TlxEditRepository>(nullptr);
  return *DefaultRepositorySlot();
}

void lxFreeDefaultEditRepository() { DefaultRepositorySlot().reset(); }
