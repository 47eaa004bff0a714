#pragma once
// The editors' failures: a message only. Validation failures are a separate
// class so that a caller can tell a refused value from a broken setup.

#include "platform/rtl/exceptions.h"

class ElxEditError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ElxEditError"; }
};

class ElxEditValidationError : public ElxEditError {
 public:
  using ElxEditError::ElxEditError;
  const char* ClassName() const override { return "ElxEditValidationError"; }
};
