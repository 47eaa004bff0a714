#include "platform/rtl/component.h"

#include <algorithm>

#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

void EraseOne(std::vector<TComponent*>& list, TComponent* component) {
  auto it = std::find(list.begin(), list.end(), component);
  if (it != list.end())
    list.erase(it);
}

}  // namespace

bool IsValidIdent(std::string_view name) {
  if (name.empty() || !IsIdentStart(name.front()))
    return false;
  return std::all_of(name.begin() + 1, name.end(), IsIdentChar);
}

void TComponent::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TComponent>();
  p.Int64("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr)
    owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Each notified component removes itself from this list (through
  // RemoveFreeNotification), so walk it from the end and re-check the size.
  while (!free_notifies_.empty()) {
    TComponent* subscriber = free_notifies_.back();
    subscriber->Notification(this, opRemove);
    if (!free_notifies_.empty() && free_notifies_.back() == subscriber) {
      free_notifies_.pop_back();
      subscriber->EraseFreeNotification(this);
    }
  }
  DestroyComponents();
  if (owner_ != nullptr)
    owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int32_t index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError::IndexOutOfBounds(index);
  return components_[static_cast<size_t>(index)];
}

int32_t TComponent::ComponentIndex() const {
  if (owner_ == nullptr)
    return -1;
  const auto& siblings = owner_->components_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<int32_t>(it - siblings.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty())
    return nullptr;
  for (TComponent* component : components_) {
    if (SameText(component->name_, name))
      return component;
  }
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == name_)
    return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (owner_ != nullptr)
    owner_->ValidateRename(this, name_, name);
  else
    ValidateRename(nullptr, name_, name);
  ChangeName(name);
}

void TComponent::ValidateRename(TComponent* component, const std::string& current_name,
                                const std::string& new_name) {
  if (component == nullptr || SameText(current_name, new_name) || component->owner_ != this)
    return;
  if (FindComponent(new_name) != nullptr)
    throw EComponentError("A component named " + new_name + " already exists");
}

void TComponent::InsertComponent(TComponent* component) {
  if (component == nullptr || component->owner_ == this)
    return;
  // Checked here rather than in ValidateRename, which only looks at
  // components this one already owns.
  if (FindComponent(component->name_) != nullptr)
    throw EComponentError("A component named " + component->name_ + " already exists");
  if (component->owner_ != nullptr)
    component->owner_->RemoveComponent(component);
  Insert(component);
  if (state_.Contains(csDesigning))
    component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component == nullptr || component->owner_ != this)
    return;
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  EraseOne(components_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* component = components_.back();
    Remove(component);
    delete component;
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying))
    return;
  state_.Include(csDestroying);
  for (TComponent* component : components_)
    component->Destroying();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != nullptr)
    RemoveFreeNotification(component);
  NotifyTree(component, operation);
}

// Handlers may free components of this list, so the index is re-clamped
// after each call.
void TComponent::NotifyTree(TComponent* component, TOperation operation) {
  auto index = static_cast<std::ptrdiff_t>(components_.size()) - 1;
  while (index >= 0) {
    components_[static_cast<size_t>(index)]->Notification(component, operation);
    --index;
    index = std::min(index, static_cast<std::ptrdiff_t>(components_.size()) - 1);
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this)
    return;
  InsertFreeNotification(component);
  component->InsertFreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr)
    return;
  EraseFreeNotification(component);
  component->EraseFreeNotification(this);
}

void TComponent::InsertFreeNotification(TComponent* component) {
  if (std::find(free_notifies_.begin(), free_notifies_.end(), component) == free_notifies_.end())
    free_notifies_.push_back(component);
  state_.Include(csFreeNotification);
}

void TComponent::EraseFreeNotification(TComponent* component) { EraseOne(free_notifies_, component); }

void TComponent::SetDesigning(bool designing, bool set_children) {
  if (designing)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (!set_children)
    return;
  for (TComponent* component : components_)
    component->SetDesigning(designing, true);
}

void TComponent::GetChildren(const TGetChildProc& proc, TComponent*) {
  // A copy: the callback may create or free components.
  const std::vector<TComponent*> children = components_;
  for (TComponent* child : children)
    proc(child);
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::BeginLoading() {
  state_.Include(csLoading);
  state_.Include(csReading);
}
