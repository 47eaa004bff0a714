#include "platform/rtl/property.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/rtl/component.h"
#include "platform/rtl/text.h"

bool TPropInfo::IsReference() const {
  return Kind == TTypeKind::tkClass && ObjectClass != nullptr && ObjectClass->InheritsFrom(&TComponent::kClass);
}

TPropInfo& TPropertyList::Add(TPropInfo info) {
  for (TPropInfo& existing : items_) {
    if (SameText(existing.Name, info.Name)) {
      existing = std::move(info);
      return existing;
    }
  }
  items_.push_back(std::move(info));
  return items_.back();
}

const TPropInfo* TPropertyList::Find(std::string_view name) const {
  for (const TPropInfo& info : items_) {
    if (SameText(info.Name, name))
      return &info;
  }
  return nullptr;
}

// Lists are built on first use, the parent's first, and live until the
// process ends, like the descriptors they belong to.
const TPropertyList& TClass::Properties() const {
  static std::mutex mutex;
  static std::map<const TClass*, std::unique_ptr<TPropertyList>> lists;

  std::vector<const TClass*> chain;
  for (const TClass* cls = this; cls != nullptr; cls = cls->ClassParent())
    chain.push_back(cls);

  std::lock_guard lock(mutex);
  TPropertyList* inherited = nullptr;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    auto& list = lists[*it];
    if (!list) {
      list = std::make_unique<TPropertyList>(inherited ? *inherited : TPropertyList());
      if (Publisher publish = (*it)->OwnPublisher()) {
        // A class that names its parent's publisher adds nothing of its own.
        const TClass* parent = (*it)->ClassParent();
        if (parent == nullptr || parent->OwnPublisher() != publish) {
          TPropertyListBuilder builder(*list);
          publish(builder);
        }
      }
    }
    inherited = list.get();
  }
  return *inherited;
}
