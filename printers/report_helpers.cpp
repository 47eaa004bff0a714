#include "printers/report_helpers.h"

#include <algorithm>
#include <cctype>

#include "platform/rtl/filer.h"
#include "printers/units.h"

namespace {

// The positive number that follows `stem` in `name`, or 0 when the rest of
// the name is not such a number.
int64_t NumberAfterStem(std::string_view name, std::string_view stem) {
  if (name.size() <= stem.size() || name.substr(0, stem.size()) != stem)
    return 0;
  std::string_view digits = name.substr(stem.size());
  // Longer numbers than this are no counter a user would continue.
  if (digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    return 0;
  return std::stoll(std::string(digits));
}

}  // namespace

int32_t prReadIntegerOrFloat(TReader& reader) {
  switch (reader.NextValue()) {
    case vaExtended:
    case vaDouble:
    case vaSingle:
      return prRoundToInt32(reader.ReadFloat());
    default: {
      int64_t value = reader.ReadInteger();
      return prTruncToInt32(static_cast<double>(value));
    }
  }
}

bool prHasPublishedProperty(const TObject& object, std::string_view name) {
  return object.ClassType()->Properties().Find(name) != nullptr;
}

std::string prClassNameStem1(const TObject& object) {
  std::string_view name = object.ClassName();
  return std::string(name.substr(std::min<size_t>(1, name.size())));
}

std::string prClassNameStem3(const TObject& object) {
  std::string_view name = object.ClassName();
  return std::string(name.substr(std::min<size_t>(3, name.size())));
}

std::string prUniqueComponentNumber(const TComponent* owner, std::string_view stem, const TComponent& component) {
  if (owner == nullptr)
    return std::string(stem);
  std::vector<int64_t> taken;
  for (int32_t i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* other = owner->Components(i);
    if (other == &component || !other->InheritsFrom(component.ClassType()))
      continue;
    if (int64_t number = NumberAfterStem(other->Name(), stem); number > 0)
      taken.push_back(number);
  }
  std::sort(taken.begin(), taken.end());
  taken.erase(std::unique(taken.begin(), taken.end()), taken.end());
  int64_t free_number = 1;
  for (int64_t number : taken) {
    if (number != free_number)
      break;
    ++free_number;
  }
  return std::string(stem) + std::to_string(free_number);
}

std::string prGetEnumName(const std::vector<std::string>& value_names, int64_t value) {
  if (value < 0 || value >= static_cast<int64_t>(value_names.size()))
    return {};
  return value_names[static_cast<size_t>(value)];
}
