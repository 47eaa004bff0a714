#pragma once
// Compile errors of the input-mask regular expressions: every error of a
// stage is collected with its position, then one exception carries them all.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editors/edit_error.h"

class TlxRegExprError {
 public:
  TlxRegExprError(int32_t column, int32_t line, std::string message)
      : column_(column), line_(line), message_(std::move(message)) {}

  int32_t Column() const { return column_; }
  int32_t Line() const { return line_; }
  const std::string& Message() const { return message_; }
  // "Line2, Char5: Illegal ')'"; the message alone without a line.
  std::string GetFullMessage() const;

 private:
  int32_t column_;
  int32_t line_;
  std::string message_;
};

class TlxRegExprErrors {
 public:
  void Add(int32_t column, int32_t line, std::string message);
  void Clear() { errors_.clear(); }
  size_t Count() const { return errors_.size(); }
  const TlxRegExprError& Item(size_t index) const { return errors_.at(index); }

 private:
  std::vector<TlxRegExprError> errors_;
};

// Raised by a failed compile. The list belongs to the engine and stays valid
// until its next compile; the exception has no text of its own.
class ElxRegExprError : public ElxEditError {
 public:
  explicit ElxRegExprError(const TlxRegExprErrors& errors) : ElxEditError(""), errors_(&errors) {}
  const char* ClassName() const override { return "ElxRegExprError"; }
  const TlxRegExprErrors& Errors() const { return *errors_; }

 private:
  const TlxRegExprErrors* errors_;
};
