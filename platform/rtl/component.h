#pragma once
// TComponent: a named persistent object with an owner. The owner frees the
// components it owns; components that refer to each other without owning ask
// for a free notification and clear their reference in Notification.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/persistent.h"

enum TComponentStateFlag : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
};

class TComponentState {
 public:
  constexpr TComponentState() = default;
  constexpr TComponentState(std::initializer_list<TComponentStateFlag> flags) {
    for (TComponentStateFlag flag : flags)
      bits_ |= Bit(flag);
  }
  constexpr bool Contains(TComponentStateFlag flag) const { return (bits_ & Bit(flag)) != 0; }
  constexpr void Include(TComponentStateFlag flag) { bits_ |= Bit(flag); }
  constexpr void Exclude(TComponentStateFlag flag) { bits_ &= ~Bit(flag); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TComponentState&) const = default;

 private:
  static constexpr uint32_t Bit(TComponentStateFlag flag) { return uint32_t{1} << flag; }
  uint32_t bits_ = 0;
};

enum TOperation : uint8_t { opInsert, opRemove };

// Naming failures: an invalid identifier or a name taken within the owner.
class EComponentError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EComponentError"; }
};

class TComponent : public TPersistent {
 public:
  // Virtual construction passes the owner (ConstructInstance).
  using TOwnerType = TComponent;
  using TGetChildProc = std::function<void(TComponent* child)>;

  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TComponent", &TPersistent::kClass, &ConstructInstance<TComponent>,
                                 &TComponent::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner has (letter case ignored).
  virtual void SetName(const std::string& name);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  // Owned components, in the order they were inserted.
  int32_t ComponentCount() const { return static_cast<int32_t>(components_.size()); }
  TComponent* Components(int32_t index) const;
  int32_t ComponentIndex() const;
  // The owned component with that name (letter case ignored), or null.
  TComponent* FindComponent(std::string_view name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  // Marks this component and its owned components as being destroyed.
  // Derived destructors whose owned parts refer back to them call it first.
  void Destroying();

  // Asks `component` to notify this one (Notification with opRemove) when
  // it is freed; the request is mutual, so either may go first.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  const TComponentState& ComponentState() const { return state_; }
  void SetDesigning(bool designing, bool set_children = true);

  // Streaming hooks. GetChildren lists the components written as this one's
  // children (its owned components); GetChildOwner is the owner given to
  // children read back (this component).
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
  virtual TComponent* GetChildOwner() { return this; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }

  // Called once the whole stream a component was read from is in, with
  // every reference resolved; clears csLoading.
  virtual void Loaded();
  // Set while reading: csLoading and csReading on, then Loaded.
  void BeginLoading();
  void EndReading() { state_.Exclude(csReading); }
  // Drops csLoading and csReading without Loaded, after a read that failed.
  void CancelLoading() {
    state_.Exclude(csLoading);
    state_.Exclude(csReading);
  }
  // Set by the writer while this component is being written.
  void SetWriting(bool writing) {
    if (writing)
      state_.Include(csWriting);
    else
      state_.Exclude(csWriting);
  }

  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override { return name_; }

 protected:
  // Told about components inserted into or removed from the owner chain and
  // about components freed that this one asked about. Derived classes clear
  // their references to a removed component here and call the base.
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void ValidateRename(TComponent* component, const std::string& current_name,
                              const std::string& new_name);
  void ChangeName(const std::string& name) { name_ = name; }

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void InsertFreeNotification(TComponent* component);
  void EraseFreeNotification(TComponent* component);
  void NotifyTree(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
};

// True for a valid component name: a letter or "_" first, then letters,
// digits and "_" (ASCII).
bool IsValidIdent(std::string_view name);
