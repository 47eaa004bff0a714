#include "net/text_routines.h"

#include <algorithm>

#include "net/exceptions.h"
#include "platform/rtl/format_settings.h"
#include "platform/rtl/text.h"

std::string FormatEnglish(std::string_view format, std::initializer_list<TFormatArg> args) {
  return Format(format, args, EnglishFormatSettings());
}

namespace {

size_t FindDelimiter(std::string_view input, std::string_view delimiter, bool case_sensitive) {
  if (case_sensitive)
    return input.find(delimiter);
  if (delimiter.size() > input.size())
    return std::string_view::npos;
  for (size_t at = 0; at + delimiter.size() <= input.size(); ++at) {
    if (SameText(input.substr(at, delimiter.size()), delimiter))
      return at;
  }
  return std::string_view::npos;
}

}  // namespace

std::string FetchToken(std::string& input, std::string_view delimiter, bool remove, bool case_sensitive) {
  const size_t at = delimiter.empty() ? std::string::npos : FindDelimiter(input, delimiter, case_sensitive);
  if (at == std::string::npos) {
    std::string all = input;
    if (remove)
      input.clear();
    return all;
  }
  std::string token = input.substr(0, at);
  if (remove)
    input.erase(0, at + delimiter.size());
  return token;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && AnsiSameText(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && AnsiSameText(text.substr(text.size() - suffix.size()), suffix);
}

bool SameTextNoCase(std::string_view a, std::string_view b) { return AnsiSameText(a, b); }

bool CharInSetAt(std::string_view text, int32_t position, std::string_view set) {
  if (position < 1)
    throw ENsException("Invalid ACharPos");
  if (static_cast<size_t>(position) > text.size())
    return false;
  return set.find(text[static_cast<size_t>(position) - 1]) != std::string_view::npos;
}

bool IsDecimalText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

bool IsHexText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsHexDigit);
}

bool IsOctalText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsOctalDigit);
}

int32_t StrToIntTrimmed(std::string_view text) { return StrToInt(TrimBlanks(text)); }

int32_t StrToIntTrimmed(std::string_view text, int32_t fallback) {
  return StrToIntDef(TrimBlanks(text), fallback);
}

int64_t StrToInt64Default(std::string_view text, int64_t fallback) {
  return StrToInt64Def(TrimBlanks(text), fallback);
}

int64_t ParseOctal64(std::string_view text) {
  uint64_t value = 0;
  for (char c : text) {
    if (!IsOctalDigit(c))
      break;
    value = (value << 3) | static_cast<uint64_t>(c - '0');
  }
  return static_cast<int64_t>(value);
}
