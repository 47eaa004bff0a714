#include "printers/rtti.h"

#include "platform/rtl/date_text.h"
#include "platform/rtl/format.h"

namespace {

std::string LimitedName(std::string_view name) { return std::string(name.substr(0, kMaxRttiNameLength)); }

const TPropInfo* FindPublished(const TClass* cls, std::string_view name) {
  return cls == nullptr ? nullptr : cls->Properties().Find(name);
}

bool IsListedKind(TTypeKind kind) { return kind != TTypeKind::tkSet; }

TPersistent* AsPersistent(TObject* instance) { return dynamic_cast<TPersistent*>(instance); }

}  // namespace

TrtValue TrtValue::Stored(TrtDataType type, const TrtValue& source) {
  TrtValue stored;
  switch (type) {
    case rtdtInteger:
      stored.ordinal = static_cast<int32_t>(static_cast<uint32_t>(source.ordinal));
      break;
    case rtdtChar:
    case rtdtEnum:
      stored.ordinal = static_cast<uint8_t>(source.ordinal);
      break;
    case rtdtBoolean:
      stored.ordinal = source.ordinal != 0 ? 1 : 0;
      break;
    case rtdtSingle:
      stored.real = static_cast<float>(source.real);
      break;
    case rtdtDouble:
    case rtdtExtended:
    case rtdtDateTime:
    case rtdtDate:
    case rtdtTime:
      stored.real = source.real;
      break;
    case rtdtCurrency:
      stored.currency = source.currency;
      break;
    case rtdtString:
      stored.text = source.text;
      break;
    case rtdtClass:
      stored.object = source.object;
      stored.class_ref = source.class_ref;
      break;
    case rtdtVariant:
      stored.variant = source.variant;
      break;
    case rtdtNotSupported:
    case rtdtMethod:
      break;
  }
  return stored;
}

TrtParam::TrtParam(std::string_view name, TrtDataType data_type, const TClass* cls, std::string_view type_name,
                   bool flag1, bool flag2)
    : name_(LimitedName(name)),
      data_type_(data_type),
      class_(cls),
      type_name_(LimitedName(type_name)),
      flag1_(flag1),
      flag2_(flag2) {}

TrtParam& TrtParamList::AddParam(std::string_view name, TrtDataType data_type, const TClass* cls,
                                 std::string_view type_name, bool flag1, bool flag2) {
  auto param = std::make_unique<TrtParam>(name, data_type, cls, type_name, flag1, flag2);
  TrtParam& added = *param;
  AddObject(added.Name(), param.release());
  return added;
}

TrtParam& TrtParamList::Param(int32_t index) const { return static_cast<TrtParam&>(*Objects(index)); }

TrtParam* TrtParamList::Find(std::string_view name) const {
  int32_t index = IndexOf(name);
  return index < 0 ? nullptr : &Param(index);
}

void TrtPropRec::Initialize(std::string_view name, TrtDataType data_type, bool read_only) {
  *this = TrtPropRec();
  Name = LimitedName(name);
  DataType = data_type;
  ReadOnly = read_only;
}

TrtDataType prDataTypeOfProperty(const TPropInfo& property) {
  switch (property.Kind) {
    case TTypeKind::tkInteger:
      return rtdtInteger;
    case TTypeKind::tkFloat:
      return rtdtDouble;
    case TTypeKind::tkString:
      return rtdtString;
    case TTypeKind::tkBoolean:
      return rtdtBoolean;
    case TTypeKind::tkEnumeration:
      return rtdtEnum;
    case TTypeKind::tkClass:
      return rtdtClass;
    case TTypeKind::tkInt64:
    case TTypeKind::tkSet:
    case TTypeKind::tkVariant:
      return rtdtNotSupported;
  }
  return rtdtNotSupported;
}

void TrtRTTI::GetPropList(const TClass* cls, TStrings& list) const {
  if (cls == nullptr)
    return;
  for (const TPropInfo& property : cls->Properties().Items()) {
    if (IsListedKind(property.Kind))
      list.Add(property.Name);
  }
}

void TrtRTTI::GetEventList(const TClass*, TStrings&) const {
  // Events of this object model are plain members, not published
  // properties: no class has published events to list.
}

const TClass* TrtRTTI::GetRefClass() const { return &TObject::kClass; }

bool TrtRTTI::GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  const TPropInfo* property = FindPublished(cls, name);
  if (property == nullptr)
    return false;
  bool writable = property->SetOrd || property->SetFloat || property->SetStr || property->SetObj;
  rec.Initialize(property->Name, prDataTypeOfProperty(*property), !writable);
  rec.IsPublished = true;
  if (property->Kind == TTypeKind::tkClass)
    rec.Class = property->ObjectClass;
  return true;
}

void TrtRTTI::DescribeMethod(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  rec.Initialize(name, rtdtMethod, true);
  std::unique_ptr<TrtParamList> params = GetParams(name);
  if (name == "Create") {
    if (!params)
      params = std::make_unique<TrtParamList>();
    params->AddParam("Class", rtdtClass, cls);
    params->AddParam("Result", rtdtClass, cls);
    rec.IsConstructor = true;
  }
  if (params && params->Count() > 0) {
    TrtParam& last = params->Param(params->Count() - 1);
    if (last.Name() == "Result" && last.DataType() == rtdtClass)
      rec.Class = last.ParamClass();
    rec.Params = std::move(params);
  }
}

bool TrtRTTI::CallMethod(TObject*, std::string_view, bool, TrtParamList*) const { return false; }

std::unique_ptr<TrtParamList> TrtRTTI::GetParams(std::string_view) const { return nullptr; }

bool TrtRTTI::GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const {
  TPersistent* persistent = AsPersistent(instance);
  TrtPropRec rec;
  if (persistent == nullptr || !GetPropRec(instance->ClassType(), name, rec))
    return false;
  const TPropInfo* property = FindPublished(instance->ClassType(), name);
  if (property == nullptr)
    return false;
  TrtValue read;
  switch (property->Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
    case TTypeKind::tkBoolean:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet:
      read.ordinal = property->GetOrd(*persistent);
      break;
    case TTypeKind::tkFloat:
      read.real = property->GetFloat(*persistent);
      if (rec.DataType == rtdtCurrency)
        read.currency = Currency::FromDouble(read.real);
      break;
    case TTypeKind::tkString:
      read.text = property->GetStr(*persistent);
      read.variant = Variant(read.text);
      break;
    case TTypeKind::tkClass:
      read.object = property->GetObj(*persistent);
      break;
    case TTypeKind::tkVariant:
      read.variant = property->GetVar(*persistent);
      break;
  }
  value = TrtValue::Stored(rec.DataType, read);
  return true;
}

std::string TrtRTTI::GetPropText(TObject* instance, std::string_view name) const {
  TrtPropRec rec;
  TrtValue value;
  if (instance == nullptr || !GetPropRec(instance->ClassType(), name, rec) || !GetPropValue(instance, name, value))
    return {};
  switch (rec.DataType) {
    case rtdtInteger:
    case rtdtChar:
      return IntToStr(value.ordinal);
    case rtdtSingle:
      return FloatToStrF(value.real, TFloatFormat::ffGeneral, 8, 0);
    case rtdtDouble:
      return FloatToStrF(value.real, TFloatFormat::ffGeneral, 15, 0);
    case rtdtExtended:
      return FloatToStrF(value.real, TFloatFormat::ffGeneral, 18, 0);
    case rtdtCurrency:
      return FloatToStrF(value.currency.ToDouble(), TFloatFormat::ffCurrency, 15, 2);
    case rtdtString:
      return value.text;
    case rtdtDateTime:
      return DateTimeToStr(value.real);
    case rtdtDate:
      return DateToStr(value.real);
    case rtdtTime:
      return TimeToStr(value.real);
    case rtdtBoolean:
      return value.ordinal != 0 ? "True" : "False";
    case rtdtVariant:
      return value.variant.AsString();
    case rtdtEnum: {
      const TPropInfo* property = FindPublished(instance->ClassType(), name);
      if (property != nullptr && value.ordinal < static_cast<int64_t>(property->ElementNames.size()))
        return property->ElementNames[static_cast<size_t>(value.ordinal)];
      return IntToStr(value.ordinal);
    }
    case rtdtNotSupported:
    case rtdtClass:
    case rtdtMethod:
      break;
  }
  return {};
}

bool TrtRTTI::SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const {
  TPersistent* persistent = AsPersistent(instance);
  TrtPropRec rec;
  if (persistent == nullptr || !GetPropRec(instance->ClassType(), name, rec) || rec.ReadOnly)
    return false;
  const TPropInfo* property = FindPublished(instance->ClassType(), name);
  if (property == nullptr)
    return false;
  TrtValue stored = TrtValue::Stored(rec.DataType, value);
  switch (property->Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
    case TTypeKind::tkBoolean:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet:
      if (!property->SetOrd)
        return false;
      property->SetOrd(*persistent, stored.ordinal);
      return true;
    case TTypeKind::tkFloat:
      if (!property->SetFloat)
        return false;
      property->SetFloat(*persistent, rec.DataType == rtdtCurrency ? stored.currency.ToDouble() : stored.real);
      return true;
    case TTypeKind::tkString:
      if (!property->SetStr)
        return false;
      property->SetStr(*persistent, rec.DataType == rtdtVariant ? stored.variant.AsString() : stored.text);
      return true;
    case TTypeKind::tkClass:
      if (!property->SetObj)
        return false;
      property->SetObj(*persistent, stored.object);
      return true;
    case TTypeKind::tkVariant:
      if (!property->SetVar)
        return false;
      property->SetVar(*persistent, stored.variant);
      return true;
  }
  return false;
}
