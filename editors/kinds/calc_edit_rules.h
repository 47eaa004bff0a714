#pragma once
// The calculator editor's number rules, kept apart from its window so that
// both builds check them: how a value is shown while focused (general or
// exponent text with a number of significant digits), how a typed text
// becomes a value, and which typed characters are taken.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/variant.h"

// The precision a setting stands for: 0 means 15, and 16 or more read as 15.
int32_t lxCalcEditEffectivePrecision(int32_t precision);

// The focused display of a number with `precision` significant digits
// (0 means 15): the general float text, with the regional thousand
// separators in its integer part when `thousand_separators`; or, when
// `scientific`, the exponent form whose mantissa loses its trailing zeros
// ("1,5E+3", "1E+0", "-2,5E-1" with ',' as decimal separator).
std::string lxCalcEditValueText(double value, int32_t precision, bool scientific, bool thousand_separators);

// The edit value of a typed text: Null for an empty text and for one that
// is no number, else the number as a Double. Thousand separators are taken
// out first when `remove_thousand_separators`.
Variant lxCalcEditTextToValue(std::string_view text, bool remove_thousand_separators);

// The calculator parser: thousand separators dropped, then a number that is
// 0 or of a magnitude from 5.0e-324 to 1.7e308. An empty text is no number.
bool lxCalcEditParsesNumber(std::string_view text);

// Whether a typed character is taken into `text` whose selection spans
// [selection_start, selection_start + selection_length) (UTF-8 bytes): a
// numeric character whose result parses, or a '-' into an empty text.
bool lxCalcEditAcceptsChar(std::string_view text, size_t selection_start, size_t selection_length, char16_t ch);

// A typed ',' or '.' becomes the regional decimal separator.
char16_t lxCalcEditMapKey(char16_t key);

// The number an edit value stands for: 0 for Null, the empty string and
// text that is no number.
double lxCalcEditNumberOf(const Variant& edit_value);
