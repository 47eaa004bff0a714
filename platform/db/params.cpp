#include "platform/db/params.h"

#include <vector>

#include "platform/db/db_errors.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

std::vector<std::string> SplitNames(std::string_view names) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= names.size()) {
    const size_t end = names.find(';', start);
    const std::string_view part = names.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!part.empty())
      parts.emplace_back(part);
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

void TParam::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TParam>();
  p.String("Name", &TParam::Name, &TParam::SetName);
}

void TParam::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TParam*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  name_ = other->name_;
  value_ = other->value_;
}

TParam* TParams::CreateParam(const std::string& name) {
  auto* param = static_cast<TParam*>(Add());
  param->SetName(name);
  return param;
}

TParam* TParams::FindParam(std::string_view name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (CompareText(Items(i)->Name(), name) == 0)
      return Items(i);
  return nullptr;
}

TParam* TParams::ParamByName(std::string_view name) const {
  TParam* param = FindParam(name);
  if (param == nullptr)
    DatabaseError("Parameter '" + std::string(name) + "' not found");
  return param;
}

Variant TParams::ParamValues(std::string_view names) const {
  const std::vector<std::string> parts = SplitNames(names);
  if (parts.size() == 1)
    return ParamByName(parts[0])->Value();
  Variant values = VarArrayCreate(0, static_cast<int32_t>(parts.size()) - 1, varVariant);
  for (size_t i = 0; i < parts.size(); ++i)
    VarArrayPut(values, ParamByName(parts[i])->Value(), static_cast<int32_t>(i));
  return values;
}

void TParams::SetParamValues(std::string_view names, const Variant& values) {
  const std::vector<std::string> parts = SplitNames(names);
  if (parts.size() == 1 && !values.IsArray()) {
    ParamByName(parts[0])->SetValue(values);
    return;
  }
  for (size_t i = 0; i < parts.size(); ++i)
    ParamByName(parts[i])->SetValue(VarArrayGet(values, VarArrayLowBound(values) + static_cast<int32_t>(i)));
}
