#pragma once
// Small shared pieces of the report library: its exceptions, naming helpers
// for components, and reading a stored number that may have been written as
// an integer or as a floating-point value.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/exceptions.h"

class TReader;

class EReportLibraryError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EReportLibraryError"; }
};

class EPrintError : public EReportLibraryError {
 public:
  using EReportLibraryError::EReportLibraryError;
  const char* ClassName() const override { return "EPrintError"; }
};

// The next stored value: a floating-point value is read and rounded half
// to even, anything else is read as an integer. Older stored pages hold
// some lengths as floats.
int32_t prReadIntegerOrFloat(TReader& reader);

// Whether the object's class publishes a property of that name.
bool prHasPublishedProperty(const TObject& object, std::string_view name);

// The class name without its first character, or its first three ("TprLabel"
// gives "prLabel" and "Label").
std::string prClassNameStem1(const TObject& object);
std::string prClassNameStem3(const TObject& object);

// `stem` followed by the smallest positive number that no other component
// of `component`'s class (or a class derived from it) among `owner`'s
// components carries after `stem` in its name. Without an owner, `stem`.
std::string prUniqueComponentNumber(const TComponent* owner, std::string_view stem, const TComponent& component);

// The name of an enumeration value, given the type's value names; empty
// for a value outside the type.
std::string prGetEnumName(const std::vector<std::string>& value_names, int64_t value);
