#include "editors/filter_edit_helper.h"

#include <algorithm>
#include <memory>

#include "editors/edit_properties.h"
#include "editors/filter_control_strings.h"

namespace {

std::unique_ptr<TlxFilterEditsController>& ControllerSlot() {
  static std::unique_ptr<TlxFilterEditsController> controller;
  return controller;
}

}  // namespace

// --- TlxCustomFilterEditHelper -------------------------------------------

void TlxCustomFilterEditHelper::ClearPropertiesEvents(TlxCustomEditProperties* properties) const {
  if (properties == nullptr)
    return;
  properties->OnButtonClick = nullptr;
  properties->OnChange = nullptr;
  properties->OnEditValueChanged = nullptr;
  properties->OnValidate = nullptr;
}

bool TlxCustomFilterEditHelper::KeepsDefaultValuesProvider(
    const TlxCustomEditProperties* /*source_properties*/) const {
  return true;
}

void TlxCustomFilterEditHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                      TlxValueTypeClass value_type,
                                                      TlxFilterConditionOperators& operators,
                                                      bool extended) const {
  operators = TlxFilterConditionOperators::Range(fcoEqual, extended ? fcoNotInList : fcoNonBlanks);
  if (value_type == nullptr || !value_type->IsTextType()) {
    operators.Exclude(fcoLike);
    operators.Exclude(fcoNotLike);
  }
}

void TlxCustomFilterEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                          const TlxCustomEditProperties* source_properties,
                                                          bool keep_buttons) const {
  properties->Assign(source_properties);
  TlxEditAlignment* alignment = properties->GetAlignment();
  alignment->SetHorz(taLeftJustify);
  alignment->SetVert(taTopJustify);
  properties->SetBeepOnError(false);
  if (!keep_buttons)
    properties->Buttons()->Clear();
  properties->SetReadOnly(false);
  properties->SetValidateOnEnter(true);
  if (!KeepsDefaultValuesProvider(source_properties))
    properties->SetDefaultValuesProvider(nullptr);
  ClearPropertiesEvents(properties);
}

bool TlxCustomFilterEditHelper::IsValueAcceptable(TlxValueTypeClass value_type, Variant& value) const {
  return value_type == nullptr || value_type->AcceptsVariant(value);
}

void lxCheckFilterOperand(Variant& value, TlxFilterConditionOperator op, TlxFilterEditHelperClass helper,
                          TlxValueTypeClass value_type, const std::function<void()>& reject) {
  if (value_type == nullptr)
    return;
  const bool empty_text = (value.Type() == varString && value.TextView().empty()) ||
                          (value.Type() == varOleStr && value.WideView().empty());
  if (empty_text && !value_type->IsTextType())
    value = Variant::Null();
  if (value.IsNull() || op == fcoLike || op == fcoNotLike)
    return;
  bool acceptable = false;
  try {
    acceptable = helper == nullptr || helper->IsValueAcceptable(value_type, value);
  } catch (const std::exception&) {
    // The check's own error is replaced by the filter's.
    acceptable = false;
  }
  if (acceptable)
    return;
  if (reject)
    reject();
  lxRaiseFilterControlError(lxFilterControlResString(lxSFilterDialogInvalidValue));
}

// --- TlxFilterEditsController ----------------------------------------------

TClassRef TlxFilterEditsController::GetKeyClass(TClassRef properties_class) {
  if (properties_class == nullptr || properties_class->ClassParent() == nullptr)
    return properties_class;
  return properties_class->ClassParent();
}

void TlxFilterEditsController::RegisterHelper(TClassRef properties_class, TlxFilterEditHelperClass helper) {
  if (properties_class == nullptr || helper == nullptr)
    return;
  if (HelperOfClass(helper->ClassType()) == nullptr)
    helpers_.push_back(helper);
  RegisterPair(properties_class, helper->ClassType());
}

void TlxFilterEditsController::UnregisterHelper(TClassRef properties_class, TlxFilterEditHelperClass helper) {
  if (properties_class == nullptr || helper == nullptr)
    return;
  UnregisterPair(properties_class, helper->ClassType());
  if (PairCount() > 0)
    return;
  // The last module end frees the registry; `this` is gone after this line.
  if (ControllerSlot().get() == this)
    ControllerSlot().reset();
}

TlxFilterEditHelperClass TlxFilterEditsController::FindHelperClass(TClassRef properties_class) const {
  if (properties_class == nullptr)
    return nullptr;
  return HelperOfClass(LookupRegisteredClass(GetKeyClass(properties_class)));
}

void TlxFilterEditsController::RegisterPair(TClassRef item_class, TClassRef registered_class) {
  TlxRegisteredClassList::RegisterPair(GetKeyClass(item_class), registered_class);
}

void TlxFilterEditsController::UnregisterPair(TClassRef item_class, TClassRef registered_class) {
  TlxRegisteredClassList::UnregisterPair(GetKeyClass(item_class), registered_class);
}

TlxFilterEditHelperClass TlxFilterEditsController::HelperOfClass(TClassRef helper_class) const {
  if (helper_class == nullptr)
    return nullptr;
  auto found = std::find_if(helpers_.begin(), helpers_.end(), [helper_class](TlxFilterEditHelperClass helper) {
    return helper->ClassType() == helper_class;
  });
  return found != helpers_.end() ? *found : nullptr;
}

TlxFilterEditsController& lxGetFilterEditsController() {
  if (!ControllerSlot())
    ControllerSlot() = std::make_unique<TlxFilterEditsController>();
  return *ControllerSlot();
}

bool lxFilterEditsControllerExists() { return ControllerSlot() != nullptr; }
