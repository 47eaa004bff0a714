#pragma once
// Base classes for objects that implement interfaces while their owner
// decides their lifetime: no reference count ever frees them.

#include <cstdint>

#include "platform/rtl/persistent.h"

// The answers of the interface query.
constexpr int32_t lxS_OK = 0;
constexpr int32_t lxE_NOINTERFACE = static_cast<int32_t>(0x80004002u);

// An object that answers interface queries without reference counting.
// Base of the grid's cell view-info objects.
class TlxIUnknownObject : public TObject, public virtual IInterface {
 public:
  static constexpr TClass kClass{"TlxIUnknownObject", &TObject::kClass, &ConstructInstance<TlxIUnknownObject>};
  const TClass* ClassType() const override { return &kClass; }

  // lxS_OK with the implementation when this object implements I, else
  // lxE_NOINTERFACE with null.
  template <class I>
  int32_t QueryInterface(I*& implementation) {
    implementation = Supports<I>(this);
    return implementation != nullptr ? lxS_OK : lxE_NOINTERFACE;
  }
  // Reference counts are not kept: both answer -1 and never free.
  int32_t AddRef() const { return -1; }
  int32_t Release() const { return -1; }
};

// A persistent with an owner that implements interfaces without reference
// counting. The owner is what GetOwner answers, so name paths and streaming
// see it. Option, style and properties objects derive from it.
class TlxInterfacedPersistent : public TPersistent, public virtual IInterface {
 public:
  // Virtual construction passes the owner persistent.
  using TOwnerType = TPersistent;

  static constexpr TClass kClass{"TlxInterfacedPersistent", &TPersistent::kClass,
                                 &ConstructInstance<TlxInterfacedPersistent>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxInterfacedPersistent(TPersistent* owner) : owner_(owner) {}

  TPersistent* GetOwner() const override { return owner_; }

  int32_t AddRef() const { return -1; }
  int32_t Release() const { return -1; }

 private:
  TPersistent* owner_;
};
