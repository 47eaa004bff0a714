#pragma once
// Failures of the dataset family. Every dataset, field and link failure is
// an EDatabaseError whose text names the component concerned ("cdsDateien:
// Field 'Groesse' not found"); texts that do not convert to a field's type
// raise the run-time layer's EConvertError instead.

#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"

class TComponent;

class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EDatabaseError"; }
};

// Raises EDatabaseError with `message`, prefixed with "<name>: " when the
// component has a name.
[[noreturn]] void DatabaseError(std::string_view message, const TComponent* component = nullptr);

// The texts of the dataset family, in one place.
namespace db_text {
inline constexpr std::string_view kDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr std::string_view kDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr std::string_view kDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr std::string_view kNotEditing = "Dataset not in edit or insert mode";
inline constexpr std::string_view kDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr std::string_view kRecordNotFound = "Record not found";
inline constexpr std::string_view kInvalidBookmark = "Invalid bookmark";
inline constexpr std::string_view kForeignBookmark = "Bookmark belongs to another dataset";
inline constexpr std::string_view kNoFieldsDefined = "No fields defined. Cannot create dataset";
inline constexpr std::string_view kMissingData = "Missing data provider or data packet";
inline constexpr std::string_view kCircularDataLink = "Circular datalinks are not allowed";
inline constexpr std::string_view kDataSourceChange = "DataSource cannot be changed";

std::string FieldNotFound(std::string_view field_name);        // "Field 'x' not found"
std::string FieldReadOnly(std::string_view field_name);        // "Field 'x' cannot be modified"
std::string FieldRequired(std::string_view field_name);        // "Field 'x' must have a value"
std::string DuplicateFieldName(std::string_view field_name);   // "Duplicate field name 'x'"
std::string FieldAccessError(std::string_view field_name, std::string_view type_name);
std::string FieldRangeError(std::string_view value, std::string_view field_name, std::string_view min,
                            std::string_view max);
std::string FieldTypeMismatch(std::string_view field_name, std::string_view expected, std::string_view found);
std::string InvalidFieldSize(std::string_view field_name);
std::string FieldIndexError();                                  // "Field index out of range"
std::string InvalidBoolValue(std::string_view text, std::string_view field_name);
std::string InvalidFilter(std::string_view reason);            // "Invalid filter expression: ..."
}  // namespace db_text
