#include "ui/foundation/base/component.h"

#include "platform/rtl/property.h"
#include "ui/foundation/base/object_links.h"

void TlxComponent::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxComponent>();
  p.Reference<TComponent>("FakeComponentLink1", &TlxComponent::FakeComponentLink1, &TlxComponent::SetFakeComponentLink1);
  p.Reference<TComponent>("FakeComponentLink2", &TlxComponent::FakeComponentLink2, &TlxComponent::SetFakeComponentLink2);
  p.Reference<TComponent>("FakeComponentLink3", &TlxComponent::FakeComponentLink3, &TlxComponent::SetFakeComponentLink3);
}

TlxComponent::~TlxComponent() {
  if (!IsDestroying())
    Destroying();
  lxResetObjectLinks(this);
}

void TlxComponent::Loaded() {
  TComponent::Loaded();
  RefreshFakeComponentLinks();
}

void TlxComponent::RefreshFakeComponentLinks() {
  if (!InDesignMode() || IsDestroying() || Owner() == nullptr)
    return;
  std::vector<TComponent*> links;
  CollectFakeComponentLinks(links);
  for (int32_t i = 0; i < kFakeComponentLinkCount; ++i)
    SetFakeComponentLink(i, static_cast<size_t>(i) < links.size() ? links[static_cast<size_t>(i)] : nullptr);
}

void TlxComponent::CollectFakeComponentLinks(std::vector<TComponent*>&) {}

void TlxComponent::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove)
    return;
  for (TComponent*& link : fake_links_)
    if (link == component)
      link = nullptr;
}

void TlxComponent::SetFakeComponentLink(int32_t index, TComponent* link) {
  TComponent*& slot = fake_links_[index];
  if (slot == link)
    return;
  slot = link;
  if (link != nullptr)
    link->FreeNotification(this);
}

void TlxFreeNotificator::AddSender(TComponent* component) {
  if (component != nullptr)
    component->FreeNotification(this);
}

void TlxFreeNotificator::RemoveSender(TComponent* component) {
  if (component != nullptr)
    component->RemoveFreeNotification(this);
}

void TlxFreeNotificator::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && OnFreeNotification)
    OnFreeNotification(component);
}
