#include "grid/grid_stored_values.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "ui/foundation/base/hex_text.h"

namespace {

// "Summary" and "Group": the characters before a summary group's index.
constexpr std::string_view kSummaryGroupPrefix = "SummaryGroup";

int32_t StoredInteger(const Variant& value) {
  try {
    return value.AsInteger();
  } catch (const EVariantError&) {
    throw EPropertyConvertError("Invalid property value");
  } catch (const EConvertError&) {
    throw EPropertyConvertError("Invalid property value");
  }
}

}  // namespace

int32_t lxStoredItemIndex(const Variant& value, int32_t count) {
  const int32_t index = StoredInteger(value);
  if (count <= 0)
    return 0;
  return std::clamp(index, 0, count - 1);
}

uint8_t lxStoredOrdinal(const Variant& value, int32_t count) {
  const int32_t ordinal = StoredInteger(value);
  if (ordinal < 0 || ordinal >= count)
    throw EPropertyConvertError("Invalid property value");
  return static_cast<uint8_t>(ordinal);
}

bool lxStoredBoolean(const Variant& value) {
  if (value.IsNull() || value.IsEmpty())
    throw EPropertyConvertError("Invalid property value");
  return lxTextToBoolean(value.AsString());
}

bool lxIsStoredFilterMRUItemName(std::string_view name) { return name.starts_with(kLxStoredFilterMRUItemPrefix); }

int32_t lxStoredFilterMRUItemIndex(std::string_view name) {
  return StrToInt(name.substr(std::min(name.size(), kLxStoredFilterMRUItemPrefix.size())));
}

std::string lxStoredFilterMRUItemName(int32_t index) {
  return std::string(kLxStoredFilterMRUItemPrefix) + std::to_string(index);
}

int32_t lxStoredItemID(std::string_view name) {
  if (name.empty())
    return -1;
  return StrToInt(name);
}

int32_t lxStoredSummaryGroupIndex(std::string_view name) {
  if (!name.starts_with(kSummaryGroupPrefix))
    return -1;
  std::string_view rest = name.substr(kSummaryGroupPrefix.size());
  rest = rest.substr(0, rest.find('_'));
  int32_t index = -1;
  if (!TryStrToInt(rest, index) || index < 0)
    return -1;
  return index;
}

std::vector<std::string> lxTableViewStoredPropertyNames(bool stores_filter, bool mru_list, int32_t mru_count) {
  std::vector<std::string> names;
  if (!stores_filter)
    return names;
  names.emplace_back("FilterActive");
  names.emplace_back("Filter");
  if (mru_list)
    for (int32_t index = mru_count - 1; index >= 0; --index)
      names.push_back(lxStoredFilterMRUItemName(index));
  return names;
}

std::vector<std::string> lxTableItemStoredPropertyNames() {
  return {"AlignmentHorz", "Index", "Visible", "SortOrder", "SortIndex", "WasVisibleBeforeGrouping"};
}
