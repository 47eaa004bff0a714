#pragma once
// Small field helpers of the dataset binding and the data-aware editors:
// reading and writing field values (several key fields as a Variant array),
// filter field names, and whether a field can be edited as text or formats
// its own text.

#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/variant.h"

class TDataSet;
class TField;
class TStrings;

// A name that is not an identifier is enclosed in "[" and "]".
void lxDBQuoteFieldName(std::string& name);
// The field's origin unless told to ignore it, else its quoted name; empty
// without a field.
std::string lxDBFilterFieldName(const TField* field, bool ignore_origin);

// Null for no field, the value for one, a Variant array for several.
Variant lxDBGetFieldValues(const TDataSet* dataset, const std::vector<TField*>& fields);
void lxDBSetFieldValues(TDataSet* dataset, const std::vector<TField*>& fields, const Variant& values);
Variant lxDBFieldValue(const TField& field);
void lxDBSetFieldValue(TField& field, const Variant& value);

bool lxDBSameTextIgnoreCase(std::string_view a, std::string_view b);
bool lxDBLookupKeyFieldsModifiable(const TField& lookup_field);
bool lxDBFieldCanEditAsText(const TField& field, bool plain);
bool lxDBFieldHasOwnFormat(const TField& field, bool answer_for_binary_types);
bool lxDBIsCurrencyField(const TField& field);

// Field name lists separated by ";".
bool lxDBHasMultipleFieldNames(std::string_view names);
int32_t lxDBFieldNameCount(std::string_view names);
void lxDBSplitFieldNames(std::string_view names, TStrings& list);
