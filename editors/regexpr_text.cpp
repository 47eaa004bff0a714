#include "editors/regexpr_text.h"

#include "editors/edit_strings.h"
#include "platform/rtl/text.h"

bool lxRegExprIsBlank(char16_t c) {
  return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32;
}

std::string lxRegExprMessage(const TlxResourceString& text, std::u16string_view argument) {
  std::string message = lxEditResString(text);
  const size_t at = message.find("%s");
  if (at != std::string::npos)
    message.replace(at, 2, Utf16ToUtf8(argument));
  return message;
}
