#include "platform/rtl/edit_char_case.h"

#include "platform/rtl/text.h"

std::string WithCharCase(const std::string& text, TEditCharCase char_case) {
  switch (char_case) {
    case ecUpperCase:
      return AnsiUpperCase(text);
    case ecLowerCase:
      return AnsiLowerCase(text);
    case ecNormal:
      break;
  }
  return text;
}
