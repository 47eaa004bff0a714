#pragma once
// The value rules of the stored-object interface of table views and items:
// how restored values are checked before they touch an item (an index is
// clamped, an ordinal outside its enumeration or a Boolean text other than
// "TRUE"/"FALSE" is the property conversion error, the item unchanged), and
// the names a table view lists. Portable, so that a layout store's input is
// checked natively.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/variant.h"

// The prefix of the filter MRU entries' names; the index follows it.
inline constexpr std::string_view kLxStoredFilterMRUItemPrefix = "FilterMRUItem";

// A restored "Index" clamped to 0..count - 1 (0 for an empty list), so that
// no value can grow the list it is parked in. A value that is no integer is
// the property conversion error.
int32_t lxStoredItemIndex(const Variant& value, int32_t count);
// A restored ordinal of an enumeration of `count` values; anything outside
// (or no integer) raises EPropertyConvertError.
uint8_t lxStoredOrdinal(const Variant& value, int32_t count);
// A restored Boolean text: "TRUE" or "FALSE" in any letter case.
bool lxStoredBoolean(const Variant& value);
// Whether a name is a filter MRU entry's, and its index (the platform's
// conversion error for a non-numeric one).
bool lxIsStoredFilterMRUItemName(std::string_view name);
int32_t lxStoredFilterMRUItemIndex(std::string_view name);
std::string lxStoredFilterMRUItemName(int32_t index);
// The ID an item is stored under when the view stores items by ID; -1 for
// an empty name; the platform's conversion error for one that is no number.
int32_t lxStoredItemID(std::string_view name);
// The group index of a "SummaryGroup<i>[_Item<j>|_Link<j>]" child name; -1
// when it is not a number.
int32_t lxStoredSummaryGroupIndex(std::string_view name);
// The property names a table view lists before the view framework's: with
// the filter stored, "FilterActive", "Filter" and, with the MRU list on,
// the MRU entries from the highest index down to 0.
std::vector<std::string> lxTableViewStoredPropertyNames(bool stores_filter, bool mru_list, int32_t mru_count);
// The property names a table item lists, in order.
std::vector<std::string> lxTableItemStoredPropertyNames();
