#include "printers/rtti_classes.h"

#include "platform/rtl/component.h"

namespace {

// The value of parameter `index`, or null when the list is too short: the
// scripting layer may call with fewer parameters than described.
TrtParam* ParamAt(TrtParamList* params, int32_t index) {
  if (params == nullptr || index < 0 || index >= params->Count())
    return nullptr;
  return &params->Param(index);
}

void SetResult(TrtParam* param, TObject* object) {
  if (param == nullptr)
    return;
  TrtValue value;
  value.object = object;
  param->SetValue(value);
}

}  // namespace

// TObject

void TrtTObjectRTTI::GetPropList(const TClass* cls, TStrings& list) const {
  TrtRTTI::GetPropList(cls, list);
  list.Add("ClassName");
  list.Add("Create");
  list.Add("Free");
}

const TClass* TrtTObjectRTTI::GetRefClass() const { return &TObject::kClass; }

bool TrtTObjectRTTI::GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  if (name == "ClassName" || name == "Create" || name == "Free") {
    DescribeMethod(cls, name, rec);
    return true;
  }
  return TrtRTTI::GetPropRec(cls, name, rec);
}

std::unique_ptr<TrtParamList> TrtTObjectRTTI::GetParams(std::string_view name) const {
  if (name == "ClassName") {
    auto params = std::make_unique<TrtParamList>();
    params->AddParam("Result", rtdtString);
    return params;
  }
  return TrtRTTI::GetParams(name);
}

bool TrtTObjectRTTI::CallMethod(TObject* instance, std::string_view name, bool flag, TrtParamList* params) const {
  if (name == "Create") {
    TrtParam* class_param = ParamAt(params, 0);
    TrtParam* result = ParamAt(params, 1);
    if (class_param == nullptr || class_param->Value().class_ref == nullptr || result == nullptr)
      return false;
    SetResult(result, class_param->Value().class_ref->CreateInstance(nullptr));
    return true;
  }
  if (name == "Free") {
    delete instance;
    return true;
  }
  if (name == "ClassName") {
    TrtParam* result = ParamAt(params, 0);
    if (instance == nullptr || result == nullptr)
      return false;
    TrtValue value;
    value.text = std::string(instance->ClassName());
    result->SetValue(value);
    return true;
  }
  return TrtRTTI::CallMethod(instance, name, flag, params);
}

// TPersistent

void TrtTPersistentRTTI::GetPropList(const TClass* cls, TStrings& list) const {
  TrtTObjectRTTI::GetPropList(cls, list);
  list.Add("Assign");
}

const TClass* TrtTPersistentRTTI::GetRefClass() const { return &TPersistent::kClass; }

bool TrtTPersistentRTTI::GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  if (name == "Assign") {
    DescribeMethod(cls, name, rec);
    return true;
  }
  return TrtTObjectRTTI::GetPropRec(cls, name, rec);
}

std::unique_ptr<TrtParamList> TrtTPersistentRTTI::GetParams(std::string_view name) const {
  if (name == "Assign") {
    auto params = std::make_unique<TrtParamList>();
    params->AddParam("Source", rtdtClass, &TPersistent::kClass);
    return params;
  }
  return TrtTObjectRTTI::GetParams(name);
}

bool TrtTPersistentRTTI::CallMethod(TObject* instance, std::string_view name, bool flag,
                                    TrtParamList* params) const {
  if (name == "Assign") {
    auto* target = dynamic_cast<TPersistent*>(instance);
    TrtParam* source = ParamAt(params, 0);
    if (target == nullptr || source == nullptr)
      return false;
    target->Assign(dynamic_cast<TPersistent*>(source->Value().object));
    return true;
  }
  return TrtTObjectRTTI::CallMethod(instance, name, flag, params);
}

// TComponent

void TrtTComponentRTTI::GetPropList(const TClass* cls, TStrings& list) const {
  TrtTPersistentRTTI::GetPropList(cls, list);
  list.Add("Owner");
}

const TClass* TrtTComponentRTTI::GetRefClass() const { return &TComponent::kClass; }

bool TrtTComponentRTTI::GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  if (name == "Owner") {
    rec.Initialize(name, rtdtClass, true);
    rec.Class = &TComponent::kClass;
    return true;
  }
  if (name == "Tag") {
    rec.Initialize(name, rtdtInteger, false);
    rec.IsPublished = true;
    return true;
  }
  return TrtTPersistentRTTI::GetPropRec(cls, name, rec);
}

std::unique_ptr<TrtParamList> TrtTComponentRTTI::GetParams(std::string_view name) const {
  if (name == "Create") {
    auto params = std::make_unique<TrtParamList>();
    params->AddParam("Owner", rtdtClass, &TComponent::kClass);
    return params;
  }
  return TrtTPersistentRTTI::GetParams(name);
}

bool TrtTComponentRTTI::CallMethod(TObject* instance, std::string_view name, bool flag,
                                   TrtParamList* params) const {
  if (name == "Create") {
    TrtParam* owner = ParamAt(params, 0);
    TrtParam* class_param = ParamAt(params, 1);
    TrtParam* result = ParamAt(params, 2);
    if (owner == nullptr || class_param == nullptr || class_param->Value().class_ref == nullptr ||
        result == nullptr)
      return false;
    SetResult(result, class_param->Value().class_ref->CreateInstance(owner->Value().object));
    return true;
  }
  return TrtTPersistentRTTI::CallMethod(instance, name, flag, params);
}

bool TrtTComponentRTTI::GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const {
  auto* component = dynamic_cast<TComponent*>(instance);
  if (component != nullptr && name == "Owner") {
    value = TrtValue();
    value.object = component->Owner();
    return true;
  }
  if (component != nullptr && name == "Tag") {
    TrtValue tag;
    tag.ordinal = component->Tag();
    value = TrtValue::Stored(rtdtInteger, tag);
    return true;
  }
  return TrtTPersistentRTTI::GetPropValue(instance, name, value);
}

bool TrtTComponentRTTI::SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const {
  auto* component = dynamic_cast<TComponent*>(instance);
  if (component != nullptr && name == "Tag") {
    component->SetTag(static_cast<intptr_t>(TrtValue::Stored(rtdtInteger, value).ordinal));
    return true;
  }
  return TrtTPersistentRTTI::SetPropValue(instance, name, value);
}
