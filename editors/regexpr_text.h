#pragma once
// Small text helpers shared by the regular-expression lexer and parser.

#include <string>
#include <string_view>

#include "ui/foundation/base/resource_strings.h"

// The blanks that patterns ignore: codes 0, 9, 10, 12, 13 and 32.
bool lxRegExprIsBlank(char16_t c);

// A resource text with its "%s" replaced by `argument` (UTF-16, given back in UTF-8).
std::string lxRegExprMessage(const TlxResourceString& text, std::u16string_view argument = {});
