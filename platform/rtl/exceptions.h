#pragma once
// The exception family of the run-time layer. Every failure that the
// components report is an Exception carrying a message text; subsystems
// derive their own families (ENsException, ElxEditError, ...) from it.
//
// Classes whose failures have fixed platform texts offer named factories
// (EListError::IndexOutOfBounds(5) carries "List index out of bounds (5)"),
// so that the texts live in one place.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  ~Exception() override;

  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }

  // The class name as the platform reports it, for messages such as
  // "Fehler : " + text and for logging the kind of failure.
  virtual const char* ClassName() const { return "Exception"; }

  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Silent exception: unwinds without an error box.
class EAbort : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EAbort"; }
};

// A text that is not a valid number, date, time or Boolean, and a format
// string that does not fit its arguments.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EConvertError"; }

  static EConvertError InvalidInteger(std::string_view text);    // "'x' is not a valid integer value"
  static EConvertError InvalidFloat(std::string_view text);      // "... valid floating point value"
  static EConvertError InvalidBoolean(std::string_view text);    // "... valid boolean value"
  static EConvertError InvalidDate(std::string_view text);       // "... valid date"
  static EConvertError InvalidTime(std::string_view text);       // "... valid time"
  static EConvertError InvalidDateTime(std::string_view text);   // "... valid date and time"
  static EConvertError InvalidFormat(std::string_view format);   // "Format 'x' invalid or incompatible with argument"
  static EConvertError ArgumentMissing(std::string_view format); // "No argument for format 'x'"
  static EConvertError DateEncode();                             // "Invalid argument to date encode"
  static EConvertError TimeEncode();                             // "Invalid argument to time encode"
};

// Index and capacity failures of lists.
class EListError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EListError"; }

  static EListError IndexOutOfBounds(int64_t index);     // "List index out of bounds (%d)"
  static EListError CapacityOutOfBounds(int64_t value);  // "List capacity out of bounds (%d)"
  static EListError CountOutOfBounds(int64_t value);     // "List count out of bounds (%d)"
};

class EStringListError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EStringListError"; }

  static EStringListError IndexOutOfBounds(int64_t index);  // "List index out of bounds (%d)"
  static EStringListError DuplicatesNotAllowed();           // "String list does not allow duplicates"
  static EStringListError SortedListError();                // "Operation not allowed on sorted list"
};

// Streams and the stored-format readers and writers built on them.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EStreamError"; }
};
class EFilerError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  const char* ClassName() const override { return "EFilerError"; }
};

class EReadError : public EFilerError {
 public:
  EReadError() : EFilerError("Stream read error") {}
  using EFilerError::EFilerError;
  const char* ClassName() const override { return "EReadError"; }
};

class EWriteError : public EFilerError {
 public:
  EWriteError() : EFilerError("Stream write error") {}
  using EFilerError::EFilerError;
  const char* ClassName() const override { return "EWriteError"; }
};

// An operation that the object's state does not allow.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidOperation"; }
};
class EInvalidArgument : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EInvalidArgument"; }
};
// A property value that cannot be converted to the property's type.
class EPropertyConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EPropertyConvertError"; }
};

class EAssertionFailed : public Exception {
 public:
  using Exception::Exception;
  // "<message> (<file>, line <n>)", "Assertion failed" for an empty message.
  EAssertionFailed(std::string_view message, std::string_view file, int line);
  const char* ClassName() const override { return "EAssertionFailed"; }
};

// A failed operating-system call with its error number.
class EOSError : public Exception {
 public:
  // "System Error.  Code: <code>.\r\n<description>"
  EOSError(uint32_t error_code, std::string_view description);
  const char* ClassName() const override { return "EOSError"; }
  uint32_t ErrorCode() const { return error_code_; }

 private:
  uint32_t error_code_;
};

// Variants.
class EVariantError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EVariantError"; }
};

class EVariantTypeCastError : public EVariantError {
 public:
  using EVariantError::EVariantError;
  // "Could not convert variant of type (<from>) into type (<to>)"
  EVariantTypeCastError(std::string_view from_type, std::string_view to_type);
  const char* ClassName() const override { return "EVariantTypeCastError"; }
};

class EVariantOverflowError : public EVariantError {
 public:
  using EVariantError::EVariantError;
  // "Arithmetic overflow converting variant of type (<from>) into type (<to>)"
  EVariantOverflowError(std::string_view from_type, std::string_view to_type);
  const char* ClassName() const override { return "EVariantOverflowError"; }
};

class EVariantBadIndexError : public EVariantError {
 public:
  EVariantBadIndexError() : EVariantError("Variant or safe array index out of bounds") {}
  const char* ClassName() const override { return "EVariantBadIndexError"; }
};

class EVariantNotAnArrayError : public EVariantError {
 public:
  EVariantNotAnArrayError() : EVariantError("Variant is not an array") {}
  const char* ClassName() const override { return "EVariantNotAnArrayError"; }
};

class EVariantArrayCreateError : public EVariantError {
 public:
  EVariantArrayCreateError() : EVariantError("Error creating variant or safe array") {}
  const char* ClassName() const override { return "EVariantArrayCreateError"; }
};

class EVariantInvalidOpError : public EVariantError {
 public:
  EVariantInvalidOpError() : EVariantError("Invalid variant operation") {}
  const char* ClassName() const override { return "EVariantInvalidOpError"; }
};

class EVariantBadVarTypeError : public EVariantError {
 public:
  EVariantBadVarTypeError() : EVariantError("Invalid variant type") {}
  const char* ClassName() const override { return "EVariantBadVarTypeError"; }
};

// Arithmetic that leaves the range of its type (currency, extended values).
class EOverflow : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EOverflow"; }
};
class EZeroDivide : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EZeroDivide"; }
};
