#pragma once
// Text in the run-time layer: 8-bit text is UTF-8 (the program's active code
// page), UTF-16 is std::u16string. Conversions never fail silently: invalid
// input becomes U+FFFD.
//
// The Ansi... routines are locale-aware (the user's locale through the
// locale service); the plain ones touch ASCII letters only, as the platform's
// do.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Code-point steps for scanners. Each reads one code point at `position` and
// moves past it; a broken sequence yields U+FFFD and resumes at the first
// byte (unit) that does not belong to it. `position` must be in range.
char32_t DecodeUtf8(std::string_view text, size_t& position);
char32_t DecodeUtf16(std::u16string_view text, size_t& position);
// Appends one code point; surrogates and values past U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t code_point);

bool IsValidUtf8(std::string_view text);
// Number of code points (each broken sequence counts as one).
size_t Utf8Length(std::string_view text);

// ASCII-only casing and comparison.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Locale-aware casing and comparison.
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b);

// The text without leading and trailing blanks and control characters
// (everything up to and including the space), as the platform trims.
std::string_view TrimBlanks(std::string_view text);
