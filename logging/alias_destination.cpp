#include "logging/alias_destination.h"

#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

void TAliasDestination::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TAliasDestination>();
  p.String("Name", &TAliasDestination::Name, &TAliasDestination::SetName);
}

TAliasDestination::TAliasDestination(TLogWireDestination* owner) : TBaseDestination(owner, "Alias") {
  Reset();
}

void TAliasDestination::CopyFrom(const TBaseDestination& source) {
  TBaseDestination::CopyFrom(source);
  if (const auto* alias = dynamic_cast<const TAliasDestination*>(&source))
    SetName(alias->Name());
}

void TAliasDestination::Validate() {
  if (Active() && name_.empty())
    RaiseMissingParameter("Name");
}

void TAliasDestination::Reset() {
  TBaseDestination::Reset();
  name_.clear();
}

void TAliasDestination::SetOption(std::string_view name, std::string_view value) {
  if (!SameText(name, "Name"))
    RaiseUnknownOption(name);
  SetName(value);
}

std::string TAliasDestination::GetText() const { return Format("%s[Name=%s]", {TypeName(), name_}); }
