#pragma once
// The assigned-values object of a kind whose own "assigned" marks are a few
// Boolean flags beside the text flags. Each flag stores through one routine
// that tells the properties; Assign and RestoreDefaults walk the kind's flag
// list, so a kind names its flags once and writes no copy of either.
//
// A kind derives as
//   class TlxMyValues : public TlxFlagPropertiesValues<TlxMyValues> { ...
//     static constexpr auto Flags() { return std::array{&TlxMyValues::a_, ...}; }
// with Flags() reachable by the base (public, or the base as friend).

#include <array>

#include "editors/edit_properties.h"
#include "editors/text_edit_properties.h"
#include "platform/rtl/object.h"

template <class Kind>
class TlxFlagPropertiesValues : public TlxTextEditPropertiesValues {
 public:
  explicit TlxFlagPropertiesValues(TlxCustomEditProperties* owner) : TlxTextEditPropertiesValues(owner) {}

  void Assign(const TPersistent* source) override {
    const auto* values = dynamic_cast<const Kind*>(source);
    if (values == nullptr || Properties() == nullptr) {
      TlxTextEditPropertiesValues::Assign(source);
      return;
    }
    TUpdateScope<TlxCustomEditProperties> update(*Properties());
    TlxTextEditPropertiesValues::Assign(source);
    for (auto flag : Kind::Flags())
      StoreFlag(Self().*flag, values->*flag);
  }

  void RestoreDefaults() override {
    if (Properties() == nullptr)
      return;
    TUpdateScope<TlxCustomEditProperties> update(*Properties());
    TlxTextEditPropertiesValues::RestoreDefaults();
    for (auto flag : Kind::Flags())
      StoreFlag(Self().*flag, false);
  }

 protected:
  // A change is announced to the properties only when the flag moves.
  void StoreFlag(bool& flag, bool value) {
    if (flag == value)
      return;
    flag = value;
    if (Properties() != nullptr)
      Properties()->Changed();
  }

 private:
  Kind& Self() { return static_cast<Kind&>(*this); }
};
