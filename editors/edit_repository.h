#pragma once
// The editor-kind registry (properties classes by name) and the edit
// repository: named, shareable properties objects that editors and grid
// columns use through their repository item.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/edit_properties.h"
#include "platform/rtl/component.h"
#include "ui/foundation/base/registered_classes.h"

// The registry of editor kinds: sorted by short name, case-insensitively,
// and every class also registered for streaming. Created on first use.
TlxRegisteredClasses& lxGetRegisteredEditProperties();
// Frees the registry at the editor module's end.
void lxFreeRegisteredEditProperties();

class TlxEditRepository;
class TlxEditRepositoryItem;

// Hears about a repository item that editors use.
class IlxEditRepositoryItemObserver : public virtual IInterface {
 public:
  virtual void ItemRemoved(TlxEditRepositoryItem* item) = 0;
  virtual void ItemPropertiesChanged(TlxEditRepositoryItem* item) = 0;
};

class TlxEditRepositoryItem : public TComponent {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryItem", &TComponent::kClass,
                                 &ConstructInstance<TlxEditRepositoryItem>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxEditRepositoryItem(TComponent* owner);
  ~TlxEditRepositoryItem() override;

  // Virtual operations, in the order of their slots.
  // Tells the listeners, last registered first, that the properties changed.
  virtual void NotifyListeners();
  // Adds a listener once.
  virtual void AddListener(IlxEditRepositoryItemObserver* listener);
  // The properties class of the item; a class-level answer that the
  // constructor of this class uses (descendants pass theirs to the
  // protected constructor).
  virtual const TClass& GetPropertiesClass() const { return TlxCustomEditProperties::kClass; }
  // The repository's name followed by the item's class name from after
  // "TlxEditRepository"; empty when the class name does not hold it.
  virtual void GetDefaultName(std::string& name) const;
  virtual void RemoveListener(IlxEditRepositoryItemObserver* listener);

  TlxCustomEditProperties* Properties() const { return properties_.get(); }
  void AssignProperties(const TlxCustomEditProperties* properties) { properties_->Assign(properties); }
  TlxEditRepository* Repository() const { return repository_; }
  // Leaves the old repository and joins the new one; nothing when unchanged.
  void SetRepository(TlxEditRepository* repository);
  int32_t ListenerCount() const { return static_cast<int32_t>(listeners_.size()); }

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return repository_ != nullptr; }
  // Joins the given repository, not while the item is being read.
  void SetParentComponent(TComponent* parent);

  // Placeholder for designers; never fired.
  TNotifyEvent PropertiesEvents;

 protected:
  // Descendants that name another properties class build the item with it.
  TlxEditRepositoryItem(TComponent* owner, const TClass& properties_class);

 private:
  std::unique_ptr<TlxCustomEditProperties> properties_;
  std::vector<IlxEditRepositoryItemObserver*> listeners_;
  TlxEditRepository* repository_ = nullptr;
};

class TlxEditRepository : public TComponent {
 public:
  static constexpr TClass kClass{"TlxEditRepository", &TComponent::kClass, &ConstructInstance<TlxEditRepository>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxEditRepository(TComponent* owner) : TComponent(owner) {}
  ~TlxEditRepository() override;

  // An item of the class owned by this repository.
  virtual TlxEditRepositoryItem* CreateItemOfClass(const TClass& item_class);
  // An item of the class owned by `owner` and put into this repository.
  virtual TlxEditRepositoryItem* CreateItem(const TClass& item_class, TComponent* owner);

  int32_t GetItemCount() const { return static_cast<int32_t>(items_.size()); }
  // Raises EListError outside 0..GetItemCount() - 1.
  TlxEditRepositoryItem* GetItem(int32_t index) const;
  // Frees the item (which leaves the list as it goes).
  void RemoveItem(TlxEditRepositoryItem* item);

  // Streaming: the items owned by `root` are written as this repository's
  // children.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;

 private:
  friend class TlxEditRepositoryItem;
  std::vector<TlxEditRepositoryItem*> items_;
};

// The process-wide repository without owner, created on first use.
TlxEditRepository& lxGetDefaultEditRepository();
void lxFreeDefaultEditRepository();
