#include "platform/rtl/exceptions.h"

// Out of line so that the exception's type information lives in one object
// file, which keeps catch clauses working across the static libraries.
Exception::~Exception() = default;

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "'";
  out += text;
  out += "'";
  return out;
}

std::string WithNumber(std::string_view text, int64_t value) {
  return std::string(text) + " (" + std::to_string(value) + ")";
}

}  // namespace

EConvertError EConvertError::InvalidInteger(std::string_view text) {
  return EConvertError(Quoted(text) + " is not a valid integer value");
}
EConvertError EConvertError::InvalidFloat(std::string_view text) {
  return EConvertError(Quoted(text) + " is not a valid floating point value");
}
EConvertError EConvertError::InvalidBoolean(std::string_view text) {
  return EConvertError(Quoted(text) + " is not a valid boolean value");
}
EConvertError EConvertError::InvalidDate(std::string_view text) {
  return EConvertError(Quoted(text) + " is not a valid date");
}
EConvertError EConvertError::InvalidTime(std::string_view text) {
  return EConvertError(Quoted(text) + " is not a valid time");
}
EConvertError EConvertError::InvalidDateTime(std::string_view text) {
  return EConvertError(Quoted(text) + " is not a valid date and time");
}
EConvertError EConvertError::InvalidFormat(std::string_view format) {
  return EConvertError("Format " + Quoted(format) + " invalid or incompatible with argument");
}
EConvertError EConvertError::ArgumentMissing(std::string_view format) {
  return EConvertError("No argument for format " + Quoted(format));
}
EConvertError EConvertError::DateEncode() { return EConvertError("Invalid argument to date encode"); }
EConvertError EConvertError::TimeEncode() { return EConvertError("Invalid argument to time encode"); }

EListError EListError::IndexOutOfBounds(int64_t index) {
  return EListError(WithNumber("List index out of bounds", index));
}
EListError EListError::CapacityOutOfBounds(int64_t value) {
  return EListError(WithNumber("List capacity out of bounds", value));
}
EListError EListError::CountOutOfBounds(int64_t value) {
  return EListError(WithNumber("List count out of bounds", value));
}

EStringListError EStringListError::IndexOutOfBounds(int64_t index) {
  return EStringListError(WithNumber("List index out of bounds", index));
}
EStringListError EStringListError::DuplicatesNotAllowed() {
  return EStringListError("String list does not allow duplicates");
}
EStringListError EStringListError::SortedListError() {
  return EStringListError("Operation not allowed on sorted list");
}

EAssertionFailed::EAssertionFailed(std::string_view message, std::string_view file, int line)
    : Exception((message.empty() ? std::string("Assertion failed") : std::string(message)) + " (" +
                std::string(file) + ", line " + std::to_string(line) + ")") {}

EOSError::EOSError(uint32_t error_code, std::string_view description)
    : Exception("System Error.  Code: " + std::to_string(error_code) + ".\r\n" + std::string(description)),
      error_code_(error_code) {}

EVariantTypeCastError::EVariantTypeCastError(std::string_view from_type, std::string_view to_type)
    : EVariantError("Could not convert variant of type (" + std::string(from_type) + ") into type (" +
                    std::string(to_type) + ")") {}

EVariantOverflowError::EVariantOverflowError(std::string_view from_type, std::string_view to_type)
    : EVariantError("Arithmetic overflow converting variant of type (" + std::string(from_type) +
                    ") into type (" + std::string(to_type) + ")") {}
