#pragma once
// The object model of the run-time layer (docs/object-model.md explains the
// forms used across the project):
//  - TObject, the root of every class that takes part in class references,
//    registries, streaming and weak references;
//  - TClass, one constant descriptor per class (name, parent, factory and
//    published properties); a class reference is `const TClass*`;
//  - the class registry that streaming uses to find classes by name;
//  - alive tokens and weak references, so that code can notice that an
//    object was freed while one of its own handlers ran;
//  - IInterface and Supports, for interfaces as abstract classes.

#include <atomic>
#include <exception>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"

class TObject;
class TComponent;
class TPropertyList;
class TPropertyListBuilder;

// An event handler that only learns who fired it.
using TNotifyEvent = std::function<void(TObject* sender)>;

// The descriptor of one class. Every class that needs a class reference
// declares one as `static constexpr TClass kClass{...}` and overrides
// `ClassType()` to return it; descriptors are compile-time constants, so they
// exist before any static initialiser runs and never need freeing.
class TClass {
 public:
  // Virtual construction. `owner` is what the new object belongs to: the
  // owner component for components, the collection for collection items,
  // ignored for plain objects. Null for abstract classes.
  using Factory = TObject* (*)(TObject* owner);
  // Adds the class's own published properties (not its parent's).
  using Publisher = void (*)(TPropertyListBuilder& properties);

  constexpr TClass(const char* name, const TClass* parent, Factory factory = nullptr,
                   Publisher publisher = nullptr)
      : name_(name), parent_(parent), factory_(factory), publisher_(publisher) {}

  std::string_view ClassName() const { return name_; }
  const TClass* ClassParent() const { return parent_; }
  bool InheritsFrom(const TClass* ancestor) const;
  bool IsAbstract() const { return factory_ == nullptr; }

  // A new instance of this very class. The object belongs to `owner` when
  // the class has owners and one is given, otherwise to the caller. Raises
  // EInvalidOperation for an abstract class or an owner of the wrong kind.
  TObject* CreateInstance(TObject* owner = nullptr) const;

  // Published properties of the class and its ancestors, ancestors first.
  const TPropertyList& Properties() const;
  Publisher OwnPublisher() const { return publisher_; }

 private:
  const char* name_;
  const TClass* parent_;
  Factory factory_;
  Publisher publisher_;
};

using TClassRef = const TClass*;

// Liveness flag shared between an object and the tokens handed out for it.
class TAliveToken {
 public:
  TAliveToken() = default;
  // True while the object the token was taken from exists.
  bool Alive() const { return flag_ && flag_->load(std::memory_order_acquire); }

 private:
  friend class TObject;
  explicit TAliveToken(std::shared_ptr<std::atomic<bool>> flag) : flag_(std::move(flag)) {}
  std::shared_ptr<std::atomic<bool>> flag_;
};

class TObject {
 public:
  static constexpr TClass kClass{"TObject", nullptr};

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  virtual const TClass* ClassType() const { return &kClass; }
  std::string_view ClassName() const { return ClassType()->ClassName(); }
  const TClass* ClassParent() const { return ClassType()->ClassParent(); }
  bool InheritsFrom(const TClass* ancestor) const { return ClassType()->InheritsFrom(ancestor); }
  bool Is(const TClass& cls) const { return InheritsFrom(&cls); }

  // A token that turns false when this object is destroyed. Take it before
  // calling out (firing an event, running a handler) when the callee may
  // free this object.
  TAliveToken AliveToken() const;

 private:
  mutable std::shared_ptr<std::atomic<bool>> alive_;
};

// A non-owning reference that reads null once its target is destroyed.
template <class T>
class TWeakRef {
 public:
  TWeakRef() = default;
  TWeakRef(T* target) : target_(target), token_(target ? target->AliveToken() : TAliveToken()) {}

  T* Get() const { return token_.Alive() ? target_ : nullptr; }
  T* operator->() const { return Get(); }
  explicit operator bool() const { return Get() != nullptr; }
  void Reset() { *this = TWeakRef(); }

 private:
  T* target_ = nullptr;
  TAliveToken token_;
};

// Factories for TClass descriptors. A class with an owner type (components
// name TComponent, collection items TCollection) is built with the owner
// cast to that type; other classes are default-constructed.
template <class T>
TObject* ConstructInstance(TObject* owner) {
  if constexpr (requires { typename T::TOwnerType; }) {
    using Owner = typename T::TOwnerType;
    auto* typed_owner = dynamic_cast<Owner*>(owner);
    if (owner != nullptr && typed_owner == nullptr)
      throw EInvalidOperation("Cannot create a " + std::string(T::kClass.ClassName()) + " owned by a " +
                              std::string(owner->ClassName()));
    return new T(typed_owner);
  } else {
    return new T();
  }
}

// The typed checked cast of a virtual construction: the instance as T, or
// EInvalidOperation when the class is not a T (the instance is freed then).
template <class T>
std::unique_ptr<T> CreateUnowned(const TClass* cls) {
  std::unique_ptr<TObject> instance(cls->CreateInstance(nullptr));
  auto* typed = dynamic_cast<T*>(instance.get());
  if (typed == nullptr)
    throw EInvalidOperation("Class " + std::string(cls->ClassName()) + " is not a " +
                            std::string(T::kClass.ClassName()));
  instance.release();
  return std::unique_ptr<T>(typed);
}

// Class registry used by component streaming to find a class by its name.
// Registering a class twice is harmless; a different class under a name that
// is taken raises EFilerError.
void RegisterStreamableClass(const TClass& cls);
void RegisterStreamableClasses(std::initializer_list<const TClass*> classes);
void UnRegisterStreamableClass(const TClass& cls);
// The class registered under `name` (case-insensitive), or null.
const TClass* GetClass(std::string_view name);
// As GetClass, but raises EClassNotFound ("Class %s not found").
const TClass* FindClass(std::string_view name);

// Interfaces are abstract classes deriving virtually from IInterface; an
// object implements one by deriving from it. There is no reference counting:
// the object's owner decides its lifetime.
class IInterface {
 public:
  virtual ~IInterface() = default;
};

// The object's implementation of interface I, or null.
template <class I, class Source>
I* Supports(Source* object) {
  return object == nullptr ? nullptr : dynamic_cast<I*>(object);
}
template <class I, class Source>
bool Supports(Source* object, I*& implementation) {
  implementation = Supports<I>(object);
  return implementation != nullptr;
}

// The one stateless instance of a class whose virtual functions act as
// class-level operations (painters, value types). Built on first use.
template <class T>
const T& StatelessInstance() {
  static const T instance;
  return instance;
}

// Opens an update bracket (BeginUpdate) for its lifetime and closes it
// (EndUpdate) at the end of the scope. The closing may fire change events;
// their exceptions pass on, except while another exception unwinds.
template <class T>
class TUpdateScope {
 public:
  explicit TUpdateScope(T& target) : target_(target), exceptions_(std::uncaught_exceptions()) {
    target_.BeginUpdate();
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;
  ~TUpdateScope() noexcept(false) {
    RunScopeCleanup([this] { target_.EndUpdate(); }, exceptions_);
  }

 private:
  T& target_;
  int exceptions_;
};

class EClassNotFound : public EFilerError {
 public:
  using EFilerError::EFilerError;
  const char* ClassName() const override { return "EClassNotFound"; }
};
