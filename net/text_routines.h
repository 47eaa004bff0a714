#pragma once
// Small text routines of the socket transport: formatting with fixed English
// settings (so that every message reads the same on every machine), token
// splitting, case-insensitive tests and number parsing.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/rtl/format.h"
#include "platform/rtl/text.h"

// The platform's Format with the English settings.
std::string FormatEnglish(std::string_view format, std::initializer_list<TFormatArg> args);

// The text before the first `delimiter` in `input` (letter case ignored when
// !case_sensitive). With `remove` the input loses that text and the
// delimiter. Without a delimiter the whole input is the result and, with
// `remove`, the input becomes empty.
std::string FetchToken(std::string& input, std::string_view delimiter, bool remove = true,
                       bool case_sensitive = true);

// Letter case ignored (locale-aware); false when the text is shorter.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
bool SameTextNoCase(std::string_view a, std::string_view b);

// Whether the character at the 1-based `position` is one of `set`; false
// past the end. Raises ENsException "Invalid ACharPos" for a position below 1.
bool CharInSetAt(std::string_view text, int32_t position, std::string_view set);

bool IsDecimalText(std::string_view text);
bool IsHexDigit(char c);
bool IsOctalDigit(char c);
bool IsHexText(std::string_view text);
bool IsOctalText(std::string_view text);

// The trimmed text as an integer; raises EConvertError when it is none.
int32_t StrToIntTrimmed(std::string_view text);
int32_t StrToIntTrimmed(std::string_view text, int32_t fallback);
int64_t StrToInt64Default(std::string_view text, int64_t fallback);
// Octal digits up to the first other character; 0 for none.
int64_t ParseOctal64(std::string_view text);
