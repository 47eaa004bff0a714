#include "platform/db/db_errors.h"

#include "platform/rtl/component.h"

void DatabaseError(std::string_view message, const TComponent* component) {
  if (component != nullptr && !component->Name().empty())
    throw EDatabaseError(component->Name() + ": " + std::string(message));
  throw EDatabaseError(std::string(message));
}

namespace db_text {
namespace {

std::string Quoted(std::string_view text) {
  // Appending piece by piece also keeps GCC 12's -Wrestrict false alarm on
  // "'" + text + "'" quiet in optimised builds.
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('\'');
  quoted.append(text);
  quoted.push_back('\'');
  return quoted;
}

}  // namespace

std::string FieldNotFound(std::string_view field_name) { return "Field " + Quoted(field_name) + " not found"; }

std::string FieldReadOnly(std::string_view field_name) {
  return "Field " + Quoted(field_name) + " cannot be modified";
}

std::string FieldRequired(std::string_view field_name) {
  return "Field " + Quoted(field_name) + " must have a value";
}

std::string DuplicateFieldName(std::string_view field_name) { return "Duplicate field name " + Quoted(field_name); }

std::string FieldAccessError(std::string_view field_name, std::string_view type_name) {
  return "Cannot access field " + Quoted(field_name) + " as type " + std::string(type_name);
}

std::string FieldRangeError(std::string_view value, std::string_view field_name, std::string_view min,
                            std::string_view max) {
  return std::string(value) + " is not a valid value for field " + Quoted(field_name) + ". The allowed range is " +
         std::string(min) + " to " + std::string(max);
}

std::string FieldTypeMismatch(std::string_view field_name, std::string_view expected, std::string_view found) {
  return "Type mismatch for field " + Quoted(field_name) + ", expecting: " + std::string(expected) +
         " actual: " + std::string(found);
}

std::string InvalidFieldSize(std::string_view field_name) { return "Invalid field size for field " + Quoted(field_name); }

std::string FieldIndexError() { return "Field index out of range"; }

std::string InvalidBoolValue(std::string_view text, std::string_view field_name) {
  return Quoted(text) + " is not a valid boolean value for field " + Quoted(field_name);
}

std::string InvalidFilter(std::string_view reason) { return "Invalid filter expression: " + std::string(reason); }

}  // namespace db_text
