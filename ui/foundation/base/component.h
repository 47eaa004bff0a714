#pragma once
// TlxComponent, the component library's component base, and
// TlxFreeNotificator, a relay that reports the destruction of any component
// it watches.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/component.h"

class TlxComponent : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxComponent", &TComponent::kClass, &ConstructInstance<TlxComponent>,
                                 &TlxComponent::Publish};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr int32_t kFakeComponentLinkCount = 3;

  explicit TlxComponent(TComponent* owner) : TComponent(owner) {}
  // Drops every object link that still points here before the component
  // goes.
  ~TlxComponent() override;

  bool InDesignMode() const { return ComponentState().Contains(csDesigning); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

  // Components the design environment shows as dependencies of this one;
  // never used at run time. Each is cleared when its component dies.
  TComponent* FakeComponentLink1() const { return fake_links_[0]; }
  TComponent* FakeComponentLink2() const { return fake_links_[1]; }
  TComponent* FakeComponentLink3() const { return fake_links_[2]; }
  void SetFakeComponentLink1(TComponent* link) { SetFakeComponentLink(0, link); }
  void SetFakeComponentLink2(TComponent* link) { SetFakeComponentLink(1, link); }
  void SetFakeComponentLink3(TComponent* link) { SetFakeComponentLink(2, link); }

  // In design mode, for an owned component not being destroyed: fills the
  // three links from CollectFakeComponentLinks, null where it gives fewer.
  void RefreshFakeComponentLinks();

  void Loaded() override;

 protected:
  // The components to show as links; none in this class.
  virtual void CollectFakeComponentLinks(std::vector<TComponent*>& links);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void SetFakeComponentLink(int32_t index, TComponent* link);

  TComponent* fake_links_[kFakeComponentLinkCount] = {};
};

class TlxFreeNotificator : public TComponent {
 public:
  static constexpr TClass kClass{"TlxFreeNotificator", &TComponent::kClass, &ConstructInstance<TlxFreeNotificator>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxFreeNotificationEvent = std::function<void(TComponent* sender)>;

  explicit TlxFreeNotificator(TComponent* owner) : TComponent(owner) {}

  // Starts (stops) watching a component; null is ignored.
  void AddSender(TComponent* component);
  void RemoveSender(TComponent* component);

  // Receives each watched component as it is freed.
  TlxFreeNotificationEvent OnFreeNotification;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
};
