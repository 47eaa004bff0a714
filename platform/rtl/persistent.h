#pragma once
// TPersistent: an object that can copy itself from another (Assign) and be
// stored as published properties in a component stream.

#include <string>

#include "platform/rtl/object.h"

class TFiler;

class TPersistent : public TObject {
 public:
  static constexpr TClass kClass{"TPersistent", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Copies `source` into this object. The base asks the source to copy
  // itself over (AssignTo), which fails with EConvertError ("Cannot assign a
  // <source class> to a <this class>") unless a class knows the pair.
  virtual void Assign(const TPersistent* source);

  // The object that owns this one in the sense of names and streaming.
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Dotted path of names used in messages: the owner's path, ".", own part.
  virtual std::string GetNamePath() const;

  // Adds stored values that are not published properties (binary blobs,
  // values computed on loading) through filer.DefineProperty and
  // filer.DefineBinaryProperty. Nothing in the base.
  virtual void DefineProperties(TFiler& filer);

 protected:
  virtual void AssignTo(TPersistent& destination) const;
};
