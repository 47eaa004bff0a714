#pragma once
// What the dataset lookup editor decides about datasets without a window:
// whether a list dataset would feed the dataset it edits (a circular data
// link), and the key that stands for "no row" for a set of key fields.

#include <cstdint>
#include <string_view>

#include "platform/rtl/variant.h"

class TDataSet;

// Walks the master chain from `data_set` (its master data sources and, for
// nested datasets, the dataset holding the nested field): true when the
// chain reaches `list_data_set`. A null dataset on either side is no link.
bool lxIsCircularDataLink(const TDataSet* data_set, const TDataSet* list_data_set);

// The number of names in a ";"-separated list of key fields; empty names
// (as in "A;;B" or a trailing ";") do not count.
int32_t lxKeyFieldCount(std::string_view key_field_names);

// Null for one key field (or none); for several, an array (bounds 0 to
// count - 1) of one Null per field.
Variant lxLookupNullKey(std::string_view key_field_names);
