#pragma once
// Makes an object of a class named by a class-returning operation, with the
// owner the class's constructor takes, and hands it over as a unique_ptr of
// the family's base type. A class outside the family raises
// EInvalidOperation.
#include <memory>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

template <class T>
std::unique_ptr<T> lxGridCreate(const TClass* cls, TObject* owner) {
  if (cls == nullptr)
    return nullptr;
  std::unique_ptr<TObject> instance(cls->CreateInstance(owner));
  auto* typed = dynamic_cast<T*>(instance.get());
  if (typed == nullptr)
    throw EInvalidOperation("Class " + std::string(cls->ClassName()) + " is not a " +
                            std::string(T::kClass.ClassName()));
  instance.release();
  return std::unique_ptr<T>(typed);
}
