#pragma once
// The exception family of the run-time layer. Every failure that the
// components report is an Exception carrying a message text; subsystems
// derive their own families (ENsException, ElxEditError, ...) from it.

#include <exception>
#include <string>

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
