#include "editors/regexpr_errors.h"

#include "editors/edit_strings.h"

std::string TlxRegExprError::GetFullMessage() const {
  if (line_ <= 0)
    return message_;
  std::string text = lxEditResString(slxRegExprLine) + std::to_string(line_);
  if (column_ > 0)
    text += ", " + lxEditResString(slxRegExprChar) + std::to_string(column_);
  return text + ": " + message_;
}

void TlxRegExprErrors::Add(int32_t column, int32_t line, std::string message) {
  errors_.emplace_back(column, line, std::move(message));
}
