#pragma once
// What differs per editor kind when a filter operand is typed with it: the
// editor to create, how to prepare its properties, the sensible operators,
// how to read the operand and whether a value is acceptable. A helper's
// operations belong to its class: there is one stateless instance per
// helper class, and a helper "class reference" points at it.
//
// The registry maps an editor properties class to its helper, keyed by the
// properties class's direct parent, and finds the helper of the nearest
// registered ancestor for kinds without one of their own.

#include <string>
#include <vector>

#include "data/value_types.h"
#include "editors/filter_condition_operators.h"
#include "platform/rtl/variant.h"
#include "ui/foundation/base/registered_class_list.h"

class TlxCustomEditProperties;

class TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxCustomFilterEditHelper", &TObject::kClass};
  virtual const TClass* ClassType() const { return &kClass; }
  virtual ~TlxCustomFilterEditHelper() = default;

  // Class operations, in the order of their slots (those that work on an
  // editor control come with the control).
  virtual void ClearPropertiesEvents(TlxCustomEditProperties* properties) const;
  virtual bool KeepsDefaultValuesProvider(const TlxCustomEditProperties* source_properties) const;
  virtual bool KeepsEditButtons() const { return false; }
  // Null here; every registered helper names its editor control class.
  virtual TClassRef GetValueEditorClass() const { return nullptr; }
  // {1..14} extended, else {1..10}; like and not like only for text types.
  virtual void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                                     TlxFilterConditionOperators& operators, bool extended) const;
  virtual void InitValueEditorProperties(TlxCustomEditProperties* properties,
                                         const TlxCustomEditProperties* source_properties,
                                         bool keep_buttons) const;
  virtual bool IsValueAcceptable(TlxValueTypeClass value_type, Variant& value) const;
  virtual bool UsesDisplayText() const { return false; }
};

using TlxFilterEditHelperClass = const TlxCustomFilterEditHelper*;

// Checks a typed operand before it is stored: an empty text for a non-text
// type becomes Null; a value the type does not accept raises
// ElxFilterControlError "Invalid value", except for like and not like.
// Without a value type nothing is checked. `reject` runs before the error
// is raised (the editor marks itself modified and takes the focus there).
void lxCheckFilterOperand(Variant& value, TlxFilterConditionOperator op, TlxFilterEditHelperClass helper,
                          TlxValueTypeClass value_type, const std::function<void()>& reject);

class TlxFilterEditsController : public TlxRegisteredClassList {
 public:
  static constexpr TClass kClass{"TlxFilterEditsController", &TlxRegisteredClassList::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // The direct parent class: a helper registered for a leaf properties
  // class serves the leaf's custom class and its descendants.
  static TClassRef GetKeyClass(TClassRef properties_class);

  void RegisterHelper(TClassRef properties_class, TlxFilterEditHelperClass helper);
  // When no pair is left, the registry frees itself; the next
  // lxGetFilterEditsController creates a new one. Do not use the controller
  // after this call.
  void UnregisterHelper(TClassRef properties_class, TlxFilterEditHelperClass helper);
  // The helper of the nearest registered ancestor-or-self of the key class;
  // null outside every registered branch.
  TlxFilterEditHelperClass FindHelperClass(TClassRef properties_class) const;

 protected:
  void RegisterPair(TClassRef item_class, TClassRef registered_class) override;
  void UnregisterPair(TClassRef item_class, TClassRef registered_class) override;

 private:
  TlxFilterEditHelperClass HelperOfClass(TClassRef helper_class) const;

  std::vector<TlxFilterEditHelperClass> helpers_;
};

// The process-wide registry, created on first use.
TlxFilterEditsController& lxGetFilterEditsController();
// Whether the registry exists now (it frees itself with its last pair).
bool lxFilterEditsControllerExists();
