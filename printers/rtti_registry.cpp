#include "printers/rtti_registry.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/rtl/text.h"
#include "platform/rtl/thread.h"
#include "printers/rtti_classes.h"

namespace {

struct RegistryEntry {
  std::string described_class;
  const TrtRTTI* type_info;
};

class TrtRTTIClassRegistry {
 public:
  void Register(const TrtRTTI& type_info) {
    std::lock_guard lock(lock_);
    std::string name(type_info.GetRefClass()->ClassName());
    if (Find(name) != entries_.end())
      return;
    RegisterStreamableClass(*type_info.ClassType());
    entries_.push_back({std::move(name), &type_info});
  }

  void Unregister(const TrtRTTI& type_info) {
    std::lock_guard lock(lock_);
    auto entry = Find(type_info.GetRefClass()->ClassName());
    if (entry == entries_.end() || entry->type_info != &type_info)
      return;
    UnRegisterStreamableClass(*type_info.ClassType());
    entries_.erase(entry);
  }

  const TrtRTTI* Lookup(std::string_view class_name) {
    std::lock_guard lock(lock_);
    auto entry = Find(class_name);
    return entry == entries_.end() ? nullptr : entry->type_info;
  }

  void Clear() {
    std::lock_guard lock(lock_);
    for (const RegistryEntry& entry : entries_)
      UnRegisterStreamableClass(*entry.type_info->ClassType());
    entries_.clear();
  }

 private:
  std::vector<RegistryEntry>::iterator Find(std::string_view class_name) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [class_name](const RegistryEntry& entry) { return SameText(entry.described_class, class_name); });
  }

  TCriticalSection lock_;
  std::vector<RegistryEntry> entries_;
};

TrtRTTIClassRegistry& Registry() {
  static TrtRTTIClassRegistry registry;
  return registry;
}

}  // namespace

void prRegisterRTTI(const TrtRTTI& type_info) { Registry().Register(type_info); }

void prUnregisterRTTI(const TrtRTTI& type_info) { Registry().Unregister(type_info); }

const TrtRTTI* prFindRTTI(std::string_view class_name) { return Registry().Lookup(class_name); }

const TrtRTTI* prFindRTTIForClass(const TClass* cls) {
  for (; cls != nullptr; cls = cls->ClassParent()) {
    if (const TrtRTTI* type_info = prFindRTTI(cls->ClassName()))
      return type_info;
  }
  return nullptr;
}

void prRttiInitialize() {
  prRegisterRTTI(StatelessInstance<TrtTObjectRTTI>());
  prRegisterRTTI(StatelessInstance<TrtTComponentRTTI>());
}

void prRttiFinalize() { Registry().Clear(); }
