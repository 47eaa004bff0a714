#include "logging/base_destination.h"

#include <unordered_map>
#include <vector>

#include "logging/destination.h"
#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

struct TOptionItem {
  std::string_view name;
  std::string_view value;
};

// Cuts `options` + ";" into items at each ";" outside brackets. Empty items
// (as from a trailing ";") are skipped.
std::vector<TOptionItem> SplitOptions(std::string_view options) {
  std::vector<TOptionItem> items;
  int64_t depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= options.size(); ++i) {
    const char c = i < options.size() ? options[i] : ';';
    if (c == '[')
      ++depth;
    else if (c == ']')
      --depth;
    else if (c == ';' && depth <= 0) {
      const std::string_view item = options.substr(start, i - start);
      start = i + 1;
      if (item.empty())
        continue;
      const size_t equals = item.find('=');
      if (equals == std::string_view::npos)
        items.push_back({item, {}});
      else
        items.push_back({item.substr(0, equals), item.substr(equals + 1)});
    }
  }
  return items;
}

}  // namespace

void TBaseDestination::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TBaseDestination>();
  p.Boolean("Active", &TBaseDestination::Active, &TBaseDestination::SetActive, false);
}

TBaseDestination::TBaseDestination(TLogWireDestination* owner, std::string type_name)
    : owner_(owner), type_name_(std::move(type_name)) {}

void TBaseDestination::SetActive(bool active) { Update(active_, active); }

void TBaseDestination::CopyFrom(const TBaseDestination& source) { SetActive(source.Active()); }

void TBaseDestination::Validate() {}

void TBaseDestination::Reset() { ResetActive(); }

void TBaseDestination::Changed() {
  if (owner_ != nullptr)
    owner_->UpdateHash();
}

void TBaseDestination::SetOption(std::string_view name, std::string_view /*value*/) {
  RaiseUnknownOption(name);
}

std::string TBaseDestination::GetText() const { return type_name_; }

void TBaseDestination::ParseOptions(std::string_view options) {
  const std::vector<TOptionItem> items = SplitOptions(options);
  // The first value of each name, names compared without letter case.
  std::unordered_map<std::string, std::string_view> first_values;
  for (const TOptionItem& item : items)
    first_values.emplace(LowerCase(item.name), item.value);
  for (const TOptionItem& item : items)
    SetOption(item.name, first_values.at(LowerCase(item.name)));
}

void TBaseDestination::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TBaseDestination*>(source);
  if (other != nullptr && other->ClassType() == ClassType()) {
    CopyFrom(*other);
    return;
  }
  TPersistent::Assign(source);
}

void TBaseDestination::RaiseMissingParameter(std::string_view parameter) const {
  throw ELogWireInvalidDestination(
      Format("Invalid %s Destination -- missing or incorrect %s parameter", {type_name_, parameter}));
}

void TBaseDestination::RaiseUnknownOption(std::string_view name) const {
  throw ELogWireInvalidDestination(
      Format("Invalid %s Destination Option -- unknown %s parameter", {type_name_, name}));
}

int32_t LogWireOptionInteger(std::string_view value) { return StrToIntDef(value, 0); }

bool LogWireOptionBoolean(std::string_view value) {
  bool result = false;
  return TryStrToBool(value, result) && result;
}
