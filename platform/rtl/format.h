#pragma once
// Formatting and conversion of numbers with format settings. Every routine
// has a form with explicit settings and one that uses the user locale's
// (UserLocale().Settings()). Texts that do not convert raise EConvertError
// with the platform's message; the Try forms answer false instead.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/rtl/currency.h"
#include "platform/rtl/format_settings.h"

// One argument of Format: an integer, a floating-point number, a currency
// amount, a text or a pointer.
class TFormatArg {
 public:
  enum class Kind : uint8_t { kInteger, kUnsigned, kFloat, kCurrency, kText, kPointer };

  TFormatArg(int value) : kind_(Kind::kInteger), integer_(value) {}
  TFormatArg(unsigned value) : kind_(Kind::kUnsigned), unsigned_(value) {}
  TFormatArg(int64_t value) : kind_(Kind::kInteger), integer_(value) {}
  TFormatArg(uint64_t value) : kind_(Kind::kUnsigned), unsigned_(value) {}
  TFormatArg(double value) : kind_(Kind::kFloat), float_(value) {}
  TFormatArg(Currency value) : kind_(Kind::kCurrency), currency_(value) {}
  TFormatArg(const char* text) : kind_(Kind::kText), text_(text ? text : "") {}
  TFormatArg(std::string_view text) : kind_(Kind::kText), text_(text) {}
  TFormatArg(const std::string& text) : kind_(Kind::kText), text_(text) {}
  TFormatArg(const void* pointer) : kind_(Kind::kPointer), pointer_(pointer) {}
  // A character is a one-character text.
  TFormatArg(char c) = delete;

  Kind kind() const { return kind_; }
  int64_t integer() const { return integer_; }
  uint64_t unsigned_value() const { return unsigned_; }
  double float_value() const { return float_; }
  Currency currency() const { return currency_; }
  std::string_view text() const { return text_; }
  const void* pointer() const { return pointer_; }

 private:
  Kind kind_;
  union {
    int64_t integer_;
    uint64_t unsigned_;
    double float_;
    Currency currency_;
    const void* pointer_;
  };
  std::string_view text_;
};

// "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d u x e f g n m p s; index, width and precision may be "*" (taken from
// the arguments). "%%" is a percent sign. A mismatch raises EConvertError
// "Format '...' invalid or incompatible with argument" or "No argument for
// format '...'".
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args,
                   const TFormatSettings& settings);

enum class TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

std::string FloatToStr(double value);
std::string FloatToStr(double value, const TFormatSettings& settings);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings);
// The platform's number format syntax: up to three sections (positive;
// negative;zero) of "0" and "#" digit places, "." decimal point, "," thousand
// separators, "E+", "E-", "e+", "e-" exponents, and quoted or plain text.
std::string FormatFloat(std::string_view format, double value);
std::string FormatFloat(std::string_view format, double value, const TFormatSettings& settings);
std::string FormatCurr(std::string_view format, Currency value);
std::string FormatCurr(std::string_view format, Currency value, const TFormatSettings& settings);
std::string CurrToStr(Currency value);
std::string CurrToStr(Currency value, const TFormatSettings& settings);
std::string CurrToStrF(Currency value, TFloatFormat format, int digits);
std::string CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& settings);

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);

// Integers: optional blanks and sign, decimal digits or "$"/"0x" hex.
int32_t StrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);
bool TryStrToInt(std::string_view text, int32_t& out);
int64_t StrToInt64(std::string_view text);
int64_t StrToInt64Def(std::string_view text, int64_t fallback);
bool TryStrToInt64(std::string_view text, int64_t& out);

// Floating point: blanks, sign, digits with the decimal separator, optional
// exponent; no thousand separators.
double StrToFloat(std::string_view text);
double StrToFloat(std::string_view text, const TFormatSettings& settings);
double StrToFloatDef(std::string_view text, double fallback);
bool TryStrToFloat(std::string_view text, double& out);
bool TryStrToFloat(std::string_view text, double& out, const TFormatSettings& settings);

// Currency: parsed exactly (no detour through double), rounded half to even
// at the fourth decimal.
Currency StrToCurr(std::string_view text);
Currency StrToCurr(std::string_view text, const TFormatSettings& settings);
bool TryStrToCurr(std::string_view text, Currency& out);
bool TryStrToCurr(std::string_view text, Currency& out, const TFormatSettings& settings);

// "True"/"False" with use_words, else "-1"/"0".
std::string BoolToStr(bool value, bool use_words = false);
// "True"/"False" in any case, or a number (non-zero is true).
bool StrToBool(std::string_view text);
bool TryStrToBool(std::string_view text, bool& out);
