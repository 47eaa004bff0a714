#include "platform/rtl/object.h"

#include <map>
#include <mutex>

#include "platform/rtl/text.h"

bool TClass::InheritsFrom(const TClass* ancestor) const {
  for (const TClass* cls = this; cls != nullptr; cls = cls->parent_) {
    if (cls == ancestor)
      return true;
  }
  return false;
}

TObject* TClass::CreateInstance(TObject* owner) const {
  if (factory_ == nullptr)
    throw EInvalidOperation("Cannot create an instance of the abstract class " + std::string(name_));
  return factory_(owner);
}

TObject::~TObject() {
  if (alive_)
    alive_->store(false, std::memory_order_release);
}

TAliveToken TObject::AliveToken() const {
  if (!alive_)
    alive_ = std::make_shared<std::atomic<bool>>(true);
  return TAliveToken(alive_);
}

namespace {

// Names fold to upper case so that lookups ignore letter case as the
// stored forms do.
class ClassRegistry {
 public:
  void Add(const TClass& cls) {
    std::lock_guard lock(mutex_);
    const std::string key = AnsiUpperCase(cls.ClassName());
    auto [it, inserted] = classes_.emplace(key, &cls);
    if (!inserted && it->second != &cls)
      throw EFilerError("A class named " + std::string(cls.ClassName()) + " already exists");
  }

  void Remove(const TClass& cls) {
    std::lock_guard lock(mutex_);
    auto it = classes_.find(AnsiUpperCase(cls.ClassName()));
    if (it != classes_.end() && it->second == &cls)
      classes_.erase(it);
  }

  const TClass* Find(std::string_view name) const {
    std::lock_guard lock(mutex_);
    auto it = classes_.find(AnsiUpperCase(name));
    return it == classes_.end() ? nullptr : it->second;
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::string, const TClass*> classes_;
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

void RegisterStreamableClass(const TClass& cls) { Registry().Add(cls); }

void RegisterStreamableClasses(std::initializer_list<const TClass*> classes) {
  for (const TClass* cls : classes)
    Registry().Add(*cls);
}

void UnRegisterStreamableClass(const TClass& cls) { Registry().Remove(cls); }

const TClass* GetClass(std::string_view name) { return Registry().Find(name); }

const TClass* FindClass(std::string_view name) {
  const TClass* cls = GetClass(name);
  if (cls == nullptr)
    throw EClassNotFound("Class " + std::string(name) + " not found");
  return cls;
}
